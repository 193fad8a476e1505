// The image hosting service's client: direct-download links, PKCE, safe remote paths, and the
// account link against the stand-in through the loopback listener, with the token kept only in the
// secret store.
#include "DropboxStandIn.h"

#include "platform/SecretStore.h"
#include "platform/UrlOpener.h"
#include "publishing/CurlSession.h"
#include "publishing/DropboxAuthorization.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(DropboxSessionTest, DirectLinksSetDlToOneAndKeepOtherQueryItems)
{
    struct Case
    {
        const char* shared;
        const char* direct;
    };
    const Case cases[] = {
        {"https://www.dropbox.com/s/abc/pic.png?dl=0", "https://www.dropbox.com/s/abc/pic.png?dl=1"},
        {"https://www.dropbox.com/s/abc/pic.png", "https://www.dropbox.com/s/abc/pic.png?dl=1"},
        {"https://www.dropbox.com/scl/fi/x/pic.png?rlkey=a&dl=0", "https://www.dropbox.com/scl/fi/x/pic.png?rlkey=a&dl=1"},
        {"https://www.dropbox.com/scl/fi/x/pic.png?dl=0&rlkey=a", "https://www.dropbox.com/scl/fi/x/pic.png?rlkey=a&dl=1"},
        {"https://www.dropbox.com/s/abc/pic.png?dl=0&dl=0", "https://www.dropbox.com/s/abc/pic.png?dl=1"},
        {"https://www.dropbox.com/s/abc/a%2Bb%20c.png?rlkey=x%26y&st=1", "https://www.dropbox.com/s/abc/a%2Bb%20c.png?rlkey=x%26y&st=1&dl=1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropboxSession::directDownloadLink(QLatin1String(c.shared)), QLatin1String(c.direct)) << c.shared;
}

TEST(DropboxSessionTest, ChallengeIsUnpaddedBase64UrlOfTheVerifiersSha256)
{
    EXPECT_EQ(DropboxSession::codeChallenge("quib-verifier-0123456789-abcdefghijklmnopqrstuvwxyz~._"),
              QByteArray("icgG5eOPJ_BJs0BMSrYXtpu4JC2dsh5JICPLXKgbbP4"));
    const QByteArray first = DropboxSession::makeCodeVerifier();
    EXPECT_GE(first.size(), 43);
    EXPECT_LE(first.size(), 128);
    for (const char c : first)
        EXPECT_TRUE(QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~").contains(c));
    EXPECT_NE(first, DropboxSession::makeCodeVerifier());
}

TEST(DropboxSessionTest, RemotePathsNeverLeaveTheAppFolder)
{
    struct Case
    {
        const char* folder;
        const char* name;
        const char* path; // "" refused
    };
    const Case cases[] = {
        {"", "pic.png", "/pic.png"},
        {"/mail", "pic.png", "/mail/pic.png"},
        {"/mail/2026", "p\xc3\xa9.png", "/mail/2026/p\xc3\xa9.png"},
        {"", "../pic.png", ""},
        {"", "..", ""},
        {"/mail/..", "pic.png", ""},
        {"mail", "pic.png", ""},
        {"", "a\nb.png", ""},
        {"", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DropboxSession::remotePath(QString::fromUtf8(c.folder), QString::fromUtf8(c.name)),
                  QString::fromUtf8(c.path))
            << c.folder << " " << c.name;
}

TEST(DropboxSessionTest, AuthorisationPageAsksForACodeWithTheS256Challenge)
{
    const QUrl url = DropboxSession::authorizeUrl("chal", "st", QStringLiteral("http://127.0.0.1:5000/"));
    const QUrlQuery query(url);
    EXPECT_EQ(url.path(), QStringLiteral("/oauth2/authorize"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("client_id")), DropboxSession::appKey());
    EXPECT_EQ(query.queryItemValue(QStringLiteral("response_type")), QStringLiteral("code"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("code_challenge")), QStringLiteral("chal"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("code_challenge_method")), QStringLiteral("S256"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("state")), QStringLiteral("st"));
    EXPECT_EQ(query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded),
              QStringLiteral("http://127.0.0.1:5000/"));
    EXPECT_FALSE(query.hasQueryItem(QStringLiteral("client_secret")));
}

TEST(DropboxSessionTest, BrowserComingBackToLoopbackLinksTheAccountWithAMatchingVerifier)
{
    platform::ScopedSecretStore secrets;
    platform::ScopedUrlRecorder browser;
    dropboxtest::LogCapture log;
    dropboxtest::StandIn standIn;
    if (!standIn.start())
        return;
    ASSERT_FALSE(DropboxSession::isLinked());

    DropboxAuthorization authorization;
    QSignalSpy finished(&authorization, &DropboxAuthorization::finished);
    ASSERT_TRUE(authorization.start());
    ASSERT_EQ(browser.urls().size(), 1);
    const QUrl page = browser.urls().constFirst();
    EXPECT_TRUE(page.toString().startsWith(standIn.base() + QStringLiteral("/oauth2/authorize?")));
    EXPECT_TRUE(authorization.redirectUri().startsWith(QStringLiteral("http://127.0.0.1:")));

    // The browser: the service's page, then its redirect to the loopback listener.
    QByteArray shown;
    bool fetched = false;
    std::atomic<bool> browsed{false};
    std::thread user([&] {
        CurlSession curl;
        fetched = curl.get(page.toEncoded(), shown, 64 * 1024);
        browsed = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return browsed && finished.size() == 1; }, 20000));
    user.join();
    ASSERT_EQ(finished.size(), 1);
    EXPECT_TRUE(fetched);
    EXPECT_TRUE(shown.contains("linking your Dropbox account"));
    EXPECT_TRUE(finished.at(0).at(0).toBool()) << finished.at(0).at(1).toString().toStdString();
    EXPECT_TRUE(DropboxSession::isLinked());
    EXPECT_TRUE(secrets->contents().values().contains(dropboxtest::StandIn::token()));

    const QList<QJsonObject> requests = standIn.requests();
    ASSERT_EQ(standIn.steps(), (QStringList{QStringLiteral("authorize"), QStringLiteral("token")}));
    const QJsonObject authorize = requests.at(0).value(QStringLiteral("query")).toObject();
    const QJsonObject form = requests.at(1).value(QStringLiteral("form")).toObject();
    EXPECT_TRUE(requests.at(1).value(QStringLiteral("verifier_matches")).toBool());
    EXPECT_EQ(DropboxSession::codeChallenge(form.value(QStringLiteral("code_verifier")).toString().toLatin1()),
              authorize.value(QStringLiteral("code_challenge")).toString().toLatin1());
    EXPECT_EQ(form.value(QStringLiteral("redirect_uri")).toString(), authorization.redirectUri());
    EXPECT_EQ(form.value(QStringLiteral("client_id")).toString(), DropboxSession::appKey());
    EXPECT_FALSE(form.contains(QStringLiteral("client_secret")));

    for (const QString& line : dropboxtest::LogCapture::lines())
        EXPECT_FALSE(line.contains(dropboxtest::StandIn::token())) << line.toStdString();

    DropboxSession::unlinkAll();
    EXPECT_FALSE(DropboxSession::isLinked());
}

TEST(DropboxSessionTest, AForeignStateAtTheListenerIsTurnedAwayAndTheLinkStillWaits)
{
    platform::ScopedSecretStore secrets;
    platform::ScopedUrlRecorder browser;
    dropboxtest::StandIn standIn;
    if (!standIn.start())
        return;
    DropboxAuthorization authorization;
    QSignalSpy finished(&authorization, &DropboxAuthorization::finished);
    ASSERT_TRUE(authorization.start());
    const QByteArray forged = (authorization.redirectUri() + QStringLiteral("?code=code-1&state=forged")).toUtf8();
    QByteArray shown;
    std::atomic<bool> browsed{false};
    std::thread user([&] {
        CurlSession curl;
        curl.get(forged, shown, 64 * 1024);
        browsed = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return browsed.load(); }, 20000));
    user.join();
    EXPECT_TRUE(shown.contains("not the one Quib is waiting for"));
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(authorization.isWaiting());
    EXPECT_FALSE(DropboxSession::isLinked());
    EXPECT_TRUE(standIn.steps().isEmpty());
}
