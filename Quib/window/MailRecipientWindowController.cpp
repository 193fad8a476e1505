#include "window/MailRecipientWindowController.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "publishing/MailRecipientLists.h"
#include "window/MailListWindowController.h"
#include "window/MailSheet.h"
#include "window/MailingListPopover.h"
#include "window/SavedMailingListWindowController.h"

#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxSubjectLength = 998;
// The sheets of the open documents; an entry goes with its document (the sheet is its child).
QHash<const QObject*, MailRecipientWindowController*>& sheetsByDocument()
{
    static QHash<const QObject*, MailRecipientWindowController*> sheets;
    return sheets;
}

platform::UserDefaults& defaults()
{
    return platform::UserDefaults::standard();
}

QPlainTextEdit* addressView(QWidget* parent, const char* name)
{
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(QLatin1String(name));
    view->setTabChangesFocus(true);
    view->setFixedHeight(56);
    return view;
}

} // namespace

MailRecipientWindowController* MailRecipientWindowController::forDocument(DRVDocument* document)
{
    if (!document)
        return nullptr;
    if (MailRecipientWindowController* existing = sheetsByDocument().value(document))
        return existing;
    auto* controller = new MailRecipientWindowController(document);
    sheetsByDocument().insert(document, controller);
    controller->setSendHandler([document] { document->getReadyToSendEmail(); });
    QObject::connect(controller, &QObject::destroyed, [document] { sheetsByDocument().remove(document); });
    return controller;
}

MailRecipientWindowController::MailRecipientWindowController(QObject* owner) : QObject(owner)
{
    auto& center = platform::NotificationCenter::defaultCenter();
    center.addObserver(QStringLiteral("contactUpdatedMail"), this,
                       [this](const platform::Notification&) { refreshRecipientList(); });
    center.addObserver(QStringLiteral("grabCurrentListAsShown"), this,
                       [this](const platform::Notification&) { saveAsDefault(); });
}

MailRecipientWindowController::~MailRecipientWindowController()
{
    platform::NotificationCenter::defaultCenter().removeObserversForContext(this);
    delete m_popover;
    delete m_window;
}

void MailRecipientWindowController::ensureWindow()
{
    if (m_window)
        return;
    m_window = new QDialog;
    m_window->setObjectName(QStringLiteral("MailRecipientWindowController"));
    m_window->setWindowTitle(QStringLiteral("Recipients"));
    connect(m_window, &QObject::destroyed, this, [this] {
        m_subject = nullptr;
        m_to = m_cc = m_bcc = m_header = m_footer = m_tooltip = nullptr;
        m_saveListButton = m_saveDefaultsButton = m_sendButton = m_savedListButton = m_contactsButton =
            m_cancelButton = nullptr;
        m_storageLabel = nullptr;
        m_optional = nullptr;
    });

    auto* column = new QVBoxLayout(m_window);
    m_storageLabel = new QLabel(m_window);
    m_storageLabel->setObjectName(QStringLiteral("mailStorageOptionTextField"));
    column->addWidget(m_storageLabel);

    auto* form = new QFormLayout;
    m_subject = new QLineEdit(m_window);
    m_subject->setObjectName(QStringLiteral("mailSubjectTextField"));
    m_subject->setMaxLength(kMaxSubjectLength);
    m_to = addressView(m_window, "toFieldTextView");
    m_cc = addressView(m_window, "ccFieldTextView");
    m_bcc = addressView(m_window, "bccFieldTextView");
    form->addRow(QStringLiteral("Subject:"), m_subject);
    form->addRow(QStringLiteral("To:"), m_to);
    form->addRow(QStringLiteral("Cc:"), m_cc);
    form->addRow(QStringLiteral("Bcc:"), m_bcc);
    column->addLayout(form);
    auto* note = new QLabel(QStringLiteral("Separate addresses with commas."), m_window);
    note->setStyleSheet(QStringLiteral("color: #666;"));
    column->addWidget(note);

    auto* lists = new QHBoxLayout;
    m_saveListButton =
        MailSheet::button(m_window, QStringLiteral("Save"), QStringLiteral("saveAsDefaultButton"));
    m_savedListButton =
        MailSheet::button(m_window, QStringLiteral("Saved Lists…"), QStringLiteral("savedListButton"));
    m_contactsButton =
        MailSheet::button(m_window, QStringLiteral("Contacts…"), QStringLiteral("contactsButton"));
    m_saveDefaultsButton =
        MailSheet::button(m_window, QStringLiteral("Save as Default"), QStringLiteral("saveDefaultsButton"));
    lists->addWidget(new QLabel(QStringLiteral("Mailing list:"), m_window));
    lists->addWidget(m_saveListButton);
    lists->addWidget(m_savedListButton);
    lists->addWidget(m_contactsButton);
    lists->addStretch();
    lists->addWidget(m_saveDefaultsButton);
    column->addLayout(lists);

    // The image-map e-mail's own texts; the responsive e-mail has none.
    m_optional = new QGroupBox(QStringLiteral("Optional Text"), m_window);
    m_optional->setObjectName(QStringLiteral("optionalTextContent"));
    auto* optional = new QFormLayout(m_optional);
    m_header = addressView(m_optional, "headerTextView");
    m_footer = addressView(m_optional, "footerTextView");
    m_tooltip = addressView(m_optional, "tooltipTextView");
    optional->addRow(QStringLiteral("Header:"), m_header);
    optional->addRow(QStringLiteral("Footer:"), m_footer);
    optional->addRow(QStringLiteral("Image Tooltip:"), m_tooltip);
    column->addWidget(m_optional);
    m_optional->setVisible(!edition().gResponsiveLayoutFlag);

    auto* buttons = new QHBoxLayout;
    m_cancelButton = MailSheet::button(m_window, QStringLiteral("Cancel"), QStringLiteral("cancelButton"));
    m_sendButton = MailSheet::button(m_window, QStringLiteral("Send"), QStringLiteral("sendMailButton"));
    m_sendButton->setDefault(true);
    m_sendButton->setEnabled(bool(m_send));
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_sendButton);
    column->addLayout(buttons);

    // Any edit makes the list Save button offer saving again.
    for (QPlainTextEdit* view : {m_to, m_cc, m_bcc}) {
        connect(view, &QPlainTextEdit::textChanged, this, [this] {
            if (m_saveListButton)
                m_saveListButton->setText(QStringLiteral("Save"));
        });
    }
    connect(m_saveListButton, &QPushButton::clicked, this,
            &MailRecipientWindowController::showSaveMailingListPopoverAction);
    connect(m_savedListButton, &QPushButton::clicked, this,
            &MailRecipientWindowController::toggleSavedMailingListDrawer);
    connect(m_contactsButton, &QPushButton::clicked, this,
            &MailRecipientWindowController::toggleMailingListDrawer);
    connect(m_saveDefaultsButton, &QPushButton::clicked, this,
            &MailRecipientWindowController::saveAsDefaultSettings);
    connect(m_cancelButton, &QPushButton::clicked, this,
            &MailRecipientWindowController::cancelMailRecipientSheet);
    connect(m_sendButton, &QPushButton::clicked, this, [this] {
        if (m_send)
            m_send();
    });
    connect(m_window, &QDialog::rejected, this, [this] {
        if (m_window)
            m_window->hide();
    });
    m_window->resize(560, m_window->sizeHint().height());
}

void MailRecipientWindowController::setSendHandler(std::function<void()> send)
{
    m_send = std::move(send);
    if (m_sendButton)
        m_sendButton->setEnabled(bool(m_send));
}

void MailRecipientWindowController::showRecipientSettings(QWidget* parent)
{
    ensureWindow();
    const QString option = defaults().stringForKey(QStringLiteral("uploadOption"));
    m_storageLabel->setText(platform::formatv(QStringLiteral("Mail Storage Option Selected: %@"),
                                              option == QLatin1String("ftp") ? QStringLiteral("FTP")
                                              : option == QLatin1String("dropbox")
                                                  ? QStringLiteral("Dropbox")
                                                  : QStringLiteral("Attachment")));
    if (defaults().hasUserValue(QStringLiteral("mailSubject")))
        m_subject->setText(defaults().stringForKey(QStringLiteral("mailSubject")));
    refreshRecipientList();
    MailSheet::present(m_window, parent);
}

void MailRecipientWindowController::cancelMailRecipientSheet()
{
    if (m_window)
        m_window->hide();
}

void MailRecipientWindowController::refreshRecipientList()
{
    if (!m_window)
        return;
    const QList<QPair<QString, QPlainTextEdit*>> fields{{MailRecipientLists::kToKey, m_to},
                                                        {MailRecipientLists::kCcKey, m_cc},
                                                        {MailRecipientLists::kBccKey, m_bcc}};
    for (const auto& [key, view] : fields) {
        if (defaults().hasUserValue(key))
            view->setPlainText(defaults().stringForKey(key).left(MailRecipientLists::kMaxTextLength));
    }
}

void MailRecipientWindowController::saveAsDefault()
{
    if (!m_window)
        return;
    defaults().setObject(MailRecipientLists::kToKey, m_to->toPlainText());
    defaults().setObject(MailRecipientLists::kCcKey, m_cc->toPlainText());
    defaults().setObject(MailRecipientLists::kBccKey, m_bcc->toPlainText());
    // The key the sheet is filled from, so the subject comes back with the addresses.
    defaults().setObject(QStringLiteral("mailSubject"), m_subject->text());
}

void MailRecipientWindowController::saveAsDefaultSettings()
{
    saveAsDefault();
    MailSheet::inform(
        QStringLiteral("Settings Saved"),
        QStringLiteral("This information has been saved as the default values for the mail information "
                       "screen.  You may update these values at any time and re-save to modify the "
                       "default values."));
}

QString MailRecipientWindowController::createMailingListName()
{
    return MailRecipientLists::listTitle(QDateTime::currentDateTime());
}

void MailRecipientWindowController::showSaveMailingListPopoverAction()
{
    ensureWindow();
    if (!m_popover)
        m_popover = new MailingListPopover(m_window);
    m_popover->popUp(m_saveListButton, createMailingListName(),
                     [this](const QString& title) { saveMailingList(title); });
}

void MailRecipientWindowController::saveMailingList(const QString& title)
{
    if (!m_window)
        return;
    MailRecipientLists::appendSavedList(m_to->toPlainText(), m_cc->toPlainText(), m_bcc->toPlainText(),
                                        title.trimmed().isEmpty() ? createMailingListName() : title);
    saveAsDefault();
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("mailingListUpdatedMail"), this);
    m_saveListButton->setText(QStringLiteral("Saved!"));
}

void MailRecipientWindowController::toggleSavedMailingListDrawer()
{
    if (!m_savedLists)
        m_savedLists = std::make_unique<SavedMailingListWindowController>();
    m_savedLists->showWindow();
    // The first list is shown and selected, so Update and Delete act on what is shown.
    if (m_savedLists->tableView()->count() > 0)
        m_savedLists->tableView()->setCurrentRow(0);
    m_savedLists->updateMailingListTextViews(0);
}

void MailRecipientWindowController::toggleMailingListDrawer()
{
    if (!m_contacts)
        m_contacts = std::make_unique<MailListWindowController>();
    m_contacts->showWindow();
}
