// The carrier of a slideshow's settings between the saved page, the slideshow factory and the
// graphic model. Its slides travel as TransformView carriers with its slideShowNumber.
#pragma once
#include "model/CarrierProperty.h"
#include "platform/Observable.h"

#include <QRectF>
#include <QString>

class OuterSlideShow : public platform::Observable
{
    Q_OBJECT
    QUIB_CARRIER_PROPERTY(QRectF, frame, setFrame)
    QUIB_CARRIER_PROPERTY(int, slideShowNumber, setSlideShowNumber)
    QUIB_CARRIER_PROPERTY(int, slideShowAutomaticFlag, setSlideShowAutomaticFlag)
    QUIB_CARRIER_PROPERTY(int, groupNumber, setGroupNumber)
    QUIB_CARRIER_PROPERTY(QString, templateName, setTemplateName)
    QUIB_CARRIER_PROPERTY(int, scrollFlag, setScrollFlag)
    QUIB_CARRIER_PROPERTY(int, manualLayerIndex, setManualLayerIndex)
    QUIB_CARRIER_PROPERTY(int, moveLock, setMoveLock)
    QUIB_CARRIER_PROPERTY(QString, textType, setTextType)
    QUIB_CARRIER_PROPERTY(int, originX, setOriginX)
    QUIB_CARRIER_PROPERTY(int, originY, setOriginY)
    QUIB_CARRIER_PROPERTY(int, tag, setTag)
    QUIB_CARRIER_PROPERTY(int, selected, setSelected)
    QUIB_CARRIER_PROPERTY(int, arrowWidth, setArrowWidth)
    QUIB_CARRIER_PROPERTY(int, arrowHeight, setArrowHeight)
    // Where the previous-arrow button stands; the next button is not made with the carrier.
    QUIB_CARRIER_PROPERTY(QRectF, previousButtonFrame, setPreviousButtonFrame)

public:
    // Arrows 40 by 50, the previous arrow at (0, H/2) for the frame's height H.
    explicit OuterSlideShow(const QRectF& frame = {}, QObject* parent = nullptr);
};
