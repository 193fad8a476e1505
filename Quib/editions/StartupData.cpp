// Start-up: prepares every process-wide value before the first window opens.
#include "editions/DataCentre.h"
#include "editions/EditionSelection.h"
#include "editions/EditionSettings.h"
#include "editions/WorkingFolders.h"
#include "platform/UserDefaults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>

namespace {

// "Helvetica Neue" is the default family of text boxes and is not on Linux; the bundled Liberation
// Sans has the same metrics, so text lays out as designed while pages keep the family name.
const QString kDefaultFamily = QStringLiteral("Helvetica Neue");
const QString kDefaultFamilySubstitute = QStringLiteral("Liberation Sans");

// Answers of the system font library by family: a long page asks the same few families for every
// text box. Forgotten whenever the fonts or their substitutions change.
struct FontPresence
{
    QMutex mutex;
    QHash<QString, bool> known;
    bool watching = false;
};

FontPresence& fontPresence()
{
    static FontPresence presence;
    return presence;
}

void forgetFontPresence()
{
    FontPresence& presence = fontPresence();
    QMutexLocker lock(&presence.mutex);
    presence.known.clear();
}

bool askFontLibrary(const QString& family)
{
    if (QFontDatabase::hasFamily(family))
        return true;
    const QStringList substitutes = QFont::substitutes(family);
    for (const QString& substitute : substitutes) {
        if (QFontDatabase::hasFamily(substitute))
            return true;
    }
    return false;
}

} // namespace

namespace editions {

const QStringList& zoomLevels()
{
    static const QStringList titles{"5%",   "10%",  "15%",  "20%",  "25%",  "30%",  "35%",  "40%", "45%",
                                    "50%",  "55%",  "60%",  "65%",  "70%",  "75%",  "80%",  "85%", "90%",
                                    "100%", "125%", "150%", "200%", "300%", "400%", "500%", "600%"};
    return titles;
}

} // namespace editions

const QStringList& DataCentre::presetShapeColors()
{
    static const QStringList colors{"8B0000", "FF8C00", "FFFFFF", "555555", "4682B4", "228B22"};
    return colors;
}

void DataCentre::loadCustomFont()
{
    static bool loaded = false;
    if (loaded || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    loaded = true;
    const QDir fonts(resourcesPath() + QStringLiteral("/fonts"));
    const QStringList files =
        fonts.entryList({"*.ttf", "*.otf", "*.ttc", "*.woff", "*.woff2"}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        if (QFontDatabase::addApplicationFont(fonts.filePath(file)) < 0)
            qWarning("Font file %s could not be activated", qPrintable(file));
    }
    QFont::insertSubstitution(kDefaultFamily, kDefaultFamilySubstitute);
    forgetFontPresence();
}

bool DataCentre::isFontFamilyPresent(const QString& family)
{
    FontPresence& presence = fontPresence();
    {
        QMutexLocker lock(&presence.mutex);
        const auto it = presence.known.constFind(family);
        if (it != presence.known.constEnd())
            return *it;
    }
    const bool present = askFontLibrary(family);
    QMutexLocker lock(&presence.mutex);
    if (!presence.watching) {
        // Without a GUI application nothing changes the fonts, and nothing is cached either.
        if (!qGuiApp)
            return present;
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, forgetFontPresence);
        presence.watching = true;
    }
    presence.known.insert(family, present);
    return present;
}

void DataCentre::initializeData()
{
    EditionSettings::assertMainThread();

    // 1. Fonts first, so that the preset fonts below are found by name.
    loadCustomFont();

    // 2. The edition.
    runAppSpecificSetups();
    EditionSettings& e = edition();

    // 3-4. Image settings: defaults only where the user has none, stored in one write.
    auto& defaults = platform::UserDefaults::standard();
    QVariantMap imageDefaults;
    if (!defaults.hasUserValue(QStringLiteral("DovrelMaxImageSize")))
        imageDefaults.insert(QStringLiteral("DovrelMaxImageSize"), 2000);
    if (!defaults.hasUserValue(QStringLiteral("DovrelImageType")))
        imageDefaults.insert(QStringLiteral("DovrelImageType"), QStringLiteral("PNG"));
    const bool retinaChosen = defaults.boolForKey(QStringLiteral("DovrelSetRetinaFlag"));
    if (!retinaChosen)
        imageDefaults.insert(QStringLiteral("DovrelRetinaFlag"), 1);
    defaults.setObjects(imageDefaults);
    e.gImageType = defaults.stringForKey(QStringLiteral("DovrelImageType"));
    e.gRetinaFlag = retinaChosen ? int(defaults.integerForKey(QStringLiteral("DovrelRetinaFlag"))) : 1;

    // 5. Preset text styles, one per preset font, named, coloured and filled index by index.
    const PresetFactories& factories = presetFactories();
    e.gPresetTextViews.clear();
    if (factories.createDefaultTextView) {
        for (qsizetype i = 0; i < e.gTextCategoryFonts.size(); ++i) {
            const QString& fontName = e.gTextCategoryFonts.at(i);
            std::optional<QFont> font;
            if (isFontFamilyPresent(fontName)) {
                QFont f(fontName);
                f.setPointSizeF(30.0);
                font = f;
            }
            e.gPresetTextViews.append(factories.createDefaultTextView(e.gTextCategoryFillColors.value(i),
                                                                      e.gTextCategoryTextColors.value(i),
                                                                      font, e.gTextCategoryNames.value(i)));
        }
    }

    // 6. Preset shapes: seven of each colour, grouped by colour.
    e.gPresetShapes.clear();
    if (factories.createBatchOfShapes) {
        for (const QString& color : presetShapeColors())
            e.gPresetShapes.append(factories.createBatchOfShapes(color));
    }
    // Preset tiles may be widgets, which must go before the application object does.
    if (auto* app = QCoreApplication::instance()) {
        static bool connected = false;
        if (!connected) {
            connected = true;
            QObject::connect(app, &QCoreApplication::aboutToQuit, [] {
                edition().gPresetTextViews.clear();
                edition().gPresetShapes.clear();
            });
        }
    }

    // 7. No updater framework in this build.
    e.gDistributionChannel = QStringLiteral("AppStore");

    // 8-10. Working folders: this instance's own root, ready before any document opens.
    WorkingFolders& folders = WorkingFolders::forProcess();
    e.gTempFolderPath = folders.rootPath();
    e.gReceivedPagesFolderName = QStringLiteral("0000Received_Pages");
    e.gTempSaveFolderPath =
        QDir(e.gTempFolderPath).filePath(e.gReceivedPagesFolderName + QStringLiteral("/tempSave000000"));
    if (folders.isValid())
        QDir().mkpath(e.gTempSaveFolderPath);
    else
        qWarning("No working folder could be created under %s", qPrintable(WorkingFolders::defaultBase()));

    // 11. Print factors.
    e.gPrintScaleFactor = 2.0f;
    e.gPrintPixelFactor = 144.0f;

    // 12. Zoom titles.
    e.gZoomLevels = editions::zoomLevels();
}
