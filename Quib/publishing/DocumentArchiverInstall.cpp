#include "publishing/DocumentArchiverInstall.h"

#include "document/DocumentArchiver.h"
#include "publishing/UploadFTPS.h"
#include "publishing/ZipArchive.h"

namespace {

bool report(bool ok, const UploadFTPS& upload, QString* error)
{
    if (!ok && error)
        *error = upload.lastErrorText();
    return ok;
}

} // namespace

void DocumentArchiverInstall::install()
{
    // A fresh UploadFTPS per operation: the class keeps per-use state.
    DocumentArchiver::Hooks hooks;
    hooks.zipDocument = [](const QString& pageFolder, const QString& archivePath, QString* error) {
        UploadFTPS upload;
        return report(upload.zipDocument(pageFolder, archivePath), upload, error);
    };
    hooks.zipDocumentWithFolder = [](const QString& pageFolder, const QString& archivePath, QString* error) {
        UploadFTPS upload;
        return report(upload.zipDocument_mailchimp(pageFolder, archivePath), upload, error);
    };
    hooks.unzipDocument = [](const QString& archivePath, const QString& targetFolder, QString* error) {
        UploadFTPS upload;
        return report(upload.unzipDocument(archivePath, targetFolder), upload, error);
    };
    hooks.readDocument = [](const QString& archivePath, std::vector<DocumentArchiver::Member>* members,
                            QString* error) {
        ZipArchive archive;
        std::vector<ZipArchive::MemoryMember> read;
        if (!archive.readInto(archivePath, &read)) {
            if (error)
                *error = archive.errorText();
            return false;
        }
        members->clear();
        members->reserve(read.size());
        for (ZipArchive::MemoryMember& member : read)
            members->push_back({member.relativePath, member.isFolder, std::move(member.bytes)});
        return true;
    };
    DocumentArchiver::install(hooks);
}
