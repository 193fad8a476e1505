// Chart and family-tree editions
#include "editions/EditionSelection.h"
#include "editions/Palettes.h"

namespace editions {

void setUpHaskavelPro(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("haskavel-pro"));
    e.gBlankTemplatePath = QStringLiteral("GettingStarted.dunmeret");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 10000;
    e.gCanvasWidth = 10000;
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 20;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("dunmeret");
    editionIcon(e, QStringLiteral("haskavel_pro"));
    e.gEqualColumnWidthsFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Org Chart Database");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("chart");
    e.gPageListWidth = 200;
    e.gPageTitleMarkerFlag = true;
    e.gPaletteResourcePrefix = QStringLiteral("Chart");
    e.gProductSiteURL = productSite(QStringLiteral("haskavel-pro"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gReadOnlyPageTitlesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowAddBranchFlag = true;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTableCellEditingFlag = true;
    e.gTemplatesFolderName = QStringLiteral("orgchart_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListB();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("HaskavelProManual.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("haskavel-pro"));
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
}

void setUpHaskavelPro2(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("haskavel-pro"));
    e.gBlankTemplatePath = QStringLiteral("GettingStarted.dunmeret");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 10000;
    e.gCanvasWidth = 10000;
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 20;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("dunmeret");
    editionIcon(e, QStringLiteral("haskavel_pro"));
    e.gEqualColumnWidthsFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Org Chart Database");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("chart");
    e.gPageListWidth = 200;
    e.gPageTitleMarkerFlag = true;
    e.gPaletteResourcePrefix = QStringLiteral("Chart");
    e.gProductSiteURL = productSite(QStringLiteral("haskavel-pro"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gReadOnlyPageTitlesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowAddBranchFlag = true;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTableCellEditingFlag = true;
    e.gTemplatesFolderName = QStringLiteral("orgchart_templates2");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListB();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("HaskavelProManual.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("haskavel-pro"));
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
}

void setUpKestrinFamilyTreeMaker(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.dunmeret");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 10000;
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 100;
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
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("label");
    e.gPageListWidth = 150;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("familyTree");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList11();
    e.gProductSiteURL = productSite(QStringLiteral("yarrowin"));
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 4.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("wembric_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
}

} // namespace editions
