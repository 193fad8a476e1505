// Start-up data: image defaults, presets, working folders, zoom titles and fonts.
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/WorkingFolders.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class StartupData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_store.isValid());
        platform::UserDefaults::standard().useStoreFile(m_store.filePath("defaults.ini"));
        static QTemporaryDir workingBase;
        WorkingFolders::setProcessBase(workingBase.path());
        m_saved = edition();
        DataCentre::resetEditionSelection();
    }
    void TearDown() override
    {
        presetFactories() = PresetFactories();
        edition() = m_saved;
    }

    // Runs start-up as a launch of the named edition would.
    void launch(const QString& displayName)
    {
        DataCentre::resetEditionSelection();
        DataCentre::setLaunchDisplayName(displayName);
        DataCentre::initializeData();
    }

    QTemporaryDir m_store;
    EditionSettings m_saved;
};

TEST_F(StartupData, ImageDefaultsOnlyWhereTheUserHasNone)
{
    auto& defaults = platform::UserDefaults::standard();
    defaults.setObject(QStringLiteral("DovrelImageType"), QStringLiteral("JPEG"));
    defaults.setInteger(QStringLiteral("DovrelRetinaFlag"), 0);
    launch(QStringLiteral("HTML Quib Pro"));

    EXPECT_EQ(edition().gImageType, QStringLiteral("JPEG"));
    EXPECT_EQ(defaults.stringForKey(QStringLiteral("DovrelImageType")), QStringLiteral("JPEG"));
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("DovrelMaxImageSize")), 2000);
    // Without "DovrelSetRetinaFlag" the retina flag is rewritten to 1 at every launch.
    EXPECT_EQ(edition().gRetinaFlag, 1);
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("DovrelRetinaFlag")), 1);

    defaults.setInteger(QStringLiteral("DovrelMaxImageSize"), 800);
    defaults.setBool(QStringLiteral("DovrelSetRetinaFlag"), true);
    defaults.setInteger(QStringLiteral("DovrelRetinaFlag"), 0);
    launch(QStringLiteral("HTML Quib Pro"));
    EXPECT_EQ(edition().gRetinaFlag, 0);
    EXPECT_EQ(defaults.integerForKey(QStringLiteral("DovrelMaxImageSize")), 800);
}

TEST_F(StartupData, FreshStoreGetsPng)
{
    launch(QStringLiteral("Zandelle"));
    EXPECT_EQ(edition().gImageType, QStringLiteral("PNG"));
    EXPECT_EQ(edition().gRetinaFlag, 1);
}

TEST_F(StartupData, PresetsAndConstants)
{
    QStringList textCalls;
    QStringList shapeColours;
    bool fontForHelvetica = false;
    presetFactories().createDefaultTextView = [&](const QString& fill, const QString& text,
                                                  const std::optional<QFont>& font, const QString& name) {
        textCalls << name + '/' + fill + '/' + text;
        if (font && font->family() == QStringLiteral("Helvetica Neue"))
            fontForHelvetica = font->pointSizeF() == 30.0;
        return std::make_shared<QObject>();
    };
    presetFactories().createBatchOfShapes = [&](const QString& colour) {
        shapeColours << colour;
        QList<std::shared_ptr<QObject>> shapes;
        for (int i = 0; i < 7; ++i)
            shapes.append(std::make_shared<QObject>());
        return shapes;
    };

    launch(QStringLiteral("Haskavel Pro"));
    const EditionSettings& e = edition();
    ASSERT_EQ(e.gPresetTextViews.size(), 10);
    EXPECT_EQ(textCalls.first(), QStringLiteral("abc/FFFFFF/555555"));
    EXPECT_EQ(textCalls.at(1), QStringLiteral("abc/555555/FFFFFF"));
    EXPECT_TRUE(fontForHelvetica);
    EXPECT_EQ(e.gPresetShapes.size(), 42);
    EXPECT_EQ(shapeColours, QStringList({"8B0000", "FF8C00", "FFFFFF", "555555", "4682B4", "228B22"}));

    EXPECT_EQ(e.gDistributionChannel, QStringLiteral("AppStore"));
    EXPECT_FLOAT_EQ(e.gPrintScaleFactor, 2.0f);
    EXPECT_FLOAT_EQ(e.gPrintPixelFactor, 144.0f);
    ASSERT_EQ(e.gZoomLevels.size(), 26);
    EXPECT_EQ(e.gZoomLevels.first(), QStringLiteral("5%"));
    EXPECT_EQ(e.gZoomLevels.indexOf(QStringLiteral("100%")),
              e.gZoomLevels.indexOf(QStringLiteral("90%")) + 1);
    EXPECT_EQ(e.gZoomLevels.last(), QStringLiteral("600%"));

    // The default edition stores no preset fonts: no preset text views.
    textCalls.clear();
    launch(QStringLiteral("No Such Edition"));
    EXPECT_TRUE(edition().gPresetTextViews.isEmpty());
    EXPECT_TRUE(textCalls.isEmpty());
    EXPECT_EQ(edition().gPresetShapes.size(), 42);
}

TEST_F(StartupData, WorkingFoldersReadyBeforeAnyDocument)
{
    launch(QStringLiteral("HTML Quib Pro"));
    const EditionSettings& e = edition();
    EXPECT_EQ(e.gTempFolderPath, WorkingFolders::forProcess().rootPath());
    EXPECT_EQ(e.gReceivedPagesFolderName, QStringLiteral("0000Received_Pages"));
    EXPECT_EQ(e.gTempSaveFolderPath,
              e.gTempFolderPath + QStringLiteral("/0000Received_Pages/tempSave000000"));
    EXPECT_TRUE(QFileInfo(e.gTempSaveFolderPath).isDir());
}

TEST_F(StartupData, BundledFontsArePresent)
{
    launch(QStringLiteral("HTML Quib Pro"));
    for (const char* family :
         {"Liberation Sans", "Cabin", "Actor", "Mate SC", "Nanum Brush Script", "Poiret One", "Raleway"})
        EXPECT_TRUE(QFontDatabase::hasFamily(QString::fromUtf8(family))) << family;

    // The default family keeps its name and draws with the metric-compatible substitute.
    const QFont helvetica(QStringLiteral("Helvetica Neue"), 15);
    EXPECT_EQ(helvetica.family(), QStringLiteral("Helvetica Neue"));
    EXPECT_EQ(QFontInfo(helvetica).family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(DataCentre::isFontFamilyPresent(QStringLiteral("Helvetica Neue")));
    EXPECT_FALSE(DataCentre::isFontFamilyPresent(QStringLiteral("No Such Family Anywhere")));
}

} // namespace
