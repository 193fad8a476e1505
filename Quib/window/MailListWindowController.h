// The contacts window of the recipient sheet: pick e-mail addresses of imported contacts and add
// them to the stored To, Cc or Bcc text. Before a stored text changes, every open recipient sheet
// stores what it shows ("grabCurrentListAsShown"), so typing not yet saved survives; afterwards every
// open document reloads ("contactUpdatedMail"). Main thread only.
#pragma once
#include <QObject>
#include <QPointer>

class ContactPickerView;
class QPushButton;
class QWidget;

class MailListWindowController : public QObject
{
    Q_OBJECT
public:
    MailListWindowController();
    ~MailListWindowController() override;

    QWidget* window() const { return m_window; }
    ContactPickerView* peoplePickerView() const { return m_picker; }
    QPushButton* toButton() const { return m_toButton; }
    QPushButton* ccButton() const { return m_ccButton; }
    QPushButton* bccButton() const { return m_bccButton; }

    void showWindow();
    void grabTOContacts();
    void grabCCContacts();
    void grabBCCContacts();
    void contactsUpdated();

private:
    void addContacts(const QString& key, const QString& confirmation);

    QPointer<QWidget> m_window;
    ContactPickerView* m_picker = nullptr;
    QPushButton* m_toButton = nullptr;
    QPushButton* m_ccButton = nullptr;
    QPushButton* m_bccButton = nullptr;
};
