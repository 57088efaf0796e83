#include "Velorin/Design/WaterModel.h"
#include "Velorin/Design/WaterUniforms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace velorin {
namespace {

float floatAt(const std::array<std::byte, 512>& bytes, std::size_t offset) {
    float v = 0;
    std::memcpy(&v, bytes.data() + offset, sizeof v);
    return v;
}

TEST(WaterUniformsTest, packsEveryFieldAtItsStd140Offset) {
    WaterUniforms u;
    u.size = {820, 580, 12.5f, 1};
    u.counts = {3, 2, 1.0f / 328, 1.0f / 232};
    u.tune = {0.982f, 0.24f, 0, 0.4f};
    u.base = {0.1f, 0.2f, 0.3f, 0.9f};
    u.fingers[0] = {0.25f, 0.75f, 0.03f, 0.32f};
    u.fingers[11] = {1, 2, 3, 4};
    u.blobPos[0] = {0.1f, 0.2f, 0.3f, 1};
    u.blobPos[7] = {5, 6, 7, 8};
    u.blobCol[0] = {0.5f, 0.6f, 0.7f, 0.8f};
    u.blobCol[7] = {9, 10, 11, 12};
    const auto bytes = u.bytes();
    struct Case {
        std::size_t offset;
        float value;
    };
    const std::vector<Case> cases = {
        {0, 820},          {4, 580},
        {8, 12.5f},        {12, 1},
        {16, 3},           {20, 2},
        {24, 1.0f / 328},  {32, 0.982f},
        {36, 0.24f},       {44, 0.4f},
        {48, 0.1f},        {60, 0.9f},
        {64, 0.25f},       {68, 0.75f},
        {72, 0.03f},       {76, 0.32f},
        {64 + 11 * 16, 1}, {64 + 11 * 16 + 12, 4},
        {256, 0.1f},       {268, 1},
        {256 + 7 * 16, 5}, {256 + 7 * 16 + 12, 8},
        {384, 0.5f},       {396, 0.8f},
        {384 + 7 * 16, 9}, {508, 12},
    };
    for (const Case& c : cases) EXPECT_EQ(floatAt(bytes, c.offset), c.value) << c.offset;
    // Entries not written are zero.
    EXPECT_EQ(floatAt(bytes, 28 - 4 + 4), 1.0f / 232);
    EXPECT_EQ(floatAt(bytes, 80), 0);
    EXPECT_EQ(floatAt(bytes, 300), 0);
}

TEST(WaterUniformsTest, declaresTheBlockTheShaderReads) {
    const std::string block = WaterUniforms::glslBlock;
    EXPECT_NE(block.find("layout(std140)"), std::string::npos);
    EXPECT_NE(block.find("vec4 fingers[12];"), std::string::npos);
    EXPECT_NE(block.find("vec4 blobPos[8];"), std::string::npos);
    EXPECT_NE(block.find("vec4 blobCol[8];"), std::string::npos);
}

TEST(WaterGrid, isTwoAndAHalfPointsACellWithinItsLimits) {
    EXPECT_EQ(WaterModel::gridSize(QSizeF(820, 580)), QSize(328, 232));
    EXPECT_EQ(WaterModel::gridSize(QSizeF(821.9, 579.9)), QSize(328, 231));
    EXPECT_EQ(WaterModel::gridSize(QSizeF(20, 3000)), QSize(16, 640));
    EXPECT_EQ(WaterModel::gridSize(QSizeF(0, 0)), QSize(16, 16));
}

Touch touch(float x, float y, std::int32_t id = 1) {
    Touch t;
    t.id = id;
    t.state = TouchState::touching;
    t.x = x;
    t.y = y;
    return t;
}

FloorBlob blob(std::string id, float x = 0.5f) { return FloorBlob{std::move(id), x, 0.5f, 0.3f, {1, 0, 0}, false}; }

// A water model in virtual time, drawn at a fixed size.
class WaterFixture : public ::testing::Test {
protected:
    WaterModel::Frame frameAt(double t) { return model.frame(t, QSizeF(400, 300), QSize(160, 120)); }
    void update(double t) { model.update(input, t); }

    WaterModel model{100.0};
    WaterInput input;
};

TEST_F(WaterFixture, theFirstFrameRunsNoStepAndLaterOnesCarryTheirDebt) {
    EXPECT_EQ(frameAt(100).steps, 0);
    EXPECT_EQ(frameAt(100 + 1.0 / 60).steps, 2);
    // 1/100 s is 1.2 steps: one now, 0.2 carried.
    EXPECT_EQ(frameAt(100 + 1.0 / 60 + 0.01).steps, 1);
    EXPECT_NEAR(model.stepDebt(), 0.2, 1e-9);
    EXPECT_EQ(frameAt(100 + 1.0 / 60 + 0.02).steps, 1);
    EXPECT_NEAR(model.stepDebt(), 0.4, 1e-9);
}

TEST_F(WaterFixture, aStallAccountsForAtMostAFifteenthOfASecond) {
    frameAt(100);
    // A second's stall counts as 1/15 s: 8 steps, no burst of work.
    EXPECT_EQ(frameAt(101).steps, 8);
    EXPECT_NEAR(model.stepDebt(), 0, 1e-9);
}

TEST_F(WaterFixture, theFirstElevenTouchesPressAndASplashIsTheTwelfth) {
    for (int i = 0; i < 12; ++i) input.touches.push_back(touch(0.05f * float(i + 1), 0.2f, i));
    input.fired = dateFromSecondsSince1970(1000);
    update(100);
    const WaterUniforms u = frameAt(100).uniforms;
    EXPECT_EQ(u.counts.x, 12);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(u.fingers[std::size_t(i)], (Float4{0.05f * float(i + 1), 1 - 0.2f, 0.03f, 0.32f})) << i;
    // The splash lands where the last written finger was.
    EXPECT_EQ(u.fingers[11], (Float4{0.55f, 1 - 0.2f, 0.055f, -0.6f}));
}

TEST_F(WaterFixture, aNewFiredDateSplashesForFiveDrawnFrames) {
    const auto fired = dateFromSecondsSince1970(1000);
    input.fired = fired;
    update(100);
    EXPECT_EQ(model.splashSteps(), 5);
    for (int i = 0; i < 5; ++i) {
        const WaterUniforms u = frameAt(100 + i * 0.016).uniforms;
        EXPECT_EQ(u.counts.x, 1) << i;
        // Never a finger: the centre of the view.
        EXPECT_EQ(u.fingers[0], (Float4{0.5f, 0.5f, 0.055f, -0.6f})) << i;
    }
    EXPECT_EQ(frameAt(100.1).uniforms.counts.x, 0);

    // The same date again does not splash; a date going back to nothing wakes but does not splash.
    update(101);
    EXPECT_EQ(model.splashSteps(), 0);
    input.fired.reset();
    update(120);
    EXPECT_EQ(model.splashSteps(), 0);
    EXPECT_EQ(model.lastActive(), 120);
}

TEST_F(WaterFixture, reduceMotionNeverSplashesAndStopsTheSurface) {
    input.reduceMotion = true;
    input.touches = {touch(0.3f, 0.4f)};
    input.fired = dateFromSecondsSince1970(5);
    update(100);
    EXPECT_EQ(model.splashSteps(), 0);
    frameAt(100);
    const WaterModel::Frame f = frameAt(101);
    EXPECT_EQ(f.steps, 0);
    EXPECT_EQ(f.uniforms.size.z, 0);  // time
    EXPECT_EQ(f.uniforms.tune.z, 1);
    EXPECT_EQ(f.uniforms.counts.x, 1);  // the finger is still written, for its glow
    EXPECT_NEAR(model.stepDebt(), 0, 1e-12);
}

TEST_F(WaterFixture, writesTheViewTheClockAndTheAppearance) {
    input.opacity = 0.4;
    input.dark = true;
    update(100);
    frameAt(100);
    const WaterUniforms u = frameAt(102.5).uniforms;
    EXPECT_EQ(u.size, (Float4{400, 300, 2.5f, 1}));
    EXPECT_EQ(u.counts, (Float4{0, 0, 1.0f / 160, 1.0f / 120}));
    EXPECT_EQ(u.tune, (Float4{0.982f, 0.24f, 0, 0.4f}));
    EXPECT_EQ(u.base.x, 0.055f);
    EXPECT_EQ(u.base.y, 0.062f);
    EXPECT_EQ(u.base.z, 0.078f);
    input.dark = false;
    update(103);
    EXPECT_EQ(frameAt(103).uniforms.base.x, 0.835f);
}

TEST_F(WaterFixture, blobsFadeInAndOutAndOnlyTheEightSmallestIdsAreWritten) {
    for (char c = 'a'; c <= 'j'; ++c) input.blobs.push_back(blob(std::string(1, c), 0.1f * float(c - 'a')));
    update(100);
    frameAt(100);
    WaterUniforms u = frameAt(100 + 1.0 / 60).uniforms;
    EXPECT_NEAR(*model.blobAlpha("a"), 0.05f, 1e-6);  // 3 per second over 1/60 s
    EXPECT_EQ(u.counts.y, 8);
    EXPECT_NEAR(u.blobCol[0].w, 0.05f, 1e-6);
    EXPECT_EQ(u.blobPos[0], (Float4{0, 0.5f, 0.3f, 0}));
    EXPECT_EQ(u.blobPos[7].x, 0.1f * 7);  // "h"; "i" and "j" wait

    // Fully in after a while.
    double t = 100 + 1.0 / 60;
    for (int i = 0; i < 200; ++i) frameAt(t += 1.0 / 60);
    EXPECT_EQ(*model.blobAlpha("h"), 1.0f);

    // "b" leaves: it fades out but keeps its slot until it reaches 0, so "i" waits.
    input.blobs.erase(input.blobs.begin() + 1);
    update(t);
    u = frameAt(t += 1.0 / 60).uniforms;
    EXPECT_EQ(u.counts.y, 8);
    EXPECT_NEAR(u.blobCol[1].w, 0.95f, 1e-5);
    EXPECT_EQ(u.blobCol[7].w, 1);  // "h"
    for (int i = 0; i < 200; ++i) frameAt(t += 1.0 / 60);
    EXPECT_EQ(*model.blobAlpha("b"), 0.0f);
    u = frameAt(t += 1.0 / 60).uniforms;
    EXPECT_EQ(u.counts.y, 8);
    EXPECT_EQ(u.blobPos[1].x, 0.1f * 2);  // "c" moved up
    EXPECT_EQ(u.blobPos[7].x, 0.1f * 8);  // "i" is in now
}

TEST_F(WaterFixture, aRemovedBlobKeepsItsLatestValuesWhileFading) {
    input.blobs = {blob("p", 0.2f)};
    update(100);
    input.blobs = {blob("p", 0.7f)};
    update(100);
    frameAt(100);
    frameAt(100.5);
    input.blobs.clear();
    update(100.5);
    const WaterUniforms u = frameAt(100.52).uniforms;
    EXPECT_EQ(u.counts.y, 1);
    EXPECT_EQ(u.blobPos[0].x, 0.7f);
}

TEST_F(WaterFixture, energyRisesWithTouchesAndEbbsAfter) {
    frameAt(100);
    input.touches = {touch(0.5f, 0.5f)};
    update(100);
    frameAt(100 + 1.0 / 60);
    EXPECT_NEAR(model.energy(), 0.2f, 1e-6);  // rate 12 over 1/60 s
    double t = 100 + 1.0 / 60;
    for (int i = 0; i < 120; ++i) frameAt(t += 1.0 / 60);
    EXPECT_NEAR(model.energy(), 1, 1e-3);
    input.touches.clear();
    update(t);
    const float before = model.energy();
    frameAt(t += 1.0 / 60);
    EXPECT_NEAR(model.energy(), before - before * 1.1f / 60, 1e-5);
    for (int i = 0; i < 60 * 8; ++i) frameAt(t += 1.0 / 60);
    EXPECT_EQ(model.energy(), 0);
}

TEST_F(WaterFixture, slowsDownAfterSixIdleSecondsAndWakesOnTouch) {
    input.dark = true;  // a change wakes it
    update(100);
    double t = 100;
    frameAt(t);
    while (t < 106) frameAt(t += 0.25);
    EXPECT_EQ(model.framesPerSecond(), 60);
    frameAt(t = 106.1);
    EXPECT_EQ(model.framesPerSecond(), 12);

    input.touches = {touch(0.1f, 0.1f)};
    update(107);
    EXPECT_EQ(model.framesPerSecond(), 60);

    // Reduce Motion idles at 2.
    input.touches.clear();
    input.reduceMotion = true;
    update(107);
    for (t = 107; t < 115; t += 0.5) frameAt(t);
    EXPECT_EQ(model.framesPerSecond(), 2);
    // A change of Reduce Motion alone does not wake it.
    input.reduceMotion = false;
    update(115);
    EXPECT_NE(model.lastActive(), 115);
}

}  // namespace
}  // namespace velorin
