// Reading and rewriting single page settings in a stored page file, without parsing the page.
#include "editions/DataCentre.h"

#include "document/StoredPageEncoding.h"
#include "editions/EditionSettings.h"
#include "generation/TextEscaping.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"

#include <optional>

namespace {

const QString kPageTitleStart = QStringLiteral("<!--PAGETITLESTART==");
const QString kPageTitleEnd = QStringLiteral("==PAGETITLEEND-->");
const QString kPublishExtStart = QStringLiteral("<!--PUBLISHEXTSTART==");
const QString kPublishExtEnd = QStringLiteral("==PUBLISHEXTEND-->");
const QString kUseBaseTemplate = QStringLiteral("<!--USE BASE TEMPLATE-->");
const QString kInheritMetadata = QStringLiteral("<!--INHERIT METADATA-->");
const QString kInheritCustomHeader = QStringLiteral("<!--INHERIT CUSTOM HEADER-->");
const QString kBaseTemplateDuplicated = QStringLiteral("<!--BASE TEMPLATE DUPLICATED-->");
const QString kRotateCanvas = QStringLiteral("<!--ROTATE CANVAS:90-->");
const QString kCustomHeaderPrefix = QStringLiteral("<!--Custom Header Code:");
const QString kMetaKeywordsStart = QStringLiteral("<meta name=\"keywords\" content=\"");
const QString kMetaDescriptionStart = QStringLiteral("<meta name=\"description\" content=\"");
const QString kCharsetStart =
    QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=");
const QString kBootstrap = QStringLiteral("bootstrap.min.css");
const QString kCentredPage = QStringLiteral("#content{position:relative;width:");
const QString kManualPageWidth = QStringLiteral("<!---manual view port calculation--->");

// ASCII, else UTF-16 (and UTF-8, which pages from elsewhere use); nothing when unreadable.
std::optional<QString> readPage(const QString& path)
{
    return platform::readPageTextFile(path);
}

bool writePage(const QString& path, const QString& text)
{
    return platform::writeFileAtomically(path, StoredPageEncoding::bytesFor(text));
}

// Lines split at every newline character, each one a break of its own, except that CR LF is one
// break: rewriting by lines must not turn a CR LF file's line ends into blank lines.
QStringList pageLines(const QString& text)
{
    return platform::componentsSeparatedByNewlineSet(
        QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

// Scanned lines (no leading white space, no empty lines) without the CR of a CR LF line end.
QStringList scannedLines(const QString& text)
{
    QStringList lines = platform::linesByScanning(text);
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

// An extension names files: it loses any line breaks rather than keeping them.
QString withoutLineBreaks(const QString& value)
{
    QString result;
    result.reserve(value.size());
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        if ((u >= 0x0a && u <= 0x0d) || u == 0x85 || u == 0x2028 || u == 0x2029)
            continue;
        result.append(c);
    }
    return result;
}

bool fileContains(const QString& path, const QString& marker)
{
    const std::optional<QString> text = readPage(path);
    return text && text->contains(marker);
}

// The text after lineStart on the last scanned line that holds it, less `trailing` closing characters.
QString lastMetaValue(const QString& path, const QString& lineStart, qint32 trailing, const QString& fallback)
{
    QString result = fallback;
    const std::optional<QString> text = readPage(path);
    if (!text)
        return result;
    for (const QString& line : scannedLines(*text)) {
        if (!line.contains(lineStart))
            continue;
        // Generated lines start with lineStart, so its length is where the value begins.
        const QString tail = DataCentre::quibSubstringFromIndex(line, qint32(lineStart.size()));
        result = DataCentre::quibSubstringToIndex(tail, qint32(tail.size()) - trailing);
    }
    return result;
}

bool applyMarkerSwitch(const QString& path, const QString& marker, qint32 flag)
{
    const std::optional<QString> text = readPage(path);
    if (!text)
        return false; // never replace a page we could not read
    QString updated = *text;
    if (flag == 1)
        updated += u'\n' + marker;
    else
        updated.remove(marker);
    return writePage(path, updated);
}

bool isFileNameSafeFreeForm(char32_t codePoint)
{
    if (codePoint == '/' || codePoint == '\\' || codePoint == ':')
        return false; // path separators here, on classic systems and on Windows servers
    if ((codePoint >= 0x09 && codePoint <= 0x0d) || codePoint == 0x85)
        return false;
    switch (QChar::category(codePoint)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_Control:
    case QChar::Other_NotAssigned:
    case QChar::Other_Surrogate:
    case QChar::Symbol_Math:
    case QChar::Symbol_Currency:
    case QChar::Symbol_Modifier:
    case QChar::Symbol_Other:
        return false;
    default:
        return true;
    }
}

} // namespace

QString DataCentre::grabSourceCode(const QString& path)
{
    return readPage(path).value_or(QString());
}

QString DataCentre::grabEncodingType(const QString& path)
{
    // The generated line ends in "\"/> ": quote, slash, ">" and a blank.
    return lastMetaValue(path, kCharsetStart, 4, QStringLiteral("UTF-8"));
}

// The meta values are escaped attribute text.
QString DataCentre::grabMetaKeywords(const QString& path)
{
    return TextEscaping::decodeHtmlEntities(lastMetaValue(path, kMetaKeywordsStart, 2, QLatin1String("")));
}

QString DataCentre::grabMetaDescription(const QString& path)
{
    return TextEscaping::decodeHtmlEntities(lastMetaValue(path, kMetaDescriptionStart, 2, QLatin1String("")));
}

QString DataCentre::grabCustomHeaderCode(const QString& path)
{
    const std::optional<QString> text = readPage(path);
    if (!text)
        return QLatin1String("");
    const QStringList lines = pageLines(*text);

    qint64 count = 0;
    for (const QString& line : lines) {
        if (!line.startsWith(kCustomHeaderPrefix))
            continue;
        const QString rest = quibSubstringFromIndex(line, qint32(kCustomHeaderPrefix.size()));
        count = platform::intValue(quibSubstringToIndex(rest, qint32(rest.size()) - 3));
    }
    if (count <= 0)
        return QLatin1String("");

    const QString exactLine = kCustomHeaderPrefix + QString::number(count) + QStringLiteral("-->");
    qint64 markerIndex = lines.lastIndexOf(exactLine);
    if (markerIndex < 0)
        markerIndex = 0;
    QStringList code;
    for (qint64 i = markerIndex + 1; i <= markerIndex + count && i < lines.size(); ++i)
        code.append(lines.at(i));
    return code.join(u'\n');
}

QString DataCentre::grabPublishExt(const QString& path)
{
    const std::optional<QString> text = readPage(path);
    if (!text)
        return QLatin1String("");
    return grabPageMarkerFlags(*text).publishExt;
}

DataCentre::PageMarkerFlags DataCentre::grabPageMarkerFlags(const QString& pageText)
{
    return PageMarkerFlags{pageText.contains(kInheritCustomHeader), pageText.contains(kInheritMetadata),
                           pageText.contains(kUseBaseTemplate), pageText.contains(kRotateCanvas),
                           grabMiddleString(kPublishExtStart, kPublishExtEnd, pageText)};
}

bool DataCentre::isBootStrapBeingUsed(const QString& path)
{
    return fileContains(path, kBootstrap);
}

bool DataCentre::grabDuplicateBaseTemplateStatusFlag(const QString& path)
{
    return fileContains(path, kBaseTemplateDuplicated);
}

bool DataCentre::grabBaseTemplateStatusFlag(const QString& path)
{
    return fileContains(path, kUseBaseTemplate);
}

bool DataCentre::grabInheritMetadataFlag(const QString& path)
{
    return fileContains(path, kInheritMetadata);
}

bool DataCentre::grabInheritCustomHeadercodeFlag(const QString& path)
{
    return fileContains(path, kInheritCustomHeader);
}

bool DataCentre::grabRotateCanvas90Flag(const QString& path)
{
    return fileContains(path, kRotateCanvas);
}

bool DataCentre::grabCenterFlag(QStringView pageText)
{
    return pageText.contains(kCentredPage);
}

bool DataCentre::grabManualPageWidthFlag(QStringView pageText)
{
    return pageText.contains(kManualPageWidth);
}

bool DataCentre::applyPageTitle(const QString& path, const QString& title)
{
    const std::optional<QString> text = readPage(path);
    if (!text)
        return false;
    const QString titleLine = kPageTitleStart + TextEscaping::escapeMarkerValue(title) + kPageTitleEnd;
    QStringList lines = pageLines(*text);
    // Only a line that starts with the marker is the title line.
    qsizetype found = -1;
    for (qsizetype i = lines.size() - 1; i >= 0 && found < 0; --i) {
        if (lines.at(i).startsWith(kPageTitleStart))
            found = i;
    }
    if (found >= 0)
        lines[found] = titleLine;
    else
        lines.append(titleLine);
    return writePage(path, lines.join(u'\n'));
}

bool DataCentre::applyPublishingExt(const QString& path, const QString& extension)
{
    const std::optional<QString> text = readPage(path);
    if (!text)
        return false;
    const QString extensionLine =
        kPublishExtStart + TextEscaping::escapeMarkerValue(withoutLineBreaks(extension)) + kPublishExtEnd;
    QStringList lines = pageLines(*text);
    for (QString& line : lines) {
        if (line.contains(kPublishExtStart))
            line = extensionLine;
    }
    return writePage(path, lines.join(u'\n'));
}

bool DataCentre::applyDuplicateBaseTemplateFlag(const QString& path, qint32 flag)
{
    return applyMarkerSwitch(path, kBaseTemplateDuplicated, flag);
}

bool DataCentre::applyBaseTemplate(const QString& path, qint32 flag)
{
    return applyMarkerSwitch(path, kUseBaseTemplate, flag);
}

bool DataCentre::applyInheritMetadata(const QString& path, qint32 flag)
{
    return applyMarkerSwitch(path, kInheritMetadata, flag);
}

bool DataCentre::applyInheritCustomHeaderCode(const QString& path, qint32 flag)
{
    return applyMarkerSwitch(path, kInheritCustomHeader, flag);
}

bool DataCentre::appendStringToFile(const QString& path, const QString& text)
{
    const std::optional<QString> old = readPage(path);
    if (!old)
        return false;
    return writePage(path, *old + QStringLiteral("\n\n") + text);
}

QString DataCentre::generateStartString(const QString& key)
{
    return QStringLiteral("<!====") + key + QStringLiteral("STARTSTRING--");
}

QString DataCentre::generateEndString(const QString& key)
{
    return QStringLiteral("--") + key + QStringLiteral("ENDSTRING====>");
}

QString DataCentre::generateFullString(const QString& value, const QString& key)
{
    return generateStartString(key) + TextEscaping::escapeMarkerValue(value) + generateEndString(key);
}

QString DataCentre::grabMiddleString(const QString& startString, const QString& endString,
                                     const QString& text)
{
    // Most markers are absent: a forward search says so much faster than a backward one.
    if (startString.isEmpty() || !text.contains(startString))
        return QLatin1String("");
    qsizetype start = -1;
    for (qsizetype at = text.lastIndexOf(startString); at >= 0;
         at = at == 0 ? -1 : text.lastIndexOf(startString, at - 1)) {
        if (at == 0 || text.at(at - 1) == u'\n' || text.at(at - 1) == u'\r') {
            start = at;
            break;
        }
    }
    if (start < 0)
        start = text.lastIndexOf(startString);
    if (start < 0)
        return QLatin1String("");
    const qsizetype valueStart = start + startString.size();
    const qsizetype end = text.indexOf(endString, valueStart);
    if (end < 0)
        return QLatin1String("");
    return TextEscaping::decodeMarkerValue(text.mid(valueStart, end - valueStart));
}

QString DataCentre::quibSubstringToIndex(const QString& string, qint32 index)
{
    // A negative index, taken as unsigned, is beyond every string.
    if (index >= 0 && string.size() > index)
        return string.left(index);
    return string;
}

QString DataCentre::quibSubstringFromIndex(const QString& string, qint32 index)
{
    if (index >= 0 && string.size() > index)
        return string.mid(index);
    return QLatin1String("");
}

QString DataCentre::generateNewFileName(const QString& proposedName)
{
    QString name;
    if (edition().gFreeFormFileNamesFlag) {
        for (qsizetype i = 0; i < proposedName.size(); ++i) {
            const QChar c = proposedName.at(i);
            if (c.isHighSurrogate() && i + 1 < proposedName.size() &&
                proposedName.at(i + 1).isLowSurrogate()) {
                const QChar low = proposedName.at(++i);
                if (isFileNameSafeFreeForm(QChar::surrogateToUcs4(c, low)))
                    name.append(c).append(low);
            } else if (!c.isSurrogate() && isFileNameSafeFreeForm(c.unicode())) {
                name.append(c); // an unpaired surrogate is no character at all
            }
        }
        // A leading dot hides the file or names the folder itself or its parent.
        while (name.startsWith(u'.'))
            name.remove(0, 1);
    } else {
        static const QString allowed =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-");
        for (const QChar c : proposedName) {
            if (allowed.contains(c))
                name.append(c);
        }
    }
    return name.isNull() ? QLatin1String("") : name;
}
