// The one class through which the system reaches the network and builds or opens page document
// archives. Each use makes a fresh instance, configures it, calls one operation and drops it.
// Used by one thread at a time; it takes no locks.
#pragma once
#include "publishing/UploadItem.h"

#include <QList>
#include <QString>
#include <QStringList>

class UploadFTPSViewDelegate;
class ZipArchive;

class UploadFTPS
{
public:
    // ---- connection settings ----

    // Loads the connection settings from the user defaults. Callers set delegate and
    // currentSiteFolder first.
    void grabCurrentSettings();
    // Re-reads the stored passive/active choice; FTP and FTPS connections call it just before connecting.
    void determineFTPMode();

    // ---- page document archive ----
    // Each returns true on success; after a failure lastErrorText() says why.

    // Layout A: the page folder's contents at the top level, then the page file (name.php when the
    // archive's extension is "selvaro", else name.html), name.png and name@2x.png.
    bool zipDocument(const QString& pageFolderPath, const QString& archivePath);
    // Layout B: the page folder itself as name/, then name.html and name.php where they exist,
    // name.png and name@2x.png.
    bool zipDocument_mailchimp(const QString& pageFolderPath, const QString& archivePath);
    // Extracts every member below targetFolder. Archives with members that would leave the folder,
    // links, or more members or bytes than a page can hold are refused with nothing written.
    bool unzipDocument(const QString& archivePath, const QString& targetFolder);

    QString lastErrorText() const { return m_lastErrorText; }

    // ---- properties ----

    UploadFTPSViewDelegate* delegate() const { return m_delegate; }
    void setDelegate(UploadFTPSViewDelegate* delegate) { m_delegate = delegate; } // not owned

    QList<UploadItem>& uploadItemArray() { return m_uploadItemArray; }
    const QList<UploadItem>& uploadItemArray() const { return m_uploadItemArray; }
    void setUploadItemArray(const QList<UploadItem>& items) { m_uploadItemArray = items; }
    QStringList& fileArray() { return m_fileArray; }
    const QStringList& fileArray() const { return m_fileArray; }
    void setFileArray(const QStringList& files) { m_fileArray = files; }

    QString currentSiteFolder() const { return m_currentSiteFolder; }
    void setCurrentSiteFolder(const QString& folder) { m_currentSiteFolder = folder; }
    QString server_local() const { return m_server; }
    void setServer_local(const QString& server) { m_server = server; }
    QString userName_local() const { return m_userName; }
    void setUserName_local(const QString& userName) { m_userName = userName; }
    QString password_local() const { return m_password; }
    void setPassword_local(const QString& password) { m_password = password; }
    QString remoteDirectory_local() const { return m_remoteDirectory; }
    void setRemoteDirectory_local(const QString& directory) { m_remoteDirectory = directory; }
    qint32 portnumber_local() const { return m_port; }
    void setPortnumber_local(qint32 port) { m_port = port; }
    QString FTPProtocolType_local() const { return m_protocolType; }
    void setFTPProtocolType_local(const QString& type) { m_protocolType = type; }
    bool FTPPassiveMode() const { return m_passiveMode; }
    void setFTPPassiveMode(bool passive) { m_passiveMode = passive; }
    bool smtpSSLFlag() const { return m_smtpSSL; }
    void setSmtpSSLFlag(bool flag) { m_smtpSSL = flag; }
    bool smtpTLSFlag() const { return m_smtpTLS; }
    void setSmtpTLSFlag(bool flag) { m_smtpTLS = flag; }

private:
    bool writeArchive(ZipArchive& archive, const QString& archivePath);

    UploadFTPSViewDelegate* m_delegate = nullptr;
    QList<UploadItem> m_uploadItemArray;
    QStringList m_fileArray;
    QString m_currentSiteFolder;
    QString m_server;
    QString m_userName;
    QString m_password;
    QString m_remoteDirectory;
    qint32 m_port = 0;
    QString m_protocolType;
    bool m_passiveMode = true;
    bool m_smtpSSL = false;
    bool m_smtpTLS = false;
    QString m_lastErrorText;
};
