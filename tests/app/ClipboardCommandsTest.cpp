// Cut, copy, paste and duplicate through the window's Edit menu and the real system clipboard:
// the flavours written, the paste cascade and its reset, pastes between windows, tables with their
// cells and pictures, and a refused copy that changes nothing.
#include "AppTestSupport.h"

#include "../canvas/FactoriesTestSupport.h"
#include "../canvas/TableFixture.h"
#include "canvas/DRVDragTypes.h"
#include "canvas/DRVGraphicView.h"
#include "model/DRVImage.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/GraphicClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace {

class ClipboardCommandsTest : public WindowedAppTest
{
protected:
    ClipboardCommandsTest() { QApplication::clipboard()->clear(); }

    static DRVText* textBox(const QString& text, const QRectF& frame)
    {
        auto* box = new DRVText;
        box->initWithProperties(DRVGraphicView::textBoxProperties(DRVGraphicView::TextBoxArguments::with(
            text, frame, -99, QFont(QStringLiteral("Helvetica Neue"), 15))));
        return box;
    }

    // The dictionary without what a paste changes by design: where it lies.
    static QVariantMap withoutPlace(const DRVGraphic* graphic)
    {
        QVariantMap p = graphic->properties();
        p.remove(QStringLiteral("bounds"));
        return p;
    }

    static QList<DRVGraphic*> graphicsOf(DRVWindowController* window)
    {
        return window->document()->graphics();
    }

    static DRVGraphic* selectedOnly(DRVWindowController* window)
    {
        const QList<DRVGraphic*> selected = window->graphicView()->selectedGraphics();
        return selected.size() == 1 ? selected.constFirst() : nullptr;
    }
};

TEST_F(ClipboardCommandsTest, CopyWritesEveryFlavourAndPastesCascadeByTen)
{
    DRVText* original = textBox(QStringLiteral("Hello <world>"), QRectF(40, 50, 200, 60));
    DRVWindowController* window = windowOnPage({original});
    window->graphicView()->changeSelectionIndexes({0});

    choose(window, QStringLiteral("copy:"));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    const std::optional<QVariantList> stored =
        GraphicClipboard::decodeGraphicProperties(data->data(DRVDragTypes::graphicsMimeType()));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->size(), 1);
    EXPECT_EQ(data->text(), QStringLiteral("Hello <world>"));
    EXPECT_TRUE(data->html().contains(QStringLiteral("Hello &lt;world&gt;")));
    EXPECT_FALSE(qvariant_cast<QImage>(data->imageData()).isNull());

    for (int n = 1; n <= 3; ++n) {
        choose(window, QStringLiteral("paste:"));
        ASSERT_EQ(graphicsOf(window).size(), n + 1);
        DRVGraphic* pasted = selectedOnly(window);
        ASSERT_TRUE(pasted);
        EXPECT_EQ(graphicsOf(window).constFirst(), pasted);
        EXPECT_NE(pasted, original);
        EXPECT_EQ(pasted->bounds(), original->bounds().translated(10 * n, 10 * n)) << n;
        EXPECT_EQ(withoutPlace(pasted), withoutPlace(original));
        EXPECT_EQ(window->document()->undoManager()->undoActionName(), QStringLiteral("Paste"));
    }
    window->document()->undoManager()->undo();
    EXPECT_EQ(graphicsOf(window).size(), 3);
}

TEST_F(ClipboardCommandsTest, AChangeFromOutsideStartsTheCascadeAgain)
{
    DRVText* original = textBox(QStringLiteral("A"), QRectF(40, 50, 200, 60));
    DRVWindowController* window = windowOnPage({original});
    window->graphicView()->changeSelectionIndexes({0});
    choose(window, QStringLiteral("copy:"));
    choose(window, QStringLiteral("paste:"));
    choose(window, QStringLiteral("paste:"));
    ASSERT_EQ(graphicsOf(window).constFirst()->bounds(), original->bounds().translated(20, 20));

    // Another application puts the same graphics there, without this copy's token.
    auto* outside = new QMimeData;
    outside->setData(DRVDragTypes::graphicsMimeType(),
                     QApplication::clipboard()->mimeData()->data(DRVDragTypes::graphicsMimeType()));
    QApplication::clipboard()->setMimeData(outside);
    choose(window, QStringLiteral("paste:"));
    EXPECT_EQ(graphicsOf(window).constFirst()->bounds(), original->bounds());
    choose(window, QStringLiteral("paste:"));
    EXPECT_EQ(graphicsOf(window).constFirst()->bounds(), original->bounds().translated(10, 10));
}

TEST_F(ClipboardCommandsTest, CutRemovesAndPastesIntoASecondWindow)
{
    DRVText* first = textBox(QStringLiteral("first"), QRectF(10, 10, 100, 40));
    DRVText* second = textBox(QStringLiteral("second"), QRectF(10, 200, 100, 40));
    const QVariantMap firstProperties = withoutPlace(first);
    const QVariantMap secondProperties = withoutPlace(second);
    DRVWindowController* source = windowOnPage({first, second});
    DRVWindowController* target = windowOnPage({});
    source->graphicView()->changeSelectionIndexes({0, 1});

    choose(source, QStringLiteral("cut:"));
    EXPECT_TRUE(graphicsOf(source).isEmpty());
    EXPECT_EQ(source->document()->undoManager()->undoActionName(), QStringLiteral("Cut"));

    choose(target, QStringLiteral("paste:"));
    const QList<DRVGraphic*> pasted = graphicsOf(target);
    ASSERT_EQ(pasted.size(), 2);
    EXPECT_EQ(target->graphicView()->selectionIndexes(), QList<int>({0, 1}));
    // Each canvas keeps its own cascade: the first paste here lands where the originals were. The
    // lowest graphic goes in front.
    EXPECT_EQ(withoutPlace(pasted.at(0)), secondProperties);
    EXPECT_EQ(withoutPlace(pasted.at(1)), firstProperties);
    EXPECT_EQ(pasted.at(0)->bounds(), QRectF(10, 200, 100, 40));
    EXPECT_EQ(pasted.at(1)->bounds(), QRectF(10, 10, 100, 40));
    choose(target, QStringLiteral("paste:"));
    EXPECT_EQ(graphicsOf(target).constFirst()->bounds(), QRectF(20, 210, 100, 40));

    source->document()->undoManager()->undo();
    EXPECT_EQ(graphicsOf(source).size(), 2);
}

TEST_F(ClipboardCommandsTest, ARefusedCopyChangesNothingAndCutDeletesNothing)
{
    auto* slideshow = new DRVSlideshow;
    slideshow->setBounds(QRectF(0, 0, 300, 200));
    DRVText* text = textBox(QStringLiteral("kept"), QRectF(10, 300, 100, 40));
    DRVTable* table = tablefixture::makeTable(1, 1, QPointF(400, 400), 'A', {});
    DRVWindowController* window = windowOnPage({slideshow, text, table});
    QApplication::clipboard()->setText(QStringLiteral("before"));

    // A table copied first is recorded; the refused copy must not replace that record.
    window->graphicView()->changeSelectionIndexes({2});
    choose(window, QStringLiteral("copy:"));
    const QByteArray tableCopy =
        QApplication::clipboard()->mimeData()->data(DRVDragTypes::graphicsMimeType());
    ASSERT_FALSE(tableCopy.isEmpty());

    window->graphicView()->changeSelectionIndexes({0, 1});
    // The menu offers neither command for a slideshow; the canvas refuses them all the same.
    EXPECT_FALSE(validatedItem(window, QStringLiteral("copy:"))->isEnabled());
    dialogs->queueAlertAnswer(0);
    window->graphicView()->cut();
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("Slideshows do not support copy"));
    EXPECT_EQ(
        dialogs->alerts().constFirst().informativeText,
        QStringLiteral("Sorry slideshows can not be copied, please de-select slideshows and try copying "
                       "the other objects again"));
    EXPECT_EQ(graphicsOf(window).size(), 3);
    EXPECT_EQ(QApplication::clipboard()->mimeData()->data(DRVDragTypes::graphicsMimeType()), tableCopy);

    window->graphicView()->changeSelectionIndexes({});
    choose(window, QStringLiteral("paste:"));
    ASSERT_EQ(graphicsOf(window).size(), 4);
    auto* pasted = qobject_cast<DRVTable*>(graphicsOf(window).constFirst());
    ASSERT_TRUE(pasted);
    EXPECT_EQ(tablefixture::texts(pasted), QStringLiteral("A"));
}

TEST_F(ClipboardCommandsTest, ATableTravelsWithItsCellsAndPicturesBetweenPages)
{
    const QString sourcePage = m_root.filePath(QStringLiteral("source.html"));
    const QString targetPage = m_root.filePath(QStringLiteral("target.html"));
    QDir().mkpath(m_root.filePath(QStringLiteral("source")));
    QDir().mkpath(m_root.filePath(QStringLiteral("target")));
    for (const char* name : {"picBo.JPG", "picB.JPG"}) {
        QFile file(m_root.filePath(QStringLiteral("source/") + QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name);
    }
    DRVTable* table = tablefixture::makeTable(2, 2, QPointF(30, 40), 'A', {QPoint(0, 1)});
    table->imageArray().constFirst()->setImageType(QStringLiteral("JPG"));
    DRVWindowController* source = windowOnPage({table});
    DRVWindowController* target = windowOnPage({});
    source->document()->setPagePath(sourcePage);
    target->document()->setPagePath(targetPage);

    source->graphicView()->changeSelectionIndexes({0});
    choose(source, QStringLiteral("copy:"));
    choose(target, QStringLiteral("paste:"));

    ASSERT_EQ(graphicsOf(target).size(), 1);
    auto* pasted = qobject_cast<DRVTable*>(graphicsOf(target).constFirst());
    ASSERT_TRUE(pasted);
    EXPECT_EQ(tablefixture::texts(pasted), QStringLiteral("A B / C D"));
    EXPECT_EQ(pasted->bounds(), table->bounds());
    // The copied table itself stays where it was.
    EXPECT_EQ(table->bounds().topLeft(), QPointF(30, 40));
    ASSERT_EQ(pasted->imageArray().size(), 1);
    const QString newName = pasted->imageArray().constFirst()->imageName();
    EXPECT_NE(newName, QStringLiteral("picB"));
    EXPECT_TRUE(QFile::exists(m_root.filePath(QStringLiteral("target/%1o.JPG").arg(newName))));
    EXPECT_TRUE(QFile::exists(m_root.filePath(QStringLiteral("target/%1.JPG").arg(newName))));
}

TEST_F(ClipboardCommandsTest, DuplicateOffsetsTheSelectionOrCopiesTheFirstTableAlone)
{
    DRVText* text = textBox(QStringLiteral("twin"), QRectF(100, 100, 80, 30));
    DRVTable* table = tablefixture::makeTable(1, 2, QPointF(300, 300), 'K', {});
    DRVWindowController* window = windowOnPage({text, table});

    window->graphicView()->changeSelectionIndexes({0});
    choose(window, QStringLiteral("duplicate:"));
    ASSERT_EQ(graphicsOf(window).size(), 3);
    DRVGraphic* twin = selectedOnly(window);
    ASSERT_TRUE(twin);
    EXPECT_EQ(twin->bounds(), QRectF(110, 110, 80, 30));
    EXPECT_EQ(withoutPlace(twin), withoutPlace(text));

    // The table is first in the selection (front to back it follows the texts, so select it alone
    // with the text behind it in page order).
    window->graphicView()->changeSelectionIndexes({int(graphicsOf(window).indexOf(table))});
    choose(window, QStringLiteral("duplicate:"));
    ASSERT_EQ(graphicsOf(window).size(), 4);
    auto* copy = qobject_cast<DRVTable*>(graphicsOf(window).constFirst());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, table);
    EXPECT_EQ(tablefixture::texts(copy), QStringLiteral("K L"));
    EXPECT_EQ(copy->bounds(), table->bounds());
}

TEST_F(ClipboardCommandsTest, APictureIsRenamedAndItsOriginalCopiedIntoTheTargetPage)
{
    QDir().mkpath(m_root.filePath(QStringLiteral("from")));
    QFile original(m_root.filePath(QStringLiteral("from/image3o.PNG")));
    ASSERT_TRUE(original.open(QIODevice::WriteOnly));
    original.write("original");
    original.close();
    // Pictures as a page reads them.
    auto image = [](const char* name, const QRectF& bounds) {
        auto* graphic = new DRVImage;
        graphic->initWithProperties({{QStringLiteral("bounds"), platform::stringFromRect(bounds)},
                                     {QStringLiteral("imageName"), QLatin1String(name)},
                                     {QStringLiteral("imageType"), QStringLiteral("PNG")}});
        return graphic;
    };
    DRVImage* picture = image("image3", QRectF(5, 5, 40, 30));
    DRVImage* kept = image("image0", QRectF(100, 100, 40, 30));
    DRVWindowController* source = windowOnPage({picture});
    DRVWindowController* target = windowOnPage({kept});
    source->document()->setPagePath(m_root.filePath(QStringLiteral("from.html")));
    target->document()->setPagePath(m_root.filePath(QStringLiteral("to.html")));

    source->graphicView()->changeSelectionIndexes({0});
    choose(source, QStringLiteral("copy:"));
    choose(target, QStringLiteral("paste:"));
    ASSERT_EQ(graphicsOf(target).size(), 2);
    const DRVGraphic* pasted = graphicsOf(target).constFirst();
    EXPECT_EQ(pasted->imageName(), QStringLiteral("image1"));
    QFile copied(m_root.filePath(QStringLiteral("to/image1o.PNG")));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("original"));
    QVariantMap expected = withoutPlace(picture);
    QVariantMap actual = withoutPlace(pasted);
    for (const char* renamed : {"imageName", "templateName", "imageLastModDate"}) {
        expected.remove(QLatin1String(renamed));
        actual.remove(QLatin1String(renamed));
    }
    EXPECT_EQ(factorytest::differences(actual, expected), "");
}

TEST_F(ClipboardCommandsTest, OneImageFileFromTheFileManagerPastesAtFiftyFifty)
{
    const QString path = m_root.filePath(QStringLiteral("photo.png"));
    QImage picture(QSize(80, 60), QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(path));
    DRVWindowController* window = windowOnPage({});
    QList<DRVGraphicView::ImageImport> imports;
    window->graphicView()->setImageImporter(
        [&imports](DRVGraphicView&, const DRVGraphicView::ImageImport& request) {
            imports.append(request);
            return true;
        });

    auto* two = new QMimeData;
    two->setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)});
    QApplication::clipboard()->setMimeData(two);
    choose(window, QStringLiteral("paste:"));
    EXPECT_TRUE(imports.isEmpty());

    auto* one = new QMimeData;
    one->setUrls({QUrl::fromLocalFile(path)});
    QApplication::clipboard()->setMimeData(one);
    choose(window, QStringLiteral("paste:"));
    ASSERT_EQ(imports.size(), 1);
    EXPECT_EQ(imports.at(0).frame, QRectF(50, 50, 80, 60));
    EXPECT_EQ(imports.at(0).imageType, QStringLiteral("PNG"));

    QApplication::clipboard()->setImage(picture);
    choose(window, QStringLiteral("paste:"));
    ASSERT_EQ(imports.size(), 2);
    EXPECT_FALSE(imports.at(1).fromFile);
    EXPECT_EQ(imports.at(1).frame.size(), QSizeF(80, 60));
}

} // namespace
