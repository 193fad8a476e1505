#include "platform/UndoManager.h"
#include "platform/Observable.h"

#include <QColor>
#include <QRectF>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using platform::Observable;
using platform::UndoManager;

namespace {

// Two undoable properties and a key that depends on both.
class Box : public Observable
{
    Q_OBJECT
    Q_PROPERTY(QRectF bounds READ bounds WRITE setBounds)
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor)
    Q_PROPERTY(QString drawingContents READ drawingContents)
public:
    QRectF bounds() const { return m_bounds; }
    void setBounds(const QRectF& bounds) { changeValue(m_bounds, bounds, "bounds"); }
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor& color) { changeValue(m_fillColor, color, "fillColor"); }
    QString drawingContents() const { return QString("%1 %2").arg(m_fillColor.name()).arg(m_bounds.width()); }
    QStringList keysAffectedByKey(const QString& key) const override
    {
        QStringList keys = Observable::keysAffectedByKey(key);
        if (key == "bounds" || key == "fillColor")
            keys << "drawingContents";
        return keys;
    }

private:
    QRectF m_bounds{0, 0, 10, 10};
    QColor m_fillColor{Qt::white};
};

// What the document will do: each change of an undoable key registers the restoring of its old value.
void recordUndoOfChanges(UndoManager& undo, Box* box)
{
    platform::observe(
        box, &undo,
        [&undo](Observable* object, const QString& key, const QVariant& oldValue, const QVariant& newValue) {
            if ((key != "bounds" && key != "fillColor") || oldValue == newValue)
                return;
            undo.registerUndo(object, [object, key, oldValue] { object->setValueForKey(key, oldValue); });
        });
}

bool waitForClosedGroup(UndoManager& undo)
{
    return QTest::qWaitFor([&] { return undo.groupingLevel() == 0; }, 2000);
}

// Appends name to log when run; registers its own inverse so undo and redo can be chained.
void registerLogged(UndoManager& undo, QObject* target, QStringList& log, const QString& name)
{
    undo.registerUndo(target, [&undo, target, &log, name] {
        log << name;
        registerLogged(undo, target, log, name);
    });
}

} // namespace

TEST(UndoManager, ChangesOfOneEventLoopTurnUndoAsOneGroup)
{
    UndoManager undo;
    Box box;
    recordUndoOfChanges(undo, &box);
    QStringList reported;
    QVariant contentsBeforeUndo, contentsAfterUndo;
    platform::observe(&box, nullptr,
                      [&](Observable*, const QString& key, const QVariant& o, const QVariant& n) {
                          reported << key;
                          if (key == "drawingContents") {
                              // Undo restores one key at a time: keep the first old value.
                              if (!contentsBeforeUndo.isValid())
                                  contentsBeforeUndo = o;
                              contentsAfterUndo = n;
                          }
                      });

    QTimer::singleShot(0, &box, [&] {
        box.setBounds(QRectF(1, 2, 30, 40));
        box.setFillColor(Qt::red);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return undo.canUndo(); }, 2000));
    ASSERT_TRUE(waitForClosedGroup(undo));

    reported.clear();
    contentsBeforeUndo.clear();
    undo.undo();
    EXPECT_EQ(box.bounds(), QRectF(0, 0, 10, 10));
    EXPECT_EQ(box.fillColor(), QColor(Qt::white));
    EXPECT_FALSE(undo.canUndo()) << "both changes belong to one group";
    EXPECT_TRUE(reported.contains("drawingContents"));
    EXPECT_EQ(contentsBeforeUndo.toString(), "#ff0000 30");
    EXPECT_EQ(contentsAfterUndo.toString(), "#ffffff 10");

    ASSERT_TRUE(undo.canRedo());
    undo.redo();
    EXPECT_EQ(box.bounds(), QRectF(1, 2, 30, 40));
    EXPECT_EQ(box.fillColor(), QColor(Qt::red));
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(box.bounds(), QRectF(0, 0, 10, 10));
    EXPECT_EQ(box.fillColor(), QColor(Qt::white));

    // With registration disabled nothing is recorded, and the redo stays available.
    undo.disableUndoRegistration();
    box.setFillColor(Qt::blue);
    box.setBounds(QRectF(0, 0, 5, 5));
    undo.enableUndoRegistration();
    undo.closeEventGroup();
    EXPECT_FALSE(undo.canUndo());
    EXPECT_TRUE(undo.canRedo());
}

TEST(UndoManager, ChangesInSeparateTurnsAreSeparateGroups)
{
    UndoManager undo;
    Box box;
    recordUndoOfChanges(undo, &box);
    int checkpoints = 0;
    QObject::connect(&undo, &UndoManager::checkpoint, [&] { ++checkpoints; });

    QTimer::singleShot(0, &box, [&] { box.setFillColor(Qt::red); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return undo.canUndo() && undo.groupingLevel() == 0; }, 2000));
    EXPECT_GE(checkpoints, 1);
    QTimer::singleShot(0, &box, [&] { box.setFillColor(Qt::green); });
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return box.fillColor() == Qt::green && undo.groupingLevel() == 0; }, 2000));

    undo.undo();
    EXPECT_EQ(box.fillColor(), QColor(Qt::red));
    undo.undo();
    EXPECT_EQ(box.fillColor(), QColor(Qt::white));
}

TEST(UndoManager, NestedGroupsUndoAsOneInReverseOrder)
{
    UndoManager undo;
    QObject target;
    QStringList log;
    int checkpoints = 0;
    QObject::connect(&undo, &UndoManager::checkpoint, [&] { ++checkpoints; });

    undo.beginUndoGrouping();
    registerLogged(undo, &target, log, "a");
    undo.beginUndoGrouping();
    EXPECT_EQ(undo.groupingLevel(), 2);
    registerLogged(undo, &target, log, "b");
    undo.setActionName("Move");
    undo.endUndoGrouping();
    registerLogged(undo, &target, log, "c");
    undo.endUndoGrouping();
    EXPECT_EQ(undo.groupingLevel(), 0);
    EXPECT_EQ(checkpoints, 3); // nested open, nested close, outer close

    EXPECT_EQ(undo.undoActionName(), "Move");
    undo.undo();
    EXPECT_EQ(log, QStringList({"c", "b", "a"}));
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(undo.redoActionName(), "Move");

    // The redo ran the inverses registered during undo, again last first.
    log.clear();
    undo.redo();
    EXPECT_EQ(log, QStringList({"a", "b", "c"}));
    EXPECT_EQ(undo.undoActionName(), "Move");

    // An empty group leaves nothing to undo.
    undo.removeAllActions();
    undo.beginUndoGrouping();
    undo.endUndoGrouping();
    EXPECT_FALSE(undo.canUndo());
}

TEST(UndoManager, ActionNameSetDuringUndoNamesTheRedo)
{
    UndoManager undo;
    QObject target;
    undo.registerUndo(&target, [&] {
        undo.setActionName("Redo Name");
        undo.registerUndo(&target, [] {});
    });
    undo.setActionName("Undo Name");
    EXPECT_EQ(undo.undoActionName(), "Undo Name");
    undo.undo(); // closes the open event group first
    EXPECT_EQ(undo.redoActionName(), "Redo Name");
    EXPECT_TRUE(undo.isUndoRegistrationEnabled());
}

TEST(UndoManager, UndoingAndRedoingAreVisibleToActions)
{
    UndoManager undo;
    QObject target;
    QList<std::pair<bool, bool>> seen;
    std::function<void()> action = [&] {
        seen.append({undo.isUndoing(), undo.isRedoing()});
        undo.registerUndo(&target, action);
    };
    undo.registerUndo(&target, action);
    undo.closeEventGroup();
    EXPECT_FALSE(undo.isUndoing());
    undo.undo();
    undo.redo();
    EXPECT_EQ(seen, (QList<std::pair<bool, bool>>{{true, false}, {false, true}}));
}

TEST(UndoManager, NewRegistrationClearsTheRedoStack)
{
    UndoManager undo;
    QObject target;
    QStringList log;
    registerLogged(undo, &target, log, "first");
    undo.closeEventGroup();
    undo.undo();
    ASSERT_TRUE(undo.canRedo());

    registerLogged(undo, &target, log, "second");
    EXPECT_FALSE(undo.canRedo());
    undo.undo();
    EXPECT_EQ(log, QStringList({"first", "second"}));
    EXPECT_FALSE(undo.canUndo());
}

TEST(UndoManager, RemoveAllActionsWithTarget)
{
    UndoManager undo;
    QObject a, b;
    QStringList log;
    undo.beginUndoGrouping();
    registerLogged(undo, &a, log, "a1");
    registerLogged(undo, &b, log, "b1");
    undo.endUndoGrouping();
    undo.beginUndoGrouping();
    registerLogged(undo, &a, log, "a2");
    undo.endUndoGrouping();

    undo.removeAllActionsWithTarget(&a);
    // The group that held only a's action is gone; the mixed one keeps b's.
    ASSERT_TRUE(undo.canUndo());
    undo.undo();
    EXPECT_EQ(log, QStringList({"b1"}));
    EXPECT_FALSE(undo.canUndo());
    ASSERT_TRUE(undo.canRedo());

    undo.removeAllActionsWithTarget(&b);
    EXPECT_FALSE(undo.canRedo());
}

TEST(UndoManager, ActionOfADestroyedTargetIsSkipped)
{
    UndoManager undo;
    QStringList log;
    auto gone = std::make_unique<QObject>();
    QObject kept;
    undo.beginUndoGrouping();
    registerLogged(undo, &kept, log, "kept");
    undo.registerUndo(gone.get(), [&log] { log << "gone"; });
    undo.endUndoGrouping();
    gone.reset();
    undo.undo();
    EXPECT_EQ(log, QStringList({"kept"}));
}

TEST(UndoManager, DisablingNestsAndRemoveAllActionsReEnables)
{
    UndoManager undo;
    QObject target;
    undo.disableUndoRegistration();
    undo.disableUndoRegistration();
    undo.enableUndoRegistration();
    EXPECT_FALSE(undo.isUndoRegistrationEnabled());
    undo.registerUndo(&target, [] {});
    EXPECT_EQ(undo.groupingLevel(), 0) << "a refused registration opens no group";
    undo.enableUndoRegistration();
    EXPECT_TRUE(undo.isUndoRegistrationEnabled());
    undo.enableUndoRegistration(); // unbalanced: ignored
    EXPECT_TRUE(undo.isUndoRegistrationEnabled());
    undo.disableUndoRegistration();
    EXPECT_FALSE(undo.isUndoRegistrationEnabled());

    undo.removeAllActions();
    EXPECT_TRUE(undo.isUndoRegistrationEnabled());
}

TEST(UndoManager, WithoutEventGroupingARegistrationNeedsAGroup)
{
    UndoManager undo;
    QObject target;
    undo.setGroupsByEvent(false);
    undo.registerUndo(&target, [] {});
    EXPECT_FALSE(undo.canUndo());
    EXPECT_EQ(undo.groupingLevel(), 0);
}

TEST(UndoManager, LevelsOfUndoDropTheOldestGroups)
{
    UndoManager undo;
    QObject target;
    QStringList log;
    for (const char* name : {"1", "2", "3"}) {
        registerLogged(undo, &target, log, name);
        undo.closeEventGroup();
    }
    undo.setLevelsOfUndo(2);
    while (undo.canUndo())
        undo.undo();
    EXPECT_EQ(log, QStringList({"3", "2"}));
}

#include "UndoManagerTest.moc"
