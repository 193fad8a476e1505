#include "model/ImageCounterHelp.h"

#include "editions/DataCentre.h"
#include "platform/StringRules.h"

ImageCounterHelp ImageCounterHelp::withImage(DRVImage* image, const QString& name)
{
    ImageCounterHelp record;
    record.drvImage = image;
    record.imageName = name;
    record.imageNameIndex = imageNameIndexOfName(name);
    return record;
}

int ImageCounterHelp::imageNameIndexOfName(const QString& name)
{
    return platform::intValue(platform::substringFromIndex(name, 5));
}

QList<ImageCounterHelp> ImageCounterHelp::sortedByImageNameIndex(const QList<ImageCounterHelp>& records)
{
    return DataCentre::sortArray(records, &ImageCounterHelp::imageNameIndex, true);
}
