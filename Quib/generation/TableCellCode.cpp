#include "generation/TableCellCode.h"

#include "document/DRVDocument.h"
#include "generation/ImageFileWriter.h"
#include "generation/ImageGenerator.h"
#include "generation/SnippetGenerator.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

std::shared_ptr<CodeWidgetHelper> TableCellCode::imageCode(DRVDocument& document, TransformView* image,
                                                           bool publishFlag)
{
    return ImageGenerator::generateImageCode(document, image, publishFlag);
}

std::shared_ptr<CodeWidgetHelper> TableCellCode::snippetCode(DRVDocument& document, myTextView* cell,
                                                             DRVTable* table)
{
    return SnippetGenerator::generateSnippetCode(document, cell, table);
}

void TableCellCode::saveBackgroundImage(DRVDocument& document, const QString& pageName, TransformView* image)
{
    const QString folder = ImageFileWriter::pageImageFolder(document, pageName);
    if (folder.isEmpty())
        return;
    ImageFileWriter(document, folder).saveImage(image);
}
