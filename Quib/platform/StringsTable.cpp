#include "platform/StringsTable.h"

#include <QMutex>

namespace platform {
namespace {
QMutex& tablesMutex()
{
    static QMutex m;
    return m;
}
QHash<QString, QHash<QString, QString>>& tables()
{
    static QHash<QString, QHash<QString, QString>> t;
    return t;
}
} // namespace

void StringsTable::registerEntries(const QString& table, const QHash<QString, QString>& entries)
{
    QMutexLocker lock(&tablesMutex());
    auto& t = tables()[table];
    for (auto it = entries.begin(); it != entries.end(); ++it)
        t.insert(it.key(), it.value());
}

QString StringsTable::lookup(const QString& key, const QString& table)
{
    QMutexLocker lock(&tablesMutex());
    const auto t = tables().constFind(table);
    if (t == tables().constEnd())
        return key;
    return t->value(key, key);
}

bool StringsTable::contains(const QString& key, const QString& table)
{
    QMutexLocker lock(&tablesMutex());
    const auto t = tables().constFind(table);
    return t != tables().constEnd() && t->contains(key);
}

} // namespace platform
