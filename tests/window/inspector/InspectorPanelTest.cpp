// The inspector's panel: building it (again), its tabs, centring, the sidebar switch and which
// selection changes rebind or rebuild, and the font pop-up's list.
#include "window/WindowTestSupport.h"
#include "window/inspector/SidebarInspectorTest.h"

#include "editions/CustomFont.h"
#include "editions/DataCentre.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/InspectorView.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/SegmentedControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QTest>
#include <QToolButton>

namespace {

class InspectorPanelTest : public WindowTest
{
protected:
    InspectorPanel* panel(DRVWindowController& c) { return c.inspector(); }
};

QStringList fontTitles(const QList<CustomFont>& entries)
{
    QStringList titles;
    for (const CustomFont& e : entries)
        titles.append(e.fontName);
    return titles;
}

} // namespace

TEST_F(InspectorPanelTest, RebuildingKeepsOneOfEachControlAndShowsStyle)
{
    edition().gSidebarInspectorFlag = false;
    DRVWindowController controller;
    controller.showWindow();
    InspectorPanel* p = panel(controller);
    auto* tabs = p->control<SegmentedControl>(QStringLiteral("inspectorPanelSegmentedControl"));
    QTest::mouseClick(tabs->segmentButton(2), Qt::LeftButton);
    EXPECT_EQ(p->effectsView()->parentWidget(), controller.inspectorView());
    EXPECT_EQ(p->fontView()->parentWidget(), nullptr);

    controller.createInspectorPanel();
    controller.createInspectorPanel();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tabs->selectedIndex(), 0);
    EXPECT_EQ(p->fontView()->parentWidget(), controller.inspectorView());
    EXPECT_EQ(p->fontView()->geometry(), QRect(0, 140, 270, 540));
    EXPECT_EQ(controller.inspectorView()
                  ->findChildren<SegmentedControl*>(QStringLiteral("lockSegmentedControl"))
                  .size(),
              1);
    EXPECT_EQ(controller.inspectorView()->findChildren<QWidget*>(QStringLiteral("originXTextField")).size(),
              1);
    int widthCaptions = 0;
    for (QLabel* label : controller.inspectorView()->findChildren<QLabel*>())
        widthCaptions += label->text() == QStringLiteral("Width");
    EXPECT_EQ(widthCaptions, 1);
    EXPECT_EQ(controller.inspectorView()->findChildren<FlippedNSView*>().size(), 1);
    // The centred controls.
    EXPECT_EQ(p->control(QStringLiteral("borderSegmentedControl"))->x(), 8);
    EXPECT_EQ(p->control(QStringLiteral("scrollTextFieldLabel"))->x(), 60);

    for (int tab = 0; tab < 3; ++tab) {
        QTest::mouseClick(tabs->segmentButton(tab), Qt::LeftButton);
        keepScreenshot(controller.inspectorView(), QStringList{"inspector-style.png", "inspector-color.png",
                                                               "inspector-effects.png"}[tab]);
    }
    keepScreenshot(controller.window(), QStringLiteral("inspector-window.png"));
}

TEST_F(InspectorPanelTest, CentringUsesWholePoints)
{
    QWidget container;
    container.resize(270, 540);
    QWidget wide(&container), narrow(&container);
    wide.setGeometry(5, 100, 255, 25);
    narrow.setGeometry(10, 270, 150, 20);
    InspectorPanel::centerInView(&container, &wide);
    InspectorPanel::centerInView(&container, &narrow);
    EXPECT_EQ(wide.geometry(), QRect(8, 100, 255, 25));
    EXPECT_EQ(narrow.geometry(), QRect(60, 270, 150, 20));
    InspectorPanel::centerInView(nullptr, &narrow);
    EXPECT_EQ(narrow.x(), -75);
    InspectorPanel::centerInView(&container, nullptr);
}

TEST_F(InspectorPanelTest, SelectionChangesRebindOrRebuildAsTheLayoutAsks)
{
    const struct
    {
        bool sidebar;
        bool hidden;
        int segment;
        int rebinds;
        int formatBuilds;
    } rows[] = {
        {false, false, -1, 1, 0}, {false, true, -1, 0, 0}, {true, false, 0, 0, 0},
        {true, false, 1, 0, 1},   {true, false, 2, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.sidebar << row.hidden << row.segment);
        edition().gSidebarInspectorFlag = row.sidebar;
        DRVWindowController controller;
        controller.window();
        InspectorPanel* p = panel(controller);
        if (row.sidebar) {
            ASSERT_NE(p->sidebarSwitchSegmentedControl(), nullptr);
            p->sidebarSwitchSegmentedControl()->setSelectedIndex(row.segment);
        }
        controller.inspectorView()->setHidden(row.hidden);
        const int rebinds = p->restoreBindingCount();
        const int builds = p->sidebarTabBuildCount(1);
        controller.graphicTouched();
        EXPECT_EQ(p->restoreBindingCount() - rebinds, row.rebinds + row.formatBuilds);
        EXPECT_EQ(p->sidebarTabBuildCount(1) - builds, row.formatBuilds);
    }
}

TEST_F(InspectorPanelTest, SidebarSwitchIsMadeOnceAndRoutesItsSegments)
{
    edition().gSidebarInspectorFlag = true;
    DRVWindowController controller;
    controller.showWindow();
    InspectorPanel* p = panel(controller);
    controller.clearInspectorView();
    controller.clearInspectorView();
    EXPECT_EQ(controller.inspectorView()
                  ->findChildren<SegmentedControl*>(QStringLiteral("sidebarSwitchSegmentedControl"))
                  .size(),
              1);
    SegmentedControl* sidebar = p->sidebarSwitchSegmentedControl();
    for (int segment = 0; segment < 3; ++segment) {
        const int before = p->sidebarTabBuildCount(segment);
        QTest::mouseClick(sidebar->segmentButton(segment), Qt::LeftButton);
        EXPECT_EQ(p->sidebarTabBuildCount(segment) - before, 1) << segment;
    }
    EXPECT_EQ(sidebar->geometry(), QRect(-2, 0, 270, 30));
    keepScreenshot(controller.inspectorView(), QStringLiteral("inspector-sidebar-switch.png"));
}

TEST(InspectorFontList, OrderAndNothingLost)
{
    const QStringList installed = {QStringLiteral("Lato"), QStringLiteral("Zeta Sans"),
                                   QStringLiteral("Arial"), QStringLiteral("Zeta Sans")};
    const QList<CustomFont> withWeb = InspectorPanel::fontMenuEntries(installed, false);
    const QStringList titles = fontTitles(withWeb);
    ASSERT_EQ(titles.size(), 52);
    EXPECT_EQ(titles.first(), QStringLiteral("Actor"));
    EXPECT_EQ(titles.mid(48, 4), (QStringList{"Vollkorn", "Arial", "Helvetica", "Zeta Sans"}));
    EXPECT_LT(titles.indexOf("Poiret One"), titles.indexOf("PT Mono"));
    EXPECT_LT(titles.indexOf("PT Mono"), titles.indexOf("PT Sans"));
    // Every display name keeps its own query name.
    for (const CustomFont& e : withWeb) {
        if (e.fontName == QLatin1String("Passion")) {
            EXPECT_EQ(e.sourceCodeName, QStringLiteral("Passion+One"));
        }
        if (e.fontName == QLatin1String("Lato")) {
            EXPECT_EQ(e.sourceCodeName, QStringLiteral("Lato:300"));
        }
    }
    EXPECT_TRUE(withWeb.first().isCustomFont);
    EXPECT_FALSE(withWeb.last().isCustomFont);

    // Without the web fonts the installed families are all there, once each.
    EXPECT_EQ(fontTitles(InspectorPanel::fontMenuEntries(installed, true)),
              (QStringList{"Lato", "Zeta Sans", "Arial"}));
}

TEST_F(InspectorPanelTest, FontPopupFollowsTheEditionFlags)
{
    InspectorPanel::setInstalledFamiliesSource([] { return QStringList{"Lato", "Helvetica", "Zeta Sans"}; });
    const struct
    {
        bool noWebFonts;
        int count;
        const char* first;
    } rows[] = {{false, 52, "Actor"}, {true, 3, "Lato"}};
    for (const auto& row : rows) {
        edition().gNoCustomWebFontsFlag = row.noWebFonts;
        DRVWindowController controller;
        controller.window();
        auto* popup = controller.inspector()->control<QComboBox>(QStringLiteral("fontPopupButton"));
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->count(), row.count);
        EXPECT_EQ(popup->itemText(0), QString::fromLatin1(row.first));
    }
    InspectorPanel::setInstalledFamiliesSource(nullptr);
}

TEST(FontCatalogue, PreparedTwiceHoldsFortyNineUnusedRecords)
{
    DataCentre::prepCustomFont();
    gCustomFontList()[3].isUsed = true;
    DataCentre::prepCustomFont();
    const QList<CustomFont>& list = gCustomFontList();
    ASSERT_EQ(list.size(), 49);
    EXPECT_EQ(list.first().fontName, QStringLiteral("Actor"));
    EXPECT_EQ(list.last().sourceCodeName, QStringLiteral("Vollkorn"));
    for (const CustomFont& font : list)
        EXPECT_FALSE(font.isUsed) << font.fontName.toStdString();
}
