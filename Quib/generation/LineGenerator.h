// Lines in the page: one ".line%d" rule per line in the style text, carrying everything the page
// reader needs to rebuild it, and one inline SVG per line in the body, so that a browser shows the
// line as the canvas draws it. The reader takes lines from their rules and ignores the SVG.
#pragma once
#include <QString>

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
    static Output generateLines(DRVDocument& document);

    // The SVG of one line: its segment stroked solid, dashed or dotted in the border colour and
    // width, stopped short of each arrow tip, and its arrow heads filled, all at the line's opacity;
    // "" when the canvas would draw nothing (clear or unreadable colour, nothing to stroke or fill).
    static QString lineShape(const DRVLine& line, int number, int layer);
};
