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

private:
    void applicationStateChanged(Qt::ApplicationState state);

    bool m_autosaves = false;
    bool m_showingWelcomeWindow = false;
    QMetaObject::Connection m_stateConnection;
    QPointer<QWidget> m_templateWindow;
    std::function<void()> m_prepTemplates;
    double m_autosavingDelay = 0;
    QList<QWidget*> m_siteIconArray;
};
