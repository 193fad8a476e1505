#include "platform/KeychainSecretStore.h"

#include "platform/UserDefaults.h"

#include <QEventLoop>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace platform {

namespace {

// The settings file's own map of passwords, used only where no Secret Service answers.
const QString kSettingsKey = QStringLiteral("storedPasswords");
// A keyring that does not answer within this time counts as absent.
constexpr int kJobTimeoutMs = 10000;

// Runs a keychain job to its end on the calling thread; false when it timed out.
bool runJob(QKeychain::Job& job)
{
    job.setAutoDelete(false);
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(kJobTimeoutMs, &loop, &QEventLoop::quit);
    job.start();
    if (!finished)
        loop.exec();
    return finished;
}

} // namespace

KeychainSecretStore::KeychainSecretStore(const QString& service) : m_service(service) {}

KeychainSecretStore::Backend KeychainSecretStore::backend()
{
    QMutexLocker lock(&m_mutex);
    if (m_backend != Backend::Unknown)
        return m_backend;
    // A keyring that can say "no such entry" is there.
    QKeychain::ReadPasswordJob probe(m_service);
    probe.setKey(QStringLiteral("availability-probe"));
    const bool answered = runJob(probe);
    const bool present =
        answered && (probe.error() == QKeychain::NoError || probe.error() == QKeychain::EntryNotFound);
    m_backend = present ? Backend::SecretService : Backend::SettingsFile;
    return m_backend;
}

bool KeychainSecretStore::usesSettingsFile() const
{
    return const_cast<KeychainSecretStore*>(this)->backend() == Backend::SettingsFile;
}

std::optional<QString> KeychainSecretStore::read(const SecretKey& key)
{
    if (backend() == Backend::SettingsFile) {
        const QVariantMap stored = UserDefaults::standard().dictionaryForKey(kSettingsKey);
        const auto found = stored.constFind(key.text());
        if (found == stored.constEnd())
            return std::nullopt;
        return found->toString();
    }
    QKeychain::ReadPasswordJob job(m_service);
    job.setKey(key.text());
    if (!runJob(job) || job.error() != QKeychain::NoError)
        return std::nullopt;
    return job.textData();
}

bool KeychainSecretStore::write(const SecretKey& key, const QString& secret)
{
    if (backend() == Backend::SettingsFile) {
        QVariantMap stored = UserDefaults::standard().dictionaryForKey(kSettingsKey);
        stored.insert(key.text(), secret);
        UserDefaults::standard().setObject(kSettingsKey, stored);
        return true;
    }
    QKeychain::WritePasswordJob job(m_service);
    job.setKey(key.text());
    job.setTextData(secret);
    return runJob(job) && job.error() == QKeychain::NoError;
}

bool KeychainSecretStore::remove(const SecretKey& key)
{
    if (backend() == Backend::SettingsFile) {
        QVariantMap stored = UserDefaults::standard().dictionaryForKey(kSettingsKey);
        const bool removed = stored.remove(key.text()) > 0;
        UserDefaults::standard().setObject(kSettingsKey, stored);
        return removed;
    }
    QKeychain::DeletePasswordJob job(m_service);
    job.setKey(key.text());
    return runJob(job) && job.error() == QKeychain::NoError;
}

} // namespace platform
