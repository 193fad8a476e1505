// The e-mail editions' image settings sheet through its menu item and real clicks: the current
// choice drawn in green with its text, the FTP choice leading to the FTP settings sheet, and the
// Dropbox link: the choice stored at once, a pasted address finishing the link, re-linking a linked
// account.
#include "AppTestSupport.h"
#include "publishing/DropboxStandIn.h"

#include "platform/SecretStore.h"
#include "platform/UrlOpener.h"
#include "publishing/DropboxAuthorization.h"
#include "window/ImageSettingsWindowController.h"
#include "window/PreferenceWindowController.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpSocket>
#include <QTest>

namespace {

class ImageSettingsTest : public WindowedAppTest
{
protected:
    ImageSettingsTest() { edition().gEditionDisplayName = QStringLiteral("Ulmira Pro 2"); }

    ImageSettingsWindowController* openSheet(DRVWindowController* window)
    {
        choose(window, QStringLiteral("launchImageSettingsModalSheet:"));
        return delegate.imageSettingsWindowController();
    }

    static QString option() { return platform::UserDefaults::standard().stringForKey(QStringLiteral("uploadOption")); }

    // The colour the user sees beside the button's title.
    static QString shownColour(QPushButton* button)
    {
        const QImage picture = button->grab().toImage();
        return picture.pixelColor(6, picture.height() / 2).name(QColor::HexRgb).mid(1).toUpper();
    }

    // Where the service sends the browser after the user allowed access (read, not followed).
    static QString redirectOf(const QUrl& page)
    {
        QTcpSocket socket;
        socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(page.port()));
        if (!socket.waitForConnected(5000))
            return {};
        socket.write("GET " + page.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority) +
                     " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
        QByteArray answer;
        while (socket.waitForReadyRead(5000))
            answer += socket.readAll();
        for (const QByteArray& line : answer.split('\n'))
            if (line.startsWith("Location: "))
                return QString::fromLatin1(line.mid(10).trimmed());
        return {};
    }

    DRVAppDelegate delegate;
    platform::ScopedSecretStore secrets;
    platform::ScopedUrlRecorder browser;
};

} // namespace

TEST_F(ImageSettingsTest, TheCurrentChoiceIsGreenAndNamedAndEachClickStoresItsChoice)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    ImageSettingsWindowController* sheet = openSheet(window);
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(sheet->window()->isVisible());
    EXPECT_EQ(sheet->window()->parentWidget(), window->window());
    EXPECT_EQ(sheet->window()->windowModality(), Qt::WindowModal);

    // Nothing stored yet counts as the attachment.
    EXPECT_TRUE(option().isEmpty());
    EXPECT_EQ(sheet->currentOptionTextField()->text(), QStringLiteral("Current option selected: Attachment"));
    EXPECT_EQ(shownColour(sheet->attachmentButton()), QStringLiteral("30B34F"));
    EXPECT_NE(shownColour(sheet->dropboxButton()), QStringLiteral("30B34F"));
    keepScreenshot(sheet->window(), QStringLiteral("image-settings-sheet.png"));

    struct Case
    {
        QPushButton* button;
        int alertAnswer; // -1: no alert
        const char* stored;
        const char* text;
    };
    platform::UserDefaults::standard().setObject(QStringLiteral("uploadOption"), QStringLiteral("dropbox"));
    sheet->setupButtons();
    EXPECT_EQ(sheet->currentOptionTextField()->text(), QStringLiteral("Current option selected: Dropbox"));
    EXPECT_EQ(shownColour(sheet->dropboxButton()), QStringLiteral("30B34F"));
    const Case cases[] = {
        {sheet->ftpButton(), 1, "ftp", "Current option selected: FTP"},
        {sheet->attachmentButton(), -1, "attachment", "Current option selected: Attachment"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const qsizetype alertsBefore = dialogs->alerts().size();
        if (c.alertAnswer >= 0)
            dialogs->queueAlertAnswer(c.alertAnswer);
        QTest::mouseClick(c.button, Qt::LeftButton);
        EXPECT_EQ(option(), QLatin1String(c.stored));
        EXPECT_EQ(sheet->currentOptionTextField()->text(), QLatin1String(c.text));
        EXPECT_EQ(shownColour(c.button), QStringLiteral("30B34F"));
        for (QPushButton* other : {sheet->dropboxButton(), sheet->ftpButton(), sheet->attachmentButton()})
            if (other != c.button)
                EXPECT_NE(shownColour(other), QStringLiteral("30B34F"));
        EXPECT_EQ(dialogs->alerts().size(), alertsBefore + (c.alertAnswer >= 0 ? 1 : 0));
        EXPECT_TRUE(sheet->window()->isVisible());
    }
    const platform::Alert ftpAlert = dialogs->alerts().constFirst();
    EXPECT_EQ(ftpAlert.title, QStringLiteral("FTP Selected"));
    EXPECT_EQ(ftpAlert.informativeText, QStringLiteral("Image option updated to FTP"));
    EXPECT_EQ(ftpAlert.buttons, (QStringList{QStringLiteral("Configure FTP Settings"), QStringLiteral("OK")}));

    QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(sheet->window()->isVisible());
    EXPECT_TRUE(window->window()->isVisible());
}

TEST_F(ImageSettingsTest, ConfigureFtpSettingsClosesTheSheetAndOpensTheFtpSheet)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    ImageSettingsWindowController* sheet = openSheet(window);
    ASSERT_TRUE(sheet);
    dialogs->queueAlertAnswer(0);
    QTest::mouseClick(sheet->ftpButton(), Qt::LeftButton);
    EXPECT_EQ(option(), QStringLiteral("ftp"));
    EXPECT_FALSE(sheet->window()->isVisible());
    PreferenceWindowController& ftp = PreferenceWindowController::shared();
    ASSERT_TRUE(ftp.window());
    EXPECT_TRUE(ftp.window()->isVisible());
    ftp.cancelPreferencesModalSheet();
}

TEST_F(ImageSettingsTest, DropboxIsStoredAtOnceAPastedAddressLinksItAndALinkedAccountCanBeRelinked)
{
    dropboxtest::StandIn standIn;
    if (!standIn.start())
        return;
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    ImageSettingsWindowController* sheet = openSheet(window);
    ASSERT_TRUE(sheet);

    QTest::mouseClick(sheet->dropboxButton(), Qt::LeftButton);
    // Stored before the browser has answered.
    EXPECT_EQ(option(), QStringLiteral("dropbox"));
    EXPECT_EQ(sheet->currentOptionTextField()->text(), QStringLiteral("Current option selected: Dropbox"));
    EXPECT_FALSE(DropboxSession::isLinked());
    ASSERT_EQ(browser.urls().size(), 1);
    ASSERT_TRUE(sheet->linkCodeField()->isVisible());
    keepScreenshot(sheet->window(), QStringLiteral("image-settings-linking.png"));

    // The browser could not come back: the user pastes the address it ended on.
    const QString landing = redirectOf(browser.urls().constFirst());
    ASSERT_TRUE(landing.startsWith(delegate.dropboxAuthorization()->redirectUri())) << landing.toStdString();
    QTest::keyClicks(sheet->linkCodeField(), landing);
    QTest::mouseClick(sheet->linkCodeButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([] { return DropboxSession::isLinked(); }, 20000));
    QTest::qWait(20);
    EXPECT_FALSE(sheet->linkCodeField()->isVisible());
    EXPECT_EQ(sheet->linkStatusTextField()->text(), QStringLiteral("Dropbox is linked."));
    const QList<QJsonObject> requests = standIn.requests();
    ASSERT_EQ(standIn.steps(), (QStringList{QStringLiteral("authorize"), QStringLiteral("token")}));
    EXPECT_TRUE(requests.at(1).value(QStringLiteral("verifier_matches")).toBool());

    // Linked: the choice offers to link another account.
    dialogs->queueAlertAnswer(0);
    QTest::mouseClick(sheet->dropboxButton(), Qt::LeftButton);
    ASSERT_FALSE(dialogs->alerts().isEmpty());
    const platform::Alert linked = dialogs->alerts().constLast();
    EXPECT_EQ(linked.title, QStringLiteral("Dropbox Linked"));
    EXPECT_EQ(linked.informativeText, QStringLiteral("Image option updated to Dropbox"));
    EXPECT_EQ(linked.buttons, (QStringList{QStringLiteral("Re-Link Dropbox Account"), QStringLiteral("OK")}));
    EXPECT_FALSE(sheet->window()->isVisible());
    EXPECT_FALSE(DropboxSession::isLinked());
    ASSERT_EQ(browser.urls().size(), 2);
    EXPECT_TRUE(delegate.dropboxAuthorization()->isWaiting());
    delegate.dropboxAuthorization()->cancel();
}
