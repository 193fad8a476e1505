// The text factories of the canvas: the dictionaries they build for each variant (one golden table),
// where the new graphic goes in the stacking order and in the sections, and the date stamp.
#include "CanvasTestSupport.h"
#include "SectionPage.h"

#include "canvas/DRVGraphicView.h"
#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"

#include <QDateTime>
#include <functional>

namespace {

using Arguments = DRVGraphicView::TextBoxArguments;

class TextFactoriesTest : public CanvasTest
{
protected:
    TextFactoriesTest()
    {
        view.bindGraphics(&doc);
        view.bindSelectionIndexes(&selection);
    }

    DRVDocument doc;
    DRVSelectionModel selection;
    DRVGraphicView view;
};

struct DictionaryCase
{
    const char* name;
    bool responsive;
    std::function<QVariantMap()> build;
    const char* bounds;
    QVariantMap expected; // string values
    QStringList absent;   // keys that must not be there
    QString fillHex;      // "" for a transparent fill
    QString borderHex;
};

QVariantMap strings(std::initializer_list<std::pair<const char*, const char*>> values)
{
    QVariantMap map;
    for (const auto& [key, value] : values)
        map.insert(QString::fromLatin1(key), QString::fromUtf8(value));
    return map;
}

// Every value of a plain text box outside the responsive layout, colours aside.
const QVariantMap kPlainBox = strings({{"topPadding", "0"},
                                       {"bottomPadding", "0"},
                                       {"leftPadding", "0"},
                                       {"rightPadding", "0"},
                                       {"topMargin", "0"},
                                       {"bottomMargin", "0"},
                                       {"leftMargin", "0"},
                                       {"rightMargin", "0"},
                                       {"topPaddingType", "%"},
                                       {"bottomPaddingType", "%"},
                                       {"leftPaddingType", "%"},
                                       {"rightPaddingType", "%"},
                                       {"topMarginType", "%"},
                                       {"bottomMarginType", "%"},
                                       {"leftMarginType", "%"},
                                       {"rightMarginType", "%"},
                                       {"verticalAlignment", "0"},
                                       {"fontAlignment", "0"},
                                       {"cornerRadius", "0.000000"},
                                       {"fontColor", "555555"},
                                       {"backgroundHexColorString", "CLEAR0"},
                                       {"fontSize", "20.000000"},
                                       {"fontFamily", "Helvetica Neue"},
                                       {"borderStyle", "none"},
                                       {"opacity", "1.000000"},
                                       {"shadowFlag", "0"},
                                       {"link", ""},
                                       {"textString", "New text box"},
                                       {"textType", "Text"},
                                       {"slideShowNumber", "-99"},
                                       {"textHexColorString", "555555"},
                                       {"groupNumber", "-99"},
                                       {"hoverColorString", ""},
                                       {"hoverTextColorString", ""},
                                       {"linkType", ""},
                                       {"borderWidth", "0"},
                                       {"borderHexColorString", "000000"},
                                       {"sectionNumber", "0"},
                                       {"sectionRowSpot", "0"},
                                       {"sectionColumnSpot", "0"},
                                       {"topPaddingLevelString", "Small"},
                                       {"bottomPaddingLevelString", "Small"},
                                       {"leftPaddingLevelString", "Small"},
                                       {"rightPaddingLevelString", "Small"},
                                       {"topMarginLevelString", "None"},
                                       {"bottomMarginLevelString", "None"},
                                       {"leftMarginLevelString", "None"},
                                       {"rightMarginLevelString", "None"}});

Arguments plainBox()
{
    return Arguments::with(QStringLiteral("New text box"), QRectF(10, 20, 300, 150), -99,
                           QFont(QStringLiteral("Helvetica Neue"), 20));
}

Arguments button()
{
    Arguments a = Arguments::with(QStringLiteral("Click Here"), QRectF(5, 6, 240, 50), -99,
                                  QFont(QStringLiteral("Helvetica Neue"), 25));
    a.backgroundColor = QStringLiteral("33A1C9");
    a.textColor = QStringLiteral("FFFFFF");
    a.cornerRadius = 10;
    a.alignment = QStringLiteral("center");
    a.textType = QStringLiteral("HTMLSnippet");
    a.buttonLayoutFlag = true;
    return a;
}

QVariantMap with(Arguments arguments, const std::function<void(Arguments&)>& change)
{
    change(arguments);
    return DRVGraphicView::textBoxProperties(arguments);
}

} // namespace

TEST_F(TextFactoriesTest, EachVariantBuildsItsDictionary)
{
    const QStringList snippet{QStringLiteral("snippetFormatFlag")};
    const DictionaryCase cases[] = {
        {"plain box", false, [] { return DRVGraphicView::textBoxProperties(plainBox()); },
         "{{10, 20}, {300, 150}}", kPlainBox, snippet, "", "000000"},
        // Outside the responsive layout the button flag changes nothing.
        {"button outside the responsive layout",
         false,
         [] { return DRVGraphicView::textBoxProperties(button()); },
         "{{5, 6}, {240, 50}}",
         strings({{"topPadding", "0"},
                  {"leftPadding", "0"},
                  {"leftMargin", "0"},
                  {"leftPaddingType", "%"},
                  {"verticalAlignment", "0"},
                  {"snippetFormatFlag", "1"},
                  {"fontAlignment", "1"},
                  {"cornerRadius", "10.000000"},
                  {"fontSize", "25.000000"},
                  {"backgroundHexColorString", "33A1C9"},
                  {"textType", "HTMLSnippet"}}),
         {},
         "33A1C9",
         "000000"},
        {"responsive box", true, [] { return DRVGraphicView::textBoxProperties(plainBox()); },
         "{{10, 20}, {300, 150}}",
         strings({{"topPadding", "10"},
                  {"bottomPadding", "10"},
                  {"leftPadding", "10"},
                  {"rightPadding", "10"},
                  {"leftMargin", "0"},
                  {"rightMargin", "0"},
                  {"topPaddingType", "pixel"},
                  {"rightPaddingType", "pixel"},
                  {"leftMarginType", "%"},
                  {"verticalAlignment", "0"},
                  {"sectionNumber", "0"}}),
         snippet, "", "000000"},
        {"responsive button",
         true,
         [] { return DRVGraphicView::textBoxProperties(button()); },
         "{{5, 6}, {240, 50}}",
         strings({{"topPadding", "0"},
                  {"bottomPadding", "0"},
                  {"leftPadding", "10"},
                  {"rightPadding", "10"},
                  {"topMargin", "0"},
                  {"leftMargin", "10"},
                  {"rightMargin", "10"},
                  {"leftPaddingType", "pixel"},
                  {"leftMarginType", "%"},
                  {"verticalAlignment", "1"},
                  {"snippetFormatFlag", "1"},
                  {"fontAlignment", "1"}}),
         {},
         "33A1C9",
         "000000"},
        {"right, dashed, see-through", false,
         [] {
             return with(plainBox(), [](Arguments& a) {
                 a.alignment = QStringLiteral("right");
                 a.borderStyle = QStringLiteral("dashed");
                 a.borderWidth = 3;
                 a.borderColor = QStringLiteral("EE0000");
                 a.opacity = 0.4f;
                 a.groupNumber = 7;
                 a.link = QString(); // missing: written empty
             });
         },
         "{{10, 20}, {300, 150}}",
         strings({{"fontAlignment", "2"},
                  {"borderStyle", "dashed"},
                  {"borderWidth", "3"},
                  {"borderHexColorString", "EE0000"},
                  {"opacity", "0.400000"},
                  {"groupNumber", "7"},
                  {"link", ""}}),
         snippet, "", "EE0000"},
        {"justified counts as left", false,
         [] { return with(plainBox(), [](Arguments& a) { a.alignment = QStringLiteral("justify"); }); },
         "{{10, 20}, {300, 150}}", strings({{"fontAlignment", "0"}}), snippet, "", "000000"},
        {"zoom bubble",
         true,
         [] {
             return DRVGraphicView::zoomBubbleTextboxProperties({12.5, 30.25}, 1000, "star", 1);
         },
         "{{12.5, 30.25}, {100, 100}}",
         strings({{"fontColor", "EE0000"},
                  {"textHexColorString", "EE0000"},
                  {"borderHexColorString", "EE0000"},
                  {"borderStyle", "solid"},
                  {"borderWidth", "2"},
                  {"cornerRadius", "1000.000000"},
                  {"fontSize", "10.000000"},
                  {"groupNumber", "-99"},
                  {"bubbleShape", "star"},
                  {"zoomBubbleFlag", "1"},
                  {"textString", ""}}),
         // The shape box has no paddings or sections, even in the responsive layout.
         {"topPadding", "sectionNumber", "verticalAlignment"},
         "",
         "EE0000"},
        {"shape text box",
         false,
         [] {
             return DRVGraphicView::zoomBubbleTextboxProperties({40, 50}, 0, "rectangle", 0);
         },
         "{{40, 50}, {100, 100}}",
         strings({{"fontColor", "555555"},
                  {"borderHexColorString", "555555"},
                  {"cornerRadius", "0.000000"},
                  {"zoomBubbleFlag", "0"},
                  {"bubbleShape", "rectangle"}}),
         {},
         "",
         "555555"},
    };
    for (const DictionaryCase& c : cases) {
        SCOPED_TRACE(c.name);
        edition().gResponsiveLayoutFlag = c.responsive;
        const QVariantMap p = c.build();
        EXPECT_EQ(p.value("bounds").toString(), QString::fromLatin1(c.bounds));
        for (auto it = c.expected.begin(); it != c.expected.end(); ++it)
            EXPECT_EQ(p.value(it.key()).toString(), it.value().toString()) << qPrintable(it.key());
        for (const QString& key : c.absent)
            EXPECT_FALSE(p.contains(key)) << qPrintable(key);
        const QColor fill = DRVGraphic::unarchivedColor(p.value("fillColor"));
        if (c.fillHex.isEmpty())
            EXPECT_EQ(fill.alpha(), 0);
        else
            EXPECT_EQ(DataCentre::asHexString(fill), c.fillHex);
        EXPECT_EQ(DataCentre::asHexString(DRVGraphic::unarchivedColor(p.value("borderColor"))), c.borderHex);
        // No value is a null string: the page writer would print it as missing.
        for (auto it = p.begin(); it != p.end(); ++it)
            EXPECT_FALSE(it.value().typeId() == QMetaType::QString && it.value().toString().isNull())
                << qPrintable(it.key());
    }
    // The plain box has exactly its 51 keys (52 with the snippet flag).
    edition().gResponsiveLayoutFlag = false;
    EXPECT_EQ(DRVGraphicView::textBoxProperties(plainBox()).size(), 51);
    EXPECT_EQ(DRVGraphicView::textBoxProperties(button()).size(), 52);
}

TEST_F(TextFactoriesTest, NewBoxesGoInFrontAsTextGraphicsWithoutTouchingTheSelection)
{
    DRVGraphic* first = view.addTextBox(plainBox());
    view.changeSelectionIndexes({0});
    DRVGraphic* bubble = view.addZoomBubbleTextbox_drag({300, 40}, 1000, QStringLiteral("circle"), 1);
    ASSERT_EQ(view.graphics().size(), 2);
    EXPECT_EQ(view.graphics().at(0), bubble);
    EXPECT_EQ(view.graphics().at(1), first);
    ASSERT_TRUE(qobject_cast<DRVText*>(first));
    EXPECT_EQ(first->bounds(), QRectF(10, 20, 300, 150));
    EXPECT_EQ(first->textString(), QStringLiteral("New text box"));
    EXPECT_EQ(qobject_cast<DRVText*>(bubble)->zoomBubbleFlag(), 1);
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
    // The 18-argument form is the same factory.
    DRVGraphic* third = view.addTextBox("Tag", "", {1, 2, 3, 4}, 5, "FDF5E6", "555555", QFont("Actor", 15),
                                        10, 1.0f, "", "", "", "none", 0, "000000", "left", "Text", false);
    EXPECT_EQ(view.graphics().at(0), third);
    EXPECT_EQ(third->groupNumber(), 5);
}

TEST_F(TextFactoriesTest, InTheResponsiveLayoutABoxTakesTheCellUnderItOrNoSection)
{
    edition().gResponsiveLayoutFlag = true;
    sectionpage::fill(doc);
    Arguments inCell = plainBox();
    inCell.frame = QRectF(350, 50, 100, 40); // section 1, second cell
    DRVGraphic* boxInCell = view.addTextBox(inCell);
    EXPECT_EQ(boxInCell->sectionNumber(), 1);
    EXPECT_EQ(boxInCell->sectionRowSpot(), 0);
    EXPECT_EQ(boxInCell->sectionColumnSpot(), 1);

    // Below every section: inserted unchanged, outside them all, never as an empty entry.
    const qsizetype before = view.graphics().size();
    Arguments outside = plainBox();
    outside.frame = QRectF(40, 900, 100, 40);
    DRVGraphic* boxOutside = view.addTextBox(outside);
    ASSERT_EQ(view.graphics().size(), before + 1);
    EXPECT_EQ(view.graphics().at(0), boxOutside);
    EXPECT_EQ(boxOutside->bounds(), QRectF(40, 900, 100, 40));
    EXPECT_EQ(boxOutside->sectionNumber(), -99);
    EXPECT_EQ(boxOutside->sectionRowSpot(), -99);
    EXPECT_EQ(boxOutside->sectionColumnSpot(), -99);

    // A badge from the menu at the insertion point (100, 30): both parts in section 1's first cell.
    view.addQuibLink();
    for (int i : {0, 1}) {
        EXPECT_EQ(view.graphics().at(i)->sectionNumber(), 1) << i;
        EXPECT_EQ(view.graphics().at(i)->sectionColumnSpot(), 0) << i;
    }

    // Outside the responsive layout the written section 0 stays.
    edition().gResponsiveLayoutFlag = false;
    EXPECT_EQ(view.addTextBox(outside)->sectionNumber(), 0);
}

TEST_F(TextFactoriesTest, TheDateStampUsesTheCalendarYear)
{
    const struct
    {
        QDateTime when;
        const char* expected;
    } cases[] = {
        // The last days of December belong to the next year's first week.
        {QDateTime(QDate(2024, 12, 30), QTime(9, 5)), "Dec 30 2024,  Monday 9:05 AM"},
        {QDateTime(QDate(2027, 1, 1), QTime(23, 59)), "Jan 01 2027,  Friday 11:59 PM"},
        {QDateTime(QDate(2024, 3, 5), QTime(12, 0)), "Mar 05 2024,  Tuesday 12:00 PM"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DRVGraphicView::dateStampText(c.when), QString::fromLatin1(c.expected));
}
