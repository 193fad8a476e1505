// The catalog settings windows as each catalog edition opens them, the options their controls give
// the generators, the document window's own photo settings window, and a catalog job driven through
// the window's folder button with scripted panels and alerts.
#include "WindowTestSupport.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "platform/Dialogs.h"
#include "window/AddPhotoSettingsWindowController.h"
#include "window/CatalogGalleryJob.h"
#include "window/DRVWindowController.h"
#include "window/FileCatalogSettingsWindowController.h"
#include "window/PhotoCatalogSettingsWindowController.h"
#include "window/inspector/SegmentedControl.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

class CatalogSettingsWindowTest : public WindowTest
{
protected:
    ~CatalogSettingsWindowTest() override { CatalogGalleryJob::setUrlOpener({}); }

    // Keeps a picture of the window among the build's gui artefacts, and returns it.
    static QImage keepScreenshot(QWidget* window, const QString& name)
    {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/gui-artefacts");
        QDir().mkpath(folder);
        window->adjustSize();
        const QImage image = window->grab().toImage();
        EXPECT_TRUE(image.save(QDir(folder).filePath(name)));
        return image;
    }

    QString fileIn(const QString& relative, const QByteArray& bytes = "x")
    {
        const QString path = m_store.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
};

TEST_F(CatalogSettingsWindowTest, GridWindowsOpenAtThirtyAPageWithTheirKindsOptions)
{
    const struct
    {
        const char* edition;
        bool pathOptionShown;
        const char* formats;
    } cases[] = {{"Ostrevin", false, "JPEG, PNG and GIF."},
                 {"Quellam", true, "MP4, MOV, AVI, OGG and WEBM."}};
    for (const auto& c : cases) {
        ScopedEdition scoped(QString::fromLatin1(c.edition));
        PhotoCatalogSettingsWindowController controller;
        controller.setOpenWebsiteFolderPath(QStringLiteral("/home/me/My Catalog"));
        controller.showWindow();
        EXPECT_EQ(controller.window()->windowTitle(), QString::fromLatin1(c.edition));
        EXPECT_EQ(controller.openWebsiteFolderPathLabel()->text(), QStringLiteral("/home/me/My Catalog"));
        SegmentedControl* perPage = controller.photosPerPageSegmentedControl();
        EXPECT_EQ(perPage->segmentCount(), 12);
        EXPECT_EQ(perPage->selectedIndex(), 2);
        EXPECT_EQ(perPage->labelForSegment(11), QStringLiteral("120"));
        for (int s = 0; s < perPage->segmentCount(); ++s)
            EXPECT_EQ(perPage->segmentButton(s)->width(), 50) << s;
        EXPECT_EQ(controller.filePathCheckbox()->isVisible(), c.pathOptionShown) << c.edition;
        EXPECT_TRUE(controller.supportedFileTypeLabel()->text().endsWith(QString::fromLatin1(c.formats)));
        EXPECT_EQ(controller.catalogOptions().itemsPerPageSegment, 2);
        keepScreenshot(controller.window(),
                       QStringLiteral("catalog-settings-%1.png").arg(QLatin1String(c.edition)));
    }
}

TEST_F(CatalogSettingsWindowTest, ClickedControlsBecomeTheGeneratorsOptions)
{
    ScopedEdition scoped(QStringLiteral("Quellam"));
    PhotoCatalogSettingsWindowController controller;
    controller.showWindow();
    QTest::keyClicks(controller.photoCatalogTitleTextField(), QStringLiteral("Holiday clips"));
    QTest::mouseClick(controller.photosPerPageSegmentedControl()->segmentButton(0), Qt::LeftButton);
    QTest::mouseClick(controller.duplicateOptionSegmentedControl()->segmentButton(1), Qt::LeftButton);
    QTest::mouseClick(controller.themeSegmentedControl()->segmentButton(1), Qt::LeftButton);
    QTest::mouseClick(controller.alignmentSegmentedControl()->segmentButton(1), Qt::LeftButton);
    controller.filenameCheckbox()->click();
    controller.filePathCheckbox()->click();
    const CatalogOptions options = controller.catalogOptions();
    EXPECT_EQ(options.title, QStringLiteral("Holiday clips"));
    EXPECT_EQ(options.itemsPerPageSegment, 0);
    EXPECT_TRUE(options.linkCopies && options.darkTheme && options.centredHeading);
    EXPECT_TRUE(options.fileNameCaption && options.filePathButton);
    EXPECT_FALSE(options.timestampCaption);
}

TEST_F(CatalogSettingsWindowTest, FolderSizeAndAddPhotoWindows)
{
    ScopedEdition scoped(QStringLiteral("Tirrabel"));
    FileCatalogSettingsWindowController files;
    files.setOpenWebsiteFolderPath(QStringLiteral("/srv/catalog"));
    files.showWindow();
    EXPECT_EQ(files.window()->windowTitle(), QStringLiteral("Tirrabel"));
    EXPECT_EQ(files.openWebsiteFolderPathLabel()->text(), QStringLiteral("/srv/catalog"));
    EXPECT_EQ(files.skipFolderSizeSegmentedControl()->segmentCount(), 4);
    QTest::mouseClick(files.skipFolderSizeSegmentedControl()->segmentButton(3), Qt::LeftButton);
    EXPECT_EQ(files.catalogOptions().skipSegment, 3);
    keepScreenshot(files.window(), QStringLiteral("catalog-settings-Tirrabel.png"));

    AddPhotoSettingsWindowController addPhotos;
    addPhotos.window()->setWindowTitle(QStringLiteral("Add Photo Settings"));
    addPhotos.showWindow();
    QSignalSpy added(&addPhotos, &AddPhotoSettingsWindowController::addRequested);
    QTest::mouseClick(addPhotos.addButton(), Qt::LeftButton);
    EXPECT_EQ(added.count(), 1);
    keepScreenshot(addPhotos.window(), QStringLiteral("catalog-add-photo-settings.png"));
}

TEST_F(CatalogSettingsWindowTest, DocumentWindowKeepsOneUntitledPhotoSettingsWindow)
{
    ScopedEdition scoped(QStringLiteral("Zandelle"));
    DRVDocument document;
    DRVWindowController controller;
    controller.setDocument(&document);
    EXPECT_EQ(controller.photoCatalogSettingsWindowController(), nullptr);
    EXPECT_TRUE(controller.performAction(QStringLiteral("selectPhotosInputFolder:")));
    PhotoCatalogSettingsWindowController* settings = controller.photoCatalogSettingsWindowController();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->window()->isVisible());
    EXPECT_TRUE(settings->window()->windowTitle().isEmpty());
    settings->window()->hide();
    EXPECT_TRUE(controller.performAction(QStringLiteral("showPhotoCatalogSettings:")));
    EXPECT_EQ(controller.photoCatalogSettingsWindowController(), settings);
    EXPECT_TRUE(settings->window()->isVisible());
    controller.setDocument(nullptr);
}

TEST_F(CatalogSettingsWindowTest, FolderButtonRunsTheJobToItsClosingAlert)
{
    ScopedEdition scoped(QStringLiteral("Quellam"));
    edition().gTempFolderPath = m_store.path();
    fileIn(QStringLiteral("clips/b b.mp4"));
    fileIn(QStringLiteral("clips/a.mov"));
    fileIn(QStringLiteral("clips/notes.txt"));
    const QString output = m_store.filePath(QStringLiteral("site"));
    QDir().mkpath(output);

    platform::ScopedDialogs dialogs;
    dialogs->queueOpenPanelAnswer({m_store.filePath(QStringLiteral("clips"))});
    dialogs->queueAlertAnswer(0); // Summary: Next
    dialogs->queueAlertAnswer(0); // Done!: Launch Now
    QList<QUrl> opened;
    CatalogGalleryJob::setUrlOpener([&](const QUrl& url) { opened << url; });

    PhotoCatalogSettingsWindowController controller;
    controller.setOpenWebsiteFolderPath(output);
    controller.showWindow();
    controller.filePathCheckbox()->click();
    QSignalSpy finished(controller.job(), &CatalogGalleryJob::finished);
    QTest::mouseClick(controller.selectFolderButton(), Qt::LeftButton);
    ASSERT_TRUE(finished.count() == 1 || finished.wait(30000));

    ASSERT_EQ(dialogs->openRequests().size(), 1);
    EXPECT_TRUE(dialogs->openRequests().constFirst().chooseDirectories);
    const QList<platform::Alert> alerts = dialogs->alerts();
    ASSERT_EQ(alerts.size(), 2);
    EXPECT_EQ(alerts[0].title, QStringLiteral("Summary"));
    EXPECT_TRUE(alerts[0].informativeText.startsWith(QStringLiteral("Total count: 2\nEarliest date: ")));
    EXPECT_EQ(alerts[0].buttons, (QStringList{"Next", "Cancel"}));
    const QString first = output + QStringLiteral("/video1.html");
    EXPECT_EQ(alerts[1].title, QStringLiteral("Done!"));
    EXPECT_EQ(alerts[1].informativeText, QStringLiteral("Saved at selected path:\n ") + first);
    EXPECT_EQ(alerts[1].buttons, (QStringList{"Launch Now", "Dismiss"}));
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(first)});
    QFile page(first);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray text = page.readAll();
    EXPECT_TRUE(text.contains("/clips/a.mov\" type=\"video/mp4\">"));
    EXPECT_TRUE(text.contains("/clips/b%20b.mp4\" type=\"video/mp4\">"));
    EXPECT_TRUE(
        text.contains("data-content=\"" + m_store.filePath(QStringLiteral("clips/b b.mp4")).toUtf8() + "\""));
}

TEST_F(CatalogSettingsWindowTest, EmptyFolderEndsAtTheSummary)
{
    ScopedEdition scoped(QStringLiteral("Tirrabel"));
    fileIn(QStringLiteral("flat/only-a-file.txt"));
    platform::ScopedDialogs dialogs;
    dialogs->queueOpenPanelAnswer({m_store.filePath(QStringLiteral("flat"))});
    FileCatalogSettingsWindowController controller;
    controller.setOpenWebsiteFolderPath(m_store.filePath(QStringLiteral("out")));
    QSignalSpy finished(controller.job(), &CatalogGalleryJob::finished);
    QTest::mouseClick(controller.selectFolderButton(), Qt::LeftButton);
    ASSERT_TRUE(finished.count() == 1 || finished.wait(30000));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts()[0].informativeText,
              QStringLiteral("Did not find any supported files in this folder"));
    EXPECT_EQ(dialogs->alerts()[0].buttons, QStringList{"Cancel"});
    EXPECT_FALSE(QFileInfo::exists(m_store.filePath(QStringLiteral("out/catalog1.html"))));

    // A cancelled panel starts nothing.
    QTest::mouseClick(controller.selectFolderButton(), Qt::LeftButton);
    EXPECT_FALSE(controller.job()->isRunning());
    EXPECT_EQ(dialogs->alerts().size(), 1);
}

TEST_F(CatalogSettingsWindowTest, ClosingAlertCountsWhatCouldNotBeCopiedOrWritten)
{
    platform::ScopedDialogs dialogs;
    dialogs->queueAlertAnswer(1); // Dismiss
    QList<QUrl> opened;
    CatalogGalleryJob::setUrlOpener([&](const QUrl& url) { opened << url; });
    CatalogGalleryJob job;
    CatalogJob::Result result;
    result.firstPagePath = QStringLiteral("/out/photo1.html");
    result.copyFailures = 2;
    result.writeFailures = 1;
    job.launchGallery(result);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(
        dialogs->alerts()[0].informativeText,
        QStringLiteral("Saved at selected path:\n /out/photo1.html\n\n2 of the files could not be copied.\n\n"
                       "1 of the pages could not be written."));
    EXPECT_TRUE(opened.isEmpty());
}

} // namespace
