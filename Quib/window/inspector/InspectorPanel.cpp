#include "window/inspector/InspectorPanel.h"

#include "editions/DataCentre.h"
#include "editions/EditionSelection.h"
#include "editions/EditionSettings.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/InspectorView.h"
#include "window/QuibNSTextField.h"
#include "window/inspector/ColorSelector.h"
#include "window/inspector/FormattingOptions.h"
#include "window/inspector/ImageMasks.h"
#include "window/inspector/LayerList.h"
#include "window/inspector/PresetPickers.h"
#include "window/inspector/PropertyHandlers.h"
#include "window/inspector/SegmentedControl.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDial>
#include <QFont>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QValidator>
#include <algorithm>

using Options = InspectorBinder::Options;
using editions::localized;

namespace {

struct BindingRow
{
    const char* control;
    const char* binding;
    const char* key;
    Options options;
};

// Every binding of the inspector, in the order they are made.
const QList<BindingRow>& bindingTable()
{
    static const QList<BindingRow> rows = {
        {"initialStateSegmentedControl", "selectedIndex", "initialLaunchStateFlag", Options::None},
        {"originXTextField", "value", "xPosition", Options::Blank},
        {"originYTextField", "value", "yPosition", Options::Blank},
        {"widthTextField", "value", "width", Options::Blank},
        {"heightTextField", "value", "height", Options::Blank},
        {"sectionIDTextField", "value", "sectionIDString", Options::Blank},
        {"onClickHideTextField", "value", "onClickHideString", Options::Blank},
        {"onClickShowTextField", "value", "onClickShowString", Options::Blank},
        {"topPaddingTextField", "value", "topPadding", Options::Blank},
        {"bottomPaddingTextField", "value", "bottomPadding", Options::Blank},
        {"leftPaddingTextField", "value", "leftPadding", Options::Blank},
        {"rightPaddingTextField", "value", "rightPadding", Options::Blank},
        {"topMarginTextField", "value", "topMargin", Options::Blank},
        {"bottomMarginTextField", "value", "bottomMargin", Options::Blank},
        {"leftMarginTextField", "value", "leftMargin", Options::Blank},
        {"rightMarginTextField", "value", "rightMargin", Options::Blank},
        {"topPaddingPopupButton", "selectedValue", "topPaddingType", Options::Blank},
        {"bottomPaddingPopupButton", "selectedValue", "bottomPaddingType", Options::Blank},
        {"rightPaddingPopupButton", "selectedValue", "rightPaddingType", Options::Blank},
        {"leftPaddingPopupButton", "selectedValue", "leftPaddingType", Options::Blank},
        {"topMarginPopupButton", "selectedValue", "topMarginType", Options::Blank},
        {"bottomMarginPopupButton", "selectedValue", "bottomMarginType", Options::Blank},
        {"rightMarginPopupButton", "selectedValue", "rightMarginType", Options::Blank},
        {"leftMarginPopupButton", "selectedValue", "leftMarginType", Options::Blank},
        {"topPaddingLevelPopupButton", "selectedValue", "topPaddingLevelString", Options::Blank},
        {"bottomPaddingLevelPopupButton", "selectedValue", "bottomPaddingLevelString", Options::Blank},
        {"rightPaddingLevelPopupButton", "selectedValue", "rightPaddingLevelString", Options::Blank},
        {"leftPaddingLevelPopupButton", "selectedValue", "leftPaddingLevelString", Options::Blank},
        {"topMarginLevelPopupButton", "selectedValue", "topMarginLevelString", Options::Blank},
        {"bottomMarginLevelPopupButton", "selectedValue", "bottomMarginLevelString", Options::Blank},
        {"rightMarginLevelPopupButton", "selectedValue", "rightMarginLevelString", Options::Blank},
        {"leftMarginLevelPopupButton", "selectedValue", "leftMarginLevelString", Options::Blank},
        {"fontPopupButton", "selectedValue", "fontFamily", Options::None},
        {"fontSizeStepper", "value", "fontSize", Options::Stepper},
        {"fontSizeTextbox", "value", "fontSize", Options::Blank},
        {"textAlignmentSegmentedControl", "selectedIndex", "fontAlignment", Options::None},
        {"verticalAlignmentSegmentedControl", "selectedIndex", "verticalAlignment", Options::None},
        {"borderSegmentedControl", "selectedLabel", "borderStyle", Options::None},
        {"borderWidthSlider", "value", "borderWidth", Options::None},
        {"borderWidthTextField", "value", "borderWidth", Options::Blank},
        {"lineWidthSlider", "value", "borderWidth", Options::None},
        {"lineWidthTextField", "value", "borderWidth", Options::Blank},
        {"lineSegmentedControl", "selectedLabel", "borderStyle", Options::None},
        {"cornerRadiusSlider", "value", "cornerRadius", Options::None},
        {"cornerRadiusTextField", "value", "cornerRadius", Options::Blank},
        {"opacitySlider", "value", "opacity", Options::None},
        {"opacityTextField", "value", "opacity", Options::Blank},
        {"reflectionSizeSlider", "value", "reflection", Options::None},
        {"reflectionSizeTextField", "value", "reflection", Options::Blank},
        {"lineSpacingSlider", "value", "lineSpacing", Options::None},
        {"shadowSegmentedControl", "selectedIndex", "shadowFlag", Options::None},
        {"hyperLinkTextField", "value", "link", Options::Link},
        {"linkOptionSegmentedControl", "selectedLabel", "linkOption", Options::None},
        {"altTextField", "value", "altText", Options::Tooltip},
        {"scrollSegmentedControl", "selectedIndex", "scrollFlag", Options::None},
        {"lockSegmentedControl", "selectedIndex", "moveLock", Options::None},
        {"shadowBlurSlider", "value", "shadowRadius", Options::None},
        {"shadowBlurTextField", "value", "shadowRadius", Options::None},
        {"shadowHorizontalOffsetSlider", "value", "shadowHorizontalOffset", Options::None},
        {"shadowHorizontalOffsetTextField", "value", "shadowHorizontalOffset", Options::None},
        {"shadowVerticalOffsetSlider", "value", "shadowVerticalOffset", Options::None},
        {"shadowVerticalOffsetTextField", "value", "shadowVerticalOffset", Options::None},
        {"imageMaskApplyCheckmark", "value", "maskFlag", Options::None},
        {"rotationSlider", "value", "rotationAngle", Options::None},
        {"rotationAngleTextField", "value", "rotationAngle", Options::None},
        // A check box holds 0 or 1: writing its state would wipe the angle, so it only shows one is set.
        {"rotationApplyCheckmark", "value", "rotationAngle", Options::ShowOnly},
        {"responsiveAlignmentControl", "selectedIndex", "responsiveAlignment", Options::None},
        {"responsiveSizeSegmentedControl", "selectedIndex", "responsiveResizeFlag", Options::None},
    };
    return rows;
}

std::function<QStringList()>& installedFamiliesSource()
{
    static std::function<QStringList()> source = [] { return QFontDatabase::families(); };
    return source;
}

QString localizedText(const QString& text)
{
    return localized({text}).value(0, text);
}

QRect frame(int x, int y, int w, int h)
{
    return QRect(x, y, w, h);
}

} // namespace

InspectorPanel::InspectorPanel(DRVWindowController* owner, InspectorView* inspectorView)
    : QObject(owner), m_owner(owner), m_inspectorView(inspectorView), m_binder(this)
{
    m_formattingOptions = new FormattingOptions(owner, this);
    m_layerList = new LayerList(owner, this);
    m_colorSelector = new ColorSelector(owner, this);
    m_handlers = new PropertyHandlers(owner, this);
    m_imageMasks = new ImageMasks(owner, this);
    m_presetPickers = new PresetPickers(owner);
    showObjectsList = [this] { clearInspectorView(); };
    showLayers = [this] { m_layerList->showLayers(); };
    showFormattingOptions = [this] { m_formattingOptions->showFormattingOptions(); };
}

InspectorPanel::~InspectorPanel()
{
    m_binder.unbindAll();
    // Controls taken out of the window belong to nobody else.
    for (const QPointer<QWidget>& widget : std::as_const(m_controls)) {
        if (widget && !widget->parent())
            delete widget;
    }
    for (const QPointer<FlippedNSView>& view : m_tabViews) {
        if (view && !view->parent())
            delete view;
    }
}

void InspectorPanel::setInstalledFamiliesSource(std::function<QStringList()> source)
{
    installedFamiliesSource() = source ? std::move(source) : [] { return QFontDatabase::families(); };
}

template <class T> T* InspectorPanel::make(const char* name, QRect rect)
{
    auto* widget = new T;
    widget->setObjectName(QString::fromLatin1(name));
    if (!rect.isNull())
        widget->setGeometry(rect);
    m_controls.insert(widget->objectName(), widget);
    return widget;
}

void InspectorPanel::initializeInspectorElements()
{
    if (m_initialized)
        return;
    m_initialized = true;
    const EditionSettings& e = edition();

    make<SegmentedControl>("inspectorPanelSegmentedControl", frame(0, 90, 255, 30));
    make<SegmentedControl>("lockSegmentedControl", frame(0, 50, 255, 40));
    make<SegmentedControl>("initialStateSegmentedControl", frame(0, 50, 255, 40));

    const char* fieldRows[3][4] = {
        {"originXTextField", "originYTextField", "widthTextField", "heightTextField"},
        {"topPaddingTextField", "bottomPaddingTextField", "leftPaddingTextField", "rightPaddingTextField"},
        {"topMarginTextField", "bottomMarginTextField", "leftMarginTextField", "rightMarginTextField"}};
    const int fieldX[4] = {10, 70, 140, 200};
    for (const auto& row : fieldRows) {
        for (int i = 0; i < 4; ++i) {
            auto* field = make<QLineEdit>(row[i], frame(fieldX[i], 25, 60, 25));
            field->setValidator(new QIntValidator(-100000, 100000, field));
            field->setAlignment(Qt::AlignCenter);
        }
    }
    for (const char* side : {"top", "bottom", "left", "right"}) {
        make<QComboBox>(QByteArray(side).append("MarginPopupButton").constData());
        make<QComboBox>(QByteArray(side).append("PaddingPopupButton").constData());
    }
    make<QLineEdit>("sectionIDTextField");
    make<QLineEdit>("onClickShowTextField");
    make<QLineEdit>("onClickHideTextField");
    make<QComboBox>("fontPopupButton");
    fillFontPopup();

    auto* sizeBox = make<QLineEdit>("fontSizeTextbox");
    sizeBox->setValidator(new QIntValidator(5, 295, sizeBox));
    auto* stepper = make<QSpinBox>("fontSizeStepper");
    stepper->setRange(5, 295);
    stepper->setButtonSymbols(QAbstractSpinBox::UpDownArrows);

    make<SegmentedControl>("textAlignmentSegmentedControl", frame(10, 40, 170, 40));
    make<SegmentedControl>("verticalAlignmentSegmentedControl", frame(10, 40, 170, 40));
    make<SegmentedControl>("borderSegmentedControl", frame(5, 100, 255, 25));

    // Sliders carry whole steps; quibScale steps make one unit of a fractional key.
    auto slider = [this](const char* name, QRect rect, double min, double max, double scale) {
        auto* s = make<QSlider>(name, rect);
        s->setOrientation(Qt::Horizontal);
        s->setProperty("quibScale", scale);
        s->setRange(int(min * scale), int(max * scale));
        s->setTickPosition(QSlider::TicksBelow);
        s->setTickInterval(std::max(1, int((max - min) * scale / 10)));
        return s;
    };
    auto numberField = [this](const char* name, bool whole) {
        auto* field = make<QLineEdit>(name);
        field->setAlignment(Qt::AlignCenter);
        if (whole)
            field->setValidator(new QIntValidator(-100000, 100000, field));
        else
            field->setValidator(new QDoubleValidator(-100000, 100000, 2, field));
        return field;
    };
    slider("borderWidthSlider", frame(5, 140, 205, 20), 0, e.gWideFormattingRangeFlag ? 30 : 10, 1);
    numberField("borderWidthTextField", true);
    slider("opacitySlider", frame(5, 200, 205, 20), 0, 1, 100);
    numberField("opacityTextField", false);
    slider("cornerRadiusSlider", frame(5, 250, 205, 20), 0, 100, 1);
    numberField("cornerRadiusTextField", true);

    auto* linkLabel = make<QLabel>("linkTextFieldLabel", frame(5, 290, 100, 20));
    linkLabel->setText(localizedText(QStringLiteral("Hyperlink")));
    make<QuibNSTextField>("hyperLinkTextField", frame(5, 310, 255, 30));
    make<SegmentedControl>("linkOptionSegmentedControl", frame(5, 340, 255, 40));
    make<SegmentedControl>("shadowSegmentedControl", frame(5, 25, 255, 25));

    slider("reflectionSizeSlider", frame(10, 90, 205, 20), 0, 1, 100);
    numberField("reflectionSizeTextField", false);
    slider("lineSpacingSlider", frame(10, 90, 205, 20), -0.1, 3.0, 100);
    numberField("lineSpacingTextField", false);
    slider("lineWidthSlider", frame(10, 90, 205, 20), 0, e.gWideFormattingRangeFlag ? 30 : 10, 1);
    numberField("lineWidthTextField", true);
    auto* line = make<SegmentedControl>("lineSegmentedControl", frame(5, 100, 255, 25));
    line->setSegments({"solid", "dashed", "dotted", "none"}, {63, 63, 62, 62});
    make<QLineEdit>("altTextField", frame(5, 150, 255, 30));
    make<SegmentedControl>("scrollSegmentedControl", frame(5, 210, 255, 25));
    make<QLabel>("scrollTextFieldLabel");

    slider("shadowVerticalOffsetSlider", frame(5, 200, 205, 20), -20, 20, 1);
    numberField("shadowVerticalOffsetTextField", false);
    slider("shadowHorizontalOffsetSlider", frame(5, 200, 205, 20), -20, 20, 1);
    numberField("shadowHorizontalOffsetTextField", false);
    slider("shadowBlurSlider", frame(5, 200, 205, 20), 0, 20, 1);
    numberField("shadowBlurTextField", false);

    make<QPushButton>("imageMaskButton");
    make<QCheckBox>("imageMaskApplyCheckmark");
    // The rotation is picked on a dial.
    auto* dial = make<QDial>("rotationSlider");
    dial->setRange(0, 360);
    dial->setWrapping(true);
    dial->setNotchesVisible(false);
    numberField("rotationAngleTextField", false);
    make<QCheckBox>("rotationApplyCheckmark")->setText(localizedText(QStringLiteral("Apply Rotation")));
    m_handlers->connectActions();
    m_imageMasks->connectActions();
}

QList<CustomFont> InspectorPanel::fontMenuEntries(const QStringList& installedFamilies, bool noWebFonts)
{
    // Display and query names sorted as pairs, so a name never meets another's query.
    QList<QPair<QString, QString>> pairs = CustomFont::webFontCatalogue();
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(pairs.begin(), pairs.end(),
                     [&](const auto& a, const auto& b) { return collator.compare(a.first, b.first) < 0; });
    pairs.append({QStringLiteral("Arial"), QStringLiteral("Arial")});
    pairs.append({QStringLiteral("Helvetica"), QStringLiteral("Helvetica")});

    QList<CustomFont> entries;
    QSet<QString> listed;
    if (!noWebFonts) {
        for (const auto& [display, query] : pairs) {
            entries.append(CustomFont{display, query, false, true});
            listed.insert(display);
        }
    }
    // Only names already in the list are left out: with the web fonts off, an installed "Lato" stays.
    for (const QString& family : installedFamilies) {
        if (listed.contains(family))
            continue;
        listed.insert(family);
        entries.append(CustomFont{family, family, false, false});
    }
    return entries;
}

void InspectorPanel::fillFontPopup()
{
    auto* popup = control<QComboBox>(QStringLiteral("fontPopupButton"));
    if (!popup)
        return;
    const EditionSettings& e = edition();
    const QList<CustomFont> entries = fontMenuEntries(installedFamiliesSource()(), e.gNoCustomWebFontsFlag);
    const QColor orange = DataCentre::colorWithHexString(QStringLiteral("FF8C00"));
    const QStringList families = QFontDatabase::families();
    const QSet<QString> available(families.cbegin(), families.cend());
    popup->clear();
    for (int i = 0; i < entries.size(); ++i) {
        const CustomFont& entry = entries[i];
        popup->addItem(entry.fontName, entry.sourceCodeName);
        // A family the system cannot draw keeps a plain title.
        if (!available.contains(entry.fontName))
            continue;
        if (entry.isCustomFont)
            popup->setItemData(i, orange, Qt::ForegroundRole);
        if (e.gStyledFontMenuFlag || entry.isCustomFont) {
            QFont font(entry.fontName);
            font.setPointSize(15);
            if (e.gStyledFontMenuFlag)
                popup->setItemData(i, font, Qt::FontRole);
        }
    }
    popup->setCurrentIndex(-1);
}

QWidget* InspectorPanel::makeCaption(QWidget* parent, const QString& text, QRect rect, int pixelSize)
{
    auto* caption = new QLabel(text, parent);
    caption->setGeometry(rect);
    // Frames are in pixels, so caption sizes are too.
    QFont font = caption->font();
    font.setPixelSize(pixelSize);
    caption->setFont(font);
    caption->setStyleSheet(QStringLiteral("color: #555555; background: transparent;"));
    caption->show();
    return caption;
}

void InspectorPanel::registerControl(QWidget* control)
{
    if (control)
        m_controls.insert(control->objectName(), control);
}

void InspectorPanel::setAction(const char* controlName, std::function<void()> action)
{
    const QString name = QString::fromLatin1(controlName);
    m_actions.insert(name, std::move(action));
    connectAction(name);
}

// Made again after each binding of the control, so the action follows the binding's write.
void InspectorPanel::connectAction(const QString& controlName)
{
    disconnect(m_actionConnections.take(controlName));
    QWidget* widget = control(controlName);
    if (!widget || !m_actions.contains(controlName))
        return;
    auto run = [this, controlName] {
        if (const auto action = m_actions.value(controlName))
            action();
    };
    QMetaObject::Connection connection;
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        connection = connect(field, &QLineEdit::editingFinished, this, run);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        connection = connect(button, &QAbstractButton::clicked, this, run);
    else if (auto* spin = qobject_cast<QSpinBox*>(widget))
        connection = connect(spin, &QSpinBox::valueChanged, this, run);
    else if (auto* slider = qobject_cast<QAbstractSlider*>(widget))
        connection = connect(slider, &QAbstractSlider::valueChanged, this, run);
    else if (auto* segments = qobject_cast<SegmentedControl*>(widget))
        connection = connect(segments, &SegmentedControl::segmentActivated, this, run);
    else if (auto* popup = qobject_cast<QComboBox*>(widget))
        connection = connect(popup, &QComboBox::activated, this, run);
    m_actionConnections.insert(controlName, connection);
}

void InspectorPanel::rescueControls(QWidget* root)
{
    if (!root)
        return;
    for (const QPointer<QWidget>& widget : std::as_const(m_controls)) {
        if (widget && root->isAncestorOf(widget)) {
            widget->hide();
            widget->setParent(nullptr);
        }
    }
    if (m_owner) {
        for (QPushButton* button : m_owner->colorButtons()) {
            if (button && root->isAncestorOf(button)) {
                button->hide();
                button->setParent(nullptr);
            }
        }
    }
}

FlippedNSView* InspectorPanel::newScrollingArea(int height)
{
    if (!m_inspectorView)
        return nullptr;
    if (m_dragObjectsScrollView)
        detach(m_dragObjectsScrollView);
    const int switchHeight = m_sidebarSwitch ? m_sidebarSwitch->height() : 0;
    auto* scroll = new QScrollArea(m_inspectorView);
    scroll->setObjectName(QStringLiteral("dragObjectsScrollView"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setWidgetResizable(false);
    scroll->setGeometry(0, switchHeight, m_inspectorView->width(), m_inspectorView->height());
    auto* clip = new FlippedNSView;
    clip->setObjectName(QStringLiteral("dragObjectsClipView"));
    clip->setGeometry(0, 0, m_inspectorView->width(), std::max(0, height));
    scroll->setWidget(clip);
    scroll->show();
    m_dragObjectsScrollView = scroll;
    m_dragObjectsClipView = clip;
    return clip;
}

void InspectorPanel::place(QWidget* parent, const char* name, QRect rect)
{
    QWidget* widget = control(QString::fromLatin1(name));
    if (!widget || !parent)
        return;
    widget->setParent(parent);
    widget->setGeometry(rect);
    widget->show();
}

void InspectorPanel::placeSliderRow(QWidget* view, const char* caption, QRect captionFrame, const char* stem,
                                    int y, const SliderColumns& columns)
{
    makeCaption(view, localizedText(QString::fromLatin1(caption)), captionFrame);
    const QByteArray name(stem);
    place(view, (name + "Slider").constData(), frame(columns.sliderX, y, columns.sliderWidth, 20));
    place(view, (name + "TextField").constData(), frame(columns.fieldX, y, columns.fieldWidth, 25));
}

void InspectorPanel::createInspectorPanel()
{
    if (!m_inspectorView)
        return;
    m_inspectorView->setFixedSize(gInspectorWidth, gInspectorHeight);
    if (!edition().gSidebarInspectorFlag) {
        removeAllInspectorSubViews();
        clearInspectorComponentViews();
        setupInspectorViewCommonElements();
        createInspectorPanel_noDrag();
    } else if (!m_sidebarSwitch || m_sidebarSwitch->parentWidget() != m_inspectorView) {
        clearInspectorView();
    }
    switchInspectorView();
}

void InspectorPanel::setupInspectorViewCommonElements()
{
    InspectorView* view = m_inspectorView;
    if (!view)
        return;
    if (auto* tabs = control<SegmentedControl>(QStringLiteral("inspectorPanelSegmentedControl"))) {
        tabs->setSegments(localized({"Style", "Color", "Effects"}), {83, 83, 83});
        tabs->setSelectedIndex(0);
        disconnect(tabs, &SegmentedControl::segmentActivated, this, nullptr);
        connect(tabs, &SegmentedControl::segmentActivated, this, [this] { switchInspectorView(); });
        place(view, "inspectorPanelSegmentedControl", frame(0, 90, 255, 30));
    }
    auto* separator = new QFrame(view);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setGeometry(0, 130, gInspectorWidth, 1);
    separator->show();

    if (auto* lock = control<SegmentedControl>(QStringLiteral("lockSegmentedControl")))
        lock->setSegments(localized({"Unlock", "Lock"}), {125, 125});
    place(view, "lockSegmentedControl", frame(0, 50, 255, 40));
    const char* fields[] = {"originXTextField", "originYTextField", "widthTextField", "heightTextField"};
    const QStringList captions = {QStringLiteral("X"), QStringLiteral("Y"),
                                  localizedText(QStringLiteral("Width")),
                                  localizedText(QStringLiteral("Height"))};
    const int xs[] = {10, 70, 140, 200};
    for (int i = 0; i < 4; ++i) {
        place(view, fields[i], frame(xs[i], 25, 60, 25));
        static_cast<QLabel*>(makeCaption(view, captions[i], frame(xs[i], 5, 60, 20)))
            ->setAlignment(Qt::AlignHCenter);
    }
    for (const char* name : {"lockSegmentedControl", "originXTextField", "originYTextField", "widthTextField",
                             "heightTextField"})
        restoreBindingOf(name);
}

void InspectorPanel::createInspectorPanel_noDrag()
{
    const EditionSettings& e = edition();
    for (QPointer<FlippedNSView>& view : m_tabViews) {
        if (view) {
            detach(view);
            delete view;
        }
    }
    m_tabViews[0] = new FlippedNSView;
    m_tabViews[0]->setObjectName(QStringLiteral("fontView"));
    m_tabViews[0]->setGeometry(0, 0, 280, 400);
    m_tabViews[1] = new FlippedNSView;
    m_tabViews[1]->setObjectName(QStringLiteral("colorView"));
    m_tabViews[1]->setGeometry(0, 0, 300, 500);
    m_tabViews[2] = new FlippedNSView;
    m_tabViews[2]->setObjectName(QStringLiteral("effectsView"));
    m_tabViews[2]->setGeometry(0, 0, 300, 500);

    // Style
    QWidget* style = m_tabViews[0];
    place(style, "fontPopupButton", frame(0, 10, 255, 30));
    if (auto* sizeBox = control<QLineEdit>(QStringLiteral("fontSizeTextbox"))) {
        sizeBox->setAlignment(Qt::AlignCenter);
        sizeBox->setFont(QFont(QStringLiteral("Helvetica Neue"), 20));
    }
    place(style, "fontSizeTextbox", frame(190, 45, 50, 30));
    place(style, "fontSizeStepper", frame(230, 45, 40, 25));
    if (auto* align = control<SegmentedControl>(QStringLiteral("textAlignmentSegmentedControl")))
        align->setSegments({QStringLiteral("Left"), QStringLiteral("Centre"), QStringLiteral("Right")},
                           {55, 55, 55});
    place(style, "textAlignmentSegmentedControl", frame(10, 40, 170, 40));
    const QString border = localizedText(QStringLiteral("Border"));
    makeCaption(style,
                e.gWideFormattingRangeFlag
                    ? QStringLiteral("%1 / %2").arg(border, localizedText(QStringLiteral("Line")))
                    : border,
                frame(5, 80, 100, 20));
    if (auto* borders = control<SegmentedControl>(QStringLiteral("borderSegmentedControl")))
        borders->setSegments({"solid", "dashed", "dotted", "none"}, {63, 63, 62, 62});
    place(style, "borderSegmentedControl", frame(5, 100, 255, 25));
    place(style, "borderWidthSlider", frame(5, 140, 205, 20));
    place(style, "borderWidthTextField", frame(215, 140, 45, 25));
    placeSliderRow(style, "Opacity", frame(5, 180, 60, 20), "opacity", 200, {5, 205, 215, 45});
    placeSliderRow(style, "Radius", frame(5, 230, 100, 20), "cornerRadius", 250, {5, 205, 215, 45});
    place(style, "linkTextFieldLabel", frame(5, 290, 100, 20));
    if (auto* link = control<QLineEdit>(QStringLiteral("hyperLinkTextField")))
        link->setPlaceholderText(QStringLiteral("http://"));
    place(style, "hyperLinkTextField", frame(5, 310, 255, 30));
    if (auto* target = control<SegmentedControl>(QStringLiteral("linkOptionSegmentedControl")))
        target->setSegments({"_self", "_blank", "_parent"}, {83, 83, 83});
    place(style, "linkOptionSegmentedControl", frame(5, 340, 255, 40));

    // Color
    QWidget* colour = m_tabViews[1];
    makeCaption(colour, QStringLiteral("Last Color Hex Code:"), frame(50, 10, 250, 20), 10);
    m_colorSelector->refreshColorLabels(colour);
    if (m_owner)
        m_owner->refreshColorButtons();

    // Effects
    QWidget* effects = m_tabViews[2];
    makeCaption(effects, localizedText(QStringLiteral("Shadow")), frame(5, 5, 100, 20));
    if (auto* shadow = control<SegmentedControl>(QStringLiteral("shadowSegmentedControl")))
        shadow->setSegments({QStringLiteral("No Shadow"), QStringLiteral("Shadow")}, {125, 125});
    place(effects, "shadowSegmentedControl", frame(5, 25, 255, 25));
    placeSliderRow(effects, "Image Reflection", frame(5, 60, 200, 20), "reflectionSize", 90,
                   {10, 185, 195, 60});
    placeSliderRow(effects, "Paragraph Line Spacing", frame(5, 130, 200, 20), "lineSpacing", 160,
                   {10, 185, 195, 60});
    for (const char* shown : {"reflectionSizeTextField", "lineSpacingTextField"}) {
        if (auto* field = control<QLineEdit>(QString::fromLatin1(shown))) {
            field->setReadOnly(true);
            field->setEnabled(false);
        }
    }
    if (auto* alt = control<QLineEdit>(QStringLiteral("altTextField")))
        alt->setPlaceholderText(localizedText(QStringLiteral("Image Tooltip Text")));
    place(effects, "altTextField", frame(5, 200, 255, 30));
    if (auto* scroll = control<SegmentedControl>(QStringLiteral("scrollSegmentedControl")))
        scroll->setSegments({QStringLiteral("Scrolling"), QStringLiteral("Non Scrolling")}, {125, 125});
    place(effects, "scrollSegmentedControl", frame(5, 240, 255, 25));
    if (auto* note = control<QLabel>(QStringLiteral("scrollTextFieldLabel"))) {
        note->setText(QStringLiteral("*Preview to see scroll effects"));
        QFont font = note->font();
        font.setPixelSize(10);
        note->setFont(font);
        note->setStyleSheet(QStringLiteral("color: grey;"));
    }
    place(effects, "scrollTextFieldLabel", frame(10, 270, 150, 20));

    for (const char* name :
         {"lockSegmentedControl", "inspectorPanelSegmentedControl", "fontPopupButton",
          "borderSegmentedControl", "hyperLinkTextField", "linkOptionSegmentedControl",
          "shadowSegmentedControl", "scrollSegmentedControl", "altTextField", "scrollTextFieldLabel"})
        centerInView(m_inspectorView, control(QString::fromLatin1(name)));

    for (const char* name :
         {"fontPopupButton", "fontSizeStepper", "fontSizeTextbox", "textAlignmentSegmentedControl",
          "borderSegmentedControl", "borderWidthSlider", "borderWidthTextField", "opacitySlider",
          "opacityTextField", "cornerRadiusSlider", "cornerRadiusTextField", "hyperLinkTextField",
          "linkOptionSegmentedControl", "shadowSegmentedControl", "reflectionSizeSlider",
          "reflectionSizeTextField", "lineSpacingSlider", "altTextField", "scrollSegmentedControl"})
        restoreBindingOf(name);
}

void InspectorPanel::centerInView(const QWidget* container, QWidget* control)
{
    if (!control)
        return;
    const QRect r = control->geometry();
    const int half = container ? int(container->width() * 0.5) : 0;
    const int left = r.x();
    const int right = r.x() + r.width();
    const int x = half - left - (right - left) / 2 + r.x();
    control->setGeometry(x, r.y(), r.width(), r.height());
}

void InspectorPanel::switchInspectorView()
{
    if (edition().gSidebarInspectorFlag) {
        switchSideBarView();
        return;
    }
    auto* tabs = control<SegmentedControl>(QStringLiteral("inspectorPanelSegmentedControl"));
    if (!m_inspectorView)
        return;
    if (tabs && tabs->selectedIndex() < 0)
        tabs->setSelectedIndex(0);
    for (QPointer<FlippedNSView>& view : m_tabViews) {
        if (view) {
            view->hide();
            view->setParent(nullptr);
        }
    }
    const QObjectList snapshot = m_inspectorView->children();
    for (QObject* child : snapshot) {
        if (auto* flipped = qobject_cast<FlippedNSView*>(child))
            detach(flipped);
    }
    const int index = tabs ? std::clamp(tabs->selectedIndex(), 0, 2) : 0;
    if (FlippedNSView* shown = m_tabViews[index]) {
        m_inspectorView->addNewViews(shown);
    }
    for (QPointer<FlippedNSView>& view : m_tabViews) {
        if (view)
            view->setGeometry(0, 140, gInspectorWidth, gInspectorHeight);
    }
    m_inspectorView->update();
}

void InspectorPanel::switchSideBarView()
{
    if (!m_sidebarSwitch)
        return;
    const int segment = m_sidebarSwitch->selectedIndex();
    const std::function<void()>* builders[3] = {&showObjectsList, &showFormattingOptions, &showLayers};
    if (segment < 0 || segment > 2)
        return;
    ++m_sidebarBuilds[segment];
    if (*builders[segment])
        (*builders[segment])();
}

void InspectorPanel::graphicTouched()
{
    if (edition().gSidebarInspectorFlag) {
        if (m_sidebarSwitch && m_sidebarSwitch->selectedIndex() == 1) {
            ++m_sidebarBuilds[1];
            if (showFormattingOptions)
                showFormattingOptions();
        }
        return;
    }
    // Only a panel the user hid counts; one whose window is not yet shown still follows.
    if (!m_inspectorView ||
        (m_inspectorView->isHidden() && m_inspectorView->testAttribute(Qt::WA_WState_ExplicitShowHide)))
        return;
    restoreBinding();
}

void InspectorPanel::restoreBindingOf(const char* controlName)
{
    for (const BindingRow& row : bindingTable()) {
        if (qstrcmp(row.control, controlName) == 0) {
            m_binder.bind(control(QString::fromLatin1(row.control)), QString::fromLatin1(row.binding),
                          QString::fromLatin1(row.key), row.options);
            connectAction(QString::fromLatin1(row.control));
        }
    }
}

void InspectorPanel::restoreBinding()
{
    ++m_restoreBindingCount;
    for (const BindingRow& row : bindingTable()) {
        m_binder.bind(control(QString::fromLatin1(row.control)), QString::fromLatin1(row.binding),
                      QString::fromLatin1(row.key), row.options);
        connectAction(QString::fromLatin1(row.control));
    }
}

void InspectorPanel::unbindEverything()
{
    for (const BindingRow& row : bindingTable())
        m_binder.unbind(control(QString::fromLatin1(row.control)), QString::fromLatin1(row.binding));
}

void InspectorPanel::clearInspectorView()
{
    if (!m_inspectorView)
        return;
    if (!m_sidebarSwitch || m_sidebarSwitch->parentWidget() != m_inspectorView) {
        auto* sidebar = new SegmentedControl(m_inspectorView);
        sidebar->setObjectName(QStringLiteral("sidebarSwitchSegmentedControl"));
        const int third = m_inspectorView->width() / 3;
        sidebar->setSegments(localized({"Add", "Format", "Layers"}), {third, third, third});
        sidebar->segmentButton(0)->setToolTip(QStringLiteral("format_panel_add"));
        sidebar->segmentButton(1)->setToolTip(QStringLiteral("format_panel_format"));
        sidebar->segmentButton(2)->setToolTip(QStringLiteral("format_panel_layer"));
        sidebar->setGeometry(-2, 0, m_inspectorView->width(), 30);
        sidebar->setSelectedIndex(0);
        connect(sidebar, &SegmentedControl::segmentActivated, this, [this] { switchSideBarView(); });
        sidebar->show();
        m_sidebarSwitch = sidebar;
    }
    removeAllInspectorSubViews();
}

void InspectorPanel::removeAllInspectorSubViews()
{
    if (!m_inspectorView)
        return;
    const QObjectList snapshot = m_inspectorView->children();
    for (QObject* child : snapshot) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget != m_sidebarSwitch)
            detach(widget);
    }
}

void InspectorPanel::clearInspectorComponentViews()
{
    for (QPointer<FlippedNSView>& view : m_tabViews) {
        if (!view)
            continue;
        const QObjectList snapshot = view->children();
        for (QObject* child : snapshot) {
            if (auto* widget = qobject_cast<QWidget*>(child))
                detach(widget);
        }
    }
}

bool InspectorPanel::isKept(const QWidget* widget) const
{
    if (m_controls.value(widget->objectName()) == widget)
        return true;
    for (const QPointer<FlippedNSView>& view : m_tabViews) {
        if (view == widget)
            return true;
    }
    if (m_owner) {
        for (const QPushButton* button : m_owner->colorButtons()) {
            if (button == widget)
                return true;
        }
    }
    return false;
}

// Takes a widget out of its superview: the window's long-lived controls and tab views are kept for
// the next build, captions and separators made by a build go away.
void InspectorPanel::detach(QWidget* widget)
{
    if (!widget)
        return;
    if (!isKept(widget)) {
        // A caption holds nothing of ours, but a scrolling area's tiles hold the controls.
        rescueControls(widget);
        widget->hide();
        widget->deleteLater();
        widget->setParent(nullptr);
        return;
    }
    if (qobject_cast<FlippedNSView*>(widget)) {
        const QObjectList snapshot = widget->children();
        for (QObject* child : snapshot) {
            if (auto* inner = qobject_cast<QWidget*>(child); inner && isKept(inner))
                detach(inner);
        }
    }
    widget->hide();
    widget->setParent(nullptr);
}
