// One linking of the user's Dropbox account: the service's page opens in the user's browser, which
// comes back to a listener on loopback with the authorisation code; where that cannot happen the
// user pastes the code (or the address the browser ended on). The code and the PKCE verifier are
// traded for tokens on a worker. Main thread only.
#pragma once
#include "publishing/LoopbackListener.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>

class DropboxAuthorization : public QObject
{
    Q_OBJECT
public:
    explicit DropboxAuthorization(QObject* parent = nullptr);
    ~DropboxAuthorization() override;

    // Starts listening and opens the authorisation page; false when nothing could open it.
    bool start();
    // What the user pasted: the code itself or an address carrying it.
    void submitPastedCode(const QString& text);
    void cancel();
    bool isWaiting() const { return m_waiting; }
    QUrl authorizeUrl() const { return m_authorizeUrl; }
    QString redirectUri() const { return m_redirectUri; }

signals:
    // After the tokens were stored (linked) or the attempt ended; message says why it failed.
    void finished(bool linked, const QString& message);

private:
    LoopbackListener::Answer answerRequest(const QByteArray& requestLine);
    void exchange(const QString& code);
    void stopListening();

    std::unique_ptr<LoopbackListener> m_listener;
    QByteArray m_verifier;
    QByteArray m_state;
    QString m_redirectUri;
    QUrl m_authorizeUrl;
    bool m_waiting = false;
    bool m_exchanging = false;
};
