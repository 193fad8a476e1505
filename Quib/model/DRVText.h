// The text box of the page: plain text boxes, headings, table cells drawn as text, form fields,
// zoom bubbles and text inside a speech-bubble shape. Its text lives in a QTextDocument that the
// graphic listens to; the measured text height is a layout step that the page writer can run
// without painting (layoutContents), and painting only paints.
#pragma once
#include "model/DRVGraphic.h"

#include <QFont>
#include <QPainterPath>
#include <QPointer>
#include <QSizeF>
#include <QTextOption>
#include <QVariant>

class QTextDocument;
class QuibLayoutManager;

class DRVText : public DRVGraphic
{
    Q_OBJECT
    Q_PROPERTY(QString undoContents READ undoContents WRITE setUndoContents)
    Q_PROPERTY(bool partOfTableFlag READ partOfTableFlag WRITE setPartOfTableFlag)
    Q_PROPERTY(int zoomBubbleFlag READ zoomBubbleFlag WRITE setZoomBubbleFlag)

public:
    Q_INVOKABLE explicit DRVText(QObject* parent = nullptr);
    ~DRVText() override;

    // The same box with an equal copy of the text, formats included.
    std::unique_ptr<DRVGraphic> copy() const override;

    // ---- property dictionary ----
    // Adds "textString", "fontFamily", "fontAlignment", "fontSize", "slideShowNumber", "linkType",
    // "hoverColorString", "hoverTextColorString", "bubbleShape" and "zoomBubbleFlag".
    QVariantMap properties() const override;
    void initWithProperties(const QVariantMap& properties) override;

    // ---- the text ----
    // The text storage, owned by the graphic; edits made to it are re-measured.
    QTextDocument* contents() const;
    QString textString() const override;
    // The layout every text graphic measures and draws with.
    static QuibLayoutManager& sharedLayoutManager();
    // The text laid out at the current width with unlimited height.
    QSizeF naturalSize() const;
    // Re-applies font, size, alignment, line spacing and colour to the whole text, then tells
    // observers the box changed so they redraw.
    void refreshStyle();
    // Replaces the text with string in the box's font, then refreshes the style.
    void updateTextString(const QString& string);
    // A bounds notification (redraw and re-measure) that is not recorded for undo.
    void setHeightToMatchContents();
    // Called after each edit of the text storage; the re-measure runs once the edit is over.
    void textStorageDidProcessEditing();

    // ---- layout ----
    // The padding the page writes around a text box's text: 11% of the box height, at most 10,
    // truncated. Text boxes and table-cell texts alike.
    static int pagePadding(double boxHeight);
    // The first-line indent the page gives a text whose indent flag is 1 or 2: 40; else none.
    static int pageTextIndent(int indentFlag);
    // The width of the border the page's CSS gives the box: none for a border style CSS draws no
    // border with.
    static int pageBorderWidth(const QString& borderStyle, int borderWidth);
    // Where the text is laid out, as the page's CSS box places it: outside the responsive layout the
    // box less its border and the page's padding (margins and the graphic's own paddings are not
    // written there); in the responsive layout the box model's content rectangle.
    QRectF textContentRect() const;
    // How far below the top of textContentRect the text starts: nothing for top alignment, half the
    // room the measured text leaves for middle (and for a submit button, which browsers centre),
    // all of it for bottom. The page writes it as extra top padding.
    int verticalTextOffset() const;
    // The same for any text laid out in a container of the given height: half or all of the room
    // the text leaves for vertical alignment 1 (middle) or 2 (bottom), else nothing.
    static int alignedTextOffset(int verticalAlignment, double containerHeight, int textHeight);
    // Everything drawing depends on that is also saved: the zoom-bubble outline name, the border
    // width of a drawn border style, the palette fill and the text height. Drawing calls it first;
    // the page writer calls it instead of drawing.
    void layoutContents();
    // The height of the text laid out in the box's text container (whole lines that fit), stored
    // in textHeight; 0 for an empty text.
    int measureTextHeight();
    void measureDeferredTextHeight() override;

    // ---- drawing ----
    QRectF drawingBounds() const override;
    // The box outline: rounded, rotated, or the bubble outline. No side effects.
    GraphicPath bezierPathForDrawing() const override;
    void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited) override;
    bool canSetDrawingStroke() const override { return true; }
    void makeNaturalSize() override {}
    void setBounds(const QRectF& bounds) override;

    // ---- in-place editing ----
    // A plain-text editor on the graphic's own text storage, or nullptr where editing is refused
    // (not selectable, zoom bubbles, form fields, the label with option tag -22). The session
    // between this and finalizeEditingView is one undo step named "Text".
    QWidget* newEditingViewWithSuperviewBounds(const QRectF& superviewBounds) override;
    void finalizeEditingView(QWidget* editingView) override;

    // ---- scripting and undo ----
    // Reading brackets the change a script makes through the returned storage until the next
    // turn of the event loop.
    QTextDocument* scriptingContents();
    // A string passes unchanged; other values become their text.
    static QVariant coerceValueForScriptingContents(const QVariant& value);
    // Replaces the whole text, keeping the formats at its start.
    void setScriptingContents(const QString& text);
    void willChangeScriptingContents();
    void didChangeScriptingContents();
    QString undoContents() const;
    void setUndoContents(const QString& text) { setScriptingContents(text); }
    bool contentsBeingChangedByScripting() const { return m_contentsBeingChangedByScripting; }
    bool boundsBeingChangedToMatchContents() const { return m_boundsBeingChangedToMatchContents; }

    QSet<QString> keysForValuesToObserveForUndo() const override;
    QString presentablePropertyNameForKey(const QString& key) const override;

    // ---- plain fields ----
    bool partOfTableFlag() const { return m_partOfTableFlag; }
    void setPartOfTableFlag(bool value) { changeValue(m_partOfTableFlag, value, "partOfTableFlag"); }
    int zoomBubbleFlag() const { return m_zoomBubbleFlag; }
    void setZoomBubbleFlag(int value) { changeValue(m_zoomBubbleFlag, value, "zoomBubbleFlag"); }
    QPainterPath bubbleShapeBezierPath() const { return m_bubbleShapeBezierPath; }
    void setBubbleShapeBezierPath(const QPainterPath& path) { m_bubbleShapeBezierPath = path; }

protected:
    QStringList keysAffectedByKey(const QString& key) const override;

private:
    void setContents(QTextDocument* text);
    void applyTextStyle();
    // With insertedFirst, that text goes in at the start within the same edit.
    void applyTextStyleTo(QTextDocument* text, const QString* insertedFirst = nullptr);
    // The inset of the text from the corners when the edition asks for one.
    int cornerInset() const;
    QSizeF textContainerSize() const;
    void beginEditingSession();
    void endEditingSession();
    void setUndoKeysFlag(bool& flag, bool value);
    void paintText(QPainter* painter);
    // The box and its text; opaque leaves the fading of the whole to drawContentsInView.
    void paintBoxAndText(QPainter* painter, bool isBeingCreateOrEdited, bool opaque);

    mutable QTextDocument* m_contents = nullptr;
    // The last measured height and everything it was measured from besides the storage's text and
    // formats, whose edits forget it: a page opens each box measured once, not at every step.
    struct MeasuredHeight
    {
        bool valid = false;
        const QTextDocument* text = nullptr;
        QSizeF container;
        QFont font;
        Qt::Alignment alignment;
        QTextOption::WrapMode wrapMode = QTextOption::WordWrap;
        int height = 0;
    };
    MeasuredHeight m_measuredHeight;
    bool m_contentsBeingChangedByScripting = false;
    int m_scriptingDepth = 0;
    bool m_boundsBeingChangedToMatchContents = false;
    bool m_heightMatchPending = false; // waiting for the next turn's setHeightToMatchContents
    // Measured by initWithProperties with no edit since: the pending match has nothing to report.
    bool m_heightMatchedByInit = false;
    // Built from a dictionary and not measured since: textHeight measures on first need. A page of
    // hundreds of boxes opens without laying out text that neither the window nor the save reads.
    bool m_textHeightDeferred = false;
    bool m_contentsBeingEdited = false;
    bool m_partOfTableFlag = false;
    int m_zoomBubbleFlag = 0;
    QPainterPath m_bubbleShapeBezierPath;
    QPointer<QWidget> m_editor;
};
