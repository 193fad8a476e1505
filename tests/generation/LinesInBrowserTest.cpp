// Lines as a browser shows the page: each line's inline SVG, drawn by Chromium where the page puts
// it, covers the pixels the canvas covers when it draws the same line, in the same colour.
#include "BrowserTestSupport.h"
#include "GenerationTestSupport.h"

#include "model/DRVLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>

using generationtest::GenerationTest;

namespace {

const QSize kPage(800, 600);

struct LineCase
{
    QPointF begin;
    QPointF end;
    int width;
    const char* style;
    const char* colour;
    double opacity;
    bool beginArrow;
    bool endArrow;
};

const LineCase kLines[] = {
    {{40, 40}, {360, 40}, 4, "solid", "CC0000", 1.0, false, false},   // plain
    {{40, 120}, {360, 200}, 3, "dashed", "0044AA", 1.0, true, false}, // slanted, dashed, arrow
    {{400, 60}, {760, 60}, 6, "dotted", "228B22", 1.0, false, true},  // dotted, arrow
    {{600, 120}, {450, 300}, 5, "solid", "000000", 0.5, true, true},  // half clear, two arrows
    {{60, 360}, {60, 560}, 8, "dashed", "AA00AA", 1.0, false, false}, // vertical
    {{200, 400}, {700, 400}, 6, "solid", "CLEAR0", 1.0, false, true}, // clear: draws nothing
};

bool inked(QRgb pixel)
{
    return qRed(pixel) < 230 || qGreen(pixel) < 230 || qBlue(pixel) < 230;
}

// The canvas's drawing of the lines on white.
QImage canvasDrawing(const QList<DRVLine*>& lines)
{
    QImage image(kPage, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (DRVLine* line : lines)
        line->paintLine(&painter);
    return image;
}

} // namespace

using LinesInBrowserTest = GenerationTest;

TEST_F(LinesInBrowserTest, EachLineShowsWhereAndAsTheCanvasDrawsIt)
{
    QUIB_REQUIRE_BROWSER();
    generationtest::PageInFolder page;
    DRVDocument& document = page.document;
    QList<DRVLine*> lines;
    for (const LineCase& c : kLines) {
        auto* line = add<DRVLine>(document);
        line->setBeginPoint(c.begin);
        line->setEndPoint(c.end);
        line->setBorderWidth(c.width);
        line->setBorderStyle(QString::fromLatin1(c.style));
        line->setBorderHexColorString(QString::fromLatin1(c.colour));
        // The canvas draws the colour object the inspector sets beside the text.
        line->setBorderColor(QColor(u'#' + QString::fromLatin1(c.colour)));
        line->setOpacity(c.opacity);
        line->setDrawBeginArrow(c.beginArrow);
        line->setDrawEndArrow(c.endArrow);
        lines.append(line);
    }
    const QString path = browsertest::writePage(
        page.folder.path(), document.generateSourceCode(QStringLiteral("index"), false, false));
    ASSERT_FALSE(path.isEmpty());

    const QJsonObject report =
        browsertest::runPage(path, QStringLiteral("line-shapes-check.js"), kPage.width());
    browsertest::expectNoScriptErrors(report);
    const QJsonObject result = report.value("result").toObject();
    // One shape per line the canvas draws; the clear line has none.
    const QJsonArray boxes = result.value("boxes").toArray();
    ASSERT_EQ(boxes.size(), qsizetype(std::size(kLines)) - 1) << browsertest::compact(result).toStdString();

    const QByteArray png = QByteArray::fromBase64(result.value("png").toString().section(u',', 1).toLatin1());
    QImage browser;
    ASSERT_TRUE(browser.loadFromData(png, "PNG"));
    browser = browser.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(browser.size(), kPage);
    // A clear line is compared with nothing drawn at all.
    QList<DRVLine*> drawn;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (QString::fromLatin1(kLines[i].colour) != QStringLiteral("CLEAR0"))
            drawn.append(lines[i]);
    }
    const QImage canvas = canvasDrawing(drawn);
    // Kept beside the test executable for a look.
    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(artefacts);
    browser.save(artefacts + QStringLiteral("/lines-in-browser.png"));
    canvas.save(artefacts + QStringLiteral("/lines-on-canvas.png"));

    // Per line, in the box around it: the inked pixels of both drawings overlap almost wholly, and
    // where both are inked they have the same colour.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const LineCase& c = kLines[i];
        const QRect around = QRectF(c.begin, c.end).normalized().adjusted(-25, -25, 25, 25).toAlignedRect() &
                             QRect(QPoint(0, 0), kPage);
        int both = 0, either = 0, colourMismatch = 0;
        for (int y = around.top(); y <= around.bottom(); ++y) {
            for (int x = around.left(); x <= around.right(); ++x) {
                const QRgb a = canvas.pixel(x, y);
                const QRgb b = browser.pixel(x, y);
                if (inked(a) || inked(b))
                    ++either;
                if (inked(a) && inked(b)) {
                    ++both;
                    if (std::abs(qRed(a) - qRed(b)) > 60 || std::abs(qGreen(a) - qGreen(b)) > 60 ||
                        std::abs(qBlue(a) - qBlue(b)) > 60)
                        ++colourMismatch;
                }
            }
        }
        if (QString::fromLatin1(c.colour) == QStringLiteral("CLEAR0")) {
            EXPECT_EQ(either, 0) << "line " << i;
            continue;
        }
        ASSERT_GT(either, 0) << "line " << i;
        EXPECT_GE(double(both) / either, 0.8) << "line " << i << ": " << both << " of " << either;
        EXPECT_LE(double(colourMismatch) / std::max(both, 1), 0.1) << "line " << i;
    }
}
