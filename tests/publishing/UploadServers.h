// Loopback servers for the upload tests, started and stopped by each test: pyftpdlib for FTP and
// explicit FTPS (with a certificate the test makes), asyncssh for SFTP, Python's http.server beside
// the FTP root for the web check. Each script prints "<KIND> <port>" once it listens and stops when
// its standard input closes.
#pragma once
#include "common/ExternalTools.h"
#include "publishing/UploadFTPS.h"
#include "publishing/UploadFTPSViewDelegate.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace uploadtest {

inline QString serverScript(const char* name)
{
    return QStringLiteral(QUIB_SOURCE_DIR "/tests/publishing/servers/") + QLatin1String(name);
}

// Debian's interpreter, where python3-pyftpdlib and python3-asyncssh live.
inline QString python()
{
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                 : QStringLiteral("python3");
}

// True when python has module; otherwise skips (fails on CI) naming the Debian package.
inline bool havePythonModuleOrFail(const QString& module, const QString& debianPackage)
{
    QProcess probe;
    probe.start(python(), {QStringLiteral("-c"), QStringLiteral("import ") + module});
    if (probe.waitForFinished(20000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
        return true;
    missingOrFail(QStringLiteral("Python module %1 is missing (Debian package %2; scripts/setup installs it)")
                      .arg(module, debianPackage));
    return false;
}

// One running server script; stopped when dropped.
class ServerProcess
{
public:
    ~ServerProcess() { stop(); }

    // Starts script with arguments and waits for its port lines; false when it did not come up.
    bool start(const char* script, const QStringList& arguments)
    {
        m_process.setProgram(python());
        m_process.setArguments(
            QStringList{QStringLiteral("-W"), QStringLiteral("ignore"), serverScript(script)} + arguments);
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return false;
        while (m_process.state() == QProcess::Running) {
            if (!m_process.canReadLine() && !m_process.waitForReadyRead(15000))
                break;
            while (m_process.canReadLine()) {
                const QList<QByteArray> words = m_process.readLine().trimmed().split(' ');
                if (words.size() == 2)
                    m_ports.insert(QString::fromLatin1(words.at(0)), words.at(1).toInt());
            }
            if (!m_ports.isEmpty() && (!arguments.contains(QStringLiteral("--http")) || m_ports.size() > 1))
                return true;
        }
        m_errors = QString::fromUtf8(m_process.readAllStandardError());
        return false;
    }
    int port(const char* kind) const { return m_ports.value(QLatin1String(kind)); }
    QString errors() const { return m_errors; }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
    QMap<QString, int> m_ports;
    QString m_errors;
};

// Records every delegate call of a run.
class CallRecorder : public UploadFTPSViewDelegate
{
public:
    struct Call
    {
        bool result;
        QString details;
        qint32 index;
    };
    void UploadUpdate(UploadFTPS*, bool uploadResult, const QString& uploadDetails,
                      qint32 fileCounter) override
    {
        calls.append({uploadResult, uploadDetails, fileCounter});
    }
    void sendMailUpdate(UploadFTPS*, bool, const QString&) override {}
    // "YES/0 NO/1": the results and indexes in order.
    QString summary() const
    {
        QStringList parts;
        for (const Call& call : calls)
            parts.append(QStringLiteral("%1/%2").arg(call.result ? "YES" : "NO").arg(call.index));
        return parts.join(u' ');
    }
    QString lastDetails() const { return calls.isEmpty() ? QString() : calls.last().details; }

    QList<Call> calls;
};

inline UploadItem item(const QString& localPath, const QString& remoteFolder, const QString& remoteFileName)
{
    UploadItem entry;
    entry.setLocalPath(localPath);
    entry.setRemoteFolder(remoteFolder);
    entry.setRemoteFileName(remoteFileName);
    return entry;
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace uploadtest
