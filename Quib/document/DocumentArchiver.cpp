#include "document/DocumentArchiver.h"

namespace {

DocumentArchiver::Hooks& hooks()
{
    static DocumentArchiver::Hooks installed;
    return installed;
}

bool notInstalled(QString* error)
{
    if (error)
        *error = QStringLiteral("no page archiver is installed");
    return false;
}

} // namespace

void DocumentArchiver::install(const Hooks& newHooks)
{
    hooks() = newHooks;
}

const DocumentArchiver::Hooks& DocumentArchiver::installed()
{
    return hooks();
}

bool DocumentArchiver::isInstalled()
{
    return hooks().zipDocument && hooks().zipDocumentWithFolder && hooks().unzipDocument &&
           hooks().readDocument;
}

bool DocumentArchiver::zipDocument(const QString& pageFolder, const QString& archivePath, QString* error)
{
    return hooks().zipDocument ? hooks().zipDocument(pageFolder, archivePath, error) : notInstalled(error);
}

bool DocumentArchiver::zipDocumentWithFolder(const QString& pageFolder, const QString& archivePath,
                                             QString* error)
{
    return hooks().zipDocumentWithFolder ? hooks().zipDocumentWithFolder(pageFolder, archivePath, error)
                                         : notInstalled(error);
}

bool DocumentArchiver::unzipDocument(const QString& archivePath, const QString& targetFolder, QString* error)
{
    return hooks().unzipDocument ? hooks().unzipDocument(archivePath, targetFolder, error)
                                 : notInstalled(error);
}

bool DocumentArchiver::readDocument(const QString& archivePath, std::vector<Member>* members, QString* error)
{
    return hooks().readDocument ? hooks().readDocument(archivePath, members, error) : notInstalled(error);
}
