// The application's start-up and lifecycle. First phase: the edition configuration (fonts, the
// label-sheet catalogue, the edition, presets, working folders), the edition's menu set-up, the page
// archive and the page context. Second phase: the received-pages folder made empty, the template
// observers, then the documents named on the command line; with none, the open panel stands in for
// the welcome window, and cancelling it quits. Returning to the application with no window visible
// shows the welcome window again. Main thread only.
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

#include <QWidget>

#include "window/WebsiteWindowController.h"

class DRVWindowController;
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
    // False when the application has nothing to show and should quit (the open panel was cancelled
    // and no document opened).
    bool applicationDidFinishLaunching(const QStringList& documentPaths);
    // Shows the welcome window when no window of the application is visible. From the end of the
    // second phase on, the application's becoming active again runs it.
    void applicationDidBecomeActive();
    // Fits the menus to the edition once its values are set (first phase).
    void runAppSpecificMenuSetups();
    // The platform never opens an untitled document at launch or on re-activation.
    bool applicationShouldOpenUntitledFile() const { return false; }
    bool applicationOpenUntitledFile() { return false; }

    // Until the welcome window exists: the open panel. False when it was cancelled and no window
    // is open.
    bool showWelcomeWindow();
    // The template chooser's observers. Reloading empties the chooser's buttons; a chooser on screen
    // is hidden and its templates are prepared again.
    void reloadTemplates();
    // The chooser's window and the preparation of its templates (set by the template chooser).
    void setTemplateWindow(QWidget* window) { m_templateWindow = window; }
    void setPrepTemplatesInBackground(std::function<void()> prepare) { m_prepTemplates = std::move(prepare); }
    void clearTemplateSelection() {}
    void launchAppURL();

    // Autosaving stays off: setAutosaves ignores its argument and the delay only takes effect with it.
    bool autosaves() const { return m_autosaves; }
    void setAutosaves(bool flag);
    double autosavingDelay() const { return m_autosavingDelay; }
    void setAutosavingDelay(double seconds);

    // The template chooser's buttons (emptied by reloadTemplates).
    QList<QWidget*> siteIconArray() const { return m_siteIconArray; }

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

private:
    void applicationStateChanged(Qt::ApplicationState state);

    bool m_autosaves = false;
    bool m_showingWelcomeWindow = false;
    QMetaObject::Connection m_stateConnection;
    QPointer<QWidget> m_templateWindow;
    std::function<void()> m_prepTemplates;
    double m_autosavingDelay = 0;
    QList<QWidget*> m_siteIconArray;
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
};
