// The document's own progress window during an upload: the count of files done, the file going
// now (never the last one), the e-mail editions' plain wait text, and the connection log's copy.
#include "WindowTestSupport.h"

#include "document/DRVDocument.h"
#include "platform/Dialogs.h"
#include "publishing/UploadItem.h"
#include "window/ConnectionLogWindowController.h"
#include "window/ProgressIndicatorWindowController.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QWidget>

namespace {

UploadItem item(const char* folder, const char* name)
{
    UploadItem entry;
    entry.setLocalPath(QStringLiteral("/nowhere/") + QLatin1String(name));
    entry.setRemoteFolder(QLatin1String(folder));
    entry.setRemoteFileName(QLatin1String(name));
    return entry;
}

class PublishPageProgressTest : public WindowTest
{
};

} // namespace

TEST_F(PublishPageProgressTest, TheWindowCountsFilesAndNamesEachButTheLast)
{
    struct Case
    {
        const char* edition;
        const char* afterFirst;
    };
    const Case cases[] = {
        {"Quib", "Please wait: 1/3 completed"},
        {"Ulmira Express", "Please wait..."},
        {"Ulmira Pro 2", "Please wait..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edition);
        edition().gEditionDisplayName = QLatin1String(c.edition);
        DRVDocument document;
        document.setUploadItemArray({item("/Home", "a@2x.PNG"), item("/basetemplate", "logo.PNG"), item("", "Home.html")});
        document.showProgressIndicator();
        ProgressIndicatorWindowController* progress = document.progressIndicatorWindowController();
        ASSERT_TRUE(progress);
        EXPECT_TRUE(progress->window()->isVisible());
        EXPECT_EQ(progress->progressStatusTextfield()->text(), QStringLiteral("Please wait..."));
        EXPECT_TRUE(progress->progressFileTextField()->text().isEmpty());
        EXPECT_EQ(progress->progressIndicator()->maximum(), 0); // running, no end known
        EXPECT_EQ(progress->levelIndicator()->maximum(), 3);
        EXPECT_EQ(progress->levelIndicator()->value(), 0);
        EXPECT_TRUE(progress->progressIndicator2()->isHidden());

        document.updateProgressBar(1, 3);
        EXPECT_EQ(progress->progressStatusTextfield()->text(), QLatin1String(c.afterFirst));
        EXPECT_EQ(progress->progressFileTextField()->text(), QStringLiteral("Uploading: /basetemplate/logo.PNG"));
        EXPECT_EQ(progress->levelIndicator()->value(), 1);
        document.updateProgressBar(2, 3);
        document.updateProgressBar(3, 3);
        EXPECT_EQ(progress->progressFileTextField()->text(), QStringLiteral("Uploading: /basetemplate/logo.PNG"));
        EXPECT_EQ(progress->levelIndicator()->value(), 3);

        // The window is the document's own, reset for the next run.
        document.showProgressIndicator();
        EXPECT_EQ(document.progressIndicatorWindowController(), progress);
        EXPECT_EQ(progress->levelIndicator()->value(), 0);
        EXPECT_TRUE(progress->progressFileTextField()->text().isEmpty());
    }
}

TEST_F(PublishPageProgressTest, TheLogWindowShowsTheLastDetailsAndCopiesThem)
{
    platform::ScopedDialogs dialogs;
    DRVDocument document;
    document.setConnectionLog(QStringLiteral("Connection Log\n\nNot able to upload file b.css."));
    document.showConnectionLog();
    ConnectionLogWindowController* log = document.connectionLogController();
    ASSERT_TRUE(log);
    EXPECT_EQ(log->window()->windowTitle(), QStringLiteral("Connection log"));
    EXPECT_EQ(log->textView()->toPlainText(), document.connectionLog());
    document.grabConnectionLog();
    EXPECT_EQ(QApplication::clipboard()->text(), document.connectionLog());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().at(0).title, QStringLiteral("Copied to Clipboard"));
    // One window per document, reused.
    document.showConnectionLog();
    EXPECT_EQ(document.connectionLogController(), log);
}
