#include "publishing/MailMessage.h"

#include "platform/SafePath.h"
#include "platform/TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMimeDatabase>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace {

// RFC 5322 lines stay under 78 characters; base64 bodies are cut at 76.
constexpr int kBase64LineLength = 76;
// Header text longer than this goes out as encoded words, which fold, so no line passes 998 octets.
constexpr int kLongestPlainHeaderText = 900;
// An encoded word is at most 75 characters: 12 of framing leave 63 of base64, 45 bytes of text.
constexpr int kEncodedWordBytes = 45;

QByteArray randomToken()
{
    return QByteArray::number(QRandomGenerator::global()->generate64(), 16) +
           QByteArray::number(QRandomGenerator::global()->generate64(), 16);
}

QByteArray base64Lines(const QByteArray& bytes)
{
    const QByteArray encoded = bytes.toBase64();
    QByteArray out;
    out.reserve(encoded.size() + encoded.size() / kBase64LineLength * 2 + 2);
    for (qsizetype at = 0; at < encoded.size(); at += kBase64LineLength)
        out += encoded.mid(at, kBase64LineLength) + "\r\n";
    return out;
}

bool isPrintableAscii(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7f; });
}

QByteArray addressList(const QList<MailMessage::Mailbox>& mailboxes)
{
    QList<QByteArray> parts;
    for (const MailMessage::Mailbox& mailbox : mailboxes)
        parts.append(MailMessage::mailboxText(mailbox));
    return parts.join(",\r\n ");
}

// A reference a page may make to a file of its own: a relative path, no scheme, no "//" host.
bool isLocalReference(const QString& reference)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    const QString ref = reference.trimmed();
    return !ref.isEmpty() && !ref.startsWith(u'#') && !ref.startsWith(u'/') && !ref.startsWith(u'\\') &&
           !scheme.match(ref).hasMatch();
}

// folder + relative reference, one checked name at a time; nothing when any segment is refused
// ("..", links, names leaving the folder) or the result is not a plain file.
std::optional<QString> pageFile(const QString& folder, const QString& reference)
{
    QString path = reference.trimmed();
    const qsizetype cut = path.indexOf(QRegularExpression(QStringLiteral("[?#]")));
    if (cut >= 0)
        path.truncate(cut);
    path = QUrl::fromPercentEncoding(path.toUtf8());
    QString current = folder;
    const QStringList segments = path.split(u'/');
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const QString& segment = segments.at(i);
        if (segment.isEmpty() || (segment == QLatin1String(".") && i + 1 < segments.size()))
            continue;
        const std::optional<QString> next = platform::SafePath::filePath(current, segment);
        if (!next)
            return std::nullopt;
        current = *next;
    }
    const QFileInfo info(current);
    if (current == folder || !info.isFile() || info.isSymLink())
        return std::nullopt;
    return current;
}

struct Reference
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString value;
};

// Attribute values of src= and background=, and CSS url() arguments, in page order.
QList<Reference> imageReferences(const QString& html)
{
    static const QRegularExpression attribute(
        QStringLiteral(R"re((?<![\w-])(?:src|background)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression cssUrl(
        QStringLiteral(R"re(url\(\s*(?:"([^"]*)"|'([^']*)'|([^)"'\s]+))\s*\))re"),
        QRegularExpression::CaseInsensitiveOption);
    QList<Reference> found;
    for (const QRegularExpression* pattern : {&attribute, &cssUrl}) {
        auto it = pattern->globalMatch(html);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            for (int group = 1; group <= 3; ++group) {
                if (match.capturedStart(group) >= 0) {
                    found.append(
                        {match.capturedStart(group), match.capturedLength(group), match.captured(group)});
                    break;
                }
            }
        }
    }
    std::sort(found.begin(), found.end(),
              [](const Reference& a, const Reference& b) { return a.start < b.start; });
    return found;
}

} // namespace

bool MailMessage::isValidAddress(const QString& address)
{
    static const QRegularExpression local(QStringLiteral(R"re(^[A-Za-z0-9!#$%&'*+/=?^_`{|}~.-]+$)re"));
    static const QRegularExpression domain(QStringLiteral(
        R"re(^[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?(?:\.[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*$)re"));
    if (address.size() > 254 || address.count(u'@') != 1)
        return false;
    const qsizetype at = address.indexOf(u'@');
    const QString localPart = address.left(at);
    const QString domainPart = address.mid(at + 1);
    if (localPart.isEmpty() || localPart.size() > 64 || localPart.startsWith(u'.') ||
        localPart.endsWith(u'.') || localPart.contains(QLatin1String("..")))
        return false;
    return local.match(localPart).hasMatch() && domain.match(domainPart).hasMatch();
}

bool MailMessage::hasControlCharacter(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7f ||
               c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph;
    });
}

QByteArray MailMessage::encodedText(const QString& text)
{
    if (isPrintableAscii(text) && !text.contains(QLatin1String("=?")) &&
        text.size() <= kLongestPlainHeaderText)
        return text.toLatin1();
    QList<QByteArray> words;
    QByteArray chunk;
    for (qsizetype i = 0; i < text.size();) {
        // Whole characters only: a word never splits a surrogate pair or a UTF-8 sequence.
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray bytes = text.mid(i, width).toUtf8();
        if (chunk.size() + bytes.size() > kEncodedWordBytes) {
            words.append("=?UTF-8?B?" + chunk.toBase64() + "?=");
            chunk.clear();
        }
        chunk += bytes;
        i += width;
    }
    if (!chunk.isEmpty())
        words.append("=?UTF-8?B?" + chunk.toBase64() + "?=");
    return words.join("\r\n ");
}

QByteArray MailMessage::mailboxText(const Mailbox& mailbox)
{
    const QByteArray address = mailbox.address.toLatin1();
    if (mailbox.name.isEmpty())
        return address;
    QByteArray name;
    if (isPrintableAscii(mailbox.name) && !mailbox.name.contains(QLatin1String("=?")) &&
        mailbox.name.size() <= kLongestPlainHeaderText) {
        QByteArray quoted = mailbox.name.toLatin1();
        quoted.replace('\\', "\\\\").replace('"', "\\\"");
        name = '"' + quoted + '"';
    } else {
        name = encodedText(mailbox.name);
    }
    return name + " <" + address + '>';
}

QStringList MailMessage::embeddedFiles() const
{
    QStringList files;
    for (const Part& part : m_parts)
        files.append(part.path);
    return files;
}

bool MailMessage::setHtmlFile(const QString& htmlPath, bool embed)
{
    m_parts.clear();
    m_html.clear();
    const QFileInfo info(htmlPath);
    if (!info.isFile()) {
        m_errorText = QStringLiteral("The page file \"%1\" could not be found.").arg(htmlPath);
        return false;
    }
    if (info.size() > kMaxPageBytes) {
        m_errorText = QStringLiteral("The page is too large to send by e-mail.");
        return false;
    }
    // ASCII, else UTF-8, else UTF-16: how pages are stored.
    const std::optional<QString> text = platform::readPageTextFile(htmlPath);
    if (!text) {
        m_errorText = QStringLiteral("The page file \"%1\" could not be read.").arg(htmlPath);
        return false;
    }
    m_html = *text;
    return !embed || embedImages(info.absolutePath());
}

bool MailMessage::embedImages(const QString& folder)
{
    const QList<Reference> references = imageReferences(m_html);
    QMimeDatabase mimeTypes;
    qint64 total = m_html.size();
    const QByteArray token = randomToken();
    QString rewritten;
    qsizetype copied = 0;
    for (const Reference& reference : references) {
        if (!isLocalReference(reference.value))
            continue;
        const std::optional<QString> path = pageFile(folder, reference.value);
        if (!path)
            continue;
        auto part =
            std::find_if(m_parts.begin(), m_parts.end(), [&](const Part& p) { return p.path == *path; });
        if (part == m_parts.end()) {
            const QString mimeType = mimeTypes.mimeTypeForFile(*path).name();
            if (!mimeType.startsWith(QLatin1String("image/")))
                continue;
            if (m_parts.size() >= kMaxImages) {
                m_errorText = QStringLiteral("The page names more than %1 images.").arg(kMaxImages);
                return false;
            }
            QFile file(*path);
            if (file.size() > kMaxImageBytes || total + file.size() > kMaxMessageBytes) {
                m_errorText = QStringLiteral("The page's images are too large to send by e-mail.");
                return false;
            }
            if (!file.open(QIODevice::ReadOnly)) {
                m_errorText = QStringLiteral("The image \"%1\" could not be read.").arg(*path);
                return false;
            }
            Part added;
            added.path = *path;
            added.bytes = file.read(kMaxImageBytes + 1);
            added.mimeType = mimeType;
            added.contentId =
                QStringLiteral("image%1.%2@quib").arg(m_parts.size() + 1).arg(QString::fromLatin1(token));
            total += added.bytes.size();
            m_parts.append(added);
            part = m_parts.end() - 1;
        }
        rewritten += QStringView(m_html).mid(copied, reference.start - copied);
        rewritten += QStringLiteral("cid:") + part->contentId;
        copied = reference.start + reference.length;
    }
    rewritten += QStringView(m_html).mid(copied);
    m_html = rewritten;
    return true;
}

bool MailMessage::checkHeaders()
{
    const auto refuse = [this](const QString& text) {
        m_errorText = text;
        return false;
    };
    if (!isValidAddress(m_from.address))
        return refuse(
            QStringLiteral("The sender's address \"%1\" is not a valid e-mail address.").arg(m_from.address));
    if (hasControlCharacter(m_from.name))
        return refuse(QStringLiteral("The sender's name holds a line break."));
    if (hasControlCharacter(m_subject))
        return refuse(QStringLiteral("The subject holds a line break."));
    for (const QList<Mailbox>* list : {&m_to, &m_cc}) {
        for (const Mailbox& mailbox : *list) {
            if (!isValidAddress(mailbox.address))
                return refuse(QStringLiteral("\"%1\" is not a valid e-mail address.").arg(mailbox.address));
            if (hasControlCharacter(mailbox.name))
                return refuse(QStringLiteral("A recipient's name holds a line break."));
        }
    }
    return true;
}

bool MailMessage::build(QByteArray& message)
{
    message.clear();
    if (!checkHeaders())
        return false;
    const QDateTime date = m_date.isValid() ? m_date : QDateTime::currentDateTime();
    const QString domain = m_from.address.mid(m_from.address.indexOf(u'@') + 1);
    QByteArray out;
    // RFC 5322 wants English names and a numeric zone.
    out += "Date: " + QLocale::c().toString(date, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")).toLatin1();
    const int offset = date.offsetFromUtc() / 60;
    out += (offset < 0 ? "-" : "+") + QByteArray::number(qAbs(offset) / 60).rightJustified(2, '0') +
           QByteArray::number(qAbs(offset) % 60).rightJustified(2, '0') + "\r\n";
    out += "From: " + mailboxText(m_from) + "\r\n";
    out += "To: " + addressList(m_to) + "\r\n";
    if (!m_cc.isEmpty())
        out += "Cc: " + addressList(m_cc) + "\r\n";
    out += "Subject: " + encodedText(m_subject) + "\r\n";
    out += "Message-ID: <" + randomToken() + '@' + domain.toLatin1() + ">\r\n";
    out += "MIME-Version: 1.0\r\n";
    const QByteArray htmlPart = "Content-Type: text/html; charset=UTF-8\r\n"
                                "Content-Transfer-Encoding: base64\r\n\r\n" +
                                base64Lines(m_html.toUtf8());
    if (m_parts.isEmpty()) {
        out += htmlPart;
        message = out;
        return true;
    }
    const QByteArray boundary = "=_quib_" + randomToken();
    out += "Content-Type: multipart/related; type=\"text/html\"; boundary=\"" + boundary + "\"\r\n\r\n";
    out += "--" + boundary + "\r\n" + htmlPart;
    for (qsizetype i = 0; i < m_parts.size(); ++i) {
        const Part& part = m_parts.at(i);
        // The file's own name stays out of the headers: it came from the page.
        const QString suffix = QFileInfo(part.path).suffix().toLower();
        const QByteArray fileName = "image" + QByteArray::number(i + 1) +
                                    (isPrintableAscii(suffix) && suffix.size() <= 8 &&
                                             !suffix.contains(QRegularExpression(QStringLiteral("[^a-z0-9]")))
                                         ? '.' + suffix.toLatin1()
                                         : QByteArray());
        out += "--" + boundary + "\r\n";
        out += "Content-Type: " + part.mimeType.toLatin1() + "\r\n";
        out += "Content-Transfer-Encoding: base64\r\n";
        out += "Content-ID: <" + part.contentId.toLatin1() + ">\r\n";
        out += "Content-Disposition: inline; filename=\"" + fileName + "\"\r\n\r\n";
        out += base64Lines(part.bytes);
    }
    out += "--" + boundary + "--\r\n";
    message = out;
    return true;
}
