// One open page: its graphics front to back, the undo of every insertion, removal and property
// change of them, and the canvas size. Opening, saving, generating and publishing are defined in
// further DRVDocument+<Topic>.cpp files of the folders that own them; their declarations go in the
// marked sections below.
#pragma once
#include "platform/Observable.h"

#include "editions/LabelTemplateHelper.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QMetaObject>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QPointer>
#include <functional>
#include <QVariantMap>
#include <memory>
#include <optional>

class CodeWidgetHelper;
class DRVGraphic;
class DRVMapTableOwner;
class ShareWindowController;
class UploadItem;
class DRVWindowController;
class FormSettingsWindowController;
class PageSettingsWindowController;
struct ScriptObjectSpecifier;

// ---- page state ----
// The page's non-graphic state: what one generation pass fills, the page's identity and files, its
// look, head and meta settings, form, publishing, mail and profile values. Each entry is a plain
// getter `name()` and setter `setName()` without side effects; values start at zero, false or null.
// The lists that mix graphics with cell and image carriers hold QObjects.
#define DRV_DOCUMENT_PAGE_STATE(X)                                                                           \
    /* generation lists and products, refilled by every pass */                                              \
    X(QList<std::shared_ptr<CodeWidgetHelper>>, sourceCodeArray, setSourceCodeArray)                         \
    X(QList<QObject*>, textViewArray, setTextViewArray)                                                      \
    X(QList<QObject*>, htmlSnippetArray, setHtmlSnippetArray)                                                \
    X(QList<QObject*>, imageViewArray, setImageViewArray)                                                    \
    X(QList<DRVGraphic*>, slideshowArray, setSlideshowArray)                                                 \
    X(QList<DRVGraphic*>, galleryArray, setGalleryArray)                                                     \
    X(QList<DRVGraphic*>, tableArray, setTableArray)                                                         \
    X(QList<DRVGraphic*>, lineArray, setLineArray)                                                           \
    X(QList<QObject*>, formItemArray, setFormItemArray)                                                      \
    X(QString, fullCSSString, setFullCSSString)                                                              \
    X(QString, mobileCSSString, setMobileCSSString)                                                          \
    X(bool, mobileVersionFlag, setMobileVersionFlag)                                                         \
    X(bool, usingBootStrapFlag, setUsingBootStrapFlag)                                                       \
    X(QSet<QString>, notSupportedFontSet, setNotSupportedFontSet)                                            \
    X(bool, storeImageNowFlag, setStoreImageNowFlag)                                                         \
    X(bool, ignoreImageSaveErrorFlag, setIgnoreImageSaveErrorFlag)                                           \
    X(QString, saveImagePath, setSaveImagePath)                                                              \
    /* what used to be process-wide and leaked from one page into the next */                                \
    X(QString, generatedPageSource, setGeneratedPageSource) /* the last text of generateSourceCode */        \
    X(int, canvasRotationDegrees, setCanvasRotationDegrees) /* 0 or 90, the rotate-canvas marker */          \
    X(QString, canvasSizeTypeName, setCanvasSizeTypeName)                                                    \
    X(QString, selectedLabelSheet, setSelectedLabelSheet)    /* set: the label markers are written */        \
    X(bool, previewGenerationFlag, setPreviewGenerationFlag) /* local script copies, not CDN links */        \
    /* identity, files and editing state */                                                                  \
    X(QString, pageName, setPageName)                                                                        \
    X(QString, pageOfficialName, setPageOfficialName)                                                        \
    X(QString, pageFileType, setPageFileType)                                                                \
    X(QString, pageFileExtension, setPageFileExtension)                                                      \
    X(QString, publishExt, setPublishExt)                                                                    \
    X(QString, pagePath, setPagePath)                                                                        \
    X(QString, tempSavePathLocal, setTempSavePathLocal)                                                      \
    X(QString, openWebsiteFolderTempPath, setOpenWebsiteFolderTempPath)                                      \
    X(QString, mainTemplateName, setMainTemplateName)                                                        \
    X(QString, pageNumber, setPageNumber)                                                                    \
    X(QString, pageFileName, setPageFileName)                                                                \
    X(QUrl, pageLocalURL, setPageLocalURL)                                                                   \
    X(QString, dummyString, setDummyString)                                                                  \
    X(int, documentChangedCounter, setDocumentChangedCounter)                                                \
    X(bool, loopThroughFlag, setLoopThroughFlag)                                                             \
    X(bool, duplicateBasetemplateFlag, setDuplicateBasetemplateFlag)                                         \
    X(bool, syncFlag, setSyncFlag)                                                                           \
    X(QString, syncPageURL, setSyncPageURL)                                                                  \
    X(QString, syncPageContent, setSyncPageContent)                                                          \
    /* look */                                                                                               \
    X(QString, pageColorHexString, setPageColorHexString)                                                    \
    X(QImage, backgroundImage, setBackgroundImage)                                                           \
    X(QString, backgroundImageType, setBackgroundImageType)                                                  \
    X(int, backgroundImageFlag, setBackgroundImageFlag) /* 0 none, 2 a background image */                   \
    X(int, webPageWidth, setWebPageWidth)                                                                    \
    X(bool, webPageWidthManualFlag, setWebPageWidthManualFlag)                                               \
    X(int, centreFlag, setCentreFlag)                                                                        \
    /* head and meta */                                                                                      \
    X(QString, customHeaderCode, setCustomHeaderCode)                                                        \
    X(QString, baseTemplateCustomHeaderCode, setBaseTemplateCustomHeaderCode)                                \
    X(QString, metaKeywords, setMetaKeywords)                                                                \
    X(QString, metaDescription, setMetaDescription)                                                          \
    X(QString, encodingType, setEncodingType)                                                                \
    X(int, useBaseTemplateFlag, setUseBaseTemplateFlag)                                                      \
    X(int, inheritMetadataFlag, setInheritMetadataFlag)                                                      \
    X(int, inheritMetaDescriptionFlag, setInheritMetaDescriptionFlag)                                        \
    X(int, inheritMetaKeywordsFlag, setInheritMetaKeywordsFlag)                                              \
    X(int, inheritCustomHeaderCodeFlag, setInheritCustomHeaderCodeFlag)                                      \
    /* forms */                                                                                              \
    X(QString, formSentResponse, setFormSentResponse)                                                        \
    X(QString, formRequiredResponse, setFormRequiredResponse)                                                \
    X(QString, formSubmitButtonValue, setFormSubmitButtonValue)                                              \
    X(QString, formRedirectURL, setFormRedirectURL)                                                          \
    X(QString, formEmailVerificationMsg, setFormEmailVerificationMsg)                                        \
    X(QString, formBotCheckerResponse, setFormBotCheckerResponse)                                            \
    X(QString, siteFeedbackEmail, setSiteFeedbackEmail)                                                      \
    X(QString, siteCCFeedbackEmail, setSiteCCFeedbackEmail)                                                  \
    X(QString, formEmailServer, setFormEmailServer)                                                          \
    X(QString, formEmailUsername, setFormEmailUsername)                                                      \
    X(QString, formEmailPassword, setFormEmailPassword)                                                      \
    X(int, grabIPFlag, setGrabIPFlag)                                                                        \
    X(int, formOrderLayoutOption, setFormOrderLayoutOption)                                                  \
    X(QString, formBotCheckerKey, setFormBotCheckerKey) /* the form handler's secret, never shown */         \
    /* publishing and sharing */                                                                             \
    X(int, FTPUploadFlag, setFTPUploadFlag) /* 999 while the page is written for publishing */               \
    X(int, uploadCounter, setUploadCounter)                                                                  \
    X(bool, uploadDocumentsFlag, setUploadDocumentsFlag)                                                     \
    X(bool, uploadAllPagesFlag, setUploadAllPagesFlag)                                                       \
    X(bool, uploadImageFlag, setUploadImageFlag)                                                             \
    X(QString, connectionLog, setConnectionLog)                                                              \
    X(QString, shareLink, setShareLink)                                                                      \
    X(QString, uploadTimeStampFolder, setUploadTimeStampFolder)                                              \
    X(bool, showCodeOnlyFlag, setShowCodeOnlyFlag)                                                           \
    X(int, oldArrayCount, setOldArrayCount)                                                                  \
    X(QString, dropboxLink, setDropboxLink)                                                                  \
    X(QString, dbUserID, setDbUserID)                                                                        \
    /* mail */                                                                                               \
    X(QString, mailHeader, setMailHeader)                                                                    \
    X(QString, mailFooter, setMailFooter)                                                                    \
    X(QString, mailTooltipText, setMailTooltipText)                                                          \
    X(QImage, mailImage, setMailImage)                                                                       \
    X(QString, sendMailResults, setSendMailResults)                                                          \
    X(QString, sendMailInCompleteString, setSendMailInCompleteString)                                        \
    /* profile and print */                                                                                  \
    X(QVariantMap, profileDictionary, setProfileDictionary) /* profile field name -> value */                \
    X(LabelTemplateHelper, labelTemplateHelper, setLabelTemplateHelper)

// clang-format off
#define DRV_DOCUMENT_PAGE_STATE_ACCESSORS(Type, name, setter)                                                \
    const Type& name() const { return m_##name; }                                                            \
    void setter(const Type& value) { m_##name = value; }
// clang-format on
#define DRV_DOCUMENT_PAGE_STATE_MEMBER(Type, name, setter) Type m_##name{};

namespace platform {
class UndoManager;
}

class DRVDocument : public platform::Observable, private platform::Observable::ChangeListener
{
    Q_OBJECT
    Q_PROPERTY(QColor pageColor READ pageColor WRITE setPageColor)
    Q_PROPERTY(
        int docSpecificFixedCanvasFlag READ docSpecificFixedCanvasFlag WRITE setDocSpecificFixedCanvasFlag)
    Q_PROPERTY(int docSpecificPageWidth READ docSpecificPageWidth WRITE setDocSpecificPageWidth)
    Q_PROPERTY(int docSpecificPageHeight READ docSpecificPageHeight WRITE setDocSpecificPageHeight)

public:
    explicit DRVDocument(QObject* parent = nullptr);
    ~DRVDocument() override;

    // ---- graphics ----
    // Front to back: index 0 is drawn last and hit first. Take a copy before changing the page
    // while walking it.
    const QList<DRVGraphic*>& graphics() const { return m_graphics; }
    // Inserts graphics[i] at indexes[i]; indexes ascend strictly and refer to positions after the
    // insertion. The document owns every graphic inserted into it for its whole life, since undo
    // may put a removed one back. Registers the removal as undo, keeps graphics inserted in this
    // undo group out of property-change records, and observes them for undo. Refuses (and logs
    // "couldn't insert graphic") counts that differ or indexes out of range.
    bool insertGraphics(const QList<DRVGraphic*>& graphics, const QList<int>& indexes);
    // Removes the graphics at the ascending indexes and registers their re-insertion as undo.
    // Refuses (and logs "no need to remove") indexes out of range.
    bool removeGraphicsAtIndexes(const QList<int>& indexes);
    // The graphics of one class (or its subclasses), front to back.
    template <class T> QList<T*> graphicsWithClass() const
    {
        QList<T*> found;
        for (DRVGraphic* graphic : m_graphics) {
            if (T* typed = qobject_cast<T*>(graphic))
                found.append(typed);
        }
        return found;
    }

    // ---- canvas ----
    // The page's own size when docSpecificFixedCanvasFlag is 1, else the edition's canvas size.
    QSizeF canvasSize() const;
    QColor pageColor() const { return m_pageColor; }
    void setPageColor(const QColor& value) { changeValue(m_pageColor, value, "pageColor"); }
    int docSpecificFixedCanvasFlag() const { return m_docSpecificFixedCanvasFlag; }
    void setDocSpecificFixedCanvasFlag(int value)
    {
        changeValue(m_docSpecificFixedCanvasFlag, value, "docSpecificFixedCanvasFlag");
    }
    int docSpecificPageWidth() const { return m_docSpecificPageWidth; }
    void setDocSpecificPageWidth(int value)
    {
        changeValue(m_docSpecificPageWidth, value, "docSpecificPageWidth");
    }
    int docSpecificPageHeight() const { return m_docSpecificPageHeight; }
    void setDocSpecificPageHeight(int value)
    {
        changeValue(m_docSpecificPageHeight, value, "docSpecificPageHeight");
    }

    // Documents may be created and read on a background thread.
    static bool canConcurrentlyReadDocumentsOfType(const QString& type)
    {
        Q_UNUSED(type);
        return true;
    }

    // ---- undo ----
    platform::UndoManager* undoManager() const { return m_undoManager; }
    // Observes each graphic's undoable keys, and the set of those keys itself.
    void startObservingGraphics(const QList<DRVGraphic*>& graphics);
    void stopObservingGraphics(const QList<DRVGraphic*>& graphics);
    // The undo action of one group: puts every recorded old value back through the observed keys,
    // which registers the redo in turn.
    void setGraphicProperties(const std::shared_ptr<DRVMapTableOwner>& owner);
    // Ends the current undo group's records.
    void observeUndoManagerCheckpoint();
    const QSet<DRVGraphic*>& undoGroupInsertedGraphics() const { return m_undoGroupInsertedGraphics; }
    QString undoGroupPresentablePropertyName() const { return m_undoGroupPresentablePropertyName; }
    bool undoGroupHasChangesToMultipleProperties() const { return m_undoGroupHasChangesToMultipleProperties; }

    // ---- opening and saving (document folder) ----
    // A page document is a zip archive (DocumentArchiver) of the page file, its two thumbnails and
    // its image folder. Opening unpacks it into a working folder of its own (tempSavePathLocal) and
    // rebuilds the graphics from the page file; saving writes the page back there and packs it into
    // the document file. Main thread only, like every other change of the document.

    // The document file this page was opened from or last saved to; empty for a new page.
    QString filePath() const { return m_filePath; }
    // Forgets the document file, so that the first save asks where to put the page (a page
    // opened from a working folder that the next launch empties).
    void detachFromFile() { m_filePath.clear(); }
    // Observers of the canvas size hear of it when a page is (re)loaded.
    Q_PROPERTY(QSizeF canvasSize READ canvasSize)

    // A new document read from path, or nullptr after the "Not able to open" alert (error, when
    // given, says why).
    static std::unique_ptr<DRVDocument> openDocument(const QString& path, QString* error = nullptr);
    // Reads the page of the document file at path into this document. On failure the alert has been
    // shown and the document (graphics, file path, page state) is as it was.
    bool readFromURL(const QString& path);
    // Rebuilds the page from the stored document file: the page is parsed into new graphics first,
    // and the current ones are replaced only when that succeeded. Clears the undo stack and the
    // edited state on success.
    bool refreshDocument();
    // Replaces the page's graphics by those of the open website's "basetemplate.html", without
    // undo. False (nothing changed) when there is no base template or it cannot be read.
    bool applyAutoBaseTemplate();
    // An open writes the page's other unpacked files in the background; every flow that reads or
    // writes the working folder's files (save, publish, export, preview, mail, print, the page
    // list...) calls this first. It writes what is left and waits for the rest; false when a file
    // could not be written.
    bool completeWorkingFolder();
    // ---- renaming and the base template ----
    // Renames the page and its document file to newName (no extension) in the same folder. False
    // when nothing changed: the same name, a refused name, another file already there (alert
    // "File Conflict") or a failed save, after which the old document file is untouched.
    bool renameFileName(const QString& newName);
    // Turns the use of the base template on or off; the page is saved and rebuilt.
    bool switchBaseTemplate();
    // text with every "[PAGE_NUMBER]" replaced by this page's index in the page list.
    QString replacePageNumbers(const QString& text) const;
    QString replacePageNumbers(const QString& text, const QString& documentFileName) const;
    // The group number a new graphic takes: one above the highest in use, 1 on an empty page.
    int findNextGroupNumber() const;
    // The index of a page document (file name with extension) in the open website's page list, -1
    // when it is not listed; installed by the window that shows the list.
    using PageNumberLookup = std::function<int(const QString& documentFileName)>;
    void setPageNumberLookup(PageNumberLookup lookup) { m_pageNumberLookup = std::move(lookup); }

    // Segment 0 shows the full page, any other the mobile page; the page is then rebuilt.
    bool updateMobileView(int selectedSegment);
    // Removes every graphic (undoably).
    void clearAllGraphics();
    QColor pageBackgroundColor() const { return pageColor(); }
    // Announces a change of "canvasSize" so that observers re-read it.
    void setPrintInfo();
    // Why the last open or save failed ("" after success).
    QString lastFileErrorText() const { return m_lastFileErrorText; }

    // The open website project, shared with the page list and the application: while it is open,
    // its pages are read and saved in place. A document that opens before its window knows the
    // website takes the pending path once.
    static bool websiteFolderOpenFlag();
    static void setWebsiteFolderOpenFlag(bool open);
    static QString pendingWebsiteFolderPath();
    static void setPendingWebsiteFolderPath(const QString& path);

    // Saving. Every save ends in saveThisPage(); each returns true when the document file holds the
    // page afterwards (also when nothing needed writing). A failure shows an alert, leaves the
    // previous document file as it was and the document edited.
    // To the document's own file; a page never saved asks for a path with the save panel.
    bool saveDocument();
    // To path, which becomes the document's file on success ("Save As").
    bool saveDocumentTo(const QString& path);
    bool askPageToSaveItself();
    bool saveThisPage(const QString& path, bool publishFlag);
    // True when the newly generated page text equals the stored page file.
    bool compareSource(bool publishFlag);
    // Writes the page file when it differs from the generated text; false when that write failed.
    bool savePageFile(bool publishFlag);
    // Writes generatedPageSource to W/P.X in the encoding it names (see StoredPageEncoding).
    bool directlySavePageFile();
    // Writes fullCSSString to W/P/full.css (mobile.css for the mobile page) in the editions with
    // external style sheets; true when nothing was to be written.
    bool saveCSSFile();
    bool savePagePreparation();
    void clearTempFolder();
    // Generates the page once and compares it with the stored page file.
    bool storedPageMatches(bool publishFlag, bool changedFlag);
    // savePagePreparation and savePageFile for a page that is known to differ from its stored file
    // (or is edited): generated once, by the pass that writes its files.
    bool preparePageForSave(bool knownToDiffer);
    bool writePageFile(bool publishFlag, bool knownToDiffer);
    // The page text for publishing in the page's encoding: "Win-1251" (code page 1251), "UTF-8",
    // else UTF-16. Text that code page 1251 cannot hold is refused with an alert and no file.
    bool generatePublishVersion();
    bool exportPublishVersion(const QString& path);
    // The document file's base name, else mainTemplateName, else "untitled".
    QString createFileName() const;
    // "Official Name (File.ext)", or only the official name with free-form file names.
    QString windowTitle() const;
    void updateWindowTitle();

    // Thumbnails W/P.png and W/P@2x.png: the longer side gScreenshotWidth and twice that.
    bool saveScreenshot();
    bool saveCustomScreenshot(const QImage& image);
    // The page drawn at thumbnailRenderSize(), without selection handles.
    QImage imageWithSubviews();
    QSize thumbnailRenderSize() const;

    // Edited state and closing.
    enum class ChangeType { Done, Undone, Redone, Cleared };
    void updateChangeCount(ChangeType change);
    bool isDocumentEdited() const; // never in the viewer editions
    bool isDraft() const;          // a page never saved; never in the viewer editions
    // Asks "This file has changed" for an edited page. "Yes" saves and answers true only when the
    // save succeeded, "No" answers true without saving, "Cancel" false.
    bool canCloseDocument();
    // Form pages are PHP pages: no web preview.
    bool isFormPage() const;

    // For the window: the title to show, panels to hide, the page rebuilt (background colour and
    // canvas size to re-read), and selection to drop before the page is rendered.
    Q_SIGNAL void windowTitleChanged(const QString& title);
    Q_SIGNAL void hideDocPanelsRequested();
    Q_SIGNAL void pageReloaded();
    // The page's background picture was chosen or removed.
    Q_SIGNAL void backgroundImageChanged();
    Q_SIGNAL void deselectAllRequested();
    // Every value change of a graphic of this page, after it was recorded for undo: one connection
    // for the canvas rather than one per graphic.
    Q_SIGNAL void graphicValueChanged(DRVGraphic* graphic, const QString& key, const QVariant& oldValue,
                                      const QVariant& newValue);

private:
    struct OpenPlan;
    bool failOpen(const QString& reason);
    bool failSave(const QString& reason);
    bool preparePageFiles(struct OpenPlan& plan);
    QList<DRVGraphic*> parsePage(const QString& text, const QString& pageName, const QString& pagePath,
                                 const QString& templateName, const OpenPlan& plan,
                                 struct PageParseResult* result);
    void applyParsedPageState(const struct PageParseResult& result, const OpenPlan& plan);
    QList<DRVGraphic*> baseTemplateGraphics(OpenPlan& plan);
    void replaceAllGraphics(const QList<DRVGraphic*>& graphics);
    void ensureChangeTracking();
    bool scheduleChangeTracking();
    bool writeThumbnails(const QImage& source);
    bool ensureWorkingFolder(const QString& targetPath);
    void adoptDisplayFiles();

    PageNumberLookup m_pageNumberLookup;
    QString m_filePath;
    QString m_lastFileErrorText;
    int m_changeCount = 0;
    bool m_changeTrackingConnected = scheduleChangeTracking();
    // The parser's carriers stay alive with the graphics built from them.
    QList<std::shared_ptr<QObject>> m_carrierOwners;
    // The pictures of the last open, each with the picture's cache key then, whose display files
    // are adopted once the unpacked files are on disk.
    QList<std::pair<QPointer<QObject>, qint64>> m_displayFilesToAdopt;

public:

    // ---- page state ----
    DRV_DOCUMENT_PAGE_STATE(DRV_DOCUMENT_PAGE_STATE_ACCESSORS)

    // ---- page generation (generation folder) ----
    // One pass over the page's graphics: fills the generation lists, completes the graphics' template
    // names, writes the files the page needs when changedFlag is set, and returns the page text (also
    // kept as generatedPageSource). With publishFlag in a responsive edition the text has the
    // responsive shape; otherwise it is the stored page.
    QString generateSourceCode(const QString& pageName, bool publishFlag, bool changedFlag);
    // A link as the user typed it, made fit for an anchor: trimmed, blanks as %20, first line only.
    static QString verifyLink(const QString& link);
    // Gives each table's cells, background image and (in editions whose tables hold images) images
    // the number of their table; the last table gets 0.
    void populateTableNumbers();
    // Gives every gallery's images the number of their gallery (the last gets 0) and its shadow and
    // backdrop flags.
    void populateGalleryImageDimensions();
    // Writes one template name into every graphic of the page and into slideshow and gallery images.
    void resetTemplateName(const QString& templateName);
    // The page's graphics of one kind, front to back, found by class name (subclasses included).
    QList<DRVGraphic*> textAreas() const;
    QList<DRVGraphic*> images() const;
    QList<DRVGraphic*> slideshows() const;
    QList<DRVGraphic*> galleries() const;
    QList<DRVGraphic*> tables() const;
    QList<DRVGraphic*> lines() const;
    // The layer (z-index) the page writes for a graphic: its manual layer index when set, else the
    // number of graphics minus its index, so the graphic on top gets the highest.
    int layerIndexForGraphic(const DRVGraphic* graphic) const;
    // YES when the page has a slideshow.
    bool needJqueryScripts() const;
    // YES when an image of the page, of its slideshows or of its galleries opens enlarged.
    bool needImagePopupScript() const;
    // Copies the local jQuery and Bootstrap files beside the page file, each only when missing.
    void transferJquery() const;

    // ---- canvas measurement (generation folder) ----
    // Graphics inside a slideshow or gallery are measured with their container and never moved;
    // the width family also leaves out full-screen-width text boxes. Values are whole pixels, each
    // of x, y, width and height truncated first.
    int findMaxScreenWidth() const;                                           // 200 for an empty page
    int findMaxScreenHeight() const;                                          // 50 for an empty page
    int findMinScreenX() const;                                               // 0 for an empty page
    int findMaxScreenWidthForArray(const QList<DRVGraphic*>& graphics) const; // at least 1
    int findMinScreenXForArray(const QList<DRVGraphic*>& graphics) const;     // 0 when none counts
    // Moves every counted graphic of the list d pixels to the left, truncating its bounds.
    void trimAllObjects(int d, const QList<DRVGraphic*>& graphics);
    // Moves the page's content so that its leftmost graphic starts at x 0.
    void trimAndCenter();

    // ---- page background (document folder) ----
    // Makes the picture at path the page's background, one pixel to one point: type "PNG" for a
    // ".png" or ".PNG" file, else "JPG". The previous background goes first (removeBackground).
    // False, with the page as it was, when the file holds no picture.
    bool chooseBackgroundImage(const QString& path);
    // A white page without background image; the stored pair of the current type ("background" and
    // its original "backgroundo") is deleted from the page's folder. The picture itself is kept.
    void removeBackground();
    // Rewrites the stored original of every image of the page no wider than the user's maximum
    // image width, encoded as its name's type says; with no maximum (0) nothing is rewritten. Then
    // tells the user. Answers how many originals were written.
    int compressAllOriginals();

    // Gives the page a name and working folder and writes its page file there (the publishing form
    // with publishFlag); false when that failed.
    bool prepForPresentation(bool publishFlag);

    // ---- page and form preferences (window folder) ----
    // The page's two settings dialogs, window-modal on the owner's window. Each showing makes a new
    // dialog; saving reads the controls back and closes it.
    void showPagePreferences(DRVWindowController* owner);
    void runValueVerifications();
    void savePagePreferences();
    void hidePagePreferencesPanel();
    void hideAllDocPanels();
    void showFileNameHelp();
    void showImageMaxSizeHelp();
    void showFormPreferences(DRVWindowController* owner);
    void saveFormPreferences();
    void hideFormPreferencesPanel();
    // The background commands of the page dialog: the open panel, then back to the dialog.
    void newBackground();
    void removeBackgroundFromPanel();
    void refreshBackgroundPattern();
    PageSettingsWindowController* pageSettingsWindowController() const;
    FormSettingsWindowController* formSettingsWindowController() const;

    // ---- scripting (document folder) ----
    // The element lists a script sees, each front to back like graphics(): "graphics" and one list
    // per kind ("rectangles", "circles", "lines", "textAreas", "images"); nullopt for another key.
    std::optional<QList<DRVGraphic*>> scriptingElements(const QString& key) const;
    QList<DRVGraphic*> rectangles() const;
    QList<DRVGraphic*> circles() const;
    // One graphic in or out through insertGraphics and removeGraphicsAtIndexes, so undoable.
    bool insertGraphic(DRVGraphic* graphic, int index);
    bool addInGraphics(DRVGraphic* graphic); // at index count
    bool removeGraphicAtIndex(int index);
    // The graphic's position among all graphics (found by identity), or -1.
    int objectSpecifierForGraphic(const DRVGraphic* graphic) const;
    // A new graphic for a script: the abstract "DRVGraphic" gives a circle; an unregistered class
    // gives nullptr.
    static DRVGraphic* newScriptingObjectOfClass(const QString& className);
    // Per kind: inserting at the kind's count appends at the end of all graphics; otherwise the
    // graphic goes just behind the kind's graphic now at index. Removing takes the kind's graphic at
    // index. False with error set for an index beyond the kind's list (the caller keeps an
    // uninserted graphic).
    bool insertObjectInRectanglesAtIndex(DRVGraphic* graphic, int index, QString* error = nullptr);
    bool insertObjectInCirclesAtIndex(DRVGraphic* graphic, int index, QString* error = nullptr);
    bool insertObjectInLinesAtIndex(DRVGraphic* graphic, int index, QString* error = nullptr);
    bool insertObjectInTextAreasAtIndex(DRVGraphic* graphic, int index, QString* error = nullptr);
    bool insertObjectInImagesAtIndex(DRVGraphic* graphic, int index, QString* error = nullptr);
    bool removeObjectFromRectanglesAtIndex(int index, QString* error = nullptr);
    bool removeObjectFromCirclesAtIndex(int index, QString* error = nullptr);
    bool removeObjectFromLinesAtIndex(int index, QString* error = nullptr);
    bool removeObjectFromTextAreasAtIndex(int index, QString* error = nullptr);
    bool removeObjectFromImagesAtIndex(int index, QString* error = nullptr);
    // By scripting key, for callers that name the kind ("rectangles" ... "images").
    bool insertObjectInElementsAtIndex(const QString& key, DRVGraphic* graphic, int index,
                                       QString* error = nullptr);
    bool removeObjectFromElementsAtIndex(const QString& key, int index, QString* error = nullptr);
    // Positions in the specifier's list; nullopt where the caller must evaluate it itself (an index
    // specifier) or it cannot be evaluated.
    std::optional<QList<int>> indicesOfObjectsByEvaluatingObjectSpecifier(const ScriptObjectSpecifier& s) const;
    std::optional<QList<int>> indicesOfObjectsByEvaluatingRangeSpecifier(const ScriptObjectSpecifier& s) const;
    std::optional<QList<int>> indicesOfObjectsByEvaluatingRelativeSpecifier(const ScriptObjectSpecifier& s) const;

    // ---- publishing one page: confirmation, upload list, run, progress, endings ----
    // (window folder: DRVDocument+Publishing.cpp)
    // The run's items in sending order; replaced at the start of each run.
    QList<UploadItem> uploadItemArray() const;
    void setUploadItemArray(const QList<UploadItem>& items);
    // Shows the progress window and sends uploadItemArray on a worker thread.
    void startUpload();

    // The steps above are shared by the website commands below.
    // The two publish commands: the page with its images, or the page file alone ("Quick Refresh").
    void publishSinglePageWithImages(QObject* sender = nullptr);
    void publishSinglePageNoImages(QObject* sender = nullptr);
    // Form and saved checks, confirmation, the page written in its publishing form (its copy in a
    // folder of this run's own), the upload list and startUpload. Nothing is sent when a step stops.
    void prepforUpload(QObject* sender = nullptr);
    // Resets and shows the document's own progress window for uploadItemArray.
    void showProgressIndicator();
    // Main-thread steps of a run, scheduled by its transfer callback: finished files of itemCount
    // come with the call, so no value is shared with the transfer thread.
    void updateProgressBar(qint32 finished, qint32 itemCount);
    void updateProgressBarDoneSuccess();
    void updateProgressBarDoneFailed();
    // The connection log of the last callback, and its copy button.
    void showConnectionLog();
    void grabConnectionLog();
    // True from startUpload until the run's last callback has been handled on the main thread.
    bool uploadInProgress() const;
    // (The two window classes belong to the window folder; named here, not included.)
    class ProgressIndicatorWindowController* progressIndicatorWindowController() const;
    class ConnectionLogWindowController* connectionLogController() const;
    // A run ended: after its success step or its failure alert.
    Q_SIGNAL void uploadRunEnded(bool success);

    // ---- publishing the website and chosen files ----
    // (window folder: DRVDocument+WebsitePublishing.cpp)

    // The website commands act on the page list of the document's window.
    // Publish every page with its images; a project that needs a full refresh gets it first.
    void publishWebsiteWithImages(QObject* sender = nullptr);
    // Publish every page without images ("Quick Refresh"); after a needed full refresh the user is
    // advised to publish everything and chooses.
    void publishWebsiteNoImages(QObject* sender = nullptr);
    // Saves the open page, confirms, rewrites every page, lists the whole site and starts the upload.
    // False when nothing was started (cancelled, no page list, or a page that could not be prepared).
    bool publishAllPages();
    // Files the user picks go into the folder named after the page.
    void selectDocumentsToUpload(QObject* sender = nullptr);
    // A linked text box on the canvas for each file of the last run, from y 100, 50 apart.
    void generateLinksToUploadedDocuments();
    // The website commands' action names, and whether they are available for a page list of
    // tileCount tiles (enabled and shown exactly while it holds tiles).
    static const QStringList& websitePublishingActions();
    static bool websitePublishingAvailable(int tileCount) { return tileCount > 0; }

    // ---- share panel ----
    // (window folder: DRVDocument+Share.cpp)
    // Shows the document's share panel as a sheet on its window (main thread). A caller with a
    // message sets it through shareWindowController()->setLabelText.
    void showShareWindowController(QObject* sender = nullptr);
    void hideShareWindowControllerPanel();
    ShareWindowController* shareWindowController() const;

    // The panel is one sheet per document, made on first use.
    // ...
    // ...

    // ---- exports: pictures, PDF, folder and zip ----
    // (window folder: DRVDocument+Exports.cpp)

    // Exports write through save panels; failures are shown, never silent.
    // The page as a picture (PagePicture) after the window has dropped its selection; kept as
    // mailImage. transparent leaves the background clear where the edition allows it.
    QImage generatePNG(bool transparent);
    QImage generatePNGImage(bool transparent);
    // The menu commands of this block, and their dispatch for the page's window.
    static const QStringList& exportActions();
    bool performExportAction(const QString& action, DRVWindowController* window);
    // The page file, its image folder and the script files into a chosen folder.
    void exportFileTo(DRVWindowController* window);
    // The page folder and page file as one zip (the e-mail marketing services' layout).
    void exportZip(DRVWindowController* window);
    void exportPDFPage(DRVWindowController* window);
    void exportPNGPage(DRVWindowController* window);
    void exportJPEGPage(DRVWindowController* window);
    // The extension an exported page file takes: publishExt, else pageFileExtension, else "html",
    // so the page file never takes the name of its own image folder.
    QString exportPageExtension() const;
    // Where the script files copied beside an exported page come from.
    static QString exportScriptsFolder();

    // ---- mail merge of personalized pages ----
    // (window folder: DRVDocument+MailMerge.cpp)

    // One copy of the page per chosen contact, in the open website folder.
    // Saves the page, then per record of MailContactBook::currentRecords() copies it, opens the copy
    // in place, personalizes and saves it; the last copy stays open. The window is transparent
    // while it runs and opaque again however the run ends.
    void populatePersonalizedDocuments(QObject* sender = nullptr);
    // Copies a page document of the open website folder onto another name there (an existing target
    // is replaced) and posts "websiteUpdated"; false when a name leaves the folder or the copy fails.
    bool duplicateDocument(const QString& sourceFileName, const QString& targetFileName);
    // Puts the record's values in place of the tags of every text box.
    void replacePersonalizedTags(const QVariantMap& record);
    // A text with the record's values in place of its tags, in one pass over the text (a value is
    // never searched for tags); a non-empty line left with nothing but tags without a value is
    // dropped, and such tags are removed from the lines kept.
    static QString personalizedText(const QString& text, const QVariantMap& record, const QStringList& tags);
    // The copies' file names, one per record: first name, last name and contact id, "_" and the
    // address number, cleaned; names that come out equal, or equal to a name in reserved, get "-2",
    // "-3", ... so that no copy replaces another.
    static QStringList personalizedFileNames(const QList<QVariantMap>& records, const QString& extension,
                                             const QStringList& reserved);
    // The progress window of the last merge (hidden once it ended); nullptr before any.
    class ProgressIndicatorWindowController* mergeProgressWindow() const { return m_mergeProgressWindow.get(); }

    // ---- sharing and previews ----
    // (window folder: DRVDocument+Sharing.cpp)

    // The share panel's actions and the page previews.
    // The published page in the user's browser; nothing without a link or for one that is not a web
    // address.
    void launchInSafari();
    // The link as plain text, or the page picture, on the clipboard, confirmed by an alert.
    void sendShareLinkToClipboard();
    void sendShareImageToClipboard();
    // The social posts and the e-mail go through the services' web addresses and the user's mail
    // program; a picture cannot travel that way, only the link.
    void shareOnTwitter();
    void shareOnFacebook();
    void shareByEmail(QObject* sender = nullptr);
    static QUrl twitterShareURL(const QString& link);
    static QUrl facebookShareURL(const QString& link);
    static QUrl emailShareURL(const QString& link, const QString& editionDisplayName);
    // Asks, then opens the edition's rating page; nothing for an edition without one.
    void rateApp();
    // Close the panel, then the picture exports.
    void exportJPEGPageFromShare();
    void exportPNGPageFromShare();
    void exportPDFPageFromShare();
    // The previews and the source window's copy, for callers outside the page's window.
    void showWebPreview(QObject* sender = nullptr);
    void showMobileWebPreview(QObject* sender = nullptr);
    void grabSourceCode();

    // ---- e-mail sending: review, image map, responsive send ----
    // (window folder: DRVDocument+EmailSending.cpp)

    // The e-mail editions' Send.
    // The recipient sheet's Send: keeps its header, footer and tooltip, then renders and hosts the
    // picture (image-map editions) or goes straight to the review (the responsive edition).
    void getReadyToSendEmail();
    // Closes the recipient sheet, checks the sender settings, splits the addresses and shows the review.
    void sendHTMLEmail(QObject* sender = nullptr);
    // False, with sendMailInCompleteString saying what is missing, when no send can be tried.
    bool grabSendMailSettings();
    // The sheet's three address fields as lists; pieces that are no address are kept apart as refused.
    void prepMailingList();
    QString prepSendMailAlertMsg();
    qint32 getMailingListCount() const;
    qint32 countRecipients() const { return getMailingListCount(); }
    void hideReviewMailDataPanel();
    void hideReviewMailDataWindowController() { hideReviewMailDataPanel(); }
    // The review's Send: the image-map message, or the responsive page itself with its images. The
    // SMTP exchange runs on a worker; the result alert follows on the main thread.
    void sendEmailNow();
    void sendHTMLEmailNow();
    void mailSentSuccessfully();
    void mailSentFailed();
    // The mail error log.
    void showConnectionLog(const QString& text);
    // The lists of the last prepared send (shared by every document, as the sheet's stored texts are).
    static QStringList mailToList();
    static QStringList mailCcList();
    static QStringList mailBccList();
    static QStringList refusedMailAddresses();
    class ReviewMailDataWindowController* reviewMailDataWindowController() const;
    // True from the review's Send until the result is handled.
    bool mailSendInProgress() const { return m_mailSendInProgress; }
    Q_SIGNAL void mailSendEnded(bool sent);

    // Image-map e-mail: renders the page into this send's own folder, hosts it by "uploadOption"
    // and continues with the review or, after the source command, the HTML.
    void uploadPNG();
    // The picture (transparent where the edition allows) as PNG at path, and its one-page PDF beside it.
    bool savePNG(const QString& path);
    QString generateEmailCode();
    // Writes the message as UTF-8 beside the picture; its path, empty when it could not be written.
    QString generateImageMapEmail();
    void presentGeneratedSourceCode();
    // The folder of the current send's picture and message; empty before the first.
    QString emailRunFolder() const;
    // The hosting service's upload, installed by its owner: false when the account is not linked.
    static void setDropboxUploadStarter(std::function<bool(DRVDocument*)> starter);
    // The wall clock (milliseconds since the epoch, UTC) of the hosted name's stamp; tests install their own.
    static void setEmailDateSource(std::function<qint64()> msecsSinceEpoch);

    // ---- e-mail image hosting ----
    // (window folder: DRVDocument+ImageHosting.cpp)

    // Where an e-mail's picture is kept for its readers.
    // Says whether the run stored every item and gives the direct link of the last one.
    using DropboxCompletion = std::function<void(bool success, const QString& link)>;
    // Uploads uploadItemArray to the linked Dropbox strictly one item after another (store the file,
    // then its shared link), each item's direct link into the item and into dropboxLink. The first
    // failure stops the run with "Image Upload Failed". completion runs on the main thread.
    void startDropboxUpload(DropboxCompletion completion = {});
    void uploadFileDB(const QString& remoteFolder, const QString& fileName, const QString& localPath);
    void showDropboxError();
    bool dropboxUploadInProgress() const;

    // ---- sheets and printing ----
    // (window folder: DRVDocument+Printing.cpp)

    // Labels, cards and manuals on paper or in a sheet PDF.
    static const QStringList& printingActions();
    bool performPrintingAction(const QString& action, DRVWindowController* window);
    // Sheets of the open page in every cell from the print start position (saved first when printed),
    // or of every page of the project in list order.
    void printSheetWithSameLabels(DRVWindowController* window);
    void printSheetWithDifferentLabels(DRVWindowController* window);
    void exportSheetSameLabel(DRVWindowController* window);
    void exportSheetDifferentLabels(DRVWindowController* window);
    // Takes the snapshot (sheet geometry, images turned by the canvas rotation, paper) and composes
    // it behind the busy window; then prints it or offers to save it. False when nothing was done.
    bool blendPrintView(DRVWindowController* window, const QList<QImage>& images,
                        const struct SheetRequest& request, bool print);
    // The last composed job, all its sheets; nullptr before the first.
    std::shared_ptr<const class SheetSet> printPDFView() const { return m_printPDFView; }
    // Prints or saves the last composed job (saving names it "LabelSheet").
    bool printLabelPage(DRVWindowController* window);
    bool startPrinting(DRVWindowController* window);
    bool exportPDF(DRVWindowController* window);
    // The open page as one picture on the page; a flyer fills its template's paper.
    bool printPage(DRVWindowController* window);
    // Folding cards: asks for the side unless the fold is a quarter fold.
    void printCard(DRVWindowController* window);
    bool printFrontPage(DRVWindowController* window);
    bool printInsidePage(DRVWindowController* window);
    bool printQuarterFoldCard(DRVWindowController* window);
    void printBusinessCard(DRVWindowController* window);
    // Every page of the project but its base template, one printed page each.
    bool printManual(DRVWindowController* window);

    // ---- PDF output and the spot chooser ----
    // (window folder: DRVDocument+PDFOutput.cpp)

    // Project PDFs, their fast variant, and choosing label spots.
    // The menu commands of this block, and their dispatch for the page's window.
    static const QStringList& pdfOutputActions();
    bool performPdfOutputAction(const QString& action, DRVWindowController* window);
    // The PDF book: closes the share panel, then generateTruePDFFile.
    void exportAllPDF(DRVWindowController* window);
    // After the "Fast Export" confirmation, saves the page and runs generateTruePDFFileFast.
    void exportAllPDFFast(DRVWindowController* window);
    // Every page of the window's project but the base template, one PDF page each, behind the
    // progress window, then a save panel named after the project folder. The first paints each
    // page opened in the window (text stays text; the last page stays open); the fast one and
    // putTogetherPDFFiles (named after the edition, no progress) use the pages' saved pictures.
    // Pictures are held to about 150 per inch. A page that cannot be opened stops the walk with an
    // alert naming it; a project of only its base template writes nothing and says so; a file that
    // cannot be written is named in an alert. True when a file was written.
    bool generateTruePDFFile(DRVWindowController* window);
    bool generateTruePDFFileFast(DRVWindowController* window);
    bool putTogetherPDFFiles(DRVWindowController* window);
    // The spot chooser as a window-modal sheet on the window, built from the window's paper
    // controls; a sheet of no cells is refused with an alert. Each opening starts unselected.
    void selectDefaultLabelShapes(DRVWindowController* window);
    // Saves the page first.
    void showPrintSinglePopOver(DRVWindowController* window);
    void exportSingleLabelSheet(DRVWindowController* window);
    void cancelFontOrnamentWindowControllerSheet();
    // "Print Preview": closes the chooser and hands its selected spots to the spot printer
    // (FontOrnamentWindowController::setSpotPrinter).
    void printMultipleSelectedLabels(DRVWindowController* window);
    class FontOrnamentWindowController* fontOrnamentWindowController() const;

    // ---- profile pages: new records, editing ----
    // (window folder: DRVDocument+Profiles.cpp)

    // Records are pages of a project folder, read from and written to their markers.
    // The record's fields in the new-record forms, shown by owner (the pet form in its popover, the
    // human form as a sheet); the base template is no record and is refused with an alert.
    void showUpdatePatientProfileWindow(DRVWindowController* owner);
    void showUpdateHumanPatientProfileWindow(DRVWindowController* owner);
    // Save of the edit forms: the fields into profileDictionary, the page renamed when its name
    // changed ("websiteUpdated" then), saved, and the profile popover shown again.
    bool saveUpdatedPatientProfile();
    bool saveUpdatedHumanPatientProfile();
    void cancelAddNewHumanPatientWindowControllerSheet();
    // The page's tile in the list shows pageOfficialName.
    void updateCurrentPageTitle();
    class AddNewPatientViewController* addNewPatientViewController() const;
    class AddNewHumanPatientViewController* addNewHumanPatientViewController() const;

private:
    struct Observation
    {
        QSet<QString> keys;
    };

    void observedValueChanged(platform::Observable* object, const QString& key, const QVariant& oldValue,
                              const QVariant& newValue) override;
    void observedObjectDestroyed(platform::Observable* object) override;
    void recordGraphicChange(DRVGraphic* graphic, const QString& key, const QVariant& oldValue,
                             const QVariant& newValue);
    void recordPropertyChange(DRVGraphic* graphic, const QString& key, const QVariant& oldValue,
                              const QVariant& newValue);

    QList<DRVGraphic*> m_graphics;
    platform::UndoManager* m_undoManager = nullptr;
    QHash<DRVGraphic*, Observation> m_observations;

    QSet<DRVGraphic*> m_undoGroupInsertedGraphics;
    std::shared_ptr<DRVMapTableOwner> m_undoGroupOldPropertiesPerGraphic;
    QString m_undoGroupPresentablePropertyName;
    bool m_undoGroupHasChangesToMultipleProperties = false;

    DRV_DOCUMENT_PAGE_STATE(DRV_DOCUMENT_PAGE_STATE_MEMBER)

    QColor m_pageColor = QColor(Qt::white);
    QPointer<PageSettingsWindowController> m_pageSettingsWindowController;
    QPointer<FormSettingsWindowController> m_formSettingsWindowController;
    QPointer<DRVWindowController> m_panelOwner;
    // The segments the page dialog showed for the two user settings that may hold other values.
    int m_shownQualitySegment = -1;
    int m_shownMaxSizeSegment = -1;
    int m_shownEncodingSegment = -1;
    int m_docSpecificFixedCanvasFlag = 0;
    int m_docSpecificPageWidth = 0;
    int m_docSpecificPageHeight = 0;

    // publishing one page
    // --
    // The current run, shared with its transfer thread; replaced by the next run.
    struct UploadRun;
    std::shared_ptr<UploadRun> m_uploadRun;
    // Held by pointer: the item type belongs to a later folder.
    std::shared_ptr<QList<UploadItem>> m_uploadItemArray;
    std::shared_ptr<ProgressIndicatorWindowController> m_progressIndicatorWindowController;
    std::shared_ptr<ConnectionLogWindowController> m_connectionLogController;
    static void beginUploadProcess(const std::shared_ptr<UploadRun>& run);
    void uploadStepReceived(const std::shared_ptr<UploadRun>& run, bool uploadResult, const QString& details,
                            qint32 fileCounter);
    bool passesFormCheck();
    bool passesSavedCheck();
    QString uploadConfirmationText() const;

    // publishing the website
    // The window whose page list the website commands use: the main window when it shows this
    // document, else the first that does; nullptr without one.
    DRVWindowController* websiteWindowController() const;
    // --

    // share panel
    QPointer<ShareWindowController> m_shareWindowController;

    // exports
    bool exportNeedsSavedDocument(DRVWindowController* window);
    bool writePageForExport();
    void exportPicture(DRVWindowController* window, const QString& kind);
    // --

    // mail merge
    std::shared_ptr<class ProgressIndicatorWindowController> m_mergeProgressWindow;

    // profile pages
    bool storeProfileEdits(class ProfileFormController* form);
    void finishProfileEdits(const QImage* thumbnail);
    QPointer<QObject> m_addNewPatientViewController;
    QPointer<QObject> m_addNewHumanPatientViewController;
    QPointer<DRVWindowController> m_profileFormOwner;
    // --

    // sharing and previews
    // Points the panel's buttons at the actions above (the PDF book ones stay greyed here).
    void connectShareActions(ShareWindowController* panel);
    // The page's first window, for the exports; nullptr with none.
    DRVWindowController* sharingWindow() const;

    // e-mail sending
    std::shared_ptr<class ReviewMailDataWindowController> m_reviewMailDataWindowController;
    std::shared_ptr<class QTemporaryDir> m_emailRunFolder;
    bool m_mailSendInProgress = false;
    void sendMailFile(const QString& path, const QString& subject);
    void continueAfterPictureHosted();
    // --

    // e-mail image hosting
    struct DropboxRun;
    std::shared_ptr<DropboxRun> m_dropboxRun;
    void restClientUploadedFile(const std::shared_ptr<DropboxRun>& run, const QString& storedPath);
    void restClientLoadedSharableLink(const std::shared_ptr<DropboxRun>& run, const QString& link);
    void restClientFailed(const std::shared_ptr<DropboxRun>& run, const QString& what, const QString& error);
    // --

    // sheets and printing
    QList<QImage> sameLabelSource(DRVWindowController* window);
    bool composeSheetsOf(DRVWindowController* window, bool sameLabel, bool print);
    bool printCardPicks(DRVWindowController* window, int side);
    std::shared_ptr<const class SheetSet> m_printPDFView;
    bool m_sheetJobRunning = false;

    // PDF output
    bool writeProjectPdf(DRVWindowController* window, const QString& kind);
    QPointer<QObject> m_fontOrnamentWindowController;
    // --
};
