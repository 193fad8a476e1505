// HTML snippets written by the snippet pass and opened again by the page reader; their click scripts.
#include "PageRoundTrip.h"

#include "generation/PageGenerator.h"
#include "generation/SnippetGenerator.h"
#include "model/DRVText.h"
#include "model/myTextView.h"

using generationtest::GenerationTest;
using generationtest::reopen;

namespace {

DRVText* addSnippet(DRVDocument& document, const QString& code, bool formatted, int y)
{
    auto* snippet = new DRVText(&document);
    document.insertGraphics({snippet}, {0});
    snippet->setTextType(QStringLiteral("HTMLSnippet"));
    snippet->setFontFamily(QStringLiteral("Helvetica Neue"));
    snippet->setFontSize(12);
    snippet->setBounds(QRectF(10, y, 300, 80));
    snippet->setSnippetFormatFlag(formatted);
    snippet->setBorderHexColorString(QStringLiteral("CLEAR0"));
    snippet->updateTextString(code);
    return snippet;
}

} // namespace

using SnippetGenerationTest = GenerationTest;

TEST_F(SnippetGenerationTest, SnippetsReopenWithTheirCodeAndLineCount)
{
    const QString codes[] = {
        QStringLiteral("<iframe src=\"https://example.com/v?a=1&b=2\"></iframe>"),
        QStringLiteral("<b>one</b>\ntwo &amp; <i>three</i>\n"),
        QStringLiteral("a\nb\n\nc"),
        QStringLiteral("<div class=snippet9>\nnot a marker\n</div>"),
    };
    for (const bool formatted : {false, true}) {
        SCOPED_TRACE(formatted);
        DRVDocument document;
        document.setMainTemplateName(QStringLiteral("index"));
        QList<DRVText*> written;
        int y = 0;
        for (const QString& code : codes)
            written.append(addSnippet(document, code, formatted, y += 100));

        QObject owner;
        const auto page = reopen(document, QStringLiteral("index"), &owner);
        ASSERT_EQ(page.parsed.htmlSnippetArray.size(), written.size());
        for (const myTextView* read : page.parsed.htmlSnippetArray) {
            const auto match = std::find_if(written.begin(), written.end(), [&](const DRVText* snippet) {
                return int(snippet->bounds().y()) == read->originY() ||
                       int(snippet->bounds().y()) == read->frame().y();
            });
            ASSERT_NE(match, written.end());
            const QString code = (*match)->contents()->toPlainText();
            EXPECT_EQ(read->textView()->string(), code);
            EXPECT_EQ(read->nlines(), SnippetGenerator::snippetLineCount(code));
            EXPECT_EQ(read->snippetFormatFlag(), formatted ? 1 : 0);
        }
        // The code passes unescaped; a clear border stays clear on the graphic.
        EXPECT_TRUE(page.text.contains(codes[0]));
        EXPECT_EQ(written[0]->borderHexColorString(), QStringLiteral("CLEAR0"));
    }
}

TEST_F(SnippetGenerationTest, SnippetsAreNumberedFromTheLastAndAnEmptyOneHasNoLines)
{
    DRVDocument document;
    addSnippet(document, QString(), false, 0);
    addSnippet(document, QString(), false, 100);
    PageGenerator generator(document);
    generator.generate(QStringLiteral("index"), false, false);
    // htmlSnippetArray is front to back; the pass numbers from its end.
    const QString rules = generator.pieces().snippetRules;
    EXPECT_TRUE(rules.contains(QStringLiteral(".snippet0{position:absolute;left:10px;top:0px;")))
        << rules.toStdString();
    EXPECT_TRUE(rules.contains(QStringLiteral(".snippet1{position:absolute;left:10px;top:100px;")));
    EXPECT_TRUE(rules.contains(QStringLiteral("nlines:0;")));
    EXPECT_EQ(SnippetGenerator::snippetLineCount(QStringLiteral("a\nb\n")), 3);
}

TEST_F(SnippetGenerationTest, ClickScriptsNameOnlySafeIds)
{
    const QString script = SnippetGenerator::clickScript(
        QStringLiteral("snippet3"), QStringLiteral("panel-1, bad\");alert(1);//, 9lives"),
        QStringLiteral("box_2"));
    EXPECT_TRUE(script.contains(QStringLiteral("$(\"#snippet3\").click(function(){")));
    EXPECT_TRUE(script.contains(QStringLiteral("$(\"#panel-1\").show();")));
    EXPECT_TRUE(script.contains(QStringLiteral("$(\"#box_2\").hide();")));
    EXPECT_FALSE(script.contains(QStringLiteral("alert")));
    EXPECT_FALSE(script.contains(QStringLiteral("9lives")));
    EXPECT_EQ(SnippetGenerator::clickScript(QStringLiteral("snippet3"), QString(), QString()), QString());

    DRVDocument document;
    auto* snippet = addSnippet(document, QStringLiteral("a\r\nb"), true, 0);
    snippet->setOnClickShowString(QStringLiteral("menu"));
    const auto fragment = SnippetGenerator::generateSnippetCode(document, snippet, nullptr);
    EXPECT_TRUE(fragment->bodyString.contains(QStringLiteral("a<br>b")));
    EXPECT_TRUE(fragment->javaScriptString.contains(QStringLiteral("$(\"#snippet1\").click")));
    EXPECT_TRUE(fragment->headerString.contains(QStringLiteral("cursor:pointer;")));
}
