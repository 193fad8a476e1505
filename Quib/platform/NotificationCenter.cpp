#include "platform/NotificationCenter.h"

#include <QMutexLocker>
#include <utility>
#include <vector>

namespace platform {

NotificationCenter::NotificationCenter() = default;

NotificationCenter::~NotificationCenter()
{
    QMutexLocker lock(&m_mutex);
    for (auto& [id, observer] : m_observers)
        QObject::disconnect(observer.contextGone);
}

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::ObserverId NotificationCenter::addObserver(const QString& name, QObject* context,
                                                               Handler handler, const QObject* sender)
{
    QMutexLocker lock(&m_mutex);
    const ObserverId id = m_nextId++;
    Observer observer{name, context, sender, std::make_shared<Handler>(std::move(handler)), {}};
    if (context) {
        // Direct connection: the entry goes while the context is being destroyed, on its thread.
        observer.contextGone =
            QObject::connect(context, &QObject::destroyed, [this, id] { removeObserver(id); });
    }
    m_observers.emplace(id, std::move(observer));
    return id;
}

void NotificationCenter::removeObserver(ObserverId id)
{
    QMutexLocker lock(&m_mutex);
    const auto it = m_observers.find(id);
    if (it == m_observers.end())
        return;
    QObject::disconnect(it->second.contextGone);
    m_observers.erase(it);
}

void NotificationCenter::removeObserversForContext(QObject* context)
{
    if (!context)
        return;
    QMutexLocker lock(&m_mutex);
    for (auto it = m_observers.begin(); it != m_observers.end();) {
        if (it->second.context == context) {
            QObject::disconnect(it->second.contextGone);
            it = m_observers.erase(it);
        } else {
            ++it;
        }
    }
}

void NotificationCenter::post(const QString& name, QObject* sender, const QVariantMap& userInfo)
{
    std::vector<ObserverId> matching;
    {
        QMutexLocker lock(&m_mutex);
        for (const auto& [id, observer] : m_observers) {
            if ((observer.name.isEmpty() || observer.name == name) &&
                (!observer.sender || observer.sender == sender))
                matching.push_back(id);
        }
    }
    const Notification notification{name, sender, userInfo};
    for (const ObserverId id : matching) {
        std::shared_ptr<Handler> handler;
        {
            QMutexLocker lock(&m_mutex);
            const auto it = m_observers.find(id);
            if (it == m_observers.end())
                continue; // removed by an earlier handler
            handler = it->second.handler;
        }
        if (*handler)
            (*handler)(notification);
    }
}

} // namespace platform
