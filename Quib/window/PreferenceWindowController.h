// The FTP settings sheet: server, login, password, remote folder, website base URL, port, protocol
// and passive mode, with a side panel of saved site profiles (Choose, Delete) and the connection
// test. Settings live in the user defaults under "server", "username", "remotepath", "portnumber",
// "baseurl", "connectionmode" and "connectiontype"; profiles under "savedMailingListArray".
// Passwords never go to the settings: they go to the secret store, keyed by protocol, user, server
// and port, and only when the user saves or tests, so Cancel leaves the stored one as it was.
// Main thread only; one controller per process.
#pragma once
#include "platform/SecretStore.h"
#include "publishing/ConnectionTest.h"
#include "publishing/UploadConnectionSettings.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>

class ConnectionLogWindowController;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

class PreferenceWindowController : public QObject
{
    Q_OBJECT
public:
    // Runs on a worker thread: uploads the test file with the settings and fetches it back.
    using ConnectionTest = std::function<ConnectionTestResult(const UploadConnectionSettings&)>;

    static PreferenceWindowController& shared();
    PreferenceWindowController();
    ~PreferenceWindowController() override;

    QDialog* window() const { return m_window; }
    QLineEdit* FTPServer() const { return m_server; }
    QLineEdit* FTPUsername() const { return m_username; }
    QLineEdit* FTPPassword() const { return m_password; }
    QLineEdit* FTPWebsiteBaseURL() const { return m_baseURL; }
    QLineEdit* FTPServerPortNumber() const { return m_port; }
    QLineEdit* FTPRemotePath() const { return m_remotePath; }
    QButtonGroup* FTPTypeSegmentedControl() const { return m_typeSegments; }
    QCheckBox* FTPPassiveModeCheckbox() const { return m_passiveBox; }
    QCheckBox* showPasswordCheckbox() const { return m_showPasswordBox; }
    QListWidget* tableView() const { return m_tableView; }
    QPushButton* chooseRecordButton() const { return m_chooseButton; }
    QPushButton* deleteRecordButton() const { return m_deleteButton; }
    QPushButton* saveAndCloseButton() const { return m_saveButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QPushButton* testButton() const { return m_testButton; }
    QLabel* secretStoreNote() const { return m_secretStoreNote; }
    ConnectionLogWindowController* connectionLogController() const { return m_logController.get(); }

    // Opens the sheet window-modal on parent (the window the menu item was chosen in).
    void showPreferencesPanel(QWidget* parent);
    // Closes the sheet without saving anything further.
    void cancelPreferencesModalSheet();
    // Save: value checks, the required-values check, then saveSettings.
    void saveFTPSettings();
    // Closes the sheet, files the password and adds the settings as a profile unless one matches.
    void saveSettings();
    // Normalises the fields and stores server, remote path, user name, base URL and port.
    void runValueVerifications();
    // One trailing, then one leading slash or backslash removed, then every space.
    static QString pathChecks(const QString& text);
    // "http://" in front of a text of five or more characters that names no scheme of its own.
    static QString URLCheck(const QString& text);

    void refreshSettings();
    void setFTPType(int segment);
    void setFTPMode(bool passive);
    void showHidePassword();
    void chooseSavedRecord();
    void deleteSavedRecord();
    QVariantList savedMailingListArray() const { return m_savedMailingListArray; }

    // The Test button: asks, then runs the test on a worker with the progress window shown.
    void askToTest();
    void setConnectionTest(ConnectionTest test) { m_connectionTest = std::move(test); }
    void showConnectionLog();
    // The settings the Test button would run with: the sheet's values and the typed password.
    UploadConnectionSettings connectionSettingsFromSheet() const;
    // The certificate fingerprint the user trusted for the sheet's account, "" when none.
    QString trustedCertificateFingerprint() const;

    // The stored settings with the password from the secret store and the certificate trusted for
    // that account: what an upload started from a window runs with.
    static UploadConnectionSettings currentConnectionSettings();

    // Start-up: passwords left in the settings (the current one and the profiles') move to the
    // secret store and leave the settings. Nothing moves where the store is the settings file.
    static void moveStoredPasswordsToSecretStore();

signals:
    // After a connection test's result alerts were answered (tests wait for it).
    void connectionTestFinished();

private:
    void ensureWindow();
    void reloadProfiles();
    void storePasswordFromField();
    QString typeFromSegment() const;
    // The account the sheet's fields name, which its password and trusted certificate are filed under.
    platform::SecretKey sheetAccountKey() const;
    void finishConnectionTest(const ConnectionTestResult& result);
    void showFTPConnectionAlerts(bool success, const QString& url);
    void showFailedUploadAlert();
    bool offerToTrustCertificate(const QString& fingerprint);

    QPointer<QDialog> m_window; // owned; goes with the window it is a sheet of, and is made again
    QLineEdit* m_server = nullptr;
    QLineEdit* m_username = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_baseURL = nullptr;
    QLineEdit* m_port = nullptr;
    QLineEdit* m_remotePath = nullptr;
    QButtonGroup* m_typeSegments = nullptr;
    QCheckBox* m_passiveBox = nullptr;
    QCheckBox* m_showPasswordBox = nullptr;
    QListWidget* m_tableView = nullptr;
    QPushButton* m_chooseButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_testButton = nullptr;
    QLabel* m_secretStoreNote = nullptr;
    QVariantList m_savedMailingListArray;
    ConnectionTest m_connectionTest;
    QString m_connectionLog;
    std::unique_ptr<ConnectionLogWindowController> m_logController;
};
