#include "platform/NotificationCenter.h"

#include <QThread>
#include <atomic>
#include <gtest/gtest.h>

using platform::Notification;
using platform::NotificationCenter;

TEST(NotificationCenter, DeliversByNameAndSenderInRegistrationOrder)
{
    NotificationCenter center;
    QObject a, b;
    QStringList log;
    center.addObserver("Changed", nullptr, [&](const Notification& n) { log << "any sender " + n.name; });
    center.addObserver(
        "Changed", nullptr, [&](const Notification&) { log << "from a"; }, &a);
    center.addObserver("", nullptr, [&](const Notification& n) { log << "all " + n.name; });
    center.addObserver("Other", nullptr, [&](const Notification&) { log << "other"; });

    center.post("Changed", &a);
    EXPECT_EQ(log, QStringList({"any sender Changed", "from a", "all Changed"}));
    log.clear();
    center.post("Changed", &b);
    EXPECT_EQ(log, QStringList({"any sender Changed", "all Changed"}));
    log.clear();
    center.post("Changed");
    EXPECT_EQ(log, QStringList({"any sender Changed", "all Changed"}));
}

TEST(NotificationCenter, PassesSenderAndUserInfo)
{
    NotificationCenter center;
    QObject sender;
    Notification got;
    center.addObserver("Saved", nullptr, [&](const Notification& n) { got = n; });
    center.post("Saved", &sender, {{"path", "/tmp/page"}});
    EXPECT_EQ(got.name, "Saved");
    EXPECT_EQ(got.sender, &sender);
    EXPECT_EQ(got.userInfo.value("path").toString(), "/tmp/page");
}

TEST(NotificationCenter, ObserversMayRemoveAndAddDuringDelivery)
{
    NotificationCenter center;
    QStringList log;
    NotificationCenter::ObserverId first = 0, third = 0;
    first = center.addObserver("N", nullptr, [&](const Notification&) {
        log << "first";
        center.removeObserver(first); // itself
        center.removeObserver(third); // a later one
    });
    center.addObserver("N", nullptr, [&](const Notification&) {
        log << "second";
        if (log.size() == 2)
            center.addObserver("N", nullptr, [&](const Notification&) { log << "added"; });
    });
    third = center.addObserver("N", nullptr, [&](const Notification&) { log << "third"; });

    center.post("N");
    EXPECT_EQ(log, QStringList({"first", "second"}));
    log.clear();
    center.post("N");
    EXPECT_EQ(log, QStringList({"second", "added"}));
}

TEST(NotificationCenter, ObserversGoWithTheirContext)
{
    NotificationCenter center;
    int calls = 0;
    auto context = std::make_unique<QObject>();
    QObject other;
    center.addObserver("N", context.get(), [&](const Notification&) { ++calls; });
    center.addObserver("N", &other, [&](const Notification&) { calls += 10; });
    center.addObserver("N", &other, [&](const Notification&) { calls += 100; });
    center.post("N");
    EXPECT_EQ(calls, 111);

    context.reset();
    calls = 0;
    center.post("N");
    EXPECT_EQ(calls, 110);

    center.removeObserversForContext(&other);
    calls = 0;
    center.post("N");
    EXPECT_EQ(calls, 0);
    center.removeObserver(12345); // unknown: harmless
}

TEST(NotificationCenter, RegistrationFromSeveralThreads)
{
    NotificationCenter center;
    std::atomic<int> calls = 0;
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back(QThread::create([&] {
            for (int i = 0; i < 200; ++i) {
                const auto id = center.addObserver("N", nullptr, [&](const Notification&) { ++calls; });
                if (i % 2)
                    center.removeObserver(id);
            }
        }));
        threads.back()->start();
    }
    for (int i = 0; i < 200; ++i)
        center.post("Other");
    for (auto& thread : threads)
        thread->wait();
    calls = 0;
    center.post("N");
    EXPECT_EQ(calls, 4 * 100);
}

TEST(NotificationCenter, DefaultCenterIsShared)
{
    EXPECT_EQ(&NotificationCenter::defaultCenter(), &NotificationCenter::defaultCenter());
}
