// The sheet's Test button against pyftpdlib with Python's http.server on the same folder, both
// started and stopped by the test: the success alert, a web copy that differs by one line end, and a
// wrong password with its log.
#include "WindowTestSupport.h"
#include "publishing/UploadServers.h"

#include "platform/Dialogs.h"
#include "platform/SecretStore.h"
#include "window/ConnectionLogWindowController.h"
#include "window/PreferenceWindowController.h"
#include "window/ProgressIndicatorWindowController.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace uploadtest;

namespace {

class ConnectionTestButtonTest : public WindowTest
{
protected:
    void SetUp() override
    {
        ProgressIndicatorWindowController::installForProcess();
        root = m_store.filePath(QStringLiteral("root"));
        QDir().mkpath(root);
        main.show();
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

    static void type(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    // Fills the sheet, presses Test, answers Yes and waits for the result alert.
    bool runTest(const QString& password, const QString& baseURL)
    {
        sheet.showPreferencesPanel(&main);
        type(sheet.FTPServer(), QStringLiteral("127.0.0.1"));
        type(sheet.FTPUsername(), QStringLiteral("quib"));
        type(sheet.FTPPassword(), password);
        type(sheet.FTPServerPortNumber(), QString::number(server.port("FTP")));
        type(sheet.FTPRemotePath(), QString());
        type(sheet.FTPWebsiteBaseURL(), baseURL);
        QSignalSpy finished(&sheet, &PreferenceWindowController::connectionTestFinished);
        dialogs->queueAlertAnswer(0); // Yes
        QTest::mouseClick(sheet.testButton(), Qt::LeftButton);
        return finished.wait(90000);
    }

    QString httpBase() const { return QStringLiteral("127.0.0.1:%1").arg(server.port("HTTP")); }

    platform::ScopedDialogs dialogs;
    platform::ScopedSecretStore secrets;
    QMainWindow main;
    PreferenceWindowController sheet;
    ServerProcess server;
    QString root;
};

} // namespace

TEST_F(ConnectionTestButtonTest, UploadsTheTestFileAndFindsItOnTheWeb)
{
    if (!startServer())
        return;
    ASSERT_TRUE(runTest(QStringLiteral("secret"), httpBase()));
    const platform::Alert result = dialogs->alerts().constLast();
    EXPECT_EQ(result.title, QStringLiteral("http://%1/app_ftp_test.html").arg(httpBase()));
    EXPECT_EQ(result.informativeText,
              QStringLiteral("File Upload Test:  Success \nWeb Access Test: Success"));
    EXPECT_EQ(readFile(root + QStringLiteral("/app_ftp_test.html")), QByteArray("Test file"));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("/Test")).isDir());
    EXPECT_EQ(ProgressIndicatorWindowController::current(), nullptr);
}

TEST_F(ConnectionTestButtonTest, AWebCopyWithALineEndAddedFailsTheWebCheck)
{
    if (!startServer())
        return;
    // The base URL points at a folder whose copy of the file differs by one line end.
    writeFile(root + QStringLiteral("/other/app_ftp_test.html"), QByteArray("Test file\n"));
    ASSERT_TRUE(runTest(QStringLiteral("secret"), httpBase() + QStringLiteral("/other")));
    const platform::Alert result = dialogs->alerts().constLast();
    EXPECT_EQ(result.title, QStringLiteral("File Upload Test:  Success \nWeb Access Test: Failed"));
    EXPECT_TRUE(result.informativeText.contains(
        QStringLiteral("\"http://%1/other/app_ftp_test.html\"").arg(httpBase())));
}

TEST_F(ConnectionTestButtonTest, AWrongPasswordFailsTheUploadAndShowsItsLog)
{
    if (!startServer())
        return;
    // With the Yes that runTest gives, this first button answers "View Connection Log".
    dialogs->queueAlertAnswer(0);
    ASSERT_TRUE(runTest(QStringLiteral("wrong"), httpBase()));
    const QList<platform::Alert> alerts = dialogs->alerts();
    ASSERT_GE(alerts.size(), 2);
    EXPECT_EQ(alerts.constLast().title, QStringLiteral("Upload Failed - Please Check Settings"));
    ConnectionLogWindowController* log = sheet.connectionLogController();
    ASSERT_TRUE(log);
    const QString text = log->textView()->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Connection Log"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("quib"))) << qPrintable(text);
    EXPECT_FALSE(text.contains(QStringLiteral("wrong"))) << qPrintable(text);
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("/app_ftp_test.html")));
}
