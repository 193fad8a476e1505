#include "window/DRVWindowController.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/SafePath.h"
#include "platform/Threads.h"
#include "records/QuibFileHelper.h"
#include "window/AddPhotoSettingsWindowController.h"
#include "window/PhotoCatalogSettingsWindowController.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QWidget>

#include <unistd.h>

const QStringList& DRVWindowController::catalogActions()
{
    static const QStringList actions{QStringLiteral("selectPhotosInputFolder:"),
                                     QStringLiteral("showPhotoCatalogSettings:"),
                                     QStringLiteral("generatePhotoPages")};
    return actions;
}

bool DRVWindowController::performCatalogAction(const QString& action)
{
    if (!catalogActions().contains(action))
        return false;
    if (action == QLatin1String("generatePhotoPages"))
        generatePhotoPages();
    else
        showPhotoCatalogSettings();
    return true;
}

void DRVWindowController::showPhotoCatalogSettings()
{
    if (!m_photoCatalogSettingsWindowController) {
        m_photoCatalogSettingsWindowController = new PhotoCatalogSettingsWindowController(this);
        m_photoCatalogSettingsWindowController->setOpenWebsiteFolderPath(openWebsiteFolderPath());
        m_photoCatalogSettingsWindowController->window()->setWindowTitle(QString());
    }
    m_photoCatalogSettingsWindowController->showWindow();
}

PhotoCatalogSettingsWindowController* DRVWindowController::photoCatalogSettingsWindowController() const
{
    return m_photoCatalogSettingsWindowController;
}

// ---- photo pages ----

namespace {

constexpr int kFirstPhotoTop = 110;
constexpr int kPhotoGap = 60;
constexpr int kPhotoLeft = 100;

QString documentNameFor(const QString& stem)
{
    return stem + u'.' + edition().gDocumentExtension;
}

DRVWindowController::PhotoPageOptions currentPhotoPageOptions()
{
    DRVWindowController::PhotoPageOptions options;
    if (AddPhotoSettingsWindowController* settings = AddPhotoSettingsWindowController::shared()) {
        options.thumbnail = settings->thumbnailCheckbox()->isChecked();
        options.timestamp = settings->timestampCheckbox()->isChecked();
        options.filepath = settings->filepathCheckbox()->isChecked();
    }
    return options;
}

// The text-box factory's arguments for the titles and captions of photo pages.
DRVGraphicView::TextBoxArguments photoPageText(const QString& text, const QRectF& frame, int pointSize)
{
    DRVGraphicView::TextBoxArguments a =
        DRVGraphicView::TextBoxArguments::with(text, frame, -99, QFont(QStringLiteral("Cabin"), pointSize));
    a.backgroundColor = QStringLiteral("FFFFFF");
    return a;
}

} // namespace

DRVWindowController::PreparedPhoto DRVWindowController::preparePhoto(const QString& path,
                                                                     const QDateTime& date, int maxWidth)
{
    PreparedPhoto photo;
    photo.path = path;
    photo.date = date;
    const QString extension = QFileInfo(path).suffix();
    const bool png = extension == QLatin1String("png") || extension == QLatin1String("PNG") ||
                     extension == QLatin1String("gif") || extension == QLatin1String("GIF");
    photo.type = png ? QStringLiteral("PNG") : QStringLiteral("JPG");
    QImageReader reader(path);
    const QSize full = reader.size();
    if (!full.isValid() || full.isEmpty())
        return photo;
    const int limit = maxWidth > 0 ? maxWidth : 600;
    QSize placed = full;
    if (full.width() > limit) {
        const float ratio = float(full.width()) / float(limit);
        placed = QSize(limit, int(float(full.height()) / ratio));
        // Decoded at the placed size, so a folder of large photos never holds them whole.
        reader.setScaledSize(placed);
    }
    photo.image = reader.read();
    if (photo.image.isNull())
        return photo;
    photo.size = placed;
    return photo;
}

void DRVWindowController::generatePhotoPages()
{
    if (m_photoPagesRunning || !m_document || m_openWebsiteFolder.isEmpty() || gCatalogFileList.isEmpty())
        return;
    m_photoPagesRunning = true;
    if (m_graphicView)
        m_graphicView->setPauseDrawGraphicFlag(true);
    DataCentre::showProgressIndicator();
    if (m_window) {
        m_window->lower();
        m_window->setWindowOpacity(0.0);
    }
    const QList<QuibFileHelper> records = gCatalogFileList;
    const PhotoPageOptions options = currentPhotoPageOptions();
    const int maxWidth = edition().gInsertedImageMaxWidth;
    QPointer<DRVWindowController> self(this);
    platform::runInBackgroundThenOnMain(
        [records, options, maxWidth, self] {
            prepPhotos(records, options, maxWidth, self);
            return QVariant();
        },
        [this](const QVariant&) { restoreDrawGraphicFlag(); }, this);
}

void DRVWindowController::prepPhotos(const QList<QuibFileHelper>& records, const PhotoPageOptions& options,
                                     int maxWidth, const QPointer<DRVWindowController>& window)
{
    // A day's photos are decoded here and handed over together; the next day's wait.
    QList<PreparedPhoto> day;
    const qint32 total = qint32(records.size());
    for (qsizetype i = 0; i < records.size(); ++i) {
        const QuibFileHelper& record = records.at(i);
        day.append(preparePhoto(record.filePath, record.fileModDate, maxWidth));
        DataCentre::updateProgressBar(qint32(i), total, record.filePath);
        const bool dayEnds = i + 1 == records.size() || records.at(i + 1).fileModDateString_fileNameFormat !=
                                                            record.fileModDateString_fileNameFormat;
        if (!dayEnds)
            continue;
        const QString file = record.fileModDateString_fileNameFormat;
        const QString title = record.fileModDateString;
        platform::performOnMainThread(
            [window, day, file, title, options] {
                if (window)
                    window->placePhotosOfDay(day, file, title, options);
            },
            true);
        day.clear();
    }
}

bool DRVWindowController::switchToProjectPage(const QString& documentName, bool* existed)
{
    *existed = projectHasFile(documentName);
    const QString path = projectFilePath(documentName);
    if (path.isEmpty())
        return false;
    if (m_document->filePath() == path)
        return true;
    m_document->askPageToSaveItself();
    if (!*existed) {
        if (!addBlankPage(documentName))
            return false;
        refreshProject();
    }
    return openProjectPage(path);
}

void DRVWindowController::placePhotosOfDay(const QList<PreparedPhoto>& photos, const QString& dayFileName,
                                           const QString& dayTitle, const PhotoPageOptions& options)
{
    if (!m_document || !m_graphicView || photos.isEmpty())
        return;
    bool existed = false;
    if (!switchToProjectPage(documentNameFor(dayFileName), &existed))
        return;
    int y = kFirstPhotoTop;
    if (existed) {
        y = m_document->findMaxScreenHeight() + 10;
    } else {
        m_document->setPageOfficialName(dayTitle);
        DRVGraphicView::TextBoxArguments title =
            photoPageText(QLocale::c().toString(photos.constFirst().date, QStringLiteral("MMM dd yyyy dddd")),
                          QRectF(0, 0, 1100, 100), 50);
        title.link = QStringLiteral("index.html");
        title.hoverColor = QStringLiteral("4682B4");
        title.hoverTextColor = QStringLiteral("FFFFFF");
        title.linkType = QStringLiteral("shape");
        m_graphicView->addTextBox(title);
    }
    for (const PreparedPhoto& photo : photos)
        y = addPhotoToPage(photo, y, options) + kPhotoGap;
    m_document->askPageToSaveItself();
}

int DRVWindowController::addPhotoToPage(const PreparedPhoto& photo, int y, const PhotoPageOptions& options)
{
    const int height = photo.size.height();
    if (options.thumbnail && !photo.image.isNull() && m_graphicView) {
        DRVGraphicView::ImageArguments image;
        image.image = photo.image;
        image.type = photo.type;
        image.frame = QRectF(kPhotoLeft, y, photo.size.width(), height);
        image.point = image.frame.topLeft();
        image.pixelSize = photo.size;
        m_graphicView->addImageIntoArray(image);
    }
    const QString caption = QStringLiteral("%1\n%2").arg(
        options.timestamp ? QLocale::c().toString(photo.date, QStringLiteral("MMM dd yyyy hh:mm AP dddd"))
                          : QString(),
        options.filepath ? photo.path : QString());
    if (m_graphicView)
        m_graphicView->addTextBox(photoPageText(caption, QRectF(kPhotoLeft, y + height, 800, 50), 15));
    return y + height;
}

void DRVWindowController::restoreDrawGraphicFlag()
{
    if (m_window)
        m_window->setWindowOpacity(1.0);
    DataCentre::dismissProgressIndicator();
    if (m_graphicView)
        m_graphicView->setPauseDrawGraphicFlag(false);
    if (m_document)
        m_document->refreshDocument();
    refreshWebsite();
    generateIndexSheet();
    m_photoPagesRunning = false;
    platform::Alert alert;
    alert.title = QStringLiteral("Photos Added To Collection");
    alert.informativeText =
        QStringLiteral("Would you like to launch preview?\n\nImage thumbnails and hyperlinks are "
                       "active in Preview, Exported and Published modes.");
    alert.buttons = {QStringLiteral("Proceed"), QStringLiteral("Not right now")};
    if (platform::DialogService::current().runAlert(alert) == 0)
        performAction(QStringLiteral("showWebPreview:"));
}

void DRVWindowController::generateIndexSheet()
{
    if (!m_document || !m_graphicView)
        return;
    bool existed = false;
    if (!switchToProjectPage(documentNameFor(QStringLiteral("index")), &existed))
        return;
    // Built anew each run, so the index holds one "Summary" and one site map however often photos
    // are added.
    m_document->clearAllGraphics();
    m_document->setPageOfficialName(QStringLiteral("Summary"));
    m_graphicView->addTextBox(photoPageText(QStringLiteral("Summary"), QRectF(0, 0, 600, 60), 40));
    QList<DRVGraphicView::SitePage> pages;
    for (const PageRecord& record : m_siteIconArray)
        pages.append({record.pageTitle, record.pagePublishFileName});
    m_graphicView->addTableOfSitemap(false, pages);
    m_document->askPageToSaveItself();
    refreshProject();
}

bool DRVWindowController::getPauseDrawGraphicsFlag() const
{
    return m_graphicView && m_graphicView->pauseDrawGraphicFlag();
}

bool DRVWindowController::addABlankPage(const QString& fileName)
{
    const std::optional<QString> source = platform::SafePath::filePathBelow(
        DataCentre::templatesPath(), QStringLiteral("blank/Blank.") + edition().gDocumentExtension);
    const QString target = projectFilePath(fileName);
    if (!source || target.isEmpty() || !QFileInfo(*source).isFile())
        return false;
    QFile::remove(target);
    return QFile::copy(*source, target);
}

qint64 DRVWindowController::getMemoryUsedInBytes()
{
    // The second field of statm is the resident set in pages.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().simplified().split(' ');
    bool ok = false;
    const qint64 pages = fields.size() > 1 ? fields.at(1).toLongLong(&ok) : 0;
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    return ok && pageSize > 0 ? pages * pageSize : 0;
}

qint64 DRVWindowController::getMemoryUsedInMegaBytes()
{
    return getMemoryUsedInBytes() / 1048576;
}
