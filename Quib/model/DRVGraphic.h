// The base of every object that stands on a page. It carries the whole property set any kind of page
// object may have, so that every graphic converts to and from one property dictionary and is edited
// through one inspector; subclasses override drawing, hit testing, handles and resizing.
#pragma once
#include "platform/Observable.h"

#include <QByteArray>
#include <QColor>
#include <QDateTime>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <memory>

class QCursor;
class QImage;
class QPainter;
class QWidget;

// An outline and the line width it is meant to be stroked with.
struct GraphicPath
{
    QPainterPath path;
    double lineWidth = 1.0;
};

// The error objects of the object model: code 2, clipboard data holds no graphics; code 3, a
// rendering of graphics failed.
struct GraphicError
{
    QString domain;
    int code = 0;
    QString localizedDescription;
    QString localizedFailureReason;
};
GraphicError graphicErrorWithCode(int code);

class DRVGraphic : public platform::Observable
{
    Q_OBJECT
    // Core fields.
    Q_PROPERTY(QRectF bounds READ bounds WRITE setBounds)
    Q_PROPERTY(bool drawingFill READ isDrawingFill WRITE setDrawingFill)
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor)
    Q_PROPERTY(bool drawingStroke READ isDrawingStroke WRITE setDrawingStroke)
    Q_PROPERTY(QColor strokeColor READ strokeColor WRITE setStrokeColor)
    Q_PROPERTY(double strokeWidth READ strokeWidth WRITE setStrokeWidth)
    Q_PROPERTY(QString textString READ textString)

    // Derived and observation-only keys.
    Q_PROPERTY(double xPosition READ xPosition WRITE setXPosition)
    Q_PROPERTY(double yPosition READ yPosition WRITE setYPosition)
    Q_PROPERTY(double width READ width WRITE setWidth)
    Q_PROPERTY(double height READ height WRITE setHeight)
    Q_PROPERTY(QRectF drawingBounds READ drawingBounds)
    Q_PROPERTY(int drawingContents READ drawingContents)
    Q_PROPERTY(QStringList keysForValuesToObserveForUndo READ keysForValuesToObserveForUndoList)
    Q_PROPERTY(bool canSetDrawingFill READ canSetDrawingFill)
    Q_PROPERTY(bool canSetDrawingStroke READ canSetDrawingStroke)

    // Declared properties.
    Q_PROPERTY(double opacity READ opacity WRITE setOpacity)
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius)
    Q_PROPERTY(QString borderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(int border READ border WRITE setBorder)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(QString borderHexColorString READ borderHexColorString WRITE setBorderHexColorString)
    Q_PROPERTY(int fillColorIndex READ fillColorIndex WRITE setFillColorIndex)
    Q_PROPERTY(
        QString backgroundHexColorString READ backgroundHexColorString WRITE setBackgroundHexColorString)
    Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(int fontColorIndex READ fontColorIndex WRITE setFontColorIndex)
    Q_PROPERTY(int fontColorOption READ fontColorOption WRITE setFontColorOption)
    Q_PROPERTY(QString textHexColorString READ textHexColorString WRITE setTextHexColorString)
    Q_PROPERTY(QString hoverColorString READ hoverColorString WRITE setHoverColorString)
    Q_PROPERTY(QString hoverTextColorString READ hoverTextColorString WRITE setHoverTextColorString)
    Q_PROPERTY(QString fontFamily READ fontFamily WRITE setFontFamily)
    Q_PROPERTY(int fontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(int fontAlignment READ fontAlignment WRITE setFontAlignment)
    Q_PROPERTY(int verticalAlignment READ verticalAlignment WRITE setVerticalAlignment)
    Q_PROPERTY(float lineSpacing READ lineSpacing WRITE setLineSpacing)
    Q_PROPERTY(QString textType READ textType WRITE setTextType)
    Q_PROPERTY(int indentFlag READ indentFlag WRITE setIndentFlag)
    Q_PROPERTY(int shadowFlag READ shadowFlag WRITE setShadowFlag)
    Q_PROPERTY(float shadowRadius READ shadowRadius WRITE setShadowRadius)
    Q_PROPERTY(float shadowHorizontalOffset READ shadowHorizontalOffset WRITE setShadowHorizontalOffset)
    Q_PROPERTY(float shadowVerticalOffset READ shadowVerticalOffset WRITE setShadowVerticalOffset)
    Q_PROPERTY(float rotationAngle READ rotationAngle WRITE setRotationAngle)
    Q_PROPERTY(double reflection READ reflection WRITE setReflection)
    Q_PROPERTY(QString link READ link WRITE setLink)
    Q_PROPERTY(QString linkOption READ linkOption WRITE setLinkOption)
    Q_PROPERTY(QString linkType READ linkType WRITE setLinkType)
    Q_PROPERTY(QString altText READ altText WRITE setAltText)
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)
    Q_PROPERTY(QString imageType READ imageType WRITE setImageType)
    Q_PROPERTY(QDateTime imageLastModDate READ imageLastModDate WRITE setImageLastModDate)
    Q_PROPERTY(float imageRotation READ imageRotation WRITE setImageRotation)
    Q_PROPERTY(int imageEnlargeFlag READ imageEnlargeFlag WRITE setImageEnlargeFlag)
    Q_PROPERTY(bool retinaFlag READ retinaFlag WRITE setRetinaFlag)
    Q_PROPERTY(QString dropboxLink READ dropboxLink WRITE setDropboxLink)
    Q_PROPERTY(int maskFlag READ maskFlag WRITE setMaskFlag)
    Q_PROPERTY(int backdropLightingFlag READ backdropLightingFlag WRITE setBackdropLightingFlag)
    Q_PROPERTY(QString bubbleShape READ bubbleShape WRITE setBubbleShape)
    Q_PROPERTY(int shapeFlag READ shapeFlag WRITE setShapeFlag)
    Q_PROPERTY(int slideNumber READ slideNumber WRITE setSlideNumber)
    Q_PROPERTY(int slideWidth READ slideWidth WRITE setSlideWidth)
    Q_PROPERTY(int slideShowNumber READ slideShowNumber WRITE setSlideShowNumber)
    Q_PROPERTY(int slideShowAutomaticFlag READ slideShowAutomaticFlag WRITE setSlideShowAutomaticFlag)
    Q_PROPERTY(int galleryNumber READ galleryNumber WRITE setGalleryNumber)
    Q_PROPERTY(int groupNumber READ groupNumber WRITE setGroupNumber)
    Q_PROPERTY(int arrayTag READ arrayTag WRITE setArrayTag)
    Q_PROPERTY(int manualLayerIndex READ manualLayerIndex WRITE setManualLayerIndex)
    Q_PROPERTY(QString templateName READ templateName WRITE setTemplateName)
    Q_PROPERTY(bool selectable READ selectable WRITE setSelectable)
    Q_PROPERTY(bool selected READ selected WRITE setSelected)
    Q_PROPERTY(int moveLock READ moveLock WRITE setMoveLock)
    Q_PROPERTY(int lockFlag READ lockFlag WRITE setLockFlag)
    Q_PROPERTY(bool infoShownFlag READ infoShownFlag WRITE setInfoShownFlag)
    Q_PROPERTY(int scrollFlag READ scrollFlag WRITE setScrollFlag)
    Q_PROPERTY(QString displayType READ displayType WRITE setDisplayType)
    Q_PROPERTY(bool matchScreenFlag READ matchScreenFlag WRITE setMatchScreenFlag)
    Q_PROPERTY(bool snippetFormatFlag READ snippetFormatFlag WRITE setSnippetFormatFlag)
    Q_PROPERTY(QString formType READ formType WRITE setFormType)
    Q_PROPERTY(int formTag READ formTag WRITE setFormTag)
    Q_PROPERTY(int formOptionTag READ formOptionTag WRITE setFormOptionTag)
    Q_PROPERTY(int formRequiredFlag READ formRequiredFlag WRITE setFormRequiredFlag)
    Q_PROPERTY(int markAsReplyToEmailFlag READ markAsReplyToEmailFlag WRITE setMarkAsReplyToEmailFlag)
    Q_PROPERTY(QPointF beginPoint READ beginPoint WRITE setBeginPoint)
    Q_PROPERTY(QPointF endPoint READ endPoint WRITE setEndPoint)
    Q_PROPERTY(bool drawBeginArrow READ drawBeginArrow WRITE setDrawBeginArrow)
    Q_PROPERTY(bool drawEndArrow READ drawEndArrow WRITE setDrawEndArrow)
    Q_PROPERTY(QRectF lastNoOverlapRect READ lastNoOverlapRect WRITE setLastNoOverlapRect)
    Q_PROPERTY(QPointF landingPoint READ landingPoint WRITE setLandingPoint)
    Q_PROPERTY(int originX READ originX WRITE setOriginX)
    Q_PROPERTY(int originY READ originY WRITE setOriginY)
    Q_PROPERTY(bool movingAsPartOfSection READ movingAsPartOfSection WRITE setMovingAsPartOfSection)
    Q_PROPERTY(int sectionNumber READ sectionNumber WRITE setSectionNumber)
    Q_PROPERTY(int sectionRowSpot READ sectionRowSpot WRITE setSectionRowSpot)
    Q_PROPERTY(int sectionColumnSpot READ sectionColumnSpot WRITE setSectionColumnSpot)
    Q_PROPERTY(QString sectionIDString READ sectionIDString WRITE setSectionIDString)
    Q_PROPERTY(QString onClickShowString READ onClickShowString WRITE setOnClickShowString)
    Q_PROPERTY(QString onClickHideString READ onClickHideString WRITE setOnClickHideString)
    Q_PROPERTY(int initialLaunchStateFlag READ initialLaunchStateFlag WRITE setInitialLaunchStateFlag)
    Q_PROPERTY(int responsiveResizeFlag READ responsiveResizeFlag WRITE setResponsiveResizeFlag)
    Q_PROPERTY(int responsiveAlignment READ responsiveAlignment WRITE setResponsiveAlignment)
    Q_PROPERTY(int xsGridColumns READ xsGridColumns WRITE setXsGridColumns)
    Q_PROPERTY(int smallGridColumns READ smallGridColumns WRITE setSmallGridColumns)
    Q_PROPERTY(int mediumGridColumns READ mediumGridColumns WRITE setMediumGridColumns)
    Q_PROPERTY(int largeGridColumns READ largeGridColumns WRITE setLargeGridColumns)
    Q_PROPERTY(int sameHeightForAllRowsFlag READ sameHeightForAllRowsFlag WRITE setSameHeightForAllRowsFlag)
    Q_PROPERTY(
        int sameWidthForAllColumnsFlag READ sameWidthForAllColumnsFlag WRITE setSameWidthForAllColumnsFlag)
    Q_PROPERTY(int fixedWidthFlag READ fixedWidthFlag WRITE setFixedWidthFlag)
    Q_PROPERTY(int fixedHeightFlag READ fixedHeightFlag WRITE setFixedHeightFlag)
    Q_PROPERTY(int textHeight READ textHeight WRITE setTextHeight)
    Q_PROPERTY(int bottomEdgeY READ bottomEdgeY WRITE setBottomEdgeY)
    Q_PROPERTY(int topMargin READ topMargin WRITE setTopMargin)
    Q_PROPERTY(int bottomMargin READ bottomMargin WRITE setBottomMargin)
    Q_PROPERTY(int leftMargin READ leftMargin WRITE setLeftMargin)
    Q_PROPERTY(int rightMargin READ rightMargin WRITE setRightMargin)
    Q_PROPERTY(QString topMarginType READ topMarginType WRITE setTopMarginType)
    Q_PROPERTY(QString bottomMarginType READ bottomMarginType WRITE setBottomMarginType)
    Q_PROPERTY(QString leftMarginType READ leftMarginType WRITE setLeftMarginType)
    Q_PROPERTY(QString rightMarginType READ rightMarginType WRITE setRightMarginType)
    Q_PROPERTY(QString topMarginLevelString READ topMarginLevelString WRITE setTopMarginLevelString)
    Q_PROPERTY(QString bottomMarginLevelString READ bottomMarginLevelString WRITE setBottomMarginLevelString)
    Q_PROPERTY(QString leftMarginLevelString READ leftMarginLevelString WRITE setLeftMarginLevelString)
    Q_PROPERTY(QString rightMarginLevelString READ rightMarginLevelString WRITE setRightMarginLevelString)
    Q_PROPERTY(int topPadding READ topPadding WRITE setTopPadding)
    Q_PROPERTY(int bottomPadding READ bottomPadding WRITE setBottomPadding)
    Q_PROPERTY(int leftPadding READ leftPadding WRITE setLeftPadding)
    Q_PROPERTY(int rightPadding READ rightPadding WRITE setRightPadding)
    Q_PROPERTY(QString topPaddingType READ topPaddingType WRITE setTopPaddingType)
    Q_PROPERTY(QString bottomPaddingType READ bottomPaddingType WRITE setBottomPaddingType)
    Q_PROPERTY(QString leftPaddingType READ leftPaddingType WRITE setLeftPaddingType)
    Q_PROPERTY(QString rightPaddingType READ rightPaddingType WRITE setRightPaddingType)
    Q_PROPERTY(QString topPaddingLevelString READ topPaddingLevelString WRITE setTopPaddingLevelString)
    Q_PROPERTY(
        QString bottomPaddingLevelString READ bottomPaddingLevelString WRITE setBottomPaddingLevelString)
    Q_PROPERTY(QString leftPaddingLevelString READ leftPaddingLevelString WRITE setLeftPaddingLevelString)
    Q_PROPERTY(QString rightPaddingLevelString READ rightPaddingLevelString WRITE setRightPaddingLevelString)

    // The box model, recomputed by drawBoxModel (and so by every drawingBounds).
    Q_PROPERTY(float topMarginInPx READ topMarginInPx)
    Q_PROPERTY(float bottomMarginInPx READ bottomMarginInPx)
    Q_PROPERTY(float leftMarginInPx READ leftMarginInPx)
    Q_PROPERTY(float rightMarginInPx READ rightMarginInPx)
    Q_PROPERTY(float topPaddingInPx READ topPaddingInPx)
    Q_PROPERTY(float bottomPaddingInPx READ bottomPaddingInPx)
    Q_PROPERTY(float leftPaddingInPx READ leftPaddingInPx)
    Q_PROPERTY(float rightPaddingInPx READ rightPaddingInPx)
    Q_PROPERTY(QRectF drawRect READ drawRect)
    Q_PROPERTY(QRectF noMarginRect READ noMarginRect)
    Q_PROPERTY(QRectF noMarginNoBorderRect READ noMarginNoBorderRect)
    Q_PROPERTY(QRectF noPaddingNoMarginRect READ noPaddingNoMarginRect)
    Q_PROPERTY(QRectF contentRect READ contentRect)

public:
    // Handle numbers; 0 is none.
    enum Handle {
        NoHandle = 0,
        UpperLeftHandle = 1,
        UpperMiddleHandle = 2,
        UpperRightHandle = 3,
        MiddleLeftHandle = 4,
        MiddleRightHandle = 5,
        LowerLeftHandle = 6,
        LowerMiddleHandle = 7,
        LowerRightHandle = 8,
    };

    Q_INVOKABLE explicit DRVGraphic(QObject* parent = nullptr);
    ~DRVGraphic() override;

    // A new graphic of the receiver's own class with the bounds, fill and stroke copied and every
    // other value at its default. Subclasses that carry more extend it. Every graphic class declares
    // Q_OBJECT and a Q_INVOKABLE constructor taking the parent, so that its own class is made.
    virtual std::unique_ptr<DRVGraphic> copy() const;

    // ---- property dictionary ----
    // Every graphic is built from one dictionary and reads back into one. Values are strings
    // ("%d" for integers and flags, "%f" for reals, rectangles and points in their string forms),
    // numbers where a key says so, archived colours and images as byte arrays (archivedColor,
    // archivedImage), and in container dictionaries lists of carriers:
    //   "imageArray", "tableBackgroundArray"  QVariant::fromValue(QList<TransformView*>)
    //   "cellArray"                           QVariant::fromValue(QList<myTextView*>)
    // A container graphic adopts those carriers (the same objects, not copies) and should take
    // them over as their QObject parent. Readers accept a number or its decimal text alike.
    //
    // Subclasses override both and call the base first. properties() is const for callers, but it
    // normalises a few values in the graphic itself (a missing link becomes "", a missing link type
    // "shape", the border hex string follows the border colour).
    virtual QVariantMap properties() const;
    virtual void initWithProperties(const QVariantMap& properties);

    // A new graphic of the registered class that "className" names, built with initWithProperties;
    // nullptr when the name is missing, not a string, or names no registered class. Nothing but
    // the registered graphic classes is ever instantiated.
    static DRVGraphic* graphicWithProperties(const QVariantMap& properties, QObject* parent = nullptr);
    // One graphic per dictionary, in order; elements that are not dictionaries or name no
    // registered class are skipped. Nothing in the dictionaries is changed.
    static QList<DRVGraphic*> graphicsWithPropertiesPasted(const QVariantList& properties,
                                                           QObject* parent = nullptr);
    // Carriers of a loaded page (page order) to graphics: convertArrayToProperties, then one
    // graphic per dictionary.
    static QList<DRVGraphic*> graphicsWithProperties(const QList<QObject*>& carriers,
                                                     const QString& templateName, QObject* parent = nullptr);
    // Carriers of a loaded page to dictionaries with "className" and "templateName". Defaults are
    // stored back into the carriers; see CarrierConversion.
    static QVariantList convertArrayToProperties(const QList<QObject*>& carriers,
                                                 const QString& templateName);
    // properties() of each graphic with "className" added, in order.
    static QVariantList propertiesWithGraphics(const QList<DRVGraphic*>& graphics);
    // The clipboard data of graphics: their dictionaries in the project's own versioned binary
    // format (GraphicClipboard). Empty when there is nothing to write.
    static QByteArray pasteboardDataWithGraphics(const QList<DRVGraphic*>& graphics);
    // Graphics from clipboard data. Data that is empty, truncated, foreign, holds anything but a
    // list of dictionaries, or names a class that is not registered gives no graphics at all and
    // the error of code 2 in *error (when given).
    static QList<DRVGraphic*> graphicsWithPasteboardData(const QByteArray& data,
                                                         GraphicError* error = nullptr,
                                                         QObject* parent = nullptr);

    // Colours and images inside dictionaries: a private binary form (a version byte and the
    // value). An image may also travel as a QImage value (a page being opened hands its pictures
    // over as they are). Unarchiving anything else gives the clear colour or a null image.
    static QByteArray archivedColor(const QColor& color);
    static QColor unarchivedColor(const QVariant& value);
    static QByteArray archivedImage(const QImage& image);
    static QImage unarchivedImage(const QVariant& value);
    // Dictionary readers: a number or its decimal text (an integer reading drops the fraction).
    static int intFromProperty(const QVariant& value);
    static double doubleFromProperty(const QVariant& value);
    static QString stringFromProperty(const QVariant& value);
    // Dictionary writers: "%d" and "%f".
    static QString intProperty(int value);
    static QString realProperty(double value);

    // ---- core fields ----
    QRectF bounds() const { return m_bounds; }
    // Stores the rectangle; subclasses apply their own rules.
    virtual void setBounds(const QRectF& bounds);
    virtual bool isDrawingFill() const { return m_drawingFill; }
    void setDrawingFill(bool value) { changeValue(m_drawingFill, value, "drawingFill"); }
    virtual QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor& value) { changeValue(m_fillColor, value, "fillColor"); }
    virtual bool isDrawingStroke() const { return m_drawingStroke; }
    void setDrawingStroke(bool value) { changeValue(m_drawingStroke, value, "drawingStroke"); }
    virtual QColor strokeColor() const { return m_strokeColor; }
    void setStrokeColor(const QColor& value) { changeValue(m_strokeColor, value, "strokeColor"); }
    virtual double strokeWidth() const { return m_strokeWidth; }
    void setStrokeWidth(double value) { changeValue(m_strokeWidth, value, "strokeWidth"); }
    virtual QString textString() const { return m_textString; }

    // ---- derived geometry: each setter replaces one component of bounds through setBounds ----
    double xPosition() const { return bounds().x(); }
    double yPosition() const { return bounds().y(); }
    double width() const { return bounds().width(); }
    double height() const { return bounds().height(); }
    void setXPosition(double value);
    void setYPosition(double value);
    void setWidth(double value);
    void setHeight(double value);
    int drawingContents() const { return 0; }

    // ---- declared properties ----
    double opacity() const { return m_opacity; }
    void setOpacity(double value) { changeValue(m_opacity, value, "opacity"); }
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double value) { changeValue(m_cornerRadius, value, "cornerRadius"); }
    QString borderStyle() const { return m_borderStyle; }
    void setBorderStyle(const QString& value) { changeValue(m_borderStyle, value, "borderStyle"); }
    int borderWidth() const { return m_borderWidth; }
    void setBorderWidth(int value) { changeValue(m_borderWidth, value, "borderWidth"); }
    int border() const { return m_border; }
    void setBorder(int value) { changeValue(m_border, value, "border"); }
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor& value) { changeValue(m_borderColor, value, "borderColor"); }
    QString borderHexColorString() const { return m_borderHexColorString; }
    void setBorderHexColorString(const QString& value)
    {
        changeValue(m_borderHexColorString, value, "borderHexColorString");
    }
    int fillColorIndex() const { return m_fillColorIndex; }
    void setFillColorIndex(int value) { changeValue(m_fillColorIndex, value, "fillColorIndex"); }
    QString backgroundHexColorString() const { return m_backgroundHexColorString; }
    void setBackgroundHexColorString(const QString& value)
    {
        changeValue(m_backgroundHexColorString, value, "backgroundHexColorString");
    }
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor& value) { changeValue(m_fontColor, value, "fontColor"); }
    int fontColorIndex() const { return m_fontColorIndex; }
    void setFontColorIndex(int value) { changeValue(m_fontColorIndex, value, "fontColorIndex"); }
    int fontColorOption() const { return m_fontColorOption; }
    void setFontColorOption(int value) { changeValue(m_fontColorOption, value, "fontColorOption"); }
    QString textHexColorString() const { return m_textHexColorString; }
    void setTextHexColorString(const QString& value)
    {
        changeValue(m_textHexColorString, value, "textHexColorString");
    }
    QString hoverColorString() const { return m_hoverColorString; }
    void setHoverColorString(const QString& value)
    {
        changeValue(m_hoverColorString, value, "hoverColorString");
    }
    QString hoverTextColorString() const { return m_hoverTextColorString; }
    void setHoverTextColorString(const QString& value)
    {
        changeValue(m_hoverTextColorString, value, "hoverTextColorString");
    }
    QString fontFamily() const { return m_fontFamily; }
    void setFontFamily(const QString& value) { changeValue(m_fontFamily, value, "fontFamily"); }
    int fontSize() const { return m_fontSize; }
    void setFontSize(int value) { changeValue(m_fontSize, value, "fontSize"); }
    int fontAlignment() const { return m_fontAlignment; }
    void setFontAlignment(int value) { changeValue(m_fontAlignment, value, "fontAlignment"); }
    int verticalAlignment() const { return m_verticalAlignment; }
    void setVerticalAlignment(int value) { changeValue(m_verticalAlignment, value, "verticalAlignment"); }
    float lineSpacing() const { return m_lineSpacing; }
    void setLineSpacing(float value) { changeValue(m_lineSpacing, value, "lineSpacing"); }
    QString textType() const { return m_textType; }
    void setTextType(const QString& value) { changeValue(m_textType, value, "textType"); }
    int indentFlag() const { return m_indentFlag; }
    void setIndentFlag(int value) { changeValue(m_indentFlag, value, "indentFlag"); }
    int shadowFlag() const { return m_shadowFlag; }
    void setShadowFlag(int value) { changeValue(m_shadowFlag, value, "shadowFlag"); }
    float shadowRadius() const { return m_shadowRadius; }
    void setShadowRadius(float value) { changeValue(m_shadowRadius, value, "shadowRadius"); }
    float shadowHorizontalOffset() const { return m_shadowHorizontalOffset; }
    void setShadowHorizontalOffset(float value)
    {
        changeValue(m_shadowHorizontalOffset, value, "shadowHorizontalOffset");
    }
    float shadowVerticalOffset() const { return m_shadowVerticalOffset; }
    void setShadowVerticalOffset(float value)
    {
        changeValue(m_shadowVerticalOffset, value, "shadowVerticalOffset");
    }
    float rotationAngle() const { return m_rotationAngle; }
    void setRotationAngle(float value) { changeValue(m_rotationAngle, value, "rotationAngle"); }
    double reflection() const { return m_reflection; }
    void setReflection(double value) { changeValue(m_reflection, value, "reflection"); }
    QString link() const { return m_link; }
    void setLink(const QString& value) { changeValue(m_link, value, "link"); }
    QString linkOption() const { return m_linkOption; }
    void setLinkOption(const QString& value) { changeValue(m_linkOption, value, "linkOption"); }
    QString linkType() const { return m_linkType; }
    void setLinkType(const QString& value) { changeValue(m_linkType, value, "linkType"); }
    QString altText() const { return m_altText; }
    void setAltText(const QString& value) { changeValue(m_altText, value, "altText"); }
    QString imageName() const { return m_imageName; }
    void setImageName(const QString& value) { changeValue(m_imageName, value, "imageName"); }
    QString imageType() const { return m_imageType; }
    void setImageType(const QString& value) { changeValue(m_imageType, value, "imageType"); }
    QDateTime imageLastModDate() const { return m_imageLastModDate; }
    void setImageLastModDate(const QDateTime& value)
    {
        changeValue(m_imageLastModDate, value, "imageLastModDate");
    }
    float imageRotation() const { return m_imageRotation; }
    void setImageRotation(float value) { changeValue(m_imageRotation, value, "imageRotation"); }
    int imageEnlargeFlag() const { return m_imageEnlargeFlag; }
    void setImageEnlargeFlag(int value) { changeValue(m_imageEnlargeFlag, value, "imageEnlargeFlag"); }
    bool retinaFlag() const { return m_retinaFlag; }
    void setRetinaFlag(bool value) { changeValue(m_retinaFlag, value, "retinaFlag"); }
    QString dropboxLink() const { return m_dropboxLink; }
    void setDropboxLink(const QString& value) { changeValue(m_dropboxLink, value, "dropboxLink"); }
    int maskFlag() const { return m_maskFlag; }
    void setMaskFlag(int value) { changeValue(m_maskFlag, value, "maskFlag"); }
    int backdropLightingFlag() const { return m_backdropLightingFlag; }
    void setBackdropLightingFlag(int value)
    {
        changeValue(m_backdropLightingFlag, value, "backdropLightingFlag");
    }
    QString bubbleShape() const { return m_bubbleShape; }
    void setBubbleShape(const QString& value) { changeValue(m_bubbleShape, value, "bubbleShape"); }
    int shapeFlag() const { return m_shapeFlag; }
    void setShapeFlag(int value) { changeValue(m_shapeFlag, value, "shapeFlag"); }
    int slideNumber() const { return m_slideNumber; }
    void setSlideNumber(int value) { changeValue(m_slideNumber, value, "slideNumber"); }
    int slideWidth() const { return m_slideWidth; }
    void setSlideWidth(int value) { changeValue(m_slideWidth, value, "slideWidth"); }
    int slideShowNumber() const { return m_slideShowNumber; }
    void setSlideShowNumber(int value) { changeValue(m_slideShowNumber, value, "slideShowNumber"); }
    int slideShowAutomaticFlag() const { return m_slideShowAutomaticFlag; }
    void setSlideShowAutomaticFlag(int value)
    {
        changeValue(m_slideShowAutomaticFlag, value, "slideShowAutomaticFlag");
    }
    int galleryNumber() const { return m_galleryNumber; }
    void setGalleryNumber(int value) { changeValue(m_galleryNumber, value, "galleryNumber"); }
    int groupNumber() const { return m_groupNumber; }
    void setGroupNumber(int value) { changeValue(m_groupNumber, value, "groupNumber"); }
    int arrayTag() const { return m_arrayTag; }
    void setArrayTag(int value) { changeValue(m_arrayTag, value, "arrayTag"); }
    int manualLayerIndex() const { return m_manualLayerIndex; }
    void setManualLayerIndex(int value) { changeValue(m_manualLayerIndex, value, "manualLayerIndex"); }
    QString templateName() const { return m_templateName; }
    void setTemplateName(const QString& value) { changeValue(m_templateName, value, "templateName"); }
    bool selectable() const { return m_selectable; }
    void setSelectable(bool value) { changeValue(m_selectable, value, "selectable"); }
    bool selected() const { return m_selected; }
    void setSelected(bool value) { changeValue(m_selected, value, "selected"); }
    int moveLock() const { return m_moveLock; }
    void setMoveLock(int value) { changeValue(m_moveLock, value, "moveLock"); }
    int lockFlag() const { return m_lockFlag; }
    void setLockFlag(int value) { changeValue(m_lockFlag, value, "lockFlag"); }
    bool infoShownFlag() const { return m_infoShownFlag; }
    void setInfoShownFlag(bool value) { changeValue(m_infoShownFlag, value, "infoShownFlag"); }
    int scrollFlag() const { return m_scrollFlag; }
    void setScrollFlag(int value) { changeValue(m_scrollFlag, value, "scrollFlag"); }
    QString displayType() const { return m_displayType; }
    void setDisplayType(const QString& value) { changeValue(m_displayType, value, "displayType"); }
    bool matchScreenFlag() const { return m_matchScreenFlag; }
    void setMatchScreenFlag(bool value) { changeValue(m_matchScreenFlag, value, "matchScreenFlag"); }
    bool snippetFormatFlag() const { return m_snippetFormatFlag; }
    void setSnippetFormatFlag(bool value) { changeValue(m_snippetFormatFlag, value, "snippetFormatFlag"); }
    QString formType() const { return m_formType; }
    void setFormType(const QString& value) { changeValue(m_formType, value, "formType"); }
    int formTag() const { return m_formTag; }
    void setFormTag(int value) { changeValue(m_formTag, value, "formTag"); }
    int formOptionTag() const { return m_formOptionTag; }
    void setFormOptionTag(int value) { changeValue(m_formOptionTag, value, "formOptionTag"); }
    int formRequiredFlag() const { return m_formRequiredFlag; }
    void setFormRequiredFlag(int value) { changeValue(m_formRequiredFlag, value, "formRequiredFlag"); }
    int markAsReplyToEmailFlag() const { return m_markAsReplyToEmailFlag; }
    void setMarkAsReplyToEmailFlag(int value)
    {
        changeValue(m_markAsReplyToEmailFlag, value, "markAsReplyToEmailFlag");
    }
    // A line derives its points from its bounds and overrides these.
    virtual QPointF beginPoint() const { return m_beginPoint; }
    virtual void setBeginPoint(const QPointF& value) { changeValue(m_beginPoint, value, "beginPoint"); }
    virtual QPointF endPoint() const { return m_endPoint; }
    virtual void setEndPoint(const QPointF& value) { changeValue(m_endPoint, value, "endPoint"); }
    bool drawBeginArrow() const { return m_drawBeginArrow; }
    void setDrawBeginArrow(bool value) { changeValue(m_drawBeginArrow, value, "drawBeginArrow"); }
    bool drawEndArrow() const { return m_drawEndArrow; }
    void setDrawEndArrow(bool value) { changeValue(m_drawEndArrow, value, "drawEndArrow"); }
    QRectF lastNoOverlapRect() const { return m_lastNoOverlapRect; }
    void setLastNoOverlapRect(const QRectF& value)
    {
        changeValue(m_lastNoOverlapRect, value, "lastNoOverlapRect");
    }
    QPointF landingPoint() const { return m_landingPoint; }
    void setLandingPoint(const QPointF& value) { changeValue(m_landingPoint, value, "landingPoint"); }
    int originX() const { return m_originX; }
    void setOriginX(int value) { changeValue(m_originX, value, "originX"); }
    int originY() const { return m_originY; }
    void setOriginY(int value) { changeValue(m_originY, value, "originY"); }
    bool movingAsPartOfSection() const { return m_movingAsPartOfSection; }
    void setMovingAsPartOfSection(bool value)
    {
        changeValue(m_movingAsPartOfSection, value, "movingAsPartOfSection");
    }
    int sectionNumber() const { return m_sectionNumber; }
    void setSectionNumber(int value) { changeValue(m_sectionNumber, value, "sectionNumber"); }
    int sectionRowSpot() const { return m_sectionRowSpot; }
    void setSectionRowSpot(int value) { changeValue(m_sectionRowSpot, value, "sectionRowSpot"); }
    int sectionColumnSpot() const { return m_sectionColumnSpot; }
    void setSectionColumnSpot(int value) { changeValue(m_sectionColumnSpot, value, "sectionColumnSpot"); }
    QString sectionIDString() const { return m_sectionIDString; }
    void setSectionIDString(const QString& value)
    {
        changeValue(m_sectionIDString, value, "sectionIDString");
    }
    QString onClickShowString() const { return m_onClickShowString; }
    void setOnClickShowString(const QString& value)
    {
        changeValue(m_onClickShowString, value, "onClickShowString");
    }
    QString onClickHideString() const { return m_onClickHideString; }
    void setOnClickHideString(const QString& value)
    {
        changeValue(m_onClickHideString, value, "onClickHideString");
    }
    int initialLaunchStateFlag() const { return m_initialLaunchStateFlag; }
    void setInitialLaunchStateFlag(int value)
    {
        changeValue(m_initialLaunchStateFlag, value, "initialLaunchStateFlag");
    }
    int responsiveResizeFlag() const { return m_responsiveResizeFlag; }
    void setResponsiveResizeFlag(int value)
    {
        changeValue(m_responsiveResizeFlag, value, "responsiveResizeFlag");
    }
    int responsiveAlignment() const { return m_responsiveAlignment; }
    void setResponsiveAlignment(int value)
    {
        changeValue(m_responsiveAlignment, value, "responsiveAlignment");
    }
    int xsGridColumns() const { return m_xsGridColumns; }
    void setXsGridColumns(int value) { changeValue(m_xsGridColumns, value, "xsGridColumns"); }
    int smallGridColumns() const { return m_smallGridColumns; }
    void setSmallGridColumns(int value) { changeValue(m_smallGridColumns, value, "smallGridColumns"); }
    int mediumGridColumns() const { return m_mediumGridColumns; }
    void setMediumGridColumns(int value) { changeValue(m_mediumGridColumns, value, "mediumGridColumns"); }
    int largeGridColumns() const { return m_largeGridColumns; }
    void setLargeGridColumns(int value) { changeValue(m_largeGridColumns, value, "largeGridColumns"); }
    int sameHeightForAllRowsFlag() const { return m_sameHeightForAllRowsFlag; }
    void setSameHeightForAllRowsFlag(int value)
    {
        changeValue(m_sameHeightForAllRowsFlag, value, "sameHeightForAllRowsFlag");
    }
    int sameWidthForAllColumnsFlag() const { return m_sameWidthForAllColumnsFlag; }
    void setSameWidthForAllColumnsFlag(int value)
    {
        changeValue(m_sameWidthForAllColumnsFlag, value, "sameWidthForAllColumnsFlag");
    }
    int fixedWidthFlag() const { return m_fixedWidthFlag; }
    void setFixedWidthFlag(int value) { changeValue(m_fixedWidthFlag, value, "fixedWidthFlag"); }
    int fixedHeightFlag() const { return m_fixedHeightFlag; }
    void setFixedHeightFlag(int value) { changeValue(m_fixedHeightFlag, value, "fixedHeightFlag"); }
    // Measured first where a text graphic put its measuring off (see measureDeferredTextHeight).
    int textHeight() const;
    void setTextHeight(int value) { changeValue(m_textHeight, value, "textHeight"); }
    int bottomEdgeY() const { return m_bottomEdgeY; }
    void setBottomEdgeY(int value) { changeValue(m_bottomEdgeY, value, "bottomEdgeY"); }
    int topMargin() const { return m_topMargin; }
    void setTopMargin(int value) { changeValue(m_topMargin, value, "topMargin"); }
    int bottomMargin() const { return m_bottomMargin; }
    void setBottomMargin(int value) { changeValue(m_bottomMargin, value, "bottomMargin"); }
    int leftMargin() const { return m_leftMargin; }
    void setLeftMargin(int value) { changeValue(m_leftMargin, value, "leftMargin"); }
    int rightMargin() const { return m_rightMargin; }
    void setRightMargin(int value) { changeValue(m_rightMargin, value, "rightMargin"); }
    QString topMarginType() const { return m_topMarginType; }
    void setTopMarginType(const QString& value) { changeValue(m_topMarginType, value, "topMarginType"); }
    QString bottomMarginType() const { return m_bottomMarginType; }
    void setBottomMarginType(const QString& value)
    {
        changeValue(m_bottomMarginType, value, "bottomMarginType");
    }
    QString leftMarginType() const { return m_leftMarginType; }
    void setLeftMarginType(const QString& value) { changeValue(m_leftMarginType, value, "leftMarginType"); }
    QString rightMarginType() const { return m_rightMarginType; }
    void setRightMarginType(const QString& value)
    {
        changeValue(m_rightMarginType, value, "rightMarginType");
    }
    QString topMarginLevelString() const { return m_topMarginLevelString; }
    void setTopMarginLevelString(const QString& value)
    {
        changeValue(m_topMarginLevelString, value, "topMarginLevelString");
    }
    QString bottomMarginLevelString() const { return m_bottomMarginLevelString; }
    void setBottomMarginLevelString(const QString& value)
    {
        changeValue(m_bottomMarginLevelString, value, "bottomMarginLevelString");
    }
    QString leftMarginLevelString() const { return m_leftMarginLevelString; }
    void setLeftMarginLevelString(const QString& value)
    {
        changeValue(m_leftMarginLevelString, value, "leftMarginLevelString");
    }
    QString rightMarginLevelString() const { return m_rightMarginLevelString; }
    void setRightMarginLevelString(const QString& value)
    {
        changeValue(m_rightMarginLevelString, value, "rightMarginLevelString");
    }
    int topPadding() const { return m_topPadding; }
    void setTopPadding(int value) { changeValue(m_topPadding, value, "topPadding"); }
    int bottomPadding() const { return m_bottomPadding; }
    void setBottomPadding(int value) { changeValue(m_bottomPadding, value, "bottomPadding"); }
    int leftPadding() const { return m_leftPadding; }
    void setLeftPadding(int value) { changeValue(m_leftPadding, value, "leftPadding"); }
    int rightPadding() const { return m_rightPadding; }
    void setRightPadding(int value) { changeValue(m_rightPadding, value, "rightPadding"); }
    QString topPaddingType() const { return m_topPaddingType; }
    void setTopPaddingType(const QString& value) { changeValue(m_topPaddingType, value, "topPaddingType"); }
    QString bottomPaddingType() const { return m_bottomPaddingType; }
    void setBottomPaddingType(const QString& value)
    {
        changeValue(m_bottomPaddingType, value, "bottomPaddingType");
    }
    QString leftPaddingType() const { return m_leftPaddingType; }
    void setLeftPaddingType(const QString& value)
    {
        changeValue(m_leftPaddingType, value, "leftPaddingType");
    }
    QString rightPaddingType() const { return m_rightPaddingType; }
    void setRightPaddingType(const QString& value)
    {
        changeValue(m_rightPaddingType, value, "rightPaddingType");
    }
    QString topPaddingLevelString() const { return m_topPaddingLevelString; }
    void setTopPaddingLevelString(const QString& value)
    {
        changeValue(m_topPaddingLevelString, value, "topPaddingLevelString");
    }
    QString bottomPaddingLevelString() const { return m_bottomPaddingLevelString; }
    void setBottomPaddingLevelString(const QString& value)
    {
        changeValue(m_bottomPaddingLevelString, value, "bottomPaddingLevelString");
    }
    QString leftPaddingLevelString() const { return m_leftPaddingLevelString; }
    void setLeftPaddingLevelString(const QString& value)
    {
        changeValue(m_leftPaddingLevelString, value, "leftPaddingLevelString");
    }
    QString rightPaddingLevelString() const { return m_rightPaddingLevelString; }
    void setRightPaddingLevelString(const QString& value)
    {
        changeValue(m_rightPaddingLevelString, value, "rightPaddingLevelString");
    }

    // ---- box model (values of the last drawBoxModel) ----
    float topMarginInPx() const { return m_topMarginInPx; }
    float bottomMarginInPx() const { return m_bottomMarginInPx; }
    float leftMarginInPx() const { return m_leftMarginInPx; }
    float rightMarginInPx() const { return m_rightMarginInPx; }
    float topPaddingInPx() const { return m_topPaddingInPx; }
    float bottomPaddingInPx() const { return m_bottomPaddingInPx; }
    float leftPaddingInPx() const { return m_leftPaddingInPx; }
    float rightPaddingInPx() const { return m_rightPaddingInPx; }
    QRectF drawRect() const { return m_drawRect; }
    QRectF noMarginRect() const { return m_noMarginRect; }
    QRectF noMarginNoBorderRect() const { return m_noMarginNoBorderRect; }
    QRectF noPaddingNoMarginRect() const { return m_noPaddingNoMarginRect; }
    QRectF contentRect() const { return m_contentRect; }

    // Recomputes the eight pixel values and the five box rectangles from the current fields. A pure
    // layout step: the page writer may call it without anything being painted.
    virtual void drawBoxModel() const;
    // A text graphic built from a page measures its text when something first asks for the height,
    // not while the page opens; others have nothing to measure.
    virtual void measureDeferredTextHeight() {}
    // The area the canvas redraws for the graphic; recomputes the box model on the way.
    virtual QRectF drawingBounds() const;
    // Turns the eight level strings into numbers and units, then gives the graphic the height of
    // its margins, paddings and content.
    virtual void applyPaddingAndMargin();

    // ---- undo ----
    virtual QSet<QString> keysForValuesToObserveForUndo() const;
    QStringList keysForValuesToObserveForUndoList() const;
    // The user-visible name of an undoable key (looked up in "UndoStrings"); null for other keys.
    virtual QString presentablePropertyNameForKey(const QString& key) const;
    // Enters the model's entries into the "UndoStrings" table, keeping entries already there.
    static void registerUndoStrings();

    // ---- drawing ----
    // Paints the graphic into painter (canvas coordinates, y down). Painting only paints: every value
    // a writer reads is computed by the layout steps.
    virtual void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited);
    // The outline of the graphic. The base class has none and throws std::logic_error.
    virtual GraphicPath bezierPathForDrawing() const;
    // Paints a box on outline: the drop shadow, the fill (with the opacity) and the border by
    // borderStyle, all turned by rotationAngle about the centre of bounds.
    void paintBox(QPainter* painter, const QPainterPath& outline) const;
    virtual void drawHandlesInView(QPainter* painter);
    virtual void drawHandleInView(QPainter* painter, QPointF point);
    static QCursor creationCursor();
    virtual int creationSizingHandle() const { return LowerRightHandle; }

    // ---- capabilities and editing ----
    virtual bool canSetDrawingFill() const { return true; }
    virtual bool canSetDrawingStroke() const { return true; }
    virtual bool canMakeNaturalSize() const;
    virtual bool isContentsUnderPoint(QPointF point);
    // Hands the graphic's colours to the inspector's colour buttons through the page context.
    virtual void refreshSelectedColors();
    virtual void autoConvertLeftMargins() {}
    virtual void flipHorizontally() {}
    virtual void flipVertically() {}
    virtual void makeNaturalSize() {}
    // Turns the fill on (when it is off) and sets the fill colour, both through observed keys.
    virtual void setColor(const QColor& color);
    // The in-place editor; the base class has none.
    virtual QWidget* newEditingViewWithSuperviewBounds(const QRectF& superviewBounds);
    virtual void finalizeEditingView(QWidget* editingView) { Q_UNUSED(editingView); }

    // ---- handles ----
    // Where a handle stands on bounds; the null point for NoHandle.
    QPointF handlePoint(int handle) const;
    virtual int handleUnderPoint(QPointF point) const;
    virtual bool isHandleAtPoint(QPointF handlePoint, QPointF point) const;
    // Resizes by dragging handle to point; returns the handle the drag continues with (another one
    // after a flip).
    virtual int resizeByMovingHandle(int handle, QPointF point);
    static int horizontalFlipOfHandle(int handle);
    static int verticalFlipOfHandle(int handle);

    // ---- kinds other classes recognise ----
    // Section tables and images are ordinary graphics here; their classes answer these.
    virtual QString gridType() const { return {}; }
    bool isSectionTable() const;
    virtual bool isImageGraphic() const { return false; }
    virtual bool isLineGraphic() const { return false; }
    // The size of an image graphic's picture; empty for other graphics.
    virtual QSizeF inputImageSize() const { return {}; }
    // Tells an image graphic that its size changed.
    virtual void updateOriginalRect() {}

    // ---- colour palette ----
    // The edition palette's entry at a palette index (fillColorIndex, fontColorIndex); null for an
    // index outside the palette, including the negative "none" values.
    static QString paletteHexStringAtIndex(int index);

    // ---- page context ----
    QString getNextImageName() const;
    QString getCurrentDocPath() const;
    QPointF getLastTouchPoint() const;

    // ---- arrays of graphics ----
    // The union of the bounds; the zero rectangle for none. Empty rectangles do not count.
    static QRectF boundsOfGraphics(const QList<DRVGraphic*>& graphics);
    static QRectF drawingBoundsOfGraphics(const QList<DRVGraphic*>& graphics);
    // Moves the graphics by (dx, dy) under the page's rules: locks, the responsive layout,
    // sections and, with the overlap check, a snap-back 0.2 seconds after the last move.
    static void translateGraphics(const QList<DRVGraphic*>& graphics, double dx, double dy);
    // Whether moving the graphic down by dy would take it out of its section's content area.
    static bool isGraphicOutsideOfSection(DRVGraphic* graphic, int dy);
    // Whether rect would leave the graphic's section content area (grown by 2 on every side).
    // False when the graphic is in no section: there is no area to leave.
    static bool isGraphicContainedWithinSection(DRVGraphic* graphic, const QRectF& rect);
    // Puts a graphic that overlaps another one back at its last free position.
    static void checkforOverlap(DRVGraphic* graphic);
    // The delay of the overlap check after a move, and its key for the delayed-call queue.
    static constexpr int kOverlapCheckDelayMs = 200;
    static QString overlapCheckAction();

protected:
    QStringList keysAffectedByKey(const QString& key) const override;
    // Resizing rules of section tables; returns whether the resize may be applied.
    bool sectionAllowsResize(int handle, QPointF point, const QRectF& rect) const;

    QRectF m_bounds;
    bool m_drawingFill = false;
    QColor m_fillColor = QColor(Qt::transparent);
    bool m_drawingStroke = true;
    QColor m_strokeColor;
    double m_strokeWidth = 1.0;
    QString m_textString;

    double m_opacity = 1.0;
    double m_cornerRadius = 0;
    QString m_borderStyle = QStringLiteral("none");
    int m_borderWidth = 0;
    int m_border = 0;
    QColor m_borderColor;
    QString m_borderHexColorString;
    int m_fillColorIndex = -99;
    QString m_backgroundHexColorString;
    QColor m_fontColor;
    int m_fontColorIndex = -99;
    int m_fontColorOption = 0;
    QString m_textHexColorString;
    QString m_hoverColorString;
    QString m_hoverTextColorString;
    QString m_fontFamily;
    int m_fontSize = 0;
    int m_fontAlignment = 0;
    int m_verticalAlignment = 0;
    float m_lineSpacing = 0.0f;
    QString m_textType;
    int m_indentFlag = 0;
    int m_shadowFlag = 0;
    float m_shadowRadius = 0.0f;
    float m_shadowHorizontalOffset = 0.0f;
    float m_shadowVerticalOffset = 0.0f;
    float m_rotationAngle = 0.0f;
    double m_reflection = 0;
    QString m_link;
    QString m_linkOption = QStringLiteral("_self");
    QString m_linkType = QStringLiteral("text");
    QString m_altText;
    QString m_imageName;
    QString m_imageType;
    QDateTime m_imageLastModDate;
    float m_imageRotation = 0.0f;
    int m_imageEnlargeFlag = 0;
    bool m_retinaFlag = false;
    QString m_dropboxLink;
    int m_maskFlag = 0;
    int m_backdropLightingFlag = 0;
    QString m_bubbleShape;
    int m_shapeFlag = 0;
    int m_slideNumber = 0;
    int m_slideWidth = 0;
    int m_slideShowNumber = 0;
    int m_slideShowAutomaticFlag = 0;
    int m_galleryNumber = 0;
    int m_groupNumber = 0;
    int m_arrayTag = 0;
    int m_manualLayerIndex = 0;
    QString m_templateName;
    bool m_selectable = false;
    bool m_selected = false;
    int m_moveLock = 0;
    int m_lockFlag = 0;
    bool m_infoShownFlag = false;
    int m_scrollFlag = 0;
    QString m_displayType;
    bool m_matchScreenFlag = false;
    bool m_snippetFormatFlag = false;
    QString m_formType;
    int m_formTag = 0;
    int m_formOptionTag = 0;
    int m_formRequiredFlag = 0;
    int m_markAsReplyToEmailFlag = 0;
    QPointF m_beginPoint;
    QPointF m_endPoint;
    bool m_drawBeginArrow = false;
    bool m_drawEndArrow = false;
    QRectF m_lastNoOverlapRect;
    QPointF m_landingPoint;
    int m_originX = 0;
    int m_originY = 0;
    bool m_movingAsPartOfSection = false;
    int m_sectionNumber = 0;
    int m_sectionRowSpot = 0;
    int m_sectionColumnSpot = 0;
    QString m_sectionIDString;
    QString m_onClickShowString;
    QString m_onClickHideString;
    int m_initialLaunchStateFlag = 0;
    int m_responsiveResizeFlag = 0;
    int m_responsiveAlignment = 0;
    int m_xsGridColumns = 0;
    int m_smallGridColumns = 0;
    int m_mediumGridColumns = 0;
    int m_largeGridColumns = 0;
    int m_sameHeightForAllRowsFlag = 0;
    int m_sameWidthForAllColumnsFlag = 0;
    int m_fixedWidthFlag = 0;
    int m_fixedHeightFlag = 0;
    int m_textHeight = 0;
    int m_bottomEdgeY = 0;
    int m_topMargin = 0;
    int m_bottomMargin = 0;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    QString m_topMarginType;
    QString m_bottomMarginType;
    QString m_leftMarginType;
    QString m_rightMarginType;
    QString m_topMarginLevelString;
    QString m_bottomMarginLevelString;
    QString m_leftMarginLevelString;
    QString m_rightMarginLevelString;
    int m_topPadding = 0;
    int m_bottomPadding = 0;
    int m_leftPadding = 0;
    int m_rightPadding = 0;
    QString m_topPaddingType;
    QString m_bottomPaddingType;
    QString m_leftPaddingType;
    QString m_rightPaddingType;
    QString m_topPaddingLevelString;
    QString m_bottomPaddingLevelString;
    QString m_leftPaddingLevelString;
    QString m_rightPaddingLevelString;

    mutable float m_topMarginInPx = 0.0f;
    mutable float m_bottomMarginInPx = 0.0f;
    mutable float m_leftMarginInPx = 0.0f;
    mutable float m_rightMarginInPx = 0.0f;
    mutable float m_topPaddingInPx = 0.0f;
    mutable float m_bottomPaddingInPx = 0.0f;
    mutable float m_leftPaddingInPx = 0.0f;
    mutable float m_rightPaddingInPx = 0.0f;
    mutable QRectF m_drawRect;
    mutable QRectF m_noMarginRect;
    mutable QRectF m_noMarginNoBorderRect;
    mutable QRectF m_noPaddingNoMarginRect;
    mutable QRectF m_contentRect;
};
