// The user's own collection of text snippets ("Saved Text Collection"), kept in the user defaults
// under "savedTextArray" as a list of {title, textContent} maps in the order added. The window lists
// them, shows one for editing and adds, stores and deletes them; the shown snippet is known only by
// the index field, so every change re-reads the collection and corrects a stale index. One window
// per document window, made on first use. Main thread only.
#pragma once
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QWidget;

class SavedTextWindowController : public QObject
{
    Q_OBJECT
public:
    explicit SavedTextWindowController(QWidget* parentWindow = nullptr);
    ~SavedTextWindowController() override;

    QWidget* window() const { return m_window; }
    QTableWidget* tableView() const { return m_tableView; }
    QLineEdit* titleTextField() const { return m_titleTextField; }
    QPlainTextEdit* textView() const { return m_textView; }
    QLineEdit* savedTextRecordIndexTextField() const { return m_savedTextRecordIndexTextField; }
    QLabel* savedTextLabel() const { return m_savedTextLabel; }
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    QPushButton* chooseButton() const { return m_chooseButton; }
    const QVariantList& savedTextMutableArray() const { return m_savedTextMutableArray; }

    // The stored collection; a missing or unreadable default is empty, and entries that are not
    // maps are dropped.
    static QVariantList storedSnippets();
    static void storeSnippets(const QVariantList& snippets);
    // "Added " and the date, e.g. "Added Dec 07 2026,  Monday at 9:05 AM" (calendar year).
    static QString addedTitle(const QDateTime& when);

    int numberOfRowsInTableView() const { return int(m_savedTextMutableArray.size()); }
    void displayRecord(int index);
    void selectRow(int index);
    void resetRecords();
    void refreshTableView();
    void addNewSavedTextRecord();
    void updateCurrentTextRecord();
    void updateSavedTextRecord(int index);
    void saveSavedTextRecord();
    void deleteSavedTextRecord();

    // The canvas's openers: shows the window with empty fields and row 0 selected.
    void launchSavedTextWindow();
    // Shows the window and appends the text box's text as a new snippet titled by addedTitle(when).
    void addToSavedTextWindow(const QString& plainText, const QDateTime& when = QDateTime::currentDateTime());
    // The shown snippet's text, for the canvas's pull.
    QString shownText() const;
    // Choose hides the window and hands over to the canvas (which appends shownText() to its
    // text box).
    void setChooseHandler(std::function<void()> handler) { m_chooseHandler = std::move(handler); }

private:
    void buildWindow(QWidget* parentWindow);
    void choose();
    // The index field's integer value; empty or not a number reads as 0.
    int indexFieldValue() const;

    QPointer<QWidget> m_window;
    QTableWidget* m_tableView = nullptr;
    QLineEdit* m_titleTextField = nullptr;
    QPlainTextEdit* m_textView = nullptr;
    QLineEdit* m_savedTextRecordIndexTextField = nullptr;
    QLabel* m_savedTextLabel = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_chooseButton = nullptr;
    QVariantList m_savedTextMutableArray;
    std::function<void()> m_chooseHandler;
    bool m_filling = false;
};
