// FTP and explicit FTPS uploads against pyftpdlib on loopback: the delegate calls, the log texts,
// where files land, and what the server's identity check does.
#include "publishing/CurlSession.h"
#include "publishing/UploadServers.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace uploadtest;

namespace {

const QString kPassword = QStringLiteral("pw-Kq8#zz");

class UploadFTPTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.filePath(QStringLiteral("root"));
        QDir().mkpath(root);
        for (const char* name : {"a.html", "b.css", "c.png"})
            writeFile(local(QLatin1String(name)), QByteArray("content of ") + name);
    }
    QString local(const QString& name) const { return dir.filePath(QStringLiteral("local/") + name); }

    // Starts the server (FTPS when tls); false (test skipped or failed) when it cannot run.
    bool startServer(bool tls = false, const QString& home = QString(), bool http = false)
    {
        if (!havePythonModuleOrFail(QStringLiteral("pyftpdlib"), QStringLiteral("python3-pyftpdlib")))
            return false;
        QStringList arguments{QStringLiteral("--root"), root, QStringLiteral("--password"), kPassword};
        if (!home.isEmpty())
            arguments << QStringLiteral("--home") << home;
        if (http)
            arguments << QStringLiteral("--http");
        if (tls) {
            if (!havePythonModuleOrFail(QStringLiteral("OpenSSL"), QStringLiteral("python3-openssl")))
                return false;
            QProcess make;
            make.start(python(), {serverScript("make_cert.py"), dir.path()});
            EXPECT_TRUE(make.waitForFinished(30000) && make.exitCode() == 0)
                << make.readAllStandardError().data();
            arguments << QStringLiteral("--cert") << dir.filePath(QStringLiteral("server.pem"))
                      << QStringLiteral("--key") << dir.filePath(QStringLiteral("server.key"));
        }
        const bool started = server.start("ftp_server.py", arguments);
        EXPECT_TRUE(started) << server.errors().toStdString();
        return started;
    }

    UploadConnectionSettings settings(const QString& protocol = QStringLiteral("FTP")) const
    {
        UploadConnectionSettings values;
        values.server = QStringLiteral("127.0.0.1");
        values.userName = QStringLiteral("quib");
        values.password = kPassword;
        values.port = server.port("FTP");
        values.protocolType = protocol;
        return values;
    }

    // Runs createNewFolder (when folder is given) and the queue; the transfer is kept for inspection.
    CallRecorder run(const UploadConnectionSettings& values, const QList<UploadItem>& items,
                     const QString& folder = QString())
    {
        CallRecorder recorder;
        upload = std::make_unique<UploadFTPS>();
        upload->setDelegate(&recorder);
        upload->setVerboseTrace(true);
        upload->applySettings(values);
        upload->setUploadItemArray(items);
        if (!folder.isEmpty())
            upload->createNewFolder(folder);
        upload->uploadSingleFile();
        return recorder;
    }

    QString serverCertificateFingerprint() const
    {
        QByteArray pem = readFile(dir.filePath(QStringLiteral("server.pem")));
        pem.replace("-----BEGIN CERTIFICATE-----", "").replace("-----END CERTIFICATE-----", "");
        const QByteArray der = QByteArray::fromBase64(pem.simplified().replace(' ', ""));
        return der.isEmpty() ? QString() : CurlSession::fingerprint(der);
    }

    QTemporaryDir dir;
    QString root;
    ServerProcess server;
    std::unique_ptr<UploadFTPS> upload;
};

TEST_F(UploadFTPTest, SecondOfThreeMissingEndsTheRunAfterTheFirst)
{
    if (!startServer())
        return;
    UploadConnectionSettings values = settings();
    values.remoteDirectory = QStringLiteral("site");
    QDir(root).mkpath(QStringLiteral("site"));
    const CallRecorder calls =
        run(values, {item(local("a.html"), "", "a.html"), item(local("gone.css"), "", "b.css"),
                     item(local("c.png"), "", "c.png")});
    EXPECT_EQ(calls.summary(), QStringLiteral("YES/0 NO/1"));
    EXPECT_TRUE(calls.lastDetails().startsWith(
        QStringLiteral("Connection Log\n\n**Connected successfully to 127.0.0.1")));
    EXPECT_TRUE(calls.lastDetails().contains(
        QStringLiteral("\n\nNot able to upload file b.css.\n\nPlease try again.")));
    EXPECT_TRUE(calls.calls.first().details.endsWith(QStringLiteral("Successfully uploaded file a.html")));
    EXPECT_EQ(readFile(root + QStringLiteral("/site/a.html")), QByteArray("content of a.html"));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/site/b.css")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/site/c.png")));
}

TEST_F(UploadFTPTest, FoldersAreMadeOneLevelDeep)
{
    if (!startServer())
        return;
    UploadConnectionSettings values = settings();
    // An empty remote path is the login folder; a missing folder there is made and entered.
    CallRecorder calls =
        run(values, {item(local("a.html"), "", "a.html"), item(local("b.css"), "/page", "b.css")});
    EXPECT_EQ(calls.summary(), QStringLiteral("YES/0 YES/1"));
    EXPECT_TRUE(calls.lastDetails().contains(QStringLiteral("Successfully changed to remote directory /\n")));
    EXPECT_TRUE(
        calls.lastDetails().contains(QStringLiteral("Successfully changed to remote directory /page\n")));
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/a.html")));
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/page/b.css")));

    // A nested folder whose parent is missing means a wrong remote path.
    values.remoteDirectory = QStringLiteral("missing");
    calls = run(values, {item(local("a.html"), "/deeper", "a.html")});
    EXPECT_EQ(calls.summary(), QStringLiteral("NO/0"));
    EXPECT_TRUE(
        calls.lastDetails().contains(QStringLiteral("Not able to access remote directory /missing/deeper.")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/missing")));
}

TEST_F(UploadFTPTest, WrongPasswordIsOneFailureNamingTheConnection)
{
    if (!startServer())
        return;
    UploadConnectionSettings values = settings();
    values.password = QStringLiteral("wrong-Password-77");
    values.passiveMode = false;
    const CallRecorder calls = run(values, {item(local("a.html"), "", "a.html")});
    EXPECT_EQ(calls.summary(), QStringLiteral("NO/0"));
    const QString expected =
        QStringLiteral("Connection Log\n\n**Not able to connect to 127.0.0.1 on port %1 using "
                       "protocol FTP. Mode Active. The connection was attempted using username "
                       "quib and the specified password.")
            .arg(values.port);
    EXPECT_TRUE(calls.lastDetails().startsWith(expected)) << calls.lastDetails().toStdString();
    EXPECT_FALSE(calls.lastDetails().contains(values.password));
    EXPECT_TRUE(upload->connectionTrace().contains(QStringLiteral("> PASS ****")));
    EXPECT_FALSE(upload->connectionTrace().contains(values.password));
}

TEST_F(UploadFTPTest, EmptyQueueOnlyConnectsAndNoDelegateIsFine)
{
    if (!startServer())
        return;
    EXPECT_EQ(run(settings(), {}).summary(), QString());
    UploadConnectionSettings wrong = settings();
    wrong.password = QStringLiteral("wrong");
    EXPECT_EQ(run(wrong, {}).summary(), QStringLiteral("NO/0"));

    UploadFTPS silent;
    silent.applySettings(settings());
    silent.setUploadItemArray({item(local("a.html"), "", "a.html")});
    silent.uploadSingleFile();
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/a.html")));
}

TEST_F(UploadFTPTest, ActiveModeUploads)
{
    if (!startServer())
        return;
    UploadConnectionSettings values = settings();
    values.passiveMode = false;
    const CallRecorder calls = run(values, {item(local("a.html"), "", "a.html")});
    EXPECT_EQ(calls.summary(), QStringLiteral("YES/0"));
    EXPECT_TRUE(upload->connectionTrace().contains(QStringLiteral("> EPRT")) ||
                upload->connectionTrace().contains(QStringLiteral("> PORT")));
    EXPECT_EQ(readFile(root + QStringLiteral("/a.html")), QByteArray("content of a.html"));
}

TEST_F(UploadFTPTest, NamesArePercentEncodedAndControlCharactersRefused)
{
    if (!startServer())
        return;
    const CallRecorder good = run(settings(), {item(local("a.html"), "/my folder", "a b#?%41.html")});
    EXPECT_EQ(good.summary(), QStringLiteral("YES/0"));
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/my folder/a b#?%41.html")));

    for (const QString& folder :
         {QStringLiteral("/x\r\nDELE a.html"), QStringLiteral("/.."), QStringLiteral("/a\tb")}) {
        const CallRecorder bad = run(settings(), {item(local("a.html"), folder, "z.html")});
        EXPECT_EQ(bad.summary(), QStringLiteral("NO/0")) << folder.toStdString();
        EXPECT_TRUE(bad.lastDetails().contains(QStringLiteral("Not able to access remote directory")));
    }
    const CallRecorder badName = run(settings(), {item(local("a.html"), "", "z\n.html")});
    EXPECT_EQ(badName.summary(), QStringLiteral("NO/0"));
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/a.html")) == false);
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("my folder")});
}

TEST_F(UploadFTPTest, LoginFolderBelowTheRootHoldsFolderAndFiles)
{
    if (!startServer(false, QStringLiteral("home/quib")))
        return;
    QDir(root).mkpath(QStringLiteral("home/quib/site"));
    UploadConnectionSettings values = settings();
    values.remoteDirectory = QStringLiteral("site");
    const CallRecorder calls =
        run(values, {item(local("a.html"), "/page", "a.html")}, QStringLiteral("page"));
    EXPECT_EQ(calls.summary(), QStringLiteral("YES/0"));
    EXPECT_TRUE(
        calls.lastDetails().contains(QStringLiteral("Successfully changed to remote directory /site/page")));
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/home/quib/site/page/a.html")));
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/site")));

    // createNewFolder alone makes the folder in the same place.
    UploadFTPS folderOnly;
    folderOnly.applySettings(values);
    folderOnly.createNewFolder(QStringLiteral("other"));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/home/quib/site/other")).isDir());
}

TEST_F(UploadFTPTest, FtpsIsVerifiedAndAnUnknownCertificateCanBeTrustedByFingerprint)
{
    if (!startServer(true))
        return;
    const QString fingerprint = serverCertificateFingerprint();
    ASSERT_FALSE(fingerprint.isEmpty());

    UploadConnectionSettings values = settings(QStringLiteral("FTPS"));
    CallRecorder calls = run(values, {item(local("a.html"), "", "a.html")});
    EXPECT_EQ(calls.summary(), QStringLiteral("NO/0"));
    EXPECT_TRUE(calls.lastDetails().contains(QStringLiteral("using protocol FTP/SSL. Mode Passive.")));
    EXPECT_TRUE(calls.lastDetails().contains(fingerprint));
    EXPECT_EQ(upload->refusedCertificateFingerprint(), fingerprint);
    EXPECT_FALSE(upload->connectionTrace().contains(QStringLiteral("USER quib"))) << "no login before trust";
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/a.html")));

    const struct
    {
        const char* name;
        QString caFile;
        QString trusted;
        const char* result;
    } cases[] = {
        {"with the authority", dir.filePath(QStringLiteral("ca.pem")), QString(), "YES/0"},
        {"trusted fingerprint", QString(), fingerprint, "YES/0"},
        {"another fingerprint", QString(),
         QString(fingerprint)
             .replace(0, 2, fingerprint.startsWith(u'0') ? QStringLiteral("11") : QStringLiteral("00")),
         "NO/0"},
        {"active mode", dir.filePath(QStringLiteral("ca.pem")), QString(), "YES/0"},
    };
    for (const auto& c : cases) {
        values.passiveMode = std::string_view(c.name) != "active mode";
        values.caFile = c.caFile;
        values.trustedCertificateFingerprint = c.trusted;
        calls = run(values, {item(local("a.html"), "/tls", "a.html")});
        EXPECT_EQ(calls.summary(), QLatin1String(c.result))
            << c.name << calls.lastDetails().right(200).toStdString();
        EXPECT_TRUE(calls.lastDetails().contains(QStringLiteral("using protocol FTP/SSL."))) << c.name;
    }
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("/tls/a.html")));
    // Active mode asked for: the file still travels only inside TLS.
    EXPECT_TRUE(upload->connectionTrace().contains(
        CurlSession::activeTlsDataWorks() ? QStringLiteral("> EPRT") : QStringLiteral("> EPSV")));

    // The authority alone does not cover a name the certificate was not made for.
    values.caFile = dir.filePath(QStringLiteral("ca.pem"));
    values.trustedCertificateFingerprint.clear();
    values.server = QStringLiteral("localhost");
    calls = run(values, {item(local("a.html"), "", "a.html")});
    EXPECT_EQ(calls.summary(), QStringLiteral("NO/0"));
    EXPECT_EQ(upload->refusedCertificateFingerprint(), fingerprint);
}

// Reads what the process writes to stderr while body runs.
template <typename Body> QByteArray capturedStderr(const QString& path, Body body)
{
    fflush(stderr);
    const int saved = dup(2);
    FILE* sink = fopen(QFile::encodeName(path).constData(), "w");
    dup2(fileno(sink), 2);
    body();
    fflush(stderr);
    dup2(saved, 2);
    close(saved);
    fclose(sink);
    return readFile(path);
}

TEST_F(UploadFTPTest, PasswordIsInNoTraceLogOrStderr)
{
    if (!startServer(true))
        return;
    QStringList traces;
    QStringList logs;
    const QByteArray errors = capturedStderr(dir.filePath(QStringLiteral("stderr.txt")), [&] {
        for (const QString& caFile : {QString(), dir.filePath(QStringLiteral("ca.pem"))}) {
            for (const QString& password : {kPassword, QStringLiteral("not-") + kPassword}) {
                UploadConnectionSettings values = settings(QStringLiteral("FTPS"));
                values.caFile = caFile;
                values.password = password;
                const CallRecorder calls = run(values, {item(local("a.html"), "", "a.html")});
                traces.append(upload->connectionTrace());
                for (const auto& call : calls.calls)
                    logs.append(call.details);
            }
        }
    });
    ASSERT_EQ(traces.size(), 4);
    EXPECT_TRUE(traces.at(2).contains(QStringLiteral("> AUTH ****")));
    EXPECT_TRUE(traces.at(2).contains(QStringLiteral("> PASS ****")));
    EXPECT_TRUE(traces.at(3).contains(QStringLiteral("> PASS ****")));
    for (const QString& text : traces + logs) {
        EXPECT_FALSE(text.contains(kPassword));
        EXPECT_FALSE(text.contains(QStringLiteral("pw-Kq8")));
    }
    EXPECT_FALSE(errors.contains(kPassword.toUtf8()));
}

} // namespace
