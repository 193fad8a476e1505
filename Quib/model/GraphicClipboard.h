// The clipboard form of graphics: a list of graphic property dictionaries in the project's own
// binary format. Nothing but the values a dictionary may hold is written (strings, booleans,
// integers, reals, byte arrays, dates, lists and string-keyed maps), and reading checks every
// length against the data, so foreign or damaged data is refused rather than half read.
//
//   magic "QuibGfx" 0x00, format version (one byte), then one value:
//   's' string (u32 byte length, UTF-8)   'b' bool (one byte 0/1)   'i' integer (i64)
//   'r' real (IEEE double)   'd' bytes (u32 length, bytes)   't' date (one byte valid, i64 ms UTC)
//   'l' list (u32 count, values)   'm' map (u32 count, then per entry a key as u32 + UTF-8 and a value)
// All numbers big-endian.
#pragma once
#include <QByteArray>
#include <QVariantList>

#include <optional>

class GraphicClipboard
{
public:
    static constexpr quint8 kFormatVersion = 1;
    static constexpr int kMaximumDepth = 32;

    // A value the format cannot hold (a carrier, a rectangle object ...) is left out with a warning.
    static QByteArray encode(const QVariantList& list);
    // The list in data, or nothing when data is not exactly one well-formed list of this format.
    static std::optional<QVariantList> decode(const QByteArray& data);
    // decode, and further every element a dictionary whose "className" names a registered graphic
    // class; otherwise nothing.
    static std::optional<QVariantList> decodeGraphicProperties(const QByteArray& data);
};
