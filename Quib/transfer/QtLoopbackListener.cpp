// The transfer module's loopback listener, on Qt's network library.
#include "publishing/LoopbackListener.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

class QtLoopbackListener final : public QObject, public LoopbackListener
{
public:
    void setRequestHandler(RequestHandler handler) override { m_handler = std::move(handler); }

    quint16 listen() override
    {
        close();
        auto* server = new QTcpServer(this);
        if (!server->listen(QHostAddress::LocalHost, 0)) {
            delete server;
            return 0;
        }
        m_server = server;
        connect(server, &QTcpServer::newConnection, this, &QtLoopbackListener::acceptConnections);
        return server->serverPort();
    }

    void close() override
    {
        if (m_server) {
            m_server->close();
            m_server->deleteLater();
        }
        m_server = nullptr;
    }

private:
    void acceptConnections()
    {
        while (m_server && m_server->hasPendingConnections()) {
            QTcpSocket* socket = m_server->nextPendingConnection();
            // Kept by the listener, not the server: the answer must still go out after close().
            socket->setParent(this);
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        }
    }

    void readRequest(QTcpSocket* socket)
    {
        if (socket->bytesAvailable() > kMaxRequestBytes) {
            socket->abort();
            return;
        }
        if (!socket->canReadLine())
            return;
        const QByteArray line = socket->readLine(kMaxRequestBytes).trimmed();
        socket->readAll();
        const Answer answer = m_handler ? m_handler(line) : Answer{QByteArrayLiteral("404 Not Found"),
                                                                   QStringLiteral("Nothing here."), {}};
        send(socket, answer);
        if (answer.then)
            QMetaObject::invokeMethod(this, answer.then, Qt::QueuedConnection);
    }

    static void send(QTcpSocket* socket, const Answer& answer)
    {
        const QByteArray body =
            QByteArrayLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Quib</title>"
                              "</head><body><p>") +
            answer.text.toHtmlEscaped().toUtf8() + QByteArrayLiteral("</p></body></html>");
        socket->write(QByteArrayLiteral("HTTP/1.1 ") + answer.status +
                      QByteArrayLiteral("\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
                                        "Cache-Control: no-store\r\nContent-Length: ") +
                      QByteArray::number(body.size()) + QByteArrayLiteral("\r\n\r\n") + body);
        socket->disconnectFromHost();
    }

    RequestHandler m_handler;
    QPointer<QTcpServer> m_server;
};

} // namespace

extern "C" Q_DECL_EXPORT LoopbackListener* quibCreateLoopbackListener(int interfaceVersion)
{
    if (interfaceVersion != kLoopbackListenerVersion)
        return nullptr;
    return new QtLoopbackListener;
}
