// The preset shapes and text styles: their sizes, colours and outlines.
#include "editions/DataCentre.h"
#include "window/ShapeSelectionView.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

TEST(Presets, ABatchHoldsTheSevenShapesOfOneColour)
{
    const QList<std::shared_ptr<ShapeSelectionView>> batch =
        DataCentre::createBatchOfShapes(QStringLiteral("4682B4"));
    const struct
    {
        QSizeF size;
        int radius;
    } expected[] = {{{70, 70}, 0},    {{70, 70}, 10}, {{70, 70}, 100}, {{70, 52.5}, 20},
                    {{52.5, 70}, 20}, {{70, 7}, 0},   {{7, 70}, 0}};
    ASSERT_EQ(batch.size(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(batch.at(i)->frame(), QRectF(QPointF(0, 0), expected[i].size)) << i;
        EXPECT_EQ(batch.at(i)->cornerRadius(), expected[i].radius) << i;
        EXPECT_EQ(batch.at(i)->fillColor(), QColor(0x46, 0x82, 0xB4)) << i;
        EXPECT_TRUE(batch.at(i)->textString().isEmpty());
    }
    // Any kind but the four named ones is a horizontal line.
    EXPECT_EQ(DataCentre::createDefaultShape(QStringLiteral("LARGE"), QStringLiteral("FFFFFF"), 3)->frame(),
              QRectF(0, 0, 70, 7));
}

TEST(Presets, ATextPresetCarriesItsColoursFontAndName)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(30);
    const auto preset = DataCentre::createDefaultTextView(QStringLiteral("8B0000"), QStringLiteral("ffffff"),
                                                          font, QStringLiteral("Heading"));
    EXPECT_EQ(preset->frame(), QRectF(0, 0, 400, 42));
    EXPECT_EQ(preset->fillColor(), QColor(0x8B, 0, 0));
    EXPECT_EQ(preset->textColor(), QColor(Qt::white));
    EXPECT_EQ(preset->font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(preset->textString(), QStringLiteral("Heading"));
    // Readable by name from below the window layer.
    EXPECT_EQ(preset->property("textString").toString(), QStringLiteral("Heading"));

    // A font that is not installed leaves the preset with the application's font.
    const auto plain = DataCentre::createDefaultTextView(QStringLiteral("FFFFFF"), QStringLiteral("555555"),
                                                         std::nullopt, QStringLiteral("abc"));
    EXPECT_EQ(plain->font(), QFont());
}

TEST(Presets, TheOutlineStrokesItsBorderAndFillsAtItsOpacity)
{
    ShapeSelectionView preset(QRectF(0, 0, 60, 40));
    preset.setBorderStyle(QStringLiteral("dashed"));
    preset.setBorderWidth(2);
    preset.setBorderColor(Qt::blue);
    preset.setFillColor(Qt::red);
    preset.setOpacity(0.5f);
    preset.setIsDrawingFill(true);

    QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QPainterPath path = preset.bezierPathForDrawing(painter);
    painter.end();
    EXPECT_EQ(path.boundingRect(), QRectF(0, 0, 60, 40));
    // Half-transparent red over white inside.
    const QColor inside = image.pixelColor(30, 20);
    EXPECT_NEAR(inside.red(), 255, 2);
    EXPECT_NEAR(inside.green(), 128, 3);
    // The top edge is dashed, five on and five off: blue under the red tint where a dash lies.
    auto dashPixels = [&image] {
        int count = 0;
        for (int x = 0; x < 60; ++x)
            count += image.pixelColor(x, 0).red() < 200 ? 1 : 0;
        return count;
    };
    EXPECT_GT(dashPixels(), 15);
    EXPECT_LT(dashPixels(), 45);

    // No border style draws no border.
    preset.setBorderStyle(QStringLiteral("none"));
    image.fill(Qt::white);
    QPainter again(&image);
    preset.bezierPathForDrawing(again);
    again.end();
    EXPECT_EQ(dashPixels(), 0);
}
