#include <gtest/gtest.h>

#include <cmath>

#include "ArenaWalls.h"
#include "CoopRegen.h"
#include "DummyFoe.h"
#include "PixelFont.h"
#include "PlayerShip.h"
#include "RecorderScope.h"
#include "ofMath.h"

namespace {

const float PI_F = 3.1415927f;

ArenaWalls stillRing() {
    ArenaWalls w;
    w.setup(false, false, 0, 0);
    return w;
}

}  // namespace

TEST(DummyFoe, SpinsInPlaceAndLabelsItself) {
    DummyFoe dummy;
    dummy.spawn(ofColor(1, 2, 3), 0, 0, 0, false, false);
    EXPECT_EQ(dummy.type, 4);
    EXPECT_EQ(dummy.size, 35);
    EXPECT_EQ(dummy.spinDegrees, 30);
    float x = dummy.x, y = dummy.y;
    for (int i = 0; i < 3; i++) dummy.update(x + 10, y);
    EXPECT_EQ(dummy.spinDegrees, 36);
    EXPECT_EQ(dummy.x, x);
    EXPECT_EQ(dummy.y, y);
    EXPECT_EQ(dummy.label(), "");
    dummy.setText(nullptr, 2, "Sound", "sound-credit", ofColor::yellow);
    EXPECT_EQ(dummy.label(), "sound-credit");
    EXPECT_EQ(dummy.text, "Sound");
}

TEST(DummyFoe, DrawsRingAndCrossAndItsTextOnlyWithAFont) {
    RecorderScope scope;
    DummyFoe dummy;
    dummy.spawn(ofColor(100, 110, 120), 0, 0, 0, false, false);
    dummy.x = 300;
    dummy.y = 200;
    dummy.pulseOffset = 10;
    dummy.setText(nullptr, 2, "AB", "ab", ofColor(9, 8, 7));
    scope.take();
    dummy.draw();
    const Calls shape = {"setCircleResolution(20)", "setLineWidth(1)", "pushMatrix()", "translate(300,200,0)",
                         "rotate(30)", "scale(1,1,1)", "setFillMode(1)", "setColor(100,110,120,100)",
                         "drawCircle(0,0,0,35)", "setFillMode(0)", "setColor(110,120,130,255)", "drawCircle(0,0,0,35)",
                         "drawLine(-35,0,0,35,0,0)", "drawLine(0,-35,0,0,35,0)", "popMatrix()"};
    EXPECT_EQ(scope.take(), shape);

    PixelFont font;
    font.setup(1);
    dummy.setText(&font, 2, "AB", "ab", ofColor(9, 8, 7));
    dummy.draw();
    Calls calls = scope.take();
    ASSERT_GT(calls.size(), shape.size() + 4);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + shape.size()), shape);
    // Centred on x, 50 above, unrotated.
    float left = std::trunc(300 - font.getStringWidth("AB", 2) / 2);
    EXPECT_EQ(Calls(calls.begin() + shape.size(), calls.begin() + shape.size() + 5),
              (Calls{"setFillMode(1)", "setColor(9,8,7,255)", "setFillMode(1)", "pushMatrix()",
                     "translate(" + g(left) + ",150,0)"}));
}

TEST(CoopRegen, AttachPlacesItBeyondTheWallsOnAChordAcross) {
    ArenaWalls walls = stillRing();
    PlayerShip ship;
    ship.colour = ofColor(200, 30, 40);
    for (bool faster : {false, true}) {
        for (unsigned seed = 1; seed <= 100; seed++) {
            ofSeedRandom(seed);
            CoopRegen token;
            token.spawn(ofColor::white, 0, 0, 0, false, true);
            EXPECT_EQ(token.type, 6);
            EXPECT_EQ(token.size, 30);
            EXPECT_EQ(token.outsideFrames, 100);
            float speed = token.speed;
            EXPECT_GE(speed, 7);
            EXPECT_LT(speed, 10);
            token.attach(&walls, &ship, 2, faster, nullptr);
            SCOPED_TRACE(seed);
            EXPECT_FLOAT_EQ(token.speed, faster ? speed * 1.35f : speed);
            EXPECT_EQ(token.color, ship.colour);
            EXPECT_EQ(token.player, 2);
            EXPECT_EQ(token.ship, &ship);
            // p lies within 0.8 R of the centre, the start R from p at a right angle.
            float d = ofDist(token.x, token.y, 0, 0);
            EXPECT_GE(d, 1200 - 0.01f);
            EXPECT_LE(d, std::hypot(960.0f, 1200.0f));
            float px = token.x + std::cos(token.heading) * 1200;
            float py = token.y + std::sin(token.heading) * 1200;
            EXPECT_LE(ofDist(px, py, 0, 0), 960.01f);
            EXPECT_NEAR(std::cos(token.heading) * px + std::sin(token.heading) * py, 0, 0.05f);
        }
    }
}

TEST(CoopRegen, AttachDrawsDistanceAngleThenSide) {
    ArenaWalls walls = stillRing();
    walls.centreX = 50;  // a drifted centre moves the chord with it
    walls.radius = 1000;
    PlayerShip ship;
    for (unsigned seed : {3u, 4u, 5u, 6u}) {
        ofSeedRandom(seed);
        CoopRegen token;
        token.spawn(ofColor::white, 0, 0, 0, false, false);
        ofSeedRandom(seed + 100);
        float r = ofRandom(800);
        float a = ofRandom(2 * PI_F);
        float b = ofRandomUnit() < 0.5f ? a + PI_F / 2 : a - PI_F / 2;
        ofSeedRandom(seed + 100);
        token.attach(&walls, &ship, 0, false, nullptr);
        EXPECT_FLOAT_EQ(token.x, 50 + std::cos(a) * r + std::cos(b) * 1000);
        EXPECT_FLOAT_EQ(token.y, std::sin(a) * r + std::sin(b) * 1000);
        EXPECT_FLOAT_EQ(token.heading, b + PI_F);
    }
}

TEST(CoopRegen, ExpiresAfterAHundredUpdatesOutsideInAll) {
    ArenaWalls walls = stillRing();
    PlayerShip ship;
    ship.colour = ofColor(1, 2, 3);
    ofSeedRandom(21);
    CoopRegen token;
    token.spawn(ofColor::white, 0, 0, 0, false, false);
    token.attach(&walls, &ship, 0, false, nullptr);
    token.update(0, 0);
    EXPECT_EQ(token.color, ofColor(255, 255, 255, 255));
    int outside = walls.isPointInside(token.x, token.y) ? 0 : 1, inside = 0, updates = 1;
    while (!token.expired && updates < 1000) {
        token.update(0, 0);
        updates++;
        if (walls.isPointInside(token.x, token.y)) inside++;
        else outside++;
    }
    EXPECT_TRUE(token.expired);
    EXPECT_EQ(outside, 100);
    EXPECT_GT(inside, 50);  // it crossed the arena on the way
    EXPECT_EQ(token.outsideFrames, 0);

    // One that never enters lasts exactly 100 updates.
    CoopRegen away;
    away.spawn(ofColor::white, 0, 0, 0, false, false);
    away.attach(&walls, &ship, 0, false, nullptr);
    away.heading += PI_F;
    for (int i = 0; i < 99; i++) away.update(0, 0);
    EXPECT_FALSE(away.expired);
    away.update(0, 0);
    EXPECT_TRUE(away.expired);
}

TEST(CoopRegen, BeaconGrowsAndFadesEveryThreeSeconds) {
    RecorderScope scope;
    ArenaWalls walls = stillRing();
    PlayerShip ship;
    ship.colour = ofColor(200, 30, 40);
    CoopRegen token;
    token.spawn(ofColor::white, 0, 0, 0, true, false);
    token.attach(&walls, &ship, 0, false, nullptr);
    token.x = 10;
    token.y = 20;
    struct Case {
        float t;
        const char* alpha;
        const char* scale;
    } cases[] = {{0, "255", "0"}, {1.5f, "127", "150"}, {3, "0", "300"}, {4.5f, "127", "150"}, {6, "0", "300"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t);
        ofFixElapsedTimef(c.t);
        token.draw();
        Calls calls = scope.take();
        ASSERT_GT(calls.size(), 12u);
        EXPECT_EQ(Calls(calls.begin(), calls.begin() + 2), (Calls{"setCircleResolution(10)", "setLineWidth(4)"}));
        Calls tail(calls.end() - 10, calls.end());
        EXPECT_EQ(tail[0], std::string("setColor(200,30,40,") + c.alpha + ")");
        EXPECT_EQ(Calls(tail.begin() + 1, tail.begin() + 5),
                  (Calls{"setFillMode(0)", "pushMatrix()", "translate(10,20,0)",
                         std::string("scale(") + c.scale + "," + c.scale + ",1)"}));
        EXPECT_EQ(callsStartingWith(tail, "drawPolyline"), Calls{"drawPolyline(points=12,closed)"});
        EXPECT_EQ(tail.back(), "popMatrix()");
    }
}

TEST(CoopRegen, DrawSkipsTheShipOrTheTextWhenMissing) {
    RecorderScope scope;
    ofFixElapsedTimef(1);
    ArenaWalls walls = stillRing();
    PlayerShip ship;
    ship.colour = ofColor(0, 0, 255);
    PixelFont font;
    font.setup(1);
    CoopRegen token;
    token.spawn(ofColor::white, 0, 0, 0, false, false);
    struct Case {
        PlayerShip* ship;
        const PixelFont* font;
    } cases[] = {{&ship, &font}, {nullptr, &font}, {&ship, nullptr}, {nullptr, nullptr}};
    for (const Case& c : cases) {
        token.attach(&walls, c.ship, 1, false, c.font);
        token.draw();
        Calls calls = scope.take();
        EXPECT_EQ(callsStartingWith(calls, "rotate(100)").size(), c.ship ? 1u : 0u);
        EXPECT_EQ(callsStartingWith(calls, "translate(0,76.5,0)").size(), c.font ? 1u : 0u);  // 3 k below
        // Ten plus signs of two rectangles each, plus the text's blocks.
        size_t blocks = callsStartingWith(calls, "drawRectangle").size();
        if (c.font) {
            EXPECT_GT(blocks, 20u);
        } else {
            EXPECT_EQ(blocks, 20u);
        }
    }
}
