#include "model/DRVGalleryGrid.h"

#include "platform/Drawing.h"
#include "platform/Geometry.h"

#include <QMetaProperty>
#include <QPainter>

#include <algorithm>

namespace {

// The pictures of a dictionary: a list of carriers, or a list of variants holding carriers.
QList<TransformView*> picturesFromProperty(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QList<TransformView*>>())
        return value.value<QList<TransformView*>>();
    QList<TransformView*> pictures;
    if (value.metaType() == QMetaType::fromType<QVariantList>()) {
        for (const QVariant& element : value.toList()) {
            if (auto* picture = qobject_cast<TransformView*>(element.value<QObject*>()))
                pictures << picture;
        }
    }
    return pictures;
}

// Carriers hold nothing but their properties, so a copy takes every one of them.
TransformView* copyOfPicture(const TransformView* picture, QObject* parent)
{
    auto* copy = new TransformView(picture->frame(), parent);
    const QMetaObject* meta = picture->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isWritable())
            property.write(copy, property.read(picture));
    }
    return copy;
}

} // namespace

DRVGalleryGrid::DRVGalleryGrid(QObject* parent) : DRVGraphic(parent) {}

std::unique_ptr<DRVGraphic> DRVGalleryGrid::copy() const
{
    auto gallery = std::make_unique<DRVGalleryGrid>();
    gallery->initWithProperties(properties());
    gallery->m_numOfColumns = m_numOfColumns;
    gallery->m_numOfRows = m_numOfRows;
    gallery->m_padding = m_padding;
    gallery->m_tag = m_tag;
    gallery->m_shadowFlag = m_shadowFlag;
    gallery->m_backdropLightingFlag = m_backdropLightingFlag;
    QList<TransformView*> pictures;
    for (const TransformView* picture : m_imageArray)
        pictures << copyOfPicture(picture, gallery.get());
    gallery->m_imageArray = pictures;
    return gallery;
}

QVariantMap DRVGalleryGrid::properties() const
{
    return DRVGraphic::properties();
}

void DRVGalleryGrid::initWithProperties(const QVariantMap& properties)
{
    DRVGraphic::initWithProperties(properties);
    m_numOfColumns = intFromProperty(properties.value(QStringLiteral("numOfColumns")));
    m_numOfRows = intFromProperty(properties.value(QStringLiteral("numOfRows")));
    m_padding = intFromProperty(properties.value(QStringLiteral("padding")));
    setShadowFlag(intFromProperty(properties.value(QStringLiteral("shadowFlag"))));
    setBackdropLightingFlag(intFromProperty(properties.value(QStringLiteral("backdropLightingFlag"))));

    const QList<TransformView*> pictures =
        picturesFromProperty(properties.value(QStringLiteral("imageArray")));
    for (TransformView* picture : pictures)
        adopt(picture);
    m_imageArray = pictures;

    const QRectF b = bounds();
    m_hintFrame = QRectF(b.x(), b.y() + 5, b.width(), 40);

    if (!m_imageArray.isEmpty()) {
        const TransformView* first = m_imageArray.first();
        setResponsiveResizeFlag(first->responsiveResizeFlag());
        setResponsiveAlignment(first->responsiveAlignment());
        setSectionNumber(first->sectionNumber());
        setSectionRowSpot(first->sectionRowSpot());
        setSectionColumnSpot(first->sectionColumnSpot());
    }
}

void DRVGalleryGrid::adopt(TransformView* picture)
{
    if (picture && picture->parent() != this)
        picture->setParent(this);
}

void DRVGalleryGrid::setImageArray(const QList<TransformView*>& pictures)
{
    QList<TransformView*> kept;
    for (TransformView* picture : pictures) {
        if (picture) {
            adopt(picture);
            kept << picture;
        }
    }
    changeValue(m_imageArray, kept, "imageArray");
}

// ---- spots ----

int DRVGalleryGrid::cellWidth() const
{
    return hasSpots() ? platform::truncToInt(bounds().width() / m_numOfColumns) : 0;
}

int DRVGalleryGrid::cellHeight() const
{
    return hasSpots() ? platform::truncToInt(bounds().height() / m_numOfRows) : 0;
}

QRect DRVGalleryGrid::cellRect(int row, int column) const
{
    if (!hasSpots())
        return {};
    const int cw = cellWidth(), ch = cellHeight();
    const QRectF b = bounds();
    return QRect(platform::truncToInt(b.x() + double(column) * cw),
                 platform::truncToInt(b.y() + double(row) * ch), cw, ch);
}

QPoint DRVGalleryGrid::spotAt(int x, int y) const
{
    if (!hasSpots())
        return QPoint(kNoSpot, kNoSpot);
    const QPointF point(x, y);
    for (int row = 0; row < m_numOfRows; ++row) {
        for (int column = 0; column < m_numOfColumns; ++column) {
            if (platform::pointInRect(point, cellRect(row, column)))
                return QPoint(row, column);
        }
    }
    return QPoint(kNoSpot, kNoSpot);
}

int DRVGalleryGrid::grabRowSpot(int x, int y) const
{
    return spotAt(x, y).x();
}

int DRVGalleryGrid::grabColumnSpot(int x, int y) const
{
    return spotAt(x, y).y();
}

TransformView* DRVGalleryGrid::grabImageSelected(int x, int y) const
{
    const QPoint spot = spotAt(x, y);
    if (spot.x() == kNoSpot)
        return nullptr;
    return grabSelectedImageAtSpot(spot.x(), spot.y());
}

TransformView* DRVGalleryGrid::grabSelectedImageAtSpot(int row, int column) const
{
    for (TransformView* picture : m_imageArray) {
        if (picture->rowSpot() == row && picture->columnSpot() == column)
            return picture;
    }
    return nullptr;
}

bool DRVGalleryGrid::isSpotAlreadyPopulated(int row, int column) const
{
    return grabSelectedImageAtSpot(row, column) != nullptr;
}

QRectF DRVGalleryGrid::grabTransformViewBounds(int x, int y) const
{
    const TransformView* picture = grabImageSelected(x, y);
    return picture ? picture->galleryDimension() : QRectF();
}

QPoint DRVGalleryGrid::grabNextSpot(int row, int column) const
{
    if (column + 1 < m_numOfColumns)
        return QPoint(row, column + 1);
    return QPoint(row + 1, 0);
}

int DRVGalleryGrid::grabMaxNumToAdd(QPointF point) const
{
    const QPoint spot = spotAt(platform::truncToInt(point.x()), platform::truncToInt(point.y()));
    if (spot.x() == kNoSpot)
        return 0;
    return m_numOfRows * m_numOfColumns - (spot.x() * m_numOfColumns + spot.y());
}

bool DRVGalleryGrid::addIntoImageArray(TransformView* picture)
{
    if (!picture)
        return false;
    QList<TransformView*> pictures = m_imageArray;
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        if (pictures.at(i)->columnSpot() == picture->columnSpot() &&
            pictures.at(i)->rowSpot() == picture->rowSpot()) {
            // The replaced carrier stays a child of the gallery: the gallery editor may still hold it.
            pictures.removeAt(i);
            break;
        }
    }
    const bool added = picture->columnSpot() != kNoSpot && picture->rowSpot() != kNoSpot;
    if (added)
        pictures << picture;
    setImageArray(pictures);
    return added;
}

// ---- layout and drawing ----

QRect DRVGalleryGrid::pictureRect(int row, int column, QSize originalSize) const
{
    if (!hasSpots() || row < 0 || row >= m_numOfRows || column < 0 || column >= m_numOfColumns)
        return {};
    if (originalSize.width() <= 0 || originalSize.height() <= 0)
        return {};
    const int cw = cellWidth(), ch = cellHeight();
    const int availableWidth = cw - 2 * m_padding;
    const int availableHeight = ch - 2 * m_padding;
    if (availableWidth <= 0 || availableHeight <= 0)
        return {};

    const float aspect = float(originalSize.width()) / float(originalSize.height());
    int w = availableWidth;
    int h = platform::truncToInt(availableWidth / aspect);
    if (h > availableHeight) {
        w = platform::truncToInt(aspect * availableHeight);
        h = availableHeight;
    }
    if (w <= 0 || h <= 0)
        return {};
    const int horizontalOffset = std::max(0, (cw - w - 2 * m_padding) / 2);
    const int verticalOffset = std::max(0, (ch - h - 2 * m_padding) / 2);
    const QRectF b = bounds();
    const int x = platform::truncToInt(b.x() + double(column) * cw + m_padding) + horizontalOffset;
    const int y = platform::truncToInt(b.y() + double(row) * ch + m_padding) + verticalOffset;
    return QRect(x, y, w, h);
}

void DRVGalleryGrid::layoutPictures()
{
    if (!hasSpots() || m_imageArray.isEmpty())
        return;
    for (TransformView* picture : m_imageArray) {
        picture->setSelectable(selectable() ? 1 : 0);
        picture->setSectionNumber(sectionNumber());
        picture->setSectionRowSpot(sectionRowSpot());
        picture->setSectionColumnSpot(sectionColumnSpot());
        picture->setManualLayerIndex(manualLayerIndex());
        picture->setTemplateName(templateName());
        const QRect rect = pictureRect(picture->rowSpot(), picture->columnSpot(),
                                       QSize(picture->originalWidth(), picture->originalHeight()));
        if (rect.isEmpty())
            continue;
        picture->setGalleryDimension(rect);
        picture->setFrame(rect);
        picture->setBounds(rect);
    }
}

GraphicPath DRVGalleryGrid::bezierPathForDrawing() const
{
    return {};
}

void DRVGalleryGrid::drawCellOutlines(QPainter* painter) const
{
    if (!painter || !hasSpots())
        return;
    for (int column = 0; column < m_numOfColumns; ++column) {
        for (int row = 0; row < m_numOfRows; ++row) {
            QPainterPath path;
            path.addRect(cellRect(row, column));
            platform::strokePath(*painter, path, QColor(Qt::darkGray), 1.0, {3, 10}, 3.0);
            platform::strokePath(*painter, path, QColor(Qt::white), 1.0, {3, 10}, 5.0);
        }
    }
}

void DRVGalleryGrid::drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited)
{
    Q_UNUSED(isBeingCreateOrEdited);
    const QRectF b = bounds();
    m_hintFrame = QRectF(b.x(), b.y() + 5, b.width(), 15);
    layoutPictures();
    if (!painter)
        return;
    drawCellOutlines(painter);
    if (!hasSpots())
        return;

    const platform::Shadow shadow{QColor(Qt::gray), 1.0, QPointF(1, 0)};
    for (int row = 0; row < m_numOfRows; ++row) {
        for (int column = 0; column < m_numOfColumns; ++column) {
            for (const TransformView* picture : m_imageArray) {
                if (picture->rowSpot() != row || picture->columnSpot() != column || picture->image().isNull())
                    continue;
                const QRect rect =
                    pictureRect(row, column, QSize(picture->originalWidth(), picture->originalHeight()));
                if (rect.isEmpty())
                    continue;
                painter->save();
                painter->setRenderHint(QPainter::SmoothPixmapTransform);
                if (shadowFlag() == 1)
                    platform::drawImageWithShadow(*painter, rect, picture->image(), shadow);
                else
                    painter->drawImage(QRectF(rect), picture->image());
                painter->restore();
            }
        }
    }
}

QRectF DRVGalleryGrid::drawingBounds() const
{
    return platform::rectUnion(DRVGraphic::drawingBounds(), bounds().adjusted(-1, -1, 1, 1));
}

QStringList DRVGalleryGrid::keysAffectedByKey(const QString& key) const
{
    QStringList keys = DRVGraphic::keysAffectedByKey(key);
    if (key == QLatin1String("imageArray") || key == QLatin1String("numOfRows") ||
        key == QLatin1String("numOfColumns") || key == QLatin1String("padding") ||
        key == QLatin1String("shadowFlag"))
        keys << QStringLiteral("drawingContents");
    return keys;
}
