#include "window/CatalogGalleryJob.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/Threads.h"

#include <QDateTime>
#include <QDesktopServices>

namespace {

std::function<void(const QUrl&)>& urlOpener()
{
    static std::function<void(const QUrl&)> opener;
    return opener;
}

std::function<void()>& addPhotoSettingsHandler()
{
    static std::function<void()> handler;
    return handler;
}

} // namespace

CatalogGalleryJob::CatalogGalleryJob(QObject* parent) : QObject(parent) {}

CatalogGalleryJob::~CatalogGalleryJob()
{
    if (m_running)
        DataCentre::dismissProgressIndicator();
}

void CatalogGalleryJob::setUrlOpener(std::function<void(const QUrl&)> opener)
{
    urlOpener() = std::move(opener);
}

void CatalogGalleryJob::setAddPhotoSettingsHandler(std::function<void()> handler)
{
    addPhotoSettingsHandler() = std::move(handler);
}

void CatalogGalleryJob::selectInputPhotoFolder()
{
    if (m_running)
        return;
    platform::FilePanelRequest request;
    request.chooseDirectories = true;
    request.allowMultiple = false;
    request.canCreateDirectories = false;
    const QStringList chosen = platform::DialogService::current().runOpenPanel(request);
    if (chosen.isEmpty())
        return;
    m_running = true;
    gCatalogInputFolderURL = QUrl::fromLocalFile(chosen.constFirst());
    DataCentre::showProgressIndicator();
    const QString folder = gCatalogInputFolderURL.toLocalFile();
    platform::runInBackgroundThenOnMain(
        [folder] {
            CatalogJob::retrievePhotoFiles(folder);
            return QVariant();
        },
        [this](const QVariant&) { doneCountingPhotos(); }, this);
}

void CatalogGalleryJob::doneCountingPhotos()
{
    DataCentre::dismissProgressIndicator();
    platform::Alert alert;
    alert.title = QStringLiteral("Summary");
    alert.informativeText = CatalogJob::summaryText(gCatalogFileList);
    alert.style = platform::AlertStyle::Informational;
    if (gCatalogFileList.isEmpty()) {
        alert.buttons = {QStringLiteral("Cancel")};
        platform::DialogService::current().runAlert(alert);
        end();
        return;
    }
    alert.buttons = {QStringLiteral("Next"), QStringLiteral("Cancel")};
    if (platform::DialogService::current().runAlert(alert) != 0) {
        end();
        return;
    }
    const QString name = edition().gEditionDisplayName;
    if (name == QLatin1String("Zandelle")) {
        end();
        if (addPhotoSettingsHandler())
            addPhotoSettingsHandler()();
    } else if (name == QLatin1String("Ostrevin") || name == QLatin1String("Quellam") ||
               name == QLatin1String("Tirrabel")) {
        generateGallery();
    } else {
        end();
    }
}

void CatalogGalleryJob::generateGallery()
{
    const CatalogKind kind = CatalogScan::kindForEdition();
    if (kind == CatalogKind::None) {
        end();
        return;
    }
    m_running = true;
    // The settings are read here, on the main thread, as the generation starts.
    CatalogOptions options = m_optionsSource ? m_optionsSource() : CatalogOptions();
    options.baseName = edition().gPageBaseName;
    options.editionDisplayName = edition().gEditionDisplayName;
    options.inputFolderPath = gCatalogInputFolderURL.toLocalFile();
    const QString output = m_outputFolder;
    DataCentre::showProgressIndicator();
    platform::runInBackgroundThenOnMain(
        [kind, options, output] {
            return QVariant::fromValue(
                CatalogJob::generate(kind, options, output, QDateTime::currentDateTime()));
        },
        [this](const QVariant& result) {
            DataCentre::dismissProgressIndicator();
            launchGallery(result.value<CatalogJob::Result>());
        },
        this);
}

void CatalogGalleryJob::launchGallery(const CatalogJob::Result& result)
{
    platform::Alert alert;
    alert.title = QStringLiteral("Done!");
    alert.informativeText = QStringLiteral("Saved at selected path:\n %1").arg(result.firstPagePath);
    if (result.copyFailures > 0)
        alert.informativeText +=
            QStringLiteral("\n\n%1 of the files could not be copied.").arg(result.copyFailures);
    if (result.writeFailures > 0)
        alert.informativeText +=
            QStringLiteral("\n\n%1 of the pages could not be written.").arg(result.writeFailures);
    alert.style = platform::AlertStyle::Informational;
    alert.buttons = {QStringLiteral("Launch Now"), QStringLiteral("Dismiss")};
    if (platform::DialogService::current().runAlert(alert) == 0) {
        const QUrl url = QUrl::fromLocalFile(result.firstPagePath);
        if (urlOpener())
            urlOpener()(url);
        else
            QDesktopServices::openUrl(url);
    }
    end();
}

void CatalogGalleryJob::end()
{
    m_running = false;
    emit finished();
}
