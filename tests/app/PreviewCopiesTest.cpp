// The desktop preview's copy of the page: a new folder of its own for every preview, out of the
// reach of the flows that empty "tempFiles", still there after another page opens, and loadable in
// headless Chromium with its scripts from beside it.
#include "AppTestSupport.h"
#include "generation/BrowserTestSupport.h"

#include "window/PageDialogsController.h"
#include "window/QuibWebPreviewWindowController.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class PreviewCopiesTest : public WindowedAppTest
{
protected:
    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool isInside(const QString& path, const QString& folder)
    {
        return QDir::cleanPath(path).startsWith(QDir::cleanPath(folder) + u'/');
    }
};

} // namespace

TEST_F(PreviewCopiesTest, EachPreviewCopiesIntoANewFolderThatOutlivesAPageOpen)
{
    DRVWindowController* first = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("first")));
    DRVWindowController* second =
        documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("second"), {QStringLiteral("0000CC")}));
    ASSERT_TRUE(first && second);

    // Two previews well within one second.
    choose(first, QStringLiteral("showWebPreview:"));
    choose(second, QStringLiteral("showWebPreview:"));
    QuibWebPreviewWindowController* firstPreview = first->pageDialogs()->webPreview();
    QuibWebPreviewWindowController* secondPreview = second->pageDialogs()->webPreview();
    ASSERT_TRUE(firstPreview && secondPreview);
    const QString firstCopy = firstPreview->copyFolder();
    const QString secondCopy = secondPreview->copyFolder();
    EXPECT_NE(firstCopy, secondCopy);

    const QString tempFiles = QDir(edition().gTempFolderPath).filePath(QStringLiteral("tempFiles"));
    const QByteArray firstPage = contents(firstPreview->webURLString());
    const QByteArray secondPage = contents(secondPreview->webURLString());
    for (const QString& copy : {firstCopy, secondCopy}) {
        EXPECT_TRUE(isInside(copy, QuibWebPreviewWindowController::previewsFolder())) << qPrintable(copy);
        EXPECT_FALSE(isInside(copy, tempFiles)) << qPrintable(copy);
    }
    // Each holds its own page as it was just written.
    const auto written = [](DRVWindowController* window) {
        const DRVDocument* document = window->document();
        return contents(QDir(document->tempSavePathLocal())
                            .filePath(document->pageName() + u'.' + document->pageFileExtension()));
    };
    EXPECT_FALSE(firstPage.isEmpty());
    EXPECT_NE(firstPage, secondPage);
    EXPECT_EQ(firstPage, written(first));
    EXPECT_EQ(secondPage, written(second));

    // Opening another page leaves both copies as they were.
    ASSERT_TRUE(documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("third"))));
    EXPECT_EQ(contents(firstPreview->webURLString()), firstPage);
    EXPECT_EQ(contents(secondPreview->webURLString()), secondPage);
    EXPECT_TRUE(isInside(firstPreview->webURLString(), firstCopy));
    EXPECT_TRUE(dialogs->alerts().isEmpty());
}

TEST_F(PreviewCopiesTest, TheDesktopPreviewsCopyLoadsInChromiumWithoutScriptErrors)
{
    QUIB_REQUIRE_BROWSER();
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("shown")));
    ASSERT_TRUE(window);
    choose(window, QStringLiteral("showWebPreview:"));
    QuibWebPreviewWindowController* preview = window->pageDialogs()->webPreview();
    ASSERT_TRUE(preview);
    QSignalSpy loaded(preview, &WebPreviewWindowController::pageLoaded);
    ASSERT_TRUE(loaded.wait(20000));
    QTest::qWait(300);
    keepScreenshot(preview->window(), QStringLiteral("desktop-preview-window.png"));

    const QString shot = QCoreApplication::applicationDirPath() + QStringLiteral("/gui-artefacts/desktop-preview-chromium.png");
    const QJsonObject report = browsertest::runPage(preview->webURLString(), QStringLiteral("preview-check.js"), 1200,
                                                    {QStringLiteral("--screenshot"), shot});
    browsertest::expectNoScriptErrors(report);
    const QJsonObject result = report.value("result").toObject();
    EXPECT_TRUE(result.value("jquery").toBool()) << browsertest::compact(report).toStdString();
    EXPECT_TRUE(result.value("bootstrap").toBool()) << browsertest::compact(report).toStdString();
    EXPECT_EQ(result.value("brokenImages").toInt(-1), 0) << browsertest::compact(report).toStdString();
    // The page's own scripts were read from the copy, not asked of the network.
    for (const QJsonValue& refused : report.value("refused").toArray())
        EXPECT_FALSE(refused.toString().contains(QStringLiteral("jquery"))) << qPrintable(refused.toString());
}
