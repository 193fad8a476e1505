#include "model/GraphicClipboard.h"

#include "model/GraphicRegistry.h"

#include <QDateTime>
#include <QDebug>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace {

const char kMagic[8] = {'Q', 'u', 'i', 'b', 'G', 'f', 'x', '\0'};

void putU32(QByteArray& out, quint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}

void putI64(QByteArray& out, qint64 v)
{
    char b[8];
    qToBigEndian(v, b);
    out.append(b, 8);
}

void putText(QByteArray& out, const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    putU32(out, quint32(utf8.size()));
    out.append(utf8);
}

bool putValue(QByteArray& out, const QVariant& v, int depth)
{
    if (depth > GraphicClipboard::kMaximumDepth)
        return false;
    switch (v.typeId()) {
    case QMetaType::QString:
        out.append('s');
        putText(out, v.toString());
        return true;
    case QMetaType::Bool:
        out.append('b');
        out.append(v.toBool() ? '\1' : '\0');
        return true;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        out.append('i');
        putI64(out, v.toLongLong());
        return true;
    case QMetaType::Double:
    case QMetaType::Float: {
        out.append('r');
        const double d = v.toDouble();
        quint64 bits;
        std::memcpy(&bits, &d, sizeof bits);
        putI64(out, qint64(bits));
        return true;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = v.toByteArray();
        out.append('d');
        putU32(out, quint32(bytes.size()));
        out.append(bytes);
        return true;
    }
    case QMetaType::QDateTime: {
        const QDateTime t = v.toDateTime();
        out.append('t');
        out.append(t.isValid() ? '\1' : '\0');
        putI64(out, t.isValid() ? t.toMSecsSinceEpoch() : 0);
        return true;
    }
    case QMetaType::QVariantList: {
        const QVariantList list = v.toList();
        QByteArray body;
        quint32 count = 0;
        for (const QVariant& element : list) {
            if (putValue(body, element, depth + 1))
                ++count;
        }
        out.append('l');
        putU32(out, count);
        out.append(body);
        return true;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = v.toMap();
        QByteArray body;
        quint32 count = 0;
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            QByteArray entry;
            putText(entry, it.key());
            if (!putValue(entry, it.value(), depth + 1)) {
                qWarning() << "clipboard: left out" << it.key() << "of type" << it.value().typeName();
                continue;
            }
            body.append(entry);
            ++count;
        }
        out.append('m');
        putU32(out, count);
        out.append(body);
        return true;
    }
    default:
        return false;
    }
}

// Reads from a byte range; every read checks the remaining length first.
class Input
{
public:
    explicit Input(const QByteArray& data) : m_data(data) {}
    bool atEnd() const { return m_pos == m_data.size(); }
    qsizetype remaining() const { return m_data.size() - m_pos; }

    bool byte(quint8* v)
    {
        if (remaining() < 1)
            return false;
        *v = quint8(m_data.at(m_pos++));
        return true;
    }
    bool u32(quint32* v)
    {
        if (remaining() < 4)
            return false;
        *v = qFromBigEndian<quint32>(m_data.constData() + m_pos);
        m_pos += 4;
        return true;
    }
    bool i64(qint64* v)
    {
        if (remaining() < 8)
            return false;
        *v = qFromBigEndian<qint64>(m_data.constData() + m_pos);
        m_pos += 8;
        return true;
    }
    bool bytes(quint32 length, QByteArray* v)
    {
        if (quint64(remaining()) < length)
            return false;
        *v = m_data.mid(m_pos, length);
        m_pos += length;
        return true;
    }
    bool text(QString* v)
    {
        quint32 length = 0;
        QByteArray utf8;
        if (!u32(&length) || !bytes(length, &utf8))
            return false;
        *v = QString::fromUtf8(utf8);
        return true;
    }

private:
    const QByteArray& m_data;
    qsizetype m_pos = 0;
};

bool readValue(Input& in, QVariant* v, int depth)
{
    if (depth > GraphicClipboard::kMaximumDepth)
        return false;
    quint8 tag = 0;
    if (!in.byte(&tag))
        return false;
    switch (tag) {
    case 's': {
        QString s;
        if (!in.text(&s))
            return false;
        *v = s.isNull() ? QStringLiteral("") : s;
        return true;
    }
    case 'b': {
        quint8 b = 0;
        if (!in.byte(&b) || b > 1)
            return false;
        *v = bool(b);
        return true;
    }
    case 'i': {
        qint64 i = 0;
        if (!in.i64(&i))
            return false;
        if (i >= std::numeric_limits<int>::min() && i <= std::numeric_limits<int>::max())
            *v = int(i);
        else
            *v = i;
        return true;
    }
    case 'r': {
        qint64 bits = 0;
        if (!in.i64(&bits))
            return false;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        *v = d;
        return true;
    }
    case 'd': {
        quint32 length = 0;
        QByteArray bytes;
        if (!in.u32(&length) || !in.bytes(length, &bytes))
            return false;
        *v = bytes;
        return true;
    }
    case 't': {
        quint8 valid = 0;
        qint64 ms = 0;
        if (!in.byte(&valid) || valid > 1 || !in.i64(&ms))
            return false;
        *v = valid ? QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC) : QDateTime();
        return true;
    }
    case 'l': {
        quint32 count = 0;
        if (!in.u32(&count) || count > in.remaining()) // every element takes at least one byte
            return false;
        QVariantList list;
        list.reserve(count);
        for (quint32 i = 0; i < count; ++i) {
            QVariant element;
            if (!readValue(in, &element, depth + 1))
                return false;
            list.append(element);
        }
        *v = list;
        return true;
    }
    case 'm': {
        quint32 count = 0;
        if (!in.u32(&count) || count > in.remaining() / 5) // a key length and a tag at least
            return false;
        QVariantMap map;
        for (quint32 i = 0; i < count; ++i) {
            QString key;
            QVariant value;
            if (!in.text(&key) || !readValue(in, &value, depth + 1) || map.contains(key))
                return false;
            map.insert(key, value);
        }
        *v = map;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

QByteArray GraphicClipboard::encode(const QVariantList& list)
{
    QByteArray out(kMagic, sizeof kMagic);
    out.append(char(kFormatVersion));
    putValue(out, list, 0);
    return out;
}

std::optional<QVariantList> GraphicClipboard::decode(const QByteArray& data)
{
    if (data.size() < qsizetype(sizeof kMagic) + 1 || !data.startsWith(QByteArray(kMagic, sizeof kMagic)) ||
        quint8(data.at(sizeof kMagic)) != kFormatVersion)
        return std::nullopt;
    const QByteArray body = data.mid(sizeof kMagic + 1);
    Input in(body);
    QVariant value;
    if (!readValue(in, &value, 0) || !in.atEnd() || value.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    return value.toList();
}

std::optional<QVariantList> GraphicClipboard::decodeGraphicProperties(const QByteArray& data)
{
    std::optional<QVariantList> list = decode(data);
    if (!list)
        return std::nullopt;
    for (const QVariant& element : *list) {
        if (element.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
        const QVariant name = element.toMap().value(QStringLiteral("className"));
        if (name.typeId() != QMetaType::QString || !GraphicRegistry::isRegistered(name.toString()))
            return std::nullopt;
    }
    return list;
}
