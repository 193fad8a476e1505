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
    // Element content on one line: as escapeHtmlText, and line breaks and other control characters
    // as numeric entities (the title element).
    static QString escapeHtmlLine(const QString& text);
    // A quoted attribute value on one line: as escapeHtmlAttribute, and line breaks and other
    // control characters as numeric entities (the meta keywords and description, read by lines).
    static QString escapeHtmlAttributeLine(const QString& value);
    // A value inside a page-settings marker: "&", "<" and ">" as entities and
    // "=", line breaks, other control characters and the characters the page-wide replacements
    // would change (curly quotes, the dash) as numeric entities. The result holds no line break, no
    // "<", ">" or "=", so it can neither end an HTML comment nor open PHP nor hold an end marker
    // (each holds "==" or ">"). Text without those characters stays as it is.
    static QString escapeMarkerValue(const QString& value);
    // Reads such a value back exactly; old markers that hold raw text read as they were typed.
    static QString decodeMarkerValue(const QString& value);
    // An element id a click script may name in a selector: a letter, then letters, digits, "_"
    // or "-".
    static bool isSafeElementId(const QString& id);
    // A text value as it may stand in a style rule: without the characters that would end the
    // value, the rule or the style block (";", "{", "}", "<", ">", quotes, "\\", line breaks and
    // other control characters). A missing value is "".
    static QString cssRuleValue(const QString& value);
    // A name (an image's) as a value of a style rule: as cssRuleValue, but "\\" stays, as names of
    // older pages hold it (with nothing around it that ends the rule, it can end nothing itself).
    static QString cssRuleName(const QString& value);
    // A colour value of a style rule: six hex digits or "CLEAR0" as they stand, anything else "".
    static QString cssColourValue(const QString& value);
    // A name (an image's) as the value of a class attribute: as it stands where it is a plain
    // word of letters, digits, "_" and "-" (older pages write it unquoted), else quoted and escaped.
    static QString classAttribute(const QString& name);
    // A name as a class selector's identifier: letters, digits, "_", "-" and non-ASCII characters
    // stand as they are, any other character as a CSS escape ("\\3C ").
    static QString cssIdentifier(const QString& name);
    // A value as a double-quoted CSS string (inside url("...")): quotes, "\\", "<", ">" and
    // control characters as CSS escapes, so it can end neither the string nor the style block.
    static QString cssString(const QString& value);
    // Author text kept as a value of a saved style rule that must come back exactly (a section's
    // id): letters, digits, "-", "_" and "." stand as they are, every other character is written
    // as "%" and two hex digits per UTF-8 byte, and so is an "x" after a "p" (the reader drops
    // "px"). The result cannot end the value, the rule or the style block.
    static QString encodeRuleText(const QString& value);
    // Reads such a value back; values of older pages, written raw, read as they stand unless they
    // hold "%" and two hex digits.
    static QString decodeRuleText(const QString& value);
};
