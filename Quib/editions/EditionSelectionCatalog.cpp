// Catalog and collection editions
#include "editions/EditionSelection.h"
#include "editions/Palettes.h"

namespace editions {

void setUpPommeritRecipeManager(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.quibpage");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 5000;
    e.gCanvasWidth = 2000;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("pommerit2"));
    e.gHideMainPageCheckboxFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New Recipe Collection");
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("recipe");
    e.gPageListWidth = 200;
    e.gPageTitleMarkerFlag = true;
    e.gProductSiteURL = productSite(QStringLiteral("pommerit-recipe-manager"));
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("pommerit_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gWelcomeText = QStringLiteral("");
}

void setUpZandelle(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("GettingStarted.quibpage");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = true;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("zandelle"));
    e.gFolderCatalogFlag = false;
    e.gHideMainPageCheckboxFlag = true;
    e.gIconThumbnailFlag = true;
    e.gInsertedImageMaxWidth = 200;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Photo Collection");
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = 99999;
    e.gPageBaseName = QStringLiteral("photo");
    e.gPageListWidth = 120;
    e.gPageTitleMarkerFlag = true;
    e.gPhotoCatalogFlag = true;
    e.gProductSiteURL = companySite();
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("zandelle_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gWelcomeText = QStringLiteral("");
}

void setUpOstrevin(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("GettingStarted.quibpage");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = true;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("ostrevin"));
    e.gFolderCatalogFlag = false;
    e.gHideMainPageCheckboxFlag = true;
    e.gIconThumbnailFlag = true;
    e.gInsertedImageMaxWidth = 200;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Photo Grid");
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = 99999;
    e.gPageBaseName = QStringLiteral("photo");
    e.gPageListWidth = 120;
    e.gPageTitleMarkerFlag = true;
    e.gPhotoCatalogFlag = true;
    e.gProductSiteURL = productSite(QStringLiteral("ostrevin"));
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSimplifiedWindowFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("zandelle_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gVideoCatalogFlag = false;
    e.gWelcomeText = QStringLiteral("");
}

void setUpQuellam(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("GettingStarted.quibpage");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = true;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("quellam"));
    e.gFolderCatalogFlag = false;
    e.gHideMainPageCheckboxFlag = true;
    e.gIconThumbnailFlag = true;
    e.gInsertedImageMaxWidth = 200;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Video Grid");
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = 99999;
    e.gPageBaseName = QStringLiteral("video");
    e.gPageListWidth = 120;
    e.gPageTitleMarkerFlag = true;
    e.gPhotoCatalogFlag = false;
    e.gProductSiteURL = productSite(QStringLiteral("quellam"));
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSimplifiedWindowFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("zandelle_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gVideoCatalogFlag = true;
    e.gWelcomeText = QStringLiteral("");
}

void setUpTirrabel(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("GettingStarted.quibpage");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = true;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("tirrabel"));
    e.gFolderCatalogFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gIconThumbnailFlag = true;
    e.gInsertedImageMaxWidth = 200;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Tirrabel");
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = 99999;
    e.gPageBaseName = QStringLiteral("catalog");
    e.gPageListWidth = 120;
    e.gPageTitleMarkerFlag = true;
    e.gPhotoCatalogFlag = false;
    e.gProductSiteURL = productSite(QStringLiteral("tirrabel"));
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSimplifiedWindowFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("zandelle_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gVideoCatalogFlag = false;
    e.gWelcomeText = QStringLiteral("");
}

void setUpLunnifer(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.quibpage");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 5000;
    e.gCanvasWidth = 2000;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("quibpage");
    editionIcon(e, QStringLiteral("lunnifer"));
    e.gHideMainPageCheckboxFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Recipe Collection");
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("entry");
    e.gPageListWidth = 200;
    e.gPageTitleMarkerFlag = true;
    e.gProductSiteURL = companySite();
    e.gRefreshDocIconOnSaveFlag = true;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("pommerit_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gWelcomeText = QStringLiteral("");
}

} // namespace editions
