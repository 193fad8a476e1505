// Named notifications posted by any object and delivered to every observer of that name.
#pragma once
#include <QMetaObject>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <map>
#include <memory>

namespace platform {

struct Notification
{
    QString name;
    QObject* sender = nullptr;
    QVariantMap userInfo;
};

class NotificationCenter
{
public:
    using ObserverId = quint64;
    using Handler = std::function<void(const Notification&)>;

    NotificationCenter();
    ~NotificationCenter();
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    static NotificationCenter& defaultCenter();

    // An empty name observes every notification; a null sender accepts any sender. The observer
    // goes away by itself when context is destroyed (a null context lives until removed).
    ObserverId addObserver(const QString& name, QObject* context, Handler handler,
                           const QObject* sender = nullptr);
    void removeObserver(ObserverId id);
    void removeObserversForContext(QObject* context);

    // Delivers on the calling thread, in registration order, with no lock held: a handler may add
    // or remove observers. One removed meanwhile is not called; one added meanwhile waits for the
    // next post.
    void post(const QString& name, QObject* sender = nullptr, const QVariantMap& userInfo = {});

private:
    struct Observer
    {
        QString name;
        QObject* context = nullptr;
        const QObject* sender = nullptr;
        std::shared_ptr<Handler> handler;
        QMetaObject::Connection contextGone;
    };

    mutable QMutex m_mutex;
    std::map<ObserverId, Observer> m_observers; // ids grow, so this is registration order
    ObserverId m_nextId = 1;
};

} // namespace platform
