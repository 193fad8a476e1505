// Catalog projects from the application: the welcome window's New button opens the edition's
// settings window for the new folder, its folder button runs the photo grid job to "Done!", and
// the sample opens as a fresh untitled copy every time.
#include "AppTestSupport.h"

#include "editions/DataCentre.h"
#include "window/AddPhotoSettingsWindowController.h"
#include "window/CatalogGalleryJob.h"
#include "window/FileCatalogSettingsWindowController.h"
#include "window/PhotoCatalogSettingsWindowController.h"
#include "window/WelcomeWindowController.h"
#include "window/inspector/SegmentedControl.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

class CatalogProjectTest : public LaunchTest
{
protected:
    ~CatalogProjectTest() override { CatalogGalleryJob::setUrlOpener({}); }
};

TEST_F(CatalogProjectTest, NewButtonOpensSettingsAndFolderButtonWritesThePhotoGrid)
{
    ScopedEdition catalog(QStringLiteral("Ostrevin"));
    useWorkingFolders();
    QDir().mkpath(m_root.filePath(QStringLiteral("pics/2016")));
    for (int i = 0; i < 25; ++i)
        picture(QStringLiteral("pics/%1/p%2.jpg")
                    .arg(i < 20 ? QStringLiteral("2016") : QString())
                    .arg(i, 2, 10, QLatin1Char('0')),
                QSize(8, 6));
    const QString project = m_root.filePath(QStringLiteral("My Grid"));
    QList<QUrl> opened;
    CatalogGalleryJob::setUrlOpener([&](const QUrl& url) { opened << url; });

    ASSERT_TRUE(delegate.showWelcomeWindow());
    dialogs->queueSavePanelAnswer(project);
    QTest::mouseClick(delegate.welcomeWindowController()->addNewWebsiteButton(), Qt::LeftButton);

    PhotoCatalogSettingsWindowController* settings = delegate.photoCatalogSettingsWindowController();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->window()->isVisible());
    EXPECT_EQ(settings->openWebsiteFolderPathLabel()->text(), project);
    EXPECT_TRUE(DocumentController::shared().allWindowControllers().isEmpty());
    // The catalog's folder gets no starter page.
    EXPECT_TRUE(QDir(project).isEmpty());

    QTest::keyClicks(settings->photoCatalogTitleTextField(), QStringLiteral("Spring"));
    QTest::mouseClick(settings->photosPerPageSegmentedControl()->segmentButton(0), Qt::LeftButton);
    dialogs->queueOpenPanelAnswer({m_root.filePath(QStringLiteral("pics"))});
    dialogs->queueAlertAnswer(0); // Summary: Next
    dialogs->queueAlertAnswer(0); // Done!: Launch Now
    QSignalSpy finished(settings->job(), &CatalogGalleryJob::finished);
    QTest::mouseClick(settings->selectFolderButton(), Qt::LeftButton);
    ASSERT_TRUE(finished.count() == 1 || finished.wait(30000));

    const QList<platform::Alert> alerts = dialogs->alerts();
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_EQ(alerts[0].title, QStringLiteral("Summary"));
    EXPECT_TRUE(alerts[0].informativeText.startsWith(QStringLiteral("Total count: 25\n")));
    const QString first = project + QStringLiteral("/photo1.html");
    EXPECT_EQ(alerts[1].title, QStringLiteral("Done!"));
    EXPECT_EQ(alerts[1].informativeText, QStringLiteral("Saved at selected path:\n ") + first);
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(first)});
    for (const char* name : {"photo1.html", "photo2.html", "photo3.html"})
        EXPECT_TRUE(QFileInfo::exists(project + u'/' + QLatin1String(name))) << name;
    EXPECT_FALSE(QFileInfo::exists(project + QStringLiteral("/photo4.html")));
    QFile page(first);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(page.readAll().contains("<title>Spring</title>"));
}

TEST_F(CatalogProjectTest, CollectionScansFromItsWindowAndAddsDayPages)
{
    ScopedEdition collection(QStringLiteral("Zandelle"));
    useWorkingFolders();
    DRVAppDelegate::installCatalogHandlers(); // as start-up does
    DataCentre::loadCustomFont();
    QDir().mkpath(m_root.filePath(QStringLiteral("shots")));
    const QString shot = picture(QStringLiteral("shots/one.jpg"), QSize(40, 30));
    {
        QFile taken(shot);
        ASSERT_TRUE(taken.open(QIODevice::ReadWrite));
        ASSERT_TRUE(taken.setFileTime(QDateTime(QDate(2019, 7, 14), QTime(10, 0)),
                                      QFileDevice::FileModificationTime));
    }
    const QString project = m_root.filePath(QStringLiteral("Album"));
    dialogs->queueSavePanelAnswer(project);
    DRVWindowController* window = delegate.addNewWebsite();
    ASSERT_NE(window, nullptr);

    QAction* item =
        MenuModel::actionNamed(window->window()->menuBar(), QStringLiteral("selectPhotosInputFolder:"));
    ASSERT_NE(item, nullptr);
    emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
    ASSERT_TRUE(item->isEnabled() && item->isVisible());
    item->trigger();
    PhotoCatalogSettingsWindowController* settings = window->photoCatalogSettingsWindowController();
    ASSERT_NE(settings, nullptr);
    dialogs->queueOpenPanelAnswer({m_root.filePath(QStringLiteral("shots"))});
    dialogs->queueAlertAnswer(0); // Summary: Next
    QSignalSpy finished(settings->job(), &CatalogGalleryJob::finished);
    QTest::mouseClick(settings->selectFolderButton(), Qt::LeftButton);
    ASSERT_TRUE(finished.count() == 1 || finished.wait(30000));

    ASSERT_FALSE(dialogs->alerts().isEmpty());
    EXPECT_EQ(dialogs->alerts().constLast().informativeText,
              QStringLiteral("Total count: 1\nEarliest date: Jul 14 2019\nLatest date: Jul 14 2019"));
    AddPhotoSettingsWindowController* addPhotos = delegate.addPhotoSettingsWindowController();
    ASSERT_NE(addPhotos, nullptr);
    EXPECT_TRUE(addPhotos->window()->isVisible());
    EXPECT_EQ(addPhotos->window()->windowTitle(), QStringLiteral("Add Photo Settings"));
    dialogs->queueAlertAnswer(1); // Photos Added To Collection: Not right now
    QTest::mouseClick(addPhotos->addButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->photoPagesRunning(); }, 60000));
    EXPECT_TRUE(QFileInfo::exists(project + QStringLiteral("/20190714.quibpage")));
    EXPECT_TRUE(QFileInfo::exists(project + QStringLiteral("/index.quibpage")));
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Photos Added To Collection"));
}

TEST_F(CatalogProjectTest, FolderSizeEditionOpensItsOwnSettingsWindow)
{
    ScopedEdition catalog(QStringLiteral("Tirrabel"));
    delegate.launchSimplifiedWindowController(m_root.filePath(QStringLiteral("sizes")));
    ASSERT_NE(delegate.fileCatalogSettingsWindowController(), nullptr);
    EXPECT_EQ(delegate.photoCatalogSettingsWindowController(), nullptr);
    EXPECT_EQ(delegate.fileCatalogSettingsWindowController()->openWebsiteFolderPath(),
              m_root.filePath(QStringLiteral("sizes")));
    EXPECT_EQ(delegate.fileCatalogSettingsWindowController()->window()->windowTitle(),
              QStringLiteral("Tirrabel"));
}

TEST_F(CatalogProjectTest, SampleOpensAsAFreshUntitledCopyEachTime)
{
    const QString templates = m_root.filePath(QStringLiteral("templates"));
    QDir().mkpath(templates);
    edition().gSampleDocumentName = QStringLiteral("SamplePage.quibpage");
    const QString shipped = templates + QStringLiteral("/SamplePage.quibpage");
    ASSERT_TRUE(QFile::copy(savedPage(QStringLiteral("sample")), shipped));
    const QByteArray saved = qgetenv("QUIB_TEMPLATES");
    qputenv("QUIB_TEMPLATES", templates.toUtf8());
    QFile original(shipped);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray shippedBytes = original.readAll();

    DRVWindowController* first = delegate.openSample();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->document()->filePath().isEmpty());
    const QString copy = edition().gTempFolderPath + QStringLiteral("/SamplePage.quibpage");
    {
        QFile spoiled(copy);
        ASSERT_TRUE(spoiled.open(QIODevice::WriteOnly));
        spoiled.write("left over from the first opening");
    }
    DRVWindowController* second = delegate.openSample();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->document()->filePath().isEmpty());
    QFile fresh(copy);
    ASSERT_TRUE(fresh.open(QIODevice::ReadOnly));
    EXPECT_EQ(fresh.readAll(), shippedBytes);

    edition().gSampleDocumentName = QStringLiteral("../outside.quibpage");
    EXPECT_EQ(delegate.openSample(), nullptr);
    if (saved.isNull())
        qunsetenv("QUIB_TEMPLATES");
    else
        qputenv("QUIB_TEMPLATES", saved);
}

} // namespace
