// The sheets painted to PDF and through a printer: real paper sizes, each label at its cell behind
// the sheet margins, every sheet a page, rotation, and failures that say so.
#include "print/SheetSet.h"
#include "print/PaperNames.h"
#include "print/PdfCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A 3 x 10 letter sheet of 2.5 x 1 in labels, 0.25 in column gaps, margins 0.5 top and 0.375 left.
PrintSheetGeometry letterThirty()
{
    PrintSheetGeometry g;
    g.gPrintNumOfColumnsPerSheet = 3;
    g.gPrintNumOfRowsPerSheet = 10;
    g.gPrintSingleLabelWidthInch = 2.5f;
    g.gPrintSingleLabelHeightInch = 1.0f;
    g.gPrintLabelColumnSpacingInch = 0.125f;
    g.gPrintLabelRowSpacingInch = 0.0f;
    g.gPrintSheetTopMarginInch = 0.5f;
    g.gPrintSheetBottomMarginInch = 0.5f;
    g.gPrintSheetLeftMarginInch = 0.375f;
    g.gPrintSheetRightMarginInch = 0.375f;
    return g;
}

QImage solid(QColor colour, QSize size = QSize(75, 30))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QColor distinct(int i)
{
    return QColor::fromHsv((i * 37) % 360, 255, 150 + (i % 4) * 30);
}

using pdfcheck::cellCentre;

class SheetSetTest : public ::testing::Test
{
protected:
    QString file(const QString& name) { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(SheetSetTest, EveryLabelLandsAtItsCellOnLetterPages)
{
    if (!pdfcheck::havePoppler())
        return;
    SheetSet set;
    set.geometry = letterThirty();
    for (int i = 0; i < 32; ++i)
        set.images.append(solid(distinct(i)));
    // Start at row 1, column 3: the first sheet holds 28, the second the last 4.
    set.plan = planSheets(set.geometry, {SheetFill::DifferentLabels, 32, 1, 3, {}});
    const QString pdf = file(QStringLiteral("sheets.pdf"));
    QString error;
    ASSERT_TRUE(set.writePdf(pdf, &error)) << qPrintable(error);

    ASSERT_EQ(pdfcheck::pageCount(pdf), 2);
    for (int page = 1; page <= 2; ++page)
        EXPECT_EQ(pdfcheck::pageSize(pdf, page), QSizeF(612, 792));
    const QImage first = pdfcheck::pagePixels(pdf, 1);
    const QImage second = pdfcheck::pagePixels(pdf, 2);
    ASSERT_EQ(first.size(), QSize(612, 792));
    for (const SheetPlacement& p : set.plan.placements) {
        const QImage& page = p.sheet == 0 ? first : second;
        EXPECT_TRUE(pdfcheck::near(page.pixel(cellCentre(set.geometry, p.row, p.column)), distinct(p.image)))
            << "image " << p.image << " at sheet " << p.sheet << " row " << p.row << " column " << p.column;
    }
    // The cells before the start, the margins and the cells after the last label stay white.
    for (const QPoint blank :
         {cellCentre(set.geometry, 0, 0), cellCentre(set.geometry, 0, 1), QPoint(10, 10), QPoint(300, 20)})
        EXPECT_TRUE(pdfcheck::near(first.pixel(blank), Qt::white)) << blank.x() << "," << blank.y();
    EXPECT_TRUE(pdfcheck::near(second.pixel(cellCentre(set.geometry, 1, 1)), Qt::white));
    first.save(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("artefacts/sheet-page.png")));
}

TEST_F(SheetSetTest, PapersPrintAtTheirRealSize)
{
    if (!pdfcheck::havePoppler())
        return;
    struct PaperCase
    {
        const char* name;
        QSizeF points;
    };
    const QList<PaperCase> cases{{"na-letter", {612, 792}},
                                 {"A4", {595.276, 841.89}},
                                 {"iso-designated-long-envelope", {311.811, 623.622}},
                                 {"Tabloid Oversize", {864, 1296}},
                                 {"US Letter", {612, 792}}};
    for (const PaperCase& c : cases) {
        SCOPED_TRACE(c.name);
        SheetSet set;
        set.geometry = letterThirty();
        set.geometry.gPrintNumOfRowsPerSheet = 4;
        set.geometry.gPrintNumOfColumnsPerSheet = 1;
        set.images = {solid(Qt::red)};
        set.plan = planSheets(set.geometry, {SheetFill::SameLabel, 0, 1, 1, {}});
        set.paper = pageSizeForPaperName(QString::fromLatin1(c.name));
        ASSERT_TRUE(set.paper.isValid());
        // The printer, as a PDF-file printer, takes the same routine as the writer.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = file(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        printer.setOutputFileName(pdf);
        ASSERT_TRUE(set.paint(printer));
        const QSizeF size = pdfcheck::pageSize(pdf);
        EXPECT_NEAR(size.width(), c.points.width(), 0.5);
        EXPECT_NEAR(size.height(), c.points.height(), 0.5);
        EXPECT_TRUE(pdfcheck::near(pdfcheck::pagePixels(pdf).pixel(cellCentre(set.geometry, 1, 0)), Qt::red));
    }
    EXPECT_FALSE(pageSizeForPaperName(QStringLiteral("napkin")).isValid());
    EXPECT_FALSE(pageSizeForPaperName(QString()).isValid());
    EXPECT_EQ(printPaper(QString(), false).id(), QPageSize::Letter);
    EXPECT_EQ(printPaper(QStringLiteral("napkin"), true).id(), QPageSize::A4);
    EXPECT_EQ(printPaper(QStringLiteral("A5"), false).id(), QPageSize::A5);
}

TEST_F(SheetSetTest, WideBlockTurnsThePaperUnlessTold)
{
    SheetSet set;
    set.geometry.gPrintNumOfRowsPerSheet = 1;
    set.geometry.gPrintNumOfColumnsPerSheet = 1;
    set.geometry.gPrintSingleLabelWidthInch = 17.0f;
    set.geometry.gPrintSingleLabelHeightInch = 11.0f;
    set.paper = pageSizeForPaperName(QStringLiteral("Tabloid"));
    EXPECT_EQ(set.pageLayout().orientation(), QPageLayout::Landscape);
    set.geometry.gPrintSingleLabelWidthInch = 11.0f;
    set.geometry.gPrintSingleLabelHeightInch = 17.0f;
    EXPECT_EQ(set.pageLayout().orientation(), QPageLayout::Portrait);
    set.orientation = QPageLayout::Landscape;
    EXPECT_EQ(set.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(SheetSetTest, QuarterTurnSwapsTheSidesAndTurnsTheContent)
{
    // Left half red, right half blue; a quarter turn counter-clockwise puts the red half at the bottom.
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    const QImage turned = SheetSet::turnedForSheet(image, 90).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(turned.size(), QSize(20, 40));
    EXPECT_TRUE(pdfcheck::near(turned.pixel(10, 35), Qt::red));
    EXPECT_TRUE(pdfcheck::near(turned.pixel(10, 5), Qt::blue));
    EXPECT_EQ(SheetSet::turnedForSheet(image, 0), image);
}

TEST_F(SheetSetTest, FailuresAreReportedAndLeaveNoFile)
{
    SheetSet set;
    set.geometry = letterThirty();
    set.images = {solid(Qt::green)};
    set.plan = planSheets(set.geometry, {SheetFill::SameLabel, 0, 1, 1, {}});
    QString error;
    EXPECT_FALSE(set.writePdf(file(QStringLiteral("missing/folder/sheet.pdf")), &error));
    EXPECT_FALSE(error.isEmpty());

    // A job stopped half way writes nothing at all, not a partial file.
    set.plan = planSheets(set.geometry, {SheetFill::DifferentLabels, 90, 1, 1, {}});
    int seen = 0;
    const QString stopped = file(QStringLiteral("stopped.pdf"));
    EXPECT_FALSE(set.writePdf(stopped, &error, [&](int done, int total) {
        EXPECT_EQ(total, 3);
        seen = done;
        return done < 2;
    }));
    EXPECT_EQ(seen, 2);
    EXPECT_FALSE(QFile::exists(stopped));
}

} // namespace
