#include "app/DRVAppDelegate.h"

#include "app/CustomizeCategoriesWindowController.h"
#include "app/DocumentController.h"
#include "app/FeedbackWindowController.h"
#include "app/MenuModel.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/NotificationCenter.h"
#include "publishing/DocumentArchiverInstall.h"
#include "publishing/DropboxAuthorization.h"
#include "window/DRVWindowController.h"
#include "window/PreferenceWindowController.h"
#include "window/ProgressIndicatorWindowController.h"
#include "window/ShapeSelectionView.h"
#include "window/TemplateIconButton.h"
#include "window/ImageSettingsWindowController.h"
#include "window/TemplateWindowController.h"
#include "window/WelcomeWindowController.h"
#include "platform/Dialogs.h"
#include "platform/SafePath.h"
#include "platform/UrlOpener.h"
#include "window/WindowPageContext.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QThread>
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
    // The preparation worker hands its result to this object; it ends first.
    if (m_prepThread)
        m_prepThread->wait();
    qDeleteAll(m_siteIconArray);
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
    installTemplateChooser();
    installCatalogHandlers();
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

    // The welcome window comes back whenever the last document window closes.
    if (!m_lastWindowConnection)
        m_lastWindowConnection = connect(&DocumentController::shared(), &DocumentController::lastWindowClosed, this,
                                         [this] { showWelcomeWindow(); });

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
    // Rebuilt for every showing, so it always carries the edition's values.
    if (m_welcomeWindowController)
        m_welcomeWindowController->window()->hide();
    m_welcomeWindowController = std::make_unique<WelcomeWindowController>(
        [this](const QString& action) { sendWelcomeAction(action); });
    // Open, Import Page, Help and Feedback are reachable before any document is open.
    auto* bar = new QMenuBar;
    MenuModel::buildMenuBar(
        bar, [this](const QString& action) { sendWelcomeAction(action); },
        [](const QString& action, const MenuItemState& item) {
            return DocumentController::shared().validateMenuItem(action, item, nullptr);
        });
    m_welcomeWindowController->setMenuBar(bar);
    connect(m_welcomeWindowController.get(), &WelcomeWindowController::closed, this, [this] {
        // Closing the welcome window with no document open ends the application.
        if (DocumentController::shared().allWindowControllers().isEmpty())
            m_quitHandler ? m_quitHandler() : QCoreApplication::quit();
    });
    m_welcomeWindowController->showWindow();
    return true;
}

void DRVAppDelegate::orderOutWelcomeWindow()
{
    if (m_welcomeWindowController)
        m_welcomeWindowController->window()->hide();
}

void DRVAppDelegate::sendWelcomeAction(const QString& action)
{
    if (action == QLatin1String("launchAppURL:"))
        launchAppURL();
    else if (action == QLatin1String("openSample:"))
        openSample();
    else if (helpActions().contains(action))
        performHelpAction(action);
    else
        DocumentController::shared().sendAction(action, nullptr);
    // A document opened from here takes the welcome window's place.
    if (!DocumentController::shared().allWindowControllers().isEmpty())
        orderOutWelcomeWindow();
}

void DRVAppDelegate::launchUserGuide()
{
    const QString name = edition().gUserGuideFileName;
    const std::optional<QString> path =
        name.isEmpty() ? std::nullopt : platform::SafePath::filePathBelow(DataCentre::resourcesPath(), name);
    if (path && QFileInfo(*path).isFile()) {
        platform::openUrl(QUrl::fromLocalFile(*path));
        return;
    }
    platform::Alert alert;
    alert.title = QStringLiteral("The user guide could not be found.");
    alert.buttons = {QStringLiteral("OK")};
    platform::DialogService::current().runAlert(alert);
}

void DRVAppDelegate::reloadTemplates()
{
    clearTemplateSelection();
    qDeleteAll(m_siteIconArray);
    m_siteIconArray.clear();
    if (m_templateWindowController && m_templateWindowController->window()->isVisible()) {
        qInfo("templates showing, need to reload");
        m_templateWindowController->window()->hide();
        // Rebuilt here, on the main thread, before the chooser shows itself again.
        prepTemplatesInBackground();
        return;
    }
    qInfo("templates not showing...");
}

void DRVAppDelegate::launchAppURL()
{
    if (!edition().gProductSiteURL.isEmpty())
        platform::openUrl(QUrl(edition().gProductSiteURL));
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
