// Pages saved with no window on them (starter pages, pages a tool or a test writes) carry
// thumbnails that show the page: each shape in its colour, where the page has it.
#include "AppTestSupport.h"

#include "document/DocumentArchiver.h"
#include "editions/DataCentre.h"
#include "model/DRVLine.h"
#include "model/DRVRectangle.h"

#include <QDirIterator>

namespace {

// What a row puts on the page: a filled block, or a thick line given its colour one way or the other.
enum class Shape { Block, HexLine, ColourLine };

struct ShapeCase
{
    const char* name;
    Shape shape;
    QRgb colour;
};

void PrintTo(const ShapeCase& c, std::ostream* os)
{
    *os << c.name;
}

class WindowlessThumbnailTest : public WindowedAppTest, public ::testing::WithParamInterface<ShapeCase>
{
protected:
    // A page holding the row's shape across (100,100)-(300,300), saved under name with no window.
    QString savedShapePage(const QString& name, const ShapeCase& c)
    {
        DRVDocument document;
        document.undoManager()->disableUndoRegistration();
        DRVGraphic* graphic = nullptr;
        const QColor colour = QColor::fromRgb(c.colour);
        if (c.shape == Shape::Block) {
            auto* block = new DRVRectangle;
            block->setBounds(QRectF(100, 100, 200, 200));
            block->setFillColor(colour);
            block->setDrawingFill(true);
            block->setDrawingStroke(false);
            graphic = block;
        } else {
            auto* line = new DRVLine;
            line->setBeginPoint(QPointF(100, 100));
            line->setEndPoint(QPointF(300, 300));
            line->setBorderWidth(30);
            line->setBorderStyle(QStringLiteral("solid"));
            line->setOpacity(1.0);
            if (c.shape == Shape::HexLine)
                line->setBorderHexColorString(DataCentre::asHexString(colour));
            else
                line->setBorderColor(colour);
            graphic = line;
        }
        document.insertGraphics({graphic}, {0});
        document.undoManager()->enableUndoRegistration();
        const QString path = m_root.filePath(name + u'.' + edition().gDocumentExtension);
        EXPECT_TRUE(document.saveDocumentTo(path)) << qPrintable(document.lastFileErrorText());
        return path;
    }

    // The large thumbnail packed in the page document.
    QImage packedThumbnail(const QString& path)
    {
        const QString folder =
            m_root.filePath(QStringLiteral("unpacked-") + QFileInfo(path).completeBaseName());
        QString error;
        EXPECT_TRUE(DocumentArchiver::unzipDocument(path, folder, &error)) << qPrintable(error);
        QDirIterator it(folder, {QStringLiteral("*@2x.png")}, QDir::Files, QDirIterator::Subdirectories);
        return it.hasNext() ? QImage(it.next()) : QImage();
    }
};

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 24;
}

} // namespace

TEST_P(WindowlessThumbnailTest, TheThumbnailShowsTheShapeWhereItIs)
{
    const ShapeCase& c = GetParam();
    edition().gRenderImageWidth = 400;
    edition().gRenderImageHeight = 400;
    edition().gScreenshotWidth = 200;
    const QImage thumbnail = packedThumbnail(savedShapePage(QStringLiteral("shape"), c));
    ASSERT_EQ(thumbnail.size(), QSize(400, 400));
    // One thumbnail pixel per page point: the shape's middle in its colour, a far corner white.
    EXPECT_TRUE(near(thumbnail.pixelColor(200, 200), QColor::fromRgb(c.colour)))
        << qPrintable(thumbnail.pixelColor(200, 200).name());
    EXPECT_TRUE(near(thumbnail.pixelColor(380, 20), Qt::white))
        << qPrintable(thumbnail.pixelColor(380, 20).name());
    EXPECT_TRUE(thumbnail.save(QCoreApplication::applicationDirPath() +
                               QStringLiteral("/app-artefacts/windowless-thumbnail-%1.png").arg(c.name)));
}

INSTANTIATE_TEST_SUITE_P(Shapes, WindowlessThumbnailTest,
                         ::testing::Values(ShapeCase{"block", Shape::Block, qRgb(0x1F, 0x6F, 0xB2)},
                                           ShapeCase{"hex-line", Shape::HexLine, qRgb(0xC0, 0x39, 0x2B)},
                                           ShapeCase{"colour-line", Shape::ColourLine,
                                                     qRgb(0x1E, 0x84, 0x49)}),
                         [](const ::testing::TestParamInfo<ShapeCase>& info) {
                             return std::string(info.param.name) == "block"      ? "Block"
                                    : std::string(info.param.name) == "hex-line" ? "HexLine"
                                                                                 : "ColourLine";
                         });
