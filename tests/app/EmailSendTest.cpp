// The e-mail editions' Send through the real window: the recipient sheet typed with key events,
// the picture rendered and hosted, the review, and the message at aiosmtpd on loopback; FTP
// hosting against pyftpdlib; Cancel in the review; the responsive edition sending the page itself.
#include "AppTestSupport.h"
#include "publishing/UploadServers.h"

#include "model/DRVImage.h"
#include "model/DRVRectangle.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"
#include "platform/SecretStore.h"
#include "publishing/MailSettings.h"
#include "window/ConnectionLogWindowController.h"
#include "window/EditionToolbar.h"
#include "window/MailRecipientWindowController.h"
#include "window/MailSettingWindowController.h"
#include "window/ReviewMailDataWindowController.h"
#include "window/SourceCodeWindowController.h"

#include <QCryptographicHash>
#include <QDialog>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <optional>

using namespace uploadtest;

namespace {

const QString kSender = QStringLiteral("me@example.org");
const QString kPassword = QStringLiteral("mail-secret");

class EmailSendTest : public WindowedAppTest
{
protected:
    ~EmailSendTest() override
    {
        DRVDocument::setEmailDateSource({});
        DRVDocument::setDropboxUploadStarter({});
        smtp.stop();
        ftp.stop();
    }

    void useEdition(const QString& name)
    {
        m_mailEdition.emplace(name);
        useWorkingFolders();
    }

    bool startSmtp()
    {
        if (!havePythonModuleOrFail(QStringLiteral("aiosmtpd"), QStringLiteral("python3-aiosmtpd")))
            return false;
        mailFolder = m_root.filePath(QStringLiteral("smtp"));
        QDir().mkpath(mailFolder);
        const bool started =
            smtp.start("smtp_server.py", {QStringLiteral("--mode"), QStringLiteral("plain"),
                                          QStringLiteral("--folder"), mailFolder, QStringLiteral("--user"),
                                          kSender, QStringLiteral("--password"), kPassword});
        EXPECT_TRUE(started) << smtp.errors().toStdString();
        platform::UserDefaults& defaults = platform::UserDefaults::standard();
        defaults.setObject(QStringLiteral("mailAddress"), kSender);
        defaults.setObject(QStringLiteral("mailName"), QStringLiteral("Mia Sender"));
        defaults.setObject(QStringLiteral("mailSMTPServer"), QStringLiteral("127.0.0.1"));
        defaults.setObject(QStringLiteral("mailPortnumber"), QString::number(smtp.port("SMTP")));
        defaults.setObject(QStringLiteral("connectionType"), QStringLiteral("None"));
        secrets->write(MailSettings::fromUserDefaults().secretKey(), kPassword);
        return started;
    }

    bool startFtp()
    {
        if (!havePythonModuleOrFail(QStringLiteral("pyftpdlib"), QStringLiteral("python3-pyftpdlib")))
            return false;
        ftpRoot = m_root.filePath(QStringLiteral("ftp"));
        QDir().mkpath(ftpRoot);
        const bool started = ftp.start("ftp_server.py", {QStringLiteral("--root"), ftpRoot});
        EXPECT_TRUE(started) << ftp.errors().toStdString();
        platform::UserDefaults& defaults = platform::UserDefaults::standard();
        defaults.setObject(QStringLiteral("server"), QStringLiteral("127.0.0.1"));
        defaults.setObject(QStringLiteral("username"), QStringLiteral("quib"));
        defaults.setObject(QStringLiteral("password"), QStringLiteral("secret"));
        defaults.setObject(QStringLiteral("portnumber"), QString::number(ftp.port("FTP")));
        defaults.setObject(QStringLiteral("connectiontype"), QStringLiteral("FTP"));
        defaults.setObject(QStringLiteral("remotepath"), QString());
        defaults.setObject(QStringLiteral("baseurl"), QStringLiteral("https://pics.example.org/mail"));
        return started;
    }

    // A page of a red block and a linked green picture.
    // responsive: the graphics lie in a one-column section, as the responsive page is built of sections.
    DRVWindowController* linkedPage(bool responsive = false)
    {
        auto* block = new DRVRectangle;
        block->setBounds(QRectF(20, 20, 160, 90));
        block->setFillColor(QColor(0xCC, 0x22, 0x00));
        block->setDrawingFill(true);
        auto* image = new DRVImage;
        QImage picture(120, 80, QImage::Format_RGB32);
        picture.fill(QColor(0x22, 0x88, 0x44));
        image->setContents(picture);
        image->setBounds(QRectF(60, 140, 120, 80));
        image->setImageName(QStringLiteral("image1"));
        image->setImageType(QStringLiteral("png"));
        image->setLink(QStringLiteral("https://shop.example.org/spring?a=1&b=2"));
        QList<DRVGraphic*> graphics{image, block};
        if (responsive) {
            auto* section = new DRVTable;
            section->setGridType(QStringLiteral("section"));
            section->setBounds(QRectF(0, 0, 700, 300));
            section->setBackgroundHexColorString(QStringLiteral("FFFFFF"));
            auto* column = new myTextView(QRectF(0, 0, 700, 300), section);
            column->setOriginX(0);
            column->setOriginY(0);
            column->setWidth(700);
            column->setHeight(300);
            column->setXsGridColumns(12);
            column->setSmallGridColumns(12);
            column->setMediumGridColumns(12);
            column->setLargeGridColumns(12);
            column->setBackgroundHexColorString(QStringLiteral("FFFFFF"));
            section->setCellHelperArray({column});
            graphics.append(section);
        }
        DRVWindowController* window = windowOnPage(graphics);
        window->window()->resize(900, 700);
        window->window()->show();
        return window;
    }

    // Send E-mail, the addresses and subject typed into the sheet, and its Send.
    MailRecipientWindowController* fillSheetAndSend(DRVWindowController* window, const QString& to,
                                                    const QString& subject)
    {
        // The e-mail editions' toolbar button.
        EditionToolbar* bar = window->editionToolBar();
        QAction* send = bar ? bar->actionWithId(QStringLiteral("publishMail:")) : nullptr;
        EXPECT_TRUE(send);
        if (!send)
            return nullptr;
        bar->validateItems();
        EXPECT_TRUE(send->isEnabled());
        send->trigger();
        MailRecipientWindowController* sheet = MailRecipientWindowController::forDocument(window->document());
        EXPECT_TRUE(sheet && sheet->window() && sheet->window()->isVisible());
        if (!sheet || !sheet->window())
            return nullptr;
        QPlainTextEdit* toView = sheet->toFieldTextView();
        toView->setFocus();
        toView->selectAll();
        QTest::keyClick(toView->viewport(), Qt::Key_Delete);
        const QStringList lines = to.split(u'\n');
        for (int i = 0; i < int(lines.size()); ++i) {
            if (i > 0)
                QTest::keyClick(toView->viewport(), Qt::Key_Return);
            QTest::keyClicks(toView->viewport(), lines.at(i));
        }
        QLineEdit* subjectField = sheet->mailSubjectTextField();
        subjectField->selectAll();
        QTest::keyClick(subjectField, Qt::Key_Delete);
        QTest::keyClicks(subjectField, subject);
        if (auto* tooltip = sheet->window()->findChild<QPlainTextEdit*>(QStringLiteral("tooltipTextView"))) {
            tooltip->setFocus();
            QTest::keyClicks(tooltip->viewport(), QStringLiteral("Spring \"sale\""));
        }
        QTest::mouseClick(sheet->sendMailButton(), Qt::LeftButton);
        return sheet;
    }

    QJsonObject keptMessage(int n) const
    {
        QFile file(QDir(mailFolder).filePath(QStringLiteral("%1.json").arg(n)));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    static QString sha256Of(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(
            QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
    }

    std::optional<ScopedEdition> m_mailEdition;
    platform::ScopedSecretStore secrets;
    ServerProcess smtp;
    ServerProcess ftp;
    QString mailFolder;
    QString ftpRoot;
};

} // namespace

TEST_F(EmailSendTest, AttachmentModeSendsThePictureWithItsMap)
{
    useEdition(QStringLiteral("Ulmira Pro 2"));
    if (!startSmtp())
        return;
    platform::UserDefaults::standard().setObject(QStringLiteral("uploadOption"),
                                                 QStringLiteral("attachment"));
    DRVWindowController* window = linkedPage();
    DRVDocument* document = window->document();

    MailRecipientWindowController* sheet =
        fillSheetAndSend(window, QStringLiteral("ann@example.org, ,bob@example.org,\nnot-an-address"),
                         QStringLiteral("Spring news"));
    ASSERT_TRUE(sheet);
    EXPECT_FALSE(sheet->window()->isVisible());
    EXPECT_EQ(sheet->toFieldTextView()->toPlainText(),
              QStringLiteral("ann@example.org, ,bob@example.org,\nnot-an-address"));

    ReviewMailDataWindowController* review = document->reviewMailDataWindowController();
    ASSERT_TRUE(review);
    ASSERT_TRUE(review->window()->isVisible());
    EXPECT_TRUE(review->textView()->isReadOnly());
    EXPECT_EQ(
        review->textView()->toPlainText().toStdString(),
        "Note compatibility of HTML emails vary by mail client, always send a copy to yourself first to "
        "test out the look and feel.\n\nFrom: me@example.org\n\nSubject: Spring news\n\nTotal Number of "
        "Recipients: 2\n\nThe sender, Mia Sender (me@example.org), will also receive a copy of this email\n\n"
        "To:  ann@example.org\nTo:  bob@example.org\nRefused (not sent):  not-an-address\n");
    keepScreenshot(review->window(), QStringLiteral("email-review.png"));

    // The picture of this send lies in a folder of its own.
    const QString picturePath = QDir(document->emailRunFolder()).filePath(QStringLiteral("ulmira.png"));
    ASSERT_TRUE(QFileInfo::exists(picturePath));
    EXPECT_TRUE(QFileInfo::exists(QDir(document->emailRunFolder()).filePath(QStringLiteral("ulmira.pdf"))));

    QSignalSpy ended(document, &DRVDocument::mailSendEnded);
    QTest::mouseClick(review->sendButton(), Qt::LeftButton);
    EXPECT_FALSE(review->window()->isVisible());
    ASSERT_TRUE((!ended.isEmpty() || ended.wait(60000)));
    EXPECT_TRUE(ended.first().first().toBool());
    smtp.stop();

    const QList<platform::Alert> alerts = dialogs->alerts();
    ASSERT_FALSE(alerts.isEmpty());
    EXPECT_EQ(alerts.constLast().title, QStringLiteral("Mail Sent"));
    EXPECT_EQ(
        alerts.constLast().informativeText,
        QStringLiteral("This mail has been sent.\n\nA copy of this email has been sent to me@example.org"));

    const QJsonObject message = keptMessage(1);
    ASSERT_FALSE(message.isEmpty());
    QStringList recipients;
    for (const QJsonValue& r : message.value(QStringLiteral("rcpt_tos")).toArray())
        recipients.append(r.toString());
    EXPECT_EQ(recipients,
              (QStringList{QStringLiteral("ann@example.org"), QStringLiteral("bob@example.org"), kSender}));
    EXPECT_EQ(message.value(QStringLiteral("headers")).toObject().value(QStringLiteral("Subject")).toString(),
              QStringLiteral("Spring news"));

    QString html;
    QString pictureCid;
    QString pictureSha;
    for (const QJsonValue& value : message.value(QStringLiteral("parts")).toArray()) {
        const QJsonObject part = value.toObject();
        if (part.value(QStringLiteral("type")).toString() == QLatin1String("text/html"))
            html = part.value(QStringLiteral("text")).toString();
        else if (part.value(QStringLiteral("type")).toString() == QLatin1String("image/png")) {
            pictureCid = part.value(QStringLiteral("cid")).toString();
            pictureSha = part.value(QStringLiteral("sha256")).toString();
        }
    }
    ASSERT_FALSE(pictureCid.isEmpty()) << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("src=\"cid:") + pictureCid + u'"')) << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("<area shape=\"RECT\" coords=\"60,140,180,220\" "
                                             "href=\"https://shop.example.org/spring?a=1&amp;b=2\">")))
        << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("alt=\"Spring &quot;sale&quot;\""))) << qPrintable(html);
    // The attached picture is the one rendered for this send, and that is the canvas as drawn.
    EXPECT_EQ(pictureSha, sha256Of(picturePath));
    const QImage sent(picturePath);
    ASSERT_FALSE(sent.isNull());
    const QImage canvas = window->graphicView()
                              ->grab(QRect(QPoint(0, 0), sent.size()))
                              .toImage()
                              .convertToFormat(QImage::Format_ARGB32);
    const QImage flat = sent.convertToFormat(QImage::Format_ARGB32);
    qint64 difference = 0;
    qint64 samples = 0;
    for (int y = 0; y < std::min(flat.height(), canvas.height()); y += 2) {
        for (int x = 0; x < std::min(flat.width(), canvas.width()); x += 2) {
            const QColor a = flat.pixelColor(x, y);
            const QColor b = canvas.pixelColor(x, y);
            // A clear picture shows white where the canvas paints its page colour.
            const QColor shown = a.alpha() < 128 ? QColor(Qt::white) : a;
            difference += std::abs(shown.red() - b.red()) + std::abs(shown.green() - b.green()) +
                          std::abs(shown.blue() - b.blue());
            ++samples;
        }
    }
    ASSERT_GT(samples, 1000);
    EXPECT_LT(double(difference) / double(samples * 3), 12.0);
    // Sampled inside the two graphics, so an empty picture cannot pass.
    EXPECT_EQ(flat.pixelColor(100, 60).rgb(), QColor(0xCC, 0x22, 0x00).rgb());
    EXPECT_EQ(flat.pixelColor(120, 180).rgb(), QColor(0x22, 0x88, 0x44).rgb());
}

TEST_F(EmailSendTest, CancelInTheReviewSendsNothing)
{
    useEdition(QStringLiteral("Ulmira Express"));
    if (!startSmtp())
        return;
    DRVWindowController* window = linkedPage();
    DRVDocument* document = window->document();
    MailRecipientWindowController* sheet =
        fillSheetAndSend(window, QStringLiteral("ann@example.org"), QStringLiteral("Not yet"));
    ASSERT_TRUE(sheet);
    ReviewMailDataWindowController* review = document->reviewMailDataWindowController();
    ASSERT_TRUE(review && review->window()->isVisible());
    QTest::mouseClick(review->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(review->window()->isVisible());
    EXPECT_FALSE(sheet->window()->isVisible());
    EXPECT_FALSE(document->mailSendInProgress());
    QTest::qWait(300);
    smtp.stop();
    EXPECT_FALSE(QFileInfo::exists(QDir(mailFolder).filePath(QStringLiteral("1.json"))));
    QFile events(QDir(mailFolder).filePath(QStringLiteral("events.txt")));
    if (events.open(QIODevice::ReadOnly))
        EXPECT_FALSE(events.readAll().contains("DATA"));
}

TEST_F(EmailSendTest, IncompleteSettingsOfferTheSettingsAndSendNothing)
{
    useEdition(QStringLiteral("Ulmira Pro 2"));
    platform::UserDefaults& defaults = platform::UserDefaults::standard();
    defaults.setObject(QStringLiteral("mailAddress"), kSender);
    defaults.setObject(QStringLiteral("mailSMTPServer"), QString());
    DRVWindowController* window = linkedPage();
    dialogs->queueAlertAnswer(1);
    ASSERT_TRUE(fillSheetAndSend(window, QStringLiteral("ann@example.org"), QStringLiteral("S")));
    const QList<platform::Alert> alerts = dialogs->alerts();
    ASSERT_FALSE(alerts.isEmpty());
    EXPECT_EQ(alerts.constLast().title, QStringLiteral("Sender SMTP Settings Incomplete"));
    EXPECT_EQ(
        alerts.constLast().informativeText,
        QStringLiteral("SMTP Settings contain information about your email.  Please check to ensure this "
                       "setting is complete with your email and accurate mail server information.\n\n"
                       "Sender Mail Server is missing"));
    EXPECT_EQ(alerts.constLast().buttons,
              (QStringList{QStringLiteral("Check SMTP Settings"), QStringLiteral("Dismiss")}));
    EXPECT_FALSE(window->document()->reviewMailDataWindowController());

    // Without a sender address only that is reported; "Check SMTP Settings" opens the sender sheet.
    defaults.setObject(QStringLiteral("mailAddress"), QString());
    dialogs->queueAlertAnswer(0);
    ASSERT_TRUE(fillSheetAndSend(window, QStringLiteral("ann@example.org"), QStringLiteral("S")));
    EXPECT_TRUE(dialogs->alerts().constLast().informativeText.endsWith(
        QStringLiteral("mail server information.\nSender Mail is missing")));
    QDialog* settings = MailSettingWindowController::shared().window();
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings->isVisible());
    MailSettingWindowController::shared().cancelMailSettingSheet();
    EXPECT_FALSE(window->document()->reviewMailDataWindowController());
}

TEST_F(EmailSendTest, FtpHostingUploadsANewlyNamedPictureEachSend)
{
    useEdition(QStringLiteral("Ulmira Pro 2"));
    if (!startFtp())
        return;
    platform::UserDefaults::standard().setObject(QStringLiteral("uploadOption"), QStringLiteral("ftp"));
    qint64 now = QDateTime(QDate(2026, 12, 10), QTime(2, 30, 5)).toMSecsSinceEpoch();
    DRVDocument::setEmailDateSource([&now] { return now; });
    DRVWindowController* window = linkedPage();
    DRVDocument* document = window->document();

    QStringList sources;
    for (int send = 0; send < 2; ++send) {
        QSignalSpy ended(document, &DRVDocument::uploadRunEnded);
        // The source command hosts the picture and shows the message instead of sending it.
        choose(window, QStringLiteral("showMailSourceCode:"));
        const bool got = !ended.isEmpty() || ended.wait(60000);
        ASSERT_TRUE(got);
        EXPECT_TRUE(ended.first().first().toBool());
        // The transfer thread finishes just after the run's last step.
        for (int i = 0; i < 300 && document->uploadInProgress(); ++i)
            QTest::qWait(50);
        ASSERT_FALSE(document->uploadInProgress());
        SourceCodeWindowController* source = SourceCodeWindowController::sourceCodeController(document);
        ASSERT_TRUE(source);
        EXPECT_EQ(source->window()->windowTitle(), QStringLiteral("HTML Code"));
        EXPECT_FALSE(document->showCodeOnlyFlag());
        const QString html = source->textView()->toPlainText();
        const QString name = document->uploadItemArray().value(0).remoteFileName();
        EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"https://pics.example.org/mail/") + name + u'"'))
            << qPrintable(html);
        EXPECT_TRUE(QFileInfo::exists(QDir(ftpRoot).filePath(name))) << qPrintable(name);
        sources.append(name);
        if (send == 0)
            keepScreenshot(source->window(), QStringLiteral("email-html-code.png"));
        now += 12 * 3600 * 1000;
    }
    EXPECT_TRUE(sources.at(0).contains(QStringLiteral("Thursday023005"))) << qPrintable(sources.at(0));
    EXPECT_TRUE(sources.at(1).contains(QStringLiteral("Thursday143005"))) << qPrintable(sources.at(1));
    EXPECT_NE(sources.at(0), sources.at(1));
    // Both pictures stay on the server: a later send never replaces one a mail already points at.
    EXPECT_TRUE(QFileInfo::exists(QDir(ftpRoot).filePath(sources.at(0))));
}

TEST_F(EmailSendTest, ResponsiveEditionSendsThePageWithItsImagesEmbedded)
{
    useEdition(QStringLiteral("Brumel Responsive Email Designer"));
    if (!startSmtp())
        return;
    DRVWindowController* window = linkedPage(true);
    DRVDocument* document = window->document();
    ASSERT_TRUE(document->saveDocumentTo(m_root.filePath(QStringLiteral("spring.quibpage"))))
        << qPrintable(document->lastFileErrorText());
    ASSERT_TRUE(fillSheetAndSend(window, QStringLiteral("ann@example.org"), QStringLiteral("Page itself")));
    // No picture is rendered for this edition.
    EXPECT_TRUE(document->emailRunFolder().isEmpty());
    ReviewMailDataWindowController* review = document->reviewMailDataWindowController();
    ASSERT_TRUE(review && review->window()->isVisible());
    QSignalSpy ended(document, &DRVDocument::mailSendEnded);
    QTest::mouseClick(review->sendButton(), Qt::LeftButton);
    ASSERT_TRUE((!ended.isEmpty() || ended.wait(60000)));
    EXPECT_TRUE(ended.first().first().toBool()) << qPrintable(document->sendMailResults());
    smtp.stop();
    EXPECT_EQ(platform::UserDefaults::standard().stringForKey(QStringLiteral("emailOption")),
              QStringLiteral("editor"));

    const QJsonObject message = keptMessage(1);
    ASSERT_FALSE(message.isEmpty());
    QString html;
    QStringList cids;
    for (const QJsonValue& value : message.value(QStringLiteral("parts")).toArray()) {
        const QJsonObject part = value.toObject();
        if (part.value(QStringLiteral("type")).toString() == QLatin1String("text/html"))
            html = part.value(QStringLiteral("text")).toString();
        else if (!part.value(QStringLiteral("cid")).toString().isEmpty())
            cids.append(part.value(QStringLiteral("cid")).toString());
    }
    // The page as written for publishing, not an image map, with its picture as a related part.
    EXPECT_FALSE(html.contains(QStringLiteral("usemap=\"#map1\""))) << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("https://shop.example.org/spring"))) << qPrintable(html);
    ASSERT_FALSE(cids.isEmpty()) << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("cid:") + cids.first())) << qPrintable(html);
}

TEST_F(EmailSendTest, DropboxHostingWaitsForTheLinkOrSaysTheAccountIsNotLinked)
{
    useEdition(QStringLiteral("Ulmira Express"));
    platform::UserDefaults::standard().setObject(QStringLiteral("uploadOption"), QStringLiteral("dropbox"));
    DRVWindowController* window = linkedPage();
    DRVDocument* document = window->document();

    // Not linked: the alert, and no HTML shown.
    DRVDocument::setDropboxUploadStarter([](DRVDocument*) { return false; });
    choose(window, QStringLiteral("showMailSourceCode:"));
    ASSERT_FALSE(dialogs->alerts().isEmpty());
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Dropbox Account Not Linked"));
    EXPECT_FALSE(SourceCodeWindowController::sourceCodeController(document));

    // Linked: the upload's completion brings the shared link into the message.
    QString queued;
    DRVDocument::setDropboxUploadStarter([&queued](DRVDocument* d) {
        queued = d->uploadItemArray().value(0).localPath();
        d->setDropboxLink(QStringLiteral("https://dl.example.com/s/k/ulmira.png?dl=1&x=\"y\""));
        d->updateProgressBarDoneSuccess();
        return true;
    });
    choose(window, QStringLiteral("showMailSourceCode:"));
    DRVDocument::setDropboxUploadStarter({});
    EXPECT_EQ(queued, QDir(document->emailRunFolder()).filePath(QStringLiteral("ulmira.png")));
    SourceCodeWindowController* source = SourceCodeWindowController::sourceCodeController(document);
    ASSERT_TRUE(source);
    EXPECT_TRUE(source->textView()->toPlainText().contains(
        QStringLiteral("<img src=\"https://dl.example.com/s/k/ulmira.png?dl=1&amp;x=&quot;y&quot;\" ")))
        << qPrintable(source->textView()->toPlainText());
}

TEST_F(EmailSendTest, ARefusedSendOffersTheErrorLog)
{
    useEdition(QStringLiteral("Ulmira Pro 2"));
    if (!startSmtp())
        return;
    secrets->write(MailSettings::fromUserDefaults().secretKey(), QStringLiteral("wrong-password"));
    DRVWindowController* window = linkedPage();
    DRVDocument* document = window->document();
    ASSERT_TRUE(fillSheetAndSend(window, QStringLiteral("ann@example.org"), QStringLiteral("Refused")));
    ReviewMailDataWindowController* review = document->reviewMailDataWindowController();
    ASSERT_TRUE(review && review->window()->isVisible());
    QSignalSpy ended(document, &DRVDocument::mailSendEnded);
    dialogs->queueAlertAnswer(0);
    QTest::mouseClick(review->sendButton(), Qt::LeftButton);
    ASSERT_TRUE((!ended.isEmpty() || ended.wait(60000)));
    EXPECT_FALSE(ended.first().first().toBool());
    EXPECT_EQ(dialogs->alerts().constLast().title, QStringLiteral("Oops, we seem to have run into an error"));
    ConnectionLogWindowController* log = document->connectionLogController();
    ASSERT_TRUE(log);
    EXPECT_EQ(log->window()->windowTitle(), QStringLiteral("Error log"));
    EXPECT_FALSE(log->textView()->toPlainText().isEmpty());
    EXPECT_FALSE(log->textView()->toPlainText().contains(QStringLiteral("wrong-password")));
    EXPECT_FALSE(QFileInfo::exists(QDir(mailFolder).filePath(QStringLiteral("1.json"))));
}
