// Form editions
#include "editions/EditionSelection.h"
#include "editions/Palettes.h"

namespace editions {

void setUpSelvaroPro(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("selvaro-pro"));
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.selvaro");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 30000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = true;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("selvaro_mac_pro"));
    e.gHideMainPageCheckboxFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Form Group");
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("form");
    e.gPageListWidth = 200;
    e.gPageTitleMarkerFlag = true;
    e.gPaletteResourcePrefix = QStringLiteral("Forms");
    e.gProductSiteURL = productSite(QStringLiteral("selvaro-pro"));
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("form_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gUserGuideFileName = QStringLiteral("SelvaroPro.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("selvaro-pro"));
    e.gWelcomeText = QStringLiteral("");
}

void setUpKestrinResponsiveFormDesigner(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.selvaro");
    e.gCanvasDisplayScale = 0.5f;
    e.gCanvasHeight = 10000;
    e.gCanvasWidth = 1300;
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 100;
    e.gDefaultPageIconMode = 1;
    e.gDefaultSectionHeight = 300;
    e.gDefaultSectionWidth = 1200;
    e.gDocumentExtension = QStringLiteral("selvaro");
    editionIcon(e, QStringLiteral("kestrin_forms"));
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
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gOverlapCheckFlag = true;
    e.gPageBaseName = QStringLiteral("form");
    e.gPageListWidth = 150;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("ResponsiveForms");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList11();
    e.gProductSiteURL = companySite();
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gResponsiveLayoutFlag = true;
    e.gScreenshotWidth = 200;
    e.gSectionAwarePasteFlag = true;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gSnippetFormattingFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTableCellEditingFlag = true;
    e.gTableImagesFlag = true;
    e.gTemplatesFolderName = QStringLiteral("responsive_form_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
}

void setUpSelvaroPro2(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("selvaro-pro-2"));
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.selvaro");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 10000;
    e.gCanvasWidth = 1200;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 100;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("kestrin_forms"));
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
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("form");
    e.gPageListWidth = 150;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("Forms");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList11();
    e.gProductSiteURL = productSite(QStringLiteral("selvaro-pro"));
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gSingleDocumentFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("form_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("SelvaroPro2.PDF");
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
}

} // namespace editions
