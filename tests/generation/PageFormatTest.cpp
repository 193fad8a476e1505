// The writers' formatter prints exactly what the general formatter prints for page text, on its
// quick path and off it, and appends onto text that is already there.
#include "generation/PageFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

using platform::FormatArg;

namespace {

struct Case
{
    const char* tmpl;
    std::initializer_list<FormatArg> args;
};

} // namespace

TEST(PageFormatTest, PrintsWhatTheGeneralFormatterPrints)
{
    const QString text = QStringLiteral("caf\u00e9 <b>");
    const Case cases[] = {
        {"plain text", {}},
        {"", {}},
        {".text%d{left:%dpx;top:%dpx;}", {0, -12, 2147483647}},
        {"%d %d %d", {-9223372036854775807LL - 1, 18446744073709551615ULL, 7u}},
        // A real number given to %d is cut towards zero; text and nothing give 0.
        {"%d|%d|%d|%d", {2.9, -2.9, text, nullptr}},
        {"%f;%f;%f;%f", {0.5, -0.0, 1e20, 1.0 / 3.0}},
        {"%f %f %f",
         {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}},
        {"%f %f", {0.1f, 3}},
        {"<div class=%@>%@</div>", {text, QString()}},
        {"%@|%@|%@|%@|%@", {42, -7LL, 0.1f, 0.1, std::optional<QString>()}},
        {"width:100%%;%d%%", {50}},
        // More directives than values: the missing ones print as nothing or 0.
        {"%@-%d-%f", {}},
        // Off the quick path: flags, widths, precisions, other directives and a lone % at the end.
        {"%04X|%0.2f|%.02f|%5d|%-3d|", {255u, 3.14159, 2.5, 42, 7}},
        {"\\u%04X %s %5C", {unsigned(0xe9)}},
        {"ends in %", {}},
        {"%d then %x", {1, 255}},
    };
    for (const Case& c : cases) {
        const QString tmpl = QString::fromUtf8(c.tmpl);
        EXPECT_EQ(generation::format(tmpl, c.args), platform::formatText(tmpl, c.args)) << c.tmpl;
    }
}

TEST(PageFormatTest, AppendsOntoTheTextItIsGiven)
{
    QString rules = QStringLiteral("#content{}\n");
    for (int n = 0; n < 2000; ++n)
        generation::appendFormat(rules, QStringLiteral(".text%d{width:%dpx;font-family:%@;}\n"),
                                 {n, n * 2, QStringLiteral("Helvetica Neue")});
    // A template off the quick path appends too.
    generation::appendFormat(rules, QStringLiteral("%03d"), {7});
    QString expected = QStringLiteral("#content{}\n");
    for (int n = 0; n < 2000; ++n)
        expected += QStringLiteral(".text%1{width:%2px;font-family:Helvetica Neue;}\n").arg(n).arg(n * 2);
    expected += QStringLiteral("007");
    EXPECT_EQ(rules, expected);
}
