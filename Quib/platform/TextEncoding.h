// Reading and writing page text in the encodings pages are stored in.
#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

enum class TextEncoding { ASCII, UTF8, UTF16, Windows1251 };

// Page text: ASCII when every byte is ASCII, else UTF-8 when the bytes are valid UTF-8, else UTF-16
// (byte-order mark honoured, big-endian without one). nullopt when none of these decodes.
std::optional<QString> decodePageText(const QByteArray& bytes, TextEncoding* detected = nullptr);
// Strict decoding in one encoding; nullopt when the bytes are not valid in it.
std::optional<QString> decodeText(const QByteArray& bytes, TextEncoding encoding);
// Encodes text; nullopt when the encoding cannot represent it (never a lossy or empty result).
// UTF16 writes a byte-order mark (little-endian).
std::optional<QByteArray> encodeText(const QString& text, TextEncoding encoding);
// ASCII when lossless, else UTF-16 with a byte-order mark: the rule for rewritten page files.
QByteArray encodeAsciiElseUtf16(const QString& text);
bool isAsciiLossless(const QString& text);

// Whole-file helpers. readPageTextFile: nullopt when the file cannot be read or decoded.
std::optional<QString> readPageTextFile(const QString& path, TextEncoding* detected = nullptr);
// Writes through a temporary file beside the target and renames it over; false on any failure,
// and then the previous file is left as it was.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace platform
