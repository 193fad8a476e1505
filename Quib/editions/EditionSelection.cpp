// Picks the edition by the launch display name and writes its values, once per process.
#include "editions/EditionSelection.h"

#include "editions/DataCentre.h"
#include "editions/LabelHelper.h"
#include "editions/Palettes.h"
#include "platform/StringsTable.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace editions {

// ---- shared lists ----

const QStringList& fontListA()
{
    static const QStringList list{"Poiret One", "Poiret One", "Actor",   "Actor",   "Cabin",
                                  "Cabin",      "Mate SC",    "Mate SC", "Raleway", "Raleway"};
    return list;
}

const QStringList& fontListB()
{
    static const QStringList list{"Helvetica Neue", "Helvetica Neue", "Impact", "Impact",    "Heiti TC",
                                  "Heiti TC",       "Futura",         "Futura", "Gill Sans", "Gill Sans"};
    return list;
}

const QStringList& presetFontList()
{
    static const QStringList list{
        "Marlett",  "Impact",    "Noteworthy",         "Stencil", "Caflisch Script Pro",
        "Heiti TC", "Phosphate", "Nanum Brush Script", "PilGi",   "Rosewood Std"};
    return list;
}

const QStringList& textColoursA()
{
    static const QStringList list{"555555", "FFFFFF", "8B0000", "FFFFFF", "FF8C00",
                                  "FFFFFF", "4682B4", "FFFFFF", "228B22", "FFFFFF"};
    return list;
}

const QStringList& fillColoursA()
{
    // Text colours A with each pair swapped: dark text on white, then white text on the dark colour.
    static const QStringList list{"FFFFFF", "555555", "FFFFFF", "8B0000", "FFFFFF",
                                  "FF8C00", "FFFFFF", "4682B4", "FFFFFF", "228B22"};
    return list;
}

const QStringList& namesAbc()
{
    static const QStringList list(10, QStringLiteral("abc"));
    return list;
}

const QStringList& tagList11()
{
    static const QStringList list{"[FIRST_NAME]", "[LAST_NAME]", "[TITLE]", "[JOB_TITLE]",
                                  "[STREET]",     "[CITY]",      "[STATE]", "[ZIPCODE]",
                                  "[COUNTRY]",    "[EMAIL]",     "[PHONE]"};
    return list;
}

const QStringList& tagList12()
{
    static const QStringList list = tagList11() + QStringList{QStringLiteral("[COMPANY_NAME]")};
    return list;
}

// ---- addresses ----

QString productSite(const QString& product)
{
    return QStringLiteral("https://quib.app/%1/").arg(product);
}

QString companySite()
{
    return QStringLiteral("https://quib.app/");
}

QString storePage(const QString& product)
{
    return QStringLiteral("https://quib.app/%1/review").arg(product);
}

QString videoPlaylist(const QString& product)
{
    return QStringLiteral("https://quib.app/%1/videos").arg(product);
}

QString generalSupportAddress()
{
    return QStringLiteral("support@quib.app");
}

QString supportDeskAddress()
{
    return QStringLiteral("helpdesk@quib.app");
}

QString webDesignerSupportAddress()
{
    return QStringLiteral("htmlquib@quib.app");
}

namespace {
QString slugOf(const QString& name); // "Ulmira Pro 2" -> "ulmira-pro-2"
} // namespace

// ---- shared steps ----

void editionIcon(EditionSettings& e, const QString& name)
{
    e.gEditionIconName = name;
    const QString path =
        DataCentre::resourcesPath() + QStringLiteral("/icons/") + name + QStringLiteral(".png");
    e.gEditionIcon = QFileInfo::exists(path) ? QImage(path) : QImage();
    // Without a picture of that name, the edition's own icon, as its desktop entry shows it.
    if (e.gEditionIcon.isNull() && !e.gEditionDisplayName.isEmpty()) {
        e.gEditionIcon = QImage(DataCentre::resourcesPath() + QStringLiteral("/icons/editions/quib-") +
                                slugOf(e.gEditionDisplayName) + QStringLiteral(".svg"));
    }
}

QStringList localized(const QStringList& names)
{
    QStringList result;
    for (const QString& name : names)
        result.append(platform::StringsTable::lookup(name, QStringLiteral("Localizable")));
    return result;
}

void applySavedCategoryNames(EditionSettings& e)
{
    auto& defaults = platform::UserDefaults::standard();
    if (!defaults.boolForKey(QStringLiteral("TextCategoryOverRide")))
        return;
    const QStringList saved = defaults.stringArrayForKey(QStringLiteral("CustomTextCategoryDescriptions"));
    // Start-up takes one name per preset font; a shorter saved list would leave styles unnamed, so the
    // edition's own names stay then.
    if (saved.size() < std::max<qsizetype>(e.gTextCategoryFonts.size(), e.gTextCategoryNames.size()))
        return;
    e.gTextCategoryNames = saved;
}

QString quibpageViewerText()
{
    return QStringLiteral(
        "This viewer opens and reads web design documents saved in \"quibpage\" format, it is the "
        "only viewer that allows PDF export and interaction with all web design elements.\n\n"
        "Please note changes can not be saved.\n\n"
        "To edit and save changes, use the HTML Quib App, available for iPhone, iPad and Mac.");
}

QString cardellViewerText(const QString& displayName)
{
    QString text = QStringLiteral("Thanks for choosing %1!\n\n"
                                  "Cardell is a profile management app. On the Mac, you may use this viewer "
                                  "to open profile documents saved "
                                  "in zorprofile format.\n\n"
                                  "Please note this App is a viewer, documents are opened in read-only mode. "
                                  " While reviewing the profile "
                                  "content, you may arrange note layout as well as edit notes but please "
                                  "keep in mind changes \"can not\" be "
                                  "saved.");
    return text.replace(QStringLiteral("%1"), displayName);
}

void applyLaunchSheet(EditionSettings& e, const QString& sheetDescription)
{
    e.gSelectedLabelSheet = sheetDescription;
    DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(sheetDescription));
}

QList<LabelTemplateHelper> readLabelTemplates()
{
    const QString text = DataCentre::readBundleFile(QStringLiteral("labels"), QStringLiteral("csv"));
    QList<LabelTemplateHelper> list = LabelTemplateHelper::parseLabelsText(text);
    // Template numbers compare as text, so "10" comes before "9"; equal numbers keep file order.
    std::stable_sort(list.begin(), list.end(),
                     [](const LabelTemplateHelper& a, const LabelTemplateHelper& b) {
                         return QString::compare(a.templateNumber, b.templateNumber, Qt::CaseSensitive) < 0;
                     });
    return list;
}

// ---- the default edition: a web-page designer with the small palette and no templates folder ----

void setUpDefaultEdition(EditionSettings& e)
{
    e.gCanvasWidth = 1500;
    e.gCanvasHeight = 5000;
    e.gRenderImageWidth = 500;
    e.gRenderImageHeight = 500;
    e.gScreenshotWidth = 200;
    e.gCanvasDisplayScale = 1.0f;
    e.gPageTitleMarkerFlag = false;
    e.gDocumentExtension = QStringLiteral("quibpage");
    e.gDefaultFontSize = 15;
    e.gSelectionHandleSize = 4.0f;
    e.gOpenPagesInPageLoopFlag = false;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = true;
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.quibpage");
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gOriginalImageSizeOverride = -999;
    e.gPageListWidth = 200;
    e.gDefaultPageIconMode = 1;
    e.gColorPalette = Palettes::small();
}

const QList<EditionEntry>& editionChain()
{
    static const QList<EditionEntry> chain{
        {"HTML Quib Pro", &setUpHtmlQuibPro},
        {"Brumel Responsive Website Designer", &setUpBrumelResponsiveWebsiteDesigner},
        {"Ulmira Pro 2", &setUpUlmiraPro2},
        {"Ulmira Express", &setUpUlmiraExpress},
        {"Haskavel Pro", &setUpHaskavelPro},
        {"Haskavel Pro 2", &setUpHaskavelPro2},
        {"Pommerit Recipe Manager", &setUpPommeritRecipeManager},
        {"Zandelle", &setUpZandelle},
        {"Ostrevin", &setUpOstrevin},
        {"Quellam", &setUpQuellam},
        {"Tirrabel", &setUpTirrabel},
        {"Lunnifer", &setUpLunnifer},
        {"Selvaro Pro", &setUpSelvaroPro},
        {"Brennolt Pro", &setUpBrennoltPro},
        {"Femmock", &setUpFemmock},
        {"Kestrin Label Maker", &setUpKestrinLabelMaker},
        {"Kestrin Flyer Maker Pro", &setUpKestrinFlyerMakerPro},
        {"Kestrin Greeting Card Designer", &setUpKestrinGreetingCardDesigner},
        {"Kestrin Markup", &setUpKestrinMarkup},
        {"Kestrin Markup Express", &setUpKestrinMarkupExpress},
        {"Lomith Image Notes", &setUpLomithImageNotes},
        {"Kestrin PDF Author", &setUpKestrinPdfAuthor},
        {"Kestrin Family Tree Maker", &setUpKestrinFamilyTreeMaker},
        {"Brumel Responsive Email Designer", &setUpBrumelResponsiveEmailDesigner},
        {"Kestrin Responsive Form Designer", &setUpKestrinResponsiveFormDesigner},
        {"Selvaro Pro 2", &setUpSelvaroPro2},
        {"Cardell", &setUpCardell},
        {"Cardell 2", &setUpCardell2},
        {"Cardell Viewer", &setUpCardellViewer},
        {"Cardell Vet Edition", &setUpCardellVetEdition},
        {"Veldacre", &setUpVeldacre},
        {"Quibpage Web Design Document Viewer", &setUpQuibpageWebDesignDocumentViewer},
        {"Corvane Business Card Designer", &setUpCorvaneBusinessCardDesigner},
        {"Corvane eCard Designer", &setUpCorvaneEcardDesigner},
        {"Corvane Envelope Designer", &setUpCorvaneEnvelopeDesigner},
    };
    return chain;
}

bool& selectionHasRun()
{
    static bool ran = false;
    return ran;
}

QString& launchDisplayNameStore()
{
    static QString name;
    return name;
}

namespace {

QString slugOf(const QString& name)
{
    static const QRegularExpression nonWord(QStringLiteral("[^a-z0-9]+"));
    QString slug = name.toLower().replace(nonWord, QStringLiteral("-"));
    while (slug.startsWith(QLatin1Char('-')))
        slug.remove(0, 1);
    while (slug.endsWith(QLatin1Char('-')))
        slug.chop(1);
    return slug;
}

} // namespace

} // namespace editions

using namespace editions;

const QStringList& DataCentre::editionDisplayNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const EditionEntry& entry : editionChain())
            list.append(QString::fromUtf8(entry.displayName));
        return list;
    }();
    return names;
}

void DataCentre::setLaunchDisplayName(const QString& displayName)
{
    launchDisplayNameStore() = displayName;
}

QString DataCentre::launchDisplayName()
{
    return launchDisplayNameStore();
}

QString DataCentre::displayNameForLaunch(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--edition") && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (arg.startsWith(QLatin1String("--edition=")))
            return arg.mid(int(qstrlen("--edition=")));
    }
    if (arguments.isEmpty())
        return defaultDisplayName();
    // A launcher or link named for the edition: "Ulmira Pro 2", "ulmira-pro-2" or "ulmira_pro_2".
    const QString base = QFileInfo(arguments.first()).completeBaseName();
    const QString baseSlug = slugOf(base);
    for (const QString& name : editionDisplayNames()) {
        if (name == base || slugOf(name) == baseSlug)
            return name;
    }
    return defaultDisplayName();
}

QString DataCentre::defaultDisplayName()
{
    return QStringLiteral("Quib");
}

namespace {

// An installed program lies in <prefix>/lib/quib with its modules, its data in <prefix>/share/quib;
// a program in a build folder reads the checkout's.
QString installedDataPath(const QString& name)
{
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QDir folder = QFileInfo(program).dir();
    if (program.isEmpty() || folder.dirName() != QLatin1String("quib"))
        return QString();
    const QString data = folder.absoluteFilePath(QStringLiteral("../../share/quib/") + name);
    return QFileInfo(data).isDir() ? QDir::cleanPath(data) : QString();
}

} // namespace

QString DataCentre::resourcesPath()
{
    const QString overridden = qEnvironmentVariable("QUIB_RESOURCES");
    if (!overridden.isEmpty())
        return overridden;
    static const QString installed = installedDataPath(QStringLiteral("resources"));
    return installed.isEmpty() ? QStringLiteral(QUIB_RESOURCES_DIR) : installed;
}

QString DataCentre::templatesPath()
{
    const QString overridden = qEnvironmentVariable("QUIB_TEMPLATES");
    if (!overridden.isEmpty())
        return overridden;
    const QString folder = edition().gTemplatesFolderName.isEmpty() ? QStringLiteral("templates")
                                                                    : edition().gTemplatesFolderName;
    // The build writes the shipped pages with the application's own writer; a tree without them
    // falls back to the resources folder.
    static const QString installed = installedDataPath(QStringLiteral("templates"));
    const QString generated = installed.isEmpty() ? QStringLiteral(QUIB_TEMPLATES_BUILD_DIR) : installed;
    if (QFileInfo::exists(generated))
        return generated + QLatin1Char('/') + folder;
    return resourcesPath() + QLatin1Char('/') + folder;
}

QString DataCentre::readBundleFile(const QString& name, const QString& type)
{
    QFile file(resourcesPath() + QLatin1Char('/') + name + QLatin1Char('.') + type);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return QString();
    if (text.isNull())
        text = QLatin1String(""); // an empty file is text, not a missing one
    return text;
}

void DataCentre::runAppSpecificSetups()
{
    // Runs once: a second call would rebuild the catalogue and every list under open documents.
    if (selectionHasRun())
        return;
    selectionHasRun() = true;
    EditionSettings::assertMainThread();

    loadPrintLabels();

    EditionSettings& e = edition();
    e.gBundleVersion = QStringLiteral(QUIB_VERSION);
    e.gEditionDisplayName = launchDisplayNameStore();
    if (!e.gEditionDisplayName.isNull()) {
        QString id = e.gEditionDisplayName;
        id.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9.-]")));
        e.gBundleIdentifier = QStringLiteral("org.quib.") + (id.isEmpty() ? QStringLiteral("Quib") : id);
    }
    // The sheet size computed by a launch sheet needs the print factor; set it before the edition runs.
    e.gPrintScaleFactor = 2.0f;
    e.gPrintPixelFactor = 144.0f;

    void (*setUp)(EditionSettings&) = &setUpDefaultEdition;
    for (const EditionEntry& entry : editionChain()) {
        if (e.gEditionDisplayName == QLatin1String(entry.displayName)) {
            setUp = entry.setUp;
            break;
        }
    }
    setUp(e);

    e.gBaseTemplateFileName = QStringLiteral("basetemplate.") + e.gDocumentExtension;
}

void DataCentre::resetEditionSelection()
{
    edition() = EditionSettings();
    selectionHasRun() = false;
}
