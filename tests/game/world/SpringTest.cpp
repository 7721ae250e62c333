#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ShipType.h"
#include "Spring.h"
#include "ofGraphics.h"
#include "particle.h"

TEST(Spring, SetupByTypeRestoresDefaultsFirst) {
    struct Case {
        int type, segment;
        float rest, strength, width;
    };
    const Case cases[] = {
        {SHIP_NORMAL, 3, 130, 0.01f, 1},   {SHIP_HEAVY, 0, 84.5f, 0.006f, 1.5f}, {SHIP_FAST, 0, 260, 0.01f, 0.5f},
        {SHIP_HARDY, 0, 156, 0.01f, 1},    {SHIP_HYPER, 0, 130, 0.01f, 1},      {SHIP_ROBOT, 0, 130, 0.01f, 1},
        {SHIP_JELLY, 0, 130, 0.01f, 1},    {SHIP_SHOW_OFF, 0, 130, 0.01f, 1},   {42, 0, 130, 0.01f, 1},
    };
    for (const Case& c : cases) {
        Spring s;
        // A previous Heavy set-up must not leak into the next one.
        s.setupForShipType(SHIP_HEAVY, 0);
        s.colour.set(1, 2, 3, 4);
        s.setupForShipType(c.type, c.segment);
        EXPECT_FLOAT_EQ(s.restLength, c.rest) << c.type;
        EXPECT_FLOAT_EQ(s.strength, c.strength) << c.type;
        EXPECT_FLOAT_EQ(s.lineWidthFactor, c.width) << c.type;
        EXPECT_EQ(s.colour, ofColor(255, 255, 255, 255)) << c.type;
    }
}

TEST(Spring, CascadeRestLengthsGrowMoreSlowlyAfterTheSixth) {
    const float expected[12] = {80, 120, 160, 200, 240, 280, 310, 340, 370, 400, 430, 460};
    for (int n = 0; n < 12; ++n) {
        Spring s;
        s.setupForShipType(SHIP_CASCADE, n);
        EXPECT_FLOAT_EQ(s.restLength, expected[n]) << n;
        EXPECT_FLOAT_EQ(s.strength, 0.01f);
    }
}

TEST(Spring, ForcePushesWhenShortAndPullsWhenLong) {
    struct Case {
        float weaponX, weaponY;
        float expectWeaponX, expectWeaponY;
    };
    const Case cases[] = {
        {230, 0, -1.0f, 0},    // stretched by 100: pulled back with 1.0
        {0, 30, 0, 1.0f},      // compressed by 100: pushed out
    };
    for (const Case& c : cases) {
        particle weapon, ship;
        weapon.position.set(c.weaponX, c.weaponY);
        Spring s;
        s.setupForShipType(SHIP_NORMAL, 0);
        s.weaponEnd = &weapon;
        s.shipEnd = &ship;
        s.update();
        EXPECT_NEAR(weapon.force.x, c.expectWeaponX, 1e-5f);
        EXPECT_NEAR(weapon.force.y, c.expectWeaponY, 1e-5f);
        EXPECT_NEAR(ship.force.x, -c.expectWeaponX, 1e-5f);
        EXPECT_NEAR(ship.force.y, -c.expectWeaponY, 1e-5f);
    }
    // Off axis, rest 130: ends 160 apart along (0.6, 0.8) → F = −0.3.
    particle weapon, ship;
    ship.position.set(10, 10);
    weapon.position.set(10 + 96, 10 + 128);
    Spring s;
    s.setupForShipType(SHIP_NORMAL, 0);
    s.weaponEnd = &weapon;
    s.shipEnd = &ship;
    s.update();
    EXPECT_NEAR(weapon.force.x, -0.18f, 1e-5f);
    EXPECT_NEAR(weapon.force.y, -0.24f, 1e-5f);
    EXPECT_NEAR(ship.force.x, 0.18f, 1e-5f);
    EXPECT_NEAR(ship.force.y, 0.24f, 1e-5f);

    // Coincident ends: no direction, no force.
    weapon.resetForce();
    ship.resetForce();
    weapon.position = ship.position;
    s.update();
    EXPECT_EQ(weapon.force, ofVec2f(0, 0));
    EXPECT_EQ(ship.force, ofVec2f(0, 0));
}

TEST(Spring, DrawEndsAtTheGivenPointAndNeedsBothEnds) {
    auto renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    renderer->reset();
    particle weapon, ship;
    weapon.position.set(5, 6);
    ship.position.set(100, 100);
    Spring s;
    s.setupForShipType(SHIP_NORMAL, 0);
    s.colour.set(10, 20, 30, 40);

    s.weaponEnd = &weapon;
    s.update();  // one end missing: nothing moves
    s.draw(99.9f, 1, 2);
    EXPECT_TRUE(renderer->calls.empty());
    EXPECT_EQ(weapon.force, ofVec2f(0, 0));

    s.shipEnd = &ship;
    s.draw(99.9f, 1, 2);
    EXPECT_EQ(renderer->calls,
              (std::vector<std::string>{"setColor(10,20,30,99)", "drawLine(5,6,0,1,2,0)"}));
}
