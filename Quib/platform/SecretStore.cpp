#include "platform/SecretStore.h"

#include "platform/Dialogs.h"
#include "platform/KeychainSecretStore.h"
#include "platform/StringRules.h"

#include <QUrl>
#include <atomic>

namespace platform {

namespace {
std::atomic<SecretStore*> gInstalled{nullptr};
}

SecretKey SecretKey::fromSettings(const QString& connectionType, const QString& user, const QString& server,
                                  const QString& portText)
{
    SecretKey key;
    key.protocol = (connectionType == QLatin1String("SFTP") || connectionType == QLatin1String("FTPS"))
                       ? connectionType
                       : QStringLiteral("FTP");
    key.user = user;
    key.server = server;
    const int port = platform::intValue(portText);
    key.port = (port > 0 && port <= 65535) ? port : (key.protocol == QLatin1String("SFTP") ? 22 : 21);
    return key;
}

QString SecretKey::text() const
{
    // '@', ':' and '/' are encoded inside the parts, so "a@b" at "c" never reads as "a" at "b@c".
    const QByteArray reserved(":/@?#[]%");
    return QStringLiteral("%1://%2@%3:%4")
        .arg(protocol.toLower(), QString::fromLatin1(QUrl::toPercentEncoding(user, {}, reserved)),
             QString::fromLatin1(QUrl::toPercentEncoding(server, {}, reserved)), QString::number(port));
}

SecretStore& SecretStore::current()
{
    if (SecretStore* installed = gInstalled.load())
        return *installed;
    static KeychainSecretStore system(QStringLiteral("Quib"));
    return system;
}

void SecretStore::setCurrent(SecretStore* store)
{
    gInstalled.store(store);
}

std::optional<QString> MemorySecretStore::read(const SecretKey& key)
{
    QMutexLocker lock(&m_mutex);
    const auto found = m_secrets.constFind(key.text());
    if (found == m_secrets.constEnd())
        return std::nullopt;
    return *found;
}

bool MemorySecretStore::write(const SecretKey& key, const QString& secret)
{
    QMutexLocker lock(&m_mutex);
    m_secrets.insert(key.text(), secret);
    return true;
}

bool MemorySecretStore::remove(const SecretKey& key)
{
    QMutexLocker lock(&m_mutex);
    return m_secrets.remove(key.text()) > 0;
}

QMap<QString, QString> MemorySecretStore::contents() const
{
    QMutexLocker lock(&m_mutex);
    return m_secrets;
}

ScopedSecretStore::ScopedSecretStore() : m_previous(gInstalled.load())
{
    SecretStore::setCurrent(&m_store);
}

ScopedSecretStore::~ScopedSecretStore()
{
    SecretStore::setCurrent(m_previous);
}

bool writeSecretOrAlert(const SecretKey& key, const QString& secret)
{
    if (SecretStore::current().write(key, secret))
        return true;
    Alert alert;
    alert.style = AlertStyle::Critical;
    alert.title = QStringLiteral("The password could not be saved");
    alert.informativeText =
        QStringLiteral("Your keyring did not accept it. Unlock the keyring, then save the settings again.");
    alert.buttons = {QStringLiteral("OK")};
    showAlert(alert);
    return false;
}

} // namespace platform
