#include <gtest/gtest.h>

#include <cmath>

#include "RecorderScope.h"
#include "ShipType.h"
#include "WeaponParticle.h"
#include "ofMath.h"

namespace {

const ofColor EMBER(226, 112, 28, 255);         // HSB 18, 223, 226
const ofColor COLOUR_BLIND(207, 18, 242, 255);  // HSB 206, 236, 242

}  // namespace

TEST(WeaponParticle, SetupByShipTypeWithColourBlindLast) {
    struct Case {
        int type;
        float radius, damping, repelR, repelS, attractR, attractS, trailWidth;
        ofColor colour;
    };
    const Case cases[] = {
        {SHIP_NORMAL, 2, 0.028f, 40, 1.6f, 150, 0.3f, 2, EMBER},
        {SHIP_HEAVY, 12, 0.028f, 90, 2.88f, 150, 0.3f, 16, EMBER},
        {SHIP_HYPER, 2, 0.0238f, 50, 2.0f, 150, 0.3f, 1, ofColor(246, 142, 51, 150)},
        {SHIP_JELLY, 6, 0.084f, 80, 6.4f, 150, 0.3f, 8, ofColor(179, 70, 16, 150)},
        {SHIP_CASCADE, 2, 0.028f, 4, 1.6f, 1800, 0.03f, 2, EMBER},
        {SHIP_SHOW_OFF, 5, 0.028f, 40, 1.6f, 150, 0.3f, 2, EMBER},
    };
    for (const Case& c : cases) {
        WeaponParticle w;
        w.setupForShip(SHIP_JELLY, 9, true);  // nothing of it may stay
        w.position.set(7, -3);
        w.setupForShip(c.type, 2, false);
        const float got[] = {w.radius, w.damping, w.repulsionRadius, w.repulsionStrength, w.attractionRadius,
                             w.attractionStrength, w.trailWidth};
        const float want[] = {c.radius, c.damping, c.repelR, c.repelS, c.attractR, c.attractS, c.trailWidth};
        for (int i = 0; i < 7; ++i) EXPECT_FLOAT_EQ(got[i], want[i]) << "type " << c.type << " field " << i;
        EXPECT_EQ(w.colour, c.colour) << c.type;
        EXPECT_EQ(w.trailColour, c.colour) << c.type;
        EXPECT_EQ(w.trail[14], ofVec2f(7, -3));
        EXPECT_EQ(w.history[4], ofVec2f(7, -3));
        w.setupForShip(c.type, 2, true);
        EXPECT_EQ(w.colour, COLOUR_BLIND) << c.type;
        EXPECT_EQ(w.trailColour, COLOUR_BLIND) << c.type;
    }
    // Saturation × 0.7 gives (246, 173, 109), then brightness × 0.75; the trail keeps its colour.
    WeaponParticle w;
    w.setupForShip(SHIP_HYPER, 1, false);
    w.setColor(ofColor(246, 142, 51, 150));
    EXPECT_EQ(w.colour, ofColor(184, 129, 81, 150));
    EXPECT_EQ(w.trailColour, ofColor(246, 142, 51, 150));
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
    EXPECT_EQ(w.trail[0], ofVec2f(45, 60));
    EXPECT_EQ(w.trail[14], ofVec2f(3, 4));

    w.drawTrail(130);
    Calls calls = rec.take();
    ASSERT_EQ(calls.size(), 29u);
    EXPECT_EQ(calls[0], "setLineWidth(0.2)");
    EXPECT_EQ(Calls(calls.begin() + 1, calls.begin() + 5),
              (Calls{"setColor(226,112,28,130)", "drawLine(42,56,0,45,60,0)", "setColor(226,112,28,121)",
                     "drawLine(39,52,0,42,56,0)"}));
    EXPECT_EQ(calls[27], "setColor(226,112,28,17)");  // 130 × 2/15
    EXPECT_EQ(calls[28], "drawLine(3,4,0,6,8,0)");

    struct Case {
        float vx, vy;
        const char* width;
    };
    const Case widths[] = {{2, 0, "setLineWidth(0.2)"}, {std::sqrt(802.0f), 0, "setLineWidth(3.1)"},
                           {24, 32, "setLineWidth(6)"}, {100, 0, "setLineWidth(6)"}};
    for (const Case& c : widths) {
        w.velocity.set(c.vx, c.vy);
        w.drawTrail(130);
        EXPECT_EQ(rec.take()[0], c.width) << c.vx;
    }
}

TEST(WeaponParticle, DrawsOnceOrTwiceFlickeringForHyper) {
    RecorderScope rec;
    WeaponParticle w;
    w.position.set(10, 20);
    w.setupForShip(SHIP_NORMAL, 1, false);
    w.draw();
    w.draw(9);
    EXPECT_EQ(rec.take(), (Calls{"drawCircle(10,20,0,3)", "drawCircle(10,20,0,9)"}));

    w.setupForShip(SHIP_HYPER, 1, false);
    ofSeedRandom(5);
    float o[4];
    for (float& v : o) v = ofRandomRange(-6, 6);
    ofSeedRandom(5);
    w.draw();
    EXPECT_EQ(rec.take(), (Calls{"drawCircle(" + g(10 + o[0]) + "," + g(20 + o[1]) + ",0,3)",
                                 "drawCircle(" + g(10 + o[2]) + "," + g(20 + o[3]) + ",0,3)"}));
}
