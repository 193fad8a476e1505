// Class-level helpers shared across the system; there are no instances. Each folder defines its own
// operations in DataCentre+<Topic>.cpp beside it; declarations are grouped here by folder.
#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

class QDate;
struct Person;

class DataCentre
{
public:
    DataCentre() = delete;

    // ---- editions: edition set-up and start-up data ----
    // Start-up, once, on the main thread before any window: fonts, edition, image defaults, presets,
    // working folders, print factors and zoom titles (EditionSettings.h).
    static void initializeData();
    // Selects the edition whose display name equals the launch display name exactly (else the default
    // edition) and writes its values. Runs once per process; later calls do nothing.
    static void runAppSpecificSetups();
    static void resetEditionSelection(); // tests only: start values again, and the selection may rerun
    // The launch stand-in for the bundle's display name (set by main before start-up).
    static void setLaunchDisplayName(const QString& displayName);
    static QString launchDisplayName();
    // "--edition NAME" / "--edition=NAME", else the program's base name as a display name or its
    // lower-case hyphenated form ("ulmira-pro-2"), else defaultDisplayName().
    static QString displayNameForLaunch(const QStringList& arguments);
    static QString defaultDisplayName(); // "Quib": selects the default edition
    static const QStringList& editionDisplayNames(); // the 35, in the order they are compared
    // Activates every font file of resources/fonts and makes "Helvetica Neue" resolve to the bundled
    // metric-compatible substitute.
    static void loadCustomFont();
    static bool isFontFamilyPresent(const QString& family);
    // Fills gCustomFontList (CustomFont.h) anew with the web-font catalogue, none marked used.
    static void prepCustomFont();
    // The resources folder (QUIB_RESOURCES overrides the build's).
    static QString resourcesPath();
    // The edition's page templates: <category folder>/<template document>; "blank/Blank.<ext>" is
    // the blank page. QUIB_TEMPLATES overrides it (tests).
    static QString templatesPath();
    // Text of resources/<name>.<type> as UTF-8; a null string when missing or not valid UTF-8.
    static QString readBundleFile(const QString& name, const QString& type);
    // The six colours of the preset shapes, seven shapes each.
    static const QStringList& presetShapeColors();


    // ---- print: label-sheet look-ups ----
    // The catalogue of sheet layouts (LabelHelper.h) and the print geometry applied from one of its rows
    // (PrintSheetGeometry.h). Main thread only.
    static void loadPrintLabels();
    static const QList<class LabelHelper>& printLabels();
    // First row with exactly this description, or nullptr. A match also selects the sheet
    // (gSelectedLabelSheet) and reports the row's ruler units through the ruler hook.
    static const class LabelHelper* grabLabelHelper(const QString& description);
    // First row on this paper with rows x columns == labelCount, or nullptr; no side effects.
    static const class LabelHelper* grabLabelHelperBasedOnSelection(int labelCount, const QString& paperSize);
    // Applies a row to the print geometry and the edition's canvas values; nullptr changes nothing.
    static void resetPrintCanvas(const class LabelHelper* row);
    // Installed by the window layer: registers the "Inches" and "Centimeters" ruler units.
    static void setRulerUnitHook(std::function<void(double pointsPerInch, double pointsPerCentimeter)> hook);

    // ---- model: colours, images and shapes ----
    // Colours travel as six uppercase hex digits "RRGGBB" (no "#", no alpha); callers test for "CLEAR0"
    // before converting. A null QString stands for "no colour" (an invalid QColor).
    static QString asHexString(const QColor& color);
    // Trimmed and uppercased, an optional "0X" prefix dropped; anything but six hex digits is black.
    static QColor colorWithHexString(const QString& string);
    // A compression of 0 means 1.0; at 1.0 and above the encoder's default quality is used.
    static QByteArray JPEGRepresentationOfImage(const QImage& image, float compression);
    static QByteArray PNGRepresentationOfImage(const QImage& image);
    // Whole-number sizes: input sides are truncated, a side of 0 counts as 1, divisions truncate.
    // W x (h * W / w).
    static QSize returnNewSizeMatchWidthRegardlessOfHeight(QSizeF size, int width);
    // The longer side becomes `length` (a square counts as wide).
    static QSize returnNewSizeWithWidth(QSizeF size, int length);
    // A new image of `size` pixels (the screen's whole-number scale factor becomes the image's device
    // pixel ratio); a zero side keeps the image's own size. Null for a null image; a small clear icon
    // when the new image cannot be made.
    static QImage imageWithImage(const QImage& image, QSizeF size);
    // The pixel size of the image imageWithImage makes for a non-zero size.
    static QSize imageWithImagePixelSize(QSizeF size);
    // A new image of the target rectangle's size with the source rectangle drawn into the target
    // rectangle. Both rectangles are in image coordinates with the origin at the top left (y down).
    static QImage cropImage(const QImage& image, const QRectF& source, const QRectF& target);
    // Turned about its centre; a quarter turn swaps the sides, a half turn keeps them, and any other
    // angle gives a square of side max(w, h) + 20. Positive angles turn counter-clockwise as seen.
    static QImage rotateImage(const QImage& image, float degrees);
    // Paints the colour over the opaque pixels of the image itself; an invalid colour leaves it as is.
    static QImage& imageTintedWithColor(QImage& image, const QColor& color);
    // Adds to `transform` a turn by `degrees` about `point` (clockwise on the y-down canvas, as a CSS
    // rotation) and returns it.
    static QTransform& transformRotatingAroundPoint(QPointF point, double degrees, QTransform& transform);
    // Stable sort of records by one key; the argument is not changed. The key is anything std::invoke
    // applies to a record: a data member pointer (&ImageCounterHelp::imageNameIndex), a getter or a
    // lambda. Keys compare with operator< (numbers as numbers, QStrings case-sensitively).
    template <typename T, typename Key>
    static QList<T> sortArray(const QList<T>& array, Key key, bool ascending)
    {
        QList<T> sorted = array;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const T& a, const T& b) {
            return ascending ? std::invoke(key, a) < std::invoke(key, b)
                             : std::invoke(key, b) < std::invoke(key, a);
        });
        return sorted;
    }
    // The closed outline of a preset shape in a 100 x 100 box, in y-down coordinates ready for the
    // canvas; an empty path for an unknown name (names are case-sensitive).
    static QPainterPath grabShapeBezierPath(const QString& shapeName);

    // ---- window: preset shapes and text styles (DataCentre+Presets.cpp) ----
    // A shape preset of the kind's size ("large" 70 x 70, "rectangle" 70 x 52.5, "long" 52.5 x 70,
    // "line" 7 x 70, any other 70 x 7) at the origin, filled with the colour.
    static std::shared_ptr<class ShapeSelectionView>
    createDefaultShape(const QString& kind, const QString& hexColor, int cornerRadius);
    // Seven shape presets of one colour: large with radius 0, 10 and 100, rectangle 20, long 20,
    // hline 0, line 0.
    static QList<std::shared_ptr<class ShapeSelectionView>> createBatchOfShapes(const QString& hexColor);
    // A text preset of 400 x 42 with its colours, font (none when not installed) and preview text.
    static std::shared_ptr<class ShapeSelectionView> createDefaultTextView(const QString& fillHexColor,
                                                                           const QString& textHexColor,
                                                                           const std::optional<QFont>& font,
                                                                           const QString& text);

    // ---- document: page-file markers and file names ----
    // Readers take a page file's path; a missing or unreadable file gives each one's default.
    static QString grabSourceCode(const QString& path); // null when unreadable
    static QString grabEncodingType(const QString& path); // "UTF-8" when the page names none
    static QString grabMetaKeywords(const QString& path);
    static QString grabMetaDescription(const QString& path);
    static QString grabCustomHeaderCode(const QString& path);
    static QString grabPublishExt(const QString& path);
    static bool isBootStrapBeingUsed(const QString& path);
    static bool grabDuplicateBaseTemplateStatusFlag(const QString& path);
    static bool grabBaseTemplateStatusFlag(const QString& path);
    static bool grabInheritMetadataFlag(const QString& path);
    static bool grabInheritCustomHeadercodeFlag(const QString& path);
    static bool grabRotateCanvas90Flag(const QString& path);
    // The settings an open reads from a page's markers, from the page text read once.
    struct PageMarkerFlags
    {
        bool inheritCustomHeaderCode = false;
        bool inheritMetadata = false;
        bool useBaseTemplate = false;
        bool rotateCanvas90 = false;
        QString publishExt;
    };
    static PageMarkerFlags grabPageMarkerFlags(const QString& pageText);
    static bool grabCenterFlag(QStringView pageText);
    static bool grabManualPageWidthFlag(QStringView pageText);
    // Rewriters replace the whole file (ASCII, else UTF-16 with a byte-order mark). False, with the
    // file left as it was, when it cannot be read or the new text cannot be written.
    static bool applyPageTitle(const QString& path, const QString& title);
    static bool applyPublishingExt(const QString& path, const QString& extension);
    static bool applyDuplicateBaseTemplateFlag(const QString& path, qint32 flag);
    static bool applyBaseTemplate(const QString& path, qint32 flag);
    static bool applyInheritMetadata(const QString& path, qint32 flag);
    static bool applyInheritCustomHeaderCode(const QString& path, qint32 flag);
    static bool appendStringToFile(const QString& path, const QString& text);
    // Profile fields: start string, value, end string, with the field key in both strings. The value
    // is written as a marker value (escaped so that it cannot end its marker or break its line).
    static QString generateStartString(const QString& key);
    static QString generateEndString(const QString& key);
    static QString generateFullString(const QString& value, const QString& key);
    // The value of a page-settings marker, unescaped: after the last startString that begins a line
    // (else the last one anywhere), up to the next endString; "" when either is missing. Markers
    // follow the page, so author text earlier in the page cannot stand in for them.
    static QString grabMiddleString(const QString& startString, const QString& endString, const QString& text);
    // The first index characters, or the whole string (also for a negative index).
    static QString quibSubstringToIndex(const QString& string, qint32 index);
    // The characters from index on, or "" (also for a negative index).
    static QString quibSubstringFromIndex(const QString& string, qint32 index);
    // A page file name that stays inside its folder (see the edition's free-form names flag).
    static QString generateNewFileName(const QString& proposedName);
    // ---- document: page packages of a website (DataCentre+Migration.cpp) ----
    // Unpacks the page document into destination (P/N inside the working folder P) and lays its
    // page out in P as S.html (S.php for a form page), S.png, S@2x.png and the image folder S, S
    // being the document's base name, numbered from 4 when P already holds that page. Returns the
    // thumbnail's path (P/S@2x.png, else P/S.png), or "" when nothing could be unpacked or laid out.
    static QString migrateWebsitePage(const QString& documentPath, const QString& destination);
    // Packs the working files of pagePathWithoutExtension into the document at documentPath.
    static bool packageDocument(const QString& pagePathWithoutExtension, const QString& documentPath);
    // ---- document: old-format profile pages and page titles (DataCentre+OldProfiles.cpp) ----
    // Older profile pages kept their record in a leading comment: a first line "<!--", eight value
    // lines, then "-->". Such a page is converted in place to field markers when it is met.
    // True when the first line is exactly "<!--" and a "-->" follows; an unclosed comment is no
    // record and stays as it is.
    static bool oldZorprofileFlag(const QString& pageText);
    // The record of the leading comment; missing lines and "(null)" values read as "".
    static Person grabOldZorprofileData(const QString& pageText);
    // The field-marker block to append for the record, its notes stamped with today's date (or the
    // given one).
    static QString convertZorprofileDataToNew(const Person& person);
    static QString convertZorprofileDataToNew(const Person& person, const QDate& today);
    // "first last", then " chart" when there is a chart number.
    static QString grabPageTitleFromZomprofile(const Person& person);
    // Cuts everything through the first "-->" from the file; false when it cannot be read or written.
    static bool removeOldZorprofileStringFromFile(const QString& path);
    // The whole conversion of one page file whose text is given: appends the block, cuts the old
    // header and returns the record's title; nullopt (file untouched) for a page not in the old
    // format or outside the record editions.
    static std::optional<QString> convertOldProfilePage(const QString& pagePath, const QString& pageText);
    // Whether convertOldProfilePage would look at this page's file at all.
    static bool isOldProfilePage(const QString& pageText);
    // The title of any page: its title marker, else a "<!--title-->" first line; "" when the edition
    // does not read title markers.
    static QString grabPageTitle(const QString& pageText);
    // The title an opened or listed page keeps: grabPageTitle where the edition reads title markers,
    // else the marker's value alone, so that editions listing no titles still keep a page's own.
    static QString storedPageTitle(const QString& pageText);
    // ---- document: saved-page reading (DataCentre+Parser.cpp) ----
    // The file's size in bytes (saturated to 32 bits), 0 when no file is there.
    static qint32 grabFileSize(const QString& path);

    // ---- publishing: the upload filter for a page's image folder (DataCentre+UploadFilter.cpp) ----
    // Whether a file of a page's image folder goes up with the website: never the form's
    // submit-button images ("submit.png", "submit@2x.png"), never a full-size copy ("image3o.png")
    // whose double-resolution twin lies beside it; everything else does.
    static bool shouldUploadThisImage(const QString& imagePath);
    // Whether the double-resolution twin of a full-size copy lies in the same folder: the "o" just
    // before the extension gives way to "@2x" ("image3o.png" looks for "image3@2x.png").
    static bool isThere2xImage(const QString& imagePath);

    // ---- records: catalog scans, copies and file sizes (records/DataCentre+Catalogs.cpp) ----
    // Scans the folder for the edition's kind of item into gCatalogFileList (records/QuibFileHelper.h),
    // reporting through updateProgressBar. Runs on the catalog job's worker.
    static void countNumberOfFiles(const QString& folderPath);
    // The 64-bit sum of the sizes of the folder's direct entries.
    static quint64 sizeOfFolder(const QString& folderPath);
    // Copies the listed files into <output>/<gPageBaseName>/ under numbered names, replacing earlier
    // copies; returns how many could not be copied.
    static int duplicatePhotoRepository(const QString& outputFolderPath);
    // The file's size as file browsers write it ("Zero KB" for a missing file).
    static QString grabFileSizeStr(const QString& path);
    // One log line with the time of day, "HH:mm:ss".
    static void printCurrentTime();

    // ---- the shared progress window (DataCentre+Progress.cpp) ----
    // Callable from any thread and never waiting for the main thread: a worker's calls are queued to
    // the main thread, and a run of updates there collapses into the latest. A call on the main
    // thread first applies what workers queued, then its own at once.
    // Makes a fresh progress window ("Please wait", indeterminate, 0 of 10) and shows it.
    static void showProgressIndicator();
    // "Please wait: done/total completed", the level at done of total and the item text; done equal
    // to total hides the window and brings the main window to the front.
    static void updateProgressBar(qint32 done, qint32 total, const QString& text);
    // Hides the window and drops it; with none shown it does nothing.
    static void dismissProgressIndicator();
    // What shows the progress, on the main thread; the window layer installs it at start-up.
    struct ProgressDisplay
    {
        virtual ~ProgressDisplay() = default;
        virtual void show() = 0;
        virtual void update(qint32 done, qint32 total, const QString& text) = 0;
        virtual void dismiss() = 0;
    };
    static void setProgressDisplay(ProgressDisplay* display); // not owned; nullptr: nothing shows
};
