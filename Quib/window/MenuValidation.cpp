#include "window/MenuValidation.h"

#include "editions/EditionSettings.h"
#include "platform/Format.h"
#include "platform/StringsTable.h"

#include <QHash>
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
    } else if (action == QLatin1String("view1Column:") || action == QLatin1String("view2Column:") ||
               action == QLatin1String("view3Column:")) {
        out.checkable = true;
        out.checked = action.mid(4, 1).toInt() == s.pageListColumns;
    } else if (action == QLatin1String("showProfilePopOver:")) {
        out.enabled = s.profileEditionFlag;
    } else if (pageListActions().contains(action)) {
        // Shown again once the project has pages; an item the edition leaves out stays out where
        // the menu is built.
        out.enabled = s.pageCount > 0;
        out.visible = s.pageCount > 0;
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

namespace {

enum class CanvasRule {
    Predicate,              // hidden exactly when p is NO, enabled exactly when it is YES
    EitherPredicate,        // p = a or b
    BothPredicates,         // p = a and b
    CountAtLeastTwo,        // stays shown; enabled with 2 or more selected
    CountExactlyOne,        // stays shown; enabled with exactly 1 selected
    NaturalSize,            // stays shown; enabled when a selected graphic can take its natural size
    NeedsSelection,         // hidden and disabled with nothing selected
    AlignWithGrid,          // as NeedsSelection, and the grid must be able to align
    FlagOrCountAtLeastTwo,  // hidden and disabled by the edition flag; otherwise shown, 2 or more
    FlagThenPredicate,      // hidden and disabled by the edition flag; otherwise the predicate
    NeedsFlag,              // hidden and disabled unless the edition flag is set
    FlagThenCountPredicate, // hidden and disabled by the flag; otherwise enabled by p, shown
    Always,                 // enabled; hidden state untouched
    Rulers,                 // enabled; titled by the rulers' state
};

struct CanvasRow
{
    CanvasRule rule;
    const char* a = nullptr; // predicate or edition flag
    const char* b = nullptr; // second predicate
};

const QHash<QString, CanvasRow>& canvasRows()
{
    static const QHash<QString, CanvasRow> rows = [] {
        QHash<QString, CanvasRow> r;
        const auto add = [&r](std::initializer_list<const char*> actions, CanvasRow row) {
            for (const char* action : actions)
                r.insert(QString::fromLatin1(action), row);
        };
        using R = CanvasRule;
        add({"layerOptionsShown:"}, {R::Predicate, "shouldShowLayerArrangement"});
        add({"alignOptionsShown:"}, {R::Predicate, "shouldShowAlignArrangement"});
        add({"makeNaturalSize:"}, {R::NaturalSize});
        add({"alignWithGrid:"}, {R::AlignWithGrid});
        add({"delete:", "bringToFront:", "sendToBack:"}, {R::NeedsSelection});
        add({"alignLeftEdges:"}, {R::FlagOrCountAtLeastTwo, "gHideAlignLeftFlag"});
        add({"alignRightEdges:"}, {R::FlagOrCountAtLeastTwo, "gHideAlignRightFlag"});
        add({"alignHorizontalCenters:"}, {R::FlagOrCountAtLeastTwo, "gHideHorizontalCentersFlag"});
        add({"alignVerticalCenters:"}, {R::FlagOrCountAtLeastTwo, "gHideVerticalCentersFlag"});
        add({"alignHorizontalSpacing:"}, {R::FlagOrCountAtLeastTwo, "gHideHorizontalSpacingFlag"});
        add({"makeSameSize:"}, {R::FlagOrCountAtLeastTwo, "gHideSameSizeFlag"});
        add({"makeSameWidth:"}, {R::FlagOrCountAtLeastTwo, "gHideSameWidthFlag"});
        add({"alignTopEdges:", "alignBottomEdges:", "makeSameHeight:", "alignVerticalSpacing:"},
            {R::CountAtLeastTwo});
        add({"showOrHideRulers:"}, {R::Rulers});
        add({"lockObjects:"}, {R::Predicate, "lockShown"});
        add({"unLockObjects:"}, {R::Predicate, "unLockShown"});
        add({"applyLinkPopOver:"}, {R::Predicate, "linkShown"});
        add({"applyTooltip:"}, {R::Predicate, "tooltipShown"});
        add({"groupObjects:"}, {R::Predicate, "groupShown"});
        add({"unGroupObjects:"}, {R::Predicate, "ungroupShown"});
        add({"bringForward:", "sendBackward:"}, {R::CountExactlyOne});
        add({"showClickToEnlargeOptions:"},
            {R::FlagThenPredicate, "gHideClickToEnlargeFlag", "enlargeShown"});
        add({"launchCropImagePanel:", "launchReplaceImage:", "setClickToEnlarge:"},
            {R::Predicate, "cropShown"});
        add({"deleteSlide:", "replaceSlide:", "linkSlide:", "automateSlideShow:"},
            {R::Predicate, "slideShowImageEditingOptionsShown"});
        add({"addSlideshowImage:"}, {R::Predicate, "slideShowOptionsShown"});
        add({"cut:", "copy:"}, {R::Predicate, "abilityToCopyShown"});
        add({"duplicate:"}, {R::Predicate, "duplicateShown"});
        add({"addGalleryImage:"}, {R::Predicate, "galleryAddImageControlShown"});
        add({"configureGalleryGrid:"}, {R::Predicate, "galleryConfigurationControlShown"});
        add({"addGalleryImageToTable:"}, {R::Predicate, "tableAddImageControlShown"});
        add({"configureTableGrid:"}, {R::Predicate, "tableControlShown"});
        add({"galleryEditMenu:"}, {R::Predicate, "galleryControlShown"});
        add({"deleteGalleryImage:", "replaceGalleryImage:"}, {R::Predicate, "galleryImageEditControlShown"});
        add({"deleteTableImage:"}, {R::NeedsFlag, "gTableImagesFlag"});
        add({"configureGalleryImageCaption:"},
            {R::FlagThenPredicate, "gHideImageCaptionFlag", "galleryImageEditControlShown"});
        add({"centerGroup:", "centerWithinGroup:"}, {R::Predicate, "centerGroupShown"});
        add({"grabCopyStyle:"}, {R::Predicate, "grabCopyStyleShown"});
        add({"applyPasteStyle:"}, {R::Predicate, "applyPasteStyleShown"});
        add({"markAsReplyTo:"}, {R::Predicate, "showMarkAsReplyTo"});
        add({"makeFormMandatory:"}, {R::Predicate, "showMandatory"});
        add({"makeFormOptional:"}, {R::Predicate, "showOptional"});
        add({"scrollLockObjects:"}, {R::Predicate, "scrollShown"});
        add({"unScrollLockObjects:"}, {R::Predicate, "unScrollShown"});
        add({"applyLayerIndex:"}, {R::Predicate, "manualLayerIndexShown"});
        add({"removeManualLayerIndex:"}, {R::Predicate, "removeManualLayerIndexShown"});
        add({"matchScreenWidth:"}, {R::BothPredicates, "matchScreenWidthShown", "unScrollShown"});
        add({"unMatchScreenWidth:"}, {R::BothPredicates, "unMatchScreenWidthShown", "unScrollShown"});
        add({"addNewMultipleChoiceOption:"}, {R::Predicate, "enableNewMultipleChoiceOption"});
        add({"addNewCheckboxChoiceOption:"}, {R::Predicate, "enableNewCheckboxChoiceOption"});
        add({"addTable:", "showShapePopOver:"}, {R::Always});
        add({"autoAdjustSnippetSize:"}, {R::Predicate, "showAutoAdjustSnippetSize"});
        add({"positionSettingActions:"}, {R::Predicate, "positionSettingsShown"});
        add({"showCodeEditor:"}, {R::Predicate, "codeEditorShown"});
        add({"deleteTableColumn:", "insertTableColumn:", "deleteTableRow:", "insertTableRow:",
             "moveTableRowDown:", "moveTableRowUp:", "moveTableRowLeft:", "moveTableRowRight:",
             "transformTable:"},
            {R::Predicate, "tableControlShown"});
        add({"tableEditMenu:"}, {R::EitherPredicate, "tableControlShown", "tableMultiControlShown"});
        add({"savedTextOptions:", "addToSavedTextWindow:"}, {R::Predicate, "savedTextShown"});
        add({"multiplyNewShapes:"}, {R::Predicate, "addBranchShown"});
        add({"drawEndArrow:"}, {R::Predicate, "showDrawEndArrow"});
        add({"drawStartArrow:"}, {R::Predicate, "showDrawStartArrow"});
        add({"hideStartArrow:"}, {R::Predicate, "showHideStartArrow"});
        add({"hideEndArrow:"}, {R::Predicate, "showHideEndArrow"});
        add({"showArrowOptions:"}, {R::Predicate, "arrowOptionsShown"});
        add({"applyHTMLSnippetFormattingOption:"}, {R::Predicate, "applyHTMLSnippetFormattingShown"});
        add({"removeHTMLSnippetFormattingOption:"}, {R::Predicate, "removeHTMLSnippetFormattingShown"});
        add({"joinTablesVertically:", "joinTablesHorizontally:"},
            {R::FlagThenCountPredicate, "gResponsiveLayoutFlag", "tableMultiControlShown"});
        add({"refreshTableOfContents:"}, {R::Predicate, "shouldDisplayOfTableContents"});
        add({"createZoomBubble:"}, {R::Predicate, "shouldShowCreateZoomBubble"});
        add({"configureSectionWindowController:"}, {R::Predicate, "showSectionEditorFlag"});
        add({"moveImageUp:"}, {R::Predicate, "moveImageUpShown"});
        add({"moveImageDown:"}, {R::Predicate, "moveImageDownShown"});
        add({"moveImageRight:"}, {R::Predicate, "moveImageRightShown"});
        add({"moveImageLeft:"}, {R::Predicate, "moveImageLeftShown"});
        return r;
    }();
    return rows;
}

void showAndEnable(MenuItemState& item, bool p)
{
    item.visible = p;
    item.enabled = p;
}

} // namespace

void CanvasMenuFacts::addHolding(QSet<QString>& names,
                                 std::initializer_list<std::pair<const char*, bool>> values)
{
    for (const auto& [name, holds] : values) {
        if (holds)
            names.insert(QString::fromLatin1(name));
    }
}

QStringList MenuValidation::canvasActions()
{
    QStringList actions = canvasRows().keys();
    actions.sort();
    return actions;
}

CanvasMenuAnswer MenuValidation::validateCanvas(const QString& action, const MenuItemState& item,
                                                const CanvasMenuFacts& f)
{
    CanvasMenuAnswer answer;
    answer.item = item;
    answer.item.enabled = true;
    const auto row = canvasRows().constFind(action);
    if (row == canvasRows().constEnd())
        return answer;
    answer.handled = true;
    MenuItemState& out = answer.item;
    const QString a = row->a ? QString::fromLatin1(row->a) : QString();
    const QString b = row->b ? QString::fromLatin1(row->b) : QString();
    const int count = f.selectedCount;
    switch (row->rule) {
    case CanvasRule::Predicate:
        showAndEnable(out, f.holds(a));
        break;
    case CanvasRule::EitherPredicate:
        showAndEnable(out, f.holds(a) || f.holds(b));
        break;
    case CanvasRule::BothPredicates:
        showAndEnable(out, f.holds(a) && f.holds(b));
        break;
    case CanvasRule::CountAtLeastTwo:
        out.enabled = count >= 2;
        break;
    case CanvasRule::CountExactlyOne:
        out.enabled = count == 1;
        break;
    case CanvasRule::NaturalSize:
        out.enabled = f.anyCanMakeNaturalSize;
        break;
    case CanvasRule::NeedsSelection:
        showAndEnable(out, count > 0);
        break;
    case CanvasRule::AlignWithGrid:
        out.visible = count > 0;
        out.enabled = count > 0 && f.gridCanAlign;
        break;
    case CanvasRule::FlagOrCountAtLeastTwo:
        if (f.editionFlags.contains(a)) {
            showAndEnable(out, false);
        } else {
            out.visible = true;
            out.enabled = count >= 2;
        }
        break;
    case CanvasRule::FlagThenPredicate:
        showAndEnable(out, !f.editionFlags.contains(a) && f.holds(b));
        break;
    case CanvasRule::NeedsFlag:
        showAndEnable(out, f.editionFlags.contains(a));
        break;
    case CanvasRule::FlagThenCountPredicate:
        if (f.editionFlags.contains(a)) {
            showAndEnable(out, false);
        } else {
            out.enabled = f.holds(b);
        }
        break;
    case CanvasRule::Always:
        break;
    case CanvasRule::Rulers:
        out.title = platform::StringsTable::lookup(f.rulersShown ? QStringLiteral("Hide Ruler")
                                                                 : QStringLiteral("Show Ruler"),
                                                   QStringLiteral("DRVGraphicView"));
        break;
    }

    // Separators and titles that go with some rows.
    if (action == QLatin1String("showClickToEnlargeOptions:") && !f.editionFlags.contains(a) && !f.holds(b))
        answer.fourthSeparatorVisible = false;
    if (row->rule == CanvasRule::Predicate && a == QLatin1String("cropShown") && !f.holds(a))
        answer.fourthSeparatorVisible = false;
    if ((a == QLatin1String("slideShowImageEditingOptionsShown") ||
         a == QLatin1String("slideShowOptionsShown")) &&
        !f.holds(a))
        answer.firstSeparatorVisible = false;
    if (action == QLatin1String("setClickToEnlarge:"))
        out.title = f.imageAlreadyEnlarged ? QStringLiteral("Remove Click to Enlarge")
                                           : QStringLiteral("Click to Enlarge");
    if (action == QLatin1String("automateSlideShow:"))
        out.title = f.slideshowAutomatic ? QStringLiteral("Disable Auto Scrolling")
                                         : QStringLiteral("Set Auto Scrolling");
    return answer;
}
