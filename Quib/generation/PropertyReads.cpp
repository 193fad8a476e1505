#include "generation/PropertyReads.h"

#include "platform/Observable.h"

#include <QHash>
#include <QMetaProperty>

namespace generation {

namespace {

struct Key
{
    const QMetaObject* meta;
    const char* name;
    bool operator==(const Key& other) const { return meta == other.meta && name == other.name; }
};

size_t qHash(const Key& key, size_t seed = 0)
{
    return qHashMulti(seed, key.meta, key.name);
}

// The writers' names are a fixed set, so this stays small; the bound keeps it so whatever calls it.
constexpr qsizetype kMaxKeys = 8192;

} // namespace

QVariant propertyValue(const QObject* object, const char* name)
{
    if (!object)
        return {};
    thread_local QHash<Key, int> indexes;
    const QMetaObject* meta = object->metaObject();
    const Key key{meta, name};
    auto it = indexes.constFind(key);
    int index;
    if (it != indexes.cend()) {
        index = *it;
    } else {
        index = platform::propertyIndex(meta, name);
        if (indexes.size() < kMaxKeys)
            indexes.insert(key, index);
    }
    return index >= 0 ? meta->property(index).read(object) : object->property(name);
}

} // namespace generation
