#include "model/DRVImage.h"

#include "editions/DataCentre.h"
#include "platform/Geometry.h"
#include "platform/StringsTable.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QString kUndoStrings = QStringLiteral("UndoStrings");

double clampedReflection(double value)
{
    if (!std::isfinite(value))
        return 0;
    return std::clamp(value, 0.0, 1.0);
}

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

} // namespace

DRVImage::DRVImage(QObject* parent) : DRVGraphic(parent)
{
    // An image starts in no slideshow and no gallery: the base class's 0 would make it the member of
    // the first one, which the page writer then neither places nor writes from its own picture.
    setSlideShowNumber(-99);
    setGalleryNumber(-99);
}

void DRVImage::initWithPosition(QPointF position, const QImage& contents)
{
    m_contents = contents;
    const double w = contents.width(), h = contents.height();
    setBounds(QRectF(position.x() - w * 0.5, position.y() - h * 0.5, w, h));
}

std::unique_ptr<DRVGraphic> DRVImage::copy() const
{
    std::unique_ptr<DRVGraphic> graphic = DRVGraphic::copy();
    auto* image = qobject_cast<DRVImage*>(graphic.get());
    if (!image)
        return graphic;
    image->setImageName(m_imageName);
    image->setImageType(m_imageType);
    image->setImageLastModDate(m_imageLastModDate);
    image->setRetinaFlag(m_retinaFlag);
    image->setMaskFlag(m_maskFlag);
    image->setBubbleShape(m_bubbleShape);
    image->setReflection(m_reflection);
    image->m_contents = m_contents;
    image->m_inputImage = m_inputImage;
    image->m_maskImage = m_maskImage;
    image->m_flippedHorizontally = m_flippedHorizontally;
    image->m_flippedVertically = m_flippedVertically;
    image->m_originalImageRect = m_originalImageRect;
    image->m_bubbleFlag = m_bubbleFlag;
    image->m_focusRect = m_focusRect;
    image->m_bubbleShapeBezierPath = m_bubbleShapeBezierPath;
    image->m_forceNonRetinaFlag = m_forceNonRetinaFlag;
    return graphic;
}

// ---- property dictionary ----

void DRVImage::initWithProperties(const QVariantMap& properties)
{
    DRVGraphic::initWithProperties(properties);

    const QVariant contents = properties.value(QStringLiteral("contents"));
    if (contents.typeId() == QMetaType::QByteArray || contents.typeId() == QMetaType::QImage) {
        const QImage picture = unarchivedImage(contents);
        if (!picture.isNull())
            m_inputImage = picture;
    }
    setMaskFlag(0);
    const QVariant mask = properties.value(QStringLiteral("maskImage"));
    if (mask.typeId() == QMetaType::QByteArray || mask.typeId() == QMetaType::QImage) {
        const QImage picture = unarchivedImage(mask);
        if (!picture.isNull()) {
            m_maskImage = picture;
            setMaskFlag(1);
        }
    }

    const QVariant horizontal = properties.value(QStringLiteral("flippedHorizontally"));
    if (isNumber(horizontal))
        setFlippedHorizontally(horizontal.toBool());
    const QVariant vertical = properties.value(QStringLiteral("flippedVertically"));
    if (isNumber(vertical))
        setFlippedVertically(vertical.toBool());

    if (properties.contains(QStringLiteral("imageName")))
        setImageName(stringFromProperty(properties.value(QStringLiteral("imageName"))));
    if (properties.contains(QStringLiteral("imageType")))
        setImageType(stringFromProperty(properties.value(QStringLiteral("imageType"))));
    const QVariant date = properties.value(QStringLiteral("imageLastModDate"));
    if (date.typeId() == QMetaType::QDateTime)
        setImageLastModDate(date.toDateTime());
    setRetinaFlag(intFromProperty(properties.value(QStringLiteral("retinaFlag"))) == 1);

    // A saved reflection outside [0, 1] is clamped rather than trusted.
    setReflection(double(float(doubleFromProperty(properties.value(QStringLiteral("reflection"))))));
    m_contents = m_reflection <= 0 ? m_inputImage : addReflection(m_inputImage, m_reflection);
    if (m_reflection != 0) {
        m_originalImageRect = QRectF(m_bounds.x(), m_bounds.y(), m_bounds.width(),
                                     platform::truncToInt(m_bounds.height() / (m_reflection + 1)));
    } else {
        m_originalImageRect = m_bounds;
    }

    const QString focus = stringFromProperty(properties.value(QStringLiteral("focusRect")));
    if (!focus.isEmpty())
        m_focusRect = platform::rectFromString(focus);
    setBubbleFlag(intFromProperty(properties.value(QStringLiteral("bubbleFlag"))));
    setBubbleShape(properties.contains(QStringLiteral("bubbleShape"))
                       ? stringFromProperty(properties.value(QStringLiteral("bubbleShape")))
                       : QStringLiteral(""));
}

QVariantMap DRVImage::properties() const
{
    QVariantMap dictionary = DRVGraphic::properties();
    const auto putIfSet = [&dictionary](const QString& key, const QVariant& value, bool set) {
        if (set)
            dictionary.insert(key, value);
        else
            dictionary.remove(key);
    };
    // The unreflected picture is stored; the reflection is rebuilt from it.
    putIfSet(QStringLiteral("contents"), archivedImage(m_inputImage), !m_inputImage.isNull());
    putIfSet(QStringLiteral("maskImage"), archivedImage(m_maskImage), !m_maskImage.isNull());
    dictionary.insert(QStringLiteral("flippedHorizontally"), m_flippedHorizontally);
    dictionary.insert(QStringLiteral("flippedVertically"), m_flippedVertically);
    putIfSet(QStringLiteral("imageName"), m_imageName, !m_imageName.isNull());
    putIfSet(QStringLiteral("imageType"), m_imageType, !m_imageType.isNull());
    dictionary.insert(QStringLiteral("imageLastModDate"), m_imageLastModDate.isValid()
                                                              ? QVariant(m_imageLastModDate)
                                                              : QVariant(QStringLiteral("")));
    dictionary.insert(QStringLiteral("slideShowNumber"), intProperty(m_slideShowNumber));
    dictionary.insert(QStringLiteral("reflection"), realProperty(m_reflection));
    putIfSet(QStringLiteral("bubbleShape"), m_bubbleShape, !m_bubbleShape.isNull());
    dictionary.insert(QStringLiteral("bubbleFlag"), intProperty(m_bubbleFlag));
    dictionary.insert(QStringLiteral("fontColor"), QStringLiteral("000000"));
    return dictionary;
}

// ---- pictures ----

void DRVImage::setFilePath(const QString& path)
{
    QImageReader reader(QDir::cleanPath(path));
    reader.setAutoTransform(true);
    m_contents = reader.read();
}

void DRVImage::setReflection(double value)
{
    changeValue(m_reflection, clampedReflection(value), "reflection");
}

void DRVImage::applyReflection()
{
    if (m_reflection > 0) {
        m_contents = addReflection(m_inputImage, m_reflection);
        const double height = m_originalImageRect.height();
        setBounds(QRectF(m_bounds.x(), m_bounds.y(), m_bounds.width(),
                         platform::truncToInt(height * m_reflection + height)));
    } else {
        m_contents = m_inputImage;
    }
}

QImage DRVImage::addReflection(const QImage& picture, double fraction)
{
    fraction = clampedReflection(fraction);
    if (picture.isNull() || fraction <= 0)
        return picture;
    const int w = picture.width();
    const int h = picture.height();
    const int total = platform::truncToInt((fraction + 1) * h);
    QImage result(w, total, QImage::Format_ARGB32_Premultiplied);
    if (result.isNull())
        return picture;
    result.fill(Qt::transparent);

    QPainter painter(&result);
    // The band below the picture: white at 20 % next to the picture, fading to nothing.
    const QRectF band(0, h, w, total - h);
    QLinearGradient fade(band.topLeft(), band.bottomLeft());
    fade.setColorAt(0, QColor::fromRgbF(1, 1, 1, 0.2f));
    fade.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(band, fade);
    // The mirrored picture shows only as opaque as the band beneath it.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.setClipRect(band);
    painter.setTransform(QTransform(1, 0, 0, -1, 0, 2.0 * h));
    painter.drawImage(QRectF(0, 0, w, h), picture);
    painter.resetTransform();
    painter.setClipping(false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QRectF(0, 0, w, h), picture);
    painter.end();
    return result;
}

// ---- geometry ----

void DRVImage::setBounds(const QRectF& bounds)
{
    DRVGraphic::setBounds(bounds);
    if (m_reflection == 0)
        m_originalImageRect = m_bounds;
}

void DRVImage::updateOriginalRect()
{
    if (m_reflection > 0) {
        m_originalImageRect = QRectF(m_bounds.x(), m_bounds.y(), m_bounds.width(),
                                     double(float(m_bounds.height() / (m_reflection + 1))));
    }
}

void DRVImage::makeNaturalSize()
{
    setBounds(QRectF(m_bounds.topLeft(), QSizeF(m_contents.size())));
    setFlippedHorizontally(false);
    setFlippedVertically(false);
}

QSizeF DRVImage::inputImageSize() const
{
    return QSizeF(m_inputImage.isNull() ? m_contents.size() : m_inputImage.size());
}

// ---- undo ----

QSet<QString> DRVImage::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = DRVGraphic::keysForValuesToObserveForUndo();
    keys << QStringLiteral("flippedHorizontally") << QStringLiteral("flippedVertically");
    return keys;
}

QString DRVImage::presentablePropertyNameForKey(const QString& key) const
{
    static const QHash<QString, QString> names = [] {
        registerUndoStrings();
        const QHash<QString, QString> pairs{
            {QStringLiteral("flippedHorizontally"), QStringLiteral("Horizontal Flipping")},
            {QStringLiteral("flippedVertically"), QStringLiteral("Vertical Flipping")},
        };
        QHash<QString, QString> missing;
        for (const QString& name : pairs) {
            if (!platform::StringsTable::contains(name, kUndoStrings))
                missing.insert(name, name);
        }
        if (!missing.isEmpty())
            platform::StringsTable::registerEntries(kUndoStrings, missing);
        QHash<QString, QString> table;
        for (auto it = pairs.cbegin(); it != pairs.cend(); ++it)
            table.insert(it.key(), platform::StringsTable::lookup(it.value(), kUndoStrings));
        return table;
    }();
    const auto it = names.constFind(key);
    if (it != names.constEnd())
        return *it;
    return DRVGraphic::presentablePropertyNameForKey(key);
}

QStringList DRVImage::keysAffectedByKey(const QString& key) const
{
    QStringList keys = DRVGraphic::keysAffectedByKey(key);
    static const QStringList drawn{QStringLiteral("flippedHorizontally"),
                                   QStringLiteral("flippedVertically"),
                                   QStringLiteral("opacity"),
                                   QStringLiteral("shadowFlag"),
                                   QStringLiteral("reflection"),
                                   QStringLiteral("borderWidth"),
                                   QStringLiteral("borderHexColorString"),
                                   QStringLiteral("borderStyle")};
    if (drawn.contains(key) && !keys.contains(QStringLiteral("drawingContents")))
        keys << QStringLiteral("drawingContents");
    return keys;
}
