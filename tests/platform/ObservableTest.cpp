#include "platform/Observable.h"

#include <QRectF>

#include <functional>
#include <gtest/gtest.h>

using platform::ArrayChange;
using platform::Observable;

namespace {

// A small graphic-like carrier: bounds and strokeWidth stored, width and drawingBounds derived,
// items a to-many property with count depending on it.
class Shape : public Observable
{
    Q_OBJECT
    Q_PROPERTY(QRectF bounds READ bounds WRITE setBounds)
    Q_PROPERTY(double strokeWidth READ strokeWidth WRITE setStrokeWidth)
    Q_PROPERTY(double width READ width WRITE setWidth)
    Q_PROPERTY(QRectF drawingBounds READ drawingBounds)
    Q_PROPERTY(int count READ count)
public:
    QRectF bounds() const { return m_bounds; }
    void setBounds(const QRectF& bounds) { changeValue(m_bounds, bounds, "bounds"); }
    double strokeWidth() const { return m_strokeWidth; }
    void setStrokeWidth(double width) { changeValue(m_strokeWidth, width, "strokeWidth"); }
    double width() const { return m_bounds.width(); }
    void setWidth(double width)
    {
        QRectF r = m_bounds;
        r.setWidth(width);
        setBounds(r);
    }
    QRectF drawingBounds() const
    {
        const double half = m_strokeWidth / 2;
        return m_bounds.adjusted(-half, -half, half, half);
    }
    int count() const { return int(m_items.size()); }

    void insertItem(int index, const QString& item)
    {
        willChangeArray("items", ArrayChange::Insertion, {index});
        m_items.insert(index, item);
        didChangeArray("items", ArrayChange::Insertion, {index});
    }
    void removeItem(int index)
    {
        willChangeArray("items", ArrayChange::Removal, {index});
        const QString old = m_items.takeAt(index);
        didChangeArray("items", ArrayChange::Removal, {index}, {old});
    }

    QStringList keysAffectedByKey(const QString& key) const override
    {
        QStringList keys = Observable::keysAffectedByKey(key);
        if (key == "bounds")
            keys << "width"
                 << "drawingBounds";
        else if (key == "strokeWidth")
            keys << "drawingBounds";
        else if (key == "items")
            keys << "count";
        return keys;
    }

private:
    QRectF m_bounds{0, 0, 10, 10};
    double m_strokeWidth = 1.0;
    QStringList m_items;
};

struct Report
{
    QString key;
    QVariant oldValue;
    QVariant newValue;
};

// Records every report of one object, will and did alike, in the order they arrive.
struct Recorder
{
    explicit Recorder(Observable* object)
    {
        QObject::connect(object, &Observable::willChange, &context,
                         [this](Observable*, const QString& key) { events << "will " + key; });
        platform::observe(object, &context,
                          [this](Observable*, const QString& key, const QVariant& o, const QVariant& n) {
                              events << "did " + key;
                              reports.push_back({key, o, n});
                          });
    }
    const Report* find(const QString& key) const
    {
        for (const Report& r : reports)
            if (r.key == key)
                return &r;
        return nullptr;
    }
    int countOf(const QString& key) const
    {
        int n = 0;
        for (const Report& r : reports)
            n += r.key == key;
        return n;
    }
    QObject context;
    QStringList events;
    std::vector<Report> reports;
};

} // namespace

TEST(Observable, ReadsAndWritesPropertiesByKey)
{
    Shape shape;
    Recorder rec(&shape);
    EXPECT_EQ(shape.valueForKey("strokeWidth").toDouble(), 1.0);
    // An int converts to the property's double, and the write goes through the setter.
    EXPECT_TRUE(shape.setValueForKey("strokeWidth", 3));
    EXPECT_EQ(shape.strokeWidth(), 3.0);
    ASSERT_NE(rec.find("strokeWidth"), nullptr);
    EXPECT_EQ(rec.find("strokeWidth")->oldValue.toDouble(), 1.0);

    const QVariantMap values = shape.valuesForKeys({"strokeWidth", "width"});
    EXPECT_EQ(values.value("strokeWidth").toDouble(), 3.0);
    EXPECT_EQ(values.value("width").toDouble(), 10.0);
}

TEST(Observable, BadKeysAndValuesAreRefusedSafely)
{
    Shape shape;
    Recorder rec(&shape);
    EXPECT_FALSE(shape.valueForKey("noSuchKey").isValid());
    EXPECT_FALSE(shape.valuesForKeys({"noSuchKey"}).value("noSuchKey").isValid());

    struct Case
    {
        const char* key;
        QVariant value;
    };
    const Case cases[] = {
        {"noSuchKey", 1},                      // unknown
        {"", 1},                               // empty
        {"drawingBounds", QRectF(0, 0, 1, 1)}, // read-only
        {"strokeWidth", QString("wide")},      // not convertible
    };
    for (const Case& c : cases)
        EXPECT_FALSE(shape.setValueForKey(c.key, c.value)) << c.key;
    EXPECT_EQ(shape.strokeWidth(), 1.0);
    EXPECT_TRUE(rec.events.isEmpty()) << rec.events.join(", ").toStdString();
}

TEST(Observable, UnchangedAssignmentIsNotReported)
{
    Shape shape;
    Recorder rec(&shape);
    shape.setStrokeWidth(1.0);
    shape.setBounds(QRectF(0, 0, 10, 10));
    EXPECT_TRUE(rec.events.isEmpty());
}

TEST(Observable, ChangesBeforeAnyoneListensAreKeptAndLaterOnesReported)
{
    Shape shape;
    shape.setBounds(QRectF(0, 0, 40, 10));
    shape.setStrokeWidth(3.0);
    {
        Recorder rec(&shape);
        shape.setBounds(QRectF(0, 0, 50, 10));
        ASSERT_TRUE(rec.find("width"));
        EXPECT_EQ(rec.find("width")->oldValue.toDouble(), 40.0);
        EXPECT_EQ(rec.find("drawingBounds")->oldValue.toRectF(), QRectF(-1.5, -1.5, 43, 13));
    }
    // Once the listener is gone, changes are no one's news again, but still made.
    shape.setWidth(70);
    EXPECT_EQ(shape.bounds(), QRectF(0, 0, 70, 10));
    // A listener that joins inside an open batch hears what the batch changed.
    shape.beginChanges();
    shape.setStrokeWidth(1.0);
    Recorder late(&shape);
    shape.setStrokeWidth(2.0);
    shape.endChanges();
    ASSERT_TRUE(late.find("strokeWidth"));
    EXPECT_EQ(late.find("strokeWidth")->oldValue.toDouble(), 3.0);
    EXPECT_EQ(late.find("strokeWidth")->newValue.toDouble(), 2.0);
}

TEST(Observable, DependentKeysAreReportedWithOldAndNewValues)
{
    Shape shape;
    Recorder rec(&shape);
    shape.setBounds(QRectF(5, 5, 20, 30));

    EXPECT_EQ(rec.events, QStringList({"will bounds", "will width", "will drawingBounds", "did bounds",
                                       "did width", "did drawingBounds"}));
    EXPECT_EQ(rec.find("width")->oldValue.toDouble(), 10.0);
    EXPECT_EQ(rec.find("width")->newValue.toDouble(), 20.0);
    EXPECT_EQ(rec.find("drawingBounds")->oldValue.toRectF(), QRectF(-0.5, -0.5, 11, 11));
    EXPECT_EQ(rec.find("drawingBounds")->newValue.toRectF(), QRectF(4.5, 4.5, 21, 31));
}

TEST(Observable, DerivedSetterReportsThroughItsSourceKeyOnce)
{
    Shape shape;
    Recorder rec(&shape);
    shape.setWidth(40);
    EXPECT_EQ(rec.countOf("width"), 1);
    EXPECT_EQ(rec.countOf("bounds"), 1);
    EXPECT_EQ(rec.find("bounds")->newValue.toRectF(), QRectF(0, 0, 40, 10));
}

TEST(Observable, NestedBracketsReportOnceAtTheOutermostDid)
{
    Shape shape;
    Recorder rec(&shape);
    // Both bounds and strokeWidth affect drawingBounds; overlapping brackets report it once,
    // with the value before the first will and the value after the last did.
    shape.willChangeValueForKey("bounds");
    shape.willChangeValueForKey("strokeWidth");
    shape.setBounds(QRectF(0, 0, 20, 20));
    shape.setStrokeWidth(4);
    shape.didChangeValueForKey("strokeWidth");
    EXPECT_EQ(rec.countOf("drawingBounds"), 0);
    EXPECT_EQ(rec.countOf("bounds"), 0);
    shape.didChangeValueForKey("bounds");

    EXPECT_EQ(rec.countOf("drawingBounds"), 1);
    EXPECT_EQ(rec.countOf("bounds"), 1);
    EXPECT_EQ(rec.countOf("strokeWidth"), 1);
    EXPECT_EQ(rec.find("drawingBounds")->oldValue.toRectF(), QRectF(-0.5, -0.5, 11, 11));
    EXPECT_EQ(rec.find("drawingBounds")->newValue.toRectF(), QRectF(-2, -2, 24, 24));

    // A did without its will is ignored, and later changes are still reported.
    rec.events.clear();
    shape.didChangeValueForKey("strokeWidth");
    EXPECT_TRUE(rec.events.isEmpty());
    shape.setStrokeWidth(1);
    EXPECT_EQ(rec.countOf("strokeWidth"), 2);
}

TEST(Observable, BatchedChangesAreReportedOnce)
{
    Shape shape;
    Recorder rec(&shape);
    shape.beginChanges();
    shape.setStrokeWidth(2);
    shape.beginChanges();
    shape.setStrokeWidth(3);
    shape.endChanges();
    EXPECT_EQ(rec.reports.size(), 0u);
    shape.endChanges();

    EXPECT_EQ(rec.events, QStringList({"will strokeWidth", "will drawingBounds", "did strokeWidth",
                                       "did drawingBounds"}));
    EXPECT_EQ(rec.find("strokeWidth")->oldValue.toDouble(), 1.0);
    EXPECT_EQ(rec.find("strokeWidth")->newValue.toDouble(), 3.0);
    EXPECT_EQ(rec.find("drawingBounds")->newValue.toRectF(), QRectF(-1.5, -1.5, 13, 13));

    shape.endChanges(); // unbalanced: ignored
    shape.setStrokeWidth(5);
    EXPECT_EQ(rec.countOf("strokeWidth"), 2);
}

TEST(Observable, ArrayChangesCarryKindIndexesAndOldObjects)
{
    Shape shape;
    Recorder rec(&shape);
    struct ArrayReport
    {
        ArrayChange kind;
        QList<int> indexes;
        QVariantList oldObjects;
    };
    std::vector<ArrayReport> arrays;
    QObject::connect(&shape, &Observable::arrayChanged,
                     [&](Observable*, const QString& key, ArrayChange kind, const QList<int>& indexes,
                         const QVariantList& old) {
                         EXPECT_EQ(key, "items");
                         arrays.push_back({kind, indexes, old});
                     });
    shape.insertItem(0, "a");
    shape.insertItem(1, "b");
    shape.removeItem(0);

    ASSERT_EQ(arrays.size(), 3u);
    EXPECT_EQ(arrays[1].kind, ArrayChange::Insertion);
    EXPECT_EQ(arrays[1].indexes, QList<int>({1}));
    EXPECT_TRUE(arrays[1].oldObjects.isEmpty());
    EXPECT_EQ(arrays[2].kind, ArrayChange::Removal);
    EXPECT_EQ(arrays[2].indexes, QList<int>({0}));
    EXPECT_EQ(arrays[2].oldObjects, QVariantList({"a"}));
    // The dependent count is reported like any value.
    ASSERT_EQ(rec.countOf("count"), 3);
    EXPECT_EQ(rec.reports.back().oldValue.toInt(), 2);
    EXPECT_EQ(rec.reports.back().newValue.toInt(), 1);
}

TEST(Observable, ObserverMayDeleteTheObject)
{
    auto* shape = new Shape;
    int reports = 0;
    platform::observe(shape, nullptr,
                      [&](Observable* object, const QString&, const QVariant&, const QVariant&) {
                          ++reports;
                          delete object;
                      });
    shape->setBounds(QRectF(1, 1, 2, 2)); // three keys change; the first report deletes it
    EXPECT_EQ(reports, 1);
}

TEST(Observable, ObservationEndsWithItsContext)
{
    Shape shape;
    int reports = 0;
    auto context = std::make_unique<QObject>();
    platform::observe(&shape, context.get(), [&](auto...) { ++reports; });
    shape.setStrokeWidth(2);
    context.reset();
    shape.setStrokeWidth(3);
    EXPECT_EQ(reports, 2); // strokeWidth and drawingBounds, once
}

namespace {

// A container's listener: what it was told, in order, shared with the signal's receivers.
class ListeningContainer : public Observable::ChangeListener
{
public:
    explicit ListeningContainer(QStringList* log) : m_log(log) {}
    void observedValueChanged(Observable*, const QString& key, const QVariant&, const QVariant& newValue) override
    {
        *m_log << "listener " + key + " " + newValue.toString();
        if (onChange)
            onChange(key);
    }
    void observedObjectDestroyed(Observable* object) override { destroyed.append(object); }

    std::function<void(const QString&)> onChange;
    QList<Observable*> destroyed;

private:
    QStringList* m_log;
};

} // namespace

TEST(Observable, AListenerIsToldOfEachChangeBeforeTheSignalAndOfTheObjectsEnd)
{
    QStringList log;
    ListeningContainer container(&log);
    auto* shape = new Shape;
    shape->addChangeListener(&container);
    shape->addChangeListener(&container); // once only
    platform::observe(shape, nullptr, [&](Observable*, const QString& key, const QVariant&, const QVariant&) {
        log << "signal " + key;
    });
    shape->setStrokeWidth(2);
    ASSERT_EQ(log.size(), 4);
    EXPECT_EQ(log.at(0), "listener strokeWidth 2");
    EXPECT_EQ(log.at(1), "signal strokeWidth");
    EXPECT_TRUE(log.at(2).startsWith("listener drawingBounds"));
    EXPECT_EQ(log.at(3), "signal drawingBounds");

    // Batched changes reach the listener once, like the signal.
    log.clear();
    shape->beginChanges();
    shape->setStrokeWidth(3);
    shape->setStrokeWidth(4);
    shape->endChanges();
    EXPECT_EQ(log.count("listener strokeWidth 4"), 1);
    EXPECT_EQ(log.filter("listener strokeWidth").size(), 1);

    // Told of the end, once, and not after being removed.
    delete shape;
    ASSERT_EQ(container.destroyed.size(), 1);
    EXPECT_EQ(container.destroyed.constFirst(), static_cast<Observable*>(shape));

    Shape other;
    other.addChangeListener(&container);
    other.removeChangeListener(&container);
    log.clear();
    other.setStrokeWidth(5);
    EXPECT_TRUE(log.isEmpty());
}

TEST(Observable, AListenerAloneMakesChangesHeardAndMayLeaveWhileTold)
{
    QStringList log;
    ListeningContainer first(&log);
    ListeningContainer second(&log);
    Shape shape;
    // With no connection at all, a listener still hears every change.
    shape.addChangeListener(&first);
    shape.addChangeListener(&second);
    // The first removes the second and itself on the first change it hears.
    first.onChange = [&](const QString&) {
        shape.removeChangeListener(&second);
        shape.removeChangeListener(&first);
    };
    shape.setStrokeWidth(2);
    EXPECT_EQ(log, QStringList({"listener strokeWidth 2"}));
    log.clear();
    shape.setStrokeWidth(3);
    EXPECT_TRUE(log.isEmpty());
}

#include "ObservableTest.moc"
