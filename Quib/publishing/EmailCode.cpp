#include "publishing/EmailCode.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "generation/TextEscaping.h"
#include "model/DRVGraphic.h"
#include "model/DRVImage.h"
#include "model/DRVTable.h"
#include "model/ImageCounterHelp.h"
#include "model/myTextView.h"
#include "platform/Format.h"

#include <QLocale>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace {

const QString kTemplate = QStringLiteral(
    "<html>\n<head>\n<meta name=\"viewport\" content=\"width=device-width,minimum-scale=1, maximum-scale=1\" "
    "/>\n</head>\n<body bgcolor=\"#%1\" align=center>\n<center><table bgcolor=\"#%1\" "
    "align=center><tr><td>%2<p>\n<div id=\"imgmapdiv\">\n<map name=\"map1\">\n%3</map>\n</div>\n<img src=%4 "
    "width=%5 height=%6 border=0 usemap=\"#map1\" alt=%7>\n<p>%8<p>\n</td></tr></table></body></html>");

// Coordinates are whole pixels, cut toward zero as the map has always been.
int whole(double value)
{
    if (!std::isfinite(value))
        return 0;
    return int(std::clamp(std::trunc(value), -1.0e9, 1.0e9));
}

QString withBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.replace(u'\n', QStringLiteral("<br>"));
}

} // namespace

const QString& EmailCode::pictureFileName()
{
    static const QString name = QStringLiteral("ulmira.png");
    return name;
}

const QString& EmailCode::messageFileName()
{
    static const QString name = QStringLiteral("imagemap.html");
    return name;
}

QString EmailCode::imageSource(const EmailCodeSettings& settings)
{
    if (settings.hostingMode == QLatin1String("dropbox"))
        return settings.dropboxLink;
    if (settings.hostingMode == QLatin1String("ftp"))
        return platform::formatText(QStringLiteral("%@/%@"), {settings.baseURL, settings.remoteFileName});
    return pictureFileName();
}

bool EmailCode::isAreaLink(const QString& link)
{
    return !link.isEmpty() && link != QLatin1String("http://");
}

QString EmailCode::areaElement(int x, int y, int w, int h, const QString& link)
{
    return QStringLiteral("<area shape=\"RECT\" coords=\"%1,%2,%3,%4\" href=%5>\n")
        .arg(std::max(x, 0))
        .arg(std::max(y, 0))
        .arg(qint64(x) + w)
        .arg(qint64(y) + h)
        .arg(TextEscaping::quotedAttribute(link));
}

QString EmailCode::areas(const DRVDocument& document)
{
    QString result;

    QList<ImageCounterHelp> records;
    for (DRVGraphic* graphic : document.images())
        if (auto* image = qobject_cast<DRVImage*>(graphic))
            records.append(ImageCounterHelp::withImage(image, image->imageName()));
    for (const ImageCounterHelp& record : ImageCounterHelp::sortedByImageNameIndex(records)) {
        const DRVImage* image = record.drvImage;
        const QRectF bounds = image->bounds();
        const int x = whole(bounds.x());
        const int y = whole(bounds.y());
        const int w = whole(bounds.width());
        int h = whole(bounds.height());
        // The area covers the picture, not the reflection drawn under it.
        if (image->reflection() > 0)
            h = whole(double(float(h) / float(image->reflection() + 1.0)));
        if (image->slideShowNumber() == -99 && isAreaLink(image->link()))
            result += areaElement(x, y, w, h, image->link());
    }

    for (DRVGraphic* text : document.textAreas()) {
        if (text->textType() != QLatin1String("Text") || !isAreaLink(text->link()))
            continue;
        const QRectF bounds = text->bounds();
        result += areaElement(whole(bounds.x()), whole(bounds.y()), whole(bounds.width()),
                              whole(bounds.height()), text->link());
    }

    for (DRVGraphic* graphic : document.tables()) {
        auto* table = qobject_cast<DRVTable*>(graphic);
        if (!table)
            continue;
        const QList<myTextView*> cells = table->cellHelperArray();
        for (auto cell = cells.crbegin(); cell != cells.crend(); ++cell) {
            if (*cell && isAreaLink((*cell)->link()))
                result += areaElement((*cell)->originX(), (*cell)->originY(), (*cell)->width(),
                                      (*cell)->height(), (*cell)->link());
        }
    }
    return result;
}

QString EmailCode::generate(const DRVDocument& document, const EmailCodeSettings& settings)
{
    QString color =
        settings.backgroundColor.isValid() ? DataCentre::asHexString(settings.backgroundColor) : QString();
    if (color.isEmpty())
        color = QStringLiteral("FFFFFF");
    const int margin = settings.noExportMargin ? 0 : 50;
    const int width = std::max(settings.pictureSize.width(), 0) + margin;
    const int height = std::max(settings.pictureSize.height(), 0) + margin;
    // One pass over the template: a value is never searched for placeholders.
    return kTemplate.arg(color, withBreaks(settings.header), areas(document),
                         TextEscaping::quotedAttribute(imageSource(settings)), QString::number(width),
                         QString::number(height), TextEscaping::quotedAttribute(settings.tooltip),
                         withBreaks(settings.footer));
}

QString EmailCode::hostedFileName(const QDateTime& now, const QString& suffix)
{
    const QString stamp =
        QLocale(QLocale::English, QLocale::UnitedStates).toString(now, QStringLiteral("MMMddyyyyddddHHmmss"));
    return platform::formatText(QStringLiteral("%@-%@_%@"), {stamp, suffix, pictureFileName()});
}

QString EmailCode::randomSuffix()
{
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(kAlphabet[QRandomGenerator::global()->bounded(36)]);
    return suffix;
}
