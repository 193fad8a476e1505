#include "generation/LineGenerator.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "generation/PageFormat.h"
#include "generation/ResponsiveArrangement.h"
#include "generation/TextEscaping.h"
#include "model/DRVGraphic.h"
#include "model/DRVLine.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"
#include "platform/Format.h"
#include "platform/Geometry.h"
#include "platform/StringRules.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

using generation::appendFormat;
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

// What an SVG of a line draws, and the box on the page it draws in.
struct Drawing
{
    QString elements;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool isEmpty() const { return elements.isEmpty(); }
};

Drawing drawingOf(const DRVLine& line)
{
    // Only six hex digits reach the shape; a clear or unreadable colour draws nothing.
    const QString colour = TextEscaping::cssColourValue(line.borderHexColorString());
    if (colour.isEmpty() || colour == QStringLiteral("CLEAR0"))
        return {};
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
        return {};

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
        return {};
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
    return Drawing{drawing, left, top, boxWidth, boxHeight};
}

} // namespace

QString LineGenerator::lineShape(const DRVLine& line, int n, int layer)
{
    const Drawing d = drawingOf(line);
    if (d.isEmpty())
        return QStringLiteral("");
    return format(QStringLiteral("<svg class=lineShape%d style=\"position:%@;left:%dpx;top:%dpx;z-index:%d;"
                                 "overflow:visible;pointer-events:none;\" width=\"%d\" height=\"%d\" "
                                 "aria-hidden=\"true\">%@</svg>\n"),
                  {n, line.scrollFlag() == 1 ? QStringLiteral("fixed") : QStringLiteral("absolute"), d.left,
                   d.top, layer, d.width, d.height, d.elements});
}

std::shared_ptr<CodeWidgetHelper> LineGenerator::sectionFragment(const DRVLine& line, int n,
                                                                 double columnLeft, bool email)
{
    const Drawing d = drawingOf(line);
    if (d.isEmpty())
        return nullptr;
    auto fragment = std::make_shared<CodeWidgetHelper>();
    fragment->rect = QRectF(d.left, d.top, d.width, d.height);
    fragment->originY = d.top;
    // The column stacks its elements; the line keeps its distance from the column's left edge. The
    // arrangement writes the vertical gaps as margins: into the rule on the web, into the element's
    // own style in an e-mail, which has no style block.
    const int indent = std::max(0, d.left - platform::truncToInt(columnLeft));
    const QString svg = format(QStringLiteral("<svg class=lineShape%d style=\"display:block;overflow:visible;"
                                              "pointer-events:none;\" width=\"%d\" height=\"%d\" "
                                              "aria-hidden=\"true\">%@</svg>"),
                               {n, d.width, d.height, d.elements});
    if (email) {
        fragment->bodyString = format(
            QStringLiteral("<div class=lineBox%d style='margin-top:0;margin-bottom:0;padding-left:%dpx;"
                           "line-height:0;'>%@</div>\n"),
            {n, indent, svg});
    } else {
        fragment->headerString = format(QStringLiteral(".lineBox%d{margin-top:0;margin-bottom:0;}\n"), {n});
        fragment->bodyString =
            format(QStringLiteral("<div class=lineBox%d style='padding-left:%dpx;line-height:0;'>%@</div>\n"),
                   {n, indent, svg});
    }
    return fragment;
}

namespace {

// The left edge of the first section column the box lies in, as the arrangement claims it.
std::optional<double> columnLeftOf(const DRVDocument& document, const QRectF& box)
{
    for (const DRVGraphic* graphic : document.tableArray()) {
        const auto* section = qobject_cast<const DRVTable*>(graphic);
        if (!section || !ResponsiveArrangement::isSection(section))
            continue;
        for (const myTextView* cell : section->cellHelperArray()) {
            const QRectF column(cell->originX(), cell->originY(), cell->width(), cell->height());
            if (platform::rectIntersectsRect(box, column))
                return column.x();
        }
    }
    return std::nullopt;
}

} // namespace

LineGenerator::Output LineGenerator::generateLines(DRVDocument& document, bool publishFlag)
{
    const bool arranged = publishFlag && edition().gResponsiveLayoutFlag;
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
        appendFormat(
            out.rules,
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
        auto* drawn = qobject_cast<DRVLine*>(line);
        if (!drawn)
            continue;
        out.shapes += lineShape(*drawn, n, layer);
        if (!arranged)
            continue;
        const Drawing d = drawingOf(*drawn);
        const std::optional<double> columnLeft =
            d.isEmpty() ? std::nullopt : columnLeftOf(document, QRectF(d.left, d.top, d.width, d.height));
        if (!columnLeft)
            continue;
        const auto fragment = sectionFragment(*drawn, n, *columnLeft, edition().gResponsiveEmailFlag);
        QList<std::shared_ptr<CodeWidgetHelper>> fragments = document.sourceCodeArray();
        fragments.append(fragment);
        document.setSourceCodeArray(fragments);
    }
    return out;
}
