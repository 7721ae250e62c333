#include "ShipType.h"
#include "Spring.h"
#include "WorldTest.h"
#include "particle.h"

TEST(Spring, SetupRestoresTheDefaultsThenAppliesTheType) {
    // type, segment, rest length, strength, width
    const float cases[][5] = {
        {SHIP_HEAVY, 0, 84.5f, 0.006f, 1.5f}, {42, 0, 130, 0.01f, 1}, {SHIP_CASCADE, 11, 460, 0.01f, 1}};
    for (const auto& c : cases) {
        Spring s;
        s.setupForShipType(SHIP_HEAVY, 0);
        s.setupForShipType(SHIP_FAST, 0);  // nothing of either may stay
        s.colour.set(1, 2, 3, 4);
        s.setupForShipType(static_cast<int>(c[0]), static_cast<int>(c[1]));
        EXPECT_TRUE(s.restLength == c[2] && s.strength == c[3] && s.lineWidthFactor == c[4] &&
                    s.colour == ofColor(255, 255, 255, 255))
            << c[0] << "/" << c[1] << ": " << s.restLength << " " << s.strength;
    }
}

TEST(Spring, PushesWhenShortPullsWhenLongAndNeedsBothEndsToActAndDraw) {
    RecorderScope rec;
    // Weapon x, y and its force, the ship at (10, 10), rest length 130.
    const float cases[][4] = {{240, 10, -1, 0}, {106, 138, -0.18f, -0.24f}, {10, 10, 0, 0}};
    for (const auto& c : cases) {
        particle weapon, ship;
        ship.position.set(10, 10);
        weapon.position.set(c[0], c[1]);
        Spring s;
        s.setupForShipType(SHIP_NORMAL, 0);
        s.weaponEnd = &weapon;
        s.update();
        s.draw(99.9f, 1, 2);
        EXPECT_TRUE(weapon.force == ofVec2f() && rec.take().empty());
        s.shipEnd = &ship;
        s.update();
        EXPECT_XY(weapon.force, c[2], c[3], 1e-5f);
        EXPECT_XY(ship.force, -c[2], -c[3], 1e-5f);
        s.colour.set(10, 20, 30, 40);
        s.draw(99.9f, 1, 2);  // ends at the point passed, not the ship
        EXPECT_EQ(rec.take(), (Calls{"setColor(10,20,30,99)", "drawLine(" + g(c[0]) + "," + g(c[1]) + ",0,1,2,0)"}));
    }
}
