#include "platform/StringRules.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace platform;

namespace {

QString u(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST(StringRules, IntegerPrefixes)
{
    const struct
    {
        const char* text;
        int asInt;
        qint64 asInteger;
    } cases[] = {
        {" -12abc", -12, -12},
        {"42", 42, 42},
        {"+7px", 7, 7},
        {"\t\n 9", 9, 9},
        {"abc", 0, 0},
        {"", 0, 0},
        {"-", 0, 0},
        {"- 5", 0, 0},
        {"3.9", 3, 3},
        {"99999999999", INT_MAX, 99999999999LL},
        {"-99999999999", INT_MIN, -99999999999LL},
        {"2147483647", INT_MAX, 2147483647},
        {"-2147483648", INT_MIN, -2147483648LL},
        {"99999999999999999999", INT_MAX, LLONG_MAX},
        {"-99999999999999999999", INT_MIN, LLONG_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(intValue(u(c.text)), c.asInt) << c.text;
        EXPECT_EQ(integerValue(u(c.text)), c.asInteger) << c.text;
    }
}

TEST(StringRules, RealPrefixes)
{
    const struct
    {
        const char* text;
        double value;
    } cases[] = {
        {"0.5", 0.5},       {"  -1.25em", -1.25},
        {"+3", 3},          {".5", 0.5},
        {"5.", 5},          {"1e3", 1000},
        {"2.5E-2x", 0.025}, {"1e", 1},
        {"1e+", 1},         {"7,5", 7},
        {"abc", 0},         {"", 0},
        {".", 0},           {"-.", 0},
        {"1e-400", 0},      {"100.500000", 100.5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doubleValue(u(c.text)), c.value) << c.text;
        EXPECT_EQ(floatValue(u(c.text)), static_cast<float>(c.value)) << c.text;
    }
    EXPECT_EQ(floatValue("0.3"), 0.3f);
    EXPECT_TRUE(std::isinf(doubleValue("1e400")) && doubleValue("1e400") > 0);
    EXPECT_TRUE(std::isinf(doubleValue("-1e400")) && doubleValue("-1e400") < 0);
    EXPECT_TRUE(std::isinf(floatValue("1e39")));
    EXPECT_EQ(doubleValue(u("0.") + QString(400, '0') + u("1")), 0.0);
}

TEST(StringRules, BoolPrefix)
{
    for (const char* yes : {"YES", "yes", "true", "T", "1", "  007", "-1", "9 lives"})
        EXPECT_TRUE(boolValue(u(yes))) << yes;
    for (const char* no : {"NO", "false", "0", "000", "", "  ", "maybe", "x1"})
        EXPECT_FALSE(boolValue(u(no))) << no;
}

TEST(StringRules, NewlineRulesOnMixedBreaks)
{
    const struct
    {
        const char* text;
        QStringList byLineRange;
        QStringList byNewlineSet;
        QStringList byScanning;
    } cases[] = {
        {"a\nb\r\nc\rd", {"a", "b", "c", "d"}, {"a", "b", "", "c", "d"}, {"a", "b\r", "c\rd"}},
        {"a\n", {"a"}, {"a", ""}, {"a"}},
        {"a\n\n", {"a", ""}, {"a", "", ""}, {"a"}},
        {"", {}, {""}, {}},
        {"\r\n", {""}, {"", "", ""}, {}},
        {"x\xC2\x85y\xE2\x80\xA8z\xE2\x80\xA9w",
         {"x", "y", "z", "w"},
         {"x", "y", "z", "w"},
         {"x\xC2\x85y\xE2\x80\xA8z\xE2\x80\xA9w"}},
        {"p\x0Bq\x0Cr", {"p\x0Bq\x0Cr"}, {"p", "q", "r"}, {"p\x0Bq\x0Cr"}},
        {"  one  \n\n\t two\r\n   \n",
         {"  one  ", "", "\t two", "   "},
         {"  one  ", "", "\t two", "", "   ", ""},
         {"one  ", "two\r"}},
    };
    for (const auto& c : cases) {
        const QString text = u(c.text);
        EXPECT_EQ(linesByLineRange(text), c.byLineRange) << c.text;
        EXPECT_EQ(componentsSeparatedByNewlineSet(text), c.byNewlineSet) << c.text;
        EXPECT_EQ(linesByScanning(text), c.byScanning) << c.text;
        // A break other than LF is exactly what makes the newline set split otherwise than LF does.
        EXPECT_EQ(hasNewlineOtherThanLF(text), c.byNewlineSet != text.split(u'\n')) << c.text;
    }
}

// Long texts are searched several characters at a time: every break must be found at every
// offset, and no neighbour of a break character may pass for one.
TEST(StringRules, ABreakOtherThanLFIsFoundAtEveryOffset)
{
    for (const char16_t c : {u'\r', u'\v', u'\f', u'\u0085', u'\u2028', u'\u2029'}) {
        for (int offset = 0; offset < 24; ++offset) {
            QString text(24, u'x');
            text[offset] = QChar(c);
            EXPECT_TRUE(hasNewlineOtherThanLF(text)) << int(c) << " at " << offset;
        }
    }
    QString none(40, u'\n');
    for (const char16_t c : {u'\t', u'\u000e', u'\u0084', u'\u0086', u'\u2027', u'\u202a', u'\uffff', u'\u8028'})
        none += QString(9, QChar(c));
    EXPECT_FALSE(hasNewlineOtherThanLF(none));
}

TEST(StringRules, SplittingAndTrimming)
{
    EXPECT_EQ(componentsSeparatedByString("a,,b,", ","), QStringList({"a", "", "b", ""}));
    EXPECT_EQ(componentsSeparatedByString("", ","), QStringList({""}));
    EXPECT_EQ(componentsSeparatedByString("a##b", "##"), QStringList({"a", "b"}));
    EXPECT_EQ(componentsSeparatedByString("abc", ""), QStringList({"abc"}));
    EXPECT_EQ(trimWhitespaceAndNewlines(u(" \t\r\n x y \xE2\x80\xA8\xC2\xA0")), QStringLiteral("x y"));
    EXPECT_EQ(trimWhitespaceAndNewlines(" \n "), QStringLiteral(""));
    EXPECT_FALSE(trimWhitespaceAndNewlines(" \n ").isNull());
}

TEST(StringRules, PathHelpers)
{
    const struct
    {
        const char* path;
        const char* withoutExtension;
        const char* extension;
        const char* last;
        const char* parent;
    } cases[] = {
        {"/tmp/scratch.tiff", "/tmp/scratch", "tiff", "scratch.tiff", "/tmp"},
        {"/tmp/scratch", "/tmp/scratch", "", "scratch", "/tmp"},
        {"/tmp/", "/tmp", "", "tmp", "/"},
        {"/tmp/lock/", "/tmp/lock", "", "lock", "/tmp"},
        {"scratch.bundle/", "scratch", "bundle", "scratch.bundle", ""},
        {"scratch..tiff", "scratch.", "tiff", "scratch..tiff", ""},
        {"page.old.html", "page.old", "html", "page.old.html", ""},
        {".profile", ".profile", "", ".profile", ""},
        {"/dir.d/file", "/dir.d/file", "", "file", "/dir.d"},
        {"/", "/", "", "/", "/"},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        const QString path = u(c.path);
        EXPECT_EQ(stringByDeletingPathExtension(path), u(c.withoutExtension)) << c.path;
        EXPECT_EQ(pathExtension(path), u(c.extension)) << c.path;
        EXPECT_FALSE(pathExtension(path).isNull()) << c.path;
        EXPECT_EQ(lastPathComponent(path), u(c.last)) << c.path;
        EXPECT_EQ(stringByDeletingLastPathComponent(path), u(c.parent)) << c.path;
    }

    const struct
    {
        const char* base;
        const char* component;
        const char* joined;
    } appends[] = {
        {"/tmp", "scratch.tiff", "/tmp/scratch.tiff"},
        {"/tmp/", "scratch.tiff", "/tmp/scratch.tiff"},
        {"/", "scratch.tiff", "/scratch.tiff"},
        {"", "scratch.tiff", "scratch.tiff"},
        {"/tmp", "/images/", "/tmp/images"},
        {"/tmp", "", "/tmp"},
        {"site", "page.quibpage", "site/page.quibpage"},
    };
    for (const auto& c : appends)
        EXPECT_EQ(stringByAppendingPathComponent(u(c.base), u(c.component)), u(c.joined)) << c.base;
    EXPECT_EQ(stringByAppendingPathComponent(QString(), "a"), QStringLiteral("a"));

    EXPECT_EQ(stringByAppendingPathExtension("/tmp/scratch.old", "tiff"),
              QStringLiteral("/tmp/scratch.old.tiff"));
    EXPECT_EQ(stringByAppendingPathExtension("/tmp/", "tiff"), QStringLiteral("/tmp.tiff"));
    EXPECT_EQ(stringByAppendingPathExtension("", "tiff"), QStringLiteral(""));
    EXPECT_EQ(stringByAppendingPathExtension("/", "tiff"), QStringLiteral("/"));
    EXPECT_EQ(stringByAppendingPathExtension("page", ""), QStringLiteral("page"));
}

TEST(StringRules, ClampedSubstringsAndAffixes)
{
    EXPECT_EQ(substringToIndex("abc", 2), QStringLiteral("ab"));
    EXPECT_EQ(substringToIndex("abc", 99), QStringLiteral("abc"));
    EXPECT_EQ(substringToIndex("abc", -1), QStringLiteral(""));
    EXPECT_EQ(substringFromIndex("abc", 1), QStringLiteral("bc"));
    EXPECT_EQ(substringFromIndex("abc", 3), QStringLiteral(""));
    EXPECT_EQ(substringFromIndex("abc", 99), QStringLiteral(""));
    EXPECT_EQ(substringFromIndex("abc", -5), QStringLiteral("abc"));
    EXPECT_TRUE(hasPrefix("image12", "image"));
    EXPECT_FALSE(hasPrefix("image12", ""));
    EXPECT_TRUE(hasSuffix("page.html", ".html"));
    EXPECT_FALSE(hasSuffix("page.html", ""));
    EXPECT_FALSE(hasSuffix("", ""));
}
