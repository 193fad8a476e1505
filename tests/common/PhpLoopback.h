// PHP served on loopback for the tests of the generated form handler: the php program, a free
// port, one HTTP/1.0 exchange, a server process stopped at the end, the messages the sendmail
// stand-in kept, and the bot checker's answer as the handler works it out.
#pragma once
#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QMessageAuthenticationCode>
#include <QPair>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace phploopback {

// The sendmail stand-in and other scripts of the PHP tests.
inline const QString kScripts = QStringLiteral(QUIB_SOURCE_DIR "/tests/php/");

inline QString php()
{
    return QStandardPaths::findExecutable(QStringLiteral("php"));
}

inline int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof addr;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    ::close(s);
    return port;
}

inline int connectTo(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(quint16(port));
    if (::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(s);
        return -1;
    }
    return s;
}

inline bool waitForPort(int port)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        const int s = connectTo(port);
        if (s >= 0) {
            ::close(s);
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

// One HTTP/1.0 exchange; the whole response, headers included.
inline QString http(int port, const QByteArray& method, const QByteArray& path, const QByteArray& body = {})
{
    const int s = connectTo(port);
    if (s < 0)
        return {};
    QByteArray request = method + ' ' + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n";
    if (!body.isEmpty() || method == "POST")
        request += "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                   QByteArray::number(body.size()) + "\r\n";
    request += "\r\n" + body;
    qsizetype sent = 0;
    while (sent < request.size()) {
        const ssize_t n = ::send(s, request.constData() + sent, size_t(request.size() - sent), 0);
        if (n <= 0)
            break;
        sent += n;
    }
    QByteArray response;
    char buffer[4096];
    ssize_t n;
    while ((n = ::recv(s, buffer, sizeof buffer, 0)) > 0)
        response.append(buffer, n);
    ::close(s);
    return QString::fromUtf8(response);
}

inline QByteArray formBody(const QList<QPair<QString, QString>>& fields)
{
    QByteArray body;
    for (const auto& [name, value] : fields) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    return body;
}

class Server
{
public:
    ~Server() { stop(); }
    bool start(const QString& program, const QStringList& arguments, int port)
    {
        m_process.setProgram(program);
        m_process.setArguments(arguments);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start();
        return m_process.waitForStarted(10000) && waitForPort(port);
    }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    QString output() { return QString::fromUtf8(m_process.readAll()); }

private:
    QProcess m_process;
};

inline QStringList messagesIn(const QString& folder)
{
    QStringList texts;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            texts << QString::fromUtf8(file.readAll());
    }
    return texts;
}

// The bot checker's sum for a half hour, as the handler works it out from the page's secret.
inline int botAnswer(const QString& key, qint64 slot)
{
    const QByteArray hex = QMessageAuthenticationCode::hash("quib-bot-" + QByteArray::number(slot),
                                                            key.toLatin1(), QCryptographicHash::Sha256)
                               .toHex();
    return hex.mid(0, 2).toInt(nullptr, 16) % 10 + hex.mid(2, 2).toInt(nullptr, 16) % 10;
}

inline QString botKeyOf(const QString& page)
{
    static const QRegularExpression key(QStringLiteral("\\$quibBotKey = '([0-9a-f]+)';"));
    return key.match(page).captured(1);
}

} // namespace phploopback
