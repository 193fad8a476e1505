#include "model/DRVSlideshow.h"
#include "platform/UserDefaults.h"

#include "editions/DataCentre.h"
#include "platform/Drawing.h"
#include "platform/Geometry.h"
#include "platform/StringsTable.h"

#include <QMetaProperty>
#include <QPainter>
#include <QPainterPathStroker>

#include <algorithm>

namespace {

// The slides of a dictionary: a list of carriers, or a list of variants holding carriers.
QList<TransformView*> slidesFromProperty(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QList<TransformView*>>())
        return value.value<QList<TransformView*>>();
    QList<TransformView*> slides;
    if (value.metaType() == QMetaType::fromType<QVariantList>()) {
        for (const QVariant& element : value.toList()) {
            if (auto* slide = qobject_cast<TransformView*>(element.value<QObject*>()))
                slides << slide;
        }
    }
    return slides;
}

// Carriers hold nothing but their properties, so a copy takes every one of them.
TransformView* copyOfSlide(const TransformView* slide, QObject* parent)
{
    auto* copy = new TransformView(slide->frame(), parent);
    const QMetaObject* meta = slide->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isWritable())
            property.write(copy, property.read(slide));
    }
    return copy;
}

const QColor kFrameGrey = QColor::fromRgbF(2.0 / 3.0, 2.0 / 3.0, 2.0 / 3.0); // light grey

} // namespace

DRVSlideshow::DRVSlideshow(QObject* parent) : DRVGraphic(parent) {}

std::unique_ptr<DRVGraphic> DRVSlideshow::copy() const
{
    auto slideshow = std::make_unique<DRVSlideshow>();
    slideshow->initWithProperties(properties());
    QList<TransformView*> slides;
    for (const TransformView* slide : m_imageArray)
        slides << copyOfSlide(slide, slideshow.get());
    slideshow->setImageArray(slides);
    slideshow->setCurrentImageIndex(m_currentImageIndex);
    return slideshow;
}

QVariantMap DRVSlideshow::properties() const
{
    return DRVGraphic::properties();
}

void DRVSlideshow::initWithProperties(const QVariantMap& properties)
{
    DRVGraphic::initWithProperties(properties);
    const QList<TransformView*> slides = slidesFromProperty(properties.value(QStringLiteral("imageArray")));
    for (TransformView* slide : slides)
        adopt(slide);
    m_imageArray = slides;
    m_currentImageIndex = 0;
}

void DRVSlideshow::adopt(TransformView* slide)
{
    if (slide && slide->parent() != this)
        slide->setParent(this);
}

void DRVSlideshow::setImageArray(const QList<TransformView*>& slides)
{
    QList<TransformView*> kept;
    for (TransformView* slide : slides) {
        if (slide) {
            adopt(slide);
            kept << slide;
        }
    }
    beginChanges();
    changeValue(m_imageArray, kept, "imageArray");
    setCurrentImageIndex(m_currentImageIndex);
    endChanges();
}

void DRVSlideshow::setCurrentImageIndex(int index)
{
    const int last = std::max(0, totalNumofSlides() - 1);
    changeValue(m_currentImageIndex, std::clamp(index, 0, last), "currentImageIndex");
}

TransformView* DRVSlideshow::currentSlide() const
{
    if (m_currentImageIndex < 0 || m_currentImageIndex >= m_imageArray.size())
        return nullptr;
    return m_imageArray.at(m_currentImageIndex);
}

void DRVSlideshow::setNewSlideLook(TransformView* slide)
{
    slide->setTag(0);
    slide->setBorder(0);
    slide->setBorderStyle(QStringLiteral("none"));
    slide->setLink(QStringLiteral(""));
    slide->setRetinaFlag(
        platform::UserDefaults::standard().integerForKey(QStringLiteral("DovrelRetinaFlag")) != 0 ? 1 : 0);
    slide->setAlpha(1.0f);
    slide->setShadowRadius(0);
    slide->setShadowHorizontalOffset(0);
    slide->setShadowVerticalOffset(0);
    slide->setScrollFlag(0);
    slide->setMoveLock(0);
}

void DRVSlideshow::addIntoImageArray(TransformView* slide)
{
    if (!slide)
        return;
    QList<TransformView*> slides = m_imageArray;
    slides << slide;
    beginChanges();
    setImageArray(slides);
    setCurrentImageIndex(totalNumofSlides() - 1);
    endChanges();
}

TransformView* DRVSlideshow::removeSlideAtIndex(int index)
{
    if (index < 0 || index >= m_imageArray.size())
        return nullptr;
    QList<TransformView*> slides = m_imageArray;
    TransformView* slide = slides.takeAt(index);
    setImageArray(slides);
    if (slide->parent() == this)
        slide->setParent(nullptr);
    return slide;
}

void DRVSlideshow::moveSlideForward()
{
    setCurrentImageIndex(m_currentImageIndex + 1);
}

void DRVSlideshow::moveSlideBackward()
{
    setCurrentImageIndex(m_currentImageIndex - 1);
}

QRectF DRVSlideshow::previousArrowRect() const
{
    const QRectF b = bounds();
    return QRectF(b.x(), b.y() + b.height() / 2.0, kArrowWidth, kArrowHeight);
}

QRectF DRVSlideshow::nextArrowRect() const
{
    const QRectF b = bounds();
    return QRectF(b.x() + b.width() - kArrowWidth, b.y() + b.height() / 2.0, kArrowWidth, kArrowHeight);
}

bool DRVSlideshow::nextButtonClicked(QPointF point) const
{
    return platform::pointInRect(point, nextArrowRect());
}

bool DRVSlideshow::previousButtonClicked(QPointF point) const
{
    return platform::pointInRect(point, previousArrowRect());
}

bool DRVSlideshow::isContentsUnderPoint(QPointF point)
{
    if (nextButtonClicked(point))
        moveSlideForward();
    else if (previousButtonClicked(point))
        moveSlideBackward();
    return platform::pointInRect(point, bounds());
}

QRect DRVSlideshow::slideFrame(QSizeF originalSize, QSizeF slideshowSize, int index)
{
    const int width = platform::truncToInt(slideshowSize.width());
    const int height = platform::truncToInt(slideshowSize.height());
    // The longer side takes the slideshow's width; a portrait picture that is then taller than the
    // slideshow is fitted to its height instead, since the published strip cuts off what overflows.
    QSize size = DataCentre::returnNewSizeWithWidth(originalSize, width);
    if (size.height() > height && height > 0 && size.height() > 0) {
        const double scale = double(height) / size.height();
        size = QSize(platform::truncToInt(size.width() * scale), height);
    }
    const int dx = std::max(0, (width - size.width()) / 2);
    const int dy = std::max(0, (height - size.height()) / 2);
    return QRect(dx + index * width, dy, size.width(), size.height());
}

void DRVSlideshow::grabTransformViewBounds()
{
    const QSizeF size = bounds().size();
    for (int i = 0; i < m_imageArray.size(); ++i) {
        TransformView* slide = m_imageArray.at(i);
        slide->setSlideWidth(platform::truncToInt(size.width()));
        slide->setFrame(slideFrame(QSizeF(slide->originalWidth(), slide->originalHeight()), size, i));
    }
}

GraphicPath DRVSlideshow::bezierPathForDrawing() const
{
    GraphicPath outline;
    outline.path.addRect(bounds());
    outline.lineWidth = 1.0;
    return outline;
}

void DRVSlideshow::drawOutline(QPainter* painter)
{
    const GraphicPath outline = bezierPathForDrawing();
    if (painter && isDrawingStroke()) {
        const QString style = borderStyle();
        if (style == QLatin1String("solid"))
            platform::strokePath(*painter, outline.path, fontColor(), 1.0);
        else if (style == QLatin1String("dashed"))
            platform::strokePath(*painter, outline.path, fontColor(), 1.0, {5, 5}, 5.0);
        else if (style == QLatin1String("dotted"))
            platform::strokePath(*painter, outline.path, fontColor(), 1.0, {3, 1}, 3.0);
    }
    setFillColor(QColor(Qt::transparent));
}

void DRVSlideshow::drawArrow(QPainter* painter, const QRectF& rect, bool next) const
{
    // The arrow buttons of the published page: a translucent black box with a white chevron.
    painter->save();
    painter->fillRect(rect, QColor(0, 0, 0, 153));
    QPainterPath chevron;
    const double cx = rect.center().x(), cy = rect.center().y();
    const double dx = next ? 6.0 : -6.0;
    chevron.moveTo(cx - dx, cy - 12);
    chevron.lineTo(cx + dx, cy);
    chevron.lineTo(cx - dx, cy + 12);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->strokePath(chevron, QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->restore();
}

void DRVSlideshow::drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited)
{
    grabTransformViewBounds();
    if (!painter)
        return;
    const QRectF b = bounds();
    QPainterPath frame;
    frame.addRect(b);
    platform::strokePath(*painter, frame, kFrameGrey, 1.0, {5, 5}, 5.0);

    const platform::Shadow pictureShadow{QColor(Qt::gray), 1.0, QPointF(1, 0)};
    const bool shadow = shadowFlag() == 1;
    if (isBeingCreateOrEdited) {
        drawOutline(painter);
    } else if (shadow) {
        QPainterPath inset;
        inset.addRect(platform::insetRect(b, 10, 10));
        // The shadow falls from the stroked line, 2 pixels down the page.
        QPainterPathStroker stroker;
        stroker.setWidth(1.0);
        platform::drawShadowForPath(*painter, stroker.createStroke(inset),
                                    platform::Shadow{QColor(Qt::black), 3.0, QPointF(0, 2)});
        platform::strokePath(*painter, inset, kFrameGrey, 1.0);
    }

    TransformView* slide = currentSlide();
    if (!slide)
        return;
    slide->setTemplateName(templateName());
    slide->setSelectable(selectable() ? 1 : 0);
    const QRect frameRect = slide->frame().toRect();
    const int x = platform::truncToInt(b.x());
    const int y = platform::truncToInt(b.y()) +
                  std::max(0, (platform::truncToInt(b.height()) - frameRect.height()) / 2);
    // Left-aligned as the published strip shows it, centred vertically.
    const QRectF target(x, y, frameRect.width(), frameRect.height());
    if (!slide->image().isNull() && !target.isEmpty()) {
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        if (shadow)
            platform::drawImageWithShadow(*painter, target, slide->image(), pictureShadow);
        else
            painter->drawImage(target, slide->image());
        painter->restore();
    }

    if (m_currentImageIndex > 0)
        drawArrow(painter, previousArrowRect(), false);
    if (m_currentImageIndex < totalNumofSlides() - 1)
        drawArrow(painter, nextArrowRect(), true);
}

QRectF DRVSlideshow::drawingBounds() const
{
    return platform::rectUnion(DRVGraphic::drawingBounds(), bounds().adjusted(-1, -1, 1, 1));
}

QString DRVSlideshow::presentablePropertyNameForKey(const QString& key) const
{
    if (key == QLatin1String("undoContents2"))
        return platform::StringsTable::lookup(QStringLiteral("Text"), QStringLiteral("UndoStrings"));
    return DRVGraphic::presentablePropertyNameForKey(key);
}

QStringList DRVSlideshow::keysAffectedByKey(const QString& key) const
{
    QStringList keys = DRVGraphic::keysAffectedByKey(key);
    if (key == QLatin1String("imageArray") || key == QLatin1String("currentImageIndex"))
        keys << QStringLiteral("drawingContents") << QStringLiteral("totalNumofSlides");
    return keys;
}
