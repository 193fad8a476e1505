#include "publishing/DropboxSession.h"

#include "editions/EditionSettings.h"
#include "publishing/CurlSession.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QUrlQuery>

namespace {

// The service takes single uploads up to 150 MB; answers of the API are small.
constexpr qint64 kMaxUploadBytes = 150LL * 1024 * 1024;
constexpr qint64 kMaxAnswerBytes = 1024 * 1024;
constexpr int kMaxNameLength = 255;

QMutex& endpointsMutex()
{
    static QMutex mutex;
    return mutex;
}

DropboxSession::Endpoints& currentEndpoints()
{
    static DropboxSession::Endpoints endpoints;
    return endpoints;
}

// HTTP headers are ASCII: the service wants everything else of its JSON argument as \u escapes.
QByteArray asciiJson(const QJsonObject& object)
{
    const QString text = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            out.append(char(c.unicode()));
        else
            out.append(QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1());
    }
    return out;
}

bool isSafeSegment(const QString& name)
{
    if (name.isEmpty() || name.size() > kMaxNameLength || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace

DropboxSession::Endpoints DropboxSession::endpoints()
{
    QMutexLocker lock(&endpointsMutex());
    return currentEndpoints();
}

void DropboxSession::setEndpoints(const Endpoints& endpoints)
{
    QMutexLocker lock(&endpointsMutex());
    currentEndpoints() = endpoints;
}

QString DropboxSession::appKey()
{
    // The edition's own key where it has one, else the project's.
    const QString editionKey = edition().gDropboxAppKey;
    return editionKey.isEmpty() ? QStringLiteral("q7ulmira3hostk2") : editionKey;
}

// ---- the account link ----

QByteArray DropboxSession::makeCodeVerifier()
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
    QByteArray verifier(64, '\0');
    QRandomGenerator* random = QRandomGenerator::system();
    for (char& c : verifier)
        c = alphabet[random->bounded(int(sizeof(alphabet) - 1))];
    return verifier;
}

QByteArray DropboxSession::codeChallenge(const QByteArray& verifier)
{
    return QCryptographicHash::hash(verifier, QCryptographicHash::Sha256)
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
}

QUrl DropboxSession::authorizeUrl(const QByteArray& challenge, const QByteArray& state, const QString& redirectUri)
{
    QUrl url(endpoints().authorizeBase + QStringLiteral("/oauth2/authorize"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("client_id"), appKey());
    query.addQueryItem(QStringLiteral("response_type"), QStringLiteral("code"));
    query.addQueryItem(QStringLiteral("code_challenge"), QString::fromLatin1(challenge));
    query.addQueryItem(QStringLiteral("code_challenge_method"), QStringLiteral("S256"));
    query.addQueryItem(QStringLiteral("token_access_type"), QStringLiteral("offline"));
    query.addQueryItem(QStringLiteral("state"), QString::fromLatin1(state));
    if (!redirectUri.isEmpty())
        query.addQueryItem(QStringLiteral("redirect_uri"), QString::fromLatin1(QUrl::toPercentEncoding(redirectUri)));
    url.setQuery(query);
    return url;
}

platform::SecretKey DropboxSession::tokenKey(const QString& kind)
{
    // Filed under the API's host: a token for a stand-in never goes to the real service.
    const QUrl api(endpoints().apiBase);
    platform::SecretKey key;
    key.protocol = QStringLiteral("Dropbox");
    key.user = kind;
    key.server = api.host();
    key.port = api.port(api.scheme() == QLatin1String("http") ? 80 : 443);
    return key;
}

bool DropboxSession::isLinked()
{
    const std::optional<QString> token = platform::SecretStore::current().read(tokenKey(QStringLiteral("access")));
    return token && !token->isEmpty();
}

void DropboxSession::unlinkAll()
{
    platform::SecretStore::current().remove(tokenKey(QStringLiteral("access")));
    platform::SecretStore::current().remove(tokenKey(QStringLiteral("refresh")));
}

DropboxSession::DropboxSession() : m_curl(std::make_unique<CurlSession>())
{
    m_curl->setTimeLimits(20000, 60000);
    m_accessToken = platform::SecretStore::current().read(tokenKey(QStringLiteral("access"))).value_or(QString());
}

DropboxSession::~DropboxSession() = default;

void DropboxSession::fail(const QString& what, const QJsonObject& answer)
{
    const QString summary = answer.value(QStringLiteral("error_summary")).toString().left(200);
    const QString description = answer.value(QStringLiteral("error_description")).toString().left(200);
    QString text = what;
    if (m_lastStatus)
        text += QStringLiteral(" (HTTP %1)").arg(m_lastStatus);
    if (!summary.isEmpty())
        text += QStringLiteral(": ") + summary;
    else if (!description.isEmpty())
        text += QStringLiteral(": ") + description;
    if (!m_accessToken.isEmpty())
        text.replace(m_accessToken, QStringLiteral("****"));
    m_errorText = text;
}

bool DropboxSession::tokenRequest(const QList<QPair<QString, QString>>& fields)
{
    QUrlQuery form;
    for (const auto& [name, value] : fields)
        form.addQueryItem(name, QString::fromLatin1(QUrl::toPercentEncoding(value)));
    QByteArray response;
    m_lastStatus = 0;
    const QByteArray url = (endpoints().apiBase + QStringLiteral("/oauth2/token")).toUtf8();
    if (!m_curl->post(url, {QByteArrayLiteral("Content-Type: application/x-www-form-urlencoded")},
                      form.query(QUrl::FullyEncoded).toLatin1(), response, kMaxAnswerBytes)) {
        fail(QStringLiteral("The service could not be reached: %1").arg(m_curl->errorText()));
        return false;
    }
    m_lastStatus = m_curl->responseCode();
    const QJsonObject answer = QJsonDocument::fromJson(response).object();
    const QString access = answer.value(QStringLiteral("access_token")).toString();
    if (m_lastStatus != 200 || access.isEmpty()) {
        fail(QStringLiteral("The service refused the authorisation"), answer);
        return false;
    }
    if (!storeTokens(access, answer.value(QStringLiteral("refresh_token")).toString())) {
        m_errorText = QStringLiteral("The key ring did not keep the Dropbox token.");
        return false;
    }
    m_accessToken = access;
    return true;
}

bool DropboxSession::storeTokens(const QString& accessToken, const QString& refreshToken)
{
    platform::SecretStore& store = platform::SecretStore::current();
    if (!store.write(tokenKey(QStringLiteral("access")), accessToken))
        return false;
    return refreshToken.isEmpty() || store.write(tokenKey(QStringLiteral("refresh")), refreshToken);
}

bool DropboxSession::exchangeCode(const QString& code, const QByteArray& verifier, const QString& redirectUri)
{
    QList<QPair<QString, QString>> fields{{QStringLiteral("code"), code.trimmed()},
                                          {QStringLiteral("grant_type"), QStringLiteral("authorization_code")},
                                          {QStringLiteral("code_verifier"), QString::fromLatin1(verifier)},
                                          {QStringLiteral("client_id"), appKey()}};
    if (!redirectUri.isEmpty())
        fields.append({QStringLiteral("redirect_uri"), redirectUri});
    return tokenRequest(fields);
}

bool DropboxSession::renewAccessToken()
{
    const std::optional<QString> refresh =
        platform::SecretStore::current().read(tokenKey(QStringLiteral("refresh")));
    if (!refresh || refresh->isEmpty())
        return false;
    return tokenRequest({{QStringLiteral("grant_type"), QStringLiteral("refresh_token")},
                         {QStringLiteral("refresh_token"), *refresh},
                         {QStringLiteral("client_id"), appKey()}});
}

bool DropboxSession::sendOnce(const QString& base, const QString& route, const QByteArray& argumentHeader,
                              const QByteArray& body, const QByteArray& contentType, QJsonObject* answer)
{
    QList<QByteArray> headers{QByteArrayLiteral("Authorization: Bearer ") + m_accessToken.toUtf8(),
                              QByteArrayLiteral("Content-Type: ") + contentType};
    if (!argumentHeader.isEmpty())
        headers.append(QByteArrayLiteral("Dropbox-API-Arg: ") + argumentHeader);
    QByteArray response;
    m_lastStatus = 0;
    if (!m_curl->post((base + route).toUtf8(), headers, body, response, kMaxAnswerBytes)) {
        fail(QStringLiteral("The service could not be reached: %1").arg(m_curl->errorText()));
        return false;
    }
    m_lastStatus = m_curl->responseCode();
    *answer = QJsonDocument::fromJson(response).object();
    return m_lastStatus == 200;
}

bool DropboxSession::apiCall(const QString& base, const QString& route, const QByteArray& argumentHeader,
                             const QByteArray& body, const QByteArray& contentType, QJsonObject* answer)
{
    if (m_accessToken.isEmpty()) {
        m_errorText = QStringLiteral("No Dropbox account is linked.");
        return false;
    }
    if (sendOnce(base, route, argumentHeader, body, contentType, answer))
        return true;
    // An expired short-lived token is renewed once with the refresh token.
    if (m_lastStatus == 401 && renewAccessToken())
        return sendOnce(base, route, argumentHeader, body, contentType, answer);
    return false;
}

QString DropboxSession::remotePath(const QString& remoteFolder, const QString& remoteFileName)
{
    if (!isSafeSegment(remoteFileName))
        return {};
    QString path;
    if (!remoteFolder.isEmpty()) {
        if (!remoteFolder.startsWith(u'/'))
            return {};
        for (const QString& segment : remoteFolder.mid(1).split(u'/', Qt::SkipEmptyParts)) {
            if (!isSafeSegment(segment))
                return {};
            path += u'/' + segment;
        }
    }
    return path + u'/' + remoteFileName;
}

bool DropboxSession::uploadFile(const QString& remoteFileName, const QString& remoteFolder, const QString& localPath,
                                QString* storedPath)
{
    m_errorText.clear();
    const QString path = remotePath(remoteFolder, remoteFileName);
    if (path.isEmpty()) {
        m_errorText = QStringLiteral("The file name \"%1\" cannot be stored.").arg(remoteFileName.left(kMaxNameLength));
        return false;
    }
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errorText = QStringLiteral("Could not read the local file \"%1\": %2").arg(localPath, file.errorString());
        return false;
    }
    if (file.size() > kMaxUploadBytes) {
        m_errorText = QStringLiteral("The file \"%1\" is larger than 150 MB.").arg(localPath);
        return false;
    }
    const QByteArray bytes = file.readAll();
    QJsonObject argument{{QStringLiteral("path"), path},
                         {QStringLiteral("mode"), QStringLiteral("add")},
                         {QStringLiteral("autorename"), true},
                         {QStringLiteral("mute"), true}};
    QJsonObject answer;
    if (!apiCall(endpoints().contentBase, QStringLiteral("/2/files/upload"), asciiJson(argument), bytes,
                 QByteArrayLiteral("application/octet-stream"), &answer)) {
        if (m_lastStatus)
            fail(QStringLiteral("The upload was refused"), answer);
        return false;
    }
    QString stored = answer.value(QStringLiteral("path_display")).toString();
    if (stored.isEmpty())
        stored = answer.value(QStringLiteral("path_lower")).toString();
    if (!stored.startsWith(u'/')) {
        m_errorText = QStringLiteral("The service did not say where it stored the file.");
        return false;
    }
    if (storedPath)
        *storedPath = stored;
    return true;
}

bool DropboxSession::loadSharableLinkForFile(const QString& path, QString* link)
{
    m_errorText.clear();
    // Only web links are taken, written fully encoded: they go into mail markup as they are.
    const auto takeUrl = [&](const QString& url) {
        const QUrl parsed(url, QUrl::TolerantMode);
        if (!parsed.isValid() || parsed.host().isEmpty() ||
            (parsed.scheme() != QLatin1String("https") && parsed.scheme() != QLatin1String("http")))
            return false;
        *link = parsed.toString(QUrl::FullyEncoded);
        return true;
    };
    const QByteArray request = QJsonDocument(QJsonObject{{QStringLiteral("path"), path}}).toJson(QJsonDocument::Compact);
    QJsonObject answer;
    const QString api = endpoints().apiBase;
    if (apiCall(api, QStringLiteral("/2/sharing/create_shared_link_with_settings"), {}, request,
                QByteArrayLiteral("application/json"), &answer)) {
        if (takeUrl(answer.value(QStringLiteral("url")).toString()))
            return true;
        m_errorText = QStringLiteral("The service gave no usable shared link.");
        return false;
    }
    const QJsonObject error = answer.value(QStringLiteral("error")).toObject();
    if (m_lastStatus != 409 || error.value(QStringLiteral(".tag")).toString() != QLatin1String("shared_link_already_exists")) {
        fail(QStringLiteral("The shared link was refused"), answer);
        return false;
    }
    // The file has a link already: the answer may carry it, else it is listed.
    const QString existing = error.value(QStringLiteral("shared_link_already_exists"))
                                 .toObject()
                                 .value(QStringLiteral("metadata"))
                                 .toObject()
                                 .value(QStringLiteral("url"))
                                 .toString();
    if (!existing.isEmpty() && takeUrl(existing))
        return true;
    const QByteArray listing = QJsonDocument(QJsonObject{{QStringLiteral("path"), path}, {QStringLiteral("direct_only"), true}})
                                   .toJson(QJsonDocument::Compact);
    if (!apiCall(api, QStringLiteral("/2/sharing/list_shared_links"), {}, listing, QByteArrayLiteral("application/json"),
                 &answer)) {
        fail(QStringLiteral("The existing shared link could not be listed"), answer);
        return false;
    }
    const QJsonArray links = answer.value(QStringLiteral("links")).toArray();
    if (!links.isEmpty() && takeUrl(links.first().toObject().value(QStringLiteral("url")).toString()))
        return true;
    m_errorText = QStringLiteral("The service listed no shared link for the file.");
    return false;
}

QString DropboxSession::directDownloadLink(const QString& sharedLink)
{
    QUrl url(sharedLink);
    QUrlQuery query(url.query(QUrl::FullyEncoded));
    query.removeAllQueryItems(QStringLiteral("dl"));
    query.addQueryItem(QStringLiteral("dl"), QStringLiteral("1"));
    url.setQuery(query.query(QUrl::FullyEncoded), QUrl::StrictMode);
    return url.toString(QUrl::FullyEncoded);
}
