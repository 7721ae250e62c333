#include "Foe.h"
#include "WorldTest.h"

namespace {

// Its setup moves it, so spawn's order shows.
struct ProbeFoe : Foe {
    float headingInSetup = 0;
    void setup() override {
        type = 9;
        headingInSetup = heading;
        x += 5;
        heading = 0.25f;
    }
    void drawShape(float) override {}
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
