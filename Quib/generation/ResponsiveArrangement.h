// The responsive page is built from sections: tables whose gridType is "section" or
// "sectionTemplate", each a horizontal band whose cells are its columns. One section becomes one
// fragment: a Bootstrap row with a column element per cell (or, in the responsive e-mail edition, a
// full-width table row with a cell per column) holding every element fragment that lies in the
// column, with its absolute position taken out of its CSS and the vertical gaps kept as margins.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QRectF>
#include <memory>

class DRVDocument;
class DRVGraphic;
class DRVTable;

class ResponsiveArrangement
{
public:
    explicit ResponsiveArrangement(DRVDocument& document);

    static bool isSection(const DRVGraphic* graphic);

    // One fragment for the whole section. Claims (addedToGrid) and rewrites, in place, the
    // fragments of the document's sourceCodeArray that lie in the section's columns, and sorts that
    // list by originY.
    std::shared_ptr<CodeWidgetHelper> arrangeResponsiveElements(DRVTable* section);

    // Every fragment's originY from its rect's y, truncated.
    void populateSourceCodeArrayOriginY();
    // No fragment over the column lies higher (lower) than the given one.
    bool isThisTheTopMostItemInSection(const QRectF& fragment, const QRectF& column) const;
    bool isThisTheBottomMostItemInSection(const QRectF& fragment, const QRectF& column) const;
    // The first unclaimed fragment over the column below the given one, in list order; the zero
    // rectangle when there is none.
    QRectF grabRectOfNextItemInSection(const QRectF& fragment, const QRectF& column) const;
    static bool doColumnsHaveDifferentBackgroundColors(const DRVTable* section);
    // Whether the graphic lies over a section other than itself.
    bool isGraphicInASection(const DRVGraphic* graphic) const;

private:
    DRVDocument& m_document;
};
