// SFTP uploads against an asyncssh server on loopback: success calls, the failing steps told apart,
// host keys trusted on first use and a changed key refused, and the time limit.
#include "publishing/UploadServers.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace uploadtest;

namespace {

// A loopback socket that listens but is never accepted from: the kernel completes the connection
// and nothing ever answers.
class SilentListener
{
public:
    SilentListener()
    {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_socket >= 0 && bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
            listen(m_socket, 4) == 0 &&
            getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~SilentListener()
    {
        if (m_socket >= 0)
            close(m_socket);
    }
    int port() const { return m_port; }

private:
    int m_socket = -1;
    int m_port = 0;
};

class UploadSFTPTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.filePath(QStringLiteral("root"));
        QDir().mkpath(root + QStringLiteral("/site"));
        for (const char* name : {"a.html", "b.css"})
            writeFile(local(QLatin1String(name)), QByteArray("content of ") + name);
    }
    QString local(const QString& name) const { return dir.filePath(QStringLiteral("local/") + name); }

    bool startServer(const QString& hostKey, int port = 0, const QStringList& extra = {})
    {
        if (!havePythonModuleOrFail(QStringLiteral("asyncssh"), QStringLiteral("python3-asyncssh")))
            return false;
        server = std::make_unique<ServerProcess>();
        const QStringList arguments{QStringLiteral("--root"),     root,
                                    QStringLiteral("--host-key"), dir.filePath(hostKey),
                                    QStringLiteral("--port"),     QString::number(port)};
        const bool started = server->start("sftp_server.py", arguments + extra);
        EXPECT_TRUE(started) << server->errors().toStdString();
        return started;
    }

    UploadConnectionSettings settings(int port) const
    {
        UploadConnectionSettings values;
        values.server = QStringLiteral("127.0.0.1");
        values.userName = QStringLiteral("quib");
        values.password = QStringLiteral("secret");
        values.port = port;
        values.protocolType = QStringLiteral("SFTP");
        values.remoteDirectory = QStringLiteral("site");
        values.knownHostsFile = dir.filePath(QStringLiteral("config/known_hosts"));
        return values;
    }

    CallRecorder run(const UploadConnectionSettings& values, const QList<UploadItem>& items,
                     int limitMs = 15000)
    {
        CallRecorder recorder;
        UploadFTPS upload;
        upload.setDelegate(&recorder);
        upload.setVerboseTrace(true);
        upload.setSftpTimeLimitMs(limitMs);
        upload.applySettings(values);
        upload.setUploadItemArray(items);
        upload.uploadSingleFile();
        lastTrace = upload.connectionTrace();
        return recorder;
    }

    QTemporaryDir dir;
    QString root;
    std::unique_ptr<ServerProcess> server;
    QString lastTrace;
};

TEST_F(UploadSFTPTest, SuccessCallsSayOnlySuccess)
{
    if (!startServer(QStringLiteral("key1")))
        return;
    const CallRecorder calls = run(settings(server->port("SFTP")), {item(local("a.html"), "", "a.html"),
                                                                    item(local("b.css"), "/page", "b.css")});
    EXPECT_EQ(calls.summary(), QStringLiteral("YES/0 YES/1"));
    for (const auto& call : calls.calls)
        EXPECT_EQ(call.details, QStringLiteral("Success"));
    EXPECT_EQ(readFile(root + QStringLiteral("/site/a.html")), QByteArray("content of a.html"));
    EXPECT_EQ(readFile(root + QStringLiteral("/site/page/b.css")), QByteArray("content of b.css"));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("config/known_hosts"))));
}

TEST_F(UploadSFTPTest, FailuresNameTheirStep)
{
    if (!startServer(QStringLiteral("key1")))
        return;
    const int port = server->port("SFTP");
    UploadConnectionSettings wrong = settings(port);
    wrong.password = QStringLiteral("wrong-Zq9");
    CallRecorder calls = run(wrong, {item(local("a.html"), "", "a.html")});
    EXPECT_EQ(calls.summary(), QStringLiteral("NO/0"));
    EXPECT_EQ(calls.lastDetails(),
              QStringLiteral(
                  "Connection Log\n\n**Connected successfully to 127.0.0.1 on port %1 using protocol SFTP."
                  "\n\n**Not able to log in using username quib and the specified password. This type of "
                  "error is usually caused when the incorrect username or password is entered into FTP "
                  "Settings. Please double check FTP Settings and contact your web host provider to verify "
                  "these details if needed.")
                  .arg(port));
    EXPECT_TRUE(lastTrace.contains(QStringLiteral("SSH authentication methods available")));
    EXPECT_FALSE(lastTrace.contains(wrong.password));

    // A file that cannot be sent: the whole log, ending in the remote path.
    calls =
        run(settings(port), {item(local("a.html"), "", "a.html"), item(local("gone.css"), "", "gone.css")});
    EXPECT_EQ(calls.summary(), QStringLiteral("YES/0 NO/1"));
    EXPECT_TRUE(calls.lastDetails().contains(
        QStringLiteral("Successfully uploaded file site/a.html\n\nNot able to upload file site/gone.css.")));

    server->stop();
    calls = run(settings(port), {item(local("a.html"), "", "a.html")});
    EXPECT_EQ(calls.summary(), QStringLiteral("NO/0"));
    EXPECT_TRUE(calls.lastDetails().startsWith(
        QStringLiteral("Connection Log\n\n**Not able to connect to 127.0.0.1 on port %1 using protocol SFTP.")
            .arg(port)));
    EXPECT_TRUE(calls.lastDetails().contains(QStringLiteral("attempted using port number %1.").arg(port)));
}

TEST_F(UploadSFTPTest, RefusedChannelComesAfterTheLogin)
{
    if (!startServer(QStringLiteral("key1"), 0, {QStringLiteral("--no-sftp")}))
        return;
    const int port = server->port("SFTP");
    const CallRecorder calls = run(settings(port), {item(local("a.html"), "", "a.html")});
    EXPECT_EQ(calls.summary(), QStringLiteral("NO/0"));
    EXPECT_EQ(calls.lastDetails(),
              QStringLiteral(
                  "Connection Log\n\n**Connected successfully to 127.0.0.1 on port %1 using protocol SFTP."
                  "\n\n**Logged in successfully using username quib and the specified password"
                  "\n\n**Not able to initialize connection")
                  .arg(port));
}

TEST_F(UploadSFTPTest, ChangedHostKeyIsRefused)
{
    if (!startServer(QStringLiteral("key1")))
        return;
    const int port = server->port("SFTP");
    EXPECT_EQ(run(settings(port), {item(local("a.html"), "", "a.html")}).summary(), QStringLiteral("YES/0"));
    EXPECT_EQ(run(settings(port), {item(local("a.html"), "", "a.html")}).summary(), QStringLiteral("YES/0"));
    QFile::remove(root + QStringLiteral("/site/a.html"));

    server->stop();
    if (!startServer(QStringLiteral("key2"), port))
        return;
    const CallRecorder calls = run(settings(port), {item(local("a.html"), "", "a.html")});
    EXPECT_EQ(calls.summary(), QStringLiteral("NO/0"));
    EXPECT_TRUE(calls.lastDetails().contains(QStringLiteral("host key has changed")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/site/a.html")));
}

TEST_F(UploadSFTPTest, SilentListenerFailsWithinTheLimit)
{
    EXPECT_EQ(UploadFTPS().sftpTimeLimitMs(), 15000);
    SilentListener silent;
    ASSERT_NE(silent.port(), 0);
    QElapsedTimer timer;
    timer.start();
    const CallRecorder calls = run(settings(silent.port()), {item(local("a.html"), "", "a.html")}, 1500);
    const qint64 elapsed = timer.elapsed();
    EXPECT_EQ(calls.summary(), QStringLiteral("NO/0"));
    EXPECT_TRUE(calls.lastDetails().contains(QStringLiteral("**Not able to connect to 127.0.0.1")));
    EXPECT_GE(elapsed, 1000);
    EXPECT_LT(elapsed, 8000);
}

} // namespace
