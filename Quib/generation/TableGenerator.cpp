#include "generation/TableGenerator.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "generation/NavbarGenerator.h"
#include "generation/PageFormat.h"
#include "generation/PagePieces.h"
#include "generation/TableCellCode.h"
#include "generation/TableComponentGenerator.h"
#include "generation/TextEscaping.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/StringRules.h"

using generation::appendFormat;
using generation::format;

namespace {

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

bool isSectionType(const QString& gridType)
{
    return gridType == QStringLiteral("section") || gridType == QStringLiteral("sectionTemplate");
}

// The cells in the order each text pass numbers them from 0, so that the page reader, which takes
// them in page order, gives the table its cells in their own order again: the text-box pass
// numbers textViewArray from its first entry, the snippet pass htmlSnippetArray from its last.
// (Last first for both would turn the cells round on every save.)
void appendCellsInTableOrder(QList<QObject*>& list, const DRVTable* table)
{
    for (myTextView* cell : table->cellHelperArray())
        list.append(cell);
}

void appendCellsLastFirst(QList<QObject*>& list, const DRVTable* table)
{
    const QList<myTextView*> cells = table->cellHelperArray();
    for (auto it = cells.crbegin(); it != cells.crend(); ++it)
        list.append(*it);
}

} // namespace

TableGenerator::TableGenerator(DRVDocument& document, PagePieces& pieces, const QString& pageName,
                               bool publishFlag, bool changedFlag)
    : m_document(document), m_pieces(pieces), m_pageName(pageName), m_publishFlag(publishFlag),
      m_changedFlag(changedFlag)
{
}

void TableGenerator::generate()
{
    const QList<DRVGraphic*> tables = m_document.tableArray();
    int k = 0;
    for (auto it = tables.crbegin(); it != tables.crend(); ++it) {
        if (auto* table = qobject_cast<DRVTable*>(*it))
            generateOne(table, k++);
    }
}

bool TableGenerator::isPointInSectionCell(const DRVDocument& document, QPointF point)
{
    const int x = platform::truncToInt(point.x());
    const int y = platform::truncToInt(point.y());
    for (DRVGraphic* graphic : document.graphics()) {
        auto* section = qobject_cast<DRVTable*>(graphic);
        if (!section || !isSectionType(section->gridType()))
            continue;
        if (section->grabRowSpot(x, y) != DRVTable::kNoSpot)
            return true;
    }
    return false;
}

std::shared_ptr<CodeWidgetHelper> TableGenerator::generateComponent(DRVDocument& document, DRVTable* table,
                                                                    bool publishFlag)
{
    const QString kind = table->gridType();
    if (kind == QStringLiteral("photo_hover_caption"))
        return TableComponentGenerator::generatePhoto_Hover_Caption(document, table);
    if (kind == QStringLiteral("text_carousel"))
        return TableComponentGenerator::generateTextCarousel(document, table);
    if (kind == QStringLiteral("collapsible_text_panel"))
        return TableComponentGenerator::generateCollapsibleTextPanel(document, table);
    if (kind == QStringLiteral("collapsible_image_panel"))
        return TableComponentGenerator::generateCollapsibleImagePanel(document, table);
    if (kind == QStringLiteral("navbar"))
        return NavbarGenerator::generateNavBar(document, table);
    if (kind == QStringLiteral("navbar_centered"))
        return NavbarGenerator::generateNavBar_centered(document, table);
    if (kind == QStringLiteral("dropdownmenu"))
        return NavbarGenerator::generateDropdownmenu(document, table);
    if (kind == QStringLiteral("navbar_fixed"))
        return NavbarGenerator::generateNavBar_Fixed(document, table);
    if (kind == QStringLiteral("navbar_fixed_centered"))
        return NavbarGenerator::generateNavBar_Fixed_Centered(document, table);
    return TableComponentGenerator::generateTableCode(document, table, publishFlag);
}

void TableGenerator::generateOne(DRVTable* table, int k)
{
    const EditionSettings& e = edition();
    // Cell origins, styles and picture rectangles come from the layout step, not from painting.
    // Outside the responsive layout a cell's text height only moves a middle or bottom text down.
    table->layoutCells(e.gResponsiveLayoutFlag);

    // 1. The background picture's files, when the page is being written.
    if (m_document.storeImageNowFlag() && table->selectable() && m_changedFlag &&
        !m_document.loopThroughFlag()) {
        if (TransformView* background = table->tableBackgroundImage()) {
            TableCellCode::saveBackgroundImage(m_document, m_pageName, background);
            QList<QObject*> images = m_document.imageViewArray();
            images.append(background);
            m_document.setImageViewArray(images);
        }
    }

    // 3-5. Geometry, layer and template name.
    const QRectF bounds = table->bounds();
    const int x = platform::truncToInt(bounds.x());
    const int y = platform::truncToInt(bounds.y());
    const int z = m_document.layerIndexForGraphic(table);
    QString templateName = platform::stringByDeletingPathExtension(text(table->templateName()));
    if (templateName.isEmpty())
        templateName = m_document.mainTemplateName();
    table->setTemplateName(templateName);

    // 6. Editor rule.
    // Values from the page or the user stay inside their rule.
    auto unit = [](const QString& type) { return TextEscaping::cssRuleValue(type); };
    appendFormat(
        m_pieces.tableRules,
        QStringLiteral(
            "\n.tableGrid%d{position:%@;left:%dpx;top:%dpx;z-index:%d;width:%dpx;height:%dpx;fixed:%d;"
            "numOfRows:%d;"
            "numOfColumns:%d;groupNumber:%d;padding:%d;shadowFlag:%d;backdrop:%d;templateName:%@;tableNumber:"
            "%d;"
            "manualLayerIndex:%d;gridType:%@;sectionNumber:%d;sectionRowSpot:%d;sectionColumnSpot:%d;"
            "sectionTopPadding:%d;sectionBottomPadding:%d;sectionLeftPadding:%d;sectionRightPadding:%d;"
            "sectionID:%@;"
            "initialLaunchState:%d;topPaddingStr:%d;bottomPaddingStr:%d;leftPaddingStr:%d;rightPaddingStr:%d;"
            "topMarginStr:%d;bottomMarginStr:%d;leftMarginStr:%d;rightMarginStr:%d;topPaddingTypeStr:%@;"
            "bottomPaddingTypeStr:%@;leftPaddingTypeStr:%@;rightPaddingTypeStr:%@;topMarginTypeStr:%@;"
            "bottomMarginTypeStr:%@;leftMarginTypeStr:%@;rightMarginTypeStr:%@;topPaddingLevelStr:%@;"
            "bottomPaddingLevelStr:%@;leftPaddingLevelStr:%@;rightPaddingLevelStr:%@;topMarginLevelStr:%@;"
            "bottomMarginLevelStr:%@;leftMarginLevelStr:%@;rightMarginLevelStr:%@;}\n"),
        {k,
         table->scrollFlag() == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute"),
         x,
         y,
         z,
         platform::truncToInt(bounds.width()),
         platform::truncToInt(bounds.height()),
         table->moveLock(),
         table->numOfRows(),
         table->numOfColumns(),
         table->groupNumber(),
         table->padding(),
         table->shadowFlag(),
         table->backdropLightingFlag(),
         TextEscaping::cssRuleValue(templateName),
         k,
         table->manualLayerIndex(),
         TextEscaping::cssRuleValue(table->gridType()),
         table->sectionNumber(),
         table->sectionRowSpot(),
         table->sectionColumnSpot(),
         table->topPadding(),
         table->bottomPadding(),
         table->leftPadding(),
         table->rightPadding(),
         TextEscaping::encodeRuleText(table->sectionIDString()),
         table->initialLaunchStateFlag(),
         table->topPadding(),
         table->bottomPadding(),
         table->leftPadding(),
         table->rightPadding(),
         table->topMargin(),
         table->bottomMargin(),
         table->leftMargin(),
         table->rightMargin(),
         unit(table->topPaddingType()),
         unit(table->bottomPaddingType()),
         unit(table->leftPaddingType()),
         unit(table->rightPaddingType()),
         unit(table->topMarginType()),
         unit(table->bottomMarginType()),
         unit(table->leftMarginType()),
         unit(table->rightMarginType()),
         TextEscaping::cssRuleValue(table->topPaddingLevelString()),
         TextEscaping::cssRuleValue(table->bottomPaddingLevelString()),
         TextEscaping::cssRuleValue(table->leftPaddingLevelString()),
         TextEscaping::cssRuleValue(table->rightPaddingLevelString()),
         TextEscaping::cssRuleValue(table->topMarginLevelString()),
         TextEscaping::cssRuleValue(table->bottomMarginLevelString()),
         TextEscaping::cssRuleValue(table->leftMarginLevelString()),
         TextEscaping::cssRuleValue(table->rightMarginLevelString())});

    // 7. Layers of the cells and, where tables hold them, of the pictures.
    for (myTextView* cell : table->cellHelperArray())
        cell->setTag(z);
    if (e.gTableImagesFlag) {
        QList<QObject*> images = m_document.imageViewArray();
        for (TransformView* image : table->imageArray()) {
            image->setTag(z);
            images.append(image);
        }
        m_document.setImageViewArray(images);
    }

    // 8. The editor page keeps the table as its rule plus its cells.
    if (!m_publishFlag) {
        if (e.gResponsiveLayoutFlag) {
            QList<QObject*> snippets = m_document.htmlSnippetArray();
            appendCellsLastFirst(snippets, table);
            m_document.setHtmlSnippetArray(snippets);
        } else {
            QList<QObject*> texts = m_document.textViewArray();
            appendCellsInTableOrder(texts, table);
            m_document.setTextViewArray(texts);
        }
        return;
    }

    // 9. Sections are arranged once every other fragment exists.
    if (e.gResponsiveLayoutFlag && isSectionType(table->gridType()))
        return;

    // 10-12. The component, and where it goes.
    const bool plainTable = TableComponentGenerator::isPlainTable(table->gridType());
    auto appendCells = [&]() {
        QList<QObject*> texts = m_document.textViewArray();
        appendCellsInTableOrder(texts, table);
        m_document.setTextViewArray(texts);
    };
    if (plainTable)
        appendCells();
    const std::shared_ptr<CodeWidgetHelper> fragment = generateComponent(m_document, table, true);
    if (fragment) {
        if (plainTable || isPointInSectionCell(m_document, QPointF(x, y))) {
            if (!plainTable)
                fragment->rect = QRectF(x, y, bounds.width(), bounds.height());
            QList<std::shared_ptr<CodeWidgetHelper>> fragments = m_document.sourceCodeArray();
            fragments.append(fragment);
            m_document.setSourceCodeArray(fragments);
        } else {
            m_pieces.topLevel.append(fragment);
        }
    }
    if (!plainTable)
        appendCells();
}
