// The carrier of a gallery grid as the page reader finds it. Its pictures travel as TransformView
// carriers that carry its galleryNumber.
#pragma once
#include "model/CarrierProperty.h"
#include "platform/Observable.h"

#include <QRectF>
#include <QString>

class GalleryGridView : public platform::Observable
{
    Q_OBJECT
    QUIB_CARRIER_PROPERTY(QRectF, frame, setFrame)
    QUIB_CARRIER_PROPERTY(QRectF, bounds, setBounds)
    QUIB_CARRIER_PROPERTY(int, tag, setTag)
    QUIB_CARRIER_PROPERTY(int, moveLock, setMoveLock)
    QUIB_CARRIER_PROPERTY(int, scrollFlag, setScrollFlag)
    QUIB_CARRIER_PROPERTY(int, galleryNumber, setGalleryNumber)
    QUIB_CARRIER_PROPERTY(int, groupNumber, setGroupNumber)
    QUIB_CARRIER_PROPERTY(int, numOfRows, setNumOfRows)
    QUIB_CARRIER_PROPERTY(int, numOfColumns, setNumOfColumns)
    QUIB_CARRIER_PROPERTY(int, shadowFlag, setShadowFlag)
    QUIB_CARRIER_PROPERTY(int, padding, setPadding)
    QUIB_CARRIER_PROPERTY(QString, templateName, setTemplateName)
    QUIB_CARRIER_PROPERTY(int, backdropLightingFlag, setBackdropLightingFlag)
    QUIB_CARRIER_PROPERTY(int, manualLayerIndex, setManualLayerIndex)

public:
    explicit GalleryGridView(const QRectF& frame = {}, QObject* parent = nullptr);
};
