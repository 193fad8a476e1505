// The user's settings, with registered defaults, over QSettings (INI file).
// Each edition keeps its own store, as the editions were separate applications.
// Values are kept as QVariants; the INI file writes numbers and flags as text (and a one-string list
// as that string), so read them back with the typed getters. The store holds saved passwords: its
// file is created readable by its owner alone (0600), the edition folder 0700.
// Getters and setters lock, so workers may read; changes are written to disk at once.
#pragma once
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

class QSettings;

namespace platform {

class UserDefaults : public QObject
{
    Q_OBJECT
public:
    static UserDefaults& standard();

    // Points the store at the settings file of an edition (under the user's config folder).
    void useEditionStore(const QString& editionDisplayName);
    // Points the store at an explicit INI file (tests use a temporary folder).
    void useStoreFile(const QString& iniPath);
    QString storeFile() const;

    // Values answered for keys the user has not set; never written to the store.
    void registerDefaults(const QVariantMap& defaults);
    void clearRegisteredDefaults();

    bool hasUserValue(const QString& key) const;
    // The user's value, else the registered default, else an invalid QVariant.
    QVariant objectForKey(const QString& key) const;
    QString stringForKey(const QString& key) const; // "" when missing
    qint64 integerForKey(const QString& key) const; // 0 when missing or not a number
    double doubleForKey(const QString& key) const;  // 0 when missing or not a number
    float floatForKey(const QString& key) const;
    bool boolForKey(const QString& key) const; // NO when missing; "1"/"YES"/"true" are yes
    QStringList stringArrayForKey(const QString& key) const;
    QVariantMap dictionaryForKey(const QString& key) const;

    void setObject(const QString& key, const QVariant& value);
    void setInteger(const QString& key, qint64 value) { setObject(key, value); }
    void setBool(const QString& key, bool value) { setObject(key, value); }
    void setDouble(const QString& key, double value) { setObject(key, value); }
    // Several values in one write to disk; an invalid value removes its key.
    void setObjects(const QVariantMap& values);
    void removeObject(const QString& key);
    void synchronize();

Q_SIGNALS:
    void defaultsChanged(const QString& key);

private:
    UserDefaults();
    ~UserDefaults() override;
    QSettings* m_settings = nullptr;
    QVariantMap m_registered;
    // The edition stores' folder is ours to keep private; a folder given by useStoreFile is not.
    bool m_ownsFolder = true;
};

} // namespace platform
