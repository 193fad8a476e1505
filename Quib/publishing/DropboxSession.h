// The e-mail image hosting service (Dropbox) over its HTTP API: the account link (authorisation code
// with PKCE, so no app secret ships), the token kept in the secret store, and the two calls of an
// image upload: store a file, then give its shared link. Calls block; run them off the main thread.
// The token never reaches a log, an error text or the transfer trace.
#pragma once
#include "platform/SecretStore.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <memory>

class CurlSession;

class DropboxSession
{
public:
    // Where the service answers; tests point these at a stand-in.
    struct Endpoints
    {
        QString authorizeBase = QStringLiteral("https://www.dropbox.com");
        QString apiBase = QStringLiteral("https://api.dropboxapi.com");
        QString contentBase = QStringLiteral("https://content.dropboxapi.com");
    };
    static Endpoints endpoints();
    static void setEndpoints(const Endpoints& endpoints);
    // The app key: public by design, the code verifier stands in for a secret.
    static QString appKey();

    // ---- the account link ----
    // A fresh random code verifier (43 to 128 unreserved characters).
    static QByteArray makeCodeVerifier();
    // The S256 challenge of verifier: unpadded base64url of its SHA-256.
    static QByteArray codeChallenge(const QByteArray& verifier);
    // The page where the user allows access; an empty redirectUri makes the service show the code.
    static QUrl authorizeUrl(const QByteArray& challenge, const QByteArray& state, const QString& redirectUri);
    // "Linked" means a token is held.
    static bool isLinked();
    // Forgets every token held.
    static void unlinkAll();
    // Keeps the tokens of a link (an empty refresh token keeps none); false when the store refused.
    static bool storeTokens(const QString& accessToken, const QString& refreshToken);

    DropboxSession();
    ~DropboxSession();
    DropboxSession(const DropboxSession&) = delete;
    DropboxSession& operator=(const DropboxSession&) = delete;

    // Trades an authorisation code for tokens and stores them; false with errorText() otherwise.
    bool exchangeCode(const QString& code, const QByteArray& verifier, const QString& redirectUri);
    // Stores the local file as remoteFileName in remoteFolder ("" or "/name", below the app's
    // folder); storedPath receives the service's path of the stored file.
    bool uploadFile(const QString& remoteFileName, const QString& remoteFolder, const QString& localPath,
                    QString* storedPath);
    // The shared link of a stored file: a new one, or the one it already has.
    bool loadSharableLinkForFile(const QString& path, QString* link);

    QString errorText() const { return m_errorText; }

    // The link that downloads the file itself: the query item dl set to 1, any other dl dropped,
    // every other query item kept.
    static QString directDownloadLink(const QString& sharedLink);
    // "/folder/name" from a queue item's folder and name; empty when either could leave the folder.
    static QString remotePath(const QString& remoteFolder, const QString& remoteFileName);

private:
    static platform::SecretKey tokenKey(const QString& kind);
    // A JSON request to the API with the access token; one renewal of an expired token.
    bool apiCall(const QString& base, const QString& route, const QByteArray& argumentHeader, const QByteArray& body,
                 const QByteArray& contentType, QJsonObject* answer);
    bool sendOnce(const QString& base, const QString& route, const QByteArray& argumentHeader,
                  const QByteArray& body, const QByteArray& contentType, QJsonObject* answer);
    bool tokenRequest(const QList<QPair<QString, QString>>& fields);
    bool renewAccessToken();
    void fail(const QString& what, const QJsonObject& answer = {});

    std::unique_ptr<CurlSession> m_curl;
    QString m_accessToken;
    QString m_errorText;
    long m_lastStatus = 0;
};
