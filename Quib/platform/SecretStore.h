// Passwords of the user's accounts (FTP, FTPS, SFTP), kept apart from the other settings. The
// process uses one store: the Secret Service through qtkeychain where a session offers one, else the
// owner-only settings file, and tests install an in-memory store. Calls block the calling thread
// until the store answers (a worker may call too).
#pragma once
#include <QMap>
#include <QMutex>
#include <QString>
#include <optional>

namespace platform {

// What a password is filed under: one account of one server. The port is the one used to connect.
struct SecretKey
{
    QString protocol; // "FTP", "FTPS", "SFTP"
    QString user;
    QString server;
    int port = 0;

    // The account named by stored settings values: anything but "SFTP" and "FTPS" is "FTP"; a port
    // that is no valid number means the protocol's own (22 for SFTP, else 21).
    static SecretKey fromSettings(const QString& connectionType, const QString& user, const QString& server,
                                  const QString& portText);
    // One line naming the account, user name and server percent-encoded so no value can forge another
    // key: "ftp://user@server:21".
    QString text() const;
};

class SecretStore
{
public:
    virtual ~SecretStore() = default;
    // The stored password, or nothing when none is filed under the key (or the store failed).
    virtual std::optional<QString> read(const SecretKey& key) = 0;
    // False when the store could not keep it.
    virtual bool write(const SecretKey& key, const QString& secret) = 0;
    virtual bool remove(const SecretKey& key) = 0;
    // True when passwords end up in the settings file (no Secret Service at hand).
    virtual bool usesSettingsFile() const { return false; }

    // The installed store, else the system's (Secret Service, falling back to the settings file).
    static SecretStore& current();
    // Installs a store (not owned); nullptr restores the system's.
    static void setCurrent(SecretStore* store);
};

// The store of the tests: a map in memory.
// Stores secret in the current store. When the keyring refuses it, the user is told (the next use
// would otherwise run with an old or no password) and the answer is false.
bool writeSecretOrAlert(const SecretKey& key, const QString& secret);

class MemorySecretStore : public SecretStore
{
public:
    std::optional<QString> read(const SecretKey& key) override;
    bool write(const SecretKey& key, const QString& secret) override;
    bool remove(const SecretKey& key) override;
    QMap<QString, QString> contents() const;

private:
    mutable QMutex m_mutex;
    QMap<QString, QString> m_secrets;
};

// Installs a MemorySecretStore for its lifetime and then puts the previous store back.
class ScopedSecretStore
{
public:
    ScopedSecretStore();
    ~ScopedSecretStore();
    ScopedSecretStore(const ScopedSecretStore&) = delete;
    ScopedSecretStore& operator=(const ScopedSecretStore&) = delete;

    MemorySecretStore& store() { return m_store; }
    MemorySecretStore* operator->() { return &m_store; }

private:
    MemorySecretStore m_store;
    SecretStore* m_previous = nullptr;
};

} // namespace platform
