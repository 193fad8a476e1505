#include "window/SavedMailingListWindowController.h"

#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "publishing/MailRecipientLists.h"
#include "window/MailSheet.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

QString entry(const QVariant& list, const char* key)
{
    return list.toMap().value(QLatin1String(key)).toString();
}

} // namespace

SavedMailingListWindowController::SavedMailingListWindowController()
{
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("SavedMailingListWindowController"));
    m_window->setWindowTitle(QStringLiteral("Saved Mailing Lists"));
    auto* outer = new QHBoxLayout(m_window);
    auto* splitter = new QSplitter(m_window);
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(1);
    outer->addWidget(splitter);

    m_table = new QListWidget(splitter);
    m_table->setObjectName(QStringLiteral("tableView"));
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setMinimumWidth(200);

    auto* detail = new QWidget(splitter);
    auto* column = new QVBoxLayout(detail);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(detail);
    m_name->setObjectName(QStringLiteral("listNameTextField"));
    m_name->setMaxLength(MailRecipientLists::kMaxTextLength);
    const auto textView = [detail](const char* name) {
        auto* view = new QPlainTextEdit(detail);
        view->setObjectName(QLatin1String(name));
        view->setTabChangesFocus(true);
        return view;
    };
    m_to = textView("toTextView");
    m_cc = textView("ccTextView");
    m_bcc = textView("bccTextView");
    form->addRow(QStringLiteral("Name:"), m_name);
    form->addRow(QStringLiteral("To:"), m_to);
    form->addRow(QStringLiteral("Cc:"), m_cc);
    form->addRow(QStringLiteral("Bcc:"), m_bcc);
    column->addLayout(form);
    auto* buttons = new QHBoxLayout;
    m_deleteButton =
        MailSheet::button(detail, QStringLiteral("Delete"), QStringLiteral("deleteRecordButton"));
    m_updateButton =
        MailSheet::button(detail, QStringLiteral("Update"), QStringLiteral("updateMailingListButton"));
    m_selectButton = MailSheet::button(detail, QStringLiteral("Use These Recipients"),
                                       QStringLiteral("selectMailingListButton"));
    buttons->addWidget(m_deleteButton);
    buttons->addStretch();
    buttons->addWidget(m_updateButton);
    buttons->addWidget(m_selectButton);
    column->addLayout(buttons);
    splitter->setStretchFactor(1, 1);

    // The fields show the row about to become selected, whichever way it gets there.
    connect(m_table, &QListWidget::currentRowChanged, this,
            [this](int row) { updateMailingListTextViews(row); });
    connect(m_updateButton, &QPushButton::clicked, this,
            &SavedMailingListWindowController::updateSavedMailListRecord);
    connect(m_deleteButton, &QPushButton::clicked, this,
            &SavedMailingListWindowController::deleteSavedMailListRecord);
    connect(m_selectButton, &QPushButton::clicked, this,
            &SavedMailingListWindowController::populateCurrentTrueMailingList);
    platform::NotificationCenter::defaultCenter().addObserver(
        QStringLiteral("mailingListUpdatedMail"), this,
        [this](const platform::Notification&) { refreshTableViewAfterUpdate(); });
    m_lists = MailRecipientLists::savedLists();
    reloadTable();
    m_window->resize(720, 420);
}

SavedMailingListWindowController::~SavedMailingListWindowController()
{
    platform::NotificationCenter::defaultCenter().removeObserversForContext(this);
    delete m_window;
}

void SavedMailingListWindowController::showWindow()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void SavedMailingListWindowController::reloadTable()
{
    const QSignalBlocker quiet(m_table);
    m_table->clear();
    for (const QVariant& list : m_lists) {
        auto* item = new QListWidgetItem(entry(list, "mailingListTitle"), m_table);
        item->setSizeHint(QSize(0, 50));
    }
}

int SavedMailingListWindowController::selectedRow() const
{
    const int row = m_table->currentRow();
    return row >= 0 && row < m_lists.size() && m_table->item(row)->isSelected() ? row : -1;
}

void SavedMailingListWindowController::updateMailingListTextViews(int row)
{
    const bool shown = row >= 0 && row < m_lists.size();
    const QVariant list = shown ? m_lists.at(row) : QVariant();
    m_to->setPlainText(entry(list, "toMailingList"));
    m_cc->setPlainText(entry(list, "ccMailingList"));
    m_bcc->setPlainText(entry(list, "bccMailingList"));
    m_name->setText(entry(list, "mailingListTitle"));
}

void SavedMailingListWindowController::updateSavedMailListRecord()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    QVariantList lists = m_lists;
    lists[row] = MailRecipientLists::record(m_to->toPlainText(), m_cc->toPlainText(), m_bcc->toPlainText(),
                                            m_name->text());
    MailRecipientLists::setSavedLists(lists);
    refreshTableViewAfterUpdate();
}

void SavedMailingListWindowController::deleteSavedMailListRecord()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    QVariantList lists = m_lists;
    lists.removeAt(row);
    MailRecipientLists::setSavedLists(lists);
    refreshTableViewAfterDelete();
}

void SavedMailingListWindowController::populateCurrentTrueMailingList()
{
    // What the fields show, edits not yet saved into the list included.
    auto& defaults = platform::UserDefaults::standard();
    defaults.setObject(MailRecipientLists::kToKey, m_to->toPlainText());
    defaults.setObject(MailRecipientLists::kCcKey, m_cc->toPlainText());
    defaults.setObject(MailRecipientLists::kBccKey, m_bcc->toPlainText());
    platform::NotificationCenter::defaultCenter().post(QStringLiteral("contactUpdatedMail"), this);
}

void SavedMailingListWindowController::refreshTableViewAfterUpdate()
{
    m_lists = MailRecipientLists::savedLists();
    const int row = selectedRow();
    reloadTable();
    if (row >= 0 && row < m_lists.size())
        m_table->setCurrentRow(row);
    updateMailingListTextViews(row);
}

void SavedMailingListWindowController::refreshTableViewAfterDelete()
{
    m_lists = MailRecipientLists::savedLists();
    reloadTable();
    updateMailingListTextViews(-1);
}
