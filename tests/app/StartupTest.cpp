// The application started as main starts it: the edition's presets, the page context the model
// asks through the open window, re-activation and the template reload.
#include "AppTestSupport.h"
#include "canvas/SectionPage.h"

#include "app/DRVAppDelegate.h"
#include "app/DocumentController.h"
#include "editions/DataCentre.h"
#include "editions/WorkingFolders.h"
#include "model/PageContext.h"
#include "platform/Dialogs.h"
#include "platform/NotificationCenter.h"
#include "window/DRVWindowController.h"
#include "window/ShapeSelectionView.h"
#include "window/TemplateIconButton.h"
#include "window/TemplateWindowController.h"
#include "window/WelcomeWindowController.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QWidget>

namespace {

class StartupTest : public LaunchTest
{
protected:
    StartupTest() : m_previousContext(PageContext::install(nullptr))
    {
        static QTemporaryDir workingBase;
        WorkingFolders::setProcessBase(workingBase.path());
    }
    ~StartupTest() override { PageContext::install(m_previousContext); }

    // The first start-up phase as main runs it for the named edition.
    void launch(const QString& displayName)
    {
        DataCentre::resetEditionSelection();
        DataCentre::setLaunchDisplayName(displayName);
        delegate.applicationWillFinishLaunching();
    }

    PageContext* m_previousContext;
};

} // namespace

TEST_F(StartupTest, PresetsAreBuiltForTheEditionsThatHaveThem)
{
    const struct
    {
        const char* edition;
        int textPresets;
    } rows[] = {
        {"Haskavel Pro", 10}, {"Brumel Responsive Website Designer", 10}, {"Quib", 0}, {"Cardell Viewer", 0}};
    for (const auto& row : rows) {
        launch(QString::fromUtf8(row.edition));
        const EditionSettings& e = edition();
        ASSERT_EQ(e.gPresetTextViews.size(), row.textPresets) << row.edition;
        ASSERT_EQ(e.gPresetShapes.size(), 42) << row.edition;
        for (qsizetype i = 0; i < e.gPresetTextViews.size(); ++i) {
            auto* preset = qobject_cast<ShapeSelectionView*>(e.gPresetTextViews.at(i).get());
            ASSERT_TRUE(preset) << row.edition;
            EXPECT_EQ(preset->textString(), e.gTextCategoryNames.at(i)) << row.edition;
            EXPECT_EQ(preset->fillColor(), DataCentre::colorWithHexString(e.gTextCategoryFillColors.at(i)));
            EXPECT_EQ(preset->textColor(), DataCentre::colorWithHexString(e.gTextCategoryTextColors.at(i)));
            EXPECT_EQ(preset->frame(), QRectF(0, 0, 400, 42));
        }
        // Grouped by colour, seven each, the first colour first.
        auto* first = qobject_cast<ShapeSelectionView*>(e.gPresetShapes.first().get());
        auto* eighth = qobject_cast<ShapeSelectionView*>(e.gPresetShapes.at(7).get());
        auto* last = qobject_cast<ShapeSelectionView*>(e.gPresetShapes.last().get());
        ASSERT_TRUE(first && eighth && last);
        EXPECT_EQ(first->fillColor(), QColor(0x8B, 0, 0));
        EXPECT_EQ(eighth->fillColor(), QColor(0xFF, 0x8C, 0));
        EXPECT_EQ(last->frame(), QRectF(0, 0, 7, 70));
    }

    // A launched edition keeps its presets while its window is open.
    launch(QStringLiteral("Haskavel Pro"));
    ASSERT_TRUE(delegate.applicationDidFinishLaunching({savedPage(QStringLiteral("chart"))}));
    ASSERT_EQ(DocumentController::shared().allWindowControllers().size(), 1);
    EXPECT_TRUE(DocumentController::shared().allWindowControllers().first()->window()->isVisible());
    EXPECT_EQ(edition().gPresetTextViews.size(), 10);
    EXPECT_EQ(edition().gPresetShapes.size(), 42);
}

TEST_F(StartupTest, SectionLookUpsAnswerFromTheOpenWindow)
{
    launch(QStringLiteral("Quib"));
    PageContext& context = PageContext::current();
    EXPECT_EQ(context.grabMySection(2), nullptr); // no window yet

    auto document = std::make_unique<DRVDocument>();
    const sectionpage::Page page = sectionpage::fill(*document);
    DRVWindowController* window = DocumentController::shared().addDocument(std::move(document));
    ASSERT_TRUE(window && window->window()->isVisible());

    EXPECT_EQ(context.grabMySection(1), page.first);
    EXPECT_EQ(context.grabMySection(2), page.second);
    EXPECT_EQ(context.findObjectsInSection(page.second), QList<DRVGraphic*>{page.lower});
    EXPECT_TRUE(context.isThereGraphicAtNewLocation(page.second, QRectF(0, 150, 600, 100)));

    // A page moved onto the section below stays clear of it: the model's own check, answered by
    // the window, sends it back.
    edition().gOverlapCheckFlag = true;
    const QRectF before = page.first->bounds();
    page.first->setLastNoOverlapRect(before);
    page.first->setBounds(before.translated(0, 60));
    DRVGraphic::checkforOverlap(page.first);
    EXPECT_EQ(page.first->bounds(), before);
}

TEST_F(StartupTest, ComingBackWithNoWindowShowsTheWelcomeWindow)
{
    launch(QStringLiteral("Quib"));
    const QString path = savedPage(QStringLiteral("page"));
    ASSERT_TRUE(delegate.applicationDidFinishLaunching({path}));
    EXPECT_TRUE(dialogs->openRequests().isEmpty());

    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    ASSERT_TRUE(app);
    // With the window open, the application turning active shows nothing more.
    emit app->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(delegate.welcomeWindowController(), nullptr);

    // All windows hidden: turning active again brings the welcome window.
    for (DRVWindowController* window : DocumentController::shared().allWindowControllers())
        window->window()->hide();
    emit app->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(delegate.welcomeWindowController(), nullptr);
    emit app->applicationStateChanged(Qt::ApplicationActive);
    ASSERT_NE(delegate.welcomeWindowController(), nullptr);
    EXPECT_TRUE(delegate.welcomeWindowController()->window()->isVisible());
    EXPECT_TRUE(dialogs->openRequests().isEmpty());
    EXPECT_EQ(DRVAppDelegate::visibleWindowCount(), 1);
}

TEST_F(StartupTest, ReloadingTemplatesHidesAShownChooserAndPreparesItAgain)
{
    ASSERT_TRUE(delegate.applicationDidFinishLaunching({savedPage(QStringLiteral("page"))}));
    platform::NotificationCenter& center = platform::NotificationCenter::defaultCenter();

    center.post(QStringLiteral("refreshTemplateCollection"));
    EXPECT_EQ(delegate.templateWindowController(), nullptr); // never shown: nothing prepared
    EXPECT_TRUE(delegate.siteIconArray().isEmpty());

    // The shipped blank pages make the chooser's tiles.
    delegate.prepTemplatesInBackground();
    ASSERT_NE(delegate.templateWindowController(), nullptr);
    QWidget* chooser = delegate.templateWindowController()->window();
    ASSERT_TRUE(chooser->isVisible());
    ASSERT_FALSE(delegate.siteIconArray().isEmpty());
    QPointer<TemplateIconButton> before = delegate.siteIconArray().constFirst();

    // Shown: hidden, prepared again on this thread and shown with new tiles.
    center.post(QStringLiteral("refreshTemplateCollection"));
    EXPECT_TRUE(before.isNull());
    EXPECT_FALSE(delegate.siteIconArray().isEmpty());
    EXPECT_TRUE(chooser->isVisible());

    chooser->hide();
    center.post(QStringLiteral("refreshTemplateCollection"));
    EXPECT_TRUE(delegate.siteIconArray().isEmpty()); // hidden: only the tiles are emptied
    EXPECT_FALSE(chooser->isVisible());
}
