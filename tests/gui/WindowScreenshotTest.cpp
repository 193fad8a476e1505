// The application started under Xvfb with a page document opens one window showing the page: a
// photograph of the screen holds the page as the canvas draws it in-process, within a small
// tolerance. The photograph and the reference are kept in the build folder.
#include "canvas/DRVGraphicView.h"
#include "common/ExternalTools.h"
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVLine.h"
#include "platform/UndoManager.h"
#include "platform/UserDefaults.h"
#include "publishing/DocumentArchiverInstall.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QString kEdition = QStringLiteral("Quib");
const QColor kPageColour(0xF4, 0xE9, 0xD0);

// Pixels that differ by more than this in some channel count as different (edge antialiasing of the
// two platforms may differ slightly).
constexpr int kChannelTolerance = 40;
// At most this share of the compared pixels may differ.
constexpr double kDifferingShare = 0.01;

bool closeTo(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The share of pixels of reference that differ from the screenshot placed at offset.
double differingShare(const QImage& shot, const QImage& reference, QPoint offset)
{
    qint64 differing = 0;
    for (int y = 0; y < reference.height(); ++y) {
        const auto* ref = reinterpret_cast<const QRgb*>(reference.constScanLine(y));
        const auto* scr = reinterpret_cast<const QRgb*>(shot.constScanLine(y + offset.y())) + offset.x();
        for (int x = 0; x < reference.width(); ++x) {
            if (!closeTo(ref[x], scr[x], kChannelTolerance))
                ++differing;
        }
    }
    return double(differing) / (double(reference.width()) * reference.height());
}

// Where the reference lies in the screenshot: sampled pixels first, the whole patch for the
// positions that pass them.
std::optional<QPoint> locate(const QImage& shot, const QImage& reference)
{
    QList<QPoint> samples;
    for (int y = 2; y < reference.height(); y += 9) {
        for (int x = 3; x < reference.width(); x += 11)
            samples.append(QPoint(x, y));
    }
    std::optional<QPoint> best;
    double bestShare = 1.0;
    for (int oy = 0; oy + reference.height() <= shot.height(); ++oy) {
        for (int ox = 0; ox + reference.width() <= shot.width(); ++ox) {
            int misses = 0;
            const int allowed = int(samples.size() * 0.05);
            for (const QPoint& p : samples) {
                if (!closeTo(reference.pixel(p), shot.pixel(p.x() + ox, p.y() + oy), kChannelTolerance) &&
                    ++misses > allowed)
                    break;
            }
            if (misses > allowed)
                continue;
            const double share = differingShare(shot, reference, QPoint(ox, oy));
            if (share < bestShare) {
                bestShare = share;
                best = QPoint(ox, oy);
            }
        }
    }
    return best;
}

class WindowScreenshotTest : public ::testing::Test
{
protected:
    WindowScreenshotTest() : m_edition(kEdition)
    {
        EditionSettings& e = edition();
        e.gTempFolderPath = m_root.filePath(QStringLiteral("work"));
        e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
        e.gTempSaveFolderPath =
            QDir(e.gTempFolderPath).filePath(QStringLiteral("0000Received_Pages/tempSave000000"));
        QDir().mkpath(e.gTempSaveFolderPath);
        platform::UserDefaults::standard().useStoreFile(m_root.filePath(QStringLiteral("defaults.ini")));
        DocumentArchiverInstall::install();
    }

    // A page of thick coloured lines on a coloured page, saved through the save flow.
    QString writeFixture()
    {
        DRVDocument document;
        document.setPageColor(kPageColour);
        document.setPageColorHexString(QStringLiteral("F4E9D0"));
        document.undoManager()->disableUndoRegistration();
        const struct
        {
            QPointF from, to;
            const char* colour;
            int width;
        } lines[] = {{{30, 40}, {330, 40}, "C0392B", 10},
                     {{30, 80}, {200, 200}, "1F6FB2", 14},
                     {{360, 30}, {360, 230}, "1E8449", 8},
                     {{230, 120}, {420, 170}, "6C3483", 6}};
        QList<DRVGraphic*> graphics;
        QList<int> indexes;
        for (const auto& stroke : lines) {
            auto* line = new DRVLine;
            line->setBeginPoint(stroke.from);
            line->setEndPoint(stroke.to);
            line->setBorderWidth(stroke.width);
            line->setBorderStyle(QStringLiteral("solid"));
            line->setBorderHexColorString(QString::fromLatin1(stroke.colour));
            line->setOpacity(1.0);
            indexes.append(int(graphics.size()));
            graphics.append(line);
        }
        document.insertGraphics(graphics, indexes);
        document.undoManager()->enableUndoRegistration();
        const QString path = m_root.filePath(QStringLiteral("screenshot-page.quibpage"));
        EXPECT_TRUE(document.saveDocumentTo(path)) << qPrintable(document.lastFileErrorText());
        return path;
    }

    // The top left of the page as the canvas draws it, from the document read back.
    QImage referenceRendering(const QString& path, QSize size)
    {
        const std::unique_ptr<DRVDocument> document = DRVDocument::openDocument(path);
        if (!document)
            return {};
        DRVGraphicView view;
        view.bindGraphics(document.get());
        view.setPageColor(document->pageColor());
        view.setPageColorHexString(document->pageColorHexString());
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        view.render(&image, QPoint(), QRegion(QRect(QPoint(), size)));
        return image;
    }

    QTemporaryDir m_root;
    ScopedEdition m_edition;
};

} // namespace

TEST_F(WindowScreenshotTest, LaunchedWithAPageTheWindowShowsItsGraphics)
{
    if (!haveProgramOrFail(QStringLiteral("xvfb-run"), QStringLiteral("xvfb")) ||
        !haveProgramOrFail(QStringLiteral("xwininfo"), QStringLiteral("x11-utils")) ||
        !haveProgramOrFail(QStringLiteral("import"), QStringLiteral("imagemagick")))
        return;

    const QString page = writeFixture();
    ASSERT_TRUE(QFile::exists(page));
    const QImage reference = referenceRendering(page, QSize(460, 260));
    ASSERT_FALSE(reference.isNull());

    const QString artefacts = QStringLiteral(QUIB_GUI_ARTEFACTS_DIR);
    QDir().mkpath(artefacts);
    const QString shotPath = QDir(artefacts).filePath(QStringLiteral("quib-window.png"));
    QFile::remove(shotPath);
    reference.save(QDir(artefacts).filePath(QStringLiteral("reference.png")));

    // The application keeps its settings and working folders inside the test's folder.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString home = m_root.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.path());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("xvfb-run"),
              {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
               QStringLiteral("sh"), QStringLiteral(QUIB_CAPTURE_SCRIPT), QStringLiteral(QUIB_BINARY), page,
               QStringLiteral("screenshot-page"), shotPath, QStringLiteral("--edition"), kEdition});
    ASSERT_TRUE(run.waitForFinished(120000)) << "the capture did not finish";
    const QString output = QString::fromLocal8Bit(run.readAll());
    ASSERT_EQ(run.exitCode(), 0) << qPrintable(output);

    QImage shot(shotPath);
    ASSERT_FALSE(shot.isNull()) << "no screenshot at " << qPrintable(shotPath);
    shot = shot.convertToFormat(QImage::Format_RGB32);

    const std::optional<QPoint> offset = locate(shot, reference);
    ASSERT_TRUE(offset) << "the page is not on the screen; see " << qPrintable(shotPath);
    EXPECT_LE(differingShare(shot, reference, *offset), kDifferingShare);
    // The window shows the page's own colour around the lines, not the empty canvas.
    EXPECT_TRUE(closeTo(shot.pixel(*offset + QPoint(5, 5)), kPageColour.rgb(), 6));
}
