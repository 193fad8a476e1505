// Web-page and website editions
#include "editions/EditionSelection.h"
#include "editions/Palettes.h"

namespace editions {

void setUpHtmlQuibPro(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("html-quib-pro"));
    e.gBlankTemplatePath = QStringLiteral("GettingStarted.quibpage");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 30000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::largeWithoutRepeats();
    e.gColorViewSwatchesFlag = true;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("cube3_pro_v2"));
    e.gHidePublishExtColumnFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Website");
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("page");
    e.gPageListWidth = 200;
    e.gPageTitleMarkerFlag = true;
    e.gPaletteResourcePrefix = QStringLiteral("Quib");
    e.gProductSiteURL = productSite(QStringLiteral("html-quib-pro"));
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath, QStringLiteral("index.quibpage")};
    e.gSupportEmailAddress = webDesignerSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gUserGuideFileName = QStringLiteral("HTMLQuibProUserGuide-Mac.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("html-quib-pro"));
    e.gWelcomeText = QStringLiteral("");
}

void setUpBrumelResponsiveWebsiteDesigner(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.zqv");
    e.gCanvasDisplayScale = 0.6f;
    e.gCanvasHeight = 9000;
    e.gCanvasWidth = 1200;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = true;
    e.gCustomGridSpacing = 50;
    e.gCustomGridSpacingFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDefaultSectionHeight = 300;
    e.gDefaultSectionWidth = 1200;
    e.gDocumentExtension = QStringLiteral("zqv");
    editionIcon(e, QStringLiteral("brumel_website_designer"));
    e.gEqualColumnWidthsFlag = true;
    e.gExternalStyleSheetFlag = true;
    e.gHideAlignLeftFlag = true;
    e.gHideAlignRightFlag = true;
    e.gHideCenterGroupFlag = true;
    e.gHideDuplicateFlag = true;
    e.gHideGroupFlag = true;
    e.gHideHorizontalCentersFlag = true;
    e.gHideHorizontalSpacingFlag = true;
    e.gHideLayerArrangementFlag = true;
    e.gHideLockFlag = true;
    e.gHideSameSizeFlag = true;
    e.gHideSameWidthFlag = true;
    e.gHideVerticalCentersFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New Website");
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gOverlapCheckFlag = true;
    e.gPageBaseName = QStringLiteral("page");
    e.gPageListWidth = 100;
    e.gPageTitleMarkerFlag = true;
    e.gPaletteResourcePrefix = QStringLiteral("Kestrin");
    e.gProductSiteURL = companySite();
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gResponsiveLayoutFlag = true;
    e.gResponsiveTableDrawingFlag = true;
    e.gScreenshotWidth = 200;
    e.gSectionAwarePasteFlag = true;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = true;
    e.gSidebarInspectorFlag = true;
    e.gSnippetFormattingFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTableCellEditingFlag = true;
    e.gTableImagesFlag = true;
    e.gTemplatesFolderName = QStringLiteral("responsive_page_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gWelcomeText = QStringLiteral("");
}

void setUpQuibpageWebDesignDocumentViewer(EditionSettings& e)
{
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("quibpage_viewer"));
    e.gHideClickToEnlargeFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHideTooltipFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Patient Database");
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("page");
    e.gPageListWidth = 120;
    e.gPageTitleMarkerFlag = true;
    e.gProductSiteURL = productSite(QStringLiteral("html-quib-pro"));
    e.gReadOnlyViewerFlag = true;
    e.gRefreshDocIconOnSaveFlag = false;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gSampleDocumentName = QStringLiteral("SamplePage.quibpage");
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 3.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("templates");
    e.gWelcomeText = quibpageViewerText();
}

} // namespace editions
