// Page settings read from and rewritten in stored page files, in the encodings and line ends pages
// come in, and the page file-name cleaner.
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "generation/PageShell.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray utf16WithBom(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xff));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QString fixturePage()
{
    return QString::fromLatin1(readBytes(QStringLiteral(QUIB_FIXTURES_DIR "/markers/page.html")));
}

class MarkersTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString page(const QByteArray& bytes)
    {
        const QString path = dir.path() + QStringLiteral("/page%1.html").arg(++count);
        writeBytes(path, bytes);
        return path;
    }
    QString asciiPage(const QString& text) { return page(text.toLatin1()); }

    QTemporaryDir dir;
    int count = 0;
};

TEST_F(MarkersTest, ReadersFindEverySettingInLfCrLfAndUtf16Pages)
{
    const QString lf = fixturePage();
    ASSERT_FALSE(lf.isEmpty());
    QString crlf = lf;
    crlf.replace(u'\n', QLatin1String("\r\n"));
    // Non-ASCII text forces UTF-16, as generation stores such pages.
    const QString utf16 = QString(lf).replace(QLatin1String("shoes, boots"), QStringLiteral("обувь, boots"));

    const struct
    {
        const char* label;
        QByteArray bytes;
        QString keywords;
    } cases[] = {
        {"LF", lf.toLatin1(), "shoes, boots"},
        {"CR LF", crlf.toLatin1(), "shoes, boots"},
        {"UTF-16", utf16WithBom(utf16), QStringLiteral("обувь, boots")},
        {"UTF-8", utf16.toUtf8(), QStringLiteral("обувь, boots")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const QString path = page(c.bytes);
        EXPECT_EQ(DataCentre::grabEncodingType(path), QStringLiteral("ISO-8859-1"));
        EXPECT_EQ(DataCentre::grabMetaKeywords(path), c.keywords);
        EXPECT_EQ(DataCentre::grabMetaDescription(path), QStringLiteral("A shop"));
        EXPECT_EQ(DataCentre::grabCustomHeaderCode(path),
                  QStringLiteral("<script>var a = 1;</script>\n<script>var b = 2;</script>"));
        EXPECT_EQ(DataCentre::grabPublishExt(path), QStringLiteral("php"));
        EXPECT_TRUE(DataCentre::isBootStrapBeingUsed(path));
        EXPECT_TRUE(DataCentre::grabBaseTemplateStatusFlag(path));
        EXPECT_TRUE(DataCentre::grabInheritMetadataFlag(path));
        EXPECT_FALSE(DataCentre::grabInheritCustomHeadercodeFlag(path));
        EXPECT_FALSE(DataCentre::grabDuplicateBaseTemplateStatusFlag(path));
        EXPECT_FALSE(DataCentre::grabRotateCanvas90Flag(path));
        const QString text = DataCentre::grabSourceCode(path);
        EXPECT_TRUE(DataCentre::grabCenterFlag(text));
        EXPECT_TRUE(DataCentre::grabManualPageWidthFlag(text));
        EXPECT_EQ(DataCentre::grabMiddleString(DataCentre::generateStartString(QStringLiteral("name")),
                                               DataCentre::generateEndString(QStringLiteral("name")), text),
                  QStringLiteral("Anna"));
    }
}

TEST_F(MarkersTest, MissingOrUnreadableFilesGiveTheDefaults)
{
    for (const QString& path :
         {dir.path() + QStringLiteral("/missing.html"), page(QByteArray("ab\xff", 3))}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_TRUE(DataCentre::grabSourceCode(path).isNull());
        EXPECT_EQ(DataCentre::grabEncodingType(path), QStringLiteral("UTF-8"));
        EXPECT_EQ(DataCentre::grabMetaKeywords(path), QString());
        EXPECT_EQ(DataCentre::grabCustomHeaderCode(path), QString());
        EXPECT_EQ(DataCentre::grabPublishExt(path), QString());
        EXPECT_FALSE(DataCentre::grabBaseTemplateStatusFlag(path));
    }
}

TEST_F(MarkersTest, MetaLinesLastWinsIndentedLinesCount)
{
    const QString path = asciiPage(QStringLiteral("<head>\n"
                                                  "<meta name=\"keywords\" content=\"first\">\n"
                                                  "   \t<meta name=\"keywords\" content=\"red, blue\">\n"
                                                  "<meta name=\"description\" content=\"\">\n"
                                                  "</head>\n"));
    EXPECT_EQ(DataCentre::grabMetaKeywords(path), QStringLiteral("red, blue"));
    EXPECT_EQ(DataCentre::grabMetaDescription(path), QString());
    EXPECT_EQ(DataCentre::grabEncodingType(path), QStringLiteral("UTF-8"));
}

TEST_F(MarkersTest, CustomHeaderCodeCounts)
{
    const struct
    {
        const char* text;
        const char* code;
    } cases[] = {
        {"<!--Custom Header Code:2-->\none\ntwo\nthree\n", "one\ntwo"},
        {"<!--Custom Header Code:0-->\none\n", ""},
        {"<!--Custom Header Code:-1-->\none\n", ""},
        {"<!--Custom Header Code:5-->\none\ntwo", "one\ntwo"},
        {"a\n<!--Custom Header Code:1-->", ""},
        {"<!--Custom Header Code:1-->\r\nfirst\r\nsecond\r\n", "first"},
        {"no marker\nat all\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DataCentre::grabCustomHeaderCode(asciiPage(QLatin1String(c.text))), QLatin1String(c.code));
    }
}

TEST_F(MarkersTest, PageTitleRewrites)
{
    const struct
    {
        const char* before;
        const char* title;
        const char* after;
    } cases[] = {
        {"<html>\n<!--PAGETITLESTART==Old==PAGETITLEEND-->\nend", "New",
         "<html>\n<!--PAGETITLESTART==New==PAGETITLEEND-->\nend"},
        // Appended as the last line; a final line break leaves an empty line before it.
        {"<html>\n</html>\n", "New", "<html>\n</html>\n\n<!--PAGETITLESTART==New==PAGETITLEEND-->"},
        // Only the last line that starts with the marker is the title line.
        {"<!--PAGETITLESTART==A==PAGETITLEEND-->\n<!--PAGETITLESTART==B==PAGETITLEEND-->\nx "
         "<!--PAGETITLESTART==C==PAGETITLEEND-->",
         "N",
         "<!--PAGETITLESTART==A==PAGETITLEEND-->\n<!--PAGETITLESTART==N==PAGETITLEEND-->\nx "
         "<!--PAGETITLESTART==C==PAGETITLEEND-->"},
        // CR LF is one break: no blank lines appear.
        {"<html>\r\n<!--PAGETITLESTART==Old==PAGETITLEEND-->\r\nend\r\n", "New",
         "<html>\n<!--PAGETITLESTART==New==PAGETITLEEND-->\nend\n"},
        // A title cannot break the marker line, nor end it; it reads back as typed.
        {"x", "Two\r\nLines\n", "x\n<!--PAGETITLESTART==Two&#13;&#10;Lines&#10;==PAGETITLEEND-->"},
        {"x", "a==PAGETITLEEND--><?php x(); ?>&amp;",
         "x\n<!--PAGETITLESTART==a&#61;&#61;PAGETITLEEND--&gt;&lt;?php x(); ?&gt;&amp;amp;==PAGETITLEEND-->"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        const QString path = asciiPage(QLatin1String(c.before));
        ASSERT_TRUE(DataCentre::applyPageTitle(path, QLatin1String(c.title)));
        EXPECT_EQ(readBytes(path), QByteArray(c.after));
        EXPECT_EQ(DataCentre::grabMiddleString(QStringLiteral("<!--PAGETITLESTART=="),
                                               QStringLiteral("==PAGETITLEEND-->"),
                                               DataCentre::grabSourceCode(path)),
                  QLatin1String(c.title));
    }
}

TEST_F(MarkersTest, RewritingACrLfPageKeepsItsCustomHeaderCode)
{
    QString crlf = fixturePage();
    crlf.replace(u'\n', QLatin1String("\r\n"));
    const QString path = asciiPage(crlf);
    ASSERT_TRUE(DataCentre::applyPageTitle(path, QStringLiteral("Renamed")));
    ASSERT_TRUE(DataCentre::applyPublishingExt(path, QStringLiteral("html")));
    EXPECT_EQ(DataCentre::grabCustomHeaderCode(path),
              QStringLiteral("<script>var a = 1;</script>\n<script>var b = 2;</script>"));
    EXPECT_EQ(DataCentre::grabPublishExt(path), QStringLiteral("html"));
    EXPECT_EQ(DataCentre::grabSourceCode(path),
              QString(fixturePage())
                  .replace(QLatin1String("==Home=="), QLatin1String("==Renamed=="))
                  .replace(QLatin1String("==php=="), QLatin1String("==html==")));
}

TEST_F(MarkersTest, EncodingIsKeptOrWidenedOnRewrite)
{
    // ASCII stays ASCII.
    const QString ascii = asciiPage(QStringLiteral("<html>\n"));
    ASSERT_TRUE(DataCentre::applyPageTitle(ascii, QStringLiteral("Plain")));
    EXPECT_EQ(readBytes(ascii), QByteArray("<html>\n\n<!--PAGETITLESTART==Plain==PAGETITLEEND-->"));

    // UTF-16 stays UTF-16.
    const QString utf16 =
        page(utf16WithBom(QStringLiteral("<p>Grüße</p>\n<!--PAGETITLESTART==Alt==PAGETITLEEND-->")));
    ASSERT_TRUE(DataCentre::applyPageTitle(utf16, QStringLiteral("Привет")));
    EXPECT_EQ(readBytes(utf16),
              utf16WithBom(QStringLiteral("<p>Grüße</p>\n<!--PAGETITLESTART==Привет==PAGETITLEEND-->")));

    // A non-ASCII title turns an ASCII page into UTF-16.
    const QString widened = asciiPage(QStringLiteral("<html>"));
    ASSERT_TRUE(DataCentre::applyPageTitle(widened, QStringLiteral("Café")));
    EXPECT_EQ(readBytes(widened),
              utf16WithBom(QStringLiteral("<html>\n<!--PAGETITLESTART==Café==PAGETITLEEND-->")));
    EXPECT_EQ(DataCentre::grabSourceCode(widened),
              QStringLiteral("<html>\n<!--PAGETITLESTART==Café==PAGETITLEEND-->"));
}

TEST_F(MarkersTest, PublishingExtensionRewrite)
{
    const QString marked =
        asciiPage(QStringLiteral("a\n<!--PUBLISHEXTSTART==php==PUBLISHEXTEND-->\nb <!--PUBLISHEXTSTART==x"));
    ASSERT_TRUE(DataCentre::applyPublishingExt(marked, QStringLiteral("htm\r\n")));
    EXPECT_EQ(readBytes(marked), QByteArray("a\n<!--PUBLISHEXTSTART==htm==PUBLISHEXTEND-->\n"
                                            "<!--PUBLISHEXTSTART==htm==PUBLISHEXTEND-->"));

    // Without the marker only line ends change.
    const QString unmarked = asciiPage(QStringLiteral("a\rb\r\nc\n"));
    ASSERT_TRUE(DataCentre::applyPublishingExt(unmarked, QStringLiteral("php")));
    EXPECT_EQ(readBytes(unmarked), QByteArray("a\nb\nc\n"));
}

TEST_F(MarkersTest, PublishExtReaderEdges)
{
    EXPECT_EQ(DataCentre::grabPublishExt(asciiPage(QStringLiteral("<!--PUBLISHEXTSTART==php"))), QString());
    // The end is the first one after the start.
    EXPECT_EQ(DataCentre::grabPublishExt(
                  asciiPage(QStringLiteral("==PUBLISHEXTEND--><!--PUBLISHEXTSTART==php==PUBLISHEXTEND-->"))),
              QStringLiteral("php"));
    EXPECT_EQ(
        DataCentre::grabPublishExt(asciiPage(QStringLiteral("<!--PUBLISHEXTSTART====PUBLISHEXTEND-->"))),
        QString());
}

TEST_F(MarkersTest, MarkerSwitches)
{
    using Apply = bool (*)(const QString&, qint32);
    using Grab = bool (*)(const QString&);
    const struct
    {
        Apply apply;
        Grab grab;
        const char* marker;
    } cases[] = {
        {DataCentre::applyDuplicateBaseTemplateFlag, DataCentre::grabDuplicateBaseTemplateStatusFlag,
         "<!--BASE TEMPLATE DUPLICATED-->"},
        {DataCentre::applyBaseTemplate, DataCentre::grabBaseTemplateStatusFlag, "<!--USE BASE TEMPLATE-->"},
        {DataCentre::applyInheritMetadata, DataCentre::grabInheritMetadataFlag, "<!--INHERIT METADATA-->"},
        {DataCentre::applyInheritCustomHeaderCode, DataCentre::grabInheritCustomHeadercodeFlag,
         "<!--INHERIT CUSTOM HEADER-->"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.marker);
        const QByteArray marker(c.marker);
        const QString path = asciiPage(QStringLiteral("</html>"));
        EXPECT_FALSE(c.grab(path));
        ASSERT_TRUE(c.apply(path, 1));
        ASSERT_TRUE(c.apply(path, 1));
        EXPECT_EQ(readBytes(path), "</html>\n" + marker + "\n" + marker);
        EXPECT_TRUE(c.grab(path));
        ASSERT_TRUE(c.apply(path, 2)); // anything but 1 clears
        EXPECT_EQ(readBytes(path), QByteArray("</html>\n\n"));
        EXPECT_FALSE(c.grab(path));
    }
}

TEST_F(MarkersTest, AppendAddsAfterABlankLine)
{
    const QString path = asciiPage(QStringLiteral("</html>"));
    ASSERT_TRUE(DataCentre::appendStringToFile(
        path, DataCentre::generateFullString(QStringLiteral("Anna"), QStringLiteral("name"))));
    EXPECT_EQ(readBytes(path), QByteArray("</html>\n\n<!====nameSTARTSTRING--Anna--nameENDSTRING====>"));
}

TEST_F(MarkersTest, RewritersNeverReplaceAPageTheyCannotRead)
{
    const QByteArray unreadable("ab\xff", 3);
    const QString path = page(unreadable);
    const QString missing = dir.path() + QStringLiteral("/missing.html");
    for (const QString& p : {path, missing}) {
        EXPECT_FALSE(DataCentre::applyPageTitle(p, QStringLiteral("T")));
        EXPECT_FALSE(DataCentre::applyPublishingExt(p, QStringLiteral("php")));
        EXPECT_FALSE(DataCentre::applyBaseTemplate(p, 1));
        EXPECT_FALSE(DataCentre::applyInheritMetadata(p, 0));
        EXPECT_FALSE(DataCentre::appendStringToFile(p, QStringLiteral("x")));
    }
    EXPECT_EQ(readBytes(path), unreadable);
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(MarkerStringsTest, MiddleStringAndSubstrings)
{
    const QString start = DataCentre::generateStartString(QStringLiteral("city"));
    const QString end = DataCentre::generateEndString(QStringLiteral("city"));
    EXPECT_EQ(start, QStringLiteral("<!====citySTARTSTRING--"));
    EXPECT_EQ(end, QStringLiteral("--cityENDSTRING====>"));
    EXPECT_EQ(DataCentre::grabMiddleString(start, end, QStringLiteral("x") + start + "Köln" + end),
              QStringLiteral("Köln"));
    EXPECT_EQ(DataCentre::grabMiddleString(start, end, start + QStringLiteral("no end")), QString());
    EXPECT_EQ(DataCentre::grabMiddleString(start, end, end + start + QStringLiteral("v")), QString());

    const struct
    {
        const char* s;
        qint32 index;
        const char* to;
        const char* from;
    } cases[] = {
        {"abcdef", 2, "ab", "cdef"},  {"abcdef", 6, "abcdef", ""}, {"abcdef", 9, "abcdef", ""},
        {"abcdef", -2, "abcdef", ""}, {"abcdef", 0, "", "abcdef"}, {"", 0, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.s) + " " + std::to_string(c.index));
        EXPECT_EQ(DataCentre::quibSubstringToIndex(QLatin1String(c.s), c.index), QLatin1String(c.to));
        EXPECT_EQ(DataCentre::quibSubstringFromIndex(QLatin1String(c.s), c.index), QLatin1String(c.from));
    }
}

TEST(FileNameCleanerTest, StrictAndFreeFormNames)
{
    const bool saved = edition().gFreeFormFileNamesFlag;
    const struct
    {
        bool freeForm;
        QString proposed;
        QString cleaned;
    } cases[] = {
        {false, "My Page 1.html", "MyPage1html"},
        {false, "Größe_a-b", "Gre_a-b"},
        {false, "../etc/passwd", "etcpasswd"},
        {false, "", ""},
        {true, "My Page 1.html", "MyPage1.html"},
        {true, "a+b$c=d|e^f~g", "abcdefg"},
        {true, "Привет мир!?", "Приветмир!?"},
        {true, "日本語_page.html", "日本語_page.html"},
        {true, "../../x", "x"},
        {true, "a/b:c\\d", "abcd"},
        {true, "..hidden", "hidden"},
        {true, " .x", "x"},
        {true, "tab\there\x01\x7f\u0085end", "tabhereend"},
        {true, QStringLiteral("no\u00A0break\u2028line"), "nobreakline"},
        {true, QStringLiteral("emoji😀ok"), "emojiok"},
        {true, QStringLiteral("un\u0378assigned"), "unassigned"},
        {true, QStringLiteral("half") + QChar(0xD800) + "pair", "halfpair"},
        {true, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.proposed.toStdString());
        edition().gFreeFormFileNamesFlag = c.freeForm;
        const QString cleaned = DataCentre::generateNewFileName(c.proposed);
        EXPECT_EQ(cleaned, c.cleaned);
        EXPECT_FALSE(cleaned.isNull());
    }
    edition().gFreeFormFileNamesFlag = saved;
}

} // namespace

TEST_F(MarkersTest, MarkerValuesReadBackExactlyThroughThePageReplacements)
{
    const QString name = QStringLiteral("Owner First Name");
    const QStringList values = {
        QStringLiteral("Anna"),
        QStringLiteral("ends in its own end --Owner First NameENDSTRING====> and more"),
        QStringLiteral("trailing dash -"),
        QStringLiteral("trailing equals ="),
        QStringLiteral("two\nlines\r\nand\u2028more"),
        QStringLiteral("<?php system('id'); ?> </title><script>x()</script>"),
        QStringLiteral("&amp; stays &amp;, & alone, &#61;"),
        QString::fromUtf8("“curly” ‘quotes’ — dash © 5€"),
        QStringLiteral("<!====Owner First NameSTARTSTRING--inner--Owner First NameENDSTRING====>"),
    };
    for (const QString& value : values) {
        SCOPED_TRACE(value.toStdString());
        // What a page holds: the marker after the page-wide replacements, after other text.
        const QString page = PageShell::replaceCharacterEntities(
            QStringLiteral("<html>\n</html>\n") + DataCentre::generateFullString(value, name) + u'\n');
        EXPECT_EQ(DataCentre::grabMiddleString(DataCentre::generateStartString(name),
                                               DataCentre::generateEndString(name), page),
                  value);
        // One line, and nothing of it can open PHP or a tag.
        const QString line = page.split(u'\n').at(2);
        EXPECT_EQ(page.count(u'\n'), 3);
        EXPECT_FALSE(line.mid(1).contains(u'<'));
        EXPECT_EQ(line.count(u'>'), 1);
    }
}

TEST_F(MarkersTest, OldMarkersWithRawValuesStillRead)
{
    const struct
    {
        const char* page;
        const char* start;
        const char* end;
        const char* value;
    } cases[] = {
        {"x\n<!--PAGETITLESTART==Tom & Jerry - a = b==PAGETITLEEND-->",
         "<!--PAGETITLESTART==", "==PAGETITLEEND-->", "Tom & Jerry - a = b"},
        {"<!--PAGETITLESTART==AT&T; 100% fun==PAGETITLEEND-->\n", "<!--PAGETITLESTART==", "==PAGETITLEEND-->",
         "AT&T; 100% fun"},
        // Older pages got "©" replaced inside the marker; it reads as the sign again.
        {"<!--PAGETITLESTART==&copy; Shop==PAGETITLEEND-->", "<!--PAGETITLESTART==", "==PAGETITLEEND-->",
         "\xC2\xA9 Shop"},
        {"<!====nameSTARTSTRING--Anna--nameENDSTRING====>", "<!====nameSTARTSTRING--", "--nameENDSTRING====>",
         "Anna"},
        // The marker that starts a line wins over one inside earlier text.
        {"<title><!--PAGETITLESTART==Fake==PAGETITLEEND--></"
         "title>\n<!--PAGETITLESTART==Real==PAGETITLEEND-->",
         "<!--PAGETITLESTART==", "==PAGETITLEEND-->", "Real"},
        {"no marker", "<!--PAGETITLESTART==", "==PAGETITLEEND-->", ""},
        {"<!--PAGETITLESTART==no end", "<!--PAGETITLESTART==", "==PAGETITLEEND-->", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        EXPECT_EQ(DataCentre::grabMiddleString(QLatin1String(c.start), QLatin1String(c.end),
                                               QString::fromUtf8(c.page)),
                  QString::fromUtf8(c.value));
    }
}
