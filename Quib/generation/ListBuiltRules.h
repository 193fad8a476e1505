// The element rules built as declaration lists: HTML snippets and table texts of the responsive
// layout. A declaration whose value is missing ("", "(null)", "#", "#(null)") is left out, so its
// key is absent from the rule.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QList>
#include <QString>
#include <memory>

class DRVDocument;
class QObject;
struct PagePieces;

struct GenerateSourceCodeObject
{
    QString sourceCodeObjectType;  // the CSS property or editor key
    QString sourceCodeObjectValue; // the value as written
    bool importantFlag = false;    // appends " !important"
};

class ListBuiltRules
{
public:
    // "type:value;" for each declaration with a present value, in order.
    static QString combineSourceCodeString(const QList<GenerateSourceCodeObject>& list);

    // The rules and body of one snippet or table-cell text (a DRVText or a myTextView carrier),
    // numbered n with the class prefix "snippet" (snippets) or "text". headerString gets the five
    // rules, bodyString the "<div class=...>" element. Completes the element's template name and
    // unit strings. pieces is the pass's working set (no web-font list exists yet to mark).
    static std::shared_ptr<CodeWidgetHelper> generateTextViewCodeStatic(DRVDocument& document,
                                                                        QObject* element, int n,
                                                                        bool publishFlag,
                                                                        PagePieces* pieces = nullptr);
};
