#include "window/inspector/ColorSelector.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "editions/EditionSelection.h"
#include "editions/EditionSettings.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/InspectorView.h"
#include "window/Popover.h"
#include "window/inspector/FormatIconView.h"
#include "window/inspector/FormattingOptions.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/LivePointers.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

const QString kClear = QStringLiteral("CLEAR0");

const char* const kButtonNames[] = {"selectedShapeColorButton", "selectedTextColorButton",
                                    "selectedHoverColorButton", "selectedHoverTextColorButton",
                                    "canvasColorButton",        "selectedBorderColorButton"};

bool isClear(const QColor& color)
{
    return !color.isValid() || color.alpha() == 0;
}

QString markedStyle()
{
    return QStringLiteral("QPushButton { border: 2px solid #333333; padding: 0; }");
}

QString plainStyle()
{
    return QStringLiteral("QPushButton { border: none; padding: 0; }");
}

} // namespace

ColorSelector::ColorSelector(DRVWindowController* owner, InspectorPanel* panel)
    : QObject(panel), m_owner(owner), m_panel(panel)
{
    for (int code = 0; code < 6; ++code) {
        QPushButton* button = ownerButton(code);
        if (!button)
            continue;
        button->setObjectName(buttonNameForTarget(code));
        connect(button, &QPushButton::clicked, this, [this, button] { showColorSelectorPopOver(button); });
    }
}

QString ColorSelector::buttonNameForTarget(int code)
{
    return code >= 0 && code < 6 ? QString::fromLatin1(kButtonNames[code]) : QString();
}

int ColorSelector::targetForButtonName(const QString& name)
{
    for (int code = 0; code < 6; ++code) {
        if (name == QLatin1String(kButtonNames[code]))
            return code;
    }
    return -1;
}

QPushButton* ColorSelector::ownerButton(int code) const
{
    if (!m_owner)
        return nullptr;
    switch (code) {
    case Shape:
        return m_owner->selectedShapeColorButton();
    case Text:
        return m_owner->selectedTextColorButton();
    case HoverBackground:
        return m_owner->selectedHoverColorButton();
    case HoverText:
        return m_owner->selectedHoverTextColorButton();
    case Canvas:
        return m_owner->canvasColorButton();
    case Border:
        return m_owner->selectedBorderColorButton();
    default:
        return nullptr;
    }
}

QColor ColorSelector::returnInvertedColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return QColor::fromRgbF(1 - rgb.redF(), 1 - rgb.greenF(), 1 - rgb.blueF(), rgb.alphaF());
}

QString ColorSelector::titleForColor(const QColor& color)
{
    if (isClear(color))
        return QStringLiteral("Clear");
    return DataCentre::asHexString(color);
}

QColor ColorSelector::titleColorForColor(const QColor& color)
{
    if (isClear(color))
        return QColor(Qt::black);
    return returnInvertedColor(color);
}

QImage ColorSelector::buttonFace(const QColor& color)
{
    QImage face(200, 30, QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    QPainter painter(&face);
    if (isClear(color)) {
        painter.drawPixmap(0, 0, FormatIconView::iconImage(QStringLiteral("longClearGrid"), face.size()));
    } else {
        painter.fillRect(face.rect(), color);
        painter.setPen(QPen(Qt::black, 2));
        painter.drawRect(QRectF(1, 1, 198, 28));
    }
    QFont font = painter.font();
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(titleColorForColor(color));
    painter.drawText(face.rect(), Qt::AlignCenter, titleForColor(color));
    return face;
}

QPushButton* ColorSelector::createColorButton(const QColor& color, QPushButton* button)
{
    if (!button)
        return nullptr;
    const int width = m_panel && m_panel->inspectorView() ? m_panel->inspectorView()->width() - 40 : 200;
    button->setGeometry(20, 55, width, 30);
    showColorOnButton(color, button);
    return button;
}

void ColorSelector::showColorOnButton(const QColor& color, QPushButton* button)
{
    if (!button)
        return;
    button->setFlat(true);
    button->setStyleSheet(plainStyle());
    const QImage face =
        buttonFace(color).scaled(button->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    button->setIcon(QIcon(QPixmap::fromImage(face)));
    button->setIconSize(button->size());
    button->setText(QString());
    // The title as the user reads it on the face.
    button->setAccessibleName(titleForColor(color));
    button->setProperty("color", isClear(color) ? QColor(Qt::transparent) : color);
    button->setProperty("titleColor", titleColorForColor(color));
    button->update();
}

void ColorSelector::refreshColorLabels(QWidget* view)
{
    if (!view)
        return;
    const EditionSettings& e = edition();
    const QString border = editions::localized({QStringLiteral("Border")}).value(0);
    const struct
    {
        int code;
        QString caption;
        int y;
        bool shown;
    } rows[] = {
        {Text, editions::localized({QStringLiteral("Text")}).value(0), 30, true},
        {Shape, editions::localized({QStringLiteral("Shape")}).value(0), 95, true},
        {Border,
         e.gWideFormattingRangeFlag
             ? QStringLiteral("%1 / %2").arg(border, editions::localized({QStringLiteral("Line")}).value(0))
             : border,
         160, true},
        {Canvas, editions::localized({QStringLiteral("Background")}).value(0), 225, true},
        {HoverText, editions::localized({QStringLiteral("Hover Text")}).value(0), 290,
         e.gColorViewSwatchesFlag},
        {HoverBackground, editions::localized({QStringLiteral("Hover Shape")}).value(0), 355,
         e.gColorViewSwatchesFlag},
    };
    for (const auto& row : rows) {
        QPushButton* button = ownerButton(row.code);
        if (!row.shown) {
            if (button && button->parentWidget() == view) {
                button->hide();
                button->setParent(nullptr);
            }
            continue;
        }
        auto* label =
            static_cast<QLabel*>(m_panel->makeCaption(view, row.caption, QRect(35, row.y, 200, 20), 10));
        label->setObjectName(buttonNameForTarget(row.code) + QStringLiteral("Label"));
        if (button) {
            button->setParent(view);
            button->setGeometry(35, row.y + 20 + 5, 200, 30);
            button->show();
        }
    }
}

QList<QPushButton*> ColorSelector::swatches() const
{
    return livePointers(m_swatches);
}

FlippedNSView* ColorSelector::createColorSelectorPanel(bool disableClear, const QString& currentHex)
{
    const QStringList palette = edition().gColorPalette;
    const int entries = int(palette.size());
    // Every entry gets a swatch: a last short row is shown rather than cut off.
    const int rows = (entries + kSwatchesPerRow - 1) / kSwatchesPerRow;
    auto* grid = new FlippedNSView;
    grid->setObjectName(QStringLiteral("colorPanelSelectorView"));
    grid->resize(kSwatchesPerRow * kSwatchSize, rows * kSwatchSize);
    m_swatches.clear();
    for (int i = 0; i < entries; ++i) {
        const QString entry = palette.at(i);
        auto* swatch = new QPushButton(grid);
        swatch->setObjectName(QStringLiteral("swatch%1").arg(i));
        swatch->setGeometry(kSwatchSize * (i % kSwatchesPerRow), kSwatchSize * (i / kSwatchesPerRow),
                            kSwatchSize, kSwatchSize);
        swatch->setFlat(true);
        swatch->setStyleSheet(plainStyle());
        swatch->setProperty("buttonColorString", entry);
        swatch->setIconSize(QSize(kSwatchSize, kSwatchSize));
        if (i == 0) {
            swatch->setIcon(
                QIcon(FormatIconView::iconImage(QStringLiteral("clearGrid"), swatch->iconSize())));
            swatch->setEnabled(!disableClear);
        } else {
            QPixmap fill(kSwatchSize, kSwatchSize);
            fill.fill(DataCentre::colorWithHexString(entry));
            swatch->setIcon(QIcon(fill));
            if (entry.compare(currentHex, Qt::CaseInsensitive) == 0)
                swatch->setStyleSheet(markedStyle());
        }
        connect(swatch, &QPushButton::clicked, this, [this, swatch] { pickedAColor(swatch); });
        m_swatches.append(swatch);
    }
    m_grid = grid;
    return grid;
}

void ColorSelector::showColorSelectorPopOver(QPushButton* sender)
{
    int code = -1;
    for (int c = 0; c < 6; ++c) {
        if (sender && sender == ownerButton(c))
            code = c;
    }
    if (code < 0)
        return;
    m_typeOfColorFlag = code;
    const bool disableClear = code == Text || code == Border;
    FlippedNSView* grid = createColorSelectorPanel(disableClear, sender->accessibleName());

    Popover* popover = sharedPopover();
    popover->close();
    popover->setContentView(grid);
    QWidget* relativeTo = sender->parentWidget();
    if (edition().gSidebarInspectorFlag) {
        if (FormatIconView* tile = grabFormatIconView(sender))
            relativeTo = tile;
    }
    popover->showRelativeToRect(sender->geometry(), relativeTo, Popover::Edge::MinX);
}

Popover* ColorSelector::sharedPopover()
{
    if (!m_popover) {
        m_popover = new Popover(m_panel ? m_panel->inspectorView() : nullptr);
        m_popover->setObjectName(QStringLiteral("quibPopOver"));
    }
    return m_popover;
}

void ColorSelector::resetAllColorButtons()
{
    for (QPushButton* swatch : swatches())
        swatch->setStyleSheet(plainStyle());
}

void ColorSelector::applyColorToGraphic(DRVGraphic* graphic, int code, const QString& hex)
{
    const bool clear = hex == kClear;
    const QColor colour = clear ? QColor(Qt::transparent) : DataCentre::colorWithHexString(hex);
    const QColor forText = clear ? QColor(Qt::black) : colour;
    auto* text = qobject_cast<DRVText*>(graphic);
    auto* table = qobject_cast<DRVTable*>(graphic);
    const bool line = qobject_cast<DRVLine*>(graphic) != nullptr;
    const bool image = qobject_cast<DRVImage*>(graphic) != nullptr;
    switch (code) {
    case Text:
        if (!text && !table)
            return;
        graphic->setFontColor(forText);
        graphic->setTextHexColorString(hex);
        if (text)
            text->refreshStyle();
        else
            table->updateTextColor();
        break;
    case HoverBackground:
        if (!text && !table)
            return;
        graphic->setHoverColorString(hex);
        if (table)
            table->updateHoverBackgroundColor();
        break;
    case HoverText:
        if (!text && !table)
            return;
        graphic->setHoverTextColorString(hex);
        if (table)
            table->updateHoverTextColor();
        break;
    case Border:
        if (!text && !table && !line && !image)
            return;
        graphic->setBorderColor(forText);
        graphic->setBorderHexColorString(hex);
        if (text)
            text->refreshStyle();
        else if (table)
            table->updateBorderColor();
        break;
    case Canvas:
        return;
    default:
        if (!text && !table)
            return;
        graphic->setFillColor(colour);
        graphic->setBackgroundHexColorString(hex);
        if (table)
            table->updateBackgroundColor();
        break;
    }
    graphic->refreshSelectedColors();
}

void ColorSelector::pickedAColor(QPushButton* swatch)
{
    if (!swatch)
        return;
    resetAllColorButtons();
    swatch->setStyleSheet(markedStyle());
    const QString hex = swatch->property("buttonColorString").toString();
    const QColor colour = hex == kClear ? QColor(Qt::transparent) : DataCentre::colorWithHexString(hex);
    if (m_typeOfColorFlag == Canvas) {
        if (m_owner) {
            // The page keeps the colour, so that saving writes what the canvas shows.
            if (DRVDocument* document = m_owner->document()) {
                document->setPageColorHexString(hex);
                document->setPageColor(colour);
            }
            m_owner->updateDocumentColor(colour, hex);
            m_owner->refreshColorButtons();
        }
    } else if (m_owner && m_owner->graphicView()) {
        for (DRVGraphic* graphic : m_owner->graphicView()->selectedGraphics())
            applyColorToGraphic(graphic, m_typeOfColorFlag, hex);
    }
    if (FormatIconView* tile = grabFormatIconViewFromColorType(colour))
        tile->update();
}

FormatIconView* ColorSelector::grabFormatIconView(QPushButton* button) const
{
    QString key;
    if (!button) {
        key = buttonNameForTarget(m_typeOfColorFlag);
    } else {
        for (int c = 0; c < 6; ++c) {
            if (button == ownerButton(c))
                key = buttonNameForTarget(c);
        }
    }
    if (key.isEmpty() || !m_panel || !m_panel->formattingOptions())
        return nullptr;
    return m_panel->formattingOptions()->usedTileForKey(key);
}

FormatIconView* ColorSelector::grabFormatIconViewFromColorType(const QColor& color)
{
    FormatIconView* tile = grabFormatIconView(nullptr);
    if (tile) {
        QPushButton* button = ownerButton(m_typeOfColorFlag);
        createColorButton(color, button);
        button->setParent(tile);
        button->show();
    }
    return tile;
}
