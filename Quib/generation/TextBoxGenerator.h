// The text-box pass of the page writer: every entry of the document's textViewArray (text boxes,
// table-cell texts, form fields and labels) becomes one absolutely positioned element and its
// ".text<n>" rules, which are also the saved page format. Form fields also feed the form handler.
#pragma once
#include "generation/FormSortHelper.h"

#include <QString>

class DRVDocument;
class DRVText;
class QObject;
struct PagePieces;

class TextBoxGenerator
{
public:
    TextBoxGenerator(DRVDocument& document, PagePieces& pieces);

    // Appends the rules to pieces.textRules, the elements to pieces.bodyTexts and the form
    // outputs to pieces.formHandler.
    void generate();

    // Shared by the element generators. Sets each of the eight margin and padding unit strings
    // that is null, empty or "(null)" to "%" on the element (a graphic or a cell carrier).
    static QObject* populateTextViewMarginType(QObject* element);
    // The unit string as written: "%" for null, empty or "(null)".
    static QString marginTypeOrDefault(const QString& type);
    // Lines by the platform's line-range rule: 0 for "", 1 for a text whose only break ends it.
    static quint32 calculateNumOfLines(const QString& string);
    // What the text of an element (a DRVText or a myTextView carrier) says about its look: the raw
    // string, the font of its first character and the alignment of its first paragraph ("left",
    // "right", "center" or "justify"; "left" for an empty text).
    struct TextFacts
    {
        QString raw;
        int fontSize = 0;
        QString family;
        QString alignment = QStringLiteral("left");
        bool isEmpty() const { return raw.isEmpty(); }
    };
    static TextFacts textFacts(QObject* element);
    // The CSS that turns an element by the graphic's rotation angle; empty for none.
    static QString rotationDeclaration(double degrees);
    // The template name a rule carries: without its extension, else the page's main template name.
    static QString completedTemplateName(const QString& templateName, const QString& mainTemplateName);

    // The text of a text element as the page body shows it: "&", "<" and ">" escaped, every
    // newline (LF, CR, CR LF, U+0085, U+2028, U+2029) as "<br>". The reader reverses it.
    static QString convertedBodyText(const QString& raw);

    // The values of one element the pass writes, by the names of its properties: those of a box
    // (opacity, cornerRadius, borderStyle) or of a cell (alphaValue, tableCellCornerRadius, link and
    // its table place).
    struct ElementValues
    {
        QString formType, borderColor, textColor, fontFamily, link, linkOption, templateName, linkType,
            background, hover, hoverText, borderStyle, bubbleShape, onClickShow, onClickHide;
        QString unitTypes[8];
        int formTag = 0, formOptionTag = 0, formRequiredFlag = 0, fontSize = 0, manualLayerIndex = 0, tag = 0,
            scrollFlag = 0, shadowFlag = 0, indentFlag = 0, matchScreenFlag = 0, tableNumber = 0, rowSpot = 0,
            columnSpot = 0, borderWidth = 0, moveLock = 0, shapeFlag = 0, groupNumber = 0, fixedWidthFlag = 0,
            fixedHeightFlag = 0, zoomBubbleFlag = 0, xsGridColumns = 0, smallGridColumns = 0,
            mediumGridColumns = 0, largeGridColumns = 0, responsiveResizeFlag = 0, responsiveAlignment = 0,
            sectionNumber = 0, sectionRowSpot = 0, sectionColumnSpot = 0, markAsReplyFlag = 0,
            verticalAlignment = 0;
        int spacing[8] = {};
        double opacity = 0, rotationAngle = 0, lineSpacing = 0, cornerRadius = 0, shadowRadius = 0,
               shadowHorizontalOffset = 0, shadowVerticalOffset = 0;
        bool operator==(const ElementValues&) const = default;
    };
    // Read by name, from any element; isBox picks the box's names or the cell's.
    static ElementValues elementValues(const QObject* element, bool isBox);
    // The same values of a text box read from it directly, as the names would give them: the pass
    // reads some sixty values of every box.
    static ElementValues elementValues(const DRVText& box);

private:
    DRVDocument& m_document;
    PagePieces& m_pieces;
};
