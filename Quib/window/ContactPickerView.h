// The people picker of the contacts windows: the imported cards (MailContactBook) as a tree of
// people and, under each, their e-mail addresses or their postal addresses, with many rows
// selectable at once; and the "Import Contacts…" and "Import Folder…" buttons that bring vCard files
// in. Main thread only.
#pragma once
#include "publishing/MailContactBook.h"

#include <QWidget>

class QPushButton;
class QTreeWidget;

class ContactPickerView : public QWidget
{
    Q_OBJECT
public:
    enum class Values { Emails, Addresses };
    explicit ContactPickerView(Values values, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return m_tree; }
    QPushButton* importButton() const { return m_importButton; }
    QPushButton* importFolderButton() const { return m_importFolderButton; }

    // Lists the imported cards again.
    void reload();
    const QList<MailContact>& contacts() const { return m_contacts; }

    // The contacts with a selected row (their own or one of their values), in list order.
    QList<int> selectedRecords() const;
    // The selected values' texts (e-mail addresses), in list order.
    QStringList selectedValues() const;
    // The selected value rows of one contact, as indexes into its addresses or e-mails.
    QList<int> selectedIdentifiersForPerson(int contact) const;

    // Asks for files (or a folder), imports them, says what happened and lists the cards again.
    void importContacts(bool folder);

signals:
    void contactsReloaded();

private:
    Values m_values;
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_importButton = nullptr;
    QPushButton* m_importFolderButton = nullptr;
    QList<MailContact> m_contacts;
};
