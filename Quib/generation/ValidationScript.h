// The script a form page runs before it submits: required fields filled, e-mail fields well formed,
// the bot checker's answer a number (whether it is the right sum only the server knows). Its
// comment lines also store the form's messages for reading back. Every text the author typed goes
// in as an escaped JavaScript string, so no value can end the string, the comment, its setting line
// or the script element.
#pragma once
#include <QList>
#include <QString>

class ValidationScript
{
public:
    struct Field
    {
        int formTag = 0;
        bool checkbox = false; // named "form<tag>[]", checked when any box of it is
    };

    struct Input
    {
        QString formName; // the form element's name (the page name)
        QList<Field> requiredFields;
        QList<int> emailFields;
        QList<int> botCheckerFields;
        QString formRedirectURL;
        QString formSubmitButtonValue;
        QString formRequiredResponse;
        QString formEmailVerificationMsg;
        QString formBotCheckerResponse;
        QString formSentResponse;
    };

    static QString build(const Input& input);

    // The inside of a JavaScript string literal (either quote): backslash, both quotes, line
    // breaks, "<", ">" and other control characters as escapes. The result holds no line break and
    // no "<" or ">", so it is also safe in a // comment of a script or of a PHP block.
    static QString escapeJavaScriptString(const QString& text);
    // A value of a settings comment line that ends in endMarker: escaped as above, and each place
    // where endMarker would appear has its first character as an escape, so the first endMarker
    // after the value is the line's own. decodeJavaScriptString reads it back.
    static QString escapeMarkerValue(const QString& value, const QString& endMarker);
    // Reads such a text back: the escapes above, \uXXXX and \xXX. A backslash before any other
    // character stands for that character.
    static QString decodeJavaScriptString(const QString& text);
};
