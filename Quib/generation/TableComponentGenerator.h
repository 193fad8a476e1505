// Tables and the table-based widgets: a plain HTML table whose cells are snippets or images,
// collapsible text and image panels, quotation carousels and photos with a hover caption. Each
// returns one fragment for the responsive page. Ids that scripts address carry the table's number,
// so two widgets of a kind on one page each drive their own.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QString>
#include <memory>

class DRVDocument;
class DRVTable;
class TransformView;

class TableComponentGenerator
{
public:
    // Column shares by cell width over the content width (a zero content width gives 0). Images
    // are made opaque and not enlargeable and text cells take the table's opacity first.
    static std::shared_ptr<CodeWidgetHelper> generateTableCode(DRVDocument& document, DRVTable* table,
                                                               bool publishFlag);
    static std::shared_ptr<CodeWidgetHelper> generateCollapsibleTextPanel(DRVDocument& document,
                                                                          DRVTable* table);
    static std::shared_ptr<CodeWidgetHelper> generateTextCarousel(DRVDocument& document, DRVTable* table);
    static std::shared_ptr<CodeWidgetHelper> generateCollapsibleImagePanel(DRVDocument& document,
                                                                           DRVTable* table);
    static std::shared_ptr<CodeWidgetHelper> generatePhoto_Hover_Caption(DRVDocument& document,
                                                                         DRVTable* table);

    // Whether a gridType is written as a plain table: any name that is none of the nine widgets.
    static bool isPlainTable(const QString& gridType);
    // The id of a text carousel.
    static QString quoteCarouselId(const DRVDocument& document, const DRVTable* table);
    // The full-size copy of a widget's picture: "<folder>/<name>o.<type>"; "" without a picture.
    static QString imageAddress(const DRVDocument& document, const TransformView* image);
};
