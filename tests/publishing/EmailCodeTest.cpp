// The image-map e-mail's HTML from a small page, in each hosting mode, against golden files
// (QUIB_UPDATE_GOLDEN=1 rewrites them); the recipients as typed; the review texts; the settings
// check; the hosted picture's name.
#include "publishing/EmailCode.h"
#include "publishing/EmailCodeRecipients.h"

#include "document/DRVDocument.h"
#include "model/DRVImage.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"

#include <QFile>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QString golden(const QString& name)
{
    return QStringLiteral(QUIB_FIXTURES_DIR "/email/") + name;
}

void expectGolden(const QString& name, const QString& actual)
{
    QFile file(golden(name));
    if (qEnvironmentVariableIsSet("QUIB_UPDATE_GOLDEN")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(actual.toUtf8());
        return;
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(name);
    EXPECT_EQ(actual.toStdString(), QString::fromUtf8(file.readAll()).toStdString()) << qPrintable(name);
}

DRVImage* addImage(DRVDocument& document, const QString& name, const QRectF& bounds, const QString& link)
{
    auto* image = new DRVImage(&document);
    document.insertGraphics({image}, {0});
    QImage picture(int(bounds.width()), int(bounds.height()), QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    image->setContents(picture);
    image->setBounds(bounds);
    image->setImageName(name);
    image->setImageType(QStringLiteral("png"));
    image->setLink(link);
    return image;
}

DRVText* addText(DRVDocument& document, const QString& type, const QRectF& bounds, const QString& link)
{
    auto* text = new DRVText(&document);
    document.insertGraphics({text}, {0});
    text->setTextType(type);
    text->setBounds(bounds);
    text->setLink(link);
    return text;
}

myTextView* makeCell(int column, const QString& link)
{
    auto* cell = new myTextView(QRectF(0, 0, 100, 40));
    cell->setRowSpot(0);
    cell->setColumnSpot(column);
    cell->setWidth(100);
    cell->setHeight(40);
    cell->setLink(link);
    auto* storage = new QTextDocument;
    storage->setPlainText(QStringLiteral("cell"));
    cell->setTextStorage(storage);
    return cell;
}

// Every rule of the map in one page: image numbers out of text order, a reflection, a slideshow
// picture, the empty-link placeholder, an origin off the canvas, a text box and a snippet, and a
// table whose cells come last to first.
void buildPage(DRVDocument& document)
{
    document.undoManager()->disableUndoRegistration();
    addImage(document, QStringLiteral("image10"), QRectF(30.7, 40.2, 200.9, 100.5),
             QStringLiteral("https://ex.org/ten"));
    DRVImage* two = addImage(document, QStringLiteral("image2"), QRectF(-20.5, -10, 100, 200),
                             QStringLiteral("https://ex.org/two?a=1&b=2"));
    two->setReflection(1.0);
    two->setBounds(QRectF(-20.5, -10, 100, 200));
    DRVImage* slide = addImage(document, QStringLiteral("image3"), QRectF(0, 0, 50, 50),
                               QStringLiteral("https://ex.org/slide"));
    slide->setSlideShowNumber(1);
    addImage(document, QStringLiteral("image4"), QRectF(0, 0, 50, 50), QStringLiteral("http://"));
    addImage(document, QStringLiteral("image5"), QRectF(0, 0, 50, 50), QString());
    addText(document, QStringLiteral("Text"), QRectF(10, 300, 150.6, 40),
            QStringLiteral("https://ex.org/text"));
    addText(document, QStringLiteral("HTMLSnippet"), QRectF(10, 350, 150, 40),
            QStringLiteral("https://ex.org/snippet"));

    QVariantMap p;
    p.insert(QStringLiteral("bounds"), platform::stringFromRect(QRectF(QPointF(200, 400), QSizeF(200, 40))));
    p.insert(QStringLiteral("numOfColumns"), QStringLiteral("2"));
    p.insert(QStringLiteral("numOfRows"), QStringLiteral("1"));
    p.insert(QStringLiteral("padding"), QStringLiteral("0"));
    p.insert(QStringLiteral("gridType"), QStringLiteral("table"));
    p.insert(QStringLiteral("cellArray"), QVariant::fromValue(QList<myTextView*>{
                                              makeCell(0, QStringLiteral("https://ex.org/first")),
                                              makeCell(1, QStringLiteral("https://ex.org/\"second\""))}));
    auto* table = new DRVTable(&document);
    table->initWithProperties(p);
    document.insertGraphics({table}, {0});
    const QList<myTextView*> cells = table->cellHelperArray();
    for (int i = 0; i < int(cells.size()); ++i) {
        cells.at(i)->setOriginX(200 + 100 * i);
        cells.at(i)->setOriginY(400);
    }
    document.undoManager()->enableUndoRegistration();
}

EmailCodeSettings settingsFor(const QString& mode)
{
    EmailCodeSettings settings;
    settings.hostingMode = mode;
    settings.baseURL = QStringLiteral("https://mail.example.org/pics");
    settings.remoteFileName = QStringLiteral("Dec102026Thursday143005-k3x9qa_ulmira.png");
    settings.dropboxLink = QStringLiteral("https://dl.example.com/s/abc/ulmira.png?rlkey=a&dl=1");
    settings.backgroundColor = QColor(0x33, 0x66, 0x99);
    settings.pictureSize = QSize(400, 450);
    settings.header = QStringLiteral("Spring news\nfrom the shop");
    settings.footer = QStringLiteral("Unsubscribe below");
    settings.tooltip = QStringLiteral("Our \"spring\" <sale> & more");
    return settings;
}

} // namespace

TEST(EmailCode, MessageInEachHostingModeMatchesItsGoldenFile)
{
    DRVDocument document;
    buildPage(document);
    const struct
    {
        const char* mode;
        const char* file;
    } rows[] = {
        {"attachment", "imagemap-attachment.html"},
        {"", "imagemap-attachment.html"},
        {"ftp", "imagemap-ftp.html"},
        {"dropbox", "imagemap-dropbox.html"},
    };
    for (const auto& row : rows)
        expectGolden(QLatin1String(row.file),
                     EmailCode::generate(document, settingsFor(QLatin1String(row.mode))));
}

TEST(EmailCode, AreasFollowTheMapRules)
{
    DRVDocument document;
    buildPage(document);
    // Spelled out here too, so a golden file rewritten by mistake cannot hide a change of rule.
    EXPECT_EQ(EmailCode::areas(document).toStdString(),
              "<area shape=\"RECT\" coords=\"0,0,80,90\" href=\"https://ex.org/two?a=1&amp;b=2\">\n"
              "<area shape=\"RECT\" coords=\"30,40,230,140\" href=\"https://ex.org/ten\">\n"
              "<area shape=\"RECT\" coords=\"10,300,160,340\" href=\"https://ex.org/text\">\n"
              "<area shape=\"RECT\" coords=\"300,400,400,440\" href=\"https://ex.org/&quot;second&quot;\">\n"
              "<area shape=\"RECT\" coords=\"200,400,300,440\" href=\"https://ex.org/first\">\n");

    DRVDocument empty;
    const QString html = EmailCode::generate(empty, settingsFor(QString()));
    EXPECT_TRUE(html.contains(QStringLiteral("<map name=\"map1\">\n</map>"))) << qPrintable(html);
}

TEST(EmailCode, SizeBackgroundAndMargin)
{
    DRVDocument document;
    EmailCodeSettings settings = settingsFor(QStringLiteral("attachment"));
    settings.noExportMargin = true;
    settings.backgroundColor = QColor();
    const QString html = EmailCode::generate(document, settings);
    EXPECT_TRUE(html.contains(QStringLiteral("width=400 height=450 "))) << qPrintable(html);
    EXPECT_TRUE(html.contains(QStringLiteral("<body bgcolor=\"#FFFFFF\" align=center>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>Spring news<br>from the shop<p>")));
    EXPECT_TRUE(html.contains(QStringLiteral("alt=\"Our &quot;spring&quot; &lt;sale&gt; &amp; more\">")));
}

TEST(EmailCode, HostedNamesDifferForSendsTwelveHoursApart)
{
    const QDateTime morning(QDate(2026, 12, 10), QTime(2, 30, 5));
    const QString first = EmailCode::hostedFileName(morning, QStringLiteral("aaaaaa"));
    const QString second = EmailCode::hostedFileName(morning.addSecs(12 * 3600), QStringLiteral("aaaaaa"));
    EXPECT_EQ(first, QStringLiteral("Dec102026Thursday023005-aaaaaa_ulmira.png"));
    EXPECT_EQ(second, QStringLiteral("Dec102026Thursday143005-aaaaaa_ulmira.png"));
    // The year is the calendar year, also in the last days of December.
    EXPECT_TRUE(EmailCode::hostedFileName(QDateTime(QDate(2024, 12, 30), QTime(9, 0)), QStringLiteral("b"))
                    .startsWith(QStringLiteral("Dec302024")));
    const QString suffix = EmailCode::randomSuffix();
    EXPECT_EQ(suffix.size(), 6);
    EXPECT_NE(suffix, EmailCode::randomSuffix());
}

TEST(EmailRecipients, SplitsTrimsAndRefuses)
{
    const struct
    {
        const char* typed;
        QStringList addresses;
        QStringList refused;
    } rows[] = {
        {"", {}, {}},
        {"a@x.org, b@x.org,", {"a@x.org", "b@x.org"}, {}},
        {"a@x.org,, b@x.org", {"a@x.org", "b@x.org"}, {}},
        {"a@x.org\nb@x.org\r\n  c@x.org ", {"a@x.org", "b@x.org", "c@x.org"}, {}},
        {"a@x.org, not an address, b@x.org\r\nBcc: e@x.org",
         {"a@x.org", "b@x.org"},
         {"not an address", "Bcc: e@x.org"}},
    };
    for (const auto& row : rows) {
        const EmailAddressList list = EmailCodeRecipients::split(QString::fromUtf8(row.typed));
        EXPECT_EQ(list.addresses, row.addresses) << row.typed;
        EXPECT_EQ(list.refused, row.refused) << row.typed;
    }
}

TEST(EmailRecipients, ReviewTexts)
{
    EmailReviewValues values;
    values.senderAddress = QStringLiteral("me@x.org");
    values.senderName = QStringLiteral("Mia");
    values.subject = QStringLiteral("News");
    values.to = EmailCodeRecipients::split(QStringLiteral("a@x.org, b@x.org,"));
    values.cc = EmailCodeRecipients::split(QStringLiteral("c@x.org"));
    values.bcc = EmailCodeRecipients::split(QStringLiteral("d@x.org, oops"));
    EXPECT_EQ(EmailCodeRecipients::count(values), 4);
    EXPECT_EQ(
        EmailCodeRecipients::reviewText(values).toStdString(),
        "Note compatibility of HTML emails vary by mail client, always send a copy to yourself first to "
        "test out the look and feel.\n\nFrom: me@x.org\n\nSubject: News\n\nTotal Number of Recipients: 4\n\n"
        "The sender, Mia (me@x.org), will also receive a copy of this email\n\n"
        "To:  a@x.org\nTo:  b@x.org\nCC:  c@x.org\nBCC: d@x.org\nRefused (not sent):  oops\n");

    values.to = EmailCodeRecipients::split(QString());
    values.bcc = EmailCodeRecipients::split(QString());
    EXPECT_EQ(EmailCodeRecipients::count(values), 1);
    EXPECT_EQ(
        EmailCodeRecipients::reviewText(values).toStdString(),
        "Note compatibility of HTML emails vary by mail client, always send a copy to yourself first to "
        "test out the look and feel.\n\nFrom: me@x.org\n\nSubject: News\n\nTotal Number of Recipients: 1\n\n"
        "There are NO RECIPIENTS specified in the To: field, me@x.org will be populated in the To: field "
        "for this email.\n\nThe sender, Mia (me@x.org), will also receive a copy of this email\n\n"
        "CC:  c@x.org\n");
}

TEST(EmailRecipients, SettingsCheckReportsTheFirstMissingValue)
{
    const struct
    {
        const char* address;
        const char* server;
        const char* missing;
    } rows[] = {
        {"", "", "Sender Mail is missing"},
        {"", "smtp.x.org", "Sender Mail is missing"},
        {"me@x.org", "", "\nSender Mail Server is missing"},
        {"me@x.org", "smtp.x.org", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(EmailCodeRecipients::missingSettings(QLatin1String(row.address), QLatin1String(row.server)),
                  QLatin1String(row.missing))
            << row.address << "/" << row.server;
}
