// Features that need a project folder ask for one: without a project the window explains, and its
// first button closes the window and starts Open Website's folder panel.
#include "AppTestSupport.h"

namespace {

class MultiDocGuardTest : public LaunchTest
{
};

const QString kGuardText = QStringLiteral(
    "You're currently running in single document editor.  This feature requires the editor to be launched in "
    "multi-document mode:\nPlease choose \"Open in multi-document mode\" and select the \"directory\" "
    "(folder) "
    "containing saved files");

} // namespace

TEST_F(MultiDocGuardTest, ASingleDocumentExplainsAndOffersOpenWebsite)
{
    const struct
    {
        const char* name;
        int answer; // 0 "Open in multi-document mode", 1 "Dismiss"
        bool panelShown;
    } rows[] = {{"dismissed", 1, false}, {"open", 0, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        DRVWindowController* window = DocumentController::shared().openDocumentWithContentsOfPath(
            savedPage(QString::fromLatin1(row.name)));
        ASSERT_NE(window, nullptr);
        window->showWindow();
        ASSERT_TRUE(window->openWebsiteFolderPath().isEmpty());
        const qsizetype alertsBefore = dialogs->alerts().size();
        const qsizetype panelsBefore = dialogs->openRequests().size();
        dialogs->queueAlertAnswer(row.answer);
        dialogs->queueOpenPanelAnswer({}); // the panel is cancelled
        EXPECT_FALSE(window->isEditorInMultiDocMode());
        ASSERT_EQ(dialogs->alerts().size(), alertsBefore + 1);
        const platform::Alert& alert = dialogs->alerts().constLast();
        EXPECT_EQ(alert.title, QStringLiteral("Please launch editor in multi-document mode"));
        EXPECT_EQ(alert.informativeText, kGuardText);
        EXPECT_EQ(alert.buttons,
                  (QStringList{QStringLiteral("Open in multi-document mode"), QStringLiteral("Dismiss")}));
        ASSERT_EQ(dialogs->openRequests().size(), panelsBefore + (row.panelShown ? 1 : 0));
        if (row.panelShown)
            EXPECT_TRUE(dialogs->openRequests().constLast().chooseDirectories);
        deleteLaterObjects();
        EXPECT_EQ(DocumentController::shared().allWindowControllers().contains(window), !row.panelShown);
        if (!row.panelShown)
            window->performClose();
        deleteLaterObjects();
    }
}
