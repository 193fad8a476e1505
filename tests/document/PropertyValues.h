// Property values made comparable across two reads of a page: member objects (cells, slides,
// pictures) spelled out property by property, reals to two places, images by their size.
#pragma once
#include <QImage>
#include <QMetaProperty>
#include <QObject>
#include <QSequentialIterable>
#include <QVariant>

namespace propertyvalues {

QVariant normalized(const QVariant& value, int depth = 0);

// Every readable property of the object below QObject's own; past depth 2 only its class name.
inline QVariant objectValues(const QObject* object, int depth = 0)
{
    if (!object)
        return QStringLiteral("(none)");
    if (depth >= 2)
        return QString::fromLatin1(object->metaObject()->className());
    QVariantMap values;
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isReadable())
            values.insert(QString::fromLatin1(property.name()), normalized(property.read(object), depth + 1));
    }
    return values;
}

inline QVariant normalized(const QVariant& value, int depth)
{
    if (!value.isValid())
        return value;
    const QMetaType type = value.metaType();
    switch (type.id()) {
    case QMetaType::QVariantMap: {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            it.value() = normalized(it.value(), depth);
        return map;
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::asprintf("%.2f", value.toDouble());
    case QMetaType::QImage: {
        const QImage image = value.value<QImage>();
        return QStringLiteral("image %1x%2").arg(image.width()).arg(image.height());
    }
    default:
        break;
    }
    if (type.flags() & QMetaType::PointerToQObject)
        return objectValues(value.value<QObject*>(), depth);
    if (value.canConvert<QVariantList>() && type.id() != QMetaType::QString &&
        type.id() != QMetaType::QByteArray) {
        QVariantList list;
        for (const QVariant& item : value.value<QSequentialIterable>())
            list.append(normalized(item, depth));
        return list;
    }
    return value;
}

} // namespace propertyvalues
