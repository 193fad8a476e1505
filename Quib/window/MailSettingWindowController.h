// The sender settings sheet: name, address, SMTP server, user name, password, port and security
// ("STARTTLS", "SSL", "None"), with well-known providers that fill in server, port and user name, and
// a test e-mail to the sender's own address. Fields show the stored "mailName", "mailAddress",
// "mailSMTPServer", "mailSMTPUsername" and "mailPortnumber"; the security segment stores
// "connectionType" at once. The password goes to the secret store on Save or Test, never to the
// settings. The test e-mail is sent on a worker while the sheet shows a window-modal busy state.
// Main thread only; one controller per process.
#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "publishing/MailSender.h"

class ConnectionLogWindowController;
class QButtonGroup;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

class MailSettingWindowController : public QObject
{
    Q_OBJECT
public:
    struct Preset
    {
        const char* provider;
        const char* server;
        int port;
    };
    // The providers in the order the sheet shows them.
    static const QList<Preset>& presets();

    // Runs on a worker: sends the test page with the stored settings.
    using TestSend =
        std::function<MailSendResult(const QString& htmlPath, const QString& subject, const QStringList& to)>;

    static MailSettingWindowController& shared();
    MailSettingWindowController();
    ~MailSettingWindowController() override;

    QDialog* window() const { return m_window; }
    QPushButton* saveAndCloseButton() const { return m_saveButton; }
    QLineEdit* mailName() const { return m_name; }
    QLineEdit* mailAddress() const { return m_address; }
    QLineEdit* mailServer() const { return m_server; }
    QLineEdit* mailUsername() const { return m_username; }
    QLineEdit* mailPassword() const { return m_password; }
    QLineEdit* mailServerPortNumber() const { return m_port; }
    QPushButton* testButton() const { return m_testButton; }
    QButtonGroup* autoConfigureMatrix() const { return m_matrix; }
    QButtonGroup* connectionSegmentedControl() const { return m_segments; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QLabel* securityWarning() const { return m_securityWarning; }
    ConnectionLogWindowController* connectionLogController() const { return m_logController.get(); }
    QString sendMailResults() const { return m_sendMailResults; }

    // Opens the sheet window-modal on parent, showing the stored values.
    void showMailSettings(QWidget* parent);
    void cancelMailSettingSheet();
    // Save: closes the sheet, then saveMailSettings.
    void hideMailSettingsPanel();
    // Stores the six fields ("25" into an empty port first) and files the password.
    void saveMailSettings();
    void updatedConnection();
    // Applies the preset of the provider button; a title that names no provider changes nothing.
    void autoconfigureMyMailServers(const QString& provider);
    // Asks, then sends the test e-mail.
    void testEmail();
    void sendEmailNow();
    void showConnectionLog(const QString& text);

    void setTestSend(TestSend send) { m_testSend = std::move(send); }
    // The test page: test/testemail.html of the edition's templates folder, else the one every
    // edition shares.
    static QString testEmailPath();

signals:
    // After the test e-mail's result alerts were answered.
    void testEmailFinished(bool sent);

private:
    void ensureWindow();
    void refreshFields();
    void selectSegment(int segment);
    void finishTest(const MailSendResult& result, const QString& address);
    void mailSentSuccessfully(const QString& address);
    void mailSentFailed();

    QPointer<QDialog> m_window;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_server = nullptr;
    QLineEdit* m_username = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_port = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_testButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QButtonGroup* m_matrix = nullptr;
    QButtonGroup* m_segments = nullptr;
    QLabel* m_securityWarning = nullptr;
    QPointer<QWidget> m_busy;
    TestSend m_testSend;
    QString m_sendMailResults;
    std::unique_ptr<ConnectionLogWindowController> m_logController;
};
