#include "generation/TextEscaping.h"

#include <QHash>
#include <algorithm>

QString TextEscaping::escapeHtmlText(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else
            out += c;
    }
    return out;
}

QString TextEscaping::escapeHtmlAttribute(const QString& value)
{
    QString out;
    out.reserve(value.size() + value.size() / 8);
    for (const QChar c : value) {
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else if (c == u'"')
            out += QLatin1String("&quot;");
        else if (c == u'\'')
            out += QLatin1String("&#39;");
        else
            out += c;
    }
    return out;
}

QString TextEscaping::quotedAttribute(const QString& value)
{
    return u'"' + escapeHtmlAttribute(value) + u'"';
}

QString TextEscaping::decodeHtmlEntities(const QString& text)
{
    // The entities the writer produces and those the page-wide character replacements leave.
    static const QHash<QString, QString> named{
        {QStringLiteral("amp"), QStringLiteral("&")},
        {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},
        {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")},
        {QStringLiteral("nbsp"), QStringLiteral("\u00A0")},
        {QStringLiteral("copy"), QStringLiteral("\u00A9")},
        {QStringLiteral("reg"), QStringLiteral("\u00AE")},
        {QStringLiteral("pound"), QStringLiteral("\u00A3")},
        {QStringLiteral("cent"), QStringLiteral("\u00A2")},
        {QStringLiteral("yen"), QStringLiteral("\u00A5")},
        {QStringLiteral("euro"), QStringLiteral("\u20AC")},
        {QStringLiteral("iquest"), QStringLiteral("\u00BF")},
    };
    if (!text.contains(u'&'))
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c != u'&') {
            out += c;
            ++i;
            continue;
        }
        const qsizetype semicolon = text.indexOf(u';', i + 1);
        if (semicolon < 0 || semicolon - i > 10) {
            out += c;
            ++i;
            continue;
        }
        const QString name = text.mid(i + 1, semicolon - i - 1);
        QString decoded;
        if (name.startsWith(u'#') && name.size() > 1) {
            bool ok = false;
            const bool hex = name[1] == u'x' || name[1] == u'X';
            const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
                const char32_t cp = code;
                decoded = QString::fromUcs4(&cp, 1);
            }
        } else if (auto it = named.constFind(name); it != named.constEnd()) {
            decoded = *it;
        }
        if (decoded.isEmpty()) {
            out += c;
            ++i;
            continue;
        }
        out += decoded;
        i = semicolon + 1;
    }
    return out;
}

namespace {

bool isLineBreakOrControl(char16_t u)
{
    return u < 0x20 || u == 0x7f || u == 0x85 || u == 0x2028 || u == 0x2029;
}

// The characters the page-wide replacements turn into others.
bool isReplacedOnThePage(char16_t u)
{
    return u == 0x2018 || u == 0x2019 || u == 0x201C || u == 0x201D || u == 0x2014;
}

enum class LineKind { Text, Attribute, Marker };

QString escapeOneLine(const QString& value, LineKind kind)
{
    QString out;
    out.reserve(value.size() + value.size() / 8);
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if (u == u'&')
            out += QLatin1String("&amp;");
        else if (u == u'<')
            out += QLatin1String("&lt;");
        else if (u == u'>')
            out += QLatin1String("&gt;");
        else if (u == 0)
            continue; // no character reference stands for it
        else if (kind == LineKind::Attribute && u == u'"')
            out += QLatin1String("&quot;");
        else if (kind == LineKind::Attribute && u == u'\'')
            out += QLatin1String("&#39;");
        else if (isLineBreakOrControl(u) ||
                 (kind == LineKind::Marker && (u == u'=' || isReplacedOnThePage(u))))
            out += QStringLiteral("&#%1;").arg(int(u));
        else
            out += c;
    }
    return out;
}

} // namespace

QString TextEscaping::escapeHtmlLine(const QString& text)
{
    return escapeOneLine(text, LineKind::Text);
}

QString TextEscaping::escapeHtmlAttributeLine(const QString& value)
{
    return escapeOneLine(value, LineKind::Attribute);
}

QString TextEscaping::escapeMarkerValue(const QString& value)
{
    return escapeOneLine(value, LineKind::Marker);
}

QString TextEscaping::decodeMarkerValue(const QString& value)
{
    return decodeHtmlEntities(value);
}

bool TextEscaping::isSafeElementId(const QString& id)
{
    if (id.isEmpty())
        return false;
    const QChar first = id[0];
    if (!((first >= u'A' && first <= u'Z') || (first >= u'a' && first <= u'z')))
        return false;
    for (const QChar c : id) {
        const bool ok = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
                        c == u'_' || c == u'-';
        if (!ok)
            return false;
    }
    return true;
}

namespace {

QString keptInRule(const QString& value, bool keepBackslash)
{
    QString kept = QStringLiteral("");
    for (const QChar c : value) {
        if (c == u';' || c == u'{' || c == u'}' || c == u'<' || c == u'>' || c == u'"' || c == u'\'' ||
            (c == u'\\' && !keepBackslash) || c.category() == QChar::Other_Control ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            continue;
        kept += c;
    }
    return kept;
}

} // namespace

QString TextEscaping::cssRuleValue(const QString& value)
{
    return keptInRule(value, false);
}

QString TextEscaping::cssRuleName(const QString& value)
{
    return keptInRule(value, true);
}

QString TextEscaping::cssColourValue(const QString& value)
{
    if (value == QLatin1String("CLEAR0"))
        return value;
    if (value.size() != 6)
        return QStringLiteral("");
    for (const QChar c : value) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')))
            return QStringLiteral("");
    }
    return value;
}

QString TextEscaping::encodeRuleText(const QString& value)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    char previous = 0;
    for (const char byte : value.toUtf8()) {
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.';
        if (plain && !(byte == 'x' && previous == 'p')) {
            out += QLatin1Char(byte);
        } else {
            out += u'%';
            out += QLatin1Char(hex[(uchar(byte) >> 4) & 0xF]);
            out += QLatin1Char(hex[uchar(byte) & 0xF]);
        }
        previous = byte;
    }
    return out;
}

QString TextEscaping::decodeRuleText(const QString& value)
{
    if (!value.contains(u'%'))
        return value;
    auto hexDigit = [](QChar c) -> int {
        if (c >= u'0' && c <= u'9')
            return c.unicode() - u'0';
        if (c >= u'A' && c <= u'F')
            return c.unicode() - u'A' + 10;
        if (c >= u'a' && c <= u'f')
            return c.unicode() - u'a' + 10;
        return -1;
    };
    // Escaped bytes are gathered and decoded together, so a character of several bytes comes back whole.
    QString out;
    QByteArray bytes;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'%' && i + 2 < value.size() && hexDigit(value[i + 1]) >= 0 &&
            hexDigit(value[i + 2]) >= 0) {
            bytes += char(hexDigit(value[i + 1]) * 16 + hexDigit(value[i + 2]));
            i += 2;
            continue;
        }
        out += QString::fromUtf8(bytes);
        bytes.clear();
        out += value[i];
    }
    return out + QString::fromUtf8(bytes);
}

namespace {

bool isPlainNameCharacter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' ||
           c == u'-';
}

QString cssEscape(char32_t codePoint)
{
    return u'\\' + QString::number(uint(codePoint), 16).toUpper() + u' ';
}

} // namespace

QString TextEscaping::classAttribute(const QString& name)
{
    if (!name.isEmpty() && std::all_of(name.cbegin(), name.cend(), isPlainNameCharacter))
        return name;
    return quotedAttribute(name);
}

QString TextEscaping::cssIdentifier(const QString& name)
{
    QString out;
    for (const char32_t c : name.toUcs4()) {
        if (c >= 0x80 || (c < 0x80 && isPlainNameCharacter(QChar(c))))
            out += QString::fromUcs4(&c, 1);
        else
            out += cssEscape(c == 0 ? 0xFFFD : c);
    }
    return out;
}

QString TextEscaping::cssString(const QString& value)
{
    QString out = QStringLiteral("\"");
    for (const char32_t c : value.toUcs4()) {
        if (c == u'"' || c == u'\'' || c == u'\\' || c == u'<' || c == u'>' || c < 0x20 || c == 0x7F ||
            c == 0x2028 || c == 0x2029)
            out += cssEscape(c == 0 ? 0xFFFD : c);
        else
            out += QString::fromUcs4(&c, 1);
    }
    return out + u'"';
}
