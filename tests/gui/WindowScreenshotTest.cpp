// The application started under Xvfb with a page document opens one window showing the page: a
// photograph of the screen holds the page as the canvas draws it in-process, within a small
// tolerance. The photograph and the reference are kept in the build folder.
#include "canvas/DRVGraphicView.h"
#include "GuiTestSupport.h"
#include "ScreenMatching.h"
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

using namespace screen;

namespace {

const QString kEdition = QStringLiteral("Quib");
const QColor kPageColour(0xF4, 0xE9, 0xD0);

class WindowScreenshotTest : public ::testing::Test
{
protected:
    WindowScreenshotTest() : m_edition(kEdition) { useWorkFoldersIn(m_root); }

    // Whether the programs the capture needs are there (the test is skipped, or failed on CI,
    // when not); withDrag adds xdotool.
    static bool haveCaptureTools(bool withDrag)
    {
        return haveProgramOrFail(QStringLiteral("xvfb-run"), QStringLiteral("xvfb")) &&
               haveProgramOrFail(QStringLiteral("xwininfo"), QStringLiteral("x11-utils")) &&
               haveProgramOrFail(QStringLiteral("import"), QStringLiteral("imagemagick")) &&
               (!withDrag || haveProgramOrFail(QStringLiteral("xdotool"), QStringLiteral("xdotool")));
    }

    // The fixture page saved, and the top left of it as the canvas draws it.
    QString writeFixtureWithReference(QImage* reference)
    {
        const QString page = writeFixture();
        EXPECT_TRUE(QFile::exists(page));
        *reference = referenceRendering(page, QSize(460, 260));
        QDir().mkpath(QStringLiteral(QUIB_GUI_ARTEFACTS_DIR));
        return page;
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
            line->setSelectable(true);
            line->setGroupNumber(-99); // each its own, as the factories make them
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

    // Starts the application on page under Xvfb through the capture script; extra is added to its
    // environment. The application keeps its settings and working folders inside the test's folder.
    void startCapture(QProcess& run, const QString& page, const QString& shotPath,
                      const QList<QPair<QString, QString>>& extra)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString home = m_root.filePath(QStringLiteral("home"));
        QDir().mkpath(home);
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.path());
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("QT_LOGGING_RULES")); // a failed start says why
        for (const auto& [name, value] : extra)
            env.insert(name, value);
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QStringLiteral("xvfb-run"),
                  {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                   QStringLiteral("sh"), QStringLiteral(QUIB_CAPTURE_SCRIPT), QStringLiteral(QUIB_BINARY), page,
                   QStringLiteral("screenshot-page"), shotPath, QStringLiteral("--edition"), kEdition});
    }

    QTemporaryDir m_root;
    ScopedEdition m_edition;
};

} // namespace

TEST_F(WindowScreenshotTest, LaunchedWithAPageTheWindowShowsItsGraphics)
{
    if (!haveCaptureTools(false))
        return;
    QImage reference;
    const QString page = writeFixtureWithReference(&reference);
    ASSERT_FALSE(reference.isNull());
    const QString artefacts = QStringLiteral(QUIB_GUI_ARTEFACTS_DIR);
    const QString shotPath = QDir(artefacts).filePath(QStringLiteral("quib-window.png"));
    QFile::remove(shotPath);
    reference.save(QDir(artefacts).filePath(QStringLiteral("reference.png")));

    QProcess run;
    startCapture(run, page, shotPath, {});
    ASSERT_TRUE(run.waitForFinished(120000)) << "the capture did not finish";
    QString output = QString::fromLocal8Bit(run.readAll());
    // xvfb-run -a can hand two X servers started at once the same display, and then the
    // application finds no display to talk to: that is the server's start, not the window, so the
    // capture runs once more.
    if (run.exitCode() == 2 && output.contains(QLatin1String("no Qt platform plugin could be initialized"))) {
        startCapture(run, page, shotPath, {});
        ASSERT_TRUE(run.waitForFinished(120000)) << "the capture did not finish";
        output = QString::fromLocal8Bit(run.readAll());
    }
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

TEST_F(WindowScreenshotTest, ADragWithTheMouseMovesAGraphicOfTheOpenPage)
{
    if (!haveCaptureTools(true))
        return;
    QImage reference;
    const QString page = writeFixtureWithReference(&reference);
    ASSERT_FALSE(reference.isNull());
    const QString artefacts = QStringLiteral(QUIB_GUI_ARTEFACTS_DIR);
    const QString before = QDir(artefacts).filePath(QStringLiteral("drag-before.png"));
    const QString after = QDir(artefacts).filePath(QStringLiteral("drag-after.png"));
    const QString plan = m_root.filePath(QStringLiteral("drag-plan.txt"));
    QFile::remove(before);
    QFile::remove(after);

    QProcess run;
    // The first photograph tells where the page is; the plan then drags the red line 100 down.
    QImage shot;
    QString started;
    // As above: a server start that lost its display to another one is tried once more.
    for (int attempt = 0; attempt < 2 && shot.isNull(); ++attempt) {
        startCapture(run, page, before,
                     {{QStringLiteral("QUIB_DRAG_PLAN"), plan}, {QStringLiteral("QUIB_AFTER_SHOT"), after}});
        for (int waited = 0; shot.isNull() && waited < 120000 && run.state() != QProcess::NotRunning;
             waited += 100) {
            run.waitForFinished(100);
            if (QFile::exists(before))
                shot = QImage(before);
        }
        started = QString::fromLocal8Bit(run.readAll());
        if (!shot.isNull() || !started.contains(QLatin1String("no Qt platform plugin could be initialized")))
            break;
    }
    ASSERT_FALSE(shot.isNull()) << qPrintable(started);
    shot = shot.convertToFormat(QImage::Format_RGB32);
    const std::optional<QPoint> offset = locate(shot, reference);
    if (!offset)
        run.kill();
    ASSERT_TRUE(offset) << "the page is not on the screen; see " << qPrintable(before);
    const QPoint grab = *offset + QPoint(180, 40);
    const QPoint drop = grab + QPoint(0, 100);
    {
        QFile file(plan + QStringLiteral(".part"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("%1 %2 %3 %4\n").arg(grab.x()).arg(grab.y()).arg(drop.x()).arg(drop.y()).toLatin1());
    }
    ASSERT_TRUE(QFile::rename(plan + QStringLiteral(".part"), plan));
    ASSERT_TRUE(run.waitForFinished(120000)) << "the drag did not finish";
    const QString output = QString::fromLocal8Bit(run.readAll());
    ASSERT_EQ(run.exitCode(), 0) << qPrintable(output);

    QImage moved(after);
    ASSERT_FALSE(moved.isNull()) << "no screenshot at " << qPrintable(after);
    moved = moved.convertToFormat(QImage::Format_RGB32);
    const QColor red(0xC0, 0x39, 0x2B);
    EXPECT_TRUE(closeTo(shot.pixel(grab), red.rgb(), 30));
    EXPECT_FALSE(closeTo(shot.pixel(drop), red.rgb(), 30));
    // The red line left its place and lies 100 lower; the others stay where they were.
    EXPECT_FALSE(closeTo(moved.pixel(grab + QPoint(-120, 0)), red.rgb(), 30)) << qPrintable(after);
    EXPECT_TRUE(closeTo(moved.pixel(drop), red.rgb(), 30)) << qPrintable(after);
    EXPECT_TRUE(closeTo(moved.pixel(drop + QPoint(-120, 0)), red.rgb(), 30)) << qPrintable(after);
    const QPoint green = *offset + QPoint(360, 200);
    EXPECT_TRUE(closeTo(shot.pixel(green), QColor(0x1E, 0x84, 0x49).rgb(), 30));
    EXPECT_EQ(moved.pixel(green), shot.pixel(green)) << qPrintable(after);
}
