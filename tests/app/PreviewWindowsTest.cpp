// The page previews in a real web view: typed addresses, pictures never served from a cache, the form
// page's notice once per load, the desktop preview's own folder removed with its window, and both
// previews opened from the View menu.
#include "AppTestSupport.h"

#include "window/PageDialogsController.h"
#include "window/QuibWebPreviewWindowController.h"
#include "window/WebPreviewWindowController.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

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
            const QImage shot = preview->webView()->grab().toImage();
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
    EXPECT_TRUE(preview.profile()->isOffTheRecord());
    EXPECT_EQ(preview.profile()->httpCacheType(), QWebEngineProfile::NoCache);
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
