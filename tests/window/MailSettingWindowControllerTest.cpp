// The sender settings sheet driven with real mouse and key events: provider presets, the "25" rule,
// the security segment stored at once, the password in the secret store only, and the test e-mail
// through a real SMTP server on loopback with its alerts and error log.
#include "WindowTestSupport.h"

#include "platform/Dialogs.h"
#include "platform/SecretStore.h"
#include "publishing/MailSettings.h"
#include "publishing/UploadServers.h"
#include "window/ConnectionLogWindowController.h"
#include "window/MailSettingWindowController.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

class MailSettingSheetTest : public WindowTest
{
protected:
    MailSettingSheetTest()
    {
        main.resize(700, 640);
        main.show();
    }

    void open() { sheet.showMailSettings(&main); }

    static void type(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QAbstractButton* presetButton(const char* provider)
    {
        const QList<MailSettingWindowController::Preset>& presets = MailSettingWindowController::presets();
        for (int i = 0; i < presets.size(); ++i) {
            if (qstrcmp(presets.at(i).provider, provider) == 0)
                return sheet.autoConfigureMatrix()->button(i);
        }
        return nullptr;
    }

    static QString stored(const char* key)
    {
        return platform::UserDefaults::standard().stringForKey(QLatin1String(key));
    }

    QMainWindow main;
    MailSettingWindowController sheet;
    platform::ScopedDialogs dialogs;
    platform::ScopedSecretStore secrets;
};

TEST_F(MailSettingSheetTest, PresetsFillServerPortUserAndSecurity)
{
    const struct
    {
        const char* provider;
        const char* server;
        const char* port;
        int segment; // -1: as it was
    } rows[] = {
        {"GMX", "mail.gmx.com", "465", 1},
        {"AT&T", "smtp.mail.att.net", "465", 1},
        {"Hotmail", "smtp-mail.outlook.com", "587", 0},
        {"Yahoo", "smtp.mail.yahoo.com", "465", 1},
        {"BT Internet", "mail.btinternet.com", "25", -1},
        {"Orange (United Kingdom)", "smtp.orange.net", "25", -1},
        {"Office 365", "smtp.office365.com", "587", 0},
    };
    ASSERT_EQ(MailSettingWindowController::presets().size(), 15);
    for (const auto& row : rows) {
        platform::UserDefaults::standard().setObject(QStringLiteral("connectionType"),
                                                     QStringLiteral("None"));
        open();
        type(sheet.mailAddress(), QStringLiteral("me@example.org"));
        QAbstractButton* preset = presetButton(row.provider);
        ASSERT_NE(preset, nullptr) << row.provider;
        click(preset);
        EXPECT_EQ(sheet.mailServer()->text(), QLatin1String(row.server)) << row.provider;
        EXPECT_EQ(sheet.mailServerPortNumber()->text(), QLatin1String(row.port)) << row.provider;
        EXPECT_EQ(sheet.mailUsername()->text(), QStringLiteral("me@example.org")) << row.provider;
        const int segment = row.segment < 0 ? 2 : row.segment;
        EXPECT_EQ(sheet.connectionSegmentedControl()->checkedId(), segment) << row.provider;
        EXPECT_EQ(stored("connectionType"), QStringList({"STARTTLS", "SSL", "None"}).at(segment))
            << row.provider;
        // Nothing but the security mode is stored before Save.
        EXPECT_EQ(stored("mailSMTPServer"), QString()) << row.provider;
        click(sheet.cancelButton());
    }
    // The user name is the address as it stands, an empty one included.
    open();
    type(sheet.mailUsername(), QStringLiteral("someone"));
    type(sheet.mailAddress(), QString());
    click(presetButton("Comcast"));
    EXPECT_EQ(sheet.mailUsername()->text(), QString());
}

TEST_F(MailSettingSheetTest, SaveStoresFieldsAnEmptyPortAs25AndThePasswordInTheStoreOnly)
{
    platform::UserDefaults::standard().setObject(QStringLiteral("mailPassword"), QStringLiteral("old-plain"));
    open();
    EXPECT_EQ(sheet.connectionSegmentedControl()->checkedId(), 0) << "a missing mode shows STARTTLS";
    type(sheet.mailName(), QStringLiteral("Me"));
    type(sheet.mailAddress(), QStringLiteral("me@example.org"));
    type(sheet.mailServer(), QStringLiteral("smtp.example.org"));
    type(sheet.mailUsername(), QStringLiteral("login"));
    type(sheet.mailPassword(), QStringLiteral("typed-secret"));
    type(sheet.mailServerPortNumber(), QString());
    click(sheet.saveAndCloseButton());

    EXPECT_FALSE(sheet.window()->isVisible());
    EXPECT_EQ(sheet.mailServerPortNumber()->text(), QStringLiteral("25"));
    EXPECT_EQ(stored("mailPortnumber"), QStringLiteral("25"));
    EXPECT_EQ(stored("mailName"), QStringLiteral("Me"));
    EXPECT_EQ(stored("mailSMTPServer"), QStringLiteral("smtp.example.org"));
    EXPECT_EQ(stored("mailSMTPUsername"), QStringLiteral("login"));
    EXPECT_FALSE(platform::UserDefaults::standard().hasUserValue(QStringLiteral("mailPassword")));
    EXPECT_EQ(MailSettings::fromUserDefaults().password, QStringLiteral("typed-secret"));
    QFile ini(platform::UserDefaults::standard().storeFile());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(ini.readAll().contains("typed-secret"));

    // Opened again, the sheet shows what was stored.
    open();
    EXPECT_EQ(sheet.mailPassword()->text(), QStringLiteral("typed-secret"));
    EXPECT_EQ(sheet.mailUsername()->text(), QStringLiteral("login"));
}

TEST_F(MailSettingSheetTest, NoneIsStoredAtOnceWithAWarningAndSurvivesCancel)
{
    open();
    EXPECT_FALSE(sheet.securityWarning()->isVisible());
    click(sheet.connectionSegmentedControl()->button(2));
    EXPECT_EQ(stored("connectionType"), QStringLiteral("None"));
    EXPECT_TRUE(sheet.securityWarning()->isVisible());
    click(sheet.cancelButton());
    EXPECT_EQ(stored("connectionType"), QStringLiteral("None"));
    open();
    EXPECT_EQ(sheet.connectionSegmentedControl()->checkedId(), 2);
}

class MailTestEmailTest : public MailSettingSheetTest
{
protected:
    bool startServer()
    {
        if (!uploadtest::havePythonModuleOrFail(QStringLiteral("aiosmtpd"),
                                                QStringLiteral("python3-aiosmtpd")))
            return false;
        EXPECT_TRUE(server.start(
            "smtp_server.py", {QStringLiteral("--mode"), QStringLiteral("plain"), QStringLiteral("--folder"),
                               m_store.path(), QStringLiteral("--user"), QStringLiteral("me@example.org"),
                               QStringLiteral("--password"), QStringLiteral("pw-1")}))
            << server.errors().toStdString();
        return server.port("SMTP") > 0;
    }

    void fillAndTest(const QString& password)
    {
        open();
        type(sheet.mailName(), QStringLiteral("Me"));
        type(sheet.mailAddress(), QStringLiteral("me@example.org"));
        type(sheet.mailServer(), QStringLiteral("127.0.0.1"));
        type(sheet.mailUsername(), QString());
        type(sheet.mailPassword(), password);
        type(sheet.mailServerPortNumber(), QString::number(server.port("SMTP")));
        click(sheet.connectionSegmentedControl()->button(2));
        QSignalSpy finished(&sheet, &MailSettingWindowController::testEmailFinished);
        click(sheet.testButton());
        ASSERT_TRUE(finished.wait(30000));
        ASSERT_TRUE(sheet.window()->isEnabled());
    }

    uploadtest::ServerProcess server;
};

TEST_F(MailTestEmailTest, TestEmailArrivesWithTheEditionInItsSubject)
{
    if (!startServer())
        return;
    edition().gEditionDisplayName = QStringLiteral("Ulmira Pro 2");
    dialogs->queueAlertAnswer(0); // Proceed
    dialogs->queueAlertAnswer(0); // OK
    fillAndTest(QStringLiteral("pw-1"));
    server.stop();

    const QList<platform::Alert> alerts = dialogs->alerts();
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_EQ(alerts.at(0).title, QStringLiteral("Test Settings"));
    EXPECT_TRUE(alerts.at(0).informativeText.startsWith(QStringLiteral(
        "This App will send a test email to me@example.org using the mail settings entered here.\n"
        "SMTP Server: 127.0.0.1\nUsername: ")));
    EXPECT_EQ(alerts.at(1).title, QStringLiteral("Mail Sent"));
    const QJsonObject kept =
        QJsonDocument::fromJson(uploadtest::readFile(m_store.filePath(QStringLiteral("1.json")))).object();
    const QJsonObject headers = kept.value(QStringLiteral("headers")).toObject();
    EXPECT_EQ(headers.value(QStringLiteral("Subject")).toString(),
              QStringLiteral("Test email from Ulmira Pro 2"));
    EXPECT_EQ(headers.value(QStringLiteral("To")).toString(), QStringLiteral("me@example.org"));
    EXPECT_EQ(kept.value(QStringLiteral("content_type")).toString(), QStringLiteral("text/html"));

    QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts"));
    open();
    ASSERT_TRUE(sheet.window()->grab().save(QCoreApplication::applicationDirPath() +
                                            QStringLiteral("/artefacts/mail-settings-sheet.png")));
}

TEST_F(MailTestEmailTest, FailedTestOffersTheErrorLogWithoutThePassword)
{
    if (!startServer())
        return;
    dialogs->queueAlertAnswer(0); // Proceed
    dialogs->queueAlertAnswer(0); // View Error Log
    fillAndTest(QStringLiteral("wrong-password-9"));
    server.stop();

    const QList<platform::Alert> alerts = dialogs->alerts();
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_EQ(alerts.at(1).title, QStringLiteral("Oops, we seem to have run into an error"));
    EXPECT_EQ(alerts.at(1).buttons,
              (QStringList{QStringLiteral("View Error Log"), QStringLiteral("Cancel")}));
    ConnectionLogWindowController* log = sheet.connectionLogController();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->window()->windowTitle(), QStringLiteral("Error log"));
    const QString text = log->textView()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("AUTH"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("wrong-password-9")));
    EXPECT_FALSE(QFile::exists(m_store.filePath(QStringLiteral("1.json"))));
}

} // namespace
