// The FTP settings sheet driven with real mouse and key events: value checks, the required-values
// alert, profiles saved, chosen and deleted, passwords kept in the secret store only on Save or
// Test, the connection test's alerts and log, and the move of old plain passwords at start-up.
#include "WindowTestSupport.h"

#include "platform/Dialogs.h"
#include "platform/SecretStore.h"
#include "window/ConnectionLogWindowController.h"
#include "window/PreferenceWindowController.h"
#include "window/ProgressIndicatorWindowController.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

using platform::SecretKey;

class PreferenceSheetTest : public WindowTest
{
protected:
    PreferenceSheetTest()
    {
        ProgressIndicatorWindowController::installForProcess();
        main.resize(700, 560);
        main.show();
    }

    void open() { sheet.showPreferencesPanel(&main); }

    static void type(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    // Near the left edge, where a check box has its box (its centre may be empty space).
    static void click(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {},
                          QPoint(std::min(10, button->width() / 2), button->height() / 2));
    }

    void fill(const QString& server, const QString& user, const QString& password, const QString& url,
              const QString& port = {}, const QString& path = {})
    {
        type(sheet.FTPServer(), server);
        type(sheet.FTPUsername(), user);
        type(sheet.FTPPassword(), password);
        type(sheet.FTPWebsiteBaseURL(), url);
        type(sheet.FTPServerPortNumber(), port);
        type(sheet.FTPRemotePath(), path);
    }

    void selectRow(int row)
    {
        QListWidget* list = sheet.tableView();
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    QVariantList profiles() const
    {
        return platform::UserDefaults::standard()
            .objectForKey(QStringLiteral("savedMailingListArray"))
            .toList();
    }

    static QString stored(const char* key)
    {
        return platform::UserDefaults::standard().stringForKey(QLatin1String(key));
    }

    std::optional<QString> password(const QString& user, const QString& server, const QString& port = {},
                                    const QString& type = QStringLiteral("FTP"))
    {
        return secrets->read(SecretKey::fromSettings(type, user, server, port));
    }

    static void saveShot(QWidget* window, const QString& name)
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
        QDir().mkpath(folder);
        ASSERT_TRUE(window->grab().save(folder + u'/' + name));
    }

    platform::ScopedDialogs dialogs;
    platform::ScopedSecretStore secrets;
    QMainWindow main;
    PreferenceWindowController sheet;
};

struct ValueCheckCase
{
    const char* what;
    const char* port;
    const char* server;
    const char* path;
    const char* url;
    const char* expectedPort;
    const char* expectedServer;
    const char* expectedPath;
    const char* expectedUrl;
};

} // namespace

TEST_F(PreferenceSheetTest, ValueChecksNormaliseTheFieldsAndStoreThem)
{
    const ValueCheckCase cases[] = {
        {"port keeps its digits", "21 a1", "ftp.example.com", "", "example.com", "211", "ftp.example.com", "",
         "http://example.com"},
        {"port of letters is empty", "abc", "host", "", "", "", "host", "", ""},
        {"one slash off each end", "", "/host/", "/public_html/", "", "", "host", "public_html", ""},
        {"only one slash off each end", "", "h", "//site//", "", "", "h", "/site/", ""},
        {"spaces go after the slash tests", "", "h", " /a b/ ", "", "", "h", "/ab/", ""},
        {"four letters stay as typed", "", "h", "", "abcd", "", "h", "", "abcd"},
        {"six letters get the scheme", "", "h", "", "abcdef", "", "h", "", "http://abcdef"},
        {"a secure address loses its slash", "", "h", "", "https://x.org/", "", "h", "", "https://x.org"},
        {"a scheme in capitals is a scheme", "", "h", "", "HTTP://X.ORG", "", "h", "", "HTTP://X.ORG"},
        {"other schemes count", "", "h", "", "ftp://files.example", "", "h", "", "ftp://files.example"},
    };
    open();
    for (const ValueCheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        fill(QLatin1String(c.server), QStringLiteral("me"), QStringLiteral("pw"), QLatin1String(c.url),
             QLatin1String(c.port), QLatin1String(c.path));
        dialogs->queueAlertAnswer(0); // "Check Settings Again", where the alert comes
        click(sheet.saveAndCloseButton());
        EXPECT_EQ(sheet.FTPServerPortNumber()->text(), QLatin1String(c.expectedPort));
        EXPECT_EQ(sheet.FTPServer()->text(), QLatin1String(c.expectedServer));
        EXPECT_EQ(sheet.FTPRemotePath()->text(), QLatin1String(c.expectedPath));
        EXPECT_EQ(sheet.FTPWebsiteBaseURL()->text(), QLatin1String(c.expectedUrl));
        EXPECT_EQ(stored("portnumber"), QLatin1String(c.expectedPort));
        EXPECT_EQ(stored("server"), QLatin1String(c.expectedServer));
        EXPECT_EQ(stored("remotepath"), QLatin1String(c.expectedPath));
        EXPECT_EQ(stored("baseurl"), QLatin1String(c.expectedUrl));
        EXPECT_EQ(stored("username"), QStringLiteral("me"));
        open();
    }
}

TEST_F(PreferenceSheetTest, MissingRequiredValuesAskAndSaveAnywaysSavesAnEmptyPassword)
{
    open();
    fill(QStringLiteral("ftp.example.com"), QStringLiteral("me"), QString(), QStringLiteral("example.com"));
    dialogs->queueAlertAnswer(0); // Check Settings Again
    click(sheet.saveAndCloseButton());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    const platform::Alert alert = dialogs->alerts().constFirst();
    EXPECT_EQ(alert.title, QStringLiteral("Required Values Incomplete"));
    EXPECT_EQ(
        alert.informativeText,
        QStringLiteral("Some of the required FTP settings appears to be incomplete.  We recommend double "
                       "checking to make sure all fields are completed as required by your web host."));
    EXPECT_EQ(alert.buttons,
              (QStringList{QStringLiteral("Check Settings Again"), QStringLiteral("Save Anyways")}));
    EXPECT_TRUE(sheet.window()->isVisible());
    EXPECT_TRUE(profiles().isEmpty());

    dialogs->queueAlertAnswer(1); // Save Anyways
    click(sheet.saveAndCloseButton());
    EXPECT_FALSE(sheet.window()->isVisible());
    ASSERT_EQ(profiles().size(), 1);
    EXPECT_EQ(password(QStringLiteral("me"), QStringLiteral("ftp.example.com")), QString());
}

TEST_F(PreferenceSheetTest, SavingTheSameAccountAgainKeepsOneProfileWithTheCorrectedPassword)
{
    open();
    fill(QStringLiteral("ftp.example.com"), QStringLiteral("me"), QStringLiteral("wrong"),
         QStringLiteral("example.com"), QStringLiteral("2121"), QStringLiteral("www"));
    click(sheet.saveAndCloseButton());
    ASSERT_EQ(profiles().size(), 1);
    EXPECT_EQ(sheet.tableView()->count(), 1);
    EXPECT_EQ(sheet.tableView()->item(0)->text(),
              QStringLiteral("FTP me ftp.example.com\nhttp://example.com\nwww"));

    open();
    EXPECT_EQ(sheet.FTPPassword()->text(), QStringLiteral("wrong"));
    type(sheet.FTPPassword(), QStringLiteral("right"));
    click(sheet.saveAndCloseButton());
    ASSERT_EQ(profiles().size(), 1);
    EXPECT_EQ(password(QStringLiteral("me"), QStringLiteral("ftp.example.com"), QStringLiteral("2121")),
              QStringLiteral("right"));

    // Neither the settings nor the profile hold the password in plain text.
    EXPECT_FALSE(profiles().constFirst().toMap().contains(QStringLiteral("password")));
    EXPECT_FALSE(platform::UserDefaults::standard().hasUserValue(QStringLiteral("password")));
    QFile file(platform::UserDefaults::standard().storeFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("right"));
}

TEST_F(PreferenceSheetTest, CancelKeepsTheOldPassword)
{
    open();
    fill(QStringLiteral("ftp.example.com"), QStringLiteral("me"), QStringLiteral("old"),
         QStringLiteral("example.com"));
    click(sheet.saveAndCloseButton());

    open();
    type(sheet.FTPPassword(), QStringLiteral("typed-then-cancelled"));
    click(sheet.cancelButton());
    EXPECT_FALSE(sheet.window()->isVisible());
    EXPECT_EQ(password(QStringLiteral("me"), QStringLiteral("ftp.example.com")), QStringLiteral("old"));
    open();
    EXPECT_EQ(sheet.FTPPassword()->text(), QStringLiteral("old"));
    EXPECT_EQ(secrets->contents().size(), 1);
}

TEST_F(PreferenceSheetTest, ChooseFillsTheSheetAndDeleteEmptiesTheList)
{
    open();
    fill(QStringLiteral("one.example"), QStringLiteral("ann"), QStringLiteral("pw1"),
         QStringLiteral("one.example"), QString(), QStringLiteral("public_html"));
    click(sheet.FTPTypeSegmentedControl()->button(2)); // FTPS
    click(sheet.saveAndCloseButton());
    open();
    fill(QStringLiteral("two.example"), QStringLiteral("bob"), QStringLiteral("pw2"),
         QStringLiteral("two.example"), QStringLiteral("22"));
    click(sheet.FTPTypeSegmentedControl()->button(1)); // SFTP
    click(sheet.FTPPassiveModeCheckbox());             // active
    click(sheet.saveAndCloseButton());
    ASSERT_EQ(profiles().size(), 2);

    open();
    ASSERT_EQ(sheet.tableView()->count(), 2);
    click(sheet.chooseRecordButton()); // no row selected: nothing happens
    EXPECT_EQ(sheet.FTPServer()->text(), QStringLiteral("two.example"));

    selectRow(0);
    click(sheet.chooseRecordButton());
    EXPECT_EQ(sheet.FTPServer()->text(), QStringLiteral("one.example"));
    EXPECT_EQ(sheet.FTPUsername()->text(), QStringLiteral("ann"));
    EXPECT_EQ(sheet.FTPPassword()->text(), QStringLiteral("pw1"));
    EXPECT_EQ(sheet.FTPRemotePath()->text(), QStringLiteral("public_html"));
    EXPECT_EQ(sheet.FTPWebsiteBaseURL()->text(), QStringLiteral("http://one.example"));
    EXPECT_EQ(sheet.FTPTypeSegmentedControl()->checkedId(), 2);
    EXPECT_TRUE(sheet.FTPPassiveModeCheckbox()->isChecked());
    EXPECT_EQ(stored("connectiontype"), QStringLiteral("FTPS"));

    selectRow(1);
    click(sheet.chooseRecordButton());
    EXPECT_EQ(sheet.FTPPassword()->text(), QStringLiteral("pw2"));
    EXPECT_EQ(sheet.FTPTypeSegmentedControl()->checkedId(), 1);
    EXPECT_FALSE(sheet.FTPPassiveModeCheckbox()->isChecked());
    EXPECT_EQ(stored("connectionmode"), QStringLiteral("Active"));

    selectRow(0);
    click(sheet.deleteRecordButton());
    ASSERT_EQ(profiles().size(), 1);
    EXPECT_EQ(profiles().constFirst().toMap().value(QStringLiteral("server")).toString(),
              QStringLiteral("two.example"));
    selectRow(0);
    click(sheet.deleteRecordButton());
    EXPECT_TRUE(profiles().isEmpty());
    EXPECT_TRUE(platform::UserDefaults::standard().hasUserValue(QStringLiteral("savedMailingListArray")));
    EXPECT_EQ(sheet.tableView()->count(), 0);
}

TEST_F(PreferenceSheetTest, ShowPasswordRevealsAndHidesIt)
{
    open();
    EXPECT_EQ(sheet.FTPPassword()->echoMode(), QLineEdit::Password);
    click(sheet.showPasswordCheckbox());
    EXPECT_EQ(sheet.FTPPassword()->echoMode(), QLineEdit::Normal);
    click(sheet.showPasswordCheckbox());
    EXPECT_EQ(sheet.FTPPassword()->echoMode(), QLineEdit::Password);
}

TEST_F(PreferenceSheetTest, TheSheetIsWindowModalOnTheMainWindowAndSaysWhereThePasswordGoes)
{
    open();
    EXPECT_EQ(sheet.window()->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet.window()->parentWidget(), &main);
    EXPECT_EQ(sheet.secretStoreNote()->text(), QStringLiteral("Passwords are kept in your keyring."));
    fill(QStringLiteral("ftp.example.com"), QStringLiteral("me"), QStringLiteral("secret"),
         QStringLiteral("example.com"), QStringLiteral("21"), QStringLiteral("public_html"));
    click(sheet.saveAndCloseButton());
    open();
    saveShot(sheet.window(), QStringLiteral("ftp-settings-sheet.png"));
}

TEST_F(PreferenceSheetTest, ConnectionTestRunsOnAWorkerWithTheTypedSettings)
{
    std::atomic<bool> ranOnMain{true};
    std::atomic<int> runs{0};
    UploadConnectionSettings seen;
    sheet.setConnectionTest([&](const UploadConnectionSettings& settings) {
        ranOnMain = QThread::currentThread() == QCoreApplication::instance()->thread();
        ++runs;
        seen = settings;
        ConnectionTestResult result;
        result.outcome = ConnectionTestResult::Outcome::Success;
        result.url = settings.baseURL + QStringLiteral("/app_ftp_test.html");
        return result;
    });
    open();
    fill(QStringLiteral("ftp.example.com"), QStringLiteral("me"), QStringLiteral("tested"),
         QStringLiteral("example.com/"), QStringLiteral("2121"));

    // Cancel starts nothing.
    dialogs->queueAlertAnswer(1);
    click(sheet.testButton());
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(password(QStringLiteral("me"), QStringLiteral("ftp.example.com"), QStringLiteral("2121")),
              std::nullopt);

    QSignalSpy finished(&sheet, &PreferenceWindowController::connectionTestFinished);
    dialogs->queueAlertAnswer(0); // Yes
    click(sheet.testButton());
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(ranOnMain);
    EXPECT_EQ(seen.password, QStringLiteral("tested"));
    EXPECT_EQ(seen.baseURL, QStringLiteral("http://example.com"));
    EXPECT_EQ(seen.protocolType, QStringLiteral("FTP"));
    EXPECT_EQ(seen.port, 2121);
    EXPECT_TRUE(seen.passiveMode);
    // Testing files the password, as saving does.
    EXPECT_EQ(password(QStringLiteral("me"), QStringLiteral("ftp.example.com"), QStringLiteral("2121")),
              QStringLiteral("tested"));
    const QList<platform::Alert> alerts = dialogs->alerts();
    ASSERT_EQ(alerts.size(), 3);
    EXPECT_EQ(alerts.at(1).title, QStringLiteral("Would you like to test connection?"));
    EXPECT_EQ(alerts.at(2).title, QStringLiteral("http://example.com/app_ftp_test.html"));
    EXPECT_EQ(alerts.at(2).informativeText,
              QStringLiteral("File Upload Test:  Success \nWeb Access Test: Success"));
    EXPECT_EQ(ProgressIndicatorWindowController::current(), nullptr);
}

TEST_F(PreferenceSheetTest, AFailedWebCheckNamesTheAddressTried)
{
    sheet.setConnectionTest([](const UploadConnectionSettings&) {
        ConnectionTestResult result;
        result.outcome = ConnectionTestResult::Outcome::WebAccessFailed;
        result.url = QStringLiteral("http://example.com/app_ftp_test.html");
        return result;
    });
    open();
    fill(QStringLiteral("h"), QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("example.com"));
    QSignalSpy finished(&sheet, &PreferenceWindowController::connectionTestFinished);
    dialogs->queueAlertAnswer(0);
    click(sheet.testButton());
    ASSERT_TRUE(finished.wait(5000));
    const platform::Alert result = dialogs->alerts().constLast();
    EXPECT_EQ(result.title, QStringLiteral("File Upload Test:  Success \nWeb Access Test: Failed"));
    EXPECT_TRUE(
        result.informativeText.contains(QStringLiteral("URL:\n\"http://example.com/app_ftp_test.html\" ")));
}

TEST_F(PreferenceSheetTest, AFailedUploadOffersItsConnectionLogWhichCopies)
{
    const QString log =
        QStringLiteral("Connection Log\n\n**Not able to log in using username u and the specified password.");
    sheet.setConnectionTest([log](const UploadConnectionSettings&) {
        ConnectionTestResult result;
        result.outcome = ConnectionTestResult::Outcome::UploadFailed;
        result.connectionLog = log;
        return result;
    });
    open();
    fill(QStringLiteral("h"), QStringLiteral("u"), QStringLiteral("bad"), QStringLiteral("example.com"));
    QSignalSpy finished(&sheet, &PreferenceWindowController::connectionTestFinished);
    dialogs->queueAlertAnswer(0); // Yes
    dialogs->queueAlertAnswer(0); // View Connection Log
    click(sheet.testButton());
    ASSERT_TRUE(finished.wait(5000));
    const platform::Alert failed = dialogs->alerts().constLast();
    EXPECT_EQ(failed.title, QStringLiteral("Upload Failed - Please Check Settings"));
    EXPECT_EQ(failed.style, platform::AlertStyle::Informational);
    EXPECT_EQ(failed.buttons, (QStringList{QStringLiteral("View Connection Log"), QStringLiteral("OK")}));

    ConnectionLogWindowController* logWindow = sheet.connectionLogController();
    ASSERT_TRUE(logWindow);
    EXPECT_TRUE(logWindow->window()->isVisible());
    EXPECT_EQ(logWindow->window()->windowTitle(), QStringLiteral("Connection log"));
    EXPECT_EQ(logWindow->textView()->toPlainText(), log);
    saveShot(logWindow->window(), QStringLiteral("connection-log-window.png"));

    QApplication::clipboard()->clear();
    click(logWindow->button());
    EXPECT_EQ(QApplication::clipboard()->text(), log);
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Copied to Clipboard"));
    EXPECT_EQ(dialogs->alerts().constLast().buttons, QStringList{QStringLiteral("OK")});
}

TEST_F(PreferenceSheetTest, PlainPasswordsLeftInTheSettingsMoveToTheStore)
{
    platform::UserDefaults& d = platform::UserDefaults::standard();
    d.setObject(QStringLiteral("server"), QStringLiteral("ftp.example.com"));
    d.setObject(QStringLiteral("username"), QStringLiteral("me"));
    d.setObject(QStringLiteral("portnumber"), QString());
    d.setObject(QStringLiteral("connectiontype"), QStringLiteral("FTP"));
    d.setObject(QStringLiteral("password"), QStringLiteral("current"));
    const QVariantMap oldProfile{{QStringLiteral("server"), QStringLiteral("old.example")},
                                 {QStringLiteral("username"), QStringLiteral("ann")},
                                 {QStringLiteral("portnumber"), QStringLiteral("22")},
                                 {QStringLiteral("connectiontype"), QStringLiteral("SFTP")},
                                 {QStringLiteral("connectionmode"), QStringLiteral("Passive")},
                                 {QStringLiteral("remotepath"), QString()},
                                 {QStringLiteral("baseurl"), QString()},
                                 {QStringLiteral("password"), QStringLiteral("profile-pw")}};
    d.setObject(QStringLiteral("savedMailingListArray"), QVariantList{oldProfile});

    PreferenceWindowController::moveStoredPasswordsToSecretStore();

    EXPECT_FALSE(d.hasUserValue(QStringLiteral("password")));
    ASSERT_EQ(profiles().size(), 1);
    EXPECT_FALSE(profiles().constFirst().toMap().contains(QStringLiteral("password")));
    EXPECT_EQ(password(QStringLiteral("me"), QStringLiteral("ftp.example.com")), QStringLiteral("current"));
    EXPECT_EQ(password(QStringLiteral("ann"), QStringLiteral("old.example"), QStringLiteral("22"),
                       QStringLiteral("SFTP")),
              QStringLiteral("profile-pw"));
    QFile file(d.storeFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray settings = file.readAll();
    EXPECT_FALSE(settings.contains("current"));
    EXPECT_FALSE(settings.contains("profile-pw"));

    // The sheet shows the moved password.
    open();
    EXPECT_EQ(sheet.FTPPassword()->text(), QStringLiteral("current"));
}

TEST(SecretKeyTest, AccountsThatDifferInAnyPartAreFiledApart)
{
    const QString a =
        SecretKey::fromSettings(QStringLiteral("FTP"), QStringLiteral("a@b"), QStringLiteral("c"), {}).text();
    const QString b =
        SecretKey::fromSettings(QStringLiteral("FTP"), QStringLiteral("a"), QStringLiteral("b@c"), {}).text();
    EXPECT_NE(a, b);
    EXPECT_EQ(SecretKey::fromSettings(QStringLiteral("odd"), QStringLiteral("u"), QStringLiteral("h"),
                                      QStringLiteral("x"))
                  .text(),
              QStringLiteral("ftp://u@h:21"));
    EXPECT_EQ(
        SecretKey::fromSettings(QStringLiteral("SFTP"), QStringLiteral("u"), QStringLiteral("h"), {}).text(),
        QStringLiteral("sftp://u@h:22"));
    EXPECT_NE(SecretKey::fromSettings(QStringLiteral("FTPS"), QStringLiteral("u"), QStringLiteral("h"),
                                      QStringLiteral("21"))
                  .text(),
              SecretKey::fromSettings(QStringLiteral("FTP"), QStringLiteral("u"), QStringLiteral("h"),
                                      QStringLiteral("21"))
                  .text());
}

TEST_F(PreferenceSheetTest, ARefusedCertificateCanBeTrustedForThatSiteOnly)
{
    QList<QString> trustedSeen;
    sheet.setConnectionTest([&trustedSeen](const UploadConnectionSettings& settings) {
        trustedSeen.append(settings.trustedCertificateFingerprint);
        ConnectionTestResult result;
        result.outcome = ConnectionTestResult::Outcome::UploadFailed;
        result.refusedCertificateFingerprint = QStringLiteral("AB:CD:EF");
        return result;
    });
    open();
    fill(QStringLiteral("ftps.example"), QStringLiteral("u"), QStringLiteral("p"),
         QStringLiteral("example.com"));
    click(sheet.FTPTypeSegmentedControl()->button(2));
    QSignalSpy finished(&sheet, &PreferenceWindowController::connectionTestFinished);
    dialogs->queueAlertAnswer(0); // Yes
    dialogs->queueAlertAnswer(0); // Trust for This Site
    click(sheet.testButton());
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(dialogs->alerts().constLast().informativeText.contains(QStringLiteral("AB:CD:EF")));

    dialogs->queueAlertAnswer(0);
    click(sheet.testButton());
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(trustedSeen, (QList<QString>{QString(), QStringLiteral("AB:CD:EF")}));

    // Another account on the same server is not covered.
    type(sheet.FTPUsername(), QStringLiteral("someone-else"));
    EXPECT_EQ(sheet.trustedCertificateFingerprint(), QString());
}

TEST_F(PreferenceSheetTest, AKeyringThatRefusesThePasswordIsSaidSo)
{
    struct RefusingStore : platform::MemorySecretStore
    {
        bool write(const SecretKey&, const QString&) override { return false; }
    } refusing;
    platform::SecretStore::setCurrent(&refusing);
    open();
    fill(QStringLiteral("ftp.example.com"), QStringLiteral("me"), QStringLiteral("pw"),
         QStringLiteral("example.com"));
    click(sheet.saveAndCloseButton());
    platform::SecretStore::setCurrent(&secrets.store());
    ASSERT_FALSE(dialogs->alerts().isEmpty());
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("The password could not be saved"));
}

TEST_F(PreferenceSheetTest, UploadsRunWithThePasswordFromTheStore)
{
    open();
    fill(QStringLiteral("ftp.example.com"), QStringLiteral("me"), QStringLiteral("kept-apart"),
         QStringLiteral("example.com"), QStringLiteral("2121"), QStringLiteral("www"));
    click(sheet.saveAndCloseButton());
    const UploadConnectionSettings settings = PreferenceWindowController::currentConnectionSettings();
    EXPECT_EQ(settings.server, QStringLiteral("ftp.example.com"));
    EXPECT_EQ(settings.userName, QStringLiteral("me"));
    EXPECT_EQ(settings.password, QStringLiteral("kept-apart"));
    EXPECT_EQ(settings.port, 2121);
    EXPECT_EQ(settings.remoteDirectory, QStringLiteral("www"));
    EXPECT_EQ(settings.baseURL, QStringLiteral("http://example.com"));
}
