// Whether a menu item of a document window is enabled, shown, ticked and how it is titled, decided
// from plain values only: the edition's switches, the window's grid and page list, the selection and
// the document's undo state. The window gathers the values; the menus apply the answer.
#pragma once
#include <QString>

struct EditionSettings;

struct MenuValidationState
{
    // Edition switches.
    bool profileEditionFlag = false;
    bool hideDuplicatePageFlag = false;
    bool hideDeletePageFlag = false;
    bool iconThumbnailFlag = false;
    bool hideGrabPageLinkFlag = false;
    bool showInsertPageFlag = false;
    bool hideSourceCodeFlag = false; // the edition's menus leave out the source items

    // The window and its document.
    bool hasDocument = false;
    QString documentDisplayName;
    bool gridUsable = false;
    bool gridConstraining = false;
    bool gridAlwaysShown = false;
    int pageCount = 0;        // pages listed in the window's page list
    bool pageClicked = false; // a page tile was right-clicked
    bool showAddFormObjects = false;
    bool selectedTableHasBackgroundPattern = false;

    // Selection and undo.
    int graphicCount = 0;
    int selectedCount = 0;
    bool canUndo = false;
    bool canRedo = false;
    QString undoActionName;
    QString redoActionName;

    // The edition's switches, everything else at its start value.
    static MenuValidationState forEdition(const EditionSettings& edition);
    // The editions whose menus leave out the page source items.
    static bool editionHidesSourceCode(const QString& editionDisplayName);
};

struct MenuItemState
{
    QString title;
    bool enabled = true;
    bool visible = true;
    bool checkable = false;
    bool checked = false;
};

class MenuValidation
{
public:
    MenuValidation() = delete;

    // The item after validation. action is the item's action name ("undo:", "toggleGridShowing:",
    // ...); an action not listed here is enabled and otherwise left as it was. Validation hides
    // items but never shows a hidden one again, except where an edition switch alone decides.
    static MenuItemState validate(const QString& action, const MenuItemState& item,
                                  const MenuValidationState& state);
};
