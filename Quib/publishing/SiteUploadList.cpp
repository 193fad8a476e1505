#include "publishing/SiteUploadList.h"

#include "editions/DataCentre.h"
#include "generation/FormPageGenerator.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"

#include <QDir>
#include <QFileInfo>

namespace {

UploadItem makeItem(const QString& localPath, const QString& remoteFolder, const QString& remoteFileName)
{
    UploadItem item;
    item.setLocalPath(localPath);
    item.setRemoteFolder(remoteFolder);
    item.setRemoteFileName(remoteFileName);
    return item;
}

// The files of a page's image folder that go up with it, by name, into the folder named after the
// page on the server.
QList<UploadItem> imageItems(const QString& pageFolder, const QString& folderName, const QString& remoteFolder)
{
    QList<UploadItem> items;
    const std::optional<QString> folder = platform::SafePath::filePath(pageFolder, folderName);
    if (!folder || !QFileInfo(*folder).isDir())
        return items;
    // File-system order differs between machines and runs; the name order does not.
    const QStringList entries = QDir(*folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        const std::optional<QString> path = platform::SafePath::filePath(*folder, entry);
        if (!path || !QFileInfo(*path).isFile() || !DataCentre::shouldUploadThisImage(*path))
            continue;
        items.append(makeItem(*path, remoteFolder, entry));
    }
    return items;
}

platform::TextEncoding encodingOfPage(const QString& path)
{
    if (platform::pathExtension(path) == QLatin1String("php"))
        return platform::TextEncoding::UTF8;
    // Pages name their charset as browsers know it ("windows-1251"); older ones by the setting.
    const QString name = FormPageGenerator::encodingTypeForCharset(DataCentre::grabEncodingType(path));
    if (name == QLatin1String("Win-1251"))
        return platform::TextEncoding::Windows1251;
    if (name.compare(QLatin1String("UTF-16"), Qt::CaseInsensitive) == 0)
        return platform::TextEncoding::UTF16;
    return platform::TextEncoding::UTF8;
}

} // namespace

SiteUploadList::Result SiteUploadList::build(const Input& input)
{
    Result result;
    for (const Page& page : input.pages) {
        const std::optional<QString> source = platform::SafePath::filePath(input.pageFolder, page.localFileName);
        const std::optional<QString> copy = platform::SafePath::filePath(input.copyFolder, page.localFileName);
        if (!source || !copy || page.publishFileName.isEmpty()) {
            result.refusedPages.append(page.localFileName);
            continue;
        }
        result.items.append(makeItem(*copy, QString(), page.publishFileName));
        if (!input.copiesWritten)
            result.copies.append({*source, *copy});
        if (input.withImages)
            // A page unpacked under a numbered working name still links its images by its own name.
            result.items += imageItems(input.pageFolder, platform::stringByDeletingPathExtension(page.localFileName),
                                       platform::stringByDeletingPathExtension(page.publishFileName));
    }
    if (const std::optional<QString> favicon =
            platform::SafePath::filePath(input.projectFolder, QStringLiteral("favicon.ico"));
        favicon && QFileInfo(*favicon).isFile())
        result.items.append(makeItem(*favicon, QString(), QStringLiteral("favicon.ico")));
    return result;
}

QString SiteUploadList::writeCopies(const QList<Copy>& copies)
{
    for (const Copy& copy : copies) {
        const QString text = DataCentre::grabSourceCode(copy.source);
        if (text.isNull())
            return copy.source;
        const std::optional<QByteArray> bytes = platform::encodeText(text, encodingOfPage(copy.source));
        QDir().mkpath(platform::stringByDeletingLastPathComponent(copy.target));
        if (!bytes || !platform::writeFileAtomically(copy.target, *bytes))
            return copy.source;
    }
    return QString();
}
