// Lines live in the page only as style rules: one ".line%d" rule per line, carrying everything the
// page reader needs to rebuild it, and no body markup.
#pragma once
#include <QString>

class DRVDocument;

class LineGenerator
{
public:
    // The rules of the document's lineArray, walked from its last line to its first (.line0 first).
    // Completes each line's template name: without its extension, and the page's main template name
    // when it has none.
    static QString generateLineRules(DRVDocument& document);
};
