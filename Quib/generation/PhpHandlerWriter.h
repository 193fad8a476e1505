// The PHP of a form page: the block that mails the submitted fields to the site's feedback address
// (through mail(), or through the PEAR Mail package over SMTP when a server and user are set), and
// the comment block that stores the form settings for reading back.
//
// The handler runs on the author's web server and takes input from anyone, so: every author value
// is a single-quoted PHP literal and the mail body is built by concatenation; every visitor value is
// HTML-escaped (lists of checkbox values too) before it goes into the mail; the visitor's address
// becomes Reply-To only when it is one valid address; nothing is sent without a POST that carries
// every required field and the right bot-checker answer, which the server works out itself.
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
    };

    static bool usesSmtp(const Input& input);
    // "<?php ... ?>\n": the bot-checker question, the field readers and the sending.
    static QString handlerBlock(const Input& input);
    // "<?php ... ?>\n" of // comment lines with the settings; the values are escaped so that none
    // can end the comment or the block.
    static QString markerBlock(const Input& input, int grabIPFlag, int formOrderLayoutOption);

    // A single-quoted PHP literal: backslash and quote escaped.
    static QString phpLiteral(const QString& value);
    // The pieces as one PHP expression: literals for the text, $form<N> for the values.
    static QString bodyExpression(const QStringList& pieces);
    // The field numbers the pieces read, in order of first use.
    static QList<int> fieldsInPieces(const QStringList& pieces);
};
