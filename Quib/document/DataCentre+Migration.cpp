// Page packages of a website: laying a page document out as working files beside the other pages,
// and packing such files back into a page document.
#include "editions/DataCentre.h"

#include "document/DocumentArchiver.h"
#include "editions/EditionSettings.h"
#include "platform/Format.h"
#include "platform/StringRules.h"

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

} // namespace

QString DataCentre::migrateWebsitePage(const QString& documentPath, const QString& destination)
{
    const QString documentName = platform::lastPathComponent(documentPath);
    const QString base = platform::stringByDeletingPathExtension(documentName);
    const QString parent = platform::stringByDeletingLastPathComponent(cleanFolder(destination));

    if (edition().gResponsiveLayoutFlag) {
        // These packages hold their members under the page's folder already.
        if (!DocumentArchiver::unzipDocument(documentPath, parent))
            return QStringLiteral("");
        return join(parent, base + QStringLiteral("@2x.png"));
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
    QDir().rename(join(destination, page), join(parent, name + u'.' + extension));
    const QString archivedName = platform::stringByDeletingPathExtension(page);
    QDir().rename(join(destination, archivedName + QStringLiteral(".png")),
                  join(parent, name + QStringLiteral(".png")));
    QDir().rename(join(destination, archivedName + QStringLiteral("@2x.png")),
                  join(parent, name + QStringLiteral("@2x.png")));
    // What is left is the page's image folder.
    const QString imageFolder = join(parent, name);
    if (cleanFolder(destination) != cleanFolder(imageFolder))
        QDir().rename(destination, imageFolder);

    const QString large = join(parent, name + QStringLiteral("@2x.png"));
    return QFileInfo::exists(large) ? large : join(parent, name + QStringLiteral(".png"));
}

bool DataCentre::packageDocument(const QString& pagePathWithoutExtension, const QString& documentPath)
{
    return DocumentArchiver::zipDocument(pagePathWithoutExtension, documentPath);
}
