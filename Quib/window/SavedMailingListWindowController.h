// The saved recipient lists: their names in a table, the selected list's To, Cc and Bcc texts and
// name, and buttons that update the list with the texts shown, delete it, or make the texts shown the
// current recipients ("contactUpdatedMail" then refreshes every open document). Reloads when a list
// is saved elsewhere ("mailingListUpdatedMail"). Main thread only.
#pragma once
#include <QObject>
#include <QPointer>
#include <QVariantList>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

class SavedMailingListWindowController : public QObject
{
    Q_OBJECT
public:
    SavedMailingListWindowController();
    ~SavedMailingListWindowController() override;

    QWidget* window() const { return m_window; }
    QListWidget* tableView() const { return m_table; }
    QPushButton* selectMailingListButton() const { return m_selectButton; }
    QPushButton* updateMailingListButton() const { return m_updateButton; }
    QPushButton* deleteRecordButton() const { return m_deleteButton; }
    QLineEdit* listNameTextField() const { return m_name; }
    QPlainTextEdit* toTextView() const { return m_to; }
    QPlainTextEdit* ccTextView() const { return m_cc; }
    QPlainTextEdit* bccTextView() const { return m_bcc; }
    QVariantList savedMailingListArray() const { return m_lists; }

    void showWindow();
    // Shows list row in the four fields; an index naming no list empties them.
    void updateMailingListTextViews(int row);
    void updateSavedMailListRecord();
    void deleteSavedMailListRecord();
    void populateCurrentTrueMailingList();
    void refreshTableViewAfterUpdate();
    void refreshTableViewAfterDelete();

private:
    void reloadTable();
    int selectedRow() const;

    QPointer<QWidget> m_window;
    QListWidget* m_table = nullptr;
    QLineEdit* m_name = nullptr;
    QPlainTextEdit* m_to = nullptr;
    QPlainTextEdit* m_cc = nullptr;
    QPlainTextEdit* m_bcc = nullptr;
    QPushButton* m_selectButton = nullptr;
    QPushButton* m_updateButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QVariantList m_lists;
};
