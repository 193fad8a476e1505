#include "window/PreferenceWindowController.h"

#include "editions/DataCentre.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/NotificationCenter.h"
#include "platform/SecretStore.h"
#include "platform/Threads.h"
#include "platform/UserDefaults.h"
#include "publishing/UploadFTPS.h"
#include "window/ConnectionLogWindowController.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace {

const QString kProfilesKey = QStringLiteral("savedMailingListArray");
const QString kPasswordKey = QStringLiteral("password");
// Settings come from the user; keep them to sizes a server name, path or address can have.
constexpr int kMaxFieldLength = 2048;

platform::UserDefaults& defaults()
{
    return platform::UserDefaults::standard();
}

QString stored(const QString& key)
{
    return defaults().stringForKey(key);
}

platform::SecretKey keyOfProfile(const QVariantMap& profile)
{
    return platform::SecretKey::fromSettings(profile.value(QStringLiteral("connectiontype")).toString(),
                                             profile.value(QStringLiteral("username")).toString(),
                                             profile.value(QStringLiteral("server")).toString(),
                                             profile.value(QStringLiteral("portnumber")).toString());
}

platform::SecretKey keyOfCurrentSettings()
{
    return platform::SecretKey::fromSettings(
        stored(QStringLiteral("connectiontype")), stored(QStringLiteral("username")),
        stored(QStringLiteral("server")), stored(QStringLiteral("portnumber")));
}

// The row text of a profile: protocol, user and server, then base URL, then remote path.
QString profileRowText(const QVariantMap& profile)
{
    return platform::formatv(QStringLiteral("%@ %@ %@\n%@\n%@\n"),
                             profile.value(QStringLiteral("connectiontype")).toString(),
                             profile.value(QStringLiteral("username")).toString(),
                             profile.value(QStringLiteral("server")).toString(),
                             profile.value(QStringLiteral("baseurl")).toString(),
                             profile.value(QStringLiteral("remotepath")).toString());
}

// A stored profile matches a new one when equal in every entry, or in the six entries that name
// the account and its folder (password and base URL aside).
bool profilesMatch(const QVariantMap& stored, const QVariantMap& candidate)
{
    if (stored == candidate)
        return true;
    static const QStringList keys{QStringLiteral("username"),       QStringLiteral("server"),
                                  QStringLiteral("remotepath"),     QStringLiteral("portnumber"),
                                  QStringLiteral("connectionmode"), QStringLiteral("connectiontype")};
    for (const QString& key : keys) {
        if (!stored.contains(key) || stored.value(key).toString() != candidate.value(key).toString())
            return false;
    }
    return true;
}

// The upload half of a test is over: the progress window goes, from the worker, without waiting.
class ProgressClosingDelegate : public ConnectionTestDelegate
{
public:
    void connectionTestUploaded(bool, const QString&) override { DataCentre::dismissProgressIndicator(); }
    void connectionTestFinished(const ConnectionTestResult&) override {}
};

ConnectionTestResult runConnectionTest(const UploadConnectionSettings& settings)
{
    ProgressClosingDelegate delegate;
    return UploadFTPS::testConnection(settings, &delegate);
}

// Certificates the user chose to trust, by account; fingerprints are public, not secrets.
const QString kTrustedCertificatesKey = QStringLiteral("trustedCertificateFingerprints");

QString trustedFingerprintFor(const platform::SecretKey& key)
{
    return defaults().dictionaryForKey(kTrustedCertificatesKey).value(key.text()).toString();
}

} // namespace

PreferenceWindowController& PreferenceWindowController::shared()
{
    // Kept for the life of the process; never destroyed after the window system is gone.
    static auto* controller = new PreferenceWindowController;
    return *controller;
}

PreferenceWindowController::PreferenceWindowController() : m_connectionTest(&runConnectionTest)
{
    platform::NotificationCenter::defaultCenter().addObserver(
        QStringLiteral("contactUpdated"), this, [this](const platform::Notification&) { refreshSettings(); });
    platform::NotificationCenter::defaultCenter().addObserver(
        QStringLiteral("mailingListUpdated"), this,
        [this](const platform::Notification&) { reloadProfiles(); });
}

PreferenceWindowController::~PreferenceWindowController()
{
    platform::NotificationCenter::defaultCenter().removeObserversForContext(this);
    delete m_window;
}

void PreferenceWindowController::ensureWindow()
{
    if (m_window)
        return;
    m_window = new QDialog;
    m_window->setObjectName(QStringLiteral("Preferences"));
    // The sheet goes with the window it hangs on; its controls go with it.
    connect(m_window, &QObject::destroyed, this, [this] {
        m_server = m_username = m_password = m_baseURL = m_port = m_remotePath = nullptr;
        m_typeSegments = nullptr;
        m_passiveBox = m_showPasswordBox = nullptr;
        m_tableView = nullptr;
        m_chooseButton = m_deleteButton = m_saveButton = m_cancelButton = m_testButton = nullptr;
        m_secretStoreNote = nullptr;
    });
    m_window->setWindowTitle(QStringLiteral("FTP Settings"));

    auto* outer = new QHBoxLayout(m_window);
    auto* mainColumn = new QVBoxLayout;
    outer->addLayout(mainColumn, 1);

    const auto field = [this](const char* name) {
        auto* edit = new QLineEdit(m_window);
        edit->setObjectName(QLatin1String(name));
        edit->setMaxLength(kMaxFieldLength);
        return edit;
    };
    m_server = field("FTPServer");
    m_username = field("FTPUsername");
    m_password = field("FTPPassword");
    m_password->setEchoMode(QLineEdit::Password);
    m_baseURL = field("FTPWebsiteBaseURL");
    m_port = field("FTPServerPortNumber");
    m_remotePath = field("FTPRemotePath");

    auto* loginDetailsBox = new QGroupBox(QStringLiteral("Login Details"), m_window);
    loginDetailsBox->setObjectName(QStringLiteral("loginDetailsBox"));
    auto* login = new QFormLayout(loginDetailsBox);
    login->addRow(QStringLiteral("Server:"), m_server);
    login->addRow(QStringLiteral("Username:"), m_username);
    login->addRow(QStringLiteral("Password:"), m_password);
    m_showPasswordBox = new QCheckBox(QStringLiteral("Show password"), m_window);
    m_showPasswordBox->setObjectName(QStringLiteral("showPasswordCheckbox"));
    login->addRow(QString(), m_showPasswordBox);
    login->addRow(QStringLiteral("Remote Path:"), m_remotePath);
    mainColumn->addWidget(loginDetailsBox);

    auto* websiteBaseURLBox = new QGroupBox(QStringLiteral("Website Base URL"), m_window);
    websiteBaseURLBox->setObjectName(QStringLiteral("websiteBaseURLBox"));
    auto* website = new QFormLayout(websiteBaseURLBox);
    m_baseURL->setPlaceholderText(QStringLiteral("http://www.example.com"));
    website->addRow(QStringLiteral("Base URL:"), m_baseURL);
    mainColumn->addWidget(websiteBaseURLBox);

    auto* advancedSettingsBox = new QGroupBox(QStringLiteral("Advanced Settings"), m_window);
    advancedSettingsBox->setObjectName(QStringLiteral("advancedSettingsBox"));
    auto* advanced = new QFormLayout(advancedSettingsBox);
    m_port->setPlaceholderText(QStringLiteral("21"));
    advanced->addRow(QStringLiteral("Port:"), m_port);
    auto* segments = new QHBoxLayout;
    segments->setSpacing(0);
    m_typeSegments = new QButtonGroup(m_window);
    m_typeSegments->setExclusive(true);
    const QStringList types{QStringLiteral("FTP"), QStringLiteral("SFTP"), QStringLiteral("FTPS")};
    for (int i = 0; i < types.size(); ++i) {
        auto* segment = new QPushButton(types.at(i), m_window);
        segment->setObjectName(QStringLiteral("FTPTypeSegment") + types.at(i));
        segment->setCheckable(true);
        m_typeSegments->addButton(segment, i);
        segments->addWidget(segment);
    }
    segments->addStretch();
    advanced->addRow(QStringLiteral("Protocol:"), segments);
    m_passiveBox = new QCheckBox(QStringLiteral("Passive Mode"), m_window);
    m_passiveBox->setObjectName(QStringLiteral("FTPPassiveModeCheckbox"));
    advanced->addRow(QString(), m_passiveBox);
    mainColumn->addWidget(advancedSettingsBox);

    m_secretStoreNote = new QLabel(m_window);
    m_secretStoreNote->setObjectName(QStringLiteral("secretStoreNote"));
    m_secretStoreNote->setWordWrap(true);
    mainColumn->addWidget(m_secretStoreNote);

    auto* buttons = new QHBoxLayout;
    m_testButton = new QPushButton(QStringLiteral("Test"), m_window);
    m_testButton->setObjectName(QStringLiteral("testButton"));
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), m_window);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_saveButton = new QPushButton(QStringLiteral("Save"), m_window);
    m_saveButton->setObjectName(QStringLiteral("saveAndCloseButton"));
    m_saveButton->setDefault(true);
    buttons->addWidget(m_testButton);
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_saveButton);
    mainColumn->addLayout(buttons);

    // The saved sites, beside the settings.
    auto* profilesBox = new QGroupBox(QStringLiteral("Saved Sites"), m_window);
    profilesBox->setObjectName(QStringLiteral("saveMailingListDrawer"));
    profilesBox->setFixedWidth(250);
    auto* profiles = new QVBoxLayout(profilesBox);
    m_tableView = new QListWidget(profilesBox);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_tableView->setWordWrap(true);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont rowFont = m_tableView->font();
    rowFont.setPointSize(11);
    m_tableView->setFont(rowFont);
    profiles->addWidget(m_tableView);
    auto* profileButtons = new QHBoxLayout;
    m_chooseButton = new QPushButton(QStringLiteral("Choose"), profilesBox);
    m_chooseButton->setObjectName(QStringLiteral("chooseRecordButton"));
    m_deleteButton = new QPushButton(QStringLiteral("Delete"), profilesBox);
    m_deleteButton->setObjectName(QStringLiteral("deleteRecordButton"));
    profileButtons->addWidget(m_chooseButton);
    profileButtons->addWidget(m_deleteButton);
    profiles->addLayout(profileButtons);
    outer->addWidget(profilesBox);

    // What the user types in the five plain fields is stored as typed; the password waits for Save
    // or Test.
    const auto bind = [](QLineEdit* edit, const QString& key) {
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [key](const QString& text) { defaults().setObject(key, text); });
    };
    bind(m_server, QStringLiteral("server"));
    bind(m_username, QStringLiteral("username"));
    bind(m_baseURL, QStringLiteral("baseurl"));
    bind(m_port, QStringLiteral("portnumber"));
    bind(m_remotePath, QStringLiteral("remotepath"));

    connect(m_typeSegments, &QButtonGroup::idClicked, this, &PreferenceWindowController::setFTPType);
    connect(m_passiveBox, &QCheckBox::clicked, this, &PreferenceWindowController::setFTPMode);
    connect(m_showPasswordBox, &QCheckBox::toggled, this, &PreferenceWindowController::showHidePassword);
    connect(m_saveButton, &QPushButton::clicked, this, &PreferenceWindowController::saveFTPSettings);
    connect(m_cancelButton, &QPushButton::clicked, this,
            &PreferenceWindowController::cancelPreferencesModalSheet);
    connect(m_testButton, &QPushButton::clicked, this, &PreferenceWindowController::askToTest);
    connect(m_chooseButton, &QPushButton::clicked, this, &PreferenceWindowController::chooseSavedRecord);
    connect(m_deleteButton, &QPushButton::clicked, this, &PreferenceWindowController::deleteSavedRecord);
    // Escape closes the sheet like Cancel.
    connect(m_window, &QDialog::rejected, this, [this] {
        if (m_window)
            m_window->hide();
    });
    m_window->adjustSize();
}

void PreferenceWindowController::showPreferencesPanel(QWidget* parent)
{
    ensureWindow();
    if (m_window->parentWidget() != parent) {
        m_window->setParent(parent, Qt::Sheet);
    }
    m_window->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    refreshSettings();
    reloadProfiles();
    m_secretStoreNote->setText(
        platform::SecretStore::current().usesSettingsFile()
            ? QStringLiteral("No keyring (Secret Service) is running: passwords are kept in your settings "
                             "file, readable by you alone.")
            : QStringLiteral("Passwords are kept in your keyring."));
    if (parent) {
        const QRect frame = parent->geometry();
        m_window->move(frame.center().x() - m_window->width() / 2, frame.top() + 20);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void PreferenceWindowController::cancelPreferencesModalSheet()
{
    if (m_window)
        m_window->hide();
}

void PreferenceWindowController::refreshSettings()
{
    if (!m_window)
        return;
    m_server->setText(stored(QStringLiteral("server")));
    m_username->setText(stored(QStringLiteral("username")));
    m_baseURL->setText(stored(QStringLiteral("baseurl")));
    m_port->setText(stored(QStringLiteral("portnumber")));
    m_remotePath->setText(stored(QStringLiteral("remotepath")));
    m_password->setText(platform::SecretStore::current().read(keyOfCurrentSettings()).value_or(QString()));
    const QString type = stored(QStringLiteral("connectiontype"));
    const int segment = type == QLatin1String("SFTP") ? 1 : type == QLatin1String("FTPS") ? 2 : 0;
    m_typeSegments->button(segment)->setChecked(true);
    m_passiveBox->setChecked(stored(QStringLiteral("connectionmode")) != QLatin1String("Active"));
}

platform::SecretKey PreferenceWindowController::sheetAccountKey() const
{
    return platform::SecretKey::fromSettings(typeFromSegment(), m_username->text(), m_server->text(),
                                             m_port->text());
}

QString PreferenceWindowController::typeFromSegment() const
{
    const int segment = m_typeSegments ? m_typeSegments->checkedId() : 0;
    return segment == 1   ? QStringLiteral("SFTP")
           : segment == 2 ? QStringLiteral("FTPS")
                          : QStringLiteral("FTP");
}

void PreferenceWindowController::setFTPType(int segment)
{
    defaults().setObject(QStringLiteral("connectiontype"), segment == 1   ? QStringLiteral("SFTP")
                                                           : segment == 2 ? QStringLiteral("FTPS")
                                                                          : QStringLiteral("FTP"));
}

void PreferenceWindowController::setFTPMode(bool passive)
{
    defaults().setObject(QStringLiteral("connectionmode"),
                         passive ? QStringLiteral("Passive") : QStringLiteral("Active"));
}

void PreferenceWindowController::showHidePassword()
{
    m_password->setEchoMode(m_showPasswordBox->isChecked() ? QLineEdit::Normal : QLineEdit::Password);
}

QString PreferenceWindowController::pathChecks(const QString& text)
{
    QString out = text;
    const auto isSlash = [](QChar c) { return c == u'/' || c == u'\\'; };
    if (!out.isEmpty() && isSlash(out.back()))
        out.chop(1);
    if (!out.isEmpty() && isSlash(out.front()))
        out.remove(0, 1);
    out.remove(u' ');
    return out;
}

QString PreferenceWindowController::URLCheck(const QString& text)
{
    return UploadConnectionSettings::URLCheck(text);
}

void PreferenceWindowController::runValueVerifications()
{
    ensureWindow();
    // Commit a field being typed in.
    if (QWidget* focused = m_window->focusWidget())
        focused->clearFocus();
    QString digits;
    for (const QChar c : m_port->text()) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    m_port->setText(digits);
    m_server->setText(pathChecks(m_server->text()));
    m_remotePath->setText(pathChecks(m_remotePath->text()));
    m_baseURL->setText(URLCheck(pathChecks(m_baseURL->text())));

    defaults().setObject(QStringLiteral("server"), m_server->text());
    defaults().setObject(QStringLiteral("remotepath"), m_remotePath->text());
    defaults().setObject(QStringLiteral("username"), m_username->text());
    defaults().setObject(QStringLiteral("baseurl"), m_baseURL->text());
    defaults().setObject(QStringLiteral("portnumber"), m_port->text());
}

void PreferenceWindowController::storePasswordFromField()
{
    if (!platform::writeSecretOrAlert(sheetAccountKey(), m_password->text()))
        return;
    // A plain copy left by an older version goes now that the store has it.
    defaults().removeObject(kPasswordKey);
}

void PreferenceWindowController::saveFTPSettings()
{
    runValueVerifications();
    if (!m_baseURL->text().isEmpty() && !m_server->text().isEmpty() && !m_username->text().isEmpty() &&
        !m_password->text().isEmpty()) {
        saveSettings();
        return;
    }
    platform::Alert alert;
    alert.style = platform::AlertStyle::Warning;
    alert.title = QStringLiteral("Required Values Incomplete");
    alert.informativeText = QStringLiteral(
        "Some of the required FTP settings appears to be incomplete.  We recommend double checking to "
        "make sure all fields are completed as required by your web host.");
    alert.buttons = {QStringLiteral("Check Settings Again"), QStringLiteral("Save Anyways")};
    if (platform::showAlert(alert) == 1)
        saveSettings();
}

void PreferenceWindowController::saveSettings()
{
    cancelPreferencesModalSheet();
    // The password is filed under its account; a profile saved again for the same account takes the
    // corrected password, as both read it from there.
    storePasswordFromField();
    const QVariantMap profile{{QStringLiteral("server"), m_server->text()},
                              {QStringLiteral("remotepath"), m_remotePath->text()},
                              {QStringLiteral("username"), m_username->text()},
                              {QStringLiteral("baseurl"), m_baseURL->text()},
                              {QStringLiteral("portnumber"), m_port->text()},
                              {QStringLiteral("connectionmode"), m_passiveBox->isChecked()
                                                                     ? QStringLiteral("Passive")
                                                                     : QStringLiteral("Active")},
                              {QStringLiteral("connectiontype"), typeFromSegment()}};
    QVariantList profiles = defaults().objectForKey(kProfilesKey).toList();
    for (const QVariant& storedProfile : profiles) {
        if (profilesMatch(storedProfile.toMap(), profile))
            return;
    }
    profiles.append(profile);
    defaults().setObject(kProfilesKey, profiles);
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("mailingListUpdated"), this);
}

void PreferenceWindowController::reloadProfiles()
{
    m_savedMailingListArray = defaults().objectForKey(kProfilesKey).toList();
    if (!m_tableView)
        return;
    const int selected = m_tableView->currentRow();
    m_tableView->clear();
    for (const QVariant& profile : m_savedMailingListArray) {
        auto* item = new QListWidgetItem(profileRowText(profile.toMap()).trimmed(), m_tableView);
        item->setSizeHint(QSize(0, 80));
    }
    if (selected >= 0 && selected < m_tableView->count())
        m_tableView->setCurrentRow(selected);
}

void PreferenceWindowController::chooseSavedRecord()
{
    const int row = m_tableView ? m_tableView->currentRow() : -1;
    if (row < 0 || row >= m_savedMailingListArray.size() || !m_tableView->currentItem()->isSelected())
        return;
    const QVariantMap profile = m_savedMailingListArray.at(row).toMap();
    static const QStringList keys{QStringLiteral("username"),       QStringLiteral("server"),
                                  QStringLiteral("remotepath"),     QStringLiteral("portnumber"),
                                  QStringLiteral("connectionmode"), QStringLiteral("connectiontype"),
                                  QStringLiteral("baseurl")};
    for (const QString& key : keys)
        defaults().setObject(key, profile.value(key).toString());
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("contactUpdated"), this);
}

void PreferenceWindowController::deleteSavedRecord()
{
    const int row = m_tableView ? m_tableView->currentRow() : -1;
    if (row < 0 || row >= m_savedMailingListArray.size() || !m_tableView->currentItem()->isSelected())
        return;
    QVariantList profiles = m_savedMailingListArray;
    profiles.removeAt(row);
    defaults().setObject(kProfilesKey, profiles);
    reloadProfiles();
}

void PreferenceWindowController::askToTest()
{
    platform::Alert ask;
    ask.style = platform::AlertStyle::Warning;
    ask.title = QStringLiteral("Would you like to test connection?");
    ask.informativeText = QStringLiteral("This App will try to upload a test file named app_ftp_test.html to "
                                         "the FTP server to test connection");
    ask.buttons = {QStringLiteral("Yes"), QStringLiteral("Cancel")};
    if (platform::showAlert(ask) != 0)
        return;
    runValueVerifications();
    storePasswordFromField();
    const UploadConnectionSettings settings = connectionSettingsFromSheet();
    DataCentre::showProgressIndicator();
    m_testButton->setEnabled(false);
    auto result = std::make_shared<ConnectionTestResult>();
    platform::runInBackgroundThenOnMain(
        [test = m_connectionTest, settings, result]() -> QVariant {
            *result = test(settings);
            return {};
        },
        [this, result](const QVariant&) { finishConnectionTest(*result); }, this);
}

UploadConnectionSettings PreferenceWindowController::connectionSettingsFromSheet() const
{
    const platform::SecretKey key = sheetAccountKey();
    UploadConnectionSettings settings;
    settings.server = m_server->text();
    settings.userName = m_username->text();
    settings.password = m_password->text();
    settings.remoteDirectory = m_remotePath->text();
    settings.port = key.port;
    settings.protocolType = key.protocol;
    settings.passiveMode = m_passiveBox->isChecked();
    settings.baseURL = m_baseURL->text();
    settings.trustedCertificateFingerprint = trustedCertificateFingerprint();
    return settings;
}

QString PreferenceWindowController::trustedCertificateFingerprint() const
{
    return trustedFingerprintFor(sheetAccountKey());
}

UploadConnectionSettings PreferenceWindowController::currentConnectionSettings()
{
    UploadConnectionSettings settings = UploadConnectionSettings::fromUserDefaults();
    const platform::SecretKey key = keyOfCurrentSettings();
    settings.password = platform::SecretStore::current().read(key).value_or(settings.password);
    settings.trustedCertificateFingerprint = trustedFingerprintFor(key);
    return settings;
}

void PreferenceWindowController::finishConnectionTest(const ConnectionTestResult& result)
{
    DataCentre::dismissProgressIndicator();
    if (m_testButton)
        m_testButton->setEnabled(true);
    m_connectionLog = result.connectionLog;
    switch (result.outcome) {
    case ConnectionTestResult::Outcome::Success:
        showFTPConnectionAlerts(true, result.url);
        break;
    case ConnectionTestResult::Outcome::WebAccessFailed:
        showFTPConnectionAlerts(false, result.url);
        break;
    case ConnectionTestResult::Outcome::UploadFailed:
        if (result.refusedCertificateFingerprint.isEmpty() ||
            !offerToTrustCertificate(result.refusedCertificateFingerprint))
            showFailedUploadAlert();
        break;
    }
    emit connectionTestFinished();
}

bool PreferenceWindowController::offerToTrustCertificate(const QString& fingerprint)
{
    platform::Alert alert;
    alert.style = platform::AlertStyle::Critical;
    alert.title = QStringLiteral("The server's certificate could not be verified");
    alert.informativeText = platform::formatv(
        QStringLiteral("Its SHA-256 fingerprint is:\n%@\n\nTrust it for this site only when the fingerprint "
                       "is the one your web host gives for the server, then test again."),
        fingerprint);
    alert.buttons = {QStringLiteral("Trust for This Site"), QStringLiteral("Cancel")};
    if (platform::showAlert(alert) != 0)
        return false;
    if (!m_server)
        return true;
    const platform::SecretKey key = sheetAccountKey();
    QVariantMap trusted = defaults().dictionaryForKey(kTrustedCertificatesKey);
    trusted.insert(key.text(), fingerprint);
    defaults().setObject(kTrustedCertificatesKey, trusted);
    return true;
}

void PreferenceWindowController::showFTPConnectionAlerts(bool success, const QString& url)
{
    platform::Alert alert;
    alert.style = platform::AlertStyle::Warning;
    alert.buttons = {QStringLiteral("OK")};
    if (success) {
        alert.title = url;
        alert.informativeText = QStringLiteral("File Upload Test:  Success \nWeb Access Test: Success");
    } else {
        alert.title = QStringLiteral("File Upload Test:  Success \nWeb Access Test: Failed");
        alert.informativeText = platform::formatv(
            QStringLiteral(
                "This means the App is able to connect successfully and it was able to successfully upload "
                "a test file named \"app_ftp_test.html\" \n\nThe reason it returned failed status for Web "
                "Access is because the App was not able to access the uploaded file at URL:\n\"%@\" \n\n "
                "Common causes:\n\n 1. Incomplete or incorrect Website Base URL. This is your domain name, "
                "and you should enter it starting with the http:// prefix. \n\n 2. Incorrect Server Remote "
                "Path. This setting may not be required if your FTP account logs you directly into the "
                "folder for publishing files to the web.\n\nIf your account logs into a parent folder, you "
                "will need to enter in the remote path in order to point this App to the web publishing "
                "folder.  The most common web publishing folder name is \"public_html\", this may vary "
                "depending on your web server settings, you should contact your web host provider to "
                "verify the exact path."),
            url);
    }
    platform::showAlert(alert);
}

void PreferenceWindowController::showFailedUploadAlert()
{
    platform::Alert alert;
    alert.style = platform::AlertStyle::Informational;
    alert.title = QStringLiteral("Upload Failed - Please Check Settings");
    alert.buttons = {QStringLiteral("View Connection Log"), QStringLiteral("OK")};
    if (platform::showAlert(alert) == 0)
        showConnectionLog();
}

void PreferenceWindowController::showConnectionLog()
{
    if (!m_logController)
        m_logController = std::make_unique<ConnectionLogWindowController>();
    m_logController->showLog(QStringLiteral("Connection log"), m_connectionLog);
}

void PreferenceWindowController::moveStoredPasswordsToSecretStore()
{
    const bool currentLeft = defaults().hasUserValue(kPasswordKey);
    QVariantList profiles = defaults().objectForKey(kProfilesKey).toList();
    const bool profileLeft = std::any_of(profiles.cbegin(), profiles.cend(), [](const QVariant& entry) {
        return entry.toMap().contains(kPasswordKey);
    });
    // Most starts have nothing to move and need not wake the keyring.
    if (!currentLeft && !profileLeft)
        return;
    platform::SecretStore& store = platform::SecretStore::current();
    if (store.usesSettingsFile())
        return;
    bool changed = false;
    for (QVariant& entry : profiles) {
        QVariantMap profile = entry.toMap();
        if (!profile.contains(kPasswordKey))
            continue;
        const QString password = profile.value(kPasswordKey).toString();
        // A password that cannot be filed stays where it is rather than be lost.
        if (!password.isEmpty() && !store.write(keyOfProfile(profile), password))
            continue;
        profile.remove(kPasswordKey);
        entry = profile;
        changed = true;
    }
    if (changed)
        defaults().setObject(kProfilesKey, profiles);
    // The current settings last: where a profile names the same account, the password in use wins.
    if (currentLeft) {
        const QString password = stored(kPasswordKey);
        if (password.isEmpty() || store.write(keyOfCurrentSettings(), password))
            defaults().removeObject(kPasswordKey);
    }
}
