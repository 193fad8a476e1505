#include "window/MailListWindowController.h"

#include "platform/Dialogs.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "publishing/MailRecipientLists.h"
#include "window/ContactPickerView.h"
#include "window/MailSheet.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

MailListWindowController::MailListWindowController()
{
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("MailListWindowController"));
    m_window->setWindowTitle(QStringLiteral("Contacts"));
    auto* column = new QVBoxLayout(m_window);
    m_picker = new ContactPickerView(ContactPickerView::Values::Emails, m_window);
    column->addWidget(m_picker);
    auto* buttons = new QHBoxLayout;
    m_toButton =
        MailSheet::button(m_window, QStringLiteral("Add to TO"), QStringLiteral("grabTOContactsButton"));
    m_ccButton =
        MailSheet::button(m_window, QStringLiteral("Add to CC"), QStringLiteral("grabCCContactsButton"));
    m_bccButton =
        MailSheet::button(m_window, QStringLiteral("Add to BCC"), QStringLiteral("grabBCCContactsButton"));
    buttons->addStretch();
    buttons->addWidget(m_toButton);
    buttons->addWidget(m_ccButton);
    buttons->addWidget(m_bccButton);
    column->addLayout(buttons);
    connect(m_toButton, &QPushButton::clicked, this, &MailListWindowController::grabTOContacts);
    connect(m_ccButton, &QPushButton::clicked, this, &MailListWindowController::grabCCContacts);
    connect(m_bccButton, &QPushButton::clicked, this, &MailListWindowController::grabBCCContacts);
    m_window->resize(560, 420);
}

MailListWindowController::~MailListWindowController()
{
    delete m_window;
}

void MailListWindowController::showWindow()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void MailListWindowController::grabTOContacts()
{
    addContacts(MailRecipientLists::kToKey, QStringLiteral("TO: mailing list saved"));
}

void MailListWindowController::grabCCContacts()
{
    addContacts(MailRecipientLists::kCcKey, QStringLiteral("CC: mailing list saved"));
}

void MailListWindowController::grabBCCContacts()
{
    addContacts(MailRecipientLists::kBccKey, QStringLiteral("BCC: mailing list saved"));
}

void MailListWindowController::contactsUpdated()
{
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("contactUpdatedMail"), this);
}

void MailListWindowController::addContacts(const QString& key, const QString& confirmation)
{
    const QStringList picked = m_picker->selectedValues();
    if (picked.isEmpty()) {
        MailSheet::inform(
            QStringLiteral("No email selected"),
            QStringLiteral("Please select email addresses you wish to save into the mailing list"));
        return;
    }
    // Every open sheet stores what it shows first, so the addition lands after what was typed.
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("grabCurrentListAsShown"), this);
    auto& defaults = platform::UserDefaults::standard();
    defaults.setObject(key, MailRecipientLists::appended(defaults.stringForKey(key), picked));
    contactsUpdated();
    MailSheet::inform(QStringLiteral("Selected contacts have been added"), confirmation);
}
