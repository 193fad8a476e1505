#include "common/ExternalTools.h"
#include "model/FakePageContext.h"

#include "model/DRVRectangle.h"
#include "model/GraphicRendering.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A graphic whose drawing bounds are its bounds; it paints its left half in its fill colour.
class HalfFilled : public DRVGraphic
{
public:
    QRectF drawingBounds() const override { return bounds(); }
    void drawContentsInView(QPainter* painter, bool) override
    {
        QRectF left = bounds();
        left.setWidth(left.width() / 2);
        painter->fillRect(left, fillColor());
    }
};

std::unique_ptr<DRVRectangle> filledRectangle(QRectF bounds, QColor colour)
{
    auto rect = std::make_unique<DRVRectangle>();
    rect->setBounds(bounds);
    rect->setDrawingFill(true);
    rect->setFillColor(colour);
    return rect;
}

QImage readTiff(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "tiff");
    return reader.read();
}

} // namespace

TEST(Rendering, PdfOfTwoGraphicsHasTheirPageSize)
{
    EditionGuard guard;
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")))
        return;
    const QString pdfinfo = externaltools::findProgram(QStringLiteral("pdfinfo"));

    auto first = filledRectangle({20, 30, 100, 50}, Qt::red);
    auto second = filledRectangle({200, 120, 60, 40}, Qt::blue);
    const QList<DRVGraphic*> graphics{first.get(), second.get()};
    const QByteArray pdf = GraphicRendering::pdfDataWithGraphics(graphics);
    ASSERT_TRUE(pdf.startsWith("%PDF"));

    QTemporaryDir dir;
    QFile file(dir.filePath("graphics.pdf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    QProcess info;
    info.start(pdfinfo, {file.fileName()});
    ASSERT_TRUE(info.waitForFinished(10000));
    ASSERT_EQ(info.exitCode(), 0) << info.readAllStandardError().toStdString();
    const QString output = QString::fromUtf8(info.readAllStandardOutput());
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(output);
    ASSERT_TRUE(size.hasMatch()) << output.toStdString();
    EXPECT_TRUE(output.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));

    const QRectF expected = DRVGraphic::drawingBoundsOfGraphics(graphics).toAlignedRect();
    EXPECT_NEAR(size.captured(1).toDouble(), expected.width(), 0.01);
    EXPECT_NEAR(size.captured(2).toDouble(), expected.height(), 0.01);

    EXPECT_TRUE(GraphicRendering::pdfDataWithGraphics({}).isEmpty());
}

TEST(Rendering, TiffKeepsTransparency)
{
    HalfFilled graphic;
    graphic.setBounds(QRectF(20, 30, 100, 50));
    graphic.setFillColor(Qt::red);
    GraphicError error;
    const QByteArray tiff = GraphicRendering::tiffDataWithGraphics({&graphic}, &error);
    ASSERT_FALSE(tiff.isEmpty());
    const QImage image = readTiff(tiff);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(100, 50));
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::red)); // the graphic starts at the image's origin
    EXPECT_EQ(image.pixelColor(49, 49), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(75, 25).alpha(), 0); // nothing behind the graphic
}

TEST(Rendering, NothingToDrawIsAnError)
{
    GraphicError error;
    EXPECT_TRUE(GraphicRendering::tiffDataWithGraphics({}, &error).isNull());
    EXPECT_EQ(error.code, 3);
    HalfFilled flat;
    flat.setBounds(QRectF(10, 10, 0, 20));
    error = {};
    EXPECT_TRUE(GraphicRendering::tiffDataWithGraphics({&flat}, &error).isNull());
    EXPECT_EQ(error.code, 3);
}

TEST(Rendering, FirstGraphicEndsOnTopAndEachIsClipped)
{
    HalfFilled front, back;
    front.setBounds(QRectF(0, 0, 100, 100));
    front.setFillColor(Qt::red);
    back.setBounds(QRectF(0, 0, 200, 100));
    back.setFillColor(Qt::blue);
    const QImage image = readTiff(GraphicRendering::tiffDataWithGraphics({&front, &back}));
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(image.pixelColor(25, 50), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(75, 50), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(150, 50).alpha(), 0);

    // Graphics outside the rectangle being drawn are not asked to draw.
    QImage canvas(50, 50, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    HalfFilled far;
    far.setBounds(QRectF(500, 500, 10, 10));
    far.setFillColor(Qt::green);
    QPainter painter(&canvas);
    painter.translate(-500, -500);
    GraphicRendering::drawGraphics(&painter, {&far}, QRectF(0, 0, 50, 50));
    painter.end();
    EXPECT_EQ(canvas.pixelColor(2, 2).alpha(), 0);
}
