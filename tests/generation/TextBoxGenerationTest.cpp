// Text boxes and form fields written by the text-box pass and opened again by the page reader, and
// the shared text rules (line counts, unit defaults, list-built rules).
#include "PageRoundTrip.h"

#include "generation/ListBuiltRules.h"
#include "generation/PageGenerator.h"
#include "generation/TextBoxGenerator.h"
#include "generation/TextEscaping.h"
#include "model/DRVText.h"
#include "model/myTextView.h"

#include <QTextDocument>

using generationtest::GenerationTest;
using generationtest::ofClass;
using generationtest::reopen;

namespace {

struct BoxCase
{
    const char* name;
    QString text;
    QString link;
    QString linkOption;
    QString linkType;
    QString hover;
    QString hoverText;
    double opacity;
    int shadowFlag;
    QString unitType; // written into all eight unit strings
    bool matchScreen;
    int indentFlag;
};

const BoxCase kBoxes[] = {
    {"markup characters", QStringLiteral("a < b > c & d \"q\" 'r' &amp; &lt;br&gt; <br>"), "", "", "text", "",
     "", 1.0, 0, "%", false, 0},
    {"lines", QStringLiteral("one\r\ntwo\nthree\u2028four"), "", "", "text", "", "", 1.0, 0, "pixel", false,
     0},
    {"indented", QStringLiteral("    first\n\tsecond  line"), "", "", "text", "", "", 1.0, 0, "%", false, 1},
    {"text link", QStringLiteral("go"), QStringLiteral("http://example.com/a?b=1&c=\"2\"'"), "_blank", "text",
     "", "", 1.0, 0, "%", false, 0},
    {"shape link", QStringLiteral("shape"), QStringLiteral("page2.html"), "_parent", "shape", "", "", 1.0, 0,
     "%", false, 0},
    {"both hovers", QStringLiteral("h1"), "", "", "text", "FF0000", "00FF00", 1.0, 0, "%", false, 0},
    {"hover only", QStringLiteral("h2"), "", "", "text", "FF0000", "", 1.0, 0, "%", false, 0},
    {"hover text only", QStringLiteral("h3"), "", "", "text", "", "00FF00", 1.0, 0, "%", false, 0},
    {"half opacity and shadow", QStringLiteral("faded"), "", "", "text", "", "", 0.5, 1, "%", false, 0},
    {"null units", QStringLiteral("units"), "", "", "text", "", "", 1.0, 0, "(null)", false, 0},
    {"match screen", QStringLiteral("wide"), "", "", "text", "", "", 1.0, 0, "%", true, 0},
};

DRVText* addBox(DRVDocument& document, const BoxCase& c, int index)
{
    auto* text = new DRVText(&document);
    document.insertGraphics({text}, {0});
    text->setTextType(QStringLiteral("Text"));
    text->setFontFamily(QStringLiteral("Helvetica Neue"));
    text->setFontSize(14);
    text->setBounds(QRectF(10 + index * 3, 20 + index * 70, 200, 60));
    text->updateTextString(c.text);
    text->setLink(c.link);
    text->setLinkOption(c.linkOption);
    text->setLinkType(c.linkType);
    text->setHoverColorString(c.hover);
    text->setHoverTextColorString(c.hoverText);
    text->setOpacity(c.opacity);
    text->setShadowFlag(c.shadowFlag);
    text->setMatchScreenFlag(c.matchScreen);
    text->setIndentFlag(c.indentFlag);
    text->setBorderStyle(QStringLiteral("solid"));
    text->setBorderWidth(2);
    text->setBorderHexColorString(QStringLiteral("112233"));
    text->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    text->setTextHexColorString(QStringLiteral("445566"));
    text->setGroupNumber(index);
    for (const char* key : {"topPaddingType", "bottomPaddingType", "leftPaddingType", "rightPaddingType",
                            "topMarginType", "bottomMarginType", "leftMarginType", "rightMarginType"})
        text->setProperty(key, c.unitType);
    return text;
}

QString plainText(const DRVGraphic* graphic)
{
    return qobject_cast<const DRVText*>(graphic)->contents()->toPlainText();
}

} // namespace

using TextBoxGenerationTest = GenerationTest;

TEST_F(TextBoxGenerationTest, TextBoxesReopenAsTheyWereWritten)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    QList<DRVText*> written;
    int index = 0;
    for (const BoxCase& c : kBoxes)
        written.append(addBox(document, c, index++));

    QObject owner;
    const auto page = reopen(document, QStringLiteral("index"), &owner);
    const QList<DRVGraphic*> read = ofClass(page.graphics, "DRVText");
    ASSERT_EQ(read.size(), written.size());

    index = 0;
    for (const BoxCase& c : kBoxes) {
        SCOPED_TRACE(c.name);
        const DRVText* before = written[index++];
        const auto match = std::find_if(read.begin(), read.end(), [&](const DRVGraphic* g) {
            return g->groupNumber() == before->groupNumber();
        });
        ASSERT_NE(match, read.end());
        const DRVGraphic* after = *match;
        QString expectedText = plainText(before);
        EXPECT_EQ(plainText(after), expectedText);
        // Saving again does not grow the box.
        EXPECT_EQ(after->bounds().topLeft(), before->bounds().topLeft());
        if (!c.matchScreen) {
            EXPECT_EQ(after->bounds().size(), before->bounds().size());
        }
        EXPECT_EQ(after->matchScreenFlag(), before->matchScreenFlag());
        EXPECT_EQ(after->link(), before->link());
        if (!c.link.isEmpty()) {
            EXPECT_EQ(after->linkOption(), before->linkOption());
            EXPECT_EQ(after->linkType(), before->linkType());
        }
        EXPECT_EQ(after->hoverColorString(), c.hover);
        EXPECT_EQ(after->hoverTextColorString(), c.hoverText);
        EXPECT_NEAR(after->opacity(), c.opacity, 1e-6);
        EXPECT_EQ(after->shadowFlag(), c.shadowFlag);
        EXPECT_EQ(after->borderStyle(), QStringLiteral("solid"));
        EXPECT_EQ(after->borderWidth(), 2);
        EXPECT_EQ(after->borderHexColorString(), QStringLiteral("112233"));
        EXPECT_EQ(after->textHexColorString(), QStringLiteral("445566"));
        EXPECT_EQ(after->backgroundHexColorString(), QStringLiteral("CLEAR0"));
        EXPECT_EQ(after->fontSize(), 14);
        const QString unit = c.unitType == QStringLiteral("(null)") ? QStringLiteral("%") : c.unitType;
        EXPECT_EQ(after->topPaddingType(), unit);
        EXPECT_EQ(after->rightMarginType(), unit);
    }
}

TEST_F(TextBoxGenerationTest, TextIsEscapedInEveryPageShapeAndAttributesAreQuoted)
{
    for (const bool responsive : {false, true}) {
        SCOPED_TRACE(responsive);
        edition().gResponsiveLayoutFlag = responsive;
        DRVDocument document;
        auto* text = new DRVText(&document);
        document.insertGraphics({text}, {0});
        text->setTextType(QStringLiteral("Text"));
        text->setBounds(QRectF(0, 0, 100, 40));
        text->updateTextString(QStringLiteral("<script>alert(1)</script> & co"));
        text->setLink(QStringLiteral("x\" onclick=\"evil()"));
        PageGenerator generator(document);
        generator.generate(QStringLiteral("index"), false, false);
        const QString body = generator.pieces().bodyTexts;
        EXPECT_TRUE(body.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt; &amp; co")))
            << body.toStdString();
        EXPECT_FALSE(body.contains(QStringLiteral("<script>")));
        EXPECT_TRUE(body.contains(QStringLiteral("href=\"x&quot;%20onclick=&quot;evil()\" target=\"_self\"")))
            << body.toStdString();
    }
}

TEST_F(TextBoxGenerationTest, ClearColoursAreWrittenBlackButStayClearOnTheGraphic)
{
    DRVDocument document;
    auto* text = new DRVText(&document);
    document.insertGraphics({text}, {0});
    text->setTextType(QStringLiteral("Text"));
    text->setBounds(QRectF(0, 0, 100, 50));
    text->updateTextString(QStringLiteral("x"));
    text->setBorderHexColorString(QStringLiteral("CLEAR0"));
    text->setTextHexColorString(QStringLiteral("CLEAR0"));
    PageGenerator generator(document);
    generator.generate(QStringLiteral("index"), false, false);
    EXPECT_TRUE(generator.pieces().textRules.contains(QStringLiteral("color:#000000;")));
    EXPECT_TRUE(generator.pieces().textRules.contains(QStringLiteral("border-color:#000000;")));
    EXPECT_EQ(text->borderHexColorString(), QStringLiteral("CLEAR0"));
    EXPECT_EQ(text->textHexColorString(), QStringLiteral("CLEAR0"));
    // 50 points high: padding 5 (5.5 truncated).
    EXPECT_TRUE(generator.pieces().textRules.contains(QStringLiteral("padding:5px;")));
}

TEST_F(TextBoxGenerationTest, EveryFormFieldKindReopensOnAFormPage)
{
    DRVDocument document;
    document.setPageFileType(QStringLiteral("selvaro"));
    document.setPageFileExtension(QStringLiteral("php"));
    struct Field
    {
        QString formType;
        int tag;
        int option;
        int required;
        QString text;
    };
    const Field fields[] = {
        {"text", 1, -99, 1, ""},
        {"textarea", 2, -99, 0, ""},
        {"radio", 3, 1, 0, ""},
        {"radio", 3, 2, 0, ""},
        {"radio", 3, 3, 0, ""},
        {"checkbox", 4, 1, 0, ""},
        {"submit", 5, -99, 0, "Send \"it\""},
        {"textLabel", 3, 1, 0, "Red & 'blue'"},
        {"textLabel", 6, -99, 0, "Name <b>"},
    };
    int y = 0;
    for (const Field& f : fields) {
        auto* text = new DRVText(&document);
        document.insertGraphics({text}, {0});
        text->setTextType(QStringLiteral("Text"));
        text->setBounds(QRectF(10, y += 40, 205, 30));
        text->updateTextString(f.text);
        text->setFormType(f.formType);
        text->setFormTag(f.tag);
        text->setFormOptionTag(f.option);
        text->setFormRequiredFlag(f.required);
    }
    PageGenerator generator(document);
    generator.generate(QStringLiteral("contact"), false, false);
    const PagePieces& pieces = generator.pieces();

    // Three radio buttons of one group: three inputs, one capture line, one message line, one record.
    EXPECT_EQ(pieces.bodyTexts.count(QStringLiteral("type=\"radio\"")), 3);
    EXPECT_EQ(pieces.formHandler.formVariableLines.count(QStringLiteral("$form3 = $_REQUEST['form3'];")), 1);
    EXPECT_EQ(pieces.formHandler.formMessageText.count(QStringLiteral("'.$form3.'<p>")), 1);
    // The option's value is its label's text, escaped for the attribute.
    EXPECT_TRUE(pieces.bodyTexts.contains(QStringLiteral("value=\"Red &amp; &#39;blue&#39;\" name=form3")));
    EXPECT_TRUE(pieces.bodyTexts.contains(QStringLiteral("value=\"Send &quot;it&quot;\"")));
    EXPECT_EQ(document.formSubmitButtonValue(), QStringLiteral("Send \"it\""));
    EXPECT_TRUE(pieces.bodyTexts.contains(QStringLiteral("<textarea class=")));
    EXPECT_TRUE(pieces.bodyTexts.contains(QStringLiteral("cols=20 rows=3 name=form2")));
    EXPECT_TRUE(pieces.formHandler.formMessageText.startsWith(QStringLiteral("<html><body>")));
    EXPECT_TRUE(pieces.formHandler.formMessageText.contains(QStringLiteral("<b>Name &lt;b&gt;</b><p>")));

    QStringList kinds;
    for (const FormSortHelper& record : pieces.formHandler.formFields)
        kinds.append(record.formType);
    kinds.sort();
    EXPECT_EQ(kinds, (QStringList{"checkbox", "radio", "text", "textLabel", "textarea"}));

    // The page reader rebuilds every field with its kind, number and option.
    QObject owner;
    const auto page = reopen(document, QStringLiteral("contact"), &owner, QString(), QStringLiteral("php"));
    QList<std::tuple<QString, int, int>> read;
    for (const myTextView* view : page.parsed.textViewArray)
        read.append({view->formType(), view->formTag(), view->formOptionTag()});
    for (const Field& f : fields) {
        if (f.formType == QStringLiteral("textLabel"))
            continue;
        EXPECT_TRUE(read.contains(std::make_tuple(f.formType, f.tag, f.option)))
            << f.formType.toStdString() << f.tag << " " << f.option;
    }
}

TEST_F(TextBoxGenerationTest, LineCountsFollowTheLineRangeRule)
{
    const std::pair<QString, quint32> cases[] = {
        {"", 0}, {"one", 1}, {"one\n", 1}, {"one\ntwo", 2}, {"a\r\nb", 2}, {"a\rb\u2029c", 3},
    };
    for (const auto& [text, count] : cases)
        EXPECT_EQ(TextBoxGenerator::calculateNumOfLines(text), count) << text.toStdString();
}

TEST_F(TextBoxGenerationTest, ListBuiltRulesDropMissingValuesAndWriteFontSizeInPixels)
{
    EXPECT_EQ(ListBuiltRules::combineSourceCodeString({{"a", "1", false},
                                                       {"b", "#", false},
                                                       {"c", "(null)", false},
                                                       {"d", "#(null)", false},
                                                       {"e", "", false},
                                                       {"line-height", "1.50", true}}),
              QStringLiteral("a:1;line-height:1.50 !important;"));

    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    myTextView cell(QRectF(0, 0, 80, 30));
    cell.setOriginX(4);
    cell.setOriginY(6);
    cell.setWidth(80);
    cell.setHeight(30);
    cell.setFontSize(13);
    cell.setFamilyName(QStringLiteral("Helvetica Neue"));
    cell.textView()->setString(QStringLiteral("x < y & z"));
    cell.setTopPaddingType(QStringLiteral("(null)"));
    cell.setTemplateName(QStringLiteral("page.html"));
    const auto helper = ListBuiltRules::generateTextViewCodeStatic(document, &cell, 2, true);
    EXPECT_TRUE(helper->headerString.startsWith(QStringLiteral(".text2{position:absolute;")));
    EXPECT_TRUE(helper->headerString.contains(QStringLiteral("font-size:13px;")));
    EXPECT_TRUE(helper->headerString.contains(QStringLiteral(".text2:hover{}")));
    EXPECT_EQ(helper->bodyString, QStringLiteral("<div class=text2>\nx &lt; y &amp; z\n</div>\n"));
    EXPECT_EQ(cell.topPaddingType(), QStringLiteral("%"));
    EXPECT_EQ(cell.templateName(), QStringLiteral("page"));
}

TEST_F(TextBoxGenerationTest, EntitiesDecodeInOnePass)
{
    EXPECT_EQ(TextEscaping::decodeHtmlEntities(
                  QStringLiteral("&amp;lt; &lt; &#39; &#34; &quot; &euro; &#x41; &bogus; &")),
              QStringLiteral("&lt; < ' \" \" \u20AC A &bogus; &"));
    const QString typed = QStringLiteral("a&b<c>\"d'&amp;");
    EXPECT_EQ(TextEscaping::decodeHtmlEntities(TextEscaping::escapeHtmlAttribute(typed)), typed);
}

// A form field that spans the screen keeps spanning it: "width:100%" comes back as the flag, not
// as the stand-in width the reader gives the field, and is written as "width:100%" again.
TEST_F(TextBoxGenerationTest, FullWidthFormFieldsStayFullWidth)
{
    for (const char* kind : {"text", "textarea", "submit"}) {
        SCOPED_TRACE(kind);
        DRVDocument document;
        document.setPageFileType(QStringLiteral("selvaro"));
        document.setPageFileExtension(QStringLiteral("php"));
        auto* field = new DRVText(&document);
        document.insertGraphics({field}, {0});
        field->setTextType(QStringLiteral("Text"));
        field->setBounds(QRectF(10, 40, 300, 30));
        field->setFormType(QString::fromLatin1(kind));
        field->setFormTag(1);
        field->setMatchScreenFlag(true);

        QObject owner;
        const auto first =
            reopen(document, QStringLiteral("contact"), &owner, QString(), QStringLiteral("php"));
        EXPECT_TRUE(first.text.contains(QStringLiteral("width:100%;"))) << first.text.toStdString();
        const QList<DRVGraphic*> read = ofClass(first.graphics, "DRVText");
        ASSERT_EQ(read.size(), 1);
        EXPECT_TRUE(read.first()->matchScreenFlag());

        DRVDocument again;
        again.setPageFileType(QStringLiteral("selvaro"));
        again.setPageFileExtension(QStringLiteral("php"));
        read.first()->setParent(&again);
        again.insertGraphics({read.first()}, {0});
        const QString text = again.generateSourceCode(QStringLiteral("contact"), false, false);
        EXPECT_TRUE(text.contains(QStringLiteral("width:100%;")));
        EXPECT_FALSE(text.contains(QStringLiteral("width:9999px")));
    }
}

// Boxes without hover colours write nothing where the hover parts go: "(null)" between two rules
// would make a browser drop the next box's rule.
TEST_F(TextBoxGenerationTest, EmptyHoverPartsWriteNothing)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    for (int i = 0; i < 3; ++i)
        addBox(document, kBoxes[0], i);
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_FALSE(page.contains(QStringLiteral("(null)")));
    for (int n = 0; n < 3; ++n)
        EXPECT_TRUE(page.contains(QStringLiteral("\n.text%1{position:absolute;").arg(n))) << n;
}

// Text values a page or a user gave an element stay inside the element's style rule: none can end
// the rule or the style block.
TEST_F(TextBoxGenerationTest, HostileValuesStayInsideTheirRules)
{
    const QString hostile = QStringLiteral("x;}</style><script>alert(1)</script>{\"'\n");
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    DRVText* box = addBox(document, kBoxes[0], 0);
    for (const char* key : {"templateName", "linkType", "bubbleShape", "onClickShowString",
                            "onClickHideString", "borderStyle", "topPaddingType", "hoverColorString",
                            "textHexColorString", "backgroundHexColorString", "borderHexColorString"})
        box->setProperty(key, hostile);
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_FALSE(page.contains(QStringLiteral("<script>alert")));
    EXPECT_EQ(page.count(QStringLiteral("</style>")), 1);
    // Each of the box's rules ends where it should: the page reads the box back with its text.
    QObject owner;
    const auto page2 = reopen(document, QStringLiteral("index"), &owner);
    const QList<DRVGraphic*> read = ofClass(page2.graphics, "DRVText");
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(plainText(read.first()), plainText(box));
}

// The pass reads a text box's values directly; by name it would read the same, whatever they are.
TEST_F(TextBoxGenerationTest, ABoxReadDirectlyGivesWhatItsNamesGive)
{
    DRVDocument document;
    auto* box = add<DRVText>(document);
    EXPECT_TRUE(TextBoxGenerator::elementValues(*box) == TextBoxGenerator::elementValues(box, true));

    // Every plain value a different one, so that no value can stand in for another.
    const QMetaObject* meta = box->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable())
            continue;
        switch (property.metaType().id()) {
        case QMetaType::Int:
            property.write(box, 100 + i);
            break;
        case QMetaType::Bool:
            property.write(box, true);
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            property.write(box, 0.5 + i / 1024.0);
            break;
        case QMetaType::QString:
            property.write(box, QStringLiteral("v%1").arg(i));
            break;
        default:
            break;
        }
    }
    const TextBoxGenerator::ElementValues direct = TextBoxGenerator::elementValues(*box);
    const TextBoxGenerator::ElementValues named = TextBoxGenerator::elementValues(box, true);
    EXPECT_EQ(direct.formTag, named.formTag);
    EXPECT_EQ(direct.unitTypes[7], named.unitTypes[7]);
    EXPECT_NE(direct.spacing[0], direct.spacing[1]);
    EXPECT_TRUE(direct == named);
}
