// Whether a menu item of a document window is enabled, shown, ticked and how it is titled, decided
// from plain values only: the edition's switches, the window's grid and page list, the selection and
// the document's undo state. The window gathers the values; the menus apply the answer.
#pragma once
#include <QSet>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>
#include <utility>

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
    int pageListColumns = 1;  // columns the page list shows its tiles in
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

// What the canvas's menu items are decided from: the selection's counts, the names of the command
// predicates that hold and the names of the edition flags that are set. A predicate missing from
// predicates is NO, so a command whose predicate nothing computes yet stays hidden.
struct CanvasMenuFacts
{
    int selectedCount = 0;
    bool gridCanAlign = false;
    bool anyCanMakeNaturalSize = false;
    bool rulersShown = false;
    bool imageAlreadyEnlarged = false;
    bool slideshowAutomatic = false;
    QSet<QString> predicates;
    QSet<QString> editionFlags;

    bool holds(const QString& predicate) const { return predicates.contains(predicate); }
    // Adds to names each name whose value is true.
    static void addHolding(QSet<QString>& names, std::initializer_list<std::pair<const char*, bool>> values);
};

struct CanvasMenuAnswer
{
    bool handled = false; // the action has a row; otherwise the item is left to other validation
    MenuItemState item;
    // The context menu's separators above the slideshow and the image items, where a row moves them.
    std::optional<bool> firstSeparatorVisible;
    std::optional<bool> fourthSeparatorVisible;
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
    // The canvas's rows: hidden, enabled and a few titles from the selection and edition. undo:
    // and redo: are the window's and have no row here.
    static CanvasMenuAnswer validateCanvas(const QString& action, const MenuItemState& item,
                                           const CanvasMenuFacts& facts);
    // Every action the canvas rows decide.
    static QStringList canvasActions();
};
