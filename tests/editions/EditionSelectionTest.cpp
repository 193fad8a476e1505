// Edition selection: every display name in the chain, the default edition, and the run-once rule.
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelHelper.h"
#include "editions/Palettes.h"
#include "platform/UserDefaults.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>

#include <gtest/gtest.h>

namespace {

struct EditionRow
{
    const char* displayName;
    const char* extension;
    const char* templatesFolder; // nullptr: no templates folder
    int canvasWidth;
    int canvasHeight;
    float displayScale;
    bool responsive;
    bool responsiveEmail;
    bool singleDocument;
    bool sidebarInspector;
    bool readOnlyViewer;
    bool hidePublishExtColumn;
    int pageListWidth;
    int defaultFontSize;
    int paletteSize;
    int starterFiles;
};

// Editions whose canvas comes from a sheet carry that sheet's canvas; those that preselect a template
// but apply no sheet store no canvas (their readers fall back, see PrintEditionValues).
const EditionRow kEditions[] = {
    {"HTML Quib Pro", "quibpage", "templates", 1500, 30000, 1.0f, false, false, false, false, false, true,
     200, 15, 544, 2},
    {"Brumel Responsive Website Designer", "zqv", "responsive_page_templates", 1200, 9000, 0.6f, true, false,
     false, true, false, false, 100, 15, 551, 1},
    {"Quibpage Web Design Document Viewer", "quibpage", "templates", 1500, 60000, 1.0f, false, false, false,
     false, true, false, 120, 15, 140, 0},
    {"Pommerit Recipe Manager", "quibpage", "pommerit_templates", 2000, 5000, 1.0f, false, false, false,
     false, false, false, 200, 15, 140, 1},
    {"Zandelle", "quibpage", "zandelle_templates", 1500, 60000, 1.0f, false, false, false, false, false,
     false, 120, 15, 140, 1},
    {"Ostrevin", "quibpage", "zandelle_templates", 1500, 60000, 1.0f, false, false, false, false, false,
     false, 120, 15, 140, 1},
    {"Quellam", "quibpage", "zandelle_templates", 1500, 60000, 1.0f, false, false, false, false, false, false,
     120, 15, 140, 1},
    {"Tirrabel", "quibpage", "zandelle_templates", 1500, 60000, 1.0f, false, false, false, false, false,
     false, 120, 15, 140, 1},
    {"Lunnifer", "quibpage", "pommerit_templates", 2000, 5000, 1.0f, false, false, false, false, false, false,
     200, 15, 140, 1},
    {"Ulmira Pro 2", "ulmira", "ulmira_templates", 900, 5000, 1.0f, false, false, false, true, false, false,
     200, 15, 551, 1},
    {"Ulmira Express", "ulmira", "ulmira_templates", 900, 5000, 1.0f, false, false, true, true, false, false,
     200, 15, 551, 1},
    {"Brumel Responsive Email Designer", "zx", "responsive_mail_templates", 1200, 10000, 0.7f, true, true,
     true, true, false, false, 150, 100, 551, 1},
    {"Selvaro Pro", "quibpage", "form_templates", 1500, 30000, 1.0f, false, false, false, false, false, false,
     200, 15, 551, 1},
    {"Kestrin Responsive Form Designer", "selvaro", "responsive_form_templates", 1300, 10000, 0.5f, true,
     false, false, true, false, false, 150, 100, 551, 1},
    {"Selvaro Pro 2", "quibpage", "form_templates", 1200, 10000, 1.0f, false, false, true, true, false, false,
     150, 100, 551, 1},
    {"Cardell", "zorprofile", "zor_human_templates", 1500, 60000, 1.0f, false, false, false, false, false,
     false, 120, 15, 140, 1},
    {"Cardell 2", "zorprofile", "zor2_templates", 1500, 60000, 1.0f, false, false, false, true, false, false,
     150, 15, 140, 1},
    {"Cardell Viewer", "zorprofile", "zor_human_templates", 1500, 60000, 1.0f, false, false, false, false,
     true, false, 120, 15, 140, 1},
    {"Cardell Vet Edition", "zorprofile", "zor_templates", 1500, 60000, 1.0f, false, false, false, false,
     false, false, 250, 18, 140, 1},
    {"Veldacre", "profile", "veldacre_templates", 1500, 60000, 1.0f, false, false, false, false, false, false,
     120, 18, 140, 1},
    {"Haskavel Pro", "dunmeret", "orgchart_templates", 10000, 10000, 1.0f, false, false, false, false, false,
     false, 200, 20, 551, 1},
    {"Haskavel Pro 2", "dunmeret", "orgchart_templates2", 10000, 10000, 1.0f, false, false, false, true,
     false, false, 200, 20, 551, 1},
    {"Kestrin Family Tree Maker", "dunmeret", "wembric_templates", 10000, 60000, 1.0f, false, false, false,
     true, false, false, 150, 100, 551, 1},
    {"Kestrin Markup", "dunmeret", "markup_templates", 10000, 60000, 1.0f, false, false, false, true, false,
     false, 150, 100, 551, 1},
    {"Kestrin Markup Express", "dunmeret", "markup_templates", 10000, 60000, 1.0f, false, false, true, true,
     false, false, 150, 20, 551, 1},
    {"Lomith Image Notes", "dunmeret", "markup_templates", 10000, 60000, 1.0f, false, false, true, true,
     false, false, 150, 100, 551, 1},
    {"Kestrin PDF Author", "jxw", "manual_templates", 0, 0, 1.0f, false, false, false, true, false, false,
     150, 100, 551, 4},
    {"Brennolt Pro", "dunmeret", "labels_templates", 1575, 600, 0.4f, false, false, false, false, false,
     false, 320, 60, 551, 1},
    {"Femmock", "dunmeret", "wembric_templates", 1050, 600, 0.7f, false, false, false, false, false, false,
     320, 70, 551, 1},
    {"Kestrin Label Maker", "dunmeret", "kestrinlabel_templates", 0, 0, 0.0f, false, false, false, true,
     false, false, 150, 80, 551, 1},
    {"Corvane Business Card Designer", "dunmeret", "tuvikcards_templates", 1050, 600, 0.7f, false, false,
     true, true, false, true, 300, 15, 544, 1},
    {"Kestrin Flyer Maker Pro", "dunmeret", "flyers_templates", 0, 0, 0.0f, false, false, false, true, false,
     false, 150, 100, 551, 1},
    {"Kestrin Greeting Card Designer", "dunmeret", "folding_card_templates", 0, 0, 0.0f, false, false, false,
     true, false, false, 150, 100, 551, 3},
    {"Corvane eCard Designer", "dunmeret", "ecard_templates", 1800, 1200, 0.4f, false, false, true, true,
     false, true, 300, 15, 544, 1},
    {"Corvane Envelope Designer", "dunmeret", "envelope_templates", 684, 297, 1.0f, false, false, true, true,
     false, true, 300, 15, 544, 1},
    {"Quib", "quibpage", nullptr, 1500, 5000, 1.0f, false, false, false, false, false, false, 200, 15, 140,
     1},
};

class EditionTable : public ::testing::TestWithParam<EditionRow>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        platform::UserDefaults::standard().useStoreFile(m_dir.filePath("defaults.ini"));
    }
    QTemporaryDir m_dir;
};

TEST_P(EditionTable, StoresTheEditionValues)
{
    const EditionRow& row = GetParam();
    ScopedEdition scoped(QString::fromUtf8(row.displayName));
    const EditionSettings& e = edition();

    EXPECT_EQ(e.gEditionDisplayName, QString::fromUtf8(row.displayName));
    EXPECT_EQ(e.gDocumentExtension, QString::fromUtf8(row.extension));
    EXPECT_EQ(e.gBaseTemplateFileName, QStringLiteral("basetemplate.") + QString::fromUtf8(row.extension));
    if (row.templatesFolder) {
        EXPECT_EQ(e.gTemplatesFolderName, QString::fromUtf8(row.templatesFolder));
    } else {
        EXPECT_TRUE(e.gTemplatesFolderName.isNull());
    }
    EXPECT_EQ(e.gCanvasWidth, row.canvasWidth);
    EXPECT_EQ(e.gCanvasHeight, row.canvasHeight);
    EXPECT_FLOAT_EQ(e.gCanvasDisplayScale, row.displayScale);
    EXPECT_EQ(e.gResponsiveLayoutFlag, row.responsive);
    EXPECT_EQ(e.gResponsiveEmailFlag, row.responsiveEmail);
    EXPECT_EQ(e.gSingleDocumentFlag, row.singleDocument);
    EXPECT_EQ(e.gSidebarInspectorFlag, row.sidebarInspector);
    EXPECT_EQ(e.gReadOnlyViewerFlag, row.readOnlyViewer);
    EXPECT_EQ(e.gHidePublishExtColumnFlag, row.hidePublishExtColumn);
    EXPECT_EQ(e.gPageListWidth, row.pageListWidth);
    EXPECT_EQ(e.gDefaultFontSize, row.defaultFontSize);
    EXPECT_EQ(e.gColorPalette.size(), row.paletteSize);
    EXPECT_EQ(e.gStarterPageFiles.size(), row.starterFiles);
    if (row.starterFiles > 0) {
        EXPECT_EQ(e.gStarterPageFiles.first(), e.gBlankTemplatePath);
    }
    EXPECT_FLOAT_EQ(e.gPrintPixelFactor, 144.0f);
}

INSTANTIATE_TEST_SUITE_P(AllEditions, EditionTable, ::testing::ValuesIn(kEditions),
                         [](const ::testing::TestParamInfo<EditionRow>& info) {
                             std::string name;
                             for (const char* p = info.param.displayName; *p; ++p) {
                                 if (std::isalnum(static_cast<unsigned char>(*p)))
                                     name += *p;
                             }
                             return name;
                         });

TEST(EditionSelection, CoversEveryDisplayNameOnce)
{
    const QStringList& names = DataCentre::editionDisplayNames();
    EXPECT_EQ(names.size(), 35);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 35);
    EXPECT_EQ(names.first(), QStringLiteral("HTML Quib Pro"));
    EXPECT_EQ(names.last(), QStringLiteral("Corvane Envelope Designer"));
    for (const EditionRow& row : kEditions) {
        if (QString::fromUtf8(row.displayName) != QStringLiteral("Quib")) {
            EXPECT_TRUE(names.contains(QString::fromUtf8(row.displayName))) << row.displayName;
        }
    }
}

TEST(EditionSelection, NameDifferingInCaseSelectsTheDefault)
{
    for (const char* name :
         {"html quib pro", "ULMIRA PRO 2", "Haskavel pro", "Cardell viewer", "", " Zandelle"}) {
        ScopedEdition scoped(QString::fromUtf8(name));
        EXPECT_EQ(edition().gDocumentExtension, QStringLiteral("quibpage")) << name;
        EXPECT_TRUE(edition().gTemplatesFolderName.isNull()) << name;
        EXPECT_EQ(edition().gColorPalette, Palettes::small()) << name;
        EXPECT_EQ(edition().gCanvasHeight, 5000) << name;
        EXPECT_TRUE(edition().gTextCategoryFonts.isEmpty()) << name;
    }
}

TEST(EditionSelection, RunsOnceUntilReset)
{
    ScopedEdition scoped(QStringLiteral("Zandelle"));
    EXPECT_EQ(edition().gPageBaseName, QStringLiteral("photo"));

    // A later call with another launch name changes nothing.
    DataCentre::setLaunchDisplayName(QStringLiteral("Veldacre"));
    edition().gPageBaseName = QStringLiteral("marker");
    DataCentre::runAppSpecificSetups();
    EXPECT_EQ(edition().gPageBaseName, QStringLiteral("marker"));
    EXPECT_EQ(edition().gDocumentExtension, QStringLiteral("quibpage"));
}

TEST(EditionSelection, ScopedEditionRestoresTheRecord)
{
    const EditionSettings before = edition();
    {
        ScopedEdition scoped(QStringLiteral("Cardell Vet Edition"));
        EXPECT_EQ(edition().gDocumentExtension, QStringLiteral("zorprofile"));
    }
    EXPECT_EQ(edition().gDocumentExtension, before.gDocumentExtension);
    EXPECT_EQ(edition().gEditionDisplayName, before.gEditionDisplayName);
    EXPECT_EQ(edition().gColorPalette, before.gColorPalette);
}

TEST(EditionSelection, LaterStoresWinOverTheSheet)
{
    for (const char* name :
         {"Corvane Business Card Designer", "Corvane eCard Designer", "Corvane Envelope Designer"}) {
        ScopedEdition scoped(QString::fromUtf8(name));
        EXPECT_EQ(edition().gPageListWidth, 300) << name;
        EXPECT_EQ(edition().gDefaultPageIconMode, 2) << name;
        EXPECT_TRUE(edition().gAutoBaseTemplateFlag) << name;
        EXPECT_EQ(edition().gSelectedLabelSheet, edition().gLabelTemplateList.first().templateDescription)
            << name;
        EXPECT_EQ(edition().gScreenshotWidth, edition().gCanvasWidth) << name;
    }
}

// The four editions that preselect a template but apply no sheet keep exactly what their tables
// store: no canvas, render or screenshot size, and the PDF author's own display scale.
TEST(EditionSelection, PrintEditionValuesAreThoseOfTheirTables)
{
    const struct
    {
        const char* name;
        int canvasWidth, canvasHeight;
        float displayScale;
        int renderWidth, renderHeight, screenshotWidth;
    } rows[] = {
        {"Kestrin Label Maker", 0, 0, 0.0f, 0, 0, 0},
        {"Kestrin Flyer Maker Pro", 0, 0, 0.0f, 0, 0, 0},
        {"Kestrin Greeting Card Designer", 0, 0, 0.0f, 0, 0, 0},
        {"Kestrin PDF Author", 0, 0, 1.0f, 0, 0, 0},
    };
    for (const auto& row : rows) {
        ScopedEdition scoped(QString::fromUtf8(row.name));
        const EditionSettings& e = edition();
        EXPECT_EQ(e.gCanvasWidth, row.canvasWidth) << row.name;
        EXPECT_EQ(e.gCanvasHeight, row.canvasHeight) << row.name;
        EXPECT_FLOAT_EQ(e.gCanvasDisplayScale, row.displayScale) << row.name;
        EXPECT_EQ(e.gRenderImageWidth, row.renderWidth) << row.name;
        EXPECT_EQ(e.gRenderImageHeight, row.renderHeight) << row.name;
        EXPECT_EQ(e.gScreenshotWidth, row.screenshotWidth) << row.name;
        // No sheet is applied at launch: the selected sheet stays unset.
        EXPECT_TRUE(e.gSelectedLabelSheet.isNull()) << row.name;
        ASSERT_TRUE(e.gSelectedLabelTemplate.has_value()) << row.name;
    }
}

// Where the canvas and scale are read, an unset value falls back to the default edition's.
TEST(EditionSelection, ReadersFallBackFromAZeroCanvasOrScale)
{
    const struct
    {
        int width, height;
        float scale;
        QSize canvas;
        double usedScale;
    } rows[] = {
        {0, 0, 0.0f, QSize(1500, 5000), 1.0},     {0, 0, 1.0f, QSize(1500, 5000), 1.0},
        {1575, 0, 0.4f, QSize(1500, 5000), 0.4},  {-3, 600, -1.0f, QSize(1500, 5000), 1.0},
        {1575, 600, 0.4f, QSize(1575, 600), 0.4},
    };
    for (const auto& row : rows) {
        EditionSettings e;
        e.gCanvasWidth = row.width;
        e.gCanvasHeight = row.height;
        e.gCanvasDisplayScale = row.scale;
        EXPECT_EQ(e.usableCanvasSize(), row.canvas) << row.width << "x" << row.height;
        EXPECT_FLOAT_EQ(float(e.usableDisplayScale()), float(row.usedScale)) << row.scale;
    }
}

TEST(EditionSelection, TemplateListsInOrder)
{
    {
        ScopedEdition scoped(QStringLiteral("Kestrin PDF Author"));
        const auto& list = edition().gLabelTemplateList;
        ASSERT_EQ(list.size(), 29);
        EXPECT_EQ(list.at(0), LabelTemplateHelper("", "", "US Letter - Portrait HD", "na-letter"));
        EXPECT_EQ(list.at(12).templateDescription, QStringLiteral("3.5\" x 4.3\" HD"));
        EXPECT_EQ(list.at(28), LabelTemplateHelper("", "", "12\" x 12\" HD", "na-letter"));
        EXPECT_EQ(*edition().gSelectedLabelTemplate,
                  LabelTemplateHelper("", "", "US Letter - Portrait HD", "na-letter"));
        // Brand and number are empty strings, not missing ones.
        EXPECT_FALSE(list.at(0).brand.isNull());
        EXPECT_EQ(edition().gStarterPageFiles,
                  QStringList({"blank/basetemplate.jxw", "blank/1.jxw", "blank/2.jxw", "blank/3.jxw"}));
    }
    {
        ScopedEdition scoped(QStringLiteral("Kestrin Flyer Maker Pro"));
        ASSERT_EQ(edition().gLabelTemplateList.size(), 20);
        EXPECT_EQ(edition().gLabelTemplateList.at(16),
                  LabelTemplateHelper("", "", "Post Card - 4\" x 6\"", "4 x 6"));
    }
    {
        ScopedEdition scoped(QStringLiteral("Kestrin Greeting Card Designer"));
        ASSERT_EQ(edition().gLabelTemplateList.size(), 12);
        EXPECT_EQ(edition().gSelectedLabelTemplate->templateDescription,
                  QStringLiteral("US Letter - Landscape"));
        EXPECT_EQ(edition().gStarterPageFiles,
                  QStringList({"blank/2.dunmeret", "blank/3.dunmeret", "blank/4.dunmeret"}));
    }
    {
        ScopedEdition scoped(QStringLiteral("Corvane eCard Designer"));
        ASSERT_EQ(edition().gLabelTemplateList.size(), 4);
        EXPECT_EQ(edition().gLabelTemplateList.at(2).paperSize, QStringLiteral("A4"));
        EXPECT_EQ(edition().gLabelTemplateList.at(1).paperSize, QStringLiteral("na-letter"));
    }
    {
        ScopedEdition scoped(QStringLiteral("Corvane Envelope Designer"));
        EXPECT_EQ(edition().gRulerUnitName, QStringLiteral("Inches"));
        EXPECT_EQ(edition().gLabelTemplateList.at(3),
                  LabelTemplateHelper("", "", "Envelope #9 3.875\" x 8.875\"", "na-number-9-envelope"));
    }
}

TEST(EditionSelection, EveryTemplateNamesACatalogueSheet)
{
    for (const QString& name : DataCentre::editionDisplayNames()) {
        ScopedEdition scoped(name);
        QStringList descriptions;
        for (const LabelTemplateHelper& t : edition().gLabelTemplateList)
            descriptions << t.templateDescription;
        if (edition().gSelectedLabelTemplate)
            descriptions << edition().gSelectedLabelTemplate->templateDescription;
        const auto& rows = DataCentre::printLabels();
        for (const QString& description : descriptions) {
            EXPECT_TRUE(
                std::any_of(rows.begin(), rows.end(),
                            [&](const LabelHelper& row) { return row.printDescription == description; }))
                << name.toStdString() << ": " << description.toStdString();
        }
    }
}

TEST(EditionSelection, LabelMakerReadsTheLabelsFileSortedAsText)
{
    ScopedEdition scoped(QStringLiteral("Kestrin Label Maker"));
    const auto& list = edition().gLabelTemplateList;
    ASSERT_FALSE(list.isEmpty());
    for (int i = 1; i < list.size(); ++i)
        EXPECT_LE(QString::compare(list.at(i - 1).templateNumber, list.at(i).templateNumber), 0);
    EXPECT_EQ(*edition().gSelectedLabelTemplate,
              LabelTemplateHelper("Avery", "5160", "Label - 30 Per Letter Sheet", "na-letter"));
    bool found5160 = false;
    for (const LabelTemplateHelper& t : list) {
        EXPECT_NE(t.paperSize, QStringLiteral("US Letter"));
        // Every template of the file names a sheet of the catalogue.
        const auto& rows = DataCentre::printLabels();
        EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&t](const LabelHelper& row) {
            return row.printDescription == t.templateDescription;
        })) << t.templateDescription.toStdString();
        found5160 = found5160 || t.templateNumber == QStringLiteral("5160");
    }
    EXPECT_TRUE(found5160);
}

TEST(EditionSelection, ProfileEditions)
{
    QTemporaryDir dir;
    platform::UserDefaults::standard().useStoreFile(dir.filePath("defaults.ini"));
    {
        ScopedEdition scoped(QStringLiteral("Cardell Viewer"));
        EXPECT_EQ(edition().gProfileFieldNames.size(), 10);
        EXPECT_TRUE(edition().gTextCategoryFonts.isEmpty());
        EXPECT_FALSE(edition().gProfileEditionFlag);
        EXPECT_TRUE(
            edition().gWelcomeText.startsWith(QStringLiteral("Thanks for choosing Cardell Viewer!\n\n")));
        EXPECT_TRUE(edition().gWelcomeText.endsWith(QStringLiteral("changes \"can not\" be saved.")));
    }
    {
        ScopedEdition scoped(QStringLiteral("Cardell Vet Edition"));
        EXPECT_EQ(edition().gProfileFieldNames.size(), 16);
        EXPECT_EQ(edition().gTextCategoryFonts, QStringList(10, QStringLiteral("Heiti TC")));
        EXPECT_EQ(edition().gTextCategoryNames.first(), QStringLiteral("Booster Shots"));
        EXPECT_EQ(edition().gSampleDocumentName, QStringLiteral("Fetch.zorprofile"));
    }

    // Saved category names replace the edition's own only when the override is on and complete.
    QStringList saved;
    for (int i = 0; i < 10; ++i)
        saved << QStringLiteral("Saved %1").arg(i);
    auto& defaults = platform::UserDefaults::standard();
    defaults.setObject(QStringLiteral("CustomTextCategoryDescriptions"), saved);
    {
        ScopedEdition scoped(QStringLiteral("Veldacre"));
        EXPECT_EQ(edition().gTextCategoryNames.first(), QStringLiteral("Attendance"));
    }
    defaults.setBool(QStringLiteral("TextCategoryOverRide"), true);
    {
        ScopedEdition scoped(QStringLiteral("Cardell"));
        EXPECT_EQ(edition().gTextCategoryNames, saved);
    }
    {
        ScopedEdition scoped(QStringLiteral("HTML Quib Pro")); // not a profile edition
        EXPECT_EQ(edition().gTextCategoryNames, QStringList(10, QStringLiteral("abc")));
    }
    defaults.setObject(QStringLiteral("CustomTextCategoryDescriptions"), saved.mid(0, 3));
    {
        ScopedEdition scoped(QStringLiteral("Cardell 2"));
        EXPECT_EQ(edition().gTextCategoryNames.size(), 10);
        EXPECT_EQ(edition().gTextCategoryNames.first(), QStringLiteral("Visit Notes"));
    }
}

TEST(EditionSelection, SharedValuesOfSisterEditions)
{
    EditionSettings pro;
    EditionSettings pro2;
    {
        ScopedEdition scoped(QStringLiteral("Haskavel Pro"));
        pro = edition();
    }
    {
        ScopedEdition scoped(QStringLiteral("Haskavel Pro 2"));
        pro2 = edition();
    }
    EXPECT_EQ(pro2.gTemplatesFolderName, QStringLiteral("orgchart_templates2"));
    EXPECT_TRUE(pro2.gSidebarInspectorFlag);
    EXPECT_FALSE(pro.gSidebarInspectorFlag);
    EXPECT_EQ(pro.gProductSiteURL, pro2.gProductSiteURL);
    EXPECT_EQ(pro.gAppStoreReviewURL, pro2.gAppStoreReviewURL);
    EXPECT_EQ(pro.gVideoTutorialsURL, pro2.gVideoTutorialsURL);
    EXPECT_EQ(pro.gEditionIconName, pro2.gEditionIconName);

    ScopedEdition mail(QStringLiteral("Ulmira Express"));
    EXPECT_EQ(edition().gDropboxAppKey, QStringLiteral("u5tbk1wq8zmd2rc"));
    EXPECT_TRUE(edition().gAppStoreReviewURL.isEmpty());
    EXPECT_FALSE(edition().gAppStoreReviewURL.isNull());
    EXPECT_EQ(edition().gScreenshotWidth, 1000);
    EXPECT_EQ(edition().gPersonalizationTags.size(), 11);
}

TEST(EditionSelection, LaunchDisplayName)
{
    EXPECT_EQ(DataCentre::displayNameForLaunch({"/usr/bin/quib", "--edition", "Ulmira Pro 2"}),
              QStringLiteral("Ulmira Pro 2"));
    EXPECT_EQ(DataCentre::displayNameForLaunch({"quib", "--edition=Cardell 2"}), QStringLiteral("Cardell 2"));
    EXPECT_EQ(DataCentre::displayNameForLaunch({"/opt/quib/bin/haskavel-pro-2"}),
              QStringLiteral("Haskavel Pro 2"));
    EXPECT_EQ(DataCentre::displayNameForLaunch({"/opt/quib/bin/haskavel-pro"}),
              QStringLiteral("Haskavel Pro"));
    EXPECT_EQ(DataCentre::displayNameForLaunch({"/opt/Corvane eCard Designer"}),
              QStringLiteral("Corvane eCard Designer"));
    EXPECT_EQ(DataCentre::displayNameForLaunch({"/usr/bin/quib"}), DataCentre::defaultDisplayName());
    EXPECT_EQ(DataCentre::displayNameForLaunch({}), DataCentre::defaultDisplayName());
    // "--edition" with nothing after it names nothing: the program's name decides.
    EXPECT_EQ(DataCentre::displayNameForLaunch({"quib", "--edition"}), DataCentre::defaultDisplayName());
    EXPECT_EQ(DataCentre::displayNameForLaunch({"/opt/bin/cardell-2", "a.zorprofile", "--edition"}),
              QStringLiteral("Cardell 2"));
    EXPECT_EQ(DataCentre::displayNameForLaunch({"quib", "--edition", "--edition"}),
              QStringLiteral("--edition"));

    ScopedEdition scoped(QStringLiteral("Kestrin Markup"));
    EXPECT_EQ(edition().gBundleIdentifier, QStringLiteral("org.quib.KestrinMarkup"));
    EXPECT_EQ(edition().gBundleVersion, QStringLiteral(QUIB_VERSION));
}

TEST(Palettes, SizesAndFixedEntries)
{
    const QStringList& large = Palettes::large();
    ASSERT_EQ(large.size(), 551);
    EXPECT_EQ(large.mid(0, 10), QStringList({"CLEAR0", "B0171F", "DC143C", "FFB6C1", "FFAEB9", "EEA2AD",
                                             "CD8C95", "8B5F65", "FFC0CB", "FFB5C5"}));
    EXPECT_EQ(large.mid(544),
              QStringList({"121212", "0F0F0F", "0D0D0D", "0A0A0A", "808080", "505050", "303030"}));
    // The seven repeats, counted from 1, each standing earlier in the list as well; no other repeats.
    const QList<QPair<int, QString>> repeats{{226, "800000"}, {260, "808000"}, {425, "800000"},
                                             {456, "F5F5F5"}, {511, "696969"}, {549, "808080"},
                                             {551, "303030"}};
    QSet<int> repeatPositions;
    for (const auto& [position, colour] : repeats) {
        EXPECT_EQ(large.at(position - 1), colour);
        EXPECT_LT(large.indexOf(colour), position - 1) << position;
        repeatPositions.insert(position);
    }
    QSet<QString> seen;
    for (int i = 0; i < large.size(); ++i) {
        EXPECT_EQ(seen.contains(large.at(i)), repeatPositions.contains(i + 1)) << i + 1;
        seen.insert(large.at(i));
    }

    const QStringList& noRepeats = Palettes::largeWithoutRepeats();
    ASSERT_EQ(noRepeats.size(), 544);
    EXPECT_EQ(noRepeats.mid(541), QStringList({"0D0D0D", "0A0A0A", "505050"}));
    EXPECT_EQ(QSet<QString>(noRepeats.begin(), noRepeats.end()).size(), 544);

    const QStringList& small = Palettes::small();
    ASSERT_EQ(small.size(), 140);
    EXPECT_EQ(small.mid(0, 10), QStringList({"CLEAR0", "FFFFFF", "F5F5F5", "DCDCDC", "D3D3D3", "C0C0C0",
                                             "555555", "808080", "696969", "000000"}));
    EXPECT_EQ(small.mid(136), QStringList({"B22222", "8B0000", "800000", "CC0000"}));
    EXPECT_EQ(QSet<QString>(small.begin(), small.end()).size(), 140);

    static const QRegularExpression hex(QStringLiteral("^[0-9A-F]{6}$"));
    for (const QStringList* palette : {&large, &small}) {
        for (int i = 1; i < palette->size(); ++i)
            EXPECT_TRUE(hex.match(palette->at(i)).hasMatch()) << palette->at(i).toStdString();
    }
}

} // namespace
