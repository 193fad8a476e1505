// The clipboard and drag and drop between two processes, as the X server carries them: a table
// copied in another process is pasted through a document window's Edit menu with its cells and
// picture, and a picture file dragged from another process (a file manager stand-in) with the real
// pointer lands on the window's canvas where it is dropped.
//
// Each test runs itself again inside xvfb-run (the offscreen platform keeps the clipboard inside the
// process and has no drag protocol); the second process is quib_test_helper.
#include "AppTestSupport.h"

#include "../canvas/ClipboardTableSample.h"
#include "common/ExternalTools.h"
#include "common/XvfbRun.h"
#include "model/DRVImage.h"
#include "model/DRVTable.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const char* const kInnerRun = "QUIB_ACROSS_PROCESSES_INNER";

bool insideXvfb()
{
    return qEnvironmentVariable(kInnerRun) == QLatin1String("1");
}

// Runs the current test again in this executable under xvfb-run; its failures become this run's.
void runInsideXvfb()
{
    if (!haveProgramOrFail(QStringLiteral("xvfb-run"), QStringLiteral("xvfb")) ||
        !haveProgramOrFail(QStringLiteral("xdotool"), QStringLiteral("xdotool")))
        return;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kInnerRun), QStringLiteral("1"));
    const XvfbRun run = runThisExecutableUnderXvfb(
        QStringLiteral("%1.%2").arg(QLatin1String(test->test_suite_name()), QLatin1String(test->name())),
        QSize(1024, 768), env);
    ASSERT_TRUE(run.finished) << "the run under Xvfb did not finish";
    const QString& output = run.output;
    EXPECT_EQ(run.exitCode, 0) << qPrintable(output);
    EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << qPrintable(output);
}

// True in the run under Xvfb; elsewhere runs the current test there and answers false.
bool onXvfbDisplay()
{
    if (!insideXvfb()) {
        runInsideXvfb();
        return false;
    }
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

class AcrossProcessesTest : public WindowedAppTest
{
protected:
    // A shown document window on an empty page at pagePath.
    DRVWindowController* shownWindow(const QString& pagePath, QRect geometry)
    {
        DRVWindowController* window = windowOnPage({});
        window->document()->setPagePath(pagePath);
        QDir().mkpath(pagePath.left(pagePath.lastIndexOf(u'.')));
        window->showWindow();
        window->window()->setGeometry(geometry);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window->window()));
        return window;
    }

    // Starts the helper with arguments and waits for its first line; empty when none came.
    QString startHelper(QProcess& helper, const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        helper.setProcessEnvironment(env);
        helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper.start(QStringLiteral(QUIB_TEST_HELPER), arguments);
        // The event loop keeps running meanwhile: this process answers the X server too.
        (void)QTest::qWaitFor(
            [&] { return helper.canReadLine() || helper.state() == QProcess::NotRunning; }, 30000);
        return QString::fromUtf8(helper.readLine()).trimmed();
    }

    static void stopHelper(QProcess& helper)
    {
        helper.closeWriteChannel();
        if (!QTest::qWaitFor([&] { return helper.state() == QProcess::NotRunning; }, 10000))
            helper.kill();
        helper.waitForFinished(5000);
    }
};

TEST_F(AcrossProcessesTest, ATableCopiedInAnotherProcessIsPastedWithItsCellsAndPicture)
{
    if (!onXvfbDisplay())
        return;
    const QString helperFolder = m_root.filePath(QStringLiteral("helper"));
    QDir().mkpath(helperFolder);
    QProcess helper;
    ASSERT_EQ(startHelper(helper, {QStringLiteral("copy-table"), helperFolder}), QStringLiteral("copied"));
    // The copy is the other process's: nothing of it is recorded here.
    ASSERT_EQ(DRVGraphicView::clipboardCopyToken() >> 32, helper.processId());
    // Other applications find the pictures as the X server hands them over: the PNG and the TIFF
    // of one rendering, and a PDF.
    const QMimeData* offered = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(offered);
    const QImage png = QImage::fromData(offered->data(QStringLiteral("image/png")), "PNG");
    const QImage tiff = QImage::fromData(offered->data(QStringLiteral("image/tiff")), "TIFF");
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.convertToFormat(QImage::Format_ARGB32), tiff.convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(offered->data(QStringLiteral("application/pdf")).startsWith("%PDF"));

    DRVWindowController* target =
        shownWindow(m_root.filePath(QStringLiteral("target.html")), {200, 50, 800, 600});
    // The picture must come from the clipboard, not from the other page's folder.
    ASSERT_TRUE(QDir(helperFolder + QStringLiteral("/source")).removeRecursively());
    choose(target, QStringLiteral("paste:"));
    stopHelper(helper);

    const QList<DRVGraphic*> graphics = target->document()->graphics();
    ASSERT_EQ(graphics.size(), 1);
    auto* pasted = qobject_cast<DRVTable*>(graphics.constFirst());
    EXPECT_EQ(clipboardsample::check(pasted, target->document()->pagePath()).toStdString(), "");
    EXPECT_EQ(target->document()->undoManager()->undoActionName(), QStringLiteral("Paste"));
    EXPECT_EQ(helper.exitCode(), 0);
}

TEST_F(AcrossProcessesTest, APictureFileDraggedFromAnotherProcessLandsWhereItIsDropped)
{
    if (!onXvfbDisplay())
        return;
    const QString picturePath = m_root.filePath(QStringLiteral("Dropped Photo.PNG"));
    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(QColor(0xE0, 0x60, 0x20));
    ASSERT_TRUE(picture.save(picturePath, "PNG"));

    DRVWindowController* target =
        shownWindow(m_root.filePath(QStringLiteral("target.html")), {300, 60, 700, 600});
    DRVGraphicView* canvas = target->graphicView();

    QProcess helper;
    ASSERT_EQ(startHelper(helper, {QStringLiteral("drag-file"), picturePath, QStringLiteral("20"),
                                   QStringLiteral("20")}),
              QStringLiteral("ready"));

    // A point of the canvas the window shows, near its top left.
    const QRect visible = canvas->visibleRegion().boundingRect();
    ASSERT_GT(visible.width(), 200);
    ASSERT_GT(visible.height(), 200);
    const QPoint dropInView = visible.topLeft() + QPoint(110, 90);
    const QPoint drop = canvas->mapToGlobal(dropInView);
    const QPointF expected = canvas->canvasPointForViewPoint(dropInView);
    // Press in the source, move across in steps as a hand would, release over the canvas.
    QStringList gesture{QStringLiteral("mousemove"), QStringLiteral("60"), QStringLiteral("60"),
                        QStringLiteral("mousedown"), QStringLiteral("1"),  QStringLiteral("sleep"),
                        QStringLiteral("0.3")};
    for (int step = 1; step <= 8; ++step) {
        gesture << QStringLiteral("mousemove") << QString::number(60 + (drop.x() - 60) * step / 8)
                << QString::number(60 + (drop.y() - 60) * step / 8) << QStringLiteral("sleep")
                << QStringLiteral("0.1");
    }
    gesture << QStringLiteral("sleep") << QStringLiteral("0.4") << QStringLiteral("mouseup")
            << QStringLiteral("1");
    QProcess hand;
    hand.start(QStringLiteral("xdotool"), gesture);
    ASSERT_TRUE(QTest::qWaitFor([&] { return hand.state() == QProcess::NotRunning; }, 30000));
    ASSERT_EQ(hand.exitCode(), 0) << hand.readAllStandardError().constData();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !target->document()->graphics().isEmpty(); }, 10000))
        << "nothing was dropped on the canvas";
    (void)QTest::qWaitFor([&] { return helper.canReadLine(); }, 5000);
    EXPECT_EQ(QString::fromUtf8(helper.readLine()).trimmed(), QStringLiteral("dropped"));
    stopHelper(helper);

    // The screen after the drop, kept to look at.
    QTest::qWait(300);
    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/gui-artefacts");
    QDir().mkpath(artefacts);
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    EXPECT_TRUE(screen.save(artefacts + QStringLiteral("/drag-from-another-process.png")));

    ASSERT_EQ(target->document()->graphics().size(), 1);
    auto* image = qobject_cast<DRVImage*>(target->document()->graphics().constFirst());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->bounds(), QRectF(expected, QSizeF(120, 80)));
    EXPECT_EQ(image->imageType(), QStringLiteral("PNG"));
    // What the screen shows at the drop point is the picture's colour.
    const QColor shown = screen.pixelColor(drop + QPoint(10, 10));
    EXPECT_LE(std::abs(shown.red() - 0xE0) + std::abs(shown.green() - 0x60) + std::abs(shown.blue() - 0x20),
              24)
        << qPrintable(shown.name());
}

} // namespace
