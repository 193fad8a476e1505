// One transfer connection, made by the quib_transfer module that CurlSession loads on first use, so
// that starting the application does not load libcurl with its TLS, SSH, LDAP and Kerberos libraries.
// Only pure virtual functions and inline Qt code cross between the two sides: the module needs no
// symbol of the program. Each function does what CurlSession's of the same name documents.
#pragma once
#include <QByteArray>
#include <QCryptographicHash>
#include <QList>
#include <QString>

class CurlTransfer
{
public:
    virtual ~CurlTransfer() = default;

    virtual void setCredentials(const QString& userName, const QString& password) = 0;
    virtual void setPassive(bool passive) = 0;
    virtual void requireTls(const QString& caFile, const QString& trustedFingerprint) = 0;
    virtual void useKnownHosts(const QString& knownHostsFile) = 0;
    virtual void setTimeLimits(int connectMs, int idleMs) = 0;
    virtual void setTotalTimeLimit(int ms) = 0;
    virtual void setVerboseTrace(bool verbose) = 0;

    virtual bool probe(const QByteArray& url) = 0;
    virtual bool quote(const QByteArray& url, const QList<QByteArray>& commands) = 0;
    virtual bool put(const QByteArray& url, const QString& localPath, const QList<QByteArray>& commandsFirst) = 0;
    virtual bool get(const QByteArray& url, QByteArray& body, qint64 maxBytes) = 0;
    virtual bool post(const QByteArray& url, const QList<QByteArray>& headers, const QByteArray& body,
                      QByteArray& response, qint64 maxBytes) = 0;
    virtual bool sendMail(const QByteArray& url, const QByteArray& from, const QList<QByteArray>& recipients,
                          const QByteArray& message) = 0;

    virtual QString errorText() const = 0;
    virtual int resultCode() const = 0;
    virtual long responseCode() const = 0;
    virtual QString entryPath() const = 0;
    virtual bool sshAuthenticated() const = 0;
    virtual bool hostKeyChanged() const = 0;
    virtual QString refusedCertificateFingerprint() const = 0;
    virtual QString trace() const = 0;

    virtual bool activeTlsDataWorks() const = 0;
};

// "AB:CD:…" of the SHA-256 of a certificate's DER bytes: how both sides name a certificate.
inline QString certificateFingerprint(const QByteArray& der)
{
    return QString::fromLatin1(QCryptographicHash::hash(der, QCryptographicHash::Sha256).toHex(':').toUpper());
}

// The module's one exported function: a new transfer, or nullptr when the module was built for another
// interface version.
constexpr int kCurlTransferVersion = 1;
inline constexpr const char* kCurlTransferFactoryName = "quibCreateCurlTransfer";
