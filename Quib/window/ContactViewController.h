// The contacts sheet of the personalization editions: pick people and their postal addresses, and
// Save turns each picked address into a personalization record (MailContactBook) for the mail merge.
// The previous records are replaced only once something was picked. Main thread only; one per
// process.
#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

class ContactPickerView;
class QDialog;
class QLabel;
class QPushButton;
class QWidget;

class ContactViewController : public QObject
{
    Q_OBJECT
public:
    static ContactViewController& shared();
    ContactViewController();
    ~ContactViewController() override;

    QDialog* window() const { return m_window; }
    ContactPickerView* peoplePickerView() const { return m_picker; }
    QPushButton* saveContactsButton() const { return m_saveButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    QLabel* notesLabel() const { return m_notes; }

    // Opens the sheet window-modal on parent (launchContactList:).
    void launchContactList(QWidget* parent);
    void cancelModalSheet();
    // Builds the records of the picked addresses, closes the sheet and offers to generate.
    void saveSelectedContacts();
    // What "Generate" does in place of the default: the mail merge of the page in the window the
    // sheet was shown on (the main window's when shown on none). With neither, the alert offers
    // only "Dismiss".
    void setGenerateHandler(std::function<void()> generate) { m_generate = std::move(generate); }

private:
    void ensureWindow();
    std::function<void()> generateAction() const;

    QPointer<QDialog> m_window;
    QPointer<QWidget> m_parent;
    ContactPickerView* m_picker = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QLabel* m_notes = nullptr;
    std::function<void()> m_generate;
};
