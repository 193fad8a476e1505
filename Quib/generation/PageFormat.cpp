#include "generation/PageFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace generation {

namespace {

using platform::FormatArg;

// The room a number takes at most: 20 digits and a sign, or a fixed double of up to 309 digits
// before the point and six after it.
constexpr qsizetype kNumberRoom = 24;

bool isPlain(char16_t conversion)
{
    return conversion == u'd' || conversion == u'@' || conversion == u'f' || conversion == u'%';
}

void appendLatin1(QString& out, const char* begin, const char* end)
{
    out += QLatin1StringView(begin, end - begin);
}

void appendSigned(QString& out, const FormatArg& arg)
{
    char buffer[32];
    const auto result = arg.kind() == FormatArg::Kind::Unsigned
                            ? std::to_chars(buffer, buffer + sizeof buffer, arg.unsignedValue())
                            : std::to_chars(buffer, buffer + sizeof buffer, arg.signedValue());
    appendLatin1(out, buffer, result.ptr);
}

void appendFixed(QString& out, double value)
{
    if (std::isnan(value)) {
        out += QLatin1StringView("nan");
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? QLatin1StringView("-inf") : QLatin1StringView("inf");
        return;
    }
    // The sign of -0.0 is printed too, as printf prints it.
    char buffer[400];
    char* start = buffer;
    if (std::signbit(value))
        *start++ = '-';
    const auto result =
        std::to_chars(start, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed, 6);
    appendLatin1(out, buffer, result.ptr);
}

} // namespace

void appendFormat(QString& out, const QString& tmpl, std::initializer_list<FormatArg> args)
{
    const QStringView text(tmpl);
    const qsizetype n = text.size();
    const qsizetype start = out.size();
    const qsizetype room = n + kNumberRoom * qsizetype(args.size());
    // Grown by doubling: writers append thousands of rules to one text.
    if (out.capacity() - start < room)
        out.reserve(std::max(start + room, 2 * out.capacity()));

    static const FormatArg nil(nullptr);
    auto next = args.begin();
    auto take = [&]() -> const FormatArg& { return next == args.end() ? nil : *next++; };
    qsizetype literal = 0;
    for (qsizetype i = text.indexOf(u'%'); i >= 0; i = text.indexOf(u'%', literal)) {
        if (i + 1 >= n || !isPlain(text[i + 1].unicode())) {
            // Flags, widths and the other directives: the general formatter, from the start.
            out.truncate(start);
            out += platform::formatText(tmpl, args);
            return;
        }
        out += text.mid(literal, i - literal);
        const char16_t conversion = text[i + 1].unicode();
        literal = i + 2;
        switch (conversion) {
        case u'd':
            appendSigned(out, take());
            break;
        case u'f':
            appendFixed(out, take().realValue());
            break;
        case u'@': {
            const FormatArg& arg = take();
            if (!arg.isNil())
                out += arg.description();
            break;
        }
        default:
            out += u'%';
            break;
        }
    }
    out += text.mid(literal);
}

QString format(const QString& tmpl, std::initializer_list<FormatArg> args)
{
    QString out;
    appendFormat(out, tmpl, args);
    return out;
}

} // namespace generation
