// String rules that stored files depend on: number prefixes, line breaks, splitting, paths.
#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>

namespace platform {

// Number prefixes: leading white space, an optional sign, then digits; 0 when there are none.
// Integers saturate at their type's limits. Reals take an optional fraction and exponent, are read
// with "." whatever the locale, and give +/-infinity on overflow.
int intValue(QStringView s);
qint64 integerValue(QStringView s);
float floatValue(QStringView s);
double doubleValue(QStringView s);
// True when, after white space, a sign and leading zeros, the text starts with Y, y, T, t or 1-9.
bool boolValue(QStringView s);
// The same for strings, literals included.
inline int intValue(const QString& s)
{
    return intValue(QStringView(s));
}
inline qint64 integerValue(const QString& s)
{
    return integerValue(QStringView(s));
}
inline float floatValue(const QString& s)
{
    return floatValue(QStringView(s));
}
inline double doubleValue(const QString& s)
{
    return doubleValue(QStringView(s));
}
inline bool boolValue(const QString& s)
{
    return boolValue(QStringView(s));
}

// Line-range rule: LF, CR, CR LF (one break), U+0085, U+2028 and U+2029 end a line; a trailing
// break adds no line and "" has none.
QStringList linesByLineRange(const QString& s);
// Each of U+000A-U+000D, U+0085, U+2028 and U+2029 separates, so CR LF leaves an empty piece;
// "" gives one empty piece.
QStringList componentsSeparatedByNewlineSet(const QString& s);
// Whether s holds a member of that separator set other than LF.
bool hasNewlineOtherThanLF(QStringView s);
// Line scanning: white space and line breaks before a line are skipped (so no line starts with
// white space and empty lines vanish), then the line runs up to the next LF; a CR before it stays.
QStringList linesByScanning(const QString& s);
// Keeps empty pieces; an empty separator leaves the string whole.
QStringList componentsSeparatedByString(const QString& s, const QString& separator);
QString trimWhitespaceAndNewlines(const QString& s);
bool isWhitespaceOrNewline(QChar c);

// Path strings, "/" separated. Trailing slashes are ignored (except a lone "/"), and an empty path
// is safe everywhere: appending a component to "" gives the component.
QString stringByDeletingPathExtension(const QString& path);
QString pathExtension(const QString& path);
QString lastPathComponent(const QString& path);
QString stringByAppendingPathComponent(const QString& path, const QString& component);
QString stringByDeletingLastPathComponent(const QString& path);
// Unchanged (less trailing slashes) when there is no last component to extend or ext is empty.
QString stringByAppendingPathExtension(const QString& path, const QString& ext);

// Clamped to the string: never out of range.
QString substringToIndex(const QString& s, qint64 index);
QString substringFromIndex(const QString& s, qint64 index);
// An empty prefix or suffix never matches.
bool hasPrefix(const QString& s, const QString& prefix);
bool hasSuffix(const QString& s, const QString& suffix);

} // namespace platform
