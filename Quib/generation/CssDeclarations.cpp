#include "generation/CssDeclarations.h"

#include <QRegularExpression>

#include <functional>
#include <optional>

namespace {

// Decides for one declaration: nullopt keeps it, a text takes its place (with its ";").
using Edit = std::function<std::optional<QString>(const QString& property, const QString& value)>;

// End of the quoted string that starts at i (the index after its closing quote).
qsizetype skipQuoted(const QString& text, qsizetype i)
{
    const QChar quote = text.at(i);
    for (++i; i < text.size(); ++i) {
        if (text.at(i) == u'\\')
            ++i;
        else if (text.at(i) == quote)
            return i + 1;
    }
    return text.size();
}

// One declaration list ("a:1;b:2"): split at the ";" that stand outside quotes and brackets.
QString editList(const QString& list, const Edit& edit)
{
    QString out;
    out.reserve(list.size());
    qsizetype start = 0;
    int depth = 0;
    qsizetype i = 0;
    auto flush = [&](qsizetype end, bool withSemicolon) {
        const QString segment = list.mid(start, end - start);
        const qsizetype colon = segment.indexOf(u':');
        std::optional<QString> replacement;
        if (colon > 0) {
            const QString property = segment.left(colon).trimmed();
            const QString value = segment.mid(colon + 1).trimmed();
            replacement = edit(property, value);
        }
        if (replacement) {
            out += *replacement;
        } else {
            out += segment;
            if (withSemicolon)
                out += u';';
        }
        start = end + (withSemicolon ? 1 : 0);
    };
    while (i < list.size()) {
        const QChar c = list.at(i);
        if (c == u'"' || c == u'\'') {
            i = skipQuoted(list, i);
            continue;
        }
        if (c == u'(')
            ++depth;
        else if (c == u')' && depth > 0)
            --depth;
        else if (c == u';' && depth == 0) {
            flush(i, true);
        }
        ++i;
    }
    if (start < list.size())
        flush(list.size(), false);
    return out;
}

QString editRules(const QString& css, const Edit& edit)
{
    QString out;
    out.reserve(css.size());
    qsizetype i = 0;
    while (i < css.size()) {
        const qsizetype open = css.indexOf(u'{', i);
        if (open < 0) {
            out += css.mid(i);
            break;
        }
        out += css.mid(i, open + 1 - i);
        // The body runs to the next brace; an opening one means the text was a selector inside a
        // block such as @media, and the scan goes on from there.
        qsizetype j = open + 1;
        while (j < css.size() && css.at(j) != u'{' && css.at(j) != u'}') {
            if (css.at(j) == u'"' || css.at(j) == u'\'')
                j = skipQuoted(css, j);
            else
                ++j;
        }
        const QString body = css.mid(open + 1, j - open - 1);
        out += (j < css.size() && css.at(j) == u'}') ? editList(body, edit) : body;
        i = j;
    }
    return out;
}

QString editStyleAttributes(const QString& html, const Edit& edit)
{
    static const QRegularExpression attribute(QStringLiteral("\\bstyle\\s*=\\s*(['\"])"),
                                              QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype i = 0;
    QRegularExpressionMatchIterator it = attribute.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedStart() < i)
            continue;
        const qsizetype valueStart = m.capturedEnd();
        const qsizetype valueEnd = html.indexOf(m.captured(1), valueStart);
        if (valueEnd < 0)
            break;
        out += html.mid(i, valueStart - i);
        out += editList(html.mid(valueStart, valueEnd - valueStart), edit);
        i = valueEnd;
    }
    out += html.mid(i);
    return out;
}

QString apply(const QString& css, CssDeclarations::Scope scope, const Edit& edit)
{
    switch (scope) {
    case CssDeclarations::Scope::List:
        return editList(css, edit);
    case CssDeclarations::Scope::StyleAttributes:
        return editStyleAttributes(css, edit);
    case CssDeclarations::Scope::Rules:
        break;
    }
    return editRules(css, edit);
}

bool matches(const QString& property, const QString& value, const QString& wantedProperty,
             const QString& wantedValue)
{
    return property.compare(wantedProperty, Qt::CaseInsensitive) == 0 &&
           (wantedValue.isEmpty() || value == wantedValue.trimmed());
}

} // namespace

QString CssDeclarations::removeDeclaration(const QString& css, const QString& property, const QString& value,
                                           Scope scope)
{
    return replaceDeclaration(css, property, value, QStringLiteral(""), scope);
}

QString CssDeclarations::replaceDeclaration(const QString& css, const QString& property, const QString& value,
                                            const QString& replacement, Scope scope)
{
    return apply(css, scope, [&](const QString& p, const QString& v) -> std::optional<QString> {
        if (matches(p, v, property, value))
            return replacement;
        return std::nullopt;
    });
}

QString CssDeclarations::valueOf(const QString& css, const QString& property, Scope scope)
{
    QString found;
    apply(css, scope, [&](const QString& p, const QString& v) -> std::optional<QString> {
        if (found.isNull() && p.compare(property, Qt::CaseInsensitive) == 0)
            found = v;
        return std::nullopt;
    });
    return found;
}
