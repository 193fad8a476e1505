// The canvas as drop target: colours recolour the graphic under the pointer, palette keys make
// their items, image files and image data become pictures. Validation answers while the drag
// moves; the drop checks it again, since what lay under the pointer may have changed since.
#include "canvas/DRVDragTypes.h"
#include "canvas/DRVGraphicView.h"
#include "editions/EditionSettings.h"
#include "model/GraphicClipboard.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"

#include <QDebug>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

#include <cmath>

namespace {

constexpr int kMaximumDroppedEntries = 100;

// The palette's key list, or the local files of a file-manager drag; empty for neither. Promised
// files (no local path yet) are not taken.
QStringList droppedEntries(const QMimeData* data)
{
    QStringList entries;
    if (data->hasFormat(DRVDragTypes::libraryKeyMimeType())) {
        const std::optional<QVariantList> keys =
            GraphicClipboard::decode(data->data(DRVDragTypes::libraryKeyMimeType()));
        if (keys) {
            for (const QVariant& key : *keys) {
                if (key.typeId() == QMetaType::QString)
                    entries.append(key.toString());
            }
        }
    } else if (data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                entries.append(url.toLocalFile());
        }
    }
    if (entries.size() > kMaximumDroppedEntries)
        entries.resize(kMaximumDroppedEntries);
    return entries;
}

bool isSectionItem(const QString& entry)
{
    static const QString prefix = QStringLiteral("quib_section");
    return entry.size() > prefix.size() && entry.startsWith(prefix);
}

int roundedToSpacing(double v, int spacing)
{
    return int(std::round(v / spacing)) * spacing;
}

} // namespace

QString DRVGraphicView::imageTypeForPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("gif") ? QStringLiteral("PNG")
                                                                            : QStringLiteral("JPG");
}

QSizeF DRVGraphicView::insertedImageFrameSize(QSize pixels)
{
    const int maximum = edition().gInsertedImageMaxWidth > 0 ? edition().gInsertedImageMaxWidth : 600;
    if (pixels.width() <= maximum)
        return pixels;
    const float factor = float(pixels.width()) / float(maximum);
    return QSizeF(maximum, platform::truncToInt(pixels.height() / factor));
}

Qt::DropAction DRVGraphicView::dragOperationForMimeData(const QMimeData* data, QPointF point)
{
    if (!data || !m_graphicsContainer)
        return Qt::IgnoreAction;
    if (data->hasColor())
        return graphicUnderPoint(point) ? Qt::CopyAction : Qt::IgnoreAction;
    const QStringList entries = droppedEntries(data);
    if (!entries.isEmpty()) {
        if (isSectionItem(entries.constFirst()) || !edition().gResponsiveLayoutFlag)
            return Qt::CopyAction;
        DRVGraphic* section = grabOverLappingSection(QRectF(point, QSizeF(1, 1)));
        const bool free = section && section->contentRect().contains(point) && !isThereGraphicAtPoint(point);
        return free ? Qt::CopyAction : Qt::IgnoreAction;
    }
    if (data->hasUrls())
        return Qt::IgnoreAction; // promised or remote files
    return data->hasImage() ? Qt::CopyAction : Qt::IgnoreAction;
}

bool DRVGraphicView::makeNewImageFromContentsOfFile(const QString& path, QPointF point)
{
    const QFileInfo file(path);
    const QByteArray suffix = file.suffix().toLower().toLatin1();
    if (suffix.isEmpty() || !QImageReader::supportedImageFormats().contains(suffix) || !file.isFile())
        return false;
    m_tempImagePath = path;
    QImageReader reader(path);
    const QSize pixels = reader.size();
    if (!reader.canRead() || pixels.isEmpty())
        return false;
    ImageImport request;
    request.path = path;
    request.imageType = imageTypeForPath(path);
    request.pixelSize = pixels;
    request.frame = QRectF(point, insertedImageFrameSize(pixels));
    request.fromFile = true;
    return importImage(request);
}

bool DRVGraphicView::makeNewImageFromMimeData(const QMimeData* data)
{
    if (!data || !data->hasImage())
        return false;
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (image.isNull())
        return false;
    ImageImport request;
    request.image = image;
    request.imageType = QStringLiteral("PNG");
    request.pixelSize = image.size();
    request.frame = QRectF(visibleOrigin() + QPointF(100, 100), insertedImageFrameSize(image.size()));
    request.frame.moveTo(platform::truncToInt(request.frame.x()), platform::truncToInt(request.frame.y()));
    return importImage(request);
}

bool DRVGraphicView::importImage(const ImageImport& request)
{
    if (m_imageImporter)
        return m_imageImporter(*this, request);
    // The canvas's own picture factory, one undo step per picture.
    ImageArguments a;
    a.image = request.fromFile ? QImageReader(request.path).read() : request.image;
    if (a.image.isNull())
        return false;
    a.type = request.imageType;
    a.point = request.frame.topLeft();
    a.pixelSize = request.pixelSize;
    a.shapeSize = request.frame.size();
    a.frame = request.frame;
    bool added = false;
    runInsertCommand(QStringLiteral("Photo"), [&] { added = addImageIntoArray(a) != nullptr; });
    return added;
}

void DRVGraphicView::performDrop(const QMimeData* data, QPointF point)
{
    // The drag's answer may be stale: the drop is judged again where it lands.
    if (dragOperationForMimeData(data, point) == Qt::IgnoreAction)
        return;
    if (data->hasColor()) {
        if (DRVGraphic* graphic = graphicUnderPoint(point)) {
            QColor colour = qvariant_cast<QColor>(data->colorData());
            colour.setAlphaF(1.0);
            graphic->setColor(colour);
        }
        return;
    }
    const QStringList entries = droppedEntries(data);
    if (entries.isEmpty()) {
        makeNewImageFromMimeData(data);
        return;
    }
    if (edition().gCustomGridSpacingFlag && edition().gCustomGridSpacing > 0) {
        const int s = edition().gCustomGridSpacing;
        point = QPointF(roundedToSpacing(point.x(), s), roundedToSpacing(point.y(), s));
    }
    beginUndoStep();
    platform::UndoManager* undo = m_undoStepManager;
    int offset = 0;
    for (const QString& entry : entries) {
        const LibraryKeyResult result = addLibraryKeyItem(entry, libraryDropAt(point));
        if (result == LibraryKeyResult::Ends)
            break;
        if (result == LibraryKeyResult::NotAKey)
            makeNewImageFromContentsOfFile(entry, QPointF(point.x() + offset, point.y()));
        offset += 50;
    }
    // Factories may close steps of their own inside this one.
    m_undoStepManager = undo;
    endUndoStep(QString());
}

void DRVGraphicView::answerDrag(QDragMoveEvent* event)
{
    const Qt::DropAction action =
        dragOperationForMimeData(event->mimeData(), canvasPointForViewPoint(event->position()));
    if (action == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

void DRVGraphicView::dragEnterEvent(QDragEnterEvent* event)
{
    answerDrag(event);
}

void DRVGraphicView::dragMoveEvent(QDragMoveEvent* event)
{
    answerDrag(event);
}

void DRVGraphicView::dropEvent(QDropEvent* event)
{
    const QPointF point = canvasPointForViewPoint(event->position());
    if (dragOperationForMimeData(event->mimeData(), point) == Qt::IgnoreAction) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    performDrop(event->mimeData(), point);
}
