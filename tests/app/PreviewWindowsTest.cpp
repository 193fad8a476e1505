// The page previews in a real web view: typed addresses, pictures never served from a cache, the form
// page's notice once per load, the desktop preview's own folder removed with its window, and both
// previews opened from the View menu. The web engine comes in a module loaded with the first preview:
// not before, and a preview without the module still opens and says why it is empty. Under an X
// server the preview is photographed as the screen shows it.
#include "AppTestSupport.h"

#include "common/ExternalTools.h"
#include "common/XvfbRun.h"
#include "window/PageDialogsController.h"
#include "window/QuibWebPreviewWindowController.h"
#include "window/WebPreviewSurface.h"
#include "window/WebPreviewWindowController.h"

#include <QImage>
#include <QLabel>
#include <QLibraryInfo>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace {

// Set in a run of this executable that a test started to see a fresh process (or an X server).
const char* const kInnerRun = "QUIB_PREVIEW_INNER_RUN";

bool isInnerRun()
{
    return qEnvironmentVariable(kInnerRun) == QLatin1String("1");
}

QString currentTestFilter()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return QStringLiteral("%1.%2").arg(QLatin1String(test->test_suite_name()), QLatin1String(test->name()));
}

// Expects the inner run of the current test to have passed.
void expectInnerRunPassed(bool finished, int exitCode, const QString& output)
{
    ASSERT_TRUE(finished) << "the inner run did not finish: " << qPrintable(output);
    EXPECT_EQ(exitCode, 0) << qPrintable(output);
    EXPECT_TRUE(output.contains(QLatin1String("[  PASSED  ] 1 test"))) << qPrintable(output);
}

// Whether a library whose file name contains name is mapped into this process.
bool hasLoaded(const QString& name)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && QString::fromLocal8Bit(maps.readAll()).contains(name);
}

// Points the previews at another module file for the life of a scope.
struct ScopedSurfaceModule
{
    explicit ScopedSurfaceModule(const QString& path)
    {
        WebPreviewWindowController::setSurfaceModulePath(path);
    }
    ~ScopedSurfaceModule() { WebPreviewWindowController::setSurfaceModulePath(QString()); }
};

class PreviewWindowsTest : public WindowedAppTest
{
protected:
    static void writePicture(const QString& path, const QColor& colour)
    {
        QImage image(200, 200, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path, "PNG"));
    }

    // Waits until the web view has painted a quarter in from the corner in colour (the page paints after it
    // loads).
    static bool showsColour(WebPreviewWindowController* preview, const QColor& colour)
    {
        for (int i = 0; i < 100; ++i) {
            const QImage shot = preview->surface()->widget()->grab().toImage();
            if (!shot.isNull() && shot.pixelColor(shot.width() / 4, shot.height() / 4) == colour)
                return true;
            QTest::qWait(50);
        }
        return false;
    }
};

} // namespace

TEST(SmartURL, TypedAddressesBecomeWebAddresses)
{
    const struct
    {
        const char* typed;
        const char* url; // "" for none
    } cases[] = {
        {"  example.com/page.html  ", "http://example.com/page.html"},
        {"HTTP://Example.com/A.html", "HTTP://Example.com/A.html"},
        {"https://example.com/a.html", "https://example.com/a.html"},
        {"ftp://example.com/a.html", ""},
        {"file:///etc/passwd", ""},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) {
        const std::optional<QUrl> url =
            WebPreviewWindowController::smartURLForString(QString::fromUtf8(c.typed));
        if (qstrlen(c.url) == 0)
            EXPECT_FALSE(url.has_value()) << c.typed;
        else
            EXPECT_EQ(url.value_or(QUrl()), QUrl(QString::fromUtf8(c.url))) << c.typed;
    }
}

TEST_F(PreviewWindowsTest, AChangedPictureShowsFreshAndAFormPageSaysSoOncePerLoad)
{
    const QString folder = m_root.filePath(QStringLiteral("pages"));
    QDir().mkpath(folder);
    writePicture(folder + QStringLiteral("/pic.png"), Qt::red);
    QFile page(folder + QStringLiteral("/page.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(
        "<html><body style='margin:0'><img src='pic.png' style='width:100%;height:100%;position:fixed'>"
        "</body></html>");
    page.close();

    WebPreviewWindowController preview(QStringLiteral("Preview"));
    ASSERT_TRUE(preview.surface()) << "no web view";
    EXPECT_TRUE(preview.surface()->isOffTheRecord());
    EXPECT_TRUE(preview.surface()->keepsNoHttpCache());
    preview.window()->resize(400, 300);
    preview.window()->show();
    QSignalSpy loaded(&preview, &WebPreviewWindowController::pageLoaded);
    preview.setWebURLString(page.fileName());
    preview.loadPage();
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(loaded.takeFirst().constFirst().toBool());
    EXPECT_TRUE(showsColour(&preview, Qt::red));

    writePicture(folder + QStringLiteral("/pic.png"), Qt::blue);
    preview.loadPage();
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(showsColour(&preview, Qt::blue)) << "the picture came from a cache";
    EXPECT_TRUE(dialogs->alerts().isEmpty());

    QFile form(folder + QStringLiteral("/form.php"));
    ASSERT_TRUE(form.open(QIODevice::WriteOnly));
    form.write("<?php echo 'x'; ?><html><body>form</body></html>");
    form.close();
    preview.setWebURLString(form.fileName());
    for (int load = 1; load <= 2; ++load) {
        preview.loadPage();
        ASSERT_TRUE(loaded.wait(20000));
        ASSERT_EQ(dialogs->alerts().size(), load);
        EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Web Forms Do Not Show In Preview"));
    }
}

TEST_F(PreviewWindowsTest, ViewMenuPreviewsAndTheDesktopPreviewsFolderGoesWithItsWindow)
{
    DRVWindowController* window =
        documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("shown")));
    ASSERT_TRUE(window);
    choose(window, QStringLiteral("showWebPreview:"));
    QPointer<QuibWebPreviewWindowController> preview = window->pageDialogs()->webPreview();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->window()->windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(preview->window()->width(), 1200);
    const QString copy = preview->copyFolder();
    EXPECT_TRUE(copy.startsWith(QuibWebPreviewWindowController::previewsFolder() + u'/')) << qPrintable(copy);
    EXPECT_TRUE(QFileInfo::exists(preview->webURLString()));
    EXPECT_TRUE(preview->webURLString().startsWith(copy));
    // The page names local copies of its scripts, which lie beside it: no network needed.
    QFile shown(preview->webURLString());
    ASSERT_TRUE(shown.open(QIODevice::ReadOnly));
    EXPECT_TRUE(shown.readAll().contains("<script src=\"jquery-2.2.2.min.js\""));
    EXPECT_TRUE(QFileInfo::exists(copy + QStringLiteral("/jquery-2.2.2.min.js")));
    EXPECT_FALSE(window->document()->previewGenerationFlag());
    QSignalSpy loaded(preview.data(), &WebPreviewWindowController::pageLoaded);
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(loaded.constFirst().constFirst().toBool());
    QTest::qWait(500);
    keepScreenshot(preview->window(), QStringLiteral("web-preview.png"));

    // A second preview replaces the first, and its folder, with a fresh copy.
    choose(window, QStringLiteral("showWebPreview:"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(preview);
    EXPECT_FALSE(QFileInfo::exists(copy));
    preview = window->pageDialogs()->webPreview();
    ASSERT_TRUE(preview);
    const QString second = preview->copyFolder();
    EXPECT_NE(second, copy);
    EXPECT_TRUE(QFileInfo::exists(second));

    // Closing the window removes the preview's folder.
    preview->window()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(preview);
    EXPECT_FALSE(QFileInfo::exists(second));

    // The mobile preview is one window, shown from the page's working folder.
    choose(window, QStringLiteral("showMobileWebPreview:"));
    WebPreviewWindowController* mobile = window->pageDialogs()->mobileWebPreview();
    ASSERT_TRUE(mobile);
    EXPECT_EQ(mobile->window()->windowTitle(), QStringLiteral("Mobile Preview"));
    EXPECT_TRUE(mobile->window()->isVisible());
    EXPECT_TRUE(mobile->webURLString().startsWith(window->document()->tempSavePathLocal()));
    choose(window, QStringLiteral("showMobileWebPreview:"));
    EXPECT_EQ(window->pageDialogs()->mobileWebPreview(), mobile);
    EXPECT_TRUE(dialogs->alerts().isEmpty());
}

TEST_F(PreviewWindowsTest, TheWebEngineLoadsWithTheFirstPreviewNotAtLaunch)
{
    if (!isInnerRun()) {
        // A fresh process: earlier tests of this one may have opened previews.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(kInnerRun), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess run;
        run.setProcessEnvironment(env);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=") + currentTestFilter()});
        const bool finished = run.waitForFinished(180000);
        if (!finished)
            run.kill();
        run.waitForFinished();
        expectInnerRunPassed(finished && run.exitStatus() == QProcess::NormalExit, run.exitCode(),
                             QString::fromLocal8Bit(run.readAll()));
        return;
    }
    const QString engine = QStringLiteral("libQt6WebEngineCore.so");
    EXPECT_FALSE(hasLoaded(engine)) << "the web engine loaded with the program";
    DRVWindowController* window =
        documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("shown")));
    ASSERT_TRUE(window);
    EXPECT_FALSE(hasLoaded(engine)) << "the web engine loaded with a document window";
    choose(window, QStringLiteral("showWebPreview:"));
    QuibWebPreviewWindowController* preview = window->pageDialogs()->webPreview();
    ASSERT_TRUE(preview && preview->surface());
    EXPECT_TRUE(hasLoaded(engine));
    QSignalSpy loaded(preview, &WebPreviewWindowController::pageLoaded);
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(loaded.constFirst().constFirst().toBool());
}

TEST_F(PreviewWindowsTest, WithoutItsModuleAPreviewOpensAndSaysWhy)
{
    const QString notALibrary = m_root.filePath(QStringLiteral("not-a-library.so"));
    QFile text(notALibrary);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a shared object\n");
    text.close();
    const QString widgets =
        QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Widgets.so.6");
    const QString missing = m_root.filePath(QStringLiteral("missing/libquib_webpreview.so"));
    const struct
    {
        const char* what;
        QString path;
        QString reason; // what the message says after the common start
    } cases[] = {
        {"a missing file", missing, missing + QStringLiteral(" is missing")},
        {"a file that is no library", notALibrary, QStringLiteral("Cannot load library ") + notALibrary},
        // Loads (it is loaded already) but has no factory.
        {"a library without the factory", widgets, widgets + QStringLiteral(" is not a preview module")},
    };
    DRVWindowController* window =
        documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("shown")));
    ASSERT_TRUE(window);
    for (const auto& c : cases) {
        ScopedSurfaceModule module(c.path);
        choose(window, QStringLiteral("showWebPreview:"));
        QuibWebPreviewWindowController* preview = window->pageDialogs()->webPreview();
        ASSERT_TRUE(preview) << c.what;
        EXPECT_FALSE(preview->surface()) << c.what;
        EXPECT_TRUE(preview->window()->isVisible()) << c.what;
        const auto* message = preview->window()->findChild<QLabel*>(QStringLiteral("previewUnavailable"));
        ASSERT_TRUE(message) << c.what;
        EXPECT_TRUE(message->isVisible()) << c.what;
        EXPECT_TRUE(message->text().startsWith(QStringLiteral("The preview is not available: ") + c.reason))
            << c.what << ": " << qPrintable(message->text());
        // Loading again answers as a failed load does, and says nothing more.
        QSignalSpy loaded(preview, &WebPreviewWindowController::pageLoaded);
        preview->loadPage();
        ASSERT_TRUE(loaded.wait(5000)) << c.what;
        EXPECT_FALSE(loaded.constFirst().constFirst().toBool()) << c.what;
        EXPECT_TRUE(dialogs->alerts().isEmpty()) << c.what;
        keepScreenshot(preview->window(), QStringLiteral("web-preview-unavailable.png"));
        preview->window()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // With the module back, the next preview has its view again.
    choose(window, QStringLiteral("showMobileWebPreview:"));
    ASSERT_TRUE(window->pageDialogs()->mobileWebPreview());
    EXPECT_TRUE(window->pageDialogs()->mobileWebPreview()->surface());
}

TEST_F(PreviewWindowsTest, UnderAnXServerThePreviewShowsItsPage)
{
    if (!isInnerRun()) {
        if (!haveProgramOrFail(QStringLiteral("xvfb-run"), QStringLiteral("xvfb")))
            return;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QLatin1String(kInnerRun), QStringLiteral("1"));
        const XvfbRun run = runThisExecutableUnderXvfb(currentTestFilter(), QSize(1024, 768), env);
        expectInnerRunPassed(run.finished, run.exitCode, run.output);
        return;
    }
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QFile page(m_root.filePath(QStringLiteral("page.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body style='margin:0;background:#00cc00'>"
               "<p style='font:40px sans-serif;color:white;padding:40px'>Preview</p></body></html>");
    page.close();
    WebPreviewWindowController preview(QStringLiteral("Preview"));
    ASSERT_TRUE(preview.surface()) << "no web view";
    preview.window()->setGeometry(50, 50, 600, 400);
    preview.window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.window()));
    QSignalSpy loaded(&preview, &WebPreviewWindowController::pageLoaded);
    preview.setWebURLString(page.fileName());
    preview.loadPage();
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(loaded.constFirst().constFirst().toBool());
    // What the X server shows, not what the widget would paint on its own.
    QImage shot;
    bool green = false;
    for (int i = 0; i < 100 && !green; ++i) {
        QTest::qWait(50);
        shot = preview.window()->screen()->grabWindow(preview.window()->winId()).toImage();
        green =
            !shot.isNull() && shot.pixelColor(shot.width() - 20, shot.height() - 20) == QColor(0, 0xcc, 0);
    }
    EXPECT_TRUE(green) << "the page did not show on the screen";
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/gui-artefacts");
    QDir().mkpath(folder);
    EXPECT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("web-preview-xvfb.png"))));
}
