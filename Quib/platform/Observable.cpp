#include "platform/Observable.h"

#include <QDebug>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QPointer>
#include <utility>

namespace platform {

namespace {

// Bounded: keys can come from outside (pasted or stored property names).
constexpr qsizetype kMaxKeysPerClass = 4096;

template <class Key> QHash<Key, int>& indexTable(const QMetaObject* meta)
{
    thread_local QHash<const QMetaObject*, QHash<Key, int>> table;
    return table[meta];
}

} // namespace

int propertyIndex(const QMetaObject* meta, const QString& key)
{
    QHash<QString, int>& indexes = indexTable<QString>(meta);
    if (const auto it = indexes.constFind(key); it != indexes.cend())
        return *it;
    const int index = meta->indexOfProperty(key.toUtf8().constData());
    if (indexes.size() < kMaxKeysPerClass)
        indexes.insert(key, index);
    return index;
}

int propertyIndex(const QMetaObject* meta, const char* key)
{
    QHash<QByteArray, int>& indexes = indexTable<QByteArray>(meta);
    // Looked up without a copy; the table keeps one of its own, as key may be gone by the next call.
    if (const auto it = indexes.constFind(QByteArray::fromRawData(key, qsizetype(qstrlen(key))));
        it != indexes.cend())
        return *it;
    const int index = meta->indexOfProperty(key);
    if (indexes.size() < kMaxKeysPerClass)
        indexes.insert(QByteArray(key), index);
    return index;
}

QVariant propertyValue(const QObject* object, const char* key)
{
    if (!object)
        return {};
    const QMetaObject* meta = object->metaObject();
    const int index = propertyIndex(meta, key);
    return index >= 0 ? meta->property(index).read(object) : object->property(key);
}

Observable::Observable(QObject* parent) : QObject(parent) {}

Observable::~Observable()
{
    // A listener may remove itself (or others) while told.
    while (!m_changeListeners.isEmpty()) {
        ChangeListener* listener = m_changeListeners.back();
        m_changeListeners.pop_back();
        listener->observedObjectDestroyed(this);
    }
}

void Observable::addChangeListener(ChangeListener* listener)
{
    if (listener && !m_changeListeners.contains(listener))
        m_changeListeners.append(listener);
}

void Observable::removeChangeListener(ChangeListener* listener)
{
    m_changeListeners.removeAll(listener);
}

bool Observable::reportChange(const QString& key, const QVariant& oldValue, const QVariant& newValue)
{
    QPointer<Observable> self(this);
    if (!m_changeListeners.isEmpty()) {
        // Listeners may add or remove listeners while told: each one present now is told once.
        const QVarLengthArray<ChangeListener*, 1> listeners = m_changeListeners;
        for (ChangeListener* listener : listeners) {
            if (!m_changeListeners.contains(listener))
                continue;
            listener->observedValueChanged(this, key, oldValue, newValue);
            if (!self)
                return false;
        }
    }
    emit valueChanged(this, key, oldValue, newValue);
    return !self.isNull();
}

namespace {

bool isListenerSignal(const QMetaMethod& signal)
{
    static const QMetaMethod willChangeSignal = QMetaMethod::fromSignal(&Observable::willChange);
    static const QMetaMethod valueChangedSignal = QMetaMethod::fromSignal(&Observable::valueChanged);
    return signal == willChangeSignal || signal == valueChangedSignal;
}

} // namespace

void Observable::connectNotify(const QMetaMethod& signal)
{
    if (isListenerSignal(signal))
        m_listenerConnections.fetch_add(1, std::memory_order_relaxed);
    QObject::connectNotify(signal);
}

void Observable::disconnectNotify(const QMetaMethod& signal)
{
    // One report may stand for several connections gone, so the count can stay above the real
    // number (and isObserved then asks the connection lists); it never drops below it.
    if (isListenerSignal(signal)) {
        int n = m_listenerConnections.load(std::memory_order_relaxed);
        while (n > 0 && !m_listenerConnections.compare_exchange_weak(n, n - 1, std::memory_order_relaxed)) {
        }
    }
    QObject::disconnectNotify(signal);
}

bool Observable::isObserved() const
{
    static const QMetaMethod willChangeSignal = QMetaMethod::fromSignal(&Observable::willChange);
    static const QMetaMethod valueChangedSignal = QMetaMethod::fromSignal(&Observable::valueChanged);
    if (m_batchDepth > 0 || !m_pending.isEmpty() || !m_changeListeners.isEmpty())
        return true;
    // A graphic being built from a page has never had a listener: no need to ask the connection lists.
    if (m_listenerConnections.load(std::memory_order_relaxed) == 0)
        return false;
    return isSignalConnected(willChangeSignal) || isSignalConnected(valueChangedSignal);
}

QVariant Observable::valueForKey(const QString& key) const
{
    const QMetaObject* meta = metaObject();
    const int index = propertyIndex(meta, key);
    if (index < 0) {
        qWarning() << meta->className() << "has no value for key" << key;
        return {};
    }
    return meta->property(index).read(this);
}

bool Observable::setValueForKey(const QString& key, const QVariant& value)
{
    const QMetaObject* meta = metaObject();
    const int index = propertyIndex(meta, key);
    if (index < 0) {
        qWarning() << meta->className() << "cannot set unknown key" << key;
        return false;
    }
    const QMetaProperty property = meta->property(index);
    if (!property.isWritable()) {
        qWarning() << meta->className() << "cannot set read-only key" << key;
        return false;
    }
    if (!property.write(this, value)) {
        qWarning() << meta->className() << "cannot set" << key << "to" << value;
        return false;
    }
    return true;
}

QVariantMap Observable::valuesForKeys(const QStringList& keys) const
{
    QVariantMap values;
    for (const QString& key : keys)
        values.insert(key, valueForKey(key));
    return values;
}

QStringList Observable::keysAffectedByKey(const QString&) const
{
    return {};
}

QStringList Observable::keyWithDependents(const QString& key) const
{
    // Breadth first, key first, each key once even when the dependencies form a cycle.
    QStringList keys{key};
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QStringList affected = keysAffectedByKey(keys.at(i));
        for (const QString& dependent : affected) {
            if (!keys.contains(dependent))
                keys.append(dependent);
        }
    }
    return keys;
}

void Observable::openKeys(const QStringList& keys)
{
    QStringList announce;
    for (const QString& key : keys) {
        Pending& pending = m_pending[key];
        if (pending.depth++ == 0) {
            pending.oldValue = valueForKey(key);
            if (!m_batched.contains(key))
                announce.append(key);
        }
    }
    QPointer<Observable> self(this);
    for (const QString& key : announce) {
        emit willChange(this, key);
        if (!self)
            return;
    }
}

void Observable::closeKeys(const QStringList& keys)
{
    struct Change
    {
        QString key;
        QVariant oldValue;
        QVariant newValue;
    };
    QList<Change> changes;
    for (const QString& key : keys) {
        auto it = m_pending.find(key);
        if (it == m_pending.end())
            continue;
        if (--it->depth > 0)
            continue;
        Change change{key, it->oldValue, valueForKey(key)};
        m_pending.erase(it);
        if (m_batchDepth > 0) {
            auto batched = m_batched.find(key);
            if (batched == m_batched.end()) {
                m_batched.insert(key, {change.oldValue, change.newValue});
                m_batchOrder.append(key);
            } else {
                batched->newValue = change.newValue;
            }
            continue;
        }
        changes.append(change);
    }
    // Observers may change this object again or delete it; all bookkeeping is done by now.
    for (const Change& change : changes) {
        if (!reportChange(change.key, change.oldValue, change.newValue))
            return;
    }
}

void Observable::willChangeValueForKey(const QString& key)
{
    const QStringList keys = keyWithDependents(key);
    // The did closes exactly what this will opened, even if the dependencies change in between.
    m_bracketKeys[key].append(keys);
    openKeys(keys);
}

void Observable::didChangeValueForKey(const QString& key)
{
    closeKeys(takeBracket(key));
}

void Observable::willChangeArray(const QString& key, ArrayChange, const QList<int>&)
{
    QStringList dependents = keyWithDependents(key);
    dependents.removeFirst();
    m_bracketKeys[key].append(dependents);
    QPointer<Observable> self(this);
    emit willChange(this, key);
    if (!self)
        return;
    openKeys(dependents);
}

void Observable::didChangeArray(const QString& key, ArrayChange kind, const QList<int>& indexes,
                                const QVariantList& oldObjects)
{
    const QStringList dependents = takeBracket(key);
    QPointer<Observable> self(this);
    emit arrayChanged(this, key, kind, indexes, kind == ArrayChange::Insertion ? QVariantList() : oldObjects);
    if (!self)
        return;
    closeKeys(dependents);
}

QStringList Observable::takeBracket(const QString& key)
{
    auto it = m_bracketKeys.find(key);
    if (it == m_bracketKeys.end()) {
        qWarning() << metaObject()->className() << "did change" << key << "without will change";
        return {};
    }
    const QStringList keys = it->takeLast();
    if (it->isEmpty())
        m_bracketKeys.erase(it);
    return keys;
}

void Observable::beginChanges()
{
    ++m_batchDepth;
}

void Observable::endChanges()
{
    if (m_batchDepth == 0) {
        qWarning() << metaObject()->className() << "endChanges without beginChanges";
        return;
    }
    if (--m_batchDepth > 0)
        return;
    const QStringList order = std::exchange(m_batchOrder, {});
    const QHash<QString, Batched> batched = std::exchange(m_batched, {});
    for (const QString& key : order) {
        const Batched& change = batched.value(key);
        if (!reportChange(key, change.oldValue, change.newValue))
            return;
    }
}

QMetaObject::Connection observe(Observable* object, QObject* context, ValueObserver handler)
{
    if (!object)
        return {};
    return QObject::connect(object, &Observable::valueChanged, context ? context : object,
                            std::move(handler));
}

} // namespace platform
