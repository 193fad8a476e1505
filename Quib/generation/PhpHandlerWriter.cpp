#include "generation/PhpHandlerWriter.h"

#include "generation/TextEscaping.h"
#include "generation/PageFormat.h"
#include "generation/ValidationScript.h"
#include "platform/Format.h"

#include <QRandomGenerator>
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

QString marker(const QString& value, const char* endMarker)
{
    return ValidationScript::escapeMarkerValue(value, QLatin1String(endMarker));
}

QString fieldName(int tag)
{
    return lit(format(QStringLiteral("form%d"), {tag}));
}

QString literalArray(const QStringList& values)
{
    QStringList literals;
    for (const QString& value : values)
        literals << lit(value);
    return QStringLiteral("array(") + literals.join(QStringLiteral(", ")) + u')';
}

QString nameList(const QList<int>& tags)
{
    QStringList names;
    for (int tag : tags)
        names << format(QStringLiteral("form%d"), {tag});
    return literalArray(names);
}

// The helpers of the handler. The bot checker's numbers come from the current half hour and the
// page's secret, so the server can check an answer without keeping any state: the page shown in
// the half hour before is accepted too. The limits are far above what a person types into a form.
const QString kHelpers = QStringLiteral(
    R"(ini_set('display_errors', '0');
ini_set('log_errors', '1');
if (!function_exists('quibNow')) {
function quibNow()
{
return time();
}
}
if (!function_exists('quibBotNumbers')) {
function quibBotNumbers($key, $slot)
{
$h = hash_hmac('sha256', 'quib-bot-' . $slot, $key);
return array(hexdec(substr($h, 0, 2)) % 10, hexdec(substr($h, 2, 2)) % 10);
}
function quibBotAnswered($key, $name)
{
if (!isset($_POST[$name]) || !is_string($_POST[$name])) return false;
$answer = trim($_POST[$name]);
if (!preg_match('/^[0-9]{1,2}$/', $answer)) return false;
$slot = intdiv(quibNow(), 1800);
foreach (array($slot, $slot - 1) as $s) {
$n = quibBotNumbers($key, $s);
if ((int)$answer === $n[0] + $n[1]) return true;
}
return false;
}
function quibAcceptable($values)
{
if (!is_array($values) || count($values) > 200) return false;
foreach ($values as $name => $v) {
if (strlen((string)$name) > 100 || strpos((string)$name, "\0") !== false) return false;
$items = is_array($v) ? $v : array($v);
if (count($items) > 100) return false;
foreach ($items as $item) {
if (!is_string($item) || strlen($item) > 20000 || strpos($item, "\0") !== false) return false;
}
}
return true;
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
function quibAddresses($list)
{
$out = array();
foreach ($list as $a) {
if (is_string($a) && !preg_match('/[\r\n\0]/', $a) && filter_var($a, FILTER_VALIDATE_EMAIL) !== false) $out[] = $a;
}
return $out;
}
function quibReplyAddress($name)
{
if (!isset($_POST[$name]) || !is_string($_POST[$name])) return '';
$a = quibAddresses(array(trim($_POST[$name])));
return count($a) === 1 ? $a[0] : '';
}
function quibNotice($text)
{
echo '<script>alert(' . json_encode($text, JSON_HEX_TAG | JSON_HEX_AMP | JSON_HEX_APOS | JSON_HEX_QUOT) . ');</script>' . "\n";
}
}
)");

} // namespace

QString PhpHandlerWriter::phpLiteral(const QString& value)
{
    // Line breaks of every kind leave the quotes: a generated line never starts inside a text.
    QStringList parts;
    QString quoted;
    auto closeQuoted = [&] {
        if (!quoted.isNull())
            parts << u'\'' + quoted + u'\'';
        quoted = QString();
    };
    for (const QChar c : value) {
        const char* escape = nullptr;
        switch (c.unicode()) {
        case '\n':
            escape = "\"\\n\"";
            break;
        case '\r':
            escape = "\"\\r\"";
            break;
        case 0x0b:
            escape = "\"\\v\"";
            break;
        case 0x0c:
            escape = "\"\\f\"";
            break;
        case 0x85:
            escape = "\"\\u{85}\"";
            break;
        case 0x2028:
            escape = "\"\\u{2028}\"";
            break;
        case 0x2029:
            escape = "\"\\u{2029}\"";
            break;
        default:
            break;
        }
        if (escape) {
            closeQuoted();
            parts << QLatin1String(escape);
            continue;
        }
        if (quoted.isNull())
            quoted = QStringLiteral("");
        if (c == u'\\' || c == u'\'')
            quoted += u'\\';
        quoted += c;
    }
    closeQuoted();
    if (parts.isEmpty())
        return QStringLiteral("''");
    return parts.join(QStringLiteral(" . "));
}

QString PhpHandlerWriter::newBotCheckerKey()
{
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    return QString::fromLatin1(bytes.toHex());
}

bool PhpHandlerWriter::isBotCheckerKey(const QString& key)
{
    static const QRegularExpression form(QStringLiteral("^[0-9a-f]{32,128}$"));
    return form.match(key).hasMatch();
}

bool PhpHandlerWriter::isMailAddress(const QString& address)
{
    static const QRegularExpression form(
        QStringLiteral("^[A-Za-z0-9.!#$%&'*+/=?^_`{|}~-]{1,64}@[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?"
                       "(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?)+$"));
    return address.size() <= 254 && form.match(address).hasMatch();
}

QStringList PhpHandlerWriter::ccAddresses(const QString& list)
{
    static const QRegularExpression separators(QStringLiteral("[,;]"));
    QStringList addresses;
    for (const QString& entry : list.split(separators)) {
        // Spaces around an address are the author's typing; anything else inside is not an address.
        const QString address = entry.trimmed();
        if (isMailAddress(address) && !addresses.contains(address))
            addresses << address;
    }
    return addresses;
}

QString PhpHandlerWriter::safeRedirectURL(const QString& url)
{
    const QString trimmed = url.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("");
    for (const QChar c : trimmed) {
        // Browsers drop tabs and line breaks inside a URL, so "java\tscript:" is a scheme too.
        if (c.unicode() < 0x21 || c.unicode() == 0x7f || c.isSpace() || c.category() == QChar::Other_Format ||
            c.category() == QChar::Other_Control)
            return QStringLiteral("");
    }
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    const QRegularExpressionMatch m = scheme.match(trimmed);
    if (m.hasMatch()) {
        const QString name = m.captured(1).toLower();
        if (name != QLatin1String("http") && name != QLatin1String("https"))
            return QStringLiteral("");
    }
    QString safe = trimmed;
    // Quotes would end the refresh's url= for some browsers; as escapes they are the same URL.
    safe.replace(u'"', QStringLiteral("%22"));
    safe.replace(u'\'', QStringLiteral("%27"));
    safe.replace(u'\\', QStringLiteral("%5C"));
    return safe;
}

QString PhpHandlerWriter::refusedInputMessage()
{
    return QStringLiteral(
        "This form could not be sent: a field is too long or holds a character that is not allowed.");
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
    php += format(QStringLiteral("$quibBotKey = %@;\n$quibNumbers = quibBotNumbers($quibBotKey, "
                                 "intdiv(quibNow(), 1800));\n$firstNumber = $quibNumbers[0];\n$secondNumber "
                                 "= $quibNumbers[1];\n$questionString = $firstNumber . ' + ' . $secondNumber "
                                 ". '=';\n"),
                  {lit(isBotCheckerKey(in.botCheckerKey) ? in.botCheckerKey : newBotCheckerKey())});
    auto notice = [](const QString& message) {
        return message.isEmpty() ? QStringLiteral("")
                                 : format(QStringLiteral("quibNotice(%@);\n"), {lit(message)});
    };
    php +=
        QStringLiteral("if ($_SERVER['REQUEST_METHOD'] === 'POST' && isset($_POST['email']))\n{\n$quibSend = "
                       "true;\nif (!quibAcceptable($_POST))\n{\n$quibSend = false;\nerror_log('form "
                       "handler: a post with a NUL byte or over-long values was refused');\n");
    php += notice(refusedInputMessage()) + QStringLiteral("}\n");
    if (!in.requiredFields.isEmpty())
        php +=
            format(QStringLiteral("if ($quibSend) {\nforeach (%@ as $quibName) { if (!quibFilled($quibName)) "
                                  "$quibSend = false; }\nif (!$quibSend) {\n%@}\n}\n"),
                   {nameList(in.requiredFields), notice(in.requiredResponse)});
    for (int tag : in.botCheckerFields)
        php += format(QStringLiteral("if ($quibSend && !quibBotAnswered($quibBotKey, %@)) {\n$quibSend = "
                                     "false;\n%@}\n"),
                      {fieldName(tag), notice(in.botCheckerResponse)});
    php += QStringLiteral("if ($quibSend)\n{\n$quibSent = false;\ntry {\n");

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

    // The author's addresses are checked here and again by the server: only whole, valid
    // addresses reach a header or the recipients.
    const QString feedback = oneLine(in.feedbackEmail);
    php +=
        format(QStringLiteral("$to = quibAddresses(array(%@));\n$to = count($to) === 1 ? $to[0] : '';\n$from "
                              "= $to;\n$cc = quibAddresses(%@);\n$subject = %@;\n$body = %@;\nif ($to === "
                              "'')\n{\nerror_log('form handler: the feedback address is not a valid "
                              "address');\n}\n"),
               {lit(isMailAddress(feedback) ? feedback : QString()), literalArray(ccAddresses(in.ccEmail)),
                lit(oneLine(in.subject)), body});
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
                "elseif ((@include_once 'Mail.php') === false)\n{\nerror_log('form handler: the PEAR Mail "
                "package is not installed');\n}\nelse\n{\n$headers = array('From' => $from,\n'To' => "
                "$to,\n'Content-type' => 'text/html; charset=UTF-8',\n'Subject' => $subject);\nif "
                "(count($cc) > 0) $headers['Cc'] = implode(', ', $cc);\nif ($reply_email !== '') "
                "$headers['Reply-To'] = $reply_email;\n$smtp = Mail::factory('smtp',\narray('host' => "
                "%@,\n%@'auth' => true,\n'username' => %@,\n'password' => %@));\n$mail = "
                "$smtp->send(array_merge(array($to), $cc), $headers, $body);\n$quibSent = $mail === "
                "true;\nif (!$quibSent) error_log('form handler: ' . (is_object($mail) && "
                "method_exists($mail, 'getMessage') ? $mail->getMessage() : 'the mail was not "
                "sent'));\n}\n"),
            {lit(host), port, lit(oneLine(in.smtpUsername)), lit(in.smtpPassword)});
    } else {
        php += QStringLiteral(
            "else\n{\n$headers = 'From:' . $from . \"\\r\\n\";\nif (count($cc) > 0) $headers .= 'CC:' . "
            "implode(', ', $cc) . \"\\r\\n\";\nif ($reply_email !== '') $headers .= 'Reply-To:' . "
            "$reply_email . \"\\r\\n\";\n$headers .= 'Content-type:text/html; charset=UTF-8' . "
            "\"\\r\\n\";\n$quibSent = mail($to, $subject, $body, $headers);\nif (!$quibSent) "
            "error_log('form handler: mail() did not accept the message');\n}\n");
    }
    php +=
        QStringLiteral("} catch (\\Throwable $quibError) {\n$quibSent = false;\nerror_log('form handler: ' . "
                       "$quibError->getMessage());\n}\n");
    const QString redirect = safeRedirectURL(in.redirectURL);
    if (!redirect.isEmpty())
        php += format(QStringLiteral("if ($quibSent) echo %@;\n"),
                      {lit(format(QStringLiteral("<meta http-equiv=\"refresh\" content=\"0; url=%@\">"),
                                  {TextEscaping::escapeHtmlAttribute(redirect)}))});
    php += QStringLiteral("}\n}\n?>\n");
    return php;
}

QString PhpHandlerWriter::markerBlock(const Input& in, int grabIPFlag, int formOrderLayoutOption)
{
    const QString smtp =
        usesSmtp(in)
            ? format(QStringLiteral("%@\n%@\n%@\n"),
                     {format(QStringLiteral("//====SMTP_EMAIL_SERVER_START==%@==SMTP_EMAIL_SERVER_END"),
                             {marker(in.smtpServer, "==SMTP_EMAIL_SERVER_END")}),
                      format(QStringLiteral("//====SMTP_EMAIL_USERNAME_START==%@==SMTP_EMAIL_USERNAME_END"),
                             {marker(in.smtpUsername, "==SMTP_EMAIL_USERNAME_END")}),
                      format(QStringLiteral("//====SMTP_EMAIL_PASSWORD_START==%@==SMTP_EMAIL_PASSWORD_END"),
                             {marker(in.smtpPassword, "==SMTP_EMAIL_PASSWORD_END")})})
            : QStringLiteral("");
    return format(
        QStringLiteral("<?php\n%@\n//FORMRESPONSEIPSTART==%d==FORMRESPONSEIPEND\n//FORMDISPLAYOPTIONSTART=="
                       "%d==FORMDISPLAYOPTIONEND\n//FORMRESPONSEEMAILSTART==%@==FORMRESPONSEEMAILEND\n//"
                       "FORMRESPONSEEMAILCCSTART==%@==FORMRESPONSEEMAILCCEND\n//FORMBOTCHECKERKEYSTART==%@=="
                       "FORMBOTCHECKERKEYEND\n?>\n"),
        {smtp, grabIPFlag, formOrderLayoutOption, marker(in.feedbackEmail, "==FORMRESPONSEEMAILEND"),
         marker(in.ccEmail, "==FORMRESPONSEEMAILCCEND"),
         isBotCheckerKey(in.botCheckerKey) ? in.botCheckerKey : QStringLiteral("")});
}
