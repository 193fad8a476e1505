// The page text a generation pass writes: the skeleton of each page shape, the page-setting markers,
// the values that belong to one document only, and the head's header code and page colour.
#include "GenerationTestSupport.h"

#include "generation/PageShell.h"
#include "model/DRVLine.h"
#include "model/DRVRectangle.h"
#include "platform/TextEncoding.h"

#include <QDir>

using generationtest::expectGolden;
using generationtest::GenerationTest;

namespace {

// The lines after "</html>".
QStringList trailingLines(const QString& page)
{
    const qsizetype end = page.indexOf(QStringLiteral("</html>\n"));
    return page.mid(end + 8).split(u'\n');
}

QString markerLine(const QString& page, const QString& start)
{
    for (const QString& line : page.split(u'\n')) {
        if (line.startsWith(start))
            return line;
    }
    return {};
}

} // namespace

using PageShapesTest = GenerationTest;

TEST_F(PageShapesTest, EmptyPageIsTheAbsoluteSkeletonWithEveryMarkerLineInOrder)
{
    DRVDocument document;
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    expectGolden(page, "empty-absolute.html");
    EXPECT_EQ(document.generatedPageSource(), page);
    EXPECT_FALSE(page.contains(QStringLiteral("(null)")));
    EXPECT_FALSE(page.contains(QStringLiteral("<form")));

    // Switched-off markers stay as empty lines, so every marker keeps its line.
    const QStringList trailing = trailingLines(page);
    ASSERT_EQ(trailing.size(), 10);
    EXPECT_EQ(trailing.mid(0, 4), QStringList(4, QString()));
    EXPECT_EQ(trailing.at(4), QStringLiteral("<!--PUBLISHEXTSTART====PUBLISHEXTEND-->"));
    EXPECT_EQ(trailing.at(5), QStringLiteral("<!--BACKGROUNDIMAGESTART==1.00==BACKGROUNDIMAGEEND-->"));
    EXPECT_EQ(trailing.at(7), QStringLiteral("<!--FIXEDCANVASSTART==0==FIXEDCANVASEND-->"));
    EXPECT_EQ(trailing.at(8), QString());
    EXPECT_EQ(trailing.at(9), QStringLiteral("<!--CANVAS_SIZE_TYPE====CANVAS_SIZE_TYPE_END-->"));
}

TEST_F(PageShapesTest, EveryMarkerSwitchedOnAndABackgroundImage)
{
    DRVDocument document;
    document.setPageName(QStringLiteral("about"));
    document.setPageOfficialName(QStringLiteral("About us"));
    document.setPageFileExtension(QStringLiteral("html"));
    document.setEncodingType(QStringLiteral("UTF-8"));
    document.setMetaKeywords(QStringLiteral("birds, nests"));
    document.setMetaDescription(QStringLiteral("All about birds"));
    document.setWebPageWidthManualFlag(true);
    document.setWebPageWidth(960);
    document.setCentreFlag(1);
    document.setCustomHeaderCode(
        QStringLiteral("  <script>a()</script>\n<script>b()</script>\n<meta x>\n\t"));
    document.setBaseTemplateCustomHeaderCode(QStringLiteral("<meta base>"));
    document.setInheritCustomHeaderCodeFlag(1);
    document.setInheritMetadataFlag(1);
    document.setUseBaseTemplateFlag(1);
    document.setDuplicateBasetemplateFlag(true);
    document.setCanvasRotationDegrees(90);
    document.setCanvasSizeTypeName(QStringLiteral("Standard"));
    document.setDocSpecificFixedCanvasFlag(1);
    document.setDocSpecificPageWidth(800);
    document.setDocSpecificPageHeight(600);
    document.setSelectedLabelSheet(QStringLiteral("Label - 30 Per Letter Sheet"));
    document.setLabelTemplateHelper(LabelTemplateHelper(QStringLiteral("Avery"), QStringLiteral("5160"),
                                                        QStringLiteral("Address Labels")));
    QImage background(4, 4, QImage::Format_ARGB32);
    background.fill(Qt::red);
    document.setBackgroundImage(background);
    document.setBackgroundImageType(QStringLiteral("JPG"));
    document.setBackgroundImageFlag(2);
    platform::UserDefaults::standard().setDouble(QStringLiteral("backgroundQualityPercentage"), 0.7);

    const QString page = document.generateSourceCode(QStringLiteral("about"), false, false);
    expectGolden(page, "markers-on.html");
    EXPECT_EQ(document.customHeaderCode(),
              QStringLiteral("<script>a()</script>\n<script>b()</script>\n<meta x>\n"));
    EXPECT_EQ(document.publishExt(), QStringLiteral("html"));
    EXPECT_EQ(document.webPageWidth(), 960);
}

TEST_F(PageShapesTest, FormPageWrapsTheBodyInItsFormAndLeavesOutTheDuplicateMarker)
{
    DRVDocument document;
    document.setPageFileExtension(QStringLiteral("php"));
    document.setDuplicateBasetemplateFlag(true);
    document.setFormBotCheckerKey(QStringLiteral("00112233445566778899aabbccddeeff"));
    const QString page = document.generateSourceCode(QStringLiteral("contact"), false, false);
    expectGolden(page, "form-absolute.html");
    EXPECT_FALSE(page.contains(QStringLiteral("BASE TEMPLATE DUPLICATED")));
    EXPECT_EQ(trailingLines(page).size(), 9);
}

TEST_F(PageShapesTest, BackgroundQualityIsWrittenWithTwoDecimalsAndZeroMeansFull)
{
    const struct
    {
        double quality;
        const char* written;
    } cases[] = {{0.0, "1.00"}, {0.5, "0.50"}, {0.875, "0.88"}, {1.0, "1.00"}};
    for (const auto& c : cases) {
        platform::UserDefaults::standard().setDouble(QStringLiteral("backgroundQualityPercentage"),
                                                     c.quality);
        DRVDocument document;
        const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
        EXPECT_EQ(markerLine(page, QStringLiteral("<!--BACKGROUNDIMAGESTART")),
                  QStringLiteral("<!--BACKGROUNDIMAGESTART==%1==BACKGROUNDIMAGEEND-->")
                      .arg(QLatin1String(c.written)))
            << c.quality;
    }
}

TEST_F(PageShapesTest, TwoDocumentsDoNotShareThePageValuesOfEachOther)
{
    DRVDocument rotated;
    rotated.setCanvasRotationDegrees(90);
    rotated.setCanvasSizeTypeName(QStringLiteral("Standard"));
    rotated.setSelectedLabelSheet(QStringLiteral("Label - 30 Per Letter Sheet"));
    const QString first = rotated.generateSourceCode(QStringLiteral("first"), false, false);
    ASSERT_TRUE(first.contains(QStringLiteral("<!--ROTATE CANVAS:90-->")));
    ASSERT_TRUE(first.contains(QStringLiteral("<!--CANVAS_SIZE_TYPE==Standard==CANVAS_SIZE_TYPE_END-->")));
    ASSERT_TRUE(first.contains(QStringLiteral("LABEL_BRAND_START")));

    DRVDocument plain;
    const QString second = plain.generateSourceCode(QStringLiteral("second"), false, false);
    EXPECT_FALSE(second.contains(QStringLiteral("ROTATE CANVAS")));
    EXPECT_TRUE(second.contains(QStringLiteral("<!--CANVAS_SIZE_TYPE====CANVAS_SIZE_TYPE_END-->")));
    EXPECT_FALSE(second.contains(QStringLiteral("LABEL_BRAND_START")));

    // Each keeps its own last text.
    EXPECT_EQ(rotated.generatedPageSource(), first);
    EXPECT_EQ(plain.generatedPageSource(), second);
}

TEST_F(PageShapesTest, PageColourIsTheDocumentsOwnWithOrWithoutAWindow)
{
    const struct
    {
        const char* edition;
        const char* hex;
        const char* written;
    } cases[] = {
        {"HTML Quib Pro", "336699", "336699"},
        {"HTML Quib Pro", "", "FFFFFF"},
        {"HTML Quib Pro", "CLEAR0", "FFFFFF"},
        {"Kestrin Flyer Maker Pro", "CLEAR0", "CLEAR0"},
    };
    for (const auto& c : cases) {
        ScopedEdition edition(QString::fromLatin1(c.edition));
        DRVDocument document;
        document.setPageColorHexString(QString::fromLatin1(c.hex));
        const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
        const QString color = QString::fromLatin1(c.written);
        EXPECT_TRUE(page.contains(QStringLiteral("<body bgcolor=#%1 leftmargin=0 topmargin=0>").arg(color)))
            << c.edition << " " << c.hex;
        EXPECT_TRUE(page.contains(QStringLiteral("body{background-color:#%1;}").arg(color))) << c.edition;
    }
}

TEST_F(PageShapesTest, ABackgroundFlagWithoutAnImageFallsBackToThePageColour)
{
    DRVDocument document;
    document.setBackgroundImageFlag(2);
    document.setPageColorHexString(QStringLiteral("102030"));
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_EQ(document.backgroundImageFlag(), 0);
    EXPECT_TRUE(page.contains(QStringLiteral("body{background-color:#102030;}")));
    EXPECT_FALSE(page.contains(QStringLiteral("background-image")));
}

TEST_F(PageShapesTest, CustomHeaderCodeCountsTheLinesThatFollowItsMarker)
{
    const struct
    {
        const char* code;
        int count;
        const char* stored;
    } cases[] = {
        {"(null)", 0, ""},
        {"", 0, ""},
        {"<a>\n<b>\n<c>\n", 3, "<a>\n<b>\n<c>\n"},
        {" \t<a>\n<b>  ", 2, "<a>\n<b>"},
    };
    for (const auto& c : cases) {
        DRVDocument document;
        document.setCustomHeaderCode(QString::fromLatin1(c.code));
        const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
        const QString stored = QString::fromLatin1(c.stored);
        EXPECT_TRUE(
            page.contains(QStringLiteral("<!--Custom Header Code:%1-->\n%2\n\n").arg(c.count).arg(stored)))
            << c.code;
        EXPECT_EQ(document.customHeaderCode(), stored);
    }
}

TEST_F(PageShapesTest, BaseTemplateHeaderCodeIsKeptOnlyWhenThePageInheritsIt)
{
    DRVDocument document;
    document.setBaseTemplateCustomHeaderCode(QStringLiteral("<meta base>"));
    QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_TRUE(page.contains(QStringLiteral("<!--Base Template Header Code:0-->\n\n")));
    EXPECT_EQ(document.baseTemplateCustomHeaderCode(), QString());

    document.setBaseTemplateCustomHeaderCode(QStringLiteral("<meta base>"));
    document.setInheritCustomHeaderCodeFlag(1);
    page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_TRUE(page.contains(QStringLiteral("<!--Base Template Header Code:1-->\n<meta base>\n")));
}

TEST_F(PageShapesTest, PageWidthIsMeasuredUnlessSetByHand)
{
    DRVDocument document;
    auto* rectangle = add<DRVRectangle>(document);
    rectangle->setBounds(QRectF(10.7, 5, 300.6, 40));
    document.setCentreFlag(1);
    document.setWebPageWidth(999);
    QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_EQ(document.webPageWidth(), 310);
    EXPECT_TRUE(page.contains(QStringLiteral(
        "<style "
        "type=text/css>\n#content{position:relative;width:310px;margin-left:auto;margin-right:auto;}\n")));
    EXPECT_TRUE(page.contains(QStringLiteral("<meta name='viewport' content='width=310'>")));
    EXPECT_FALSE(page.contains(QStringLiteral("manual view port")));

    document.setWebPageWidthManualFlag(true);
    document.setWebPageWidth(999);
    page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_EQ(document.webPageWidth(), 999);
    EXPECT_TRUE(page.contains(
        QStringLiteral("<meta name=\"description\" content=\"\">\n<!---manual view port calculation--->\n")));
}

TEST_F(PageShapesTest, SpecialCharactersAreStoredAsEntitiesOrPlainReplacements)
{
    const QString in = QString::fromUtf8("© ® ’ — ‘ “ ” £ ¢ ¥ € ¿");
    EXPECT_EQ(PageShell::replaceCharacterEntities(in),
              QStringLiteral("&copy; &reg; ' - ' \" \" &pound; &cent; &yen; &euro; &iquest;"));

    DRVDocument document;
    document.setPageOfficialName(QString::fromUtf8("“Caf\u00e9” €5"));
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_TRUE(page.contains(QString::fromUtf8("<title>\"Caf\u00e9\" &euro;5</title>")));
}

TEST_F(PageShapesTest, PreviewUsesTheLocalScriptCopiesAndPutsThemBesideThePage)
{
    QTemporaryDir folder;
    DRVDocument document;
    document.setTempSavePathLocal(folder.path());
    document.setPreviewGenerationFlag(true);
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_TRUE(page.contains(PageShell::includeBlock(true)));
    EXPECT_FALSE(page.contains(QStringLiteral("ajax/libs/jquery")));
    for (const char* name : {"jquery-2.2.2.min.js", "bootstrap.min.js", "bootstrap.min.css"})
        EXPECT_TRUE(QFile::exists(folder.filePath(QString::fromLatin1(name)))) << name;
}

TEST_F(PageShapesTest, ProfileFieldsFollowThePageEachAfterABlankLine)
{
    ScopedEdition profiles(QStringLiteral("Cardell"));
    edition().gBundleVersion = QStringLiteral("1.0");
    ASSERT_GE(edition().gProfileFieldNames.size(), 3);
    DRVDocument document;
    const QString first = edition().gProfileFieldNames.at(0);
    const QString third = edition().gProfileFieldNames.at(2);
    document.setProfileDictionary({{first, QStringLiteral("Ann")}, {third, QStringLiteral("Rex")}});
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_TRUE(page.endsWith(
        QStringLiteral("<!--CANVAS_SIZE_TYPE====CANVAS_SIZE_TYPE_END-->\n\n<!====") + first +
        QStringLiteral("STARTSTRING--Ann--") + first + QStringLiteral("ENDSTRING====>\n\n<!====") + third +
        QStringLiteral("STARTSTRING--Rex--") + third + QStringLiteral("ENDSTRING====>")));
}

// ---- responsive editions ----

class ResponsivePageTest : public GenerationTest
{
protected:
    ResponsivePageTest() : GenerationTest("Brumel Responsive Website Designer") {}
};

TEST_F(ResponsivePageTest, PublishingGivesTheBootstrapShapeAndSavingTheAbsoluteOne)
{
    QTemporaryDir folder;
    DRVDocument document;
    document.setTempSavePathLocal(folder.path());
    document.setPageOfficialName(QStringLiteral("Home"));
    document.setMetaKeywords(QStringLiteral("k"));
    document.setMetaDescription(QStringLiteral("d"));
    const QString published = document.generateSourceCode(QStringLiteral("index"), true, false);
    expectGolden(published, "empty-responsive.html");
    EXPECT_FALSE(published.contains(QStringLiteral("CANVAS_SIZE_TYPE")));
    EXPECT_FALSE(published.contains(QStringLiteral("(null)")));

    const QString stored = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_TRUE(stored.startsWith(QStringLiteral("<!DOCTYPE html><html><head>\n")));
    EXPECT_TRUE(stored.endsWith(QStringLiteral("<!--CANVAS_SIZE_TYPE====CANVAS_SIZE_TYPE_END-->")));

    // The edition keeps its styles in a separate sheet too.
    const std::optional<QString> sheet =
        platform::readPageTextFile(folder.filePath(QStringLiteral("index/full.css")));
    ASSERT_TRUE(sheet.has_value());
    EXPECT_EQ(*sheet, document.fullCSSString());
    EXPECT_TRUE(
        sheet->startsWith(QStringLiteral("<style type=text/css>\n\nbody{background-image:url('index/")));
    EXPECT_TRUE(sheet->contains(QStringLiteral("@media(-webkit-min-device-pixel-ratio: 2) {}")));
}

TEST_F(ResponsivePageTest, TheHeadNamesTheCharsetThePageIsPublishedIn)
{
    const struct
    {
        const char* encodingType;
        const char* meta;
    } cases[] = {
        {"UTF-8", "<meta charset=\"UTF-8\">"},
        {"Win-1251", "<meta charset=\"windows-1251\">"},
        {"", "<meta charset=\"UTF-8\">"},
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        DRVDocument document;
        document.setTempSavePathLocal(folder.path());
        document.setEncodingType(QString::fromLatin1(c.encodingType));
        const QString published = document.generateSourceCode(QStringLiteral("index"), true, false);
        EXPECT_TRUE(published.contains(QString::fromLatin1(c.meta))) << c.encodingType;
    }
}

class EmailPageTest : public GenerationTest
{
protected:
    EmailPageTest() : GenerationTest("Brumel Responsive Email Designer") {}
};

TEST_F(EmailPageTest, PublishingGivesTheEmailTableShapeWithoutBootstrap)
{
    DRVDocument document;
    document.setPageColorHexString(QStringLiteral("EEEEEE"));
    const QString published = document.generateSourceCode(QStringLiteral("mail"), true, false);
    expectGolden(published, "empty-email.html");
    EXPECT_FALSE(published.contains(QStringLiteral("bootstrap")));
    EXPECT_FALSE(published.contains(QStringLiteral("(null)")));
    EXPECT_TRUE(published.contains(QStringLiteral("max-width: 480px")));
    EXPECT_TRUE(published.contains(QStringLiteral("<table width=\"100%\" bgcolor=\"#EEEEEE\"")));
}
