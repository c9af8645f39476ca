// The synchronous hand-off of device events to the owner's thread.

#include "LinkTestSupport.h"

#include "device/QtLinkNotifier.h"

#include <QThread>

#include <gtest/gtest.h>

using namespace linktest;

namespace {

TEST(QtLinkNotifier, DeviceEventRunsOnTheOwnerThreadWhileTheCallerWaits) {
    qtApp();
    LinkControl link;
    link.stopRequest = false;
    QtLinkNotifier notifier(link);
    int shared = 0; // written by the caller before, by the slot during the call
    std::atomic<bool> returned{false};
    std::vector<std::pair<int, int>> got;
    QObject::connect(&notifier, &QtLinkNotifier::deviceEventArrived, [&](int code, int param) {
        EXPECT_EQ(QThread::currentThread(), notifier.thread());
        EXPECT_FALSE(returned) << "the caller went on before the slot returned";
        EXPECT_EQ(shared, 1);
        shared = 2;
        got.push_back({code, param});
    });
    std::thread reader([&] {
        shared = 1;
        notifier.deviceEvent(5, 19);
        returned = true;
        EXPECT_EQ(shared, 2);
    });
    ASSERT_TRUE(waitWithEvents([&] { return returned.load(); }));
    reader.join();
    EXPECT_EQ(got, (std::vector<std::pair<int, int>>{{5, 19}}));
}

TEST(QtLinkNotifier, APendingEventIsDroppedWhenTheThreadIsToStop) {
    qtApp();
    LinkControl link;
    link.stopRequest = false;
    QtLinkNotifier notifier(link);
    int delivered = 0;
    QObject::connect(&notifier, &QtLinkNotifier::deviceEventArrived,
                     [&](int, int) { ++delivered; });
    int ended = 0;
    QObject::connect(&notifier, &QtLinkNotifier::linkEndedArrived, [&] { ++ended; });

    std::atomic<bool> returned{false};
    std::thread reader([&] {
        notifier.deviceEvent(0, 0); // the owner handles no events now
        returned = true;
        notifier.linkEnded();
    });
    link.stopRequest = true; // the owner closes and waits for the thread
    reader.join();
    EXPECT_TRUE(returned);
    runEvents(50ms);
    ASSERT_TRUE(waitWithEvents([&] { return ended == 1; }));
    EXPECT_EQ(delivered, 0);
}

TEST(QtLinkNotifier, NoticesAreQueuedAndKeepTheirOrder) {
    qtApp();
    LinkControl link;
    QtLinkNotifier notifier(link);
    std::string order;
    QObject::connect(&notifier, &QtLinkNotifier::noSerialDataArrived, [&] { order += 'N'; });
    QObject::connect(&notifier, &QtLinkNotifier::boxRestartArrived, [&] { order += 'B'; });
    QObject::connect(&notifier, &QtLinkNotifier::linkEndedArrived, [&] { order += 'E'; });
    std::thread reader([&] {
        notifier.noSerialData();
        notifier.boxRestart();
        notifier.linkEnded();
    });
    reader.join();
    EXPECT_EQ(order, "") << "posted, not called";
    ASSERT_TRUE(waitWithEvents([&] { return order.size() == 3; }));
    EXPECT_EQ(order, "NBE");
}

} // namespace
