#include "window/inspector/FormattingOptions.h"

#include "editions/DataCentre.h"
#include "editions/EditionSelection.h"
#include "editions/EditionSettings.h"
#include "model/DRVLine.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/InspectorView.h"
#include "window/inspector/ColorSelector.h"
#include "window/inspector/FormatCatalogue.h"
#include "window/inspector/FormatIconView.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/LivePointers.h"
#include "window/inspector/SegmentedControl.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

namespace {

QString localizedText(const QString& text)
{
    return editions::localized({text}).value(0, text);
}

const QStringList kSpacingLevels = {"None", "Tiny", "Small", "Medium", "Large", "XL", "XXL"};

QRect frame(int x, int y, int w, int h)
{
    return QRect(x, y, w, h);
}

} // namespace

FormattingOptions::FormattingOptions(DRVWindowController* owner, InspectorPanel* panel)
    : QObject(panel), m_owner(owner), m_panel(panel)
{
}

QList<FormatIconView*> FormattingOptions::catalogue() const
{
    return livePointers(m_catalogue);
}

FormatIconView* FormattingOptions::usedTileForKey(const QString& key) const
{
    FormatIconView* found = nullptr;
    for (FormatIconView* tile : catalogue()) {
        if (tile->isUsed() && tile->dragAndDropCodeName() == key)
            found = tile;
    }
    return found;
}

FormatIconView* FormattingOptions::tileForGroup(const QString& groupId) const
{
    for (FormatIconView* tile : catalogue()) {
        if (tile->groupId() == groupId)
            return tile;
    }
    return nullptr;
}

void FormattingOptions::updateIconViewDescriptionForLine()
{
    FormatIconView* found = nullptr;
    for (FormatIconView* tile : catalogue()) {
        if (tile->dragAndDropCodeName() == QLatin1String("selectedBorderColorButton"))
            found = tile;
    }
    if (!found)
        return;
    found->setObjectTitle(QStringLiteral("Color - Line"));
    found->setObjectDescription(QStringLiteral("Controls color of selected line."));
}

void FormattingOptions::showFormattingOptions()
{
    InspectorView* inspector = m_panel->inspectorView();
    if (!inspector)
        return;
    m_panel->clearInspectorView();
    if (SegmentedControl* sidebar = m_panel->sidebarSwitchSegmentedControl())
        sidebar->setSelectedIndex(1);
    const int width = inspector->width();
    FlippedNSView* clip = m_panel->newScrollingArea(0);
    connectActions();

    // Every build makes new tiles and places the window's controls in them.
    m_catalogue.clear();
    for (const FormatGroup& group : FormatCatalogue::groups()) {
        auto* tile = new FormatIconView;
        tile->setObjectName(group.id);
        tile->setGroupId(group.id);
        tile->setObjectTitle(localizedText(group.title));
        tile->setObjectDescription(group.description);
        tile->setImageName(group.imageName);
        tile->setDragAndDropCodeName(group.dragAndDropCodeName);
        tile->setSupportedAppArray(group.supportedAppArray);
        tile->setTypeArray(group.typeArray);
        tile->setIconViewHeight(group.iconViewHeight);
        tile->resize(width,
                     group.iconViewHeight >= 1 ? group.iconViewHeight : FormatCatalogue::kDefaultTileHeight);
        fillTile(group.id, tile, width);
        m_catalogue.append(tile);
    }
    m_panel->restoreBinding();

    auto* heading = new QLabel(clip);
    heading->setObjectName(QStringLiteral("formatPanelLabelTextField"));
    heading->setGeometry(0, 0, width, 20);
    heading->setAlignment(Qt::AlignCenter);
    heading->setWordWrap(true);
    heading->setStyleSheet(QStringLiteral("color: #555555; background: transparent;"));
    m_heading = heading;

    const QList<DRVGraphic*> selected =
        m_owner && m_owner->graphicView() ? m_owner->graphicView()->selectedGraphics() : QList<DRVGraphic*>();
    for (DRVGraphic* graphic : selected) {
        if (qobject_cast<DRVLine*>(graphic))
            updateIconViewDescriptionForLine();
    }
    const QStringList types = FormatCatalogue::selectionTypes(selected);
    if (selected.size() == 1) {
        heading->setText(QStringLiteral("%1 object selected").arg(selected.size()));
    } else if (!selected.isEmpty()) {
        heading->setText(QStringLiteral("%1 objects selected").arg(selected.size()));
    } else {
        heading->setText(QStringLiteral("Nothing selected.\nSelect an object to format."));
        heading->resize(width, 40);
    }

    const EditionSettings& e = edition();
    const QList<bool> used = FormatCatalogue::usedGroups(
        types, {e.gPaletteResourcePrefix, e.gEditionDisplayName, e.gResponsiveLayoutFlag});
    const FormatCatalogue::Layout layout = FormatCatalogue::layout(used, heading->height(), width);
    const QColor detailGrey(0x55, 0x55, 0x55);
    for (int i = 0; i < int(m_catalogue.size()); ++i) {
        FormatIconView* tile = m_catalogue.at(i);
        tile->setIsUsed(used.value(i));
        tile->setGeometry(layout.frames.at(i));
        auto* icon = new QLabel;
        icon->resize(40, 40);
        icon->setPixmap(FormatIconView::iconImage(tile->imageName(), QSize(30, 30)));
        tile->setIconImageView(icon);
        tile->setIconLabelString(tile->objectTitle(), tile->objectDescription(), detailGrey);
        tile->setupSubViews();
        if (tile->isUsed()) {
            tile->setParent(clip);
            tile->show();
        } else {
            // Kept for look-ups by key; its controls stay with the window, not with the tile.
            m_panel->rescueControls(tile);
            tile->setParent(clip);
            tile->hide();
        }
    }
    clip->setGeometry(0, 0, width, layout.documentHeight);
    heading->show();
    clip->update();
}

void FormattingOptions::fillTile(const QString& id, FormatIconView* tile, int W)
{
    InspectorPanel& p = *m_panel;
    auto caption = [&](const QString& text, QRect rect, Qt::Alignment alignment) {
        auto* label = static_cast<QLabel*>(p.makeCaption(tile, text, rect));
        label->setAlignment(alignment);
    };
    auto segments = [&](const char* name, QRect rect, const QStringList& labels, const QList<int>& widths) {
        if (auto* control = p.control<SegmentedControl>(QString::fromLatin1(name))) {
            if (control->segmentCount() != labels.size() || control->labelForSegment(0) != labels.value(0))
                control->setSegments(labels, widths);
        }
        p.place(tile, name, rect);
    };
    auto slider = [&](const char* name, QRect rect, double min, double max) {
        if (auto* s = p.control<QAbstractSlider>(QString::fromLatin1(name))) {
            const double scale =
                s->property("quibScale").toDouble() > 0 ? s->property("quibScale").toDouble() : 1;
            s->setRange(int(min * scale), int(max * scale));
        }
        p.place(tile, name, rect);
    };
    auto field = [&](const char* name, QRect rect, bool editable = true) {
        if (auto* f = p.control<QLineEdit>(QString::fromLatin1(name))) {
            f->setAlignment(Qt::AlignCenter);
            f->setReadOnly(!editable);
            f->setEnabled(editable);
        }
        p.place(tile, name, rect);
    };
    auto levelPopup = [&](const QString& name, QRect rect, QWidget* parent) {
        auto* popup = p.control<QComboBox>(name);
        if (!popup) {
            popup = new QComboBox;
            popup->setObjectName(name);
            popup->addItems(kSpacingLevels);
            p.registerControl(popup);
        }
        popup->setParent(parent);
        popup->setGeometry(rect);
        if (parent)
            popup->show();
    };
    auto unitPopup = [&](const QString& name, QRect rect) {
        if (auto* popup = p.control<QComboBox>(name)) {
            if (popup->count() == 0)
                popup->addItems({QStringLiteral("%"), QStringLiteral("pixel")});
            popup->setGeometry(rect);
        }
    };
    auto spacing = [&](const QString& kind) {
        caption(QStringLiteral("Top"), frame(10, 50, 50, 20), Qt::AlignLeft);
        caption(QStringLiteral("Bottom"), frame(140, 50, 50, 20), Qt::AlignLeft);
        caption(localizedText(QStringLiteral("Left")), frame(10, 100, 50, 20), Qt::AlignLeft);
        caption(localizedText(QStringLiteral("Right")), frame(140, 100, 50, 20), Qt::AlignLeft);
        const char* sides[] = {"top", "bottom", "left", "right"};
        const QPoint levelAt[] = {{20, 70}, {150, 70}, {20, 120}, {150, 120}};
        const QPoint fieldAt[] = {{10, 70}, {140, 70}, {10, 120}, {140, 120}};
        const QPoint unitAt[] = {{70, 70}, {200, 70}, {70, 120}, {200, 120}};
        for (int i = 0; i < 4; ++i) {
            const QString stem = QString::fromLatin1(sides[i]) + kind;
            levelPopup(stem + QStringLiteral("LevelPopupButton"), QRect(levelAt[i], QSize(110, 30)), tile);
            // The numeric fields and unit pop-ups are set up but the levels stand for them here.
            if (auto* f = p.control<QLineEdit>(stem + QStringLiteral("TextField")))
                f->setGeometry(QRect(fieldAt[i], QSize(50, 25)));
            unitPopup(stem + QStringLiteral("PopupButton"), QRect(unitAt[i], QSize(60, 30)));
        }
    };
    auto colourButton = [&](QPushButton* button, const QColor& colour) {
        if (!button)
            return;
        m_panel->colorSelector()->createColorButton(colour, button);
        button->setParent(tile);
        button->setGeometry(20, 55, W - 40, 30);
        button->show();
    };

    if (id == QLatin1String("positionAndSize")) {
        const QStringList captions = {QStringLiteral("X"), QStringLiteral("Y"),
                                      localizedText(QStringLiteral("Width")),
                                      localizedText(QStringLiteral("Height"))};
        const char* fields[] = {"originXTextField", "originYTextField", "widthTextField", "heightTextField"};
        for (int i = 0; i < 4; ++i) {
            caption(captions.at(i), frame(20 + 60 * i, 45, 50, 20), Qt::AlignHCenter);
            field(fields[i], frame(20 + 60 * i, 60, 50, 25));
        }
    } else if (id == QLatin1String("padding")) {
        spacing(QStringLiteral("Padding"));
    } else if (id == QLatin1String("margin")) {
        spacing(QStringLiteral("Margin"));
    } else if (id == QLatin1String("sectionColumnBuffer")) {
        levelPopup(QStringLiteral("columnGapLevelPopupButton"), frame(50, 50, 200, 30), tile);
    } else if (id == QLatin1String("sectionID")) {
        field("sectionIDTextField", frame(5, 60, 255, 25));
    } else if (id == QLatin1String("initialLaunchState")) {
        segments("initialStateSegmentedControl", frame(5, 60, 255, 25),
                 editions::localized({"Shown", "Hidden"}), {125, 125});
    } else if (id == QLatin1String("imageMask")) {
        if (auto* box = p.control<QCheckBox>(QStringLiteral("imageMaskApplyCheckmark")))
            box->setText(QStringLiteral("Apply Mask"));
        p.place(tile, "imageMaskApplyCheckmark", frame(20, 55, 100, 25));
        if (auto* button = p.control<QPushButton>(QStringLiteral("imageMaskButton")))
            button->setText(QStringLiteral("Mask Shape"));
        p.place(tile, "imageMaskButton", frame(150, 55, 100, 25));
    } else if (id == QLatin1String("positionLock")) {
        segments("lockSegmentedControl", frame(5, 60, 255, 25), editions::localized({"Unlock", "Lock"}),
                 {125, 125});
    } else if (id == QLatin1String("fontStyleAndSize")) {
        p.place(tile, "fontPopupButton", frame(10, 50, 160, 30));
        if (auto* size = p.control<QLineEdit>(QStringLiteral("fontSizeTextbox"))) {
            size->setAlignment(Qt::AlignCenter);
            size->setFont(QFont(QStringLiteral("Helvetica Neue"), 20));
        }
        p.place(tile, "fontSizeTextbox", frame(180, 50, 50, 30));
        p.place(tile, "fontSizeStepper", frame(230, 50, 20, 25));
    } else if (id == QLatin1String("textAlignment")) {
        segments("textAlignmentSegmentedControl", frame(20, 50, W - 20, 40),
                 {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right"),
                  QStringLiteral("Justify")},
                 {55, 55, 55, 55});
    } else if (id == QLatin1String("verticalAlignment")) {
        segments("verticalAlignmentSegmentedControl", frame(20, 50, W - 20, 40),
                 {QStringLiteral("Top"), QStringLiteral("Middle"), QStringLiteral("Bottom")}, {75, 75, 75});
    } else if (id == QLatin1String("textColor")) {
        colourButton(m_owner->selectedTextColorButton(), m_owner->selectedTextColor());
    } else if (id == QLatin1String("shapeColor")) {
        colourButton(m_owner->selectedShapeColorButton(), m_owner->selectedShapeColor());
    } else if (id == QLatin1String("hoverTextColor")) {
        colourButton(m_owner->selectedHoverTextColorButton(), m_owner->selectedHoverTextColor());
    } else if (id == QLatin1String("hoverShapeColor")) {
        colourButton(m_owner->selectedHoverColorButton(), m_owner->selectedHoverColor());
    } else if (id == QLatin1String("borderColor")) {
        colourButton(m_owner->selectedBorderColorButton(), m_owner->selectedBorderColor());
    } else if (id == QLatin1String("borderType")) {
        segments("borderSegmentedControl", frame(10, 60, W - 20, 25), {"solid", "dashed", "dotted", "none"},
                 {63, 63, 62, 62});
    } else if (id == QLatin1String("borderThickness")) {
        slider("borderWidthSlider", frame(5, 60, 185, 20), 0, edition().gWideFormattingRangeFlag ? 30 : 10);
        field("borderWidthTextField", frame(200, 60, 65, 25));
    } else if (id == QLatin1String("lineThickness")) {
        slider("lineWidthSlider", frame(5, 60, 205, 20), 0, edition().gWideFormattingRangeFlag ? 30 : 10);
        field("lineWidthTextField", frame(220, 60, 45, 25));
    } else if (id == QLatin1String("linePattern")) {
        segments("lineSegmentedControl", frame(10, 60, W - 20, 25), {"solid", "dashed", "dotted", "none"},
                 {63, 63, 62, 62});
    } else if (id == QLatin1String("lineSpacing")) {
        slider("lineSpacingSlider", frame(5, 60, 185, 20), -0.1, 3.0);
        field("lineSpacingTextField", frame(200, 60, 65, 25), false);
    } else if (id == QLatin1String("canvasColor")) {
        // The page's own colour; none or "CLEAR0" is clear.
        const QString hex = m_owner->getDocumentColorHexString();
        const bool clear = hex.isEmpty() || hex == QLatin1String("CLEAR0");
        colourButton(m_owner->canvasColorButton(),
                     clear ? QColor(Qt::transparent) : DataCentre::colorWithHexString(hex));
    } else if (id == QLatin1String("cornerRadius")) {
        slider("cornerRadiusSlider", frame(5, 60, 185, 20), 0, 100);
        field("cornerRadiusTextField", frame(200, 60, 65, 25));
    } else if (id == QLatin1String("opacity")) {
        slider("opacitySlider", frame(5, 60, 185, 20), 0, 1);
        field("opacityTextField", frame(200, 60, 65, 25));
    } else if (id == QLatin1String("reflection")) {
        slider("reflectionSizeSlider", frame(5, 60, 185, 20), 0, 1);
        field("reflectionSizeTextField", frame(200, 60, 65, 25), false);
    } else if (id == QLatin1String("shadow")) {
        segments("shadowSegmentedControl", frame(5, 55, 255, 25),
                 {QStringLiteral("No Shadow"), QStringLiteral("Shadow")}, {125, 125});
    } else if (id == QLatin1String("shadowBlur")) {
        slider("shadowBlurSlider", frame(5, 60, 185, 20), 0, 10);
        field("shadowBlurTextField", frame(200, 60, 65, 25));
    } else if (id == QLatin1String("shadowHorizontal")) {
        slider("shadowHorizontalOffsetSlider", frame(5, 60, 185, 20), -10, 10);
        field("shadowHorizontalOffsetTextField", frame(200, 60, 65, 25));
    } else if (id == QLatin1String("shadowVertical")) {
        slider("shadowVerticalOffsetSlider", frame(5, 60, 185, 20), -10, 10);
        field("shadowVerticalOffsetTextField", frame(200, 60, 65, 25));
    } else if (id == QLatin1String("hyperlink")) {
        if (auto* link = p.control<QLineEdit>(QStringLiteral("hyperLinkTextField")))
            link->setPlaceholderText(QStringLiteral("http://"));
        p.place(tile, "hyperLinkTextField", frame(5, 55, 255, 30));
    } else if (id == QLatin1String("linkLaunchWindow")) {
        segments("linkOptionSegmentedControl", frame(0, 55, 255, 40), {"_self", "_blank", "_parent"},
                 {83, 83, 83});
    } else if (id == QLatin1String("imageTooltip")) {
        if (auto* alt = p.control<QLineEdit>(QStringLiteral("altTextField")))
            alt->setPlaceholderText(localizedText(QStringLiteral("Image Tooltip Text")));
        p.place(tile, "altTextField", frame(5, 55, 255, 30));
    } else if (id == QLatin1String("scrollLock")) {
        segments("scrollSegmentedControl", frame(5, 60, 255, 25),
                 {QStringLiteral("Scrolling"), QStringLiteral("Non Scrolling")}, {125, 125});
    } else if (id == QLatin1String("rotation")) {
        p.place(tile, "rotationApplyCheckmark", frame(20, 55, 110, 25));
        p.place(tile, "rotationSlider", frame(165, 58, 28, 30));
        field("rotationAngleTextField", frame(200, 60, 65, 25), false);
    }
}

void FormattingOptions::connectActions()
{
    if (m_actionsConnected || !m_owner)
        return;
    m_actionsConnected = true;
    DRVWindowController* c = m_owner;
    for (const char* side : {"top", "bottom", "left", "right"}) {
        for (const char* kind : {"PaddingLevelPopupButton", "MarginLevelPopupButton"}) {
            const QString name = QString::fromLatin1(side) + QString::fromLatin1(kind);
            if (!m_panel->control(name)) {
                auto* popup = new QComboBox;
                popup->setObjectName(name);
                popup->addItems(kSpacingLevels);
                m_panel->registerControl(popup);
            }
            m_panel->setAction(name.toLatin1().constData(), [c] { c->updateMarginAndPadding(); });
        }
    }
    for (const char* side : {"top", "bottom", "left", "right"}) {
        const QByteArray name = QByteArray(side) + "MarginPopupButton";
        m_panel->setAction(name.constData(), [c] { c->updatedMarginType(); });
    }
}
