// The template chooser on templates this test packs itself: the categories per edition, tiles paired
// with their own template files, selection and Select, launches as untitled documents, the worker
// that keeps the window live, a missing templates folder and a preparation that finds nothing.
#include "AppTestSupport.h"

#include "document/DocumentArchiver.h"
#include "editions/DataCentre.h"
#include "platform/NotificationCenter.h"
#include "window/AddNewPageViewController.h"
#include "window/TemplateIconButton.h"
#include "window/TemplateWindowController.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSemaphore>
#include <QTest>
#include <atomic>

namespace {

class TemplateChooserTest : public LaunchTest
{
protected:
    TemplateChooserTest() : m_web(QStringLiteral("HTML Quib Pro"))
    {
        useWorkingFolders();
        qputenv("QUIB_TEMPLATES", shipped().toUtf8());
        DataCentre::loadCustomFont();
        EXPECT_TRUE(delegate.applicationDidFinishLaunching({savedPage(QStringLiteral("start"))}));
    }
    ~TemplateChooserTest() override
    {
        DRVAppDelegate::setTemplateUnpacker({});
        DRVWindowController::setTemplateChooser({});
        qunsetenv("QUIB_TEMPLATES");
    }

    QString shipped() const { return m_root.filePath(QStringLiteral("shipped")); }

    // A template document whose unpacked folder holds the given page files and a thumbnail of one colour.
    void packTemplate(const QString& category, const QString& name, const QColor& colour,
                      const QStringList& extraPages = {})
    {
        const QString work = m_root.filePath(QStringLiteral("pack/") + category);
        const QString base = QFileInfo(name).completeBaseName();
        const QString pageFolder = QDir(work).filePath(base);
        QDir().mkpath(pageFolder);
        for (const QString& extra : extraPages)
            writeFile(QDir(pageFolder).filePath(extra), "<?php echo 1; ?>");
        writeFile(pageFolder + QStringLiteral(".html"), "<html><body>" + base.toUtf8() + "</body></html>");
        QImage thumbnail(QSize(400, 300), QImage::Format_RGB32);
        thumbnail.fill(colour);
        ASSERT_TRUE(thumbnail.save(pageFolder + QStringLiteral("@2x.png")));
        QDir().mkpath(QDir(shipped()).filePath(category));
        QString error;
        ASSERT_TRUE(DocumentArchiver::zipDocument(pageFolder,
                                                  QDir(shipped()).filePath(category + u'/' + name), &error))
            << qPrintable(error);
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Two categories: six good templates, one with an html and a php page, one corrupt and a file
    // without extension.
    void packTestTemplates()
    {
        packTemplate(QStringLiteral("business"), QStringLiteral("Agency.quibpage"), QColor(200, 0, 0));
        packTemplate(QStringLiteral("business"), QStringLiteral("Bakery.quibpage"), QColor(0, 160, 0));
        packTemplate(QStringLiteral("business"), QStringLiteral("Both.quibpage"), QColor(9, 9, 9),
                     {QStringLiteral("form.php")});
        packTemplate(QStringLiteral("business"), QStringLiteral("Consulting.quibpage"), QColor(0, 0, 200));
        packTemplate(QStringLiteral("business"), QStringLiteral("Dental.quibpage"), QColor(200, 200, 0));
        writeFile(QDir(shipped()).filePath(QStringLiteral("business/Broken.quibpage")),
                  "PK\x03\x04 not an archive");
        writeFile(QDir(shipped()).filePath(QStringLiteral("business/Readme")), "no extension");
        packTemplate(QStringLiteral("modern"), QStringLiteral("Edge.quibpage"), QColor(0, 200, 200));
        packTemplate(QStringLiteral("modern"), QStringLiteral("Flow.quibpage"), QColor(200, 0, 200));
    }

    TemplateWindowController* chooser() { return delegate.templateWindowController(); }

    // Opens the chooser as the menu does and waits for the worker's hand-over.
    void openChooser(const char* action = "showTemplateWebsite:")
    {
        DocumentController::shared().sendAction(QString::fromLatin1(action), nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return chooser() && chooser()->window()->isVisible(); }, 20000));
    }

    TemplateIconButton* icon(const QString& fileName)
    {
        for (TemplateIconButton* icon : delegate.siteIconArray()) {
            if (icon->fileName() == fileName)
                return icon;
        }
        return nullptr;
    }

    QList<TemplateIconButton*> shownIcons()
    {
        QList<TemplateIconButton*> shown;
        for (TemplateIconButton* icon : delegate.siteIconArray()) {
            if (icon->isVisibleTo(chooser()->window()) &&
                icon->parentWidget() == chooser()->scrollView()->widget())
                shown.append(icon);
        }
        return shown;
    }

    ScopedEdition m_web;
};

TEST_F(TemplateChooserTest, CategoriesPerEdition)
{
    struct Row
    {
        const char* edition;
        int count;
        const char* first;
        const char* last;
        const char* start;
    };
    const Row rows[] = {
        {"Quib", 2, "  All", "  Blank", "all"},
        {"HTML Quib Pro", 9, "  All", "  Widgets", "all"},
        {"Kestrin Greeting Card Designer", 12, "  Letter Half Fold - 8.5\" x 5.5\"",
         "  A5 Quarter Fold - 2.9\" x 4.15\"", "letter_2fold_horizontal"},
        {"Corvane eCard Designer", 10, "  Blank", "  Thank You", "blank"},
        {"Brumel Responsive Email Designer", 2, "  Blank", "  Templates", "all"},
        {"Corvane Envelope Designer", 4, "105 x 241mm (4.125 x 9.5\") #10", "98 x 225mm (3.875 x 8.875\") #9",
         "number10_envelope"},
        {"Corvane Business Card Designer", 2, "  89 × 51 mm (3.5 × 2 in)", "  85 × 55 mm (3.35 × 2.17 in)",
         "cards"},
    };
    for (const Row& row : rows) {
        QString start;
        const auto categories =
            DRVAppDelegate::templateCategoriesForEdition(QString::fromUtf8(row.edition), &start);
        ASSERT_EQ(categories.size(), row.count) << row.edition;
        EXPECT_EQ(categories.constFirst().categoryDescription, QString::fromUtf8(row.first)) << row.edition;
        EXPECT_EQ(categories.constLast().categoryDescription, QString::fromUtf8(row.last)) << row.edition;
        EXPECT_EQ(start, QString::fromUtf8(row.start)) << row.edition;
    }
}

TEST_F(TemplateChooserTest, TilesPairedWithTheirTemplatesAndSelection)
{
    packTestTemplates();
    openChooser();
    QWidget* window = chooser()->window();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Choose a Template (6)"));
    ASSERT_EQ(delegate.siteIconArray().size(), 6);
    // Each tile shows its own template's thumbnail, scaled to 200 on the longer side.
    const QList<std::pair<QString, QColor>> expected{
        {QStringLiteral("Agency.quibpage"), QColor(200, 0, 0)},
        {QStringLiteral("Bakery.quibpage"), QColor(0, 160, 0)},
        {QStringLiteral("Consulting.quibpage"), QColor(0, 0, 200)},
        {QStringLiteral("Dental.quibpage"), QColor(200, 200, 0)},
        {QStringLiteral("Edge.quibpage"), QColor(0, 200, 200)},
        {QStringLiteral("Flow.quibpage"), QColor(200, 0, 200)}};
    for (const auto& [name, colour] : expected) {
        TemplateIconButton* tile = icon(name);
        ASSERT_NE(tile, nullptr) << qPrintable(name);
        EXPECT_EQ(tile->thumbnail().pixelColor(100, 75), colour) << qPrintable(name);
        EXPECT_EQ(tile->size(), QSize(200, 150));
    }
    EXPECT_EQ(icon(QStringLiteral("Both.quibpage")), nullptr);
    EXPECT_EQ(icon(QStringLiteral("Broken.quibpage")), nullptr);

    // "All": three columns, second row below the first.
    ASSERT_EQ(shownIcons().size(), 6);
    EXPECT_EQ(icon(QStringLiteral("Agency.quibpage"))->pos(), QPoint(30, 30));
    EXPECT_EQ(icon(QStringLiteral("Consulting.quibpage"))->pos(), QPoint(30 + 2 * 225, 30));
    EXPECT_EQ(icon(QStringLiteral("Dental.quibpage"))->pos(), QPoint(30, 30 + 215));

    // A category button shows its own templates only.
    ASSERT_EQ(delegate.templateCategoryButtonArray().size(), 9);
    QPushButton* modern = delegate.templateCategoryButtonArray().at(7);
    EXPECT_EQ(modern->text(), QStringLiteral("  Modern"));
    QTest::mouseClick(modern, Qt::LeftButton);
    EXPECT_EQ(delegate.categoryFolder(), QStringLiteral("modern"));
    EXPECT_EQ(shownIcons().size(), 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Choose a Template (6)"));

    // Select waits for a pick; a click on the background forgets it.
    EXPECT_FALSE(chooser()->selectButton()->isEnabled());
    TemplateIconButton* edge = icon(QStringLiteral("Edge.quibpage"));
    QTest::mouseClick(edge, Qt::LeftButton);
    EXPECT_TRUE(edge->borderFlag());
    EXPECT_FALSE(icon(QStringLiteral("Flow.quibpage"))->borderFlag());
    EXPECT_EQ(delegate.selectedTemplateIcon(), edge);
    EXPECT_TRUE(chooser()->selectButton()->isEnabled());

    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/app-artefacts");
    QDir().mkpath(artefacts);
    QTest::mouseClick(delegate.templateCategoryButtonArray().at(0), Qt::LeftButton);
    QTest::mouseClick(icon(QStringLiteral("Bakery.quibpage")), Qt::LeftButton);
    EXPECT_TRUE(window->grab().save(artefacts + QStringLiteral("/template-chooser.png")));

    QTest::mouseClick(chooser()->scrollView()->widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(icon(QStringLiteral("Bakery.quibpage"))->borderFlag());
    EXPECT_EQ(delegate.selectedTemplateIcon(), nullptr);
    EXPECT_FALSE(chooser()->selectButton()->isEnabled());

    // Cancel hides the window and forgets the pick.
    QTest::mouseClick(icon(QStringLiteral("Agency.quibpage")), Qt::LeftButton);
    QTest::mouseClick(chooser()->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(delegate.selectedTemplateIcon(), nullptr);
}

TEST_F(TemplateChooserTest, TwoLaunchesGiveTwoUntitledDocuments)
{
    packTestTemplates();
    openChooser();
    const int before = int(DocumentController::shared().allWindowControllers().size());
    QList<DRVWindowController*> opened;
    for (int i = 0; i < 2; ++i) {
        if (!chooser()->window()->isVisible())
            openChooser();
        TemplateIconButton* tile = icon(QStringLiteral("Bakery.quibpage"));
        QTest::mouseClick(tile, Qt::LeftButton);
        QTest::mouseDClick(tile, Qt::LeftButton);
        EXPECT_FALSE(chooser()->window()->isVisible());
        const QList<DRVWindowController*> windows = DocumentController::shared().allWindowControllers();
        ASSERT_EQ(int(windows.size()), before + i + 1);
        opened.append(windows.constLast());
    }
    ASSERT_NE(opened.at(0), opened.at(1));
    for (DRVWindowController* window : opened) {
        ASSERT_NE(window->document(), nullptr);
        EXPECT_TRUE(window->document()->filePath().isEmpty());
    }
    EXPECT_TRUE(QFileInfo::exists(
        QDir(DRVAppDelegate::receivedPagesFolderPath()).filePath(QStringLiteral("Bakery.quibpage"))));
    EXPECT_TRUE(dialogs->alerts().isEmpty());
}

TEST_F(TemplateChooserTest, MissingTemplateOrStarterSaysSo)
{
    // The blank page straight from the welcome window, and a starter file that is not there.
    edition().gStarterPageFiles = {QStringLiteral("blank/Missing.quibpage")};
    EXPECT_EQ(delegate.directlyLaunchSingleDocBlank(), nullptr);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("The template could not be opened."));

    packTemplate(QStringLiteral("blank"), QStringLiteral("Blank.quibpage"), Qt::white);
    edition().gStarterPageFiles = {QStringLiteral("blank/Blank.quibpage")};
    DRVWindowController* window = delegate.directlyLaunchSingleDocBlank();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->document()->filePath().isEmpty());
    EXPECT_EQ(dialogs->alerts().size(), 1);
}

TEST_F(TemplateChooserTest, SelectAddsThePageThroughTheSheet)
{
    packTestTemplates();
    DRVAppDelegate::installTemplateChooser();
    DRVWindowController* window =
        DocumentController::shared().openDocumentWithContentsOfPath(savedPage(QStringLiteral("host")));
    ASSERT_NE(window, nullptr);
    window->showAddNewFromTemplateWindow();
    AddNewPageViewController* sheet = window->addNewPageViewController();
    ASSERT_TRUE(sheet->chooseTemplateButton()->isEnabled());
    QTest::mouseClick(sheet->chooseTemplateButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser() && chooser()->window()->isVisible(); }, 20000));
    EXPECT_FALSE(delegate.templateLaunchNewDirectoryFlag());

    for (int i = 0; i < 4; ++i)
        dialogs->queueAlertAnswer(1);
    QTest::mouseClick(icon(QStringLiteral("Edge.quibpage")), Qt::LeftButton);
    QTest::mouseClick(chooser()->selectButton(), Qt::LeftButton);
    EXPECT_FALSE(chooser()->window()->isVisible());
    EXPECT_EQ(sheet->selectedTemplateName(), QStringLiteral("Edge.quibpage"));
    EXPECT_EQ(sheet->selectedTemplateCategoryFolder(), QStringLiteral("modern"));
    EXPECT_EQ(delegate.selectedTemplateIcon(), nullptr);
}

TEST_F(TemplateChooserTest, SelectStartsAProjectFromThePickedTemplate)
{
    packTestTemplates();
    edition().gPageBaseName = QStringLiteral("index");
    openChooser();
    ASSERT_TRUE(delegate.templateLaunchNewDirectoryFlag());
    const QString project = m_root.filePath(QStringLiteral("From Theme"));
    dialogs->queueSavePanelAnswer(project);
    QTest::mouseClick(icon(QStringLiteral("Edge.quibpage")), Qt::LeftButton);
    QTest::mouseClick(chooser()->selectButton(), Qt::LeftButton);
    EXPECT_FALSE(chooser()->window()->isVisible());
    // The picked template is the project's page, under the edition's page name; no starters.
    EXPECT_EQ(DRVAppDelegate::pageDocumentsOfFolder(project), QStringList{QStringLiteral("index.quibpage")});
    QFile copy(QDir(project).filePath(QStringLiteral("index.quibpage")));
    QFile picked(QDir(shipped()).filePath(QStringLiteral("modern/Edge.quibpage")));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly) && picked.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), picked.readAll());
    EXPECT_EQ(delegate.selectedTemplateIcon(), nullptr);
}

TEST_F(TemplateChooserTest, AddPageFromTheMenuGoesToTheMainWindow)
{
    packTestTemplates();
    DRVAppDelegate::installTemplateChooser();
    DRVWindowController* window = DocumentController::shared().allWindowControllers().constFirst();
    window->window()->activateWindow();
    ASSERT_EQ(DRVWindowController::mainWindowController(), window);
    openChooser("showTemplate:");
    EXPECT_FALSE(delegate.templateLaunchNewDirectoryFlag());
    ASSERT_NE(window->addNewPageViewController(), nullptr);
    // The page is named as the window names new pages.
    EXPECT_EQ(window->addNewPageViewController()->directlySelectFileName(),
              window->generateDefaultPageName());
}

TEST_F(TemplateChooserTest, WindowStaysLiveWhileTheWorkerUnpacks)
{
    packTestTemplates();
    QSemaphore release;
    std::atomic<int> unpacked{0};
    DRVAppDelegate::setTemplateUnpacker([&](const QString& archive, const QString& target) {
        release.acquire();
        ++unpacked;
        return DocumentArchiver::unzipDocument(archive, target);
    });
    DocumentController::shared().sendAction(QStringLiteral("showTemplateWebsite:"), nullptr);
    ASSERT_TRUE(delegate.templatePreparationRunning());
    // The worker is held; this thread still answers events.
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran; }, 5000));
    EXPECT_TRUE(chooser() == nullptr || !chooser()->window()->isVisible());
    EXPECT_EQ(unpacked.load(), 0);
    release.release(100);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser()->window()->isVisible(); }, 20000));
    EXPECT_EQ(delegate.siteIconArray().size(), 6);

    // The working copy stays: opening again unpacks nothing.
    chooser()->window()->hide();
    const int before = unpacked.load();
    openChooser();
    EXPECT_EQ(unpacked.load(), before);
    EXPECT_EQ(delegate.siteIconArray().size(), 6);
}

TEST_F(TemplateChooserTest, NothingUnpackedRetriesOnceAndShowsAnEmptyChooser)
{
    packTestTemplates();
    std::atomic<int> calls{0};
    DRVAppDelegate::setTemplateUnpacker([&](const QString&, const QString&) {
        ++calls;
        return false;
    });
    openChooser();
    // Eight template documents, unpacked twice at most.
    EXPECT_EQ(calls.load(), 16);
    EXPECT_EQ(chooser()->window()->windowTitle(), QStringLiteral("Choose a Template (0)"));
}

TEST_F(TemplateChooserTest, NoTemplatesFolderLeavesTheWorkingCopyAlone)
{
    qputenv("QUIB_TEMPLATES", m_root.filePath(QStringLiteral("absent")).toUtf8());
    const QString working =
        QDir(edition().gTempFolderPath)
            .filePath(edition().gTemplatesFolderName.isEmpty() ? QStringLiteral("templates")
                                                               : edition().gTemplatesFolderName);
    writeFile(QDir(working).filePath(QStringLiteral("business/kept.txt")), "kept");
    openChooser();
    EXPECT_TRUE(QFileInfo::exists(QDir(working).filePath(QStringLiteral("business/kept.txt"))));
    EXPECT_EQ(chooser()->window()->windowTitle(), QStringLiteral("Choose a Template (0)"));
}

TEST_F(TemplateChooserTest, GreetingCardsOpenOnTheFirstFoldWithTheShippedTemplates)
{
    // The templates the build writes: one per fold size.
    qunsetenv("QUIB_TEMPLATES");
    ScopedEdition cards(QStringLiteral("Kestrin Greeting Card Designer"));
    useWorkingFolders();
    openChooser();
    EXPECT_EQ(chooser()->window()->windowTitle(), QStringLiteral("Choose a Template (12)"));
    EXPECT_EQ(delegate.categoryFolder(), QStringLiteral("letter_2fold_horizontal"));
    const QList<TemplateIconButton*> shown = shownIcons();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_FALSE(shown.constFirst()->thumbnail().isNull());
    EXPECT_EQ(std::max(shown.constFirst()->width(), shown.constFirst()->height()), 200);
    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/app-artefacts");
    QDir().mkpath(artefacts);
    QTest::mouseClick(shown.constFirst(), Qt::LeftButton);
    EXPECT_TRUE(
        chooser()->window()->grab().save(artefacts + QStringLiteral("/template-chooser-greeting-card.png")));

    // Its launch opens the card as an untitled document.
    QTest::mouseDClick(shown.constFirst(), Qt::LeftButton);
    const QList<DRVWindowController*> windows = DocumentController::shared().allWindowControllers();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_TRUE(windows.constLast()->document()->filePath().isEmpty());
}

} // namespace

TEST_F(TemplateChooserTest, NewFromTemplateMenuItemOpensTheChooserForANewProject)
{
    // The e-mail designer shows the row as "New Email Design"; its window's own item opens the chooser.
    packTestTemplates();
    ScopedEdition mail(QStringLiteral("Brumel Responsive Email Designer"));
    useWorkingFolders();
    DRVWindowController* window =
        DocumentController::shared().openDocumentWithContentsOfPath(savedPage(QStringLiteral("mail")));
    ASSERT_TRUE(window);
    QAction* item =
        MenuModel::actionWithId(window->window()->menuBar(), QStringLiteral("addNewTemplateGroupMenuItem"));
    ASSERT_TRUE(item);
    emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
    EXPECT_EQ(item->text(), QStringLiteral("New Email Design"));
    ASSERT_TRUE(item->isVisible() && item->isEnabled());
    item->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser() && chooser()->window()->isVisible(); }, 20000));
    ASSERT_TRUE(chooser() && chooser()->window()->isVisible());
    // A new project, not a page added to the window's own.
    EXPECT_TRUE(delegate.templateLaunchNewDirectoryFlag());
    const int windows = int(DocumentController::shared().allWindowControllers().size());
    QTest::mouseClick(chooser()->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(chooser()->window()->isVisible());
    EXPECT_EQ(int(DocumentController::shared().allWindowControllers().size()), windows);
    for (int i = 0; i < 4; ++i)
        dialogs->queueAlertAnswer(1);
    window->performClose();
}
