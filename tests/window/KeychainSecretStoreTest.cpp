// One round trip through a real Secret Service: gnome-keyring in a private D-Bus session started by
// the test (dbus-run-session), with a keyring of its own under a temporary home. The test runs this
// executable again inside that session, where the child test below does the round trip.
#include "platform/KeychainSecretStore.h"
#include "common/ExternalTools.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const char* const kChildVariable = "QUIB_KEYRING_CHILD";
}

TEST(KeychainSecretStoreTest, RoundTripThroughGnomeKeyringInItsOwnSession)
{
    if (!haveProgramOrFail(QStringLiteral("dbus-run-session"), QStringLiteral("dbus")) ||
        !haveProgramOrFail(QStringLiteral("gnome-keyring-daemon"), QStringLiteral("gnome-keyring")))
        return;
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    environment.insert(QLatin1String(kChildVariable), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));

    // The daemon makes and unlocks a "login" keyring, the default collection, from the password on
    // its standard input.
    const QString script = QStringLiteral(
        "printf 'keyring-test' | gnome-keyring-daemon --unlock --components=secrets >/dev/null && "
        "exec \"$0\" --gtest_filter=KeychainSecretStoreChild.*");
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("dbus-run-session"),
                {QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                 QCoreApplication::applicationFilePath()});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << qPrintable(output);
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << qPrintable(output);
}

// The child's half, inside the keyring session only.
TEST(KeychainSecretStoreChild, WritesReadsReplacesAndRemoves)
{
    if (qEnvironmentVariableIsEmpty(kChildVariable))
        GTEST_SKIP() << "runs inside the keyring session that the test above starts";
    platform::KeychainSecretStore store(QStringLiteral("QuibTests"));
    ASSERT_FALSE(store.usesSettingsFile());
    const auto key =
        platform::SecretKey::fromSettings(QStringLiteral("FTPS"), QStringLiteral("me"),
                                          QStringLiteral("ftp.example.com"), QStringLiteral("990"));
    const auto other =
        platform::SecretKey::fromSettings(QStringLiteral("FTP"), QStringLiteral("me"),
                                          QStringLiteral("ftp.example.com"), QStringLiteral("990"));
    EXPECT_EQ(store.read(key), std::nullopt);
    ASSERT_TRUE(store.write(key, QStringLiteral("s3cret ü")));
    EXPECT_EQ(store.read(key), QStringLiteral("s3cret ü"));
    EXPECT_EQ(store.read(other), std::nullopt);
    ASSERT_TRUE(store.write(key, QStringLiteral("changed")));
    EXPECT_EQ(store.read(key), QStringLiteral("changed"));
    EXPECT_TRUE(store.remove(key));
    EXPECT_EQ(store.read(key), std::nullopt);
}
