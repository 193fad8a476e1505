// The inspector of one document window: its controls, made once per window, the tabbed panel
// (Style, Color, Effects) or the sidebar's three-segment switch that places them, and the bindings
// that tie the controls to the main window's selection.
#pragma once
#include "editions/CustomFont.h"
#include "window/inspector/InspectorBinder.h"
#include "window/inspector/SegmentedControl.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class ColorSelector;
class DRVWindowController;
class FlippedNSView;
class FormattingOptions;
class InspectorView;
class ImageMasks;
class LayerList;
class PresetPickers;
class PropertyHandlers;
class QComboBox;
class QScrollArea;

class InspectorPanel : public QObject
{
    Q_OBJECT
public:
    static constexpr int gInspectorWidth = 270;
    static constexpr int gInspectorHeight = 540;

    InspectorPanel(DRVWindowController* owner, InspectorView* inspectorView);
    ~InspectorPanel() override;

    InspectorView* inspectorView() const { return m_inspectorView; }
    // A control by its name ("originXTextField", ...); nullptr for one never made.
    QWidget* control(const QString& name) const { return m_controls.value(name); }
    template <class T> T* control(const QString& name) const { return qobject_cast<T*>(control(name)); }
    FlippedNSView* fontView() const { return m_tabViews[0]; }
    FlippedNSView* colorView() const { return m_tabViews[1]; }
    FlippedNSView* effectsView() const { return m_tabViews[2]; }
    SegmentedControl* sidebarSwitchSegmentedControl() const { return m_sidebarSwitch; }
    InspectorBinder& binder() { return m_binder; }
    FormattingOptions* formattingOptions() const { return m_formattingOptions; }
    LayerList* layerList() const { return m_layerList; }
    ColorSelector* colorSelector() const { return m_colorSelector; }
    PropertyHandlers* handlers() const { return m_handlers; }
    ImageMasks* imageMasks() const { return m_imageMasks; }
    PresetPickers* presetPickers() const { return m_presetPickers; }

    // Keeps a control made outside initializeInspectorElements under its object name (a later one
    // of the same name replaces it).
    void registerControl(QWidget* control);
    // Puts the named control into parent at rect and shows it.
    void place(QWidget* parent, const char* name, QRect rect);
    // A grey caption in parent.
    QWidget* makeCaption(QWidget* parent, const QString& text, QRect frame, int pixelSize = 12);
    // What the control does after its binding wrote the user's change: runs on the control's edit
    // signal (text committed, click, segment, item, slider or stepper move), after the binding.
    void setAction(const char* controlName, std::function<void()> action);
    // Takes the window's long-lived controls out of root's tree before root goes away.
    void rescueControls(QWidget* root);
    // A fresh scrolling area under the sidebar switch (the previous one is taken away first) and its
    // document view, height high.
    FlippedNSView* newScrollingArea(int height);
    QScrollArea* dragObjectsScrollView() const { return m_dragObjectsScrollView; }
    FlippedNSView* dragObjectsClipView() const { return m_dragObjectsClipView; }

    // Makes every control, once; later calls do nothing.
    void initializeInspectorElements();
    // Sizes the inspector; in the tabbed layout rebuilds the whole panel; shows the current tab.
    void createInspectorPanel();
    void setupInspectorViewCommonElements();
    void createInspectorPanel_noDrag();
    void switchInspectorView();
    void switchSideBarView();
    // Centres control horizontally in container (whole points, as the frames are).
    static void centerInView(const QWidget* container, QWidget* control);

    // The selection of the canvas changed: rebinds or rebuilds the formatting tab as the layout asks.
    void graphicTouched();
    void restoreBinding();
    void unbindEverything();

    void clearInspectorView();
    void removeAllInspectorSubViews();
    void clearInspectorComponentViews();

    // The sidebar's three tabs are built by their own parts of the window; until they are set, a tab
    // only clears the inspector (the formatting tab also rebinds).
    std::function<void()> showObjectsList;
    std::function<void()> showFormattingOptions;
    std::function<void()> showLayers;

    // The font pop-up's entries: the web fonts (unless noWebFonts), "Arial" and "Helvetica", then the
    // installed families not already listed.
    static QList<CustomFont> fontMenuEntries(const QStringList& installedFamilies, bool noWebFonts);
    // Where the installed families come from (the font database unless a test sets it).
    static void setInstalledFamiliesSource(std::function<QStringList()> source);

    // For tests: calls of restoreBinding, and builds of each sidebar tab.
    int restoreBindingCount() const { return m_restoreBindingCount; }
    int sidebarTabBuildCount(int segment) const { return m_sidebarBuilds[segment]; }

private:
    template <class T> T* make(const char* name, QRect frame = {});
    void connectAction(const QString& controlName);
    struct SliderColumns
    {
        int sliderX, sliderWidth, fieldX, fieldWidth;
    };
    // A caption, then the slider and text field named stem+"Slider" and stem+"TextField" on row y.
    void placeSliderRow(QWidget* view, const char* caption, QRect captionFrame, const char* stem, int y,
                        const SliderColumns& columns);
    void fillFontPopup();
    // The bindings of one control, as restoreBinding makes them.
    void restoreBindingOf(const char* controlName);
    void detach(QWidget* widget);
    bool isKept(const QWidget* widget) const;

    DRVWindowController* m_owner;
    QPointer<InspectorView> m_inspectorView;
    QHash<QString, QPointer<QWidget>> m_controls;
    QPointer<FlippedNSView> m_tabViews[3];
    QPointer<SegmentedControl> m_sidebarSwitch;
    InspectorBinder m_binder;
    QHash<QString, std::function<void()>> m_actions;
    QHash<QString, QMetaObject::Connection> m_actionConnections;
    FormattingOptions* m_formattingOptions = nullptr;
    LayerList* m_layerList = nullptr;
    ColorSelector* m_colorSelector = nullptr;
    PropertyHandlers* m_handlers = nullptr;
    ImageMasks* m_imageMasks = nullptr;
    PresetPickers* m_presetPickers = nullptr;
    QPointer<QScrollArea> m_dragObjectsScrollView;
    QPointer<FlippedNSView> m_dragObjectsClipView;
    bool m_initialized = false;
    int m_restoreBindingCount = 0;
    int m_sidebarBuilds[3] = {};
};
