#include "window/WebsiteProject.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Format.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <numeric>

namespace {

// Counting stops here: a folder that holds this many numbered pages gets no proposal.
constexpr int kMaximumPageNumber = 100000;

WebsiteProject::OldProfileConverter& oldProfileConverterStore()
{
    static WebsiteProject::OldProfileConverter converter = &DataCentre::convertOldProfilePage;
    return converter;
}

WebsiteProject::UntitledPageOpener& untitledPageOpenerStore()
{
    static WebsiteProject::UntitledPageOpener opener;
    return opener;
}

bool stemTaken(const QString& stem, const std::function<bool(const QString&)>& taken)
{
    const QStringList extensions = WebsiteProject::allPageExtensions();
    return std::any_of(extensions.begin(), extensions.end(),
                       [&](const QString& extension) { return taken(stem + u'.' + extension); });
}

} // namespace

QStringList WebsiteProject::listedPageExtensions()
{
    QStringList extensions{edition().gDocumentExtension, formExtension()};
    extensions.removeAll(QString());
    extensions.removeDuplicates();
    return extensions;
}

QStringList WebsiteProject::allPageExtensions()
{
    QStringList extensions = listedPageExtensions();
    extensions << QStringLiteral("zqv");
    extensions.removeDuplicates();
    return extensions;
}

bool WebsiteProject::isListedPageName(const QString& fileName)
{
    return !platform::stringByDeletingPathExtension(fileName).isEmpty() &&
           listedPageExtensions().contains(platform::pathExtension(fileName));
}

QString WebsiteProject::workingFolderName(const QString& projectFolderPath)
{
    return platform::lastPathComponent(QDir::cleanPath(projectFolderPath)).remove(u' ');
}

QStringList WebsiteProject::sortPageNames(QStringList names, const QString& sortBy,
                                          const std::function<QDateTime(const QString&)>& modificationDate)
{
    const auto byName = [](const QString& a, const QString& b) {
        const int order = QString::localeAwareCompare(a, b);
        return order != 0 ? order < 0 : a < b;
    };
    if (sortBy == QLatin1String("modDate")) {
        QList<QPair<QDateTime, QString>> dated;
        for (const QString& name : names)
            dated.append({modificationDate(name), name});
        std::sort(dated.begin(), dated.end(), [&](const auto& a, const auto& b) {
            if (a.first != b.first)
                return a.first > b.first;
            return byName(a.second, b.second);
        });
        names.clear();
        for (const auto& entry : dated)
            names.append(entry.second);
        return names;
    }
    std::sort(names.begin(), names.end(), byName);
    return names;
}

QStringList WebsiteProject::listPageDocuments(const QString& folderPath, const QString& sortBy)
{
    if (folderPath.isEmpty())
        return {};
    const QDir folder(folderPath);
    QStringList names;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (isListedPageName(name))
            names.append(name);
    }
    return sortPageNames(
        names, sortBy, [&](const QString& name) { return QFileInfo(folder.filePath(name)).lastModified(); });
}

QString WebsiteProject::grabPageWidth(const QString& pageText)
{
    static const QString marker = QStringLiteral("<meta name='viewport' content='width=");
    QString width;
    for (const QString& rawLine : pageText.split(u'\n')) {
        const QString line = rawLine.trimmed();
        const qsizetype at = line.indexOf(marker);
        if (line.isEmpty() || at < 0)
            continue;
        // The closing quote and bracket follow the number.
        QString rest = line.mid(at + marker.size());
        rest.chop(2);
        width = QString::number(platform::intValue(rest));
    }
    return width;
}

QString WebsiteProject::grabPageTitle(const QString& pageText)
{
    return DataCentre::storedPageTitle(pageText);
}

QByteArray WebsiteProject::pageOrderIndexBytes(const QStringList& documentNames)
{
    QString text;
    for (int i = 0; i < documentNames.size(); ++i)
        text += platform::format(QStringLiteral("%@,%d\n"), {documentNames.at(i), i});
    return platform::encodeAsciiElseUtf16(text);
}

std::optional<QList<QPair<QString, int>>> WebsiteProject::parsePageOrderIndex(const QByteArray& bytes)
{
    const std::optional<QString> text = platform::decodePageText(bytes);
    if (!text)
        return std::nullopt;
    QList<QPair<QString, int>> order;
    for (const QString& rawLine : platform::componentsSeparatedByNewlineSet(*text)) {
        const QString line = rawLine.trimmed();
        // A page name may itself hold a comma; the position is after the last one.
        const qsizetype comma = line.lastIndexOf(u',');
        if (comma <= 0)
            continue;
        order.append({line.left(comma), platform::intValue(line.mid(comma + 1))});
    }
    return order;
}

QList<PageRecord> WebsiteProject::applyPageOrder(QList<PageRecord> records,
                                                 const std::optional<QList<QPair<QString, int>>>& order,
                                                 const QString& baseTemplateFileName)
{
    // Named pages sort by their position; the rest keep the scan order after them.
    QList<bool> named(records.size(), false);
    if (order) {
        for (const auto& [name, position] : *order) {
            for (int i = 0; i < records.size(); ++i) {
                if (records.at(i).documentName == name) {
                    records[i].pageNumber = position;
                    named[i] = true;
                    break;
                }
            }
        }
    } else {
        for (int i = 0; i < records.size(); ++i) {
            records[i].pageNumber = i;
            named[i] = true;
        }
    }
    QList<int> indexes(records.size());
    std::iota(indexes.begin(), indexes.end(), 0);
    std::stable_sort(indexes.begin(), indexes.end(), [&](int a, int b) {
        const qint64 keyA = named.at(a) ? records.at(a).pageNumber : qint64(INT_MAX) + 1;
        const qint64 keyB = named.at(b) ? records.at(b).pageNumber : qint64(INT_MAX) + 1;
        return keyA < keyB;
    });
    QList<PageRecord> sorted;
    for (int index : indexes)
        sorted.append(records.at(index));
    for (int i = 0; i < sorted.size(); ++i) {
        if (!baseTemplateFileName.isEmpty() && sorted.at(i).documentName == baseTemplateFileName) {
            sorted.move(i, 0);
            break;
        }
    }
    return sorted;
}

QString WebsiteProject::defaultPageName(const QString& prefix, const QString& baseName, int tileCount,
                                        const std::function<bool(const QString&)>& taken)
{
    // A missing prefix or base word is no text at all, never "(null)".
    const auto candidate = [&](int number) { return prefix + baseName + QString::number(number); };
    QString name = candidate(tileCount + 1);
    // Counting again from the number of pages finds the gap a deleted page left.
    for (int number = tileCount; stemTaken(name, taken) && number < kMaximumPageNumber; ++number)
        name = candidate(number);
    return name;
}

WebsiteProject::NameProblem WebsiteProject::checkNewFileName(const QString& fileName,
                                                             const std::function<bool(const QString&)>& taken)
{
    const QString stem = platform::stringByDeletingPathExtension(fileName);
    if (fileName.isEmpty() || stem.isEmpty())
        return NameProblem::Empty;
    if (taken(fileName))
        return NameProblem::Conflict;
    if (taken(stem + u'.' + edition().gDocumentExtension))
        return NameProblem::TakenAsPage;
    // A page of the same stem, of whatever kind, would share its working files with this one.
    if (stemTaken(stem, taken))
        return NameProblem::TakenAsOtherKind;
    if (DataCentre::generateNewFileName(stem) != stem || !platform::SafePath::isSafeName(fileName))
        return NameProblem::Characters;
    return NameProblem::None;
}

QPair<QString, QString> WebsiteProject::alertTextFor(NameProblem problem, const QString& fileName)
{
    switch (problem) {
    case NameProblem::None:
        return {};
    case NameProblem::Empty:
        return {QStringLiteral("File Name Is Empty"),
                QStringLiteral("Sorry the new file name can not be empty")};
    case NameProblem::Conflict:
        return {QStringLiteral("File Name Conflict"),
                platform::format(QStringLiteral("Sorry a file named \"%@\" already exists at this location."),
                                 {platform::stringByDeletingPathExtension(fileName)})};
    case NameProblem::TakenAsPage:
    case NameProblem::TakenAsOtherKind:
        return {QStringLiteral("Please Rename"),
                QStringLiteral("Sorry this file name is not available, please choose another file name.")};
    case NameProblem::Characters:
        return {
            QStringLiteral("File Name Characters"),
            QStringLiteral("Sorry the new file name can not contain spacing, special characters or symbols")};
    }
    return {};
}

QString WebsiteProject::pageLink(const QString& baseURL, const QString& documentName)
{
    QString base = baseURL;
    while (base.endsWith(u'/'))
        base.chop(1);
    const QString extension = platform::pathExtension(documentName) == formExtension()
                                  ? QStringLiteral("php")
                                  : QStringLiteral("html");
    return base + u'/' + platform::stringByDeletingPathExtension(documentName) + u'.' + extension;
}

QString WebsiteProject::freeDocumentName(const QString& documentName,
                                         const std::function<bool(const QString&)>& taken)
{
    const QString stem = platform::stringByDeletingPathExtension(documentName);
    const QString extension = platform::pathExtension(documentName);
    QString candidate = stem;
    for (int number = 2; stemTaken(candidate, taken) && number < kMaximumPageNumber; ++number)
        candidate = platform::format(QStringLiteral("%@%d"), {stem, number});
    return candidate + u'.' + extension;
}

void WebsiteProject::setOldProfileConverter(OldProfileConverter converter)
{
    oldProfileConverterStore() = std::move(converter);
}

const WebsiteProject::OldProfileConverter& WebsiteProject::oldProfileConverter()
{
    return oldProfileConverterStore();
}

void WebsiteProject::setUntitledPageOpener(UntitledPageOpener opener)
{
    untitledPageOpenerStore() = std::move(opener);
}

const WebsiteProject::UntitledPageOpener& WebsiteProject::untitledPageOpener()
{
    return untitledPageOpenerStore();
}
