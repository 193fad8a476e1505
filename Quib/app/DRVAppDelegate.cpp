#include "app/DRVAppDelegate.h"

#include "app/DocumentController.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/NotificationCenter.h"
#include "publishing/DocumentArchiverInstall.h"
#include "window/DRVWindowController.h"
#include "window/PreferenceWindowController.h"
#include "window/ProgressIndicatorWindowController.h"
#include "window/ShapeSelectionView.h"
#include "window/WindowPageContext.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

DRVAppDelegate::DRVAppDelegate(QObject* parent) : QObject(parent)
{
    m_previousDelegate = s_currentDelegate;
    s_currentDelegate = this;
}

DRVAppDelegate::~DRVAppDelegate()
{
    if (s_currentDelegate == this)
        s_currentDelegate = m_previousDelegate;
    platform::NotificationCenter::defaultCenter().removeObserversForContext(this);
}

QStringList DRVAppDelegate::documentPathsFromArguments(const QStringList& arguments)
{
    QStringList paths;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--edition")) {
            ++i; // its value
            continue;
        }
        if (argument == QLatin1String("--")) {
            paths.append(arguments.mid(i + 1));
            break;
        }
        if (argument.startsWith(u'-'))
            continue;
        paths.append(argument);
    }
    return paths;
}

void DRVAppDelegate::applicationWillFinishLaunching()
{
    // Fonts, the label-sheet catalogue, the edition, image defaults, presets, working folders,
    // print factors and zoom titles, in that order. The presets are built by the window layer.
    ShapeSelectionView::installPresetFactories();
    DataCentre::initializeData();
    runAppSpecificMenuSetups();
    DocumentArchiverInstall::install();
    WindowPageContext::installForProcess();
    ProgressIndicatorWindowController::installForProcess();
    installUntitledPageOpener();
    PreferenceWindowController::moveStoredPasswordsToSecretStore();
}

bool DRVAppDelegate::applicationDidFinishLaunching(const QStringList& documentPaths)
{
    m_autosaves = false;
    recreateReceivedPagesFolder();

    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();
    center.addObserver(QStringLiteral("clearTemplateSelection"), this,
                       [this](const platform::Notification&) { clearTemplateSelection(); });
    center.addObserver(QStringLiteral("refreshTemplateCollection"), this,
                       [this](const platform::Notification&) { reloadTemplates(); });

    // Documents named at launch open once the working folders are ready.
    const bool showing =
        (!documentPaths.isEmpty() && DocumentController::shared().openDocuments(documentPaths) > 0) ||
        showWelcomeWindow();
    // Coming back to the application from now on may bring the welcome window back.
    if (showing && !m_stateConnection) {
        if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            m_stateConnection = connect(app, &QGuiApplication::applicationStateChanged, this,
                                        &DRVAppDelegate::applicationStateChanged);
    }
    return showing;
}

void DRVAppDelegate::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == Qt::ApplicationActive)
        applicationDidBecomeActive();
}

void DRVAppDelegate::applicationDidBecomeActive()
{
    if (visibleWindowCount() < 1)
        showWelcomeWindow();
}

void DRVAppDelegate::runAppSpecificMenuSetups()
{
    // The identity the menus read is the one the edition selection stored (version, display name,
    // identifier); nothing here changes it.
    // The edition's own menu branches (hidden, retitled and re-bound items) arrive with the
    // per-edition menus; every window's bar is built from MenuModel meanwhile.
}

bool DRVAppDelegate::showWelcomeWindow()
{
    // The open panel is modal: the application turning active behind it must not ask again.
    if (m_showingWelcomeWindow)
        return visibleWindowCount() > 0;
    m_showingWelcomeWindow = true;
    const bool opened = DocumentController::shared().openDocumentFromPanel();
    m_showingWelcomeWindow = false;
    return opened || visibleWindowCount() > 0;
}

void DRVAppDelegate::reloadTemplates()
{
    m_siteIconArray.clear();
    if (m_templateWindow && m_templateWindow->isVisible()) {
        qInfo("templates showing, need to reload");
        m_templateWindow->hide();
        // Rebuilt here, on the main thread, before the chooser shows itself again.
        if (m_prepTemplates)
            m_prepTemplates();
        return;
    }
    qInfo("templates not showing...");
}

void DRVAppDelegate::launchAppURL()
{
    if (!edition().gProductSiteURL.isEmpty())
        QDesktopServices::openUrl(QUrl(edition().gProductSiteURL));
}

void DRVAppDelegate::setAutosaves(bool flag)
{
    Q_UNUSED(flag);
}

void DRVAppDelegate::setAutosavingDelay(double seconds)
{
    // Kept for when autosaving is turned on; the documents never save on a timer meanwhile.
    m_autosavingDelay = seconds;
}

QString DRVAppDelegate::receivedPagesFolderPath()
{
    const EditionSettings& e = edition();
    if (e.gTempFolderPath.isEmpty() || e.gReceivedPagesFolderName.isEmpty())
        return QString();
    return QDir(e.gTempFolderPath).filePath(e.gReceivedPagesFolderName);
}

void DRVAppDelegate::recreateReceivedPagesFolder()
{
    const QString folder = receivedPagesFolderPath();
    if (folder.isEmpty())
        return;
    // Errors are left to the operations that write into the folder later.
    QDir(folder).removeRecursively();
    QDir().mkdir(folder);
    // The save flow's own folder lives inside it.
    if (!edition().gTempSaveFolderPath.isEmpty())
        QDir().mkpath(edition().gTempSaveFolderPath);
}

int DRVAppDelegate::visibleWindowCount()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isWindow() && widget->isVisible())
            ++count;
    }
    return count;
}
