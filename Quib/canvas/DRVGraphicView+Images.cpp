// Pictures on the canvas: the one image factory every picture goes through, the naming of
// pictures, and the commands that add picture files.
#include "canvas/DRVGraphicView.h"
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
#include "platform/UserDefaults.h"

#include <QDebug>
#include <QFileInfo>
#include <QImageReader>
#include <QMenu>
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
    if (!m_tempPagePath.isEmpty())
        return PageImageFiles::imageFolderForPage(m_tempPagePath);
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
    for (const QString& path : paths) {
        const QImage picture = readPicture(path);
        if (picture.isNull())
            unreadable.append(QFileInfo(path).fileName());
        else
            pictures.append({path, picture});
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
    addSlideshowCommands(menu);
    addGalleryCommands(menu);
}
