#include "window/MenuValidation.h"

#include "editions/EditionSettings.h"
#include "platform/Format.h"
#include "platform/StringsTable.h"

#include <QSet>

MenuValidationState MenuValidationState::forEdition(const EditionSettings& e)
{
    MenuValidationState state;
    state.profileEditionFlag = e.gProfileEditionFlag;
    state.hideDuplicatePageFlag = e.gHideDuplicatePageFlag;
    state.hideDeletePageFlag = e.gHideDeletePageFlag;
    state.iconThumbnailFlag = e.gIconThumbnailFlag;
    state.hideGrabPageLinkFlag = e.gHideGrabPageLinkFlag;
    state.showInsertPageFlag = e.gShowInsertPageFlag;
    state.hideSourceCodeFlag = editionHidesSourceCode(e.gEditionDisplayName);
    return state;
}

bool MenuValidationState::editionHidesSourceCode(const QString& name)
{
    // The web, form and e-mail page designers and the page viewer show their source; the print,
    // catalog, chart and record editions do not.
    static const QSet<QString> hiding{QStringLiteral("Zandelle"),
                                      QStringLiteral("Ostrevin"),
                                      QStringLiteral("Quellam"),
                                      QStringLiteral("Tirrabel"),
                                      QStringLiteral("Pommerit Recipe Manager"),
                                      QStringLiteral("Brennolt Pro"),
                                      QStringLiteral("Femmock"),
                                      QStringLiteral("Kestrin Label Maker"),
                                      QStringLiteral("Kestrin Family Tree Maker"),
                                      QStringLiteral("Brumel Responsive Email Designer"),
                                      QStringLiteral("Kestrin Responsive Form Designer"),
                                      QStringLiteral("Kestrin Flyer Maker Pro"),
                                      QStringLiteral("Kestrin Greeting Card Designer"),
                                      QStringLiteral("Kestrin Markup"),
                                      QStringLiteral("Kestrin Markup Express"),
                                      QStringLiteral("Kestrin PDF Author"),
                                      QStringLiteral("Cardell"),
                                      QStringLiteral("Cardell 2"),
                                      QStringLiteral("Cardell Vet Edition"),
                                      QStringLiteral("Veldacre"),
                                      QStringLiteral("Cardell Viewer"),
                                      QStringLiteral("Corvane Business Card Designer"),
                                      QStringLiteral("Corvane Envelope Designer"),
                                      QStringLiteral("Lomith Image Notes"),
                                      QStringLiteral("Corvane eCard Designer")};
    return hiding.contains(name);
}

namespace {

QString undoTitle(const QString& verb, const QString& actionName)
{
    const QString tmpl = actionName.isEmpty() ? verb : verb + QStringLiteral(" %@");
    const QString localized = platform::StringsTable::lookup(tmpl, QStringLiteral("MenuItems"));
    return actionName.isEmpty() ? localized : platform::formatv(localized, actionName);
}

// Items that only make sense once the window lists website pages.
const QSet<QString>& pageListActions()
{
    static const QSet<QString> actions{QStringLiteral("showAddNewPageWindow:"),
                                       QStringLiteral("refreshWebsite:"),
                                       QStringLiteral("showAddNewFormWindow:"),
                                       QStringLiteral("showAddNewFromTemplateWindow:"),
                                       QStringLiteral("showAddBaseTemplateWindow:"),
                                       QStringLiteral("showAddNewPatientWindow:"),
                                       QStringLiteral("showAddNewHumanPatientWindow:"),
                                       QStringLiteral("addIntoGroup:"),
                                       QStringLiteral("showViewOptions:"),
                                       QStringLiteral("exportAllFileTo:"),
                                       QStringLiteral("showWebsitePreferences:")};
    return actions;
}

} // namespace

MenuItemState MenuValidation::validate(const QString& action, const MenuItemState& item,
                                       const MenuValidationState& s)
{
    MenuItemState out = item;
    out.enabled = true;

    // ---- the document window's own items ----
    if (action == QLatin1String("newDocumentWindow:")) {
        out.title = platform::formatv(platform::StringsTable::lookup(QStringLiteral("New window for '%@'"),
                                                                     QStringLiteral("MenuItems")),
                                      s.documentDisplayName);
    } else if (action == QLatin1String("toggleGridConstraining:")) {
        out.enabled = s.gridUsable;
        out.checkable = true;
        out.checked = s.gridConstraining;
    } else if (action == QLatin1String("toggleGridShowing:")) {
        out.enabled = s.gridUsable;
        out.checkable = true;
        out.checked = s.gridAlwaysShown;
    } else if (action == QLatin1String("showProfilePopOver:")) {
        out.enabled = s.profileEditionFlag;
    } else if (pageListActions().contains(action)) {
        out.enabled = s.pageCount > 0;
        if (s.pageCount == 0)
            out.visible = false;
    } else if (action == QLatin1String("duplicatePage:")) {
        out.enabled = s.pageClicked;
        out.visible = !s.hideDuplicatePageFlag;
    } else if (action == QLatin1String("deletePage:")) {
        out.enabled = s.pageClicked;
        out.visible = !s.hideDeletePageFlag;
    } else if (action == QLatin1String("addFormObjects:") ||
               action == QLatin1String("showFormPreferences:")) {
        out.enabled = s.showAddFormObjects;
        if (!s.showAddFormObjects)
            out.visible = false;
    } else if (action == QLatin1String("totalRefreshWebsite:")) {
        out.enabled = !s.iconThumbnailFlag;
        out.visible = !s.iconThumbnailFlag;
    } else if (action == QLatin1String("grabPageLink:")) {
        out.enabled = !s.hideGrabPageLinkFlag;
        out.visible = !s.hideGrabPageLinkFlag;
    } else if (action == QLatin1String("insertBlankPage:")) {
        out.enabled = s.showInsertPageFlag;
        out.visible = s.showInsertPageFlag;
    } else if (action == QLatin1String("removeTableBackgroundPattern:")) {
        out.enabled = s.selectedTableHasBackgroundPattern;
        if (!s.selectedTableHasBackgroundPattern)
            out.visible = false;
    } else if (action == QLatin1String("showOrHideSourceCode:") ||
               action == QLatin1String("showOrHideSourceCodeStatic:") ||
               action == QLatin1String("showMailSourceCode:")) {
        out.enabled = s.hasDocument && !s.hideSourceCodeFlag;
        out.visible = !s.hideSourceCodeFlag;
    }
    // ---- Edit and File, on the window's document ----
    else if (action == QLatin1String("undo:")) {
        out.enabled = s.hasDocument && s.canUndo;
        out.title = undoTitle(QStringLiteral("Undo"), s.canUndo ? s.undoActionName : QString());
    } else if (action == QLatin1String("redo:")) {
        out.enabled = s.hasDocument && s.canRedo;
        out.title = undoTitle(QStringLiteral("Redo"), s.canRedo ? s.redoActionName : QString());
    } else if (action == QLatin1String("showPreferencesPanel:")) {
        out.enabled = true; // the FTP settings need no document
    } else if (action == QLatin1String("saveDocument:") || action == QLatin1String("saveDocumentAs:") ||
               action == QLatin1String("performClose:")) {
        out.enabled = s.hasDocument;
    }
    return out;
}
