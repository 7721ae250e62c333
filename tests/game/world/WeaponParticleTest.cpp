#include "ShipType.h"
#include "WeaponParticle.h"
#include "WorldTest.h"

TEST(WeaponParticle, SetupKeepsNothingOfTheLastShipAndSetColorTakesSaturationThenBrightness) {
    const ofColor hyper(246, 142, 51, 150);
    WeaponParticle w;
    w.setupForShip(SHIP_JELLY, 9, true);
    w.position.set(7, -3);
    w.setupForShip(SHIP_NORMAL, 1, false);
    EXPECT_TRUE(w.colour == ofColor(226, 112, 28) && w.trail[14] == ofVec2f(7, -3) && w.history[4] == ofVec2f(7, -3));
    w.setupForShip(SHIP_HYPER, 1, true);  // colour blind: its own colour whatever the ship
    EXPECT_EQ(w.colour, ofColor(207, 18, 242));
    w.setColor(hyper);  // saturation × 0.7 gives (246, 173, 109), then brightness × 0.75; the trail keeps its colour
    EXPECT_TRUE(w.colour == ofColor(184, 129, 81, 150) && w.trailColour == ofColor(207, 18, 242));
    w.setColor(ofColor(0, 0, 143, 150));
    EXPECT_EQ(w.colour, ofColor(31, 31, 107, 150));  // brightness first would round to 32, 32
}

TEST(WeaponParticle, TrailRecordsFadesAndWidensWithSquaredSpeed) {
    RecorderScope rec;
    WeaponParticle w;
    w.setupForShip(SHIP_NORMAL, 2, false);
    for (int i = 1; i <= 15; ++i) {
        w.position.set(3.0f * i, 4.0f * i);
        w.pushTrail();
    }
    EXPECT_FLOAT_EQ(w.recentTravel, 20.0f);  // the last four moves of 5
    w.drawTrail(130);
    const Calls calls = rec.take();  // the newest segment first, fading to the oldest
    ASSERT_EQ(calls.size(), 29u);
    EXPECT_EQ(calls[2] + calls.back(), "drawLine(42,56,0,45,60,0)drawLine(3,4,0,6,8,0)");
    const float speeds[][2] = {{2, 0.2f}, {std::sqrt(802.0f), 3.1f}, {40, 6}, {100, 6}};
    for (const auto& c : speeds) {
        w.velocity.set(c[0] * 0.6f, c[0] * 0.8f);
        w.drawTrail(130);
        EXPECT_EQ(rec.take()[0], "setLineWidth(" + g(c[1]) + ")") << c[0];
    }
}
