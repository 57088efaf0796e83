#include "Support/Uuid.h"

#include <gtest/gtest.h>

using velorin::Uuid;

TEST(Uuid, parsesEitherCaseAndWritesUpperCase) {
    auto lower = Uuid::parse("7a9d0000-0000-4000-8000-0000deadbeef");
    auto upper = Uuid::parse("7A9D0000-0000-4000-8000-0000DEADBEEF");
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(*lower, *upper);
    EXPECT_EQ(lower->string(), "7A9D0000-0000-4000-8000-0000DEADBEEF");
    EXPECT_EQ(lower->lowercased(), "7a9d0000-0000-4000-8000-0000deadbeef");
}

TEST(Uuid, rejectsNonCanonicalText) {
    for (const char* text : {"", "7A9D0000000040008000000000000000", "7A9D0000-0000-4000-8000-0000DEADBEE",
                             "7A9D0000-0000-4000-8000-0000DEADBEEFF", "7A9D0000-0000-4000-8000_0000DEADBEEF",
                             "7A9D0000-0000-4000-8000-0000DEADBEEG", " 7A9D000-0000-4000-8000-0000DEADBEEF"}) {
        EXPECT_FALSE(Uuid::parse(text)) << text;
    }
}

TEST(Uuid, generatedAreVersion4AndDistinct) {
    auto a = Uuid::generate(), b = Uuid::generate();
    EXPECT_NE(a, b);
    EXPECT_EQ(a.string()[14], '4');
    EXPECT_EQ(Uuid::parse(a.string()), a);
}
