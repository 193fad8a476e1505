#include "app/MenuModel.h"

#include "canvas/DRVGraphicView.h"
#include "editions/EditionSettings.h"
#include "platform/StringsTable.h"

#include <QAction>
#include <QActionGroup>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace {

const char* const kActionProperty = "quibAction";
const char* const kIdProperty = "quibId";
const char* const kHiddenProperty = "quibHidden";
const int kBranchCount = 30;

using Item = MenuItemDescription;

Item item(const char* id, const char* title, const char* action, const QKeySequence& shortcut = {})
{
    Item i;
    i.id = QString::fromUtf8(id);
    i.title = QString::fromUtf8(title);
    i.action = QString::fromUtf8(action);
    i.shortcut = shortcut;
    return i;
}

// An item known by its action alone.
Item command(const char* title, const char* action, const QKeySequence& shortcut = {})
{
    return item(action, title, action, shortcut);
}

Item radio(const char* id, const char* title, const char* action)
{
    Item i = item(id, title, action);
    i.radio = true;
    return i;
}

// action, when given, is validated like an item's: it shows or hides the whole submenu.
Item submenu(const char* id, const char* title, QList<Item> children, const char* action = "")
{
    Item i;
    i.id = QString::fromUtf8(id);
    i.action = QString::fromUtf8(action);
    i.title = QString::fromUtf8(title);
    i.children = std::move(children);
    return i;
}

Item separator()
{
    return {};
}

// The ready-made components of the objects palette, each made at the default insertion point:
// sections, then the web components, then the tables, each group after a separator.
QList<Item> componentItems()
{
    auto group = [](const QString& key) {
        if (key.startsWith(QLatin1String("quib_section")) || key == QLatin1String("quib_webstore_section"))
            return 0;
        if (key.startsWith(QLatin1String("quib_table")) || key.startsWith(QLatin1String("quib_tear_off")))
            return 2;
        return 1;
    };
    QList<Item> items;
    int lastGroup = -1;
    for (const DRVGraphicView::LibraryItem& component : DRVGraphicView::componentLibraryItems()) {
        // The plain table has its own item beside this submenu.
        if (component.key == QLatin1String("quib_table"))
            continue;
        if (lastGroup >= 0 && group(component.key) != lastGroup)
            items.append(separator());
        lastGroup = group(component.key);
        Item i;
        i.id = component.key;
        i.title = component.title;
        i.action = DRVGraphicView::libraryItemAction(component.key);
        items.append(i);
    }
    return items;
}

QKeySequence keys(int combination)
{
    return QKeySequence(combination);
}

// Every command of every edition, in bar order; editions hide what they do not offer.
const QList<MenuDescription>& baseMenus()
{
    static const QList<MenuDescription> menus{
        {QStringLiteral("File"),
         {item("addNewBlankGroupMenuItem", "New Website", "addNewBlankGroup:", keys(Qt::CTRL | Qt::Key_N)),
          item("addNewTemplateGroupMenuItem", "New Website From Template", "showTemplateWebsite:"),
          item("showSiteLevelTemplateMenuItem", "New Website From Theme", "showSiteLevelTemplate:"),
          item("addNewDirectlyFromTemplateMenuItem", "New From Template", "addNewDirectlyFromTemplate:"),
          separator(),
          item("openMenuItem", "Open…", "openDocument:", QKeySequence::Open),
          item("openGroupMenuItem", "Open Website", "openGroup:"),
          item("openPageMenuItem", "Open Single Page", "openDocument:"),
          item("openFormMenuItem", "Open Form", "openDocument:"),
          separator(),
          item("addInNewBlankPage", "New Blank Page", "showAddNewPageWindow:"),
          item("addInNewFromTemplate", "New Page From Template", "showAddNewFromTemplateWindow:"),
          item("addInNewBlankForm", "New Blank Form", "showAddNewFormWindow:"),
          item("addInBaseTemplate", "New Base Template", "showAddBaseTemplateWindow:"),
          submenu("addIntoGroupMenuItem", "Add Into Website",
                  {item("addIntoGroupBlankPageMenuItem", "Blank Page", "showAddNewPageWindow:"),
                   item("addIntoGroupFromTemplateMenuItem", "From Template", "showAddNewFromTemplateWindow:")},
                  "addIntoGroup:"),
          item("addNewPatientMenuItem", "Add New Patient", "showAddNewPatientWindow:"),
          item("updateProfileMenuItem", "Update Profile", "showUpdatePatientProfileWindow:"),
          separator(),
          command("Close", "performClose:", keys(Qt::CTRL | Qt::Key_W)),
          item("saveMenuItem", "Save", "saveDocument:", QKeySequence::Save),
          item("saveAsMenuItem", "Save As…", "saveDocumentAs:", keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
          separator(),
          item("importPageMenuItem", "Import Page From Web Address", "importPage:"),
          item("importMultiplePagesMenuItem", "Import Multiple Pages", "importMultiplePages:"),
          submenu(
              "exportPDFMenu", "Export",
              {item("exportToPDFMenuItem", "Export To PDF", "exportToPDF:"),
               item("exportAllToPDFMenuItem", "Export All To PDF", "exportAllToPDF:"),
               item("exportPDFSheetCopyMenuItem", "Export Sheet To PDF", "exportPDFSheetCopy:"),
               item("exportToPNGMenuItem", "Export To PNG", "exportToPNG:"),
               item("exportToJPGMenuItem", "Export To JPG", "exportToJPG:"),
               item("exportToRawFilesMenuItem", "Export This Page", "exportToRawFiles:"),
               item("exportZipMenuItem", "Export Zip For MailChimp", "exportZip:"),
               item("exportAllToRawFilesMenuItem", "Export All Pages", "exportAllFileTo:"),
               submenu("exportSourceFilesParentMenuItem", "Export Source Files",
                       {command("This Page", "exportToRawFiles:"), command("All Pages", "exportAllFileTo:"),
                        command("Zip For MailChimp", "exportZip:")}),
               item("exportSingleLabelMenuItem", "Export Single Label", "exportSingleLabelSheet:"),
               item("exportSingleLabelRepeatMenuItem", "Export Label Sheet", "exportSingleLabelRepeat:"),
               item("exportDifferentLabelMenuItem", "Export Different Labels", "exportDifferentLabel:"),
               // PDF output and the spot chooser
               item("exportAllPDFMenuItem", "Save As PDF Book", "exportAllPDF:"),
               item("exportAllPDFFastMenuItem", "Fast Export PDF Book", "exportAllPDFFast:"),
               item("chooseLabelSpotsMenuItem", "Choose Label Spots…", "selectDefaultLabelShapes:")}),
          item("shareMenuItem", "Share…", "showSharePanel:"),
          item("uploadDocumentMenuItem", "Upload Document", "selectDocumentsToUpload:"),
          separator(),
          command("Quit", "terminate:", keys(Qt::CTRL | Qt::Key_Q))},
         QStringLiteral("fileMenu")},
        {QStringLiteral("Edit"),
         {command("Undo", "undo:", keys(Qt::CTRL | Qt::Key_Z)),
          command("Redo", "redo:", keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)), separator(),
          command("Cut", "cut:"), command("Copy", "copy:"), command("Paste", "paste:"),
          command("Duplicate", "duplicate:"), command("Delete", "delete:"),
          item("selectAllMenuItem", "Select All", "selectAll:", QKeySequence::SelectAll),
          command("Deselect All", "deselectAll:"), separator(),
          command("Saved Texts…", "launchSavedTextWindow:"),
          command("Add Text to Saved Texts", "addToSavedTextWindow:")},
         QStringLiteral("editMenu")},
        {QStringLiteral("View"),
         {command("New Window", "newDocumentWindow:"), separator(),
          command("Show Grid", "toggleGridShowing:"), command("Snap to Grid", "toggleGridConstraining:"),
          separator(), item("sourcecodeMenuItem", "Show Source", "showOrHideSourceCode:"),
          command("Show Stored Page Source", "showOrHideSourceCodeStatic:"),
          item("webPreviewMenuItem", "Web Preview", "showWebPreview:"),
          command("Mobile Preview", "showMobileWebPreview:"), separator(),
          submenu("displayColumnOptionMenuItem", "Page List Columns",
                  {command("1 Column", "view1Column:"), command("2 Columns", "view2Column:"),
                   command("3 Columns", "view3Column:")},
                  "showViewOptions:"),
          item("showProfileBadgeMenuItem", "Show Profile Badge", "showProfilePopOver:"),
          submenu("canvasSizeMenuItem", "Canvas Size",
                  {command("Mobile", "setMobileCanvasSize:"), command("Full", "setFullCanvasSize:"),
                   command("Wide", "setWideCanvasSize:")}),
          command("Page Canvas Size…", "showAdjustCanvasSheet:"),
          command("Page Title…", "showAdjustPageNumberSheet:"),
          submenu("mailCanvasSizeMenuItem", "E-mail Canvas Size",
                  {command("Standard", "setStandardMailCanvasSize:"),
                   command("Extra Wide", "setExtraWideMailCanvasSize:"),
                   command("Flex", "setFlexMailCanvasSize:")}),
          submenu("rotateCanvasMenuItem", "Rotate Canvas",
                  {command("Portrait", "rotateCanvas0:"), command("Landscape", "rotateCanvas90Right:")})},
         QStringLiteral("viewMenu")},
        {QStringLiteral("Add New"),
         {item("addNewGalleryMenuItem", "Gallery", "addNewGallery:"),
          item("addNewSlideshowMenuItem", "Slideshow", "addNewSlideshow:"),
          item("addNewTableMenuItem", "Table", "addNewTable:"),
          submenu("addNewTableParentMenuItem", "Components", componentItems(), "addNewTableParent:"),
          item("addNewTableSiteMapMenuItem", "Site Map", "addNewTableSiteMap:"),
          item("addNewTableSiteMapHMenuItem", "Horizontal Site Map", "addNewTableSiteMapH:"),
          item("addNewSnippetMenuItem", "Code Snippet", "addNewSnippet:"),
          item("addNewShapeMenuItem", "Shape", "addNewShape:"),
          submenu("addNewLineMenuItem", "Line",
                  {command("Solid Line", "addLine:"), command("Dashed Line", "addLineDashed:"),
                   command("Dotted Line", "addLineDotted:")},
                  "addNewLine:"),
          item("addNewPhotoMenuItem", "Photo", "addNewPhoto:"),
          submenu("addNewFormObjectMenuItem", "Form Object",
                  {command("Text Field", "addTextField:"), command("Email Field", "addEmailTextField:"),
                   command("Paragraph", "addParagraph:"), command("Multiple Choice", "addMultipleChoice:"),
                   command("Checkboxes", "addCheckboxes:"), command("Bot Check", "addBotCheckerTextField:"),
                   command("Submit Button", "addSubmitButton:")},
                  "addFormObjects:"),
          submenu("addNewQuibLinkMenuItem", "Quib Link",
                  {command("Made with HTML Quib Pro", "addQuibLink:"),
                   command("Made on my Mac with Quib", "addQuibLink2:"),
                   command("Powered by Quib", "addQuibLink3:"),
                   command("Proudly web designed with Quib", "addQuibLink4:")}),
          submenu("addNewPersonalizationMenuItem", "Personalization Field",
                  {item("personalizationFirstNameMenuItem", "First Name", "addPerson_FirstName:"),
                   item("personalizationLastNameMenuItem", "Last Name", "addPerson_LastName:"),
                   item("personalizationTitleMenuItem", "Title", "addPerson_Title:"),
                   command("Job Title", "addPerson_JobTitle:"),
                   command("Company Name", "addPerson_CompanyName:"),
                   item("personalizationEmailMenuItem", "Email", "addPerson_Email:"),
                   command("Phone", "addPerson_Phone:"), separator(),
                   item("personalizationAddressStreetMenuItem", "Street", "addPerson_Address_Street:"),
                   item("personalizationAddressCityMenuItem", "City", "addPerson_Address_City:"),
                   item("personalizationAddressStateMenuItem", "State", "addPerson_Address_State:"),
                   item("personalizationAddressZipCodeMenuItem", "Zip Code", "addPerson_Address_Zipcode:"),
                   item("personalizationAddressCountryMenuItem", "Country", "addPerson_Address_Country:"),
                   separator(),
                   item("personalizationAddressMenuItem", "Full Address", "addPerson_FullAddress:")}),
          item("addNewParentMenuItem", "Parent", "addNewParent:"),
          item("addBranchMenuItem", "Branch", "multiplyNewShapes:"),
          item("createNewParentMenuItem", "New Parent Chart", "createNewParent:"),
          item("addressBookMenuItem", "From Address Book", "showAddressBook:"), separator(),
          submenu("insertNewDisplayOptionMenuItem", "Place New Objects",
                  {radio("insertNewAtCurrentViewMenuItem", "In Current View", "switchAddNewLayout_Current:"),
                   radio("insertNewAtEndMenuItem", "At End of Page", "switchAddNewLayout_End:")})},
         QStringLiteral("insertMenu")},
        {QStringLiteral("Format"),
         {item("styleEditorMenuItem", "Style Editor", "toggleInspector:"),
          separator(),
          submenu("alignMenu", "Align",
                  {command("Left Edges", "alignLeftEdges:"), command("Right Edges", "alignRightEdges:"),
                   command("Top Edges", "alignTopEdges:"), command("Bottom Edges", "alignBottomEdges:"),
                   command("Horizontal Centers", "alignHorizontalCenters:"),
                   command("Vertical Centers", "alignVerticalCenters:"), separator(),
                   command("Horizontal Spacing", "alignHorizontalSpacing:"),
                   command("Vertical Spacing", "alignVerticalSpacing:"), separator(),
                   command("To Grid", "alignWithGrid:")},
                  "alignOptionsShown:"),
          submenu("sizeMenu", "Size",
                  {command("Same Width", "makeSameWidth:"), command("Same Height", "makeSameHeight:"),
                   command("Same Size", "makeSameSize:"), command("Natural Size", "makeNaturalSize:")}),
          submenu(
              "layerMenu", "Arrange",
              {command("Bring To Front", "bringToFront:", keys(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketRight)),
               command("Bring Forward", "bringForward:", keys(Qt::CTRL | Qt::Key_BracketRight)),
               command("Send Backward", "sendBackward:", keys(Qt::CTRL | Qt::Key_BracketLeft)),
               command("Send To Back", "sendToBack:", keys(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketLeft))},
              "layerOptionsShown:"),
          separator(),
          command("Group", "groupObjects:", keys(Qt::CTRL | Qt::Key_G)),
          command("Ungroup", "unGroupObjects:", keys(Qt::CTRL | Qt::SHIFT | Qt::Key_G)),
          command("Center Group", "centerGroup:"),
          command("Center Within Group", "centerWithinGroup:"),
          command("Lock", "lockObjects:"),
          command("Unlock", "unLockObjects:"),
          command("Fix Position While Scrolling", "scrollLockObjects:"),
          command("Scroll With Page", "unScrollLockObjects:"),
          separator(),
          command("Copy Style", "grabCopyStyle:", keys(Qt::CTRL | Qt::ALT | Qt::Key_C)),
          command("Paste Style", "applyPasteStyle:", keys(Qt::CTRL | Qt::ALT | Qt::Key_V)),
          command("Match Screen Width", "matchScreenWidth:"),
          command("Unmatch Screen Width", "unMatchScreenWidth:"),
          separator(),
          command("Link…", "applyLinkPopOver:"),
          command("Tooltip…", "applyTooltip:"),
          command("Layer Index…", "applyLayerIndex:"),
          command("Remove Manual Layer Index", "removeManualLayerIndex:"),
          separator(),
          command("Make Mandatory", "makeFormMandatory:"),
          command("Make Optional", "makeFormOptional:"),
          command("Mark as Reply-To Address", "markAsReplyTo:"),
          command("Add Multiple Choice Option", "addNewMultipleChoiceOption:"),
          command("Add Checkbox Option", "addNewCheckboxChoiceOption:"),
          separator(),
          submenu("arrowMenu", "Arrows",
                  {command("Draw Start Arrow", "drawStartArrow:"),
                   command("Hide Start Arrow", "hideStartArrow:"), command("Draw End Arrow", "drawEndArrow:"),
                   command("Hide End Arrow", "hideEndArrow:")},
                  "showArrowOptions:"),
          command("Generate Branches…", "multiplyNewShapes:"),
          submenu("tableEditMenuItem", "Table",
                  {command("Insert Row", "insertTableRow:"), command("Insert Column", "insertTableColumn:"),
                   command("Delete Row", "deleteTableRow:"), command("Delete Column", "deleteTableColumn:"),
                   separator(), command("Move Row Up", "moveTableRowUp:"),
                   command("Move Row Down", "moveTableRowDown:"),
                   command("Move Column Left", "moveTableRowLeft:"),
                   command("Move Column Right", "moveTableRowRight:"), separator(),
                   command("Transform Table", "transformTable:"),
                   command("Join Vertically", "joinTablesVertically:"),
                   command("Join Horizontally", "joinTablesHorizontally:"), separator(),
                   command("Configure Table Grid…", "configureTableGrid:"),
                   command("Refresh Table of Contents", "refreshTableOfContents:")},
                  "tableEditMenu:"),
          command("Configure Section Grid…", "configureSectionWindowController:"),
          separator(),
          command("Edit Code…", "showCodeEditor:"),
          command("Apply Snippet Formatting", "applyHTMLSnippetFormattingOption:"),
          command("Remove Snippet Formatting", "removeHTMLSnippetFormattingOption:"),
          command("Fit Snippet to Its Size", "autoAdjustSnippetSize:")},
         QStringLiteral("formatMenu")},
        {QStringLiteral("Publish"),
         {item("publishThisPageMenuItem", "Publish This Page", "publishThisPage:"),
          item("publishThisPageNoImagesMenuItem", "Quick Refresh This Page (No Images)",
               "publishThisPageNoImages:"),
          item("publishAllPagesMenuItem", "Publish All Pages", "publishWebsiteWithImages:"),
          item("publishAllPagesNoImagesMenuItem", "Quick Refresh All Pages (No Images)",
               "publishWebsiteNoImages:"),
          item("publishMailMenuItem", "Send E-mail", "publishMail:")},
         QStringLiteral("publishMenu")},
        {QStringLiteral("Print"),
         {item("printPageMenuItem", "Print Page", "printPage:", QKeySequence::Print),
          item("printMenuItem", "Print Labels", "printLabels:"),
          item("printDifferentLabelsMenuItem", "Print Different Labels", "printSheetWithDifferentLabels:"),
          command("Print Settings…", "launchPrintSettings:")},
         QStringLiteral("printMenu")},
        {QStringLiteral("Photos"),
         {item("selectPhotosInputFolderMenuItem", "Select Photos Folder", "selectPhotosInputFolder:"),
          item("imageSettingsMenuItem", "Image Settings", "launchImageSettingsModalSheet:")},
         QStringLiteral("photoMenu")},
        {QStringLiteral("Settings"),
         {item("websitePreferencesMenuItem", "Website Settings", "showWebsitePreferences:"),
          item("pagePreferencesMenuItem", "Page Settings", "showPagePreferences:"),
          item("formPreferencesMenuItem", "Form Settings", "showFormPreferences:"),
          item("ftpSettingsMenuItem", "FTP Settings…", "showPreferencesPanel:"),
          item("senderSMTPSettingsMenuItem", "Sender SMTP Settings", "showSenderSMTPSettings:"),
          item("customizeCategoriesMenuItem", "Customize Categories", "customizeCategories:"),
          item("profileMenuItem", "Profile", "showUpdatePatientProfileWindow:")},
         QStringLiteral("settingsMenu")},
        {QStringLiteral("Windows"),
         {command("Minimize", "performMiniaturize:", keys(Qt::CTRL | Qt::Key_M))},
         QStringLiteral("windowsMenu")},
        {QStringLiteral("Help"),
         {item("gettingStartedMenuItem", "Getting Started", "showGettingStarted:"),
          item("videoTutorialMenuItem", "Video Tutorials", "showVideoTutorials:"),
          item("iOSEditionMenuItem", "iOS Edition", "showIOSEdition:"),
          item("kestrinLabelMakerMenuItem", "Kestrin Label Maker", "showKestrinLabelMaker:"),
          // help, feedback and the record editions' promotions
          separator(), command("Need Help?…", "showHelpAlert:"), command("User Guide", "launchUserGuide:"),
          command("Send Feedback…", "launchFeedbackModalSheet:"),
          command("Cardell Vet Edition", "launchCardellVet:"),
          command("Cardell 2", "launchZOR2PromotionMessage:")},
         QStringLiteral("helpMenu")}};
    return menus;
}

// Items of the bar that are themselves outlets the branches may hide: the menu's own entry.
const QHash<QString, QString>& menuOutlets()
{
    static const QHash<QString, QString> outlets{
        {QStringLiteral("viewMenu"), QStringLiteral("viewMenuItem")},
        {QStringLiteral("formatMenu"), QStringLiteral("formatMenuItem")},
        {QStringLiteral("publishMenu"), QStringLiteral("publishMenuItem")},
        {QStringLiteral("settingsMenu"), QStringLiteral("settingsMenuItem")}};
    return outlets;
}

const QList<QStringList>& branchDisplayNames()
{
    static const QList<QStringList> names{
        {QStringLiteral("HTML Quib Pro")},
        {QStringLiteral("Brumel Responsive Website Designer")},
        {QStringLiteral("Zandelle")},
        {QStringLiteral("Ostrevin"), QStringLiteral("Quellam"), QStringLiteral("Tirrabel")},
        {QStringLiteral("Pommerit Recipe Manager")},
        {QStringLiteral("Ulmira Pro 2")},
        {QStringLiteral("Haskavel Pro"), QStringLiteral("Haskavel Pro 2")},
        {QStringLiteral("Ulmira Express")},
        {QStringLiteral("Selvaro Pro")},
        {QStringLiteral("Selvaro Pro 2")},
        {QStringLiteral("Brennolt Pro")},
        {QStringLiteral("Femmock")},
        {QStringLiteral("Kestrin Label Maker")},
        {QStringLiteral("Kestrin Family Tree Maker")},
        {QStringLiteral("Brumel Responsive Email Designer")},
        {QStringLiteral("Kestrin Responsive Form Designer")},
        {QStringLiteral("Kestrin Flyer Maker Pro")},
        {QStringLiteral("Kestrin Greeting Card Designer")},
        {QStringLiteral("Kestrin Markup")},
        {QStringLiteral("Kestrin Markup Express")},
        {QStringLiteral("Kestrin PDF Author")},
        {QStringLiteral("Cardell"), QStringLiteral("Cardell 2")},
        {QStringLiteral("Cardell Vet Edition")},
        {QStringLiteral("Veldacre")},
        {QStringLiteral("Cardell Viewer")},
        {QStringLiteral("Corvane Business Card Designer")},
        {QStringLiteral("Corvane Envelope Designer")},
        {QStringLiteral("Lomith Image Notes")},
        {QStringLiteral("Corvane eCard Designer")},
        {QStringLiteral("Quibpage Web Design Document Viewer")}};
    return names;
}

// Branch sets written as the tables read: "all", "all except 1-3, 9", "4, 11-16".
QSet<int> branchSet(const char* text)
{
    QString rest = QString::fromUtf8(text).trimmed();
    QSet<int> listed;
    bool complement = false;
    if (rest.startsWith(QLatin1String("all"))) {
        complement = true;
        rest = rest.mid(3).trimmed();
        if (rest.startsWith(QLatin1String("except")))
            rest = rest.mid(6);
    }
    for (const QString& part : rest.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = part.trimmed().split(QLatin1Char('-'));
        const int from = ends.constFirst().toInt();
        const int to = ends.constLast().toInt();
        for (int b = from; b <= to; ++b)
            listed.insert(b);
    }
    if (!complement)
        return listed;
    QSet<int> all;
    for (int b = 1; b <= kBranchCount; ++b) {
        if (!listed.contains(b))
            all.insert(b);
    }
    return all;
}

struct HiddenRow
{
    const char* outlet;
    const char* branches;
};

const QList<HiddenRow>& hiddenTable()
{
    static const QList<HiddenRow> rows{
        {"addBranchMenuItem", "all except 7"},
        {"addInBaseTemplate", "all except 1, 2, 21"},
        {"addInNewBlankForm", "all except 1, 2, 9, 10"},
        {"addInNewBlankPage", "3, 4, 6, 8-12, 22-25, 30"},
        {"addInNewFromTemplate", "3, 4, 11-13, 19-25, 30"},
        {"addIntoGroupMenuItem", "3, 4, 8, 10, 15, 18, 20, 25-30"},
        {"addNewBlankGroupMenuItem", "all except 1-5, 13, 14, 16, 19-24"},
        {"addNewDirectlyFromTemplateMenuItem", "all except 11, 12, 15"},
        {"addNewFormObjectMenuItem", "all except 1, 2, 9, 10"},
        {"addNewGalleryMenuItem", "all except 1, 2, 5"},
        {"addNewLineMenuItem", "1-6, 8-10, 22-25, 30"},
        {"addNewParentMenuItem", "all except 1-3, 5, 7, 9, 11, 12, 22-24"},
        {"addNewPatientMenuItem", "all except 22-25, 30"},
        {"addNewPersonalizationMenuItem", "1-5, 7, 9, 10, 22-25, 30"},
        {"addNewPhotoMenuItem", "3, 4"},
        {"addNewQuibLinkMenuItem", "all except 1, 2"},
        {"addNewShapeMenuItem", "6, 8, 22-25, 30"},
        {"addNewSlideshowMenuItem", "all except 1, 2, 5, 7"},
        {"addNewSnippetMenuItem", "all except 1, 2"},
        {"addNewTableMenuItem", "6, 8, 11"},
        {"addNewTableParentMenuItem", "11"},
        {"addNewTableSiteMapHMenuItem", "all except 1-6, 8, 11"},
        {"addNewTableSiteMapMenuItem", "all except 1-6, 8, 11"},
        {"addNewTemplateGroupMenuItem", "all except 6-12, 15, 17, 18, 26-29"},
        {"addressBookMenuItem", "1-6, 8-10, 22-25, 30"},
        {"canvasSizeMenuItem", "all except 1"},
        {"createNewParentMenuItem", "25, 30"},
        {"customizeCategoriesMenuItem", "all except 22-25, 30"},
        {"displayColumnOptionMenuItem", "11-20, 26-29"},
        {"exportAllToPDFMenuItem", "all"},
        {"exportAllToRawFilesMenuItem", "all except 1-3, 5, 9, 25"},
        {"exportDifferentLabelMenuItem", "all except 11, 12, 14-16"},
        {"exportPDFSheetCopyMenuItem", "1-10, 22-25, 30"},
        {"exportSingleLabelMenuItem", "all except 11, 12, 14-16"},
        {"exportSingleLabelRepeatMenuItem", "all except 11, 12, 14-16"},
        {"exportSourceFilesParentMenuItem", "all except 1-3, 9, 10, 14, 16, 22, 23, 30"},
        {"exportToJPGMenuItem", "all except 7"},
        {"exportToPDFMenuItem", "all except 1-5, 7, 9, 10, 22-25, 30"},
        {"exportToPNGMenuItem", "1-5, 9, 10, 21-25, 30"},
        {"exportToRawFilesMenuItem", "all except 1, 2, 9, 10"},
        {"formatMenuItem", "4"},
        {"formPreferencesMenuItem", "all except 1, 2, 9, 10"},
        {"ftpSettingsMenuItem", "all except 1-5, 9, 10"},
        {"gettingStartedMenuItem", "3-5, 14, 16, 22-30"},
        {"imageSettingsMenuItem", "all except 6, 8"},
        {"importMultiplePagesMenuItem", "all"},
        {"importPageMenuItem", "all except 1, 2, 9, 10"},
        {"insertNewDisplayOptionMenuItem", "all except 1, 2, 5-10, 22-25, 30"},
        {"iOSEditionMenuItem", "all except 1-3, 9, 22-24, 30"},
        {"kestrinLabelMakerMenuItem", "all except 11"},
        {"mailCanvasSizeMenuItem", "all except 6, 8"},
        {"openFormMenuItem", "all except 1, 2, 9, 10"},
        {"openGroupMenuItem", "8, 10, 15, 20, 25-27, 29, 30"},
        {"openMenuItem", "4"},
        {"openPageMenuItem", "10, 18, 21"},
        {"pagePreferencesMenuItem", "all except 1, 2, 7, 9, 10"},
        {"printMenuItem", "all except 11-14, 16"},
        {"printDifferentLabelsMenuItem", "all except 11-13"},
        {"printPageMenuItem", "4, 11-16, 25, 30"},
        {"profileMenuItem", "all except 22-25"},
        {"publishAllPagesMenuItem", "5, 10"},
        {"publishAllPagesNoImagesMenuItem", "5, 10"},
        {"publishMailMenuItem", "all except 15"},
        {"publishMenuItem", "all except 1-3, 5, 9, 10"},
        {"publishThisPageNoImagesMenuItem", "5, 10"},
        {"rotateCanvasMenuItem", "all except 13"},
        {"saveAsMenuItem", "4, 12, 13, 17-19, 21, 22, 25, 28, 30"},
        {"saveMenuItem", "4, 25, 30"},
        {"selectAllMenuItem", "2, 15"},
        {"selectPhotosInputFolderMenuItem", "all except 3"},
        {"senderSMTPSettingsMenuItem", "all except 6, 8"},
        {"settingsMenuItem", "4, 7, 15, 17-21, 25-29"},
        {"shareMenuItem", "1-3, 9, 10, 15, 22, 23"},
        {"showProfileBadgeMenuItem", "all except 22-25, 30"},
        {"sourcecodeMenuItem", "all except 1, 2, 6-10, 30"},
        {"styleEditorMenuItem", "10, 15, 22-25, 29, 30"},
        {"updateProfileMenuItem", "30"},
        {"uploadDocumentMenuItem", "3-5, 10"},
        {"viewMenuItem", "4, 8, 10, 20, 25-27, 29, 30"},
        {"webPreviewMenuItem", "5, 9, 10"},
        {"websitePreferencesMenuItem", "all except 1, 2, 7, 22, 23"},
        // A record is added from its own form, not from a template.
        {"addIntoGroupFromTemplateMenuItem", "22-24"}};
    return rows;
}

// Rows no edition has a command for, hidden whatever the edition (the default one too): a parent
// item and a new parent chart, importing several pages at once, and a help item promoting the very
// edition it is shown in.
const QStringList& outletsWithoutCommand()
{
    static const QStringList outlets{QStringLiteral("addNewParentMenuItem"),
                                     QStringLiteral("createNewParentMenuItem"),
                                     QStringLiteral("importMultiplePagesMenuItem"),
                                     QStringLiteral("kestrinLabelMakerMenuItem")};
    return outlets;
}

struct TitleRow
{
    const char* outlet;
    const char* title;
    const char* branches;
};

const QList<TitleRow>& titleTable()
{
    static const QList<TitleRow> rows{
        {"addInNewBlankPage", "New Blank Recipe", "5"},
        {"addInNewBlankPage", "Add New Blank Chart", "7"},
        {"addInNewBlankPage", "New Blank Label", "13, 14, 16"},
        {"addInNewBlankPage", "New Design", "15"},
        {"addInNewBlankPage", "New Blank Design", "17-20, 26-29"},
        {"addInNewBlankPage", "New Blank Page", "21"},
        {"addInNewFromTemplate", "New From Template", "5, 15, 17, 18, 26-29"},
        {"addInNewFromTemplate", "Add From Template", "6-8"},
        {"addInNewFromTemplate", "New Label From Template", "13, 14, 16"},
        {"addIntoGroupMenuItem", "Add Into Collection", "5"},
        {"addIntoGroupMenuItem", "Add New...", "6-12, 19-21"},
        {"addIntoGroupMenuItem", "Add Label", "13, 14, 16"},
        {"addIntoGroupMenuItem", "Add", "17, 18, 26-29"},
        {"addIntoGroupMenuItem", "New Profile", "22"},
        {"addIntoGroupMenuItem", "Add to Patient Database", "23"},
        {"addIntoGroupMenuItem", "Add to Student Database", "24"},
        {"addNewBlankGroupMenuItem", "New Collection", "3"},
        {"addNewBlankGroupMenuItem", "New", "4"},
        {"addNewBlankGroupMenuItem", "New Recipe Collection", "5"},
        {"addNewBlankGroupMenuItem", "New Design Project", "13, 14, 16, 19"},
        {"addNewBlankGroupMenuItem", "New Design", "20"},
        {"addNewBlankGroupMenuItem", "New Project", "21"},
        {"addNewBlankGroupMenuItem", "New Database", "22"},
        {"addNewBlankGroupMenuItem", "New Patient Database", "23"},
        {"addNewBlankGroupMenuItem", "New Student Database", "24"},
        {"addNewDirectlyFromTemplateMenuItem", "New Label", "11"},
        {"addNewDirectlyFromTemplateMenuItem", "New Card", "12"},
        {"addNewPatientMenuItem", "Add New Student", "24"},
        {"addNewTemplateGroupMenuItem", "New Project", "6-9, 11, 12, 17, 18, 28"},
        {"addNewTemplateGroupMenuItem", "New Form", "10"},
        {"addNewTemplateGroupMenuItem", "New Email Design", "15"},
        {"addNewTemplateGroupMenuItem", "New Card", "26, 29"},
        {"addNewTemplateGroupMenuItem", "New Envelope", "27"},
        {"exportAllToRawFilesMenuItem", "Export Entire Collection", "3, 4"},
        {"exportAllToRawFilesMenuItem", "Export All Forms in Group", "9"},
        {"exportSourceFilesParentMenuItem", "Export Collection", "3, 4"},
        {"exportToPDFMenuItem", "Export This Page To PDF", "21"},
        {"exportToPNGMenuItem", "Image", "11-20, 26-29"},
        {"exportToRawFilesMenuItem", "Export This Form", "9, 10"},
        {"openFormMenuItem", "Open Single Form", "1"},
        {"openGroupMenuItem", "Open Website", "1"},
        {"openGroupMenuItem", "Open Collection", "3, 4"},
        {"openGroupMenuItem", "Open Recipe Collection", "5"},
        {"openGroupMenuItem", "Open Design Folder", "6, 8"},
        {"openGroupMenuItem", "Open Chart Database", "7"},
        {"openGroupMenuItem", "Open...", "9, 11, 12"},
        {"openGroupMenuItem", "Open Design Project Folder", "13-17, 19"},
        {"openGroupMenuItem", "Open Design", "18, 28"},
        {"openGroupMenuItem", "Open Project", "21"},
        {"openGroupMenuItem", "Open", "22"},
        {"openGroupMenuItem", "Open Patient Database", "23"},
        {"openGroupMenuItem", "Open Student Database", "24"},
        {"openPageMenuItem", "Open Single Page", "1"},
        {"openPageMenuItem", "Open quibpage Document", "3, 4"},
        {"openPageMenuItem", "Open Recipe", "5"},
        {"openPageMenuItem", "Open single .ulmira file", "6"},
        {"openPageMenuItem", "Open Dunmeret Document", "7"},
        {"openPageMenuItem", "Open Design", "8, 20"},
        {"openPageMenuItem", "Open Quibpage Template", "9"},
        {"openPageMenuItem", "Open Single Document", "11-14, 16-19, 28"},
        {"openPageMenuItem", "Open...", "15, 26, 27, 29"},
        {"openPageMenuItem", "Open Database", "22"},
        {"openPageMenuItem", "Open Patient Profile", "23, 25"},
        {"openPageMenuItem", "Open Student Profile", "24"},
        {"pagePreferencesMenuItem", "File Properties and Meta Tags", "9, 10"},
        {"publishAllPagesMenuItem", "Publish All Forms", "9"},
        {"publishAllPagesNoImagesMenuItem", "Quick Refresh All Forms (No Images)", "9"},
        {"publishThisPageMenuItem", "Publish This Form", "9, 10"},
        {"publishThisPageNoImagesMenuItem", "Quick Refresh This Form (No Images)", "9"},
        {"styleEditorMenuItem", "Inspector", "13, 14, 17-21, 26-29"},
        {"websitePreferencesMenuItem", "Database Index", "22, 23"},
        {"addIntoGroupBlankPageMenuItem", "Profile", "22-24"}};
    return rows;
}

struct RebindRow
{
    const char* branches;
    const char* outlet;
    const char* action;
};

const QList<RebindRow>& rebindTable()
{
    static const QList<RebindRow> rows{
        {"6, 8", "sourcecodeMenuItem", "showMailSourceCode:"},
        {"13, 21", "addInNewBlankPage", "directlyAddBlankPage:"},
        {"18, 26, 28", "printPageMenuItem", "printCard:"},
        {"20", "addNewBlankGroupMenuItem", "directlyLaunchSingleDocBlank:"},
        {"21", "printPageMenuItem", "printManual:"},
        {"22, 24", "addNewPatientMenuItem", "showAddNewHumanPatientWindow:"},
        {"22, 24", "updateProfileMenuItem", "showUpdateHumanPatientProfileWindow:"},
        {"23, 25", "addNewPatientMenuItem", "showAddNewPatientWindow:"},
        {"23, 25", "updateProfileMenuItem", "showUpdatePatientProfileWindow:"},
        {"27", "printPageMenuItem", "printSheetWithSameLabels:"},
        // The record editions' profile is the open record's profile window.
        {"22, 24", "profileMenuItem", "showUpdateHumanPatientProfileWindow:"},
        {"22, 24", "addIntoGroupBlankPageMenuItem", "showAddNewHumanPatientWindow:"},
        {"23", "addIntoGroupBlankPageMenuItem", "showAddNewPatientWindow:"}};
    return rows;
}

struct BranchChanges
{
    QSet<QString> hidden;
    QHash<QString, QString> titles;
    QHash<QString, QString> actions;
};

BranchChanges changesOfBranch(int branch)
{
    BranchChanges changes;
    if (branch <= 0)
        return changes;
    for (const HiddenRow& row : hiddenTable()) {
        if (branchSet(row.branches).contains(branch))
            changes.hidden.insert(QString::fromUtf8(row.outlet));
    }
    for (const TitleRow& row : titleTable()) {
        if (branchSet(row.branches).contains(branch))
            changes.titles.insert(QString::fromUtf8(row.outlet), QString::fromUtf8(row.title));
    }
    for (const RebindRow& row : rebindTable()) {
        if (branchSet(row.branches).contains(branch))
            changes.actions.insert(QString::fromUtf8(row.outlet), QString::fromUtf8(row.action));
    }
    return changes;
}

QString localized(const QString& title)
{
    return platform::StringsTable::lookup(title, QStringLiteral("Localizable"));
}

// Applies the branch and the localization pass to an item and, one level down, its submenu (the
// pass walks three levels: bar entries, their items, one level of submenus).
void fit(Item& entry, const BranchChanges& changes, int depth)
{
    if (entry.isSeparator())
        return;
    if (changes.hidden.contains(entry.id))
        entry.hidden = true;
    entry.title = localized(changes.titles.value(entry.id, entry.title));
    if (changes.actions.contains(entry.id))
        entry.action = changes.actions.value(entry.id);
    for (Item& child : entry.children) {
        if (depth < 2)
            fit(child, changes, depth + 1);
    }
}

QString actionNameOf(const QAction* action)
{
    return action ? action->property(kActionProperty).toString() : QString();
}

void validateAction(QAction* action, const MenuModel::Validate& validate)
{
    const QString name = actionNameOf(action);
    if (name.isEmpty() || !validate)
        return;
    MenuItemState state = validate(name, MenuModel::stateOfAction(action));
    // An item the edition leaves out stays out whatever validation says.
    if (action->property(kHiddenProperty).toBool())
        state.visible = false;
    MenuModel::applyState(action, state);
}

void addItems(QMenu* menu, const QList<Item>& items, const MenuModel::Dispatch& dispatch,
              const MenuModel::Validate& validate)
{
    QActionGroup* radios = nullptr;
    for (const Item& entry : items) {
        if (entry.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        if (!entry.children.isEmpty()) {
            QMenu* sub = menu->addMenu(entry.title);
            sub->menuAction()->setObjectName(entry.id);
            sub->menuAction()->setProperty(kIdProperty, entry.id);
            sub->menuAction()->setVisible(!entry.hidden);
            sub->menuAction()->setProperty(kHiddenProperty, entry.hidden);
            if (!entry.action.isEmpty())
                sub->menuAction()->setProperty(kActionProperty, entry.action);
            addItems(sub, entry.children, dispatch, validate);
            continue;
        }
        QAction* action = menu->addAction(entry.title);
        action->setProperty(kActionProperty, entry.action);
        action->setProperty(kIdProperty, entry.id);
        action->setProperty(kHiddenProperty, entry.hidden);
        action->setObjectName(entry.id);
        action->setVisible(!entry.hidden);
        if (entry.radio) {
            if (!radios)
                radios = new QActionGroup(menu);
            action->setCheckable(true);
            radios->addAction(action);
        }
        if (!entry.shortcut.isEmpty())
            action->setShortcut(entry.shortcut);
        const QString name = entry.action;
        QObject::connect(action, &QAction::triggered, action, [action, name, dispatch, validate] {
            // A shortcut runs the item without opening its menu: validate it first.
            if (validate) {
                const MenuItemState state = validate(name, MenuModel::stateOfAction(action));
                if (!state.enabled || !state.visible || action->property(kHiddenProperty).toBool())
                    return;
            }
            if (dispatch)
                dispatch(name);
        });
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, validate] {
        for (QAction* action : menu->actions())
            validateAction(action, validate);
    });
    // A disabled or hidden action's shortcut never reaches the trigger, which validates afresh; so
    // the greyed and hidden looks last only while the menu is open.
    QObject::connect(menu, &QMenu::aboutToHide, menu, [menu] {
        for (QAction* action : menu->actions()) {
            if (actionNameOf(action).isEmpty())
                continue;
            action->setEnabled(true);
            action->setVisible(!action->property(kHiddenProperty).toBool());
        }
    });
}

void dumpItems(QString& out, const QList<Item>& items, int depth)
{
    const QString indent(depth * 2, QLatin1Char(' '));
    for (const Item& entry : items) {
        if (entry.isSeparator()) {
            out += indent + QStringLiteral("----\n");
            continue;
        }
        QString line =
            indent + QLatin1Char('"') + entry.title + QStringLiteral("\" [") + entry.id + QLatin1Char(']');
        if (!entry.action.isEmpty() && entry.action != entry.id)
            line += QLatin1Char(' ') + entry.action;
        if (!entry.shortcut.isEmpty())
            line +=
                QStringLiteral(" <") + entry.shortcut.toString(QKeySequence::PortableText) + QLatin1Char('>');
        if (entry.radio)
            line += QStringLiteral(" radio");
        if (entry.hidden)
            line += QStringLiteral(" HIDDEN");
        out += line + QLatin1Char('\n');
        dumpItems(out, entry.children, depth + 1);
    }
}

} // namespace

int MenuModel::branchCount()
{
    return kBranchCount;
}

int MenuModel::branchOf(const QString& displayName)
{
    const QList<QStringList>& names = branchDisplayNames();
    for (qsizetype b = 0; b < names.size(); ++b) {
        if (names.at(b).contains(displayName)) // exact and case-sensitive
            return int(b) + 1;
    }
    return 0;
}

QString MenuModel::firstDisplayNameOfBranch(int branch)
{
    if (branch < 1 || branch > kBranchCount)
        return QString();
    return branchDisplayNames().at(branch - 1).constFirst();
}

QList<MenuDescription> MenuModel::menusForEdition(const QString& displayName,
                                                  const QString& videoTutorialsURL)
{
    BranchChanges changes = changesOfBranch(branchOf(displayName));
    if (videoTutorialsURL.isEmpty())
        changes.hidden.insert(QStringLiteral("videoTutorialMenuItem"));
    for (const QString& outlet : outletsWithoutCommand())
        changes.hidden.insert(outlet);
    QList<MenuDescription> menus = baseMenus();
    for (MenuDescription& menu : menus) {
        menu.title = localized(menu.title);
        const QString outlet = menuOutlets().value(menu.id);
        if (!outlet.isEmpty() && changes.hidden.contains(outlet))
            menu.hidden = true;
        for (Item& entry : menu.items)
            fit(entry, changes, 1);
    }
    return menus;
}

QList<MenuDescription> MenuModel::menus()
{
    return menusForEdition(edition().gEditionDisplayName, edition().gVideoTutorialsURL);
}

QString MenuModel::dump(const QList<MenuDescription>& menus)
{
    QString out;
    for (const MenuDescription& menu : menus) {
        out += QLatin1Char('"') + menu.title + QStringLiteral("\" [") + menu.id + QLatin1Char(']');
        if (menu.hidden)
            out += QStringLiteral(" HIDDEN");
        out += QLatin1Char('\n');
        dumpItems(out, menu.items, 1);
    }
    return out;
}

void MenuModel::buildMenuBar(QMenuBar* bar, const Dispatch& dispatch, const Validate& validate)
{
    buildMenuBar(bar, menus(), dispatch, validate);
}

void MenuModel::buildMenuBar(QMenuBar* bar, const QList<MenuDescription>& menus, const Dispatch& dispatch,
                             const Validate& validate)
{
    for (const MenuDescription& description : menus) {
        QMenu* menu = bar->addMenu(description.title);
        menu->menuAction()->setObjectName(description.id);
        menu->menuAction()->setProperty(kIdProperty, description.id);
        menu->menuAction()->setVisible(!description.hidden);
        addItems(menu, description.items, dispatch, validate);
    }
}

QAction* MenuModel::actionNamed(QMenuBar* bar, const QString& action)
{
    if (!bar)
        return nullptr;
    for (QAction* candidate : bar->findChildren<QAction*>()) {
        if (actionNameOf(candidate) == action)
            return candidate;
    }
    return nullptr;
}

QAction* MenuModel::actionWithId(QMenuBar* bar, const QString& id)
{
    if (!bar)
        return nullptr;
    for (QAction* candidate : bar->findChildren<QAction*>()) {
        if (candidate->property(kIdProperty).toString() == id)
            return candidate;
    }
    return nullptr;
}

void MenuModel::validateMenuBar(QMenuBar* bar, const Validate& validate)
{
    if (!bar)
        return;
    for (QAction* action : bar->findChildren<QAction*>())
        validateAction(action, validate);
}

MenuItemState MenuModel::stateOfAction(const QAction* action)
{
    MenuItemState state;
    state.title = action->text();
    state.enabled = action->isEnabled();
    state.visible = action->isVisible();
    state.checkable = action->isCheckable();
    state.checked = action->isChecked();
    return state;
}

void MenuModel::applyState(QAction* action, const MenuItemState& state)
{
    action->setText(state.title);
    action->setVisible(state.visible);
    action->setCheckable(state.checkable);
    action->setChecked(state.checked);
    action->setEnabled(state.enabled);
}
