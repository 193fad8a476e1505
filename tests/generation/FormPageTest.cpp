// The form page's validation script and settings: author texts of any kind survive the trip through
// the page and back, the script checks what the page's fields ask for, the mail lists the fields in
// the chosen order, and the page names the charset of the bytes it is published in.
#include "GenerationTestSupport.h"

#include "document/FormFieldFactory.h"
#include "document/PageParser.h"
#include "generation/FormPageGenerator.h"
#include "model/myTextView.h"

using generationtest::GenerationTest;

namespace {

myTextView* field(DRVDocument& document, const QString& type, int tag, int optionTag = -99, int required = 0,
                  int replyTo = 0)
{
    auto* view = new myTextView(QRectF(0, 0, 100, 20), &document);
    view->setFormType(type);
    view->setFormTag(tag);
    view->setFormOptionTag(optionTag);
    view->setFormRequiredFlag(required);
    view->setMarkAsReplyToEmailFlag(replyTo);
    return view;
}

PageParseResult parseBack(const QString& page)
{
    PageParseInput in;
    in.pageText = page;
    in.pageName = QStringLiteral("contact");
    in.templatePageName = QStringLiteral("contact");
    in.pageFileExtension = QStringLiteral("php");
    in.pageFileType = QStringLiteral("selvaro");
    return PageParser::presentObjects(in);
}

// The lines of the page's script element.
QString scriptOf(const QString& page)
{
    const qsizetype start = page.indexOf(QStringLiteral("<SCRIPT LANGUAGE='JavaScript'>"));
    const qsizetype end = page.indexOf(QStringLiteral("</script"), start, Qt::CaseInsensitive);
    return page.mid(start, end - start);
}

} // namespace

using FormPageTest = GenerationTest;

TEST_F(FormPageTest, HostileSettingsComeBackAsTypedAndCannotLeaveTheirComments)
{
    const QStringList values = {
        QStringLiteral("It's done (thanks; really) <3"),
        QStringLiteral("two\nlines\r\nand \\ backslash"),
        QStringLiteral("</script><script>alert(1)</script>"),
        QStringLiteral("?> <?php echo 'x'; ?>"),
        QStringLiteral("\"quoted\" and 'single' {$x} ==END"),
        QStringLiteral("\\u0041 stays as typed \\n"),
        QStringLiteral("FORMREDIRECTURLEND FORMSUBMITEND FORMEMAILVERIFICATIONEND "
                       "FORMBOTCHECKERMSGEND FORMMISSINGMSGEND FORMRESPONSEMSGEND"),
        QStringLiteral("==FORMRESPONSEEMAILEND ==FORMRESPONSEEMAILCCEND ==SMTP_EMAIL_SERVER_END "
                       "==SMTP_EMAIL_USERNAME_END ==SMTP_EMAIL_PASSWORD_END x=")};
    for (const QString& value : values) {
        DRVDocument document;
        document.setPageFileExtension(QStringLiteral("php"));
        document.setPageFileType(QStringLiteral("selvaro"));
        document.setFormRedirectURL(value);
        document.setFormSubmitButtonValue(value);
        document.setFormSentResponse(value);
        document.setFormRequiredResponse(value);
        document.setFormEmailVerificationMsg(value);
        document.setFormBotCheckerResponse(value);
        document.setSiteFeedbackEmail(value);
        document.setSiteCCFeedbackEmail(value);
        document.setFormEmailServer(value);
        document.setFormEmailUsername(value);
        document.setFormEmailPassword(value);
        // The title, written earlier in the head, cannot stand in for a setting either.
        document.setPageOfficialName(QStringLiteral("\n//FORMSUBMITtitleFORMSUBMITEND\n//FORMREDIRECTURLtitle"
                                                    "FORMREDIRECTURLEND ") +
                                     value);
        const QString page = document.generateSourceCode(QStringLiteral("contact"), false, false);

        // The browser ends the script at the first "</script" of any case: that must be its own end,
        // after every line of it.
        const QString script = scriptOf(page);
        EXPECT_TRUE(script.contains(QStringLiteral("//FORMRESPONSEMSG"))) << value.toStdString();
        for (const QString& line : script.split(u'\n')) {
            if (line.startsWith(QStringLiteral("//FORM"))) {
                EXPECT_TRUE(line.endsWith(QStringLiteral("END"))) << line.toStdString();
            }
        }
        // The settings block: comment lines only, up to its own end.
        const qsizetype settings =
            page.indexOf(QStringLiteral("<?php\n"), page.indexOf(QStringLiteral("</SCRIPT>")));
        ASSERT_GE(settings, 0);
        const QString block = page.mid(settings, page.indexOf(QStringLiteral("?>"), settings) - settings);
        for (const QString& line : block.split(u'\n').mid(1)) {
            EXPECT_TRUE(line.isEmpty() || line.startsWith(QStringLiteral("//"))) << line.toStdString();
        }
        EXPECT_TRUE(block.contains(QStringLiteral("FORMRESPONSEEMAILCCEND"))) << value.toStdString();
        EXPECT_FALSE(page.contains(QStringLiteral("<?\n")));

        const PageParseResult back = parseBack(page);
        EXPECT_EQ(back.formRedirectURL, value);
        EXPECT_EQ(back.formSubmitButtonValue, value);
        EXPECT_EQ(back.formSentResponse, value);
        EXPECT_EQ(back.formRequiredResponse, value);
        EXPECT_EQ(back.formEmailVerificationMsg, value);
        EXPECT_EQ(back.formBotCheckerResponse, value);
        EXPECT_EQ(back.siteFeedbackEmail, value);
        EXPECT_EQ(back.siteCCFeedbackEmail, value);
        EXPECT_EQ(back.formEmailServer, value);
        EXPECT_EQ(back.formEmailUsername, value);
        EXPECT_EQ(back.formEmailPassword, value);
    }
}

TEST_F(FormPageTest, AlertTextsAreWholeJavaScriptStrings)
{
    const QList<QPair<QString, QString>> cases = {
        {QStringLiteral("Sent (thanks; bye)"), QStringLiteral("Sent (thanks; bye)")},
        {QStringLiteral("it's"), QStringLiteral("it\\'s")},
        {QStringLiteral("a\\b"), QStringLiteral("a\\\\b")},
        {QStringLiteral("1\n2"), QStringLiteral("1\\n2")},
        {QStringLiteral("</script>"), QStringLiteral("\\u003C/script\\u003E")},
        {QString(QChar(0x2028)), QStringLiteral("\\u2028")},
    };
    for (const auto& [typed, written] : cases) {
        EXPECT_EQ(ValidationScript::escapeJavaScriptString(typed), written);
        EXPECT_EQ(ValidationScript::decodeJavaScriptString(written), typed);
        ValidationScript::Input in;
        in.formSentResponse = typed;
        EXPECT_TRUE(ValidationScript::build(in).contains(QStringLiteral("alert('") + written +
                                                         QStringLiteral("');")));
    }
}

TEST_F(FormPageTest, ScriptChecksTheFieldsThePageAsksFor)
{
    DRVDocument document;
    document.setPageName(QStringLiteral("contact"));
    PagePieces pieces;
    FormPageGenerator generator(document, pieces);

    // No field: the checks only declare their flags.
    QString script = ValidationScript::build(generator.scriptInput());
    EXPECT_TRUE(script.contains(QStringLiteral("var showRequiredAlert=0;\nvar x;\nvar showEmailAlert=0;")));
    EXPECT_FALSE(script.contains(QStringLiteral("x=document")));

    document.setTextViewArray({field(document, QStringLiteral("text"), 1, -99, 1),
                               field(document, QStringLiteral("text"), 2, -11, 0, 1),
                               field(document, QStringLiteral("checkbox"), 3, 1, 1),
                               field(document, QStringLiteral("text"), 4, -11, 0, 1),
                               field(document, QStringLiteral("text"), 5, -22),
                               field(document, QStringLiteral("textLabel"), 1, -99, 1)});
    script = ValidationScript::build(generator.scriptInput());
    EXPECT_TRUE(script.contains(QStringLiteral("x=document.forms['contact']['form1'].value;")));
    EXPECT_TRUE(script.contains(QStringLiteral("input[name='form3[]']:checked")));
    EXPECT_TRUE(script.contains(QStringLiteral("emailX=document.forms['contact']['form2'].value;")));
    EXPECT_TRUE(script.contains(QStringLiteral("emailX=document.forms['contact']['form4'].value;")));
    // The bot checker's answer is the server's: the script only asks for a number.
    EXPECT_TRUE(
        script.contains(QStringLiteral("botCheckerValue=document.forms['contact']['form5'].value;\nif "
                                       "(!/^\\s*[0-9]{1,2}\\s*$/.test(botCheckerValue))")));
    EXPECT_FALSE(script.contains(QStringLiteral("<?")));
    EXPECT_EQ(script.count(QStringLiteral("showRequiredAlert=1;")), 2);

    // The same checks on the server; the later marked address field is the reply address.
    const PhpHandlerWriter::Input handler = generator.handlerInput(false);
    EXPECT_EQ(handler.requiredFields, QList<int>({1, 3}));
    EXPECT_EQ(handler.botCheckerFields, QList<int>({5}));
    EXPECT_EQ(handler.replyField, 4);
}

TEST_F(FormPageTest, MailOrderFollowsTheLayoutOption)
{
    DRVDocument document;
    PagePieces pieces;
    auto add = [&](int tag, int y) {
        FormSortHelper r;
        r.formType = QStringLiteral("text");
        r.formTag = tag;
        r.formYPosition = y;
        r.formMessageBody_quote = QStringLiteral("'.$form%1.'<p>").arg(tag);
        pieces.formHandler.formFields.append(r);
    };
    add(1, 300);
    add(2, 100);
    add(3, 200);
    const QStringList generated = {QStringLiteral("'.$form1.'<p>"), QStringLiteral("'.$form2.'<p>"),
                                   QStringLiteral("'.$form3.'<p>")};

    document.setFormOrderLayoutOption(1);
    EXPECT_EQ(FormPageGenerator(document, pieces).handlerInput(false).messagePieces, generated);
    document.setFormOrderLayoutOption(0);
    EXPECT_EQ(FormPageGenerator(document, pieces).handlerInput(false).messagePieces,
              QStringList({generated[1], generated[2], generated[0]}));

    // Arranged sections: the top-level fragments' collected texts, top to bottom.
    auto lower = std::make_shared<CodeWidgetHelper>();
    lower->originY = 500;
    lower->formMessageBody = QStringLiteral("<b>B</b><p>'.$form8.'<p>");
    auto upper = std::make_shared<CodeWidgetHelper>();
    upper->originY = 40;
    upper->formMessageBody = QStringLiteral("<b>A</b><p>'.$form7.'<p>");
    pieces.topLevel = {lower, upper};
    const PhpHandlerWriter::Input arranged = FormPageGenerator(document, pieces).handlerInput(true);
    EXPECT_EQ(arranged.messagePieces, QStringList({upper->formMessageBody, lower->formMessageBody}));
    EXPECT_EQ(PhpHandlerWriter::bodyExpression(arranged.messagePieces),
              QStringLiteral("'<b>A</b><p>' . $form7 . '<p>' . '<b>B</b><p>' . $form8 . '<p>'"));
}

TEST_F(FormPageTest, CharsetNamesThePublishedBytes)
{
    struct Case
    {
        const char* extension;
        const char* encodingType;
        const char* charset;
        platform::TextEncoding published;
    };
    const Case cases[] = {
        {"php", "UTF-16", "UTF-8", platform::TextEncoding::UTF8},
        {"php", "Win-1251", "UTF-8", platform::TextEncoding::UTF8},
        {"html", "Win-1251", "windows-1251", platform::TextEncoding::Windows1251},
        {"html", "UTF-8", "UTF-8", platform::TextEncoding::UTF8},
        {"html", "UTF-16", "UTF-16", platform::TextEncoding::UTF16},
    };
    for (const Case& c : cases) {
        DRVDocument document;
        document.setPageFileExtension(QString::fromLatin1(c.extension));
        document.setEncodingType(QString::fromLatin1(c.encodingType));
        document.setPageOfficialName(QStringLiteral("Привет"));
        EXPECT_EQ(FormPageGenerator::publishedEncoding(document), c.published)
            << c.extension << c.encodingType;
        const QString page = document.generateSourceCode(QStringLiteral("p"), true, false);
        EXPECT_TRUE(page.contains(QStringLiteral("charset=%1\"").arg(QString::fromLatin1(c.charset))))
            << c.extension << c.encodingType;

        // The bytes decode back in the named encoding, and the setting reads back as it was.
        const std::optional<QByteArray> bytes = FormPageGenerator::encodePublishedPage(document, page);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(platform::decodeText(*bytes, c.published), page);
        if (QString::fromLatin1(c.extension) == QLatin1String("html")) {
            PageParseInput in;
            in.pageText = page;
            in.pageName = QStringLiteral("p");
            in.templatePageName = QStringLiteral("p");
            EXPECT_EQ(PageParser::presentObjects(in).encodingType, QString::fromLatin1(c.encodingType));
        }
    }
}

TEST_F(FormPageTest, NextOptionNumberOfAField)
{
    DRVDocument document;
    const QList<myTextView*> views = {field(document, QStringLiteral("radio"), 4, 1),
                                      field(document, QStringLiteral("radio"), 4, 3),
                                      field(document, QStringLiteral("radio"), 5, 7)};
    EXPECT_EQ(FormFieldFactory::findLastOptionTag(4, views), 4);
    EXPECT_EQ(FormFieldFactory::findLastOptionTag(5, views), 8);
    EXPECT_EQ(FormFieldFactory::findLastOptionTag(9, views), 1);
}

TEST_F(FormPageTest, BotCheckerKeyIsMadeOnceAndKeptThroughThePage)
{
    DRVDocument document;
    document.setPageFileExtension(QStringLiteral("php"));
    document.setPageFileType(QStringLiteral("selvaro"));
    const QString first = document.generateSourceCode(QStringLiteral("contact"), false, false);
    const QString key = document.formBotCheckerKey();
    EXPECT_TRUE(PhpHandlerWriter::isBotCheckerKey(key)) << key.toStdString();
    EXPECT_EQ(document.generateSourceCode(QStringLiteral("contact"), false, false), first);
    EXPECT_EQ(parseBack(first).formBotCheckerKey, key);

    // A page whose stored key is not one gets a new key on its next save.
    QString tampered = first;
    tampered.replace(key, QStringLiteral("' . phpinfo() . '"));
    EXPECT_EQ(parseBack(tampered).formBotCheckerKey, QString());
    DRVDocument other;
    other.setPageFileExtension(QStringLiteral("php"));
    other.generateSourceCode(QStringLiteral("contact"), false, false);
    EXPECT_NE(other.formBotCheckerKey(), key);
}

TEST_F(FormPageTest, AuthorAddressesAndRedirectsAreChecked)
{
    const struct
    {
        const char* typed;
        const char* kept;
    } redirects[] = {
        {"thanks.html", "thanks.html"},
        {"/a/b?x=1&y=2#top", "/a/b?x=1&y=2#top"},
        {"  https://example.org/ok  ", "https://example.org/ok"},
        {"HTTP://example.org", "HTTP://example.org"},
        {"it's \"here\".html", ""},
        {"it's\"here\".html", "it%27s%22here%22.html"},
        {"javascript:alert(1)", ""},
        {"JavaScript:alert(1)", ""},
        {"java\tscript:alert(1)", ""},
        {"java\nscript:alert(1)", ""},
        {"data:text/html,x", ""},
        {"vbscript:x", ""},
        {"file:///etc/passwd", ""},
        {"\x01https://example.org", ""},
        {"", ""},
    };
    for (const auto& r : redirects)
        EXPECT_EQ(PhpHandlerWriter::safeRedirectURL(QString::fromUtf8(r.typed)), QString::fromUtf8(r.kept))
            << r.typed;
    EXPECT_EQ(PhpHandlerWriter::safeRedirectURL(QStringLiteral("java\u200Bscript:x")), QString());

    const struct
    {
        const char* typed;
        QStringList kept;
    } lists[] = {
        {"copy@example.org", {QStringLiteral("copy@example.org")}},
        {" a@example.org , b@example.org;c@example.org,a@example.org",
         {QStringLiteral("a@example.org"), QStringLiteral("b@example.org"), QStringLiteral("c@example.org")}},
        {"copy@example.org\r\nBcc: victim@example.com", {}},
        {"copy@example.org\nBcc: victim@example.com, ok@example.org", {QStringLiteral("ok@example.org")}},
        {"Name <a@example.org>", {}},
        {"a@example.org%0ABcc:b@example.org", {}},
        {"not an address", {}},
        {"", {}},
    };
    for (const auto& l : lists)
        EXPECT_EQ(PhpHandlerWriter::ccAddresses(QString::fromUtf8(l.typed)), l.kept) << l.typed;
}

TEST_F(FormPageTest, PhpLiteralsStayOnOneLine)
{
    const struct
    {
        QString typed;
        const char* written;
    } cases[] = {
        {QStringLiteral("plain"), "'plain'"},
        {QStringLiteral(""), "''"},
        {QStringLiteral("it's \\ x"), "'it\\'s \\\\ x'"},
        {QStringLiteral("a\r\nb"), "'a' . \"\\r\" . \"\\n\" . 'b'"},
        {QStringLiteral("\n//FORMSUBMIT\u2028"), "\"\\n\" . '//FORMSUBMIT' . \"\\u{2028}\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PhpHandlerWriter::phpLiteral(c.typed), QString::fromUtf8(c.written)) << c.written;
}
