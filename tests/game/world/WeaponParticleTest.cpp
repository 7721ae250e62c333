#include <gtest/gtest.h>

#include "RecorderScope.h"
#include "ShipType.h"
#include "WeaponParticle.h"
#include "ofMath.h"

#include <cmath>

namespace {

const ofColor EMBER(226, 112, 28, 255);       // HSB 18, 223, 226
const ofColor COLOUR_BLIND(207, 18, 242, 255);  // HSB 206, 236, 242

WeaponParticle placed(int type, float scale, bool colourBlind, float x = 7, float y = -3) {
    WeaponParticle w;
    w.position.set(x, y);
    w.setupForShip(type, scale, colourBlind);
    return w;
}

}  // namespace

TEST(WeaponParticle, SetupByShipType) {
    struct Case {
        int type;
        float radius, damping, repelR, repelS, attractR, attractS, trailWidth;
        ofColor colour;
    };
    const float s = 2.0f;
    const Case cases[] = {
        {SHIP_NORMAL, 2, 0.028f, 40, 1.6f, 150, 0.3f, s, EMBER},
        {SHIP_HEAVY, 12, 0.028f, 90, 2.88f, 150, 0.3f, s * 8, EMBER},
        {SHIP_FAST, 2, 0.028f, 40, 1.6f, 150, 0.3f, s, EMBER},
        {SHIP_HARDY, 2, 0.028f, 40, 1.6f, 150, 0.3f, s, EMBER},
        {SHIP_HYPER, 2, 0.0238f, 50, 2.0f, 150, 0.3f, s * 0.5f, ofColor(246, 142, 51, 150)},
        {SHIP_ROBOT, 2, 0.028f, 40, 1.6f, 150, 0.3f, s, EMBER},
        {SHIP_JELLY, 6, 0.084f, 80, 6.4f, 150, 0.3f, s * 4, ofColor(179, 70, 16, 150)},
        {SHIP_CASCADE, 2, 0.028f, 4, 1.6f, 1800, 0.03f, s, EMBER},
        {SHIP_SHOW_OFF, 5, 0.028f, 40, 1.6f, 150, 0.3f, s, EMBER},
    };
    for (const Case& c : cases) {
        // Set up as Heavy first: every field must come back to its type's value.
        WeaponParticle w = placed(SHIP_HEAVY, 9, true);
        w.setupForShip(c.type, s, false);
        EXPECT_EQ(w.shipType, c.type);
        EXPECT_EQ(w.scale, s);
        EXPECT_FLOAT_EQ(w.radius, c.radius) << c.type;
        EXPECT_FLOAT_EQ(w.damping, c.damping) << c.type;
        EXPECT_FLOAT_EQ(w.repulsionRadius, c.repelR) << c.type;
        EXPECT_FLOAT_EQ(w.repulsionStrength, c.repelS) << c.type;
        EXPECT_FLOAT_EQ(w.attractionRadius, c.attractR) << c.type;
        EXPECT_FLOAT_EQ(w.attractionStrength, c.attractS) << c.type;
        EXPECT_FLOAT_EQ(w.trailWidth, c.trailWidth) << c.type;
        EXPECT_EQ(w.colour, c.colour) << c.type;
        EXPECT_EQ(w.trailColour, c.colour) << c.type;

        // Colour-blind wins over every type's colour, at full alpha.
        w.setupForShip(c.type, s, true);
        EXPECT_EQ(w.colour, COLOUR_BLIND) << c.type;
        EXPECT_EQ(w.trailColour, COLOUR_BLIND) << c.type;
    }
}

TEST(WeaponParticle, SetColorSoftensSaturationThenBrightnessAndKeepsTheTrail) {
    WeaponParticle w = placed(SHIP_HYPER, 1, false);
    w.setColor(ofColor(246, 142, 51, 150));
    // Saturation × 0.7 gives (246, 173, 109); brightness × 0.75 then (184, 129, 81).
    EXPECT_EQ(w.colour, ofColor(184, 129, 81, 150));
    EXPECT_EQ(w.trailColour, ofColor(246, 142, 51, 150));
}

TEST(WeaponParticle, TrailAndHistoryFollowThePosition) {
    WeaponParticle w = placed(SHIP_NORMAL, 1, false, 0, 0);
    for (const ofVec2f& p : w.trail) EXPECT_EQ(p, ofVec2f(0, 0));
    for (int i = 1; i <= 6; ++i) {
        w.position.set(3.0f * i, 4.0f * i);
        w.pushTrail();
    }
    // Newest first; the travel spans the last four moves: 4 × 5.
    EXPECT_EQ(w.history[0], ofVec2f(18, 24));
    EXPECT_EQ(w.history[4], ofVec2f(6, 8));
    EXPECT_FLOAT_EQ(w.recentTravel, 20.0f);
    EXPECT_EQ(w.trail[0], ofVec2f(18, 24));
    EXPECT_EQ(w.trail[5], ofVec2f(3, 4));
    EXPECT_EQ(w.trail[6], ofVec2f(0, 0));
    EXPECT_EQ(w.trail[14], ofVec2f(0, 0));
}

TEST(WeaponParticle, TrailDrawsFourteenFadingSegmentsWithWidthFromSquaredSpeed) {
    RecorderScope rec;
    WeaponParticle w = placed(SHIP_NORMAL, 2, false, 0, 0);
    for (int i = 1; i <= 15; ++i) {
        w.position.set(static_cast<float>(i), 0);
        w.pushTrail();
    }
    w.velocity.set(0, 0);
    w.drawTrail(130);
    Calls calls = rec.take();
    ASSERT_EQ(calls.size(), 1u + 2 * 14);
    EXPECT_EQ(calls[0], "setLineWidth(0.2)");  // slow: a tenth of 2
    EXPECT_EQ(calls[1], "setColor(226,112,28,130)");
    EXPECT_EQ(calls[2], "drawLine(14,0,0,15,0,0)");
    EXPECT_EQ(calls[3], "setColor(226,112,28,121)");  // 130 − 8.67
    EXPECT_EQ(calls[27], "setColor(226,112,28,17)");  // 130 × 2/15
    EXPECT_EQ(calls[28], "drawLine(1,0,0,2,0,0)");

    struct Case {
        float vx, vy;
        const char* width;
    };
    const Case widths[] = {
        {2, 0, "setLineWidth(0.2)"},    // speed² 4: the floor
        {0, 40, "setLineWidth(6)"},     // 1600: the ceiling, 3 × 2
        {100, 0, "setLineWidth(6)"},    // beyond stays at the ceiling
        {24, 32, "setLineWidth(6)"},    // 1600 on both axes
    };
    for (const Case& c : widths) {
        w.velocity.set(c.vx, c.vy);
        w.drawTrail(130);
        EXPECT_EQ(rec.take()[0], c.width) << c.vx << "," << c.vy;
    }
    // Halfway in squared speed (802): halfway between 0.2 and 6.
    w.velocity.set(std::sqrt(802.0f), 0);
    w.drawTrail(130);
    EXPECT_EQ(rec.take()[0], "setLineWidth(3.1)");
}

TEST(WeaponParticle, DrawsOnceAtThePositionOrTwiceFlickeringForHyper) {
    RecorderScope rec;
    WeaponParticle normal = placed(SHIP_NORMAL, 1, false, 10, 20);
    normal.draw();
    EXPECT_EQ(rec.take(), (Calls{"drawCircle(10,20,0,3)"}));
    normal.draw(9);  // the inherited draw stays reachable
    EXPECT_EQ(rec.take(), (Calls{"drawCircle(10,20,0,9)"}));

    WeaponParticle hyper = placed(SHIP_HYPER, 1, false, 10, 20);
    for (int seed = 1; seed <= 20; ++seed) {
        ofSeedRandom(seed);
        float x1 = ofRandomRange(-6, 6), y1 = ofRandomRange(-6, 6);
        float x2 = ofRandomRange(-6, 6), y2 = ofRandomRange(-6, 6);
        ofSeedRandom(seed);
        hyper.draw();
        EXPECT_EQ(rec.take(), (Calls{"drawCircle(" + g(10 + x1) + "," + g(20 + y1) + ",0,3)",
                                     "drawCircle(" + g(10 + x2) + "," + g(20 + y2) + ",0,3)"}));
    }
}
