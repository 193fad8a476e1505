#include "publishing/UploadFTPS.h"

#include "platform/StringRules.h"
#include "platform/UserDefaults.h"
#include "publishing/ZipArchive.h"

#include <QFileInfo>

namespace {

constexpr int kFtpPort = 21;
constexpr int kSftpPort = 22;

// The page folder's path without trailing slashes, so that side files are found by suffix.
QString folderPath(const QString& pageFolderPath)
{
    QString path = pageFolderPath;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

void UploadFTPS::grabCurrentSettings()
{
    const platform::UserDefaults& defaults = platform::UserDefaults::standard();
    const auto storedText = [&defaults](const char* key) {
        return defaults.stringForKey(QLatin1String(key));
    };

    if (const QString server = storedText("server"); !server.isEmpty())
        m_server = server;
    if (const QString userName = storedText("username"); !userName.isEmpty())
        m_userName = userName;
    if (const QString password = storedText("password"); !password.isEmpty())
        m_password = password;
    m_remoteDirectory = storedText("remotepath");
    if (m_remoteDirectory.isNull())
        m_remoteDirectory = QLatin1String("");

    determineFTPMode();

    // Anything but SFTP and FTPS is plain FTP.
    const QString type = storedText("connectiontype");
    m_protocolType =
        (type == QLatin1String("SFTP") || type == QLatin1String("FTPS")) ? type : QStringLiteral("FTP");

    // SFTP listens on 22 by default, FTP and FTPS on 21. A value that is no port at all counts as unset.
    const int port = platform::intValue(storedText("portnumber"));
    if (port > 0 && port <= 65535)
        m_port = port;
    else
        m_port = m_protocolType == QLatin1String("SFTP") ? kSftpPort : kFtpPort;
}

void UploadFTPS::determineFTPMode()
{
    m_passiveMode = platform::UserDefaults::standard().stringForKey(QStringLiteral("connectionmode")) !=
                    QLatin1String("Active");
}

bool UploadFTPS::writeArchive(ZipArchive& archive, const QString& archivePath)
{
    if (archive.writeTo(archivePath)) {
        m_lastErrorText.clear();
        return true;
    }
    m_lastErrorText = archive.errorText();
    return false;
}

bool UploadFTPS::zipDocument(const QString& pageFolderPath, const QString& archivePath)
{
    const QString folder = folderPath(pageFolderPath);
    ZipArchive archive;
    if (!archive.addTree(folder, QString())) {
        m_lastErrorText = archive.errorText();
        return false;
    }
    // Form editions keep their page as PHP; a missing page file or thumbnail is simply left out.
    const bool formDocument = platform::pathExtension(archivePath) == QLatin1String("selvaro");
    const QString pageFile = folder + (formDocument ? QStringLiteral(".php") : QStringLiteral(".html"));
    archive.addFile(pageFile, QFileInfo(pageFile).fileName());
    for (const QString& thumbnail : {folder + QStringLiteral(".png"), folder + QStringLiteral("@2x.png")})
        archive.addFile(thumbnail, QFileInfo(thumbnail).fileName());
    return writeArchive(archive, archivePath);
}

bool UploadFTPS::zipDocument_mailchimp(const QString& pageFolderPath, const QString& archivePath)
{
    const QString folder = folderPath(pageFolderPath);
    const QString name = QFileInfo(folder).fileName() + u'/';
    ZipArchive archive;
    if (!QFileInfo(folder).isDir()) {
        m_lastErrorText = QStringLiteral("\"%1\" is not a readable folder").arg(folder);
        return false;
    }
    archive.addFolder(name);
    if (!archive.addTree(folder, name)) {
        m_lastErrorText = archive.errorText();
        return false;
    }
    for (const QString& suffix : {QStringLiteral(".html"), QStringLiteral(".php"), QStringLiteral(".png"),
                                  QStringLiteral("@2x.png")}) {
        const QString side = folder + suffix;
        archive.addFile(side, QFileInfo(side).fileName());
    }
    return writeArchive(archive, archivePath);
}

bool UploadFTPS::unzipDocument(const QString& archivePath, const QString& targetFolder)
{
    ZipArchive archive;
    if (archive.extractTo(archivePath, targetFolder)) {
        m_lastErrorText.clear();
        return true;
    }
    m_lastErrorText = archive.errorText();
    return false;
}
