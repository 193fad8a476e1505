// Website projects from the application's menus: New Website makes the folder with the edition's
// starter pages and opens it in a project window, an existing folder is replaced only after asking
// (and goes to the trash), Open Website refuses folders without pages, the theme browser starts a
// project from a theme, and Getting Started and the blank page open as untitled documents.
#include "AppTestSupport.h"

#include "editions/DataCentre.h"
#include "window/ListingIconView.h"
#include "window/QuibNSButton.h"
#include "window/WebsiteWindowController.h"

#include <QApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QPushButton>
#include <QStorageInfo>
#include <QTest>
#include <unistd.h>

namespace {

class WebsiteProjectTest : public LaunchTest
{
protected:
    WebsiteProjectTest() : m_web(QStringLiteral("HTML Quib Pro"))
    {
        m_savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_root.filePath(QStringLiteral("data")).toUtf8());
        QDir().mkpath(m_root.filePath(QStringLiteral("data")));
        // The shipped pages use the bundled fonts, as the application has them from start-up.
        DataCentre::loadCustomFont();
        QDir().mkpath(DRVAppDelegate::receivedPagesFolderPath());
    }
    ~WebsiteProjectTest() override
    {
        if (m_savedDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_savedDataHome);
        for (const QString& trashed : m_trashed)
            QDir(trashed).removeRecursively();
    }

    // A window on a page of its own, whose menu bar carries the application's commands.
    DRVWindowController* startingWindow()
    {
        DRVWindowController* window = DocumentController::shared().openDocumentWithContentsOfPath(savedPage("start"));
        EXPECT_NE(window, nullptr);
        return window;
    }

    static void choose(DRVWindowController* window, const QString& action)
    {
        QAction* item = MenuModel::actionNamed(window->window()->menuBar(), action);
        ASSERT_NE(item, nullptr) << qPrintable(action);
        emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
        ASSERT_TRUE(item->isEnabled() && item->isVisible()) << qPrintable(action);
        item->trigger();
    }

    static DRVWindowController* windowOfProject(const QString& folder)
    {
        for (DRVWindowController* window : DocumentController::shared().allWindowControllers()) {
            if (window->openWebsiteFolderPath() == folder)
                return window;
        }
        return nullptr;
    }

    // Where the trash of this test's files lies: the data home's, or the one at the mount's top.
    QString trashedEntry(const QString& name)
    {
        const QStringList trashes{
            m_root.filePath(QStringLiteral("data/Trash/files")),
            QDir(QStorageInfo(m_root.path()).rootPath()).filePath(QStringLiteral(".Trash-%1/files").arg(getuid())),
            QDir(QStorageInfo(m_root.path()).rootPath()).filePath(QStringLiteral(".Trash/%1/files").arg(getuid()))};
        for (const QString& trash : trashes) {
            QDirIterator it(trash, {name + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
            while (it.hasNext()) {
                const QString found = it.next();
                if (QFileInfo::exists(QDir(found).filePath(QStringLiteral("keep.txt")))) {
                    m_trashed.append(found);
                    return found;
                }
            }
        }
        return QString();
    }

    ScopedEdition m_web;
    QByteArray m_savedDataHome;
    QStringList m_trashed;
};

TEST_F(WebsiteProjectTest, NewWebsiteMakesTheFolderWithStarterPagesAndOpensTheProject)
{
    DRVWindowController* start = startingWindow();
    ASSERT_NE(start, nullptr);
    const QString project = m_root.filePath(QStringLiteral("My Site"));
    dialogs->queueSavePanelAnswer(project);
    choose(start, QStringLiteral("addNewBlankGroup:"));

    ASSERT_EQ(dialogs->saveRequests().size(), 1);
    EXPECT_EQ(dialogs->saveRequests().constFirst().fileName, QStringLiteral("New Website"));
    // The edition's starter pages, each a page this build reads back.
    EXPECT_EQ(DRVAppDelegate::pageDocumentsOfFolder(project),
              (QStringList{QStringLiteral("GettingStarted.quibpage"), QStringLiteral("index.quibpage")}));
    for (const QString& page : DRVAppDelegate::pageDocumentsOfFolder(project)) {
        QString error;
        EXPECT_NE(DRVDocument::openDocument(QDir(project).filePath(page), &error), nullptr) << qPrintable(error);
    }

    DRVWindowController* window = windowOfProject(project);
    ASSERT_NE(window, nullptr);
    EXPECT_NE(window, start);
    ASSERT_NE(window->document(), nullptr);
    // The first page of the folder listed by name.
    EXPECT_EQ(QFileInfo(window->document()->filePath()).fileName(), QStringLiteral("GettingStarted.quibpage"));
    // The working copy is named after the folder without its blanks.
    EXPECT_EQ(window->openWebsiteFolderTempPath(),
              QDir(DRVAppDelegate::receivedPagesFolderPath()).filePath(QStringLiteral("MySite")));
    EXPECT_TRUE(QFileInfo(window->openWebsiteFolderTempPath()).isDir());
    EXPECT_EQ(delegate.pageNameArray().size(), 2);
    for (const platform::Alert& alert : dialogs->alerts())
        ADD_FAILURE() << "alert: " << qPrintable(alert.title) << " - " << qPrintable(alert.informativeText);

    // The project window lists both pages as tiles; a real click on one opens that page in place.
    QApplication::processEvents();
    QuibNSButton* indexTile = nullptr;
    QStringList listed;
    for (ListingIconView* view : window->pageIconViews()) {
        if (!view->quibButton())
            continue;
        listed.append(view->quibButton()->documentName());
        if (view->quibButton()->documentName() == QLatin1String("index.quibpage"))
            indexTile = view->quibButton();
    }
    listed.sort();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("GettingStarted.quibpage"), QStringLiteral("index.quibpage")}));
    ASSERT_NE(indexTile, nullptr);
    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/gui-artefacts");
    QDir().mkpath(artefacts);
    EXPECT_TRUE(window->window()->grab().save(QDir(artefacts).filePath(QStringLiteral("website-project-window.png"))));
    QTest::mouseClick(indexTile, Qt::LeftButton, {}, indexTile->rect().center());
    QApplication::processEvents();
    EXPECT_EQ(QFileInfo(window->document()->filePath()).fileName(), QStringLiteral("index.quibpage"));

    // Opening the same project again brings its window forward instead of a second one.
    const int windows = int(DocumentController::shared().allWindowControllers().size());
    EXPECT_EQ(delegate.launchSelectedWebsite(project, false), window);
    EXPECT_EQ(int(DocumentController::shared().allWindowControllers().size()), windows);
}

TEST_F(WebsiteProjectTest, AnExistingFolderIsReplacedOnlyAfterAskingAndGoesToTheTrash)
{
    const struct
    {
        const char* name;
        int answer; // 0 "Yes", 1 "Cancel"
        bool replaced;
    } rows[] = {{"Cancel keeps the folder", 1, false}, {"Yes trashes the old folder", 0, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString project = m_root.filePath(QStringLiteral("Old Site ") + QString::number(row.answer));
        QDir().mkpath(project);
        fileWith(QStringLiteral("Old Site %1/keep.txt").arg(row.answer), "kept");
        dialogs->queueSavePanelAnswer(project);
        dialogs->queueAlertAnswer(row.answer);
        const int alertsBefore = int(dialogs->alerts().size());
        DRVWindowController* window = delegate.addNewWebsite();

        ASSERT_EQ(int(dialogs->alerts().size()), alertsBefore + 1);
        const platform::Alert& asked = dialogs->alerts().constLast();
        EXPECT_EQ(asked.title, QStringLiteral("Confirm replacing folder \"Old Site %1\"").arg(row.answer));
        EXPECT_EQ(asked.buttons, (QStringList{QStringLiteral("Yes"), QStringLiteral("Cancel")}));
        EXPECT_EQ(QFileInfo::exists(QDir(project).filePath(QStringLiteral("keep.txt"))), !row.replaced);
        EXPECT_EQ(window != nullptr, row.replaced);
        if (row.replaced) {
            EXPECT_FALSE(trashedEntry(QStringLiteral("Old Site 0")).isEmpty()) << "the old folder is in the trash";
            EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("index.quibpage"))));
        }
    }
}

TEST_F(WebsiteProjectTest, AFolderThatCannotBeMadeIsReported)
{
    // The parent is a file: no folder can be made below it.
    const QString blocker = fileWith(QStringLiteral("plain-file"), "x");
    dialogs->queueSavePanelAnswer(QDir(blocker).filePath(QStringLiteral("Site")));
    EXPECT_EQ(delegate.addNewWebsite(), nullptr);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("Could not create the folder"));
}

TEST_F(WebsiteProjectTest, OpenWebsiteRefusesAFolderWithoutPagesAndOffersAnother)
{
    const QString folder = m_root.filePath(QStringLiteral("pictures"));
    QDir().mkpath(folder);
    picture(QStringLiteral("pictures/a.png"), QSize(4, 4));
    fileWith(QStringLiteral("pictures/notes.txt"), "text");
    fileWith(QStringLiteral("pictures/index.quibpage.bak"), "old");
    dialogs->queueOpenPanelAnswer({folder});
    dialogs->queueAlertAnswer(0); // "Open Another Folder"
    dialogs->queueOpenPanelAnswer({});
    DRVWindowController* start = startingWindow();
    ASSERT_NE(start, nullptr);
    choose(start, QStringLiteral("openGroup:"));
    EXPECT_EQ(DocumentController::shared().allWindowControllers().size(), 1);

    ASSERT_EQ(dialogs->openRequests().size(), 2);
    EXPECT_TRUE(dialogs->openRequests().constFirst().chooseDirectories);
    EXPECT_EQ(dialogs->openRequests().constFirst().message,
              QStringLiteral("Please select directory folder containing saved files"));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("No compatible files found"));
    EXPECT_EQ(dialogs->alerts().constFirst().informativeText,
              QStringLiteral("Sorry this folder does not contain any compatible files:\n\n") + folder);
}

TEST_F(WebsiteProjectTest, PageListIsNewestFirstWithTiesByName)
{
    const QString folder = m_root.filePath(QStringLiteral("dated"));
    QDir().mkpath(folder);
    const QDateTime base = QDateTime::currentDateTime().addDays(-3);
    const struct
    {
        const char* name;
        int minutes;
    } pages[] = {{"c.quibpage", 10}, {"a.quibpage", 10}, {"b.selvaro", 20}, {"d.quibpage", 0}};
    for (const auto& page : pages) {
        const QString path = fileWith(QStringLiteral("dated/") + QString::fromLatin1(page.name), "x");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(base.addSecs(60 * page.minutes), QFileDevice::FileModificationTime));
    }
    fileWith(QStringLiteral("dated/z.txt"), "not a page");
    delegate.pickUpFileList(folder, QString());
    EXPECT_EQ(delegate.pageNameArray(), (QStringList{"b.selvaro", "a.quibpage", "c.quibpage", "d.quibpage"}));
    EXPECT_EQ(delegate.pageTitleArray(), (QStringList{"b", "a", "c", "d"}));
    EXPECT_EQ(delegate.fileTimeArray().constFirst(),
              QLocale(QLocale::English).toString(base.addSecs(1200), QStringLiteral("MMM dd yyyy h:mm AP")));
    EXPECT_EQ(QFileInfo(DRVAppDelegate::grabPathOfFirstFile(folder)).fileName(), QStringLiteral("a.quibpage"));
}

TEST_F(WebsiteProjectTest, GettingStartedAndTheBlankPageOpenUntitled)
{
    DRVWindowController* start = startingWindow();
    ASSERT_NE(start, nullptr);
    choose(start, QStringLiteral("showGettingStarted:"));
    const QString copied = QDir(edition().gTempFolderPath).filePath(QStringLiteral("starter/GettingStarted.quibpage"));
    EXPECT_TRUE(QFileInfo::exists(copied));
    DRVWindowController* guide = nullptr;
    for (DRVWindowController* window : DocumentController::shared().allWindowControllers()) {
        if (window != start)
            guide = window;
    }
    ASSERT_NE(guide, nullptr);
    ASSERT_NE(guide->document(), nullptr);
    EXPECT_TRUE(guide->document()->filePath().isEmpty());
    EXPECT_FALSE(guide->document()->graphics().isEmpty()) << "the guide's own texts";

    delegate.setMainTemplateName(QStringLiteral("basetemplate"));
    DRVWindowController* blank = delegate.launchUsingBaseTemplate();
    ASSERT_NE(blank, nullptr);
    EXPECT_TRUE(blank->document()->filePath().isEmpty());
    EXPECT_TRUE(blank->document()->graphics().isEmpty());
    EXPECT_EQ(blank->document()->mainTemplateName(), QStringLiteral("basetemplate"));
    EXPECT_FALSE(DRVDocument::websiteFolderOpenFlag());
}

TEST(WebsiteThemeText, TitleAndDescriptionNeedBothMarkers)
{
    const QString start = QStringLiteral("##WEBSITE_TITLE_START##");
    const QString end = QStringLiteral("##WEBSITE_TITLE_END##");
    const struct
    {
        const char* text;
        const char* expected;
    } rows[] = {{"##WEBSITE_TITLE_START##Harbour##WEBSITE_TITLE_END##", "Harbour"},
                {"x##WEBSITE_TITLE_START####WEBSITE_TITLE_END##", ""},
                {"##WEBSITE_TITLE_START##runs to the end of the file", ""},
                {"no markers at all", ""},
                {"##WEBSITE_TITLE_END## before ##WEBSITE_TITLE_START##late", ""}};
    for (const auto& row : rows)
        EXPECT_EQ(DRVAppDelegate::textBetweenMarkers(QString::fromLatin1(row.text), start, end),
                  QString::fromLatin1(row.expected))
            << row.text;
}

TEST_F(WebsiteProjectTest, ThemeBrowserStartsAProjectFromATheme)
{
    DRVWindowController* start = startingWindow();
    ASSERT_NE(start, nullptr);
    choose(start, QStringLiteral("showSiteLevelTemplate:"));
    WebsiteWindowController* browser = delegate.websiteWindowController();
    ASSERT_TRUE(browser->window()->isVisible());
    ASSERT_EQ(delegate.templateSiteArray().size(), 1);
    const WebsiteObject theme = delegate.templateSiteArray().constFirst();
    EXPECT_EQ(theme.websiteTitle, QStringLiteral("Harbour"));
    EXPECT_FALSE(theme.websiteDescription.isEmpty());
    EXPECT_EQ(theme.pageIconArray.size(), 3);
    EXPECT_EQ(browser->window()->windowTitle(), QStringLiteral("Please Choose Template (1 Themes in Collection)"));
    // The view holds every band, however many themes there are.
    EXPECT_GE(WebsiteWindowController::themeViewHeight(7), 50 + 7 * 300);
    // The view fills a tall window and keeps every band in a short one.
    browser->window()->resize(1030, 900);
    QCoreApplication::processEvents();
    EXPECT_GE(browser->themeView()->height(), 850);
    browser->window()->resize(1030, 200);
    QCoreApplication::processEvents();
    EXPECT_GE(browser->themeView()->height(), WebsiteWindowController::themeViewHeight(1));
    browser->window()->resize(1030, 700);
    QCoreApplication::processEvents();
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/app-artefacts");
    QDir().mkpath(folder);
    EXPECT_TRUE(browser->window()->grab().save(QDir(folder).filePath(QStringLiteral("theme-browser.png"))));

    const QString project = m_root.filePath(QStringLiteral("Harbour Site"));
    dialogs->queueSavePanelAnswer(project);
    ASSERT_EQ(browser->themeButtons().size(), 1);
    QTest::mouseClick(browser->themeButtons().constFirst(), Qt::LeftButton);
    EXPECT_TRUE(QFileInfo::exists(QDir(project).filePath(QStringLiteral("site.quibs"))));
    EXPECT_EQ(DRVAppDelegate::pageDocumentsOfFolder(project).size(), 3);
    DRVWindowController* window = windowOfProject(project);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(QFileInfo(window->document()->filePath()).fileName(), QStringLiteral("about.quibpage"));
}

} // namespace

namespace {

// Every edition finds its blank page, form page, Getting Started page, starter pages and sample
// among the pages the build wrote, and each kind of page opens with this build's reader.
TEST_F(WebsiteProjectTest, EveryEditionFindsItsShippedPages)
{
    DataCentre::loadCustomFont();
    QSet<QString> openedExtensions;
    for (const QString& name : DataCentre::editionDisplayNames()) {
        ScopedEdition selected(name);
        const EditionSettings& e = edition();
        if (e.gDocumentExtension.isEmpty())
            continue;
        QStringList files{QStringLiteral("blank/Blank.") + e.gDocumentExtension, QStringLiteral("forms/Blank.selvaro"),
                          QStringLiteral("GettingStarted.") + e.gDocumentExtension};
        files += e.gStarterPageFiles;
        if (!e.gSampleDocumentName.isEmpty())
            files.append(e.gSampleDocumentName);
        for (const QString& file : files) {
            const QString path = QDir(DataCentre::templatesPath()).filePath(file);
            EXPECT_TRUE(QFileInfo(path).isFile()) << qPrintable(name) << ": " << qPrintable(file);
        }
        const QString blank = QDir(DataCentre::templatesPath()).filePath(files.constFirst());
        if (!openedExtensions.contains(e.gDocumentExtension) && QFileInfo::exists(blank)) {
            openedExtensions.insert(e.gDocumentExtension);
            QString error;
            EXPECT_NE(DRVDocument::openDocument(blank, &error), nullptr) << qPrintable(name) << ": " << qPrintable(error);
        }
    }
    EXPECT_GE(openedExtensions.size(), 5);
}

} // namespace
