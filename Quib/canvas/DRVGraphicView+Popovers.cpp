// The tooltip, layer-index and hyperlink editors shown beside the front-most selected graphic, one
// at a time. Each predicate loads what its popover shows; each Save stores and closes.
#include "canvas/DRVGraphicView.h"

#include "canvas/LinkPageList.h"
#include "canvas/DRVCanvasPageContext.h"
#include "canvas/QuibPopover.h"
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVImage.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/StringRules.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QStringList kLinkTargets{QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent")};
const QString kSelectPageItem = QStringLiteral("---- Select a page within the website ----");

QString cutAtNewline(const QString& text)
{
    const qsizetype newline = text.indexOf(QLatin1Char('\n'));
    return newline < 0 ? text : text.left(newline);
}

// The field's text up to its first line break, written back into the field.
QString cutField(QLineEdit* field)
{
    const QString text = cutAtNewline(field->text());
    field->setText(text);
    return text;
}

QLineEdit* addField(QuibPopover* popover, const char* name, const QString& label, const QString& text)
{
    auto* field = new QLineEdit(text, popover);
    field->setObjectName(QString::fromLatin1(name));
    popover->form()->addRow(label, field);
    return field;
}

QComboBox* addChoice(QuibPopover* popover, const char* name, const QString& label, const QStringList& items,
                     int index)
{
    auto* choice = new QComboBox(popover);
    choice->setObjectName(QString::fromLatin1(name));
    choice->addItems(items);
    choice->setCurrentIndex(std::max(0, index));
    popover->form()->addRow(label, choice);
    return choice;
}

} // namespace

QString DRVGraphicView::normalisedLink(const QString& typed)
{
    return DRVDocument::verifyLink(typed);
}

QuibPopover* DRVGraphicView::openPopover(const QSize& size)
{
    if (m_quibPopOver)
        m_quibPopOver->close();
    m_quibPopOver = new QuibPopover(this, size);
    return m_quibPopOver;
}

void DRVGraphicView::showPopoverBesideSelection()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (!m_quibPopOver)
        return;
    const QRectF bounds = selected.isEmpty() ? QRectF() : selected.constFirst()->bounds();
    m_quibPopOver->showBeside(QRectF(bounds.topLeft() * m_scale, bounds.size() * m_scale).toRect());
}

bool DRVGraphicView::tooltipShown()
{
    if (edition().gHideTooltipFlag)
        return false;
    m_existingTooltip.clear();
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.size() != 1 || !qobject_cast<DRVImage*>(selected.constFirst()))
        return false;
    m_existingTooltip = selected.constFirst()->altText();
    return true;
}

void DRVGraphicView::applyTooltip()
{
    QuibPopover* popover = openPopover(QSize(448, 47 + 40));
    QLineEdit* field = addField(popover, "tooltipTextbox", QStringLiteral("Tooltip"), m_existingTooltip);
    connect(popover->saveButton(), &QPushButton::clicked, this, [this, field] {
        const QString text = cutField(field);
        beginUndoStep();
        for (DRVGraphic* graphic : selectedGraphics()) {
            if (qobject_cast<DRVImage*>(graphic))
                setValueRecorded(undoManager(), graphic, "altText", text);
        }
        endUndoStep(QString());
        m_quibPopOver->close();
    });
    showPopoverBesideSelection();
}

void DRVGraphicView::applyLayerIndex()
{
    QuibPopover* popover = openPopover(QSize(189, 59 + 40));
    QLineEdit* field = addField(popover, "zindexTextbox", QStringLiteral("Layer index"), m_existingZIndex);
    connect(popover->saveButton(), &QPushButton::clicked, this, [this, field] {
        // The leading number ("12abc" is 12); text that starts with none is 0, no manual index.
        const int index = platform::intValue(cutField(field));
        beginUndoStep();
        for (DRVGraphic* graphic : selectedGraphics())
            setValueRecorded(undoManager(), graphic, "manualLayerIndex", index);
        endUndoStep(QString());
        m_quibPopOver->close();
    });
    showPopoverBesideSelection();
}

bool DRVGraphicView::linkShown()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (edition().gHideLinkFlag || selected.size() != 1)
        return false;
    const DRVGraphic* graphic = selected.constFirst();
    if (qobject_cast<const DRVText*>(graphic)) {
        const bool plain = graphic->textType() == QLatin1String("Text");
        const bool formattedSnippet = graphic->textType() == QLatin1String("HTMLSnippet") &&
                                      graphic->snippetFormatFlag() && edition().gResponsiveLayoutFlag;
        if (!plain && !formattedSnippet)
            return false;
        m_existingHyperLink = graphic->link();
        m_existingOnClickHideString = graphic->onClickHideString();
        m_existingOnClickShowString = graphic->onClickShowString();
        return true;
    }
    if (qobject_cast<const DRVImage*>(graphic)) {
        m_existingHyperLink = graphic->link();
        return true;
    }
    if (const auto* table = qobject_cast<const DRVTable*>(graphic)) {
        DRVCanvasPageContext context(this);
        if (const myTextView* cell = table->grabCurrentTableCellHelper()) {
            m_existingHyperLink = cell->link();
            m_existingOnClickShowString = cell->onClickShowString();
            m_existingOnClickHideString = cell->onClickHideString();
        }
        return table->gridType() != QLatin1String("section");
    }
    return false;
}

// What the link popover edits for graphic: a text box itself, a table's current cell, else nothing.
QObject* DRVGraphicView::linkCarrier(DRVGraphic* graphic)
{
    if (qobject_cast<DRVText*>(graphic))
        return graphic;
    if (auto* table = qobject_cast<DRVTable*>(graphic))
        return table->grabCurrentTableCellHelper();
    return nullptr;
}

void DRVGraphicView::applyLinkPopOver()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty())
        return;
    DRVGraphic* first = selected.constFirst();
    QObject* carrier = linkCarrier(first);
    const bool isText = carrier != nullptr;
    const bool isSlideshow = qobject_cast<DRVSlideshow*>(first) != nullptr;
    // The link and show strings of a text box or a table's cell are those of the object edited.
    if (isText) {
        m_existingOnClickShowString = carrier->property("onClickShowString").toString();
        m_existingOnClickHideString = carrier->property("onClickHideString").toString();
    }
    const bool tall = edition().gResponsiveLayoutFlag && !edition().gResponsiveEmailFlag;
    const bool pageControls = !edition().gHideLinkToPageFlag;
    QuibPopover* popover = openPopover(QSize(507, tall ? 260 : 160));
    QLineEdit* link = addField(popover, "linkTextbox", QStringLiteral("Link"), m_existingHyperLink);
    QComboBox* pages = nullptr;
    QComboBox* type = nullptr;
    QComboBox* target = nullptr;
    if (pageControls) {
        const QStringList names = LinkPageList::pagePublishFileNames(this);
        if (!names.isEmpty()) {
            pages = addChoice(popover, "selectPagePopButton", QStringLiteral("Page"),
                              QStringList{kSelectPageItem} + names, 0);
            // Picking a page puts its file name in the link field; the heading item changes nothing.
            connect(pages, &QComboBox::activated, link, [pages, link](int index) {
                if (index > 0)
                    link->setText(pages->itemText(index));
            });
        }
        // A slide opens in the slideshow's own way: it has no target of its own.
        if (!isSlideshow) {
            // Starts from the graphic's own target, so that opening and saving never changes it.
            target = addChoice(
                popover, "linkOptionSegmentedControl", QStringLiteral("Open in"),
                {QStringLiteral("Same window"), QStringLiteral("New window"), QStringLiteral("Parent frame")},
                int(kLinkTargets.indexOf(first->linkOption())));
        }
        if (isText) {
            type = addChoice(popover, "linkTypeSegmentedControl", QStringLiteral("Apply link to"),
                             {QStringLiteral("Text"), QStringLiteral("Whole shape")},
                             carrier->property("linkType").toString() == QLatin1String("text") ? 0 : 1);
        }
    }
    QLineEdit* show = nullptr;
    QLineEdit* hide = nullptr;
    if (isText) {
        show = addField(popover, "onClickShowTextField", QStringLiteral("On click show"),
                        m_existingOnClickShowString);
        hide = addField(popover, "onClickHideTextField", QStringLiteral("On click hide"),
                        m_existingOnClickHideString);
    }
    connect(popover->saveButton(), &QPushButton::clicked, this, [this, link, type, target, show, hide] {
        saveLink(link, target ? target->currentIndex() : 0, type ? type->currentIndex() : 0,
                 show ? show->text() : QString(), hide ? hide->text() : QString(), target != nullptr);
    });
    showPopoverBesideSelection();
}

void DRVGraphicView::saveLink(QLineEdit* field, int targetSegment, int typeSegment, const QString& show,
                              const QString& hide, bool setsTarget)
{
    const QString address = normalisedLink(field->text());
    field->setText(address);
    const QString option = kLinkTargets.value(targetSegment, kLinkTargets.constFirst());
    const QString linkType = typeSegment == 1 ? QStringLiteral("shape") : QStringLiteral("text");
    platform::UndoManager* undo = undoManager();
    // The cell is the one under this canvas's touch point, whichever window is in front.
    DRVCanvasPageContext context(this);
    beginUndoStep();
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (auto* slideshow = qobject_cast<DRVSlideshow*>(graphic)) {
            if (TransformView* slide = slideshow->currentSlide())
                setValueRecorded(undo, slide, "link", address);
            continue;
        }
        QObject* linked = linkCarrier(graphic);
        if (!linked && !qobject_cast<DRVImage*>(graphic))
            continue;
        QObject* object = linked ? linked : graphic;
        setValueRecorded(undo, object, "link", address);
        if (setsTarget)
            setValueRecorded(undo, object, "linkOption", option);
        // Only text carries a link type and the show and hide lists.
        if (linked) {
            setValueRecorded(undo, linked, "linkType", linkType);
            setValueRecorded(undo, linked, "onClickShowString", show);
            setValueRecorded(undo, linked, "onClickHideString", hide);
        }
        // The picture in a linked table cell links with it.
        auto* table = qobject_cast<DRVTable*>(graphic);
        auto* cell = qobject_cast<myTextView*>(linked);
        if (table && cell) {
            if (TransformView* image = table->grabSelectedImageAtSpot(cell->rowSpot(), cell->columnSpot()))
                setValueRecorded(undo, image, "link", address);
        }
    }
    endUndoStep(QString());
    if (m_quibPopOver)
        m_quibPopOver->close();
}
