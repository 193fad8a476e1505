// The carrier of one line between the saved page and the graphic model.
#pragma once
#include "model/CarrierProperty.h"
#include "platform/Observable.h"

#include <QPointF>
#include <QString>

class LineView : public platform::Observable
{
    Q_OBJECT
    QUIB_CARRIER_PROPERTY(QPointF, beginPoint, setBeginPoint)
    QUIB_CARRIER_PROPERTY(QPointF, endPoint, setEndPoint)
    QUIB_CARRIER_PROPERTY(int, groupNumber, setGroupNumber)
    // The "fixed" entry of the line's style rule, 0 when absent.
    QUIB_CARRIER_PROPERTY(int, moveLock, setMoveLock)
    QUIB_CARRIER_PROPERTY(QString, templateName, setTemplateName)
    QUIB_CARRIER_PROPERTY(int, scrollFlag, setScrollFlag)
    QUIB_CARRIER_PROPERTY(int, manualLayerIndex, setManualLayerIndex)
    QUIB_CARRIER_PROPERTY(QString, borderStyle, setBorderStyle)
    QUIB_CARRIER_PROPERTY(int, borderWidth, setBorderWidth)
    QUIB_CARRIER_PROPERTY(QString, borderHexColorString, setBorderHexColorString)
    // The "z-index" entry of the line's style rule.
    QUIB_CARRIER_PROPERTY(int, tag, setTag)
    QUIB_CARRIER_PROPERTY(bool, drawBeginArrow, setDrawBeginArrow)
    QUIB_CARRIER_PROPERTY(bool, drawEndArrow, setDrawEndArrow)
    // The line's opacity, as a view's alpha; 1 for a new carrier.
    QUIB_CARRIER_PROPERTY(double, alphaValue, setAlphaValue)

public:
    explicit LineView(QObject* parent = nullptr);
};
