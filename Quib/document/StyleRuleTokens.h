// The "key:value;" pairs of one graphic's style rule line as the page writer leaves them, with typed
// look-ups that fall back to a default. A saved page may come from a template, an import or someone
// else's hands, so a look-up never fails: an odd or missing pair gives the default.
#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

class StyleRuleTokens
{
public:
    StyleRuleTokens() = default;
    // The whole line of one rule (or of several rules written on one line; the first pair of a key
    // wins). Already prepared text (every separator turned into ":") is read as well.
    explicit StyleRuleTokens(const QString& ruleLine);

    // The line the tokens were read from.
    const QString& ruleLine() const { return m_ruleLine; }
    // The line with ";", "=" and "{" turned into ":" and "px", "#", double quotes and "}" removed.
    QString ruleText() const;
    // That text split at ":": the selector first, then keys and values.
    QStringList tokens() const { return ruleText().split(u':'); }
    QString selector() const { return tokens().value(0); }

    // True when a pair starts with the key. A key inside a longer one ("width" in "border-width"),
    // or a value that happens to spell a key ("position:fixed"), is not the key.
    bool hasKey(const QString& key) const;
    // The token after the key's first appearance as a key; nothing when the key is absent or has no
    // value token. The value "(null)" (a missing string, as the writer prints it) counts as absent.
    std::optional<QString> valueForKey(const QString& key) const;

    // Typed look-ups with a default for a key that is absent.
    QString parseForItemTypeString(const QString& key, const QString& nullValue) const;
    // Leading white space, a sign, then digits; a value that begins with no number gives 0.
    qint32 parseForItemTypeInt(const QString& key, qint32 nullValue) const;
    float parseForItemTypeFloat(const QString& key, float nullValue) const;
    // The real value truncated toward zero (the writer's flags and counts sometimes travel as reals).
    qint32 parseForItemTypeTruncated(const QString& key, qint32 nullValue) const;

private:
    // A token is a stretch of m_line without its surrounding blanks; pages hold hundreds of rules
    // of a hundred pairs each, so tokens are never copied out until a value is asked for.
    struct Token
    {
        qsizetype start = 0;
        qsizetype length = 0;
        bool isKey = false;
    };

    void append(qsizetype start, qsizetype end, bool isKey);
    void indexKeys();
    QStringView text(const Token& token) const { return QStringView(m_line).mid(token.start, token.length); }
    // The index of the key's first appearance as a key, or -1.
    qsizetype keyIndex(QStringView key) const;
    // The value token as valueForKey finds it, without copying it out.
    std::optional<QStringView> valueView(QStringView key) const;

    QString m_ruleLine;
    QString m_line;
    QList<Token> m_parsed;
    // Each key's first appearance as a key: token indexes (-1 for none) in a table whose size is a
    // power of two, placed by a hash of the key's text and found by probing onwards from there. A
    // page asks a hundred keys of each of thousands of rules, so this is kept plain.
    QList<qint32> m_keySlots;
};
