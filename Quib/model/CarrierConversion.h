// Turns the carriers of a loaded page (page order) into graphic property dictionaries, each with
// its "className" and "templateName". Text boxes, images and lines become graphics of their own;
// table cells and images are gathered into their tables, slides into their slideshows and
// pictures into their galleries.
#pragma once
#include <QList>
#include <QString>
#include <QVariantList>

class DRVGraphic;
class QObject;

class CarrierConversion
{
public:
    static QVariantList convertArrayToProperties(const QList<QObject*>& carriers,
                                                 const QString& templateName);
    // The graphics those dictionaries make, in the same order, each with parent. The text boxes of
    // no table are built on the thread pool and handed over to parent's thread.
    static QList<DRVGraphic*> graphicsWithCarriers(const QList<QObject*>& carriers,
                                                   const QString& templateName, QObject* parent);
};
