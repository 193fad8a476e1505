#include "platform/Format.h"

#include "platform/Geometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace platform {

FormatArg::FormatArg(const QString& v)
{
    if (!v.isNull()) {
        m_kind = Kind::String;
        m_string = v;
    }
}

FormatArg::FormatArg(const char* utf8)
{
    if (utf8) {
        m_kind = Kind::String;
        m_string = QString::fromUtf8(utf8);
    }
}

FormatArg::FormatArg(const std::optional<QString>& v) : FormatArg(v ? *v : QString()) {}

long long FormatArg::signedValue() const
{
    switch (m_kind) {
    case Kind::Signed:
        return m_signed;
    case Kind::Unsigned:
        return static_cast<long long>(m_unsigned);
    case Kind::Real:
        return truncToInt64(m_real);
    default:
        return 0;
    }
}

unsigned long long FormatArg::unsignedValue() const
{
    switch (m_kind) {
    case Kind::Signed:
        return static_cast<unsigned long long>(m_signed);
    case Kind::Unsigned:
        return m_unsigned;
    case Kind::Real:
        return static_cast<unsigned long long>(truncToInt64(m_real));
    default:
        return 0;
    }
}

double FormatArg::realValue() const
{
    switch (m_kind) {
    case Kind::Signed:
        return static_cast<double>(m_signed);
    case Kind::Unsigned:
        return static_cast<double>(m_unsigned);
    case Kind::Real:
        return m_real;
    default:
        return 0;
    }
}

QString FormatArg::description() const
{
    switch (m_kind) {
    case Kind::Signed:
        return QString::number(m_signed);
    case Kind::Unsigned:
        return QString::number(m_unsigned);
    case Kind::Real:
        return m_single ? numberDescription(static_cast<float>(m_real)) : numberDescription(m_real);
    case Kind::String:
        return m_string;
    default:
        return QStringLiteral("(null)");
    }
}

namespace {

template <class T> QString shortest(T value)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return QString::fromLatin1(buf, res.ptr - buf);
}

struct Directive
{
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    int width = 0;
    int precision = -1;
    int longs = 0; // number of 'l' (or q / z) modifiers: selects 32- or 64-bit unsigned wrap
};

std::string fixed(double value, int precision)
{
    // Enough for the widest double in fixed notation plus the requested fraction.
    std::vector<char> buf(static_cast<size_t>(precision) + 400);
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, precision);
    return std::string(buf.data(), res.ptr);
}

// Applies sign, precision (minimum digits), zero padding and width to a digit string.
QString padNumber(const Directive& directive, bool negative, std::string digits, bool integral,
                  bool finite = true)
{
    if (integral && directive.precision >= 0) {
        if (directive.precision == 0 && digits == "0")
            digits.clear();
        while (static_cast<int>(digits.size()) < directive.precision)
            digits.insert(digits.begin(), '0');
    }
    std::string sign;
    if (negative)
        sign = "-";
    else if (directive.plus)
        sign = "+";
    else if (directive.space)
        sign = " ";
    const bool zeroPad =
        directive.zero && !directive.left && finite && !(integral && directive.precision >= 0);
    const int len = static_cast<int>(sign.size() + digits.size());
    if (len < directive.width) {
        const std::string pad(directive.width - len, zeroPad ? '0' : ' ');
        if (directive.left)
            digits += pad;
        else if (zeroPad)
            digits = pad + digits;
        else
            sign = pad + sign;
    }
    return QString::fromLatin1(sign + digits);
}

QString padText(const Directive& directive, QString text)
{
    if (text.size() < directive.width) {
        const QString pad(directive.width - text.size(), QLatin1Char(' '));
        text = directive.left ? text + pad : pad + text;
    }
    return text;
}

std::string unsignedDigits(unsigned long long v, int base, bool upper)
{
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v, base);
    std::string s(buf, res.ptr);
    if (upper)
        for (char& c : s)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    return s;
}

} // namespace

QString numberDescription(double value)
{
    return shortest(value);
}

QString numberDescription(float value)
{
    return shortest(value);
}

namespace {

QString formatWith(const QString& tmpl, std::initializer_list<FormatArg> args, bool nilAsEmpty)
{
    static const FormatArg nil(nullptr);
    auto next = args.begin();
    auto take = [&]() -> const FormatArg& { return next == args.end() ? nil : *next++; };

    QString out;
    out.reserve(tmpl.size() + 16);
    const qsizetype n = tmpl.size();
    qsizetype i = 0;
    while (i < n) {
        // The text up to the next directive, in one piece.
        const qsizetype percent = tmpl.indexOf(QLatin1Char('%'), i);
        const qsizetype literalEnd = percent < 0 ? n : percent;
        out += QStringView(tmpl).mid(i, literalEnd - i);
        i = literalEnd;
        if (i >= n)
            break;
        const qsizetype start = i++;
        Directive directive;
        for (; i < n; ++i) {
            const char f = tmpl.at(i).toLatin1();
            if (f == '-')
                directive.left = true;
            else if (f == '+')
                directive.plus = true;
            else if (f == ' ')
                directive.space = true;
            else if (f == '0')
                directive.zero = true;
            else if (f != '#')
                break;
        }
        for (; i < n && tmpl.at(i).isDigit() && tmpl.at(i).unicode() < 0x80; ++i)
            directive.width = std::min(directive.width * 10 + (tmpl.at(i).unicode() - '0'), 4096);
        if (i < n && tmpl.at(i) == QLatin1Char('.')) {
            ++i;
            directive.precision = 0;
            for (; i < n && tmpl.at(i).isDigit() && tmpl.at(i).unicode() < 0x80; ++i)
                directive.precision = std::min(directive.precision * 10 + (tmpl.at(i).unicode() - '0'), 4096);
        }
        for (; i < n; ++i) {
            const char m = tmpl.at(i).toLatin1();
            if (m == 'l' || m == 'q' || m == 'z' || m == 't' || m == 'j')
                directive.longs += (m == 'l') ? 1 : 2;
            else if (m != 'h' && m != 'L')
                break;
        }
        if (i >= n) {
            out += tmpl.mid(start);
            break;
        }
        const char conv = tmpl.at(i).toLatin1();
        ++i;
        switch (conv) {
        case '%':
            out += QLatin1Char('%');
            break;
        case 'd':
        case 'i': {
            const FormatArg& a = take();
            if (a.kind() == FormatArg::Kind::Unsigned) {
                out += padNumber(directive, false, unsignedDigits(a.unsignedValue(), 10, false), true);
                break;
            }
            const long long v = a.signedValue();
            const unsigned long long magnitude =
                v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
            out += padNumber(directive, v < 0, unsignedDigits(magnitude, 10, false), true);
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            unsigned long long v = take().unsignedValue();
            // Without a long modifier a negative value wraps at 32 bits, as the C conventions do.
            if (directive.longs == 0)
                v &= 0xFFFFFFFFULL;
            const int base = conv == 'u' ? 10 : 16;
            out += padNumber(directive, false, unsignedDigits(v, base, conv == 'X'), true);
            break;
        }
        case 'f': {
            const double v = take().realValue();
            const int precision = directive.precision < 0 ? 6 : directive.precision;
            if (std::isnan(v)) {
                out += padNumber(directive, false, "nan", false, false);
            } else if (std::isinf(v)) {
                out += padNumber(directive, v < 0, "inf", false, false);
            } else {
                std::string s = fixed(std::fabs(v), precision);
                out += padNumber(directive, std::signbit(v), s, false);
            }
            break;
        }
        case '@': {
            const FormatArg& a = take();
            QString text = nilAsEmpty && a.isNil() ? QStringLiteral("") : a.description();
            if (directive.precision >= 0 && text.size() > directive.precision)
                text.truncate(directive.precision);
            out += padText(directive, text);
            break;
        }
        default:
            out += tmpl.mid(start, i - start);
            break;
        }
    }
    return out;
}

} // namespace

QString format(const QString& tmpl, std::initializer_list<FormatArg> args)
{
    return formatWith(tmpl, args, false);
}

QString formatText(const QString& tmpl, std::initializer_list<FormatArg> args)
{
    return formatWith(tmpl, args, true);
}

} // namespace platform
