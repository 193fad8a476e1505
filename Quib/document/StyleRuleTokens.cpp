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

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// FNV-1a over the UTF-16 units: keys are a few ASCII letters, where this is quick and spreads well.
quint32 keyHash(QStringView key)
{
    quint32 hash = 2166136261u;
    for (const QChar c : key) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

QString StyleRuleTokens::ruleText() const
{
    return preparedRuleText(m_ruleLine);
}

void StyleRuleTokens::append(qsizetype start, qsizetype end, bool isKey)
{
    const QChar* line = m_line.constData();
    while (start < end && isBlank(line[start]))
        ++start;
    while (end > start && isBlank(line[end - 1]))
        --end;
    m_parsed.append(Token{start, end - start, isKey});
}

StyleRuleTokens::StyleRuleTokens(const QString& ruleLine) : m_ruleLine(ruleLine)
{
    // "px" (each left to right, as a plain removal finds them), "#" and double quotes go in one
    // pass, which also counts the separators and notes the characters that mark unprepared text:
    // a page has thousands of these lines.
    const qsizetype ruleSize = ruleLine.size();
    m_line.resize(ruleSize);
    const QChar* in = ruleLine.constData();
    QChar* const begin = m_line.data();
    QChar* out = begin;
    qsizetype separators = 0;
    bool prepared = true;
    for (qsizetype i = 0; i < ruleSize; ++i) {
        const char16_t c = in[i].unicode();
        switch (c) {
        case u'p':
            if (i + 1 < ruleSize && in[i + 1] == u'x') {
                ++i;
                continue;
            }
            break;
        case u'#':
        case u'"':
            continue;
        case u';':
            prepared = false;
            ++separators;
            break;
        case u':':
            ++separators;
            break;
        case u'{':
        case u'}':
        case u'=':
            prepared = false;
            break;
        default:
            break;
        }
        *out++ = QChar(c);
    }
    m_line.truncate(out - begin);
    const QString& line = m_line;
    const qsizetype size = line.size();
    m_parsed.reserve(separators + 2);

    if (prepared) {
        // Text that was prepared already has lost its pair boundaries: keys and values alternate
        // after the selector.
        qsizetype from = 0;
        for (qsizetype i = 0;; ++i) {
            const qsizetype colon = line.indexOf(u':', from);
            const qsizetype end = colon < 0 ? size : colon;
            append(from, end, i > 0 && i % 2 == 1);
            if (colon < 0)
                break;
            from = colon + 1;
        }
        indexKeys();
        return;
    }

    // Walk the line once: a selector runs up to "{" (it may hold ":" as in "a:visited"); inside a
    // rule ";" starts a new pair whose first token is the key, and ":" or "=" start a value token.
    enum class Mode { Selector, Key, Value };
    Mode mode = Mode::Selector;
    const QChar* chars = line.constData();
    // Whether a "{" comes before the next "}" from `from` on; the answer holds until that brace.
    auto ruleHasBrace = [&](qsizetype from) {
        for (qsizetype j = from; j < size; ++j) {
            if (chars[j] == u'{')
                return true;
            if (chars[j] == u'}')
                return false;
        }
        return false;
    };
    bool selectorHasBrace = ruleHasBrace(0);
    qsizetype tokenStart = 0;
    auto flush = [&](qsizetype at, Mode next) {
        append(tokenStart, at, mode == Mode::Key);
        tokenStart = at + 1;
        mode = next;
    };
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = chars[i];
        if (c == u'}') {
            flush(i, Mode::Selector);
            selectorHasBrace = ruleHasBrace(i + 1);
        } else if (c == u'{') {
            flush(i, Mode::Key);
        } else if (c == u';') {
            flush(i, mode == Mode::Selector ? Mode::Selector : Mode::Key);
        } else if (c == u':' || c == u'=') {
            if (mode == Mode::Selector)
                flush(i, selectorHasBrace ? Mode::Selector : Mode::Key);
            else
                flush(i, Mode::Value);
        }
    }
    append(tokenStart, size, mode == Mode::Key);
    indexKeys();
}

void StyleRuleTokens::indexKeys()
{
    qsizetype keys = 0;
    for (const Token& token : std::as_const(m_parsed))
        keys += token.isKey;
    if (keys == 0)
        return;
    // At most half full, so a probe soon meets an empty slot.
    qsizetype size = 16;
    while (size < 2 * keys)
        size *= 2;
    m_keySlots.fill(-1, size);
    const quint32 mask = quint32(size - 1);
    for (qsizetype i = 0; i < m_parsed.size(); ++i) {
        if (!m_parsed[i].isKey)
            continue;
        const QStringView key = text(m_parsed[i]);
        for (quint32 slot = keyHash(key) & mask;; slot = (slot + 1) & mask) {
            const qint32 held = m_keySlots[slot];
            if (held < 0) {
                m_keySlots[slot] = qint32(i);
                break;
            }
            if (text(m_parsed[held]) == key)
                break; // the first appearance stays
        }
    }
}

qsizetype StyleRuleTokens::keyIndex(QStringView key) const
{
    if (m_keySlots.isEmpty())
        return -1;
    const quint32 mask = quint32(m_keySlots.size() - 1);
    for (quint32 slot = keyHash(key) & mask;; slot = (slot + 1) & mask) {
        const qint32 held = m_keySlots[slot];
        if (held < 0)
            return -1;
        if (text(m_parsed[held]) == key)
            return held;
    }
}

std::optional<QStringView> StyleRuleTokens::valueView(QStringView key) const
{
    const qsizetype i = keyIndex(key);
    // The first pair of the key decides, even when it has no value.
    if (i < 0 || i + 1 >= m_parsed.size() || m_parsed[i + 1].isKey)
        return std::nullopt;
    const QStringView value = text(m_parsed[i + 1]);
    if (value == QLatin1String("(null)"))
        return std::nullopt;
    return value;
}

bool StyleRuleTokens::hasKey(const QString& key) const
{
    return keyIndex(key) >= 0;
}

std::optional<QString> StyleRuleTokens::valueForKey(const QString& key) const
{
    const std::optional<QStringView> value = valueView(key);
    return value ? std::optional<QString>(value->toString()) : std::nullopt;
}

QString StyleRuleTokens::parseForItemTypeString(const QString& key, const QString& nullValue) const
{
    return valueForKey(key).value_or(nullValue);
}

qint32 StyleRuleTokens::parseForItemTypeInt(const QString& key, qint32 nullValue) const
{
    const std::optional<QStringView> value = valueView(key);
    return value ? platform::intValue(*value) : nullValue;
}

float StyleRuleTokens::parseForItemTypeFloat(const QString& key, float nullValue) const
{
    const std::optional<QStringView> value = valueView(key);
    if (!value)
        return nullValue;
    const float f = platform::floatValue(*value);
    return std::isfinite(f) ? f : nullValue;
}

qint32 StyleRuleTokens::parseForItemTypeTruncated(const QString& key, qint32 nullValue) const
{
    const std::optional<QStringView> value = valueView(key);
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
