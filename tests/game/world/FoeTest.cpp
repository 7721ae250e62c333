#include "Foe.h"
#include "WorldTest.h"

namespace {

// Its setup moves it, so spawn's order shows; its shape records ghost sizes.
struct ProbeFoe : Foe {
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
    const float rows[][4] = {{0, 0, 0, 0}, {1.0f, 300, -200, 0}, {-2.5f, -500, 40, 1}};  // angle, centre, far
    for (const auto& row : rows) {
        ofSeedRandom(42);
        const float speed = ofRandomRange(2, 4) * 0.6f, a = row[0] + ofRandomRange(-1.5707964f, 1.5707964f);
        ofSeedRandom(42);
        ProbeFoe foe;
        foe.expired = foe.dying = foe.isBig = true;
        foe.speedGain = 3;
        foe.spawn(ofColor(1, 2, 3), row[0], row[1], row[2], true, row[3] == 1);
        const float r = row[3] == 1 ? 1800 : 900, sx = std::cos(a) * r + row[1], sy = std::sin(a) * r + row[2];
        EXPECT_XY(foe, sx + 5, sy, 1e-3f);
        EXPECT_FLOAT_EQ(foe.headingInSetup, std::atan2(-sy, -sx));  // toward the world origin, not the centre
        EXPECT_FLOAT_EQ(foe.speed, speed);
        EXPECT_TRUE(foe.type == 9 && foe.thickLines && foe.speedGain == 0 && !foe.expired && !foe.dying && !foe.isBig);
        for (int i = 0; i < Foe::trailLength; i++)
            ASSERT_TRUE(foe.trailPos[i] == ofVec2f(foe.x, foe.y) && foe.trailHeading[i] == 0.25f) << i;
    }
}

TEST(Foe, GhostPulseFollowsTheFrameNumberNotPulseScale) {
    // ghost, alpha and size at frame 0 and at frame 89 (89 mod 45 = 44), where the pulse sits on the oldest ghosts
    const float rows[][5] = {{0, 80, 21.06f, 40, 16.2f}, {4, 29, 13.08f, 29, 13.08f}, {11, 10, 7.62f, 18, 7.8105f}};
    for (int frame : {0, 89}) {
        RecorderScope rec;
        ofFixFrameNum(frame);
        ProbeFoe foe;
        foe.color.set(9, 8, 7);
        foe.pulseScale = 3;
        for (int i = 0; i < Foe::trailLength; i++) foe.trailPos[i].set(i * 10, 5);
        foe.drawGhostTrail();
        const Calls colours = callsStartingWith(rec.take(), "setColor");
        ASSERT_TRUE(colours.size() == 15u && foe.sizes.size() == 15u);
        for (const auto& r : rows) {
            const int k = static_cast<int>(r[0]);
            EXPECT_EQ(colours[k], "setColor(9,8,7," + g(frame ? r[3] : r[1]) + ")");
            EXPECT_NEAR(foe.sizes[k], frame ? r[4] : r[2], 1e-3) << k;
        }
    }
}
