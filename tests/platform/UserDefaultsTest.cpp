#include "platform/UserDefaults.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

using platform::UserDefaults;

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

class UserDefaultsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        defaults().useStoreFile(dir.filePath("defaults.ini"));
        defaults().clearRegisteredDefaults();
    }
    void TearDown() override
    {
        defaults().clearRegisteredDefaults();
        qunsetenv("QUIB_SETTINGS_DIR");
    }
    static UserDefaults& defaults() { return UserDefaults::standard(); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(UserDefaultsTest, RegisteredDefaultAnswersUntilTheUserSetsAValue)
{
    defaults().registerDefaults({{"DovrelMaxImageSize", 2000}, {"DovrelImageType", "JPG"}});
    EXPECT_FALSE(defaults().hasUserValue("DovrelMaxImageSize"));
    EXPECT_EQ(defaults().integerForKey("DovrelMaxImageSize"), 2000);

    defaults().setInteger("DovrelMaxImageSize", 1200);
    EXPECT_TRUE(defaults().hasUserValue("DovrelMaxImageSize"));
    EXPECT_EQ(defaults().integerForKey("DovrelMaxImageSize"), 1200);

    defaults().removeObject("DovrelMaxImageSize");
    EXPECT_EQ(defaults().integerForKey("DovrelMaxImageSize"), 2000);

    // Registered values are never written to the store.
    QFile store(dir.filePath("defaults.ini"));
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    EXPECT_FALSE(store.readAll().contains("DovrelImageType"));
    EXPECT_EQ(defaults().stringForKey("DovrelImageType"), "JPG");
}

TEST_F(UserDefaultsTest, TypedGettersFallBackAndParseLikeThePlatform)
{
    struct Case
    {
        const char* key;
        QVariant value; // invalid: never set
        qint64 integer;
        double real;
        bool flag;
        QString string;
    };
    const Case cases[] = {
        {"missing", QVariant(), 0, 0, false, ""},
        {"leading", QString("12abc"), 12, 12, true, "12abc"},
        {"signed", QString(" -12abc"), -12, -12, true, " -12abc"},
        {"word", QString("abc"), 0, 0, false, "abc"},
        {"yes", QString("YES"), 0, 0, true, "YES"},
        {"no", QString("NO"), 0, 0, false, "NO"},
        {"zero", QString("0"), 0, 0, false, "0"},
        {"real", QString("2.75 px"), 2, 2.75, true, "2.75 px"},
        {"number", 7, 7, 7, true, "7"},
        {"double", 3.9, 3, 3.9, true, "3.9"},
        {"flagOn", true, 1, 1, true, "1"},
        {"flagOff", false, 0, 0, false, "0"},
        {"list", QStringList{"a", "b"}, 0, 0, false, ""},
    };
    for (const Case& c : cases) {
        if (c.value.isValid())
            defaults().setObject(c.key, c.value);
        EXPECT_EQ(defaults().integerForKey(c.key), c.integer) << c.key;
        EXPECT_DOUBLE_EQ(defaults().doubleForKey(c.key), c.real) << c.key;
        EXPECT_EQ(defaults().boolForKey(c.key), c.flag) << c.key;
        EXPECT_EQ(defaults().stringForKey(c.key), c.string) << c.key;
    }
    EXPECT_TRUE(defaults().stringArrayForKey("missing").isEmpty());
    EXPECT_TRUE(defaults().dictionaryForKey("missing").isEmpty());
    EXPECT_FALSE(defaults().objectForKey("missing").isValid());
}

TEST_F(UserDefaultsTest, ValuesSurviveTheFileAsText)
{
    // How a value reads back once it has been through the INI file (as in the next session).
    const QString path = dir.filePath("earlier.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\ncount=12\nretina=true\noff=false\nscale=0.5\nsites=one\n");
    file.close();
    defaults().useStoreFile(path);
    EXPECT_EQ(defaults().integerForKey("count"), 12);
    EXPECT_EQ(defaults().integerForKey("retina"), 1);
    EXPECT_TRUE(defaults().boolForKey("retina"));
    EXPECT_FALSE(defaults().boolForKey("off"));
    EXPECT_DOUBLE_EQ(defaults().doubleForKey("scale"), 0.5);
    EXPECT_EQ(defaults().stringArrayForKey("sites"), QStringList{"one"});
}

TEST_F(UserDefaultsTest, ContainersRoundTrip)
{
    const QVariantMap profile{{"host", "ftp.example.com"}, {"port", 21}};
    defaults().setObject("profiles", QVariantMap{{"main", profile}});
    defaults().setObject("lists", QStringList{"friends", "clients, old"});
    defaults().setObject("blob", QByteArray("\x00\x01\xff", 3));
    EXPECT_EQ(defaults().dictionaryForKey("profiles").value("main").toMap(), profile);
    EXPECT_EQ(defaults().stringArrayForKey("lists"), (QStringList{"friends", "clients, old"}));
    EXPECT_EQ(defaults().objectForKey("blob").toByteArray(), QByteArray("\x00\x01\xff", 3));
    EXPECT_TRUE(defaults().dictionaryForKey("lists").isEmpty());
}

TEST_F(UserDefaultsTest, ChangesAreSignalled)
{
    QSignalSpy spy(&defaults(), &UserDefaults::defaultsChanged);
    defaults().setBool("showRuler", true);
    defaults().removeObject("showRuler");
    defaults().setObject("gridSpacing", QVariant()); // an invalid value removes (nothing to remove here)
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[0][0].toString(), "showRuler");
    EXPECT_EQ(spy[1][0].toString(), "showRuler");
}

TEST_F(UserDefaultsTest, SeveralValuesGoToTheFileInOneWrite)
{
    defaults().setObject("stale", 1);
    QSignalSpy spy(&defaults(), &UserDefaults::defaultsChanged);
    defaults().setObjects({{"size", 2000}, {"type", "PNG"}, {"stale", QVariant()}, {"absent", QVariant()}});
    QStringList keys;
    for (const QList<QVariant>& signal : spy)
        keys.append(signal.at(0).toString());
    keys.sort();
    // A key that was not there is no change.
    EXPECT_EQ(keys, (QStringList{"size", "stale", "type"}));

    // As the next session reads the file.
    const QString path = defaults().storeFile();
    defaults().useStoreFile(dir.filePath("other.ini"));
    defaults().useStoreFile(path);
    EXPECT_EQ(defaults().integerForKey("size"), 2000);
    EXPECT_EQ(defaults().stringForKey("type"), "PNG");
    EXPECT_FALSE(defaults().hasUserValue("stale"));
    EXPECT_EQ(modeOf(path), mode_t(0600));

    // Nothing to store writes nothing.
    spy.clear();
    defaults().setObjects({{"absent", QVariant()}});
    defaults().setObjects({});
    EXPECT_TRUE(spy.isEmpty());
}

TEST_F(UserDefaultsTest, EachEditionHasItsOwnPrivateStore)
{
    const QString folder = dir.filePath("settings");
    qputenv("QUIB_SETTINGS_DIR", QFile::encodeName(folder));

    defaults().useEditionStore("Quib Responsive");
    defaults().setObject("ftpPassword", "secret");
    const QString responsive = defaults().storeFile();

    defaults().useEditionStore("Quib Web/Form: Pro");
    EXPECT_FALSE(defaults().hasUserValue("ftpPassword"));
    defaults().setObject("ftpPassword", "other");
    const QString form = defaults().storeFile();

    defaults().useEditionStore("Quib Responsive");
    EXPECT_EQ(defaults().stringForKey("ftpPassword"), "secret");

    EXPECT_EQ(QFileInfo(responsive).absolutePath(), folder);
    EXPECT_EQ(QFileInfo(form).absolutePath(), folder) << "an edition name may not leave the folder";
    EXPECT_NE(responsive, form);
    EXPECT_EQ(modeOf(responsive), mode_t(0600));
    EXPECT_EQ(modeOf(form), mode_t(0600));
    EXPECT_EQ(modeOf(folder), mode_t(0700));

    defaults().useEditionStore("../..");
    EXPECT_EQ(QFileInfo(defaults().storeFile()).absolutePath(), folder);
}

TEST_F(UserDefaultsTest, ExistingWideFileIsNarrowedOnWrite)
{
    const QString path = dir.filePath("wide.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ::chmod(QFile::encodeName(path).constData(), 0644);
    defaults().useStoreFile(path);
    defaults().setObject("smtpPassword", "secret");
    EXPECT_EQ(modeOf(path), mode_t(0600));
}
