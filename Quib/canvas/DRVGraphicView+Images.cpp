// Pictures on the canvas: the one image factory every picture goes through, the naming of
// pictures, and the commands that add picture files.
#include "canvas/DRVGraphicView.h"
#include "canvas/CropImageDialog.h"
#include "canvas/PdfPages.h"
#include "document/DRVDocument.h"
#include "document/PageImageFiles.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVText.h"
#include "model/GraphicRegistry.h"
#include "model/OriginalImageFile.h"
#include "model/TransformView.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/TextEncoding.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QPointer>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QImageReader>
#include <QMenu>
#include <QPainter>
#include <QEventLoop>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>
#include <atomic>
#include <cmath>

namespace {

const QStringList kAddedPictureExtensions = {
    QStringLiteral("jpg"),  QStringLiteral("JPG"),  QStringLiteral("png"), QStringLiteral("PNG"),
    QStringLiteral("jpeg"), QStringLiteral("JPEG"), QStringLiteral("gif"), QStringLiteral("GIF")};

// Added pictures: only these exact extensions keep their colours losslessly.
QString addedPictureType(const QString& path)
{
    static const QStringList lossless = {QStringLiteral("png"), QStringLiteral("PNG"), QStringLiteral("gif"),
                                         QStringLiteral("GIF")};
    return lossless.contains(QFileInfo(path).suffix()) ? QStringLiteral("PNG") : QStringLiteral("JPG");
}

QImage readPicture(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

QString intText(int value)
{
    return DRVGraphic::intProperty(value);
}

// The padding, in percent of the cell, that centres a picture of width inside it.
QString centringPadding(double cellWidth, int width)
{
    const float padding = std::max(0.0f, float(cellWidth - width) * 0.5f);
    return intText(cellWidth > 0 ? platform::truncToInt(padding / float(cellWidth) * 100.0f) : 0);
}

// More files than this are decoded off the GUI thread, with the progress window showing.
constexpr qsizetype kPicturesDecodedInline = 4;

// The pictures of the files, in their order (a null picture for a file that cannot be read).
QList<QImage> readPictures(const QStringList& paths)
{
    QList<QImage> pictures;
    if (paths.size() <= kPicturesDecodedInline) {
        for (const QString& path : paths)
            pictures.append(readPicture(path));
        return pictures;
    }
    const int total = int(paths.size());
    DataCentre::showProgressIndicator();
    std::atomic<int> done{0};
    QFuture<QImage> future = QtConcurrent::mapped(paths, [&done, &paths, total](const QString& path) {
        QImage picture = readPicture(path);
        const int now = ++done;
        // The last file's count is given by the GUI thread once every picture is in.
        if (now < total)
            DataCentre::updateProgressBar(now, total, QFileInfo(paths.at(now)).fileName());
        return picture;
    });
    // The window keeps drawing meanwhile; the pictures are put in only once all are read.
    QFutureWatcher<QImage> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(future);
    if (!future.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    future.waitForFinished();
    pictures = future.results();
    DataCentre::updateProgressBar(total, total, QString());
    DataCentre::dismissProgressIndicator();
    return pictures;
}

// Longer files are rendered off the GUI thread.
constexpr int kPdfPagesRenderedInline = 4;
// A file's claims are not trusted: at most this many pages, none rendered larger than this.
constexpr int kMostPdfPages = 200;
constexpr int kLongestPdfPageSide = 4000;

// A page as the JPEG picture it is kept as: the quality 1.0 encoding, read back, on white.
QImage pdfPagePicture(PdfPages& pdf, int page)
{
    const QSizeF points = pdf.pagePointSize(page);
    if (points.width() < 1 || points.height() < 1)
        return QImage();
    QSize pixels = points.toSize();
    if (pixels.width() > kLongestPdfPageSide || pixels.height() > kLongestPdfPageSide)
        pixels.scale(kLongestPdfPageSide, kLongestPdfPageSide, Qt::KeepAspectRatio);
    const QImage rendered = pdf.render(page, pixels);
    if (rendered.isNull())
        return QImage();
    QImage onWhite(rendered.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter(&onWhite).drawImage(0, 0, rendered);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    if (!buffer.open(QIODevice::WriteOnly) || !onWhite.save(&buffer, "JPG", 100))
        return QImage();
    return QImage::fromData(jpeg, "JPG");
}

} // namespace

QStringList DRVGraphicView::pictureFileExtensions()
{
    return {QStringLiteral("jpg"), QStringLiteral("JPG"),  QStringLiteral("png"),
            QStringLiteral("PNG"), QStringLiteral("jpeg"), QStringLiteral("JPEG")};
}

QString DRVGraphicView::pictureFileType(const QString& path)
{
    const QString extension = QFileInfo(path).suffix();
    return extension == QLatin1String("png") || extension == QLatin1String("PNG") ? QStringLiteral("PNG")
                                                                                  : QStringLiteral("JPG");
}

TransformView* DRVGraphicView::newPictureCarrier(const ChosenPicture& chosen, QObject* container) const
{
    const QString name = getNextImageName();
    const QString type = pictureFileType(chosen.path);
    if (!OriginalImageFile::save(pageImageFolder(), name, type, chosen.image))
        qWarning() << "DRVGraphicView: the original of" << name << "could not be written";
    auto* picture = new TransformView(QRectF(), container);
    picture->setImage(chosen.image);
    picture->setImageLastModDate(QDateTime::currentDateTime());
    picture->setImageName(name);
    picture->setImageType(type);
    picture->setOriginalWidth(chosen.image.width());
    picture->setOriginalHeight(chosen.image.height());
    picture->setGroupNumber(-99);
    picture->setTableNumber(-99);
    picture->setSlideShowNumber(-99);
    picture->setImageEnlargeFlag(0);
    picture->setRetinaFlag(
        platform::UserDefaults::standard().integerForKey(QStringLiteral("DovrelRetinaFlag")) != 0 ? 1 : 0);
    return picture;
}

QString DRVGraphicView::pageImageFolder() const
{
    // Already the folder: taking an extension off again would cut a page named "a.b" to "a".
    // Callers read, copy or replace the folder's files.
    if (m_graphicsContainer)
        m_graphicsContainer->completeWorkingFolder();
    if (!m_tempPagePath.isEmpty())
        return m_tempPagePath;
    if (!m_graphicsContainer || m_graphicsContainer->pagePath().isEmpty())
        return QString();
    return PageImageFiles::imageFolderForPage(m_graphicsContainer->pagePath());
}

QString DRVGraphicView::getNextImageName() const
{
    return PageImageFiles::getNextImageName(imageNamesInUse(), pageImageFolder());
}

QSize DRVGraphicView::cappedImageSize(QSize pixelSize)
{
    const int widest = edition().gInsertedImageMaxWidth > 0 ? edition().gInsertedImageMaxWidth : 600;
    if (pixelSize.width() <= widest)
        return pixelSize;
    const float ratio = float(pixelSize.width()) / float(widest);
    return QSize(widest, platform::truncToInt(float(pixelSize.height()) / ratio));
}

DRVGraphic* DRVGraphicView::addImageIntoArray(const ImageArguments& a)
{
    if (!m_graphicsContainer || a.image.isNull())
        return nullptr;
    const QString name = getNextImageName();
    if (a.keepOriginal && !OriginalImageFile::save(pageImageFolder(), name, a.type, a.image))
        qWarning() << "DRVGraphicView: the original of" << name << "could not be written";

    QRectF frame = a.frame;
    QString sidePadding = QStringLiteral("0");
    const QSize pixels = a.pixelSize.isEmpty() ? a.image.size() : a.pixelSize;
    if (edition().gResponsiveLayoutFlag && grabOverLappingSectionCell(a.point) != QRectF()) {
        const QRectF cell = grabSectionRect(a.point, QRectF(a.point, QSizeF(pixels)));
        int height = platform::truncToInt(std::min(300.0, cell.height()));
        height = std::min(height, pixels.height());
        const float proportion = float(pixels.height()) / float(std::max(1, pixels.width()));
        const int width = platform::truncToInt(float(height) / proportion);
        const int fitted = cell.width() > width ? width : platform::truncToInt(cell.width());
        const QSizeF shape = a.shapeSize.isEmpty() ? QSizeF(pixels) : a.shapeSize;
        const QSize shown = DataCentre::returnNewSizeMatchWidthRegardlessOfHeight(shape, fitted);
        frame = QRectF(cell.x(), cell.y(), cell.width(), shown.height());
        shiftObjectsInSection(a.point, frame);
        sidePadding = centringPadding(cell.width(), shown.width());
    }

    QVariantMap p;
    for (const char* side : {"top", "bottom", "left", "right"}) {
        const QString s = QString::fromLatin1(side);
        const bool across = s == QLatin1String("left") || s == QLatin1String("right");
        p.insert(s + QStringLiteral("Padding"), across ? sidePadding : QStringLiteral("0"));
        p.insert(s + QStringLiteral("Margin"), QStringLiteral("0"));
        p.insert(s + QStringLiteral("PaddingType"), QStringLiteral("%"));
        p.insert(s + QStringLiteral("MarginType"), QStringLiteral("%"));
    }
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(frame));
    p.insert(QStringLiteral("opacity"), DRVGraphic::realProperty(1.0));
    p.insert(QStringLiteral("shadowFlag"), intText(a.shadow));
    p.insert(QStringLiteral("link"), a.link.isNull() ? QStringLiteral("") : a.link);
    p.insert(QStringLiteral("imageName"), name);
    p.insert(QStringLiteral("imageType"), a.type);
    p.insert(QStringLiteral("imageLastModDate"), QDateTime::currentDateTime());
    p.insert(QStringLiteral("textType"), QStringLiteral(""));
    p.insert(QStringLiteral("textHexColorString"), QStringLiteral("000000"));
    p.insert(QStringLiteral("backgroundHexColorString"), QStringLiteral("000000"));
    p.insert(QStringLiteral("imageEnlargeFlag"), intText(a.enlarge));
    p.insert(QStringLiteral("backdropLightingFlag"), QStringLiteral("2"));
    const bool retina =
        platform::UserDefaults::standard().integerForKey(QStringLiteral("DovrelRetinaFlag")) != 0;
    p.insert(QStringLiteral("retinaFlag"), retina ? QStringLiteral("1") : QStringLiteral("0"));
    p.insert(QStringLiteral("slideShowNumber"), intText(-99));
    p.insert(QStringLiteral("contents"), DRVGraphic::archivedImage(a.image));
    p.insert(QStringLiteral("groupNumber"), intText(a.groupNumber));
    p.insert(QStringLiteral("borderStyle"), a.borderStyle);
    p.insert(QStringLiteral("borderWidth"), intText(a.borderWidth));
    p.insert(QStringLiteral("borderHexColorString"), a.borderColour);
    p.insert(QStringLiteral("borderColor"),
             DRVGraphic::archivedColor(DataCentre::colorWithHexString(a.borderColour)));
    p.insert(QStringLiteral("bubbleShape"), a.bubbleShape.isNull() ? QStringLiteral("") : a.bubbleShape);
    p.insert(QStringLiteral("bubbleFlag"), a.bubble == 1 ? QStringLiteral("1") : QStringLiteral("0"));
    DRVGraphic* image = GraphicRegistry::create(QStringLiteral("DRVImage"));
    image->initWithProperties(p);
    return insertNewGraphic(image, a.point);
}

void DRVGraphicView::addNewImage()
{
    addPictureFiles([this] { return calculateOriginPoint(); }, false);
}

void DRVGraphicView::addNewImage_drag(QPointF point)
{
    addPictureFiles([point] { return point; }, true);
}

QList<DRVGraphicView::ChosenPicture> DRVGraphicView::chooseReadablePictures(const QString& prompt,
                                                                            const QString& title,
                                                                            const QStringList& extensions,
                                                                            bool several)
{
    platform::FilePanelRequest request;
    request.prompt = prompt;
    request.title = title;
    request.allowedExtensions = extensions;
    request.allowMultiple = several;
    request.canCreateDirectories = false;
    const QStringList paths = platform::DialogService::current().runOpenPanel(request);
    QList<ChosenPicture> pictures;
    QStringList unreadable;
    const QList<QImage> decoded = readPictures(paths);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString& path = paths.at(i);
        if (decoded.at(i).isNull())
            unreadable.append(QFileInfo(path).fileName());
        else
            pictures.append({path, decoded.at(i)});
    }
    if (!unreadable.isEmpty()) {
        platform::Alert alert;
        alert.title = QStringLiteral("Some files could not be added.");
        // The first line is plain text, so the alert shows the names as they are written.
        alert.informativeText =
            QStringLiteral("These files are not pictures that can be read:\n") + unreadable.join(u'\n');
        platform::showAlert(alert);
    }
    return pictures;
}

void DRVGraphicView::addPictureFiles(const std::function<QPointF()>& origin, bool shapeIsDisplayed)
{
    if (!m_graphicsContainer)
        return;
    const QList<ChosenPicture> pictures =
        chooseReadablePictures(QStringLiteral("Select"), QStringLiteral("Add one or multiple images"),
                               kAddedPictureExtensions, true);
    if (pictures.isEmpty())
        return;
    runInsertCommand(QStringLiteral("Photo"), [&] {
        int offset = 0;
        for (const ChosenPicture& chosen : pictures) {
            const QImage& picture = chosen.image;
            const QPointF point = origin();
            const QSize shown = cappedImageSize(picture.size());
            ImageArguments a;
            a.image = picture;
            a.type = addedPictureType(chosen.path);
            a.point = QPointF(std::trunc(point.x() + offset), std::trunc(point.y()));
            a.pixelSize = picture.size();
            a.shapeSize = QSizeF(shapeIsDisplayed ? shown : picture.size());
            a.frame = QRectF(a.point, QSizeF(shown));
            addImageIntoArray(a);
            offset += 20;
        }
    });
}

// ---- PDF pages ----

QList<QImage> DRVGraphicView::renderPdfPages(const QString& path)
{
    return renderPages(path, false);
}

QList<QImage> DRVGraphicView::renderPages(const QString& path, bool reportProgress)
{
    QString error;
    const std::unique_ptr<PdfPages> pdf = makePdfPages(error);
    if (!pdf || !pdf->load(path) || pdf->pageCount() < 1)
        return {};
    QList<QImage> pages;
    const int count = std::min(pdf->pageCount(), kMostPdfPages);
    for (int page = 0; page < count; ++page) {
        const QImage picture = pdfPagePicture(*pdf, page);
        // A page that cannot be drawn spoils the file: half a document is not what was chosen.
        if (picture.isNull())
            return {};
        pages.append(picture);
        // The last page's count is given once the pages are in.
        if (reportProgress && page + 1 < count)
            DataCentre::updateProgressBar(page + 1, count, QStringLiteral("Page %1").arg(page + 2));
    }
    return pages;
}

void DRVGraphicView::alertUnreadablePdf(const QString& path)
{
    platform::Alert alert;
    alert.title = QStringLiteral("The PDF file could not be added.");
    alert.informativeText =
        QStringLiteral("This file is not a PDF file that can be read:\n") + QFileInfo(path).fileName();
    platform::showAlert(alert);
}

void DRVGraphicView::addNewPDF_drag(QPointF point)
{
    if (!m_graphicsContainer)
        return;
    platform::FilePanelRequest request;
    request.prompt = QStringLiteral("Select");
    request.title = QStringLiteral("Add PDF file");
    request.allowedExtensions = {QStringLiteral("pdf"), QStringLiteral("PDF")};
    request.allowMultiple = false;
    request.canCreateDirectories = false;
    const QStringList paths = platform::DialogService::current().runOpenPanel(request);
    if (paths.isEmpty())
        return;
    const QString path = paths.constFirst();
    int pageCount = 0;
    {
        QString error;
        const std::unique_ptr<PdfPages> pdf = makePdfPages(error);
        if (!pdf) {
            platform::Alert alert;
            alert.title = QStringLiteral("The PDF file could not be added.");
            alert.informativeText = QStringLiteral("PDF files cannot be read: ") + error;
            platform::showAlert(alert);
            return;
        }
        if (pdf->load(path))
            pageCount = pdf->pageCount();
    }
    if (pageCount < 1) {
        alertUnreadablePdf(path);
        return;
    }
    if (pageCount > kMostPdfPages) {
        platform::Alert alert;
        alert.title = QStringLiteral("Only the first %1 pages are added.").arg(kMostPdfPages);
        alert.informativeText =
            QStringLiteral("This PDF file has %1 pages:\n").arg(pageCount) + QFileInfo(path).fileName();
        alert.style = platform::AlertStyle::Informational;
        platform::showAlert(alert);
    }
    if (pageCount <= kPdfPagesRenderedInline) {
        const QList<QImage> pages = renderPdfPages(path);
        if (pages.isEmpty())
            alertUnreadablePdf(path);
        else
            insertPdfPages(pages, point);
        return;
    }
    // The watcher dies with the canvas, and the pages of a closed page are dropped with it.
    auto* watcher = new QFutureWatcher<QList<QImage>>(this);
    ++m_pdfImportsRunning;
    DataCentre::showProgressIndicator();
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, path, point] {
        --m_pdfImportsRunning;
        const QList<QImage> pages = watcher->result();
        watcher->deleteLater();
        DataCentre::updateProgressBar(1, 1, QString());
        DataCentre::dismissProgressIndicator();
        if (pages.isEmpty())
            alertUnreadablePdf(path);
        else
            insertPdfPages(pages, point);
    });
    watcher->setFuture(QtConcurrent::run([path] { return renderPages(path, true); }));
}

void DRVGraphicView::insertPdfPages(const QList<QImage>& pages, QPointF point)
{
    runInsertCommand(QStringLiteral("PDF"), [&] {
        int offset = 0;
        // Last page first, so the first page ends in front.
        for (qsizetype page = pages.size() - 1; page >= 0; --page) {
            const QImage& picture = pages.at(page);
            QPointF origin(std::trunc(point.x() + offset), std::trunc(point.y()));
            const QPointF at = origin;
            QSize fitted = picture.size();
            if (edition().gResponsiveLayoutFlag && grabOverLappingSectionCell(at) != QRectF()) {
                const QRectF cell = grabSectionRect(at, QRectF(at, QSizeF(fitted)));
                if (fitted.height() > cell.height() && cell.height() > 0) {
                    const float ratio = float(fitted.height()) / float(cell.height());
                    fitted = QSize(platform::truncToInt(float(fitted.width()) / ratio),
                                   platform::truncToInt(cell.height()));
                }
                if (fitted.width() > cell.width() && cell.width() > 0) {
                    const float ratio = float(fitted.width()) / float(cell.width());
                    fitted = QSize(platform::truncToInt(cell.width()),
                                   platform::truncToInt(float(fitted.height()) / ratio));
                }
                origin = cell.topLeft();
            }
            const QSize shown = cappedImageSize(fitted);
            ImageArguments a;
            a.image = picture;
            a.type = QStringLiteral("JPG");
            a.point = at;
            a.pixelSize = picture.size();
            a.shapeSize = QSizeF(shown);
            a.frame = QRectF(origin, QSizeF(shown));
            addImageIntoArray(a);
            offset += 50;
        }
    });
}

// ---- replacing and cropping ----

DRVImage* DRVGraphicView::selectedImage() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return selected.size() == 1 ? qobject_cast<DRVImage*>(selected.constFirst()) : nullptr;
}

void DRVGraphicView::launchReplaceImage()
{
    DRVImage* image = selectedImage();
    if (!image)
        return;
    const QList<ChosenPicture> chosen =
        chooseReadablePictures(QStringLiteral("Select"), QString(), pictureFileExtensions(), false);
    if (chosen.isEmpty())
        return;
    // A replacing picture is typed by its extension in any letter case.
    const bool png = QFileInfo(chosen.constFirst().path).suffix().toLower() == QLatin1String("png");
    replaceImage(image, chosen.constFirst().image, png ? QStringLiteral("PNG") : QStringLiteral("JPG"));
}

QRectF DRVGraphicView::replacedImageBounds(const QRectF& bounds, QSize pictureSize)
{
    if (pictureSize.isEmpty())
        return bounds;
    // A box of no width has no width to keep: the picture comes in as wide as a new one would.
    const double width = bounds.width() > 0 ? bounds.width() : cappedImageSize(pictureSize).width();
    const float factor = float(pictureSize.width() / width);
    return QRectF(bounds.x(), bounds.y(), pictureSize.width() / factor, pictureSize.height() / factor);
}

void DRVGraphicView::replaceImage(DRVImage* image, const QImage& picture, const QString& type)
{
    if (!image || picture.isNull() || !m_graphicsContainer)
        return;
    beginUndoStep();
    setPictureRecorded(image, picture, type,
                       replacedImageBounds(image->bounds(), picture.deviceIndependentSize().toSize()));
    endUndoStep(QStringLiteral("Replace Image"));
}

void DRVGraphicView::setPictureRecorded(DRVImage* image, const QImage& picture, const QString& type,
                                        const QRectF& bounds)
{
    const QString folder = pageImageFolder();
    const QString oldOriginal = OriginalImageFile::path(folder, image->imageName(), image->imageType());
    QByteArray oldFile;
    if (QFile file(oldOriginal); !oldOriginal.isEmpty() && file.open(QIODevice::ReadOnly))
        oldFile = file.readAll();
    const QImage oldContents = image->contents();
    const QImage oldInput = image->inputImage();
    const QString oldType = image->imageType();
    const QRectF oldBounds = image->bounds();

    image->setContents(picture);
    image->setInputImage(picture);
    image->setImageType(type);
    image->setImageLastModDate(QDateTime::currentDateTime());
    setValueRecorded(nullptr, image, "bounds", bounds);
    // The original is what the page publishes from: the new picture whole.
    if (!OriginalImageFile::saveUnscaled(folder, image->imageName(), type, picture))
        qWarning() << "DRVGraphicView: the original of" << image->imageName() << "could not be written";
    if (type != oldType && !oldOriginal.isEmpty())
        QFile::remove(oldOriginal);
    update();

    platform::UndoManager* undo = undoManager();
    if (!undo)
        return;
    QPointer<DRVImage> guarded(image);
    QPointer<DRVGraphicView> view(this);
    undo->registerUndo(image, [view, guarded, oldContents, oldInput, oldType, oldBounds, oldFile, oldOriginal] {
        if (!view || !guarded)
            return;
        view->setPictureRecorded(guarded, oldInput.isNull() ? oldContents : oldInput, oldType, oldBounds);
        guarded->setContents(oldContents);
        // The file as it was, byte for byte, not a re-encoding of the picture.
        if (!oldFile.isEmpty())
            platform::writeFileAtomically(oldOriginal, oldFile);
    });
}

CropImageDialog* DRVGraphicView::cropDialog() const
{
    return m_cropDialog;
}

void DRVGraphicView::launchCropImagePanel()
{
    DRVImage* image = selectedImage();
    if (!image)
        return;
    const QImage picture = image->inputImage().isNull() ? image->contents() : image->inputImage();
    if (picture.isNull())
        return;
    if (m_cropDialog)
        m_cropDialog->close();
    m_cropDialog = new CropImageDialog(picture, this);
    m_cropDialog->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<DRVImage> guarded(image);
    connect(m_cropDialog, &QDialog::accepted, this, [this, guarded] {
        if (guarded && m_cropDialog)
            replaceImage(guarded, m_cropDialog->croppedPicture(), guarded->imageType());
    });
    m_cropDialog->open();
}

// ---- the page background ----

void DRVGraphicView::newBackground()
{
    if (!m_graphicsContainer)
        return;
    const QList<ChosenPicture> chosen =
        chooseReadablePictures(QStringLiteral("Select"), QString(), pictureFileExtensions(), false);
    if (chosen.isEmpty())
        return;
    beginUndoStep();
    setBackgroundRecorded(chosen.constFirst().image, pictureFileType(chosen.constFirst().path));
    endUndoStep(QStringLiteral("Background Image"));
}

void DRVGraphicView::setBackgroundRecorded(const QImage& picture, const QString& type)
{
    DRVDocument* document = m_graphicsContainer;
    const QImage oldPicture = document->backgroundImage();
    const QString oldType = document->backgroundImageType();
    const int oldFlag = document->backgroundImageFlag();
    document->setBackgroundImage(picture);
    document->setBackgroundImageType(type);
    document->setBackgroundImageFlag(picture.isNull() ? 0 : 2);
    // The page is published from the full-size file; the one of the other type would be read first.
    const QString folder = pageImageFolder();
    for (const QString& other : {QStringLiteral("PNG"), QStringLiteral("JPG")}) {
        const QString stale = OriginalImageFile::path(folder, QStringLiteral("background"), other);
        if (!stale.isEmpty())
            QFile::remove(stale);
    }
    if (!picture.isNull() && !OriginalImageFile::saveUnscaled(folder, QStringLiteral("background"), type, picture))
        qWarning() << "DRVGraphicView: the page background could not be written";
    update();
    platform::UndoManager* undo = undoManager();
    if (!undo)
        return;
    QPointer<DRVGraphicView> view(this);
    undo->registerUndo(document, [view, oldPicture, oldType, oldFlag] {
        if (!view || !view->m_graphicsContainer)
            return;
        view->setBackgroundRecorded(oldFlag > 0 ? oldPicture : QImage(), oldType);
        view->m_graphicsContainer->setBackgroundImageFlag(oldFlag);
    });
}

// ---- click to enlarge ----

void DRVGraphicView::setClickToEnlarge(int backdrop)
{
    beginUndoStep();
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (!qobject_cast<DRVImage*>(graphic))
            continue;
        setValueRecorded(undoManager(), graphic, "imageEnlargeFlag", 1);
        setValueRecorded(undoManager(), graphic, "backdropLightingFlag", backdrop);
    }
    endUndoStep(QStringLiteral("Click to Enlarge"));
}

void DRVGraphicView::disableClickToEnlarge()
{
    beginUndoStep();
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (qobject_cast<DRVImage*>(graphic))
            setValueRecorded(undoManager(), graphic, "imageEnlargeFlag", 0);
    }
    endUndoStep(QStringLiteral("Remove Click to Enlarge"));
}

bool DRVGraphicView::isItAlreadyEnlarged() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    const auto* image = selected.size() == 1 ? qobject_cast<const DRVImage*>(selected.constFirst()) : nullptr;
    return image && image->imageEnlargeFlag() == 1;
}

void DRVGraphicView::toggleClickToEnlarge()
{
    if (isItAlreadyEnlarged())
        disableClickToEnlarge();
    else
        setClickToEnlargeClear();
}

// ---- zoom bubbles ----

DRVGraphicView::PictureUnder DRVGraphicView::grabImageUnderneath(const DRVGraphic* bubble) const
{
    const QList<DRVGraphic*> all = graphics();
    const qsizetype from = all.indexOf(const_cast<DRVGraphic*>(bubble));
    if (!bubble || from < 0)
        return {};
    const QPointF touch(std::trunc(m_lastTouchPoint.x()), std::trunc(m_lastTouchPoint.y()));
    for (qsizetype i = from; i < all.size(); ++i) {
        DRVGraphic* graphic = all.at(i);
        if (auto* image = qobject_cast<DRVImage*>(graphic)) {
            if (image != bubble && image->bounds().intersects(bubble->bounds()))
                return {image->contents(), image->bounds()};
        } else if (auto* gallery = qobject_cast<DRVGalleryGrid*>(graphic)) {
            const TransformView* picture = gallery->grabImageSelected(int(touch.x()), int(touch.y()));
            if (picture && picture->galleryDimension().intersects(bubble->bounds()))
                return {picture->image(), picture->galleryDimension()};
        }
    }
    return {};
}

bool DRVGraphicView::shouldShowCreateZoomBubble() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    const auto* bubble = selected.size() == 1 ? qobject_cast<const DRVText*>(selected.constFirst()) : nullptr;
    return bubble && bubble->zoomBubbleFlag() == 1 && !grabImageUnderneath(bubble).picture.isNull();
}

void DRVGraphicView::createZoomBubble()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty())
        return;
    const DRVGraphic* bubble = selected.constFirst();
    runInsertCommand(QStringLiteral("Zoom Bubble"),
                     [&] { generateZoomBubble(bubble->cornerRadius() > 0 ? 1 : 0, bubble->bubbleShape()); });
}

DRVGraphic* DRVGraphicView::generateZoomBubble(int round, const QString& shapeName)
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty())
        return nullptr;
    const QRectF b = selected.constFirst()->bounds();
    const PictureUnder under = grabImageUnderneath(selected.constFirst());
    // A picture of no width has no scale to cut by.
    if (under.picture.isNull() || under.bounds.width() <= 0 || b.width() < 1 || b.height() < 1)
        return nullptr;
    const float scale = float(under.picture.deviceIndependentSize().width() / under.bounds.width());
    const QRectF crop(std::trunc(b.x() - under.bounds.x()) * scale,
                      std::trunc(b.y() - under.bounds.y()) * scale, std::trunc(b.width()) * scale,
                      std::trunc(b.height()) * scale);
    const QSizeF zoomed(3 * b.width(), 3 * b.height());
    const QImage picture = DataCentre::cropImage(under.picture, crop, QRectF(QPointF(0, 0), zoomed));
    if (picture.isNull())
        return nullptr;
    const QSize pixels = picture.deviceIndependentSize().toSize();
    ImageArguments a;
    a.image = picture;
    a.point = b.topLeft();
    a.pixelSize = pixels;
    a.shapeSize = QSizeF(pixels);
    a.borderStyle = QStringLiteral("solid");
    a.borderWidth = 3;
    a.shadow = 1;
    a.bubble = round;
    a.bubbleShape = shapeName;
    a.frame = QRectF(b.topLeft(), QSizeF(cappedImageSize(pixels)));
    return addImageIntoArray(a);
}

void DRVGraphicView::addPictureCommands(QMenu* menu)
{
    if (shouldShowCreateZoomBubble()) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("Create Zoom Bubble Image"), this, &DRVGraphicView::createZoomBubble);
    }
    if (cropShown()) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("Replace Image…"), this, &DRVGraphicView::launchReplaceImage);
        menu->addAction(QStringLiteral("Crop Image…"), this, &DRVGraphicView::launchCropImagePanel);
    }
    if (enlargeShown() && !edition().gHideClickToEnlargeFlag) {
        menu->addSeparator();
        QMenu* enlarge = menu->addMenu(QStringLiteral("Click to Enlarge"));
        enlarge->addAction(QStringLiteral("Light Backdrop"), this, &DRVGraphicView::setClickToEnlargeLight);
        enlarge->addAction(QStringLiteral("Dark Backdrop"), this, &DRVGraphicView::setClickToEnlargeDark);
        enlarge->addAction(QStringLiteral("Clear Backdrop"), this, &DRVGraphicView::setClickToEnlargeClear);
        const QList<DRVGraphic*> selected = selectedGraphics();
        if (std::any_of(selected.begin(), selected.end(),
                        [](const DRVGraphic* g) { return g->imageEnlargeFlag() == 1; }))
            menu->addAction(QStringLiteral("Remove Click to Enlarge"), this,
                            &DRVGraphicView::disableClickToEnlarge);
    }
    addSlideshowCommands(menu);
    addGalleryCommands(menu);
}
