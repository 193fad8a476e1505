#include "platform/UrlOpener.h"
#include "publishing/CurlSession.h"
#include "publishing/DropboxAuthorization.h"
#include "publishing/TransferModule.h"

#include <QTemporaryDir>
#include <QUrlQuery>

#include <gtest/gtest.h>

namespace {

// The transfer module looked for where it is not, for one test.
class MissingTransferModule
{
public:
    MissingTransferModule() : m_path(m_root.filePath(QStringLiteral("missing/libquib_transfer.so")))
    {
        transferModule().setPath(m_path);
    }
    ~MissingTransferModule() { transferModule().setPath(QString()); }
    QString path() const { return m_path; }

private:
    QTemporaryDir m_root;
    QString m_path;
};

TEST(TransferModuleTest, WithoutTheModuleEveryOperationFailsWithTheReason)
{
    MissingTransferModule missing;
    CurlSession session;
    session.setCredentials(QStringLiteral("user"), QStringLiteral("secret"));
    session.setTimeLimits(1000, 1000);
    QByteArray body("left over");
    EXPECT_FALSE(session.probe("ftp://127.0.0.1:1/"));
    EXPECT_FALSE(session.get("http://127.0.0.1:1/", body, 1024));
    EXPECT_TRUE(body.isEmpty());
    EXPECT_FALSE(session.sendMail("smtp://127.0.0.1:1", "a@example.com", {"b@example.com"}, "Subject: x\r\n\r\nx"));
    EXPECT_EQ(session.errorText(),
              QStringLiteral("The transfer library could not start: ") + missing.path() + QStringLiteral(" is missing"));
    EXPECT_NE(session.resultCode(), 0);
    EXPECT_FALSE(CurlSession::isLoginRefusal(session.resultCode()));
    EXPECT_TRUE(session.trace().isEmpty());
}

TEST(TransferModuleTest, WithoutTheModuleDropboxLinkingAsksForThePastedCode)
{
    MissingTransferModule missing;
    platform::ScopedUrlRecorder browser;
    DropboxAuthorization authorization;
    ASSERT_TRUE(authorization.start());
    EXPECT_TRUE(authorization.isWaiting());
    EXPECT_TRUE(authorization.redirectUri().isEmpty());
    ASSERT_EQ(browser.urls().size(), 1);
    EXPECT_FALSE(QUrlQuery(browser.urls().constFirst()).hasQueryItem(QStringLiteral("redirect_uri")));
}

TEST(TransferModuleTest, TheModuleBesideTheProgramIsFound)
{
    CurlSession session;
    // Nothing listens on port 1: the failure is the connection's, not the module's.
    session.setTimeLimits(2000, 2000);
    EXPECT_FALSE(session.probe("ftp://127.0.0.1:1/"));
    EXPECT_FALSE(session.errorText().contains(QStringLiteral("could not start"))) << qPrintable(session.errorText());
    EXPECT_NE(session.resultCode(), 0);
}

} // namespace
