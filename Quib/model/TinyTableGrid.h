// One square of the layout grid with which page generation lays a section cell out as an HTML
// table. Lives only while one section cell is laid out.
#pragma once
#include "model/CarrierProperty.h"
#include "platform/Observable.h"

#include <QRectF>
#include <QVariant>

class TinyTableGrid : public platform::Observable
{
    Q_OBJECT
    QUIB_CARRIER_PROPERTY(int, rowIndex, setRowIndex)
    QUIB_CARRIER_PROPERTY(int, columnIndex, setColumnIndex)
    QUIB_CARRIER_PROPERTY(QRectF, gridRect, setGridRect)
    QUIB_CARRIER_PROPERTY(int, hasContentFlag, setHasContentFlag)
    // The HTML fragment that starts in this square. Page generation stores its own fragment record
    // here (QVariant::fromValue); the model never looks inside.
    QUIB_CARRIER_PROPERTY(QVariant, codeWidgetHelpder, setCodeWidgetHelpder)
    QUIB_CARRIER_PROPERTY(int, rowspan, setRowspan)
    QUIB_CARRIER_PROPERTY(int, colspan, setColspan)
    QUIB_CARRIER_PROPERTY(int, skipFlag, setSkipFlag)
    QUIB_CARRIER_PROPERTY(int, gridWidth, setGridWidth)
    QUIB_CARRIER_PROPERTY(int, gridHeight, setGridHeight)

public:
    explicit TinyTableGrid(QObject* parent = nullptr);
};
