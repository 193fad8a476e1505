// The FTP settings item of the File menu opens the settings sheet on the window it was chosen in.
#include "AppTestSupport.h"

#include "platform/SecretStore.h"
#include "window/PreferenceWindowController.h"

#include <QDialog>

namespace {

class FTPSettingsMenuTest : public WindowedAppTest
{
protected:
    platform::ScopedSecretStore secrets;
};

} // namespace

TEST_F(FTPSettingsMenuTest, SettingsMenuItemOpensTheSheetOnItsWindow)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    QAction* item = validatedItem(window, QStringLiteral("showPreferencesPanel:"));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), QStringLiteral("FTP Settings…"));
    EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(qobject_cast<QMenu*>(item->parent())->title(), QStringLiteral("Settings"));

    item->trigger();
    QDialog* sheet = PreferenceWindowController::shared().window();
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->parentWidget(), window->window());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    PreferenceWindowController::shared().cancelPreferencesModalSheet();
    EXPECT_FALSE(sheet->isVisible());
}
