// Label and business-card sheet editions
#include "editions/EditionSelection.h"
#include "editions/Palettes.h"

namespace editions {

void setUpBrennoltPro(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("brennolt-pro"));
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.dunmeret");
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 60;
    e.gDefaultPageIconMode = 3;
    e.gDocumentExtension = QStringLiteral("dunmeret");
    editionIcon(e, QStringLiteral("brennolt_pro"));
    e.gEqualColumnWidthsFlag = true;
    e.gExportAtEditionCanvasSizeFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gNewProjectName = QStringLiteral("New Label Sheet");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("label");
    e.gPageListWidth = 320;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("Label");
    e.gPersonalizationTags = tagList12();
    e.gProductSiteURL = productSite(QStringLiteral("brennolt-pro"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("labels_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListB();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("BrennoltPro.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("brennolt-pro"));
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
    applyLaunchSheet(e, QStringLiteral("Label - 30 Per Letter Sheet"));
}

void setUpFemmock(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("femmock"));
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.dunmeret");
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 70;
    e.gDefaultPageIconMode = 2;
    e.gDocumentExtension = QStringLiteral("dunmeret");
    editionIcon(e, QStringLiteral("gondrith"));
    e.gEqualColumnWidthsFlag = true;
    e.gExportAtEditionCanvasSizeFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gNewProjectName = QStringLiteral("New Design Project");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("card");
    e.gPageListWidth = 320;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("Cards");
    e.gPaperSizeControlFlag = true;
    e.gPersonalizationTags = tagList12();
    e.gProductSiteURL = productSite(QStringLiteral("femmock"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gSelectionHandleSize = 4.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("wembric_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListB();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("FemmockForMac.PDF");
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
    applyLaunchSheet(e, QStringLiteral("Business Card - 10 Per Letter Sheet"));
}

void setUpKestrinLabelMaker(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("kestrin-label-maker"));
    e.gAutoBaseTemplateFlag = true;
    e.gBaseTemplateIconFlag = true;
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.dunmeret");
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 80;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("dunmeret");
    editionIcon(e, QStringLiteral("yarrowin"));
    e.gEqualColumnWidthsFlag = true;
    e.gExportAtEditionCanvasSizeFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New Design Project");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("label");
    e.gPageFileTimeLabelFlag = true;
    e.gPageListWidth = 150;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("Label");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList12();
    e.gProductSiteURL = productSite(QStringLiteral("kestrin-label-maker"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTableCellEditingFlag = true;
    e.gTemplatesFolderName = QStringLiteral("kestrinlabel_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("KestrinLabelsUserGuide.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("kestrin-label-maker"));
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
    e.gSelectedLabelTemplate =
        LabelTemplateHelper(QStringLiteral("Avery"), QStringLiteral("5160"),
                            QStringLiteral("Label - 30 Per Letter Sheet"), QStringLiteral("na-letter"));
    e.gLabelTemplateList = readLabelTemplates();
}

void setUpCorvaneBusinessCardDesigner(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("corvane-business-card-designer"));
    e.gAutoBaseTemplateFlag = true;
    e.gBaseTemplateIconFlag = true;
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.dunmeret");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 30000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::largeWithoutRepeats();
    e.gColorViewSwatchesFlag = true;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("dunmeret");
    editionIcon(e, QStringLiteral("tuvik_business_card_designer"));
    e.gEqualColumnWidthsFlag = true;
    e.gExportAtEditionCanvasSizeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHidePublishExtColumnFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New Business Card Project");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("1");
    e.gPageFileTimeLabelFlag = true;
    e.gPageIconFrameFlag = true;
    e.gPageListWidth = 200;
    e.gPageListWithoutIconsFlag = true;
    e.gPageTitleMarkerFlag = true;
    e.gPaletteResourcePrefix = QStringLiteral("TuvikWembric");
    e.gPaperSizeControlFlag = false;
    e.gProductSiteURL = companySite();
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 3.0f;
    e.gShowPageFileExtensionFlag = true;
    e.gSidebarInspectorFlag = true;
    e.gSingleDocumentFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = supportDeskAddress();
    e.gTableCellEditingFlag = true;
    e.gTemplatesFolderName = QStringLiteral("tuvikcards_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gUserGuideFileName = QStringLiteral("");
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
    e.gLabelTemplateList = {
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Business Card - 10 Per Letter Sheet"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Business Card - 8 Per Letter Sheet"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Business Card - 10 Per A4 Sheet"), QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Business Card - 8 Per A4 Sheet"), QStringLiteral("A4")),
    };
    applyLaunchSheet(e, QStringLiteral("Business Card - 10 Per Letter Sheet"));
    e.gDefaultPageIconMode = 2;
    e.gPageListWidth = 300;
}

} // namespace editions
