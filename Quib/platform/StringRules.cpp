#include "platform/StringRules.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace platform {

namespace {

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

qsizetype skipWhitespace(QStringView s, qsizetype i)
{
    while (i < s.size() && isWhitespaceOrNewline(s.at(i)))
        ++i;
    return i;
}

// Reads [sign]digits, saturating at [min, max].
template <class T> T integerPrefix(QStringView s)
{
    qsizetype i = skipWhitespace(s, 0);
    bool negative = false;
    if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
        negative = s.at(i) == QLatin1Char('-');
        ++i;
    }
    T value = 0;
    for (; i < s.size() && isAsciiDigit(s.at(i)); ++i) {
        const int d = s.at(i).unicode() - '0';
        if (negative) {
            if (value < (std::numeric_limits<T>::min() + d) / 10)
                return std::numeric_limits<T>::min();
            value = value * 10 - d;
        } else {
            if (value > (std::numeric_limits<T>::max() - d) / 10)
                return std::numeric_limits<T>::max();
            value = value * 10 + d;
        }
    }
    return value;
}

// The decimal prefix ([sign]digits[.digits][e[sign]digits]) as Latin-1 text without a "+" sign;
// empty when no digit was found.
std::string decimalPrefix(QStringView s)
{
    qsizetype i = skipWhitespace(s, 0);
    std::string out;
    if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))) {
        if (s.at(i) == QLatin1Char('-'))
            out += '-';
        ++i;
    }
    bool digits = false;
    for (; i < s.size() && isAsciiDigit(s.at(i)); ++i, digits = true)
        out += static_cast<char>(s.at(i).unicode());
    if (i < s.size() && s.at(i) == QLatin1Char('.')) {
        out += '.';
        for (++i; i < s.size() && isAsciiDigit(s.at(i)); ++i, digits = true)
            out += static_cast<char>(s.at(i).unicode());
    }
    if (!digits)
        return {};
    if (i < s.size() && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-')))
            exponent += static_cast<char>(s.at(j++).unicode());
        if (j < s.size() && isAsciiDigit(s.at(j))) {
            for (; j < s.size() && isAsciiDigit(s.at(j)); ++j)
                exponent += static_cast<char>(s.at(j).unicode());
            out += exponent;
        }
    }
    return out;
}

template <class T> T realPrefix(QStringView s)
{
    const std::string text = decimalPrefix(s);
    if (text.empty())
        return 0;
    T value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow gives infinity, underflow zero: tell them apart by the decimal order of magnitude.
        const bool negative = text.front() == '-';
        const auto e = text.find('e');
        const std::string mantissa = text.substr(0, e);
        long long order = 0;
        const auto point = mantissa.find('.');
        const auto firstNonZero = mantissa.find_first_of("123456789");
        if (firstNonZero != std::string::npos) {
            const auto intEnd = point == std::string::npos ? mantissa.size() : point;
            order = firstNonZero < intEnd ? static_cast<long long>(intEnd - firstNonZero)
                                          : -static_cast<long long>(firstNonZero - intEnd - 1);
        }
        if (e != std::string::npos) {
            const bool signed_ = text[e + 1] == '-' || text[e + 1] == '+';
            long long exponent = 0;
            const auto r =
                std::from_chars(text.data() + e + (signed_ ? 2 : 1), text.data() + text.size(), exponent);
            if (r.ec == std::errc::result_out_of_range)
                exponent = 1000000000;
            order += text[e + 1] == '-' ? -exponent : exponent;
        }
        if (order <= 0)
            return negative ? -T(0) : T(0);
        return negative ? -std::numeric_limits<T>::infinity() : std::numeric_limits<T>::infinity();
    }
    return value;
}

bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x0A || u == 0x0D || u == 0x85 || u == 0x2028 || u == 0x2029;
}

bool isNewlineSetMember(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

QString withoutTrailingSlashes(const QString& path)
{
    qsizetype end = path.size();
    while (end > 1 && path.at(end - 1) == QLatin1Char('/'))
        --end;
    return path.left(end);
}

// Start of the last component of a path without trailing slashes.
qsizetype lastComponentStart(const QString& trimmed)
{
    const qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? 0 : slash + 1;
}

// Position of the extension's dot in a path without trailing slashes, or -1. A dot that starts
// the component (".profile", "..") is part of the name, not an extension.
qsizetype extensionDot(const QString& trimmed)
{
    const qsizetype start = lastComponentStart(trimmed);
    const qsizetype dot = trimmed.lastIndexOf(QLatin1Char('.'));
    if (dot <= start)
        return -1;
    if (trimmed.mid(start) == QLatin1String(".."))
        return -1;
    return dot;
}

} // namespace

bool hasNewlineOtherThanLF(QStringView s)
{
    const char16_t* p = s.utf16();
    const qsizetype n = s.size();
    qsizetype i = 0;
#ifdef __SSE2__
    // Eight characters at a time, without an early exit: page texts are megabytes.
    __m128i found = _mm_setzero_si128();
    const __m128i lf = _mm_set1_epi16(0x0A), so = _mm_set1_epi16(0x0E), nel = _mm_set1_epi16(0x85);
    const __m128i separatorMask = _mm_set1_epi16(short(0xFFFE)), separators = _mm_set1_epi16(0x2028);
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        // VT, FF and CR lie between LF and SO; characters from U+8000 compare as negative.
        const __m128i controls = _mm_and_si128(_mm_cmpgt_epi16(v, lf), _mm_cmplt_epi16(v, so));
        const __m128i next = _mm_cmpeq_epi16(v, nel);
        const __m128i lineOrParagraph = _mm_cmpeq_epi16(_mm_and_si128(v, separatorMask), separators);
        found = _mm_or_si128(found, _mm_or_si128(controls, _mm_or_si128(next, lineOrParagraph)));
    }
    if (_mm_movemask_epi8(found) != 0)
        return true;
#endif
    for (; i < n; ++i) {
        const char16_t u = p[i];
        if ((u >= 0x0B && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029)
            return true;
    }
    return false;
}

bool isWhitespaceOrNewline(QChar c)
{
    // Unicode space separators, tab, and every line break.
    return c.isSpace();
}

int intValue(QStringView s)
{
    return integerPrefix<int>(s);
}

qint64 integerValue(QStringView s)
{
    return integerPrefix<qint64>(s);
}

float floatValue(QStringView s)
{
    return realPrefix<float>(s);
}

double doubleValue(QStringView s)
{
    return realPrefix<double>(s);
}

bool boolValue(QStringView s)
{
    qsizetype i = skipWhitespace(s, 0);
    if (i < s.size() && (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-')))
        ++i;
    while (i < s.size() && s.at(i) == QLatin1Char('0'))
        ++i;
    if (i >= s.size())
        return false;
    const char16_t c = s.at(i).unicode();
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

QStringList linesByLineRange(const QString& s)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (!isLineBreak(s.at(i)))
            continue;
        lines << s.mid(start, i - start);
        if (s.at(i) == QLatin1Char('\r') && i + 1 < n && s.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << s.mid(start);
    return lines;
}

QStringList componentsSeparatedByNewlineSet(const QString& s)
{
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (isNewlineSetMember(s.at(i))) {
            pieces << s.mid(start, i - start);
            start = i + 1;
        }
    }
    pieces << s.mid(start);
    return pieces;
}

QStringList linesByScanning(const QString& s)
{
    QStringList lines;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (true) {
        i = skipWhitespace(s, i);
        if (i >= n)
            break;
        qsizetype end = s.indexOf(QLatin1Char('\n'), i);
        if (end < 0)
            end = n;
        lines << s.mid(i, end - i);
        i = end + 1;
    }
    return lines;
}

QStringList componentsSeparatedByString(const QString& s, const QString& separator)
{
    if (separator.isEmpty())
        return {s};
    return s.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

QString trimWhitespaceAndNewlines(const QString& s)
{
    qsizetype start = 0;
    qsizetype end = s.size();
    while (start < end && isWhitespaceOrNewline(s.at(start)))
        ++start;
    while (end > start && isWhitespaceOrNewline(s.at(end - 1)))
        --end;
    return s.mid(start, end - start);
}

QString stringByDeletingPathExtension(const QString& path)
{
    const QString trimmed = withoutTrailingSlashes(path);
    const qsizetype dot = extensionDot(trimmed);
    return dot < 0 ? trimmed : trimmed.left(dot);
}

QString pathExtension(const QString& path)
{
    const QString trimmed = withoutTrailingSlashes(path);
    const qsizetype dot = extensionDot(trimmed);
    return dot < 0 ? QString(QLatin1String("")) : trimmed.mid(dot + 1);
}

QString lastPathComponent(const QString& path)
{
    const QString trimmed = withoutTrailingSlashes(path);
    if (trimmed == QLatin1String("/"))
        return trimmed;
    return trimmed.mid(lastComponentStart(trimmed));
}

QString stringByAppendingPathComponent(const QString& path, const QString& component)
{
    QString joined;
    if (path.isEmpty())
        joined = component;
    else if (component.isEmpty())
        joined = path;
    else
        joined = path + QLatin1Char('/') + component;
    // Collapse doubled slashes where the two parts meet (and elsewhere), then drop trailing ones.
    QString clean;
    clean.reserve(joined.size());
    for (const QChar c : joined) {
        if (c == QLatin1Char('/') && clean.endsWith(QLatin1Char('/')))
            continue;
        clean += c;
    }
    return withoutTrailingSlashes(clean);
}

QString stringByDeletingLastPathComponent(const QString& path)
{
    const QString trimmed = withoutTrailingSlashes(path);
    if (trimmed == QLatin1String("/"))
        return trimmed;
    qsizetype slash = trimmed.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QLatin1String("");
    while (slash > 0 && trimmed.at(slash - 1) == QLatin1Char('/'))
        --slash;
    return slash == 0 ? QStringLiteral("/") : trimmed.left(slash);
}

QString stringByAppendingPathExtension(const QString& path, const QString& ext)
{
    const QString trimmed = withoutTrailingSlashes(path);
    if (ext.isEmpty() || trimmed.isEmpty() || trimmed == QLatin1String("/"))
        return trimmed;
    return trimmed + QLatin1Char('.') + ext;
}

QString substringToIndex(const QString& s, qint64 index)
{
    if (index <= 0)
        return QLatin1String("");
    return index >= s.size() ? s : s.left(index);
}

QString substringFromIndex(const QString& s, qint64 index)
{
    if (index >= s.size())
        return QLatin1String("");
    return index <= 0 ? s : s.mid(index);
}

bool hasPrefix(const QString& s, const QString& prefix)
{
    return !prefix.isEmpty() && s.startsWith(prefix);
}

bool hasSuffix(const QString& s, const QString& suffix)
{
    return !suffix.isEmpty() && s.endsWith(suffix);
}

} // namespace platform
