// Connection settings as stored by the settings sheet, and their defaults.
#include "platform/UserDefaults.h"
#include "publishing/UploadFTPS.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class UploadFTPSSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousStore = platform::UserDefaults::standard().storeFile();
        platform::UserDefaults::standard().useStoreFile(dir.path() + QStringLiteral("/defaults.ini"));
    }
    void TearDown() override
    {
        if (!previousStore.isEmpty())
            platform::UserDefaults::standard().useStoreFile(previousStore);
    }
    static void store(const QVariantMap& values)
    {
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            platform::UserDefaults::standard().setObject(it.key(), it.value());
    }

    QTemporaryDir dir;
    QString previousStore;
};

TEST_F(UploadFTPSSettingsTest, NothingStoredGivesTheDefaults)
{
    UploadFTPS upload;
    upload.grabCurrentSettings();
    EXPECT_TRUE(upload.server_local().isNull());
    EXPECT_TRUE(upload.userName_local().isNull());
    EXPECT_TRUE(upload.password_local().isNull());
    EXPECT_FALSE(upload.remoteDirectory_local().isNull());
    EXPECT_EQ(upload.remoteDirectory_local(), QString());
    EXPECT_EQ(upload.portnumber_local(), 21);
    EXPECT_TRUE(upload.FTPPassiveMode());
    EXPECT_EQ(upload.FTPProtocolType_local(), QStringLiteral("FTP"));
}

TEST_F(UploadFTPSSettingsTest, StoredValuesAndPortDefaultsByProtocol)
{
    const struct
    {
        QVariantMap stored;
        int port;
        QString type;
        bool passive;
    } cases[] = {
        {{{"connectiontype", "SFTP"}}, 22, "SFTP", true},
        {{{"connectiontype", "SFTP"}, {"portnumber", "0"}}, 22, "SFTP", true},
        {{{"connectiontype", "SFTP"}, {"portnumber", "2222"}}, 2222, "SFTP", true},
        {{{"connectiontype", "FTPS"}}, 21, "FTPS", true},
        {{{"connectiontype", "ftp-ish"}, {"portnumber", 990}}, 990, "FTP", true},
        {{{"portnumber", "70000"}}, 21, "FTP", true},
        {{{"connectionmode", "Active"}}, 21, "FTP", false},
        {{{"connectionmode", "Passive"}}, 21, "FTP", true},
        {{{"connectionmode", "active"}}, 21, "FTP", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QVariant(c.stored).toString().toStdString());
        for (const char* key : {"connectiontype", "portnumber", "connectionmode"})
            platform::UserDefaults::standard().removeObject(QLatin1String(key));
        store(c.stored);
        UploadFTPS upload;
        upload.grabCurrentSettings();
        EXPECT_EQ(upload.portnumber_local(), c.port);
        EXPECT_EQ(upload.FTPProtocolType_local(), c.type);
        EXPECT_EQ(upload.FTPPassiveMode(), c.passive);
    }
}

TEST_F(UploadFTPSSettingsTest, AccountValuesAreReadAsStoredAndModeFollowsTheStore)
{
    store({{"server", "ftp.example.test"},
           {"username", "anna"},
           {"password", "s3cret"},
           {"remotepath", "public_html/site"},
           {"connectionmode", "Active"}});
    UploadFTPS upload;
    upload.grabCurrentSettings();
    EXPECT_EQ(upload.server_local(), QStringLiteral("ftp.example.test"));
    EXPECT_EQ(upload.userName_local(), QStringLiteral("anna"));
    EXPECT_EQ(upload.password_local(), QStringLiteral("s3cret"));
    EXPECT_EQ(upload.remoteDirectory_local(), QStringLiteral("public_html/site"));
    EXPECT_FALSE(upload.FTPPassiveMode());

    platform::UserDefaults::standard().setObject(QStringLiteral("connectionmode"), QStringLiteral("Passive"));
    upload.determineFTPMode();
    EXPECT_TRUE(upload.FTPPassiveMode());
}

} // namespace
