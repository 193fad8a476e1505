// A page written by the page pass and opened again by the page reader: the graphics that come back.
#pragma once
#include "GenerationTestSupport.h"

#include "document/PageParser.h"

#include <QTemporaryDir>

namespace generationtest {

struct ReopenedPage
{
    QString text;
    PageParseResult parsed;
    QList<DRVGraphic*> graphics; // owned by the document given to reopen
};

// Writes document as pageName (a plain save, nothing published) and reads the text back into
// graphics owned by owner.
inline ReopenedPage reopen(DRVDocument& document, const QString& pageName, QObject* owner,
                           const QString& folder = QString(),
                           const QString& extension = QStringLiteral("html"))
{
    ReopenedPage page;
    page.text = document.generateSourceCode(pageName, false, false);
    PageParseInput input;
    input.pageText = page.text;
    input.pageName = pageName;
    input.templatePageName = pageName;
    input.pagePath = folder.isEmpty() ? QString() : folder + u'/' + pageName + u'.' + extension;
    input.pageFileExtension = extension;
    input.pageFileType = document.pageFileType();
    page.parsed = PageParser::presentObjects(input);
    page.graphics = DRVGraphic::graphicsWithProperties(page.parsed.carriers, pageName, owner);
    return page;
}

// The graphics of one class name, in the order they came back.
inline QList<DRVGraphic*> ofClass(const QList<DRVGraphic*>& graphics, const char* className)
{
    QList<DRVGraphic*> found;
    for (DRVGraphic* graphic : graphics) {
        if (qstrcmp(graphic->metaObject()->className(), className) == 0)
            found.append(graphic);
    }
    return found;
}

} // namespace generationtest
