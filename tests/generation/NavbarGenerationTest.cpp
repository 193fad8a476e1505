// Navigation bars and dropdown menus: which cells become entries, where the bar's style comes
// from, escaped entry texts, and collapse targets numbered per bar.
#include "ComponentTestSupport.h"

#include "generation/CellTextGenerator.h"
#include "generation/NavbarGenerator.h"

using namespace componenttest;
using generationtest::GenerationTest;

using NavbarGenerationTest = GenerationTest;

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
        const auto bar = c.kind == QByteArray("navbar") ? NavbarGenerator::generateNavBar(document, table)
                         : c.kind == QByteArray("navbar_centered")
                             ? NavbarGenerator::generateNavBar_centered(document, table)
                         : c.kind == QByteArray("dropdownmenu")
                             ? NavbarGenerator::generateDropdownmenu(document, table)
                         : c.kind == QByteArray("navbar_fixed")
                             ? NavbarGenerator::generateNavBar_Fixed(document, table)
                             : NavbarGenerator::generateNavBar_Fixed_Centered(document, table);
        ASSERT_NE(bar, nullptr) << c.kind;
        EXPECT_TRUE(bar->headerString.contains(QString::fromLatin1(c.expected))) << c.kind;
        const bool fixed = QByteArray(c.kind).startsWith("navbar_fixed");
        EXPECT_EQ(bar->headerString.contains(QStringLiteral("body {padding-top: 50px;}")), fixed) << c.kind;
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
            const QString kindName = QString::fromLatin1(kind);
            const auto bar = kindName == QStringLiteral("navbar")
                                 ? NavbarGenerator::generateNavBar(document, table)
                             : kindName == QStringLiteral("navbar_centered")
                                 ? NavbarGenerator::generateNavBar_centered(document, table)
                             : kindName == QStringLiteral("dropdownmenu")
                                 ? NavbarGenerator::generateDropdownmenu(document, table)
                             : kindName == QStringLiteral("navbar_fixed")
                                 ? NavbarGenerator::generateNavBar_Fixed(document, table)
                                 : NavbarGenerator::generateNavBar_Fixed_Centered(document, table);
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
