// Patient and student record editions: profile pages whose fields live between markers
#include "editions/EditionSelection.h"
#include "editions/Palettes.h"

namespace editions {

void setUpCardell(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("cardell"));
    e.gBlankTemplatePath = QStringLiteral("basetemplate.zorprofile");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = true;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("zorprofile");
    editionIcon(e, QStringLiteral("cardell"));
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gIconThumbnailFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Patient Database");
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("profile");
    e.gPageListWidth = 120;
    e.gPageTitleMarkerFlag = true;
    e.gProductSiteURL = productSite(QStringLiteral("cardell"));
    e.gProfileEditionFlag = true;
    e.gProfileFieldNames = QStringList{QStringLiteral("Owner First Name"),
                                       QStringLiteral("Owner Last Name"),
                                       QStringLiteral("Owner Home Phone Number"),
                                       QStringLiteral("Owner Cell Phone Number"),
                                       QStringLiteral("Owner Email"),
                                       QStringLiteral("Owner Address"),
                                       QStringLiteral("Pet Sex"),
                                       QStringLiteral("Pet Chart Number"),
                                       QStringLiteral("Pet Birth Date"),
                                       QStringLiteral("Notes"),
                                       QStringLiteral("Birth Date Status")};
    e.gReadOnlyPageFileNamesFlag = true;
    e.gReadOnlyPageTitlesFlag = true;
    e.gRefreshDocIconOnSaveFlag = false;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gSampleDocumentName = QStringLiteral("SamplePatient.zorprofile");
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 3.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("zor_human_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = QStringList(10, QStringLiteral("Helvetica Neue"));
    e.gTextCategoryNames = localized(QStringList{
        QStringLiteral("Visit Notes"), QStringLiteral("Allergy"), QStringLiteral("Diagnosis"),
        QStringLiteral("Prescription"), QStringLiteral("Medical Conditions"), QStringLiteral("Observations"),
        QStringLiteral("Note Category"), QStringLiteral("Note Category"), QStringLiteral("Note Category"),
        QStringLiteral("Note Category")});
    e.gTextCategoryTextColors = textColoursA();
    e.gWelcomeText = QStringLiteral("");
    applySavedCategoryNames(e);
}

void setUpCardell2(EditionSettings& e)
{
    e.gAppStoreReviewURL = QStringLiteral("");
    e.gBlankTemplatePath = QStringLiteral("basetemplate.zorprofile");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = true;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("zorprofile");
    editionIcon(e, QStringLiteral("cardell2_mac"));
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gIconThumbnailFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = true;
    e.gNewProjectName = QStringLiteral("New Patient Database");
    e.gNoCustomWebFontsFlag = true;
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("profile");
    e.gPageListWidth = 150;
    e.gPageTitleMarkerFlag = true;
    e.gPaletteResourcePrefix = QStringLiteral("Cardell2");
    e.gProductSiteURL = productSite(QStringLiteral("cardell"));
    e.gProfileEditionFlag = true;
    e.gProfileFieldNames = QStringList{QStringLiteral("Owner First Name"),
                                       QStringLiteral("Owner Last Name"),
                                       QStringLiteral("Owner Home Phone Number"),
                                       QStringLiteral("Owner Cell Phone Number"),
                                       QStringLiteral("Owner Email"),
                                       QStringLiteral("Owner Address"),
                                       QStringLiteral("Pet Sex"),
                                       QStringLiteral("Pet Chart Number"),
                                       QStringLiteral("Pet Birth Date"),
                                       QStringLiteral("Notes"),
                                       QStringLiteral("Birth Date Status")};
    e.gReadOnlyPageFileNamesFlag = true;
    e.gReadOnlyPageTitlesFlag = true;
    e.gRefreshDocIconOnSaveFlag = false;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gSampleDocumentName = QStringLiteral("SamplePatient2.zorprofile");
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 2.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gSidebarInspectorFlag = true;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gStyledFontMenuFlag = true;
    e.gSupportEmailAddress = supportDeskAddress();
    e.gTemplatesFolderName = QStringLiteral("zor2_templates");
    e.gTextCategoryFillColors = fillColoursA();
    e.gTextCategoryFonts = QStringList(10, QStringLiteral("Helvetica Neue"));
    e.gTextCategoryNames = localized(QStringList{
        QStringLiteral("Visit Notes"), QStringLiteral("Allergy"), QStringLiteral("Diagnosis"),
        QStringLiteral("Prescription"), QStringLiteral("Medical Conditions"), QStringLiteral("Observations"),
        QStringLiteral("Note Category"), QStringLiteral("Note Category"), QStringLiteral("Note Category"),
        QStringLiteral("Note Category")});
    e.gTextCategoryTextColors = textColoursA();
    e.gWelcomeText = QStringLiteral("");
    applySavedCategoryNames(e);
}

void setUpCardellViewer(EditionSettings& e)
{
    e.gBlankTemplatePath = QStringLiteral("basetemplate.zorprofile");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = true;
    e.gDefaultFontSize = 15;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("zorprofile");
    editionIcon(e, QStringLiteral("cardell_viewer"));
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gIconThumbnailFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Patient Database");
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("profile");
    e.gPageListWidth = 120;
    e.gPageTitleMarkerFlag = true;
    e.gProductSiteURL = productSite(QStringLiteral("cardell"));
    e.gProfileFieldNames = QStringList{QStringLiteral("Owner First Name"),
                                       QStringLiteral("Owner Last Name"),
                                       QStringLiteral("Owner Home Phone Number"),
                                       QStringLiteral("Owner Cell Phone Number"),
                                       QStringLiteral("Owner Email"),
                                       QStringLiteral("Owner Address"),
                                       QStringLiteral("Pet Sex"),
                                       QStringLiteral("Pet Chart Number"),
                                       QStringLiteral("Pet Birth Date"),
                                       QStringLiteral("Notes")};
    e.gReadOnlyViewerFlag = true;
    e.gRefreshDocIconOnSaveFlag = false;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gSampleDocumentName = QStringLiteral("SamplePatient.zorprofile");
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 3.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("zor_human_templates");
    e.gTextCategoryNames = QStringList{QStringLiteral("Visit Notes"),        QStringLiteral("Allergy"),
                                       QStringLiteral("Diagnosis"),          QStringLiteral("Prescription"),
                                       QStringLiteral("Medical Conditions"), QStringLiteral("Observations"),
                                       QStringLiteral("Note Category"),      QStringLiteral("Note Category"),
                                       QStringLiteral("Note Category"),      QStringLiteral("Note Category")};
    e.gWelcomeText = cardellViewerText(e.gEditionDisplayName);
    applySavedCategoryNames(e);
}

void setUpCardellVetEdition(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("cardell-vet-edition"));
    e.gBlankTemplatePath = QStringLiteral("basetemplate.zorprofile");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = true;
    e.gDefaultFontSize = 18;
    e.gDefaultPageIconMode = 2;
    e.gDocumentExtension = QStringLiteral("zorprofile");
    editionIcon(e, QStringLiteral("cardell_vet"));
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gIconThumbnailFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Patient Database");
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("profile");
    e.gPageListWidth = 250;
    e.gPageTitleMarkerFlag = true;
    e.gProductSiteURL = productSite(QStringLiteral("cardell-vet-edition"));
    e.gProfileEditionFlag = true;
    e.gProfileFieldNames = QStringList{QStringLiteral("Owner First Name"),
                                       QStringLiteral("Owner Last Name"),
                                       QStringLiteral("Owner Home Phone Number"),
                                       QStringLiteral("Owner Cell Phone Number"),
                                       QStringLiteral("Owner Email"),
                                       QStringLiteral("Owner Address"),
                                       QStringLiteral("Pet Name"),
                                       QStringLiteral("Pet Sex"),
                                       QStringLiteral("Pet Breed"),
                                       QStringLiteral("Pet Microchip Number"),
                                       QStringLiteral("Pet Chart Number"),
                                       QStringLiteral("Pet Birth Date"),
                                       QStringLiteral("Pet Color"),
                                       QStringLiteral("Pet Neuter Status"),
                                       QStringLiteral("Notes"),
                                       QStringLiteral("Birth Date Status")};
    e.gRefreshDocIconOnSaveFlag = false;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gSampleDocumentName = QStringLiteral("Fetch.zorprofile");
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 3.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("zor_templates");
    e.gTextCategoryFillColors =
        QStringList{QStringLiteral("FFFFFF"), QStringLiteral("FDF5E6"), QStringLiteral("737274"),
                    QStringLiteral("840808"), QStringLiteral("778899"), QStringLiteral("BDB76B"),
                    QStringLiteral("8B4513"), QStringLiteral("D2691E"), QStringLiteral("F0F8FF"),
                    QStringLiteral("000000")};
    e.gTextCategoryFonts = QStringList(10, QStringLiteral("Heiti TC"));
    e.gTextCategoryNames =
        QStringList{QStringLiteral("Booster Shots"),       QStringLiteral("Vaccines"),
                    QStringLiteral("Annual Health Check"), QStringLiteral("Blood Test"),
                    QStringLiteral("Surgeries"),           QStringLiteral("Minor Procedures"),
                    QStringLiteral("Note Category"),       QStringLiteral("Note Category"),
                    QStringLiteral("Note Category"),       QStringLiteral("Note Category")};
    e.gTextCategoryTextColors =
        QStringList{QStringLiteral("555555"), QStringLiteral("D2691E"), QStringLiteral("FFFFFF"),
                    QStringLiteral("FFFFFF"), QStringLiteral("FFFFFF"), QStringLiteral("241301"),
                    QStringLiteral("FFFFFF"), QStringLiteral("FFFFFF"), QStringLiteral("241301"),
                    QStringLiteral("FFFFFF")};
    e.gWelcomeText = QStringLiteral("");
    applySavedCategoryNames(e);
}

void setUpVeldacre(EditionSettings& e)
{
    e.gAppStoreReviewURL = storePage(QStringLiteral("veldacre"));
    e.gBlankTemplatePath = QStringLiteral("basetemplate.profile");
    e.gCanvasDisplayScale = 1.0f;
    e.gCanvasHeight = 60000;
    e.gCanvasWidth = 1500;
    e.gColorPalette = Palettes::small();
    e.gColorViewSwatchesFlag = false;
    e.gDateStampNewTextFlag = true;
    e.gDefaultFontSize = 18;
    e.gDefaultPageIconMode = 1;
    e.gDocumentExtension = QStringLiteral("profile");
    editionIcon(e, QStringLiteral("veldacre"));
    e.gEqualColumnWidthsFlag = true;
    e.gFreeFormFileNamesFlag = true;
    e.gHideClickToEnlargeFlag = true;
    e.gHideGrabPageLinkFlag = true;
    e.gHideLinkFlag = true;
    e.gHideMainPageCheckboxFlag = true;
    e.gHidePositionAndScrollFlag = true;
    e.gHideTooltipFlag = true;
    e.gIconThumbnailFlag = true;
    e.gInsertedImageMaxWidth = 600;
    e.gInspectorOpenAtStartFlag = false;
    e.gNewProjectName = QStringLiteral("New Student Database");
    e.gNoImageFilesFlag = true;
    e.gOpenPagesInPageLoopFlag = false;
    e.gOriginalImageSizeOverride = -999;
    e.gPageBaseName = QStringLiteral("profile");
    e.gPageListWidth = 120;
    e.gPageTitleMarkerFlag = true;
    e.gProductSiteURL = productSite(QStringLiteral("veldacre"));
    e.gProfileEditionFlag = true;
    e.gProfileFieldNames = QStringList{QStringLiteral("Owner First Name"),
                                       QStringLiteral("Owner Last Name"),
                                       QStringLiteral("Owner Home Phone Number"),
                                       QStringLiteral("Owner Cell Phone Number"),
                                       QStringLiteral("Owner Email"),
                                       QStringLiteral("Owner Address"),
                                       QStringLiteral("Pet Sex"),
                                       QStringLiteral("Pet Chart Number"),
                                       QStringLiteral("Pet Birth Date"),
                                       QStringLiteral("Notes"),
                                       QStringLiteral("Birth Date Status")};
    e.gRefreshDocIconOnSaveFlag = false;
    e.gRenderImageHeight = 1000;
    e.gRenderImageWidth = 1000;
    e.gSampleDocumentName = QStringLiteral("SampleStudent.profile");
    e.gScreenshotWidth = 200;
    e.gSelectionHandleSize = 3.0f;
    e.gShowPageFileExtensionFlag = false;
    e.gStarterPageFiles = QStringList{e.gBlankTemplatePath};
    e.gSupportEmailAddress = generalSupportAddress();
    e.gTemplatesFolderName = QStringLiteral("veldacre_templates");
    e.gTextCategoryFillColors =
        QStringList{QStringLiteral("FFFFFF"), QStringLiteral("FDF5E6"), QStringLiteral("737274"),
                    QStringLiteral("840808"), QStringLiteral("778899"), QStringLiteral("BDB76B"),
                    QStringLiteral("8B4513"), QStringLiteral("D2691E"), QStringLiteral("F0F8FF"),
                    QStringLiteral("000000")};
    e.gTextCategoryFonts = QStringList(10, QStringLiteral("Heiti TC"));
    e.gTextCategoryNames = QStringList{QStringLiteral("Attendance"),
                                       QStringLiteral("Classes"),
                                       QStringLiteral("Grades and Assessment"),
                                       QStringLiteral("Discipline Records"),
                                       QStringLiteral("Communications"),
                                       QStringLiteral("Special Notes"),
                                       QStringLiteral("Note Category"),
                                       QStringLiteral("Note Category"),
                                       QStringLiteral("Note Category"),
                                       QStringLiteral("Note Category")};
    e.gTextCategoryTextColors =
        QStringList{QStringLiteral("555555"), QStringLiteral("D2691E"), QStringLiteral("FFFFFF"),
                    QStringLiteral("FFFFFF"), QStringLiteral("FFFFFF"), QStringLiteral("241301"),
                    QStringLiteral("FFFFFF"), QStringLiteral("FFFFFF"), QStringLiteral("241301"),
                    QStringLiteral("FFFFFF")};
    e.gWelcomeText = QStringLiteral("");
    applySavedCategoryNames(e);
}

} // namespace editions
