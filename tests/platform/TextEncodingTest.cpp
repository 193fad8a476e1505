#include "platform/TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

QByteArray bytes(std::initializer_list<unsigned char> list)
{
    QByteArray out;
    for (unsigned char c : list)
        out.append(static_cast<char>(c));
    return out;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeRaw(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

} // namespace

TEST(TextEncoding, PageTextDetection)
{
    const QString cafe = QString::fromUtf8("caf\xC3\xA9");
    const struct
    {
        const char* what;
        QByteArray data;
        std::optional<QString> text;
        TextEncoding encoding;
    } cases[] = {
        {"ascii", "<p>hi</p>\n", QStringLiteral("<p>hi</p>\n"), TextEncoding::ASCII},
        {"empty", "", QStringLiteral(""), TextEncoding::ASCII},
        {"utf-8 page with e-acute", "<p>caf\xC3\xA9</p>", "<p>" + cafe + "</p>", TextEncoding::UTF8},
        {"utf-8 with byte-order mark",
         "\xEF\xBB\xBF"
         "caf\xC3\xA9",
         cafe, TextEncoding::UTF8},
        {"utf-16 little-endian BOM", bytes({0xFF, 0xFE, 'c', 0, 'a', 0, 'f', 0, 0xE9, 0}), cafe,
         TextEncoding::UTF16},
        {"utf-16 big-endian BOM", bytes({0xFE, 0xFF, 0, 'c', 0, 'a', 0, 'f', 0, 0xE9}), cafe,
         TextEncoding::UTF16},
        {"utf-16 without BOM is big-endian", bytes({0, 'h', 0, 'i'}), QStringLiteral("hi"),
         TextEncoding::UTF16},
        {"utf-16 surrogate pair", bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}),
         QString::fromUtf8("\xF0\x9F\x98\x80"), TextEncoding::UTF16},
        {"latin-1 odd length", bytes({'c', 'a', 'f', 0xE9, '!'}), std::nullopt, TextEncoding::ASCII},
        {"unpaired surrogate", bytes({0xFE, 0xFF, 0xD8, 0x3D, 0, 'a'}), std::nullopt, TextEncoding::ASCII},
    };
    for (const auto& c : cases) {
        TextEncoding detected = TextEncoding::Windows1251;
        const auto text = decodePageText(c.data, &detected);
        EXPECT_EQ(text, c.text) << c.what;
        if (c.text) {
            EXPECT_EQ(detected, c.encoding) << c.what;
        }
    }
}

TEST(TextEncoding, StrictUtf8)
{
    const char* invalid[] = {
        "\xC3",             // truncated
        "\xC0\xAF",         // overlong "/"
        "\xE0\x80\xAF",     // overlong "/"
        "\xED\xA0\x80",     // surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "a\x80",            // stray continuation
    };
    for (const char* s : invalid)
        EXPECT_FALSE(decodeText(QByteArray(s), TextEncoding::UTF8).has_value())
            << QByteArray(s).toHex().constData();
    EXPECT_EQ(decodeText("\xE2\x82\xAC", TextEncoding::UTF8), QString(QChar(0x20AC)));
    EXPECT_FALSE(decodeText("caf\xC3\xA9", TextEncoding::ASCII).has_value());
}

// Long ASCII runs are checked a word at a time: a bad or non-ASCII byte at any offset of a word,
// and across a word's end, must still be found.
TEST(TextEncoding, ABadByteIsFoundAtEveryOffsetOfAnAsciiRun)
{
    for (int offset = 0; offset < 20; ++offset) {
        QByteArray text(24, 'x');
        text[offset] = '\x80';
        EXPECT_FALSE(decodeText(text, TextEncoding::UTF8).has_value()) << offset;
        EXPECT_FALSE(decodeText(text, TextEncoding::ASCII).has_value()) << offset;
        text.replace(offset, 1, "\xC3\xA9");
        EXPECT_EQ(decodeText(text, TextEncoding::UTF8),
                  QString(offset, u'x') + QChar(0xE9) + QString(23 - offset, u'x'))
            << offset;
        EXPECT_FALSE(decodeText(text, TextEncoding::ASCII).has_value()) << offset;
        text.truncate(offset + 1); // a lead byte with its continuation cut off
        EXPECT_FALSE(decodeText(text, TextEncoding::UTF8).has_value()) << offset;
    }
    EXPECT_EQ(decodeText(QByteArray(17, 'y'), TextEncoding::ASCII), QString(17, u'y'));
}

TEST(TextEncoding, Windows1251RefusesWhatItCannotHold)
{
    const QString cyrillic =
        QString::fromUtf8("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, 1!"); // "Привет, 1!"
    const auto encoded = encodeText(cyrillic, TextEncoding::Windows1251);
    ASSERT_TRUE(encoded.has_value());
    EXPECT_EQ(*encoded, bytes({0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2, ',', ' ', '1', '!'}));
    EXPECT_EQ(decodeText(*encoded, TextEncoding::Windows1251), cyrillic);

    EXPECT_FALSE(encodeText(QString::fromUtf8("caf\xC3\xA9"), TextEncoding::Windows1251).has_value());
    EXPECT_FALSE(
        encodeText(QString::fromUtf8("\xE2\x82\xAC\xE4\xB8\xAD"), TextEncoding::Windows1251).has_value());
    EXPECT_EQ(encodeText(QString(), TextEncoding::Windows1251), QByteArray());
    // 0x98 is the one byte the code page leaves undefined.
    EXPECT_FALSE(decodeText(bytes({'a', 0x98}), TextEncoding::Windows1251).has_value());
}

TEST(TextEncoding, Encoders)
{
    const QString cafe = QString::fromUtf8("caf\xC3\xA9");
    EXPECT_EQ(encodeText("plain", TextEncoding::ASCII), QByteArray("plain"));
    EXPECT_FALSE(encodeText(cafe, TextEncoding::ASCII).has_value());
    EXPECT_EQ(encodeText(cafe, TextEncoding::UTF8), QByteArray("caf\xC3\xA9"));
    EXPECT_EQ(encodeText(cafe, TextEncoding::UTF16), bytes({0xFF, 0xFE, 'c', 0, 'a', 0, 'f', 0, 0xE9, 0}));
    EXPECT_FALSE(encodeText(QString(QChar(0xD800)), TextEncoding::UTF8).has_value());

    EXPECT_TRUE(isAsciiLossless("abc"));
    EXPECT_FALSE(isAsciiLossless(cafe));
    EXPECT_EQ(encodeAsciiElseUtf16("abc"), QByteArray("abc"));
    EXPECT_EQ(encodeAsciiElseUtf16(cafe), *encodeText(cafe, TextEncoding::UTF16));
    // Whatever is written this way reads back as the same text.
    for (const QString& text : {QStringLiteral("abc"), cafe, QString::fromUtf8("\xF0\x9F\x98\x80 x")})
        EXPECT_EQ(decodePageText(encodeAsciiElseUtf16(text)), text);
}

TEST(TextEncoding, FilesAreReplacedWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("page.html");

    ASSERT_TRUE(writeFileAtomically(path, "old"));
    ASSERT_TRUE(writeFileAtomically(path, "<p>caf\xC3\xA9</p>"));
    TextEncoding detected = TextEncoding::ASCII;
    EXPECT_EQ(readPageTextFile(path, &detected), QString::fromUtf8("<p>caf\xC3\xA9</p>"));
    EXPECT_EQ(detected, TextEncoding::UTF8);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"page.html"}));
    EXPECT_FALSE(readPageTextFile(dir.filePath("missing.html")).has_value());

    // A target whose folder is really a file cannot be written; the file in the way is untouched.
    const QString blocker = dir.filePath("blocker");
    ASSERT_TRUE(writeRaw(blocker, "keep"));
    EXPECT_FALSE(writeFileAtomically(blocker + "/page.html", "new"));
    EXPECT_EQ(readAll(blocker), QByteArray("keep"));

    // A folder standing where the file should go is not replaced.
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    EXPECT_FALSE(writeFileAtomically(dir.filePath("sub"), "new"));
    EXPECT_TRUE(QFileInfo(dir.filePath("sub")).isDir());
}

TEST(TextEncoding, AWriteReplacesTheFileWholeAndAFailedOneKeepsTheOld)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath("locked");
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    const QString path = folder + "/page.html";
    ASSERT_TRUE(writeFileAtomically(path, "old"));

    // Written in place, a link taken before the write would see the new bytes; a new file renamed
    // over the name leaves the link with the old ones. This holds for every user, root included.
    const QString link = dir.filePath("link-to-page.html");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    struct stat before
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    struct stat after
    {
    };
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(readAll(path), QByteArray("new"));
    EXPECT_EQ(readAll(link), QByteArray("old"));
    EXPECT_NE(before.st_ino, after.st_ino);

    // A write that fails part-way (a file size limit binds root too) keeps the previous file.
    {
        struct rlimit saved
        {
        };
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 16;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = writeFileAtomically(path, QByteArray(4096, 'x'));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(written);
        EXPECT_EQ(readAll(path), QByteArray("new"));
        EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"page.html"}));
    }

    // Where folder permissions bind (not for root), a read-only folder refuses the write.
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0) {
        EXPECT_FALSE(writeFileAtomically(path, "newer"));
        EXPECT_EQ(readAll(path), QByteArray("new"));
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
