#include "print/CardSides.h"

#include <QFileInfo>

namespace {

QString sideName(const QString& pageName)
{
    return QFileInfo(pageName).completeBaseName();
}

bool isOutside(const QString& name)
{
    return name == QLatin1String("1") || name == QLatin1String("2");
}

bool isInside(const QString& name)
{
    return name == QLatin1String("3") || name == QLatin1String("4");
}

} // namespace

bool cardIsQuarterFold(const QString& templateDescription)
{
    return templateDescription.contains(QLatin1String("Quarter"));
}

bool cardPrintsLandscape(const QString& templateDescription)
{
    return templateDescription.contains(QLatin1String("Vertical")) != cardIsQuarterFold(templateDescription);
}

QList<CardPick> cardPicks(const QStringList& pageNames, const QString& templateDescription, CardSide side)
{
    QList<CardPick> picks;
    const bool quarter = cardIsQuarterFold(templateDescription);
    switch (side) {
    case CardSide::FrontAndBack:
        if (templateDescription.contains(QLatin1String("Vertical"))) {
            // Back before front: the sheet folds so the back's cell comes first.
            for (int i = int(pageNames.size()) - 1; i >= 0; --i)
                if (isOutside(sideName(pageNames[i])))
                    picks.append({i, 0});
        } else {
            // A horizontal fold hangs the front upside down above the back.
            for (int i = 0; i < pageNames.size(); ++i) {
                const QString name = sideName(pageNames[i]);
                if (isOutside(name))
                    picks.append({i, name == QLatin1String("1") && !quarter ? 180 : 0});
            }
        }
        break;
    case CardSide::Inside:
        for (int i = 0; i < pageNames.size(); ++i)
            if (isInside(sideName(pageNames[i])))
                picks.append({i, 0});
        break;
    case CardSide::QuarterFold:
        for (int i = 0; i < pageNames.size(); ++i)
            picks.append({i, isOutside(sideName(pageNames[i])) ? 180 : 0});
        break;
    }
    return picks;
}
