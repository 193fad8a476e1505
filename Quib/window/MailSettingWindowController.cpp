#include "window/MailSettingWindowController.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/SecretStore.h"
#include "platform/Threads.h"
#include "platform/UserDefaults.h"
#include "publishing/UploadFTPS.h"
#include "publishing/UploadFTPSViewDelegate.h"
#include "window/ConnectionLogWindowController.h"
#include "window/MailSheet.h"

#include <QButtonGroup>
#include <QDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxFieldLength = 2048;
const QString kLegacyPasswordKey = QStringLiteral("mailPassword");

platform::UserDefaults& defaults()
{
    return platform::UserDefaults::standard();
}

const QStringList& segmentTitles()
{
    static const QStringList titles{QStringLiteral("STARTTLS"), QStringLiteral("SSL"),
                                    QStringLiteral("None")};
    return titles;
}

// The transfer class's log comes back through its delegate.
struct LogKeeper : UploadFTPSViewDelegate
{
    void UploadUpdate(UploadFTPS*, bool, const QString&, qint32) override {}
    void sendMailUpdate(UploadFTPS*, bool, const QString& details) override { log = details; }
    QString log;
};

MailSendResult sendWithStoredSettings(const QString& htmlPath, const QString& subject, const QStringList& to)
{
    LogKeeper keeper;
    UploadFTPS upload;
    upload.setDelegate(&keeper);
    MailSendResult result;
    result.sent = upload.sendMail(htmlPath, subject, to, {}, {});
    result.log = keeper.log;
    return result;
}

} // namespace

const QList<MailSettingWindowController::Preset>& MailSettingWindowController::presets()
{
    static const QList<Preset> table{{"GMX", "mail.gmx.com", 465},
                                     {"Office 365", "smtp.office365.com", 587},
                                     {"AT&T", "smtp.mail.att.net", 465},
                                     {"BT Internet", "mail.btinternet.com", 25},
                                     {"Orange", "smtp.orange.fr", 25},
                                     {"Orange (United Kingdom)", "smtp.orange.net", 25},
                                     {"Wanadoo UK", "smtp.wanadoo.co.uk", 25},
                                     {"Comcast", "smtp.comcast.net", 587},
                                     {"Verizon", "smtp.verizon.net", 465},
                                     {"Zoho Mail", "smtp.zoho.com", 465},
                                     {"AOL", "smtp.aol.com", 587},
                                     {"Apple iCloud", "smtp.mail.me.com", 587},
                                     {"Hotmail", "smtp-mail.outlook.com", 587},
                                     {"Yahoo", "smtp.mail.yahoo.com", 465},
                                     {"Mail", "smtp.mail.com", 587}};
    return table;
}

MailSettingWindowController& MailSettingWindowController::shared()
{
    static auto* controller = new MailSettingWindowController;
    return *controller;
}

MailSettingWindowController::MailSettingWindowController() : m_testSend(&sendWithStoredSettings) {}

MailSettingWindowController::~MailSettingWindowController()
{
    delete m_window;
}

QString MailSettingWindowController::testEmailPath()
{
    const QString resources = DataCentre::resourcesPath();
    if (!edition().gTemplatesFolderName.isEmpty()) {
        const QString own =
            resources + u'/' + edition().gTemplatesFolderName + QStringLiteral("/test/testemail.html");
        if (QFileInfo(own).isFile())
            return own;
    }
    return resources + QStringLiteral("/mail/test/testemail.html");
}

void MailSettingWindowController::ensureWindow()
{
    if (m_window)
        return;
    m_window = new QDialog;
    m_window->setObjectName(QStringLiteral("MailSettingWindowController"));
    m_window->setWindowTitle(QStringLiteral("Sender SMTP Settings"));
    connect(m_window, &QObject::destroyed, this, [this] {
        m_name = m_address = m_server = m_username = m_password = m_port = nullptr;
        m_saveButton = m_testButton = m_cancelButton = nullptr;
        m_matrix = m_segments = nullptr;
        m_securityWarning = nullptr;
    });

    auto* column = new QVBoxLayout(m_window);
    const auto field = [this](const char* name) {
        auto* edit = new QLineEdit(m_window);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(kMaxFieldLength);
        return edit;
    };
    m_name = field("mailName");
    m_address = field("mailAddress");
    m_server = field("mailServer");
    m_username = field("mailUsername");
    m_password = field("mailPassword");
    m_password->setEchoMode(QLineEdit::Password);
    m_port = field("mailServerPortNumber");
    m_port->setPlaceholderText(QStringLiteral("25"));

    auto* senderBox = new QGroupBox(QStringLiteral("Sender"), m_window);
    auto* sender = new QFormLayout(senderBox);
    sender->addRow(QStringLiteral("Name:"), m_name);
    sender->addRow(QStringLiteral("E-mail Address:"), m_address);
    column->addWidget(senderBox);

    auto* presetBox = new QGroupBox(QStringLiteral("Auto-Configure"), m_window);
    auto* grid = new QGridLayout(presetBox);
    grid->setSpacing(2);
    m_matrix = new QButtonGroup(m_window);
    m_matrix->setExclusive(true);
    for (int i = 0; i < presets().size(); ++i) {
        // "&&": a button title's "&" would mark a shortcut letter.
        auto* cell = new QPushButton(
            QString::fromUtf8(presets().at(i).provider).replace(u'&', QStringLiteral("&&")), presetBox);
        cell->setObjectName(QStringLiteral("preset") + QString::number(i));
        cell->setCheckable(true);
        m_matrix->addButton(cell, i);
        grid->addWidget(cell, i / 3, i % 3);
    }
    column->addWidget(presetBox);

    auto* serverBox = new QGroupBox(QStringLiteral("Outgoing Mail Server (SMTP)"), m_window);
    auto* server = new QFormLayout(serverBox);
    server->addRow(QStringLiteral("SMTP Server:"), m_server);
    server->addRow(QStringLiteral("Username:"), m_username);
    server->addRow(QStringLiteral("Password:"), m_password);
    server->addRow(QStringLiteral("Port:"), m_port);
    auto* segments = new QHBoxLayout;
    segments->setSpacing(0);
    m_segments = new QButtonGroup(m_window);
    m_segments->setExclusive(true);
    for (int i = 0; i < segmentTitles().size(); ++i) {
        auto* segment = new QPushButton(segmentTitles().at(i), serverBox);
        segment->setObjectName(QStringLiteral("connectionSegment") + segmentTitles().at(i));
        segment->setCheckable(true);
        m_segments->addButton(segment, i);
        segments->addWidget(segment);
    }
    segments->addStretch();
    server->addRow(QStringLiteral("Security:"), segments);
    m_securityWarning = new QLabel(
        QStringLiteral("Without security your password and mail cross the network unencrypted."), serverBox);
    m_securityWarning->setObjectName(QStringLiteral("securityWarning"));
    m_securityWarning->setWordWrap(true);
    m_securityWarning->setStyleSheet(QStringLiteral("color: #b00020;"));
    server->addRow(QString(), m_securityWarning);
    column->addWidget(serverBox);

    auto* buttons = new QHBoxLayout;
    m_testButton =
        MailSheet::button(m_window, QStringLiteral("Send Test Email"), QStringLiteral("testButton"));
    m_cancelButton = MailSheet::button(m_window, QStringLiteral("Cancel"), QStringLiteral("cancelButton"));
    m_saveButton = MailSheet::button(m_window, QStringLiteral("Save"), QStringLiteral("saveAndCloseButton"));
    m_saveButton->setDefault(true);
    buttons->addWidget(m_testButton);
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_saveButton);
    column->addLayout(buttons);

    connect(m_segments, &QButtonGroup::idClicked, this, [this] { updatedConnection(); });
    connect(m_matrix, &QButtonGroup::idClicked, this,
            [this](int id) { autoconfigureMyMailServers(QString::fromUtf8(presets().at(id).provider)); });
    connect(m_saveButton, &QPushButton::clicked, this, &MailSettingWindowController::hideMailSettingsPanel);
    connect(m_cancelButton, &QPushButton::clicked, this,
            &MailSettingWindowController::cancelMailSettingSheet);
    connect(m_testButton, &QPushButton::clicked, this, &MailSettingWindowController::testEmail);
    connect(m_window, &QDialog::rejected, this, [this] {
        if (m_window)
            m_window->hide();
    });
    m_window->adjustSize();
}

void MailSettingWindowController::showMailSettings(QWidget* parent)
{
    ensureWindow();
    refreshFields();
    MailSheet::present(m_window, parent);
}

void MailSettingWindowController::refreshFields()
{
    m_name->setText(defaults().stringForKey(QStringLiteral("mailName")));
    m_address->setText(defaults().stringForKey(QStringLiteral("mailAddress")));
    m_server->setText(defaults().stringForKey(QStringLiteral("mailSMTPServer")));
    m_username->setText(defaults().stringForKey(QStringLiteral("mailSMTPUsername")));
    m_port->setText(defaults().stringForKey(QStringLiteral("mailPortnumber")));
    m_password->setText(MailSettings::fromUserDefaults().password);
    const QString type = defaults().stringForKey(QStringLiteral("connectionType"));
    selectSegment(type == QLatin1String("SSL") ? 1 : type == QLatin1String("None") ? 2 : 0);
    if (QAbstractButton* checked = m_matrix->checkedButton()) {
        m_matrix->setExclusive(false);
        checked->setChecked(false);
        m_matrix->setExclusive(true);
    }
}

void MailSettingWindowController::selectSegment(int segment)
{
    m_segments->button(segment)->setChecked(true);
    m_securityWarning->setVisible(segment == 2);
}

void MailSettingWindowController::cancelMailSettingSheet()
{
    if (m_window)
        m_window->hide();
}

void MailSettingWindowController::hideMailSettingsPanel()
{
    cancelMailSettingSheet();
    saveMailSettings();
}

void MailSettingWindowController::saveMailSettings()
{
    ensureWindow();
    defaults().setObject(QStringLiteral("mailName"), m_name->text());
    defaults().setObject(QStringLiteral("mailAddress"), m_address->text());
    defaults().setObject(QStringLiteral("mailSMTPServer"), m_server->text());
    defaults().setObject(QStringLiteral("mailSMTPUsername"), m_username->text());
    if (m_port->text().isEmpty())
        m_port->setText(QStringLiteral("25"));
    defaults().setObject(QStringLiteral("mailPortnumber"), m_port->text());
    const platform::SecretKey key =
        MailSettings::secretKeyFor(m_address->text().trimmed(), m_username->text(), m_server->text(),
                                   m_port->text(), defaults().stringForKey(QStringLiteral("connectionType")));
    if (!platform::writeSecretOrAlert(key, m_password->text()))
        return;
    // A plain copy left by an older version goes now that the store has it.
    defaults().removeObject(kLegacyPasswordKey);
}

void MailSettingWindowController::updatedConnection()
{
    const int segment = m_segments ? m_segments->checkedId() : 0;
    defaults().setObject(QStringLiteral("connectionType"), segment == 1   ? QStringLiteral("SSL")
                                                           : segment == 2 ? QStringLiteral("None")
                                                                          : QStringLiteral("STARTTLS"));
    if (m_securityWarning)
        m_securityWarning->setVisible(segment == 2);
}

void MailSettingWindowController::autoconfigureMyMailServers(const QString& provider)
{
    ensureWindow();
    for (const Preset& preset : presets()) {
        if (provider != QString::fromUtf8(preset.provider))
            continue;
        m_server->setText(QString::fromUtf8(preset.server));
        m_port->setText(QString::number(preset.port));
        m_username->setText(m_address->text());
        // The port decides the security a provider speaks: 465 is TLS from the first byte, 587
        // upgrades with STARTTLS; port 25 keeps what the user chose.
        if (preset.port == 465) {
            selectSegment(1);
            updatedConnection();
        } else if (preset.port == 587) {
            selectSegment(0);
            updatedConnection();
        }
        return;
    }
}

void MailSettingWindowController::testEmail()
{
    ensureWindow();
    platform::Alert ask;
    ask.style = platform::AlertStyle::Warning;
    ask.title = QStringLiteral("Test Settings");
    ask.informativeText = platform::formatv(
        QStringLiteral("This App will send a test email to %@ using the mail settings entered here.\nSMTP "
                       "Server: %@\nUsername: %@"),
        m_address->text(), m_server->text(), m_username->text());
    ask.buttons = {QStringLiteral("Proceed"), QStringLiteral("Cancel")};
    if (platform::showAlert(ask) == 0)
        sendEmailNow();
}

void MailSettingWindowController::sendEmailNow()
{
    ensureWindow();
    saveMailSettings();
    const QString address = m_address->text();
    const QString subject =
        platform::formatv(QStringLiteral("Test email from %@"), edition().gEditionDisplayName);
    const QString path = testEmailPath();

    // The sheet waits for the exchange without freezing the application.
    auto* busy = new QWidget(m_window, Qt::Sheet);
    busy->setObjectName(QStringLiteral("mailBusySheet"));
    busy->setWindowModality(Qt::WindowModal);
    busy->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(busy);
    layout->addWidget(new QLabel(QStringLiteral("Sending test email…"), busy));
    auto* bar = new QProgressBar(busy);
    bar->setRange(0, 0);
    layout->addWidget(bar);
    m_busy = busy;
    busy->show();
    m_window->setEnabled(false);

    auto result = std::make_shared<MailSendResult>();
    platform::runInBackgroundThenOnMain(
        [send = m_testSend, path, subject, address, result]() -> QVariant {
            *result = send(path, subject, {address});
            return {};
        },
        [this, result, address](const QVariant&) { finishTest(*result, address); }, this);
}

void MailSettingWindowController::finishTest(const MailSendResult& result, const QString& address)
{
    if (m_busy)
        m_busy->close();
    if (m_window)
        m_window->setEnabled(true);
    m_sendMailResults = result.log;
    if (result.sent)
        mailSentSuccessfully(address);
    else
        mailSentFailed();
    emit testEmailFinished(result.sent);
}

void MailSettingWindowController::mailSentSuccessfully(const QString& address)
{
    MailSheet::inform(
        QStringLiteral("Mail Sent"),
        platform::formatv(
            QStringLiteral("The test email has been sent to %@, you should receive it within a few "
                           "minutes.\n\nIf you are not able to find it in the Mail Inbox, please also "
                           "check in the spam folder in case it's mis-filtered."),
            address));
}

void MailSettingWindowController::mailSentFailed()
{
    if (ConnectionLogWindowController::askToViewMailErrorLog())
        showConnectionLog(m_sendMailResults);
}

void MailSettingWindowController::showConnectionLog(const QString& text)
{
    if (!m_logController)
        m_logController = std::make_unique<ConnectionLogWindowController>();
    m_logController->showLog(QStringLiteral("Error log"), text);
}
