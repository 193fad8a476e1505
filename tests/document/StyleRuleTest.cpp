#include "document/StyleRuleTokens.h"
#include "document/TextBoxRebuild.h"
#include "editions/DataCentre.h"
#include "model/myTextView.h"

#include <gtest/gtest.h>

namespace {

struct LookupCase
{
    const char* name;
    const char* rule;
    const char* key;
    const char* expectedString; // with default "DEF"
    int expectedInt;            // with default -7
};

const LookupCase kLookups[] = {
    {"present", ".text0{position:absolute;left:40px;top:12px;}", "left", "40", 40},
    {"absent", ".text0{position:absolute;left:40px;}", "top", "DEF", -7},
    {"only inside a longer key", ".text0{border-width:2px;}", "width", "DEF", -7},
    {"only inside background-color", ".text0{background-color:#FFEEDD;}", "color", "DEF", -7},
    // The writer puts keys that start with another key's name before it ("leftMarginStr" long before
    // "left" in a table rule).
    {"longer key with the same start first", ".tableGrid0{leftMarginStr:12;left:40px;}", "left", "40", 40},
    {"only a longer key with the same start", ".tableGrid0{leftMarginStr:12;top:3px;}", "left", "DEF", -7},
    {"prepared longer key first", ".text0:topMarginStr:9:top:6", "top", "6", 6},
    {"key is the last token", ".text0{left:4px;width", "width", "DEF", -7},
    {"key without a value", ".text0{width;left:3px;}", "width", "DEF", -7},
    {"value equal to a key", ".text0{position:fixed;fixed:1;}", "fixed", "1", 1},
    {"value (null)", ".text0{templateName:(null);formTag:(null);}", "templateName", "DEF", -7},
    {"first pair wins", ".text0{color:#111111;}.text0 a:visited {color: #222222;}", "color", "111111",
     111111},
    {"key in a later rule of the line", ".text0{left:1px;}.text0{hoverColor:AABBCC;}", "hoverColor", "AABBCC",
     0},
    {"selector is no key", ".text0{left:1px;}", ".text0", "DEF", -7},
    {"value split at =", ".image1{filter:alpha(opacity=50.0);opacity:0.5;}", "filter", "alpha(opacity", 0},
    {"blanks around a pair", ".text0{ left : 12px ; }", "left", "12", 12},
    {"prepared text alternates", ".text0:left:5:top:6", "top", "6", 6},
    {"empty text", "", "left", "DEF", -7},
};

void PrintTo(const LookupCase& c, std::ostream* os)
{
    *os << c.rule << " [" << c.key << "]";
}

class LookupTable : public ::testing::TestWithParam<LookupCase>
{
};

TEST_P(LookupTable, GivesValueOrDefault)
{
    const LookupCase& c = GetParam();
    const StyleRuleTokens rule{QString::fromUtf8(c.rule)};
    EXPECT_EQ(rule.parseForItemTypeString(QString::fromUtf8(c.key), QStringLiteral("DEF")),
              QString::fromUtf8(c.expectedString));
    EXPECT_EQ(rule.parseForItemTypeInt(QString::fromUtf8(c.key), -7), c.expectedInt);
}

INSTANTIATE_TEST_SUITE_P(StyleRule, LookupTable, ::testing::ValuesIn(kLookups),
                         [](const ::testing::TestParamInfo<LookupCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(StyleRule, RuleTextAndTokensFollowTheReplacements)
{
    const StyleRuleTokens rule(
        QStringLiteral(".text3{position:absolute;left:40px;font-family:\"Helvetica Neue\";color:#4F4C4C;}"));
    EXPECT_EQ(rule.ruleText(),
              QStringLiteral(".text3:position:absolute:left:40:font-family:Helvetica Neue:color:4F4C4C:"));
    EXPECT_EQ(rule.selector(), QStringLiteral(".text3"));
    EXPECT_EQ(rule.parseForItemTypeString(QStringLiteral("font-family"), {}),
              QStringLiteral("Helvetica Neue"));
}

TEST(StyleRule, UnitsHashesAndQuotesGoAsSeparateRemovalsInThatOrderWould)
{
    // "px" is taken out first, then "#", then double quotes: what those leave behind stays.
    const struct
    {
        const char* value;
        const char* expected;
    } cases[] = {{"p#x", "px"}, {"ppxx", "px"}, {"1\"p\"x", "1px"},
                 {"pxpx", ""},  {"#pxx#", "x"}, {"xp", "xp"}};
    for (const auto& c : cases) {
        const StyleRuleTokens rule(QStringLiteral(".a{k:%1;z:1}").arg(QString::fromLatin1(c.value)));
        EXPECT_EQ(rule.parseForItemTypeString(QStringLiteral("k"), QStringLiteral("absent")),
                  QString::fromLatin1(c.expected))
            << c.value;
        EXPECT_EQ(rule.parseForItemTypeInt(QStringLiteral("z"), -1), 1) << c.value;
    }
}

TEST(StyleRule, HasKeyWantsTheWholeKey)
{
    const StyleRuleTokens rule(QStringLiteral(".tableGrid0{leftMarginStr:12;position:fixed;}"));
    EXPECT_TRUE(rule.hasKey(QStringLiteral("leftMarginStr")));
    EXPECT_TRUE(rule.hasKey(QStringLiteral("position")));
    for (const char* key : {"left", "leftMargin", "MarginStr", "fixed", "pos"})
        EXPECT_FALSE(rule.hasKey(QString::fromLatin1(key))) << key;
}

TEST(StyleRule, RealsAndTruncation)
{
    const StyleRuleTokens rule(QStringLiteral(".x{textAlpha:0.250000;fixed:1.9;groupNumber:-3.7;bad:abc;}"));
    EXPECT_FLOAT_EQ(rule.parseForItemTypeFloat(QStringLiteral("textAlpha"), 1.0f), 0.25f);
    EXPECT_EQ(rule.parseForItemTypeTruncated(QStringLiteral("fixed"), 0), 1);
    EXPECT_EQ(rule.parseForItemTypeTruncated(QStringLiteral("groupNumber"), -99), -3);
    EXPECT_EQ(rule.parseForItemTypeInt(QStringLiteral("bad"), 5), 0);
    EXPECT_FLOAT_EQ(rule.parseForItemTypeFloat(QStringLiteral("missing"), -0.1f), -0.1f);
}

TEST(StyleRule, EveryKeyOfALongRuleIsFoundAndItsFirstPairWins)
{
    // Far more keys than the smallest key table holds, many alike, each written twice.
    QString line = QStringLiteral(".text0{");
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 300; ++i)
            line += QStringLiteral("k%1:%2;").arg(i).arg(pass * 1000 + i);
    }
    line += u'}';
    const StyleRuleTokens rule(line);
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(rule.parseForItemTypeInt(QStringLiteral("k%1").arg(i), -1), i) << i;
    for (const char* absent : {"k300", "k", "k00", "k1000", "K1"})
        EXPECT_FALSE(rule.hasKey(QString::fromLatin1(absent))) << absent;
}

myTextView* rebuild(const QString& rule, bool bootstrap, QStringList* fonts = nullptr,
                    const QString& page = QStringLiteral("index"))
{
    return TextBoxRebuild::generateATextView(StyleRuleTokens(rule), page, bootstrap, fonts);
}

TEST(TextBoxRebuild, WidthGrowsByPaddingAndBorderOnlyWithoutBootstrap)
{
    const QString rule = QStringLiteral(".text0{position:absolute;left:10px;top:20px;z-index:3;padding:5px;"
                                        "border-width:2px;border-style:solid;"
                                        "width:100px;height:40px;widthBuffer:4;}");
    std::unique_ptr<myTextView> plain(rebuild(rule, false));
    EXPECT_EQ(plain->frame(), QRectF(10, 20, 110, 54));
    EXPECT_EQ(plain->width(), 114);
    std::unique_ptr<myTextView> bootstrap(rebuild(rule, true));
    EXPECT_EQ(bootstrap->frame(), QRectF(10, 20, 96, 40));
}

TEST(TextBoxRebuild, BorderStyleRulesAndFullWidth)
{
    std::unique_ptr<myTextView> solidCapital(
        rebuild(QStringLiteral(
                    ".text0{position:absolute;left:0px;top:0px;z-index:1;width:100%;height:10px;padding:5px;"
                    "border-style:Solid;border-width:3px;}"),
                false));
    EXPECT_EQ(solidCapital->textView()->borderLine(), QStringLiteral("none"));
    EXPECT_EQ(solidCapital->borderWidth(), 0);
    EXPECT_EQ(solidCapital->frame().width(), 9999);
    EXPECT_EQ(solidCapital->frame().height(), 10); // padding dropped with the style
    EXPECT_EQ(solidCapital->matchScreenFlag(), 1);

    std::unique_ptr<myTextView> doubled(rebuild(
        QStringLiteral(
            ".text0{position:absolute;left:0px;top:0px;z-index:1;border-style:double;border-width:3px;}"),
        false));
    EXPECT_EQ(doubled->textView()->borderLine(), QStringLiteral("double"));
    EXPECT_EQ(doubled->borderWidth(), 0);
}

TEST(TextBoxRebuild, AbsentKeysGiveDefaults)
{
    // The application substitutes the default family at start-up; run alone, this test must too.
    DataCentre::loadCustomFont();
    QStringList fonts;
    std::unique_ptr<myTextView> view(rebuild(QStringLiteral(".text0{}"), false, &fonts));
    EXPECT_EQ(view->formTag(), -99);
    EXPECT_EQ(view->formOptionTag(), -1);
    EXPECT_EQ(view->nlines(), -99);
    EXPECT_EQ(view->tableNumber(), -99);
    EXPECT_EQ(view->rowSpot(), -99);
    EXPECT_EQ(view->groupNumber(), -99);
    EXPECT_EQ(view->sectionNumber(), -99);
    EXPECT_FLOAT_EQ(view->lineSpacing(), -0.1f);
    EXPECT_DOUBLE_EQ(view->alphaValue(), 1.0);
    EXPECT_EQ(view->linkType(), QStringLiteral("text"));
    EXPECT_EQ(view->textColorString(), QStringLiteral("000000"));
    EXPECT_EQ(view->textView()->borderLine(), QStringLiteral("none"));
    EXPECT_EQ(view->familyName(), QStringLiteral("Helvetica Neue"));
    EXPECT_EQ(view->topPaddingType(), QStringLiteral("pixel"));
    EXPECT_EQ(view->rightMarginLevelString(), QStringLiteral("None"));
    EXPECT_EQ(view->colorString(), QStringLiteral("CLEAR0"));
    EXPECT_TRUE(view->formType().isEmpty());
    EXPECT_TRUE(fonts.isEmpty());
}

TEST(TextBoxRebuild, FixedPositionKeepsItsMoveLock)
{
    std::unique_ptr<myTextView> locked(rebuild(
        QStringLiteral(".text0{position:fixed;left:1px;top:2px;z-index:3;fixed:1;groupNumber:4;}"), false));
    EXPECT_EQ(locked->moveLock(), 1);
    EXPECT_EQ(locked->scrollFlag(), 1);
    std::unique_ptr<myTextView> free(rebuild(
        QStringLiteral(".text0{position:fixed;left:1px;top:2px;z-index:3;fixed:0;groupNumber:4;}"), false));
    EXPECT_EQ(free->moveLock(), 0);
}

TEST(TextBoxRebuild, BaseTemplateElementsAreLockedElsewhereAndNullFormTypeIsEmpty)
{
    const QString rule =
        QStringLiteral(".text0{position:absolute;left:1px;top:2px;z-index:3;templateName:basetemplate;}"
                       ".text0 a:visited {formType:(null);}");
    std::unique_ptr<myTextView> onPage(rebuild(rule, false));
    EXPECT_EQ(onPage->moveLock(), 1);
    EXPECT_TRUE(onPage->formType().isEmpty());
    std::unique_ptr<myTextView> onBase(rebuild(rule, false, nullptr, QStringLiteral("basetemplate")));
    EXPECT_EQ(onBase->moveLock(), 0);
}

TEST(TextBoxRebuild, MissingFontIsReportedOnceAndReplaced)
{
    QStringList fonts;
    const QString rule = QStringLiteral(".text0{font-family:\"Quib No Such Font\";font-size:12px;}");
    std::unique_ptr<myTextView> a(rebuild(rule, false, &fonts));
    std::unique_ptr<myTextView> b(rebuild(rule, false, &fonts));
    EXPECT_EQ(fonts, QStringList{QStringLiteral("Quib No Such Font")});
    EXPECT_EQ(a->familyName(), QStringLiteral("Helvetica Neue"));
    EXPECT_EQ(a->fontSize(), 12);
}

TEST(SnippetBodies, LinkLineTextAndMissingMarker)
{
    std::unique_ptr<myTextView> first(new myTextView);
    first->setNlines(3);
    first->setContainsLinkFlag(1);
    first->setSnippetFormatFlag(1);
    std::unique_ptr<myTextView> missing(new myTextView);
    missing->setNlines(1);
    std::unique_ptr<myTextView> last(new myTextView);
    last->setNlines(2);
    QStringList lines{QStringLiteral("<div class=snippet0>"),
                      QStringLiteral("http://x.example"),
                      QStringLiteral("a<br>b"),
                      QStringLiteral("c"),
                      QStringLiteral("</div>"),
                      QStringLiteral("<div class=snippet2>"),
                      QStringLiteral("<p>one</p>"),
                      QStringLiteral("<p>two</p>"),
                      QStringLiteral("</div>")};
    TextBoxRebuild::grabTextContent(lines, {first.get(), missing.get(), last.get()}, {},
                                    QStringLiteral("snippet"));
    EXPECT_EQ(first->link(), QStringLiteral("http://x.example"));
    EXPECT_EQ(first->textView()->string(), QStringLiteral("a\nb\nc"));
    EXPECT_TRUE(missing->textView()->string().isEmpty());
    EXPECT_EQ(last->textView()->string(), QStringLiteral("<p>one</p>\n<p>two</p>"));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("<div class=snippet0>"), QStringLiteral("</div>"),
                                  QStringLiteral("<div class=snippet2>"), QStringLiteral("</div>")}));
}

TEST(SnippetBodies, CountPastTheEndStopsAtTheLastLine)
{
    std::unique_ptr<myTextView> snippet(new myTextView);
    snippet->setNlines(1000000);
    QStringList lines{QStringLiteral("<div class=snippet0>"), QStringLiteral("only")};
    TextBoxRebuild::grabTextContent(lines, {snippet.get()}, {}, QStringLiteral("snippet"));
    EXPECT_EQ(snippet->textView()->string(), QStringLiteral("only\n"));
}

} // namespace
