// The Format tab: which groups a selection and an edition show, in what order and where, driven
// through the window's sidebar switch and canvas selection.
#include "window/inspector/SidebarInspectorTest.h"

#include "document/DRVDocument.h"
#include "model/DRVImage.h"
#include "model/DRVLine.h"
#include "model/DRVRectangle.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/inspector/FormatCatalogue.h"
#include "window/inspector/FormatIconView.h"
#include "window/inspector/FormattingOptions.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/SegmentedControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

namespace {

QStringList shownIds(const QStringList& types, const FormatCatalogue::Edition& edition)
{
    const QList<bool> used = FormatCatalogue::usedGroups(types, edition);
    QStringList ids;
    for (int i = 0; i < int(used.size()); ++i) {
        if (used.at(i))
            ids.append(FormatCatalogue::groups().at(i).id);
    }
    return ids;
}

} // namespace

TEST(FormatCatalogue, HoldsThirtyFourGroupsWithUniqueIds)
{
    const QList<FormatGroup>& groups = FormatCatalogue::groups();
    ASSERT_EQ(groups.size(), 34);
    QSet<QString> ids;
    for (const FormatGroup& g : groups)
        ids.insert(g.id);
    EXPECT_EQ(ids.size(), 34);
    EXPECT_EQ(groups.first().title, QStringLiteral("Position and Size"));
    EXPECT_EQ(groups.last().title, QStringLiteral("Rotation"));
    EXPECT_EQ(groups.at(FormatCatalogue::indexOf(QStringLiteral("padding"))).iconViewHeight, 160);
    EXPECT_EQ(groups.at(FormatCatalogue::indexOf(QStringLiteral("imageMask"))).dragAndDropCodeName,
              QStringLiteral("ImageMask"));
    EXPECT_EQ(groups.at(FormatCatalogue::indexOf(QStringLiteral("canvasColor"))).dragAndDropCodeName,
              QStringLiteral("canvasColorButton"));
}

TEST(FormatCatalogue, FilterTableByKindsCategoryAndLayout)
{
    const QString brumel = QStringLiteral("Brumel Responsive Email Designer");
    const struct
    {
        QStringList types;
        FormatCatalogue::Edition edition;
        QStringList ids;
    } rows[] = {
        {{"Canvas"}, {"Quib", "x", false}, {"canvasColor"}},
        {{"Canvas"}, {"", "x", true}, {"canvasColor"}},
        {{"Text"},
         {"Quib", "x", false},
         {"positionAndSize", "positionLock",     "fontStyleAndSize", "textAlignment", "textColor",
          "shapeColor",      "hoverTextColor",   "hoverShapeColor",  "borderColor",   "borderType",
          "borderThickness", "lineSpacing",      "cornerRadius",     "opacity",       "shadow",
          "shadowBlur",      "shadowHorizontal", "shadowVertical",   "hyperlink",     "linkLaunchWindow",
          "scrollLock",      "rotation"}},
        {{"Section"}, {"Mail", brumel, true}, {"positionAndSize", "padding", "shapeColor"}},
        {{"Section"}, {"Mail", "Other Mail", true}, {"positionAndSize", "padding", "margin", "shapeColor"}},
        {{"Section"},
         {"Kestrin", "x", false},
         {"padding", "margin", "sectionColumnBuffer", "sectionID", "initialLaunchState", "shapeColor"}},
        {{"Line"},
         {"Quib", "x", false},
         {"positionLock", "borderColor", "lineThickness", "linePattern", "opacity"}},
        // An edition without a category sees the "All" groups only.
        {{"Text"}, {"", "x", false}, {"fontStyleAndSize", "textAlignment", "textColor", "shapeColor"}},
        // A kind no group lists.
        {{""}, {"Quib", "x", false}, {}},
        // Responsive: an image alone has no border groups.
        {{"Image"},
         {"Quib", "x", true},
         {"positionAndSize", "imageMask", "positionLock", "opacity", "reflection", "shadow", "shadowBlur",
          "shadowHorizontal", "shadowVertical", "hyperlink", "linkLaunchWindow", "imageTooltip", "scrollLock",
          "rotation"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.types.join(',').toStdString() + " / " + row.edition.category.toStdString());
        EXPECT_EQ(shownIds(row.types, row.edition), row.ids);
    }
}

TEST(FormatCatalogue, MixedSelectionsShowTheSameGroupsInEitherOrder)
{
    const FormatCatalogue::Edition responsive{"Quib", "x", true};
    const QStringList textThenImage = shownIds({"Text", "Image"}, responsive);
    EXPECT_EQ(textThenImage, shownIds({"Image", "Text"}, responsive));
    // The text box keeps the border groups that the image alone would not have.
    EXPECT_TRUE(textThenImage.contains(QStringLiteral("borderThickness")));
    EXPECT_TRUE(textThenImage.contains(QStringLiteral("imageMask")));
    EXPECT_TRUE(textThenImage.contains(QStringLiteral("fontStyleAndSize")));
}

TEST(FormatCatalogue, LayoutStacksShownTilesUnderTheHeading)
{
    QList<bool> used(34, false);
    used[FormatCatalogue::indexOf(QStringLiteral("canvasColor"))] = true;
    FormatCatalogue::Layout layout = FormatCatalogue::layout(used, 40, 270);
    EXPECT_EQ(layout.frames.at(FormatCatalogue::indexOf(QStringLiteral("canvasColor"))),
              QRect(0, 40, 270, 100));
    EXPECT_EQ(layout.documentHeight, 220);

    used[FormatCatalogue::indexOf(QStringLiteral("padding"))] = true;
    layout = FormatCatalogue::layout(used, 20, 270);
    EXPECT_EQ(layout.frames.at(FormatCatalogue::indexOf(QStringLiteral("padding"))), QRect(0, 20, 270, 160));
    EXPECT_EQ(layout.frames.at(FormatCatalogue::indexOf(QStringLiteral("canvasColor"))),
              QRect(0, 180, 270, 100));
    EXPECT_EQ(layout.documentHeight, 320);
}

class FormattingOptionsTest : public SidebarInspectorTest
{
protected:
    FormattingOptionsTest()
    {
        text->setBounds(QRectF(10, 10, 120, 40));
        image->setBounds(QRectF(10, 80, 60, 60));
        line->setBounds(QRectF(100, 100, 80, 2));
        open({text, image, line}, 0);
    }

    QStringList shownTitles() const
    {
        QStringList titles;
        for (FormatIconView* tile : panel->formattingOptions()->catalogue()) {
            if (tile->parentWidget() == panel->dragObjectsClipView() &&
                tile->isVisibleTo(tile->parentWidget()))
                titles.append(tile->objectTitle());
        }
        return titles;
    }

    DRVText* text = new DRVText;
    DRVImage* image = new DRVImage;
    DRVLine* line = new DRVLine;
};

TEST_F(FormattingOptionsTest, EmptySelectionShowsOnlyTheBackgroundColour)
{
    clickTab(1);
    FormattingOptions* format = panel->formattingOptions();
    EXPECT_EQ(panel->sidebarSwitchSegmentedControl()->selectedIndex(), 1);
    EXPECT_EQ(format->formatPanelLabelTextField()->text(),
              QStringLiteral("Nothing selected.\nSelect an object to format."));
    EXPECT_EQ(format->formatPanelLabelTextField()->height(), 40);
    EXPECT_EQ(shownTitles(), QStringList{QStringLiteral("Color - Background")});
    EXPECT_EQ(format->tileForGroup(QStringLiteral("canvasColor"))->geometry(), QRect(0, 40, 270, 100));
    EXPECT_EQ(panel->dragObjectsClipView()->height(), 220);
    EXPECT_EQ(controller.canvasColorButton()->parentWidget(),
              format->tileForGroup(QStringLiteral("canvasColor")));
    keepScreenshot(controller.inspectorView(), QStringLiteral("format-empty.png"));
}

TEST_F(FormattingOptionsTest, SelectionChangesRebuildTheTabWithTheGroupsOfTheKinds)
{
    clickTab(1);
    select({0});
    FormattingOptions* format = panel->formattingOptions();
    EXPECT_EQ(format->formatPanelLabelTextField()->text(), QStringLiteral("1 object selected"));
    const QStringList textTitles = shownTitles();
    ASSERT_EQ(textTitles.size(), 22);
    EXPECT_EQ(textTitles.first(), QStringLiteral("Position and Size"));
    EXPECT_EQ(textTitles.last(), QStringLiteral("Rotation"));
    EXPECT_EQ(format->tileForGroup(QStringLiteral("positionAndSize"))->geometry(), QRect(0, 20, 270, 100));
    // The window's own controls sit in their tiles, bound to the selection.
    auto* x = panel->control<QLineEdit>(QStringLiteral("originXTextField"));
    EXPECT_EQ(x->parentWidget(), format->tileForGroup(QStringLiteral("positionAndSize")));
    EXPECT_EQ(x->geometry(), QRect(20, 60, 50, 25));
    EXPECT_EQ(x->text(), QStringLiteral("10"));
    keepScreenshot(controller.inspectorView(), QStringLiteral("format-text.png"));

    select({1});
    EXPECT_TRUE(shownTitles().contains(QStringLiteral("Image Mask")));
    EXPECT_FALSE(shownTitles().contains(QStringLiteral("Font Style and Font Size")));
    keepScreenshot(controller.inspectorView(), QStringLiteral("format-image.png"));

    select({0, 1});
    EXPECT_EQ(format->formatPanelLabelTextField()->text(), QStringLiteral("2 objects selected"));
    EXPECT_TRUE(shownTitles().contains(QStringLiteral("Image Mask")));
    EXPECT_TRUE(shownTitles().contains(QStringLiteral("Font Style and Font Size")));

    select({2});
    EXPECT_EQ(format->tileForGroup(QStringLiteral("borderColor"))->objectTitle(),
              QStringLiteral("Color - Line"));
    EXPECT_TRUE(shownTitles().contains(QStringLiteral("Line Pattern")));

    // Leaving the tab: the next selection change does not rebuild it, and no control went away.
    clickTab(2);
    select({0});
    EXPECT_EQ(x->parentWidget(), nullptr);
    clickTab(1);
    EXPECT_EQ(x->parentWidget(), format->tileForGroup(QStringLiteral("positionAndSize")));
}
