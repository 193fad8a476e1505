// An HTML e-mail as the bytes an SMTP server is given: RFC 5322 headers (display names and subject
// as RFC 2047 words where they need them; never a Bcc header), then the page either as its text
// stands or as multipart/related, the page's own images embedded and referred to by Content-ID.
// Every value comes from the user or a page: addresses are checked, and a line break in any header
// value refuses the message rather than let it add headers of its own.
#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class MailMessage
{
public:
    struct Mailbox
    {
        QString name; // may be empty
        QString address;
    };

    // A page brings at most this much into one message.
    static constexpr int kMaxImages = 100;
    static constexpr qint64 kMaxImageBytes = 10 * 1024 * 1024;
    static constexpr qint64 kMaxMessageBytes = 25 * 1024 * 1024;
    static constexpr qint64 kMaxPageBytes = 5 * 1024 * 1024;

    // local@domain in plain ASCII, no spaces, quotes, brackets or control characters, within the
    // lengths SMTP allows.
    static bool isValidAddress(const QString& address);
    // CR, LF or another control character (tab aside): text that must never reach a header.
    static bool hasControlCharacter(const QString& text);
    // Header text: as it stands when printable ASCII, else RFC 2047 UTF-8 words.
    static QByteArray encodedText(const QString& text);
    // "Name <address>", the name quoted or encoded as it needs; the bare address without a name.
    static QByteArray mailboxText(const Mailbox& mailbox);

    void setFrom(const Mailbox& from) { m_from = from; }
    void setTo(const QList<Mailbox>& to) { m_to = to; }
    void setCc(const QList<Mailbox>& cc) { m_cc = cc; }
    void setSubject(const QString& subject) { m_subject = subject; }
    void setDate(const QDateTime& date) { m_date = date; }

    // Reads the page. embedImages: images the page names by a relative path inside its folder
    // (src=, background=, CSS url()) become related parts; web addresses stay as they are. False
    // with errorText() when the page cannot be read or is too large.
    bool setHtmlFile(const QString& htmlPath, bool embedImages);
    // The page as set, after the references were rewritten to cid: addresses.
    QString htmlText() const { return m_html; }
    // The files embedded, in order of first reference.
    QStringList embeddedFiles() const;

    // Checks every header value, then builds the message; false with errorText() when refused.
    bool build(QByteArray& message);
    QString errorText() const { return m_errorText; }

private:
    struct Part
    {
        QString path;
        QString contentId;
        QByteArray bytes;
        QString mimeType;
    };
    bool checkHeaders();
    bool embedImages(const QString& folder);

    Mailbox m_from;
    QList<Mailbox> m_to;
    QList<Mailbox> m_cc;
    QString m_subject;
    QDateTime m_date;
    QString m_html;
    QList<Part> m_parts;
    QString m_errorText;
};
