// The recipient sheet of one page document: subject, To, Cc and Bcc (comma-separated text, stored as
// typed), and for image-map e-mails a header, footer and tooltip text. It is filled from the stored
// recipients and refreshes whenever they change ("contactUpdatedMail"), saves the current addresses
// as a named list (the name popover), opens the saved lists and the contacts window, and stores what
// it shows before a contacts addition ("grabCurrentListAsShown"). One per document, made on first use
// and gone with the document. Main thread only.
#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "window/MailingListPopover.h"

class DRVDocument;
class MailListWindowController;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class SavedMailingListWindowController;

class MailRecipientWindowController : public QObject
{
    Q_OBJECT
public:
    // The document's sheet, made the first time it is asked for.
    static MailRecipientWindowController* forDocument(DRVDocument* document);
    explicit MailRecipientWindowController(QObject* owner = nullptr);
    ~MailRecipientWindowController() override;

    QDialog* window() const { return m_window; }
    QLineEdit* mailSubjectTextField() const { return m_subject; }
    QPlainTextEdit* toFieldTextView() const { return m_to; }
    QPlainTextEdit* ccFieldTextView() const { return m_cc; }
    QPlainTextEdit* bccFieldTextView() const { return m_bcc; }
    QPushButton* saveAsDefaultButton() const { return m_saveListButton; }
    QPushButton* saveDefaultsButton() const { return m_saveDefaultsButton; }
    QPushButton* sendMailButton() const { return m_sendButton; }
    QPushButton* savedListButton() const { return m_savedListButton; }
    QPushButton* contactsButton() const { return m_contactsButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QLabel* mailStorageOptionTextField() const { return m_storageLabel; }
    QGroupBox* optionalTextContent() const { return m_optional; }
    MailingListPopover* popOverViewController() const { return m_popover; }
    SavedMailingListWindowController* savedMailingListViewController() const { return m_savedLists.get(); }
    MailListWindowController* mailListTableViewController() const { return m_contacts.get(); }

    // Opens the sheet window-modal on parent, filled from the stored values.
    void showRecipientSettings(QWidget* parent);
    void cancelMailRecipientSheet();
    // Reloads the three address views from the stored texts (a missing key leaves its view).
    void refreshRecipientList();
    // Stores the subject ("mailSubject") and the three texts, then confirms with an alert.
    void saveAsDefaultSettings();
    // Stores the three texts and the subject, no alert.
    void saveAsDefault();
    void showSaveMailingListPopoverAction();
    static QString createMailingListName();
    // Appends the shown texts as a list named title, stores them as current, and says so.
    void saveMailingList(const QString& title);
    void toggleSavedMailingListDrawer();
    void toggleMailingListDrawer();

    // The Send button's work (the e-mail send flow); without one the button stays disabled.
    void setSendHandler(std::function<void()> send);

private:
    void ensureWindow();

    QPointer<QDialog> m_window;
    QLineEdit* m_subject = nullptr;
    QPlainTextEdit* m_to = nullptr;
    QPlainTextEdit* m_cc = nullptr;
    QPlainTextEdit* m_bcc = nullptr;
    QPlainTextEdit* m_header = nullptr;
    QPlainTextEdit* m_footer = nullptr;
    QPlainTextEdit* m_tooltip = nullptr;
    QPushButton* m_saveListButton = nullptr;
    QPushButton* m_saveDefaultsButton = nullptr;
    QPushButton* m_sendButton = nullptr;
    QPushButton* m_savedListButton = nullptr;
    QPushButton* m_contactsButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QLabel* m_storageLabel = nullptr;
    QGroupBox* m_optional = nullptr;
    QPointer<MailingListPopover> m_popover;
    std::unique_ptr<SavedMailingListWindowController> m_savedLists;
    std::unique_ptr<MailListWindowController> m_contacts;
    std::function<void()> m_send;
};
