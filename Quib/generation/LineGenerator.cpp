#include "generation/LineGenerator.h"

#include "document/DRVDocument.h"
#include "generation/PageFormat.h"
#include "generation/TextEscaping.h"
#include "model/DRVGraphic.h"
#include "model/DRVLine.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/StringRules.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

using generation::format;

namespace {

QString number(double value)
{
    QString text = QString::asprintf("%.2f", value);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

} // namespace

LineGenerator::Output LineGenerator::generateLines(DRVDocument& document)
{
    const QList<DRVGraphic*> lines = document.lineArray();
    Output out;
    int n = 0;
    for (auto it = lines.crbegin(); it != lines.crend(); ++it, ++n) {
        DRVGraphic* line = *it;
        const int layer = document.layerIndexForGraphic(line);

        QString templateName = platform::stringByDeletingPathExtension(line->templateName());
        if (templateName.isEmpty() || templateName == QStringLiteral("(null)"))
            templateName = document.mainTemplateName();
        line->setTemplateName(templateName);

        const QPointF begin = line->beginPoint();
        const QPointF end = line->endPoint();
        out.rules += format(
            QStringLiteral(
                "\n.line%d{position:%@;lineOriginX:%d;lineOriginY:%d;lineEndX:%d;lineEndY:%d;z-index:%d;"
                "fixed:%d;lineAlpha:%f;border-style:%@;border-width:%dpx;border-color:#%@;groupNumber:%d;"
                "shadowFlag:%d;templateName:%@;manualLayerIndex:%d;drawBeginArrow:%d;drawEndArrow:%d;}\n"),
            {n, line->scrollFlag() == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute"),
             platform::truncToInt(begin.x()), platform::truncToInt(begin.y()), platform::truncToInt(end.x()),
             platform::truncToInt(end.y()), layer, line->moveLock(), line->opacity(),
             TextEscaping::cssRuleValue(line->borderStyle()), line->borderWidth(),
             TextEscaping::cssColourValue(line->borderHexColorString()), line->groupNumber(),
             line->shadowFlag(), TextEscaping::cssRuleValue(templateName), line->manualLayerIndex(),
             line->drawBeginArrow(), line->drawEndArrow()});
        if (auto* drawn = qobject_cast<DRVLine*>(line))
            out.shapes += lineShape(*drawn, n, layer);
    }
    return out;
}

QString LineGenerator::lineShape(const DRVLine& line, int n, int layer)
{
    // Only six hex digits reach the shape; a clear or unreadable colour draws nothing.
    const QString colour = TextEscaping::cssColourValue(line.borderHexColorString());
    if (colour.isEmpty() || colour == QStringLiteral("CLEAR0"))
        return QStringLiteral("");
    const double opacity = std::clamp(std::isfinite(line.opacity()) ? line.opacity() : 1.0, 0.0, 1.0);
    const QString style = line.borderStyle();
    double width = std::max(0, line.borderWidth());
    // As the canvas: a dashed or dotted line is at least one wide, a solid line of width 0 is the
    // thinnest line the screen shows.
    if (width == 0 && (style == QStringLiteral("dashed") || style == QStringLiteral("dotted")))
        width = 1;
    const bool stroked = style == QStringLiteral("solid") || style == QStringLiteral("dashed") ||
                         style == QStringLiteral("dotted");
    if (!stroked && !line.drawBeginArrow() && !line.drawEndArrow())
        return QStringLiteral("");

    const QPointF begin = line.beginPoint();
    const QPointF end = line.endPoint();
    const QPointF p0 = line.drawBeginArrow() ? line.generateArrowBasePoint(end, begin) : begin;
    const QPointF p1 = line.drawEndArrow() ? line.generateArrowBasePoint(begin, end) : end;
    QList<QPolygonF> heads;
    if (line.drawBeginArrow())
        heads.append(line.generateArrowPath(end, begin).toFillPolygon());
    if (line.drawEndArrow())
        heads.append(line.generateArrowPath(begin, end).toFillPolygon());

    // The box of everything drawn, with room for the stroke's width on either side.
    QRectF box = QRectF(p0, p1).normalized();
    for (const QPolygonF& head : heads)
        box = box.united(head.boundingRect());
    const double limit = 1e7; // far beyond any page, and safely inside int
    if (!std::isfinite(box.left()) || !std::isfinite(box.right()) || !std::isfinite(box.top()) ||
        !std::isfinite(box.bottom()) || std::abs(box.left()) > limit || std::abs(box.right()) > limit ||
        std::abs(box.top()) > limit || std::abs(box.bottom()) > limit)
        return QStringLiteral("");
    const double margin = std::max(1.0, width) / 2 + 1;
    const int left = int(std::floor(box.left() - margin));
    const int top = int(std::floor(box.top() - margin));
    const int boxWidth = int(std::ceil(box.right() + margin)) - left;
    const int boxHeight = int(std::ceil(box.bottom() + margin)) - top;
    auto x = [&](double value) { return number(value - left); };
    auto y = [&](double value) { return number(value - top); };

    QString drawing;
    if (stroked) {
        QString dashes = QStringLiteral("");
        if (style == QStringLiteral("dashed"))
            dashes = format(QStringLiteral(" stroke-dasharray=\"%@ %@\" stroke-dashoffset=\"1\""),
                            {number(3 * width), number(3 * width)});
        else if (style == QStringLiteral("dotted"))
            dashes = format(QStringLiteral(" stroke-dasharray=\"%@ %@\" stroke-dashoffset=\"1\""),
                            {number(width), number(width)});
        drawing += format(QStringLiteral("<line x1=\"%@\" y1=\"%@\" x2=\"%@\" y2=\"%@\" stroke=\"#%@\" "
                                         "stroke-width=\"%@\" stroke-opacity=\"%@\"%@/>"),
                          {x(p0.x()), y(p0.y()), x(p1.x()), y(p1.y()), colour, number(width > 0 ? width : 1),
                           number(opacity), dashes});
    }
    for (const QPolygonF& head : heads) {
        QStringList points;
        for (qsizetype i = 0; i + 1 < head.size(); ++i) // the last point closes the triangle
            points << x(head[i].x()) + u',' + y(head[i].y());
        drawing += format(QStringLiteral("<polygon points=\"%@\" fill=\"#%@\" fill-opacity=\"%@\"/>"),
                          {points.join(u' '), colour, number(opacity)});
    }
    return format(QStringLiteral("<svg class=lineShape%d style=\"position:%@;left:%dpx;top:%dpx;z-index:%d;"
                                 "overflow:visible;pointer-events:none;\" width=\"%d\" height=\"%d\" "
                                 "aria-hidden=\"true\">%@</svg>\n"),
                  {n, line.scrollFlag() == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute"), left,
                   top, layer, boxWidth, boxHeight, drawing});
}
