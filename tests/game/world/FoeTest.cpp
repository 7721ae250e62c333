#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Foe.h"
#include "RecorderScope.h"
#include "ofMath.h"

namespace {

const float kPi = 3.14159265f;

// A foe whose setup moves it, so the order of spawn's steps shows, and whose
// shape records the sizes the ghost trail asks for.
class ProbeFoe : public Foe {
public:
    std::vector<float> shapeSizes;
    float headingSeenBySetup = 0;
    void setup() override {
        type = 9;
        headingSeenBySetup = heading;
        x += 5;
        heading = 0.25f;
    }
    void drawShape(float s) override {
        shapeSizes.push_back(s);
        ofCircle(0, 0, s);
    }
};

}  // namespace

TEST(Foe, ConstructedFieldsHaveValuesBeforeAnyoneWritesThem) {
    Foe foe;
    EXPECT_EQ(foe.type, -1);
    EXPECT_EQ(foe.pulseOffset, 0);
    EXPECT_EQ(foe.pulseScale, 1);
    EXPECT_EQ(foe.x, 0);
    EXPECT_EQ(foe.trailPos[44], ofVec2f(0, 0));
    EXPECT_EQ(foe.trailHeading[44], 0);
    EXPECT_EQ(foe.label(), "");
}

TEST(Foe, SpawnPlacesTheFoeThenRunsSetupThenFillsTheTrail) {
    struct Row {
        float angle, cx, cy;
        bool far;
    };
    const Row rows[] = {{0, 0, 0, false}, {0, 0, 0, true}, {1.0f, 300, -200, false}, {-2.5f, -500, 40, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.angle);
        ofSeedRandom(42);
        const float speed = ofRandomRange(2, 4) * 0.6f;
        const float a = row.angle + ofRandomRange(-kPi / 2, kPi / 2);

        ofSeedRandom(42);
        ProbeFoe foe;
        foe.expired = foe.dying = foe.isBig = true;
        foe.deathFraction = 0.5f;
        foe.speedGain = 3;
        foe.spawn(ofColor(1, 2, 3), row.angle, row.cx, row.cy, true, row.far);

        const float r = row.far ? 1800 : 900;
        const float spawnX = std::cos(a) * r + row.cx;
        const float spawnY = std::sin(a) * r + row.cy;
        EXPECT_FLOAT_EQ(foe.x, spawnX + 5);
        EXPECT_FLOAT_EQ(foe.y, spawnY);
        EXPECT_NEAR(std::hypot(spawnX - row.cx, spawnY - row.cy), r, 1e-3);
        // Setup saw the heading toward the world origin, not the centre.
        EXPECT_FLOAT_EQ(foe.headingSeenBySetup, std::atan2(-spawnY, -spawnX));
        EXPECT_FLOAT_EQ(foe.speed, speed);
        EXPECT_GE(foe.speed, 1.2f);
        EXPECT_LT(foe.speed, 2.4f);
        EXPECT_EQ(foe.type, 9);
        EXPECT_TRUE(foe.thickLines);
        EXPECT_EQ(foe.color, ofColor(1, 2, 3));
        EXPECT_EQ(foe.size, 18.0f);
        EXPECT_EQ(foe.hitRadius, 25.2f);
        EXPECT_EQ(foe.turnRate, 0.0418879f);
        EXPECT_EQ(foe.maxSpeed, 14.0f);
        EXPECT_EQ(foe.boostMax, 17.0f);
        EXPECT_EQ(foe.speedGain, 0);
        EXPECT_EQ(foe.killValue, 7.0f);
        EXPECT_FALSE(foe.expired || foe.dying || foe.isBig);
        EXPECT_EQ(foe.deathFraction, 0);
        // The trail holds what setup left, in every entry.
        for (int i = 0; i < Foe::trailLength; i++) {
            ASSERT_EQ(foe.trailPos[i], ofVec2f(foe.x, foe.y)) << i;
            ASSERT_EQ(foe.trailHeading[i], 0.25f) << i;
        }
    }
}

TEST(Foe, ShiftTrailDropsTheOldestAndPutsTheCurrentStateFirst) {
    Foe foe;
    for (int i = 0; i < Foe::trailLength; i++) {
        foe.trailPos[i].set(i, -i);
        foe.trailHeading[i] = i * 0.1f;
    }
    foe.x = 100;
    foe.y = 200;
    foe.heading = 3;
    foe.shiftTrail();
    EXPECT_EQ(foe.trailPos[0], ofVec2f(100, 200));
    EXPECT_EQ(foe.trailHeading[0], 3);
    for (int i = 1; i < Foe::trailLength; i++) {
        EXPECT_EQ(foe.trailPos[i], ofVec2f(i - 1, -(i - 1))) << i;
        EXPECT_EQ(foe.trailHeading[i], (i - 1) * 0.1f) << i;
    }
}

TEST(Foe, GhostTrailPulseFollowsTheFrameNumberAndIgnoresPulseScale) {
    struct Row {
        int frame;
        std::vector<int> alphas;
        std::vector<float> sizes;
    };
    const Row rows[] = {
        {0,
         {80, 68, 57, 45, 29, 26, 24, 21, 18, 16, 13, 10, 8, 5, 2},
         {21.06f, 18.8895f, 16.836f, 14.8995f, 13.08f, 12.3f, 11.52f, 10.74f, 9.96f, 9.18f, 8.4f, 7.62f, 6.84f, 6.06f,
          5.28f}},
        // 89 mod 45 is 44: the pulse sits on the oldest ghosts.
        {89,
         {40, 37, 34, 32, 29, 26, 24, 21, 18, 16, 13, 18, 24, 30, 36},
         {16.2f, 15.42f, 14.64f, 13.86f, 13.08f, 12.3f, 11.52f, 10.74f, 9.96f, 9.18f, 8.4f, 7.8105f, 7.524f, 7.1205f,
          6.6f}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.frame);
        RecorderScope rec;
        ofFixFrameNum(row.frame);
        ProbeFoe foe;
        foe.color.set(9, 8, 7);
        foe.pulseScale = 3;
        for (int i = 0; i < Foe::trailLength; i++) {
            foe.trailPos[i].set(i * 10, 5);
            foe.trailHeading[i] = kPi / 2;
        }
        foe.drawGhostTrail();
        const Calls calls = rec.take();
        ASSERT_EQ(calls.size(), 1 + 15 * 6u);
        EXPECT_EQ(calls[0], "setFillMode(1)");
        ASSERT_EQ(foe.shapeSizes.size(), 15u);
        for (int k = 0; k < 15; k++) {
            const size_t c = 1 + k * 6;
            EXPECT_EQ(calls[c], "setColor(9,8,7," + std::to_string(row.alphas[k]) + ")") << k;
            EXPECT_EQ(calls[c + 1], "pushMatrix()");
            EXPECT_EQ(calls[c + 2], "translate(" + std::to_string(k * 30) + ",5,0)") << k;
            EXPECT_EQ(calls[c + 3], "rotate(90)");
            EXPECT_EQ(calls[c + 5], "popMatrix()");
            EXPECT_NEAR(foe.shapeSizes[k], row.sizes[k], 1e-3) << k;
        }
    }
}

TEST(Foe, AKindWithoutAShapeDrawsOnlyColoursForItsGhosts) {
    RecorderScope rec;
    Foe foe;
    foe.drawGhostTrail();
    const Calls calls = rec.take();
    EXPECT_EQ(callsStartingWith(calls, "draw").size(), 0u);
    EXPECT_EQ(callsStartingWith(calls, "setColor").size(), 15u);
}
