#include "platform/Format.h"

#include <QLocale>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <locale>
#include <optional>

using platform::format;
using platform::FormatArg;
using platform::formatv;

namespace {

struct Case
{
    const char* tmpl;
    std::initializer_list<FormatArg> args;
    const char* expected;
};

} // namespace

TEST(Format, Directives)
{
    const float opacity = 0.3f;
    const Case cases[] = {
        {"%d", {42}, "42"},
        {"%d", {-7}, "-7"},
        {"%i|%ld|%lld", {1, 2L, 3LL}, "1|2|3"},
        {"%ld", {-9223372036854775807LL - 1}, "-9223372036854775808"},
        {"%u", {4000000000U}, "4000000000"},
        {"%lu", {18446744073709551615UL}, "18446744073709551615"},
        {"%u", {-1}, "4294967295"},
        {"%02d:%02d", {5, 123}, "05:123"},
        {"%02d", {-5}, "-5"},
        {"%03d", {-5}, "-05"},
        {"%02X%02X%02X", {255, 0, 10}, "FF000A"},
        {"%X|%x", {48879, 48879}, "BEEF|beef"},
        {"%f", {0.5}, "0.500000"},
        {"%.8f", {opacity}, "0.30000001"},
        {"%f|%5.1f|%05.1f",
         {std::nan(""), -std::numeric_limits<double>::infinity(), 2.25},
         "nan| -inf|002.2"},
        {"%.2f", {2.0 / 3.0}, "0.67"},
        {"%0.2f", {1.005}, "1.00"},
        {"%.0f", {2.5}, "2"},
        {"%f", {-0.25}, "-0.250000"},
        {"%.3f", {12}, "12.000"},
        {"%f", {1e20}, "100000000000000000000.000000"},
        {"%d", {3.99}, "3"},
        {"%d", {true}, "1"},
        {"%d%%", {50}, "50%"},
        {"#%@", {QStringLiteral("FF00AA")}, "#FF00AA"},
        {"%@", {"caf\xC3\xA9"}, "caf\xC3\xA9"},
        {"%@", {nullptr}, "(null)"},
        {"%@", {QString()}, "(null)"},
        {"%@", {QStringLiteral("")}, ""},
        {"%@", {std::optional<QString>()}, "(null)"},
        {"%@", {std::optional<QString>(QStringLiteral("x"))}, "x"},
        {"%@ %@ %@", {7, 0.5, 30.0}, "7 0.5 30"},
        {"%@", {1e20}, "1e+20"},
        {"%@", {opacity}, "0.3"},
        {"%@-%d-%f", {}, "(null)-0-0.000000"},
        {"%5d|%-5d|%5@", {42, 42, "ab"}, "   42|42   |   ab"},
        {"100%", {}, "100%"},
        {"%k stays", {1}, "%k stays"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format(QString::fromUtf8(c.tmpl), c.args), QString::fromUtf8(c.expected)) << c.tmpl;
}

TEST(Format, FloatIsPromotedBeforeFormatting)
{
    // The float nearest 0.3, times 100 in float arithmetic, then widened: not 30.000000.
    const float f = 0.3f * 100;
    EXPECT_EQ(format("%f", {f}), QStringLiteral("30.000002"));
    EXPECT_EQ(formatv("%f", 0.3f * 100), QStringLiteral("30.000002"));
}

TEST(Format, VariadicForm)
{
    EXPECT_EQ(formatv("left: %dpx; opacity: %0.2f; %@", 12, 0.456, QString()),
              QStringLiteral("left: 12px; opacity: 0.46; (null)"));
}

// Generated page text prints a missing string as nothing; numbers and real strings as format does.
TEST(Format, TextFormPrintsAMissingStringAsNothing)
{
    EXPECT_EQ(platform::formatText("a%@b|%5@|%d|%@", {QString(), nullptr, nullptr, QStringLiteral("x")}),
              QStringLiteral("ab|     |0|x"));
    EXPECT_EQ(platform::formatText("%@-%d", {}), QStringLiteral("-0"));
    EXPECT_EQ(platform::formatText("%@", {QStringLiteral("")}), QStringLiteral(""));
}

TEST(Format, DecimalPointIgnoresLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(format("%0.2f|%f|%@", {1.5, 0.25, 2.5}), QStringLiteral("1.50|0.250000|2.5"));
    QLocale::setDefault(before);

    const std::string oldNumeric = std::setlocale(LC_NUMERIC, nullptr);
    const char* german = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name)) {
            german = name;
            break;
        }
    }
    if (!german)
        GTEST_SKIP() << "no German locale installed; the C library part is not exercised";
    const std::locale oldGlobal = std::locale::global(std::locale(german));
    EXPECT_EQ(format("%0.2f|%f|%@", {1.5, 0.25, 2.5}), QStringLiteral("1.50|0.250000|2.5"));
    std::locale::global(oldGlobal);
    std::setlocale(LC_NUMERIC, oldNumeric.c_str());
}
