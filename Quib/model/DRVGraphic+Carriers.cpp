#include "model/CarrierConversion.h"
#include "model/DRVGraphic.h"

QVariantList DRVGraphic::convertArrayToProperties(const QList<QObject*>& carriers,
                                                  const QString& templateName)
{
    return CarrierConversion::convertArrayToProperties(carriers, templateName);
}

QList<DRVGraphic*> DRVGraphic::graphicsWithProperties(const QList<QObject*>& carriers,
                                                      const QString& templateName, QObject* parent)
{
    return CarrierConversion::graphicsWithCarriers(carriers, templateName, parent);
}
