#include "publishing/DropboxAuthorization.h"

#include "platform/Threads.h"
#include "platform/UrlOpener.h"
#include "publishing/DropboxSession.h"

#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>

namespace {

// A browser's request line and headers; anything longer is not the service coming back.
constexpr qint64 kMaxRequestBytes = 16 * 1024;

QByteArray randomState()
{
    QByteArray bytes(16, '\0');
    for (char& c : bytes)
        c = char(QRandomGenerator::system()->bounded(256));
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

void answer(QTcpSocket* socket, const QByteArray& status, const QString& text)
{
    const QByteArray body = QByteArrayLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Quib</title>"
                                              "</head><body><p>") +
                            text.toHtmlEscaped().toUtf8() + QByteArrayLiteral("</p></body></html>");
    socket->write(QByteArrayLiteral("HTTP/1.1 ") + status +
                  QByteArrayLiteral("\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
                                    "Cache-Control: no-store\r\nContent-Length: ") +
                  QByteArray::number(body.size()) + QByteArrayLiteral("\r\n\r\n") + body);
    socket->disconnectFromHost();
}

} // namespace

DropboxAuthorization::DropboxAuthorization(QObject* parent) : QObject(parent) {}

DropboxAuthorization::~DropboxAuthorization() = default;

bool DropboxAuthorization::start()
{
    cancel();
    m_verifier = DropboxSession::makeCodeVerifier();
    m_state = randomState();
    m_redirectUri.clear();
    auto* server = new QTcpServer(this);
    if (server->listen(QHostAddress::LocalHost, 0)) {
        m_server = server;
        connect(server, &QTcpServer::newConnection, this, &DropboxAuthorization::acceptConnection);
        m_redirectUri = QStringLiteral("http://127.0.0.1:%1/").arg(server->serverPort());
    } else {
        // Without a listener the service shows the code, and the user pastes it.
        delete server;
    }
    m_authorizeUrl = DropboxSession::authorizeUrl(DropboxSession::codeChallenge(m_verifier), m_state, m_redirectUri);
    m_waiting = true;
    if (platform::openUrl(m_authorizeUrl))
        return true;
    cancel();
    return false;
}

void DropboxAuthorization::cancel()
{
    stopListening();
    m_waiting = false;
}

void DropboxAuthorization::stopListening()
{
    if (m_server) {
        m_server->close();
        m_server->deleteLater();
    }
    m_server = nullptr;
}

void DropboxAuthorization::acceptConnection()
{
    while (m_server && m_server->hasPendingConnections()) {
        QTcpSocket* socket = m_server->nextPendingConnection();
        // Kept by this object: the answer must still go out after the listener closes.
        socket->setParent(this);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
    }
}

void DropboxAuthorization::readRequest(QTcpSocket* socket)
{
    if (socket->bytesAvailable() > kMaxRequestBytes) {
        socket->abort();
        return;
    }
    if (!socket->canReadLine())
        return;
    const QList<QByteArray> words = socket->readLine(kMaxRequestBytes).trimmed().split(' ');
    socket->readAll();
    if (words.size() != 3 || words.at(0) != "GET") {
        answer(socket, QByteArrayLiteral("400 Bad Request"), QStringLiteral("Not understood."));
        return;
    }
    const QUrl target(QString::fromLatin1(words.at(1)), QUrl::StrictMode);
    const QUrlQuery query(target.query(QUrl::FullyEncoded));
    if (target.path() != QLatin1String("/") || !query.hasQueryItem(QStringLiteral("state"))) {
        answer(socket, QByteArrayLiteral("404 Not Found"), QStringLiteral("Nothing here."));
        return;
    }
    // Only the browser this attempt sent out may finish it.
    if (!m_waiting || m_exchanging ||
        query.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded).toLatin1() != m_state) {
        answer(socket, QByteArrayLiteral("400 Bad Request"), QStringLiteral("This link is not the one Quib is waiting for."));
        return;
    }
    const QString code = query.queryItemValue(QStringLiteral("code"), QUrl::FullyDecoded);
    if (code.isEmpty()) {
        answer(socket, QByteArrayLiteral("200 OK"), QStringLiteral("Dropbox was not linked. You can close this page."));
        cancel();
        emit finished(false, QStringLiteral("Dropbox access was not allowed."));
        return;
    }
    answer(socket, QByteArrayLiteral("200 OK"), QStringLiteral("Quib is linking your Dropbox account. You can close this page."));
    exchange(code);
}

void DropboxAuthorization::submitPastedCode(const QString& text)
{
    if (!m_waiting || m_exchanging)
        return;
    QString code = text.trimmed();
    const QUrl pasted(code, QUrl::StrictMode);
    if (pasted.isValid() && !pasted.scheme().isEmpty()) {
        const QUrlQuery query(pasted.query(QUrl::FullyEncoded));
        if (query.hasQueryItem(QStringLiteral("state")) &&
            query.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded).toLatin1() != m_state) {
            emit finished(false, QStringLiteral("The pasted address is not from this linking."));
            return;
        }
        code = query.queryItemValue(QStringLiteral("code"), QUrl::FullyDecoded);
    }
    if (code.isEmpty() || code.size() > 1024)
        return;
    exchange(code);
}

void DropboxAuthorization::exchange(const QString& code)
{
    m_exchanging = true;
    stopListening();
    const QByteArray verifier = m_verifier;
    const QString redirectUri = m_redirectUri;
    platform::runInBackgroundThenOnMain(
        [code, verifier, redirectUri]() -> QVariant {
            DropboxSession session;
            if (session.exchangeCode(code, verifier, redirectUri))
                return QString();
            return session.errorText().isEmpty() ? QStringLiteral("The link failed.") : session.errorText();
        },
        [this](const QVariant& result) {
            m_exchanging = false;
            m_waiting = false;
            const QString error = result.toString();
            emit finished(error.isEmpty(), error);
        },
        this);
}
