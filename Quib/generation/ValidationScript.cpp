#include "generation/ValidationScript.h"

#include "generation/PageFormat.h"
#include "platform/Format.h"

using generation::format;

namespace {

const QString kEmailTest = QStringLiteral(
    R"(function validateEmail(email)
{ var re = /^(([^<>()[\]\\.,;:\s@\"]+(\.[^<>()[\]\.,;:\s@\"]+)*)|(".+"))@(([[0-9]{1,3}\.[0-9]{1,3}\.[0-9]{1,3}\.[0-9]{1,3}\])|(([a-zA-Z\-0-9]+\.)+[a-zA-Z]{2,}))$/;
return re.test(email);
}
)");

QString js(const QString& value)
{
    return ValidationScript::escapeJavaScriptString(value);
}

QString marker(const QString& value, const char* endMarker)
{
    return ValidationScript::escapeMarkerValue(value, QLatin1String(endMarker));
}

} // namespace

QString ValidationScript::escapeJavaScriptString(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\'':
            out += QStringLiteral("\\'");
            break;
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '<':
            out += QStringLiteral("\\u003C");
            break;
        case '>':
            out += QStringLiteral("\\u003E");
            break;
        case 0x2028:
        case 0x2029:
        case 0x85:
            out += format(QStringLiteral("\\u%04X"), {unsigned(c.unicode())});
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                out += format(QStringLiteral("\\u%04X"), {unsigned(c.unicode())});
            else
                out += c;
        }
    }
    return out;
}

QString ValidationScript::escapeMarkerValue(const QString& value, const QString& endMarker)
{
    QString out = escapeJavaScriptString(value);
    if (endMarker.isEmpty())
        return out;
    const QString first = format(QStringLiteral("\\u%04X"), {unsigned(endMarker.at(0).unicode())});
    for (qsizetype at = out.indexOf(endMarker); at >= 0; at = out.indexOf(endMarker, at + first.size()))
        out.replace(at, 1, first);
    return out;
}

QString ValidationScript::decodeJavaScriptString(const QString& text)
{
    if (!text.contains(u'\\'))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(++i);
        auto hex = [&](int digits) -> bool {
            if (i + digits >= text.size())
                return false;
            bool ok = false;
            const uint code = text.mid(i + 1, digits).toUInt(&ok, 16);
            if (!ok)
                return false;
            out += QChar(char16_t(code));
            i += digits;
            return true;
        };
        switch (next.unicode()) {
        case 'n':
            out += u'\n';
            break;
        case 'r':
            out += u'\r';
            break;
        case 't':
            out += u'\t';
            break;
        case 'u':
            if (!hex(4))
                out += next;
            break;
        case 'x':
            if (!hex(2))
                out += next;
            break;
        default:
            out += next;
        }
    }
    return out;
}

QString ValidationScript::build(const Input& in)
{
    const QString form = js(in.formName);

    QString required = QStringLiteral("var showRequiredAlert=0;\nvar x;");
    for (const Field& field : in.requiredFields) {
        if (field.checkbox)
            required =
                format(QStringLiteral("%@\nif (document.querySelectorAll(\"form[name='%@'] "
                                      "input[name='form%d[]']:checked\").length==0)\nshowRequiredAlert=1;\n"),
                       {required, form, field.formTag});
        else
            required = format(QStringLiteral("%@\nx=document.forms['%@']['form%d'].value;\nif (x==null || "
                                             "x=='')\nshowRequiredAlert=1;\n"),
                              {required, form, field.formTag});
    }

    QString email = QStringLiteral("var showEmailAlert=0;\nvar emailX;\nvar validateFlag=true;\n");
    for (int tag : in.emailFields)
        email = format(
            QStringLiteral("%@\nemailX=document.forms['%@']['form%d'].value;\nvalidateFlag=validateEmail("
                           "emailX);\nif (!validateFlag)\nshowEmailAlert=1;\n"),
            {email, form, tag});

    // The answer is checked on the server only; the page never holds it. Here only its form.
    QString bot = QStringLiteral("var showBotCheckerAlert=0;\nvar botCheckerValue;");
    for (int tag : in.botCheckerFields)
        bot = format(
            QStringLiteral("%@\nbotCheckerValue=document.forms['%@']['form%d'].value;\nif "
                           "(!/^\\s*[0-9]{1,2}\\s*$/.test(botCheckerValue))\nshowBotCheckerAlert=1;\n"),
            {bot, form, tag});

    return format(
        QStringLiteral(
            "<SCRIPT LANGUAGE='JavaScript'>\n%@\nfunction "
            "validateForm()\n{\n//FORMREDIRECTURL%@FORMREDIRECTURLEND\n//FORMSUBMIT%@FORMSUBMITEND\n//"
            "FORMEMAILVERIFICATION%@FORMEMAILVERIFICATIONEND\n//"
            "FORMBOTCHECKERMSG%@FORMBOTCHECKERMSGEND\n%@\n%@"
            "\n%@\nif (showRequiredAlert==1)\n{\nalert('%@');\n//FORMMISSINGMSG%@FORMMISSINGMSGEND\nreturn "
            "false;\n}\nif (showEmailAlert==1)\n{\nalert('%@');\nreturn false;\n}\nif "
            "(showBotCheckerAlert==1)\n{\nalert('%@');\nreturn "
            "false;\n}\nelse{\nalert('%@');\n//FORMRESPONSEMSG%@FORMRESPONSEMSGEND\nreturn "
            "true;\n}\n}\n</SCRIPT>"),
        {kEmailTest, marker(in.formRedirectURL, "FORMREDIRECTURLEND"),
         marker(in.formSubmitButtonValue, "FORMSUBMITEND"),
         marker(in.formEmailVerificationMsg, "FORMEMAILVERIFICATIONEND"),
         marker(in.formBotCheckerResponse, "FORMBOTCHECKERMSGEND"), required, email, bot,
         js(in.formRequiredResponse), marker(in.formRequiredResponse, "FORMMISSINGMSGEND"),
         js(in.formEmailVerificationMsg), js(in.formBotCheckerResponse), js(in.formSentResponse),
         marker(in.formSentResponse, "FORMRESPONSEMSGEND")});
}
