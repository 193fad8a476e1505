// The PHP of a form page: the block that mails the submitted fields to the site's feedback address
// (through mail(), or through the PEAR Mail package over SMTP when a server and user are set), and
// the comment block that stores the form settings for reading back.
//
// The handler runs on the author's web server and takes input from anyone, so: every author value
// is a PHP literal on one line and the mail body is built by concatenation; every visitor value is
// HTML-escaped (lists of checkbox values too) before it goes into the mail; a post with a NUL byte,
// an over-long value or more values than a form has is refused with a plain message; the visitor's
// address becomes Reply-To only when it is one valid address, and only valid addresses of the
// author's reach the headers; nothing is sent without a POST that carries every required field and
// the right bot-checker answer, which the server works out from a secret that only the PHP holds;
// PHP's own error text goes to the server's log, never to the visitor; the handler takes the time
// from quibNow(), which a test may define before the page runs.
#pragma once
#include <QList>
#include <QMap>
#include <QString>

class PhpHandlerWriter
{
public:
    enum class FieldKind { Line, Lines, Choice, Checkboxes };

    struct Input
    {
        // The mail body as pieces of HTML in which "'.$form<N>.'" stands for field N's value.
        QStringList messagePieces;
        // Every field the handler may read, by number.
        QMap<int, FieldKind> fields;
        QList<int> requiredFields;
        QList<int> botCheckerFields;
        // The visitor's address field that becomes Reply-To; -1 for none.
        int replyField = -1;
        bool grabIP = false;
        QString feedbackEmail;
        QString ccEmail;
        QString subject;
        QString redirectURL;
        // SMTP through PEAR Mail when server and user name are both set; "host:port" names a port.
        QString smtpServer;
        QString smtpUsername;
        QString smtpPassword;
        // The secret the bot checker's numbers come from (see botCheckerKey).
        QString botCheckerKey;
        // Shown to a visitor whose post the server turns down (HTML-escaped when written).
        QString requiredResponse;
        QString botCheckerResponse;
    };

    static bool usesSmtp(const Input& input);
    // "<?php ... ?>\n": the bot-checker question, the field readers and the sending.
    static QString handlerBlock(const Input& input);
    // "<?php ... ?>\n" of // comment lines with the settings; the values are escaped so that none
    // can end the comment or the block.
    static QString markerBlock(const Input& input, int grabIPFlag, int formOrderLayoutOption);

    // A PHP string expression on one line: single-quoted text (backslash and quote escaped), with
    // each line break as a double-quoted escape joined on.
    static QString phpLiteral(const QString& value);
    // A new random secret for the bot checker, and whether a stored one is of that form.
    static QString newBotCheckerKey();
    static bool isBotCheckerKey(const QString& key);
    // The author's list of copy addresses ("," or ";" between them): the valid addresses only.
    static QStringList ccAddresses(const QString& list);
    static bool isMailAddress(const QString& address);
    // The URL to send the visitor to after sending: http(s) or relative; "" for anything else
    // (javascript:, data:, control characters, white space).
    static QString safeRedirectURL(const QString& url);
    // What a visitor sees when the server refuses a post's values.
    static QString refusedInputMessage();
    // The pieces as one PHP expression: literals for the text, $form<N> for the values.
    static QString bodyExpression(const QStringList& pieces);
    // The field numbers the pieces read, in order of first use.
    static QList<int> fieldsInPieces(const QStringList& pieces);
};
