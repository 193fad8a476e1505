// The fragment of one cell of a plain table: its picture, or its text as a snippet in the cell.
// Kept apart so the table generator does not depend on how the image and snippet writers are
// called.
#pragma once
#include "generation/CodeWidgetHelper.h"

#include <QString>
#include <memory>

class DRVDocument;
class DRVTable;
class TransformView;
class myTextView;

class TableCellCode
{
public:
    static std::shared_ptr<CodeWidgetHelper> imageCode(DRVDocument& document, TransformView* image,
                                                       bool publishFlag);
    static std::shared_ptr<CodeWidgetHelper> snippetCode(DRVDocument& document, myTextView* cell,
                                                         DRVTable* table);
    // Writes the files of a table's background picture beside the page.
    static void saveBackgroundImage(DRVDocument& document, const QString& pageName, TransformView* image);
};
