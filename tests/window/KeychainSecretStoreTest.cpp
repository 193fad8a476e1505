// One round trip through a real Secret Service: gnome-keyring in a private D-Bus session started by
// the test (dbus-run-session), with a keyring of its own under a temporary home. The test runs this
// executable again inside that session, where the child test below does the round trip. A second
// child runs with no session bus at all and finds passwords going to the owner-only settings file.
#include "platform/KeychainSecretStore.h"
#include "common/ExternalTools.h"
#include "platform/UserDefaults.h"
#include "window/PreferenceWindowController.h"

#include <QFile>
#include <QLabel>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const char* const kChildVariable = "QUIB_KEYRING_CHILD";

QProcessEnvironment childEnvironment(const QTemporaryDir& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    environment.insert(QLatin1String(kChildVariable), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    environment.remove(QStringLiteral("DISPLAY"));
    return environment;
}

// Runs program with arguments and expects the one child test it selects to pass.
void expectChildPasses(QProcess& child, const QString& program, const QStringList& arguments)
{
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(program, arguments);
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << qPrintable(output);
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << qPrintable(output);
}
} // namespace

TEST(KeychainSecretStoreTest, RoundTripThroughGnomeKeyringInItsOwnSession)
{
    if (!haveProgramOrFail(QStringLiteral("dbus-run-session"), QStringLiteral("dbus")) ||
        !haveProgramOrFail(QStringLiteral("gnome-keyring-daemon"), QStringLiteral("gnome-keyring")))
        return;
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    // The daemon makes and unlocks a "login" keyring, the default collection, from the password on
    // its standard input.
    const QString script = QStringLiteral(
        "printf 'keyring-test' | gnome-keyring-daemon --unlock --components=secrets >/dev/null && "
        "exec \"$0\" --gtest_filter=KeychainSecretStoreChild.WritesReadsReplacesAndRemoves");
    QProcess child;
    child.setProcessEnvironment(childEnvironment(home));
    expectChildPasses(child, QStringLiteral("dbus-run-session"),
                      {QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                       QCoreApplication::applicationFilePath()});
}

TEST(KeychainSecretStoreTest, WithoutASessionBusPasswordsGoToTheOwnerOnlySettingsFile)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment environment = childEnvironment(home);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + home.filePath(QStringLiteral("no-bus")));
    QProcess child;
    child.setProcessEnvironment(environment);
    expectChildPasses(child, QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--gtest_filter=KeychainSecretStoreChild.FallsBackToTheSettingsFile")});
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

TEST(KeychainSecretStoreChild, FallsBackToTheSettingsFile)
{
    if (qEnvironmentVariableIsEmpty(kChildVariable))
        GTEST_SKIP() << "runs in the bus-less process that the test above starts";
    QTemporaryDir folder;
    platform::UserDefaults::standard().useStoreFile(folder.filePath(QStringLiteral("defaults.ini")));
    platform::KeychainSecretStore store(QStringLiteral("QuibTests"));
    ASSERT_TRUE(store.usesSettingsFile());
    const auto key = platform::SecretKey::fromSettings(QStringLiteral("FTP"), QStringLiteral("me"),
                                                       QStringLiteral("h"), QString());
    ASSERT_TRUE(store.write(key, QStringLiteral("in-the-file")));
    EXPECT_EQ(store.read(key), QStringLiteral("in-the-file"));
    QFile file(platform::UserDefaults::standard().storeFile());
    EXPECT_EQ(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());
    EXPECT_TRUE(store.remove(key));
    EXPECT_EQ(store.read(key), std::nullopt);

    // The sheet tells the user where passwords go.
    platform::SecretStore::setCurrent(&store);
    PreferenceWindowController sheet;
    sheet.showPreferencesPanel(nullptr);
    EXPECT_TRUE(sheet.secretStoreNote()->text().startsWith(QStringLiteral("No keyring")))
        << qPrintable(sheet.secretStoreNote()->text());
    sheet.cancelPreferencesModalSheet();
    platform::SecretStore::setCurrent(nullptr);
}
