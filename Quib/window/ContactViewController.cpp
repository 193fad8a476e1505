#include "window/ContactViewController.h"

#include "document/DRVDocument.h"
#include "platform/Dialogs.h"
#include "publishing/MailContactBook.h"
#include "window/ContactPickerView.h"
#include "window/DRVWindowController.h"
#include "window/MailSheet.h"

#include <QDebug>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ContactViewController& ContactViewController::shared()
{
    static auto* controller = new ContactViewController;
    return *controller;
}

ContactViewController::ContactViewController() = default;

std::function<void()> ContactViewController::generateAction() const
{
    if (m_generate)
        return m_generate;
    // The page of the window the sheet was shown on; shown on no window, the main window's page.
    DRVWindowController* target = nullptr;
    if (m_parent) {
        for (DRVWindowController* controller : DRVWindowController::allControllers()) {
            if (controller->isWindowLoaded() && controller->window() == m_parent)
                target = controller;
        }
    } else {
        target = DRVWindowController::mainWindowController();
    }
    if (!target || !target->document())
        return {};
    return [document = QPointer<DRVDocument>(target->document())] {
        if (document)
            document->populatePersonalizedDocuments();
    };
}

ContactViewController::~ContactViewController()
{
    delete m_window;
}

void ContactViewController::ensureWindow()
{
    if (m_window)
        return;
    m_window = new QDialog;
    m_window->setObjectName(QStringLiteral("ContactViewController"));
    m_window->setWindowTitle(QString());
    connect(m_window, &QObject::destroyed, this, [this] {
        m_picker = nullptr;
        m_saveButton = m_cancelButton = nullptr;
        m_notes = nullptr;
    });
    auto* column = new QVBoxLayout(m_window);
    m_notes = new QLabel(
        QStringLiteral("Select people and the addresses to personalize for. Each address makes one design."),
        m_window);
    m_notes->setObjectName(QStringLiteral("notesLabel"));
    m_notes->setWordWrap(true);
    column->addWidget(m_notes);
    m_picker = new ContactPickerView(ContactPickerView::Values::Addresses, m_window);
    column->addWidget(m_picker);
    auto* buttons = new QHBoxLayout;
    m_cancelButton = MailSheet::button(m_window, QStringLiteral("Cancel"), QStringLiteral("cancelButton"));
    m_saveButton = MailSheet::button(m_window, QStringLiteral("Save"), QStringLiteral("saveContactsButton"));
    m_saveButton->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_saveButton);
    column->addLayout(buttons);
    connect(m_saveButton, &QPushButton::clicked, this, &ContactViewController::saveSelectedContacts);
    connect(m_cancelButton, &QPushButton::clicked, this, &ContactViewController::cancelModalSheet);
    connect(m_window, &QDialog::rejected, this, [this] {
        if (m_window)
            m_window->hide();
    });
    m_window->resize(600, 460);
}

void ContactViewController::launchContactList(QWidget* parent)
{
    ensureWindow();
    m_parent = parent;
    m_picker->reload();
    MailSheet::present(m_window, parent);
}

void ContactViewController::cancelModalSheet()
{
    if (m_window)
        m_window->hide();
}

void ContactViewController::saveSelectedContacts()
{
    ensureWindow();
    const QList<int> people = m_picker->selectedRecords();
    qInfo("%lld people selected", qlonglong(people.size()));
    if (people.isEmpty()) {
        // The records of the last save stay: nothing was picked to take their place.
        MailSheet::inform(QStringLiteral("No contact selected"),
                          QStringLiteral("Please select contacts you wish to save"));
        return;
    }
    QList<QVariantMap> records;
    for (const int person : people) {
        records += MailContactBook::personalizationRecords(m_picker->contacts().at(person),
                                                           m_picker->selectedIdentifiersForPerson(person));
    }
    qInfo("%lld records selected", qlonglong(records.size()));
    MailContactBook::setCurrentRecords(records);
    cancelModalSheet();
    platform::Alert alert;
    alert.title = QStringLiteral("%1 records selected").arg(records.size());
    alert.informativeText = QStringLiteral("Now ready to generate personalized designs.");
    // Without a page to merge into the records wait for a later merge.
    const std::function<void()> generate = generateAction();
    alert.buttons = generate ? QStringList{QStringLiteral("Generate"), QStringLiteral("Dismiss")}
                             : QStringList{QStringLiteral("Dismiss")};
    if (platform::showAlert(alert) == 0 && generate)
        generate();
}
