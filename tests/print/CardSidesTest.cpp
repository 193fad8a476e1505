// Which card sides print for each fold and which way up, and when the card sheet turns landscape.
#include "print/CardSides.h"

#include <gtest/gtest.h>

namespace {

TEST(CardSidesTest, SidesByFold)
{
    const QStringList ordered{QStringLiteral("1.quibpage"), QStringLiteral("2.quibpage"),
                              QStringLiteral("3.quibpage"), QStringLiteral("4.quibpage")};
    const QStringList mixed{QStringLiteral("4.quibpage"), QStringLiteral("cover.quibpage"),
                            QStringLiteral("2.quibpage"), QStringLiteral("1.quibpage"),
                            QStringLiteral("3.quibpage")};
    struct Case
    {
        const char* name;
        QStringList pages;
        const char* description;
        CardSide side;
        QList<CardPick> picks;
    };
    const QList<Case> cases{
        {"vertical: back, then front",
         ordered,
         "Greeting Card - Vertical Fold",
         CardSide::FrontAndBack,
         {{1, 0}, {0, 0}}},
        {"horizontal: front upside down",
         ordered,
         "Greeting Card - Horizontal Fold",
         CardSide::FrontAndBack,
         {{0, 180}, {1, 0}}},
        {"horizontal, list out of order",
         mixed,
         "Greeting Card - Horizontal Fold",
         CardSide::FrontAndBack,
         {{2, 0}, {3, 180}}},
        {"vertical, list out of order",
         mixed,
         "Greeting Card - Vertical Fold",
         CardSide::FrontAndBack,
         {{3, 0}, {2, 0}}},
        {"inside", ordered, "Greeting Card - Vertical Fold", CardSide::Inside, {{2, 0}, {3, 0}}},
        {"inside, out of order",
         mixed,
         "Greeting Card - Horizontal Fold",
         CardSide::Inside,
         {{0, 0}, {4, 0}}},
        {"quarter fold: outside turned",
         mixed,
         "Greeting Card - Quarter Fold",
         CardSide::QuarterFold,
         {{0, 0}, {1, 0}, {2, 180}, {3, 180}, {4, 0}}},
        {"quarter fold front is not turned",
         ordered,
         "Quarter Fold",
         CardSide::FrontAndBack,
         {{0, 0}, {1, 0}}},
        {"missing sides leave nothing", {QStringLiteral("cover")}, "Vertical", CardSide::FrontAndBack, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cardPicks(c.pages, QString::fromLatin1(c.description), c.side), c.picks);
    }
}

TEST(CardSidesTest, LandscapeWithExactlyOneFoldWord)
{
    struct Case
    {
        const char* description;
        bool landscape;
        bool quarter;
    };
    for (const Case& c : {Case{"Card - Vertical Fold", true, false}, Case{"Card - Quarter Fold", true, true},
                          Case{"Vertical Quarter Fold", false, true}, Case{"Card - Horizontal", false, false},
                          Case{"", false, false}}) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(cardPrintsLandscape(QString::fromLatin1(c.description)), c.landscape);
        EXPECT_EQ(cardIsQuarterFold(QString::fromLatin1(c.description)), c.quarter);
    }
}

} // namespace
