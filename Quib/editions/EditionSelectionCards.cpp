// Flyer, greeting-card, e-card and envelope editions
#include "editions/EditionSelection.h"
#include "editions/Palettes.h"

namespace editions {

void setUpKestrinFlyerMakerPro(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("kestrin-flyer-maker-pro"));
    e.gAutoBaseTemplateFlag = true;
    e.gBlankTemplatePath = QStringLiteral("blank/Blank.dunmeret");
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 100;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("dunmeret");
    editionIcon(e, QStringLiteral("kestrin_flyer_maker"));
    e.gEqualColumnWidthsFlag = true;
    e.gExportAtEditionCanvasSizeFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideImageCaptionFlag = true;
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
    e.gPageBaseName = QStringLiteral("flyer");
    e.gPageListWidth = 150;
    e.gPageTitleMarkerFlag = false;
    e.gPaletteResourcePrefix = QStringLiteral("Flyer");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList11();
    e.gProductSiteURL = productSite(QStringLiteral("kestrin-flyer-maker-pro"));
    e.gReadOnlyPageFileNamesFlag = true;
    e.gRefreshDocIconOnSaveFlag = true;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTableCellEditingFlag = true;
    e.gTableImagesFlag = true;
    e.gTemplatesFolderName = QStringLiteral("flyers_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("KestrinFlyerMakerPro.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("kestrin-flyer-maker-pro"));
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
    e.gSelectedLabelTemplate =
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Letter - Landscape"),
                            QStringLiteral("na-letter"));
    e.gLabelTemplateList = {
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Letter - Landscape"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Letter - Portrait"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Legal - Landscape"),
                            QStringLiteral("na-legal")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Legal - Portrait"),
                            QStringLiteral("na-legal")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Tabloid - Landscape"),
                            QStringLiteral("Tabloid")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Tabloid - Portrait"),
                            QStringLiteral("Tabloid")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Tabloid Oversize - Landscape"),
                            QStringLiteral("Tabloid-Oversize")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Tabloid Oversize - Portrait"),
                            QStringLiteral("Tabloid-Oversize")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A3 - Landscape"),
                            QStringLiteral("A3")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A3 - Portrait"),
                            QStringLiteral("A3")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A4 - Landscape"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A4 - Portrait"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A5 - Landscape"),
                            QStringLiteral("A5")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("A5 - Portrait"),
                            QStringLiteral("A5")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("B5 - Landscape"),
                            QStringLiteral("B5")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("B5 - Portrait"),
                            QStringLiteral("B5")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Post Card - 4\" x 6\""),
                            QStringLiteral("4 x 6")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Post Card - 5\" x 7\""),
                            QStringLiteral("5 x 7")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Post Card - 6\" x 9\""),
                            QStringLiteral("6 x 9")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Post Card - 6\" x 11\""),
                            QStringLiteral("6 x 11")),
    };
}

void setUpKestrinGreetingCardDesigner(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("kestrin-greeting-card-designer"));
    e.gAutoBaseTemplateFlag = true;
    e.gBaseTemplateIconFlag = true;
    e.gBlankTemplatePath = QStringLiteral("blank/2.dunmeret");
    e.gClearCanvasBackgroundFlag = true;
    e.gColorPalette = Palettes::large();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = false;
    e.gDefaultFontSize = 100;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("dunmeret");
    editionIcon(e, QStringLiteral("kestrin_card_designer2"));
    e.gEqualColumnWidthsFlag = true;
    e.gExportAtEditionCanvasSizeFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideDeletePageFlag = true;
    e.gHideDuplicatePageFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideImageCaptionFlag = true;
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
    e.gPageBaseName = QStringLiteral("1");
    e.gPageFileTimeLabelFlag = true;
    e.gPageIconFrameFlag = false;
    e.gPageListWidth = 150;
    e.gPageListWithoutIconsFlag = true;
    e.gPageTitleMarkerFlag = true;
    e.gPaletteResourcePrefix = QStringLiteral("GreetingCard");
    e.gPaperSizeControlFlag = false;
    e.gPersonalizationTags = tagList11();
    e.gProductSiteURL = productSite(QStringLiteral("kestrin-greeting-card-designer"));
    e.gRefreshDocIconOnSaveFlag = true;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath, QStringLiteral("blank/3.dunmeret"),
                                      QStringLiteral("blank/4.dunmeret")};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTableCellEditingFlag = true;
    e.gTemplatesFolderName = QStringLiteral("folding_card_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = presetFontList();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gTextCornerInsetFlag = true;
    e.gUserGuideFileName = QStringLiteral("KestrinFoldingCardDesigner.PDF");
    e.gVideoTutorialsURL = videoPlaylist(QStringLiteral("kestrin-greeting-card-designer"));
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
    e.gSelectedLabelTemplate =
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("US Letter - Landscape"),
                            QStringLiteral("na-letter"));
    e.gLabelTemplateList = {
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - Letter Sheet Horizontal Half Fold (8.5\" x 5.5\")"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - Letter Sheet Vertical Half Fold (5.5\" x 8.5\")"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - Letter Sheet Horizontal Quarter Fold (5.5\" x 4.25\")"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - Letter Sheet Vertical Quarter Fold (4.25\" x 5.5\")"),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - A4 Sheet Horizontal Half Fold (8.3\" x 5.85\")"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - A4 Sheet Vertical Half Fold (5.85\" x 8.3\")"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - A4 Sheet Horizontal Quarter Fold (5.85\" x 4.15\")"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - A4 Sheet Vertical Quarter Fold (4.15\" x 5.85\")"),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - A5 Sheet Horizontal Half Fold (8.3\" x 2.9\")"),
                            QStringLiteral("A5")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - A5 Sheet Vertical Half Fold (4.15\" x 5.8\")"),
                            QStringLiteral("A5")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - A5 Sheet Horizontal Quarter Fold (4.15\" x 2.9\")"),
                            QStringLiteral("A5")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Card - A5 Sheet Vertical Quarter Fold (2.9\" x 4.15\")"),
                            QStringLiteral("A5")),
    };
}

void setUpCorvaneEcardDesigner(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("corvane-ecard-designer"));
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
    editionIcon(e, QStringLiteral("corvane_ecard_designer"));
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
    e.gTemplatesFolderName = QStringLiteral("ecard_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gUserGuideFileName = QStringLiteral("");
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
    e.gLabelTemplateList = {
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Post Card - 4\" x 6\""),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Post Card - 5\" x 7\""),
                            QStringLiteral("na-letter")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Post Card - 6\" x 9\""),
                            QStringLiteral("A4")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Post Card - 6\" x 11\""),
                            QStringLiteral("A4")),
    };
    applyLaunchSheet(e, QStringLiteral("Post Card - 4\" x 6\""));
    e.gDefaultPageIconMode = 2;
    e.gPageListWidth = 300;
}

void setUpCorvaneEnvelopeDesigner(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("corvane-envelope-designer"));
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
    editionIcon(e, QStringLiteral("corvane_envelope_designer"));
    e.gEqualColumnWidthsFlag = true;
    e.gExportAtEditionCanvasSizeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHidePublishExtColumnFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New Project");
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
    e.gRulerUnitName = QStringLiteral("Inches");
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 3.0f;
    e.gShowPageFileExtensionFlag = true;
    e.gSidebarInspectorFlag = true;
    e.gSingleDocumentFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = supportDeskAddress();
    e.gTableCellEditingFlag = true;
    e.gTemplatesFolderName = QStringLiteral("envelope_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = fontListA();
    e.gTextCategoryNames = namesAbc();
    e.gTextCategoryTextColors = textColoursA();
    e.gUserGuideFileName = QStringLiteral("");
    e.gWelcomeText = QStringLiteral("");
    e.gWideFormattingRangeFlag = true;
    e.gLabelTemplateList = {
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Envelope #10 4.125\" x 9.5\""),
                            QStringLiteral("na-number-10-envelope")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Envelope DL 4.4\" x 8.8\""),
                            QStringLiteral("iso-designated-long-envelope")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""), QStringLiteral("Monarch 3.875\" x 7.5\""),
                            QStringLiteral("monarch-envelope")),
        LabelTemplateHelper(QStringLiteral(""), QStringLiteral(""),
                            QStringLiteral("Envelope #9 3.875\" x 8.875\""),
                            QStringLiteral("na-number-9-envelope")),
    };
    applyLaunchSheet(e, QStringLiteral("Envelope #10 4.125\" x 9.5\""));
    e.gDefaultPageIconMode = 2;
    e.gPageListWidth = 300;
}

} // namespace editions
