#include <gtest/gtest.h>

#include <QSignalSpy>

#include "QtTestApp.h"
#include "Support/Uuid.h"
#include "Velorin/SingleInstance.h"

namespace velorin {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstanceTest() { testing::qtApp(); }
    // A channel of this test's own, so tests never meet a running app.
    const QString name = QString::fromStdString("velorin-test-" + Uuid::generate().lowercased());
};

TEST_F(SingleInstanceTest, aSecondStart_handsOverAndTheFirstComesForward) {
    SingleInstance first(name);
    ASSERT_FALSE(first.handOverToRunningInstance());
    QSignalSpy shown(&first, &SingleInstance::showRequested);

    SingleInstance second(name);
    EXPECT_TRUE(second.handOverToRunningInstance());
    ASSERT_TRUE(shown.count() == 1 || shown.wait(5000));
    EXPECT_EQ(shown.count(), 1);
}

TEST_F(SingleInstanceTest, onceTheFirstHasEnded_theNextStartRuns) {
    {
        SingleInstance first(name);
        ASSERT_FALSE(first.handOverToRunningInstance());
    }
    SingleInstance next(name);
    EXPECT_FALSE(next.handOverToRunningInstance());
    SingleInstance third(name);
    EXPECT_TRUE(third.handOverToRunningInstance());
}

}  // namespace
}  // namespace velorin
