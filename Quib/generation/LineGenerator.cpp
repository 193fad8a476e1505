#include "generation/LineGenerator.h"

#include "document/DRVDocument.h"
#include "model/DRVGraphic.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/StringRules.h"

namespace {

QString text(const QString& value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

} // namespace

QString LineGenerator::generateLineRules(DRVDocument& document)
{
    const QList<DRVGraphic*> lines = document.lineArray();
    QString rules;
    int number = 0;
    for (auto it = lines.crbegin(); it != lines.crend(); ++it, ++number) {
        DRVGraphic* line = *it;
        const int layer = document.layerIndexForGraphic(line);

        QString templateName = platform::stringByDeletingPathExtension(line->templateName());
        if (templateName.isEmpty() || templateName == QStringLiteral("(null)"))
            templateName = document.mainTemplateName();
        line->setTemplateName(templateName);

        const QPointF begin = line->beginPoint();
        const QPointF end = line->endPoint();
        rules += platform::format(
            QStringLiteral(
                "\n.line%d{position:%@;lineOriginX:%d;lineOriginY:%d;lineEndX:%d;lineEndY:%d;z-index:%d;"
                "fixed:%d;lineAlpha:%f;border-style:%@;border-width:%dpx;border-color:#%@;groupNumber:%d;"
                "shadowFlag:%d;templateName:%@;manualLayerIndex:%d;drawBeginArrow:%d;drawEndArrow:%d;}\n"),
            {number, line->scrollFlag() == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute"),
             platform::truncToInt(begin.x()), platform::truncToInt(begin.y()), platform::truncToInt(end.x()),
             platform::truncToInt(end.y()), layer, line->moveLock(), line->opacity(),
             text(line->borderStyle()), line->borderWidth(), text(line->borderHexColorString()),
             line->groupNumber(), line->shadowFlag(), text(templateName), line->manualLayerIndex(),
             line->drawBeginArrow(), line->drawEndArrow()});
    }
    return rules;
}
