// The welcome window per edition: its buttons' titles and actions from the edition table, the
// user-guide and video buttons only where the edition has them, the promotion, the title set in the
// largest size that fits, and the buttons reaching their actions.
#include "AppTestSupport.h"

#include "editions/DataCentre.h"
#include "window/WelcomeWindowController.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class WelcomeWindowTest : public LaunchTest
{
protected:
    static QString artefactsFolder()
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/app-artefacts");
        QDir().mkpath(folder);
        return folder;
    }
};

TEST_F(WelcomeWindowTest, EditionTableSetsButtonsAndPromotion)
{
    struct Row
    {
        const char* edition;
        const char* newTitle;
        const char* newAction;
        const char* openTitle;
        const char* openAction;
        const char* promotionTitle; // "" for none
        const char* versionStart;
    };
    const Row rows[] = {
        {"HTML Quib Pro", "New", "addNewBlankGroup:", "Open...", "openGroup:", "HTML Quib Pro for iOS", "Version "},
        {"Cardell Viewer", "Open Patient Profile", "openDocument:", "View Sample", "openSample:", "", "Version "},
        {"Brennolt Pro", "New", "showTemplateWebsite:", "Open", "openGroup:", "Need more than address labels?",
         "Version "},
        {"Unknown Edition", "New Website", "addNewBlankGroup:", "Open Website", "openGroup:", "", "Version "},
    };
    for (const Row& row : rows) {
        ScopedEdition selected(QString::fromUtf8(row.edition));
        useWorkingFolders();
        edition().gEditionDisplayName = QString::fromUtf8(row.edition);
        delegate.showWelcomeWindow();
        WelcomeWindowController* welcome = delegate.welcomeWindowController();
        ASSERT_NE(welcome, nullptr);
        EXPECT_EQ(welcome->appTitleTextField()->text(), QString::fromUtf8(row.edition));
        EXPECT_EQ(welcome->addNewWebsiteButton()->text(), QString::fromUtf8(row.newTitle)) << row.edition;
        EXPECT_EQ(welcome->newAction(), QString::fromLatin1(row.newAction)) << row.edition;
        EXPECT_EQ(welcome->openNewWebsiteButton()->text(), QString::fromUtf8(row.openTitle)) << row.edition;
        EXPECT_EQ(welcome->openAction(), QString::fromLatin1(row.openAction)) << row.edition;
        const QString promotion = QString::fromUtf8(row.promotionTitle);
        EXPECT_EQ(welcome->promotion().has_value(), !promotion.isEmpty()) << row.edition;
        EXPECT_EQ(welcome->promoButton()->isVisibleTo(welcome->window()), !promotion.isEmpty()) << row.edition;
        if (welcome->promotion()) {
            EXPECT_EQ(welcome->promotion()->title, promotion);
        }
        // Guide and video buttons exist exactly where the edition names them.
        EXPECT_EQ(welcome->userGuideButton() != nullptr, !edition().gUserGuideFileName.isEmpty()) << row.edition;
        EXPECT_EQ(welcome->videoTutorialButton() != nullptr, !edition().gVideoTutorialsURL.isEmpty()) << row.edition;
        EXPECT_TRUE(welcome->appVersionTextField()->text().startsWith(QString::fromUtf8(row.versionStart)));
        EXPECT_TRUE(welcome->whatsNewTextField()->text().startsWith(QStringLiteral("What's New In v")));
        EXPECT_GT(welcome->appTitleTextField()->font().pixelSize(), 4);
        const QString file = QString::fromUtf8(row.edition).replace(u' ', u'-');
        EXPECT_TRUE(welcome->window()->grab().save(artefactsFolder() + QStringLiteral("/welcome-") + file + QStringLiteral(".png")));
        welcome->window()->hide();
    }
}

TEST_F(WelcomeWindowTest, BrennoltShowsTheLabelNotesInsteadOfTheVersionText)
{
    ScopedEdition selected(QStringLiteral("Brennolt Pro"));
    edition().gWelcomeText = QStringLiteral("Welcome text that is dropped");
    delegate.showWelcomeWindow();
    const QString text = delegate.welcomeWindowController()->appVersionTextField()->text();
    EXPECT_TRUE(text.contains(QStringLiteral("30 label per sheet templates")));
    EXPECT_FALSE(text.contains(QStringLiteral("dropped")));
}

TEST_F(WelcomeWindowTest, LongerNamesGetSmallerTitles)
{
    ScopedEdition selected(QStringLiteral("Quib"));
    edition().gEditionDisplayName = QStringLiteral("Quib");
    delegate.showWelcomeWindow();
    const int shortSize = delegate.welcomeWindowController()->appTitleTextField()->font().pixelSize();
    edition().gEditionDisplayName = QStringLiteral("Quibpage Web Design Document Viewer");
    delegate.showWelcomeWindow();
    const int longSize = delegate.welcomeWindowController()->appTitleTextField()->font().pixelSize();
    EXPECT_LT(longSize, shortSize);
    EXPECT_GE(longSize, 4);
}

TEST_F(WelcomeWindowTest, ViewSampleOpensAnUntitledCopyAndHidesTheWindow)
{
    const QString page = savedPage(QStringLiteral("sample")); // the viewer edition saves nothing
    ScopedEdition selected(QStringLiteral("Cardell Viewer"));
    useWorkingFolders();
    const QString templates = m_root.filePath(QStringLiteral("shipped"));
    QDir().mkpath(templates);
    const QString sample = edition().gSampleDocumentName.isEmpty() ? QStringLiteral("Sample.quibpage")
                                                                   : edition().gSampleDocumentName;
    edition().gSampleDocumentName = sample;
    QDir().mkpath(QFileInfo(QDir(templates).filePath(sample)).absolutePath());
    ASSERT_TRUE(QFile::copy(page, QDir(templates).filePath(sample)));
    qputenv("QUIB_TEMPLATES", templates.toUtf8());
    delegate.showWelcomeWindow();
    QWidget* welcome = delegate.welcomeWindowController()->window();
    QTest::mouseClick(delegate.welcomeWindowController()->openNewWebsiteButton(), Qt::LeftButton);
    qunsetenv("QUIB_TEMPLATES");
    const QList<DRVWindowController*> windows = DocumentController::shared().allWindowControllers();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows.constFirst()->document()->filePath().isEmpty());
    EXPECT_FALSE(welcome->isVisible());
}

TEST_F(WelcomeWindowTest, PromotionLearnMoreAndCancel)
{
    ScopedEdition selected(QStringLiteral("HTML Quib Pro"));
    delegate.showWelcomeWindow();
    WelcomeWindowController* welcome = delegate.welcomeWindowController();
    dialogs->queueAlertAnswer(1); // Cancel
    QTest::mouseClick(welcome->promoButton(), Qt::LeftButton);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("HTML Quib Pro for iOS"));
    EXPECT_EQ(dialogs->alerts().constFirst().buttons,
              (QStringList{QStringLiteral("Learn more"), QStringLiteral("Cancel")}));
}

} // namespace
