#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>

#include <memory>

#include "QtTestApp.h"
#include "Velorin/QueuedRefresh.h"

namespace velorin {
namespace {

TEST(QueuedRefreshTest, manyRequestsBeforeTheNextTurnRunOneRefreshThenAnotherMayFollow) {
    testing::qtApp();
    QObject context;
    int runs = 0;
    QueuedRefresh refresh(&context, [&] { ++runs; });
    refresh.schedule();
    refresh.schedule();
    refresh.schedule();
    EXPECT_EQ(runs, 0);  // never inside the change that asked for it
    EXPECT_TRUE(refresh.isPending());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(refresh.isPending());
    refresh.schedule();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(runs, 2);
}

TEST(QueuedRefreshTest, aRefreshStillPendingWhenItsContextGoesNeverRuns) {
    testing::qtApp();
    int runs = 0;
    {
        auto context = std::make_unique<QObject>();
        QueuedRefresh refresh(context.get(), [&] { ++runs; });
        refresh.schedule();
        context.reset();
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace velorin
