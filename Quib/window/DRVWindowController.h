// The window of one open page: the canvas inside the zooming scroll view, bound to the document's
// graphics, to the window's selection, to the grid and to the zoom factor; the canvas size follows
// the document. It answers the menus' actions on its document (undo, redo, save, close, the grid,
// another window) and validates their items from plain values (MenuValidation). Main thread only.
#pragma once
#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "model/DRVZoomingScrollView.h"
#include "platform/NotificationCenter.h"
#include "records/QuibFileHelper.h"
#include "window/EditionToolbar.h"
#include "window/FlippedNSView.h"
#include "window/InspectorView.h"
#include "window/MenuValidation.h"
#include "window/PageListingScrollview.h"
#include "window/PageRecord.h"
#include "window/WindowSplitView.h"

#include <QAbstractButton>
#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>

class CanvasRulers;
class DragIconView;
class DRVGrid;
class InspectorPanel;
class DRVSelectionModel;
class QAction;
class QComboBox;
class QImage;
class ProfileViewController;
class AddNewPatientViewController;
class AddNewHumanPatientViewController;
class ProfileFormController;
class QPushButton;
class QToolBar;
class QWidget;
class LabelTemplateHelper;
class LabelHelper;
class QuibNSButton;
class PageDialogsController;
class AddNewPageViewController;
class WebsiteSettingsWindowController;
struct WebsiteSettingsRow;
class ListingIconView;
class PhotoCatalogSettingsWindowController;
class PageListingClipView;
class PageListingScrollview;

class DRVWindowController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double zoomFactor READ zoomFactor WRITE setZoomFactor)

public:
    // Chooses the window's interface by the running edition; the window itself is made on first need.
    explicit DRVWindowController(QObject* parent = nullptr);
    ~DRVWindowController() override;

    // "PhotoCatalogSettingsWindowController" for the three catalog editions, else "DrawWindow".
    static QString windowInterfaceNameForEdition(const QString& editionDisplayName);
    QString windowNibName() const { return m_windowNibName; }

    // ---- document ----
    // Attaches the document (nullptr detaches it and removes the canvas's graphics and grid and the
    // zoom bindings; the selection binding stays). The controller follows the document's canvas
    // size; a document destroyed behind its back detaches itself.
    void setDocument(DRVDocument* document);
    DRVDocument* document() const { return m_document; }
    // The title the window and the menus show for the document.
    QString documentDisplayName() const;

    // ---- window ----
    // Loads the window on first call (windowDidLoad runs once).
    QMainWindow* window();
    bool isWindowLoaded() const { return m_window != nullptr; }
    void showWindow();
    // Every live controller, oldest first, and the one whose window was activated last (the main
    // window); nullptr when no controller has a window.
    static QList<DRVWindowController*> allControllers();
    static DRVWindowController* mainWindowController();
    // The controllers showing one document.
    static QList<DRVWindowController*> controllersForDocument(const DRVDocument* document);

    // ---- canvas and model ----
    DRVGraphicView* graphicView() const { return m_graphicView; }
    // The saved texts and the page's small dialogs; made on first use.
    PageDialogsController* pageDialogs();
    DRVZoomingScrollView* zoomingScrollView() const { return m_zoomingScrollView; }
    FlippedNSView* mainCanvasView() const { return m_mainCanvasView; }
    DRVSelectionModel* graphicsController() const { return m_graphicsController; }
    DRVGrid* grid() const { return m_grid; }
    double zoomFactor() const { return m_zoomFactor; }
    // Scales the canvas and shows the factor in the zoom pop-up.
    void setZoomFactor(double factor);
    // The unit both rulers use: "RulerUnits" when the user set it, else the edition's, else "Points".
    static QString rulerUnitName();

    // ---- canvas size ----
    void observeDocumentCanvasSize(const QSizeF& size);

    // ---- page colour ----
    void updateDocumentColor(const QColor& color, const QString& hexString);
    QColor getDocumentColor() const;
    QString getDocumentColorHexString() const { return m_pageColorHexString; }
    void refreshPageBackgroundColor();

    // ---- inspector colour buttons (their panel arrives with the inspector) ----
    QColor selectedTextColor() const { return m_selectedTextColor; }
    void setSelectedTextColor(const QColor& color) { m_selectedTextColor = color; }
    QColor selectedShapeColor() const { return m_selectedShapeColor; }
    void setSelectedShapeColor(const QColor& color) { m_selectedShapeColor = color; }
    QColor selectedHoverColor() const { return m_selectedHoverColor; }
    void setSelectedHoverColor(const QColor& color) { m_selectedHoverColor = color; }
    QColor selectedHoverTextColor() const { return m_selectedHoverTextColor; }
    void setSelectedHoverTextColor(const QColor& color) { m_selectedHoverTextColor = color; }
    QColor selectedBorderColor() const { return m_selectedBorderColor; }
    void setSelectedBorderColor(const QColor& color) { m_selectedBorderColor = color; }
    QPushButton* selectedTextColorButton() const { return m_colorButtons[0]; }
    QPushButton* selectedShapeColorButton() const { return m_colorButtons[1]; }
    QPushButton* selectedHoverColorButton() const { return m_colorButtons[2]; }
    QPushButton* selectedHoverTextColorButton() const { return m_colorButtons[3]; }
    QPushButton* selectedBorderColorButton() const { return m_colorButtons[4]; }
    QPushButton* canvasColorButton() const { return m_colorButtons[5]; }
    // The six, in the order above.
    QList<QPushButton*> colorButtons() const
    {
        return QList<QPushButton*>(std::begin(m_colorButtons), std::end(m_colorButtons));
    }

    // ---- print templates ----
    // "brand number description" with white space trimmed at both ends, one per template.
    static QStringList labelTemplateTitles(const QList<LabelTemplateHelper>& templates);
    // The seven template pop-ups of the print editions, filled when the window loads.
    QList<QComboBox*> templatePopUps() const;
    // ---- print templates (DRVWindowController+PrintTemplates.cpp) ----
    // The catalogue key of a pop-up item: the label pop-up's from the first "Label" on, the others'
    // whole title; white space trimmed.
    static QString templateKeyForTitle(const QString& title, bool labelPopUp);
    // The pop-ups' actions: after the user confirms, the picked sheet becomes the page's geometry,
    // canvas and template, and the page saves itself. Cancel, or a sheet the catalogue lacks, puts
    // the pop-up back and leaves the page as it was.
    void templateSelectionUpdated();
    void tuvikCardTemplateSelectionUpdated();
    void tuvikEcardTemplateSelectionUpdated();
    void corvaneEnvelopeTemplateSelectionUpdated();
    void foldingCardTemplateSelectionUpdated();
    void manualTemplateSelectionUpdated();
    void flyerTemplateSelectionUpdated();
    // Print geometry and every pop-up follow the document's template.
    void setCurrentTemplateSelectionValue();
    // The canvas takes the page's own size when it has a whole one, else the edition's.
    void resetCanvasSize();
    // Canvas forwarders (nothing without a canvas).
    bool IsThisMultipleChoiceLabel(const DRVGraphic* graphic) const;
    DRVGraphic* grabRadioLabel(const DRVGraphic* graphic) const;

    // ---- actions ----
    // Runs the menu action of that name ("undo:", "saveDocument:", ...); false when the window does
    // not handle it.
    bool performAction(const QString& action);
    static const QStringList& handledActions();
    // The item as it should show for the window's current state.
    MenuItemState validateMenuItem(const QString& action, const MenuItemState& item) const;
    MenuValidationState menuValidationState() const;
    // The selection and edition facts the canvas's menu rows are decided from.
    CanvasMenuFacts canvasMenuFacts() const;

    void undo();
    void redo();
    // Saves in place; a document that has no file yet asks for a place first. False when it was not
    // saved (cancelled, or a failure the save flow reported).
    bool saveDocument();
    bool saveDocumentAs();
    // Closes the window when the document allows it (it may ask to save changes). False when the
    // window stays open.
    bool performClose();
    // Another window on the same document; its creator (the application) is told through
    // windowControllerCreated.
    DRVWindowController* newDocumentWindow();
    void toggleGridConstraining();
    void toggleGridShowing();
    // View's source items: the published page, the stored page, or an e-mail's HTML.
    void showSourceCommand(const QString& action);
    void selectedToolDidChange();
    void stopEditingInGraphicView();
    void deSelectAllObjects();
    // The next free image name of the page: "image" and one more than the highest number its images
    // (and slideshow and gallery pictures, and table pictures where tables hold images) use.
    QString grabNextImageName() const;
    // The page path without its extension; empty for a page not yet saved.
    QString grabCurrentDocPath() const;

    // ---- canvas forwarders: each passes its arguments to the canvas operation of the same name
    // (removeTableBackgroundPattern: removeTableBackgroundImage) and answers "nothing" without one ----
    bool isThereGraphicAtNewLocation(const DRVGraphic* graphic, const QRectF& rect) const;
    QRectF grabSectionRect(QPointF point, const QRectF& rect) const;
    QRectF grabOverLappingSectionCell(QPointF point) const;
    DRVGraphic* isObjectStillInSameSectionGrid(QPointF point, DRVGraphic* graphic) const;
    void reAlignSectionObjects(DRVGraphic* section) const;
    QList<DRVGraphic*> findObjectsInSection(DRVGraphic* section) const;
    DRVGraphic* grabMySection(int sectionNumber) const;
    void removeTableBackgroundPattern() const;
    bool doesSelectedTableContainBackgroundPattern() const;
    bool isThereGraphicAtRect(const QRectF& rect) const;
    bool isThereGraphicAtRect_includingSection(const QRectF& rect) const;
    void identifyAndPushSectionsDownward(const QRectF& rect) const;
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF& rect) const;
    void identifyAndPushSectionsDownwardByDifference(const QRectF& rect) const;
    DRVGraphic* grabBottomMostObjectInSection(DRVGraphic* section) const;
    DRVGraphic* grabTopMostObjectInSection(DRVGraphic* section) const;
    void reAlignFormOptions() const;

    // Shows the selection's stored colours on the colour buttons (a clear colour shows as clear).
    void refreshColorButtons();
    // Redraws the inspector's colour view.
    void refreshInspectorPanel();

    // ---- print editions: the template pop-up of the edition in a bar of the window ----
    // The pop-up of the running edition ("templateSelectionPopupButton" for the label maker, ...),
    // or nullptr for editions without one.
    static QString templatePopUpNameForEdition(const QString& editionDisplayName);
    // The edition's toolbar when it holds the edition's template pop-up, else nullptr.
    QToolBar* printTemplateToolBar() const;
    // ---- toolbars (DRVWindowController+Toolbar.cpp) ----
    // Installs the edition's toolbar (the interface's own for an edition outside the table), hides
    // the controls the edition has no use for, and localises the main window's toolbar.
    void selectWhichToolBarToUse();
    // Localises this window's toolbar.
    void prepareToLocalizeToolbarAndStuff();
    EditionToolbar* editionToolBar() const { return m_editionToolBar; }
    // Whether a toolbar item with that action is enabled: the window must handle the action and
    // its validation must enable it.
    bool isToolbarActionEnabled(const QString& action) const;
    void performToolbarItem(const ToolbarItemDescription& item, int segment);

    // ---- profile editions: the popover over the canvas with the page's profile ----
    ProfileViewController* profileViewController() const { return m_profileViewController; }
    // Shown with the document's profile (pet or owner names, chart number); closed again on the
    // base-template page.
    void displayProfilePopover();
    void hideProfilePopover();
    bool isProfilePopoverShown() const;
    // Keeps a shown popover at the top right of the visible canvas (after the window is resized).
    void resetProfilePopoverPosition();
    QWidget* profilePopover() const { return m_profilePopover; }
    // The menu item: the popover without its lines filled.
    void showProfilePopOver();

    // ---- profile editions: new records (DRVWindowController+Profiles.cpp) ----
    static const QStringList& profileActions();
    bool performProfileAction(const QString& action);
    // The pet form in the window's popover, the human form as a sheet; each replaces the last.
    void showAddNewPatientWindow();
    void showAddNewHumanPatientWindow();
    // Save of the two forms: a new page in the project folder, then open in the window. False
    // when nothing was written (a refused name keeps the form open with its input).
    bool saveNewPatientProfile();
    bool saveNewHumanPatientProfile();
    void cancelAddNewHumanPatientWindowControllerSheet();
    AddNewPatientViewController* addNewPatientViewController() const;
    AddNewHumanPatientViewController* addNewHumanPatientViewController() const;
    // The window's general popover over the canvas; it stays until closed or replaced.
    QWidget* quibPopOver() const { return m_quibPopOver; }
    void showQuibPopOver(QWidget* content);
    void closeQuibPopOver();

    // ---- notification handlers ----
    // The open page's tile (refreshDocIcon, updateCurrentlySelectedQuibButton) is refreshed with the
    // print projects' operations below.
    // Borders the record of the open page (else the first page) and clears every other border.
    void updateCurrentButtonColor();
    // ---- print projects: page tiles, the project guard, templates over pages
    // (DRVWindowController+PrintTemplates.cpp) ----
    // The tile of that page file; nullptr when no tile shows it (callers then skip the tile).
    QuibNSButton* findCurrentlySelectedQuibButton(const QString& fileName) const;
    // The open page's tile after a save: its title, the time now and its picture.
    void updateCurrentlySelectedQuibButton();
    // "MMM dd yyyy h:mm a" in English whatever the user's locale.
    static QString tileTimeText(const QDateTime& when);
    // True with a project folder open; otherwise explains, and may close this window and start Open
    // Website, and answers false.
    bool isEditorInMultiDocMode();
    // Whether this window's menus lead to opening a project (the guard above offers that way).
    bool offersOpenWebsite() const;
    // Re-applies the open page's template to every page of the project.
    void callRefreshTabs();
    // Gives every page the template and the row's geometry; the first page is open afterwards.
    void refreshTabs(const LabelTemplateHelper& helper, const LabelHelper* row);
    // The same walk behind the progress window; the last page stays open. False when a page could not
    // be opened or saved: the walk stops there, that page stays open and an alert names it.
    bool refreshPagesWithProgress(const LabelTemplateHelper& helper, const LabelHelper* row);
    // ---- website project: folder, scan, order, adding, deleting (DRVWindowController+Website.cpp) ----
    QString openWebsiteFolderPath() const { return m_openWebsiteFolder; }
    void setOpenWebsiteFolderPath(const QString& folder) { setOpenWebsiteFolder(folder); }
    // The working copy the project's pages are unpacked into for reading.
    QString openWebsiteFolderTempPath() const { return m_openWebsiteFolderTempPath; }
    void setOpenWebsiteFolderTempPath(const QString& path) { m_openWebsiteFolderTempPath = path; }
    QList<PageRecord>& siteIconArray() { return m_siteIconArray; }
    const QList<PageRecord>& siteIconArray() const { return m_siteIconArray; }
    QStringList pageNameArray() const { return m_pageNameArray; }
    // "fileName", "modDate" or empty (the folder's own order).
    QString sortListingBy() const { return m_sortListingBy; }
    void setSortListingBy(const QString& sortBy) { m_sortListingBy = sortBy; }
    QString resetAndGrabCurrentWebsiteFolderPath();
    void pickUpFileList(const QString& folderPath);
    void grabPageOrderIndexFile();
    void writePageOrderIndexFile();
    // The next free page name, without extension.
    QString generateDefaultPageName() const;
    // True when a page of that name (with extension) may be created; on false the user saw why.
    bool runNewFileCreationChecks(const QString& fileName);
    bool baseTemplateExists() const;
    // Creates the page the add-page sheet describes and opens it (an untitled document without a
    // project).
    void launchUsingBaseTemplate(const AddNewPageChoice& choice);
    void addPlaceHolder();
    // The document name of the tile last right-clicked in the page list.
    QString selectedPageName() const { return m_selectedPageName; }
    void setSelectedPageName(const QString& name) { m_selectedPageName = name; }
    // Unpacks one page document into the working copy under a name no other page's files take;
    // returns its thumbnail path, "" when it could not be unpacked.
    QString migratePage(const QString& documentPath);
    static QString grabPageWidth(const QString& pageText);
    // Adding pages. Each saves the open page first, never replaces a page and tells the user when
    // the page could not be made; true when the page was added and opened.
    bool addBlankPage(const QString& fileName);
    bool directlyAddBlankPage();
    // Before the page last right-clicked (at the end when none was).
    bool insertBlankPage();
    QString prepAndRenameDoc(const QString& pagePath, const QString& newDocumentName);
    // A page document dropped on the page list is copied into the project; a taken name asks
    // whether to replace it, keep both or cancel.
    bool grabDraggedInPage(QObject* sourceView, bool didFinishWithSave, const QString& pagePath);
    // The page last right-clicked, after the user confirmed.
    void deletePage();
    // Without asking (the website settings sheet asked).
    void deletePageArray(const QList<PageRecord>& pages);
    void duplicatePage();
    // The published address of the page last right-clicked, on the clipboard.
    void grabPageLink();
    // The first page document of the folder by name, "" when none.
    static QString grabPathOfFirstFile(const QString& folderPath);
    // The page document unpacked afresh into "baseTemplateTemp"; returns the page file's path with
    // the given extension.
    static QString prepTempDocPath(const QString& documentPath, const QString& extension);
    // Packs the page file's working files into the page document; the previous document stays
    // when packing fails.
    static bool zipDoc(const QString& documentPath, const QString& pagePath);
    // The open page is a form page.
    bool showAddFormObjects() const;
    void addFormObjects() {}
    void addGraphicViewTextBox(const QString& text, const QString& link, const QRectF& frame, int number);
    // Actions of the page list's commands, as the menus name them; false for any other name.
    bool performWebsiteAction(const QString& action);
    static const QStringList& websiteActions();

    // ---- website settings sheet (DRVWindowController+SiteSettings.cpp) ----
    // Saves the open page, rescans the project and shows the sheet with the site's settings and a
    // row per page.
    void showWebsitePreferences();
    // Writes what the sheet changed: "site.quibs", the favicons, deleted pages, each page's settings
    // and name, and the page order.
    void saveWebsitePreferences();
    void cancelWebsiteSettingsWindowControllerSheet();
    WebsiteSettingsWindowController* websiteSettingsWindowController() const;
    // Export of the project's source files (DRVWindowController+Export.cpp): the folder panel, the
    // replace question, then the copying on a worker and the closing alert.
    // The folder panel of both exports; empty when cancelled.
    static QString chooseExportFolder();
    void exportAllFileTo();
    // The copying: the working copy, then the pages' generated files, each renamed from its local
    // (first) to its publishing (second) name. Returns what could not be exported.
    static QStringList moveFilesToExportedLocation(const QString& workingCopy, const QString& tempFiles,
                                                   const QString& destination,
                                                   const QList<QPair<QString, QString>>& pages, bool responsive);
    void showExportCompleteAlert(const QString& destination, const QStringList& failures);

    // ---- catalogs (DRVWindowController+Catalogs.cpp) ----
    // The window's own photo catalog settings window ("Select Photos Folder"), made on first use and
    // shown without a title of its own.
    void showPhotoCatalogSettings();
    PhotoCatalogSettingsWindowController* photoCatalogSettingsWindowController() const;
    // Photo pages of the photo-collection edition ("generatePhotoPages", the add-photo window's
    // Add): the scanned photos (gCatalogFileList, oldest first) go onto one page per day below
    // what the page holds, then the "Summary" index is rebuilt with one site map. Photos are
    // decoded and scaled on a worker; their graphics go in here, on the main thread, a day at a
    // time, while the canvas pauses its drawing and the window is hidden.
    void generatePhotoPages();
    bool photoPagesRunning() const { return m_photoPagesRunning; }
    struct PhotoPageOptions
    {
        bool thumbnail = true; // the photo itself
        bool timestamp = true; // a caption line with date and time
        bool filepath = false; // a caption line with the path
    };
    // One photo ready to place: decoded no wider than the placing width.
    struct PreparedPhoto
    {
        QString path;
        QDateTime date;
        QImage image;  // null when the file cannot be read
        QSize size{0, 0}; // as placed; 0 x 0 when the file cannot be read
        QString type;  // "PNG" for png and gif files, else "JPG"
    };
    // Worker-safe: the photo scaled down to maxWidth (0 stands for 600) when wider.
    static PreparedPhoto preparePhoto(const QString& path, const QDateTime& date, int maxWidth);
    // Places the photo (with the thumbnail option) at x 100, y and its caption under it; returns
    // the photo's bottom edge.
    int addPhotoToPage(const PreparedPhoto& photo, int y, const PhotoPageOptions& options);
    // The end of the job: the window back, the project list refreshed, the index rebuilt, and
    // "Photos Added To Collection".
    void restoreDrawGraphicFlag();
    // Opens (or makes) the project's "index" page and fills it anew: "Summary" and a site map.
    void generateIndexSheet();
    bool getPauseDrawGraphicsFlag() const;
    // Copies the edition's blank page into the project under fileName; false when it cannot.
    bool addABlankPage(const QString& fileName);
    // The process's resident memory (0 when it cannot be read), and the same in whole MiB.
    static qint64 getMemoryUsedInBytes();
    static qint64 getMemoryUsedInMegaBytes();

    // ---- add-page sheet (DRVWindowController+AddPageSheet.cpp) ----
    // The four presets of the sheet, each a fresh window-modal sheet on this window.
    void showAddNewPageWindow();
    void showAddNewFromTemplateWindow();
    void showAddNewFormWindow();
    void showAddBaseTemplateWindow();
    // No sheet: the template chooser opens with the next default name preset.
    void addNewDirectlyFromTemplate();
    // The template chooser's answer: the picked template document and its category folder.
    void saveNewPageAndChooseTemplate(const QString& templateFileName, const QString& categoryFolder);
    void saveNewPage();
    void cancelAddNewPageWindowControllerSheet();
    // The last sheet's dialog; it stays readable after the sheet closed, until the next request.
    AddNewPageViewController* addNewPageViewController() const;
    // The template chooser opens itself for a window through this hook; while none is installed the
    // sheet's choose-template button stays disabled and "New From Template" is greyed.
    using TemplateChooser = std::function<void(DRVWindowController*)>;
    static void setTemplateChooser(TemplateChooser chooser);
    static bool hasTemplateChooser();
    static const QStringList& addPageActions();
    bool performAddPageAction(const QString& action);

    // ---- page list (DRVWindowController+PageList.cpp) ----
    // Rescan and redisplay the project, then reload or replace the open page.
    void refreshWebsite();
    // Save, rescan, run the page loop (not forced / forced) and redisplay.
    void totalRefreshWebsite();
    void forceRefreshWebsite();
    // Rebuilds the sidebar's header and list from siteIconArray and lays the tiles out.
    void refreshPageListingDisplay();
    // Saves the open page and opens the project's page of that document name in this window; the
    // open page comes back when that fails. False when it failed (also when the open page could
    // not be saved: switching then would lose its edits).
    bool launchSelected(const QString& documentName);
    // Visits every page, re-opening those that need it (all of them when forced). The window is
    // hidden behind the progress window meanwhile and shown again however the loop ends.
    void loopThroughPages(bool force);
    // Walks a copy of the page list behind the progress window, reporting each page; visit answers
    // false to stop. The window comes back and the progress window closes however the walk ends.
    void walkPagesBehindProgress(const std::function<bool(const PageRecord& page)>& visit);
    // True when some page of the working copy does not use the Bootstrap layout.
    bool needToForceRefresh() const;
    // True when a's modification date is later than or equal to b's.
    static bool isFirstFileNewer(const QString& a, const QString& b);
    bool existInSiteIconArray(const QString& fileName) const;
    // The last page record of that document name, or nullptr.
    PageRecord* grabQuibButtonWithPageName(const QString& fileName);
    void resetAllButtons();
    // Resolves the list's last right-click to a page; on success selectedPageName is that page's.
    bool determinePageClicked();
    // The last icon view whose frame holds the point (clip view coordinates), or nullptr.
    ListingIconView* grabPageClicked(QPoint point) const;
    // A tile dropped at point (in sender's coordinates) takes the place of the tile there.
    void rearrangePageOrder(QWidget* sender, const QString& pageName, QPoint point);
    // Moves the first named page to the target page's place; nothing moves when either is unknown.
    void movePage(const QStringList& pageNames, const QString& targetPageName);
    void sortByFileName();
    void sortByDate();
    void updatedPageListingSegmentedControl();
    // Accent- and case-blind: the record's "title name" holds the search text.
    static bool pageMatchesSearch(const PageRecord& record, const QString& searchText);
    // "numOfColumnListings", else the edition's default, else 1 (at most 3).
    static int pageListColumns();
    // "%d Documents\n%@" with the folder's name; one page reads "Document".
    static QString websiteSummaryText(int pageCount, const QString& folderPath);
    // Forwarders to the open document.
    QString getDocumentPageName() const;
    void definePageName(const QString& name);
    void defineMainTemplateName(const QString& name);
    void setFormButtons() { selectWhichToolBarToUse(); }
    PageListingScrollview* pageListingView() const { return m_pageListingView; }
    PageListingClipView* pageListingClipView() const { return m_pageListingClipView; }
    QLabel* websiteSummaryLabel() const { return m_websiteSummaryLabel; }
    QLineEdit* searchField() const { return m_searchField; }
    QAbstractButton* pageListingMenuButton() const { return m_pageListingMenuButton; }
    QMenu* pageListingMenu();
    // The icon views of the last layout in creation order, and the records they show.
    QList<ListingIconView*> pageIconViews() const;
    QList<int> siteIconArrayLocal() const { return m_siteIconArrayLocal; }
    bool loopThroughFlag() const { return m_loopThroughFlag; }
    bool baseTemplateExistFlag() const { return m_baseTemplateExistFlag; }
    static const QStringList& pageListActions();
    // ---- objects palette (DRVWindowController+Palette.cpp) ----
    // Lays out the tiles of the entries the edition's palette category lists (form fields only
    // where the page is not plain "html") at y = 30 + 75n under the heading.
    void showObjectsList();
    // This window's tiles, in order.
    QList<DragIconView*> paletteTiles() const;
    // Takes the highlight off this window's tiles.
    void clearDragAndDropIcons();
    // ---- layout (DRVWindowController+Layout.cpp) ----
    // The window's split view: page-list sidebar, the canvas's container, the inspector. Only the
    // divider after the sidebar can be dragged; the sidebar's own dividers are all locked.
    WindowSplitView* splitView() const { return m_splitView; }
    WindowSplitView* sidebarSplitView() const { return m_sidebarSplitView; }
    QWidget* topSidebarView() const { return m_topSidebarView; }
    // The project folder the page list shows; empty while no project is open.
    QString openWebsiteFolder() const { return m_openWebsiteFolder; }
    void setOpenWebsiteFolder(const QString& folder);
    // Canvas presets of the canvas-size control: segment 0 mobile, 1 full, any other wide.
    void setCanvasSize(int segment);
    void setMobileCanvasSize();
    void setFullCanvasSize();
    void setWideCanvasSize();
    // E-mail widths: segment 0 standard, 1 extra wide, 2 flex; any other changes nothing. The choice
    // is the open page's (saved with it), so other windows keep theirs.
    void setMailCanvasSize(int segment);
    void setStandardMailCanvasSize();
    void setExtraWideMailCanvasSize();
    void setFlexMailCanvasSize();
    // Re-applies the page's e-mail width: 700 for "Standard", else 900.
    void adjustCanvasSizeType();
    void setConfirmedCanvasSize(int width, int height);
    // Print products: the sheet from the paper and cards controls (or the edition's sheet), then the
    // canvas from the recomputed print geometry.
    void adjustPageSize();
    int paperSizeSegment() const { return m_paperSizeSegment; }
    void setPaperSizeSegment(int segment) { m_paperSizeSegment = segment; }
    int numOfCardsPerSheetSegment() const { return m_numOfCardsPerSheetSegment; }
    void setNumOfCardsPerSheetSegment(int segment) { m_numOfCardsPerSheetSegment = segment; }
    void rotateCanvas90Right();
    void rotateCanvas0();
    // Page-list columns, stored in "numOfColumnListings"; the tiles are rebuilt.
    void adjustViewColumn(int columns);
    // Rebuilds the page tiles with a search text (the page list fills the tiles in).
    void refreshPageIcons(const QString& searchText);
    int pageIconRefreshCount() const { return m_pageIconRefreshCount; }
    // The canvas's scroll view gets min(available width, canvas width) while a project is open.
    void resetZoomScrollViewSize();
    // A page opened by itself: no sidebar and thin dividers.
    void prepSingleDocWindow();
    void respondToSubviewChange();
    void toggleInspector();
    void collapseInspector();
    void reopenInspector();
    bool isInspectorHidden() const;
    static float toolbarHeightForWindow(const QMainWindow* window);
    bool mn_isFullScreen() const;
    void windowDidResize();
    // Both rulers get the unit, which is stored as "RulerUnits" for the next window.
    void updateRulers_points();
    void updateRulers_centimeters();
    void updateRulers_inches();
    CanvasRulers* rulers() const { return m_rulers; }

    // ---- inspector (inspector/DRVWindowController+Inspector.cpp) ----
    InspectorView* inspectorView() const { return m_inspectorView; }
    InspectorPanel* inspector() const { return m_inspector; }
    void initializeInspectorElements();
    void createInspectorPanel();
    void switchInspectorView();
    void switchSideBarView();
    void clearInspectorView();
    // The canvas's selection changed: the inspector shows it again.
    void graphicTouched();
    void restoreBinding();
    void unbindEverything();
    // The spacing-level pop-ups: each selected graphic applies its levels; a section re-fits its members.
    void updateMarginAndPadding();
    // The margin unit pop-ups: the unit itself arrives through the binding.
    void updatedMarginType();
    // The sidebar's Format tab for the current selection, and its border colour tile for a line.
    void showFormattingOptions();
    void updateIconViewDescriptionForLine();
    // The sidebar's Layers tab; refreshLayerListing rebuilds it only while it is shown.
    void showLayers();
    void refreshLayerListing();
    void clearLayerListingIcons();
    // The preset pickers (actions showShapePopOver: and showTextViewPopOver:): a picked tile goes to
    // the canvas through the pickers' hooks.
    void selectDefaultShapes();
    void selectDefaultTextViews();
    // The names this window listens to, and for each whether only its own document's posts count.
    static const QList<QPair<QString, bool>>& observedNotifications();
    // How many notifications reached the window (tests check which ones count).
    int handledNotificationCount() const { return m_handledNotificationCount; }

signals:
    // A controller made by newDocumentWindow (the application adds its menus and keeps it).
    void windowControllerCreated(DRVWindowController* controller);
    // The window closed; the controller deletes itself afterwards.
    void windowClosed(DRVWindowController* controller);
    // The window became (or stopped being) the main window.
    void becameMain(DRVWindowController* controller);
    void resignedMain(DRVWindowController* controller);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowDidLoad();
    void windowDidResignMain();
    void installInspector(QMainWindow* window);
    void followDocumentInInspector();
    void bindCanvas();
    void registerNotifications();
    void unregisterNotifications();
    void handleNotification(const QString& name);
    void stopObservingDocument();
    void undoOrRedo(bool undoing);
    void updateWindowTitle();
    bool mayCloseWindow();
    // ---- print templates ----
    QAction* openWebsiteMenuItem() const;
    void wireTemplatePopUps();
    void bindOpenedPageToTemplate();
    void applyTemplateSelection(const QString& popUpName, bool labelPopUp);
    void putTemplatePopUpBack(QComboBox* popUp);
    void selectTemplateInPopUps();
    // The picker's own follow-up once a new template is applied and saved.
    void followTemplateSelection(const QString& popUpName, const LabelTemplateHelper& picked,
                                 const LabelHelper* row);
    // Opens the page and gives it the template, the row's geometry and canvas, and saves it.
    bool applyTemplateToPage(const PageRecord& page, const LabelTemplateHelper& helper, const LabelHelper* row);

    // ---- website project ----
    void savePageBeforeChange();
    bool openProjectPage(const QString& documentPath);
    void refreshProject();
    bool finishNewPage(const QString& documentPath, bool placeHolder);
    QString projectFilePath(const QString& fileName) const;
    bool projectHasFile(const QString& fileName) const;
    int recordIndex(const QString& documentName) const;
    bool movePageRecordTo(const QString& documentName, int index);
    void reportPageFailure(const QString& title, const QString& detail) const;
    void showProjectNeedsOnePageAlert();

    // ---- catalogs ----
    static const QStringList& catalogActions();
    bool performCatalogAction(const QString& action);
    QPointer<PhotoCatalogSettingsWindowController> m_photoCatalogSettingsWindowController;
    // The photo pages' worker: decodes the photos a day at a time and has the window place each
    // day's on the main thread (while the window is there).
    static void prepPhotos(const QList<QuibFileHelper>& records, const PhotoPageOptions& options, int maxWidth,
                           const QPointer<DRVWindowController>& window);
    // Places one day's photos on its page, opening or making the page first.
    void placePhotosOfDay(const QList<PreparedPhoto>& photos, const QString& dayFileName,
                          const QString& dayTitle, const PhotoPageOptions& options);
    // Saves the open page and opens (making it from the blank page when missing) the project
    // page documentName; true when it was there before.
    bool switchToProjectPage(const QString& documentName, bool* existed);
    bool m_photoPagesRunning = false;

    // ---- website settings sheet ----
    // Writes one row's changes into its page document; returns the page's document name afterwards
    // and whether the document was rewritten.
    QString applyWebsiteSettingsRow(const WebsiteSettingsRow& row, bool* changedPage);
    void duplicateFromWebsiteSettings(const QStringList& documentNames);
    QPointer<WebsiteSettingsWindowController> m_websiteSettingsWindowController;

    // ---- layout ----
    void buildLayout(QMainWindow* window);
    void placeInspectorInLayout();
    void installRulers();
    void updateRulerUnits(const QString& unitName);
    void updateRulerScale(double factor);
    void splitViewDidResizeSubviews();
    bool performLayoutAction(const QString& action);
    static const QStringList& layoutActions();
    void followPageCanvasSizeType();
    void setCanvasFrame(int width, int height);
    void applyMailCanvasSize(const QString& type, int width);
    CanvasRulers* m_rulers = nullptr;
    QList<QPointer<DragIconView>> m_paletteTiles;
    QPointer<WindowSplitView> m_splitView;
    QPointer<WindowSplitView> m_sidebarSplitView;
    QPointer<QWidget> m_topSidebarView;
    QPointer<PageListingScrollview> m_pageListingView;
    // ---- page list ----
    bool performPageListAction(const QString& action);
    void buildPageListHeader();
    void pointDocumentAtProject();
    // Only the tile of that page carries the border.
    void markPage(const QString& documentName);
    QPointer<PageListingClipView> m_pageListingClipView;
    QPointer<QLabel> m_websiteSummaryLabel;
    QPointer<QLineEdit> m_searchField;
    QPointer<QAbstractButton> m_pageListingMenuButton;
    QPointer<QMenu> m_pageListingMenu;
    QList<QPointer<ListingIconView>> m_pageIconViews;
    QList<int> m_siteIconArrayLocal;
    bool m_loopThroughFlag = false;
    bool m_baseTemplateExistFlag = false;
    QPointer<QWidget> m_inspectorColumn;
    QString m_openWebsiteFolder;
    QString m_openWebsiteFolderTempPath;
    QList<PageRecord> m_siteIconArray;
    QStringList m_pageNameArray;
    QString m_sortListingBy;
    QString m_selectedPageName;
    QString m_workingCopyProject; // the project the working copy path was made for
    int m_pageScanCount = 0;
    QString m_pageSearchText;
    int m_pageIconRefreshCount = 0;
    int m_paperSizeSegment = 0;
    int m_numOfCardsPerSheetSegment = 0;

    QString m_windowNibName;
    QPointer<DRVDocument> m_document;
    QList<QMetaObject::Connection> m_documentConnections;
    QList<platform::NotificationCenter::ObserverId> m_observerIds;
    int m_handledNotificationCount = 0;

    DRVGrid* m_grid = nullptr;
    DRVSelectionModel* m_graphicsController = nullptr;
    double m_zoomFactor = 1.0;
    QPointer<QMainWindow> m_window;
    QPointer<DRVGraphicView> m_graphicView;
    QPointer<DRVZoomingScrollView> m_zoomingScrollView;
    QPointer<FlippedNSView> m_mainCanvasView;
    QMetaObject::Connection m_zoomBinding;

    QString m_pageColorHexString;
    QColor m_selectedTextColor;
    QColor m_selectedShapeColor;
    QColor m_selectedHoverColor;
    QColor m_selectedHoverTextColor;
    QColor m_selectedBorderColor;
    QPushButton* m_colorButtons[6] = {};
    QList<QComboBox*> m_templatePopUps;
    QPointer<EditionToolbar> m_editionToolBar;
    ProfileViewController* m_profileViewController = nullptr;
    QPointer<InspectorView> m_inspectorView;
    InspectorPanel* m_inspector = nullptr;
    QPointer<QWidget> m_profilePopover;
    QPointer<QWidget> m_quibPopOver;
    QPointer<AddNewPatientViewController> m_addNewPatientViewController;
    QPointer<AddNewHumanPatientViewController> m_addNewHumanPatientViewController;
    bool createProfilePage(ProfileFormController* form, const QImage* thumbnail);
    bool m_closing = false;
    PageDialogsController* m_pageDialogs = nullptr;
    QPointer<AddNewPageViewController> m_addNewPageViewController;
    void beginAddNewPageSheet();
};
