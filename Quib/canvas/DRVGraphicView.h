// The page canvas of a document window: shows the graphics of one page over the page colour and
// the grid, with the selection's handles and the marquee. The document owns the graphics and the
// window's selection model the selection; the canvas is bound to both and observes every graphic so
// that only what changed is redrawn. Further operations of the canvas (mouse, keyboard, clipboard,
// commands) live in DRVGraphicView+<Topic>.cpp files. Main thread only.
#pragma once
#include "canvas/DRVGrid.h"
#include "canvas/DRVSelectionModel.h"
#include "canvas/MultiplyViewController.h"
#include "canvas/PrintSettingsWindowController.h"
#include "canvas/QuibPopover.h"
#include "canvas/SectionEditorWindowController.h"
#include "document/DRVDocument.h"
#include "model/DRVGraphic.h"
#include "model/DRVTable.h"
#include "model/TableGridWindowController.h"
#include "platform/Observable.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QDialog>
#include <QHash>
#include <QImage>
#include <QList>
#include <QMetaObject>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVariantMap>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class DRVGalleryGrid;
class DRVImage;
class DRVSlideshow;
class DRVText;
class QMenu;
class QMimeData;
class QDragMoveEvent;
class QuibPopover;
class CropImageDialog;
class GalleryGridEditorWindowController;
class GalleryGridCaptionViewController;
class QLineEdit;
class QPainter;
class QTimer;
class myTextView;
namespace platform {
class UndoManager;
}

// What the canvas needs of the rulers around it to echo a moving or resizing graphic: three lines on
// each (the minimum, middle and maximum edge). The window that owns the rulers implements it.
class DRVRulerEcho
{
public:
    virtual ~DRVRulerEcho() = default;
    virtual bool rulersVisible() const = 0;
    // Moves a line from one location to another; -1 takes a line off the ruler (or adds one).
    virtual void moveRulerlineFromLocation(Qt::Orientation ruler, double from, double to) = 0;
};

class DRVGraphicView : public QWidget
{
    Q_OBJECT
    // View pixels per canvas unit. A host that zooms may set it by name, without knowing this class.
    Q_PROPERTY(double scale READ scale WRITE setScale)

public:
    explicit DRVGraphicView(QWidget* parent = nullptr);
    ~DRVGraphicView() override;

    // How long the handles stay hidden after a nudge.
    static constexpr int kHandleHidingMs = 500;

    // ---- bindings ----
    // The document whose graphics are shown. Binding again first unbinds; nullptr unbinds.
    void bindGraphics(DRVDocument* document);
    void unbindGraphics();
    DRVDocument* graphicsDocument() const { return m_graphicsContainer; }
    void bindSelectionIndexes(DRVSelectionModel* selection);
    void unbindSelectionIndexes();
    DRVSelectionModel* selectionModel() const { return m_selectionIndexesContainer; }
    DRVGrid* grid() const { return m_grid; }
    // The canvas redraws entirely on every change of the grid.
    void setGrid(DRVGrid* grid);

    // ---- graphics and selection ----
    // Front to back; empty when unbound.
    QList<DRVGraphic*> graphics() const;
    // Every insertion, removal and reordering goes through the document, which records undo and
    // tells the canvas. Throws std::logic_error when unbound (a programming error).
    DRVDocument& mutableGraphics() const;
    // Ascending; empty when unbound.
    QList<int> selectionIndexes() const;
    // Throws std::logic_error when unbound (a programming error). Every selection change of the
    // canvas goes through here; selectionChangedFromCanvas follows.
    void changeSelectionIndexes(const QList<int>& indexes);
    QList<DRVGraphic*> selectedGraphics() const;
    // The graphics of one class or its subclasses, front to back.
    template <class T> QList<T*> graphicsWithClass() const
    {
        QList<T*> found;
        for (DRVGraphic* graphic : graphics()) {
            if (T* typed = qobject_cast<T*>(graphic))
                found.append(typed);
        }
        return found;
    }

    // ---- undo and redo ----
    // While collecting, the indexes of graphics inserted or changed are gathered (undo and redo
    // select what they touched). take ends the collection and returns them, ascending.
    void startCollectingUndoSelectionIndexes();
    bool isCollectingUndoSelectionIndexes() const { return m_undoSelectionIndexes.has_value(); }
    QList<int> takeUndoSelectionIndexes();

    // ---- geometry ----
    double scale() const { return m_scale; }
    void setScale(double scale);
    // The page size in canvas units; follows the bound document.
    QSizeF canvasSize() const { return m_canvasSize; }
    void setCanvasSize(const QSizeF& size);
    // The view rectangle that covers a canvas rectangle at the current scale; empty for an empty one.
    QRect viewRectForCanvasRect(const QRectF& rect) const;
    QRectF canvasRectForViewRect(const QRectF& rect) const;
    QPointF canvasPointForViewPoint(QPointF point) const;

    // ---- redrawing ----
    // Marks a canvas rectangle, or the whole view, for redrawing.
    void setNeedsDisplayInRect(const QRectF& canvasRect);
    void setNeedsDisplay();
    // A record of every view rectangle handed to update() while recording is on (tests).
    void setRecordsDirtyRects(bool flag);
    QList<QRect> recordedDirtyRects() const { return m_recordedDirtyRects; }
    void clearRecordedDirtyRects() { m_recordedDirtyRects.clear(); }

    // Draws the page into painter, which is set up in canvas units: the page background over dirty,
    // the grid, the graphics back to front with the handles of the selected ones, the marquee.
    void drawRect(QPainter* painter, const QRectF& dirty);

    // ---- page colour ----
    QColor pageColor() const { return m_pageColor; }
    void setPageColor(const QColor& color) { m_pageColor = color; }
    // Six hex digits, or "CLEAR0" for a page without colour.
    QString pageColorHexString() const { return m_pageColorHexString; }
    void setPageColorHexString(const QString& string) { m_pageColorHexString = string; }
    // A clear page is drawn transparent instead of with the clear-page pattern.
    bool clearBackground() const { return m_clearBackground; }
    void setClearBackground(bool flag) { m_clearBackground = flag; }
    // Graphics are not drawn while set (long page generations).
    bool pauseDrawGraphicFlag() const { return m_pauseDrawGraphicFlag; }
    void setPauseDrawGraphicFlag(bool flag) { m_pauseDrawGraphicFlag = flag; }
    // The 20 × 20 tile that stands for a transparent page.
    static QImage clearGridImage();

    // ---- handles and marquee ----
    bool isHidingHandles() const { return m_isHidingHandles; }
    // For the move loop, which hides the handles while it moves and shows them at the mouse-up.
    void setHidingHandles(bool flag) { m_isHidingHandles = flag; }
    // Hides the selection's handles until kHandleHidingMs after the last call.
    void hideHandlesMomentarily();
    QRectF marqueeSelectionBounds() const { return m_marqueeSelectionBounds; }
    // Redraws where the marquee was and is.
    void setMarqueeSelectionBounds(const QRectF& rect);

    // ---- in-place editing ----
    DRVGraphic* editingGraphic() const { return m_editingGraphic; }
    QWidget* editingView() const { return m_editingView; }
    // Places the graphic's editor over it; a graphic without an editor is not edited. Throws
    // std::logic_error while another edit runs (callers end editing first).
    void startEditingGraphic(DRVGraphic* graphic);
    // Ends in-place editing; does nothing when none runs.
    void stopEditing();

    // ---- mouse (DRVGraphicView+Mouse.cpp) ----
    // Points are canvas points. The front-most graphic under point, or nullptr; for a selected
    // graphic a handle under the point counts before its contents. index, isSelected and handle
    // are written only when a graphic is found.
    DRVGraphic* graphicUnderPoint(QPointF point, int* index = nullptr, bool* isSelected = nullptr,
                                  int* handle = nullptr) const;
    // The graphics a marquee over rect catches: selectable, neither radio button nor checkbox,
    // overlapping with a non-zero area.
    QList<int> indexesOfGraphicsIntersectingRect(const QRectF& rect) const;
    // Marks or unmarks the clicked cell of the one selected table; otherwise unmarks every cell.
    void markSelectedTableCell();
    // A click into an inactive window is a canvas click only when nothing is selected.
    bool acceptsFirstMouse() const { return selectionIndexes().isEmpty(); }
    // The menu of the last right click while it is open (its commands act at lastTouchPoint).
    QMenu* contextMenu() const { return m_contextMenu; }
    // Whether a mouse gesture (move, resize, marquee) is under way.
    bool isTrackingMouse() const { return m_tracking != Tracking::None; }

    // ---- keyboard (DRVGraphicView+Keyboard.cpp) ----
    // Removes the selection through the document as one undo step "Delete".
    void deleteSelection();
    // Adds to the selection the radio button or checkbox of each selected option label.
    void fetchAllPartnerViews();
    // Asks about each selected section that holds objects: delete them with it, or keep the section.
    void checkForSelectedSections();
    // Moves the selection with its groups by exactly (dx, dy) as one undo step "Nudge".
    void moveSelectedGraphicsBy(double dx, double dy);
    // Runs on the right-click menu before it shows (the window translates its titles).
    void setContextMenuHook(std::function<void(QMenu*)> hook) { m_contextMenuHook = std::move(hook); }
    // The rulers that echo moves and resizes (not owned; nullptr for none).
    void setRulerEcho(DRVRulerEcho* echo) { m_rulerEcho = echo; }
    void beginEchoingMoveToRulers(const QRectF& rect);
    void continueEchoingMoveToRulers(const QRectF& rect);
    void stopEchoingMoveToRulers();

    // ---- groups and centring (DRVGraphicView+Sections.cpp) ----
    static bool existInArray(const QList<int>& numbers, int number);
    // The other graphics of graphic's group that take part in groups (texts, images, galleries,
    // tables, slideshows, lines); none for an ungrouped graphic.
    QList<DRVGraphic*> findMatchingGroupObjects(const DRVGraphic* graphic) const;
    bool centerGroupShown() const;
    // Each is one undo step named after the command.
    void centerGroup();
    void centerOnCanvas();
    void centerWithinGroup();
    // Makes room in the cell under point for a new object of rect: the members below move down, and
    // a section that overflows grows, pushing the sections close below it. Returns rect.
    QRectF shiftObjectsInSection(QPointF point, const QRectF& rect);
    // The section grid editor is offered for one selected section.
    bool showSectionEditorFlag() const;

    // ---- insertion (DRVGraphicView+Insertion.cpp) ----
    // Where objects made by a menu command or a picker go: 100 right of and 30 below the visible
    // part's top-left corner, or, with "InsertNewAtEndFlag" set, 30 below the page's lowest object.
    QPointF calculateOriginPoint() const;

    // ---- text factories (DRVGraphicView+TextFactories.cpp) ----
    // The arguments of the text-box factory; the defaults are the values most callers pass.
    struct TextBoxArguments
    {
        QString text;
        QString link;
        QRectF frame;
        int groupNumber = -99;
        QString backgroundColor = QStringLiteral("CLEAR0"); // six hex digits or "CLEAR0"
        QString textColor = QStringLiteral("555555");
        QFont font = QFont(QStringLiteral("Helvetica Neue"), 15);
        int cornerRadius = 0;
        float opacity = 1.0f;
        QString hoverColor;
        QString hoverTextColor;
        QString linkType;
        QString borderStyle = QStringLiteral("none");
        int borderWidth = 0;
        QString borderColor = QStringLiteral("000000");
        QString alignment = QStringLiteral("left"); // "left", "center", "right"; else justified
        QString textType = QStringLiteral("Text");  // or "HTMLSnippet"
        bool buttonLayoutFlag = false;              // read in the responsive layout only

        // A text in a frame with its group and font, every other value the default.
        static TextBoxArguments with(const QString& text, const QRectF& frame, int groupNumber,
                                     const QFont& font)
        {
            TextBoxArguments a;
            a.text = text;
            a.frame = frame;
            a.groupNumber = groupNumber;
            a.font = font;
            return a;
        }
    };
    // The text box's property dictionary (no "className": the factory makes a DRVText itself).
    static QVariantMap textBoxProperties(const TextBoxArguments& arguments);
    // A new text box in front of every other graphic. In the responsive layout it takes the section
    // cell under the frame's origin; with none there it lies outside every section (-99). Factories
    // neither select nor name an undo step: the command that calls them does. Returns the graphic.
    DRVGraphic* addTextBox(const TextBoxArguments& arguments);
    DRVGraphic* addTextBox(const QString& text, const QString& link, const QRectF& frame, int groupNumber,
                           const QString& backgroundColor, const QString& textColor, const QFont& font,
                           int cornerRadius, float opacity, const QString& hoverColor,
                           const QString& hoverTextColor, const QString& linkType,
                           const QString& borderStyle, int borderWidth, const QString& borderColor,
                           const QString& alignment, const QString& textType, bool buttonLayoutFlag);
    static QVariantMap zoomBubbleTextboxProperties(QPointF point, int cornerRadius, const QString& shape,
                                                   int zoomBubbleFlag);
    // A 100 × 100 shape text box (flag 0, grey) or zoom bubble (flag 1, red) at point, in front.
    DRVGraphic* addZoomBubbleTextbox_drag(QPointF point, int cornerRadius, const QString& shape,
                                          int zoomBubbleFlag);
    // A new text's date stamp: "MMM dd yyyy,  EEEE h:mm a" in English, with the calendar year.
    static QString dateStampText(const QDateTime& when);

    // Personalization tags, the address block, the person card and page-link badges. The tag
    // commands place their box from the visible part's corner; each is one undo step.
    DRVGraphic* addPersonalizationTag(const QString& tag, QPointF point);
    void addPerson_FirstName();
    void addPerson_LastName();
    void addPerson_CompanyName();
    void addPerson_Title();
    void addPerson_JobTitle();
    void addPerson_Email();
    void addPerson_Phone();
    void addPerson_Address_Street();
    void addPerson_Address_Country();
    void addPerson_Address_City();
    void addPerson_Address_Zipcode();
    void addPerson_Address_State();
    void addPerson_FullAddress();
    // Card, details and picture as one group, the picture in front.
    void addIndividual_drag(QPointF point);
    // Badge text and picture as one group linking to the product site, the picture in front.
    void addQuibLink_drag(QPointF point);
    // Badges at the default insertion point, each one undo step.
    void addQuibLink();
    void addQuibLink2();
    void addQuibLink3();
    void addQuibLink4();

    // Preset text styles and shapes (gPresetTextViews, gPresetShapes) by index, at the default
    // insertion point, each one undo step; an index outside the list adds nothing.
    void addNewSelectedTextView(int presetIndex);
    void addNewShape(int presetIndex);
    // A text graphic made from a filled text carrier, in front; missing link, family name and form
    // type are filled in on the carrier.
    DRVGraphic* convertTextViewToDRVGraphic(myTextView* carrier);

    // ---- arrange (DRVGraphicView+Arrange.cpp) ----
    // The first selected graphic containing the last touch point; without one, the front-most
    // selected graphic, so that aligning never sends everything to the page's corner.
    DRVGraphic* lastSelectedGraphic() const;
    QList<DRVGraphic*> selectableGraphics() const;
    // Each is one undo step named as the Edit menu shows it.
    void alignLeftEdges();
    void alignRightEdges();
    void alignTopEdges();
    void alignBottomEdges();
    void alignHorizontalCenters();
    void alignVerticalCenters();
    void alignHorizontalSpacing();
    void alignVerticalSpacing();
    void alignWithGrid();
    void makeSameWidth();
    void makeSameHeight();
    void makeSameSize();
    void makeNaturalSize();
    void bringForward();
    void sendBackward();
    void bringToFront();
    void sendToBack();
    void selectAll();
    void deselectAll();
    // ---- the layer list (DRVGraphicView+Layers.cpp) ----
    // Adds the graphic at index to the selection; the selection is extended, never replaced.
    void manuallySelectObject(int index);
    // ---- grouping and locking (DRVGraphicView+Grouping.cpp) ----
    // Groups and locks act on texts, images, slideshows, galleries, tables and lines; scroll
    // locking on the same kinds without lines.
    static bool isGroupableKind(const DRVGraphic* graphic);
    // The page's next group number: one above the highest in use.
    int findNextGroupNumber() const;
    // The bound document's; nullptr when unbound.
    platform::UndoManager* undoManager() const;
    // Sets a graphic's property; where the document does not observe the key for undo, registers
    // the way back itself (which registers the redo in turn).
    static void setValueRecorded(platform::UndoManager* undo, QObject* object, const char* key,
                                 const QVariant& value);

    // ---- style copy and paste, screen width, layer index (DRVGraphicView+Style.cpp) ----
    bool grabCopyStyleShown() const;
    bool applyPasteStyleShown() const;
    bool matchScreenWidthShown() const;
    bool unMatchScreenWidthShown() const;
    // Fills existingZIndex from the front-most selected graphic.
    bool manualLayerIndexShown();
    bool removeManualLayerIndexShown() const;
    void grabCopyStyle();
    void applyPasteStyle();
    void matchScreenWidth();
    void unMatchScreenWidth();
    void removeManualLayerIndex();
    void setScreenWidthMatched(bool matched);

    // ---- command predicates (DRVGraphicView+Predicates.cpp) ----
    bool shouldShowLayerArrangement() const;
    bool shouldShowAlignArrangement() const;
    bool enlargeShown() const;
    bool cropShown() const;
    bool abilityToCopyShown() const;
    bool duplicateShown() const;
    bool tableControlShown() const;
    bool tableMultiControlShown() const;
    bool codeEditorShown() const;
    bool savedTextShown() const;
    bool applyHTMLSnippetFormattingShown() const;
    bool removeHTMLSnippetFormattingShown() const;
    bool addBranchShown() const;
    void applyHTMLSnippetFormattingOption();
    void removeHTMLSnippetFormattingOption();
    void setSnippetFormatting(bool formatted);
    // A plain text editor on the selected snippet's code; Save writes it back as one undo step.
    void showCodeEditor();
    void saveCodeEditor();
    QDialog* codeEditor() const { return m_codeEditor; }
    // The names of every predicate that holds now (some load what their popover will show).
    QStringList holdingPredicates();

    // ---- popovers (DRVGraphicView+Popovers.cpp) ----
    // Trimmed, inner spaces as %20, cut at the first line break.
    static QString normalisedLink(const QString& typed);
    // Load existingTooltip, respectively the link and its show and hide strings.
    bool tooltipShown();
    bool linkShown();
    static QObject* linkCarrier(DRVGraphic* graphic);
    void applyTooltip();
    void applyLayerIndex();
    void applyLinkPopOver();
    // Stores the cleaned link (written back into field) on the selection by kind: a text box and a
    // table's cell take target, type and the show and hide lists too, an image the target, the
    // picture at a linked cell and a slideshow's shown slide the link alone.
    void saveLink(QLineEdit* field, int targetSegment, int typeSegment, const QString& show,
                  const QString& hide, bool setsTarget);
    // The one popover shown, or nullptr.
    QuibPopover* quibPopOver() const { return m_quibPopOver; }
    QuibPopover* openPopover(const QSize& size);
    void showPopoverBesideSelection();
    static bool isScrollLockKind(const DRVGraphic* graphic);
    bool groupShown() const;
    bool ungroupShown() const;
    bool lockShown() const;
    bool unLockShown() const;
    bool scrollShown() const;
    bool unScrollShown() const;
    bool positionSettingsShown() const;
    void groupObjects();
    void unGroupObjects();
    void lockObjects();
    void unLockObjects();
    void scrollLockObjects();
    void unScrollLockObjects();

    // ---- table editing (DRVGraphicView+TableEditing.cpp) ----
    // Each structure edit is one undo step whose undo puts the table back exactly as it was.
    // The table the table commands act on: the one selected table, else the last one found.
    DRVTable* tableForCommand() const;
    // Makes the table's cells match its row and column counts and sizes it.
    void refreshTable();
    // Join the two selected tables into the one further back; the counts across must match.
    void joinTablesVertically();
    void joinTablesHorizontally();
    // back takes in front, which leaves the page; both stay as they were when the counts differ.
    void joinTables(DRVTable* back, DRVTable* front, bool vertically);
    void transformTable();
    // The current cell's column (row) swapped with its neighbour.
    void moveTableRowLeft();
    void moveTableRowRight();
    void moveTableRowUp();
    void moveTableRowDown();
    // At the current cell, the cell under the last touch point.
    void insertTableRow();
    void insertTableColumn();
    void deleteTableRow();
    void deleteTableColumn();
    // The table commands as a submenu of the canvas's right-click menu, when one table is selected.
    void addTableCommands(QMenu* menu);
    // A table of contents rebuilt from the website's pages: a title and a number per titled page.
    void refreshTableOfContents();
    bool shouldDisplayOfTableContents() const;
    // Runs edit on table with undo registration off and records the whole table before and after,
    // so that undo and redo swap the two. Whether edit changed anything.
    bool changeTableRecorded(DRVTable* table, const std::function<bool()>& edit);
    // Registers the way back to before, a copy of table taken earlier (its redo comes back to what
    // table is now).
    void recordTableSnapshot(DRVTable* table, std::shared_ptr<const DRVGraphic> before);

    // ---- table grid dialog (DRVGraphicView+TableGrid.cpp) ----
    // Sizes an editor window to its contents and puts it in the middle of its screen.
    static void centreEditorWindow(QWidget* window);
    // The "Configure Table Grid" window, made on first use and kept; nullptr before.
    TableGridWindowController* tableGridWindowController() const { return m_tableGridWindowController; }
    // Opens the window filled from the table the commands act on. Widths, heights and fixed flags
    // change the table while the window is open; Save applies the rest as one undo step with them,
    // Cancel puts the table back as it was when the window opened.
    void configureTableGrid();
    void saveTableSettings();
    void cancelTableSettings();
    // The table the open window edits.
    DRVTable* tableGridTable() const { return m_tableGridTable; }
    void adjustSameWidthAndHeightForTableSettings();
    void adjustTableColumnWidth();
    void adjustTableRowHeight();
    void updateColumnWidth();
    void updateRowHeight();
    void updateFixedWidth();
    void updateFixedHeight();
    void updateTableSameWidth();
    void updateTableSameHeight();
    void adjustTableSpacing();
    void updateTableNumOfColumns();
    void updateTableNumOfRows();
    // A text field of an editor window changed: the grid window's width and height apply at once.
    void controlTextDidChange(QObject* field);

    // ---- form fields (DRVGraphicView+Forms.cpp) ----
    enum class FormKind { TextField, EmailField, Paragraph, BotCheck, MultipleChoice, Checkboxes, Submit };
    // Puts one form element with its label (a group with its title and four options) at point,
    // each in front, all of one new group and form tag; label or title first. Returns them in the
    // order made. Names no undo step.
    QList<DRVGraphic*> addFormElements(QPointF point, FormKind kind);
    // The menu commands: at the default insertion point, one named undo step each.
    void addFormElementsAtInsertionPoint(FormKind kind, const QString& undoName);
    void addTextField();
    void addEmailTextField();
    void addParagraph();
    void addBotCheckerTextField();
    void addMultipleChoice();
    void addCheckboxes();
    void addSubmitButton();
    // One more option under each selected label of a group.
    void addNewOption(bool radio);
    void addNewMultipleChoiceOption();
    void addNewCheckboxChoiceOption();
    void setSelectedFieldsRequired(bool required);
    void makeFormMandatory();
    void makeFormOptional();
    // The selected text becomes the page's only reply-to field.
    void markAsReplyTo();
    bool showMarkAsReplyTo() const;
    bool showMandatory() const;
    bool showOptional() const;
    bool showCut() const;
    bool enableNewMultipleChoiceOption() const;
    bool enableNewCheckboxChoiceOption() const;
    // Whether some text of graphic's form tag has the form type.
    bool groupHasOptionOfType(const DRVGraphic* graphic, const QString& type) const;
    bool isOriginalTextViewRadio(const DRVGraphic* graphic) const;
    bool isOriginalTextViewCheckbox(const DRVGraphic* graphic) const;
    // The page's next form tag: the highest among its texts (snippets aside) plus 1, at least 1.
    int findNextFormTag() const;
    // The next option number of the group with that tag.
    int findLastOptionTag(int formTag) const;
    // The other text of the same tag and option number: an option's label, a label's option.
    DRVGraphic* findMatchingOption(const DRVGraphic* graphic) const;
    // The title label of graphic's group.
    DRVGraphic* grabRadioLabel(const DRVGraphic* graphic) const;
    bool IsThisMultipleChoiceLabel(const DRVGraphic* graphic) const;

    // ---- lines, arrows and branches (DRVGraphicView+Lines.cpp) ----
    // One line in front of everything; arrows are "1" or "0". Neither snaps nor selects.
    DRVGraphic* addTrueLine(QPointF begin, QPointF end, const QString& colour, const QString& style,
                            int width, const QString& beginArrow, const QString& endArrow, int group);
    // A 200 x 200 diagonal with an arrow at its start, at the default insertion point.
    void addLineStyled(const QString& style);
    void addLine();
    void addLineDashed();
    void addLineDotted();
    void setArrows(const char* key, bool on);
    void drawStartArrow();
    void hideStartArrow();
    void drawEndArrow();
    void hideEndArrow();
    bool showDrawStartArrow() const;
    bool showHideStartArrow() const;
    bool showDrawEndArrow() const;
    bool showHideEndArrow() const;
    bool arrowOptionsShown() const;
    // The branch generator: a popover of its settings beside the selection, or an alert when
    // nothing fits.
    void multiplyNewShapes();
    void showMultipleNewShapeWindow();
    MultiplyViewController* multipleViewController() const { return m_multipleViewController; }
    // The popover's add button: the halo, the lines and the copies around the selected text box.
    void addMultipleShapesSelected();
    // A rectangle twice the size about the same centre, truncated to whole pixels.
    static QRectF generateNewRect(const QRectF& rect);
    static double DegreesToRadians(double degrees);

    // ---- saved texts and snippet sizes (DRVGraphicView+Snippets.cpp) ----
    // Replaces a text box's whole text as a change undo can take back.
    static void replaceTextRecorded(platform::UndoManager* undo, DRVText* snippet, const QString& text);
    // The saved-text window's Choose: the selected plain text box gets a line break and the saved
    // text after its own, as one undo step.
    void pullFromSavedText(const QString& savedText);
    // Not on responsive pages; otherwise one selected HTML snippet, which becomes the target.
    bool showAutoAdjustSnippetSize();
    // Gives the snippet's width and height attributes the graphic's size, as one undo step.
    void autoAdjustSnippetSize();
    // The text with the value of every width and height attribute of its tags replaced, quotes
    // kept; unchanged unless it has both. Attribute values and text between tags are never read
    // as attributes, so "max-width" and a closing tag stay as they are.
    static QString resizedSnippetText(const QString& text, int width, int height);

    // ---- section grid editor (DRVGraphicView+SectionGrid.cpp) ----
    // Opens the editor for the selected section: a tile per column at half its width.
    void configureSectionWindowController();
    // Save: the column count, then each column's width (twice its tile) and spans, as one undo
    // step; the section's members are fitted to their cells again.
    void saveSectionEditorWindowController();
    void hideSectionEditorWindowController();
    SectionEditorWindowController* sectionEditorWindowController() const
    {
        return m_sectionEditorWindowController;
    }

    // ---- print settings (DRVGraphicView+PrintSettings.cpp) ----
    // Opens the window with the first free label's row and column (below 1 shown as 1).
    void launchPrintSettings();
    // Save: stores both values as typed and closes the window.
    void savePrintSettings();
    PrintSettingsWindowController* printSettingsWindowController() const
    {
        return m_printSettingsWindowController;
    }

    // The action of a submenu's own entry, which validation only shows or hides.
    void submenuOptions() {}

    // The canvas commands the menus reach, by action name.
    using Command = std::function<void(DRVGraphicView&)>;
    static const QHash<QString, Command>& menuCommands();
    // commands and one for each component library item, made at the default insertion point.
    static QHash<QString, Command> withInsertCommands(QHash<QString, Command> commands);

    // ---- table factories (DRVGraphicView+TableFactories.cpp) ----
    // Every factory inserts its graphic through the document as one undo step named for the object,
    // leaves the selection alone, and does nothing while the canvas is unbound. On a responsive page
    // a graphic with no section cell under its origin goes in outside any section (-99).
    // A cell with the look every new table cell starts from; no spot, size or section yet.
    static myTextView* createNewTableCell();
    // The look factory cells share: opaque, no shadow, the text colour on no background, a plain
    // shape link outside any form, a border line of 1 in black.
    static void setNewCellLook(myTextView* cell, const QString& textColour, const QString& borderLine);
    // Four cells 200 x 100 at point (responsive: across the section cell under it).
    void addTable_drag(QPointF point);
    // The same at the default insertion point.
    void addTable();
    // One row whose column widths follow the spans (Bootstrap units) over the page width, at most
    // 1000 wide; a sum of spans that is not above 0 makes nothing.
    void addTable_Responsive(const QStringList& spans, int count, QPointF point);
    // A new table rebuilt from every property of source, with a fresh section number, new names for
    // its pictures (their files copied beside the page) and, for a section pasted section-aware, its
    // top at targetY; source records how far the copy lies above it. Inserted at the front and
    // returned; nullptr while unbound.
    // sourcePagePath: the page whose folder holds source's picture files (empty: this page).
    DRVTable* duplicateTable(DRVTable* source, int targetY, const QString& sourcePagePath = QString());
    // The names of every picture of the page: images, slides, gallery and table pictures.
    QStringList imageNamesInUse() const;

    // ---- pictures (DRVGraphicView+Images.cpp) ----
    // The arguments of the image factory; the defaults are those of a plain picture.
    struct ImageArguments
    {
        QImage image;
        QString type = QStringLiteral("PNG"); // "JPG" or "PNG"
        QPointF point;                        // the section cell lookup in the responsive layout
        bool keepOriginal = true;             // bundle pictures need no original beside the page
        QString link;
        QSize pixelSize;
        int groupNumber = -99;
        QSizeF shapeSize; // only its proportion counts
        int enlarge = 0;
        QString borderStyle = QStringLiteral("none");
        QString borderColour = QStringLiteral("FFFFFF");
        int borderWidth = 0;
        int shadow = 0;
        int bubble = 0;
        QString bubbleShape;
        QRectF frame;
    };
    // A named image graphic in front of all others, its original written beside the page; in the
    // responsive layout it spans the section cell under the point, centred by its padding.
    // nullptr while unbound or for an empty picture.
    DRVGraphic* addImageIntoArray(const ImageArguments& arguments);
    // "image" + one past the highest number in use on the page or in its image folder.
    QString getNextImageName() const;
    // The folder beside the page that holds its picture files; empty for a page never saved.
    QString pageImageFolder() const;
    // Picture files chosen in an open panel, side by side 20 apart from the insertion point, as
    // one undo step; files that are no readable picture are named in one alert.
    void addNewImage();
    // The same at point.
    void addNewImage_drag(QPointF point);
    // The chosen files each at origin() + 20 per picture already added; shapeIsDisplayed gives the
    // responsive fitting the capped size in place of the pixel size.
    void addPictureFiles(const std::function<QPointF()>& origin, bool shapeIsDisplayed);
    struct ChosenPicture
    {
        QString path;
        QImage image;
    };
    // The pictures of the files chosen in an open panel, in its order; the files that are no
    // readable picture are named in one alert.
    static QList<ChosenPicture> chooseReadablePictures(const QString& prompt, const QString& title,
                                                       const QStringList& extensions, bool several);

    // The picture a zoom bubble lies over: the first image behind it whose bounds meet its bounds,
    // or a gallery's picture under the last touch point; a null picture when there is none.
    struct PictureUnder
    {
        QImage picture;
        QRectF bounds; // the area the picture covers on the canvas
    };
    PictureUnder grabImageUnderneath(const DRVGraphic* bubble) const;
    // One zoom bubble selected over a picture.
    bool shouldShowCreateZoomBubble() const;
    // The area under the selected zoom bubble, three times enlarged, as a framed picture in front
    // with its top-left corner on the bubble's, clipped to the bubble's shape when round.
    void createZoomBubble();
    DRVGraphic* generateZoomBubble(int round, const QString& shapeName);
    // The picture commands of the canvas's context menu: zoom bubbles and slideshows.
    void addPictureCommands(QMenu* menu);

    // The picture files slides and gallery pictures are made from, and the type of one: "PNG" for
    // the extension png or PNG, else "JPG".
    static QStringList pictureFileExtensions();
    static QString pictureFileType(const QString& path);
    // A named carrier of the picture for container, its original written beside the page; in no
    // group, table or slideshow, not enlarged, retina as the user default says.
    TransformView* newPictureCarrier(const ChosenPicture& chosen, QObject* container) const;

    // The pages of a chosen PDF file as pictures, the last page at point and each earlier page 50
    // to the right of and in front of the next, as one undo step. A file that cannot be read gives
    // one alert and changes nothing; a long file is rendered off the GUI thread.
    void addNewPDF_drag(QPointF point);
    // The pages rendered, first to last; empty when the file cannot be read. Safe on any thread.
    static QList<QImage> renderPdfPages(const QString& path);
    // The same, telling the progress window of each page (from any thread) when reportProgress.
    static QList<QImage> renderPages(const QString& path, bool reportProgress);
    void insertPdfPages(const QList<QImage>& pages, QPointF point);
    static void alertUnreadablePdf(const QString& path);
    // Rendering waiting to be inserted; false once every import has ended.
    bool isImportingPdf() const { return m_pdfImportsRunning > 0; }

    // Click to enlarge on every selected image, with the backdrop of the enlarged view: 0 light,
    // 1 dark, 2 clear. Other selected graphics are left alone; each command is one undo step.
    void setClickToEnlarge(int backdrop);
    void setClickToEnlargeLight() { setClickToEnlarge(0); }
    void setClickToEnlargeDark() { setClickToEnlarge(1); }
    void setClickToEnlargeClear() { setClickToEnlarge(2); }
    void disableClickToEnlarge();
    // The one selected image already enlarges on a click.
    bool isItAlreadyEnlarged() const;
    // The menu item that is titled by isItAlreadyEnlarged: it takes the enlargement away, or gives
    // it with the clear backdrop of new pictures.
    void toggleClickToEnlarge();

    // ---- galleries (DRVGraphicView+Galleries.cpp) ----
    // A new gallery at point, in front: 500 x 200 of 4 columns and 1 row; the enlargeable photo is
    // one 100 x 150 spot. In the responsive layout as wide as the section cell under point.
    DRVGraphic* addImageGallery_drag(QPointF point);
    DRVGraphic* addEnlargeablePhoto_drag(QPointF point);
    // A gallery at the default insertion point, as one undo step.
    void addImageGallery();
    static QVariantMap galleryProperties(const QRectF& frame, int columns, int rows, int padding, int shadow,
                                         int backdrop);
    // The commands act on the one selected gallery at the last touch point; each is one undo step.
    DRVGalleryGrid* selectedGalleryGrid() const;
    TransformView* touchedGalleryImage() const;
    // Pictures from the chosen files into the spot under the touch point and the spots after it,
    // row by row; files beyond the last spot are left out. Nothing when the point is in no spot.
    void addGalleryImage();
    // One chosen picture in place of the touched one, under a new name.
    void replaceGalleryImage();
    // Places the pictures from the touched spot on, each replacing the one at its spot; returns
    // how many were placed (0 when the touch point is in no spot). The caller holds the undo step.
    int proceedsToAddGalleryImages(DRVGalleryGrid* gallery, const QList<ChosenPicture>& pictures);
    // Removes the picture under the touch point.
    void deleteGalleryImage();
    // Swaps the touched picture with its neighbour (or moves it onto an empty spot).
    void moveImageUp() { moveGalleryImage(-1, 0); }
    void moveImageDown() { moveGalleryImage(1, 0); }
    void moveImageLeft() { moveGalleryImage(0, -1); }
    void moveImageRight() { moveGalleryImage(0, 1); }
    bool moveImageUpShown() const { return moveGalleryImageShown(-1, 0); }
    bool moveImageDownShown() const { return moveGalleryImageShown(1, 0); }
    bool moveImageLeftShown() const { return moveGalleryImageShown(0, -1); }
    bool moveImageRightShown() const { return moveGalleryImageShown(0, 1); }
    void moveGalleryImage(int rows, int columns);
    bool moveGalleryImageShown(int rows, int columns) const;
    // The gallery dialog for the selected gallery: counts, spacing, shadow and backdrop reach the
    // gallery as they change (counts at least 1); Save applies the typed spacing and drops the
    // pictures outside the grid.
    void configureGalleryGrid();
    GalleryGridEditorWindowController* galleryGridEditorWindowController();
    void saveGallerySettings();
    void refreshGalleryImage(DRVGalleryGrid* gallery);
    // The caption and link popover of the touched picture; Save stores both.
    void configureGalleryImageCaption();
    void saveGalleryCaptions();
    GalleryGridCaptionViewController* galleryGridCaptionViewController() const;
    // The gallery, table picture and table background commands of a context menu.
    void addGalleryCommands(QMenu* menu);
    // Pictures into the cells of the one selected table from the touched cell on (editions that
    // place pictures in cells), and the touched cell's picture removed; each one undo step.
    DRVTable* selectedPictureTable() const;
    void addGalleryImageToTable();
    void deleteTableImage();
    // A chosen picture, scaled to the table's width, as the background of the table the last cell
    // look-up found (else the one selected table); one undo step.
    void addSectionBackgroundImage();
    // The page's background picture, for a background dropped outside every section.
    void newBackground();

    // ---- replacing and cropping a picture (DRVGraphicView+Images.cpp) ----
    // The one selected image, or nullptr.
    DRVImage* selectedImage() const;
    // A chosen picture in place of the selected image's (typed "PNG" for a png extension in any
    // case), as one undo step.
    void launchReplaceImage();
    // The picture in place of image's, keeping the box's origin and width (a box of no width takes
    // the inserted width), its original rewritten; one undo step that puts the old picture and
    // original file back.
    void replaceImage(DRVImage* image, const QImage& picture, const QString& type);
    static QRectF replacedImageBounds(const QRectF& bounds, QSize pictureSize);
    // The crop sheet of the selected image; Crop replaces the picture with the part kept.
    void launchCropImagePanel();
    CropImageDialog* cropDialog() const;

    // ---- slideshows (DRVGraphicView+Slideshows.cpp) ----
    // The commands act on the one selected slideshow; each change of its slides is one undo step.
    // Appends a slide per chosen picture file and shows the last.
    void addSlideshowImage();
    // Replaces the shown slide with a chosen picture.
    void replaceSlide();
    // Removes the shown slide; the shown index stays in range.
    void deleteSlide();
    // Switches automatic advance of the published slideshow.
    void automateSlideShow();
    // A replacement slide of the picture, its original written beside the page; inserts nothing.
    TransformView* createNewSlideshowImage(const QImage& image, const QString& type);
    bool slideShowOptionsShown() const;
    bool slideShowImageEditingOptionsShown() const;
    // The slideshow commands of a context menu, when one slideshow is selected.
    void addSlideshowCommands(QMenu* menu);
    // The displayed size of a picture: no wider than the edition's widest inserted picture.
    static QSize cappedImageSize(QSize pixelSize);

    // ---- slideshow and snippet factories (DRVGraphicView+SlideshowFactories.cpp) ----
    // An empty slideshow 500 x 300 at point; in the responsive layout as wide as the section cell
    // under point and 200 high, in that cell.
    DRVGraphic* addSlideshow_drag(QPointF point);
    // A slideshow at the default insertion point holding the pictures chosen in an open panel
    // (none when it is cancelled), as one undo step.
    void addSlideshow();
    // A code box of html at frame; it takes no section in any edition.
    DRVGraphic* addSnippet_drag(const QString& html, const QRectF& frame);
    // The snippets at the default insertion point, each one undo step; the buy button then shows
    // its note.
    void addYouTubeHTMLSnippet();
    void addPaypalSnippet();
    void addNewHTMLSnippet();
    static QVariantMap slideshowProperties(const QRectF& bounds);
    static QVariantMap snippetProperties(const QString& html, const QRectF& frame);
    static QString videoSnippetHTML();
    static QString buyButtonSnippetHTML();
    static QString freeSnippetHTML();
    // The modal note on other buy-button styles, answered with "OK".
    static void showBuyButtonNote();

    // ---- component factories (DRVGraphicView+ComponentFactories.cpp) ----
    // A page of the open website project as the site map and the table of contents list it.
    struct SitePage
    {
        QString pageTitle;
        QString pagePublishFileName;
    };
    // Where the page list comes from; the window that lists the project's pages installs it.
    using SitePagesSource = std::function<QList<SitePage>()>;
    void setSitePagesSource(SitePagesSource source) { m_sitePagesSource = std::move(source); }
    // The project's pages, or the open page alone when no project lists any.
    QList<SitePage> sitePages() const;
    // A section of one row, its columns spanning spans (twelfths of the section width), appended
    // behind everything with the next section number; the sections at and below it move down.
    void addSection(const QStringList& spans, int count, QPointF point);
    void addSectionTemplate(int count, QPointF point);
    void addNavbar(QPointF point);
    void addNavbar_centered(QPointF point);
    void addNavbar_Fixed(QPointF point);
    void addNavbar_Fixed_Centered(QPointF point);
    void addDropdownmenu(QPointF point);
    void addTextCarousel(QPointF point);
    void addCollapsibleTextPanel(QPointF point);
    void addCollapsibleImagePanel(QPointF point);
    void addPhoto_Hover_Caption(QPointF point);
    void addTable_Strip(QPointF point);
    void addTable_Strip2(QPointF point);
    void addTable_multiColumnWidth_drag(QPointF point);
    // One row per titled page; each row's number is the page's place in the whole list.
    void addTableOfContents(QPointF point);
    // A cell per page, in one row (horizontal) or one column, near the visible corner.
    void addTableOfSitemap(bool horizontal, const QList<SitePage>& pages);
    void addTableOfSitemapHorizontal();
    void addTableOfSitemapVertical();
    // The objects-palette items these factories make, by library key: title and factory at a point.
    struct LibraryItem
    {
        QString key;
        QString title;
        std::function<void(DRVGraphicView&, QPointF)> make;
    };
    static const QList<LibraryItem>& componentLibraryItems();
    // The Insert menu's action for an item: its library key and a colon.
    static QString libraryItemAction(const QString& key) { return key + u':'; }
    // Makes the item of key at point; false for a key that is not one of these.
    bool addLibraryItem(const QString& key, QPointF point);

    // ---- library item keys (DRVGraphicView+LibraryKeys.cpp) ----
    // What a drop hands the key factories: the (snapped) drop point, the zoom and the markup line
    // width, max(2 / zoom, 1) truncated.
    struct LibraryDrop
    {
        QPointF point;
        double zoom = 1.0;
        int lineWidth = 2;
    };
    LibraryDrop libraryDropAt(QPointF point) const;
    enum class LibraryKeyResult { NotAKey, Ends, Continues };
    // Makes the palette item of key (matched whole and case-sensitively); a drop of several entries
    // goes on after Continues only.
    LibraryKeyResult addLibraryKeyItem(const QString& key, const LibraryDrop& drop);
    static QStringList libraryKeys();

    // ---- drag and drop (DRVGraphicView+DragAndDrop.cpp) ----
    // Copy where the drag may drop at point (canvas coordinates), else IgnoreAction: a colour over
    // a graphic; a palette key or local files (in the responsive layout only on a free spot of a
    // section's content, section items anywhere); image data. Promised files are refused.
    Qt::DropAction dragOperationForMimeData(const QMimeData* data, QPointF point);
    // Checks the drag again and carries it out at point: see dragOperationForMimeData.
    void performDrop(const QMimeData* data, QPointF point);
    // "PNG" for .png and .gif in any case, else "JPG".
    static QString imageTypeForPath(const QString& path);
    // The pixel size, narrowed to the edition's inserted-image width (600 when unset).
    static QSizeF insertedImageFrameSize(QSize pixels);
    // A picture to add: from a file (path) or from image data (image).
    struct ImageImport
    {
        QString path;
        QImage image;
        QString imageType;
        QSize pixelSize;
        QRectF frame;
        bool fromFile = false;
    };
    // Adds the picture; false when it was not added. Without one installed the canvas's own
    // picture factory adds it.
    using ImageImporter = std::function<bool(DRVGraphicView&, const ImageImport&)>;
    void setImageImporter(ImageImporter importer) { m_imageImporter = std::move(importer); }
    // False for a file that is no readable image by its extension and contents.
    bool makeNewImageFromContentsOfFile(const QString& path, QPointF point);
    bool makeNewImageFromMimeData(const QMimeData* data);

    // ---- state kept for the other canvas operations ----
    QPointF lastTouchPoint() const { return m_lastTouchPoint; }
    void setLastTouchPoint(QPointF point) { m_lastTouchPoint = point; }
    QString tempPagePath() const { return m_tempPagePath; }
    void setTempPagePath(const QString& path) { m_tempPagePath = path; }
    QString tempImagePath() const { return m_tempImagePath; }
    void setTempImagePath(const QString& path) { m_tempImagePath = path; }
    QRectF rulerEchoedBounds() const { return m_rulerEchoedBounds; }
    void setRulerEchoedBounds(const QRectF& rect) { m_rulerEchoedBounds = rect; }
    QRectF editingViewFrame() const { return m_editingViewFrame; }
    void setEditingViewFrame(const QRectF& rect) { m_editingViewFrame = rect; }
    double oldReservedThicknessForRulerAccessoryView() const
    {
        return m_oldReservedThicknessForRulerAccessoryView;
    }
    void setOldReservedThicknessForRulerAccessoryView(double value)
    {
        m_oldReservedThicknessForRulerAccessoryView = value;
    }
    qint64 pasteboardChangeCount() const { return m_pasteboardChangeCount; }
    void setPasteboardChangeCount(qint64 value) { m_pasteboardChangeCount = value; }
    qint64 pasteCascadeNumber() const { return m_pasteCascadeNumber; }
    void setPasteCascadeNumber(qint64 value) { m_pasteCascadeNumber = value; }
    QPointF pasteCascadeDelta() const { return m_pasteCascadeDelta; }
    void setPasteCascadeDelta(QPointF delta) { m_pasteCascadeDelta = delta; }
    QString existingHyperLink() const { return m_existingHyperLink; }
    void setExistingHyperLink(const QString& value) { m_existingHyperLink = value; }
    QString existingOnClickShowString() const { return m_existingOnClickShowString; }
    void setExistingOnClickShowString(const QString& value) { m_existingOnClickShowString = value; }
    QString existingOnClickHideString() const { return m_existingOnClickHideString; }
    void setExistingOnClickHideString(const QString& value) { m_existingOnClickHideString = value; }
    QString existingTooltip() const { return m_existingTooltip; }
    void setExistingTooltip(const QString& value) { m_existingTooltip = value; }
    QString existingZIndex() const { return m_existingZIndex; }
    void setExistingZIndex(const QString& value) { m_existingZIndex = value; }

    // ---- clipboard (DRVGraphicView+Clipboard.cpp) ----
    // Writes the selection to the system clipboard: the graphics in the project's own format with
    // the token of this copy (tables whole, with their cells and their pictures' files, so another
    // running instance can paste them), plus plain text, HTML, PNG, TIFF and PDF for other
    // applications; tables are also recorded for a paste in this process. A selection with a
    // slideshow is refused with an alert and changes nothing. Returns whether the clipboard was
    // written.
    bool copy();
    // Copies, and deletes the selection only when the copy was written.
    void cut();
    // Pastes the clipboard (one undo step "Paste"): copied sections first (the recorded ones while
    // the clipboard still holds this process's copy, else those the clipboard carries), then the
    // graphics, offset 10 more per paste of the same copy.
    void paste();
    // Duplicates the first selected table alone, or copies and pastes the selection.
    void duplicate();
    static QList<DRVGraphic*> removeTablesFromArray(const QList<DRVGraphic*>& graphics);
    // The distance the copied section with that number was moved by its paste; 0 for none.
    static int checkForInterimSectionTranslateY(int sectionNumber);
    // The token of the copy the clipboard holds now; 0 when it holds none of this process.
    static qint64 clipboardCopyToken();

private:
    // Inserts the graphics of clipboard data with the recorded tables (cascade, section placement,
    // picture renaming); returns what went in.
    // Picture files are taken from the folder of sourcePagePath.
    QList<DRVGraphic*> pasteGraphics(const QByteArray& bytes, qint64 token, const QList<DRVTable*>& copiedTables,
                                     int sectionCount, const QString& sourcePagePath);

public:

    // ---- sections, cells and hit tests (DRVGraphicView+Sections.cpp) ----
    // Sections are tables of grid type "section" or "sectionTemplate"; a graphic belongs to the
    // section whose number it carries, and to the cell of its row and column. Scans run in graphics
    // order (front first). Rectangles that only touch do not intersect.
    // The members of a section (none unless it is a section); each is marked as moving with its
    // section unless it is selected.
    QList<DRVGraphic*> findObjectsInSection(DRVGraphic* section);
    QList<DRVGraphic*> findObjectsInSectionCell(const myTextView* cell) const;
    bool isThereGraphicAtRect_includingSection(const QRectF& rect) const;
    // Graphics other than sections only.
    bool isThereGraphicAtRect(const QRectF& rect) const;
    bool isThereGraphicAtPoint(QPointF point) const;
    // Whether graphic placed at rect would overlap another graphic of its own sort (sections with
    // sections, other graphics with other graphics).
    bool isThereGraphicAtNewLocation(const DRVGraphic* graphic, const QRectF& rect) const;
    // Moves the section under rect, and every section below rect's top, down so that the first one
    // starts at rect's bottom (ByOnePixel: at rect's top), each with its members.
    void identifyAndPushSectionsDownward(const QRectF& rect);
    void identifyAndPushSectionsDownwardByOnePixel(const QRectF& rect);
    void identifyAndPushSectionsDownwardByDifference(const QRectF& rect);
    void pushSectionObjectsDown(int sectionNumber, int distance);
    DRVGraphic* grabBottomMostObjectInSection(DRVGraphic* section);
    DRVGraphic* grabTopMostObjectInSection(DRVGraphic* section);
    // rect moved to the x and width of the cell under point (at point's y), else rect unchanged.
    QRectF grabSectionRect(QPointF point, const QRectF& rect);
    // Gives graphic the section and cell under point; nullptr (graphic unchanged) when none.
    DRVGraphic* applySection(QPointF point, DRVGraphic* graphic);
    // Fits the section's members to the x and width of their cells.
    void reAlignSectionObjects(DRVGraphic* section);
    // A graphic moved into another section takes its number and cell, and that section is
    // re-aligned; within its own section it keeps its cell. Returns the graphic.
    DRVGraphic* isObjectStillInSameSectionGrid(QPointF point, DRVGraphic* graphic);
    // The "section" table (not "sectionTemplate") with that number, or nullptr.
    DRVTable* grabMySection(int sectionNumber) const;
    // The section intersecting rect with the smallest top, or nullptr.
    DRVGraphic* grabOverLappingSection(const QRectF& rect);
    // The cell under point (responsive pages: inside the section's top and bottom spacing), and its
    // section becomes the selected table; the zero rectangle when there is none.
    QRectF grabOverLappingSectionCell(QPointF point);
    myTextView* grabOverLappingSectionCellView(QPointF point);
    int findNextSectionNumber() const;
    // The table the last cell look-up found.
    DRVTable* selectedTable() const { return m_selectedTable; }
    void setSelectedTable(DRVTable* table) { m_selectedTable = table; }
    bool doesSelectedTableContainBackgroundPattern() const;
    void removeTableBackgroundImage();
    // Puts every radio button and checkbox back beside its label.
    void reAlignFormOptions();

    QSize sizeHint() const override;

signals:
    // After the canvas changed the selection: the window refreshes its inspector for it.
    void selectionChangedFromCanvas();

public slots:
    // Shows the handles again after hideHandlesMomentarily.
    void unhideHandlesForTimer();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void graphicsArrayChanged(platform::ArrayChange kind, const QList<int>& indexes,
                              const QVariantList& oldObjects);
    void graphicValueChanged(DRVGraphic* graphic, const QString& key, const QVariant& oldValue,
                             const QVariant& newValue);
    void selectionValueChanged(const QVariant& oldValue, const QVariant& newValue);
    void documentValueChanged(const QString& key);
    void noteUndoSelectionIndex(int index);
    void redrawSelectedGraphics();
    void refreshTempPagePath();
    void updateViewSize();

    // Bindings and observation.
    QPointer<DRVDocument> m_graphicsContainer;
    QMetaObject::Connection m_graphicsArrayConnection;
    QMetaObject::Connection m_documentValueConnection;
    // The drawing bounds and contents of the page's graphics, as the document passes them on.
    QMetaObject::Connection m_graphicValuesConnection;
    QPointer<DRVSelectionModel> m_selectionIndexesContainer;
    QMetaObject::Connection m_selectionConnection;
    QPointer<DRVGrid> m_grid;
    QMetaObject::Connection m_gridConnection;

    // One mouse gesture from press to release.
    enum class Tracking { None, Move, Resize, Marquee, Swallow };
    void mouseDown(QMouseEvent* event, bool doubleClick);
    void autoscroll(QPointF viewPoint);
    void selectAndTrackMouse(QPointF point, Qt::KeyboardModifiers modifiers);
    void trackMouseTo(QPointF point);
    void endMouseTracking();
    // One undo step of the canvas's own document, named (from "UndoStrings") at its end; a step
    // that changed nothing leaves nothing and renames nothing.
    void beginUndoStep();
    void endUndoStep(const QString& actionName);
    QList<DRVGraphic*> graphicsMovingWith(const QList<DRVGraphic*>& selected) const;
    // Shifts the selection left by offset pixels as one named undo step.
    void shiftSelectionLeft(int offset, const QString& actionName);
    static QList<double> rulerLines(const QRectF& rect, Qt::Orientation ruler);
    Tracking m_tracking = Tracking::None;
    QPointF m_trackLastPoint;
    QPointF m_trackStartPoint;
    QPointF m_grabOffset;
    QRectF m_trackStartBounds;
    QList<QPointer<DRVGraphic>> m_trackedGraphics;
    bool m_trackMoving = false;
    bool m_trackMoved = false;
    int m_trackHandle = 0;
    QList<int> m_marqueeStartSelection;
    QPointer<platform::UndoManager> m_undoStepManager;
    DRVRulerEcho* m_rulerEcho = nullptr;
    std::function<void(QMenu*)> m_contextMenuHook;
    QPointer<QMenu> m_contextMenu;
    int m_pdfImportsRunning = 0; // PDF files still rendering off the GUI thread
    bool m_echoingRulers = false;

    DRVTable* sectionWithCellAt(QPointF point, int* row, int* column, int from = 0) const;
    void pushSectionsDownward(const QRectF& rect, bool toRectTop);

    // Text factories: a factory's graphic in front, fitted to the section cell under sectionPoint
    // when given in the responsive layout; outside every section (-99) when no cell lies there.
    DRVGraphic* insertNewGraphic(DRVGraphic* graphic, std::optional<QPointF> sectionPoint);
    // A gallery of settings at point (size, or the section cell's width in the responsive layout).
    DRVGraphic* insertGallery(QPointF point, const QSizeF& size, const QVariantMap& settings);
    QPoint touchedSpotPoint() const;
    void setBackgroundRecorded(const QImage& picture, const QString& type);
    void addTablePictureCommands(QMenu* menu);
    // The table's cell pictures and background set, recorded so that undo puts back the old ones
    // (kept alive by the canvas meanwhile).
    void setTablePicturesRecorded(DRVTable* table, const QList<TransformView*>& pictures, TransformView* background);
    void setPictureRecorded(DRVImage* image, const QImage& picture, const QString& type, const QRectF& bounds);
    // Runs a factory as one undo step of the user's command, named from "UndoStrings".
    void runInsertCommand(const QString& actionName, const std::function<void()>& factory);
    // Appends a slide per picture to slideshow, recorded for undo; the caller holds the undo step.
    void appendSlides(DRVSlideshow* slideshow, const QList<ChosenPicture>& pictures);
    void addSnippetAtInsertionPoint(const QString& html, QSizeF size);
    // The visible part's top-left corner (the page's origin outside a window).
    QPointF visibleOrigin() const;
    void addTagAtVisibleOrigin(const QString& tag);
    void addQuibLinkAtInsertionPoint(const QString& text, int width);
    void addBadge(const QString& text, int width, QPointF point);
    // A bundle picture as an image graphic at frame (no original file is kept for it).
    DRVGraphic* addBundlePicture(const QString& name, const QRectF& frame, int groupNumber,
                                 const QString& link, QSizeF shapeSize);

    QPointer<DRVTable> m_selectedTable;
    void answerDrag(QDragMoveEvent* event);
    bool importImage(const ImageImport& request);
    ImageImporter m_imageImporter;
    // One undo step named for the object: what build makes (nullptr: nothing) goes in at the
    // front, or at the back; a responsive table that lies in no section cell keeps section -99.
    DRVTable* insertNewTable(const QString& undoName, const std::function<DRVTable*()>& build,
                             bool atBack = false);
    DRVTable* fitIntoSection(QPointF origin, DRVTable* table);
    // A one-column panel of size at the page's origin (responsive: across the section cell under
    // point); style gives each row's cell its text and height.
    DRVTable* insertPanel(const QString& undoName, const QString& gridType, int rows, QSizeF size, QPointF point,
                          const QString& alignment, const std::function<void(myTextView*, int, QSizeF)>& style);
    void insertStrip(bool dark, QPointF point);
    SitePagesSource m_sitePagesSource;
    QRectF m_rulerEchoedBounds;
    QPointer<DRVGraphic> m_editingGraphic;
    QPointer<QWidget> m_editingView;
    QRectF m_editingViewFrame;
    double m_oldReservedThicknessForRulerAccessoryView = 0;
    QRectF m_marqueeSelectionBounds;
    bool m_isHidingHandles = false;
    platform::ClockTimer* m_handleShowingTimer = nullptr;
    qint64 m_pasteboardChangeCount = -1;
    qint64 m_pasteCascadeNumber = 0;
    QPointF m_pasteCascadeDelta{10, 10};
    std::optional<QList<int>> m_undoSelectionIndexes;
    QColor m_pageColor = QColor(Qt::white);
    QString m_pageColorHexString;

    QPointF m_lastTouchPoint;
    QString m_tempPagePath;
    QString m_tempImagePath;
    bool m_clearBackground = false;
    bool m_pauseDrawGraphicFlag = false;
    QString m_existingHyperLink;
    QString m_existingOnClickShowString;
    QString m_existingOnClickHideString;
    QString m_existingTooltip;
    QString m_existingZIndex;
    // Whose look Paste Style gives; read at the time of the paste.
    QPointer<DRVGraphic> m_styleTextbox;
    QPointer<DRVTable> m_styleTable;
    QPointer<QuibPopover> m_quibPopOver;
    // Pictures: the crop sheet, the gallery dialog and the gallery it shows, the caption popover.
    QPointer<CropImageDialog> m_cropDialog;
    QPointer<GalleryGridEditorWindowController> m_galleryGridEditorWindowController;
    QPointer<DRVGalleryGrid> m_galleryInDialog;
    QPointer<GalleryGridCaptionViewController> m_galleryGridCaptionViewController;
    QPointer<QDialog> m_codeEditor;
    QPointer<DRVGraphic> m_selectedSnippet; // a DRVText
    QPointer<TableGridWindowController> m_tableGridWindowController;
    QPointer<MultiplyViewController> m_multipleViewController;
    QPointer<SectionEditorWindowController> m_sectionEditorWindowController;
    QPointer<PrintSettingsWindowController> m_printSettingsWindowController;
    QPointer<DRVTable> m_sectionEditorTable;
    QPointer<DRVTable> m_tableGridTable;
    std::shared_ptr<const DRVGraphic> m_tableGridSnapshot;

    double m_scale = 1.0;
    QSizeF m_canvasSize;
    bool m_recordsDirtyRects = false;
    QList<QRect> m_recordedDirtyRects;
};
