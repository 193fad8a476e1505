// The generated form handler as PHP runs it: it parses whatever the author typed, and served by
// `php -S` on loopback it mails a valid submission once, through a sendmail stand-in for mail() or
// through an SMTP server on loopback, and sends nothing for a GET, a wrong bot-checker answer, a
// missing required field or a hostile post. Visitor and author values cannot add mail headers, the
// page never shows the bot answer or PHP's error text, and a request creates no file. The handler's
// clock is a file the test writes, read through quibNow() defined before the page runs.
#include "GenerationTestSupport.h"

#include "generation/FormPageGenerator.h"
#include "model/DRVText.h"
#include "model/myTextView.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageAuthenticationCode>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QThread>
#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using generationtest::GenerationTest;

#include "common/ExternalTools.h"
#include "common/PhpLoopback.h"

using namespace phploopback;

namespace {

// A python that has aiosmtpd (Debian's package installs it for the system python).
QString smtpPython()
{
    for (const QString& candidate : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess probe;
        probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import aiosmtpd")});
        if (probe.waitForFinished(20000) && probe.exitStatus() == QProcess::NormalExit &&
            probe.exitCode() == 0)
            return candidate;
    }
    return {};
}

myTextView* field(DRVDocument& document, const QString& type, int tag, int optionTag = -99, int required = 0,
                  int replyTo = 0)
{
    auto* view = new myTextView(QRectF(10, 10, 200, 30), &document);
    view->setFormType(type);
    view->setFormTag(tag);
    view->setFormOptionTag(optionTag);
    view->setFormRequiredFlag(required);
    view->setMarkAsReplyToEmailFlag(replyTo);
    return view;
}

FormSortHelper record(const QString& type, int tag, const QString& quoted, int y)
{
    FormSortHelper r;
    r.formType = type;
    r.formTag = tag;
    r.formMessageBody_quote = quoted;
    r.formYPosition = y;
    return r;
}

// A contact form: a name (required), an e-mail field marked as reply address, a text area, a
// group of check boxes, a radio group and the bot checker's answer field, each with a label line.
struct ContactForm
{
    DRVDocument document;
    PagePieces pieces;

    explicit ContactForm(const QString& label = QStringLiteral("Name"))
    {
        document.setPageName(QStringLiteral("contact"));
        document.setPageFileExtension(QStringLiteral("php"));
        document.setPageOfficialName(QStringLiteral("Contact"));
        document.setSiteFeedbackEmail(QStringLiteral("owner@example.org"));
        document.setFormOrderLayoutOption(1);
        document.setFormRequiredResponse(QStringLiteral("Missing required fields"));
        document.setFormBotCheckerResponse(QStringLiteral("Bot checker answer incorrect"));
        document.setTextViewArray({field(document, QStringLiteral("text"), 1, -99, 1),
                                   field(document, QStringLiteral("text"), 2, -11, 0, 1),
                                   field(document, QStringLiteral("textarea"), 3),
                                   field(document, QStringLiteral("checkbox"), 4, 1),
                                   field(document, QStringLiteral("checkbox"), 4, 2),
                                   field(document, QStringLiteral("radio"), 5, 1),
                                   field(document, QStringLiteral("text"), 6, -22)});
        QList<FormSortHelper>& records = pieces.formHandler.formFields;
        records << record(QStringLiteral("textLabel"), -99,
                          QStringLiteral("<b>") + label + QStringLiteral("</b><p>"), 0)
                << record(QStringLiteral("text"), 1, QStringLiteral("'.$form1.'<p>"), 1)
                << record(QStringLiteral("text"), 2, QStringLiteral("<b>Mail</b><p>'.$form2.'<p>"), 2)
                << record(QStringLiteral("textarea"), 3, QStringLiteral("<b>Message</b><p>'.$form3.'<p>"), 3)
                << record(QStringLiteral("checkbox"), 4, QStringLiteral("<b>Likes</b><p>'.$form4.'<p>"), 4)
                << record(QStringLiteral("radio"), 5, QStringLiteral("<b>Size</b><p>'.$form5.'<p>"), 5);
    }

    QString page() const
    {
        return FormPageGenerator(const_cast<DRVDocument&>(document), pieces).formCode(false) +
               QStringLiteral("<p id=question><?php echo $questionString; ?></p>\n");
    }
};

QString lint(const QString& code, QTemporaryDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write");
    file.write(code.toUtf8());
    file.close();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(php(), {QStringLiteral("-n"), QStringLiteral("-l"), path});
    process.waitForFinished(30000);
    return process.exitCode() == 0 ? QString() : QString::fromUtf8(process.readAll());
}

// The message's header lines, up to the first blank line.
QStringList headerLines(const QString& message)
{
    QString head = message.left(message.indexOf(QStringLiteral("\r\n\r\n")) >= 0
                                    ? message.indexOf(QStringLiteral("\r\n\r\n"))
                                    : message.indexOf(QStringLiteral("\n\n")));
    head.remove(u'\r');
    return head.split(u'\n');
}

// A sum that neither accepted half hour gives.
int wrongBotAnswer(const QString& key, qint64 slot)
{
    for (int n = 0;; ++n) {
        if (n != botAnswer(key, slot) && n != botAnswer(key, slot - 1))
            return n;
    }
}

// Every file under folder with its size, for spotting files a request made.
QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files << it.filePath() + u' ' + QString::number(it.fileInfo().size());
    }
    files.sort();
    return files;
}

// Text PHP prints for a warning, a notice or an uncaught error.
const char* const kErrorTexts[] = {"Warning",     "Notice",   "Deprecated", "Fatal",
                                   "Stack trace", "Uncaught", "on line"};

} // namespace

class PhpHandlerTest : public GenerationTest
{
protected:
    void SetUp() override
    {
        if (!haveProgramOrFail(QStringLiteral("php"), QStringLiteral("php-cli")))
            return;
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(m_dir.filePath(QStringLiteral("site")));
        QDir().mkpath(mailFolder());
        setNow(1'800'000'000);
        QFile clock(m_dir.filePath(QStringLiteral("clock.php")));
        ASSERT_TRUE(clock.open(QIODevice::WriteOnly));
        clock.write(QStringLiteral("<?php function quibNow() { return (int)file_get_contents(%1); }\n")
                        .arg(PhpHandlerWriter::phpLiteral(m_dir.filePath(QStringLiteral("now"))))
                        .toUtf8());
    }

    // The handler's time from now on.
    void setNow(qint64 seconds)
    {
        m_now = seconds;
        QFile file(m_dir.filePath(QStringLiteral("now")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray::number(seconds));
    }
    qint64 slot() const { return m_now / 1800; }

    // Serves the page as contact.php with mail() going to the capture folder.
    void serve(const QString& page)
    {
        m_key = botKeyOf(page);
        ASSERT_EQ(m_key.size(), 64) << "the page has no bot checker key";
        QFile file(m_dir.filePath(QStringLiteral("site/contact.php")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(page.toUtf8());
        file.close();
        m_port = freePort();
        ASSERT_GT(m_port, 0);
        ASSERT_TRUE(m_php.start(
            php(),
            {QStringLiteral("-n"), QStringLiteral("-d"),
             QStringLiteral("sendmail_path=%1capture-sendmail.sh %2").arg(kScripts, mailFolder()),
             QStringLiteral("-d"), QStringLiteral("include_path=.:/usr/share/php"), QStringLiteral("-d"),
             QStringLiteral("auto_prepend_file=") + m_dir.filePath(QStringLiteral("clock.php")),
             QStringLiteral("-S"), QStringLiteral("127.0.0.1:%1").arg(m_port), QStringLiteral("-t"),
             m_dir.filePath(QStringLiteral("site"))},
            m_port))
            << m_php.output().toStdString();
    }

    QString mailFolder() const { return m_dir.filePath(QStringLiteral("mail")); }

    QString post(const QList<QPair<QString, QString>>& fields)
    {
        return http(m_port, "POST", "/contact.php", formBody(fields));
    }

    // A submission that passes every check.
    QList<QPair<QString, QString>> validFields() const
    {
        return {{QStringLiteral("form1"), QStringLiteral("Ada")},
                {QStringLiteral("form2"), QStringLiteral("ada@example.net")},
                {QStringLiteral("form3"), QStringLiteral("line one\nline two")},
                {QStringLiteral("form4[]"), QStringLiteral("red")},
                {QStringLiteral("form4[]"), QStringLiteral("blue")},
                {QStringLiteral("form5"), QStringLiteral("large")},
                {QStringLiteral("form6"), QString::number(botAnswer(m_key, slot()))},
                {QStringLiteral("email"), QStringLiteral("email")}};
    }

    static void set(QList<QPair<QString, QString>>& fields, const QString& name, const QString& value)
    {
        for (auto& pair : fields) {
            if (pair.first == name)
                pair.second = value;
        }
    }

    // A text box of the page's form.
    DRVText* formBox(DRVDocument& document, const QString& type, int tag, int optionTag, int y,
                     const QString& text = QString())
    {
        auto* graphic = add<DRVText>(document);
        graphic->setBounds(QRectF(20, y, 200, 30));
        graphic->setTextType(QStringLiteral("Text"));
        graphic->setFormType(type);
        graphic->setFormTag(tag);
        graphic->setFormOptionTag(optionTag);
        if (!text.isEmpty())
            graphic->contents()->setPlainText(text);
        return graphic;
    }

    // A response with none of PHP's error texts and no path of the server's files.
    void expectCleanResponse(const QString& response)
    {
        for (const char* text : kErrorTexts)
            EXPECT_FALSE(response.contains(QLatin1String(text))) << text << "\n" << response.toStdString();
        EXPECT_FALSE(response.contains(m_dir.path())) << response.toStdString();
    }

    QTemporaryDir m_dir;
    Server m_php;
    int m_port = 0;
    qint64 m_now = 0;
    QString m_key;
};

TEST_F(PhpHandlerTest, HandlersFromHostileAuthorValuesParse)
{
    const QStringList hostile = {QStringLiteral("it's"),
                                 QStringLiteral("say \"hi\""),
                                 QStringLiteral("back\\"),
                                 QStringLiteral("C:\\new\\'x"),
                                 QStringLiteral("$x"),
                                 QStringLiteral("{$x}"),
                                 QStringLiteral("?>"),
                                 QStringLiteral("<?php echo 1; ?>"),
                                 QStringLiteral("line\nbreak\r\n"),
                                 QStringLiteral("*/ // #"),
                                 QStringLiteral("' . phpinfo() . '"),
                                 QStringLiteral("a\u2028//FORMSUBMITxFORMSUBMITEND\u0085b\x0bc"),
                                 QStringLiteral("x==FORMRESPONSEEMAILEND y FORMREDIRECTURLEND")};
    int n = 0;
    for (const QString& value : hostile) {
        for (const bool smtp : {false, true}) {
            ContactForm form(value);
            DRVDocument& doc = form.document;
            doc.setPageOfficialName(value);
            doc.setSiteFeedbackEmail(value);
            doc.setSiteCCFeedbackEmail(value);
            doc.setFormRedirectURL(value);
            doc.setFormSentResponse(value);
            doc.setFormRequiredResponse(value);
            doc.setFormEmailVerificationMsg(value);
            doc.setFormBotCheckerResponse(value);
            doc.setFormSubmitButtonValue(value);
            doc.setGrabIPFlag(1);
            if (smtp) {
                doc.setFormEmailServer(value);
                doc.setFormEmailUsername(value);
                doc.setFormEmailPassword(value);
            }
            const QString page = form.page();
            EXPECT_EQ(lint(page, m_dir, QStringLiteral("h%1.php").arg(n++)).toStdString(), std::string())
                << "value " << value.toStdString() << (smtp ? " (SMTP)" : " (mail)");
            // Nothing of the value may run: no short tag, no interpolated string of it.
            EXPECT_FALSE(page.contains(QStringLiteral("<?\n")));
            EXPECT_FALSE(page.contains(QStringLiteral("<?echo")));
        }
    }
}

TEST_F(PhpHandlerTest, WholeFormPagesWithHostileTitlesParseAndRunNothingOfThem)
{
    const QStringList titles = {QStringLiteral("<?php echo 'INJECTED-' . 'PHP'; ?>"),
                                QStringLiteral("</title><script>alert('INJECTED')</script>"),
                                QStringLiteral("<? echo 'INJECTED-' . 'SHORT'; ?> <% x %>"),
                                QStringLiteral("==PAGETITLEEND--> <?php echo 'INJECTED-' . 'END'; ?>")};
    int n = 0;
    for (const QString& title : titles) {
        SCOPED_TRACE(title.toStdString());
        ContactForm form(QStringLiteral("it's {$x} ?>"));
        form.document.setPageOfficialName(title);
        form.document.setFormRedirectURL(QStringLiteral("thanks.php?a=1&b='2'"));
        const QString page = form.document.generateSourceCode(QStringLiteral("contact"), true, false);
        ASSERT_TRUE(page.contains(QStringLiteral("function validateForm()")));
        EXPECT_EQ(lint(page, m_dir, QStringLiteral("page%1.php").arg(n++)).toStdString(), std::string());
        // Outside the handler (whose mail subject holds the title as a PHP string) the only PHP is
        // the settings block.
        const qsizetype handler = page.indexOf(QStringLiteral("<?php\nini_set"));
        const qsizetype handlerEnd = page.indexOf(QStringLiteral("}\n}\n?>\n"), handler);
        ASSERT_TRUE(handler >= 0 && handlerEnd > handler);
        const QString outside = page.left(handler) + page.mid(handlerEnd + 7);
        EXPECT_EQ(outside.count(QStringLiteral("<?")), 1);
        EXPECT_EQ(outside.count(QStringLiteral("<%")), 0);

        if (n == 1) {
            serve(page);
            if (HasFatalFailure())
                return;
        } else {
            QFile file(m_dir.filePath(QStringLiteral("site/contact.php")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(page.toUtf8());
        }
        const QString shown = http(m_port, "GET", "/contact.php");
        EXPECT_TRUE(shown.contains(QStringLiteral("200 OK"))) << shown.toStdString();
        for (const char* ran : {"INJECTED-PHP", "INJECTED-SHORT", "INJECTED-END"})
            EXPECT_FALSE(shown.contains(QLatin1String(ran))) << shown.toStdString();
        EXPECT_FALSE(shown.contains(QStringLiteral("<script>alert('INJECTED')"))) << shown.toStdString();
        expectCleanResponse(shown);
    }
}

TEST_F(PhpHandlerTest, MailPathDeliversOnlyValidPosts)
{
    ContactForm form(QStringLiteral("It's {$x} \\ ?> name"));
    form.document.setPageOfficialName(QStringLiteral("Bob's \"shop\" $HOME"));
    form.document.setFormRedirectURL(QStringLiteral("thanks.html?a=1&b=2"));
    serve(form.page());
    if (HasFatalFailure())
        return;
    const QStringList filesBefore = filesUnder(m_dir.filePath(QStringLiteral("site")));

    // A GET shows the page and sends nothing, even with every field in the query. The page shows
    // the question but neither the answer nor the secret it comes from.
    const QString shown = http(m_port, "GET", "/contact.php?form1=a&email=email");
    EXPECT_TRUE(shown.contains(QStringLiteral("200 OK"))) << shown.toStdString();
    EXPECT_EQ(messagesIn(mailFolder()).size(), 0);
    static const QRegularExpression question(QStringLiteral("<p id=question>(\\d) \\+ (\\d)=</p>"));
    const QRegularExpressionMatch asked = question.match(shown);
    ASSERT_TRUE(asked.hasMatch()) << shown.toStdString();
    EXPECT_EQ(asked.captured(1).toInt() + asked.captured(2).toInt(), botAnswer(m_key, slot()));
    EXPECT_FALSE(shown.contains(m_key));
    EXPECT_FALSE(shown.contains(QStringLiteral("botCheckerValue!=")));
    expectCleanResponse(shown);

    // A wrong answer, a missing required field, no answer: nothing, and the visitor is told.
    QList<QPair<QString, QString>> wrong = validFields();
    set(wrong, QStringLiteral("form6"), QString::number(wrongBotAnswer(m_key, slot())));
    EXPECT_TRUE(post(wrong).contains(QStringLiteral("alert(\"Bot checker")));
    QList<QPair<QString, QString>> missing = validFields();
    set(missing, QStringLiteral("form1"), QStringLiteral("   "));
    EXPECT_TRUE(post(missing).contains(QStringLiteral("alert(\"Missing required")));
    QList<QPair<QString, QString>> noBot = validFields();
    noBot.removeAt(6);
    post(noBot);
    EXPECT_EQ(messagesIn(mailFolder()).size(), 0) << m_php.output().toStdString();

    // A valid post: one message with every field, the values escaped, then the redirect.
    QList<QPair<QString, QString>> valid = validFields();
    set(valid, QStringLiteral("form1"), QStringLiteral("<script>alert(1)</script> & <b>bold</b>"));
    const QString sent = post(valid);
    EXPECT_TRUE(sent.contains(
        QStringLiteral("<meta http-equiv=\"refresh\" content=\"0; url=thanks.html?a=1&amp;b=2\">")))
        << sent.toStdString();
    expectCleanResponse(sent);
    QStringList messages = messagesIn(mailFolder());
    ASSERT_EQ(messages.size(), 1) << m_php.output().toStdString();
    const QString message = messages.first();
    EXPECT_TRUE(message.contains(QStringLiteral("It's {$x} \\ ?> name"))) << message.toStdString();
    EXPECT_TRUE(message.contains(
        QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt; &amp; &lt;b&gt;bold&lt;/b&gt;")));
    EXPECT_FALSE(message.contains(QStringLiteral("<script>")));
    EXPECT_TRUE(message.contains(QStringLiteral("ada@example.net")));
    EXPECT_TRUE(message.contains(QStringLiteral("line one<br />")));
    EXPECT_TRUE(message.contains(QStringLiteral("red, blue")));
    EXPECT_TRUE(message.contains(QStringLiteral("large")));
    EXPECT_TRUE(message.contains(QStringLiteral("Subject: Feedback from Bob's \"shop\" $HOME")));
    EXPECT_TRUE(headerLines(message).contains(QStringLiteral("Reply-To:ada@example.net")));
    EXPECT_FALSE(message.contains(QStringLiteral("Array")));

    // A line break in the address adds no header: the message goes without Reply-To.
    QList<QPair<QString, QString>> injected = validFields();
    set(injected, QStringLiteral("form2"), QStringLiteral("ada@example.net\r\nBcc: victim@example.com"));
    post(injected);
    messages = messagesIn(mailFolder());
    ASSERT_EQ(messages.size(), 2);
    const QStringList headers = headerLines(messages.last());
    for (const QString& line : headers) {
        EXPECT_FALSE(line.startsWith(QStringLiteral("Bcc"), Qt::CaseInsensitive)) << line.toStdString();
        EXPECT_FALSE(line.startsWith(QStringLiteral("Reply-To"), Qt::CaseInsensitive)) << line.toStdString();
    }
    // An array where a text was expected is handled, not an error.
    QList<QPair<QString, QString>> arrays = validFields();
    arrays.append({QStringLiteral("form1[]"), QStringLiteral("x")});
    arrays.removeAt(0);
    arrays.append({QStringLiteral("form2[]"), QStringLiteral("y@example.net")});
    expectCleanResponse(post(arrays));
    EXPECT_EQ(messagesIn(mailFolder()).size(), 3);
    EXPECT_EQ(filesUnder(m_dir.filePath(QStringLiteral("site"))), filesBefore);
}

TEST_F(PhpHandlerTest, HostileVisitorValuesAreRefusedWithAPlainMessage)
{
    ContactForm form;
    serve(form.page());
    if (HasFatalFailure())
        return;
    const QStringList filesBefore = filesUnder(m_dir.filePath(QStringLiteral("site")));
    const QString refused = PhpHandlerWriter::refusedInputMessage();

    struct Case
    {
        const char* label;
        QString name;
        QString value;
    };
    QList<Case> cases = {
        {"NUL in a line", QStringLiteral("form1"), QStringLiteral("Ada") + QChar(0) + QStringLiteral("x")},
        {"NUL in a text area", QStringLiteral("form3"), QString(QChar(0))},
        {"NUL in a check box", QStringLiteral("form4[]"), QStringLiteral("re") + QChar(0)},
        {"over-long text", QStringLiteral("form3"), QString(20001, u'a')},
        {"nested array", QStringLiteral("form4[a][]"), QStringLiteral("x")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QList<QPair<QString, QString>> fields = validFields();
        if (fields.end() ==
            std::find_if(fields.begin(), fields.end(), [&](auto& f) { return f.first == c.name; }))
            fields.append({c.name, c.value});
        else
            set(fields, c.name, c.value);
        const QString response = post(fields);
        EXPECT_TRUE(response.contains(refused)) << response.toStdString();
        expectCleanResponse(response);
    }
    // Too many values of one name.
    QList<QPair<QString, QString>> many = validFields();
    for (int i = 0; i < 150; ++i)
        many.append({QStringLiteral("form4[]"), QStringLiteral("x")});
    EXPECT_TRUE(post(many).contains(refused));

    EXPECT_EQ(messagesIn(mailFolder()).size(), 0) << m_php.output().toStdString();
    // A long but allowed text still goes.
    QList<QPair<QString, QString>> longText = validFields();
    set(longText, QStringLiteral("form3"), QString(20000, u'b'));
    expectCleanResponse(post(longText));
    EXPECT_EQ(messagesIn(mailFolder()).size(), 1) << m_php.output().toStdString();
    EXPECT_EQ(filesUnder(m_dir.filePath(QStringLiteral("site"))), filesBefore);
}

TEST_F(PhpHandlerTest, BotAnswersOfThisAndTheLastHalfHourPass)
{
    ContactForm form;
    form.document.setFormBotCheckerKey(
        QStringLiteral("5eed5eed5eed5eed5eed5eed5eed5eed5eed5eed5eed5eed5eed5eed5eed5eed"));
    serve(form.page());
    if (HasFatalFailure())
        return;
    // A half hour s whose answer differs from those of the next two, so that it is wrong there.
    qint64 s = 1'000'000;
    while (botAnswer(m_key, s) == botAnswer(m_key, s + 1) || botAnswer(m_key, s) == botAnswer(m_key, s + 2))
        ++s;

    // Asked in the last second of one half hour, answered in the next: accepted.
    setNow(s * 1800 + 1799);
    const int asked = botAnswer(m_key, slot());
    setNow((s + 1) * 1800);
    QList<QPair<QString, QString>> fields = validFields();
    set(fields, QStringLiteral("form6"), QString::number(asked));
    post(fields);
    EXPECT_EQ(messagesIn(mailFolder()).size(), 1) << m_php.output().toStdString();

    // The same answer a half hour later is too old.
    setNow((s + 2) * 1800);
    post(fields);
    EXPECT_EQ(messagesIn(mailFolder()).size(), 1);

    // The question the page asks follows the clock.
    const QString shown = http(m_port, "GET", "/contact.php");
    static const QRegularExpression question(QStringLiteral("<p id=question>(\\d) \\+ (\\d)=</p>"));
    const QRegularExpressionMatch match = question.match(shown);
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1).toInt() + match.captured(2).toInt(), botAnswer(m_key, s + 2));
}

TEST_F(PhpHandlerTest, AuthorAddressesAndRedirectsReachOnlyWhereTheyMay)
{
    struct Case
    {
        const char* label;
        QString cc;
        QString redirect;
        QStringList ccHeader; // "" for no CC header
        bool refresh;
    };
    const QList<Case> cases = {
        {"CC with a Bcc line",
         QStringLiteral("copy@example.org\r\nBcc: victim@example.com"),
         QStringLiteral("javascript:alert(1)"),
         {},
         false},
        {"CC list",
         QStringLiteral("a@example.org, b@example.org; not an address"),
         QStringLiteral("https://example.org/thanks?x=1"),
         {QStringLiteral("CC:a@example.org, b@example.org")},
         true},
        {"header in CC",
         QStringLiteral("a@example.org\nBcc: v@example.com, c@example.org"),
         QStringLiteral("JaVaScRiPt:alert(1)"),
         {QStringLiteral("CC:c@example.org")},
         false},
        {"tab in scheme", QString(), QStringLiteral("java\tscript:alert(1)"), {}, false},
        {"data URL", QString(), QStringLiteral("data:text/html,<script>alert(1)</script>"), {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ContactForm form;
        form.document.setSiteCCFeedbackEmail(c.cc);
        form.document.setFormRedirectURL(c.redirect);
        m_php.stop();
        serve(form.page());
        if (HasFatalFailure())
            return;
        const int before = int(messagesIn(mailFolder()).size());
        const QString response = post(validFields());
        expectCleanResponse(response);
        EXPECT_EQ(response.contains(QStringLiteral("http-equiv=\"refresh\"")), c.refresh)
            << response.toStdString();
        EXPECT_FALSE(response.contains(QStringLiteral("url=java"), Qt::CaseInsensitive));
        EXPECT_FALSE(response.contains(QStringLiteral("url=data"), Qt::CaseInsensitive));
        const QStringList messages = messagesIn(mailFolder());
        ASSERT_EQ(messages.size(), before + 1) << m_php.output().toStdString();
        QStringList cc;
        for (const QString& line : headerLines(messages.last())) {
            EXPECT_FALSE(line.startsWith(QStringLiteral("Bcc"), Qt::CaseInsensitive)) << line.toStdString();
            EXPECT_FALSE(line.contains(QStringLiteral("victim"))) << line.toStdString();
            if (line.startsWith(QStringLiteral("CC:"), Qt::CaseInsensitive))
                cc << line;
        }
        EXPECT_EQ(cc, c.ccHeader);
    }
}

TEST_F(PhpHandlerTest, SmtpPathDeliversThroughTheServer)
{
    const QString python = smtpPython();
    if (python.isEmpty())
        return missingOrFail(QStringLiteral("aiosmtpd is not installed (Debian package python3-aiosmtpd)"));
    QProcess pear;
    pear.start(php(),
               {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("include_path=.:/usr/share/php"),
                QStringLiteral("-r"), QStringLiteral("exit(@include_once 'Mail.php' ? 0 : 1);")});
    pear.waitForFinished(20000);
    if (pear.exitCode() != 0)
        return missingOrFail(
            QStringLiteral("PEAR Mail is not installed (Debian packages php-mail, php-net-smtp)"));

    const int smtpPort = freePort();
    Server smtp;
    ASSERT_TRUE(smtp.start(python,
                           {kScripts + QStringLiteral("smtp-capture.py"), QString::number(smtpPort),
                            mailFolder(), QStringLiteral("mailer"), QStringLiteral("pa'ss\\$w{$x}")},
                           smtpPort))
        << smtp.output().toStdString();

    ContactForm form;
    form.document.setSiteCCFeedbackEmail(
        QStringLiteral("copy@example.org\r\nBcc: victim@example.com, second@example.org"));
    form.document.setFormEmailServer(QStringLiteral("127.0.0.1:%1").arg(smtpPort));
    form.document.setFormEmailUsername(QStringLiteral("mailer"));
    form.document.setFormEmailPassword(QStringLiteral("pa'ss\\$w{$x}"));
    serve(form.page());
    if (HasFatalFailure())
        return;

    QList<QPair<QString, QString>> wrong = validFields();
    set(wrong, QStringLiteral("form6"), QString::number(wrongBotAnswer(m_key, slot())));
    post(wrong);
    EXPECT_EQ(messagesIn(mailFolder()).size(), 0);

    QList<QPair<QString, QString>> valid = validFields();
    set(valid, QStringLiteral("form3"), QStringLiteral("<img src=x onerror=alert(1)>"));
    expectCleanResponse(post(valid));
    QList<QPair<QString, QString>> injected = validFields();
    set(injected, QStringLiteral("form2"), QStringLiteral("ada@example.net\r\nBcc: victim@example.com"));
    expectCleanResponse(post(injected));

    QElapsedTimer timer;
    timer.start();
    while (messagesIn(mailFolder()).size() < 2 && timer.elapsed() < 10000)
        QThread::msleep(50);
    const QStringList messages = messagesIn(mailFolder());
    ASSERT_EQ(messages.size(), 2) << m_php.output().toStdString() << smtp.output().toStdString();
    const QString first = messages.first();
    EXPECT_TRUE(first.contains(QStringLiteral("X-Envelope-To: owner@example.org,second@example.org")))
        << first.toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("&lt;img src=x onerror=alert(1)&gt;")));
    EXPECT_TRUE(first.contains(QStringLiteral("red, blue")));
    EXPECT_TRUE(headerLines(first).contains(QStringLiteral("Reply-To: ada@example.net")));
    EXPECT_TRUE(headerLines(first).contains(QStringLiteral("Cc: second@example.org")));
    EXPECT_FALSE(first.contains(QStringLiteral("victim")));
    for (const QString& line : headerLines(messages.last())) {
        EXPECT_FALSE(line.startsWith(QStringLiteral("Bcc"), Qt::CaseInsensitive)) << line.toStdString();
        EXPECT_FALSE(line.startsWith(QStringLiteral("Reply-To"), Qt::CaseInsensitive)) << line.toStdString();
    }
}

TEST_F(PhpHandlerTest, GeneratedFormPageMailsTheFieldsOfItsTextBoxes)
{
    DRVDocument document;
    document.setPageFileExtension(QStringLiteral("php"));
    document.setSiteFeedbackEmail(QStringLiteral("owner@example.org"));
    auto box = [&](const QString& type, int tag, int optionTag, int y, const QString& text = QString()) {
        return formBox(document, type, tag, optionTag, y, text);
    };
    box(QStringLiteral("textLabel"), 1, -99, 10, QStringLiteral("Your name's \\ {$x}"));
    box(QStringLiteral("text"), 1, -99, 50)->setFormRequiredFlag(1);
    box(QStringLiteral("textLabel"), 2, -22, 90, QStringLiteral("question"));
    box(QStringLiteral("text"), 2, -22, 130);
    const QString page = document.generateSourceCode(QStringLiteral("contact"), true, false);
    ASSERT_EQ(lint(page, m_dir, QStringLiteral("generated.php")).toStdString(), std::string());
    serve(page);
    if (HasFatalFailure())
        return;

    const int answer = botAnswer(m_key, slot());
    post({{QStringLiteral("form1"), QStringLiteral("")},
          {QStringLiteral("form2"), QString::number(answer)},
          {QStringLiteral("email"), QStringLiteral("email")}});
    EXPECT_EQ(messagesIn(mailFolder()).size(), 0);
    post({{QStringLiteral("form1"), QStringLiteral("Ada <i>")},
          {QStringLiteral("form2"), QString::number(answer)},
          {QStringLiteral("email"), QStringLiteral("email")}});
    const QStringList messages = messagesIn(mailFolder());
    ASSERT_EQ(messages.size(), 1) << m_php.output().toStdString();
    EXPECT_TRUE(messages.first().contains(QStringLiteral("Your name"))) << messages.first().toStdString();
    EXPECT_TRUE(messages.first().contains(QStringLiteral("Ada &lt;i&gt;"))) << messages.first().toStdString();
}

TEST_F(PhpHandlerTest, ServedPageAsksForANumberAndHoldsNoAnswerInTheBrowser)
{
    if (!haveBrowserOrFail())
        return;
    DRVDocument document;
    document.setPageName(QStringLiteral("contact"));
    document.setPageFileExtension(QStringLiteral("php"));
    document.setSiteFeedbackEmail(QStringLiteral("owner@example.org"));
    document.setFormBotCheckerResponse(QStringLiteral("Bot checker answer incorrect"));
    document.setFormSentResponse(QStringLiteral("Sent"));
    auto box = [&](const QString& type, int tag, int optionTag, int y) {
        return formBox(document, type, tag, optionTag, y);
    };
    box(QStringLiteral("text"), 1, -99, 50)->setFormRequiredFlag(1);
    box(QStringLiteral("textLabel"), 2, -22, 90);
    box(QStringLiteral("text"), 2, -22, 130);
    serve(document.generateSourceCode(QStringLiteral("contact"), true, false));
    if (HasFatalFailure())
        return;

    // The page as a visitor's browser gets it.
    const QString response = http(m_port, "GET", "/contact.php");
    const QString shown = response.mid(response.indexOf(QStringLiteral("\r\n\r\n")) + 4);
    const QString file = m_dir.filePath(QStringLiteral("shown.html"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(shown.toUtf8());
    out.close();
    const QString check = m_dir.filePath(QStringLiteral("check.js"));
    QFile checkFile(check);
    ASSERT_TRUE(checkFile.open(QIODevice::WriteOnly));
    checkFile.write(
        QStringLiteral(
            "(async () => { const alerts = []; window.alert = (m) => alerts.push(String(m));\n"
            "const form = document.forms['contact'];\n"
            "form['form1'].value = 'Ada'; form['form2'].value = '';\n"
            "const empty = validateForm();\n"
            "form['form2'].value = 'seven';\n"
            "const word = validateForm();\n"
            "form['form2'].value = ' 12 ';\n"
            "const number = validateForm();\n"
            "return { empty, word, number, alerts, key: document.documentElement.outerHTML.includes('%1') "
            "}; })()\n")
            .arg(m_key)
            .toUtf8());
    checkFile.close();

    QProcess node;
    node.start(QStringLiteral("node"), {QStringLiteral(QUIB_SOURCE_DIR "/tests/browser/run-page.js"),
                                        QStringLiteral("--page"), file, QStringLiteral("--check"), check});
    if (!node.waitForFinished(90000)) {
        node.kill();
        node.waitForFinished();
    }
    const QByteArray report = node.readAllStandardOutput();
    const QJsonObject parsed = QJsonDocument::fromJson(report.trimmed().split('\n').last()).object();
    EXPECT_TRUE(parsed.value("errors").toArray().isEmpty()) << report.toStdString();
    const QJsonObject result = parsed.value("result").toObject();
    ASSERT_FALSE(result.isEmpty()) << report.toStdString() << node.readAllStandardError().toStdString();
    EXPECT_FALSE(result.value("empty").toBool());
    EXPECT_FALSE(result.value("word").toBool());
    EXPECT_TRUE(result.value("number").toBool());
    EXPECT_EQ(result.value("alerts").toArray(),
              QJsonArray({QStringLiteral("Bot checker answer incorrect"),
                          QStringLiteral("Bot checker answer incorrect"), QStringLiteral("Sent")}));
    EXPECT_FALSE(result.value("key").toBool());
}
