// The per-edition menus as data: every branch's bar against a stored listing, the hidden counts the
// branches are known by, the branch choice by display name, and the rules that hold in every bar.
#include "AppTestSupport.h"

#include "platform/StringsTable.h"

#include <QFile>
#include <QSet>

namespace {

QString goldenPath(int branch)
{
    return QStringLiteral(QUIB_FIXTURES_DIR "/menus/branch-%1.txt").arg(branch, 2, 10, QLatin1Char('0'));
}

void collect(const QList<MenuItemDescription>& items, QList<MenuItemDescription>& out)
{
    for (const MenuItemDescription& item : items) {
        if (item.isSeparator())
            continue;
        out.append(item);
        collect(item.children, out);
    }
}

QList<MenuItemDescription> allItems(const QList<MenuDescription>& menus)
{
    QList<MenuItemDescription> out;
    for (const MenuDescription& menu : menus)
        collect(menu.items, out);
    return out;
}

// Rows no edition has a command for, hidden in every branch on top of the per-branch tables.
const QStringList kHiddenEverywhere{
    QStringLiteral("addNewParentMenuItem"), QStringLiteral("createNewParentMenuItem"),
    QStringLiteral("importMultiplePagesMenuItem"), QStringLiteral("kestrinLabelMakerMenuItem")};

// Items a branch hides, the menus' own entries among them.
int hiddenCount(const QList<MenuDescription>& menus)
{
    int count = 0;
    for (const MenuDescription& menu : menus)
        count += menu.hidden ? 1 : 0;
    for (const MenuItemDescription& item : allItems(menus))
        count += item.hidden ? 1 : 0;
    return count;
}

const MenuItemDescription* findItem(const QList<MenuDescription>& menus, const QString& id)
{
    static QList<MenuItemDescription> kept;
    kept = allItems(menus);
    for (const MenuItemDescription& item : kept) {
        if (item.id == id)
            return &item;
    }
    return nullptr;
}

const QString kTutorials = QStringLiteral("https://example.com/tutorials");

} // namespace

TEST(MenuModelTest, EveryBranchMatchesItsStoredListing)
{
    const bool update = qEnvironmentVariableIsSet("QUIB_UPDATE_GOLDEN");
    for (int branch = 0; branch <= MenuModel::branchCount(); ++branch) {
        const QString name =
            branch == 0 ? QStringLiteral("Lunnifer") : MenuModel::firstDisplayNameOfBranch(branch);
        const QString text = MenuModel::dump(MenuModel::menusForEdition(name, kTutorials));
        QFile file(goldenPath(branch));
        if (update) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(text.toUtf8());
            continue;
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(goldenPath(branch));
        EXPECT_EQ(text, QString::fromUtf8(file.readAll())) << "branch " << branch << " " << qPrintable(name);
    }
}

TEST(MenuModelTest, EachBranchHidesAsManyItemsAsItIsKnownBy)
{
    const int expected[] = {28, 30, 49, 61, 48, 46, 41, 49, 39, 51, 43, 45, 48, 45, 50,
                            45, 50, 52, 51, 53, 51, 49, 48, 49, 59, 53, 53, 52, 54, 58};
    // Hidden beyond the published tables: the rows hidden everywhere that a branch's table shows,
    // and the template entry of Add Into Website in the record editions 22-24.
    const int hiddenEverywhereExtra[] = {2, 2, 2, 1, 2, 1, 2, 1, 2, 1, 3, 2, 1, 1, 1,
                                         1, 1, 1, 1, 1, 1, 3, 3, 3, 0, 1, 1, 1, 1, 0};
    for (int branch = 1; branch <= MenuModel::branchCount(); ++branch) {
        const auto menus =
            MenuModel::menusForEdition(MenuModel::firstDisplayNameOfBranch(branch), kTutorials);
        EXPECT_EQ(hiddenCount(menus), expected[branch - 1] + hiddenEverywhereExtra[branch - 1])
            << "branch " << branch;
        for (const MenuItemDescription& item : allItems(menus)) {
            if (kHiddenEverywhere.contains(item.id))
                EXPECT_TRUE(item.hidden) << "branch " << branch << " " << qPrintable(item.id);
        }
    }
    // An unknown edition keeps every row but those no edition has a command for.
    EXPECT_EQ(hiddenCount(MenuModel::menusForEdition(QStringLiteral("Lunnifer"), kTutorials)),
              int(kHiddenEverywhere.size()));
}

TEST(MenuModelTest, BranchIsChosenByExactDisplayName)
{
    const struct
    {
        const char* name;
        int branch;
    } cases[] = {{"HTML Quib Pro", 1},
                 {"html quib pro", 0},
                 {"Lunnifer", 0},
                 {"", 0},
                 {"Ostrevin", 4},
                 {"Quellam", 4},
                 {"Tirrabel", 4},
                 {"Haskavel Pro 2", 7},
                 {"Cardell 2", 22},
                 {"Cardell", 22},
                 {"Cardell ", 0},
                 {"Selvaro Pro 2", 10},
                 {"Quibpage Web Design Document Viewer", 30}};
    for (const auto& c : cases)
        EXPECT_EQ(MenuModel::branchOf(QString::fromUtf8(c.name)), c.branch) << c.name;

    // Names of one branch get the very same bar.
    const auto dumpOf = [](const char* name) {
        return MenuModel::dump(MenuModel::menusForEdition(QString::fromUtf8(name), kTutorials));
    };
    EXPECT_EQ(dumpOf("Cardell"), dumpOf("Cardell 2"));
    EXPECT_EQ(dumpOf("Haskavel Pro"), dumpOf("Haskavel Pro 2"));
    EXPECT_EQ(dumpOf("Ostrevin"), dumpOf("Tirrabel"));
    EXPECT_EQ(dumpOf("Lunnifer"), dumpOf("cardell"));
}

TEST(MenuModelTest, StatedItemsOfSomeBranches)
{
    const auto menusOf = [](const char* name, const QString& tutorials = kTutorials) {
        return MenuModel::menusForEdition(QString::fromUtf8(name), tutorials);
    };
    const auto selvaro2 = menusOf("Selvaro Pro 2");
    EXPECT_FALSE(findItem(selvaro2, QStringLiteral("importPageMenuItem"))->hidden);
    EXPECT_EQ(findItem(selvaro2, QStringLiteral("exportToRawFilesMenuItem"))->title,
              QStringLiteral("Export This Form"));

    // Hidden in every named branch, shown in the default one; with no command behind it, Import
    // Multiple Pages is hidden there too.
    for (const char* id : {"importMultiplePagesMenuItem", "exportAllToPDFMenuItem"}) {
        EXPECT_TRUE(findItem(menusOf("Zandelle"), QString::fromUtf8(id))->hidden);
        EXPECT_EQ(findItem(menusOf("Lunnifer"), QString::fromUtf8(id))->hidden,
                  kHiddenEverywhere.contains(QString::fromUtf8(id)));
    }
    // Retitled and hidden: hidden with the new title.
    const auto* pdf = findItem(menusOf("Kestrin PDF Author"), QStringLiteral("exportToPDFMenuItem"));
    EXPECT_TRUE(pdf->hidden);
    EXPECT_EQ(pdf->title, QStringLiteral("Export This Page To PDF"));
    EXPECT_EQ(findItem(menusOf("Kestrin PDF Author"), QStringLiteral("printPageMenuItem"))->action,
              QStringLiteral("printManual:"));
    EXPECT_EQ(findItem(menusOf("Veldacre"), QStringLiteral("addNewPatientMenuItem"))->title,
              QStringLiteral("Add New Student"));
    EXPECT_EQ(findItem(menusOf("Veldacre"), QStringLiteral("addNewPatientMenuItem"))->action,
              QStringLiteral("showAddNewHumanPatientWindow:"));
    EXPECT_EQ(findItem(menusOf("Ulmira Pro 2"), QStringLiteral("sourcecodeMenuItem"))->action,
              QStringLiteral("showMailSourceCode:"));

    // The tutorials item goes with an empty address, the default branch too.
    EXPECT_TRUE(findItem(menusOf("Lunnifer", QString()), QStringLiteral("videoTutorialMenuItem"))->hidden);
    EXPECT_FALSE(findItem(menusOf("Lunnifer"), QStringLiteral("videoTutorialMenuItem"))->hidden);
    EXPECT_TRUE(findItem(menusOf("Zandelle", QString()), QStringLiteral("videoTutorialMenuItem"))->hidden);
}

TEST(MenuModelTest, EditionTitlesAreLookedUpInTheStringsTable)
{
    platform::StringsTable::registerEntries(
        QStringLiteral("Localizable"),
        {{QStringLiteral("New Recipe Collection"), QStringLiteral("Neue Sammlung")},
         {QStringLiteral("File"), QStringLiteral("Datei")}});
    const auto menus = MenuModel::menusForEdition(QStringLiteral("Pommerit Recipe Manager"), kTutorials);
    platform::StringsTable::registerEntries(
        QStringLiteral("Localizable"),
        {{QStringLiteral("New Recipe Collection"), QStringLiteral("New Recipe Collection")},
         {QStringLiteral("File"), QStringLiteral("File")}});
    EXPECT_EQ(menus.constFirst().title, QStringLiteral("Datei"));
    EXPECT_EQ(findItem(menus, QStringLiteral("addNewBlankGroupMenuItem"))->title,
              QStringLiteral("Neue Sammlung"));
}

TEST(MenuModelTest, NoIdOrShownShortcutTwiceInAnyBar)
{
    for (int branch = 0; branch <= MenuModel::branchCount(); ++branch) {
        const QString name =
            branch == 0 ? QStringLiteral("Lunnifer") : MenuModel::firstDisplayNameOfBranch(branch);
        QSet<QString> ids;
        QSet<QString> shortcuts;
        for (const MenuItemDescription& item : allItems(MenuModel::menusForEdition(name, kTutorials))) {
            EXPECT_FALSE(ids.contains(item.id)) << qPrintable(item.id);
            ids.insert(item.id);
            if (item.hidden || item.shortcut.isEmpty())
                continue;
            const QString keys = item.shortcut.toString();
            EXPECT_FALSE(shortcuts.contains(keys)) << qPrintable(keys) << " in " << qPrintable(name);
            shortcuts.insert(keys);
        }
    }
}
