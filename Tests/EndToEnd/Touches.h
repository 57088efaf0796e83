#pragma once
// Touches the end-to-end tests feed their pads, in the pad's own units.

#include "AppSession.h"

namespace velorin::e2e {

// Two fingers down and up again within a tenth of a second: a tap.
inline testing::EventScript twoFingerTap() {
    return std::move(testing::EventScript()
                         .at(0)
                         .land(0, 1, 1500, 1200)
                         .pressure(60)
                         .land(1, 2, 2500, 1200)
                         .pressure(60)
                         .fingers(2)
                         .report()
                         .at(0.04)
                         .slot(0)
                         .x(1502)
                         .slot(1)
                         .x(2501)
                         .report()
                         .at(0.09)
                         .lift(0)
                         .lift(1)
                         .fingers(0)
                         .report());
}

}  // namespace velorin::e2e
