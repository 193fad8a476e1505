// One of our own libraries that is loaded when first needed rather than at launch: each library the
// program links is mapped and bound before main, so what only a few flows use waits for them.
#pragma once
#include <QFunctionPointer>
#include <QLibrary>
#include <QMutex>
#include <QString>

#include <memory>

namespace platform {

class LoadableModule
{
public:
    // fileName: as CMake builds it beside the executables; kind: what the module is, for the message
    // when a library lacks a function ("preview").
    LoadableModule(const char* fileName, const char* kind);
    LoadableModule(const LoadableModule&) = delete;
    LoadableModule& operator=(const LoadableModule&) = delete;

    // Beside the program unless set.
    QString path() const;
    // An empty path goes back to the default. The next call to function() tries again.
    void setPath(const QString& path);

    // The exported function of that name, loading the module on the first call; nullptr, with the
    // reason in error, when it cannot be had. Safe from any thread.
    QFunctionPointer function(const char* name, QString& error);

    // A new object from the module's factory of that name, which takes the interface version and
    // answers nullptr for one it was not built for; nothing, with the reason in error, otherwise.
    template <class T> std::unique_ptr<T> make(const char* name, int version, QString& error)
    {
        using Factory = T* (*)(int interfaceVersion);
        std::unique_ptr<T> made;
        if (const auto factory = reinterpret_cast<Factory>(function(name, error)))
            made.reset(factory(version));
        if (!made && error.isEmpty())
            error = QStringLiteral("%1 was built for another version").arg(path());
        return made;
    }

private:
    QString pathLocked() const;

    mutable QMutex m_mutex;
    const char* m_fileName;
    const char* m_kind;
    QString m_path;
    // Never unloaded: objects it made may outlive any one user.
    QLibrary m_library;
    bool m_tried = false;
    bool m_loaded = false;
    QString m_error;
};

} // namespace platform
