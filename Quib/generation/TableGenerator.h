// The table step of the page pass. Every table leaves its editor rule in the saved page; its cells
// go to the text passes. When publishing, each table-based component (navigation bars, panels,
// carousels, captions, plain tables) becomes one fragment, placed at the top level of a responsive
// page or left for the section it stands in.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QPointF>
#include <QString>
#include <memory>

class DRVDocument;
class DRVTable;
struct PagePieces;

class TableGenerator
{
public:
    TableGenerator(DRVDocument& document, PagePieces& pieces, const QString& pageName, bool publishFlag,
                   bool changedFlag);

    // Walks tableArray from its last entry (number 0) to its first.
    void generate();

    // The fragment of a table by its gridType; nullptr for a navigation bar without cells.
    static std::shared_ptr<CodeWidgetHelper> generateComponent(DRVDocument& document, DRVTable* table,
                                                               bool publishFlag);
    // Whether the point lies over a cell of one of the page's sections.
    static bool isPointInSectionCell(const DRVDocument& document, QPointF point);

private:
    void generateOne(DRVTable* table, int number);

    DRVDocument& m_document;
    PagePieces& m_pieces;
    QString m_pageName;
    bool m_publishFlag = false;
    bool m_changedFlag = false;
};
