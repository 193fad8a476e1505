// The application's start-up and lifecycle. First phase: the edition configuration (fonts, the
// label-sheet catalogue, the edition, presets, working folders), the edition's menu set-up, the page
// archive and the page context. Second phase: the received-pages folder made empty, the template
// observers, then the documents named on the command line; with none, the welcome window. It comes
// back when the last document window closes and when the application turns active with no window
// visible; closing it with no document open quits. Main thread only.
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

#include <QWidget>

class QPushButton;

#include "window/WebsiteWindowController.h"

#include <QImage>
#include <memory>

class AddPhotoSettingsWindowController;
class CustomizeCategoriesWindowController;
class DRVWindowController;
class FeedbackWindowController;
class FileCatalogSettingsWindowController;
class PhotoCatalogSettingsWindowController;
class QThread;
class QUrl;
class TemplateIconButton;
class TemplateWindowController;
class WelcomeWindowController;
class DRVAppDelegate : public QObject
{
    Q_OBJECT
public:
    explicit DRVAppDelegate(QObject* parent = nullptr);
    ~DRVAppDelegate() override;

    // The page documents named in the arguments (after the program's own name), with the options
    // "--edition NAME" and "--edition=NAME" and any other "-" option left out.
    static QStringList documentPathsFromArguments(const QStringList& arguments);

    void applicationWillFinishLaunching();
    // False when the application has nothing to show and should quit.
    bool applicationDidFinishLaunching(const QStringList& documentPaths);
    // Shows the welcome window when no window of the application is visible. From the end of the
    // second phase on, the application's becoming active again runs it.
    void applicationDidBecomeActive();
    // Fits the menus to the edition once its values are set (first phase).
    void runAppSpecificMenuSetups();
    // The platform never opens an untitled document at launch or on re-activation.
    bool applicationShouldOpenUntitledFile() const { return false; }
    bool applicationOpenUntitledFile() { return false; }

    // A freshly built welcome window; closing it with no document open quits.
    bool showWelcomeWindow();
    void orderOutWelcomeWindow();
    WelcomeWindowController* welcomeWindowController() const { return m_welcomeWindowController.get(); }
    // What quitting does (tests record it); empty quits the application.
    void setQuitHandler(std::function<void()> handler) { m_quitHandler = std::move(handler); }
    // The welcome window's buttons: the delegate's own actions, the rest to the document controller.
    void sendWelcomeAction(const QString& action);
    void launchUserGuide();
    // The edition's sample as an untitled copy.
    DRVWindowController* openSample();
    // The template chooser's observers. Reloading empties the chooser's buttons; a chooser on screen
    // is hidden and its templates are prepared again.
    void reloadTemplates();
    void launchAppURL();

    // Autosaving stays off: setAutosaves ignores its argument and the delay only takes effect with it.
    bool autosaves() const { return m_autosaves; }
    void setAutosaves(bool flag);
    double autosavingDelay() const { return m_autosavingDelay; }
    void setAutosavingDelay(double seconds);


    // The received-pages working folder, emptied at every launch.
    static QString receivedPagesFolderPath();
    static void recreateReceivedPagesFolder();
    static int visibleWindowCount();

    // ---- website projects (DRVAppDelegate+Websites.cpp) ----
    // The delegate of the running application (the last one made); nullptr before start-up.
    static DRVAppDelegate* current();
    // The menu actions answered here: New Website, Open Website, the themes, Getting Started.
    static const QStringList& websiteActions();
    bool performWebsiteAction(const QString& action);
    // Save panel, replace alert, the project folder with its starter pages, then its window.
    DRVWindowController* addNewWebsite();
    DRVWindowController* saveNewWebsite() { return addNewWebsite(); }
    DRVWindowController* openWebsite();
    DRVWindowController* openNewDoc();
    // Lists the project's pages and opens its first page in a window that shows the project; a
    // project already open in a window brings that window to the front instead.
    DRVWindowController* launchSelectedWebsite(const QString& folderPath, bool newProject);
    void pickUpFileList(const QString& projectFolder, const QString& workingFolder);
    // The first page document of the folder listed by name, or "".
    static QString grabPathOfFirstFile(const QString& folderPath);
    // The page documents of a folder (the edition's extension and form pages), by name.
    static QStringList pageDocumentsOfFolder(const QString& folderPath);
    void addStarterBlankPage(const QString& projectFolder);
    void addGettingStartedPage(const QString& folder);
    DRVWindowController* launchGettingStartedGuide();
    void presentAddStarterPageAlert();
    // The theme browser.
    void showSiteLevelTemplate();
    WebsiteObject openTemplateSite(const QString& themeFolder);
    DRVWindowController* launchSelectedTemplateWebsite(int tag);
    DRVWindowController* proceedToLaunchSelectedTemplateWebsite(int tag, const QString& projectFolder);
    // Lets a window without a project open a page made from a template as an untitled document.
    static void installUntitledPageOpener();
    // Opens path in its own window, detached from the file so the first save asks for a place.
    static DRVWindowController* openUntitled(const QString& path);
    // The blank page as an untitled document carrying mainTemplateName.
    DRVWindowController* launchUsingBaseTemplate();
    QString mainTemplateName() const { return m_mainTemplateName; }
    void setMainTemplateName(const QString& name) { m_mainTemplateName = name; }
    QStringList pageNameArray() const { return m_pageNameArray; }
    QStringList pageTitleArray() const { return m_pageTitleArray; }
    QStringList fileTimeArray() const { return m_fileTimeArray; }
    QList<WebsiteObject> templateSiteArray() const { return m_templateSiteArray; }
    WebsiteWindowController* websiteWindowController();
    // Where the shipped website themes are: "templates/websiteLevel" beside the edition templates.
    static QString websiteThemesPath();
    // Title and description of a theme's site settings text; "" where a marker is missing.
    static QString textBetweenMarkers(const QString& text, const QString& start, const QString& end);

    // ---- catalogs (DRVAppDelegate+Catalogs.cpp) ----
    // Opens a catalog project: the settings window of the edition's catalog for the folder (one per
    // process, replaced by the next project).
    void launchSimplifiedWindowController(const QString& folderPath);
    PhotoCatalogSettingsWindowController* photoCatalogSettingsWindowController() const;
    FileCatalogSettingsWindowController* fileCatalogSettingsWindowController() const;
    // The photo-collection edition's caption window, made once; Add goes to the key document window.
    void showAddPhotoSettings();
    AddPhotoSettingsWindowController* addPhotoSettingsWindowController() const;
    // Lets a catalog job's "Next" reach the add-photo window.
    static void installCatalogHandlers();

    // ---- the template chooser (DRVAppDelegate+Templates.cpp) ----
    struct TemplateCategory
    {
        QString categoryFolderName; // "all" stands for every category
        QString categoryDescription;
    };
    // The edition's categories in display order and the category shown first.
    static QList<TemplateCategory> templateCategoriesForEdition(const QString& displayName, QString* startFolder);
    // What the preparation worker hands over: files and images only, no widgets.
    struct PreparedTemplate
    {
        QString fileName;
        QString categoryFolder;
        QImage image;
    };
    using TemplateUnpacker = std::function<bool(const QString& archivePath, const QString& targetFolder)>;
    // Tests slow the unpacking down or make it fail; empty restores the page archive's.
    static void setTemplateUnpacker(TemplateUnpacker unpacker);
    // Unpacks one template into destination; its thumbnail path ("@2x.png" when present), or "".
    static QString migratePage(const QString& templatePath, const QString& destination);
    // The icons of the working copy, paired with their template files (extension or form pages) by
    // name. Reads no edition value: it runs on the worker.
    static QList<PreparedTemplate> populateTemplateImages(const QString& workingFolder,
                                                          const QList<TemplateCategory>& categories,
                                                          const QString& extension);
    static const QStringList& templateActions();
    // Lets the add-page sheet's "From template" open the chooser for its window.
    static void installTemplateChooser();
    // New-project mode (Select starts a project) and add-page mode (Select adds a page to window).
    void showTemplateWebsite();
    void showTemplate(DRVWindowController* window = nullptr);
    void launchTemplatePreparation();
    // The preparation on the calling thread, as the reload observer needs it.
    void prepTemplatesInBackground();
    bool templatePreparationRunning() const;
    void displayTemplate();
    void refreshTemplate();
    void categoryButtonTapped(int index);
    void templateSelected(TemplateIconButton* icon);
    void clearTemplateSelection();
    void cancelTemplateView();
    void selectedATemplate();
    DRVWindowController* launchTemplate();
    DRVWindowController* launchSingleDocTemplate();
    DRVWindowController* directlyLaunchSingleDocBlank();
    TemplateWindowController* templateWindowController() const { return m_templateWindowController.get(); }
    QList<TemplateIconButton*> siteIconArray() const { return m_siteIconArray; }
    QList<TemplateCategory> templateCategoryMutableArray() const { return m_templateCategories; }
    QList<QPushButton*> templateCategoryButtonArray() const { return m_templateCategoryButtons; }
    QString categoryFolder() const { return m_categoryFolder; }
    bool templateLaunchNewDirectoryFlag() const { return m_templateLaunchNewDirectoryFlag; }
    TemplateIconButton* selectedTemplateIcon() const;

    // ---- help, feedback, promotions and text categories (DRVAppDelegate+Help.cpp) ----
    // The menu actions answered here.
    static const QStringList& helpActions();
    bool performHelpAction(const QString& action);
    // "Support Website", "Email" (a mail link to support) or "Cancel".
    void showHelpAlert();
    void launchVideoTutorials();
    void showiPhoneAlert();
    void launchCardellVet();
    void launchZOR2PromotionMessage();
    // The feedback sheet on the front document window; every showing starts from the prompt.
    void launchFeedbackModalSheet();
    void cancelFeedbackModalSheet();
    // Closes the sheet and hands the message to the mail program as a mail link.
    void sendFeedback();
    void suggestFeature();
    FeedbackWindowController* feedbackWindowController() const { return m_feedbackWindowController.get(); }
    // The help mail link of the running edition.
    static QUrl helpMailLink();
    // The feedback message as HTML, what the user typed escaped and its line breaks kept.
    static QString feedbackBodyHTML(const QString& experience, const QString& details);
    static QUrl feedbackMailLink(const QString& experience, const QString& details);
    // A mail link whose address, subject and body are percent-encoded whole.
    static QUrl mailLink(const QString& address, const QString& subject, const QString& body);
    void showCustomizeCategoriesWindowController();
    // Stores one description per preset and turns the override on; the presets change at once.
    void saveCategories();
    // Turns the override off and gives the presets the names the process started with.
    void resetCategories();
    CustomizeCategoriesWindowController* customizeCategoriesWindowController() const
    {
        return m_customizeCategoriesWindowController.get();
    }

private:
    void applicationStateChanged(Qt::ApplicationState state);

    bool m_autosaves = false;
    QMetaObject::Connection m_stateConnection;
    QMetaObject::Connection m_lastWindowConnection;
    double m_autosavingDelay = 0;
    std::unique_ptr<WelcomeWindowController> m_welcomeWindowController;
    std::function<void()> m_quitHandler;
    // template chooser
    std::unique_ptr<TemplateWindowController> m_templateWindowController;
    std::unique_ptr<QWidget> m_iconHolder; // keeps the tiles of categories not shown
    QList<TemplateIconButton*> m_siteIconArray;
    QList<TemplateCategory> m_templateCategories;
    QList<QPushButton*> m_templateCategoryButtons;
    QString m_categoryFolder = QStringLiteral("all");
    bool m_templateLaunchNewDirectoryFlag = false;
    QPointer<DRVWindowController> m_templateTargetWindow;
    QPointer<QThread> m_prepThread;
    QPointer<TemplateIconButton> m_selectedTemplateIcon;
    void buildTemplateIcons(const QList<PreparedTemplate>& prepared);
    DRVWindowController* openTemplateCopy(const QString& relativePath, bool alertOnFailure = true);
    // catalogs
    QPointer<PhotoCatalogSettingsWindowController> m_photoCatalogSettingsWindowController;
    QPointer<FileCatalogSettingsWindowController> m_fileCatalogSettingsWindowController;
    QPointer<AddPhotoSettingsWindowController> m_addPhotoSettingsWindowController;
    // website projects
    static inline DRVAppDelegate* s_currentDelegate = nullptr;
    DRVAppDelegate* m_previousDelegate = nullptr;
    bool confirmReplacingFolder(const QString& path);
    QString m_mainTemplateName;
    QStringList m_pageNameArray;
    QStringList m_pageTitleArray;
    QStringList m_fileTimeArray;
    QList<WebsiteObject> m_templateSiteArray;
    QPointer<WebsiteWindowController> m_websiteWindowController;
    // help, feedback and text categories
    std::unique_ptr<FeedbackWindowController> m_feedbackWindowController;
    std::unique_ptr<CustomizeCategoriesWindowController> m_customizeCategoriesWindowController;

    // ---- e-mail image settings and the Dropbox link (DRVAppDelegate+ImageSettings.cpp) ----
public:
    // The menu actions answered here.
    static const QStringList& imageSettingsActions();
    bool performImageSettingsAction(const QString& action);
    // The image settings sheet on the front document window, made once and kept.
    void launchImageSettingsModalSheet();
    void cancelImageSettingsModalSheet();
    // Stores "dropbox"; links an account through the browser, or offers to re-link a linked one.
    void linkDropbox();
    // Stores "ftp" and offers the FTP settings sheet.
    void selectedImageStorageFTPOption();
    class ImageSettingsWindowController* imageSettingsWindowController() const
    {
        return m_imageSettingsWindowController.get();
    }
    class DropboxAuthorization* dropboxAuthorization() const { return m_dropboxAuthorization.get(); }

private:
    void startDropboxAuthorization();
    void dropboxAuthorizationFinished(bool linked, const QString& message);
    void submitDropboxCode();
    std::unique_ptr<ImageSettingsWindowController> m_imageSettingsWindowController;
    std::unique_ptr<DropboxAuthorization> m_dropboxAuthorization;
};
