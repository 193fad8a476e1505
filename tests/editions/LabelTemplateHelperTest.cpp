// The comma-separated "labels" file.
#include "editions/LabelTemplateHelper.h"

#include <gtest/gtest.h>

namespace {

TEST(LabelTemplateHelper, ReadsTrimmedFieldsAndMapsUsLetter)
{
    const auto list = LabelTemplateHelper::parseLabelsText(
        QStringLiteral(" Avery ,\t5160 , Label - 30 Per Letter Sheet ,\u00A0US Letter \n"
                       "Avery,L7160,Label - 21 Per A4 Sheet,A4,extra,fields\n"
                       "Brand,1,Desc,us letter"));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.at(0), LabelTemplateHelper("Avery", "5160", "Label - 30 Per Letter Sheet", "na-letter"));
    EXPECT_EQ(list.at(1), LabelTemplateHelper("Avery", "L7160", "Label - 21 Per A4 Sheet", "A4"));
    EXPECT_EQ(list.at(2).paperSize, QStringLiteral("us letter")); // the mapping is case-sensitive
}

TEST(LabelTemplateHelper, SkipsLinesThatHoldNoTemplate)
{
    struct Case
    {
        const char* name;
        QString text;
        int expected;
    };
    const Case cases[] = {
        {"empty file", QString(), 0},
        {"CR LF line ends", QStringLiteral("A,1,One,A4\r\nB,2,Two,A4\r\n"), 2},
        {"blank and short lines", QStringLiteral("\n\nA,1\nA\n,,\nB,2,Two,A4\n\n"), 1},
        {"description without paper", QStringLiteral("A,1,One"), 1},
        {"unicode line separators", QStringLiteral("A,1,One,A4\u2028B,2,Two,A4\u0085C,3,Three,A4"), 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LabelTemplateHelper::parseLabelsText(c.text).size(), c.expected) << c.name;
}

} // namespace
