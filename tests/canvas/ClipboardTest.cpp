// The clipboard as another program sees it: a table copied in another running instance arrives
// whole from the clipboard data alone (cells, styled text, picture and its files), and the PDF and
// TIFF flavours other applications paste, read by their real consumers.
#include "ClipboardPagesSupport.h"
#include "ClipboardTableSample.h"
#include "FactoriesTestSupport.h"
#include "canvas/DRVDragTypes.h"
#include "common/ExternalTools.h"
#include "model/DRVImage.h"
#include "model/DRVRectangle.h"
#include "model/DRVText.h"
#include "model/TableClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using clipboardpages::Page;

class ClipboardTest : public ::testing::Test
{
protected:
    ClipboardTest() : m_edition(QStringLiteral("HTML Quib Pro"))
    {
        platform::UserDefaults::standard().useStoreFile(m_root.filePath(QStringLiteral("defaults.ini")));
        QApplication::clipboard()->clear();
    }

    QString pagePath(const char* name) const
    {
        return m_root.filePath(QLatin1String(name) + QStringLiteral(".html"));
    }

    // Copies graphics on a page of their own and returns what the clipboard then holds, by format.
    QMap<QString, QByteArray> copied(const QList<DRVGraphic*>& graphics)
    {
        Page page(pagePath("flavours"));
        page.place(graphics);
        EXPECT_TRUE(page.copyAll());
        QMap<QString, QByteArray> formats;
        const QMimeData* data = QApplication::clipboard()->mimeData();
        for (const QString& format : data->formats())
            formats.insert(format, data->data(format));
        m_picture = qvariant_cast<QImage>(data->imageData());
        return formats;
    }

    // Runs program on arguments; its standard output, or a null string when it failed.
    static QString output(const QString& program, const QStringList& arguments)
    {
        QProcess run;
        run.start(program, arguments);
        if (!run.waitForFinished(30000) || run.exitCode() != 0)
            return {};
        return QString::fromUtf8(run.readAllStandardOutput());
    }

    QTemporaryDir m_root;
    ScopedEdition m_edition;
    QImage m_picture;
};

TEST_F(ClipboardTest, ATableAndAPictureFromAnotherInstancePasteWholeFromTheClipboardDataAlone)
{
    QByteArray bytes;
    {
        Page source(pagePath("source"));
        auto* free = new DRVImage;
        free->initWithProperties({{QStringLiteral("bounds"), QStringLiteral("{{400, 300}, {40, 30}}")},
                                  {QStringLiteral("imageName"), QStringLiteral("image7")},
                                  {QStringLiteral("imageType"), QStringLiteral("JPG")}});
        QFile original(m_root.filePath(QStringLiteral("source/image7o.JPG")));
        ASSERT_TRUE(original.open(QIODevice::WriteOnly));
        original.write("the free picture's original");
        original.close();
        source.place({clipboardsample::makeTable(source.doc.pagePath()), free});
        ASSERT_TRUE(source.copyAll());
        // Other applications get the table's texts as rows of cells.
        EXPECT_EQ(QApplication::clipboard()->mimeData()->text(), QStringLiteral("A\tB\nC\tD"));
        bytes = QApplication::clipboard()->mimeData()->data(DRVDragTypes::graphicsMimeType());
    }
    // The source page, its table and its picture files are gone, and the clipboard holds the data
    // as another instance wrote it (its token is not this process's).
    ASSERT_TRUE(QDir(m_root.filePath(QStringLiteral("source"))).removeRecursively());
    auto* data = new QMimeData;
    data->setData(DRVDragTypes::graphicsMimeType(), bytes);
    data->setData(DRVDragTypes::copyTokenMimeType(), QByteArray("1"));
    QApplication::clipboard()->setMimeData(data);

    Page target(pagePath("target"));
    auto pastedOf = [&target]() -> std::pair<DRVTable*, DRVGraphic*> {
        DRVTable* table = nullptr;
        DRVGraphic* image = nullptr;
        for (DRVGraphic* graphic : target.view.selectedGraphics()) {
            if (auto* t = qobject_cast<DRVTable*>(graphic))
                table = t;
            else if (graphic->isImageGraphic())
                image = graphic;
        }
        return {table, image};
    };
    target.view.paste();
    ASSERT_EQ(target.doc.graphics().size(), 2);
    const auto [pasted, picture] = pastedOf();
    ASSERT_TRUE(pasted && picture);
    EXPECT_EQ(clipboardsample::check(pasted, target.doc.pagePath()).toStdString(), "");
    EXPECT_EQ(pasted->bounds(), QRectF(30, 40, 220, 90));
    QFile copiedOriginal(m_root.filePath(QStringLiteral("target/%1o.JPG").arg(picture->imageName())));
    ASSERT_TRUE(copiedOriginal.open(QIODevice::ReadOnly)) << qPrintable(copiedOriginal.fileName());
    EXPECT_EQ(copiedOriginal.readAll(), QByteArray("the free picture's original"));

    // Pasted again: the cascade moves both, and every picture gets a name and files of its own.
    target.view.paste();
    ASSERT_EQ(target.doc.graphics().size(), 4);
    const auto [second, secondPicture] = pastedOf();
    ASSERT_TRUE(second && secondPicture);
    EXPECT_EQ(clipboardsample::check(second, target.doc.pagePath()).toStdString(), "");
    EXPECT_EQ(second->bounds(), QRectF(40, 50, 220, 90));
    EXPECT_EQ(secondPicture->bounds(), QRectF(410, 310, 40, 30));
    const QStringList names{pasted->imageArray().constFirst()->imageName(), picture->imageName(),
                            second->imageArray().constFirst()->imageName(), secondPicture->imageName()};
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 4) << qPrintable(names.join(u' '));
}

TEST_F(ClipboardTest, ATableWhosePageClosedSinceItsCopyIsStillPasted)
{
    {
        Page source(pagePath("closing"));
        source.place({clipboardsample::makeTable(source.doc.pagePath())});
        ASSERT_TRUE(source.copyAll());
    }
    // The clipboard still holds this instance's copy, but the recorded table went with its page.
    Page target(pagePath("target"));
    target.view.paste();
    ASSERT_EQ(target.doc.graphics().size(), 1);
    auto* pasted = qobject_cast<DRVTable*>(target.doc.graphics().constFirst());
    EXPECT_EQ(clipboardsample::check(pasted, target.doc.pagePath()).toStdString(), "");
}

TEST_F(ClipboardTest, HostileTableDataPastesABoundedTableAndWritesNothingOutsideThePage)
{
    // Spots at the grid's edge, numbers out of range, a picture named to climb out of its folder.
    QFile hostile(QStringLiteral(QUIB_SOURCE_DIR "/tests/fuzz/corpus-clipboard/table-hostile-values.bin"));
    ASSERT_TRUE(hostile.open(QIODevice::ReadOnly));
    auto* data = new QMimeData;
    data->setData(DRVDragTypes::graphicsMimeType(), hostile.readAll());
    QApplication::clipboard()->setMimeData(data);
    const QString deep = m_root.filePath(QStringLiteral("a/b/c"));
    QDir().mkpath(deep);
    Page target(deep + QStringLiteral("/target.html"));
    target.view.paste();

    ASSERT_EQ(target.doc.graphics().size(), 1);
    auto* pasted = qobject_cast<DRVTable*>(target.doc.graphics().constFirst());
    ASSERT_TRUE(pasted);
    EXPECT_LE(pasted->numOfRows(), TableClipboard::kMaximumSpot);
    EXPECT_LE(pasted->numOfColumns(), TableClipboard::kMaximumSpot);
    for (const myTextView* cell : pasted->cellHelperArray())
        EXPECT_LE(cell->width(), 1000000);
    QStringList files;
    QDirIterator it(m_root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(m_root.path()).relativeFilePath(it.next()));
    files.removeAll(QStringLiteral("defaults.ini"));
    EXPECT_EQ(files, QStringList()) << qPrintable(files.join(u' '));
}

TEST_F(ClipboardTest, ThePdfFlavourKeepsTextAsTextAndTheTiffHasThePngsPixels)
{
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")) ||
        !haveProgramOrFail(QStringLiteral("pdftotext"), QStringLiteral("poppler-utils")))
        return;
    auto* text = new DRVText;
    text->initWithProperties(DRVGraphicView::textBoxProperties(
        DRVGraphicView::TextBoxArguments::with(QStringLiteral("Flavoured words"), QRectF(20, 30, 220, 40),
                                               -99, QFont(QStringLiteral("DejaVu Sans"), 16))));
    auto* block = new DRVRectangle;
    block->setBounds(QRectF(60, 90, 100, 50));
    block->setFillColor(QColor(0x1F, 0x6F, 0xB2));
    block->setDrawingFill(true);
    const QRectF bounds = DRVGraphic::drawingBoundsOfGraphics({text, block});
    const QMap<QString, QByteArray> formats = copied({text, block});

    ASSERT_TRUE(formats.contains(QStringLiteral("application/pdf")));
    const QString pdfPath = m_root.filePath(QStringLiteral("copied.pdf"));
    QFile pdf(pdfPath);
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write(formats.value(QStringLiteral("application/pdf")));
    pdf.close();
    const QString info = output(QStringLiteral("pdfinfo"), {pdfPath});
    ASSERT_FALSE(info.isNull()) << "pdfinfo refused the PDF flavour";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << qPrintable(info);
    const QString size = QStringLiteral("Page size:\\s+%1 x %2 pts")
                             .arg(platform::integralRect(bounds).width())
                             .arg(platform::integralRect(bounds).height());
    EXPECT_TRUE(info.contains(QRegularExpression(size))) << qPrintable(info);
    const QString words = output(QStringLiteral("pdftotext"), {pdfPath, QStringLiteral("-")});
    EXPECT_TRUE(words.contains(QStringLiteral("Flavoured words"))) << qPrintable(words);

    ASSERT_TRUE(formats.contains(QStringLiteral("image/tiff")));
    const QImage tiff = QImage::fromData(formats.value(QStringLiteral("image/tiff")), "TIFF");
    ASSERT_FALSE(tiff.isNull());
    ASSERT_FALSE(m_picture.isNull());
    EXPECT_EQ(tiff.size(), QSize(qCeil(bounds.width()), qCeil(bounds.height())));
    EXPECT_EQ(tiff.convertToFormat(QImage::Format_ARGB32), m_picture.convertToFormat(QImage::Format_ARGB32));
    // The rectangle's fill is in the picture where the rectangle lies.
    EXPECT_EQ(QColor(tiff.pixel(QPoint(110, 115) - bounds.topLeft().toPoint())), QColor(0x1F, 0x6F, 0xB2));
}

TEST_F(ClipboardTest, AGraphicTooLargeForAPictureStillGivesThePdf)
{
    auto* wide = new DRVRectangle;
    wide->setBounds(QRectF(0, 0, 6000, 40));
    const QMap<QString, QByteArray> formats = copied({wide});
    EXPECT_FALSE(formats.contains(QStringLiteral("image/tiff")));
    EXPECT_TRUE(m_picture.isNull());
    EXPECT_TRUE(formats.value(QStringLiteral("application/pdf")).startsWith("%PDF"));
    EXPECT_TRUE(formats.contains(DRVDragTypes::graphicsMimeType()));
}

} // namespace
