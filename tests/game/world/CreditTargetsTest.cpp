#include "ArenaWalls.h"
#include "CoopRegen.h"
#include "DummyFoe.h"
#include "PixelFont.h"
#include "PlayerShip.h"
#include "WorldTest.h"

namespace {

struct Revive {
    ArenaWalls walls;
    PlayerShip ship;
    CoopRegen token;
    explicit Revive(unsigned seed, bool faster = false) {
        ofSeedRandom(seed);
        walls.setup(false, false, 0, 0);
        ship.colour = ofColor(200, 30, 40);
        token.spawn(ofColor::white, 0, 0, 0, true, false);
        token.attach(&walls, &ship, 2, faster, nullptr);
    }
};

}  // namespace

TEST(CoopRegen, AttachPlacesItBeyondTheWallsOnAChordAcross) {
    for (bool faster : {false, true}) {
        for (unsigned seed = 1; seed <= 50; seed++) {
            Revive r(seed, faster);
            const CoopRegen& t = r.token;
            EXPECT_TRUE(t.speed >= (faster ? 9.45f : 7) && t.speed < (faster ? 13.5f : 10)) << t.speed;
            EXPECT_EQ(t.color, r.ship.colour);
            // p lies within 0.8 R of the centre; the start is R from p at a right angle.
            const float d = std::hypot(t.x, t.y);
            EXPECT_TRUE(d >= 1199.99f && d <= std::hypot(960.0f, 1200.0f)) << d;
            const float px = t.x + std::cos(t.heading) * 1200, py = t.y + std::sin(t.heading) * 1200;
            EXPECT_LE(std::hypot(px, py), 960.01f);
            EXPECT_NEAR(std::cos(t.heading) * px + std::sin(t.heading) * py, 0, 0.05f);
        }
    }
}
