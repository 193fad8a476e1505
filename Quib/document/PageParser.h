// Reads a saved page (the HTML page the page writer produced) back into the page's settings and one
// property carrier per graphic, sorted by z-index with the front-most first. The read is pure: it
// changes no document, window or edition value and fetches nothing from the network. What the
// caller must apply or show (settings, canvas size, unsupported fonts, image renames, the
// background of a synchronised page) comes back in the result.
//
// Pages come from templates, imports and other people, so the input is untrusted: odd rules give
// defaults, and names from the page never lead outside the page's image folder.
#pragma once
#include "editions/LabelTemplateHelper.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class DRVDocument;
class DRVGraphic;
class myTextView;
class TransformView;
class OuterSlideShow;
class GalleryGridView;
class TableGridView;
class LineView;

struct PageParseInput
{
    QString pageText;
    QString pageName;         // "basetemplate" when the base template is merged in
    QString websiteFolder;    // the open website's working folder; may be empty
    QString templatePageName; // the page name for base-template decisions
    QString pagePath;         // the page file; its image folder is this without extension
    // pageText is the page file's text as read just now: markers are looked for in it rather
    // than in the file read once more.
    bool pageTextIsFileText = false;

    // Document state the read depends on.
    int useBaseTemplateFlag = 0;
    int inheritMetaKeywordsFlag = 0;
    int inheritMetaDescriptionFlag = 0;
    bool syncFlag = false;
    QString syncPageURL;
    QString pageFileType;
    QString pageFileExtension;
    QString baseTemplateCustomHeaderCode;
    // Settings a page without their markers leaves as they were.
    QString formSentResponse;
    QString formRequiredResponse;
    QString formEmailVerificationMsg;
    QString formBotCheckerResponse;
    // Image names already on the page (images, gallery, slideshow and, where tables hold images,
    // table images): new names must not collide with them.
    QStringList documentImageNames;
};

struct PageImageRename
{
    QString oldName;
    QString newName;
    QString imageType;
};

// The background of a synchronised page, to be fetched by the caller off the main thread.
struct PageBackgroundFetch
{
    QUrl url;
    QString targetPath; // in the page's folder of the website working folder
    QString imageType;  // "PNG" or "JPG"
};

struct PageAlert
{
    QString title;
    QString text;
    QString button;
};

struct PageParseResult
{
    // Owns every carrier below. Tables, galleries and slideshows keep their member carriers for
    // their whole life: keep the owner as long as the graphics built from them.
    std::shared_ptr<QObject> carrierOwner;
    // All kept carriers by z-index ("tag"), highest first; equal ones in the order below.
    QList<QObject*> carriers;
    // Kept carriers by kind, in page order.
    QList<myTextView*> textViewArray;
    QList<TransformView*> imageViewArray;
    QList<myTextView*> htmlSnippetArray;
    QList<OuterSlideShow*> slideshowArray;
    QList<GalleryGridView*> galleryArray;
    QList<TableGridView*> tableArray;
    QList<LineView*> lineArray;

    int documentChangedCounter = 0;
    bool usingBootStrapFlag = false;
    bool isFormPage = false;
    bool followsBaseTemplate = false;

    QString customHeaderCode;
    QString baseTemplateCustomHeaderCode; // carried through, set from the base template itself

    int docSpecificFixedCanvasFlag = 0;
    int docSpecificPageWidth = 0;
    int docSpecificPageHeight = 0;
    QSize confirmedCanvasSize;             // what the window's canvas is to be set to
    QString canvasSizeType;                // the page's canvas size type ("" when none)
    bool adjustCanvasSizeType = false;     // e-mail editions: the window resizes by the type
    std::optional<int> editionCanvasWidth; // e-mail editions: 700 for "Standard", else 900

    std::optional<LabelTemplateHelper> labelTemplateHelper; // print editions only
    QString selectedLabelSheet;

    QString formRedirectURL;
    QString formEmailServer;
    QString formEmailUsername;
    QString formEmailPassword;
    int grabIPFlag = 0;
    int formOrderLayoutOption = 0;
    QString siteFeedbackEmail;
    QString siteCCFeedbackEmail;
    QString formSubmitButtonValue;
    QString formSentResponse;
    QString formRequiredResponse;
    QString formEmailVerificationMsg;
    QString formBotCheckerResponse;
    QString formBotCheckerKey; // the handler's secret for the bot checker's numbers

    QStringList notSupportedFonts; // in the order first met

    // Unset where the page follows the base template (its values come from there) or the page has
    // no such marker.
    std::optional<int> centreFlag;
    std::optional<int> webPageWidthManualFlag;
    std::optional<QString> metaKeywords;
    std::optional<QString> metaDescription;
    QString encodingType;
    std::optional<int> webPageWidth;
    QString pageColorHexString;
    std::optional<QColor> pageColor;
    // A background image found in the image folder; applied (pattern colour, flag 2) only when the
    // page does not follow the base template.
    QImage backgroundImage;
    QString backgroundImageType;
    std::optional<int> backgroundImageFlag;
    std::optional<PageBackgroundFetch> backgroundFetch;

    // Image carriers that took a new name because another image had theirs; their files are copied
    // by applyImageRenames.
    QList<PageImageRename> imageRenames;

    // One "Font Not Supported" alert per family, for the caller to show on the main thread.
    QList<PageAlert> alerts() const;
};

class PageParser
{
public:
    PageParser() = delete;

    // The whole read. Never throws and never fails: an unreadable rule gives its defaults.
    static PageParseResult presentObjects(const PageParseInput& input);

    // Copies the files of each renamed image to its new name in the page's image folder.
    static void applyImageRenames(const PageParseResult& result, const QString& pagePath);

    // The image names of a document's graphics, gathered as the collision test needs them.
    static QStringList documentImageNames(const DRVDocument& document);
    static QStringList documentImageNames(const QList<DRVGraphic*>& graphics);

    // Fetches a synchronised page's background off the main thread, at most timeoutMs long, writes
    // it to the target and hands the image (null on any failure, so the caller keeps the page's
    // background) to completion on the main thread. The fetcher is installed by the layer that owns
    // the network (it returns the body, or an empty array).
    using BackgroundFetcher = std::function<QByteArray(const QUrl& url, int timeoutMs)>;
    static void fetchBackgroundInBackground(const PageBackgroundFetch& request, BackgroundFetcher fetcher,
                                            int timeoutMs, std::function<void(QImage)> completion,
                                            QObject* context = nullptr);
};
