// The preset shapes and text styles that start-up builds and the pickers offer.
#include "editions/DataCentre.h"
#include "window/ShapeSelectionView.h"

std::shared_ptr<ShapeSelectionView> DataCentre::createDefaultShape(const QString& kind,
                                                                   const QString& hexColor, int cornerRadius)
{
    QSizeF size(70, 7); // "hline" and any kind not named below
    if (kind == QLatin1String("large"))
        size = QSizeF(70, 70);
    else if (kind == QLatin1String("rectangle"))
        size = QSizeF(70, 52.5);
    else if (kind == QLatin1String("long"))
        size = QSizeF(52.5, 70);
    else if (kind == QLatin1String("line"))
        size = QSizeF(7, 70);
    auto shape = std::make_shared<ShapeSelectionView>(QRectF(QPointF(0, 0), size));
    shape->setFillColor(colorWithHexString(hexColor));
    shape->setCornerRadius(cornerRadius);
    return shape;
}

QList<std::shared_ptr<ShapeSelectionView>> DataCentre::createBatchOfShapes(const QString& hexColor)
{
    static const struct
    {
        const char* kind;
        int radius;
    } batch[] = {{"large", 0}, {"large", 10}, {"large", 100}, {"rectangle", 20},
                 {"long", 20}, {"hline", 0},  {"line", 0}};
    QList<std::shared_ptr<ShapeSelectionView>> shapes;
    for (const auto& entry : batch)
        shapes.append(createDefaultShape(QString::fromLatin1(entry.kind), hexColor, entry.radius));
    return shapes;
}

std::shared_ptr<ShapeSelectionView> DataCentre::createDefaultTextView(const QString& fillHexColor,
                                                                      const QString& textHexColor,
                                                                      const std::optional<QFont>& font,
                                                                      const QString& text)
{
    auto preset = std::make_shared<ShapeSelectionView>(QRectF(0, 0, 400, 42));
    preset->setFillColor(colorWithHexString(fillHexColor));
    preset->setTextColor(colorWithHexString(textHexColor));
    // A preset font that is not installed leaves the preset without one; the tile then uses the
    // application's font.
    if (font)
        preset->setFont(*font);
    preset->setTextString(text);
    return preset;
}
