#include "window/ContactPickerView.h"

#include "platform/Dialogs.h"
#include "window/MailSheet.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kContactRole = Qt::UserRole;
constexpr int kValueRole = Qt::UserRole + 1; // -1 on a person's own row

} // namespace

ContactPickerView::ContactPickerView(Values values, QWidget* parent) : QWidget(parent), m_values(values)
{
    setObjectName(QStringLiteral("peoplePickerView"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("peoplePickerTree"));
    m_tree->setColumnCount(2);
    m_tree->setHeaderLabels({QStringLiteral("Name"), values == Values::Emails ? QStringLiteral("E-mail")
                                                                              : QStringLiteral("Address")});
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    column->addWidget(m_tree);
    auto* buttons = new QHBoxLayout;
    m_importButton =
        MailSheet::button(this, QStringLiteral("Import Contacts…"), QStringLiteral("importContactsButton"));
    m_importFolderButton = MailSheet::button(this, QStringLiteral("Import Folder…"),
                                             QStringLiteral("importContactsFolderButton"));
    buttons->addWidget(m_importButton);
    buttons->addWidget(m_importFolderButton);
    buttons->addStretch();
    column->addLayout(buttons);
    connect(m_importButton, &QPushButton::clicked, this, [this] { importContacts(false); });
    connect(m_importFolderButton, &QPushButton::clicked, this, [this] { importContacts(true); });
    reload();
}

void ContactPickerView::reload()
{
    m_contacts = MailContactBook::contacts();
    m_tree->clear();
    for (int i = 0; i < m_contacts.size(); ++i) {
        const MailContact& contact = m_contacts.at(i);
        auto* person = new QTreeWidgetItem(m_tree, {contact.displayName(), contact.organization});
        person->setData(0, kContactRole, i);
        person->setData(0, kValueRole, -1);
        QStringList values;
        if (m_values == Values::Emails) {
            values = contact.emails;
        } else {
            for (const MailContactAddress& address : contact.addresses)
                values.append((address.label.isEmpty() ? QString() : address.label + QStringLiteral(": ")) +
                              address.summary());
        }
        for (int v = 0; v < values.size(); ++v) {
            auto* row = new QTreeWidgetItem(person, {QString(), values.at(v)});
            row->setData(0, kContactRole, i);
            row->setData(0, kValueRole, v);
        }
        person->setExpanded(true);
    }
    emit contactsReloaded();
}

QList<int> ContactPickerView::selectedRecords() const
{
    QList<int> records;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* person = m_tree->topLevelItem(i);
        bool picked = person->isSelected();
        for (int c = 0; c < person->childCount() && !picked; ++c)
            picked = person->child(c)->isSelected();
        if (picked)
            records.append(person->data(0, kContactRole).toInt());
    }
    return records;
}

QList<int> ContactPickerView::selectedIdentifiersForPerson(int contact) const
{
    QList<int> identifiers;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* person = m_tree->topLevelItem(i);
        if (person->data(0, kContactRole).toInt() != contact)
            continue;
        for (int c = 0; c < person->childCount(); ++c) {
            if (person->child(c)->isSelected())
                identifiers.append(person->child(c)->data(0, kValueRole).toInt());
        }
    }
    return identifiers;
}

QStringList ContactPickerView::selectedValues() const
{
    QStringList values;
    for (const int contact : selectedRecords()) {
        for (const int index : selectedIdentifiersForPerson(contact)) {
            values.append(m_values == Values::Emails
                              ? m_contacts.at(contact).emails.value(index)
                              : m_contacts.at(contact).addresses.value(index).summary());
        }
    }
    return values;
}

void ContactPickerView::importContacts(bool folder)
{
    platform::FilePanelRequest request;
    request.title = QStringLiteral("Import Contacts");
    request.message = folder ? QStringLiteral("Choose a folder of vCard files.")
                             : QStringLiteral("Choose vCard files (.vcf) exported from your address book.");
    request.prompt = QStringLiteral("Import");
    request.chooseDirectories = folder;
    request.allowMultiple = !folder;
    if (!folder)
        request.allowedExtensions = {QStringLiteral("vcf"), QStringLiteral("vcard")};
    const QStringList paths = platform::DialogService::current().runOpenPanel(request);
    if (paths.isEmpty())
        return;
    QStringList errors;
    const int imported = MailContactBook::importPaths(paths, &errors);
    platform::Alert alert;
    alert.style = errors.isEmpty() ? platform::AlertStyle::Informational : platform::AlertStyle::Warning;
    alert.title = QStringLiteral("%1 contacts imported").arg(imported);
    alert.informativeText = errors.join(u'\n');
    alert.buttons = {QStringLiteral("OK")};
    platform::showAlert(alert);
    reload();
}
