// Turns the carriers of a loaded page (page order) into graphic property dictionaries, each with
// its "className" and "templateName". Text boxes, images and lines become graphics of their own;
// table cells and images are gathered into their tables, slides into their slideshows and
// pictures into their galleries.
#pragma once
#include <QList>
#include <QString>
#include <QVariantList>

class QObject;

class CarrierConversion
{
public:
    static QVariantList convertArrayToProperties(const QList<QObject*>& carriers,
                                                 const QString& templateName);
};
