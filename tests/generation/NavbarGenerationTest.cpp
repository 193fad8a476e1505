// Navigation bars and dropdown menus: which cells become entries, where the bar's style comes
// from, escaped entry texts, and collapse targets numbered per bar.
#include "ComponentTestSupport.h"

#include "generation/CellTextGenerator.h"
#include "generation/NavbarGenerator.h"

using namespace componenttest;
using generationtest::GenerationTest;

using NavbarGenerationTest = GenerationTest;

namespace {

std::shared_ptr<CodeWidgetHelper> generateBar(DRVDocument& document, DRVTable* table, const QString& kind)
{
    if (kind == QLatin1String("navbar"))
        return NavbarGenerator::generateNavBar(document, table);
    if (kind == QLatin1String("navbar_centered"))
        return NavbarGenerator::generateNavBar_centered(document, table);
    if (kind == QLatin1String("dropdownmenu"))
        return NavbarGenerator::generateDropdownmenu(document, table);
    if (kind == QLatin1String("navbar_fixed"))
        return NavbarGenerator::generateNavBar_Fixed(document, table);
    return NavbarGenerator::generateNavBar_Fixed_Centered(document, table);
}

} // namespace

TEST_F(NavbarGenerationTest, NavbarTakesItsBrandFromTheFirstCellAndEntriesFromTheOtherColumns)
{
    DRVDocument document;
    DRVTable* table = addTable(document, QStringLiteral("navbar"), 2, 3, QPointF(0, 0));
    const auto bar = NavbarGenerator::generateNavBar(document, table);
    ASSERT_NE(bar, nullptr);
    const int n = CellTextGenerator::tableNumber(document, table);
    EXPECT_EQ(bar->bodyString.count(QStringLiteral("<li>")), 4) << bar->bodyString.toStdString();
    for (const char* entry : {"r0c1", "r0c2", "r1c1", "r1c2"})
        EXPECT_TRUE(bar->bodyString.contains(QStringLiteral(">%1</div>\n</li>").arg(QLatin1String(entry))))
            << entry;
    EXPECT_FALSE(bar->bodyString.contains(QStringLiteral(">r1c0<")));
    EXPECT_TRUE(bar->bodyString.contains(
        QStringLiteral("<div class=\"navbar-brand\"><div class=tableGrid%1text").arg(n)));
    // Every cell's rule is written, with the bar's fixed padding.
    EXPECT_EQ(bar->headerString.count(QStringLiteral("padding:20px 20px 10px 10px;")), 6);
    EXPECT_TRUE(bar->partOfTableFlag);
    EXPECT_TRUE(bar->bodyString.contains(QStringLiteral("<!--START NAVIGATION MENU-->")));
}

TEST_F(NavbarGenerationTest, ClearBackgroundIsTransparentExceptInTheFixedBars)
{
    struct Case
    {
        const char* kind;
        const char* expected;
    };
    for (const Case c : {Case{"navbar", "background-color: transparent;"},
                         Case{"navbar_centered", "background-color: transparent;"},
                         Case{"dropdownmenu", "background-color: transparent;"},
                         Case{"navbar_fixed", "background-color: #CLEAR0;"},
                         Case{"navbar_fixed_centered", "background-color: #CLEAR0;"}}) {
        DRVDocument document;
        DRVTable* table = addTable(document, QString::fromLatin1(c.kind), 2, 3, QPointF(0, 0));
        const auto bar = generateBar(document, table, QString::fromLatin1(c.kind));
        ASSERT_NE(bar, nullptr) << c.kind;
        EXPECT_TRUE(bar->headerString.contains(QString::fromLatin1(c.expected))) << c.kind;
        const bool fixed = QByteArray(c.kind).startsWith("navbar_fixed");
        EXPECT_EQ(bar->headerString.contains(QStringLiteral("body {padding-top: 50px;}")), fixed) << c.kind;
    }
}

TEST_F(NavbarGenerationTest, EveryBarListsEachOfItsEntriesOnceInOrder)
{
    // Three rows of four cells, "r<row>c<column>".
    struct Case
    {
        const char* kind;
        QStringList entries; // in page order
        int listItems;       // <li> elements
    };
    auto cells = [](std::initializer_list<std::pair<int, int>> spots) {
        QStringList names;
        for (auto [r, c] : spots)
            names << QStringLiteral("r%1c%2").arg(r).arg(c);
        return names;
    };
    const Case cases[] = {
        {"navbar", cells({{0, 1}, {0, 2}, {0, 3}, {1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}}), 9},
        {"navbar_centered", cells({{0, 0}, {0, 1}, {0, 2}, {0, 3}}), 4},
        {"navbar_fixed", cells({{0, 0}, {0, 1}, {0, 2}, {0, 3}}), 3},
        {"navbar_fixed_centered", cells({{0, 0}, {0, 1}, {0, 2}, {0, 3}}), 3},
        {"dropdownmenu",
         cells({{0, 0},
                {1, 0},
                {2, 0},
                {0, 1},
                {1, 1},
                {2, 1},
                {0, 2},
                {1, 2},
                {2, 2},
                {0, 3},
                {1, 3},
                {2, 3}}),
         12},
    };
    for (const Case& c : cases) {
        DRVDocument document;
        const QString kind = QString::fromLatin1(c.kind);
        DRVTable* table = addTable(document, kind, 3, 4, QPointF(0, 0));
        const auto bar = generateBar(document, table, kind);
        ASSERT_NE(bar, nullptr) << c.kind;
        const QString& body = bar->bodyString;
        qsizetype last = -1;
        for (const QString& entry : c.entries) {
            const QString shown = u'>' + entry + u'<';
            EXPECT_EQ(body.count(shown), 1) << c.kind << " " << entry.toStdString();
            const qsizetype at = body.indexOf(shown);
            EXPECT_GT(at, last) << c.kind << " " << entry.toStdString() << " out of order";
            last = at;
        }
        EXPECT_EQ(body.count(QStringLiteral("<li")), c.listItems) << c.kind << "\n" << body.toStdString();
    }
}

TEST_F(NavbarGenerationTest, DropdownColumnsListTheirNonEmptyCells)
{
    DRVDocument document;
    DRVTable* table =
        addTable(document, QStringLiteral("dropdownmenu"), 3, 2, QPointF(0, 0), [](int r, int c) {
            if (c == 1 && r > 0)
                return QString();
            return r == 2 ? QString() : QStringLiteral("r%1c%2").arg(r).arg(c);
        });
    table->grabSelectedTableCellHelper(1, 0)->setLink(QStringLiteral("a.html?x=1&y=2"));
    const auto menu = NavbarGenerator::generateDropdownmenu(document, table);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->bodyString.contains(QStringLiteral("<li><a href=\"a.html?x=1&amp;y=2\">r1c0</a></li>")))
        << menu->bodyString.toStdString();
    EXPECT_TRUE(menu->bodyString.contains(QStringLiteral("<ul class=\"dropdown-menu\">\n</ul>")));
    EXPECT_EQ(menu->bodyString.count(QStringLiteral("<li class=\"dropdown\">")), 2);
}

TEST_F(NavbarGenerationTest, EntryTextsAreEscaped)
{
    DRVDocument document;
    DRVTable* table =
        addTable(document, QStringLiteral("navbar_centered"), 1, 2, QPointF(0, 0), [](int, int c) {
            return c == 0 ? QStringLiteral("<script>alert(1)</script>") : QStringLiteral("Fish & Chips");
        });
    const auto bar = NavbarGenerator::generateNavBar_centered(document, table);
    EXPECT_FALSE(bar->bodyString.contains(QStringLiteral("<script>")));
    EXPECT_TRUE(bar->bodyString.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;")));
    EXPECT_TRUE(bar->bodyString.contains(QStringLiteral(">Fish &amp; Chips</a>")));
}

TEST_F(NavbarGenerationTest, EveryBarTogglesItsOwnMenu)
{
    for (const char* kind :
         {"navbar", "navbar_centered", "dropdownmenu", "navbar_fixed", "navbar_fixed_centered"}) {
        DRVDocument document;
        DRVTable* first = addTable(document, QString::fromLatin1(kind), 1, 3, QPointF(0, 0));
        DRVTable* second = addTable(document, QString::fromLatin1(kind), 1, 3, QPointF(0, 100));
        const QString idA = NavbarGenerator::navbarId(document, first);
        const QString idB = NavbarGenerator::navbarId(document, second);
        ASSERT_NE(idA, idB) << kind;
        for (DRVTable* table : {first, second}) {
            const QString id = table == first ? idA : idB;
            const auto bar = generateBar(document, table, QString::fromLatin1(kind));
            // The toggle names the collapsible part of its own bar, and only that.
            EXPECT_TRUE(bar->bodyString.contains(QStringLiteral("#%1").arg(id))) << kind;
            EXPECT_TRUE(bar->bodyString.contains(QStringLiteral("id=%1 ").arg(id)) ||
                        bar->bodyString.contains(QStringLiteral("id=\"%1\"").arg(id)))
                << kind;
            EXPECT_FALSE(bar->bodyString.contains(QStringLiteral("#navbar ")));
            EXPECT_FALSE(bar->bodyString.contains(QStringLiteral("\"#navbar\"")));
        }
    }
}

TEST_F(NavbarGenerationTest, TableWithoutCellsGivesNoBar)
{
    DRVDocument document;
    DRVTable* table = addTable(document, QStringLiteral("navbar"), 0, 0, QPointF(0, 0));
    EXPECT_EQ(NavbarGenerator::generateNavBar(document, table), nullptr);
    EXPECT_EQ(NavbarGenerator::generateDropdownmenu(document, table), nullptr);
    EXPECT_EQ(NavbarGenerator::generateNavBar_Fixed(document, table), nullptr);
}
