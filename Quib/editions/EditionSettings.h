// The values that make one build into one edition. One process-wide record, written by the edition
// selection at launch and then read everywhere as edition().gName.
//
// Conventions:
//  - strings start as null QStrings (isNull() means "never written"; an empty string was written);
//  - lists start empty and an empty list stands for "no list";
//  - numbers start at 0 / 0.0 and flags at false.
//  - The few values that change after launch (canvas size and display scale under a print layout,
//    gSelectedLabelSheet, gImageType, gRetinaFlag, gCanvasRotation, gColorTargetType) are written on
//    the main thread only: use edition().set(edition().gField, value), which asserts that in debug
//    builds. Background jobs only read.
#pragma once
#include "editions/LabelTemplateHelper.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QObject;

struct EditionSettings
{
    // ---- identity, files and resources ----
    QString gEditionDisplayName; // the edition key; compared by exact equality
    QString gBundleVersion;
    QString gBundleIdentifier;
    QString gDocumentExtension;    // without the dot
    QString gBaseTemplateFileName; // "basetemplate.<gDocumentExtension>"
    QString gTemplatesFolderName;  // null: the edition has no templates folder
    QString gBlankTemplatePath;
    QStringList gStarterPageFiles;
    QString gSampleDocumentName;
    QString gUserGuideFileName;
    QString gNewProjectName;
    QString gPageBaseName;
    QImage gEditionIcon;
    QString gEditionIconName; // the image name gEditionIcon was loaded from (null when none)
    // Some readers call this the palette category (gPaletteCategory): one word the objects palette
    // and the formatting panels match their entries against.
    QString gPaletteResourcePrefix;
    QString gWelcomeText;
    QString gProductSiteURL;
    QString gSupportEmailAddress;
    QString gAppStoreReviewURL;
    QString gVideoTutorialsURL;
    // The hosting service's app key; no secret goes with it (the link uses PKCE).
    QString gDropboxAppKey;

    // ---- canvas, window and display ----
    int gCanvasWidth = 0;
    int gCanvasHeight = 0;
    float gCanvasDisplayScale = 0.0f;
    int gRenderImageWidth = 0;
    int gRenderImageHeight = 0;
    int gScreenshotWidth = 0;
    float gSelectionHandleSize = 0.0f;
    int gPageListWidth = 0;
    int gDefaultPageIconMode = 0;
    bool gInspectorOpenAtStartFlag = false;
    bool gSidebarInspectorFlag = false;
    bool gSimplifiedWindowFlag = false;
    bool gSingleDocumentFlag = false;
    QString gRulerUnitName;
    QStringList gZoomLevels;
    // Print canvas rotation in degrees, 0 or 90 (also met as gPrintCanvasRotation and
    // gCanvasRotationDegrees). Set by the rotate commands and by the page reader.
    int gCanvasRotation = 0;

    // ---- pages, page list and site settings ----
    bool gPageTitleMarkerFlag = false;
    bool gShowPageFileExtensionFlag = false;
    bool gRefreshDocIconOnSaveFlag = false;
    bool gHideMainPageCheckboxFlag = false;
    bool gOpenPagesInPageLoopFlag = false;
    bool gFreeFormFileNamesFlag = false;
    bool gReadOnlyPageFileNamesFlag = false;
    bool gReadOnlyPageTitlesFlag = false;
    // Despite its name, the website settings sheet reads this as gSiteTablePageColumnsFlag: set
    // means the five per-page columns are shown and the site title, description and favicon
    // controls kept; clear leaves only the select, icon and page columns.
    bool gHidePublishExtColumnFlag = false;
    bool gHideGrabPageLinkFlag = false;
    bool gHideDeletePageFlag = false;
    bool gHideDuplicatePageFlag = false;
    bool gShowInsertPageFlag = false;
    bool gPageOrderIndexFlag = false;
    bool gPageListWithoutIconsFlag = false;
    bool gPageIconFrameFlag = false;
    bool gBaseTemplateIconFlag = false;
    bool gPageFileTimeLabelFlag = false;
    bool gHeaderFooterCaptionFlag = false;
    bool gNumberedPageCaptionsFlag = false;
    bool gAutoBaseTemplateFlag = false;
    bool gIconThumbnailFlag = false;
    bool gReadOnlyViewerFlag = false;

    // ---- canvas commands shown or hidden ----
    bool gHideLinkFlag = false;
    bool gHidePositionAndScrollFlag = false;
    bool gHideClickToEnlargeFlag = false;
    bool gHideTooltipFlag = false;
    bool gHideImageCaptionFlag = false;
    bool gHideLinkToPageFlag = false;
    bool gShowAddBranchFlag = false;
    bool gSnippetFormattingFlag = false;
    bool gHideLayerArrangementFlag = false;
    bool gHideGroupFlag = false;
    bool gHideAlignLeftFlag = false;
    bool gHideAlignRightFlag = false;
    bool gHideHorizontalCentersFlag = false;
    bool gHideVerticalCentersFlag = false;
    bool gHideHorizontalSpacingFlag = false;
    bool gHideSameWidthFlag = false;
    bool gHideSameSizeFlag = false;
    bool gHideCenterGroupFlag = false;
    bool gHideDuplicateFlag = false;
    bool gHideLockFlag = false;

    // ---- text, fonts and preset text styles ----
    int gDefaultFontSize = 0;
    QStringList gTextCategoryNames;
    QStringList gTextCategoryFonts; // its count decides how many preset text views start-up builds
    QStringList gTextCategoryTextColors;
    QStringList gTextCategoryFillColors;
    // Preset tile views built at start-up by the factories installed with
    // DataCentre::setPresetFactories(); empty until the canvas code installs them.
    QList<std::shared_ptr<QObject>> gPresetTextViews;
    bool gNoCustomWebFontsFlag = false;
    bool gStyledFontMenuFlag = false;
    bool gWideFormattingRangeFlag = false;
    bool gTextCornerInsetFlag = false;
    bool gNoTextOutlineFlag = false;
    bool gDateStampNewTextFlag = false;

    // ---- colours ----
    QStringList gColorPalette; // hex strings, "CLEAR0" first
    bool gColorViewSwatchesFlag = false;
    bool gClearCanvasBackgroundFlag = false;
    QList<std::shared_ptr<QObject>> gPresetShapes;
    // What the next picked palette swatch colours: 0 shape fill, 1 text, 2 hover background,
    // 3 hover text, 4 canvas, 5 border. Also met as gTypeOfColorFlag.
    int gColorTargetType = 0;

    // ---- images ----
    int gInsertedImageMaxWidth = 0;
    int gOriginalImageSizeOverride = 0;
    bool gNoImageFilesFlag = false;
    QString gImageType;  // copy of the user default "DovrelImageType"
    int gRetinaFlag = 0; // copy of the user default "DovrelRetinaFlag"

    // ---- layout, sections and tables ----
    bool gResponsiveLayoutFlag = false;
    bool gResponsiveEmailFlag = false;
    bool gOverlapCheckFlag = false;
    bool gSectionAwarePasteFlag = false;
    int gDefaultSectionWidth = 0;
    int gDefaultSectionHeight = 0;
    bool gCustomGridSpacingFlag = false;
    int gCustomGridSpacing = 0;
    bool gExternalStyleSheetFlag = false;
    bool gResponsiveTableDrawingFlag = false;
    bool gTableCellEditingFlag = false;
    bool gTableImagesFlag = false;
    bool gEqualColumnWidthsFlag = false;

    // ---- export ----
    bool gExportAtEditionCanvasSizeFlag = false;
    bool gNoExportMarginFlag = false;
    bool gTransparentExportFlag = false;

    // ---- print products and label sheets ----
    bool gPaperSizeControlFlag = false;
    QString gSelectedLabelSheet; // key into the label-sheet catalogue
    std::optional<LabelTemplateHelper> gSelectedLabelTemplate;
    QList<LabelTemplateHelper> gLabelTemplateList;
    float gPrintScaleFactor = 0.0f;
    float gPrintPixelFactor = 0.0f; // pixels per inch of the print canvas

    // ---- records, catalogs and mail merge ----
    bool gProfileEditionFlag = false;
    QStringList gProfileFieldNames;
    QStringList gPersonalizationTags;
    bool gPhotoCatalogFlag = false;
    bool gVideoCatalogFlag = false;
    bool gFolderCatalogFlag = false;

    // ---- working folders and distribution ----
    QString gDistributionChannel;     // "AppStore" (no updater here)
    QString gTempFolderPath;          // this instance's own working root
    QString gReceivedPagesFolderName; // "0000Received_Pages"
    QString gTempSaveFolderPath;      // <root>/0000Received_Pages/tempSave000000

    // The canvas and scale to draw with. Editions whose size comes from a print template store none
    // at launch (a page or a template sets it later); until then readers use the default edition's
    // canvas and scale rather than a zero that shows nothing and that hit testing divides by.
    static constexpr int kFallbackCanvasWidth = 1500;
    static constexpr int kFallbackCanvasHeight = 5000;
    QSize usableCanvasSize() const;
    double usableDisplayScale() const;

    // Writes a value that may change after launch; main thread only.
    template <class T, class V> void set(T& field, V&& value)
    {
        assertMainThread();
        field = std::forward<V>(value);
    }
    static void assertMainThread();
};

// The one process-wide record.
EditionSettings& edition();

// Builders of the preset tile views. The canvas code installs them before start-up; without them
// start-up leaves gPresetTextViews and gPresetShapes empty. Colours are hex strings as in the lists;
// the font is empty when no installed or bundled font has the preset's name.
struct PresetFactories
{
    std::function<std::shared_ptr<QObject>(const QString& fillColor, const QString& textColor,
                                           const std::optional<QFont>& font, const QString& name)>
        createDefaultTextView;
    // Seven preset shapes of one colour.
    std::function<QList<std::shared_ptr<QObject>>(const QString& color)> createBatchOfShapes;
};
PresetFactories& presetFactories();

// For tests: saves the whole record (and the selection's run-once state), selects the edition of the
// display name as at launch, and puts everything back on destruction. Besides the edition's own values
// it sets what start-up computes without touching disk (print factors, zoom titles) and keeps the
// process's working-folder paths; image settings and presets stay at their start values.
class ScopedEdition
{
public:
    explicit ScopedEdition(const QString& displayName);
    ~ScopedEdition();
    ScopedEdition(const ScopedEdition&) = delete;
    ScopedEdition& operator=(const ScopedEdition&) = delete;

private:
    EditionSettings m_saved;
    QString m_savedLaunchName;
    bool m_savedSelected = false;
};
