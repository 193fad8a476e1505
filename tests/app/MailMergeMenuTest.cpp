// The mail merge from the menus: "From Address Book" opens the contacts sheet on the window it was
// chosen in, and the sheet's "Generate" runs the merge of that window's page, which asks for a
// project when the page is open on its own.
#include "AppTestSupport.h"

#include "publishing/MailContactBook.h"
#include "window/ContactPickerView.h"
#include "window/ContactViewController.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

class MailMergeMenuTest : public WindowedAppTest
{
protected:
    MailMergeMenuTest()
    {
        MailContactBook::setFolder(m_root.filePath(QStringLiteral("Contacts")));
        const QString cards = fileWith(QStringLiteral("cards.vcf"),
                                       "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\n"
                                       "ADR;TYPE=HOME:;;1 Main St;Springfield;;12345;USA\r\nEND:VCARD\r\n");
        EXPECT_EQ(MailContactBook::importPaths({cards}), 1);
    }
    ~MailMergeMenuTest() override
    {
        MailContactBook::setCurrentRecords({});
        MailContactBook::setFolder(QString());
    }
};

} // namespace

TEST_F(MailMergeMenuTest, GenerateFromTheAddressBookSheetReachesTheWindowsPage)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    choose(window, QStringLiteral("showAddressBook:"));
    ContactViewController& sheet = ContactViewController::shared();
    ASSERT_TRUE(sheet.window() && sheet.window()->isVisible());

    QTreeWidget* tree = sheet.peoplePickerView()->tree();
    QTreeWidgetItem* address = nullptr;
    for (QTreeWidgetItemIterator it(tree); *it && !address; ++it) {
        if ((*it)->text(0).contains(QStringLiteral("1 Main St")) || (*it)->text(1).contains(QStringLiteral("1 Main St")))
            address = *it;
    }
    ASSERT_NE(address, nullptr);
    tree->scrollToItem(address);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(address).center());

    dialogs->queueAlertAnswer(0); // "Generate"
    dialogs->queueAlertAnswer(1); // "Dismiss": no project is opened
    QTest::mouseClick(sheet.saveContactsButton(), Qt::LeftButton);

    ASSERT_EQ(dialogs->alerts().size(), 2);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("1 records selected"));
    EXPECT_EQ(dialogs->alerts().at(0).buttons, (QStringList{QStringLiteral("Generate"), QStringLiteral("Dismiss")}));
    EXPECT_EQ(dialogs->alerts().at(1).title, QStringLiteral("Please launch editor in multi-document mode"));
    EXPECT_FALSE(sheet.window()->isVisible());
    EXPECT_EQ(documents.allWindowControllers().size(), 1);
    EXPECT_EQ(window->window()->windowOpacity(), 1.0);
}
