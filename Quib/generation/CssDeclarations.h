// Edits CSS one whole declaration at a time. A declaration is found by its property name, never as a
// piece of text, so removing "left:10px" leaves "padding-left:10px" alone. Everything that is not
// edited stays byte for byte as it was.
#pragma once
#include <QString>

class CssDeclarations
{
public:
    CssDeclarations() = delete;

    // Where the declarations are: inside the braces of rules (".a{left:1px;}.b{...}"), a bare list
    // as in a style attribute ("left:1px;top:2px"), or the style attributes of an HTML text.
    enum class Scope { Rules, List, StyleAttributes };

    // Removes every declaration with this property (case-insensitive) whose value equals value
    // (blanks around it ignored). An empty value matches any value.
    static QString removeDeclaration(const QString& css, const QString& property, const QString& value,
                                     Scope scope = Scope::Rules);
    // Replaces every such declaration, with its ";", by replacement (one or more whole declarations,
    // each ending in ";"; empty removes it).
    static QString replaceDeclaration(const QString& css, const QString& property, const QString& value,
                                      const QString& replacement, Scope scope = Scope::Rules);
    // The value of the first declaration with this property; null when there is none.
    static QString valueOf(const QString& css, const QString& property, Scope scope = Scope::Rules);
};
