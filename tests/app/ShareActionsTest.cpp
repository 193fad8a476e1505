// The share panel's buttons in a real document window: the link and the picture on the clipboard,
// the addresses handed to the browser and the mail program, the rating prompt, and the picture
// exports that close the panel first.
#include "AppTestSupport.h"

#include "platform/UrlOpener.h"
#include "window/ShareWindowController.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QUrlQuery>

namespace {

using Kind = ShareWindowController::ShareButtonKind;

class ShareActionsTest : public WindowedAppTest
{
protected:
    // A page window of the edition, published to link, with its panel showing.
    ShareWindowController* publishedPanel(const QString& link)
    {
        useWorkingFolders();
        window = documents.openDocumentWithContentsOfPath(
            savedPage(QStringLiteral("page-%1").arg(++m_pages)));
        if (!window)
            return nullptr;
        // As the publication's success step shows it (not every edition has a share command).
        window->document()->showShareWindowController(window->document());
        window->document()->setShareLink(link);
        return window->document()->shareWindowController();
    }

    static void press(ShareWindowController* panel, Kind kind)
    {
        QToolButton* button = panel->button(kind);
        ASSERT_TRUE(button->isEnabled()) << qPrintable(button->text());
        ASSERT_TRUE(button->isVisibleTo(panel->window())) << qPrintable(button->text());
        QTest::mouseClick(button, Qt::LeftButton);
    }

    DRVWindowController* window = nullptr;
    int m_pages = 0;
};

} // namespace

TEST_F(ShareActionsTest, AfterAPublishSixOptionsLieFourAndTwoAndTheLinkIsCopiedAsItIs)
{
    ScopedEdition edition(QStringLiteral("HTML Quib Pro"));
    ShareWindowController* panel = publishedPanel(QString());
    ASSERT_TRUE(panel);
    // The publication's own success step fills the link and the panel's message.
    platform::UserDefaults::standard().setObject(QStringLiteral("baseurl"),
                                                 QStringLiteral("http://example.test/site"));
    window->document()->setPageName(QStringLiteral("Home & <b>away</b>"));
    window->document()->updateProgressBarDoneSuccess();
    const QString link = QStringLiteral("http://example.test/site/Home & <b>away</b>.html");
    ASSERT_EQ(window->document()->shareLink(), link);
    ASSERT_TRUE(panel->window()->isVisible());

    const QList<QToolButton*> buttons = panel->shareButtons();
    ASSERT_EQ(buttons.size(), 6);
    const QList<QPoint> places{{0, 0}, {130, 0}, {260, 0}, {390, 0}, {0, 130}, {130, 130}};
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons.at(i)->pos(), places.at(i)) << i;
        EXPECT_TRUE(buttons.at(i)->isEnabled()) << qPrintable(buttons.at(i)->text());
    }
    keepScreenshot(panel->window(), QStringLiteral("share-window-after-publish.png"));

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    press(panel, Kind::SendToClipBoard);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), link);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Copied to Clipboard"));
    EXPECT_EQ(dialogs->alerts().constLast().informativeText, link);
    EXPECT_EQ(dialogs->alerts().constLast().buttons, QStringList{QStringLiteral("OK")});
    // Copying leaves the panel open.
    EXPECT_TRUE(panel->window()->isVisible());
}

TEST_F(ShareActionsTest, CopyingThePicturePutsThePageImageOnTheClipboard)
{
    ScopedEdition edition(QStringLiteral("Haskavel Pro"));
    ShareWindowController* panel = publishedPanel(QString());
    ASSERT_TRUE(panel);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    press(panel, Kind::SendImageToClipBoard);

    const QImage copied = QGuiApplication::clipboard()->image();
    const QImage page = window->document()->generatePNG(false);
    ASSERT_FALSE(copied.isNull());
    ASSERT_EQ(copied.size(), page.size());
    EXPECT_EQ(copied.convertToFormat(QImage::Format_ARGB32), page.convertToFormat(QImage::Format_ARGB32));
    // The page's red line is in the picture, not only its background.
    bool red = false;
    for (int y = 0; y < copied.height() && !red; ++y)
        for (int x = 0; x < copied.width() && !red; ++x)
            red = copied.pixelColor(x, y) == QColor(0xCC, 0, 0);
    EXPECT_TRUE(red);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Copied to Clipboard"));
    EXPECT_TRUE(dialogs->alerts().constLast().informativeText.isEmpty());
}

TEST_F(ShareActionsTest, TheOpenerGetsEncodedShareAndMailAddresses)
{
    ScopedEdition edition(QStringLiteral("HTML Quib Pro"));
    const QString links[] = {
        QStringLiteral("http://example.test/site/Home.html"),
        // Characters that would end or change a parameter, or a whole address, if left as they are.
        QStringLiteral("https://example.test/a b/Home.html?x=1&y=2+3#top"),
        QStringLiteral("http://example.test/Übersicht%20alt.html"),
    };
    for (const QString& link : links) {
        ShareWindowController* panel = publishedPanel(link);
        ASSERT_TRUE(panel);
        platform::ScopedUrlRecorder opener;
        press(panel, Kind::LaunchInSafari);
        press(panel, Kind::SendToEmail);
        press(panel, Kind::ShareOnTwitter);
        press(panel, Kind::ShareOnFacebook);
        const QList<QUrl> opened = opener.urls();
        ASSERT_EQ(opened.size(), 4) << qPrintable(link);

        EXPECT_EQ(opened.at(0), QUrl(link));
        const struct
        {
            QUrl url;
            const char* start;
            const char* key;
        } posts[] = {
            {opened.at(1), "mailto:?subject=Shared%20work%20from%20HTML%20Quib%20Pro&body=", "body"},
            {opened.at(2), "https://twitter.com/intent/tweet?url=", "url"},
            {opened.at(3), "https://www.facebook.com/sharer/sharer.php?u=", "u"},
        };
        for (const auto& post : posts) {
            const QByteArray encoded = post.url.toEncoded();
            EXPECT_TRUE(encoded.startsWith(post.start)) << encoded.constData();
            // Only the one parameter's own separators; the link's "&", "#", "?" and blanks are encoded.
            const QByteArray value = encoded.mid(encoded.indexOf(QByteArray(post.key) + '=') + qstrlen(post.key) + 1);
            for (char raw : {'&', '#', '?', ' ', '+', '='})
                EXPECT_FALSE(value.contains(raw)) << encoded.constData() << " holds " << raw;
            // A mail program or a browser reading the parameter gets the link back exactly.
            EXPECT_EQ(QUrlQuery(post.url).queryItemValue(QString::fromLatin1(post.key), QUrl::FullyDecoded), link)
                << encoded.constData();
        }
        EXPECT_EQ(QUrlQuery(opened.at(1)).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                  QStringLiteral("Shared work from HTML Quib Pro"));
        // None of these leaves the panel.
        EXPECT_TRUE(panel->window()->isVisible());
        EXPECT_TRUE(dialogs->alerts().isEmpty());
        window->document()->hideShareWindowControllerPanel();
    }
}

TEST_F(ShareActionsTest, TheBrowserOpensOnlyWebAddressesAndThePostsCarryAnEmptyLink)
{
    ScopedEdition edition(QStringLiteral("HTML Quib Pro"));
    const struct
    {
        const char* link;
        const char* opened; // "" for nothing
    } rows[] = {
        {"", ""},
        {"file:///etc/passwd", ""},
        {"ftp://example.test/a.html", ""},
        {"example.test/site/a.html", "http://example.test/site/a.html"},
        {"https://example.test/site/a b.html", "https://example.test/site/a%20b.html"},
    };
    for (const auto& row : rows) {
        ShareWindowController* panel = publishedPanel(QString::fromUtf8(row.link));
        ASSERT_TRUE(panel);
        platform::ScopedUrlRecorder opener;
        press(panel, Kind::LaunchInSafari);
        if (qstrlen(row.opened) == 0)
            EXPECT_TRUE(opener.urls().isEmpty()) << row.link;
        else
            EXPECT_EQ(opener.urls(), QList<QUrl>{QUrl::fromEncoded(row.opened)}) << row.link;
        window->document()->hideShareWindowControllerPanel();
    }
    platform::ScopedUrlRecorder opener;
    ShareWindowController* panel = publishedPanel(QString());
    press(panel, Kind::ShareOnFacebook);
    ASSERT_EQ(opener.urls().size(), 1);
    EXPECT_EQ(opener.urls().constFirst().toEncoded(), QByteArray("https://www.facebook.com/sharer/sharer.php?u="));
}

TEST_F(ShareActionsTest, RateAppOpensTheRatingPageOnlyWhenTheEditionHasOne)
{
    ScopedEdition edition(QStringLiteral("HTML Quib Pro"));
    const struct
    {
        const char* ratingPage;
        int answer; // the alert's button: 0 "Rate App", 1 "Cancel"
        bool asked;
        const char* opened; // "" for nothing
    } rows[] = {
        {"https://apps.example.test/rate?id=7", 0, true, "https://apps.example.test/rate?id=7"},
        {"https://apps.example.test/rate?id=7", 1, true, ""},
        {"", 0, false, ""},
    };
    for (const auto& row : rows) {
        ::edition().gAppStoreReviewURL = QString::fromUtf8(row.ratingPage);
        ShareWindowController* panel = publishedPanel(QString());
        ASSERT_TRUE(panel);
        platform::ScopedUrlRecorder opener;
        const qsizetype alertsBefore = dialogs->alerts().size();
        if (row.asked)
            dialogs->queueAlertAnswer(row.answer);
        const bool offered = panel->button(Kind::RateApp)->isEnabled();
        EXPECT_EQ(offered, row.asked) << row.ratingPage;
        if (offered)
            press(panel, Kind::RateApp);
        else
            window->document()->rateApp(); // as a caller without the button would
        EXPECT_FALSE(panel->window()->isVisible());
        ASSERT_EQ(dialogs->alerts().size(), alertsBefore + (row.asked ? 1 : 0));
        if (row.asked) {
            const platform::Alert& alert = dialogs->alerts().constLast();
            EXPECT_EQ(alert.title, QStringLiteral("Rate Our App"));
            EXPECT_EQ(alert.informativeText,
                      QStringLiteral("If you enjoy using this app, would you mind taking a moment to rate it?  "
                                     "Thanks for your support!"));
            EXPECT_EQ(alert.buttons, (QStringList{QStringLiteral("Rate App"), QStringLiteral("Cancel")}));
        }
        if (qstrlen(row.opened) == 0)
            EXPECT_TRUE(opener.urls().isEmpty()) << row.ratingPage;
        else
            EXPECT_EQ(opener.urls(), QList<QUrl>{QUrl(QString::fromUtf8(row.opened))});
    }
}

TEST_F(ShareActionsTest, PictureExportsCloseThePanelAndWriteThroughTheSavePanel)
{
    ScopedEdition edition(QStringLiteral("Haskavel Pro"));
    const struct
    {
        Kind kind;
        const char* answer;
        const char* written;
        const char* format;
    } rows[] = {
        {Kind::SaveAsPNG, "shared", "shared.PNG", "PNG"},
        {Kind::SaveAsJPEG, "shared.jpg", "shared.jpg", "JPEG"},
        {Kind::SaveAsPDF, "shared", "shared.PDF", nullptr},
    };
    for (const auto& row : rows) {
        ShareWindowController* panel = publishedPanel(QStringLiteral("http://example.test/a.html"));
        ASSERT_TRUE(panel);
        dialogs->queueSavePanelAnswer(m_root.filePath(QString::fromUtf8(row.answer)));
        press(panel, row.kind);
        EXPECT_FALSE(panel->window()->isVisible()) << row.written;
        const QString written = m_root.filePath(QString::fromUtf8(row.written));
        ASSERT_TRUE(QFileInfo::exists(written)) << row.written;
        if (row.format) {
            const QImage image(written, row.format);
            EXPECT_EQ(image.size(), window->document()->generatePNG(false).size()) << row.written;
        } else {
            QFile pdf(written);
            ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
            EXPECT_TRUE(pdf.read(5) == "%PDF-") << row.written;
        }
        QFile::remove(written);
    }
}

TEST_F(ShareActionsTest, ServicesThisDesktopLacksStayGreyedAndTheBookExportsLeaveThePanel)
{
    ScopedEdition edition(QStringLiteral("Kestrin PDF Author"));
    ShareWindowController* panel = publishedPanel(QString());
    ASSERT_TRUE(panel);
    for (Kind kind : {Kind::ShareOnMessage, Kind::SendToAirdrop})
        EXPECT_FALSE(panel->button(kind)->isEnabled()) << qPrintable(panel->button(kind)->text());
    for (Kind kind : {Kind::SaveAsPDF, Kind::SendImageToClipBoard, Kind::SendToEmail, Kind::SaveAllPDFPages,
                      Kind::SaveAllPDFPagesFast})
        EXPECT_TRUE(panel->button(kind)->isEnabled()) << qPrintable(panel->button(kind)->text());

    // "Fast Export" asks first; cancelling it writes nothing, and the panel has gone.
    dialogs->queueAlertAnswer(1);
    QAbstractButton* fast = panel->button(Kind::SaveAllPDFPagesFast);
    QTest::mouseClick(fast, Qt::LeftButton, {}, fast->rect().center());
    QApplication::processEvents();
    ASSERT_FALSE(dialogs->alerts().isEmpty());
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Fast Export"));
    EXPECT_FALSE(panel->window()->isVisible());
    EXPECT_TRUE(dialogs->saveRequests().isEmpty());
}
