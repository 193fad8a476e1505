#include "platform/TextEncoding.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <vector>

namespace platform {

namespace {

// The length of the ASCII run at the start of p[0, n), eight bytes at a time: page text is mostly
// ASCII, and a long page is megabytes of it.
qsizetype asciiPrefix(const unsigned char* p, qsizetype n)
{
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
    }
    while (i < n && p[i] < 0x80)
        ++i;
    return i;
}

bool isAscii(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    return asciiPrefix(p, bytes.size()) == bytes.size();
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        int extra;
        char32_t cp;
        if (c < 0x80) {
            i += asciiPrefix(p + i, n - i);
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = p[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

bool hasUnpairedSurrogate(const QString& text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate()) {
            if (i + 1 >= n || !text.at(i + 1).isLowSurrogate())
                return true;
            ++i;
        } else if (c.isLowSurrogate()) {
            return true;
        }
    }
    return false;
}

std::optional<QString> decodeUtf16(const QByteArray& bytes)
{
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    qsizetype i = 0;
    bool little = false; // big-endian unless a byte-order mark says otherwise
    if (bytes.size() >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
        little = true;
        i = 2;
    } else if (bytes.size() >= 2 && p[0] == 0xFE && p[1] == 0xFF) {
        i = 2;
    }
    QString text;
    text.reserve((bytes.size() - i) / 2);
    for (; i < bytes.size(); i += 2) {
        const char16_t u = little ? char16_t(p[i] | (p[i + 1] << 8)) : char16_t((p[i] << 8) | p[i + 1]);
        text += QChar(u);
    }
    if (hasUnpairedSurrogate(text))
        return std::nullopt;
    return text;
}

// Little-endian code units behind a byte-order mark.
QByteArray utf16WithBom(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(2 + text.size() * 2);
    bytes.append(char(0xFF)).append(char(0xFE));
    for (const QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    return bytes;
}

// Runs bytes through iconv; nullopt on any unconvertible or invalid input.
std::optional<QByteArray> convert(const char* to, const char* from, const QByteArray& input,
                                  qsizetype maxGrowth)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::vector<char> out(static_cast<size_t>(input.size() * maxGrowth + 16));
    char* in = const_cast<char*>(input.constData());
    size_t inLeft = static_cast<size_t>(input.size());
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    const bool ok = rc != static_cast<size_t>(-1) && inLeft == 0 &&
                    iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    return QByteArray(out.data(), static_cast<qsizetype>(outPtr - out.data()));
}

} // namespace

std::optional<QString> decodeText(const QByteArray& bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::ASCII:
        if (!isAscii(bytes))
            return std::nullopt;
        return QString::fromLatin1(bytes);
    case TextEncoding::UTF8: {
        if (!isValidUtf8(bytes))
            return std::nullopt;
        QString text = QString::fromUtf8(bytes);
        // A byte-order mark some editors put in front is not part of the text.
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    case TextEncoding::UTF16:
        return decodeUtf16(bytes);
    case TextEncoding::Windows1251: {
        const auto utf8 = convert("UTF-8", "WINDOWS-1251", bytes, 3);
        if (!utf8)
            return std::nullopt;
        return QString::fromUtf8(*utf8);
    }
    }
    return std::nullopt;
}

std::optional<QString> decodePageText(const QByteArray& bytes, TextEncoding* detected)
{
    // Page text never holds NUL; bytes that do are UTF-16 whose characters happen to be ASCII.
    const bool hasNul = bytes.contains('\0');
    for (const TextEncoding encoding : {TextEncoding::ASCII, TextEncoding::UTF8, TextEncoding::UTF16}) {
        if (hasNul && encoding != TextEncoding::UTF16)
            continue;
        if (auto text = decodeText(bytes, encoding)) {
            if (detected)
                *detected = encoding;
            return text;
        }
    }
    return std::nullopt;
}

bool isAsciiLossless(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding)
{
    if (hasUnpairedSurrogate(text))
        return std::nullopt;
    switch (encoding) {
    case TextEncoding::ASCII:
        if (!isAsciiLossless(text))
            return std::nullopt;
        return text.toLatin1();
    case TextEncoding::UTF8:
        return text.toUtf8();
    case TextEncoding::UTF16:
        return utf16WithBom(text);
    case TextEncoding::Windows1251:
        return convert("WINDOWS-1251", "UTF-8", text.toUtf8(), 1);
    }
    return std::nullopt;
}

QByteArray encodeAsciiElseUtf16(const QString& text)
{
    if (isAsciiLossless(text))
        return text.toLatin1();
    // Unpaired surrogates are kept as they stand rather than dropping text.
    return utf16WithBom(text);
}

std::optional<QString> readPageTextFile(const QString& path, TextEncoding* detected)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodePageText(bytes, detected);
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Never fall back to writing the target in place: a failure must leave the old file whole.
    file.setDirectWriteFallback(false);
    // Unbuffered, so a short write (disk full, file size limit) shows in write()'s count here; a
    // buffered one fails inside commit(), which then still renames the cut-off file into place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace platform
