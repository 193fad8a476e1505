// The spot chooser and the label window with its template pop-up open, photographed as an X server
// shows them: the test runs itself again under xvfb-run, and there each window is compared with
// its own rendering at the place the screen shows it. The photographs stay under the build folder.
#include "PageListTestSupport.h"

#include "common/ExternalTools.h"
#include "common/XvfbRun.h"
#include "editions/DataCentre.h"
#include "gui/ScreenMatching.h"
#include "window/FontOrnamentWindowController.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QToolBar>

namespace {

const char* const kCaptureFolder = "QUIB_PRINT_SCREENS_FOLDER";
const QString kThirty = QStringLiteral("Label - 30 Per Letter Sheet");

class PrintWindowsOnScreenTest : public PageListTest
{
protected:
    PrintWindowsOnScreenTest() : PageListTest(QStringLiteral("Kestrin Label Maker"))
    {
        DataCentre::loadPrintLabels();
        edition().gSelectedLabelSheet = kThirty;
        edition().gPaperSizeControlFlag = false;
    }

    // Runs this test's own binary on this test under a fresh X server; its output when it failed.
    static QString runUnderXvfb(const QString& folder)
    {
        const QString name =
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kCaptureFolder), folder);
        const XvfbRun run = runThisExecutableUnderXvfb(QStringLiteral("PrintWindowsOnScreenTest.") + name,
                                                       QSize(1280, 1024), env);
        if (!run.finished)
            return QStringLiteral("the run under Xvfb did not finish");
        if (run.exitCode == 0)
            return QString();
        return run.output.isEmpty() ? QStringLiteral("the run under Xvfb failed") : run.output;
    }

    // The whole X screen as the server holds it.
    static QImage photograph(const QString& path)
    {
        QFile::remove(path);
        QProcess import;
        import.start(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
        import.waitForFinished(30000);
        return QImage(path).convertToFormat(QImage::Format_RGB32);
    }

    // Whether the screen shows the widget (or the part of it that nothing covers) as it renders
    // itself, where it says it is.
    static void expectOnScreen(const QImage& shot, QWidget* widget, const QString& shotPath,
                               QRect part = QRect())
    {
        ASSERT_FALSE(shot.isNull()) << "no photograph at " << qPrintable(shotPath);
        if (part.isNull())
            part = widget->rect();
        const QImage own = widget->grab(part).toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint at = widget->mapToGlobal(part.topLeft());
        ASSERT_TRUE(QRect(QPoint(0, 0), shot.size()).contains(QRect(at, own.size())))
            << qPrintable(widget->objectName()) << " lies off the screen; see " << qPrintable(shotPath);
        EXPECT_LE(screen::differingShare(shot, own, at), 0.02)
            << qPrintable(widget->objectName()) << " differs on the screen; see " << qPrintable(shotPath);
    }

    static void settle()
    {
        for (int i = 0; i < 10; ++i) {
            QApplication::processEvents();
            QTest::qWait(50);
        }
    }
};

} // namespace

TEST_F(PrintWindowsOnScreenTest, SpotChooserAndTemplatePopUpAsTheServerShowsThem)
{
    const QString folder = qEnvironmentVariable(kCaptureFolder);
    const QString chooserShot = QStringLiteral("spot-chooser-xvfb.png");
    const QString popUpShot = QStringLiteral("label-window-xvfb.png");
    if (folder.isEmpty()) {
        if (!haveProgramOrFail(QStringLiteral("xvfb-run"), QStringLiteral("xvfb")) ||
            !haveProgramOrFail(QStringLiteral("import"), QStringLiteral("imagemagick")))
            return;
        const QString artefacts = QFileInfo(artefactPath(chooserShot)).absolutePath();
        QFile::remove(artefactPath(chooserShot));
        QFile::remove(artefactPath(popUpShot));
        const QString failure = runUnderXvfb(artefacts);
        ASSERT_TRUE(failure.isEmpty()) << qPrintable(failure);
        for (const QString& shot : {chooserShot, popUpShot})
            EXPECT_FALSE(QImage(artefactPath(shot)).isNull()) << qPrintable(shot);
        return;
    }

    // Under the X server.
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    openProject({addPage(QStringLiteral("label"), QStringLiteral("Label"), QStringLiteral("AA0000"))},
                QSize(1100, 760));
    controller.window()->move(0, 0);
    ASSERT_TRUE(controller.performAction(QStringLiteral("selectDefaultLabelShapes:")));
    FontOrnamentWindowController* chooser = document.fontOrnamentWindowController();
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser->window()));
    QWidget* spot = chooser->buttonArray().at(4);
    QTest::mouseClick(spot, Qt::LeftButton, {}, spot->rect().center());
    settle();
    const QString chooserPath = QDir(folder).filePath(chooserShot);
    expectOnScreen(photograph(chooserPath), chooser->window(), chooserPath);
    chooser->endSheet();
    settle();

    QToolBar* bar = controller.printTemplateToolBar();
    ASSERT_NE(bar, nullptr);
    auto* popUp = bar->findChild<QComboBox*>(QStringLiteral("templateSelectionPopupButton"));
    ASSERT_NE(popUp, nullptr);
    popUp->showPopup();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popUp->view()->window()));
    settle();
    const QString popUpPath = QDir(folder).filePath(popUpShot);
    const QImage shot = photograph(popUpPath);
    QWidget* list = popUp->view()->window();
    expectOnScreen(shot, list, popUpPath);
    // The bar up to where the open list covers it.
    const int uncovered = bar->mapFromGlobal(list->mapToGlobal(QPoint(0, 0))).x();
    ASSERT_GT(uncovered, 0);
    expectOnScreen(shot, bar, popUpPath, QRect(0, 0, uncovered, bar->height()));
    popUp->hidePopup();
}
