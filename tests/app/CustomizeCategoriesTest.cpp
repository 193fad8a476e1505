// The text categories window, reached from Settings > Customize Categories: its rows, saving
// descriptions that change the presets at once and the next launch's names, and resetting them.
#include "AppTestSupport.h"

#include "app/CustomizeCategoriesWindowController.h"
#include "editions/DataCentre.h"
#include "editions/WorkingFolders.h"
#include "model/PageContext.h"
#include "window/ShapeSelectionView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

class CustomizeCategoriesTest : public WindowedAppTest
{
protected:
    CustomizeCategoriesTest() : m_previousContext(PageContext::install(nullptr))
    {
        static QTemporaryDir workingBase;
        WorkingFolders::setProcessBase(workingBase.path());
    }
    ~CustomizeCategoriesTest() override { PageContext::install(m_previousContext); }

    // The first start-up phase for the edition, presets included.
    void launch(const QString& displayName)
    {
        DataCentre::resetEditionSelection();
        DataCentre::setLaunchDisplayName(displayName);
        delegate.applicationWillFinishLaunching();
        useWorkingFolders();
    }

    CustomizeCategoriesWindowController* openFromMenu()
    {
        DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
        EXPECT_TRUE(window);
        if (!window)
            return nullptr;
        choose(window, QStringLiteral("customizeCategories:"));
        return delegate.customizeCategoriesWindowController();
    }

    static QStringList presetNames()
    {
        QStringList names;
        for (const std::shared_ptr<QObject>& preset : edition().gPresetTextViews)
            names.append(qobject_cast<ShapeSelectionView*>(preset.get())->textString());
        return names;
    }

    static QStringList namesAtNextLaunch(const QString& displayName)
    {
        ScopedEdition relaunched(displayName);
        return edition().gTextCategoryNames;
    }

    PageContext* m_previousContext;
    DRVAppDelegate delegate;
};

} // namespace

TEST_F(CustomizeCategoriesTest, SaveChangesThePresetsAndTheNextLaunchResetPutsThemBack)
{
    launch(QStringLiteral("Cardell"));
    const QStringList original = edition().gTextCategoryNames;
    ASSERT_EQ(original.size(), 10);
    ASSERT_EQ(presetNames(), original);

    CustomizeCategoriesWindowController* window = openFromMenu();
    ASSERT_TRUE(window);
    ASSERT_TRUE(window->window()->isVisible());
    EXPECT_EQ(window->window()->windowTitle(), QStringLiteral("Customize Category Title"));
    QTableWidget* table = window->tableView();
    ASSERT_EQ(table->rowCount(), 10);
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(qobject_cast<QLabel*>(table->cellWidget(row, 0))->text(), QStringLiteral("Category %1").arg(row));
        auto* field = qobject_cast<QLineEdit*>(table->cellWidget(row, 1));
        ASSERT_TRUE(field);
        EXPECT_EQ(field->text(), original.at(row));
        EXPECT_EQ(table->rowHeight(row), 40);
    }
    // Each description is drawn in its own style.
    const auto* preset = qobject_cast<ShapeSelectionView*>(edition().gPresetTextViews.at(2).get());
    EXPECT_EQ(window->categoryTextFieldMutableArray().at(2)->palette().color(QPalette::Base), preset->fillColor());
    keepScreenshot(window->window(), QStringLiteral("customize-categories-cardell.png"));

    QLineEdit* third = window->categoryTextFieldMutableArray().at(3);
    third->selectAll();
    QTest::keyClicks(third, QStringLiteral("Lab Results & <Scans>"));
    QTest::mouseClick(window->saveButton(), Qt::LeftButton);

    QStringList saved = original;
    saved[3] = QStringLiteral("Lab Results & <Scans>");
    EXPECT_FALSE(window->window()->isVisible());
    EXPECT_EQ(presetNames(), saved);
    auto& defaults = platform::UserDefaults::standard();
    EXPECT_TRUE(defaults.boolForKey(QStringLiteral("TextCategoryOverRide")));
    EXPECT_EQ(defaults.stringArrayForKey(QStringLiteral("CustomTextCategoryDescriptions")), saved);
    EXPECT_EQ(namesAtNextLaunch(QStringLiteral("Cardell")), saved);
    // Editions that do not read the saved names keep their own.
    EXPECT_NE(namesAtNextLaunch(QStringLiteral("HTML Quib Pro")), saved);

    // Reset: the names this process started with, at once and at the next launch.
    choose(documents.allWindowControllers().constFirst(), QStringLiteral("customizeCategories:"));
    EXPECT_EQ(delegate.customizeCategoriesWindowController(), window);
    QTest::mouseClick(window->resetButton(), Qt::LeftButton);
    EXPECT_FALSE(window->window()->isVisible());
    EXPECT_EQ(presetNames(), original);
    EXPECT_EQ(third->text(), original.at(3));
    EXPECT_FALSE(defaults.boolForKey(QStringLiteral("TextCategoryOverRide")));
    EXPECT_EQ(namesAtNextLaunch(QStringLiteral("Cardell")), original);
}

TEST_F(CustomizeCategoriesTest, EditsNotSavedGiveWayToThePresetsAtTheNextShowing)
{
    launch(QStringLiteral("Veldacre"));
    CustomizeCategoriesWindowController* window = openFromMenu();
    ASSERT_TRUE(window);
    QLineEdit* first = window->categoryTextFieldMutableArray().at(0);
    first->setText(QStringLiteral("typed, never saved"));
    window->window()->close();
    choose(documents.allWindowControllers().constFirst(), QStringLiteral("customizeCategories:"));
    EXPECT_EQ(first->text(), edition().gTextCategoryNames.at(0));
    EXPECT_FALSE(platform::UserDefaults::standard().boolForKey(QStringLiteral("TextCategoryOverRide")));
}

TEST_F(CustomizeCategoriesTest, AnEditionWithoutCategoriesSavesAnEmptyList)
{
    launch(QStringLiteral("Quib"));
    CustomizeCategoriesWindowController* window = openFromMenu();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->tableView()->rowCount(), 0);
    QTest::mouseClick(window->saveButton(), Qt::LeftButton);
    auto& defaults = platform::UserDefaults::standard();
    EXPECT_TRUE(defaults.boolForKey(QStringLiteral("TextCategoryOverRide")));
    EXPECT_TRUE(defaults.stringArrayForKey(QStringLiteral("CustomTextCategoryDescriptions")).isEmpty());
}
