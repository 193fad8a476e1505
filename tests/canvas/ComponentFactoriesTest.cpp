// Component factories on a page: sections appended behind everything and pushing the sections
// below them down, section numbering, the table of contents and the site map from the page list.
#include "FactoriesTestSupport.h"
#include "SectionPage.h"

using namespace factorytest;

namespace {

QList<DRVGraphicView::SitePage> threePages()
{
    return {{QStringLiteral("Home"), QStringLiteral("index.html")},
            {QString(), QStringLiteral("draft.html")},
            {QStringLiteral("Contact"), QStringLiteral("contact.php")}};
}

class SectionFactoryTest : public FactoryTest
{
protected:
    SectionFactoryTest() : FactoryTest("Brumel Responsive Website Designer") {}
};

} // namespace

TEST_F(SectionFactoryTest, ANewSectionGoesBehindAndPushesTheLowerSectionsDown)
{
    DRVTable* upper = sectionpage::makeSection(1, QPointF(0, 0), {1200}, 300);
    DRVTable* lower = sectionpage::makeSection(2, QPointF(0, 500), {1200}, 200);
    DRVGraphic* member = sectionpage::makeMember(2, 0, QRectF(30, 550, 100, 40));
    DRVGraphic* outside = sectionpage::makeMember(-99, 0, QRectF(30, 1000, 100, 40));
    place({member, outside, upper, lower});
    bind();

    view.addSection({"6", "6"}, 2, QPointF(700.4, 410.7));
    ASSERT_EQ(doc.graphics().size(), 5);
    auto* section = qobject_cast<DRVTable*>(doc.graphics().constLast());
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(
        describe(section).toStdString(),
        "DRVTable {{0, 410}, {1200, 300}} section 1x2 pad 0 border solid section 3/-99/-99 w 600,600 h 0 ''");
    for (const myTextView* cell : section->cellHelperArray()) {
        EXPECT_EQ(cell->sectionNumber(), 3);
        EXPECT_EQ(cell->smallGridColumns(), 6);
        EXPECT_EQ(cell->xsGridColumns(), 12);
    }
    EXPECT_EQ(section->topPadding(), 30);
    EXPECT_EQ(section->leftPaddingType(), QStringLiteral("%"));
    EXPECT_EQ(section->topPaddingLevelString(), QStringLiteral("Medium"));
    // The lower section starts where the new one ends, its member with it; the upper one and the
    // object outside every section stay.
    EXPECT_EQ(lower->bounds(), QRectF(0, 710, 1200, 200));
    EXPECT_EQ(member->bounds(), QRectF(30, 760, 100, 40));
    EXPECT_EQ(upper->bounds(), QRectF(0, 0, 1200, 300));
    EXPECT_EQ(outside->bounds(), QRectF(30, 1000, 100, 40));

    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Add Section"));
    doc.undoManager()->undo();
    EXPECT_EQ(doc.graphics().size(), 4);
    EXPECT_EQ(lower->bounds(), QRectF(0, 500, 1200, 200));
    EXPECT_EQ(member->bounds(), QRectF(30, 550, 100, 40));
}

TEST_F(SectionFactoryTest, SectionsAreNumberedInTheOrderTheyAreMade)
{
    bind();
    view.addSection({"12"}, 1, QPointF(0, 500));
    view.addSection({"4", "8"}, 2, QPointF(0, 100));
    ASSERT_EQ(doc.graphics().size(), 2);
    EXPECT_EQ(doc.graphics().at(0)->sectionNumber(), 1);
    EXPECT_EQ(doc.graphics().at(0)->bounds(), QRectF(0, 500, 1200, 300));
    EXPECT_EQ(doc.graphics().at(1)->sectionNumber(), 2);
    // The navigation bar numbers itself the same way, and starts at the page's left edge.
    view.addNavbar(QPointF(700, 40.9));
    EXPECT_EQ(front()->sectionNumber(), 3);
    EXPECT_EQ(front()->bounds(), QRectF(0, 40, 1200, 50));
}

using PageListFactoryTest = FactoryTest;

TEST_F(PageListFactoryTest, TheTableOfContentsSkipsUntitledPagesButKeepsTheirPlace)
{
    view.setSitePagesSource(threePages);
    bind();
    view.addTableOfContents(QPointF(20.5, 60.9));
    DRVTable* table = front();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->bounds(), QRectF(20, 60, 1050, 100));
    EXPECT_EQ(table->numOfRows(), 2);
    QStringList rows;
    for (const myTextView* cell : table->cellHelperArray())
        rows.append(QStringLiteral("%1,%2 %3 -> %4 %5")
                        .arg(cell->rowSpot())
                        .arg(cell->columnSpot())
                        .arg(cellText(cell), cell->link())
                        .arg(cell->fixedWidthFlag()));
    EXPECT_EQ(rows, (QStringList{"0,0 Home -> index.html 0", "0,1 0 -> index.html 1",
                                 "1,0 Contact -> contact.php 0", "1,1 2 -> contact.php 1"}));
    const myTextView* cell = table->cellHelperArray().constFirst();
    EXPECT_EQ(cell->textColorString(), QStringLiteral("555555"));
    EXPECT_EQ(cell->textHexColorString(), QStringLiteral("4f4c4c"));
    EXPECT_EQ(cell->textView()->borderLine(), QStringLiteral("none"));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Add Table of Contents"));
}

TEST_F(PageListFactoryTest, SiteMapsListEveryPageTitledOrNot)
{
    view.setSitePagesSource(threePages);
    bind();
    view.addTableOfSitemapHorizontal();
    DRVTable* across = front();
    ASSERT_NE(across, nullptr);
    EXPECT_EQ(
        describe(across).toStdString(),
        "DRVTable {{100, 80}, {1050, 40}} table 1x3 pad 5 border none section -99/-99/-99 w 350,350,350 h 40 "
        "'Home'");
    EXPECT_EQ(across->cellHelperArray().at(1)->link(), QStringLiteral("draft.html"));
    EXPECT_EQ(across->cellHelperArray().at(2)->columnSpot(), 2);
    EXPECT_EQ(across->cellHelperArray().at(2)->colorString(), QStringLiteral("555555"));

    view.addTableOfSitemapVertical();
    EXPECT_EQ(
        describe(front()).toStdString(),
        "DRVTable {{100, 80}, {350, 120}} table 3x1 pad 5 border none section -99/-99/-99 w 350 h 40,40,40 "
        "'Home'");
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Add Site Map"));
}

TEST_F(PageListFactoryTest, WithoutAProjectTheOpenPageListsItself)
{
    doc.setPageName(QStringLiteral("about"));
    doc.setPublishExt(QStringLiteral("php"));
    bind();
    const QList<DRVGraphicView::SitePage> pages = view.sitePages();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages.constFirst().pageTitle, QStringLiteral("about"));
    EXPECT_EQ(pages.constFirst().pagePublishFileName, QStringLiteral("about.php"));
    view.addTableOfSitemapVertical();
    EXPECT_EQ(front()->cellHelperArray().size(), 1);

    // An empty list from the project counts as none; a list with only untitled pages makes no
    // table of contents.
    view.setSitePagesSource([] {
        return QList<DRVGraphicView::SitePage>{{QString(), QStringLiteral("a.html")}};
    });
    const int before = int(doc.graphics().size());
    view.addTableOfContents(QPointF(0, 0));
    EXPECT_EQ(doc.graphics().size(), before);
}
