// Lines in the page: one ".line%d" rule per line in the style text, carrying everything the page
// reader needs to rebuild it, and one inline SVG per line in the body, so that a browser shows the
// line as the canvas draws it. The reader takes lines from their rules and ignores the SVG. A
// published responsive page (web or e-mail) has no absolute places: there each line that lies in a
// section column becomes a fragment of that column, drawn by the same SVG.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QString>
#include <memory>

class DRVDocument;
class DRVLine;

class LineGenerator
{
public:
    struct Output
    {
        QString rules = QStringLiteral("");
        QString shapes = QStringLiteral("");
    };

    // The rules and shapes of the document's lineArray, walked from its last line to its first
    // (.line0 first). Completes each line's template name: without its extension, and the page's
    // main template name when it has none.
    // When publishFlag and the edition is responsive, also adds each drawn line's section
    // fragment to the document's sourceCodeArray.
    static Output generateLines(DRVDocument& document, bool publishFlag = false);

    // The SVG of one line: its segment stroked solid, dashed or dotted in the border colour and
    // width, stopped short of each arrow tip, and its arrow heads filled, all at the line's opacity;
    // "" when the canvas would draw nothing (clear or unreadable colour, nothing to stroke or fill).
    static QString lineShape(const DRVLine& line, int number, int layer);
    // The line as an element of a section column whose left edge is columnLeft: its SVG in the
    // flow of the column, indented as on the canvas, with zero top and bottom margins for the
    // arrangement to replace (in its rule on the web, in its style attribute in an e-mail); null
    // when the canvas would draw nothing.
    static std::shared_ptr<CodeWidgetHelper> sectionFragment(const DRVLine& line, int number,
                                                             double columnLeft, bool email);
};
