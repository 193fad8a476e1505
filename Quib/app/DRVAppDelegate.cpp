#include "app/DRVAppDelegate.h"

#include "app/DocumentController.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/NotificationCenter.h"
#include "publishing/DocumentArchiverInstall.h"
#include "window/DRVWindowController.h"
#include "window/WindowPageContext.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <QWidget>

DRVAppDelegate::DRVAppDelegate(QObject* parent) : QObject(parent) {}

DRVAppDelegate::~DRVAppDelegate()
{
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
    // print factors and zoom titles, in that order.
    DataCentre::initializeData();
    DocumentArchiverInstall::install();
    WindowPageContext::installForProcess();
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
    if (!documentPaths.isEmpty() && DocumentController::shared().openDocuments(documentPaths) > 0)
        return true;
    return showWelcomeWindow();
}

void DRVAppDelegate::applicationDidBecomeActive()
{
    if (visibleWindowCount() < 1)
        showWelcomeWindow();
}

bool DRVAppDelegate::showWelcomeWindow()
{
    if (DocumentController::shared().openDocumentFromPanel())
        return true;
    return visibleWindowCount() > 0;
}

void DRVAppDelegate::reloadTemplates()
{
    m_siteIconArray.clear();
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
