#include <gtest/gtest.h>

#include "RecorderScope.h"
#include "ShipType.h"
#include "Spring.h"
#include "particle.h"

TEST(Spring, SetupRestoresTheDefaultsThenAppliesTheType) {
    struct Case {
        int type, segment;
        float rest, strength, width;
    };
    const Case cases[] = {
        {SHIP_NORMAL, 3, 130, 0.01f, 1}, {SHIP_HEAVY, 0, 84.5f, 0.006f, 1.5f}, {SHIP_FAST, 0, 260, 0.01f, 0.5f},
        {SHIP_HARDY, 0, 156, 0.01f, 1},  {SHIP_JELLY, 0, 130, 0.01f, 1},      {42, 0, 130, 0.01f, 1},
        {SHIP_CASCADE, 0, 80, 0.01f, 1}, {SHIP_CASCADE, 5, 280, 0.01f, 1},    {SHIP_CASCADE, 6, 310, 0.01f, 1},
        {SHIP_CASCADE, 11, 460, 0.01f, 1},
    };
    for (const Case& c : cases) {
        Spring s;
        s.setupForShipType(SHIP_HEAVY, 0);
        s.colour.set(1, 2, 3, 4);
        s.setupForShipType(c.type, c.segment);
        EXPECT_FLOAT_EQ(s.restLength, c.rest) << c.type << "/" << c.segment;
        EXPECT_FLOAT_EQ(s.strength, c.strength) << c.type;
        EXPECT_FLOAT_EQ(s.lineWidthFactor, c.width) << c.type;
        EXPECT_EQ(s.colour, ofColor(255, 255, 255, 255));
    }
}

TEST(Spring, PushesWhenShortPullsWhenLongAndNeedsBothEnds) {
    struct Case {
        float wx, wy, fx, fy;
    };
    // Ship at (10, 10), rest length 130.
    const Case cases[] = {
        {240, 10, -1, 0}, {10, 40, 0, 1}, {106, 138, -0.18f, -0.24f}, {10, 10, 0, 0},
    };
    for (const Case& c : cases) {
        particle weapon, ship;
        ship.position.set(10, 10);
        weapon.position.set(c.wx, c.wy);
        Spring s;
        s.setupForShipType(SHIP_NORMAL, 0);
        s.weaponEnd = &weapon;
        s.update();  // no ship end yet
        EXPECT_EQ(weapon.force, ofVec2f(0, 0));
        s.shipEnd = &ship;
        s.update();
        EXPECT_NEAR(weapon.force.x, c.fx, 1e-5f) << c.wx << "," << c.wy;
        EXPECT_NEAR(weapon.force.y, c.fy, 1e-5f) << c.wx << "," << c.wy;
        EXPECT_NEAR(ship.force.x, -c.fx, 1e-5f);
        EXPECT_NEAR(ship.force.y, -c.fy, 1e-5f);
    }
}

TEST(Spring, DrawsFromTheWeaponToThePointPassed) {
    RecorderScope rec;
    particle weapon, ship;
    weapon.position.set(5, 6);
    Spring s;
    s.colour.set(10, 20, 30, 40);
    s.weaponEnd = &weapon;
    s.draw(99.9f, 1, 2);
    EXPECT_TRUE(rec.take().empty());
    s.shipEnd = &ship;
    s.draw(99.9f, 1, 2);
    EXPECT_EQ(rec.take(), (Calls{"setColor(10,20,30,99)", "drawLine(5,6,0,1,2,0)"}));
}
