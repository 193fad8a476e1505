// The carrier of a table, section or other grid component as the page reader finds it. Its cells
// and images travel as separate carriers that carry its tableNumber.
#pragma once
#include "model/CarrierProperty.h"
#include "platform/Observable.h"

#include <QRectF>
#include <QString>

class TableGridView : public platform::Observable
{
    Q_OBJECT
    QUIB_CARRIER_PROPERTY(QRectF, frame, setFrame)
    QUIB_CARRIER_PROPERTY(QRectF, bounds, setBounds)
    QUIB_CARRIER_PROPERTY(int, tag, setTag)
    QUIB_CARRIER_PROPERTY(int, moveLock, setMoveLock)
    QUIB_CARRIER_PROPERTY(int, scrollFlag, setScrollFlag)
    QUIB_CARRIER_PROPERTY(int, tableNumber, setTableNumber)
    QUIB_CARRIER_PROPERTY(int, numOfRows, setNumOfRows)
    QUIB_CARRIER_PROPERTY(int, numOfColumns, setNumOfColumns)
    QUIB_CARRIER_PROPERTY(int, groupNumber, setGroupNumber)
    QUIB_CARRIER_PROPERTY(int, manualLayerIndex, setManualLayerIndex)
    QUIB_CARRIER_PROPERTY(int, shadowFlag, setShadowFlag)
    QUIB_CARRIER_PROPERTY(int, padding, setPadding)
    QUIB_CARRIER_PROPERTY(QString, templateName, setTemplateName)
    QUIB_CARRIER_PROPERTY(QString, gridType, setGridType)
    QUIB_CARRIER_PROPERTY(QString, sectionIDString, setSectionIDString)
    QUIB_CARRIER_PROPERTY(int, initialLaunchStateFlag, setInitialLaunchStateFlag)
    QUIB_CARRIER_PROPERTY(QString, topPaddingLevelString, setTopPaddingLevelString)
    QUIB_CARRIER_PROPERTY(QString, bottomPaddingLevelString, setBottomPaddingLevelString)
    QUIB_CARRIER_PROPERTY(QString, leftPaddingLevelString, setLeftPaddingLevelString)
    QUIB_CARRIER_PROPERTY(QString, rightPaddingLevelString, setRightPaddingLevelString)
    QUIB_CARRIER_PROPERTY(QString, topMarginLevelString, setTopMarginLevelString)
    QUIB_CARRIER_PROPERTY(QString, bottomMarginLevelString, setBottomMarginLevelString)
    QUIB_CARRIER_PROPERTY(QString, leftMarginLevelString, setLeftMarginLevelString)
    QUIB_CARRIER_PROPERTY(QString, rightMarginLevelString, setRightMarginLevelString)
    QUIB_CARRIER_PROPERTY(QString, topPaddingType, setTopPaddingType)
    QUIB_CARRIER_PROPERTY(QString, bottomPaddingType, setBottomPaddingType)
    QUIB_CARRIER_PROPERTY(QString, leftPaddingType, setLeftPaddingType)
    QUIB_CARRIER_PROPERTY(QString, rightPaddingType, setRightPaddingType)
    QUIB_CARRIER_PROPERTY(QString, topMarginType, setTopMarginType)
    QUIB_CARRIER_PROPERTY(QString, bottomMarginType, setBottomMarginType)
    QUIB_CARRIER_PROPERTY(QString, leftMarginType, setLeftMarginType)
    QUIB_CARRIER_PROPERTY(QString, rightMarginType, setRightMarginType)
    QUIB_CARRIER_PROPERTY(int, topPadding, setTopPadding)
    QUIB_CARRIER_PROPERTY(int, bottomPadding, setBottomPadding)
    QUIB_CARRIER_PROPERTY(int, leftPadding, setLeftPadding)
    QUIB_CARRIER_PROPERTY(int, rightPadding, setRightPadding)
    QUIB_CARRIER_PROPERTY(int, topMargin, setTopMargin)
    QUIB_CARRIER_PROPERTY(int, bottomMargin, setBottomMargin)
    QUIB_CARRIER_PROPERTY(int, leftMargin, setLeftMargin)
    QUIB_CARRIER_PROPERTY(int, rightMargin, setRightMargin)

public:
    explicit TableGridView(const QRectF& frame = {}, QObject* parent = nullptr);
};
