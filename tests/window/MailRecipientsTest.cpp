// The recipient sheets of open documents, the list-name popover, the saved-lists window and the two
// contacts windows, driven with real mouse and key events: lists saved with their edited names,
// chosen lists reaching every open document, contacts appended after what was typed, and
// personalization records made from picked addresses.
#include "WindowTestSupport.h"

#include "document/DRVDocument.h"
#include "platform/Dialogs.h"
#include "platform/UserDefaults.h"
#include "publishing/MailContactBook.h"
#include "publishing/MailRecipientLists.h"
#include "window/ContactPickerView.h"
#include "window/ContactViewController.h"
#include "window/MailListWindowController.h"
#include "window/MailRecipientWindowController.h"
#include "window/MailingListPopover.h"
#include "window/SavedMailingListWindowController.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(QUIB_FIXTURES_DIR "/contacts/") + QLatin1String(name);
}

void saveShot(QWidget* window, const char* name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(folder);
    EXPECT_TRUE(window->grab().save(folder + u'/' + QLatin1String(name)));
}

class MailRecipientsTest : public WindowTest
{
protected:
    MailRecipientsTest()
    {
        MailContactBook::setFolder(m_store.filePath(QStringLiteral("Contacts")));
        MailContactBook::importPaths(
            {fixture("folded-two-addresses-no-phone.vcf"), fixture("two-people-v4.vcf")});
        for (QMainWindow* window : {&mainA, &mainB}) {
            window->resize(700, 600);
            window->show();
        }
    }
    ~MailRecipientsTest() override { MailContactBook::setFolder(QString()); }

    static QString stored(const QString& key) { return platform::UserDefaults::standard().stringForKey(key); }

    static void type(QPlainTextEdit* view, const QString& text)
    {
        view->setFocus();
        view->selectAll();
        QTest::keyClick(view->viewport(), Qt::Key_Delete);
        QTest::keyClicks(view->viewport(), text);
    }

    static void type(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    static void click(QWidget* widget, Qt::KeyboardModifiers modifiers = {}, QPoint at = {})
    {
        QTest::mouseClick(widget, Qt::LeftButton, modifiers, at.isNull() ? widget->rect().center() : at);
    }

    // Clicks the rows of the picker whose text (in any column) contains each of texts, Ctrl held
    // after the first.
    static void pick(ContactPickerView* picker, const QStringList& texts)
    {
        QTreeWidget* tree = picker->tree();
        bool first = true;
        for (const QString& text : texts) {
            QTreeWidgetItem* found = nullptr;
            for (QTreeWidgetItemIterator it(tree); *it && !found; ++it) {
                if ((*it)->text(0).contains(text) || (*it)->text(1).contains(text))
                    found = *it;
            }
            ASSERT_NE(found, nullptr) << text.toStdString();
            tree->scrollToItem(found);
            click(tree->viewport(), first ? Qt::KeyboardModifiers() : Qt::ControlModifier,
                  tree->visualItemRect(found).center());
            first = false;
        }
    }

    QMainWindow mainA;
    QMainWindow mainB;
    DRVDocument documentA;
    DRVDocument documentB;
    platform::ScopedDialogs dialogs;
};

TEST_F(MailRecipientsTest, SheetShowsStoredValuesAndSavesListsUnderTheirEditedNames)
{
    auto& defaults = platform::UserDefaults::standard();
    defaults.setObject(QStringLiteral("mailSubject"), QStringLiteral("Spring news"));
    defaults.setObject(MailRecipientLists::kToKey, QStringLiteral("a@example.org,"));
    defaults.setObject(QStringLiteral("uploadOption"), QStringLiteral("dropbox"));
    MailRecipientWindowController* sheet = MailRecipientWindowController::forDocument(&documentA);
    EXPECT_EQ(MailRecipientWindowController::forDocument(&documentA), sheet);
    sheet->showRecipientSettings(&mainA);
    EXPECT_EQ(sheet->window()->parentWidget(), &mainA);
    EXPECT_EQ(sheet->mailSubjectTextField()->text(), QStringLiteral("Spring news"));
    EXPECT_EQ(sheet->toFieldTextView()->toPlainText(), QStringLiteral("a@example.org,"));
    EXPECT_EQ(sheet->mailStorageOptionTextField()->text(),
              QStringLiteral("Mail Storage Option Selected: Dropbox"));

    type(sheet->ccFieldTextView(), QStringLiteral("c@example.org"));
    click(sheet->saveAsDefaultButton());
    MailingListPopover* popover = sheet->popOverViewController();
    ASSERT_NE(popover, nullptr);
    ASSERT_TRUE(popover->isVisible());
    static const QRegularExpression dateTitle(
        QStringLiteral("^[A-Z][a-z]{2} \\d\\d \\d{4} \\d\\d:\\d\\d [AP]M$"));
    EXPECT_TRUE(dateTitle.match(popover->mailingListTitleTextField()->text()).hasMatch())
        << popover->mailingListTitleTextField()->text().toStdString();
    type(popover->mailingListTitleTextField(), QStringLiteral("Customers"));
    click(popover->saveButton());
    EXPECT_FALSE(popover->isVisible());
    EXPECT_EQ(sheet->saveAsDefaultButton()->text(), QStringLiteral("Saved!"));

    // The saved-lists window, opened from the sheet, shows the first list and adds the next at once.
    click(sheet->savedListButton());
    SavedMailingListWindowController* lists = sheet->savedMailingListViewController();
    ASSERT_NE(lists, nullptr);
    EXPECT_EQ(lists->listNameTextField()->text(), QStringLiteral("Customers"));
    EXPECT_EQ(lists->ccTextView()->toPlainText(), QStringLiteral("c@example.org"));
    click(sheet->saveAsDefaultButton());
    click(sheet->popOverViewController()->saveButton());
    EXPECT_EQ(lists->tableView()->count(), 2);

    const QVariantList saved = MailRecipientLists::savedLists();
    ASSERT_EQ(saved.size(), 2) << "saving twice stores two lists";
    EXPECT_EQ(saved.at(0).toMap().value(QStringLiteral("mailingListTitle")).toString(),
              QStringLiteral("Customers"));
    EXPECT_EQ(saved.at(1).toMap().value(QStringLiteral("toMailingList")).toString(),
              QStringLiteral("a@example.org,"));
    EXPECT_EQ(stored(MailRecipientLists::kCcKey), QStringLiteral("c@example.org"));
    EXPECT_EQ(stored(QStringLiteral("mailSubject")), QStringLiteral("Spring news"));
    // An edit offers saving again.
    type(sheet->toFieldTextView(), QStringLiteral("x@example.org"));
    EXPECT_EQ(sheet->saveAsDefaultButton()->text(), QStringLiteral("Save"));

    saveShot(sheet->window(), "mail-recipient-sheet.png");
    saveShot(lists->window(), "mail-saved-lists-window.png");
}

TEST_F(MailRecipientsTest, ChosenListWithUnsavedEditsReachesEveryOpenDocument)
{
    MailRecipientLists::appendSavedList(QStringLiteral("one@example.org,"), QString(), QString(),
                                        QStringLiteral("One"));
    MailRecipientLists::appendSavedList(QStringLiteral("two@example.org,"), QStringLiteral("cc@example.org"),
                                        QString(), QStringLiteral("Two"));
    MailRecipientWindowController* sheetA = MailRecipientWindowController::forDocument(&documentA);
    MailRecipientWindowController* sheetB = MailRecipientWindowController::forDocument(&documentB);
    sheetA->showRecipientSettings(&mainA);
    sheetB->showRecipientSettings(&mainB);

    click(sheetA->savedListButton());
    SavedMailingListWindowController* lists = sheetA->savedMailingListViewController();
    QListWidget* table = lists->tableView();
    click(table->viewport(), {}, table->visualItemRect(table->item(1)).center());
    EXPECT_EQ(lists->toTextView()->toPlainText(), QStringLiteral("two@example.org,"));
    type(lists->toTextView(), QStringLiteral("edited@example.org,"));
    click(lists->selectMailingListButton());

    for (MailRecipientWindowController* sheet : {sheetA, sheetB}) {
        EXPECT_EQ(sheet->toFieldTextView()->toPlainText(), QStringLiteral("edited@example.org,"));
        EXPECT_EQ(sheet->ccFieldTextView()->toPlainText(), QStringLiteral("cc@example.org"));
    }
    EXPECT_EQ(
        MailRecipientLists::savedLists().at(1).toMap().value(QStringLiteral("toMailingList")).toString(),
        QStringLiteral("two@example.org,"))
        << "the stored list keeps its text until updated";

    // Update stores the edit; an empty name is stored as it is.
    type(lists->listNameTextField(), QString());
    click(lists->updateMailingListButton());
    EXPECT_EQ(
        MailRecipientLists::savedLists().at(1).toMap().value(QStringLiteral("toMailingList")).toString(),
        QStringLiteral("edited@example.org,"));
    EXPECT_EQ(table->item(1)->text(), QString());
    EXPECT_EQ(table->currentRow(), 1);

    // Deleting both leaves an empty table and empty fields.
    click(lists->deleteRecordButton());
    click(table->viewport(), {}, table->visualItemRect(table->item(0)).center());
    click(lists->deleteRecordButton());
    EXPECT_EQ(table->count(), 0);
    EXPECT_TRUE(MailRecipientLists::savedLists().isEmpty());
    EXPECT_EQ(lists->toTextView()->toPlainText(), QString());
    EXPECT_EQ(lists->listNameTextField()->text(), QString());
}

TEST_F(MailRecipientsTest, ContactsAreAddedAfterTextTypedButNotSaved)
{
    MailRecipientWindowController* sheet = MailRecipientWindowController::forDocument(&documentA);
    sheet->showRecipientSettings(&mainA);
    type(sheet->toFieldTextView(), QStringLiteral("typed@example.org"));

    click(sheet->contactsButton());
    MailListWindowController* contacts = sheet->mailListTableViewController();
    ASSERT_NE(contacts, nullptr);
    click(contacts->toButton());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("No email selected"));
    EXPECT_EQ(sheet->toFieldTextView()->toPlainText(), QStringLiteral("typed@example.org"));

    pick(contacts->peoplePickerView(),
         {QStringLiteral("astrid@home.example"), QStringLiteral("nadia@okafor.example")});
    click(contacts->toButton());
    EXPECT_EQ(dialogs->alerts().last().title, QStringLiteral("Selected contacts have been added"));
    EXPECT_EQ(dialogs->alerts().last().informativeText, QStringLiteral("TO: mailing list saved"));
    EXPECT_EQ(stored(MailRecipientLists::kToKey),
              QStringLiteral("typed@example.org,astrid@home.example,nadia@okafor.example,"));
    EXPECT_EQ(sheet->toFieldTextView()->toPlainText(), stored(MailRecipientLists::kToKey));

    pick(contacts->peoplePickerView(), {QStringLiteral("tomasz@wrobel.example")});
    click(contacts->bccButton());
    EXPECT_EQ(stored(MailRecipientLists::kBccKey), QStringLiteral("tomasz@wrobel.example,"));
    EXPECT_EQ(dialogs->alerts().last().informativeText, QStringLiteral("BCC: mailing list saved"));
    saveShot(contacts->window(), "mail-contacts-window.png");
}

TEST_F(MailRecipientsTest, PickedAddressesBecomePersonalizationRecords)
{
    MailContactBook::setCurrentRecords({{{QStringLiteral("[FIRST_NAME]"), QStringLiteral("Earlier")}}});
    ContactViewController picker;
    picker.launchContactList(&mainA);
    ASSERT_TRUE(picker.window()->isVisible());

    // Nothing picked: the alert, and the earlier records stay.
    click(picker.saveContactsButton());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("No contact selected"));
    EXPECT_EQ(MailContactBook::currentRecords().size(), 1);

    pick(picker.peoplePickerView(),
         {QStringLiteral("Storgatan"), QStringLiteral("Lillvägen"), QStringLiteral("Nadia")});
    saveShot(picker.window(), "mail-contacts-picker.png");
    click(picker.saveContactsButton());
    EXPECT_FALSE(picker.window()->isVisible());
    const QList<QVariantMap> records = MailContactBook::currentRecords();
    ASSERT_EQ(records.size(), 2) << "Nadia has no address picked, so no record";
    EXPECT_EQ(records.at(0).value(QStringLiteral("Address_Number")).toString(), QStringLiteral("0"));
    EXPECT_EQ(records.at(1).value(QStringLiteral("Address_Number")).toString(), QStringLiteral("1"));
    EXPECT_EQ(records.at(1).value(QStringLiteral("[CITY]")).toString(), QStringLiteral("Mölndal"));
    EXPECT_EQ(dialogs->alerts().last().title, QStringLiteral("2 records selected"));
    EXPECT_EQ(dialogs->alerts().last().buttons, QStringList{QStringLiteral("Dismiss")});
}

TEST_F(MailRecipientsTest, ImportContactsButtonBringsCardsIn)
{
    MailContactBook::setFolder(m_store.filePath(QStringLiteral("Fresh")));
    ContactViewController picker;
    picker.launchContactList(&mainA);
    EXPECT_EQ(picker.peoplePickerView()->tree()->topLevelItemCount(), 0);
    dialogs->queueOpenPanelAnswer({fixture("two-people-v4.vcf")});
    click(picker.peoplePickerView()->importButton());
    ASSERT_EQ(dialogs->openRequests().size(), 1);
    EXPECT_EQ(dialogs->openRequests().at(0).allowedExtensions,
              (QStringList{QStringLiteral("vcf"), QStringLiteral("vcard")}));
    EXPECT_EQ(dialogs->alerts().last().title, QStringLiteral("2 contacts imported"));
    EXPECT_EQ(picker.peoplePickerView()->tree()->topLevelItemCount(), 2);
}

} // namespace

namespace {

TEST_F(MailRecipientsTest, SaveAsDefaultStoresTheSheetAndTheResponsiveEditionHasNoOptionalTexts)
{
    edition().gResponsiveLayoutFlag = true;
    MailRecipientWindowController* sheet = MailRecipientWindowController::forDocument(&documentA);
    sheet->showRecipientSettings(&mainA);
    EXPECT_FALSE(sheet->optionalTextContent()->isVisible());
    type(sheet->mailSubjectTextField(), QStringLiteral("Hello again"));
    type(sheet->bccFieldTextView(), QStringLiteral("hidden@example.org"));
    click(sheet->saveDefaultsButton());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("Settings Saved"));
    EXPECT_TRUE(dialogs->alerts().at(0).informativeText.contains(QStringLiteral("screen.  You may")));
    EXPECT_EQ(stored(QStringLiteral("mailSubject")), QStringLiteral("Hello again"));
    EXPECT_EQ(stored(MailRecipientLists::kBccKey), QStringLiteral("hidden@example.org"));

    // Another document's sheet opens with what was saved.
    MailRecipientWindowController* other = MailRecipientWindowController::forDocument(&documentB);
    other->showRecipientSettings(&mainB);
    EXPECT_EQ(other->mailSubjectTextField()->text(), QStringLiteral("Hello again"));
    EXPECT_EQ(other->bccFieldTextView()->toPlainText(), QStringLiteral("hidden@example.org"));
}

} // namespace
