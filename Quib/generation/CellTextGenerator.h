// One text element in a flowing layout: a cell of a table component (navigation bars, panels,
// carousels, captions) or a text box or form field of a responsive page. It gives the element's
// rule set, its HTML (Bootstrap form markup for fields), its mail-handler lines and its click
// script as one fragment. No position is written: the element flows in its row or column.
#pragma once
#include "generation/CodeWidgetHelper.h"
#include "generation/FormSortHelper.h"

#include <QList>
#include <QString>
#include <memory>

class DRVDocument;
class DRVTable;
class QObject;

class CellTextGenerator
{
public:
    // element is a DRVText graphic or a myTextView cell of table (table is null for a graphic).
    // Cells are named "tableGrid<N>text<i>" (N the table's number, i the cell's index in the
    // table), graphics "text<n>" (n counts from the last graphic, 1). Text is escaped; links and
    // values are quoted attributes. A submit button stores its text as the document's
    // formSubmitButtonValue. A form field (or the title label of a choice group) appends its
    // record to formRecords when given.
    static std::shared_ptr<CodeWidgetHelper>
    generateTextViewCode(DRVDocument& document, QObject* element, DRVTable* table, bool partOfTableFlag,
                         QList<FormSortHelper>* formRecords = nullptr);

    // The number a table's classes and ids carry: the number of graphics minus the table's index.
    static int tableNumber(const DRVDocument& document, const DRVTable* table);
};
