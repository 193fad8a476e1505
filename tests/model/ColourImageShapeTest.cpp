// Hex colours, scripting colours, image helpers, size helpers, sorting and the preset shapes.
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/ScriptingColor.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Each test sets the palette it needs and gets the edition's back afterwards.
class PaletteGuard
{
public:
    explicit PaletteGuard(const QStringList& palette) : m_saved(edition().gColorPalette)
    {
        edition().gColorPalette = palette;
    }
    ~PaletteGuard() { edition().gColorPalette = m_saved; }

private:
    QStringList m_saved;
};

std::tuple<int, int, int> rgbOf(const QColor& color)
{
    return {color.red(), color.green(), color.blue()};
}

// ---- hex colours ----

struct HexCase
{
    const char* text;
    int red, green, blue;
};

TEST(HexColour, ReadsSixDigitsAndEverythingElseAsBlack)
{
    const HexCase cases[] = {
        {" ff8800\n", 255, 136, 0},   {"0xFF8800", 255, 136, 0},
        {"0XfF8800", 255, 136, 0},    {"\t00ff7f  ", 0, 255, 127},
        {"abcdef", 0xAB, 0xCD, 0xEF}, {"FFFFFF", 255, 255, 255},
        {"#FF8800", 0, 0, 0},         {"F80", 0, 0, 0},
        {"FF88001", 0, 0, 0},         {"", 0, 0, 0},
        {"12345", 0, 0, 0},           {"0x12345", 0, 0, 0},
        {"0x1234567", 0, 0, 0},       {"CLEAR0", 0xC, 0xEA, 0}, // pairs read up to a non-hex digit
        {"0G12G3", 0, 0x12, 0},       {"nothex", 0, 0, 0xE},
    };
    for (const HexCase& c : cases) {
        const QColor color = DataCentre::colorWithHexString(QString::fromLatin1(c.text));
        EXPECT_TRUE(color.isValid()) << c.text;
        EXPECT_EQ(rgbOf(color), std::make_tuple(c.red, c.green, c.blue)) << c.text;
        EXPECT_EQ(color.alpha(), 255) << c.text;
    }
}

TEST(HexColour, EverySixDigitStringComesBack)
{
    PaletteGuard guard({QStringLiteral("CLEAR0")});
    for (int v = 0; v < 256; ++v) {
        const QString hex = QString::asprintf("%02X%02X%02X", v, 255 - v, (v * 7) % 256);
        EXPECT_EQ(DataCentre::asHexString(DataCentre::colorWithHexString(hex)), hex);
        EXPECT_EQ(DataCentre::asHexString(DataCentre::colorWithHexString(hex.toLower())), hex);
    }
}

TEST(HexColour, WritesUppercaseDigitsTruncated)
{
    PaletteGuard guard({QStringLiteral("CLEAR0"), QStringLiteral("000000")});
    EXPECT_EQ(DataCentre::asHexString(QColor::fromRgbF(0, 1, 0.5)), QStringLiteral("00FF7F"));
    EXPECT_EQ(DataCentre::asHexString(QColor(Qt::white)), QStringLiteral("FFFFFF"));
    EXPECT_EQ(DataCentre::asHexString(QColor(0xAB, 0xCD, 0xEF, 10)),
              QStringLiteral("ABCDEF")); // alpha ignored
    EXPECT_EQ(DataCentre::asHexString(QColor::fromHsv(0, 255, 255)), QStringLiteral("FF0000"));
    EXPECT_EQ(DataCentre::asHexString(QColor::fromRgbF(1.5f, -0.2f, 0.5f)),
              QStringLiteral("FF007F")); // clamped
    EXPECT_TRUE(DataCentre::asHexString(QColor()).isNull());
}

TEST(HexColour, PaletteEntryWinsOverOwnComponents)
{
    // 0.998 reads FF on the near-256 scale but FE on the 255 scale.
    const QColor almostRed = QColor::fromRgbF(0.998f, 0, 0);
    {
        PaletteGuard guard({QStringLiteral("CLEAR0"), QStringLiteral("FF0000")});
        EXPECT_EQ(DataCentre::asHexString(almostRed), QStringLiteral("FF0000"));
    }
    {
        PaletteGuard guard({QStringLiteral("CLEAR0"), QStringLiteral("ff0000")}); // matched case-sensitively
        EXPECT_EQ(DataCentre::asHexString(almostRed), QStringLiteral("FE0000"));
    }
}

// ---- scripting colours ----

ScriptingColor descriptorOf(const char* type, std::initializer_list<quint16> channels)
{
    ScriptingColor descriptor;
    descriptor.descriptorType = type;
    for (quint16 channel : channels)
        descriptor.data.append(reinterpret_cast<const char*>(&channel), sizeof channel);
    return descriptor;
}

TEST(ScriptingColour, ReadsAndWritesSixByteDescriptors)
{
    const QColor read =
        ScriptingColor::scriptingRGBColorWithDescriptor(descriptorOf("cRGB", {0xFFFF, 0x8000, 0}));
    ASSERT_TRUE(read.isValid());
    EXPECT_EQ(read.rgba64(), QRgba64::fromRgba64(0xFFFF, 0x8000, 0, 0xFFFF));

    const ScriptingColor written = ScriptingColor::scriptingRGBColorDescriptor(QColor(0x12, 0x34, 0x56, 0));
    EXPECT_EQ(written.descriptorType, QByteArray("cRGB"));
    const ScriptingColor expected = descriptorOf("cRGB", {0x1212, 0x3434, 0x5656});
    EXPECT_EQ(written.data, expected.data);
    EXPECT_EQ(ScriptingColor::scriptingRGBColorWithDescriptor(written).rgb(), QColor(0x12, 0x34, 0x56).rgb());

    EXPECT_FALSE(ScriptingColor::scriptingRGBColorWithDescriptor(descriptorOf("TEXT", {1, 2, 3})).isValid());
    EXPECT_FALSE(ScriptingColor::scriptingRGBColorWithDescriptor(descriptorOf("cRGB", {1, 2})).isValid());
    EXPECT_FALSE(
        ScriptingColor::scriptingRGBColorWithDescriptor(descriptorOf("cRGB", {1, 2, 3, 4})).isValid());
    EXPECT_FALSE(
        ScriptingColor::scriptingRGBColorWithDescriptor(ScriptingColor::scriptingRGBColorDescriptor(QColor()))
            .isValid());
}

// ---- sizes ----

TEST(SizeHelpers, WholeNumberFitting)
{
    struct Case
    {
        QSizeF size;
        int target;
        QSize longerSide; // returnNewSizeWithWidth
        QSize matchWidth; // returnNewSizeMatchWidthRegardlessOfHeight
    };
    const Case cases[] = {
        {{400, 300}, 200, {200, 150}, {200, 150}},
        {{300, 400}, 200, {150, 200}, {200, 266}},
        {{400, 301}, 200, {200, 150}, {200, 150}},
        {{100, 100}, 200, {200, 200}, {200, 200}},
        {{0, 0}, 200, {200, 200}, {200, 200}},
        {{400.9, 300.9}, 200, {200, 150}, {200, 150}},
        {{0.5, 50}, 10, {0, 10}, {10, 500}},
        {{1000, 10}, 200, {200, 2}, {200, 2}},
        {{200000, 100000}, 40000, {40000, 20000}, {40000, 20000}}, // products beyond 32 bits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DataCentre::returnNewSizeWithWidth(c.size, c.target), c.longerSide) << c.size.width();
        EXPECT_EQ(DataCentre::returnNewSizeMatchWidthRegardlessOfHeight(c.size, c.target), c.matchWidth)
            << c.size.width();
    }
}

// ---- images ----

// Left half red, right half blue.
QImage twoColourImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::red);
    QPainter painter(&image);
    painter.fillRect(QRect(width / 2, 0, width - width / 2, height), Qt::blue);
    return image;
}

QImage decoded(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.read();
}

TEST(ImageEncoding, PngRoundTripKeepsPixelsAndResolution)
{
    const QImage image = twoColourImage(40, 20);
    const QByteArray png = DataCentre::PNGRepresentationOfImage(image);
    ASSERT_TRUE(png.startsWith("\x89PNG"));
    const QImage back = decoded(png);
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(back.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(back.pixel(35, 5), qRgb(0, 0, 255));
    EXPECT_EQ(qRound(back.dotsPerMeterX() * 0.0254), 72); // one pixel per point

    QImage doubled = image;
    doubled.setDevicePixelRatio(2);
    EXPECT_EQ(qRound(decoded(DataCentre::PNGRepresentationOfImage(doubled)).dotsPerMeterX() * 0.0254), 144);

    EXPECT_TRUE(DataCentre::PNGRepresentationOfImage(QImage()).isEmpty());
}

TEST(ImageEncoding, JpegFactorZeroAndOneUseTheDefaultQuality)
{
    // Noise makes the quality visible in the size of the data.
    QImage image(64, 64, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            image.setPixel(x, y, seed >> 8);
        }
    const QByteArray atZero = DataCentre::JPEGRepresentationOfImage(image, 0.0f);
    const QByteArray atOne = DataCentre::JPEGRepresentationOfImage(image, 1.0f);
    const QByteArray atHalf = DataCentre::JPEGRepresentationOfImage(image, 0.5f);
    const QByteArray atTenth = DataCentre::JPEGRepresentationOfImage(image, 0.1f);
    ASSERT_TRUE(atOne.startsWith("\xFF\xD8"));
    EXPECT_EQ(atZero, atOne);
    EXPECT_EQ(DataCentre::JPEGRepresentationOfImage(image, 2.0f), atOne);
    EXPECT_NE(atHalf, atOne);
    EXPECT_LT(atTenth.size(), atHalf.size());

    const QImage back = decoded(atOne);
    EXPECT_EQ(back.size(), image.size());
    EXPECT_EQ(qRound(back.dotsPerMeterX() * 0.0254), 72);
}

TEST(ImageEncoding, JpegRoundTripKeepsColours)
{
    const QImage back = decoded(DataCentre::JPEGRepresentationOfImage(twoColourImage(64, 32), 0.9f));
    ASSERT_EQ(back.size(), QSize(64, 32));
    const QColor left = back.pixelColor(8, 16);
    const QColor right = back.pixelColor(56, 16);
    EXPECT_GT(left.red(), 230);
    EXPECT_LT(left.blue(), 25);
    EXPECT_GT(right.blue(), 230);
    EXPECT_LT(right.red(), 25);
}

TEST(ImageScaling, DrawsTheWholeImageAtTheNewSize)
{
    const QImage source = twoColourImage(400, 300);
    const QImage scaled = DataCentre::imageWithImage(source, QSize(200, 150));
    ASSERT_EQ(scaled.size(), QSize(200, 150)); // offscreen screens have a scale of 1
    EXPECT_EQ(scaled.pixel(10, 75), qRgb(255, 0, 0));
    EXPECT_EQ(scaled.pixel(190, 75), qRgb(0, 0, 255));

    EXPECT_EQ(DataCentre::imageWithImage(source, QSize(0, 150)).size(), QSize(400, 300));
    EXPECT_EQ(DataCentre::imageWithImage(source, QSize(32, 0)).size(), QSize(400, 300));
    EXPECT_EQ(DataCentre::imageWithImage(source, QSize(800, 20)).size(), QSize(800, 20));
    EXPECT_TRUE(DataCentre::imageWithImage(QImage(), QSize(10, 10)).isNull());

    // A size no image can have gives the clear stand-in rather than nothing.
    const QImage fallback = DataCentre::imageWithImage(source, QSize(-5, 10));
    ASSERT_FALSE(fallback.isNull());
    EXPECT_EQ(qAlpha(fallback.pixel(0, 0)), 0);
}

TEST(ImageCropping, DrawsTheSourceRectangleIntoTheTarget)
{
    QImage quarters(100, 100, QImage::Format_ARGB32_Premultiplied);
    quarters.fill(Qt::red);
    {
        QPainter painter(&quarters);
        painter.fillRect(QRect(50, 0, 50, 50), Qt::green);  // top right
        painter.fillRect(QRect(0, 50, 50, 50), Qt::blue);   // bottom left
        painter.fillRect(QRect(50, 50, 50, 50), Qt::white); // bottom right
    }
    const QImage topRight = DataCentre::cropImage(quarters, QRectF(50, 0, 50, 50), QRectF(0, 0, 50, 50));
    ASSERT_EQ(topRight.size(), QSize(50, 50));
    EXPECT_EQ(topRight.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(topRight.pixel(49, 49), qRgb(0, 255, 0));

    // Stretched into a larger target.
    const QImage stretched = DataCentre::cropImage(quarters, QRectF(0, 50, 100, 50), QRectF(0, 0, 300, 90));
    ASSERT_EQ(stretched.size(), QSize(300, 90));
    EXPECT_EQ(stretched.pixel(20, 45), qRgb(0, 0, 255));
    EXPECT_EQ(stretched.pixel(280, 45), qRgb(255, 255, 255));

    // A target away from the origin leaves the rest of the new image clear.
    const QImage shifted = DataCentre::cropImage(quarters, QRectF(0, 0, 50, 50), QRectF(10, 10, 50, 50));
    ASSERT_EQ(shifted.size(), QSize(50, 50));
    EXPECT_EQ(qAlpha(shifted.pixel(5, 5)), 0);
    EXPECT_EQ(shifted.pixel(20, 20), qRgb(255, 0, 0));
}

TEST(ImageRotation, SizesByAngle)
{
    const QImage image = twoColourImage(40, 20);
    const QSize swapped(20, 40), same(40, 20), square(60, 60);
    const std::pair<float, QSize> cases[] = {
        {90, swapped}, {-90, swapped}, {270, swapped}, {-270, swapped}, {450, swapped}, {180, same},
        {-180, same},  {540, same},    {45, square},   {0, square},     {360, square},  {-30.5f, square},
    };
    for (const auto& [angle, size] : cases)
        EXPECT_EQ(DataCentre::rotateImage(image, angle).size(), size) << angle;
    EXPECT_TRUE(DataCentre::rotateImage(QImage(), 90).isNull());
}

TEST(ImageRotation, TurnsCounterClockwiseAsSeen)
{
    const QImage image = twoColourImage(40, 20); // red left, blue right
    const QImage quarter = DataCentre::rotateImage(image, 90);
    EXPECT_EQ(quarter.pixel(10, 5), qRgb(0, 0, 255)); // the right side is now on top
    EXPECT_EQ(quarter.pixel(10, 35), qRgb(255, 0, 0));

    const QImage half = DataCentre::rotateImage(image, 180);
    EXPECT_EQ(half.pixel(5, 10), qRgb(0, 0, 255));
    EXPECT_EQ(half.pixel(35, 10), qRgb(255, 0, 0));

    const QImage tilted = DataCentre::rotateImage(image, 0); // centred in a 60 x 60 square
    EXPECT_EQ(qAlpha(tilted.pixel(2, 2)), 0);
    EXPECT_EQ(tilted.pixel(15, 30), qRgb(255, 0, 0));
    EXPECT_EQ(tilted.pixel(45, 30), qRgb(0, 0, 255));
}

TEST(ImageTint, ColoursOnlyOpaquePixelsInPlace)
{
    QImage image(20, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(QRect(0, 0, 10, 10), Qt::black);

    QImage& result = DataCentre::imageTintedWithColor(image, QColor(Qt::white));
    EXPECT_EQ(&result, &image);
    EXPECT_EQ(image.pixel(5, 5), qRgba(255, 255, 255, 255));
    EXPECT_EQ(qAlpha(image.pixel(15, 5)), 0);

    const QImage before = image;
    DataCentre::imageTintedWithColor(image, QColor());
    EXPECT_EQ(image, before);

    QImage indexed = image.convertToFormat(QImage::Format_Indexed8);
    DataCentre::imageTintedWithColor(indexed, QColor(Qt::red));
    EXPECT_EQ(indexed.pixel(5, 5), qRgb(255, 0, 0));
}

TEST(RotationTransform, TurnsAboutThePointAndChangesTheGivenTransform)
{
    QTransform transform;
    QTransform& result = DataCentre::transformRotatingAroundPoint(QPointF(10, 20), 90, transform);
    EXPECT_EQ(&result, &transform);
    EXPECT_EQ(transform.map(QPointF(10, 20)), QPointF(10, 20));
    const QPointF turned = transform.map(QPointF(20, 20)); // +x turns to +y: clockwise on a y-down canvas
    EXPECT_NEAR(turned.x(), 10, 1e-9);
    EXPECT_NEAR(turned.y(), 30, 1e-9);

    QTransform moved = QTransform::fromTranslate(100, 0);
    DataCentre::transformRotatingAroundPoint(QPointF(10, 20), 90, moved);
    const QPointF movedTurned = moved.map(QPointF(20, 20)); // turned first, then moved
    EXPECT_NEAR(movedTurned.x(), 110, 1e-9);
    EXPECT_NEAR(movedTurned.y(), 30, 1e-9);
}

// ---- sorting ----

struct Record
{
    int index;
    QString name;
    int order() const { return index; }
};

QStringList namesOf(const QList<Record>& records)
{
    QStringList names;
    for (const Record& record : records)
        names << record.name;
    return names;
}

TEST(SortArray, ByKeyInEitherDirectionKeepingEqualKeysInOrder)
{
    const QList<Record> records = {{10, "b"}, {2, "B"}, {10, "a"}, {-1, "c"}, {2, "d"}};
    EXPECT_EQ(namesOf(DataCentre::sortArray(records, &Record::index, true)),
              QStringList({"c", "B", "d", "b", "a"}));
    EXPECT_EQ(namesOf(DataCentre::sortArray(records, &Record::order, false)),
              QStringList({"b", "a", "B", "d", "c"}));
    // Strings compare character by character, case-sensitively.
    EXPECT_EQ(namesOf(DataCentre::sortArray(records, &Record::name, true)),
              QStringList({"B", "a", "b", "c", "d"}));
    EXPECT_EQ(namesOf(records), QStringList({"b", "B", "a", "c", "d"})); // argument untouched

    QList<const Record*> pointers = {&records[0], &records[3]};
    EXPECT_EQ(DataCentre::sortArray(pointers, &Record::index, true).first(), &records[3]);
}

// ---- shapes ----

struct ShapeCase
{
    const char* name;
    int vertices; // 0 for the rectangle shapes
    QPointF inside;
    QPointF outside;
};

// Probes in canvas coordinates (y down); each pair tells the shape from its neighbours.
const ShapeCase kShapes[] = {
    {"star", 10, {50, 5}, {50, 90}},                   // upright: point on top, notch at the bottom
    {"star2", 10, {50, 95}, {50, 10}},                 // upside down
    {"star4", 8, {68, 68}, {85, 85}},                  // deep arms
    {"star4b", 8, {60, 60}, {68, 68}},                 // slender arms
    {"star10", 20, {50, 3}, {63.9, 92.8}},             // between two tips
    {"star25", 50, {50, 98}, {55.9, 96.6}},            // between two tips
    {"octagon", 16, {0.5, 50}, {67.6, 92.5}},          // centred: tips at x 0 and 100
    {"triangle", 3, {50, 2}, {50, 78}},                // point on top
    {"triangle2", 3, {50, 78}, {50, 2}},               // point at the bottom
    {"pyramid", 6, {85, 30}, {50, 27}},                // wing, and the notch at the top
    {"polygon5", 5, {50, 97}, {50, 5}},                // point at the bottom, flat top
    {"polygon6", 6, {92, 50}, {90, 10}},               // flat sides
    {"polygon7", 7, {50, 97}, {50, 3}},                // point at the bottom, flat top
    {"polygon10", 10, {50, 1}, {99, 50}},              // no vertex at the sides
    {"polygon12", 12, {99, 50}, {95, 10}},             // vertices at the sides
    {"square", 0, {11, 11}, {50, 95}},                 // sharp corners
    {"square_roundcorners", 0, {50, 11}, {11, 11}},    // rounded corners
    {"circle", 0, {50, 11}, {20, 20}},                 // radius clamped to a circle
    {"rectangle", 0, {11, 21}, {50, 15}},              // wider than high
    {"rectangle_roundcorners", 0, {50, 21}, {11, 21}}, // wider than high, rounded corners
};

TEST(ShapePaths, EveryShapeIsAClosedOutlineInTheBox)
{
    for (const ShapeCase& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const QPainterPath path = DataCentre::grabShapeBezierPath(QString::fromLatin1(shape.name));
        ASSERT_FALSE(path.isEmpty());
        const QRectF box = path.boundingRect();
        EXPECT_GE(box.left(), 0);
        EXPECT_GE(box.top(), 0);
        EXPECT_LE(box.right(), 100);
        EXPECT_LE(box.bottom(), 100);
        const QPointF start = path.elementAt(0), end = path.elementAt(path.elementCount() - 1);
        EXPECT_EQ(start, end);
        if (shape.vertices > 0) {
            EXPECT_EQ(path.elementCount(), shape.vertices + 1); // a move, the lines, the closing line
            EXPECT_EQ(path.toSubpathPolygons().size(), 1);
        }
        EXPECT_TRUE(path.contains(QPointF(50, 50)));
        EXPECT_TRUE(path.contains(shape.inside));
        EXPECT_FALSE(path.contains(shape.outside));
    }
}

TEST(ShapePaths, RectanglesKeepTheirPlaces)
{
    EXPECT_EQ(DataCentre::grabShapeBezierPath("square").boundingRect(), QRectF(10, 10, 80, 80));
    EXPECT_EQ(DataCentre::grabShapeBezierPath("rectangle").boundingRect(), QRectF(10, 20, 80, 60));
    const QRectF circle = DataCentre::grabShapeBezierPath("circle").boundingRect();
    EXPECT_NEAR(circle.left(), 10, 1e-6);
    EXPECT_NEAR(circle.width(), 80, 1e-6);
}

TEST(ShapePaths, UnknownNamesGiveAnEmptyPath)
{
    for (const char* name : {"Star", "", "hexagon", "star ", "circle2"})
        EXPECT_TRUE(DataCentre::grabShapeBezierPath(QString::fromLatin1(name)).isEmpty()) << name;
}

} // namespace
