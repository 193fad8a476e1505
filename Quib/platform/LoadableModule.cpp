#include "platform/LoadableModule.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace platform {

LoadableModule::LoadableModule(const char* fileName, const char* kind) : m_fileName(fileName), m_kind(kind) {}

QString LoadableModule::path() const
{
    QMutexLocker lock(&m_mutex);
    return pathLocked();
}

QString LoadableModule::pathLocked() const
{
    if (!m_path.isEmpty())
        return m_path;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(m_fileName));
}

void LoadableModule::setPath(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_path = path;
    m_tried = false;
    m_loaded = false;
    m_error.clear();
}

QFunctionPointer LoadableModule::function(const char* name, QString& error)
{
    QMutexLocker lock(&m_mutex);
    const QString path = pathLocked();
    if (!m_tried) {
        m_tried = true;
        m_library.setFileName(path);
        if (!QFileInfo::exists(path))
            m_error = QStringLiteral("%1 is missing").arg(path);
        else if (!m_library.load())
            m_error = m_library.errorString();
        else
            m_loaded = true;
        if (!m_loaded)
            qWarning().noquote() << "module not loaded:" << m_error;
    }
    if (!m_loaded) {
        error = m_error;
        return nullptr;
    }
    const QFunctionPointer function = m_library.resolve(name);
    error = function ? QString() : QStringLiteral("%1 is not a %2 module").arg(path, QLatin1String(m_kind));
    return function;
}

} // namespace platform
