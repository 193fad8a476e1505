#include "publishing/DropboxAuthorization.h"

#include "platform/Threads.h"
#include "platform/UrlOpener.h"
#include "publishing/DropboxSession.h"

#include <QRandomGenerator>
#include <QUrlQuery>

namespace {

QByteArray randomState()
{
    QByteArray bytes(16, '\0');
    for (char& c : bytes)
        c = char(QRandomGenerator::system()->bounded(256));
    return bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
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
    // Without a listener the service shows the code, and the user pastes it.
    if (!m_listener) {
        QString error;
        m_listener = makeLoopbackListener(error);
        if (m_listener)
            m_listener->setRequestHandler([this](const QByteArray& line) { return answerRequest(line); });
    }
    if (const quint16 port = m_listener ? m_listener->listen() : 0)
        m_redirectUri = QStringLiteral("http://127.0.0.1:%1/").arg(port);
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
    if (m_listener)
        m_listener->close();
}

LoopbackListener::Answer DropboxAuthorization::answerRequest(const QByteArray& requestLine)
{
    const QList<QByteArray> words = requestLine.split(' ');
    if (words.size() != 3 || words.at(0) != "GET")
        return {QByteArrayLiteral("400 Bad Request"), QStringLiteral("Not understood."), {}};
    const QUrl target(QString::fromLatin1(words.at(1)), QUrl::StrictMode);
    const QUrlQuery query(target.query(QUrl::FullyEncoded));
    if (target.path() != QLatin1String("/") || !query.hasQueryItem(QStringLiteral("state")))
        return {QByteArrayLiteral("404 Not Found"), QStringLiteral("Nothing here."), {}};
    // Only the browser this attempt sent out may finish it.
    if (!m_waiting || m_exchanging ||
        query.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded).toLatin1() != m_state)
        return {QByteArrayLiteral("400 Bad Request"), QStringLiteral("This link is not the one Quib is waiting for."),
                {}};
    const QString code = query.queryItemValue(QStringLiteral("code"), QUrl::FullyDecoded);
    if (code.isEmpty()) {
        cancel();
        return {QByteArrayLiteral("200 OK"), QStringLiteral("Dropbox was not linked. You can close this page."),
                [this] { emit finished(false, QStringLiteral("Dropbox access was not allowed.")); }};
    }
    // No second request may start another exchange while this answer is on its way.
    m_exchanging = true;
    return {QByteArrayLiteral("200 OK"),
            QStringLiteral("Quib is linking your Dropbox account. You can close this page."),
            [this, code] {
                if (m_waiting)
                    exchange(code);
                else
                    m_exchanging = false; // cancelled meanwhile
            }};
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
