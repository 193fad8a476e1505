// printf-style formatting of output templates, independent of the process locale.
#pragma once
#include <QString>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <utility>

namespace platform {

// One argument of a template. Nil (nullptr, a null QString, an empty optional) prints "(null)"
// for %@ and 0 for the numeric directives.
class FormatArg
{
public:
    enum class Kind { Nil, Signed, Unsigned, Real, String };

    FormatArg(int v) : m_kind(Kind::Signed), m_signed(v) {}
    FormatArg(long v) : m_kind(Kind::Signed), m_signed(v) {}
    FormatArg(long long v) : m_kind(Kind::Signed), m_signed(v) {}
    FormatArg(unsigned v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    FormatArg(unsigned long v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    FormatArg(unsigned long long v) : m_kind(Kind::Unsigned), m_unsigned(v) {}
    FormatArg(double v) : m_kind(Kind::Real), m_real(v) {}
    // Promoted to double as a variadic call would; %@ still describes it at single precision.
    FormatArg(float v) : m_kind(Kind::Real), m_real(v), m_single(true) {}
    FormatArg(bool v) : m_kind(Kind::Signed), m_signed(v ? 1 : 0) {}
    FormatArg(const QString& v);
    FormatArg(const char* utf8);
    FormatArg(std::nullptr_t) {}
    FormatArg(const std::optional<QString>& v);
    // Any other pointer would silently become a bool.
    template <class T> FormatArg(const T*) = delete;

    Kind kind() const { return m_kind; }
    bool isNil() const { return m_kind == Kind::Nil; }
    long long signedValue() const;
    unsigned long long unsignedValue() const;
    double realValue() const;
    // The text %@ prints: the string, a number's description, or "(null)".
    QString description() const;

private:
    Kind m_kind = Kind::Nil;
    long long m_signed = 0;
    unsigned long long m_unsigned = 0;
    double m_real = 0;
    bool m_single = false;
    QString m_string;
};

// Formats tmpl with the directives %d %i %u %x %X %f %@ %% (flags "-+ 0", width, precision and the
// length modifiers h, l, ll, q, z are accepted). "." is the decimal point whatever the locale.
// Missing arguments print as nil; an unknown directive is copied as it stands.
QString format(const QString& tmpl, std::initializer_list<FormatArg> args = {});

// As format, but a missing string prints as nothing: the rule of generated page text, in which
// "(null)" would end a CSS rule early or become a visible word.
QString formatText(const QString& tmpl, std::initializer_list<FormatArg> args = {});

template <class... A> QString formatv(const QString& tmpl, A&&... a)
{
    return format(tmpl, {FormatArg(std::forward<A>(a))...});
}

// Shortest text that reads back as the same double ("0.5", "30", "1e+20").
QString numberDescription(double value);
QString numberDescription(float value);

} // namespace platform
