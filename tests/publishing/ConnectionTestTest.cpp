// The connection test against pyftpdlib with Python's http.server on the same folder, and the base
// URL check of the settings.
#include "publishing/UploadServers.h"

#include <gtest/gtest.h>

using namespace uploadtest;
using Outcome = ConnectionTestResult::Outcome;

namespace {

class Receiver : public ConnectionTestDelegate
{
public:
    void connectionTestUploaded(bool uploaded, const QString&) override { uploads.append(uploaded); }
    void connectionTestFinished(const ConnectionTestResult& result) override { results.append(result); }

    QList<bool> uploads;
    QList<ConnectionTestResult> results;
};

class ConnectionTestTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.filePath(QStringLiteral("root"));
        QDir().mkpath(root + QStringLiteral("/site"));
    }
    bool startServer()
    {
        if (!havePythonModuleOrFail(QStringLiteral("pyftpdlib"), QStringLiteral("python3-pyftpdlib")))
            return false;
        const bool started =
            server.start("ftp_server.py", {QStringLiteral("--root"), root, QStringLiteral("--http")});
        EXPECT_TRUE(started) << server.errors().toStdString();
        return started;
    }
    UploadConnectionSettings settings() const
    {
        UploadConnectionSettings values;
        values.server = QStringLiteral("127.0.0.1");
        values.userName = QStringLiteral("quib");
        values.password = QStringLiteral("secret");
        values.port = server.port("FTP");
        values.remoteDirectory = QStringLiteral("site");
        values.baseURL = QStringLiteral("http://127.0.0.1:%1/site").arg(server.port("HTTP"));
        return values;
    }

    QTemporaryDir dir;
    QString root;
    ServerProcess server;
};

TEST_F(ConnectionTestTest, OutcomesOfTheTest)
{
    if (!startServer())
        return;
    const struct
    {
        const char* name;
        QString baseSuffix;
        QString password;
        Outcome outcome;
        QList<bool> uploads;
    } cases[] = {
        {"working settings", "", "secret", Outcome::Success, {true}},
        {"line end after the base URL", "\n", "secret", Outcome::WebAccessFailed, {true}},
        {"base URL of another folder", "/Test", "secret", Outcome::WebAccessFailed, {true}},
        {"wrong password", "", "wrong", Outcome::UploadFailed, {false}},
    };
    for (const auto& c : cases) {
        UploadConnectionSettings values = settings();
        values.baseURL += c.baseSuffix;
        values.password = c.password;
        Receiver receiver;
        const ConnectionTestResult result = UploadFTPS::testConnection(values, &receiver);
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(receiver.uploads, c.uploads) << c.name;
        ASSERT_EQ(receiver.results.size(), 1) << c.name;
        EXPECT_EQ(receiver.results.first().outcome, c.outcome) << c.name;
        EXPECT_EQ(result.url, values.baseURL + QStringLiteral("/app_ftp_test.html")) << c.name;
    }
    EXPECT_EQ(readFile(root + QStringLiteral("/site/app_ftp_test.html")), QByteArray("Test file"));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/site/Test")).isDir());
}

TEST_F(ConnectionTestTest, FailedUploadCarriesItsLogAndLeavesLaterUploadsAlone)
{
    if (!startServer())
        return;
    UploadConnectionSettings values = settings();
    values.password = QStringLiteral("wrong");
    Receiver receiver;
    const ConnectionTestResult result = UploadFTPS::testConnection(values, &receiver);
    EXPECT_EQ(result.outcome, Outcome::UploadFailed);
    EXPECT_TRUE(result.connectionLog.startsWith(
        QStringLiteral("Connection Log\n\n**Not able to connect to 127.0.0.1")));
    EXPECT_FALSE(result.connectionLog.contains(QStringLiteral("wrong")));

    // A later ordinary upload reports to its own delegate only; nothing of the test is left behind.
    writeFile(dir.filePath(QStringLiteral("page.html")), "page");
    CallRecorder recorder;
    UploadFTPS upload;
    upload.setDelegate(&recorder);
    upload.applySettings(settings());
    upload.setUploadItemArray({item(dir.filePath(QStringLiteral("page.html")), "", "page.html")});
    upload.uploadSingleFile();
    EXPECT_EQ(recorder.summary(), QStringLiteral("YES/0"));
    EXPECT_EQ(receiver.results.size(), 1);
    EXPECT_EQ(receiver.uploads.size(), 1);
}

TEST_F(ConnectionTestTest, WebCheckFollowsRedirectsAndWantsTheExactBody)
{
    if (!startServer())
        return;
    writeFile(root + QStringLiteral("/moved/index.html"), "Test file");
    writeFile(root + QStringLiteral("/lined/index.html"), "Test file\n");
    const QString base = QStringLiteral("http://127.0.0.1:%1/").arg(server.port("HTTP"));
    // http.server answers a folder without its slash with a redirect.
    EXPECT_TRUE(ConnectionTest::webCheck(base + QStringLiteral("moved")));
    EXPECT_FALSE(ConnectionTest::webCheck(base + QStringLiteral("lined")));
    EXPECT_FALSE(ConnectionTest::webCheck(base + QStringLiteral("missing.html")));
}

TEST(ConnectionTestWebCheck, OnlyWebAddressesAreFetched)
{
    for (const char* address : {"", "/app_ftp_test.html", "file:///etc/passwd", "ftp://127.0.0.1/x",
                                "http://127.0.0.1:1/app_ftp_test.html\n"})
        EXPECT_FALSE(ConnectionTest::webCheck(QString::fromLatin1(address), 2000)) << address;
}

TEST(UploadConnectionSettingsTest, URLCheckTakesAnySchemeInAnyCase)
{
    const struct
    {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"example.com", "http://example.com"},
        {"www.example.com/site", "http://www.example.com/site"},
        {"http://example.com", "http://example.com"},
        {"HTTP://x.org", "HTTP://x.org"},
        {"https://x.org", "https://x.org"},
        {"Https://x.org", "Https://x.org"},
        {"ftp://x.org", "ftp://x.org"},
        {"httpbin.org", "http://httpbin.org"},
        {"abcd", "abcd"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UploadConnectionSettings::URLCheck(QString::fromLatin1(c.typed)),
                  QString::fromLatin1(c.stored))
            << c.typed;
}

TEST(UploadConnectionSettingsTest, ServerBecomesAUrlHostOrNothing)
{
    const struct
    {
        QString server;
        const char* host;
    } cases[] = {
        {"ftp.example.com", "ftp.example.com"},
        {" 127.0.0.1 ", "127.0.0.1"},
        {"::1", "[::1]"},
        {"[fe80::1]", "[fe80::1]"},
        {QString::fromUtf8("bücher.example"), "xn--bcher-kva.example"},
        {"evil.com/x", ""},
        {"user@evil.com", ""},
        {"host:21", ""},
        {"a b", ""},
        {"a\r\nb", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UploadConnectionSettings::urlHost(c.server), QByteArray(c.host)) << c.server.toStdString();
}

TEST(UploadConnectionSettingsTest, RemoteSegments)
{
    const struct
    {
        const char* path;
        bool accepted;
        QStringList segments;
    } cases[] = {
        {"", true, {}},
        {"/", true, {}},
        {"public_html//site/", true, {"public_html", "site"}},
        {"a b/c#d", true, {"a b", "c#d"}},
        {"../etc", false, {}},
        {"a/./b", false, {}},
        {"a\rb", false, {}},
        {"a\x7f", false, {}},
    };
    for (const auto& c : cases) {
        QStringList segments;
        QString why;
        EXPECT_EQ(UploadConnectionSettings::remoteSegments(QString::fromLatin1(c.path), segments, &why),
                  c.accepted)
            << c.path;
        EXPECT_EQ(segments, c.segments) << c.path;
        EXPECT_EQ(why.isEmpty(), c.accepted) << c.path;
    }
}

} // namespace
