// One libcurl easy handle kept for a whole upload run, so FTP and SFTP log in once and reuse the
// connection for every folder and file. It keeps a trace of the conversation with PASS and AUTH
// lines blanked out, a readable error text for the last failure, and what went wrong with the
// server's identity: the refused TLS certificate's fingerprint or a changed SSH host key. The work
// is done by the transfer module, loaded with the first session.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class CurlTransfer;

class CurlSession
{
public:
    CurlSession();
    ~CurlSession();
    CurlSession(const CurlSession&) = delete;
    CurlSession& operator=(const CurlSession&) = delete;

    // ---- before the first operation ----
    void setCredentials(const QString& userName, const QString& password);
    // FTP and FTPS: active data connections when passive is false.
    void setPassive(bool passive);
    // False when this libcurl cannot protect active-mode FTPS data connections.
    static bool activeTlsDataWorks();
    // FTPS: TLS required on control and data connections, peer and host verified against the system's
    // authorities plus caFile, or a certificate whose SHA-256 fingerprint is trustedFingerprint.
    void requireTls(const QString& caFile, const QString& trustedFingerprint);
    // SFTP: host keys checked against knownHostsFile; a new host is added, a changed key refused.
    void useKnownHosts(const QString& knownHostsFile);
    // Limits the connection phase and any stall of more than limitMs without data.
    void setTimeLimits(int connectMs, int idleMs);
    // Limits the whole of each operation (the web check's 60 s).
    void setTotalTimeLimit(int ms);
    // Adds curl's own verbose lines to the trace (always redacted).
    void setVerboseTrace(bool verbose);

    // ---- operations; each returns true on success ----
    // Connects and logs in (FTP: and changes to url's folder).
    bool probe(const QByteArray& url);
    // Sends commands before the request of url (FTP: before changing folder); a leading "*"
    // lets a command fail without failing the operation.
    bool quote(const QByteArray& url, const QList<QByteArray>& commands);
    bool put(const QByteArray& url, const QString& localPath, const QList<QByteArray>& commandsFirst = {});
    // Downloads url into body, at most maxBytes; fresh from the server, never from a cache.
    bool get(const QByteArray& url, QByteArray& body, qint64 maxBytes);
    // HTTP POST of body with extra header lines ("Name: value"); the answer's body, at most maxBytes,
    // into response. True when an answer came, whatever its status (see responseCode()).
    bool post(const QByteArray& url, const QList<QByteArray>& headers, const QByteArray& body,
              QByteArray& response, qint64 maxBytes);
    // SMTP: url is smtp:// (STARTTLS when requireTls was called) or smtps://. Sends message to every
    // recipient; true once the server accepted the message's data (a failing QUIT does not count).
    bool sendMail(const QByteArray& url, const QByteArray& from, const QList<QByteArray>& recipients,
                  const QByteArray& message);

    // ---- after an operation ----
    QString errorText() const;
    int resultCode() const;
    long responseCode() const;
    QString entryPath() const;
    // True once the SSH login was accepted in this session.
    bool sshAuthenticated() const;
    bool hostKeyChanged() const;
    QString refusedCertificateFingerprint() const;
    QString trace() const;

    static bool isLoginRefusal(int resultCode);
    // "AB:CD:…" of the SHA-256 of der.
    static QString fingerprint(const QByteArray& der);

private:
    // Nothing when the module could not be had; every operation then fails with the reason.
    std::unique_ptr<CurlTransfer> m_transfer;
    QString m_unavailable;
};
