// The hosting service's stand-in (servers/dropbox_server.py) for a test: started on loopback, the
// service's addresses pointed at it, its recorded requests read back, everything put back after.
#pragma once
#include "publishing/DropboxSession.h"
#include "publishing/UploadServers.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QStringList>
#include <QTemporaryDir>

namespace dropboxtest {

class StandIn
{
public:
    // False (the test skipped, or failed on CI) when python3 is missing or the server did not start.
    bool start(const QStringList& options = {})
    {
        if (!haveProgramOrFail(QStringLiteral("python3"), QStringLiteral("python3")))
            return false;
        m_saved = DropboxSession::endpoints();
        m_started = m_server.start("dropbox_server.py",
                                   QStringList{QStringLiteral("--folder"), m_folder.path(), QStringLiteral("--token"),
                                               token()} +
                                       options);
        if (!m_started) {
            ADD_FAILURE() << "stand-in did not start: " << m_server.errors().toStdString();
            return false;
        }
        const QString base = QStringLiteral("http://127.0.0.1:%1").arg(m_server.port("HTTP"));
        DropboxSession::setEndpoints({base, base, base});
        return true;
    }
    ~StandIn()
    {
        if (m_started)
            DropboxSession::setEndpoints(m_saved);
    }
    static QString token() { return QStringLiteral("tok-5ecret-7c1e"); }
    QString base() const { return DropboxSession::endpoints().apiBase; }

    // Every request served so far, in order.
    QList<QJsonObject> requests() const
    {
        QList<QJsonObject> out;
        QFile file(m_folder.filePath(QStringLiteral("requests.jsonl")));
        if (!file.open(QIODevice::ReadOnly))
            return out;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                out.append(QJsonDocument::fromJson(line).object());
        return out;
    }
    // "upload /a.png", "link /a.png", "list /a.png", "token", "authorize": the requests as steps.
    QStringList steps() const
    {
        QStringList out;
        for (const QJsonObject& r : requests()) {
            const QString route = r.value(QStringLiteral("route")).toString();
            const QString path = r.value(QStringLiteral("path")).toString();
            if (route == QLatin1String("/2/files/upload"))
                out.append(QStringLiteral("upload ") + path);
            else if (route == QLatin1String("/2/sharing/create_shared_link_with_settings"))
                out.append(QStringLiteral("link ") + path);
            else if (route == QLatin1String("/2/sharing/list_shared_links"))
                out.append(QStringLiteral("list ") + path);
            else if (route == QLatin1String("/oauth2/token"))
                out.append(QStringLiteral("token"));
            else
                out.append(QStringLiteral("authorize"));
        }
        return out;
    }

private:
    QTemporaryDir m_folder;
    uploadtest::ServerProcess m_server;
    DropboxSession::Endpoints m_saved;
    bool m_started = false;
};

// Every message the process logs while it lives.
class LogCapture
{
public:
    LogCapture()
    {
        clear();
        m_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    static QStringList lines()
    {
        QMutexLocker lock(&mutex());
        return store();
    }
    static void clear()
    {
        QMutexLocker lock(&mutex());
        store().clear();
    }

private:
    static QMutex& mutex()
    {
        static QMutex m;
        return m;
    }
    static QStringList& store()
    {
        static QStringList s;
        return s;
    }
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        QMutexLocker lock(&mutex());
        store().append(message);
    }
    QtMessageHandler m_previous = nullptr;
};

} // namespace dropboxtest
