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

TEST(DummyFoe, SpinsInPlaceAndDrawsItsTextOnlyWithAFont) {
    RecorderScope scope;
    DummyFoe dummy;
    dummy.spawn(ofColor(100, 110, 120), 0, 0, 0, false, false);
    dummy.x = 300;
    dummy.y = 200;
    dummy.pulseOffset = 10;
    for (int i = 0; i < 3; i++) dummy.update(0, 0);
    dummy.setText(nullptr, 2, "AB", "ab", ofColor(9, 8, 7));
    EXPECT_EQ(dummy.label(), "ab");
    dummy.draw();  // three turns of 12°, the outline 10 brighter
    const Calls shape = scope.take();
    EXPECT_EQ(shape[4] + shape[10] + shape.back(), "rotate(36)setColor(110,120,130,255)popMatrix()");
    PixelFont font;
    font.setup(1);
    dummy.setText(&font, 2, "AB", "ab", ofColor(9, 8, 7));
    dummy.draw();
    const Calls calls = scope.take();
    ASSERT_GT(calls.size(), shape.size() + 5);
    const float left = std::trunc(300 - font.getStringWidth("AB", 2) / 2);  // centred, 50 above, unrotated
    EXPECT_EQ(Calls(calls.begin() + shape.size(), calls.begin() + shape.size() + 5),
              (Calls{"setFillMode(1)", "setColor(9,8,7,255)", "setFillMode(1)", "pushMatrix()",
                     "translate(" + g(left) + ",150,0)"}));
}
