// The objects palette: the catalogue as data, which entries each category lists, the tiles' places,
// their highlight per window and the drag they start.
#include "WindowTestSupport.h"

#include "canvas/DRVDragTypes.h"
#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "model/DRVText.h"
#include "model/GraphicClipboard.h"
#include "window/DRVWindowController.h"
#include "window/DragIconView.h"
#include "window/PaletteCatalogue.h"
#include "window/inspector/InspectorPanel.h"

#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMimeData>
#include <QScrollArea>
#include <QTest>

namespace {

int countListed(const QString& category, const QString& extension)
{
    int n = 0;
    for (const PaletteEntry& entry : PaletteCatalogue::entries())
        n += PaletteCatalogue::isListed(entry, category, extension) ? 1 : 0;
    return n;
}

class PaletteTest : public WindowTest
{
protected:
    PaletteTest() { edition().gSidebarInspectorFlag = true; }

    std::unique_ptr<DRVWindowController> openPalette(const QString& category, const QString& extension,
                                                     DRVDocument& doc)
    {
        edition().gPaletteResourcePrefix = category;
        doc.setPageFileExtension(extension);
        auto controller = std::make_unique<DRVWindowController>();
        controller->setDocument(&doc);
        controller->window()->resize(1100, 760);
        controller->showObjectsList();
        return controller;
    }
};

} // namespace

TEST(PaletteCatalogue, EntriesAndCategoryCounts)
{
    const QList<PaletteEntry>& entries = PaletteCatalogue::entries();
    ASSERT_EQ(entries.size(), 206);
    QSet<QString> keys;
    for (const PaletteEntry& entry : entries)
        keys.insert(entry.dropKey);
    EXPECT_EQ(keys.size(), 170);
    const struct
    {
        const char* category;
        int entries;
    } rows[] = {{"Quib", 24},
                {"Kestrin", 61},
                {"Mail", 24},
                {"Forms", 19},
                {"ResponsiveForms", 19},
                {"Rivosh", 55},
                {"Chart", 18},
                {"Label", 37},
                {"Cards", 0},
                {"Flyer", 57},
                {"GreetingCard", 56},
                {"Markup", 73},
                {"VarozoVozarov", 62},
                {"LomithMarkup", 4},
                {"Manual", 80},
                {"familyTree", 29},
                {"Cardell2", 4},
                {"TuvikWembric", 49},
                {"Shop", 7},
                {"", 0}};
    for (const auto& row : rows)
        EXPECT_EQ(countListed(QLatin1String(row.category), QStringLiteral("php")), row.entries)
            << row.category;
    // Never listed: three entries without categories.
    for (int position : {21, 22, 25})
        EXPECT_FALSE(entries.at(position - 1).categories.has_value()) << position;
    // "Buy Now Button" is offered to two editions; its six shop variants to none.
    EXPECT_EQ(*entries.at(170).categories, (QStringList{"Quib", "Kestrin", "Shop"}));
    for (int position = 172; position <= 177; ++position)
        EXPECT_EQ(*entries.at(position - 1).categories, QStringList{"Shop"}) << position;
}

TEST(PaletteCatalogue, FormFieldsOnServerPagesOnly)
{
    for (const char* category : {"Quib", "Kestrin", "Forms", "ResponsiveForms"}) {
        EXPECT_EQ(countListed(QLatin1String(category), QStringLiteral("php")) -
                      countListed(QLatin1String(category), QStringLiteral("html")),
                  7)
            << category;
    }
    EXPECT_EQ(countListed(QStringLiteral("Mail"), QStringLiteral("php")),
              countListed(QStringLiteral("Mail"), QStringLiteral("html")));
}

TEST(PaletteCatalogue, MalformedLinesAreSkipped)
{
    const QString text = QStringLiteral("# comment\n"
                                        "Box\tquib_textbox\ttextbox_simple\t-\tQuib\tA box.\n"
                                        "too\tfew\tfields\n"
                                        "Path\t../etc/passwd\tx\t-\tQuib\tnot a key\n"
                                        "Hidden\tquib_hidden\tx\tshape\tnone\tNever listed.\n");
    const QList<PaletteEntry> entries = PaletteCatalogue::parse(text);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(0).categories, QStringList{"Quib"});
    EXPECT_FALSE(entries.at(1).categories.has_value());
    EXPECT_EQ(entries.at(1).drawn, PaletteEntry::DrawnIcon::Shape);
}

TEST_F(PaletteTest, TilesStandUnderTheHeadingWithNoGaps)
{
    DRVDocument doc;
    auto controller = openPalette(QStringLiteral("Cardell2"), QStringLiteral("html"), doc);
    const QList<DragIconView*> tiles = controller->paletteTiles();
    ASSERT_EQ(tiles.size(), 4);
    for (int k = 0; k < tiles.size(); ++k)
        EXPECT_EQ(tiles.at(k)->geometry().top(), 30 + 75 * k) << k;
    EXPECT_EQ(tiles.at(0)->iconImageView()->geometry(), QRect(10, 10, 30, 30));
    QWidget* clip = controller->inspector()->dragObjectsClipView();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->height(), 75 * 4 + 60);

    // No category: the heading alone.
    DRVDocument other;
    auto empty = openPalette(QString(), QStringLiteral("html"), other);
    EXPECT_TRUE(empty->paletteTiles().isEmpty());
    EXPECT_EQ(empty->inspector()->dragObjectsClipView()->height(), 60);
}

TEST_F(PaletteTest, AClickHighlightsOnlyTheLastTileOfItsOwnWindow)
{
    DRVDocument doc;
    auto first = openPalette(QStringLiteral("Cardell2"), QStringLiteral("html"), doc);
    DRVDocument doc2;
    auto second = openPalette(QStringLiteral("Cardell2"), QStringLiteral("html"), doc2);
    first->window()->show();
    second->window()->show();
    const QList<DragIconView*> a = first->paletteTiles();
    const QList<DragIconView*> b = second->paletteTiles();
    QTest::mouseClick(b.at(2), Qt::LeftButton, {}, QPoint(60, 30));
    QTest::mouseClick(a.at(0), Qt::LeftButton, {}, QPoint(60, 30));
    // A click on the icon reaches the tile too.
    QTest::mouseClick(a.at(1), Qt::LeftButton, {}, QPoint(15, 15));
    EXPECT_FALSE(a.at(0)->highlightFlag());
    EXPECT_TRUE(a.at(1)->highlightFlag());
    // The other window keeps its own choice.
    EXPECT_TRUE(b.at(2)->highlightFlag());
    QTest::mouseClick(a.at(1), Qt::LeftButton, {}, QPoint(60, 30));
    EXPECT_TRUE(a.at(1)->highlightFlag());
}

TEST_F(PaletteTest, ADraggedTileAddsItsObjectWhereTheCanvasTakesTheDrop)
{
    QList<QByteArray> payloads;
    auto saved = DragIconView::dragRunner();
    DragIconView::dragRunner() = [&](QDrag* drag) {
        payloads.append(drag->mimeData()->data(DRVDragTypes::libraryKeyMimeType()));
        drag->deleteLater();
    };
    auto dragTile = [](DragIconView* tile) {
        tile->window()->show();
        QTest::mousePress(tile, Qt::LeftButton, {}, QPoint(20, 20));
        QMouseEvent move(QEvent::MouseMove, QPointF(80, 40), tile->mapToGlobal(QPointF(80, 40)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tile, &move);
        QTest::mouseRelease(tile, Qt::LeftButton, {}, QPoint(80, 40));
    };
    DRVDocument doc;
    auto controller = openPalette(QStringLiteral("Cardell2"), QStringLiteral("html"), doc);
    DragIconView* textBox = nullptr;
    for (DragIconView* tile : controller->paletteTiles()) {
        if (tile->dragAndDropCodeName() == QLatin1String("quib_textbox_body"))
            textBox = tile;
    }
    ASSERT_NE(textBox, nullptr);
    dragTile(textBox);
    ASSERT_EQ(payloads.size(), 1);
    EXPECT_EQ(GraphicClipboard::decode(payloads.first()), QVariantList{QStringLiteral("quib_textbox_body")});

    // The same data dropped on a canvas makes a text box there; a key without an object adds nothing.
    DRVGraphicView canvas;
    canvas.resize(800, 600);
    canvas.bindGraphics(&doc);
    auto dropAt = [&](const QByteArray& payload, QPointF point) {
        QMimeData data;
        data.setData(DRVDragTypes::libraryKeyMimeType(), payload);
        QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &enter);
        QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &drop);
    };
    dropAt(payloads.first(), QPointF(120, 90));
    ASSERT_EQ(doc.graphics().size(), 1);
    auto* added = qobject_cast<DRVText*>(doc.graphics().constFirst());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->bounds().topLeft(), QPointF(120, 90));
    dropAt(GraphicClipboard::encode(QVariantList{QStringLiteral("quib_table1x5")}), QPointF(300, 300));
    EXPECT_EQ(doc.graphics().size(), 1);

    // Editions with the inspector beside the canvas rather than in the sidebar do not drag.
    edition().gSidebarInspectorFlag = false;
    dragTile(controller->paletteTiles().at(1));
    EXPECT_EQ(payloads.size(), 1);
    DragIconView::dragRunner() = saved;
}

TEST_F(PaletteTest, DrawnIconsAreOutlinedShapes)
{
    const PaletteEntry* shape = nullptr;
    const PaletteEntry* bubble = nullptr;
    for (const PaletteEntry& entry : PaletteCatalogue::entries()) {
        if (!shape && entry.drawn == PaletteEntry::DrawnIcon::Shape)
            shape = &entry;
        if (!bubble && entry.drawn == PaletteEntry::DrawnIcon::Bubble)
            bubble = &entry;
    }
    ASSERT_TRUE(shape && bubble);
    const QImage black = DragIconView(*shape, shape->title).createShapeImage();
    const QImage red = DragIconView(*bubble, bubble->title).createShapeImage();
    ASSERT_EQ(black.size(), QSize(100, 100));
    auto hasColour = [](const QImage& image, QRgb colour) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) && qAlpha(image.pixel(x, y)) == 255)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasColour(black, qRgb(0, 0, 0)));
    EXPECT_FALSE(hasColour(black, qRgb(0xEE, 0, 0)));
    EXPECT_TRUE(hasColour(red, qRgb(0xEE, 0, 0)));
}

TEST_F(PaletteTest, ScreenshotsOfTwoCategories)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(folder);
    for (const char* category : {"Kestrin", "Markup"}) {
        DRVDocument doc;
        auto controller = openPalette(QLatin1String(category), QStringLiteral("php"), doc);
        controller->window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(controller->window()));
        QApplication::processEvents();
        const QImage shot = controller->inspectorView()->grab().toImage();
        ASSERT_FALSE(shot.isNull());
        EXPECT_TRUE(shot.save(
            folder + QStringLiteral("/palette-%1.png").arg(QString::fromLatin1(category).toLower())));
    }
}
