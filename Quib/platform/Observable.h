// Key-value access and change observation for graphics and property carriers. Every property is
// a Qt property reachable by name; setters report their changes here, and undo, redrawing and
// the inspector all listen to the same signals.
#pragma once
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#include <QVarLengthArray>
#include <atomic>
#include <functional>
#include <type_traits>

namespace platform {

enum class ArrayChange { Insertion, Removal, Replacement };

// The index of a class's Qt property by name, as QMetaObject::indexOfProperty gives it, answered
// from a per-thread table: a page's open and save read hundreds of thousands of properties by name
// from classes with a hundred each. -1 for a name the class lacks.
int propertyIndex(const QMetaObject* meta, const QString& key);
int propertyIndex(const QMetaObject* meta, const char* key);
// QObject::property through that table (dynamic properties included).
QVariant propertyValue(const QObject* object, const char* key);

class Observable : public QObject
{
    Q_OBJECT
public:
    explicit Observable(QObject* parent = nullptr);
    ~Observable() override;

    // The Qt property named key; an invalid QVariant (and a warning) for a key the class lacks.
    QVariant valueForKey(const QString& key) const;
    // Writes through the property's setter, so the setter reports the change. False for an unknown
    // or read-only key, or a value that cannot be converted to the property's type.
    bool setValueForKey(const QString& key, const QVariant& value);
    QVariantMap valuesForKeys(const QStringList& keys) const;

    // Brackets around a change of key. They nest: the old values of key and of every key that
    // depends on it are taken at the outermost will, and the change is reported at the outermost did.
    void willChangeValueForKey(const QString& key);
    void didChangeValueForKey(const QString& key);

    // Keys whose value depends on key (a bounds change also changes drawingBounds). Subclasses
    // override, call the base and add their own; dependents of dependents are followed.
    virtual QStringList keysAffectedByKey(const QString& key) const;

    // Brackets around a change of the to-many property key at the given indexes. oldObjects are
    // the elements removed or replaced, given by the caller since they are gone after the change.
    void willChangeArray(const QString& key, ArrayChange kind, const QList<int>& indexes);
    void didChangeArray(const QString& key, ArrayChange kind, const QList<int>& indexes,
                        const QVariantList& oldObjects = {});

    // Holds back valueChanged until the outermost endChanges, so a key changed several times in the
    // batch is reported once, with its first old value and its last new value. Array changes are
    // not held back.
    void beginChanges();
    void endChanges();

    // A listener called with every reported value change, before the valueChanged signal: for a
    // container that follows thousands of objects (a document its graphics), where a connection
    // each would cost an allocation and a lock per object. Told when an object it listens to is
    // destroyed; it must remove itself from every object before it is destroyed itself.
    class ChangeListener
    {
    public:
        virtual void observedValueChanged(Observable* object, const QString& key, const QVariant& oldValue,
                                          const QVariant& newValue) = 0;
        virtual void observedObjectDestroyed(Observable* object) = 0;

    protected:
        ~ChangeListener() = default;
    };
    // Same thread as the changes. Adding a listener twice is refused.
    void addChangeListener(ChangeListener* listener);
    void removeChangeListener(ChangeListener* listener);

signals:
    void willChange(platform::Observable* object, const QString& key);
    void valueChanged(platform::Observable* object, const QString& key, const QVariant& oldValue,
                      const QVariant& newValue);
    void arrayChanged(platform::Observable* object, const QString& key, platform::ArrayChange kind,
                      const QList<int>& indexes, const QVariantList& oldObjects);

private:
    template <class T> static bool sameValue(const T& a, const T& b) { return a == b; }
    // Qt compares two lists with memcmp even when both are empty, and an empty list may hold no
    // buffer at all: passing its null pointer to memcmp is undefined.
    template <class T> static bool sameValue(const QList<T>& a, const QList<T>& b)
    {
        return a.size() == b.size() && (a.isEmpty() || a == b);
    }

protected:
    // For setters: assigns value to member between will and did brackets for key. An assignment
    // that leaves the value unchanged is not reported at all, so it records no undo and causes no
    // redraw; returns whether the value changed.
    template <class T> bool changeValue(T& member, const std::type_identity_t<T>& value, const char* key)
    {
        if (sameValue(member, value))
            return false;
        if (!isObserved()) {
            member = value;
            return true;
        }
        const QString k = QString::fromLatin1(key);
        willChangeValueForKey(k);
        member = value;
        didChangeValueForKey(k);
        return true;
    }

    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;

private:
    // Whether a change could be heard: someone listens, or a bracket or batch is open. A graphic
    // being built from a stored page has no listener yet and sets a hundred values.
    bool isObserved() const;

    struct Pending
    {
        int depth = 0;
        QVariant oldValue;
    };
    struct Batched
    {
        QVariant oldValue;
        QVariant newValue;
    };

    QStringList keyWithDependents(const QString& key) const;
    // Tells the listeners, then the signal's receivers; false when this object was destroyed meanwhile.
    bool reportChange(const QString& key, const QVariant& oldValue, const QVariant& newValue);
    void openKeys(const QStringList& keys);
    void closeKeys(const QStringList& keys);
    QStringList takeBracket(const QString& key);

    QHash<QString, Pending> m_pending;
    QHash<QString, QList<QStringList>> m_bracketKeys; // per key, what each open will opened
    int m_batchDepth = 0;
    // Connections ever made to willChange or valueChanged, less those reported gone: never below the
    // real number, so 0 answers "nobody listens" without asking the connection lists.
    std::atomic<int> m_listenerConnections{0};
    QStringList m_batchOrder;
    QHash<QString, Batched> m_batched;
    QVarLengthArray<ChangeListener*, 1> m_changeListeners;
};

using ValueObserver = std::function<void(Observable* object, const QString& key, const QVariant& oldValue,
                                         const QVariant& newValue)>;

// Calls handler for every change reported by object, until context (or object) is destroyed.
QMetaObject::Connection observe(Observable* object, QObject* context, ValueObserver handler);

} // namespace platform
