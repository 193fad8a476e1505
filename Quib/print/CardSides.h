// Which pages of a folding-card project go on the printed sheet, in which order and turned how.
// A card project holds its sides as pages named "1" and "2" (outside: front and back) and "3" and
// "4" (inside); the template description names the fold ("Vertical", "Quarter").
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

enum class CardSide { FrontAndBack, Inside, QuarterFold };

struct CardPick
{
    int page = 0; // index into the page list
    int turn = 0; // degrees, 0 or 180

    bool operator==(const CardPick&) const = default;
};

// pageNames: the project's page names in list order, with or without extension.
QList<CardPick> cardPicks(const QStringList& pageNames, const QString& templateDescription, CardSide side);

// A quarter-fold card prints at once; the others ask for the side.
bool cardIsQuarterFold(const QString& templateDescription);

// Greeting cards print landscape with exactly one of "Vertical" and "Quarter" in the description.
bool cardPrintsLandscape(const QString& templateDescription);
