// A section of a responsive page becomes one Bootstrap row (or e-mail table row) holding the
// fragments that lie in its columns, their absolute position taken out declaration by declaration and
// their gaps kept as margins; in a browser the columns stack on a phone and stand side by side on a
// desktop.
#include "GenerationTestSupport.h"
#include "common/ExternalTools.h"

#include "generation/CssDeclarations.h"
#include "generation/PageShell.h"
#include "generation/ResponsiveArrangement.h"
#include "model/DRVRectangle.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using generationtest::GenerationTest;

namespace {

using Scope = CssDeclarations::Scope;

myTextView* cell(DRVTable* section, int x, int y, int w, int h, QList<int> grid,
                 const QString& colour = "FFFFFF")
{
    auto* c = new myTextView(QRectF(x, y, w, h), section);
    c->setOriginX(x);
    c->setOriginY(y);
    c->setWidth(w);
    c->setHeight(h);
    c->setXsGridColumns(grid.value(0));
    c->setSmallGridColumns(grid.value(1));
    c->setMediumGridColumns(grid.value(2));
    c->setLargeGridColumns(grid.value(3));
    c->setBackgroundHexColorString(colour);
    return c;
}

// A fragment as the element generators write it: absolute position, size and zero margins.
std::shared_ptr<CodeWidgetHelper> fragment(int n, int x, int y, int w, int h)
{
    auto f = std::make_shared<CodeWidgetHelper>();
    f->rect = QRectF(x, y, w, h);
    f->headerString = QStringLiteral(".text%1{position:absolute;left:%2px;top:%3px;width:%4px;height:%5px;"
                                     "padding-left:%2px;margin-top:0;margin-bottom:0;color:#000000;}")
                          .arg(n)
                          .arg(x)
                          .arg(y)
                          .arg(w)
                          .arg(h);
    f->bodyString = QStringLiteral("<div class=text%1>Element %1</div>").arg(n);
    return f;
}

} // namespace

TEST(CssDeclarationsTest, EditsWholeDeclarationsByPropertyName)
{
    struct Case
    {
        QString css;
        QString property;
        QString value;
        QString replacement;
        Scope scope;
        QString expected;
    };
    const Case cases[] = {
        {".a{padding-left:10px;left:10px;}", "left", "10px", "", Scope::Rules, ".a{padding-left:10px;}"},
        {".a{margin-left:0;left:10px}", "left", "10px", "", Scope::Rules, ".a{margin-left:0;}"},
        {".a{left:5px;}.b{left:10px;}", "left", "10px", "", Scope::Rules, ".a{left:5px;}.b{}"},
        {".a{ LEFT : 10px ;top:1px;}", "left", "10px", "", Scope::Rules, ".a{top:1px;}"},
        {".a{margin-top:0;x-margin-top:0;}", "margin-top", "0", "margin-top:12px;", Scope::Rules,
         ".a{margin-top:12px;x-margin-top:0;}"},
        {".a{margin-bottom:0px;}", "margin-bottom", "0", "margin-bottom:9px;", Scope::Rules,
         ".a{margin-bottom:0px;}"},
        {".a{background:url('x;left:1px');left:1px;}", "left", "1px", "", Scope::Rules,
         ".a{background:url('x;left:1px');}"},
        {"@media(max-width:1px){.a{left:1px;}}", "left", "", "", Scope::Rules, "@media(max-width:1px){.a{}}"},
        {"left:1px;padding-left:1px", "left", "", "", Scope::List, "padding-left:1px"},
        {"<div style='margin-top:0;padding-top:0;'>margin-top:0;</div>", "margin-top", "0", "margin-top:3px;",
         Scope::StyleAttributes, "<div style='margin-top:3px;padding-top:0;'>margin-top:0;</div>"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CssDeclarations::replaceDeclaration(c.css, c.property, c.value, c.replacement, c.scope),
                  c.expected)
            << c.css.toStdString();
    }
    EXPECT_EQ(CssDeclarations::valueOf(".a{padding-left:3px;left:4px;}", "left"), QStringLiteral("4px"));
}

class ResponsiveArrangementTest : public GenerationTest
{
protected:
    ResponsiveArrangementTest() : GenerationTest("Brumel Responsive Website Designer") {}

    // A section on top of six other graphics, so that it is number 7.
    DRVTable* sectionSeven(DRVDocument& document, const QString& kind = "section")
    {
        for (int i = 0; i < 6; ++i)
            add<DRVRectangle>(document);
        auto* section = add<DRVTable>(document);
        section->setGridType(kind);
        section->setBounds(QRectF(0, 0, 1000, 400));
        section->setBackgroundHexColorString(QStringLiteral("EEEEEE"));
        section->setCellHelperArray(
            {cell(section, 0, 0, 500, 400, {12, 6, 6, 6}), cell(section, 500, 0, 500, 400, {12, 6, 6, 6})});
        return section;
    }
};

TEST_F(ResponsiveArrangementTest, WorkedExampleTwoColumnsThreeElements)
{
    DRVDocument document;
    DRVTable* section = sectionSeven(document);
    const auto upper = fragment(1, 20, 30, 200, 50);
    const auto lower = fragment(2, 20, 100, 200, 80); // 20 px below the upper one
    const auto right = fragment(3, 520, 40, 300, 100);
    document.setSourceCodeArray({lower, right, upper});

    const auto result = ResponsiveArrangement(document).arrangeResponsiveElements(section);

    EXPECT_EQ(
        result->bodyString,
        QStringLiteral("<div class=\"container-fluid\">\n<div class=\"row section7\">\n"
                       "\n<div class=\"section7_column section7_0 col-xs-12 col-sm-6 col-md-6 col-lg-6\">\n"
                       "\n<div class=text1>Element 1</div>\n<div class=text2>Element 2</div>\n</div>"
                       "\n<div class=\"section7_column section7_1 col-xs-12 col-sm-6 col-md-6 col-lg-6\">\n"
                       "\n<div class=text3>Element 3</div>\n</div>\n</div>\n\n</div>"));
    // Absolute position out, full width and height, margins measured in the column.
    // The gap to the next element below is added to the margins so far, in place of margin-bottom.
    EXPECT_EQ(upper->headerString,
              QStringLiteral(".text1{width:100%;height:100%;padding-left:20px;margin-top:30px;"
                             "margin-top:30px;margin-bottom:20px;color:#000000;}"));
    EXPECT_EQ(lower->headerString,
              QStringLiteral(".text2{width:100%;height:100%;padding-left:20px;margin-top:0;"
                             "margin-bottom:220px;color:#000000;}"));
    // Alone in its column: the top margin, then top and bottom margin in place of margin-bottom.
    EXPECT_EQ(
        right->headerString,
        QStringLiteral(".text3{width:100%;height:100%;padding-left:520px;margin-top:40px;margin-top:40px;"
                       "margin-bottom:260px;color:#000000;}"));
    EXPECT_TRUE(upper->addedToGrid && lower->addedToGrid && right->addedToGrid);
    EXPECT_TRUE(result->headerString.startsWith(QStringLiteral(".section7{\npadding-top:0;")));
    EXPECT_TRUE(result->headerString.contains(QStringLiteral("background-color:#EEEEEE;")));
    EXPECT_TRUE(result->headerString.contains(upper->headerString));
    EXPECT_TRUE(
        result->headerString.contains(QStringLiteral(".section7_1{\nbackground-color:#FFFFFF;height:100%;")));
    EXPECT_EQ(result->javaScriptString, QString());
    EXPECT_EQ(result->originY, 0);
    // The list is left in top-to-bottom order.
    EXPECT_EQ(document.sourceCodeArray(), (QList<std::shared_ptr<CodeWidgetHelper>>{upper, right, lower}));
}

TEST_F(ResponsiveArrangementTest, ClaimingAndMarkers)
{
    DRVDocument document;
    DRVTable* section = sectionSeven(document, "sectionTemplate");
    section->cellHelperArray().at(1)->setBackgroundHexColorString(QStringLiteral("000000"));
    const auto touching = fragment(1, 500, 400, 50, 50); // shares only the columns' corner
    const auto both = fragment(2, 450, 10, 100, 20);     // over both columns: the first claims it
    auto resized = fragment(3, 600, 100, 40, 40);
    resized->responsiveResizeFlag = 1;
    document.setSourceCodeArray({touching, both, resized});
    ResponsiveArrangement arrangement(document);
    EXPECT_TRUE(arrangement.isThisTheTopMostItemInSection(both->rect, QRectF(0, 0, 500, 400)));

    const auto result = arrangement.arrangeResponsiveElements(section);
    EXPECT_FALSE(touching->addedToGrid);
    EXPECT_TRUE(both->addedToGrid);
    const qsizetype firstColumnEnd = result->bodyString.indexOf(QStringLiteral("<!--SECTION TABLE END-->"));
    EXPECT_GT(result->bodyString.indexOf(QStringLiteral("Element 2")), 0);
    EXPECT_LT(result->bodyString.indexOf(QStringLiteral("Element 2")), firstColumnEnd);
    EXPECT_EQ(result->bodyString.count(QStringLiteral("<!--SECTION TABLE START-->")), 1);
    // A fragment that keeps its own size loses only its position.
    EXPECT_EQ(resized->headerString,
              QStringLiteral(".text3{position:absolute;width:40px;height:40px;"
                             "padding-left:600px;margin-top:0;margin-bottom:0;color:#000000;}"));
    // Columns of different colours get the same height by script, and the section no colour.
    EXPECT_TRUE(
        result->javaScriptString.contains(QStringLiteral("$(\".section7_column\").height(maxHeight);")));
    EXPECT_FALSE(result->headerString.contains(QStringLiteral("background-color:#EEEEEE;")));
    document.graphics().at(1)->setBounds(QRectF(10, 10, 20, 20));
    EXPECT_TRUE(arrangement.isGraphicInASection(document.graphics().at(1)));
    EXPECT_FALSE(arrangement.isGraphicInASection(section));
}

TEST_F(ResponsiveArrangementTest, EmailEditionWritesTableCells)
{
    ScopedEdition mail(QStringLiteral("Brumel Responsive Email Designer"));
    DRVDocument document;
    DRVTable* section = sectionSeven(document);
    section->cellHelperArray().at(0)->setMediumGridColumns(5);
    section->cellHelperArray().at(1)->setMediumGridColumns(7);
    section->cellHelperArray().at(1)->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
    section->cellHelperArray().at(1)->setVerticalAlignment(1);
    const auto f = fragment(1, 20, 30, 200, 50);
    f->bodyString = QStringLiteral("<div class=text1 style='margin-top:0;margin-bottom:0;'>x</div>");
    document.setSourceCodeArray({f});

    const auto result = ResponsiveArrangement(document).arrangeResponsiveElements(section);
    EXPECT_TRUE(
        result->bodyString.startsWith(QStringLiteral("<table width=\"100%\" bgcolor=#EEEEEE style='")));
    EXPECT_TRUE(result->bodyString.contains(
        QStringLiteral("<td style=\"width:41%;background-color:#FFFFFF;\" class=\"columnContainer\">")));
    EXPECT_TRUE(result->bodyString.contains(
        QStringLiteral("<td style=\"width:58%;vertical-align:middle;\" class=\"columnContainer\">")));
    EXPECT_TRUE(result->bodyString.contains(QStringLiteral(
        "<div class=text1 style='margin-top:30px;margin-top:30px;margin-bottom:320px;'>x</div>")));
    EXPECT_TRUE(result->bodyString.endsWith(QStringLiteral("</tr></table>\n\n")));
    EXPECT_EQ(result->headerString, QString());
}

namespace {

// The DOM of the page after its scripts ran, in a window of the given width.
QString dumpDom(const QString& browser, const QString& page, int width, QTemporaryDir& dir)
{
    QProcess process;
    process.start(browser,
                  {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                   QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
                   QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
                   QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                   QStringLiteral("--hide-scrollbars"),
                   QStringLiteral("--user-data-dir=") + dir.filePath(QStringLiteral("profile%1").arg(width)),
                   QStringLiteral("--window-size=%1,900").arg(width), QStringLiteral("--dump-dom"),
                   QUrl::fromLocalFile(page).toString()});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

TEST_F(ResponsiveArrangementTest, ColumnsStackOnAPhoneAndStandSideBySideOnADesktop)
{
    if (!haveProgramOrFail(QStringLiteral("chromium"), QStringLiteral("chromium")))
        return;
    const QString browser = externaltools::findProgram(QStringLiteral("chromium"));
    DRVDocument document;
    DRVTable* section = sectionSeven(document);
    document.setSourceCodeArray({fragment(1, 20, 30, 200, 50), fragment(2, 520, 40, 300, 100)});
    const auto result = ResponsiveArrangement(document).arrangeResponsiveElements(section);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString css =
        QUrl::fromLocalFile(QStringLiteral(QUIB_RESOURCES_DIR "/web/bootstrap.min.css")).toString();
    const QString html =
        QStringLiteral(
            "<!DOCTYPE HTML>\n<html lang=\"en\">\n<head>\n<meta charset=\"UTF-8\">\n<meta "
            "name=\"viewport\" content=\"width=device-width, initial-scale=1.0\">\n<link "
            "rel=\"stylesheet\" href=\"%1\">\n<style type=text/css>\n%2\n%3\n</style>\n</head>\n<body>\n%4\n"
            "<pre id=out></pre>\n<script>\nvar a = document.querySelector('.section7_0')"
            ".getBoundingClientRect();\nvar b = "
            "document.querySelector('.section7_1').getBoundingClientRect();"
            "\ndocument.getElementById('out').textContent = 'COLUMNS ' + Math.round(a.left) + ' ' + "
            "Math.round(a.top) + ' ' + Math.round(b.left) + ' ' + Math.round(b.top) + ' END';\n</script>\n"
            "</body>\n</html>\n")
            .arg(css, result->headerString, PageShell::columnClearingCSS(), result->bodyString);
    const QString path = dir.filePath(QStringLiteral("page.html"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(html.toUtf8());
    file.close();

    static const QRegularExpression positions(
        QStringLiteral("COLUMNS (-?\\d+) (-?\\d+) (-?\\d+) (-?\\d+) END"));
    for (const int width : {375, 1200}) {
        const QString dom = dumpDom(browser, path, width, dir);
        const QRegularExpressionMatch m = positions.match(dom);
        ASSERT_TRUE(m.hasMatch()) << "width " << width << ": " << dom.left(2000).toStdString();
        const int aLeft = m.captured(1).toInt(), aTop = m.captured(2).toInt();
        const int bLeft = m.captured(3).toInt(), bTop = m.captured(4).toInt();
        if (width == 375) {
            EXPECT_EQ(aLeft, bLeft) << "stacked columns start at the same left edge";
            EXPECT_GT(bTop, aTop) << "the second column stands below the first";
        } else {
            EXPECT_EQ(aTop, bTop) << "side by side";
            EXPECT_NEAR(bLeft - aLeft, width / 2, 20);
        }
    }
}
