// The one class through which the system reaches the network and builds or opens page document
// archives. Each use makes a fresh instance, configures it, calls one operation and drops it.
// Used by one thread at a time; it takes no locks.
//
// Uploads (FTP, explicit FTPS, SFTP), on the worker thread that runs the job:
//   UploadFTPS upload;
//   upload.setDelegate(&delegate);          // one delegate per job
//   upload.applySettings(settings);         // or grabCurrentSettings() and setPassword_local()
//   upload.setUploadItemArray(items);
//   upload.createNewFolder(QStringLiteral("page"));
//   upload.uploadSingleFile();               // one UploadUpdate per item; a NO call ends the run
// Remote paths are below the login folder. A refused FTPS certificate leaves its SHA-256 fingerprint
// in refusedCertificateFingerprint(); putting it in trustedCertificateFingerprint lets it through.
//
// Connection test (the settings sheet's Test button), on a worker thread:
//   ConnectionTestResult result = UploadFTPS::testConnection(settings, &testDelegate);
// It uploads "app_ftp_test.html" (content "Test file") into the remote directory, then fetches
// baseURL + "/app_ftp_test.html" and compares; see ConnectionTest.h for the result and delegate.
#pragma once
#include "publishing/ConnectionTest.h"
#include "publishing/MailSettings.h"
#include "publishing/UploadConnectionSettings.h"
#include "publishing/UploadItem.h"

#include <QList>
#include <QString>
#include <QStringList>

class CurlSession;
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

    // Takes every connection value from settings (the password included); the passive choice stays as
    // given instead of following the stored one.
    void applySettings(const UploadConnectionSettings& settings);
    UploadConnectionSettings connectionSettings() const;

    // ---- transfers ----

    // Creates folderName inside the remote directory (SFTP or FTP/FTPS by the protocol). Reports
    // nothing: a folder that exists already or cannot be made shows up in the upload that follows.
    void createNewFolder(const QString& folderName);
    // Sends the whole queue on one connection, one delegate call per item (see the delegate).
    void uploadSingleFile();

    // The fingerprint of the certificate the last FTPS connection refused, "" when none was.
    QString refusedCertificateFingerprint() const { return m_refusedFingerprint; }
    // True when the last SFTP connection was refused because the server's host key changed.
    bool hostKeyChanged() const { return m_hostKeyChanged; }
    // The last connection's conversation, PASS and AUTH lines blanked; verbose adds curl's notes.
    QString connectionTrace() const { return m_trace; }
    void setVerboseTrace(bool verbose) { m_verboseTrace = verbose; }
    // SFTP connect and idle limit; 15 s unless a test needs it shorter.
    int sftpTimeLimitMs() const { return m_sftpTimeLimitMs; }
    void setSftpTimeLimitMs(int ms) { m_sftpTimeLimitMs = ms; }

    QString caFile() const { return m_caFile; }
    void setCaFile(const QString& path) { m_caFile = path; }
    QString trustedCertificateFingerprint() const { return m_trustedFingerprint; }
    void setTrustedCertificateFingerprint(const QString& fingerprint) { m_trustedFingerprint = fingerprint; }
    QString knownHostsFile() const { return m_knownHostsFile; }
    void setKnownHostsFile(const QString& path) { m_knownHostsFile = path; }

    // The connection test, run whole on the calling (worker) thread; see ConnectionTest.
    static ConnectionTestResult testConnection(const UploadConnectionSettings& settings,
                                               ConnectionTestDelegate* delegate)
    {
        return ConnectionTest::run(settings, delegate);
    }

    // ---- HTML e-mail ----

    // Loads the sender's SMTP settings (MailSettings::fromUserDefaults); sendMail calls it first.
    void populateMail();
    const MailSettings& mailSettings() const { return m_mail; }
    // Sends the page at htmlPath over SMTP (see MailSender); "emailOption" "coder" sends its text
    // as it stands. Calls the delegate's sendMailUpdate once with the result and the mail log.
    bool sendMail(const QString& htmlPath, const QString& subject, const QStringList& to,
                  const QStringList& cc, const QStringList& bcc);

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
    // The remote directory's segments followed by folderName's; false when a name is refused.
    bool newFolderSegments(const QString& folderName, QStringList& segments) const;
    void createFolder(const QString& folderName);
    void createSFTPFolder(const QString& folderName);
    void uploadFTP();
    void uploadSFTP();
    bool isFTPS() const { return m_protocolType == QLatin1String("FTPS"); }
    void configure(CurlSession& session, bool sftp);
    void finishSession(const CurlSession& session);
    // scheme://host:port/ followed by the segments, percent-encoded, and a last name or "/".
    QByteArray remoteUrl(bool sftp, const QStringList& segments, const QString& fileName = QString()) const;
    void report(bool result, const QString& details, qint32 index);
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
    QString m_caFile;
    QString m_trustedFingerprint;
    QString m_knownHostsFile;
    QString m_refusedFingerprint;
    bool m_hostKeyChanged = false;
    QString m_trace;
    bool m_verboseTrace = false;
    int m_sftpTimeLimitMs = 15000;
    // Settings loaded from the user defaults follow the stored mode at each connection; settings
    // handed over whole keep theirs.
    bool m_modeFromDefaults = false;
    MailSettings m_mail;
};
