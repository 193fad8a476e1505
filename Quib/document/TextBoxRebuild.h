// Rebuilding text carriers from a saved page: a text box's carrier from its style rule, and the
// bodies of HTML snippets from the page's body lines.
#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class StyleRuleTokens;
class myTextView;

class TextBoxRebuild
{
public:
    TextBoxRebuild() = delete;

    // A complete text-box carrier (owned by parent) from the rule. pageName is the page being read
    // ("basetemplate" for the base template itself); on other pages an element of the base template
    // is locked against moving. A family that is not installed is added to notSupportedFonts (once)
    // and replaced by "Helvetica Neue". Missing keys take their defaults; nothing fails.
    static myTextView* generateATextView(const StyleRuleTokens& rule, const QString& pageName,
                                         bool usingBootStrap, QStringList* notSupportedFonts,
                                         QObject* parent = nullptr);

    // Fills each snippet carrier from the lines after its marker "<div class=<prefix><number>>": its
    // nlines body lines (the first one its link when containsLinkFlag is 1). numbers[k] is carrier
    // k's number (k itself when numbers is shorter). The body lines taken are removed from lines
    // (the marker lines stay). A carrier whose marker is missing gets no text; the others still do.
    static void grabTextContent(QStringList& lines, const QList<myTextView*>& carriers,
                                const QList<int>& numbers, const QString& prefix);
};
