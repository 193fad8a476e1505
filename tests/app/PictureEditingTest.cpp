// Replacing and cropping a picture, galleries (the factories, the gallery dialog, placing, moving
// and captioning pictures), and table pictures, driven through the window's menus and context
// menu with scripted open panels. Every change is one undo step.
#include "AppTestSupport.h"

#include "../canvas/TableFixture.h"
#include "canvas/CropImageDialog.h"
#include "canvas/GalleryGridCaptionViewController.h"
#include "canvas/GalleryGridEditorWindowController.h"
#include "canvas/QuibPopover.h"
#include "document/PageImageFiles.h"
#include "editions/DataCentre.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVTable.h"
#include "model/OriginalImageFile.h"

#include <QAbstractButton>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QButtonGroup>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

namespace {

class PictureEditingTest : public WindowedAppTest
{
protected:
    void openWith(const QList<DRVGraphic*>& graphics)
    {
        window = windowOnPage(graphics);
        ASSERT_TRUE(window);
        window->document()->setPagePath(m_root.filePath(QStringLiteral("page.v2.html")));
        window->graphicView()->changeSelectionIndexes({0});
    }
    bool chooseFromContextMenu(const QString& title, QPoint inside, const QString& submenu = QString())
    {
        return chooseFromCanvasMenu(window, title, inside, submenu);
    }
    void undo() { validatedItem(window, QStringLiteral("undo:"))->trigger(); }
    void redo() { validatedItem(window, QStringLiteral("redo:"))->trigger(); }
    QString folder() const { return PageImageFiles::imageFolderForPage(window->document()->pagePath()); }
    DRVGraphicView* canvas() const { return window->graphicView(); }
    // Where a canvas point lies in the canvas widget.
    QPoint viewPoint(QPointF canvasPoint) const
    {
        const double scale = 1000.0 / canvas()->canvasPointForViewPoint({1000, 1000}).x();
        return (canvasPoint * scale).toPoint();
    }

    // Four quadrants of one colour each: red, green / blue, yellow.
    static QImage quadrants(QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x)
                image.setPixelColor(x, y, colours[(y >= size.height() / 2 ? 2 : 0) + (x >= size.width() / 2 ? 1 : 0)]);
        }
        return image;
    }

    DRVWindowController* window = nullptr;
};

class ReplaceAndCropTest : public PictureEditingTest
{
protected:
    void SetUp() override
    {
        image = new DRVImage;
        image->setContents(quadrants({200, 100}));
        image->setInputImage(image->contents());
        image->setImageName(QStringLiteral("image0"));
        image->setImageType(QStringLiteral("JPG"));
        image->setBounds({40, 40, 400, 200});
        openWith({image});
        ASSERT_TRUE(OriginalImageFile::saveUnscaled(folder(), QStringLiteral("image0"), QStringLiteral("JPG"),
                                                    image->contents()));
        QFile file(folder() + QStringLiteral("/image0o.JPG"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        originalBytes = file.readAll();
    }
    QByteArray fileBytes(const QString& name) const
    {
        QFile file(folder() + u'/' + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    DRVImage* image = nullptr;
    QByteArray originalBytes;
};

} // namespace

TEST_F(ReplaceAndCropTest, ReplacingKeepsTheWidthRewritesTheOriginalAndUndoPutsBothBack)
{
    // The extension decides the type in any letter case.
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("square.Png"), {800, 800}, Qt::magenta)});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Replace Image…"), {100, 100}));
    const platform::FilePanelRequest request = dialogs->openRequests().constFirst();
    EXPECT_EQ(request.prompt, QStringLiteral("Select"));
    EXPECT_FALSE(request.allowMultiple);

    EXPECT_EQ(image->bounds(), QRectF(40, 40, 400, 400));
    EXPECT_EQ(image->imageType(), QStringLiteral("PNG"));
    EXPECT_EQ(image->imageName(), QStringLiteral("image0"));
    EXPECT_EQ(image->contents().pixelColor(400, 400), QColor(Qt::magenta));
    EXPECT_EQ(QImageReader(folder() + QStringLiteral("/image0o.PNG")).size(), QSize(800, 800));
    EXPECT_FALSE(QFileInfo::exists(folder() + QStringLiteral("/image0o.JPG")));

    undo();
    EXPECT_EQ(image->bounds(), QRectF(40, 40, 400, 200));
    EXPECT_EQ(image->imageType(), QStringLiteral("JPG"));
    EXPECT_EQ(image->contents().pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(fileBytes(QStringLiteral("image0o.JPG")), originalBytes);
    EXPECT_FALSE(QFileInfo::exists(folder() + QStringLiteral("/image0o.PNG")));
    redo();
    EXPECT_EQ(image->bounds(), QRectF(40, 40, 400, 400));
    EXPECT_EQ(QImageReader(folder() + QStringLiteral("/image0o.PNG")).size(), QSize(800, 800));
}

TEST_F(ReplaceAndCropTest, AnUnreadableOrCancelledReplacementChangesNothing)
{
    dialogs->queueOpenPanelAnswer({fileWith(QStringLiteral("broken.jpg"), "no picture here")});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Replace Image…"), {100, 100}));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_TRUE(dialogs->alerts().constFirst().informativeText.contains(QStringLiteral("broken.jpg")));
    dialogs->queueOpenPanelAnswer({});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Replace Image…"), {100, 100}));
    EXPECT_EQ(image->bounds(), QRectF(40, 40, 400, 200));
    EXPECT_EQ(fileBytes(QStringLiteral("image0o.JPG")), originalBytes);
    EXPECT_FALSE(window->document()->undoManager()->canUndo());
}

TEST(ReplacedImageBoundsTest, TheWidthIsKeptAndABoxOfNoWidthTakesTheInsertedWidth)
{
    ScopedEdition scoped(QStringLiteral("Quib"));
    const struct
    {
        QRectF bounds;
        QSize picture;
        QRectF expected;
    } cases[] = {
        {{40, 40, 400, 300}, {800, 800}, {40, 40, 400, 400}},
        {{0, 0, 300, 10}, {150, 300}, {0, 0, 300, 600}},
        // Nothing to keep: as wide as an inserted picture, never a division by zero.
        {{5, 6, 0, 0}, {1200, 900}, {5, 6, 600, 450}},
        {{5, 6, 0, 80}, {300, 200}, {5, 6, 300, 200}},
        {{5, 6, -20, 80}, {300, 200}, {5, 6, 300, 200}},
        // No picture: the box stays as it is.
        {{1, 2, 3, 4}, {0, 0}, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        const QRectF got = DRVGraphicView::replacedImageBounds(c.bounds, c.picture);
        EXPECT_EQ(got, c.expected) << c.bounds.width() << "x" << c.picture.width();
        EXPECT_TRUE(std::isfinite(got.height()));
    }
}

TEST_F(ReplaceAndCropTest, TheCropSheetKeepsTheDraggedPartAsTheNewPictureInTheSameWidth)
{
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Crop Image…"), {100, 100}));
    CropImageDialog* sheet = canvas()->cropDialog();
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->selection(), QRect(0, 0, 200, 100));
    keepScreenshot(sheet, QStringLiteral("crop-image-sheet.png"));

    // The 200 x 100 picture is shown 480 x 240, centred down the 360 high area: drag over its
    // top-right quadrant.
    QWidget* area = sheet->pictureArea();
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(240, 60));
    QTest::mouseMove(area, QPoint(400, 120));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(480, 180));
    EXPECT_EQ(sheet->selection(), QRect(100, 0, 100, 50));
    EXPECT_EQ(sheet->findChild<QSpinBox*>(QStringLiteral("cropX"))->value(), 100);
    EXPECT_EQ(sheet->findChild<QSpinBox*>(QStringLiteral("cropWidth"))->value(), 100);
    keepScreenshot(sheet, QStringLiteral("crop-image-sheet-selected.png"));

    QTest::mouseClick(sheet->findChild<QPushButton*>(QStringLiteral("cropButton")), Qt::LeftButton);
    const QImage cropped = image->contents().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(cropped.size(), QSize(100, 50));
    EXPECT_EQ(cropped.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(cropped.pixelColor(99, 49), QColor(Qt::green));
    EXPECT_EQ(image->bounds(), QRectF(40, 40, 400, 200));
    // The type stays, and so does the original's file name.
    EXPECT_EQ(image->imageType(), QStringLiteral("JPG"));
    EXPECT_EQ(QImageReader(folder() + QStringLiteral("/image0o.JPG")).size(), QSize(100, 50));
    undo();
    EXPECT_EQ(image->contents().size(), QSize(200, 100));
    EXPECT_EQ(fileBytes(QStringLiteral("image0o.JPG")), originalBytes);
}

TEST_F(ReplaceAndCropTest, TypedNumbersAreKeptInsideThePictureAndCancelChangesNothing)
{
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Crop Image…"), {100, 100}));
    CropImageDialog* sheet = canvas()->cropDialog();
    ASSERT_TRUE(sheet);
    auto* x = sheet->findChild<QSpinBox*>(QStringLiteral("cropX"));
    auto* width = sheet->findChild<QSpinBox*>(QStringLiteral("cropWidth"));
    x->setValue(150);
    EXPECT_EQ(sheet->selection(), QRect(150, 0, 50, 100));
    width->setValue(200);
    EXPECT_EQ(sheet->selection(), QRect(150, 0, 50, 100));
    // A drag that ends outside the picture is cut at its edge.
    QTest::mousePress(sheet->pictureArea(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(sheet->pictureArea(), Qt::LeftButton, {}, QPoint(100, 30));
    EXPECT_EQ(sheet->selection().size(), QSize(1, 1));
    sheet->reject();
    EXPECT_EQ(image->contents().size(), QSize(200, 100));
    EXPECT_FALSE(window->document()->undoManager()->canUndo());
}

namespace {

class GalleryTest : public PictureEditingTest
{
protected:
    // A gallery of rows x columns at (0, 0), 400 wide and 100 per row, with a named picture at each
    // given spot.
    DRVGalleryGrid* galleryWith(int rows, int columns, const QList<QPoint>& spots)
    {
        auto* grid = new DRVGalleryGrid;
        grid->setBounds({0, 0, 400, 100.0 * rows});
        grid->setNumOfRows(rows);
        grid->setNumOfColumns(columns);
        QList<TransformView*> pictures;
        for (const QPoint& spot : spots) {
            auto* p = new TransformView;
            p->setRowSpot(spot.x());
            p->setColumnSpot(spot.y());
            p->setImage(quadrants({20, 20}));
            p->setOriginalWidth(20);
            p->setOriginalHeight(20);
            p->setImageName(QStringLiteral("image%1").arg(pictures.size()));
            p->setImageType(QStringLiteral("PNG"));
            pictures.append(p);
        }
        grid->setImageArray(pictures);
        return grid;
    }
    // The centre of a spot on the canvas.
    QPoint spotCentre(int row, int column) const
    {
        const QRect cell = gallery->cellRect(row, column);
        return viewPoint(QRectF(cell).center());
    }
    QString pictures() const
    {
        const QList<TransformView*> held = gallery->imageArray();
        QList<const TransformView*> all(held.begin(), held.end());
        std::sort(all.begin(), all.end(), [](const TransformView* a, const TransformView* b) {
            return std::pair(a->rowSpot(), a->columnSpot()) < std::pair(b->rowSpot(), b->columnSpot());
        });
        QStringList out;
        for (const TransformView* p : all)
            out.append(QStringLiteral("%1@%2,%3").arg(p->imageName()).arg(p->rowSpot()).arg(p->columnSpot()));
        return out.join(u' ');
    }

    DRVGalleryGrid* gallery = nullptr;
};

} // namespace

TEST_F(GalleryTest, TheFactoriesMakeAnImageGalleryAndAnEnlargeablePhotoInFront)
{
    openWith({});
    const struct
    {
        const char* kind;
        QRectF bounds;
        int columns, rows, padding, shadow, backdrop;
    } cases[] = {
        {"gallery", {120, 80, 500, 200}, 4, 1, 5, 0, 1},
        {"photo", {120, 80, 100, 150}, 1, 1, 5, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        DRVGraphic* made = QLatin1String(c.kind) == QLatin1String("gallery")
                               ? canvas()->addImageGallery_drag({120.7, 80.2})
                               : canvas()->addEnlargeablePhoto_drag({120.7, 80.2});
        auto* grid = qobject_cast<DRVGalleryGrid*>(made);
        ASSERT_TRUE(grid);
        EXPECT_EQ(window->document()->graphics().constFirst(), grid);
        EXPECT_EQ(grid->bounds(), c.bounds);
        EXPECT_EQ(grid->numOfColumns(), c.columns);
        EXPECT_EQ(grid->numOfRows(), c.rows);
        EXPECT_EQ(grid->padding(), c.padding);
        EXPECT_EQ(grid->shadowFlag(), c.shadow);
        EXPECT_EQ(grid->backdropLightingFlag(), c.backdrop);
        EXPECT_TRUE(grid->imageArray().isEmpty());
    }

    // Insert > Gallery is one undo step.
    const qsizetype before = window->document()->graphics().size();
    choose(window, QStringLiteral("addNewGallery:"));
    ASSERT_EQ(window->document()->graphics().size(), before + 1);
    EXPECT_EQ(qobject_cast<DRVGalleryGrid*>(window->document()->graphics().constFirst())->numOfColumns(), 4);
    undo();
    EXPECT_EQ(window->document()->graphics().size(), before);
}

TEST_F(GalleryTest, TheDialogAppliesCountsAtOnceClampedAndSaveDropsPicturesOutsideTheGrid)
{
    gallery = galleryWith(3, 2, {{0, 0}, {2, 0}, {2, 1}});
    openWith({gallery});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Configure Gallery…"), spotCentre(0, 0)));
    GalleryGridEditorWindowController* dialog = canvas()->galleryGridEditorWindowController();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configure Gallery Grid"));
    EXPECT_EQ(dialog->rowField()->value(), 3);
    EXPECT_EQ(dialog->columnField()->value(), 2);

    // One row fewer with the stepper: the third row's pictures stay until Save.
    QTest::keyClick(dialog->rowField(), Qt::Key_Down);
    EXPECT_EQ(gallery->numOfRows(), 2);
    EXPECT_EQ(pictures(), QStringLiteral("image0@0,0 image1@2,0 image2@2,1"));

    // No count below one, typed or stepped.
    dialog->columnField()->selectAll();
    QTest::keyClicks(dialog->columnField(), QStringLiteral("0"));
    QTest::keyClick(dialog->columnField(), Qt::Key_Down);
    QTest::keyClick(dialog->columnField(), Qt::Key_Down);
    EXPECT_EQ(gallery->numOfColumns(), 1);
    EXPECT_EQ(dialog->columnField()->value(), 1);
    QTest::keyClick(dialog->columnField(), Qt::Key_Up);
    EXPECT_EQ(gallery->numOfColumns(), 2);

    QTest::keyClick(dialog->spacingSlider(), Qt::Key_Right);
    EXPECT_EQ(gallery->padding(), 1);
    EXPECT_EQ(dialog->spacingField()->text(), QStringLiteral("1"));
    QTest::mouseClick(dialog->shadowControl()->button(1), Qt::LeftButton);
    EXPECT_EQ(gallery->shadowFlag(), 1);
    QTest::mouseClick(dialog->backdropControl()->button(0), Qt::LeftButton);
    EXPECT_EQ(gallery->backdropLightingFlag(), 0);
    keepScreenshot(dialog, QStringLiteral("gallery-grid-dialog.png"));

    dialog->spacingField()->selectAll();
    QTest::keyClicks(dialog->spacingField(), QStringLiteral("12"));
    QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(gallery->padding(), 12);
    EXPECT_EQ(pictures(), QStringLiteral("image0@0,0"));

    // Save, then each live change, undone one by one.
    undo();
    EXPECT_EQ(pictures(), QStringLiteral("image0@0,0 image1@2,0 image2@2,1"));
    EXPECT_EQ(gallery->padding(), 1);
    for (int i = 0; i < 6; ++i)
        undo();
    EXPECT_EQ(gallery->numOfRows(), 3);
    EXPECT_EQ(gallery->numOfColumns(), 2);
    EXPECT_EQ(gallery->padding(), 0);
    EXPECT_EQ(gallery->shadowFlag(), 0);
}

TEST_F(GalleryTest, PicturesMoveToTheirNeighbourSpotSwappingWithWhatIsThere)
{
    gallery = galleryWith(2, 2, {{0, 1}, {1, 1}});
    openWith({gallery});
    const struct
    {
        QPoint touched;
        const char* item;
        bool offered;
        const char* after;
    } steps[] = {
        {{0, 1}, "Up", false, "image0@0,1 image1@1,1"},
        {{0, 1}, "Right", false, "image0@0,1 image1@1,1"},
        // Onto an empty spot: just moved.
        {{0, 1}, "Left", true, "image0@0,0 image1@1,1"},
        {{1, 1}, "Up", true, "image0@0,0 image1@0,1"},
        // Onto a taken spot: the two swap.
        {{0, 1}, "Left", true, "image1@0,0 image0@0,1"},
        {{0, 0}, "Down", true, "image0@0,1 image1@1,0"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.item);
        const bool chosen =
            chooseFromContextMenu(QString::fromLatin1(s.item), spotCentre(s.touched.x(), s.touched.y()),
                                  QStringLiteral("Move Image"));
        EXPECT_EQ(chosen, s.offered);
        EXPECT_EQ(pictures().toStdString(), s.after);
    }
    for (int i = 0; i < 4; ++i)
        undo();
    EXPECT_EQ(pictures(), QStringLiteral("image0@0,1 image1@1,1"));
}

TEST_F(GalleryTest, ReplacingPutsANewlyNamedPictureInTheTouchedSpotOnly)
{
    gallery = galleryWith(1, 4, {{0, 0}, {0, 1}});
    openWith({gallery});
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("new.jpg"), {30, 60})});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Replace Image…"), spotCentre(0, 1)));
    EXPECT_EQ(pictures(), QStringLiteral("image0@0,0 image2@0,1"));
    EXPECT_EQ(QImageReader(folder() + QStringLiteral("/image2o.JPG")).size(), QSize(30, 60));
    // Nothing to replace on an empty spot.
    EXPECT_FALSE(chooseFromContextMenu(QStringLiteral("Replace Image…"), spotCentre(0, 3)));
    undo();
    EXPECT_EQ(pictures(), QStringLiteral("image0@0,0 image1@0,1"));
}

TEST_F(GalleryTest, TheCaptionPopoverShowsEmptyTextsAndSaveStoresWhatWasTyped)
{
    gallery = galleryWith(1, 2, {{0, 0}, {0, 1}});
    openWith({gallery});
    TransformView* second = gallery->grabSelectedImageAtSpot(0, 1);

    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Caption and Link…"), spotCentre(0, 1)));
    QuibPopover* popover = canvas()->quibPopOver();
    GalleryGridCaptionViewController* controller = canvas()->galleryGridCaptionViewController();
    ASSERT_TRUE(popover && controller);
    EXPECT_TRUE(popover->isVisible());
    EXPECT_EQ(popover->size(), QSize(591, 122));
    EXPECT_TRUE(controller->captionTextField()->text().isEmpty());
    QTest::keyClicks(controller->captionTextField(), QStringLiteral("Harbour at <dawn> & \"dusk\""));
    QTest::keyClicks(controller->linkTextField(), QStringLiteral("https://example.com/a?b=1"));
    keepScreenshot(popover, QStringLiteral("gallery-caption-popover.png"));
    QTest::mouseClick(controller->saveButton(), Qt::LeftButton);
    EXPECT_EQ(second->altText(), QStringLiteral("Harbour at <dawn> & \"dusk\""));
    EXPECT_EQ(second->link(), QStringLiteral("https://example.com/a?b=1"));
    EXPECT_TRUE(gallery->grabSelectedImageAtSpot(0, 0)->altText().isNull());
    undo();
    EXPECT_EQ(second->altText(), QString());

    // Closed without Save: nothing stored.
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Caption and Link…"), spotCentre(0, 1)));
    QTest::keyClicks(canvas()->galleryGridCaptionViewController()->captionTextField(), QStringLiteral("lost"));
    canvas()->quibPopOver()->close();
    EXPECT_EQ(second->altText(), QString());
}

TEST_F(PictureEditingTest, TablePicturesFillCellsFromTheTouchedOneAndTheBackgroundFitsTheWidth)
{
    edition().gTableImagesFlag = true;
    DRVTable* table = tablefixture::makeTable(2, 2, {0, 0}, 'A', {});
    openWith({table});
    const QPoint secondCell = viewPoint(QRectF(table->grabSelectedCellRect(0, 1)).center());
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("a.png"), {10, 10}), picture(QStringLiteral("b.png"), {10, 10}),
                                   picture(QStringLiteral("c.png"), {10, 10}), picture(QStringLiteral("d.png"), {10, 10})});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Add Images to Cells…"), secondCell));
    QStringList placed;
    for (const TransformView* p : table->imageArray())
        placed << QStringLiteral("%1@%2,%3").arg(p->imageName()).arg(p->rowSpot()).arg(p->columnSpot());
    EXPECT_EQ(placed.join(u' '), QStringLiteral("image0@0,1 image1@1,0 image2@1,1"));
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Delete Cell Image"), secondCell));
    EXPECT_EQ(table->imageArray().size(), 2);
    undo();
    EXPECT_EQ(table->imageArray().size(), 3);
    undo();
    EXPECT_TRUE(table->imageArray().isEmpty());

    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("wall.jpg"), {440, 110})});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Add Background Image…"), secondCell));
    TransformView* background = table->tableBackgroundImage();
    ASSERT_TRUE(background);
    const int width = int(table->bounds().width());
    EXPECT_EQ(background->image().size(), QSize(width, 110 * width / 440));
    EXPECT_EQ(background->forceNonRetinaFlag(), 1);
    EXPECT_EQ(background->rowSpot(), -99);
    undo();
    EXPECT_EQ(table->tableBackgroundImage(), nullptr);
    redo();
    EXPECT_EQ(table->tableBackgroundImage(), background);

    // Saved and reopened, the background and a cell picture are still there.
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("cell.png"), {10, 10})});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Add Images to Cells…"), secondCell));
    const QString copy = m_root.filePath(QStringLiteral("table-copy.quibpage"));
    dialogs->queueSavePanelAnswer(copy);
    validatedItem(window, QStringLiteral("saveDocumentAs:"))->trigger();
    const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(copy);
    ASSERT_TRUE(reopened);
    ASSERT_EQ(reopened->graphics().size(), 1);
    auto* read = qobject_cast<DRVTable*>(reopened->graphics().constFirst());
    ASSERT_TRUE(read);
    ASSERT_TRUE(read->tableBackgroundImage());
    EXPECT_FALSE(read->tableBackgroundImage()->image().isNull());
    ASSERT_EQ(read->imageArray().size(), 1);
    EXPECT_EQ(read->imageArray().constFirst()->columnSpot(), 1);
    EXPECT_FALSE(read->imageArray().constFirst()->image().isNull());
}

namespace {

// Records what the progress window is told, on the GUI thread.
class RecordingProgress : public DataCentre::ProgressDisplay
{
public:
    RecordingProgress() { DataCentre::setProgressDisplay(this); }
    ~RecordingProgress() override { DataCentre::setProgressDisplay(nullptr); }
    void show() override { events << QStringLiteral("show"); }
    void update(qint32 done, qint32 total, const QString&) override
    {
        events << QStringLiteral("%1/%2").arg(done).arg(total);
    }
    void dismiss() override { events << QStringLiteral("dismiss"); }
    QStringList events;
};

} // namespace

TEST_F(PictureEditingTest, ManyPicturesAreDecodedWithTheProgressWindowShowingAndLandInTheirOrder)
{
    openWith({});
    RecordingProgress progress;
    QStringList files;
    for (int i = 0; i < 7; ++i)
        files << picture(QStringLiteral("p%1.png").arg(i), {50 + 10 * i, 40});
    files.insert(3, fileWith(QStringLiteral("broken.png"), "not a picture"));
    dialogs->queueOpenPanelAnswer(files);
    choose(window, QStringLiteral("addNewPhoto:"));

    ASSERT_FALSE(progress.events.isEmpty());
    EXPECT_EQ(progress.events.constFirst(), QStringLiteral("show"));
    EXPECT_TRUE(progress.events.contains(QStringLiteral("8/8")));
    EXPECT_EQ(progress.events.constLast(), QStringLiteral("dismiss"));
    // Front to back: the last file in front; the broken one skipped with its alert.
    const QList<DRVGraphic*> graphics = window->document()->graphics();
    ASSERT_EQ(graphics.size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(graphics.at(6 - i)->bounds().width(), 50 + 10 * i) << i;
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_TRUE(dialogs->alerts().constFirst().informativeText.contains(QStringLiteral("broken.png")));
    undo();
    EXPECT_TRUE(window->document()->graphics().isEmpty());
}

TEST_F(GalleryTest, ThePageSavedAndReopenedKeepsEveryPictureSlideAndCaption)
{
    window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("pictures")));
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    document->setPagePath(m_root.filePath(QStringLiteral("pictures-work.html")));

    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("photo.png"), {120, 80}, Qt::red)});
    choose(window, QStringLiteral("addNewPhoto:"));
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("s1.png"), {60, 40}, Qt::green),
                                   picture(QStringLiteral("s2.jpg"), {60, 40}, Qt::blue)});
    choose(window, QStringLiteral("addNewSlideshow:"));
    choose(window, QStringLiteral("addNewGallery:"));
    gallery = qobject_cast<DRVGalleryGrid*>(document->graphics().constFirst());
    ASSERT_TRUE(gallery);
    canvas()->changeSelectionIndexes({0});
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("g1.png"), {40, 40}, Qt::yellow),
                                   picture(QStringLiteral("g2.png"), {40, 40}, Qt::cyan)});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Add Images…"), spotCentre(0, 1)));
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Caption and Link…"), spotCentre(0, 2)));
    QTest::keyClicks(canvas()->galleryGridCaptionViewController()->captionTextField(), QStringLiteral("Bay & <boats>"));
    QTest::keyClicks(canvas()->galleryGridCaptionViewController()->linkTextField(), QStringLiteral("https://example.com/"));
    QTest::mouseClick(canvas()->galleryGridCaptionViewController()->saveButton(), Qt::LeftButton);
    const QString written = pictures();
    EXPECT_EQ(written, QStringLiteral("image3@0,1 image4@0,2"));

    const QString copy = m_root.filePath(QStringLiteral("pictures-copy.quibpage"));
    dialogs->queueSavePanelAnswer(copy);
    validatedItem(window, QStringLiteral("saveDocumentAs:"))->trigger();
    const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(copy);
    ASSERT_TRUE(reopened);

    QStringList found;
    for (DRVGraphic* graphic : reopened->graphics()) {
        if (auto* image = qobject_cast<DRVImage*>(graphic)) {
            const QImage shown = image->contents().isNull() ? image->inputImage() : image->contents();
            found << QStringLiteral("image %1 %2x%3").arg(image->imageName()).arg(shown.width()).arg(shown.height());
        } else if (auto* grid = qobject_cast<DRVGalleryGrid*>(graphic)) {
            for (const TransformView* p : grid->imageArray()) {
                found << QStringLiteral("gallery %1@%2,%3 '%4' '%5' %6")
                             .arg(p->imageName())
                             .arg(p->rowSpot())
                             .arg(p->columnSpot())
                             .arg(p->altText(), p->link())
                             .arg(p->image().isNull() ? QStringLiteral("empty") : QStringLiteral("shown"));
            }
        } else if (graphic->property("imageArray").isValid()) {
            for (const TransformView* p : graphic->property("imageArray").value<QList<TransformView*>>())
                found << QStringLiteral("slide %1 %2").arg(p->imageName(), p->image().isNull() ? "empty" : "shown");
        }
    }
    found.sort();
    EXPECT_EQ(found.join(u'\n').toStdString(), std::string("gallery image3@0,1 '' '' shown\n"
                                                "gallery image4@0,2 'Bay & <boats>' 'https://example.com/' shown\n"
                                                "image image0 120x80\n"
                                                "slide image1 shown\n"
                                                "slide image2 shown"));
}

TEST_F(PictureEditingTest, ALongPdfIsRenderedOffTheGuiThreadWithTheProgressWindowShowing)
{
    openWith({});
    RecordingProgress progress;
    const QString path = m_root.filePath(QStringLiteral("long.pdf"));
    {
        QPdfWriter writer(path);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(100, 150), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        for (int page = 0; page < 6; ++page) {
            if (page > 0)
                writer.newPage();
            painter.fillRect(QRect(0, 0, 100, 150), QColor::fromHsv(page * 50, 200, 200));
        }
    }
    dialogs->queueOpenPanelAnswer({path});
    canvas()->addNewPDF_drag({10, 20});
    // The command returned with the pages still being drawn: nothing is on the page yet.
    EXPECT_TRUE(canvas()->isImportingPdf());
    EXPECT_TRUE(window->document()->graphics().isEmpty());
    for (int wait = 0; wait < 600 && canvas()->isImportingPdf(); ++wait)
        QTest::qWait(50);
    ASSERT_FALSE(canvas()->isImportingPdf());
    ASSERT_EQ(window->document()->graphics().size(), 6);
    EXPECT_EQ(window->document()->graphics().constFirst()->bounds(), QRectF(260, 20, 100, 150));
    ASSERT_FALSE(progress.events.isEmpty());
    EXPECT_EQ(progress.events.constFirst(), QStringLiteral("show"));
    EXPECT_EQ(progress.events.constLast(), QStringLiteral("dismiss"));
    EXPECT_TRUE(progress.events.contains(QStringLiteral("1/1"))) << qPrintable(progress.events.join(u' '));
}

TEST_F(ReplaceAndCropTest, SavingKeepsTheSelectedPictureSelected)
{
    ASSERT_EQ(canvas()->selectionIndexes(), QList<int>{0});
    dialogs->queueSavePanelAnswer(m_root.filePath(QStringLiteral("kept.quibpage")));
    validatedItem(window, QStringLiteral("saveDocumentAs:"))->trigger();
    ASSERT_TRUE(QFile::exists(m_root.filePath(QStringLiteral("kept.quibpage"))));
    EXPECT_EQ(canvas()->selectionIndexes(), QList<int>{0});
    EXPECT_TRUE(chooseFromContextMenu(QStringLiteral("Crop Image…"), {100, 100}));
}
