#include "ShipType.h"
#include "Spring.h"
#include "WorldTest.h"
#include "particle.h"

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
