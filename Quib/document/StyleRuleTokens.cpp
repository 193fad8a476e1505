#include "document/StyleRuleTokens.h"

#include "platform/StringRules.h"

#include <cmath>
#include <limits>

namespace {

QString preparedRuleText(const QString& line)
{
    QString text = line;
    text.replace(u';', u':');
    text.replace(u'=', u':');
    text.replace(u'{', u':');
    text.remove(QStringLiteral("px"));
    text.remove(u'#');
    text.remove(u'"');
    text.remove(u'}');
    return text;
}

QString trimmedBlanks(const QString& s)
{
    qsizetype start = 0;
    qsizetype end = s.size();
    while (start < end && (s[start] == u' ' || s[start] == u'\t'))
        ++start;
    while (end > start && (s[end - 1] == u' ' || s[end - 1] == u'\t'))
        --end;
    return s.mid(start, end - start);
}

} // namespace

StyleRuleTokens::StyleRuleTokens(const QString& ruleLine)
{
    m_ruleText = preparedRuleText(ruleLine);
    m_tokens = m_ruleText.split(u':');

    QString line = ruleLine;
    line.remove(QStringLiteral("px"));
    line.remove(u'#');
    line.remove(u'"');

    const bool prepared =
        !line.contains(u';') && !line.contains(u'{') && !line.contains(u'}') && !line.contains(u'=');
    if (prepared) {
        // Text that was prepared already has lost its pair boundaries: keys and values alternate
        // after the selector.
        for (qsizetype i = 0; i < m_tokens.size(); ++i)
            m_parsed.append(Token{m_tokens[i], i > 0 && i % 2 == 1});
        return;
    }

    // Walk the line once: a selector runs up to "{" (it may hold ":" as in "a:visited"); inside a
    // rule ";" starts a new pair whose first token is the key, and ":" or "=" start a value token.
    enum class Mode { Selector, Key, Value };
    Mode mode = Mode::Selector;
    bool selectorHasBrace = false;
    auto ruleHasBrace = [&](qsizetype from) {
        for (qsizetype j = from; j < line.size(); ++j) {
            if (line[j] == u'{')
                return true;
            if (line[j] == u'}')
                return false;
        }
        return false;
    };
    selectorHasBrace = ruleHasBrace(0);
    QString current;
    auto flush = [&](Mode next) {
        m_parsed.append(Token{current, mode == Mode::Key});
        current.clear();
        mode = next;
    };
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'}') {
            flush(Mode::Selector);
            selectorHasBrace = ruleHasBrace(i + 1);
        } else if (c == u'{') {
            flush(Mode::Key);
        } else if (c == u';') {
            flush(mode == Mode::Selector ? Mode::Selector : Mode::Key);
        } else if (c == u':' || c == u'=') {
            if (mode == Mode::Selector)
                flush(selectorHasBrace ? Mode::Selector : Mode::Key);
            else
                flush(Mode::Value);
        } else {
            current.append(c);
        }
    }
    flush(mode);
}

bool StyleRuleTokens::hasKey(const QString& key) const
{
    for (const Token& token : m_parsed) {
        if (token.isKey && trimmedBlanks(token.text) == key)
            return true;
    }
    return false;
}

std::optional<QString> StyleRuleTokens::valueForKey(const QString& key) const
{
    for (qsizetype i = 0; i < m_parsed.size(); ++i) {
        if (!m_parsed[i].isKey || trimmedBlanks(m_parsed[i].text) != key)
            continue;
        // The first pair of the key decides, even when it has no value.
        if (i + 1 >= m_parsed.size() || m_parsed[i + 1].isKey)
            return std::nullopt;
        const QString value = trimmedBlanks(m_parsed[i + 1].text);
        if (value == QLatin1String("(null)"))
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

QString StyleRuleTokens::parseForItemTypeString(const QString& key, const QString& nullValue) const
{
    return valueForKey(key).value_or(nullValue);
}

qint32 StyleRuleTokens::parseForItemTypeInt(const QString& key, qint32 nullValue) const
{
    const std::optional<QString> value = valueForKey(key);
    return value ? platform::intValue(*value) : nullValue;
}

float StyleRuleTokens::parseForItemTypeFloat(const QString& key, float nullValue) const
{
    const std::optional<QString> value = valueForKey(key);
    if (!value)
        return nullValue;
    const float f = platform::floatValue(*value);
    return std::isfinite(f) ? f : nullValue;
}

qint32 StyleRuleTokens::parseForItemTypeTruncated(const QString& key, qint32 nullValue) const
{
    const std::optional<QString> value = valueForKey(key);
    if (!value)
        return nullValue;
    const double d = platform::doubleValue(*value);
    if (!std::isfinite(d))
        return nullValue;
    if (d >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (d <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(std::trunc(d));
}
