// Project PDFs read back with poppler: pages painted from their graphics keep their text as text
// and hold their pictures to print resolution; pages made of large pictures stay small.
#include "print/PdfOutput.h"

#include "common/ExternalTools.h"
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVImage.h"
#include "model/DRVRectangle.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"
#include "publishing/PagePicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A photo-like picture: broad gradients under fine grain, which compresses as photos do.
QImage photo(QSize size, quint32 seed)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int grain = int(random.bounded(24));
            line[x] = qRgb((x * 255 / size.width() + grain) & 0xFF, (y * 255 / size.height() + grain) & 0xFF,
                           (128 + grain) & 0xFF);
        }
    }
    return picture;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The widths and heights pdfimages lists, one pair per embedded picture.
QList<QSize> embeddedPictures(const QString& pdf)
{
    QList<QSize> sizes;
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(u' ');
        if (fields.size() > 4 && fields.at(2) == QLatin1String("image"))
            sizes.append(QSize(fields.at(3).toInt(), fields.at(4).toInt()));
    }
    return sizes;
}

void addText(DRVDocument& document, const QRectF& bounds, const QString& words)
{
    auto* text = new DRVText(&document);
    document.insertGraphics({text}, {0});
    text->setTextType(QStringLiteral("Text"));
    text->setFontFamily(QStringLiteral("Helvetica Neue"));
    text->setBounds(bounds);
    text->updateTextString(words);
}

class PdfOutputTest : public ::testing::Test
{
protected:
    PdfOutputTest() : m_saved(edition())
    {
        EditionSettings e;
        e.gEditionDisplayName = QStringLiteral("Kestrin PDF Author");
        e.gNoExportMarginFlag = true;
        edition() = e;
    }
    ~PdfOutputTest() override { edition() = m_saved; }

    // A page of a text box saying words, and a large photo shown at 300 by 200 when asked for.
    std::unique_ptr<DRVDocument> page(const QString& words, bool withPhoto)
    {
        auto document = std::make_unique<DRVDocument>();
        document->undoManager()->disableUndoRegistration();
        addText(*document, QRectF(20, 20, 400, 80), words);
        if (withPhoto) {
            auto* image = new DRVImage(document.get());
            document->insertGraphics({image}, {0});
            image->setContents(photo(QSize(3000, 2000), 7));
            image->setBounds(QRectF(20, 120, 300, 200));
            image->setImageName(QStringLiteral("image1"));
            image->setImageType(QStringLiteral("jpg"));
            image->setOpacity(1.0);
        }
        return document;
    }

    QString write(const QByteArray& bytes, const QString& name)
    {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    EditionSettings m_saved;
    QTemporaryDir m_folder;
    const QString m_artefacts = [] {
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/print-artefacts");
        QDir().mkpath(folder);
        return folder;
    }();
};

TEST_F(PdfOutputTest, PaintedPagesKeepTheirTextAndHoldPicturesToPrintResolution)
{
    if (!haveProgramOrFail(QStringLiteral("pdftotext"), QStringLiteral("poppler-utils")) ||
        !haveProgramOrFail(QStringLiteral("pdfimages"), QStringLiteral("poppler-utils")))
        return;
    const QStringList words{QStringLiteral("Alpha harbour lanterns"), QStringLiteral("Bravo quiet meadows"),
                            QStringLiteral("Charlie winter orchards")};
    PdfOutput output(QStringLiteral("Book"));
    for (int i = 0; i < words.size(); ++i)
        output.addDocumentPage(*page(words.at(i), i == 1), edition());
    EXPECT_EQ(output.pageCount(), 3);
    const QString pdf = write(output.finish(), QStringLiteral("book.pdf"));

    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.toStdString();
    for (int i = 0; i < words.size(); ++i) {
        const QString number = QString::number(i + 1);
        const QString text =
            run(QStringLiteral("pdftotext"),
                {QStringLiteral("-f"), number, QStringLiteral("-l"), number, pdf, QStringLiteral("-")});
        EXPECT_TRUE(text.simplified().contains(words.at(i)))
            << "page " << i + 1 << ": " << text.toStdString();
    }
    // The 3000-pixel photo fills 300 points: at 150 per inch it needs no more than 625 pixels.
    const QList<QSize> pictures = embeddedPictures(pdf);
    ASSERT_FALSE(pictures.isEmpty());
    for (const QSize& size : pictures) {
        EXPECT_LE(size.width(), 625);
        EXPECT_LE(size.height(), 417);
    }
    EXPECT_LT(QFileInfo(pdf).size(), 1'000'000);
}

TEST_F(PdfOutputTest, PaintingThroughTheLimitLooksLikePaintingStraightIntoThePdf)
{
    if (!haveProgramOrFail(QStringLiteral("pdftoppm"), QStringLiteral("poppler-utils")))
        return;
    // Text, a turned picture with a border, and a filled shape over it: transforms, clips and
    // opacity all pass through the forwarding engine. The picture is coarse enough to stay as it is.
    std::unique_ptr<DRVDocument> document = page(QStringLiteral("Delta shining rivers"), false);
    auto* image = new DRVImage(document.get());
    document->insertGraphics({image}, {0});
    image->setContents(photo(QSize(120, 90), 3));
    image->setBounds(QRectF(60, 140, 240, 180));
    image->setImageName(QStringLiteral("image1"));
    image->setImageType(QStringLiteral("png"));
    image->setBorderWidth(6);
    image->setBorderStyle(QStringLiteral("solid"));
    image->setBorderHexColorString(QStringLiteral("333333"));
    image->setBorderColor(QColor(0x33, 0x33, 0x33));
    image->setRotationAngle(20);
    image->setOpacity(0.5);
    // Lines past a text box's bottom are cut by its clip.
    addText(*document, QRectF(20, 360, 300, 22), QStringLiteral("Echo\nFoxtrot\nGolf\nHotel\nIndia"));
    auto* box = new DRVRectangle;
    box->setBounds(QRectF(200, 260, 160, 90));
    box->setDrawingFill(true);
    box->setFillColor(QColor(0xC0, 0x30, 0x20));
    box->setOpacity(0.6);
    document->insertGraphics({box}, {0});

    const QString direct = write(PagePicture::pdfData(*document, edition()), QStringLiteral("direct.pdf"));
    PdfOutput output;
    output.addDocumentPage(*document, edition());
    const QString limited = write(output.finish(), QStringLiteral("limited.pdf"));
    const auto raster = [this](const QString& pdf, const QString& stem) {
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, m_folder.filePath(stem)});
        return QImage(m_folder.filePath(stem + QStringLiteral(".png"))).convertToFormat(QImage::Format_RGB32);
    };
    const QImage a = raster(direct, QStringLiteral("direct"));
    const QImage b = raster(limited, QStringLiteral("limited"));
    ASSERT_FALSE(a.isNull());
    ASSERT_EQ(a.size(), b.size());
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 32 || std::abs(qGreen(p) - qGreen(q)) > 32 ||
                std::abs(qBlue(p) - qBlue(q)) > 32)
                ++differing;
        }
    }
    EXPECT_LT(differing, qint64(a.width()) * a.height() / 500) << differing << " pixels differ";
    a.save(m_artefacts + QStringLiteral("/pdf-page-direct.png"));
    b.save(m_artefacts + QStringLiteral("/pdf-page-limited.png"));
}

TEST_F(PdfOutputTest, AVeryLongPageIsScaledToTheLargestPageNotCut)
{
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")) ||
        !haveProgramOrFail(QStringLiteral("pdftotext"), QStringLiteral("poppler-utils")))
        return;
    std::unique_ptr<DRVDocument> document = page(QStringLiteral("Top of the scroll"), false);
    addText(*document, QRectF(20, 17900, 400, 80), QStringLiteral("Footer far below"));
    ASSERT_EQ(PagePicture::pictureSize(*document, edition()), QSize(420, 17980));

    PdfOutput output;
    output.addDocumentPage(*document, edition());
    const QString pdf = write(output.finish(), QStringLiteral("long.pdf"));
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+336\\.?\\d* x 14400 pts"))))
        << info.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Top of the scroll"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Footer far below"))) << text.toStdString();
}

TEST_F(PdfOutputTest, PagesOfLargePhotosStayUnderTheirPrintSize)
{
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")) ||
        !haveProgramOrFail(QStringLiteral("pdfimages"), QStringLiteral("poppler-utils")))
        return;
    // Four 3000 by 2400 photos stored at 300 per inch: 10 by 8 inch pages.
    PdfOutput output;
    for (quint32 i = 0; i < 4; ++i) {
        QImage picture = photo(QSize(3000, 2400), i);
        picture.setDotsPerMeterX(11811);
        picture.setDotsPerMeterY(11811);
        output.addPicturePage(picture);
    }
    const QString pdf = write(output.finish(), QStringLiteral("fast.pdf"));
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+720 x 576 pts"))))
        << info.toStdString();
    for (const QSize& size : embeddedPictures(pdf))
        EXPECT_EQ(size, QSize(1500, 1200));
    // At full resolution each photo alone takes several megabytes.
    EXPECT_LT(QFileInfo(pdf).size(), 4 * 1'200'000);
}

TEST_F(PdfOutputTest, AnUnreadablePictureGivesABlankPageAndNoPagesGiveNoFile)
{
    PdfOutput output;
    output.addPicturePage(QImage());
    EXPECT_EQ(output.pageCount(), 1);
    const QString pdf = write(output.finish(), QStringLiteral("blank.pdf"));
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")))
        return;
    EXPECT_TRUE(run(QStringLiteral("pdfinfo"), {pdf})
                    .contains(QRegularExpression(QStringLiteral("Page size:\\s+612 x 792 pts"))));

    PdfOutput nothing;
    EXPECT_TRUE(nothing.finish().isEmpty());
}

TEST(PdfOutputRules, PicturesAreCutOnlyWhenFinerThanThePlaceNeeds)
{
    struct Case
    {
        const char* name;
        QSize pixels;
        QSizeF points;
        QSize expected;
    };
    const QList<Case> cases{
        {"twice too fine", {1250, 834}, {300, 200}, {625, 417}},
        {"already coarse enough", {400, 300}, {300, 200}, {400, 300}},
        {"too fine one way only", {2000, 100}, {300, 200}, {625, 100}},
        {"no place at all", {800, 600}, {0, 0}, {800, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PdfOutput::limitedPicture(photo(c.pixels, 1), c.points).size(), c.expected);
    }
}

TEST(PdfOutputRules, PictureSizesNamesAndTheBaseTemplate)
{
    QImage print(600, 300, QImage::Format_RGB32);
    print.setDotsPerMeterX(5906); // 150 per inch
    print.setDotsPerMeterY(5906);
    EXPECT_NEAR(PdfOutput::pointSize(print).width(), 288.0, 0.1);
    QImage unnamed(600, 300, QImage::Format_RGB32);
    unnamed.setDotsPerMeterX(1);
    unnamed.setDotsPerMeterY(1);
    EXPECT_EQ(PdfOutput::pointSize(unnamed), QSizeF(600, 300));
    // A picture of 400 inches makes a page of the largest size readers take, its shape kept.
    QImage huge(28800, 1440, QImage::Format_Mono);
    huge.setDotsPerMeterX(2835); // 72 per inch
    huge.setDotsPerMeterY(2835);
    const QSizeF page = PdfOutput::pointSize(huge);
    EXPECT_NEAR(page.width(), 14400.0, 0.5);
    EXPECT_NEAR(page.height(), 720.0, 0.5);

    const QList<QPair<QString, QString>> names{
        {QStringLiteral("/tmp/Book"), QStringLiteral("/tmp/Book.PDF")},
        {QStringLiteral("/tmp/Book.pdf"), QStringLiteral("/tmp/Book.pdf")},
        {QStringLiteral("/tmp/Book.txt"), QStringLiteral("/tmp/Book.txt")},
        {QString(), QString()}};
    for (const auto& [chosen, written] : names)
        EXPECT_EQ(PdfOutput::pathWithPdfExtension(chosen), written) << chosen.toStdString();

    EXPECT_TRUE(PdfOutput::isBaseTemplate(QStringLiteral("basetemplate.html")));
    EXPECT_FALSE(PdfOutput::isBaseTemplate(QStringLiteral("basetemplate.php")));
    EXPECT_FALSE(PdfOutput::isBaseTemplate(QStringLiteral("index.html")));
}

} // namespace
