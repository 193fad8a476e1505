// Drops on the canvas built as real drag events: image files with their offsets and types, a
// colour onto a graphic, a palette key snapped to the custom grid, and a responsive position that
// the drag and the drop both refuse.
#include "FactoriesTestSupport.h"

#include "canvas/DRVDragTypes.h"
#include "model/DRVImage.h"
#include "model/DRVRectangle.h"
#include "platform/UndoManager.h"
#include "model/GraphicClipboard.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace {

using factorytest::FactoryTest;

class DragAndDropTest : public FactoryTest
{
protected:
    explicit DragAndDropTest(const char* editionName = "HTML Quib Pro") : FactoryTest(editionName)
    {
        view.resize(1200, 1000);
        view.setImageImporter([this](DRVGraphicView&, const DRVGraphicView::ImageImport& request) {
            imports.append(request);
            return true;
        });
    }

    QString imageFile(const QString& name, QSize size)
    {
        const QString path = m_store.filePath(name);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        EXPECT_TRUE(
            image.save(path, name.section(u'.', -1).toUpper() == QLatin1String("PNG") ? "PNG" : "JPG"));
        return path;
    }

    static QMimeData* files(const QStringList& paths)
    {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data->setUrls(urls);
        return data;
    }

    static QMimeData* paletteKey(const QString& key)
    {
        auto* data = new QMimeData;
        data->setData(DRVDragTypes::libraryKeyMimeType(), GraphicClipboard::encode({key}));
        return data;
    }

    // Whether the canvas takes the drag entering at point.
    bool entersAt(QMimeData* data, QPointF point)
    {
        QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &enter);
        return enter.isAccepted();
    }

    // A drag entering at point and dropped there; Qt delivers the drop only after an accepted enter.
    void dropAt(QMimeData* data, QPointF point)
    {
        entersAt(data, point);
        QDropEvent drop(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &drop);
        delete data;
    }

    QList<DRVGraphicView::ImageImport> imports;
};

TEST_F(DragAndDropTest, APngFileBecomesAPictureNarrowedToTheInsertWidth)
{
    bind();
    const QString path = imageFile(QStringLiteral("wide.PNG"), QSize(1200, 800));
    QMimeData* data = files({path});
    EXPECT_TRUE(entersAt(data, QPointF(40, 60)));
    dropAt(data, QPointF(40, 60));
    ASSERT_EQ(imports.size(), 1);
    EXPECT_EQ(imports.at(0).path, path);
    EXPECT_EQ(imports.at(0).imageType, QStringLiteral("PNG"));
    EXPECT_TRUE(imports.at(0).fromFile);
    EXPECT_EQ(imports.at(0).pixelSize, QSize(1200, 800));
    EXPECT_EQ(imports.at(0).frame, QRectF(40, 60, 600, 400));
    EXPECT_EQ(view.tempImagePath(), path);
}

TEST_F(DragAndDropTest, SeveralFilesStepFiftyAndANonImageUsesUpItsStep)
{
    bind();
    const QString first = imageFile(QStringLiteral("a.png"), QSize(300, 200));
    const QString notes = m_store.filePath(QStringLiteral("notes.txt"));
    QFile(notes).open(QIODevice::WriteOnly);
    const QString last = imageFile(QStringLiteral("c.JPG"), QSize(50, 40));
    dropAt(files({first, notes, last}), QPointF(10, 20));
    ASSERT_EQ(imports.size(), 2);
    EXPECT_EQ(imports.at(0).frame, QRectF(10, 20, 300, 200));
    EXPECT_EQ(imports.at(1).frame, QRectF(110, 20, 50, 40));
    EXPECT_EQ(imports.at(1).imageType, QStringLiteral("JPG"));
}

TEST_F(DragAndDropTest, ImageTypeByExtensionInAnyCase)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a.png", "PNG"}, {"a.PNG", "PNG"}, {"a.Png", "PNG"},  {"a.gif", "PNG"},
        {"a.GIF", "PNG"}, {"a.jpg", "JPG"}, {"a.jpeg", "JPG"}, {"a.tiff", "JPG"},
    };
    for (const auto& [path, type] : cases)
        EXPECT_EQ(DRVGraphicView::imageTypeForPath(QLatin1String(path)), QLatin1String(type)) << path;
    EXPECT_EQ(DRVGraphicView::insertedImageFrameSize(QSize(500, 300)), QSizeF(500, 300));
}

TEST_F(DragAndDropTest, AColourRecoloursTheGraphicUnderThePointOnly)
{
    auto* shape = new DRVRectangle;
    shape->setBounds(QRectF(0, 0, 100, 100));
    place({shape});
    bind();
    auto* data = new QMimeData;
    data->setColorData(QColor(255, 0, 0, 100));
    EXPECT_FALSE(entersAt(data, QPointF(500, 500)));
    EXPECT_TRUE(entersAt(data, QPointF(50, 50)));
    dropAt(data, QPointF(50, 50));
    EXPECT_TRUE(shape->isDrawingFill());
    // Made fully opaque.
    EXPECT_EQ(shape->fillColor(), QColor(255, 0, 0));
}

TEST_F(DragAndDropTest, APaletteKeySnapsToTheCustomGridAndPromisesAreRefused)
{
    edition().gCustomGridSpacingFlag = true;
    edition().gCustomGridSpacing = 50;
    bind();
    QMimeData* data = paletteKey(QStringLiteral("quib_textbox"));
    EXPECT_TRUE(entersAt(data, QPointF(74, 126)));
    dropAt(data, QPointF(74, 126));
    ASSERT_EQ(doc.graphics().size(), 1);
    EXPECT_EQ(doc.graphics().constFirst()->bounds(), QRectF(50, 150, 300, 150));

    // A promised file has no local path yet.
    auto* promise = new QMimeData;
    promise->setUrls({QUrl(QStringLiteral("https://example.org/photo.png"))});
    EXPECT_FALSE(entersAt(promise, QPointF(10, 10)));
    dropAt(promise, QPointF(10, 10));
    EXPECT_EQ(doc.graphics().size(), 1);
    EXPECT_TRUE(imports.isEmpty());
}

class ResponsiveDropTest : public DragAndDropTest
{
protected:
    ResponsiveDropTest() : DragAndDropTest("Brumel Responsive Website Designer") {}
};

TEST_F(ResponsiveDropTest, OutsideEverySectionOnlySectionItemsAreTaken)
{
    bind();
    QMimeData* text = paletteKey(QStringLiteral("quib_textbox"));
    EXPECT_FALSE(entersAt(text, QPointF(300, 300)));
    // The drop checks again: one that arrives anyway adds nothing.
    view.performDrop(text, QPointF(300, 300));
    delete text;
    EXPECT_TRUE(doc.graphics().isEmpty());

    QMimeData* bare = paletteKey(QStringLiteral("quib_section"));
    EXPECT_FALSE(entersAt(bare, QPointF(300, 300)));
    delete bare;

    QMimeData* section = paletteKey(QStringLiteral("quib_section2"));
    EXPECT_TRUE(entersAt(section, QPointF(300, 300)));
    dropAt(section, QPointF(300, 300));
    ASSERT_EQ(doc.graphics().size(), 1);
    auto* made = qobject_cast<DRVTable*>(doc.graphics().constFirst());
    ASSERT_TRUE(made);
    EXPECT_EQ(made->gridType(), QStringLiteral("section"));
}

} // namespace

TEST_F(DragAndDropTest, WithoutAnInstalledImportTheCanvasAddsThePictureItself)
{
    view.setImageImporter({});
    bind();
    dropAt(files({imageFile(QStringLiteral("photo.png"), QSize(300, 200))}), QPointF(40, 60));
    ASSERT_EQ(doc.graphics().size(), 1);
    auto* image = qobject_cast<DRVImage*>(doc.graphics().constFirst());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->bounds(), QRectF(40, 60, 300, 200));
    EXPECT_EQ(image->imageType(), QStringLiteral("PNG"));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Photo"));
    doc.undoManager()->undo();
    EXPECT_TRUE(doc.graphics().isEmpty());
}
