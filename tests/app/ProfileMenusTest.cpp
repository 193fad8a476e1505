// The record commands of the veterinary edition's menus reach the project window: the new-patient
// item opens the pet form in the window's popover, the update item opens it filled from the open
// record (so does Settings > Profile), Add to Patient Database offers the new-record form, and
// the badge item shows the profile popover.
#include "AppTestSupport.h"

#include "window/AddNewPatientViewController.h"

#include <QLineEdit>
#include <QTest>

namespace {

class ProfileMenusTest : public LaunchTest
{
protected:
    ProfileMenusTest() : m_vet(QStringLiteral("Cardell Vet Edition")) { useWorkingFolders(); }
    // The project windows close while their edition is still the chosen one, and the next test
    // starts without a project.
    ~ProfileMenusTest() override
    {
        for (int i = 0; i < 8; ++i)
            dialogs->queueAlertAnswer(1);
        for (DRVWindowController* window : DocumentController::shared().allWindowControllers())
            window->performClose();
        deleteLaterObjects();
        DRVDocument::setWebsiteFolderOpenFlag(false);
    }

    static void choose(DRVWindowController* window, const QString& action)
    {
        QAction* item = MenuModel::actionNamed(window->window()->menuBar(), action);
        ASSERT_NE(item, nullptr) << qPrintable(action);
        emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
        ASSERT_TRUE(item->isEnabled() && item->isVisible()) << qPrintable(action);
        emit qobject_cast<QMenu*>(item->parent())->aboutToHide();
        item->trigger();
    }

    // Opens a clinic project holding Biscuit's record through File > Open; its window in window.
    void openClinic(DRVWindowController*& window)
    {
        const QString folder = m_root.filePath(QStringLiteral("Clinic"));
        QDir().mkpath(folder);
        {
            DRVDocument record;
            record.setProfileDictionary({{QStringLiteral("Pet Name"), QStringLiteral("Biscuit")}});
            ASSERT_TRUE(record.saveDocumentTo(QDir(folder).filePath(QStringLiteral("biscuit.zorprofile"))));
        }
        DRVWindowController* start = DocumentController::shared().openDocumentWithContentsOfPath(
            QDir(folder).filePath(QStringLiteral("biscuit.zorprofile")));
        ASSERT_NE(start, nullptr);
        dialogs->queueOpenPanelAnswer({folder});
        choose(start, QStringLiteral("openGroup:"));
        window = nullptr;
        for (DRVWindowController* open : DocumentController::shared().allWindowControllers()) {
            if (open->openWebsiteFolderPath() == folder)
                window = open;
        }
        ASSERT_NE(window, nullptr);
    }

    ScopedEdition m_vet;
};

TEST_F(ProfileMenusTest, TheRecordItemsOpenTheFormsOfTheProjectWindow)
{
    DRVWindowController* window = nullptr;
    openClinic(window);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->document()->profileDictionary().value(QStringLiteral("Pet Name")),
              QStringLiteral("Biscuit"));

    choose(window, QStringLiteral("showAddNewPatientWindow:"));
    AddNewPatientViewController* created = window->addNewPatientViewController();
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->view()->isVisible());
    EXPECT_TRUE(created->editFileNameFlag());

    choose(window, QStringLiteral("showUpdatePatientProfileWindow:"));
    AddNewPatientViewController* edited = window->document()->addNewPatientViewController();
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(window->quibPopOver(), edited->view());
    EXPECT_FALSE(created->view()->isVisible());
    EXPECT_EQ(edited->petNameTextField()->text(), QStringLiteral("Biscuit"));
    EXPECT_EQ(edited->pageFileNameTextField()->text(), QStringLiteral("biscuit"));

    QTest::mouseClick(edited->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(edited->view()->isVisible());
    window->hideProfilePopover();
    choose(window, QStringLiteral("showProfilePopOver:"));
    EXPECT_TRUE(window->isProfilePopoverShown());
}

TEST_F(ProfileMenusTest, SettingsProfileOpensTheOpenRecordsForm)
{
    DRVWindowController* window = nullptr;
    openClinic(window);
    ASSERT_NE(window, nullptr);
    QAction* item = MenuModel::actionWithId(window->window()->menuBar(), QStringLiteral("profileMenuItem"));
    ASSERT_NE(item, nullptr);
    emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
    ASSERT_TRUE(item->isEnabled() && item->isVisible());
    emit qobject_cast<QMenu*>(item->parent())->aboutToHide();
    item->trigger();
    AddNewPatientViewController* edited = window->document()->addNewPatientViewController();
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(window->quibPopOver(), edited->view());
    EXPECT_EQ(edited->petNameTextField()->text(), QStringLiteral("Biscuit"));
}

TEST_F(ProfileMenusTest, AddIntoTheDatabaseOffersTheNewRecordForm)
{
    DRVWindowController* window = nullptr;
    openClinic(window);
    ASSERT_NE(window, nullptr);
    QMenuBar* bar = window->window()->menuBar();
    QAction* group = MenuModel::actionWithId(bar, QStringLiteral("addIntoGroupMenuItem"));
    QAction* record = MenuModel::actionWithId(bar, QStringLiteral("addIntoGroupBlankPageMenuItem"));
    QAction* fromTemplate = MenuModel::actionWithId(bar, QStringLiteral("addIntoGroupFromTemplateMenuItem"));
    ASSERT_TRUE(group && group->menu() && record && fromTemplate);
    emit qobject_cast<QMenu*>(group->parent())->aboutToShow();
    EXPECT_TRUE(group->isVisible() && group->isEnabled());
    EXPECT_EQ(group->text(), QStringLiteral("Add to Patient Database"));
    emit group->menu()->aboutToShow();
    EXPECT_FALSE(fromTemplate->isVisible());
    ASSERT_TRUE(record->isVisible() && record->isEnabled());
    emit group->menu()->aboutToHide();
    record->trigger();
    AddNewPatientViewController* created = window->addNewPatientViewController();
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->view()->isVisible());
    EXPECT_TRUE(created->editFileNameFlag());
}

} // namespace
