#include "publishing/UploadFTPS.h"

#include "platform/StringRules.h"
#include "platform/UserDefaults.h"
#include "publishing/CurlSession.h"
#include "publishing/MailSender.h"
#include "publishing/UploadFTPSViewDelegate.h"
#include "publishing/UploadLogTexts.h"
#include "publishing/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

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

// FTP and FTPS have no limit of their own; this only keeps a silent server from holding a job forever.
constexpr int kFtpIdleLimitMs = 120000;

const QString kTitle = QString::fromLatin1(UploadLogTexts::kLogTitle);

QString portText(qint32 port)
{
    return QString::number(port);
}

// Folder names for FTP commands: the raw segments, already free of control characters.
QByteArray commandPath(const QStringList& segments)
{
    return segments.join(u'/').toUtf8();
}

// MKD for the folder below the login folder. Commands run before curl changes folder, wherever the
// last operation left the server, so the path starts at the login folder the server named.
QByteArray makeFolderCommand(const CurlSession& session, const QStringList& segments)
{
    QString entry = session.entryPath();
    const bool plain = std::none_of(entry.cbegin(), entry.cend(),
                                    [](QChar c) { return c.category() == QChar::Other_Control; });
    if (!plain)
        entry.clear();
    if (!entry.isEmpty() && !entry.endsWith(u'/'))
        entry += u'/';
    return "MKD " + entry.toUtf8() + commandPath(segments);
}

// An SFTP command path below the login folder (relative paths start there), quoted for curl's
// command parser.
QByteArray sftpCommandPath(const QStringList& segments)
{
    QByteArray path = commandPath(segments);
    path.replace('\\', "\\\\").replace('"', "\\\"");
    return '"' + path + '"';
}

} // namespace

void UploadFTPS::applySettings(const UploadConnectionSettings& settings)
{
    m_server = settings.server;
    m_userName = settings.userName;
    m_password = settings.password;
    m_remoteDirectory = settings.remoteDirectory;
    m_port = settings.port;
    m_protocolType = settings.protocolType;
    m_passiveMode = settings.passiveMode;
    m_caFile = settings.caFile;
    m_trustedFingerprint = settings.trustedCertificateFingerprint;
    m_knownHostsFile = settings.knownHostsFile;
    m_modeFromDefaults = false;
}

UploadConnectionSettings UploadFTPS::connectionSettings() const
{
    UploadConnectionSettings settings;
    settings.server = m_server;
    settings.userName = m_userName;
    settings.password = m_password;
    settings.remoteDirectory = m_remoteDirectory;
    settings.port = m_port;
    settings.protocolType = m_protocolType;
    settings.passiveMode = m_passiveMode;
    settings.caFile = m_caFile;
    settings.trustedCertificateFingerprint = m_trustedFingerprint;
    settings.knownHostsFile = m_knownHostsFile;
    return settings;
}

void UploadFTPS::populateMail()
{
    m_mail = MailSettings::fromUserDefaults();
    m_smtpSSL = m_mail.ssl();
    m_smtpTLS = m_mail.tls();
}

bool UploadFTPS::sendMail(const QString& htmlPath, const QString& subject, const QStringList& to,
                          const QStringList& cc, const QStringList& bcc)
{
    populateMail();
    MailSender sender(m_mail);
    sender.setCaFile(m_caFile);
    const bool coder = platform::UserDefaults::standard().stringForKey(QStringLiteral("emailOption")) ==
                       QLatin1String("coder");
    const MailSendResult result = sender.send(htmlPath, subject, to, cc, bcc, coder);
    m_lastErrorText = result.sent ? QString() : result.log;
    if (m_delegate)
        m_delegate->sendMailUpdate(this, result.sent, result.log);
    return result.sent;
}

void UploadFTPS::report(bool result, const QString& details, qint32 index)
{
    if (m_delegate)
        m_delegate->UploadUpdate(this, result, details, index);
}

QByteArray UploadFTPS::remoteUrl(bool sftp, const QStringList& segments, const QString& fileName) const
{
    QByteArray url = (sftp ? "sftp://" : "ftp://") + UploadConnectionSettings::urlHost(m_server) + ':' +
                     QByteArray::number(m_port) + '/';
    if (sftp)
        url += "~/";
    for (const QString& segment : segments)
        url += QUrl::toPercentEncoding(segment) + '/';
    if (!fileName.isEmpty())
        url += QUrl::toPercentEncoding(fileName);
    return url;
}

void UploadFTPS::configure(CurlSession& session, bool sftp)
{
    session.setVerboseTrace(m_verboseTrace);
    session.setCredentials(m_userName, m_password);
    if (sftp) {
        const QString knownHosts =
            m_knownHostsFile.isEmpty() ? UploadConnectionSettings::defaultKnownHostsFile() : m_knownHostsFile;
        // Its folder must exist for the first key to be written; only the user reads it.
        const QString folder = QFileInfo(knownHosts).absolutePath();
        if (!QFileInfo::exists(folder) && QDir().mkpath(folder))
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        session.useKnownHosts(knownHosts);
        session.setTimeLimits(m_sftpTimeLimitMs, m_sftpTimeLimitMs);
        return;
    }
    if (m_modeFromDefaults)
        determineFTPMode();
    // Never let an FTPS file travel in the clear: where this libcurl would, passive mode stands in.
    session.setPassive(m_passiveMode || (isFTPS() && !CurlSession::activeTlsDataWorks()));
    session.setTimeLimits(kFtpIdleLimitMs, kFtpIdleLimitMs);
    if (isFTPS())
        session.requireTls(m_caFile, m_trustedFingerprint);
}

void UploadFTPS::finishSession(const CurlSession& session)
{
    m_trace = session.trace();
    m_refusedFingerprint = session.refusedCertificateFingerprint();
    m_hostKeyChanged = session.hostKeyChanged();
}

void UploadFTPS::createNewFolder(const QString& folderName)
{
    if (m_protocolType == QLatin1String("SFTP"))
        createSFTPFolder(folderName);
    else
        createFolder(folderName);
}

void UploadFTPS::uploadSingleFile()
{
    m_refusedFingerprint.clear();
    m_hostKeyChanged = false;
    if (m_protocolType == QLatin1String("SFTP"))
        uploadSFTP();
    else
        uploadFTP();
}

bool UploadFTPS::newFolderSegments(const QString& folderName, QStringList& segments) const
{
    QStringList name;
    if (!UploadConnectionSettings::remoteSegments(m_remoteDirectory, segments, nullptr) ||
        !UploadConnectionSettings::remoteSegments(folderName, name, nullptr) || name.isEmpty())
        return false;
    segments += name;
    return true;
}

void UploadFTPS::createFolder(const QString& folderName)
{
    QStringList segments;
    if (!newFolderSegments(folderName, segments))
        return;
    CurlSession session;
    configure(session, false);
    if (session.probe(remoteUrl(false, {})))
        session.quote(remoteUrl(false, {}), {makeFolderCommand(session, segments)});
    finishSession(session);
}

void UploadFTPS::createSFTPFolder(const QString& folderName)
{
    QStringList segments;
    if (!newFolderSegments(folderName, segments))
        return;
    CurlSession session;
    configure(session, true);
    session.quote(remoteUrl(true, {}), {"*mkdir " + sftpCommandPath(segments)});
    finishSession(session);
}

void UploadFTPS::uploadFTP()
{
    CurlSession session;
    configure(session, false);
    const QString protocol = isFTPS() ? QStringLiteral("FTP/SSL") : QStringLiteral("FTP");
    const QString port = portText(m_port);

    if (!session.probe(remoteUrl(false, {}))) {
        QString raw = session.errorText();
        if (!session.refusedCertificateFingerprint().isEmpty())
            raw += UploadLogTexts::fill(UploadLogTexts::kCertificateRefused,
                                        {session.refusedCertificateFingerprint()});
        const QString mode = m_passiveMode ? QStringLiteral("Passive") : QStringLiteral("Active");
        const QString text = isFTPS() ? UploadLogTexts::fill(UploadLogTexts::kFTPSConnectFail,
                                                             {kTitle, m_server, port, protocol, mode,
                                                              m_userName, protocol, protocol, port, raw})
                                      : UploadLogTexts::fill(UploadLogTexts::kFTPConnectFail,
                                                             {kTitle, m_server, port, protocol, mode,
                                                              m_userName, protocol, port, raw});
        finishSession(session);
        report(false, text, 0);
        return;
    }
    QString log = UploadLogTexts::fill(UploadLogTexts::kConnectedFTP, {kTitle, m_server, port, protocol});

    for (qint32 index = 0; index < m_uploadItemArray.size(); ++index) {
        const UploadItem& item = m_uploadItemArray.at(index);
        QStringList segments;
        QStringList folder;
        QString why;
        const bool named = UploadConnectionSettings::remoteSegments(m_remoteDirectory, segments, &why) &&
                           UploadConnectionSettings::remoteSegments(item.remoteFolder(), folder, &why);
        segments += folder;
        const QString folderLabel = u'/' + segments.join(u'/');
        bool entered = named && session.probe(remoteUrl(false, segments));
        if (named && !entered && !segments.isEmpty()) {
            // One level only: a missing parent must still show as a wrong remote path.
            session.quote(remoteUrl(false, {}), {makeFolderCommand(session, segments)});
            entered = session.probe(remoteUrl(false, segments));
        }
        if (!entered) {
            log = UploadLogTexts::fill(UploadLogTexts::kDirFail,
                                       {log, folderLabel, named ? session.errorText() : why});
            finishSession(session);
            report(false, log, index);
            return;
        }
        log = UploadLogTexts::fill(UploadLogTexts::kChangedDir, {log, folderLabel});
        QStringList fileName;
        const bool fileNamed =
            UploadConnectionSettings::remoteSegments(item.remoteFileName(), fileName, &why) &&
            fileName.size() == 1;
        if (fileNamed && session.put(remoteUrl(false, segments, fileName.first()), item.localPath())) {
            log = UploadLogTexts::fill(UploadLogTexts::kUploaded, {log, item.remoteFileName()});
            report(true, log, index);
            continue;
        }
        if (fileNamed)
            why = session.errorText();
        else if (why.isEmpty())
            why = QStringLiteral("The file name \"%1\" is not a single name.").arg(item.remoteFileName());
        log = UploadLogTexts::fill(UploadLogTexts::kPutFail, {log, item.remoteFileName(), why});
        finishSession(session);
        report(false, log, index);
        return;
    }
    finishSession(session);
}

void UploadFTPS::uploadSFTP()
{
    CurlSession session;
    configure(session, true);
    const QString port = portText(m_port);
    const QString protocol = QStringLiteral("SFTP");
    const QString connected =
        UploadLogTexts::fill(UploadLogTexts::kSFTPConnected, {kTitle, m_server, port, protocol});
    const QString loggedIn = UploadLogTexts::fill(UploadLogTexts::kLoggedIn, {connected, m_userName});

    // One call connects, logs in and opens the channel; what curl noted on the way tells the steps apart.
    if (!session.probe(remoteUrl(true, {}))) {
        QString text;
        if (CurlSession::isLoginRefusal(session.resultCode())) {
            text = UploadLogTexts::fill(UploadLogTexts::kLoginFail, {connected, m_userName});
        } else if (session.sshAuthenticated()) {
            text = UploadLogTexts::fill(UploadLogTexts::kInitFail, {loggedIn});
        } else {
            text = UploadLogTexts::fill(UploadLogTexts::kSFTPConnectFail,
                                        {kTitle, m_server, port, protocol, protocol, protocol, port});
            if (session.hostKeyChanged())
                text += UploadLogTexts::fill(UploadLogTexts::kHostKeyChanged,
                                             {m_knownHostsFile.isEmpty()
                                                  ? UploadConnectionSettings::defaultKnownHostsFile()
                                                  : m_knownHostsFile});
        }
        finishSession(session);
        report(false, text, 0);
        return;
    }
    QString log = UploadLogTexts::fill(UploadLogTexts::kInitOK, {loggedIn});

    for (qint32 index = 0; index < m_uploadItemArray.size(); ++index) {
        const UploadItem& item = m_uploadItemArray.at(index);
        QStringList segments;
        QStringList folder;
        QStringList fileName;
        const bool named =
            UploadConnectionSettings::remoteSegments(m_remoteDirectory, segments, nullptr) &&
            UploadConnectionSettings::remoteSegments(item.remoteFolder(), folder, nullptr) &&
            UploadConnectionSettings::remoteSegments(item.remoteFileName(), fileName, nullptr) &&
            fileName.size() == 1;
        segments += folder;
        const QString remotePath = (segments + QStringList{item.remoteFileName()}).join(u'/');
        QList<QByteArray> makeFolder;
        if (!folder.isEmpty())
            makeFolder.append("*mkdir " + sftpCommandPath(segments));
        if (named && session.put(remoteUrl(true, segments, fileName.first()), item.localPath(), makeFolder)) {
            log = UploadLogTexts::fill(UploadLogTexts::kUploaded, {log, remotePath});
            report(true, QString::fromLatin1(UploadLogTexts::kSftpSuccess), index);
            continue;
        }
        log = UploadLogTexts::fill(UploadLogTexts::kSFTPPutFail, {log, remotePath});
        finishSession(session);
        report(false, log, index);
        return;
    }
    finishSession(session);
}

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
    m_modeFromDefaults = true;

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
