// How the page writer puts user text into HTML, and how the page reader takes it back out. Every
// text that is not a snippet is escaped so that it reopens exactly as typed.
#pragma once
#include <QString>

class TextEscaping
{
public:
    // "&", "<" and ">" as entities: for element content.
    static QString escapeHtmlText(const QString& text);
    // "&", "<", ">", the double quote and "'" as entities: for a quoted attribute value.
    static QString escapeHtmlAttribute(const QString& value);
    // The value in double quotes, escaped: href="..." and the like.
    static QString quotedAttribute(const QString& value);
    // Undoes both escapes, plus the named and numeric entities the writer or older pages use
    // ("&amp;", "&lt;", "&gt;", "&quot;", "&#39;", "&#34;", "&nbsp;", "&euro;", "&#NNN;", "&#xHH;").
    // Unknown entities stay as they are.
    static QString decodeHtmlEntities(const QString& text);
    // An element id a click script may name in a selector: a letter, then letters, digits, "_"
    // or "-".
    static bool isSafeElementId(const QString& id);
    // A text value as it may stand in a style rule: without the characters that would end the
    // value, the rule or the style block (";", "{", "}", "<", ">", quotes, "\\", line breaks and
    // other control characters). A missing value is "".
    static QString cssRuleValue(const QString& value);
    // A colour value of a style rule: six hex digits or "CLEAR0" as they stand, anything else "".
    static QString cssColourValue(const QString& value);
};
