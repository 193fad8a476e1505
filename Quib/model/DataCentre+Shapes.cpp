// The preset shape outlines that text boxes, images and the objects palette use as masks.
//
// The vertices below are written y-up (as the shapes were first drawn) and every path is mirrored
// inside the 100-unit box at the end, so the outlines come out in the canvas's y-down coordinates
// and are used there as they are: "star", "triangle" and "square" stand upright, "star2",
// "triangle2" and "pyramid" point down, "polygon5" and "polygon7" have a point at the bottom and a
// flat edge at the top. Anything drawing into a y-up surface flips them back itself.
#include "editions/DataCentre.h"

#include <initializer_list>

namespace {

QPainterPath polygon(std::initializer_list<QPointF> vertices)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& vertex : vertices) {
        if (first)
            path.moveTo(vertex);
        else
            path.lineTo(vertex);
        first = false;
    }
    path.closeSubpath();
    return path;
}

QPainterPath rectangle(const QRectF& rect)
{
    QPainterPath path;
    path.addRect(rect);
    return path;
}

QPainterPath roundedRectangle(const QRectF& rect, qreal radius)
{
    // Radii beyond half a side are held at half of it, so a large radius makes a circle or a stadium.
    const qreal xRadius = std::min(radius, rect.width() / 2.0);
    const qreal yRadius = std::min(radius, rect.height() / 2.0);
    QPainterPath path;
    path.addRoundedRect(rect, xRadius, yRadius);
    return path;
}

QPainterPath unmirroredShape(const QString& name)
{
    if (name == QLatin1String("star"))
        return polygon({{50, 100},
                        {67.63, 74.27},
                        {97.55, 65.45},
                        {78.53, 40.73},
                        {79.39, 9.55},
                        {50, 20},
                        {20.61, 9.55},
                        {21.47, 40.73},
                        {2.45, 65.45},
                        {32.37, 74.27}});
    if (name == QLatin1String("star2"))
        return polygon({{50, 0},
                        {67.63, 25.73},
                        {97.55, 34.55},
                        {78.53, 59.27},
                        {79.39, 90.45},
                        {50, 80},
                        {20.61, 90.45},
                        {21.47, 59.27},
                        {2.45, 34.55},
                        {32.37, 25.73}});
    if (name == QLatin1String("star4"))
        return polygon({{50, 0},
                        {71.21, 28.79},
                        {100, 50},
                        {71.21, 71.21},
                        {50, 100},
                        {28.79, 71.21},
                        {0, 50},
                        {28.79, 28.79}});
    if (name == QLatin1String("star4b"))
        return polygon({{50, 0},
                        {63.38, 36.62},
                        {100, 50},
                        {63.38, 63.38},
                        {50, 100},
                        {36.62, 63.38},
                        {0, 50},
                        {36.62, 36.62}});
    if (name == QLatin1String("star10"))
        return polygon({{50, 0},     {62.27, 12.25}, {79.39, 9.55},  {82.11, 26.67}, {97.55, 34.55},
                        {89.69, 50}, {97.55, 65.45}, {82.11, 73.33}, {79.39, 90.45}, {62.27, 87.75},
                        {50, 100},   {37.73, 87.75}, {20.61, 90.45}, {17.89, 73.33}, {2.45, 65.45},
                        {10.31, 50}, {2.45, 34.55},  {17.89, 26.67}, {20.61, 9.55},  {37.73, 12.25}});
    if (name == QLatin1String("star25"))
        return polygon({{50, 0},        {55.47, 6.67},  {62.43, 1.57},  {66.08, 9.39},  {74.09, 6.18},
                        {75.67, 14.67}, {84.23, 13.55}, {83.65, 22.16}, {92.22, 23.21}, {89.52, 31.4},
                        {97.55, 34.55}, {92.9, 41.82},  {99.9, 46.86},  {93.59, 52.74}, {99.11, 59.37},
                        {91.54, 63.5},  {95.24, 71.29}, {86.88, 73.4},  {88.53, 81.87}, {79.9, 81.84},
                        {79.39, 90.45}, {71.04, 88.27}, {68.41, 96.49}, {60.86, 92.3},  {56.27, 99.61},
                        {50, 93.67},    {43.73, 99.61}, {39.14, 92.3},  {31.59, 96.49}, {28.96, 88.27},
                        {20.61, 90.45}, {20.1, 81.84},  {11.47, 81.87}, {13.12, 73.4},  {4.76, 71.29},
                        {8.46, 63.5},   {0.89, 59.37},  {6.41, 52.74},  {0.1, 46.86},   {7.1, 41.82},
                        {2.45, 34.55},  {10.48, 31.4},  {7.78, 23.21},  {16.35, 22.16}, {15.77, 13.55},
                        {24.33, 14.67}, {25.91, 6.18},  {33.92, 9.39},  {37.57, 1.57},  {44.53, 6.67}});
    if (name == QLatin1String("octagon"))
        // Centred in the box like every other shape (it was once one unit to the right, poking out
        // of the box and its graphic's bounds).
        return polygon({{50, 0},
                        {66.28, 10.69},
                        {85.36, 14.64},
                        {89.31, 33.72},
                        {100, 50},
                        {89.31, 66.28},
                        {85.36, 85.36},
                        {66.28, 89.31},
                        {50, 100},
                        {33.72, 89.31},
                        {14.64, 85.36},
                        {10.69, 66.28},
                        {0, 50},
                        {10.69, 33.72},
                        {14.64, 14.64},
                        {33.72, 10.69}});
    if (name == QLatin1String("triangle"))
        return polygon({{50, 100}, {93.3, 25}, {6.7, 25}});
    if (name == QLatin1String("triangle2"))
        return polygon({{50, 20}, {93.3, 95}, {6.7, 95}});
    if (name == QLatin1String("pyramid"))
        return polygon({{50, 0}, {67.27, 40.03}, {93.3, 75}, {50, 69.94}, {6.7, 75}, {32.73, 40.03}});
    if (name == QLatin1String("polygon5"))
        return polygon({{50, 0}, {97.55, 34.55}, {79.39, 90.45}, {20.61, 90.45}, {2.45, 34.55}});
    if (name == QLatin1String("polygon6"))
        return polygon({{50, 0}, {93.3, 25}, {93.3, 75}, {50, 100}, {6.7, 75}, {6.7, 25}});
    if (name == QLatin1String("polygon7"))
        return polygon({{50, 0},
                        {89.09, 18.83},
                        {98.75, 61.13},
                        {71.69, 95.05},
                        {28.31, 95.05},
                        {1.25, 61.13},
                        {10.91, 18.83}});
    if (name == QLatin1String("polygon10"))
        return polygon({{50, 0},
                        {79.39, 9.55},
                        {97.55, 34.55},
                        {97.55, 65.45},
                        {79.39, 90.45},
                        {50, 100},
                        {20.61, 90.45},
                        {2.45, 65.45},
                        {2.45, 34.55},
                        {20.61, 9.55}});
    if (name == QLatin1String("polygon12"))
        return polygon({{50, 0},
                        {75, 6.7},
                        {93.3, 25},
                        {100, 50},
                        {93.3, 75},
                        {75, 93.3},
                        {50, 100},
                        {25, 93.3},
                        {6.7, 75},
                        {0, 50},
                        {6.7, 25},
                        {25, 6.7}});
    if (name == QLatin1String("square"))
        return rectangle(QRectF(10, 10, 80, 80));
    if (name == QLatin1String("square_roundcorners"))
        return roundedRectangle(QRectF(10, 10, 80, 80), 10);
    if (name == QLatin1String("circle"))
        return roundedRectangle(QRectF(10, 10, 80, 80), 100);
    if (name == QLatin1String("rectangle"))
        return rectangle(QRectF(10, 20, 80, 60));
    if (name == QLatin1String("rectangle_roundcorners"))
        return roundedRectangle(QRectF(10, 20, 80, 60), 10);
    return {};
}

} // namespace

QPainterPath DataCentre::grabShapeBezierPath(const QString& shapeName)
{
    // y becomes 100 - y.
    return QTransform(1, 0, 0, -1, 0, 100).map(unmirroredShape(shapeName));
}
