// The menu validation table: items enabled, shown, ticked and titled from edition values, the
// window's page list, the selection and the undo state.
#include "window/MenuValidation.h"
#include "editions/EditionSettings.h"

#include <gtest/gtest.h>

namespace {

struct Row
{
    const char* name;
    const char* edition;
    const char* action;
    std::function<void(MenuValidationState&)> adjust;
    bool startsVisible;
    bool enabled;
    bool visible;
    const char* title; // nullptr: the title is left alone
};

} // namespace

TEST(MenuValidation, TableOfEditionsAndSelections)
{
    auto none = [](MenuValidationState&) {};
    const Row rows[] = {
        {"duplicate shown but disabled with no page clicked", "Quib", "duplicatePage:", none, true, false,
         true, nullptr},
        {"duplicate hidden in an edition that hides it", "Kestrin Greeting Card Designer",
         "duplicatePage:", [](MenuValidationState& s) { s.pageClicked = true; }, true, true, false, nullptr},
        {"new page item hidden without pages", "HTML Quib Pro", "showAddNewPageWindow:", none, true, false,
         false, nullptr},
        {"a new page item hidden while empty comes back once pages appear", "HTML Quib Pro",
         "showAddNewPageWindow:", [](MenuValidationState& s) { s.pageCount = 3; }, false, true, true, nullptr},
        {"a visible new page item stays with pages", "HTML Quib Pro",
         "exportAllFileTo:", [](MenuValidationState& s) { s.pageCount = 1; }, true, true, true, nullptr},
        {"profile popover off outside profile editions", "Quib", "showProfilePopOver:", none, true, false,
         true, nullptr},
        {"insert blank page only where the edition offers it", "Quib", "insertBlankPage:", none, true, false,
         false, nullptr},
        {"table background item hidden without a pattern", "Quib", "removeTableBackgroundPattern:", none,
         true, false, false, nullptr},
        {"table background item with a pattern", "Quib", "removeTableBackgroundPattern:",
         [](MenuValidationState& s) { s.selectedTableHasBackgroundPattern = true; }, true, true, true,
         nullptr},
        {"undo with nothing to undo", "Quib", "undo:", [](MenuValidationState& s) { s.hasDocument = true; },
         true, false, true, "Undo"},
        {"undo names its action", "Ulmira Pro 2", "undo:",
         [](MenuValidationState& s) {
             s.hasDocument = true;
             s.canUndo = true;
             s.undoActionName = QStringLiteral("Change of Fill Color");
         },
         true, true, true, "Undo Change of Fill Color"},
        {"redo of an unnamed group", "Quib", "redo:",
         [](MenuValidationState& s) {
             s.hasDocument = true;
             s.canRedo = true;
         },
         true, true, true, "Redo"},
        {"save needs a document", "Quib", "saveDocument:", none, true, false, true, nullptr},
        {"new window is always on and names the document", "Quib", "newDocumentWindow:",
         [](MenuValidationState& s) { s.documentDisplayName = QStringLiteral("Home (index.quibpage)"); },
         true, true, true, "New window for 'Home (index.quibpage)'"},
        {"grid items need a usable grid", "Quib", "toggleGridShowing:", none, true, false, true, nullptr},
        {"unknown actions are enabled and untouched", "Quib", "someOtherAction:", none, false, true, false,
         nullptr},
    };
    for (const Row& row : rows) {
        ScopedEdition scoped{QString::fromUtf8(row.edition)};
        MenuValidationState state = MenuValidationState::forEdition(edition());
        row.adjust(state);
        MenuItemState item;
        item.title = QStringLiteral("original");
        item.enabled = false;
        item.visible = row.startsVisible;
        const MenuItemState out = MenuValidation::validate(QString::fromLatin1(row.action), item, state);
        EXPECT_EQ(out.enabled, row.enabled) << row.name;
        EXPECT_EQ(out.visible, row.visible) << row.name;
        EXPECT_EQ(out.title, row.title ? QString::fromUtf8(row.title) : QStringLiteral("original"))
            << row.name;
    }
}

TEST(MenuValidation, GridItemsAreTickedFromTheGridSwitches)
{
    MenuValidationState state;
    state.gridUsable = true;
    state.gridAlwaysShown = true;
    state.gridConstraining = false;
    const MenuItemState shown = MenuValidation::validate(QStringLiteral("toggleGridShowing:"), {}, state);
    const MenuItemState snapping =
        MenuValidation::validate(QStringLiteral("toggleGridConstraining:"), {}, state);
    EXPECT_TRUE(shown.enabled);
    EXPECT_TRUE(shown.checkable);
    EXPECT_TRUE(shown.checked);
    EXPECT_TRUE(snapping.enabled);
    EXPECT_FALSE(snapping.checked);
}

TEST(MenuValidation, EditionSwitchesAloneDecideSomeItems)
{
    ScopedEdition scoped{QStringLiteral("Quib")};
    EditionSettings e = edition();
    e.gIconThumbnailFlag = true;
    e.gHideGrabPageLinkFlag = false;
    e.gShowInsertPageFlag = true;
    e.gProfileEditionFlag = true;
    const MenuValidationState state = MenuValidationState::forEdition(e);
    MenuItemState hidden;
    hidden.visible = false;
    EXPECT_FALSE(MenuValidation::validate(QStringLiteral("totalRefreshWebsite:"), {}, state).visible);
    EXPECT_TRUE(MenuValidation::validate(QStringLiteral("grabPageLink:"), hidden, state).visible);
    EXPECT_TRUE(MenuValidation::validate(QStringLiteral("insertBlankPage:"), hidden, state).enabled);
    EXPECT_TRUE(MenuValidation::validate(QStringLiteral("showProfilePopOver:"), {}, state).enabled);
}
