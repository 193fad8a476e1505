#include "platform/UserDefaults.h"

#include "platform/StringRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <fcntl.h>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

QMutex& storeMutex()
{
    static QMutex m;
    return m;
}

// The folder holding every edition's store; QUIB_SETTINGS_DIR redirects it (test runs).
QString settingsFolder()
{
    const QString overridden = qEnvironmentVariable("QUIB_SETTINGS_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/quib");
}

// Our own folder under the config location may be narrowed; a folder named by the environment is
// only narrowed when we create it.
bool ownsSettingsFolder()
{
    return qEnvironmentVariable("QUIB_SETTINGS_DIR").isEmpty();
}

// Edition names are display names ("Quib Responsive", ...); keep the file inside the folder whatever
// they contain.
QString sanitisedStoreName(const QString& editionName)
{
    QString name;
    for (const QChar c : editionName.trimmed()) {
        if (c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_' || c == u'.')
            name.append(c);
        else
            name.append(u'_');
    }
    while (name.startsWith(u'.'))
        name[0] = u'_';
    if (name.isEmpty())
        name = QStringLiteral("Quib");
    return name;
}

// The store will hold saved passwords: a folder we make is private to the user.
void ensureFolder(const QString& folder, bool tighten)
{
    QDir dir(folder);
    const bool existed = dir.exists();
    if (!existed && !QDir().mkpath(folder))
        return;
    if (!existed || tighten)
        ::chmod(QFile::encodeName(folder).constData(), S_IRWXU);
}

// Creates the file readable by its owner alone before QSettings first writes it (QSettings keeps the
// mode of an existing file when it rewrites it), and narrows a file that was left wider.
void ensurePrivateFile(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd >= 0)
        ::close(fd);
    ::chmod(native.constData(), S_IRUSR | S_IWUSR);
}

bool isNumeric(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// The INI file keeps flags as "true"/"false"; a stored flag read back must count as 1 or 0.
std::optional<bool> storedFlag(const QString& s)
{
    if (s == QLatin1String("true"))
        return true;
    if (s == QLatin1String("false"))
        return false;
    return std::nullopt;
}

} // namespace

UserDefaults& UserDefaults::standard()
{
    static UserDefaults* instance = new UserDefaults;
    return *instance;
}

UserDefaults::UserDefaults()
{
    if (QCoreApplication* app = QCoreApplication::instance(); app && thread() != app->thread())
        moveToThread(app->thread());
    m_settings = new QSettings(settingsFolder() + QStringLiteral("/Quib.ini"), QSettings::IniFormat);
    m_ownsFolder = ownsSettingsFolder();
}

UserDefaults::~UserDefaults()
{
    delete m_settings;
}

void UserDefaults::useEditionStore(const QString& editionDisplayName)
{
    const QString folder = settingsFolder();
    const QString path = folder + u'/' + sanitisedStoreName(editionDisplayName) + QStringLiteral(".ini");
    QMutexLocker lock(&storeMutex());
    m_settings->sync();
    delete m_settings;
    m_settings = new QSettings(path, QSettings::IniFormat);
    m_ownsFolder = ownsSettingsFolder();
}

void UserDefaults::useStoreFile(const QString& iniPath)
{
    const QString path = QFileInfo(iniPath).absoluteFilePath();
    QMutexLocker lock(&storeMutex());
    m_settings->sync();
    delete m_settings;
    m_settings = new QSettings(path, QSettings::IniFormat);
    m_ownsFolder = false;
}

QString UserDefaults::storeFile() const
{
    QMutexLocker lock(&storeMutex());
    return m_settings->fileName();
}

void UserDefaults::registerDefaults(const QVariantMap& defaults)
{
    QMutexLocker lock(&storeMutex());
    for (auto it = defaults.begin(); it != defaults.end(); ++it)
        m_registered.insert(it.key(), it.value());
}

void UserDefaults::clearRegisteredDefaults()
{
    QMutexLocker lock(&storeMutex());
    m_registered.clear();
}

bool UserDefaults::hasUserValue(const QString& key) const
{
    QMutexLocker lock(&storeMutex());
    return m_settings->contains(key);
}

QVariant UserDefaults::objectForKey(const QString& key) const
{
    QMutexLocker lock(&storeMutex());
    if (m_settings->contains(key))
        return m_settings->value(key);
    return m_registered.value(key);
}

QString UserDefaults::stringForKey(const QString& key) const
{
    const QVariant v = objectForKey(key);
    switch (v.typeId()) {
    case QMetaType::QString:
        return v.toString();
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    default:
        return isNumeric(v) ? v.toString() : QString();
    }
}

qint64 UserDefaults::integerForKey(const QString& key) const
{
    const QVariant v = objectForKey(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        const double d = v.toDouble();
        if (!(d == d))
            return 0;
        if (d >= 9.2233720368547758e18)
            return std::numeric_limits<qint64>::max();
        if (d <= -9.2233720368547758e18)
            return std::numeric_limits<qint64>::min();
        return qint64(d);
    }
    if (isNumeric(v))
        return v.toLongLong();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        if (const auto flag = storedFlag(s))
            return *flag ? 1 : 0;
        return integerValue(s);
    }
    return 0;
}

double UserDefaults::doubleForKey(const QString& key) const
{
    const QVariant v = objectForKey(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? 1 : 0;
    if (isNumeric(v))
        return v.toDouble();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        if (const auto flag = storedFlag(s))
            return *flag ? 1 : 0;
        return doubleValue(s);
    }
    return 0;
}

float UserDefaults::floatForKey(const QString& key) const
{
    return float(doubleForKey(key));
}

bool UserDefaults::boolForKey(const QString& key) const
{
    const QVariant v = objectForKey(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (isNumeric(v))
        return v.toDouble() != 0;
    if (v.typeId() == QMetaType::QString)
        return boolValue(v.toString());
    return false;
}

QStringList UserDefaults::stringArrayForKey(const QString& key) const
{
    const QVariant v = objectForKey(key);
    switch (v.typeId()) {
    case QMetaType::QStringList:
        return v.toStringList();
    case QMetaType::QString:
        // The INI file writes a list of one string as that string.
        return {v.toString()};
    case QMetaType::QVariantList: {
        QStringList out;
        for (const QVariant& item : v.toList()) {
            if (item.typeId() != QMetaType::QString && !isNumeric(item))
                return {};
            out.append(item.toString());
        }
        return out;
    }
    default:
        return {};
    }
}

QVariantMap UserDefaults::dictionaryForKey(const QString& key) const
{
    const QVariant v = objectForKey(key);
    if (v.typeId() == QMetaType::QVariantMap)
        return v.toMap();
    if (v.typeId() == QMetaType::QVariantHash) {
        QVariantMap out;
        const QVariantHash h = v.toHash();
        for (auto it = h.begin(); it != h.end(); ++it)
            out.insert(it.key(), it.value());
        return out;
    }
    return {};
}

void UserDefaults::setObject(const QString& key, const QVariant& value)
{
    if (!value.isValid()) {
        removeObject(key);
        return;
    }
    setObjects({{key, value}});
}

void UserDefaults::setObjects(const QVariantMap& values)
{
    QStringList changed;
    {
        QMutexLocker lock(&storeMutex());
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.value().isValid() || m_settings->contains(it.key()))
                changed.append(it.key());
        }
        if (changed.isEmpty())
            return;
        ensureFolder(QFileInfo(m_settings->fileName()).absolutePath(), m_ownsFolder);
        ensurePrivateFile(m_settings->fileName());
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.value().isValid())
                m_settings->setValue(it.key(), it.value());
            else
                m_settings->remove(it.key());
        }
        // Written at once: a crash must not lose a setting, and the mode is checked after each write.
        m_settings->sync();
        ensurePrivateFile(m_settings->fileName());
    }
    for (const QString& key : std::as_const(changed))
        Q_EMIT defaultsChanged(key);
}

void UserDefaults::removeObject(const QString& key)
{
    {
        QMutexLocker lock(&storeMutex());
        if (!m_settings->contains(key))
            return;
        m_settings->remove(key);
        m_settings->sync();
        ensurePrivateFile(m_settings->fileName());
    }
    Q_EMIT defaultsChanged(key);
}

void UserDefaults::synchronize()
{
    QMutexLocker lock(&storeMutex());
    m_settings->sync();
}

} // namespace platform
