// The system's password store: the Secret Service through qtkeychain. When the session offers no
// Secret Service (no D-Bus, no keyring daemon), passwords go to the settings file instead, which is
// readable by its owner alone; usesSettingsFile() then says so, for the windows to tell the user.
#pragma once
#include "platform/SecretStore.h"

#include <QMutex>

namespace platform {

class KeychainSecretStore : public SecretStore
{
public:
    // service names the application's entries in the keyring.
    explicit KeychainSecretStore(const QString& service);

    std::optional<QString> read(const SecretKey& key) override;
    bool write(const SecretKey& key, const QString& secret) override;
    bool remove(const SecretKey& key) override;
    bool usesSettingsFile() const override;

private:
    enum class Backend { Unknown, SecretService, SettingsFile };
    Backend backend();

    QString m_service;
    mutable QMutex m_mutex;
    Backend m_backend = Backend::Unknown;
};

} // namespace platform
