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

class DRVWindowController;
class FlippedNSView;
class InspectorView;
class QComboBox;

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
    QWidget* makeCaption(QWidget* parent, const QString& text, QRect frame, int pixelSize = 12);
    void place(QWidget* parent, const char* name, QRect frame);
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
    bool m_initialized = false;
    int m_restoreBindingCount = 0;
    int m_sidebarBuilds[3] = {};
};
