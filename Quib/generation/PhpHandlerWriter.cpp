#include "generation/PhpHandlerWriter.h"

#include "generation/PageFormat.h"
#include "generation/ValidationScript.h"
#include "platform/Format.h"

#include <QRegularExpression>

using generation::format;

namespace {

const QRegularExpression& valuePiece()
{
    static const QRegularExpression re(QStringLiteral("'\\.\\$form(\\d+)\\.'"));
    return re;
}

QString lit(const QString& value)
{
    return PhpHandlerWriter::phpLiteral(value);
}

// A header value the author typed: one line, whatever was pasted.
QString oneLine(QString value)
{
    value.remove(u'\r');
    value.replace(u'\n', u' ');
    return value.trimmed();
}

QString marker(const QString& value)
{
    return ValidationScript::escapeJavaScriptString(value);
}

QString fieldName(int tag)
{
    return lit(format(QStringLiteral("form%d"), {tag}));
}

QString nameList(const QList<int>& tags)
{
    QStringList names;
    for (int tag : tags)
        names << fieldName(tag);
    return QStringLiteral("array(") + names.join(u',') + u')';
}

// The helpers of the handler. The bot checker's numbers come from the current half hour and a key
// made from this file, which visitors never see, so the server can check an answer without keeping
// any state: the page shown in the half hour before is accepted too.
const QString kHelpers = QStringLiteral(
    R"(if (!function_exists('quibBotNumbers')) {
function quibBotNumbers($slot)
{
$h = hash_hmac('sha256', 'quib-bot-' . $slot, hash_file('sha256', __FILE__));
return array(hexdec(substr($h, 0, 2)) % 10, hexdec(substr($h, 2, 2)) % 10);
}
function quibBotAnswered($name)
{
if (!isset($_POST[$name]) || !is_string($_POST[$name])) return false;
$answer = trim($_POST[$name]);
if (!preg_match('/^[0-9]{1,2}$/', $answer)) return false;
$slot = intdiv(time(), 1800);
foreach (array($slot, $slot - 1) as $s) {
$n = quibBotNumbers($s);
if ((int)$answer === $n[0] + $n[1]) return true;
}
return false;
}
function quibFilled($name)
{
if (!isset($_POST[$name])) return false;
$v = $_POST[$name];
if (is_array($v)) {
foreach ($v as $item) { if (is_string($item) && trim($item) !== '') return true; }
return false;
}
return trim((string)$v) !== '';
}
function quibValue($name, $lineBreaks)
{
if (!isset($_POST[$name])) return '';
$v = $_POST[$name];
$items = is_array($v) ? $v : array($v);
$out = array();
foreach ($items as $item) {
if (!is_string($item)) continue;
$t = htmlspecialchars($item, ENT_QUOTES | ENT_SUBSTITUTE, 'UTF-8');
$out[] = $lineBreaks ? nl2br($t) : $t;
}
return implode(', ', $out);
}
function quibReplyAddress($name)
{
if (!isset($_POST[$name]) || !is_string($_POST[$name])) return '';
$a = trim($_POST[$name]);
if (preg_match('/[\r\n]/', $a)) return '';
return filter_var($a, FILTER_VALIDATE_EMAIL) !== false ? $a : '';
}
}
)");

} // namespace

QString PhpHandlerWriter::phpLiteral(const QString& value)
{
    QString escaped = value;
    escaped.replace(u'\\', QStringLiteral("\\\\"));
    escaped.replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + escaped + u'\'';
}

QList<int> PhpHandlerWriter::fieldsInPieces(const QStringList& pieces)
{
    QList<int> tags;
    for (const QString& piece : pieces) {
        QRegularExpressionMatchIterator it = valuePiece().globalMatch(piece);
        while (it.hasNext()) {
            const int tag = it.next().captured(1).toInt();
            if (!tags.contains(tag))
                tags.append(tag);
        }
    }
    return tags;
}

QString PhpHandlerWriter::bodyExpression(const QStringList& pieces)
{
    QStringList parts;
    for (const QString& piece : pieces) {
        qsizetype at = 0;
        QRegularExpressionMatchIterator it = valuePiece().globalMatch(piece);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            if (m.capturedStart() > at)
                parts << lit(piece.mid(at, m.capturedStart() - at));
            parts << QStringLiteral("$form") + m.captured(1);
            at = m.capturedEnd();
        }
        if (at < piece.size())
            parts << lit(piece.mid(at));
    }
    if (parts.isEmpty())
        return QStringLiteral("''");
    return parts.join(QStringLiteral(" . "));
}

bool PhpHandlerWriter::usesSmtp(const Input& input)
{
    return !input.smtpServer.isEmpty() && !input.smtpUsername.isEmpty();
}

QString PhpHandlerWriter::handlerBlock(const Input& in)
{
    QString php = QStringLiteral("<?php\n") + kHelpers;
    php +=
        QStringLiteral("$quibNumbers = quibBotNumbers(intdiv(time(), 1800));\n$firstNumber = "
                       "$quibNumbers[0];\n$secondNumber = $quibNumbers[1];\n$answerNumber = $firstNumber + "
                       "$secondNumber;\n$questionString = $firstNumber . ' + ' . $secondNumber . '=';\n");
    php +=
        QStringLiteral("if ($_SERVER['REQUEST_METHOD'] === 'POST' && isset($_POST['email']))\n{\n$quibSend = "
                       "true;\n");
    if (!in.requiredFields.isEmpty())
        php += format(
            QStringLiteral("foreach (%@ as $quibName) { if (!quibFilled($quibName)) $quibSend = false; }\n"),
            {nameList(in.requiredFields)});
    for (int tag : in.botCheckerFields)
        php += format(QStringLiteral("if (!quibBotAnswered(%@)) $quibSend = false;\n"), {fieldName(tag)});
    php += QStringLiteral("if ($quibSend)\n{\n");

    // Field values, HTML-escaped; a text area keeps its line breaks.
    QList<int> tags = in.fields.keys();
    for (int tag : fieldsInPieces(in.messagePieces)) {
        if (!tags.contains(tag))
            tags.append(tag);
    }
    for (int tag : tags) {
        const bool lines = in.fields.value(tag, FieldKind::Line) == FieldKind::Lines;
        php += format(QStringLiteral("$form%d = quibValue(%@, %@);\n"),
                      {tag, fieldName(tag), lines ? QStringLiteral("true") : QStringLiteral("false")});
    }
    if (in.grabIP)
        php += QStringLiteral(
            "$ip = htmlspecialchars($_SERVER['REMOTE_ADDR'], ENT_QUOTES | ENT_SUBSTITUTE, 'UTF-8');\n");
    php += in.replyField >= 0
               ? format(QStringLiteral("$reply_email = quibReplyAddress(%@);\n"), {fieldName(in.replyField)})
               : QStringLiteral("$reply_email = '';\n");

    QString body = QStringLiteral("'<html><body>'");
    if (!in.messagePieces.isEmpty())
        body += QStringLiteral(" . ") + bodyExpression(in.messagePieces);
    if (in.grabIP)
        body += QStringLiteral(" . '<p><br>Message sent from IP: ' . $ip . '<p>'");
    body += QStringLiteral(" . '</body></html>'");

    const QString from = oneLine(in.feedbackEmail);
    const QString cc = oneLine(in.ccEmail);
    const QString subject = oneLine(in.subject);
    if (usesSmtp(in)) {
        QString host = oneLine(in.smtpServer);
        QString port = QStringLiteral("");
        static const QRegularExpression hostPort(QStringLiteral("^(.+):(\\d{1,5})$"));
        const QRegularExpressionMatch m = hostPort.match(host);
        if (m.hasMatch()) {
            host = m.captured(1);
            port = format(QStringLiteral("'port' => %d,\n"), {m.captured(2).toInt()});
        }
        php += format(
            QStringLiteral(
                "require_once 'Mail.php';\n$from = %@;\n$to = %@;\n$cc = %@;\n$recipients = $to;\nif ($cc "
                "!== '') "
                "$recipients .= ',' . $cc;\n$subject = %@;\n$body = %@;\n$host = %@;\n$username = "
                "%@;\n$password = "
                "%@;\n$headers = array('From' => $from,\n'To' => $to,\n'Content-type' => 'text/html; "
                "charset=UTF-8',\n'Subject' => $subject);\nif ($cc !== '') $headers['Cc'] = $cc;\nif "
                "($reply_email "
                "!== '') $headers['Reply-To'] = $reply_email;\n$smtp = Mail::factory('smtp',\narray('host' "
                "=> "
                "$host,\n%@'auth' => true,\n'username' => $username,\n'password' => $password));\n$mail = "
                "$smtp->send($recipients, $headers, $body);\n"),
            {lit(from), lit(from), lit(cc), lit(subject), body, lit(host), lit(oneLine(in.smtpUsername)),
             lit(in.smtpPassword), port});
    } else {
        QString headers =
            format(QStringLiteral("$headers = %@ . \"\\r\\n\";\n"), {lit(QStringLiteral("From:") + from)});
        if (!cc.isEmpty())
            headers +=
                format(QStringLiteral("$headers .= %@ . \"\\r\\n\";\n"), {lit(QStringLiteral("CC:") + cc)});
        headers +=
            QStringLiteral("if ($reply_email !== '') $headers .= 'Reply-To:' . $reply_email . \"\\r\\n\";\n"
                           "$headers .= 'Content-type:text/html; charset=UTF-8' . \"\\r\\n\";\n");
        php += headers;
        php += format(QStringLiteral("mail(%@, %@, %@, $headers);\n"), {lit(from), lit(subject), body});
    }
    if (!in.redirectURL.isEmpty()) {
        QString url = in.redirectURL;
        url.replace(u'&', QStringLiteral("&amp;"));
        url.replace(u'"', QStringLiteral("&quot;"));
        url.replace(u'\'', QStringLiteral("&#39;"));
        url.replace(u'<', QStringLiteral("&lt;"));
        url.replace(u'>', QStringLiteral("&gt;"));
        php += format(
            QStringLiteral("echo %@;\n"),
            {lit(format(QStringLiteral("<meta http-equiv=\"refresh\" content=\"0; url=%@\">"), {url}))});
    }
    php += QStringLiteral("}\n}\n?>\n");
    return php;
}

QString PhpHandlerWriter::markerBlock(const Input& in, int grabIPFlag, int formOrderLayoutOption)
{
    const QString smtp =
        usesSmtp(in)
            ? format(QStringLiteral("%@\n%@\n%@\n"),
                     {format(QStringLiteral("//====SMTP_EMAIL_SERVER_START==%@==SMTP_EMAIL_SERVER_END"),
                             {marker(in.smtpServer)}),
                      format(QStringLiteral("//====SMTP_EMAIL_USERNAME_START==%@==SMTP_EMAIL_USERNAME_END"),
                             {marker(in.smtpUsername)}),
                      format(QStringLiteral("//====SMTP_EMAIL_PASSWORD_START==%@==SMTP_EMAIL_PASSWORD_END"),
                             {marker(in.smtpPassword)})})
            : QStringLiteral("");
    return format(
        QStringLiteral("<?php\n%@\n//FORMRESPONSEIPSTART==%d==FORMRESPONSEIPEND\n//FORMDISPLAYOPTIONSTART=="
                       "%d==FORMDISPLAYOPTIONEND\n//FORMRESPONSEEMAILSTART==%@==FORMRESPONSEEMAILEND\n//"
                       "FORMRESPONSEEMAILCCSTART==%@==FORMRESPONSEEMAILCCEND\n?>\n"),
        {smtp, grabIPFlag, formOrderLayoutOption, marker(in.feedbackEmail), marker(in.ccEmail)});
}
