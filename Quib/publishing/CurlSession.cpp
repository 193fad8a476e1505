#include "publishing/CurlSession.h"

#include "publishing/CurlTransfer.h"
#include "publishing/TransferModule.h"

// For curl's result codes only: the library itself is the module's.
#include <curl/curl.h>

CurlSession::CurlSession()
{
    QString error;
    m_transfer = transferModule().make<CurlTransfer>(kCurlTransferFactoryName, kCurlTransferVersion, error);
    if (!m_transfer)
        m_unavailable = QStringLiteral("The transfer library could not start: ") + error;
}

CurlSession::~CurlSession() = default;

void CurlSession::setCredentials(const QString& userName, const QString& password)
{
    if (m_transfer)
        m_transfer->setCredentials(userName, password);
}

void CurlSession::setPassive(bool passive)
{
    if (m_transfer)
        m_transfer->setPassive(passive);
}

bool CurlSession::activeTlsDataWorks()
{
    const CurlSession session;
    return session.m_transfer && session.m_transfer->activeTlsDataWorks();
}

void CurlSession::requireTls(const QString& caFile, const QString& trustedFingerprint)
{
    if (m_transfer)
        m_transfer->requireTls(caFile, trustedFingerprint);
}

void CurlSession::useKnownHosts(const QString& knownHostsFile)
{
    if (m_transfer)
        m_transfer->useKnownHosts(knownHostsFile);
}

void CurlSession::setTimeLimits(int connectMs, int idleMs)
{
    if (m_transfer)
        m_transfer->setTimeLimits(connectMs, idleMs);
}

void CurlSession::setTotalTimeLimit(int ms)
{
    if (m_transfer)
        m_transfer->setTotalTimeLimit(ms);
}

void CurlSession::setVerboseTrace(bool verbose)
{
    if (m_transfer)
        m_transfer->setVerboseTrace(verbose);
}

bool CurlSession::probe(const QByteArray& url)
{
    return m_transfer && m_transfer->probe(url);
}

bool CurlSession::quote(const QByteArray& url, const QList<QByteArray>& commands)
{
    return m_transfer && m_transfer->quote(url, commands);
}

bool CurlSession::put(const QByteArray& url, const QString& localPath, const QList<QByteArray>& commandsFirst)
{
    return m_transfer && m_transfer->put(url, localPath, commandsFirst);
}

bool CurlSession::get(const QByteArray& url, QByteArray& body, qint64 maxBytes)
{
    body.clear();
    return m_transfer && m_transfer->get(url, body, maxBytes);
}

bool CurlSession::post(const QByteArray& url, const QList<QByteArray>& headers, const QByteArray& body,
                       QByteArray& response, qint64 maxBytes)
{
    response.clear();
    return m_transfer && m_transfer->post(url, headers, body, response, maxBytes);
}

bool CurlSession::sendMail(const QByteArray& url, const QByteArray& from, const QList<QByteArray>& recipients,
                           const QByteArray& message)
{
    return m_transfer && m_transfer->sendMail(url, from, recipients, message);
}

QString CurlSession::errorText() const
{
    return m_transfer ? m_transfer->errorText() : m_unavailable;
}

int CurlSession::resultCode() const
{
    return m_transfer ? m_transfer->resultCode() : int(CURLE_FAILED_INIT);
}

long CurlSession::responseCode() const
{
    return m_transfer ? m_transfer->responseCode() : 0;
}

QString CurlSession::entryPath() const
{
    return m_transfer ? m_transfer->entryPath() : QString();
}

bool CurlSession::sshAuthenticated() const
{
    return m_transfer && m_transfer->sshAuthenticated();
}

bool CurlSession::hostKeyChanged() const
{
    return m_transfer && m_transfer->hostKeyChanged();
}

QString CurlSession::refusedCertificateFingerprint() const
{
    return m_transfer ? m_transfer->refusedCertificateFingerprint() : QString();
}

QString CurlSession::trace() const
{
    return m_transfer ? m_transfer->trace() : QString();
}

bool CurlSession::isLoginRefusal(int resultCode)
{
    return resultCode == CURLE_LOGIN_DENIED;
}

QString CurlSession::fingerprint(const QByteArray& der)
{
    return certificateFingerprint(der);
}
