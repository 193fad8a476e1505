// The carrier of one image element: a free image, a slide, a gallery picture, a table cell image
// or a table's background image. Galleries, slideshows and tables keep their pictures as these
// records for their whole life.
#pragma once
#include "model/CarrierProperty.h"
#include "platform/Observable.h"

#include <QDateTime>
#include <QImage>
#include <QRectF>
#include <QString>

class TransformView : public platform::Observable
{
    Q_OBJECT
    // View state: the picture's pixels and its rectangle in page pixels. A gallery or table that
    // draws the picture writes frame, bounds and galleryDimension alike.
    QUIB_CARRIER_PROPERTY(QImage, image, setImage)
    QUIB_CARRIER_PROPERTY(QRectF, frame, setFrame)
    QUIB_CARRIER_PROPERTY(QRectF, bounds, setBounds)

    QUIB_CARRIER_PROPERTY(QString, imageName, setImageName)
    QUIB_CARRIER_PROPERTY(QString, imageType, setImageType)
    QUIB_CARRIER_PROPERTY(QDateTime, imageLastModDate, setImageLastModDate)
    QUIB_CARRIER_PROPERTY(QString, altText, setAltText)
    QUIB_CARRIER_PROPERTY(QString, link, setLink)
    QUIB_CARRIER_PROPERTY(QString, linkOption, setLinkOption)
    QUIB_CARRIER_PROPERTY(QString, borderStyle, setBorderStyle)
    QUIB_CARRIER_PROPERTY(int, borderWidth, setBorderWidth)
    QUIB_CARRIER_PROPERTY(QString, borderHexColorString, setBorderHexColorString)
    QUIB_CARRIER_PROPERTY(int, border, setBorder)
    // Opacity as the carrier conversion reads it.
    QUIB_CARRIER_PROPERTY(float, alpha, setAlpha)
    // Opacity as table code sets it and page generation reads it.
    QUIB_CARRIER_PROPERTY(float, opacity, setOpacity)
    QUIB_CARRIER_PROPERTY(float, reflection, setReflection)
    QUIB_CARRIER_PROPERTY(QImage, maskImage, setMaskImage)
    QUIB_CARRIER_PROPERTY(int, bubbleFlag, setBubbleFlag)
    QUIB_CARRIER_PROPERTY(QString, bubbleShape, setBubbleShape)
    QUIB_CARRIER_PROPERTY(int, shadowFlag, setShadowFlag)
    QUIB_CARRIER_PROPERTY(float, shadowRadius, setShadowRadius)
    QUIB_CARRIER_PROPERTY(float, shadowHorizontalOffset, setShadowHorizontalOffset)
    QUIB_CARRIER_PROPERTY(float, shadowVerticalOffset, setShadowVerticalOffset)
    QUIB_CARRIER_PROPERTY(float, rotationAngle, setRotationAngle)
    QUIB_CARRIER_PROPERTY(int, retinaFlag, setRetinaFlag)
    QUIB_CARRIER_PROPERTY(int, forceNonRetinaFlag, setForceNonRetinaFlag)
    QUIB_CARRIER_PROPERTY(int, imageEnlargeFlag, setImageEnlargeFlag)
    QUIB_CARRIER_PROPERTY(int, backdropLightingFlag, setBackdropLightingFlag)
    QUIB_CARRIER_PROPERTY(int, originX, setOriginX)
    QUIB_CARRIER_PROPERTY(int, originY, setOriginY)
    QUIB_CARRIER_PROPERTY(int, originalWidth, setOriginalWidth)
    QUIB_CARRIER_PROPERTY(int, originalHeight, setOriginalHeight)
    QUIB_CARRIER_PROPERTY(QRectF, galleryDimension, setGalleryDimension)
    QUIB_CARRIER_PROPERTY(int, galleryNumber, setGalleryNumber)
    QUIB_CARRIER_PROPERTY(int, tableNumber, setTableNumber)
    QUIB_CARRIER_PROPERTY(int, rowSpot, setRowSpot)
    QUIB_CARRIER_PROPERTY(int, columnSpot, setColumnSpot)
    QUIB_CARRIER_PROPERTY(int, slideShowNumber, setSlideShowNumber)
    QUIB_CARRIER_PROPERTY(int, slideNumber, setSlideNumber)
    QUIB_CARRIER_PROPERTY(int, slideWidth, setSlideWidth)
    QUIB_CARRIER_PROPERTY(int, groupNumber, setGroupNumber)
    QUIB_CARRIER_PROPERTY(int, sectionNumber, setSectionNumber)
    QUIB_CARRIER_PROPERTY(int, sectionRowSpot, setSectionRowSpot)
    QUIB_CARRIER_PROPERTY(int, sectionColumnSpot, setSectionColumnSpot)
    QUIB_CARRIER_PROPERTY(QString, templateName, setTemplateName)
    QUIB_CARRIER_PROPERTY(int, moveLock, setMoveLock)
    QUIB_CARRIER_PROPERTY(int, selectable, setSelectable)
    QUIB_CARRIER_PROPERTY(int, selected, setSelected)
    QUIB_CARRIER_PROPERTY(int, toRemoveFlag, setToRemoveFlag)
    QUIB_CARRIER_PROPERTY(int, manualLayerIndex, setManualLayerIndex)
    QUIB_CARRIER_PROPERTY(int, scrollFlag, setScrollFlag)
    QUIB_CARRIER_PROPERTY(int, responsiveResizeFlag, setResponsiveResizeFlag)
    QUIB_CARRIER_PROPERTY(int, responsiveAlignment, setResponsiveAlignment)
    QUIB_CARRIER_PROPERTY(QString, dropboxLink, setDropboxLink)
    // The z-order index of the element, set by the page reader and the page pass.
    QUIB_CARRIER_PROPERTY(int, tag, setTag)
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

public:
    // Every value 0, null or the zero rectangle but the frame.
    explicit TransformView(const QRectF& frame = {}, QObject* parent = nullptr);
};
