// What one form field gives the page's mail handler. The text-box pass fills one record per field
// or option group (and the cell pass one per field in a section); the form page orders them by
// position and joins them into the handler. Besides the ready-made handler texts the record keeps
// the field's kind, number and label, so the handler writer can build its own safe code from them.
#pragma once
#include <QList>
#include <QString>

struct FormSortHelper
{
    // The field's part of the mail body for the SMTP variant, e.g. "$form3<p>" or "<b>Name</b><p>".
    QString formMessageBody;
    // The same for the mail() variant, where the value piece is "'.$form3.'<p>".
    QString formMessageBody_quote;
    // The field's position on the canvas, truncated; the default mail order is by formYPosition.
    int formYPosition = 0;
    int formXPosition = 0;
    // The PHP line that reads the field, e.g. "$form3 = strip_tags($_REQUEST['form3']);\n";
    // empty for labels.
    QString formBodyString;

    // ---- the same field as data ----
    // "text", "password", "textarea", "radio", "checkbox" or "textLabel".
    QString formType;
    // The field's number: the control is named "form<formTag>"; -99 for a label of no field.
    int formTag = -99;
    // The label's text as typed (for a "textLabel"), unescaped.
    QString labelText;
    // The element's HTML as written into the page body.
    QString elementHtml;
};

// The form outputs of one generation pass, filled by the text-box pass (and cell passes) and read by
// the form page.
struct FormHandlerPieces
{
    // The PHP capture lines of every field, in the order they were generated.
    QString formVariableLines = QStringLiteral("");
    // "<html><body>" followed by one line per field or label.
    QString formMessageText = QStringLiteral("<html><body>");
    QList<FormSortHelper> formFields;
};
