// The saved-text collection, opened from Edit > Saved Texts… and driven through its own buttons and
// fields: adding, replacing, deleting, stale and negative indexes, and the collection surviving a
// relaunch of the store.
#include "AppTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "window/PageDialogsController.h"
#include "window/SavedTextWindowController.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

class SavedTextWindowTest : public WindowedAppTest
{
protected:
    SavedTextWindowController* openFromMenu()
    {
        window = documents.addDocument(std::make_unique<DRVDocument>());
        if (!window)
            return nullptr;
        QAction* item = validatedItem(window, QStringLiteral("launchSavedTextWindow:"));
        if (!item || !item->isEnabled() || !item->isVisible())
            return nullptr;
        EXPECT_EQ(item->text(), QStringLiteral("Saved Texts…"));
        item->trigger();
        return window->pageDialogs()->savedTextWindowController();
    }

    static void type(QWidget* field, const QString& text)
    {
        if (auto* line = qobject_cast<QLineEdit*>(field))
            line->clear();
        if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
            plain->clear();
        field->setFocus();
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(field, Qt::Key_Return);
            QTest::keyClicks(field, lines.at(i));
        }
    }

    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Add, then type a title and text, then Save.
    static void addSnippet(SavedTextWindowController* saved, const QString& title, const QString& text)
    {
        click(saved->addButton());
        type(saved->titleTextField(), title);
        type(saved->textView(), text);
        click(saved->saveButton());
    }

    static QStringList storedTitles()
    {
        QStringList titles;
        for (const QVariant& snippet : SavedTextWindowController::storedSnippets())
            titles.append(snippet.toMap().value(QStringLiteral("title")).toString());
        return titles;
    }

    DRVWindowController* window = nullptr;
};

} // namespace

TEST_F(SavedTextWindowTest, AnEmptyCollectionShowsNoneAndEmptyFields)
{
    SavedTextWindowController* saved = openFromMenu();
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->window()->isVisible());
    EXPECT_EQ(saved->window()->windowTitle(), QStringLiteral("Saved Text Collection"));
    EXPECT_EQ(saved->savedTextLabel()->text(), QStringLiteral("0 text saved"));
    EXPECT_EQ(saved->tableView()->rowCount(), 0);
    EXPECT_EQ(saved->titleTextField()->text(), QString());
    EXPECT_EQ(saved->textView()->toPlainText(), QString());
    EXPECT_EQ(saved->savedTextRecordIndexTextField()->text(), QString());
}

TEST_F(SavedTextWindowTest, AddSaveReplaceDeleteThroughTheButtons)
{
    SavedTextWindowController* saved = openFromMenu();
    ASSERT_TRUE(saved);

    addSnippet(saved, QStringLiteral("Greeting"), QStringLiteral("Hello there"));
    addSnippet(saved, QStringLiteral("Footer"), QStringLiteral("All rights reserved"));
    addSnippet(saved, QStringLiteral("Address"), QStringLiteral("1 Main Street"));
    EXPECT_EQ(storedTitles(), (QStringList{"Greeting", "Footer", "Address"}));
    EXPECT_EQ(saved->savedTextLabel()->text(), QStringLiteral("3 text saved"));
    // The snippet just added stays shown.
    EXPECT_EQ(saved->savedTextRecordIndexTextField()->text(), QStringLiteral("2"));
    EXPECT_EQ(saved->tableView()->item(0, 0)->text(), QStringLiteral("Greeting Hello there "));

    // Clicking a row shows it; saving it replaces it in place.
    QTableWidget* table = saved->tableView();
    const QRect second = table->visualItemRect(table->item(1, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(saved->titleTextField()->text(), QStringLiteral("Footer"));
    EXPECT_EQ(saved->savedTextRecordIndexTextField()->text(), QStringLiteral("1"));
    type(saved->titleTextField(), QStringLiteral("Footer 2026"));
    click(saved->saveButton());
    EXPECT_EQ(storedTitles(), (QStringList{"Greeting", "Footer 2026", "Address"}));
    EXPECT_EQ(saved->savedTextRecordIndexTextField()->text(), QStringLiteral("1"));

    // A negative index adds rather than replacing (or writing outside the list).
    type(saved->savedTextRecordIndexTextField(), QStringLiteral("-5"));
    type(saved->titleTextField(), QStringLiteral("Negative"));
    click(saved->saveButton());
    EXPECT_EQ(storedTitles(), (QStringList{"Greeting", "Footer 2026", "Address", "Negative"}));
    // The stale index falls back to row 0.
    EXPECT_EQ(saved->savedTextRecordIndexTextField()->text(), QStringLiteral("0"));
    EXPECT_EQ(saved->titleTextField()->text(), QStringLiteral("Greeting"));

    // Deleting an index past the end changes nothing.
    type(saved->savedTextRecordIndexTextField(), QStringLiteral("9"));
    click(saved->deleteButton());
    EXPECT_EQ(storedTitles().size(), 4);

    // Deleting the last snippet leaves an index past the end: row 0 is shown.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualItemRect(table->item(3, 0)).center());
    EXPECT_EQ(saved->titleTextField()->text(), QStringLiteral("Negative"));
    click(saved->deleteButton());
    EXPECT_EQ(storedTitles(), (QStringList{"Greeting", "Footer 2026", "Address"}));
    EXPECT_EQ(saved->savedTextRecordIndexTextField()->text(), QStringLiteral("0"));
    EXPECT_EQ(saved->titleTextField()->text(), QStringLiteral("Greeting"));
    EXPECT_EQ(saved->savedTextLabel()->text(), QStringLiteral("3 text saved"));

    keepScreenshot(saved->window(), QStringLiteral("saved-texts.png"));

    // Deleting every snippet empties the fields.
    for (int i = 0; i < 3; ++i)
        click(saved->deleteButton());
    EXPECT_TRUE(storedTitles().isEmpty());
    EXPECT_EQ(saved->titleTextField()->text(), QString());
    EXPECT_EQ(saved->savedTextRecordIndexTextField()->text(), QString());
    EXPECT_EQ(saved->savedTextLabel()->text(), QStringLiteral("0 text saved"));
}

TEST_F(SavedTextWindowTest, TheCollectionSurvivesARelaunch)
{
    SavedTextWindowController* saved = openFromMenu();
    ASSERT_TRUE(saved);
    // One snippet alone is the case the settings file writes differently from a longer list.
    addSnippet(saved, QStringLiteral("Only"), QStringLiteral("line one\nline two"));
    const QString store = platform::UserDefaults::standard().storeFile();

    platform::UserDefaults::standard().useStoreFile(store);
    SavedTextWindowController relaunched;
    relaunched.launchSavedTextWindow();
    ASSERT_EQ(relaunched.tableView()->rowCount(), 1);
    EXPECT_EQ(relaunched.titleTextField()->text(), QStringLiteral("Only"));
    EXPECT_EQ(relaunched.textView()->toPlainText(), QStringLiteral("line one\nline two"));

    addSnippet(&relaunched, QStringLiteral("Second"), QStringLiteral("two"));
    platform::UserDefaults::standard().useStoreFile(store);
    EXPECT_EQ(storedTitles(), (QStringList{"Only", "Second"}));
    // The first window sees the other's change at its next refresh.
    saved->refreshTableView();
    EXPECT_EQ(saved->tableView()->rowCount(), 2);
}

TEST_F(SavedTextWindowTest, AddingFromATextBoxTitlesItWithTheCalendarYear)
{
    // 29 December 2025 is a Monday that the week-based year counts as 2026.
    const QDateTime monday(QDate(2025, 12, 29), QTime(21, 5));
    EXPECT_EQ(SavedTextWindowController::addedTitle(monday),
              QStringLiteral("Added Dec 29 2025,  Monday at 9:05 PM"));

    SavedTextWindowController saved;
    saved.addToSavedTextWindow(QStringLiteral("From the canvas"), monday);
    EXPECT_TRUE(saved.window()->isVisible());
    EXPECT_EQ(storedTitles(), QStringList{QStringLiteral("Added Dec 29 2025,  Monday at 9:05 PM")});
    EXPECT_EQ(saved.shownText(), QStringLiteral("From the canvas"));
    saved.addToSavedTextWindow(QStringLiteral("again"), monday);
    EXPECT_EQ(saved.savedTextRecordIndexTextField()->text(), QStringLiteral("1"));
}

TEST_F(SavedTextWindowTest, TheSelectedTextBoxAddsToAndPullsFromTheCollection)
{
    auto* box = new DRVText;
    box->setBounds({20, 20, 200, 60});
    box->updateTextString(QStringLiteral("Opening hours"));
    window = windowOnPage({box});

    // With nothing selected there is no text box to add.
    EXPECT_FALSE(validatedItem(window, QStringLiteral("addToSavedTextWindow:"))->isEnabled());
    window->graphicView()->changeSelectionIndexes({0});
    choose(window, QStringLiteral("addToSavedTextWindow:"));
    SavedTextWindowController* saved = window->pageDialogs()->savedTextWindowController();
    EXPECT_TRUE(saved->window()->isVisible());
    ASSERT_EQ(SavedTextWindowController::storedSnippets().size(), 1);
    EXPECT_EQ(SavedTextWindowController::storedSnippets().constFirst().toMap().value(QStringLiteral("textContent")).toString(),
              QStringLiteral("Opening hours"));

    // Choose appends the shown snippet after a line break, as one undo step, and closes the window.
    addSnippet(saved, QStringLiteral("Weekend"), QStringLiteral("Sat 10-2"));
    click(saved->chooseButton());
    EXPECT_FALSE(saved->window()->isVisible());
    EXPECT_EQ(box->textString(), QStringLiteral("Opening hours\nSat 10-2"));
    window->document()->undoManager()->undo();
    EXPECT_EQ(box->textString(), QStringLiteral("Opening hours"));
}
