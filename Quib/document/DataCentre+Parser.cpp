// DataCentre helpers of saved-page reading.
#include "editions/DataCentre.h"

#include <QFileInfo>
#include <limits>

qint32 DataCentre::grabFileSize(const QString& path)
{
    if (path.isEmpty())
        return 0;
    const QFileInfo info(path);
    if (!info.isFile())
        return 0;
    return qint32(std::min<qint64>(info.size(), std::numeric_limits<qint32>::max()));
}
