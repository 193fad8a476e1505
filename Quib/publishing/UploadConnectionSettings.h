// Everything one FTP, FTPS or SFTP job needs to reach the server, in one value that a window can
// hand to a worker thread. The password travels here from the secret store; it is never logged.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

struct UploadConnectionSettings
{
    QString server;
    QString userName;
    QString password;
    // Below the login folder; "" is the login folder itself.
    QString remoteDirectory;
    qint32 port = 21;
    // "FTP", "FTPS" or "SFTP".
    QString protocolType = QStringLiteral("FTP");
    bool passiveMode = true;
    // The web address of the remote directory, for the connection test's download.
    QString baseURL;
    // Extra certificate authorities (PEM) for FTPS; "" uses the system's.
    QString caFile;
    // SHA-256 fingerprint ("AB:CD:…") of a server certificate the user chose to trust for this profile.
    QString trustedCertificateFingerprint;
    // Where SFTP host keys are trusted on first use; "" means the application's own file.
    QString knownHostsFile;

    // The stored settings as the transfers read them, with "baseurl". The password is whatever the
    // user defaults hold; callers with a secret store put theirs in its place.
    static UploadConnectionSettings fromUserDefaults();
    // The application's own known-hosts file, in its configuration folder.
    static QString defaultKnownHostsFile();

    // The base URL with "http://" in front when it names no scheme; any scheme in any letter case
    // ("HTTP://", "https://", "ftp://") counts. Texts of up to 4 characters are left as they are.
    static QString URLCheck(const QString& text);

    // The server as the host part of a URL: a name (in its ASCII form) or an address, IPv6 in
    // brackets; "" for anything else, so that nothing typed can reach the URL's other parts.
    static QByteArray urlHost(const QString& server);

    // The remote path split into folder names, each checked: false (with why in errorText) for a name
    // holding a control character, or "." / "..". Empty segments from doubled slashes are dropped.
    static bool remoteSegments(const QString& path, QStringList& segments, QString* errorText);
};
