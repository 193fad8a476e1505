#include "generation/PageGenerator.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "generation/BackgroundImage.h"
#include "generation/FormPageGenerator.h"
#include "generation/GalleryGenerator.h"
#include "generation/ImageFileWriter.h"
#include "generation/ImageFolderPruner.h"
#include "generation/ImageGenerator.h"
#include "generation/LineGenerator.h"
#include "generation/PageFormat.h"
#include "generation/PageShell.h"
#include "generation/ResponsiveArrangement.h"
#include "generation/SlideshowGenerator.h"
#include "generation/SnippetGenerator.h"
#include "generation/TableGenerator.h"
#include "generation/TextBoxGenerator.h"
#include "generation/TextEscaping.h"
#include "generation/WebFonts.h"
#include "model/DRVGraphic.h"
#include "model/DRVTable.h"
#include "platform/Format.h"

namespace {

const QString kClearColor = QStringLiteral("CLEAR0");
const QString kWhite = QStringLiteral("FFFFFF");

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

bool isSection(const DRVGraphic* table)
{
    const QString kind = table->gridType();
    return kind == QStringLiteral("section") || kind == QStringLiteral("sectionTemplate");
}

} // namespace

PageGenerator::PageGenerator(DRVDocument& document) : m_document(document) {}

QString PageGenerator::generate(const QString& pageName, bool publishFlag, bool changedFlag)
{
    m_pieces = PagePieces();
    // The text passes mark the web fonts this page uses.
    DataCentre::prepCustomFont();
    m_pageName = text(pageName);
    m_publishFlag = publishFlag;
    m_changedFlag = changedFlag;
    m_sectionsArranged = false;
    const EditionSettings& e = edition();

    // 1-3. Fresh lists and numbers.
    m_document.setSourceCodeArray({});
    m_document.populateGalleryImageDimensions();
    m_document.populateTableNumbers();
    resetLists();

    // 4-6. Page-level values, the kinds, the page colour.
    computePageLevelValues();
    partitionGraphics();
    decidePageColor();

    // 7-13. Element passes.
    generateSlideshows();
    generateGalleries();
    generateTables();
    generateSnippets();
    generateLines();
    generateImages();
    generateTextBoxes();

    // 14. Form page; a responsive form lists its fields in the order of the arranged sections.
    m_pieces.formPage = m_document.pageFileType() == QStringLiteral("selvaro") ||
                        m_document.pageFileExtension() == QStringLiteral("php");
    if (m_pieces.formPage) {
        if (m_publishFlag && e.gResponsiveLayoutFlag)
            arrangeResponsiveSections();
        generateFormPage();
    }

    // 15-18. Page shell, with the responsive shape when publishing from a responsive edition.
    PageShell shell(m_document, m_pieces, m_pageName, m_publishFlag);
    shell.buildHead();
    if (m_document.backgroundImageFlag() > 0 &&
        (m_document.useBaseTemplateFlag() == 0 || m_pageName == QStringLiteral("basetemplate")))
        saveBackgroundImage();
    if (m_publishFlag && e.gResponsiveLayoutFlag)
        arrangeResponsiveSections();
    const QString page = shell.buildPage();
    m_document.setGeneratedPageSource(page);

    // 19. Files of the page folder that no image uses; the bundled fonts the page uses.
    pruneUnusedImageFiles();
    if (m_changedFlag)
        WebFonts::copyFontFiles(WebFonts::bundledFamiliesUsedBy(m_document),
                                ImageFileWriter::pageImageFolder(m_document, m_pageName));
    return page;
}

void PageGenerator::resetLists()
{
    m_document.setTextViewArray({});
    m_document.setHtmlSnippetArray({});
    m_document.setImageViewArray({});
    m_document.setSlideshowArray({});
    m_document.setGalleryArray({});
    m_document.setTableArray({});
    m_document.setLineArray({});
}

void PageGenerator::computePageLevelValues()
{
    DRVDocument& doc = m_document;
    m_pieces.metaLines = generation::format(
        QStringLiteral("<meta name=\"keywords\" content=\"%@\">\n<meta name=\"description\" content=\"%@\">"),
        {TextEscaping::escapeHtmlAttributeLine(text(doc.metaKeywords())),
         TextEscaping::escapeHtmlAttributeLine(text(doc.metaDescription()))});
    if (doc.webPageWidthManualFlag())
        m_pieces.metaLines += QStringLiteral("\n<!---manual view port calculation--->");
    else
        doc.setWebPageWidth(doc.findMaxScreenWidth());
    m_pieces.contentRule =
        doc.centreFlag() != 0
            ? generation::format(
                  QStringLiteral(
                      "#content{position:relative;width:%dpx;margin-left:auto;margin-right:auto;}\n"),
                  {doc.webPageWidth()})
            : QStringLiteral("");
}

void PageGenerator::partitionGraphics()
{
    DRVDocument& doc = m_document;
    QList<QObject*> texts;
    QList<QObject*> snippets;
    for (DRVGraphic* area : doc.textAreas()) {
        if (area->textType() == QStringLiteral("Text"))
            texts.append(area);
        else if (area->textType() == QStringLiteral("HTMLSnippet"))
            snippets.append(area);
    }
    doc.setTextViewArray(texts);
    doc.setHtmlSnippetArray(snippets);
    QList<QObject*> images;
    for (DRVGraphic* image : doc.images())
        images.append(image);
    doc.setImageViewArray(images);
    doc.setSlideshowArray(doc.slideshows());
    doc.setGalleryArray(doc.galleries());
    doc.setTableArray(doc.tables());
    doc.setLineArray(doc.lines());
}

void PageGenerator::decidePageColor()
{
    // The page's own colour, whether or not a window shows it; a page whose background image is
    // gone has none.
    DRVDocument& doc = m_document;
    if (doc.backgroundImage().isNull())
        doc.setBackgroundImageFlag(0);
    QString color = QStringLiteral("");
    if (doc.backgroundImageFlag() == 0)
        color = text(doc.pageColorHexString());
    if (color.isEmpty())
        color = kWhite;
    if (color == kClearColor && !edition().gClearCanvasBackgroundFlag)
        color = kWhite;
    m_pieces.pageColor = color;
}

// ---- element passes ----

void PageGenerator::generateSlideshows()
{
    SlideshowGenerator(m_document, m_pieces, m_pageName, m_publishFlag).generate();
}

void PageGenerator::generateGalleries()
{
    GalleryGenerator(m_document, m_pieces).generate();
}

void PageGenerator::generateTables()
{
    TableGenerator(m_document, m_pieces, m_pageName, m_publishFlag, m_changedFlag).generate();
}

void PageGenerator::generateSnippets()
{
    SnippetGenerator(m_document, m_pieces, m_publishFlag).generate();
}

void PageGenerator::generateLines()
{
    const LineGenerator::Output lines = LineGenerator::generateLines(m_document, m_publishFlag);
    m_pieces.lineRules += lines.rules;
    m_pieces.bodyComponents += lines.shapes;
}

void PageGenerator::generateImages()
{
    ImageGenerator(m_document, m_pieces, m_pageName, m_publishFlag, m_changedFlag).generate();
}

void PageGenerator::generateTextBoxes()
{
    TextBoxGenerator(m_document, m_pieces).generate();
}

void PageGenerator::generateFormPage()
{
    m_pieces.formCode = FormPageGenerator(m_document, m_pieces).formCode(m_sectionsArranged);
}

void PageGenerator::arrangeResponsiveSections()
{
    if (m_sectionsArranged)
        return;
    m_sectionsArranged = true;
    for (DRVGraphic* table : m_document.tableArray()) {
        if (!isSection(table))
            continue;
        if (auto* section = qobject_cast<DRVTable*>(table))
            m_pieces.topLevel.append(ResponsiveArrangement(m_document).arrangeResponsiveElements(section));
    }
}

void PageGenerator::saveBackgroundImage()
{
    // Files are written by a save that writes, into the page's own folder only.
    if (m_changedFlag)
        BackgroundImage::saveBackgroundImage(m_document, ImageFileWriter::pageImageFolder(m_document, m_pageName));
}

void PageGenerator::pruneUnusedImageFiles()
{
    // Only a save that writes cleans the folder; a source view or a comparison pass leaves it.
    if (m_changedFlag)
        ImageFolderPruner::pruneUnusedImageFiles(m_document, ImageFileWriter::pageImageFolder(m_document, m_pageName));
}
