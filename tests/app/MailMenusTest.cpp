// The e-mail commands of the menus reach their sheets and windows on the window they were chosen in.
#include "AppTestSupport.h"

#include "platform/SecretStore.h"
#include "publishing/MailContactBook.h"
#include "window/ContactViewController.h"
#include "window/MailRecipientWindowController.h"
#include "window/MailSettingWindowController.h"

#include <QDialog>

namespace {

class MailMenusTest : public WindowedAppTest
{
protected:
    platform::ScopedSecretStore secrets;
};

} // namespace

TEST_F(MailMenusTest, SenderSettingsItemOpensTheSheetOnItsWindow)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    QAction* item = validatedItem(window, QStringLiteral("showSenderSMTPSettings:"));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), QStringLiteral("Sender SMTP Settings"));
    EXPECT_TRUE(item->isEnabled());

    item->trigger();
    QDialog* sheet = MailSettingWindowController::shared().window();
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->parentWidget(), window->window());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    MailSettingWindowController::shared().cancelMailSettingSheet();
    EXPECT_FALSE(sheet->isVisible());
}

TEST_F(MailMenusTest, SendItemOpensTheRecipientSheetOfTheWindowsDocument)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    QAction* item = validatedItem(window, QStringLiteral("publishMail:"));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), QStringLiteral("Send E-mail"));
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    MailRecipientWindowController* sheet = MailRecipientWindowController::forDocument(window->document());
    ASSERT_TRUE(sheet->window());
    EXPECT_TRUE(sheet->window()->isVisible());
    EXPECT_EQ(sheet->window()->parentWidget(), window->window());
    sheet->cancelMailRecipientSheet();
}

TEST_F(MailMenusTest, AddressBookItemOpensTheContactsSheet)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    MailContactBook::setFolder(m_root.filePath(QStringLiteral("Contacts")));
    QAction* item = validatedItem(window, QStringLiteral("showAddressBook:"));
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    QDialog* sheet = ContactViewController::shared().window();
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->parentWidget(), window->window());
    ContactViewController::shared().cancelModalSheet();
    MailContactBook::setFolder(QString());
}
