// Tables and the table-based widgets: every kind written as the saved page and opened again, the
// fragments of the published page, and their numbering per table.
#include "ComponentTestSupport.h"

#include "generation/CellTextGenerator.h"
#include "generation/TableComponentGenerator.h"
#include "generation/TableGenerator.h"
#include "model/DRVText.h"

#include <QTemporaryDir>

using namespace componenttest;
using generationtest::GenerationTest;

namespace {

const QStringList kAllKinds = {QStringLiteral("table"),
                               QStringLiteral("section"),
                               QStringLiteral("sectionTemplate"),
                               QStringLiteral("TableOfContents"),
                               QStringLiteral("text_carousel"),
                               QStringLiteral("navbar"),
                               QStringLiteral("navbar_centered"),
                               QStringLiteral("navbar_fixed"),
                               QStringLiteral("navbar_fixed_centered"),
                               QStringLiteral("dropdownmenu"),
                               QStringLiteral("collapsible_text_panel"),
                               QStringLiteral("collapsible_image_panel"),
                               QStringLiteral("photo_hover_caption")};

} // namespace

namespace {

void expectTableRoundTrip(const QString& kind)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    DRVTable* table = addTable(document, kind, 2, 3, QPointF(20, 30), [](int r, int c) {
        return r == 1 && c == 2 ? QStringLiteral("a < b & \"c\" 'd'")
                                : QStringLiteral("r%1c%2").arg(r).arg(c);
    });
    table->setMoveLock(1);
    table->setGroupNumber(3);
    table->setLeftMargin(10);
    table->setLeftMarginType(QStringLiteral("pixel"));
    table->setTopPadding(5);
    table->setTopPaddingType(QStringLiteral("%"));
    table->setSectionIDString(QStringLiteral("about"));
    const QVariantMap before = table->properties();

    QTemporaryDir folder;
    const ReadBack back = writeAndRead(document, folder.path());
    const QList<DRVTable*> tables = ofClass<DRVTable>(back.graphics);
    ASSERT_EQ(tables.size(), 1);
    const DRVTable* read = tables.first();
    for (const char* key :
         {"gridType", "numOfRows", "numOfColumns", "bounds", "moveLock", "groupNumber", "leftMargin",
          "leftMarginType", "topPadding", "topPaddingType", "sectionIDString"})
        EXPECT_EQ(read->properties().value(key), before.value(key)) << key;
    ASSERT_EQ(read->cellHelperArray().size(), 6);
    // The cells come back in their own order, so saving again writes the same page.
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(read->cellHelperArray().at(i)->rowSpot(), table->cellHelperArray().at(i)->rowSpot()) << i;
        EXPECT_EQ(read->cellHelperArray().at(i)->columnSpot(), table->cellHelperArray().at(i)->columnSpot())
            << i;
    }
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(cellText(read, r, c), cellText(table, r, c)) << r << "," << c;
    }
}

} // namespace

class TableRoundTripTest : public GenerationTest, public ::testing::WithParamInterface<QString>
{
};

TEST_P(TableRoundTripTest, EveryKindOpensWithItsPropertiesAndCellTexts)
{
    expectTableRoundTrip(GetParam());
}

// The responsive editions keep the cells of their saved pages as snippets.
class ResponsiveTableRoundTripTest : public GenerationTest, public ::testing::WithParamInterface<QString>
{
protected:
    ResponsiveTableRoundTripTest() : GenerationTest("Brumel Responsive Website Designer") {}
};

TEST_P(ResponsiveTableRoundTripTest, EveryKindOpensWithItsPropertiesAndCellTexts)
{
    expectTableRoundTrip(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Responsive, ResponsiveTableRoundTripTest,
                         ::testing::Values(QStringLiteral("navbar"), QStringLiteral("section"),
                                           QStringLiteral("text_carousel")),
                         [](const ::testing::TestParamInfo<QString>& info) {
                             return info.param.toStdString();
                         });
INSTANTIATE_TEST_SUITE_P(AllKinds, TableRoundTripTest, ::testing::ValuesIn(kAllKinds),
                         [](const ::testing::TestParamInfo<QString>& info) {
                             return info.param.toStdString();
                         });

using TableFragmentTest = GenerationTest;

TEST_F(TableFragmentTest, ColumnSharesFollowTheCellWidths)
{
    DRVDocument document;
    DRVTable* table = addTable(document, QStringLiteral("table"), 1, 2, QPointF(0, 0));
    table->grabSelectedTableCellHelper(0, 0)->setWidth(100);
    table->grabSelectedTableCellHelper(0, 1)->setWidth(300);
    table->setBounds(QRectF(0, 0, 400, 40));
    table->layoutCells();
    ASSERT_EQ(int(table->contentRect().width()), 400);
    const auto fragment = TableComponentGenerator::generateTableCode(document, table, true);
    EXPECT_TRUE(fragment->bodyString.contains("<td width=\"25%\">")) << fragment->bodyString.toStdString();
    EXPECT_TRUE(fragment->bodyString.contains("<td width=\"75%\">"));
    EXPECT_TRUE(fragment->partOfTableFlag);
}

TEST_F(TableFragmentTest, ZeroContentWidthGivesNoShareInsteadOfDividingByZero)
{
    DRVDocument document;
    DRVTable* table = addTable(document, QStringLiteral("table"), 1, 2, QPointF(0, 0));
    table->setLeftMargin(50);
    table->setRightMargin(50);
    table->setLeftMarginType(QStringLiteral("%"));
    table->setRightMarginType(QStringLiteral("%"));
    const auto fragment = TableComponentGenerator::generateTableCode(document, table, true);
    EXPECT_EQ(fragment->bodyString.count(QStringLiteral("<td width=\"0%\">")), 2)
        << fragment->bodyString.toStdString();
}

TEST_F(TableFragmentTest, TableRuleCarriesItsBoxWithPixelsAsPx)
{
    DRVDocument document;
    DRVTable* table = addTable(document, QStringLiteral("table"), 1, 1, QPointF(0, 0));
    table->setLeftMargin(10);
    table->setLeftMarginType(QStringLiteral("pixel"));
    const auto fragment = TableComponentGenerator::generateTableCode(document, table, true);
    EXPECT_TRUE(fragment->tableHeaderString.startsWith(QStringLiteral(".tableGrid1{")));
    EXPECT_TRUE(fragment->tableHeaderString.contains(QStringLiteral("margin-left:10px;")));
    EXPECT_FALSE(fragment->bodyString.contains(QStringLiteral("style=")));
}

TEST_F(TableFragmentTest, TwoTextCarouselsEachDriveTheirOwnSlides)
{
    DRVDocument document;
    DRVTable* first = addTable(document, QStringLiteral("text_carousel"), 3, 3, QPointF(0, 0));
    DRVTable* second = addTable(document, QStringLiteral("text_carousel"), 3, 2, QPointF(0, 200));
    const auto a = TableComponentGenerator::generateTextCarousel(document, first);
    const auto b = TableComponentGenerator::generateTextCarousel(document, second);
    const QString idA = TableComponentGenerator::quoteCarouselId(document, first);
    const QString idB = TableComponentGenerator::quoteCarouselId(document, second);
    ASSERT_NE(idA, idB);
    for (const auto& [fragment, id, other] : {std::tuple{a, idA, idB}, std::tuple{b, idB, idA}}) {
        EXPECT_TRUE(fragment->bodyString.contains(QStringLiteral("id=\"%1\"").arg(id)));
        EXPECT_TRUE(fragment->javaScriptString.contains(QStringLiteral("$('#%1')").arg(id)));
        EXPECT_FALSE(fragment->bodyString.contains(QStringLiteral("#%1\"").arg(other)));
        EXPECT_FALSE(fragment->headerString.contains(QStringLiteral("#quote-carousel\n")));
    }
    // Three columns: three indicators and slides, the first of each active.
    EXPECT_EQ(a->bodyString.count(QStringLiteral("data-slide-to=")), 3);
    EXPECT_EQ(a->bodyString.count(QStringLiteral("class=\"active\"")), 1);
    EXPECT_EQ(a->bodyString.count(QStringLiteral("<div class=\"item active\">")), 1);
    EXPECT_EQ(a->bodyString.count(QStringLiteral("<div class=\"item\">")), 2);
}

TEST_F(TableFragmentTest, CollapsiblePanelUsesRowZeroAsTitleAndEscapesTexts)
{
    DRVDocument document;
    DRVTable* table =
        addTable(document, QStringLiteral("collapsible_text_panel"), 2, 1, QPointF(0, 0),
                 [](int r, int) { return r == 0 ? QStringLiteral("Title") : QStringLiteral("x < y"); });
    const auto fragment = TableComponentGenerator::generateCollapsibleTextPanel(document, table);
    const int n = CellTextGenerator::tableNumber(document, table);
    EXPECT_TRUE(fragment->bodyString.contains(
        QStringLiteral("href=\"#collapse%1\"><div class=tableGrid%1text0 id=tableGrid%1text0>Title</div>")
            .arg(n)))
        << fragment->bodyString.toStdString();
    EXPECT_TRUE(fragment->bodyString.contains(QStringLiteral(">x &lt; y</div>")));
}

TEST_F(TableFragmentTest, HoverCaptionWrapsALinkedCaptionAndAddressesTemplatePictures)
{
    DRVDocument document;
    document.setPageName(QStringLiteral("index"));
    DRVTable* table = addTable(document, QStringLiteral("photo_hover_caption"), 2, 1, QPointF(0, 0));
    table->grabSelectedTableCellHelper(1, 0)->setLink(QStringLiteral("page2.html"));
    TransformView* picture = makePicture(QStringLiteral("image4"));
    picture->setRowSpot(0);
    picture->setColumnSpot(0);
    table->addIntoImageArray(picture);
    auto fragment = TableComponentGenerator::generatePhoto_Hover_Caption(document, table);
    EXPECT_TRUE(fragment->bodyString.contains(QStringLiteral("<a href=\"page2.html\"><div class=")));
    EXPECT_TRUE(fragment->bodyString.contains(QStringLiteral("<img src=\"index/image4o.png\">")));

    picture->setSelectable(0);
    picture->setTemplateName(QStringLiteral("basetemplate"));
    fragment = TableComponentGenerator::generatePhoto_Hover_Caption(document, table);
    EXPECT_TRUE(fragment->bodyString.contains(QStringLiteral("<img src=\"basetemplate/image4o.png\">")));
}

using TableStepTest = GenerationTest;

TEST_F(TableStepTest, TablesAreNumberedFromTheLastAndSavedPagesCarryNoComponent)
{
    DRVDocument document;
    addTable(document, QStringLiteral("navbar"), 1, 2, QPointF(0, 0));
    addTable(document, QStringLiteral("table"), 1, 2, QPointF(0, 100));
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    // The last table of the list (the one inserted first) is number 0.
    EXPECT_TRUE(page.contains(QStringLiteral(".tableGrid0{position:absolute;left:0px;top:0px;z-index:1;")))
        << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("tableNumber:0;manualLayerIndex:0;gridType:navbar;")));
    EXPECT_TRUE(page.contains(QStringLiteral(".tableGrid1{position:absolute;left:0px;top:100px;z-index:2;")));
    EXPECT_FALSE(page.contains(QStringLiteral("<nav class=")));
}

// A cell's text stands as far down on the page as the canvas draws it, for each vertical alignment.
TEST_F(TableStepTest, CellTextsStandAsLowOnThePageAsOnTheCanvas)
{
    for (const int alignment : {0, 1, 2}) {
        DRVDocument document;
        DRVTable* table = addTable(document, QStringLiteral("table"), 1, 2, QPointF(0, 0),
                                   [](int, int) { return QStringLiteral("one line"); });
        table->setVerticalAlignment(alignment);
        const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);

        table->layoutCells();
        const myTextView* cell = table->cellHelperArray().constFirst();
        ASSERT_GT(cell->textHeight(), 0) << alignment;
        const int border = DRVText::pageBorderWidth(table->borderStyle(), table->borderWidth());
        const int below = platform::truncToInt(table->cellTextOrigin(cell).y()) - cell->originY() - border;
        const QString paddingTop = QStringLiteral("padding-top:%1px;").arg(below);
        if (alignment == 0) {
            EXPECT_FALSE(page.contains(QStringLiteral("padding-top:"))) << page.toStdString();
        } else {
            EXPECT_GT(below, DRVText::pagePadding(cell->height())) << alignment;
            EXPECT_EQ(page.count(paddingTop), 2) << alignment << " " << paddingTop.toStdString();
        }
    }
}

class ResponsiveTableStepTest : public GenerationTest
{
protected:
    ResponsiveTableStepTest() : GenerationTest("Brumel Responsive Website Designer") {}
};

TEST_F(ResponsiveTableStepTest, WidgetsOutsideSectionsStandAtTheTopLevel)
{
    if (!edition().gResponsiveLayoutFlag)
        GTEST_SKIP() << "no responsive edition of that name";
    DRVDocument document;
    addTable(document, QStringLiteral("navbar"), 1, 3, QPointF(0, 0));
    addTable(document, QStringLiteral("navbar"), 1, 3, QPointF(0, 300));
    const QString page = document.generateSourceCode(QStringLiteral("index"), true, false);
    const QList<DRVTable*> tables = ofClass<DRVTable>(document.graphics());
    for (const DRVTable* table : tables) {
        const int n = CellTextGenerator::tableNumber(document, table);
        EXPECT_EQ(page.count(QStringLiteral("data-target=#navbar%1 ").arg(n)), 1) << page.toStdString();
        EXPECT_EQ(page.count(QStringLiteral("<div id=navbar%1 class=").arg(n)), 1);
    }
}

TEST_F(ResponsiveTableStepTest, ASectionIdStaysInsideItsAttribute)
{
    if (!edition().gResponsiveLayoutFlag)
        GTEST_SKIP() << "no responsive edition of that name";
    DRVDocument document;
    DRVTable* section = addTable(document, QStringLiteral("section"), 1, 2, QPointF(0, 0));
    section->setSectionIDString(QStringLiteral("top\" onmouseover=\"alert(1)\" data-x=\"<b>&"));
    const QString page = document.generateSourceCode(QStringLiteral("index"), true, false);
    EXPECT_TRUE(page.contains(QStringLiteral(" id=\"top&quot; onmouseover=&quot;alert(1)&quot; "
                                             "data-x=&quot;&lt;b>&amp;\">")))
        << page.toStdString();
    EXPECT_FALSE(page.contains(QStringLiteral("onmouseover=\"")));
    EXPECT_FALSE(page.contains(QStringLiteral("<b>")));
}

using CellTextTest = GenerationTest;

TEST_F(CellTextTest, CellRuleCarriesItsLookAndTheBodyItsEscapedText)
{
    DRVDocument document;
    DRVTable* table =
        addTable(document, QStringLiteral("collapsible_text_panel"), 1, 2, QPointF(0, 0),
                 [](int, int c) { return c == 0 ? QStringLiteral("a\nb & <c>") : QStringLiteral("x"); });
    myTextView* cell = table->grabSelectedTableCellHelper(0, 0);
    cell->setAlphaValue(0.5);
    cell->setLeftMargin(10);
    cell->setRightMargin(15);
    cell->setLeftMarginType(QStringLiteral("%"));
    cell->setRightMarginType(QStringLiteral("%"));
    cell->setTextHexColorString(QStringLiteral("CLEAR0"));
    cell->setOnClickShowString(QStringLiteral("panel2, bad\"id, x);alert(1"));
    const int n = CellTextGenerator::tableNumber(document, table);
    const auto fragment = CellTextGenerator::generateTextViewCode(document, cell, table, true);
    const QString name =
        QStringLiteral("tableGrid%1text%2").arg(n).arg(table->cellHelperArray().indexOf(cell));
    EXPECT_TRUE(fragment->headerString.startsWith(u'.' + name + u'{'));
    EXPECT_TRUE(
        fragment->headerString.contains(QStringLiteral("opacity:0.500000;filter:alpha(opacity=50.000000);")));
    EXPECT_TRUE(fragment->headerString.contains(QStringLiteral("width:75%;")));
    EXPECT_TRUE(fragment->headerString.contains(QStringLiteral("color:#000000;")));
    // The clear colour is written black but stays clear in the model.
    EXPECT_EQ(cell->textHexColorString(), QStringLiteral("CLEAR0"));
    EXPECT_EQ(fragment->bodyString,
              QStringLiteral("<div class=%1 id=%1>a<br>b &amp; &lt;c&gt;</div>\n").arg(name))
        << fragment->bodyString.toStdString();
    // Only plain ids reach the click script's selectors.
    EXPECT_TRUE(fragment->javaScriptString.contains(QStringLiteral("$(\"#panel2\").show();")));
    EXPECT_FALSE(fragment->javaScriptString.contains(QStringLiteral("alert")));
    EXPECT_FALSE(fragment->javaScriptString.contains(QStringLiteral("bad")));
}

TEST_F(CellTextTest, FormFieldsGiveBootstrapMarkupAndTheirHandlerRecord)
{
    DRVDocument document;
    DRVTable* table = addTable(document, QStringLiteral("table"), 1, 3, QPointF(0, 0), [](int, int c) {
        return c == 0 ? QStringLiteral("Your \"name\"") : QStringLiteral("field");
    });
    myTextView* label = table->grabSelectedTableCellHelper(0, 0);
    label->setFormType(QStringLiteral("textLabel"));
    label->setFormTag(3);
    label->setFormOptionTag(-99);
    myTextView* field = table->grabSelectedTableCellHelper(0, 1);
    field->setFormType(QStringLiteral("text"));
    field->setFormTag(3);
    field->setFormOptionTag(-99);
    field->setFormRequiredFlag(1);
    myTextView* area = table->grabSelectedTableCellHelper(0, 2);
    area->setFormType(QStringLiteral("textarea"));
    area->setFormTag(4);
    area->setHeight(100);
    document.setTextViewArray({label, field, area});

    QList<FormSortHelper> records;
    const auto labelCode = CellTextGenerator::generateTextViewCode(document, label, table, true, &records);
    EXPECT_TRUE(labelCode->bodyString.isEmpty());
    EXPECT_TRUE(records.isEmpty());
    const auto text = CellTextGenerator::generateTextViewCode(document, field, table, true, &records);
    EXPECT_TRUE(
        text->bodyString.startsWith(QStringLiteral("<div class=\"form-group\"><label for=\"form3\">")));
    EXPECT_TRUE(text->bodyString.contains(QStringLiteral(">Your &quot;name&quot;</div>")) ||
                text->bodyString.contains(QStringLiteral(">Your \"name\"</div>")))
        << text->bodyString.toStdString();
    EXPECT_TRUE(text->bodyString.contains(QStringLiteral("type=\"text\" name=form3 required>")));
    EXPECT_EQ(text->formResponseBody, QStringLiteral("$form3 = strip_tags($_REQUEST['form3']);\n"));
    EXPECT_TRUE(text->noMarginAddOnFlag);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records.first().formType, QStringLiteral("text"));
    EXPECT_EQ(records.first().formTag, 3);
    EXPECT_EQ(records.first().labelText, QStringLiteral("Your \"name\""));
    EXPECT_EQ(records.first().formMessageBody_quote, text->formMessageBody);

    const auto textarea = CellTextGenerator::generateTextViewCode(document, area, table, true, &records);
    EXPECT_TRUE(textarea->bodyString.contains(QStringLiteral(" rows=6 name=form4></textarea>")))
        << textarea->bodyString.toStdString();
    EXPECT_EQ(records.size(), 2);
}

// A table whose first cell is empty: its text colour and its empty cells come back as they were
// (the empty cell was once written black, and the table takes its colour from its first cell).
TEST_F(TableFragmentTest, EmptyCellsKeepTheTableColourAndStayEmpty)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    DRVTable* table = addTable(document, QStringLiteral("table"), 2, 2, QPointF(10, 10), [](int r, int c) {
        return r == c ? QString() : QStringLiteral("r%1c%2").arg(r).arg(c);
    });
    table->setFontColor(QColor(0x22, 0x22, 0x22));
    table->setTextHexColorString(QStringLiteral("222222"));
    table->updateTextColor();

    QTemporaryDir folder;
    const ReadBack back = writeAndRead(document, folder.path());
    const QList<DRVTable*> tables = ofClass<DRVTable>(back.graphics);
    ASSERT_EQ(tables.size(), 1);
    const DRVTable* read = tables.first();
    EXPECT_EQ(read->textHexColorString(), QStringLiteral("222222"));
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c) {
            SCOPED_TRACE(testing::Message() << r << "," << c);
            EXPECT_EQ(cellText(read, r, c), cellText(table, r, c));
            EXPECT_EQ(read->grabSelectedTableCellHelper(r, c)->textHexColorString(),
                      QStringLiteral("222222"));
        }
    }
    EXPECT_FALSE(document.generatedPageSource().contains(QStringLiteral("(null)")));
}
