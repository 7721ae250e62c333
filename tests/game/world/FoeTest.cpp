#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Foe.h"
#include "RecorderScope.h"
#include "ofMath.h"

namespace {

// Its setup moves it, so spawn's order shows; its shape records ghost sizes.
class ProbeFoe : public Foe {
public:
    std::vector<float> sizes;
    float headingInSetup = 0;
    void setup() override {
        type = 9;
        headingInSetup = heading;
        x += 5;
        heading = 0.25f;
    }
    void drawShape(float s) override { sizes.push_back(s); }
};

}  // namespace

TEST(Foe, SpawnPlacesTheFoeThenRunsSetupThenFillsTheTrail) {
    struct Row {
        float angle, cx, cy;
        bool far;
    } rows[] = {{0, 0, 0, false}, {1.0f, 300, -200, false}, {-2.5f, -500, 40, true}};
    for (const Row& row : rows) {
        ofSeedRandom(42);
        const float speed = ofRandomRange(2, 4) * 0.6f;
        const float a = row.angle + ofRandomRange(-1.5707964f, 1.5707964f);
        ofSeedRandom(42);
        ProbeFoe foe;
        foe.expired = foe.dying = foe.isBig = true;
        foe.speedGain = 3;
        foe.spawn(ofColor(1, 2, 3), row.angle, row.cx, row.cy, true, row.far);
        const float r = row.far ? 1800 : 900;
        const float sx = std::cos(a) * r + row.cx, sy = std::sin(a) * r + row.cy;
        EXPECT_FLOAT_EQ(foe.x, sx + 5);
        EXPECT_FLOAT_EQ(foe.y, sy);
        EXPECT_NEAR(std::hypot(sx - row.cx, sy - row.cy), r, 1e-3);
        // Toward the world origin, not the centre.
        EXPECT_FLOAT_EQ(foe.headingInSetup, std::atan2(-sy, -sx));
        EXPECT_FLOAT_EQ(foe.speed, speed);
        EXPECT_EQ(foe.type, 9);
        EXPECT_TRUE(foe.thickLines);
        EXPECT_EQ(foe.speedGain, 0);
        EXPECT_FALSE(foe.expired || foe.dying || foe.isBig);
        for (int i = 0; i < Foe::trailLength; i++) {
            ASSERT_EQ(foe.trailPos[i], ofVec2f(foe.x, foe.y));
            ASSERT_EQ(foe.trailHeading[i], 0.25f);
        }
    }
    Foe plain;  // values before the core writes them
    EXPECT_EQ(plain.type, -1);
    EXPECT_EQ(plain.pulseScale, 1);
}

TEST(Foe, GhostPulseFollowsTheFrameNumberNotPulseScale) {
    struct Row {
        int frame;
        std::vector<int> alphas;
        std::vector<float> sizes;
    } rows[] = {
        {0, {80, 68, 57, 45, 29, 26, 24, 21, 18, 16, 13, 10, 8, 5, 2},
         {21.06f, 18.8895f, 16.836f, 14.8995f, 13.08f, 12.3f, 11.52f, 10.74f, 9.96f, 9.18f, 8.4f, 7.62f, 6.84f, 6.06f,
          5.28f}},
        // 89 mod 45 = 44: the pulse sits on the oldest ghosts.
        {89, {40, 37, 34, 32, 29, 26, 24, 21, 18, 16, 13, 18, 24, 30, 36},
         {16.2f, 15.42f, 14.64f, 13.86f, 13.08f, 12.3f, 11.52f, 10.74f, 9.96f, 9.18f, 8.4f, 7.8105f, 7.524f, 7.1205f,
          6.6f}},
    };
    for (const Row& row : rows) {
        RecorderScope rec;
        ofFixFrameNum(row.frame);
        ProbeFoe foe;
        foe.color.set(9, 8, 7);
        foe.pulseScale = 3;
        for (int i = 0; i < Foe::trailLength; i++) {
            foe.trailPos[i].set(i * 10, 5);
            foe.trailHeading[i] = 1.5707964f;
        }
        foe.drawGhostTrail();
        const Calls calls = rec.take();
        ASSERT_EQ(calls.size(), 1 + 15 * 5u);
        EXPECT_EQ(calls[0], "setFillMode(1)");
        for (int k = 0; k < 15; k++) {
            EXPECT_EQ(Calls(calls.begin() + 1 + k * 5, calls.begin() + 6 + k * 5),
                      (Calls{"setColor(9,8,7," + std::to_string(row.alphas[k]) + ")", "pushMatrix()",
                             "translate(" + std::to_string(k * 30) + ",5,0)", "rotate(90)", "popMatrix()"}));
            EXPECT_NEAR(foe.sizes[k], row.sizes[k], 1e-3);
        }
    }
}
