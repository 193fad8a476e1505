// Markup, image-notes and PDF-author editions
#include "editions/EditionSelection.h"
#include "editions/Palettes.h"

namespace editions {

void setUpKestrinMarkup(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("kestrin-markup"));
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
    editionIcon(e, QStringLiteral("kestrin_markup"));
    e.gEqualColumnWidthsFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideImageCaptionFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gInsertedImageMaxWidth = 500;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New Markup Folder");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("design");
    e.gPageListWidth = 150;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("Markup");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList11();
    e.gProductSiteURL = productSite(QStringLiteral("kestrin"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("markup_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("KestrinMarkupForMac.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("kestrin-markup"));
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
}

void setUpKestrinMarkupExpress(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("kestrin-markup-express"));
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.dunmeret");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 10000;
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 20;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("dunmeret");
    editionIcon(e, QStringLiteral("kestrin_markup2"));
    e.gEqualColumnWidthsFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideImageCaptionFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gInsertedImageMaxWidth = 500;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New Markup Folder");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("design");
    e.gPageListWidth = 150;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("VarozoVozarov");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList11();
    e.gProductSiteURL = productSite(QStringLiteral("kestrin"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gSingleDocumentFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("markup_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("KestrinMarkup2ForMac.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("kestrin-markup"));
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
}

void setUpLomithImageNotes(EditionSettings& e)
{
    e.gAppStoreReviewURL = QStringLiteral("");
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
    editionIcon(e, QStringLiteral("kestrin_markup"));
    e.gEqualColumnWidthsFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideImageCaptionFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gInsertedImageMaxWidth = 500;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New Markup Folder");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("design");
    e.gPageListWidth = 150;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("LomithMarkup");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList11();
    e.gProductSiteURL = productSite(QStringLiteral("kestrin"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gSingleDocumentFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("markup_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("");
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
}

void setUpKestrinPdfAuthor(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("kestrin-pdf-author"));
    e.gAutoBaseTemplateFlag = true;
    e.gBaseTemplateIconFlag = true;
    e.gBlankTemplatePath = QStringLiteral("blank/basetemplate.jxw");
    e.gCanvasDisplayScale = 1.0f;
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 100;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("jxw");
    editionIcon(e, QStringLiteral("kestrin_manual"));
    e.gEqualColumnWidthsFlag = true;
    e.gExportAtEditionCanvasSizeFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHeaderFooterCaptionFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideImageCaptionFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gInsertedImageMaxWidth = 400;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New PDF Author Project");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gNoTextOutlineFlag = true;
    e.gNumberedPageCaptionsFlag = true;
    e.gOpenPagesInPageLoopFlag = true;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("");
    e.gPageFileTimeLabelFlag = true;
    e.gPageIconFrameFlag = true;
    e.gPageListWidth = 150;
    e.gPageOrderIndexFlag = true;
    e.gPageTitleMarkerFlag = true;
    e.gPaletteResourcePrefix = QStringLiteral("Manual");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList11();
    e.gProductSiteURL = productSite(QStringLiteral("kestrin"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gSelectionHandleSize = 2.0f;
    e.gShowInsertPageFlag = true;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gSnippetFormattingFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath, QStringLiteral("blank/1.jxw"),
                                      QStringLiteral("blank/2.jxw"), QStringLiteral("blank/3.jxw")};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTableCellEditingFlag = true;
    e.gTableImagesFlag = true;
    e.gTemplatesFolderName = QStringLiteral("manual_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("KestrinPDFAuthor.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("kestrin-pdf-author"));
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
    e.gSelectedLabelTemplate =
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Letter - Portrait HD"),
                            QStringLiteral("na-letter"));
    e.gLabelTemplateList = {
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Letter - Portrait HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("US Letter - Landscape HD"), QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Legal - Portrait HD"),
                            QStringLiteral("na-legal")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Legal - Landscape HD"),
                            QStringLiteral("na-legal")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A4 - Portrait HD"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A4 - Landscape HD"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("US Letter - Portrait - 72 DPI"), QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("US Letter - Landscape - 72 DPI"), QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("US Legal - Portrait - 72 DPI"), QStringLiteral("na-legal")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("US Legal - Landscape - 72 DPI"), QStringLiteral("na-legal")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A4 - Portrait - 72 DPI"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A4 - Landscape - 72 DPI"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("3.5\" x 4.3\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("4.3\" x 3.5\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("4.25\" x 5.5\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("5.5\" x 4.25\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("4.15\" x 5.85\" HD"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("5.85\" x 4.15\" HD"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("5\" x 7\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("7\" x 5\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("5.5\" x 8.5\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("8.5\" x 5.5\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("6\" x 11\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("11\" x 6\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("4.75\" x 4.75\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("6\" x 6\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("7\" x 7\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("8\" x 8\" HD"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("12\" x 12\" HD"),
                            QStringLiteral("na-letter")),
    };
}

} // namespace editions
