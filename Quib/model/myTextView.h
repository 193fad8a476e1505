// The carrier of one text element (a text box, an HTML snippet, a form field or label, a table
// cell) between the saved page or a factory and the graphic model. Tables keep their cells as
// these records for their whole life. MTextView is its inner text view: the element's plain
// string, font, colours and alignment.
#pragma once
#include "model/CarrierProperty.h"
#include "platform/Observable.h"

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QRectF>
#include <QString>

class QTextDocument;

class MTextView : public platform::Observable
{
    Q_OBJECT
    QUIB_CARRIER_PROPERTY(QRectF, frame, setFrame)
    // The element's text, "\n" between lines.
    QUIB_CARRIER_PROPERTY(QString, string, setString)
    QUIB_CARRIER_PROPERTY(QFont, font, setFont)
    QUIB_CARRIER_PROPERTY(QColor, textColor, setTextColor)
    QUIB_CARRIER_PROPERTY(QColor, backgroundColor, setBackgroundColor)
    // Qt::AlignLeft, Qt::AlignRight or Qt::AlignHCenter.
    QUIB_CARRIER_PROPERTY(int, alignment, setAlignment)
    // Border style as read from the page ("none", "solid", "dotted", "dashed").
    QUIB_CARRIER_PROPERTY(QString, borderLine, setBorderLine)
    QUIB_CARRIER_PROPERTY(int, borderWidth, setBorderWidth)
    QUIB_CARRIER_PROPERTY(QString, textLink, setTextLink)

public:
    explicit MTextView(const QRectF& frame = {}, QObject* parent = nullptr);
};

class myTextView : public platform::Observable
{
    Q_OBJECT
    // View state: the element's rectangle in page pixels, its opacity (1 opaque) and background.
    QUIB_CARRIER_PROPERTY(QRectF, frame, setFrame)
    QUIB_CARRIER_PROPERTY(double, alphaValue, setAlphaValue)
    QUIB_CARRIER_PROPERTY(QColor, backgroundColor, setBackgroundColor)
    // The overlay's frame; created and sized with the carrier, not otherwise read.
    QUIB_CARRIER_PROPERTY(QRectF, coverViewFrame, setCoverViewFrame)

    QUIB_CARRIER_PROPERTY(QString, textType, setTextType)
    QUIB_CARRIER_PROPERTY(QString, formType, setFormType)
    QUIB_CARRIER_PROPERTY(int, formTag, setFormTag)
    QUIB_CARRIER_PROPERTY(int, formOptionTag, setFormOptionTag)
    QUIB_CARRIER_PROPERTY(int, formRequiredFlag, setFormRequiredFlag)
    QUIB_CARRIER_PROPERTY(int, markAsReplyToEmailFlag, setMarkAsReplyToEmailFlag)
    QUIB_CARRIER_PROPERTY(int, snippetFormatFlag, setSnippetFormatFlag)
    QUIB_CARRIER_PROPERTY(int, nlines, setNlines)
    QUIB_CARRIER_PROPERTY(int, containsLinkFlag, setContainsLinkFlag)
    QUIB_CARRIER_PROPERTY(int, tag, setTag)
    QUIB_CARRIER_PROPERTY(QString, templateName, setTemplateName)
    QUIB_CARRIER_PROPERTY(int, partOfTableFlag, setPartOfTableFlag)
    QUIB_CARRIER_PROPERTY(int, shapeFlag, setShapeFlag)
    QUIB_CARRIER_PROPERTY(int, originX, setOriginX)
    QUIB_CARRIER_PROPERTY(int, originY, setOriginY)
    QUIB_CARRIER_PROPERTY(int, width, setWidth)
    QUIB_CARRIER_PROPERTY(int, height, setHeight)
    QUIB_CARRIER_PROPERTY(int, textHeight, setTextHeight)
    QUIB_CARRIER_PROPERTY(int, matchScreenFlag, setMatchScreenFlag)
    QUIB_CARRIER_PROPERTY(int, fixedWidthFlag, setFixedWidthFlag)
    QUIB_CARRIER_PROPERTY(int, fixedHeightFlag, setFixedHeightFlag)
    QUIB_CARRIER_PROPERTY(float, rotationAngle, setRotationAngle)
    QUIB_CARRIER_PROPERTY(int, manualLayerIndex, setManualLayerIndex)
    QUIB_CARRIER_PROPERTY(int, moveLock, setMoveLock)
    QUIB_CARRIER_PROPERTY(int, selectable, setSelectable)
    QUIB_CARRIER_PROPERTY(int, selected, setSelected)
    QUIB_CARRIER_PROPERTY(int, scrollFlag, setScrollFlag)
    QUIB_CARRIER_PROPERTY(int, indentFlag, setIndentFlag)
    QUIB_CARRIER_PROPERTY(int, groupNumber, setGroupNumber)
    QUIB_CARRIER_PROPERTY(int, tableNumber, setTableNumber)
    QUIB_CARRIER_PROPERTY(int, rowSpot, setRowSpot)
    QUIB_CARRIER_PROPERTY(int, columnSpot, setColumnSpot)
    QUIB_CARRIER_PROPERTY(int, sectionNumber, setSectionNumber)
    QUIB_CARRIER_PROPERTY(int, sectionRowSpot, setSectionRowSpot)
    QUIB_CARRIER_PROPERTY(int, sectionColumnSpot, setSectionColumnSpot)
    QUIB_CARRIER_PROPERTY(int, toRemoveFlag, setToRemoveFlag)
    QUIB_CARRIER_PROPERTY(int, xsGridColumns, setXsGridColumns)
    QUIB_CARRIER_PROPERTY(int, smallGridColumns, setSmallGridColumns)
    QUIB_CARRIER_PROPERTY(int, mediumGridColumns, setMediumGridColumns)
    QUIB_CARRIER_PROPERTY(int, largeGridColumns, setLargeGridColumns)
    QUIB_CARRIER_PROPERTY(int, responsiveResizeFlag, setResponsiveResizeFlag)
    QUIB_CARRIER_PROPERTY(int, responsiveAlignment, setResponsiveAlignment)
    QUIB_CARRIER_PROPERTY(int, verticalAlignment, setVerticalAlignment)
    QUIB_CARRIER_PROPERTY(QString, colorString, setColorString)
    QUIB_CARRIER_PROPERTY(QString, backgroundHexColorString, setBackgroundHexColorString)
    QUIB_CARRIER_PROPERTY(QString, textColorString, setTextColorString)
    QUIB_CARRIER_PROPERTY(QString, textHexColorString, setTextHexColorString)
    QUIB_CARRIER_PROPERTY(QString, hoverColorString, setHoverColorString)
    QUIB_CARRIER_PROPERTY(QString, hoverTextColorString, setHoverTextColorString)
    QUIB_CARRIER_PROPERTY(QColor, borderColor, setBorderColor)
    QUIB_CARRIER_PROPERTY(QString, borderHexColorString, setBorderHexColorString)
    QUIB_CARRIER_PROPERTY(int, borderWidth, setBorderWidth)
    QUIB_CARRIER_PROPERTY(QString, borderStyle, setBorderStyle)
    QUIB_CARRIER_PROPERTY(float, cornerRadius, setCornerRadius)
    QUIB_CARRIER_PROPERTY(float, tableCellCornerRadius, setTableCellCornerRadius)
    QUIB_CARRIER_PROPERTY(float, strokeWidth, setStrokeWidth)
    QUIB_CARRIER_PROPERTY(float, opacity, setOpacity)
    QUIB_CARRIER_PROPERTY(int, shadowFlag, setShadowFlag)
    QUIB_CARRIER_PROPERTY(float, shadowRadius, setShadowRadius)
    QUIB_CARRIER_PROPERTY(float, shadowHorizontalOffset, setShadowHorizontalOffset)
    QUIB_CARRIER_PROPERTY(float, shadowVerticalOffset, setShadowVerticalOffset)
    QUIB_CARRIER_PROPERTY(float, lineSpacing, setLineSpacing)
    QUIB_CARRIER_PROPERTY(QString, familyName, setFamilyName)
    QUIB_CARRIER_PROPERTY(int, fontSize, setFontSize)
    QUIB_CARRIER_PROPERTY(QString, textAlignment, setTextAlignment)
    QUIB_CARRIER_PROPERTY(QString, bubbleShape, setBubbleShape)
    QUIB_CARRIER_PROPERTY(int, zoomBubbleFlag, setZoomBubbleFlag)
    QUIB_CARRIER_PROPERTY(QString, link, setLink)
    QUIB_CARRIER_PROPERTY(QString, linkOption, setLinkOption)
    QUIB_CARRIER_PROPERTY(QString, linkType, setLinkType)
    QUIB_CARRIER_PROPERTY(QString, onClickShowString, setOnClickShowString)
    QUIB_CARRIER_PROPERTY(QString, onClickHideString, setOnClickHideString)
    QUIB_CARRIER_PROPERTY(int, topPadding, setTopPadding)
    QUIB_CARRIER_PROPERTY(int, bottomPadding, setBottomPadding)
    QUIB_CARRIER_PROPERTY(int, leftPadding, setLeftPadding)
    QUIB_CARRIER_PROPERTY(int, rightPadding, setRightPadding)
    QUIB_CARRIER_PROPERTY(int, topMargin, setTopMargin)
    QUIB_CARRIER_PROPERTY(int, bottomMargin, setBottomMargin)
    QUIB_CARRIER_PROPERTY(int, leftMargin, setLeftMargin)
    QUIB_CARRIER_PROPERTY(int, rightMargin, setRightMargin)
    QUIB_CARRIER_PROPERTY(QString, topPaddingType, setTopPaddingType)
    QUIB_CARRIER_PROPERTY(QString, bottomPaddingType, setBottomPaddingType)
    QUIB_CARRIER_PROPERTY(QString, leftPaddingType, setLeftPaddingType)
    QUIB_CARRIER_PROPERTY(QString, rightPaddingType, setRightPaddingType)
    QUIB_CARRIER_PROPERTY(QString, topMarginType, setTopMarginType)
    QUIB_CARRIER_PROPERTY(QString, bottomMarginType, setBottomMarginType)
    QUIB_CARRIER_PROPERTY(QString, leftMarginType, setLeftMarginType)
    QUIB_CARRIER_PROPERTY(QString, rightMarginType, setRightMarginType)
    QUIB_CARRIER_PROPERTY(QString, topPaddingLevelString, setTopPaddingLevelString)
    QUIB_CARRIER_PROPERTY(QString, bottomPaddingLevelString, setBottomPaddingLevelString)
    QUIB_CARRIER_PROPERTY(QString, leftPaddingLevelString, setLeftPaddingLevelString)
    QUIB_CARRIER_PROPERTY(QString, rightPaddingLevelString, setRightPaddingLevelString)
    QUIB_CARRIER_PROPERTY(QString, topMarginLevelString, setTopMarginLevelString)
    QUIB_CARRIER_PROPERTY(QString, bottomMarginLevelString, setBottomMarginLevelString)
    QUIB_CARRIER_PROPERTY(QString, leftMarginLevelString, setLeftMarginLevelString)
    QUIB_CARRIER_PROPERTY(QString, rightMarginLevelString, setRightMarginLevelString)
    // Always 0 on a carrier: nothing computes them here.
    QUIB_CARRIER_PROPERTY(float, topPaddingInPx, setTopPaddingInPx)
    QUIB_CARRIER_PROPERTY(float, bottomPaddingInPx, setBottomPaddingInPx)
    QUIB_CARRIER_PROPERTY(float, leftPaddingInPx, setLeftPaddingInPx)
    QUIB_CARRIER_PROPERTY(float, rightPaddingInPx, setRightPaddingInPx)
    QUIB_CARRIER_PROPERTY(float, topMarginInPx, setTopMarginInPx)
    QUIB_CARRIER_PROPERTY(float, bottomMarginInPx, setBottomMarginInPx)
    QUIB_CARRIER_PROPERTY(float, leftMarginInPx, setLeftMarginInPx)
    QUIB_CARRIER_PROPERTY(float, rightMarginInPx, setRightMarginInPx)

    Q_PROPERTY(MTextView* textView READ textView)
    Q_PROPERTY(myTextView* optionTextView READ optionTextView WRITE setOptionTextView)
    Q_PROPERTY(QTextDocument* textStorage READ textStorage WRITE setTextStorage)

public:
    // The carrier of an element in frame: empty colorString and textColorString, an inner text view
    // of the same frame, an empty cover frame; everything else 0 or null.
    explicit myTextView(const QRectF& frame = {}, QObject* parent = nullptr);
    ~myTextView() override;

    // Owned by the carrier.
    MTextView* textView() const { return m_textView; }

    // The label carrier paired with a form option; not owned (both live in the same array), and
    // null once it is destroyed.
    myTextView* optionTextView() const { return m_optionTextView.data(); }
    void setOptionTextView(myTextView* value);

    // The element's styled text; null until set. The carrier owns it: a document without a parent
    // is taken over, and a replaced document the carrier owned is deleted at once, so nobody may
    // keep the old pointer across a replacement.
    QTextDocument* textStorage() const { return m_textStorage; }
    void setTextStorage(QTextDocument* value);

    // Moves and sizes the inner text view and the cover to rect; draws nothing.
    void drawRect(const QRectF& rect);

private:
    MTextView* m_textView = nullptr;
    QPointer<myTextView> m_optionTextView;
    QTextDocument* m_textStorage = nullptr;
};
