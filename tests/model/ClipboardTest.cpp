#include "model/DRVCircle.h"
#include "model/DRVLine.h"
#include "model/DRVRectangle.h"
#include "model/GraphicClipboard.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

struct Graphics
{
    QList<DRVGraphic*> list;
    ~Graphics() { qDeleteAll(list); }
};

QByteArray header()
{
    return QByteArray("QuibGfx", 8) + char(GraphicClipboard::kFormatVersion);
}

QByteArray u32(quint32 v)
{
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

QByteArray text(const QByteArray& s)
{
    return u32(quint32(s.size())) + s;
}

// A map of one "className" entry, in the format's own bytes.
QByteArray classMap(const QByteArray& name)
{
    return "m" + u32(1) + text("className") + "s" + text(name);
}

} // namespace

TEST(Clipboard, GraphicsComeBackWithEveryValueTheyWereCopiedWith)
{
    DRVRectangle rect;
    rect.initWithProperties({{"bounds", "{{5, 6}, {70, 80}}"},
                             {"fillColor", DRVGraphic::archivedColor(QColor(200, 10, 10))},
                             {"groupNumber", "4"},
                             {"moveLock", "1"},
                             {"manualLayerIndex", "3"},
                             {"sectionIDString", "top"},
                             {"onClickShowString", "a"},
                             {"onClickHideString", "b"},
                             {"initialLaunchStateFlag", "1"},
                             {"shapeFlag", "2"},
                             {"link", "héllo ✓"}});
    DRVLine line;
    line.initWithProperties({{"beginPoint", "{0, 0}"},
                             {"endPoint", "{40, 30}"},
                             {"drawEndArrow", "1"},
                             {"borderStyle", "dotted"}});
    DRVCircle circle;
    circle.initWithProperties({});
    const QList<DRVGraphic*> copied{&rect, &line, &circle};

    GraphicError error;
    Graphics pasted{
        DRVGraphic::graphicsWithPasteboardData(DRVGraphic::pasteboardDataWithGraphics(copied), &error)};
    ASSERT_EQ(pasted.list.size(), 3);
    EXPECT_EQ(error.code, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pasted.list[i]->metaObject(), copied[i]->metaObject());
        const QVariantMap before = copied[i]->properties(), after = pasted.list[i]->properties();
        for (auto it = before.begin(); it != before.end(); ++it)
            EXPECT_EQ(after.value(it.key()), it.value()) << i << " " << it.key().toStdString() << " "
                                                         << after.value(it.key()).toString().toStdString();
        EXPECT_EQ(after.keys(), before.keys());
    }
    // Kept on paste, where they used to fall back to their defaults.
    const DRVGraphic* r = pasted.list[0];
    EXPECT_EQ(r->groupNumber(), 4);
    EXPECT_EQ(r->moveLock(), 1);
    EXPECT_EQ(r->manualLayerIndex(), 3);
    EXPECT_EQ(r->sectionIDString(), "top");
    EXPECT_EQ(r->onClickShowString(), "a");
    EXPECT_EQ(r->onClickHideString(), "b");
    EXPECT_EQ(r->initialLaunchStateFlag(), 1);
    EXPECT_EQ(r->shapeFlag(), 2);
    EXPECT_EQ(r->fillColor(), QColor(200, 10, 10));
    EXPECT_EQ(pasted.list[1]->endPoint(), QPointF(40, 30));
}

TEST(Clipboard, MalformedDataGivesTheErrorAndNoGraphic)
{
    DRVRectangle rect;
    const QByteArray valid = DRVGraphic::pasteboardDataWithGraphics({&rect});
    QByteArray wrongMagic = valid;
    wrongMagic[0] = 'X';
    QByteArray wrongVersion = valid;
    wrongVersion[8] = char(GraphicClipboard::kFormatVersion + 1);
    QByteArray nested = header();
    for (int i = 0; i < 1000; ++i)
        nested += "l" + u32(1);

    const struct
    {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"header only", header()},
        {"truncated", valid.left(valid.size() - 3)},
        {"trailing bytes", valid + "x"},
        {"wrong magic", wrongMagic},
        {"wrong version", wrongVersion},
        {"a property list", QByteArray("bplist00\xd1\x01\x02", 11)},
        {"a dictionary, not a list", header() + classMap("DRVRectangle")},
        {"a list holding a non-dictionary",
         header() + "l" + u32(2) + classMap("DRVRectangle") + "s" + text("x")},
        {"an unknown class", header() + "l" + u32(1) + classMap("QWidget")},
        {"the abstract base class", header() + "l" + u32(1) + classMap("DRVGraphic")},
        {"no class name", header() + "l" + u32(1) + "m" + u32(0)},
        {"a class name that is no string",
         header() + "l" + u32(1) + "m" + u32(1) + text("className") + "b\1"},
        {"a count beyond the data", header() + "l" + u32(0xFFFFFFFF) + classMap("DRVRectangle")},
        {"a length beyond the data", header() + "l" + u32(1) + "m" + u32(1) + u32(0x7FFFFFFF) + "className"},
        {"an unknown tag", header() + "l" + u32(1) + "m" + u32(1) + text("className") + "z"},
        {"a repeated key", header() + "l" + u32(1) + "m" + u32(2) + text("className") + "s" +
                               text("DRVRectangle") + text("className") + "s" + text("DRVCircle")},
        {"nesting without end", nested},
    };
    for (const auto& c : cases) {
        GraphicError error;
        const QList<DRVGraphic*> graphics = DRVGraphic::graphicsWithPasteboardData(c.data, &error);
        EXPECT_TRUE(graphics.isEmpty()) << c.name;
        EXPECT_EQ(error.code, 2) << c.name;
        qDeleteAll(graphics);
    }

    // Every cut short of the whole is refused.
    for (qsizetype n = 0; n < valid.size(); ++n)
        ASSERT_FALSE(GraphicClipboard::decode(valid.left(n))) << n;
}

// A colour in pasted data names its type in one byte; every byte value is read, and only the
// types Qt knows give a colour, the others the clear colour like any other damaged colour.
TEST(Clipboard, PastedColourOfEveryTypeByte)
{
    DRVRectangle rect;
    rect.setFillColor(QColor(10, 20, 30));
    const QByteArray valid = DRVGraphic::pasteboardDataWithGraphics({&rect});
    const QByteArray archived = DRVGraphic::archivedColor(rect.fillColor());
    const qsizetype at = valid.indexOf(archived);
    ASSERT_GE(at, 0);
    for (int type = 0; type < 256; ++type) {
        QByteArray data = valid;
        data[at + 1] = char(type);
        GraphicError error;
        Graphics pasted{DRVGraphic::graphicsWithPasteboardData(data, &error)};
        ASSERT_EQ(pasted.list.size(), 1) << type;
        const QColor fill = pasted.list.first()->fillColor();
        // A known model keeps it (the colour model is the first thing the archive holds).
        if (type > QColor::ExtendedRgb) {
            EXPECT_EQ(fill, QColor(Qt::transparent)) << type;
        } else {
            EXPECT_EQ(quint8(DRVGraphic::archivedColor(fill).at(1)), quint8(type)) << type;
        }
    }
}

TEST(Clipboard, DamagedBytesNeverCrash)
{
    DRVLine line;
    line.initWithProperties({{"beginPoint", "{1, 2}"}, {"endPoint", "{3, 4}"}});
    DRVRectangle rect;
    const QByteArray valid = DRVGraphic::pasteboardDataWithGraphics({&line, &rect});
    QRandomGenerator random(5);
    for (int round = 0; round < 3000; ++round) {
        QByteArray data = valid;
        const int flips = 1 + random.bounded(4);
        for (int i = 0; i < flips; ++i)
            data[random.bounded(int(data.size()))] = char(random.bounded(256));
        GraphicError error;
        const QList<DRVGraphic*> graphics = DRVGraphic::graphicsWithPasteboardData(data, &error);
        EXPECT_TRUE(graphics.isEmpty() == (error.code == 2));
        qDeleteAll(graphics);
    }
}

TEST(Clipboard, ValuesTheFormatCannotHoldAreLeftOut)
{
    const QVariantList list{QVariantMap{{"className", "DRVRectangle"},
                                        {"rect", QRectF(1, 2, 3, 4)},
                                        {"when", QDateTime::fromMSecsSinceEpoch(1234567, Qt::UTC)},
                                        {"big", qint64(1) << 40},
                                        {"nested", QVariantList{1, "two", 3.5, QByteArray("\0\1", 2)}}}};
    const std::optional<QVariantList> back = GraphicClipboard::decode(GraphicClipboard::encode(list));
    ASSERT_TRUE(back);
    QVariantMap expected = list[0].toMap();
    expected.remove("rect");
    EXPECT_EQ(back->at(0).toMap(), expected);
}
