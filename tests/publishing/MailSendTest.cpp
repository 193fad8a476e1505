// HTML e-mail through a real SMTP server on loopback (aiosmtpd, tests/publishing/servers/smtp_server.py),
// in its three shapes: plain with AUTH, STARTTLS with a certificate the test makes, and TLS from the
// first byte. The server parses each message with Python's email package; the test reads what it kept.
#include "platform/SecretStore.h"
#include "platform/UserDefaults.h"
#include "publishing/MailMessage.h"
#include "publishing/MailSettings.h"
#include "publishing/UploadFTPS.h"
#include "publishing/UploadFTPSViewDelegate.h"
#include "publishing/UploadServers.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace uploadtest;

namespace {

const QString kSender = QStringLiteral("sender@example.org");
const QString kPassword = QStringLiteral("Pw-7f3c-secret");
const QByteArray kLogo = QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(300, 'L');
const QByteArray kBackground = QByteArray("GIF89a") + QByteArray(120, 'B');

struct MailRecorder : UploadFTPSViewDelegate
{
    void UploadUpdate(UploadFTPS*, bool, const QString&, qint32) override {}
    void sendMailUpdate(UploadFTPS*, bool result, const QString& details) override
    {
        results.append(result);
        logs.append(details);
    }
    QList<bool> results;
    QStringList logs;
};

struct Kept
{
    QJsonObject message; // empty when the server kept none
    QString events;
};

struct Case
{
    const char* name;
    const char* mode;           // server: plain, starttls, implicit
    const char* connectionType; // stored "connectionType"
    QStringList to;
    QStringList cc;
    QStringList bcc;
    QString subject = QStringLiteral("Hello");
    bool coder = false;
    bool storeUserName = true; // false: the login falls back to the address
    bool dropAfterData = false;
    bool expectSent = true;
    std::function<void(const Kept&)> check;
    bool loginOnly = false; // the server offers AUTH LOGIN alone: user and password on lines of their own
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

QStringList strings(const QJsonValue& value)
{
    QStringList out;
    for (const QJsonValue& entry : value.toArray())
        out.append(entry.toString());
    return out;
}

QString sha256(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QJsonObject partWithCid(const QJsonObject& message, const QString& cid)
{
    for (const QJsonValue& part : message.value(QStringLiteral("parts")).toArray()) {
        if (part.toObject().value(QStringLiteral("cid")).toString() == cid)
            return part.toObject();
    }
    return {};
}

QJsonObject htmlPart(const QJsonObject& message)
{
    for (const QJsonValue& part : message.value(QStringLiteral("parts")).toArray()) {
        if (part.toObject().value(QStringLiteral("type")).toString() == QLatin1String("text/html"))
            return part.toObject();
    }
    return {};
}

const QString kPage = QStringLiteral(
    "<html><body style=\"background:url('images/logo.png')\">\n"
    "<table><tr><td background=\"bg.gif\"><img src=\"images/logo.png\" alt=\"\">\n"
    "<img src=\"https://example.com/remote.png\"><img src='../outside.png'></td></tr></table>\n"
    "</body></html>\n");

class MailSendTest : public ::testing::TestWithParam<Case>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        platform::UserDefaults::standard().useStoreFile(m_dir.filePath(QStringLiteral("defaults.ini")));
        writeFile(m_dir.filePath(QStringLiteral("page/page.html")), kPage.toUtf8());
        writeFile(m_dir.filePath(QStringLiteral("page/images/logo.png")), kLogo);
        writeFile(m_dir.filePath(QStringLiteral("page/bg.gif")), kBackground);
        writeFile(m_dir.filePath(QStringLiteral("outside.png")), kLogo);
        QDir().mkpath(m_dir.filePath(QStringLiteral("server")));
    }

    // Starts the server, sends, and returns what the server kept.
    Kept run(const Case& c, MailRecorder& recorder, bool& sent)
    {
        QStringList arguments{
            QStringLiteral("--mode"),     QLatin1String(c.mode),
            QStringLiteral("--folder"),   m_dir.filePath(QStringLiteral("server")),
            QStringLiteral("--user"),     c.storeUserName ? QStringLiteral("mailer") : kSender,
            QStringLiteral("--password"), kPassword,
            QStringLiteral("--cert"),     m_dir.filePath(QStringLiteral("server.pem")),
            QStringLiteral("--key"),      m_dir.filePath(QStringLiteral("server.key"))};
        if (c.dropAfterData)
            arguments.append(QStringLiteral("--drop-after-data"));
        if (c.loginOnly)
            arguments.append(QStringLiteral("--login-only"));
        QProcess cert;
        cert.start(python(), {serverScript("make_cert.py"), m_dir.path()});
        EXPECT_TRUE(cert.waitForFinished(30000));
        EXPECT_TRUE(m_server.start("smtp_server.py", arguments)) << m_server.errors().toStdString();

        auto& defaults = platform::UserDefaults::standard();
        defaults.setObject(QStringLiteral("mailAddress"), kSender);
        defaults.setObject(QStringLiteral("mailName"), QStringLiteral("Zoë Sender"));
        defaults.setObject(QStringLiteral("mailSMTPServer"), QStringLiteral("127.0.0.1"));
        defaults.setObject(QStringLiteral("mailSMTPUsername"),
                           c.storeUserName ? QStringLiteral("mailer") : QString());
        defaults.setObject(QStringLiteral("mailPortnumber"), QString::number(m_server.port("SMTP")));
        defaults.setObject(QStringLiteral("connectionType"), QLatin1String(c.connectionType));
        defaults.setObject(QStringLiteral("emailOption"),
                           c.coder ? QStringLiteral("coder") : QStringLiteral("editor"));
        MailSettings stored = MailSettings::fromUserDefaults();
        m_secrets->write(stored.secretKey(), kPassword);

        UploadFTPS upload;
        upload.setDelegate(&recorder);
        upload.setCaFile(m_dir.filePath(QStringLiteral("ca.pem")));
        sent =
            upload.sendMail(m_dir.filePath(QStringLiteral("page/page.html")), c.subject, c.to, c.cc, c.bcc);
        m_server.stop();

        Kept kept;
        kept.events = QString::fromUtf8(readFile(m_dir.filePath(QStringLiteral("server/events.txt"))));
        kept.message =
            QJsonDocument::fromJson(readFile(m_dir.filePath(QStringLiteral("server/1.json")))).object();
        return kept;
    }

    QTemporaryDir m_dir;
    ServerProcess m_server;
    platform::ScopedSecretStore m_secrets;
};

TEST_P(MailSendTest, SendsAsTheTableSays)
{
    if (!havePythonModuleOrFail(QStringLiteral("aiosmtpd"), QStringLiteral("python3-aiosmtpd")) ||
        !havePythonModuleOrFail(QStringLiteral("cryptography"), QStringLiteral("python3-cryptography")))
        return;
    const Case& c = GetParam();
    MailRecorder recorder;
    bool sent = false;
    const Kept kept = run(c, recorder, sent);

    EXPECT_EQ(sent, c.expectSent) << recorder.logs.join(u'\n').toStdString();
    ASSERT_EQ(recorder.results.size(), 1);
    EXPECT_EQ(recorder.results.first(), c.expectSent);
    const QString log = recorder.logs.first();
    // No log holds the password, raw or as a SASL answer.
    EXPECT_FALSE(log.contains(kPassword));
    EXPECT_FALSE(log.contains(QString::fromLatin1(kPassword.toUtf8().toBase64())));
    for (const QString& login : {QStringLiteral("mailer"), kSender}) {
        const QByteArray plain =
            QByteArray(1, '\0') + login.toUtf8() + QByteArray(1, '\0') + kPassword.toUtf8();
        EXPECT_FALSE(log.contains(QString::fromLatin1(plain.toBase64())));
    }
    if (c.expectSent) {
        EXPECT_TRUE(log.contains(QStringLiteral("MAIL FROM"))) << log.toStdString();
        EXPECT_TRUE(log.endsWith(QStringLiteral("HTML Email Sent!\n")));
        ASSERT_FALSE(kept.message.isEmpty()) << kept.events.toStdString();
        // The sender always gets a blind copy, and no Bcc header says so.
        EXPECT_TRUE(strings(kept.message.value(QStringLiteral("rcpt_tos"))).contains(kSender));
        EXPECT_FALSE(
            strings(kept.message.value(QStringLiteral("header_names"))).contains(QStringLiteral("Bcc")));
        EXPECT_EQ(kept.message.value(QStringLiteral("mail_from")).toString(), kSender);
        EXPECT_TRUE(kept.events.contains(QStringLiteral("AUTH")));
    }
    if (c.check)
        c.check(kept);
}

const Case kCases[] = {
    {"EmptyToSendsToTheSender",
     "plain",
     "None",
     {},
     {QStringLiteral("copy@example.net")},
     {},
     QStringLiteral("Hello"),
     false,
     true,
     false,
     true,
     [](const Kept& kept) {
         EXPECT_EQ(strings(kept.message.value(QStringLiteral("rcpt_tos"))),
                   (QStringList{kSender, QStringLiteral("copy@example.net")}));
         const QJsonObject headers = kept.message.value(QStringLiteral("headers")).toObject();
         EXPECT_TRUE(headers.value(QStringLiteral("To")).toString().contains(kSender));
         EXPECT_EQ(headers.value(QStringLiteral("Cc")).toString(), QStringLiteral("copy@example.net"));
         EXPECT_EQ(headers.value(QStringLiteral("From")).toString(),
                   QStringLiteral("Zoë Sender <") + kSender + u'>');
     }},
    {"ImagesGoAlongByContentId",
     "starttls",
     "STARTTLS",
     {QStringLiteral("to@example.net")},
     {},
     {QStringLiteral("hidden@example.net")},
     QStringLiteral("Hello"),
     false,
     true,
     false,
     true,
     [](const Kept& kept) {
         EXPECT_TRUE(kept.message.value(QStringLiteral("tls")).toBool());
         EXPECT_FALSE(kept.events.contains(QStringLiteral("tls=0\nAUTH")));
         EXPECT_EQ(kept.message.value(QStringLiteral("content_type")).toString(),
                   QStringLiteral("multipart/related"));
         EXPECT_EQ(
             strings(kept.message.value(QStringLiteral("rcpt_tos"))),
             (QStringList{QStringLiteral("to@example.net"), QStringLiteral("hidden@example.net"), kSender}));
         const QString html = htmlPart(kept.message).value(QStringLiteral("text")).toString();
         static const QRegularExpression cid(QStringLiteral("src=\"cid:([^\"]+)\""));
         const QString logoCid = cid.match(html).captured(1);
         ASSERT_FALSE(logoCid.isEmpty()) << html.toStdString();
         EXPECT_EQ(partWithCid(kept.message, logoCid).value(QStringLiteral("sha256")).toString(),
                   sha256(kLogo));
         // The CSS url() of the same file names the same part.
         EXPECT_TRUE(html.contains(QStringLiteral("url('cid:") + logoCid + QStringLiteral("')")));
         static const QRegularExpression background(QStringLiteral("background=\"cid:([^\"]+)\""));
         EXPECT_EQ(partWithCid(kept.message, background.match(html).captured(1))
                       .value(QStringLiteral("sha256"))
                       .toString(),
                   sha256(kBackground));
         EXPECT_TRUE(html.contains(QStringLiteral("src=\"https://example.com/remote.png\"")));
         EXPECT_TRUE(html.contains(QStringLiteral("src='../outside.png'")));
         EXPECT_EQ(kept.message.value(QStringLiteral("parts")).toArray().size(), 3);
     }},
    {"CoderSendsThePageAsItStands",
     "implicit",
     "SSL",
     {QStringLiteral("to@example.net")},
     {},
     {},
     QStringLiteral("Hello"),
     true,
     true,
     false,
     true,
     [](const Kept& kept) {
         EXPECT_TRUE(kept.message.value(QStringLiteral("tls")).toBool());
         EXPECT_EQ(kept.message.value(QStringLiteral("content_type")).toString(),
                   QStringLiteral("text/html"));
         EXPECT_EQ(htmlPart(kept.message).value(QStringLiteral("text")).toString(), kPage);
     }},
    {"LoginFallsBackToTheAddress",
     "plain",
     "None",
     {QStringLiteral("to@example.net")},
     {},
     {},
     QStringLiteral("Hello"),
     false,
     false,
     false,
     true,
     nullptr},
    {"StartTlsRequiredNeverFallsBackToPlain",
     "plain",
     "STARTTLS",
     {QStringLiteral("to@example.net")},
     {},
     {},
     QStringLiteral("Hello"),
     false,
     true,
     false,
     false,
     [](const Kept& kept) {
         EXPECT_TRUE(kept.events.contains(QStringLiteral("EHLO"))) << "the server was reached";
         EXPECT_TRUE(kept.message.isEmpty());
         EXPECT_FALSE(kept.events.contains(QStringLiteral("AUTH")));
         EXPECT_FALSE(kept.events.contains(QStringLiteral("MAIL")));
     }},
    {"LineBreakInAnAddressIsRefused",
     "plain",
     "None",
     {QStringLiteral("a@example.net\r\nBcc: evil@example.net")},
     {},
     {},
     QStringLiteral("Hello"),
     false,
     true,
     false,
     false,
     [](const Kept& kept) {
         EXPECT_TRUE(kept.message.isEmpty());
         EXPECT_FALSE(kept.events.contains(QStringLiteral("evil")));
     }},
    {"LineBreakInTheSubjectIsRefused",
     "plain",
     "None",
     {QStringLiteral("to@example.net")},
     {},
     {},
     QStringLiteral("Hi\nBcc: evil@example.net"),
     false,
     true,
     false,
     false,
     [](const Kept& kept) { EXPECT_FALSE(kept.events.contains(QStringLiteral("RCPT"))); }},
    {"NonAsciiSubjectDecodesBack",
     "implicit",
     "SSL",
     {QStringLiteral("to@example.net")},
     {},
     {},
     QStringLiteral(
         "Grüße aus Köln – 日本語のテキスト, Ñandú y pingüino: a subject long enough to need several words"),
     false,
     true,
     false,
     true,
     [](const Kept& kept) {
         EXPECT_EQ(kept.message.value(QStringLiteral("headers"))
                       .toObject()
                       .value(QStringLiteral("Subject"))
                       .toString(),
                   QStringLiteral("Grüße aus Köln – 日本語のテキスト, Ñandú y pingüino: a subject long "
                                  "enough to need several words"));
         EXPECT_FALSE(kept.message.value(QStringLiteral("raw")).toString().contains(QStringLiteral("Grüße")));
     }},
    {"ServerDroppingAfterAcceptedDataIsStillSent",
     "starttls",
     "",
     {QStringLiteral("to@example.net")},
     {},
     {},
     QStringLiteral("Hello"),
     false,
     true,
     true,
     true,
     nullptr},
    {"LoginMechanismAnswersStayOutOfTheLog",
     "plain",
     "None",
     {QStringLiteral("to@example.net")},
     {},
     {},
     QStringLiteral("Hello"),
     false,
     true,
     false,
     true,
     nullptr,
     true},
};

INSTANTIATE_TEST_SUITE_P(Smtp, MailSendTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

TEST(MailAddress, ChecksWhatReachesHeadersAndEnvelope)
{
    const struct
    {
        const char* address;
        bool valid;
    } rows[] = {
        {"a@example.org", true},
        {"first.last+tag@sub.example.co.uk", true},
        {"a@example.org\r\nBcc: evil@x.org", false},
        {"a b@example.org", false},
        {"<a@example.org>", false},
        {"a@@example.org", false},
        {"a@example..org", false},
        {".a@example.org", false},
        {"@example.org", false},
        {"a@", false},
        {"a@-example.org", false},
        {"\"a\"@example.org", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MailMessage::isValidAddress(QString::fromUtf8(row.address)), row.valid) << row.address;
}

TEST(MailMessage, NoHeaderLinePassesTheLineLimit)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("page.html")), "<html><body>Hi</body></html>");
    MailMessage message;
    ASSERT_TRUE(message.setHtmlFile(dir.filePath(QStringLiteral("page.html")), true));
    message.setFrom({QString(1200, u'n'), QStringLiteral("me@example.org")});
    QList<MailMessage::Mailbox> many;
    for (int i = 0; i < 200; ++i)
        many.append({QString(), QStringLiteral("person%1@example.org").arg(i)});
    message.setTo(many);
    message.setSubject(QString(2000, u's'));
    QByteArray bytes;
    ASSERT_TRUE(message.build(bytes)) << message.errorText().toStdString();
    for (const QByteArray& line : bytes.split('\n'))
        EXPECT_LE(line.size(), 998);
    EXPECT_FALSE(bytes.contains("\nBcc:"));
}

TEST(MailSettings, MissingPortTakesTheSubmissionOrImplicitTlsPort)
{
    MailSettings settings;
    EXPECT_EQ(settings.effectivePort(), 587);
    EXPECT_TRUE(settings.tls());
    settings.connectionType = QStringLiteral("SSL");
    EXPECT_EQ(settings.effectivePort(), 465);
    EXPECT_FALSE(settings.tls());
    settings.port = 2525;
    EXPECT_EQ(settings.effectivePort(), 2525);
    settings.connectionType = QStringLiteral("None");
    EXPECT_FALSE(settings.ssl() || settings.tls());
}

} // namespace
