// Helpers shared by the archive tests: copying fixtures, snapshots of folders, and an independent
// reader (Info-ZIP's unzip).
#pragma once
#include "common/ExternalTools.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace archivetest {

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

inline void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + QDir(from).relativeFilePath(path).prepend(u'/');
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(path, target);
    }
}

// Every entry below folder: relative path -> bytes (folders end in "/" and map to "").
inline QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(folder).relativeFilePath(path);
        if (it.fileInfo().isDir() && !it.fileInfo().isSymLink())
            entries.insert(relative + u'/', QByteArray());
        else
            entries.insert(relative, readBytes(path));
    }
    return entries;
}

struct ProcessResult
{
    int exitCode = -1;
    QString output;
};

inline ProcessResult runTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

// Whether Info-ZIP's unzip is here to check archives; when not, the test is skipped (failed on CI).
inline bool haveUnzip()
{
    return haveProgramOrFail(QStringLiteral("unzip"), QStringLiteral("unzip"));
}

// Member names in archive order, as Info-ZIP lists them.
inline QStringList unzipList(const QString& archive)
{
    const ProcessResult result = runTool(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive});
    return result.output.split(u'\n', Qt::SkipEmptyParts);
}

inline bool unzipTestPasses(const QString& archive)
{
    return runTool(QStringLiteral("unzip"), {QStringLiteral("-tq"), archive}).exitCode == 0;
}

} // namespace archivetest
