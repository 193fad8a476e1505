// Page packages of a website: laying a page document out as working files beside the other pages,
// and packing such files back into a page document.
#include "editions/DataCentre.h"

#include "document/DocumentArchiver.h"
#include "editions/EditionSettings.h"
#include "platform/Format.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace {

QString join(const QString& folder, const QString& name)
{
    return platform::stringByAppendingPathComponent(folder, name);
}

QString cleanFolder(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Names come from the document's file name and the archive's members: both sides of every move are
// built by the checked builder, and a refused side moves nothing.
bool moveFile(const QString& fromFolder, const QString& fromName, const QString& toFolder,
              const QString& toName)
{
    const std::optional<QString> from = platform::SafePath::filePath(fromFolder, fromName);
    const std::optional<QString> to = platform::SafePath::filePath(toFolder, toName);
    return from && to && QFileInfo::exists(*from) && QDir().rename(*from, *to);
}

} // namespace

QString DataCentre::migrateWebsitePage(const QString& documentPath, const QString& destination)
{
    const QString documentName = platform::lastPathComponent(documentPath);
    const QString base = platform::stringByDeletingPathExtension(documentName);
    const QString parent = platform::stringByDeletingLastPathComponent(cleanFolder(destination));
    if (!platform::SafePath::isSafeName(base)) {
        qWarning() << "page not laid out, its name cannot be a file name:" << base;
        return QStringLiteral("");
    }

    if (edition().gResponsiveLayoutFlag) {
        // These packages hold their members under the page's folder already.
        if (!DocumentArchiver::unzipDocument(documentPath, parent))
            return QStringLiteral("");
        return platform::SafePath::filePath(parent, base + QStringLiteral("@2x.png"))
            .value_or(QStringLiteral(""));
    }

    const bool unpacked = DocumentArchiver::unzipDocument(documentPath, destination);
    const QString documentExtension = platform::pathExtension(documentName);
    QString extension;
    if (documentExtension == QLatin1String("selvaro"))
        extension = QStringLiteral("php");
    else if (documentExtension == edition().gDocumentExtension)
        extension = QStringLiteral("html");
    if (!unpacked || extension.isEmpty())
        return QStringLiteral("");

    QString name = base;
    for (int counter = 4; QFileInfo::exists(join(parent, name + u'.' + extension)); ++counter)
        name = platform::format(QStringLiteral("%@%d"), {base, counter});

    QString page;
    for (const QString& entry : QDir(destination).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (platform::pathExtension(entry) == extension) {
            page = entry;
            break;
        }
    }
    // A package without a page of the expected kind has nothing to lay out.
    if (page.isEmpty())
        return QStringLiteral("");
    if (!moveFile(destination, page, parent, name + u'.' + extension))
        return QStringLiteral("");
    const QString archivedName = platform::stringByDeletingPathExtension(page);
    moveFile(destination, archivedName + QStringLiteral(".png"), parent, name + QStringLiteral(".png"));
    moveFile(destination, archivedName + QStringLiteral("@2x.png"), parent, name + QStringLiteral("@2x.png"));
    // What is left is the page's image folder.
    const std::optional<QString> imageFolder = platform::SafePath::filePath(parent, name);
    if (imageFolder && cleanFolder(destination) != cleanFolder(*imageFolder))
        QDir().rename(destination, *imageFolder);

    const QString large = join(parent, name + QStringLiteral("@2x.png"));
    return QFileInfo::exists(large) ? large : join(parent, name + QStringLiteral(".png"));
}

bool DataCentre::packageDocument(const QString& pagePathWithoutExtension, const QString& documentPath)
{
    return DocumentArchiver::zipDocument(pagePathWithoutExtension, documentPath);
}
