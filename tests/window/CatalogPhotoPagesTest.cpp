// Photo pages of the photo-collection edition in a project window: one page per day with the
// photos stacked below its title, a second run continuing below what a day page holds, the index
// rebuilt with one "Summary" and one site map, and the small helpers beside them.
#include "PageListTestSupport.h"

#include "editions/DataCentre.h"
#include "model/DRVImage.h"
#include "model/DRVText.h"
#include "records/QuibFileHelper.h"
#include "window/AddPhotoSettingsWindowController.h"

#include <QCheckBox>
#include <QImage>

namespace {

class CatalogPhotoPagesTest : public PageListTest
{
protected:
    CatalogPhotoPagesTest() : PageListTest(QStringLiteral("Zandelle"))
    {
        edition().gInsertedImageMaxWidth = 0; // 600
        // The titles and captions are set in the bundled Cabin, as after start-up.
        DataCentre::loadCustomFont();
    }
    ~CatalogPhotoPagesTest() override { gCatalogFileList.clear(); }

    QuibFileHelper photo(const QString& name, QSize size, const QDateTime& taken)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QString path = m_store.filePath(QStringLiteral("photos/") + name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(image.save(path));
        QuibFileHelper record;
        record.filePath = path;
        record.setFileModDate(taken);
        return record;
    }

    // Runs the job as the add-photo window's Add does and answers its closing alert.
    void runPhotoPages(platform::ScopedDialogs& dialogs)
    {
        dialogs->queueAlertAnswer(1); // "Not right now"
        ASSERT_TRUE(controller.performAction(QStringLiteral("generatePhotoPages")));
        EXPECT_TRUE(controller.photoPagesRunning());
        EXPECT_TRUE(controller.getPauseDrawGraphicsFlag());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !controller.photoPagesRunning(); }, 60000));
        EXPECT_FALSE(controller.getPauseDrawGraphicsFlag());
        EXPECT_EQ(controller.window()->windowOpacity(), 1.0);
    }

    // The graphics of a project page as saved: (class, frame, text) per graphic, back to front.
    struct Placed
    {
        QString kind;
        QRect frame;
        QString text;
    };
    QList<Placed> savedPage(const QString& name)
    {
        DRVDocument page;
        page.setOpenWebsiteFolderTempPath(m_workingCopy);
        EXPECT_TRUE(page.readFromURL(pagePath(name))) << qPrintable(name);
        QList<Placed> placed;
        const QList<DRVGraphic*> graphics = page.graphics();
        for (auto it = graphics.crbegin(); it != graphics.crend(); ++it) {
            auto* text = qobject_cast<DRVText*>(*it);
            placed.append({qobject_cast<DRVImage*>(*it) ? QStringLiteral("image")
                           : text                       ? QStringLiteral("text")
                                                        : QStringLiteral("other"),
                           (*it)->bounds().toRect(), text ? text->textString() : QString()});
        }
        return placed;
    }
};

TEST_F(CatalogPhotoPagesTest, PhotosGoOnePageADayAndASecondRunContinuesBelow)
{
    openProject({addPage(QStringLiteral("intro"), QStringLiteral("Intro"), QStringLiteral("AA0000"))});
    const QDateTime day1(QDate(2016, 3, 5), QTime(9, 0));
    const QDateTime day2(QDate(2016, 3, 6), QTime(18, 30));
    gCatalogFileList = {photo(QStringLiteral("big.jpg"), QSize(1200, 900), day1),
                        photo(QStringLiteral("small.png"), QSize(300, 200), day1.addSecs(60)),
                        photo(QStringLiteral("third.jpg"), QSize(400, 100), day1.addSecs(120)),
                        photo(QStringLiteral("next.jpg"), QSize(100, 80), day2)};
    platform::ScopedDialogs dialogs;
    runPhotoPages(dialogs);

    const QList<Placed> first = savedPage(QStringLiteral("20160305.quibpage"));
    ASSERT_EQ(first.size(), 7);
    EXPECT_EQ(first[0].kind, QStringLiteral("text"));
    EXPECT_EQ(first[0].text, QStringLiteral("Mar 05 2016 Saturday"));
    EXPECT_EQ(first[0].frame, QRect(0, 0, 1100, 100));
    // 1200 x 900 placed 600 x 450 at x 100; its caption under it; the next photo 60 below.
    EXPECT_EQ(first[1].kind, QStringLiteral("image"));
    EXPECT_EQ(first[1].frame, QRect(100, 110, 600, 450));
    EXPECT_EQ(first[2].frame, QRect(100, 560, 800, 50));
    EXPECT_EQ(first[2].text, QStringLiteral("Mar 05 2016 09:00 AM Saturday\n"));
    EXPECT_EQ(first[3].frame, QRect(100, 620, 300, 200));
    EXPECT_EQ(first[5].frame, QRect(100, 880, 400, 100));
    const QList<Placed> second = savedPage(QStringLiteral("20160306.quibpage"));
    ASSERT_EQ(second.size(), 3);
    EXPECT_EQ(second[1].frame, QRect(100, 110, 100, 80));

    // The index: "Summary" and one site map; the list knows every page with its title.
    QStringList titles;
    for (const PageRecord& record : controller.siteIconArray())
        titles << record.pageTitle;
    EXPECT_TRUE(titles.contains(QStringLiteral("Mar 05 2016"))) << titles.join(u',').toStdString();
    EXPECT_TRUE(titles.contains(QStringLiteral("Summary"))) << titles.join(u',').toStdString();
    const QList<Placed> index = savedPage(QStringLiteral("index.quibpage"));
    ASSERT_EQ(index.size(), 2);
    EXPECT_EQ(index[0].text, QStringLiteral("Summary"));
    EXPECT_EQ(index[1].kind, QStringLiteral("other"));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts()[0].title, QStringLiteral("Photos Added To Collection"));

    // A later photo of the first day goes below that page's lowest graphic plus 10; the index is
    // rebuilt, not added to.
    gCatalogFileList = {photo(QStringLiteral("late.jpg"), QSize(50, 40), day1.addSecs(3600))};
    runPhotoPages(dialogs);
    const QList<Placed> again = savedPage(QStringLiteral("20160305.quibpage"));
    ASSERT_EQ(again.size(), 9);
    EXPECT_EQ(again[7].frame, QRect(100, 980 + 50 + 10, 50, 40));
    EXPECT_EQ(savedPage(QStringLiteral("index.quibpage")).size(), 2);
}

TEST_F(CatalogPhotoPagesTest, CaptionsOnlyWithoutThumbnailsAndUnreadablePhotos)
{
    openProject({addPage(QStringLiteral("intro"), QStringLiteral("Intro"), QStringLiteral("AA0000"))});
    AddPhotoSettingsWindowController settings;
    settings.thumbnailCheckbox()->setChecked(false);
    settings.timestampCheckbox()->setChecked(false);
    settings.filepathCheckbox()->setChecked(true);
    const QDateTime day(QDate(2020, 2, 29), QTime(12, 0));
    QuibFileHelper broken = photo(QStringLiteral("broken.jpg"), QSize(10, 10), day);
    {
        QFile file(broken.filePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
    }
    gCatalogFileList = {photo(QStringLiteral("wide.jpg"), QSize(800, 400), day), broken};
    platform::ScopedDialogs dialogs;
    runPhotoPages(dialogs);
    const QList<Placed> page = savedPage(QStringLiteral("20200229.quibpage"));
    ASSERT_EQ(page.size(), 3);
    // Spaced by the image's placed height (800 x 400 at 600 wide: 300) though it is not placed.
    EXPECT_EQ(page[1].frame, QRect(100, 110 + 300, 800, 50));
    EXPECT_EQ(page[1].text, QStringLiteral("\n") + gCatalogFileList[0].filePath);
    EXPECT_EQ(page[2].frame, QRect(100, 110 + 300 + 60, 800, 50));

    // The blank page copied under a name, inside the project only.
    EXPECT_TRUE(controller.addABlankPage(QStringLiteral("extra.quibpage")));
    EXPECT_GT(QFileInfo(pagePath(QStringLiteral("extra.quibpage"))).size(), 0);
    EXPECT_FALSE(controller.addABlankPage(QStringLiteral("../outside.quibpage")));
    EXPECT_FALSE(QFileInfo::exists(m_store.filePath(QStringLiteral("outside.quibpage"))));
}

TEST(CatalogPhotoHelpers, PreparedSizesAndTypes)
{
    QTemporaryDir dir;
    const struct
    {
        const char* name;
        QSize size;
        int maxWidth;
        QSize placed;
        const char* type;
    } cases[] = {{"a.jpg", {1200, 900}, 600, {600, 450}, "JPG"},
                 {"b.png", {1200, 900}, 0, {600, 450}, "PNG"},
                 {"c.gif", {200, 100}, 200, {200, 100}, "PNG"},
                 {"d.jpeg", {1000, 333}, 300, {300, 99}, "JPG"},
                 {"e.JPG", {10, 10}, 600, {10, 10}, "JPG"}};
    for (const auto& c : cases) {
        QImage image(c.size, QImage::Format_RGB32);
        image.fill(Qt::gray);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(image.save(path, QByteArray(c.name).endsWith("gif") ? "PNG" : nullptr));
        const DRVWindowController::PreparedPhoto photo =
            DRVWindowController::preparePhoto(path, {}, c.maxWidth);
        EXPECT_EQ(photo.size, c.placed) << c.name;
        EXPECT_EQ(photo.image.size(), c.placed) << c.name;
        EXPECT_EQ(photo.type, QString::fromLatin1(c.type)) << c.name;
    }
    const DRVWindowController::PreparedPhoto missing =
        DRVWindowController::preparePhoto(dir.filePath(QStringLiteral("none.jpg")), {}, 600);
    EXPECT_EQ(missing.size, QSize(0, 0));
    EXPECT_TRUE(missing.image.isNull());

    const qint64 bytes = DRVWindowController::getMemoryUsedInBytes();
    EXPECT_GT(bytes, 1024 * 1024);
    EXPECT_EQ(DRVWindowController::getMemoryUsedInMegaBytes(),
              DRVWindowController::getMemoryUsedInBytes() / 1048576);
}

} // namespace
