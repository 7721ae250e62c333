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

TEST(DummyFoe, SpinsInPlaceAndDrawsNoTextWithoutAFont) {
    RecorderScope scope;
    DummyFoe dummy;
    dummy.spawn(ofColor(100, 110, 120), 0, 0, 0, false, false);
    for (int i = 0; i < 3; i++) dummy.update(0, 0);
    dummy.setText(nullptr, 2, "AB", "ab", ofColor(9, 8, 7));
    dummy.draw();  // three turns of 12 degrees
    const Calls shape = scope.take();
    EXPECT_TRUE(dummy.label() == "ab" && shape[4] == "rotate(36)" && shape.back() == "popMatrix()");
}

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

TEST(CoopRegen, TurnsWhiteAndExpiresAfterAHundredUpdatesOutsideInAll) {
    Revive r(21);
    int outside = 0, inside = 0;
    while (!r.token.expired && outside + inside < 1000) {
        r.token.update(0, 0);
        EXPECT_EQ(r.token.color, ofColor(255, 255, 255, 255));
        r.walls.isPointInside(r.token.x, r.token.y) ? inside++ : outside++;
    }
    EXPECT_EQ(outside, 100);
    EXPECT_GT(inside, 50);  // it crossed the arena on the way; the outside count went on after
}

TEST(CoopRegen, TheBeaconPulsesEveryThreeSecondsAndSkipsAMissingShipOrFont) {
    RecorderScope scope;
    Revive r(3);
    ofFixElapsedTimef(4.5f);  // halfway through a pulse: half faded, grown to 150
    r.token.draw();
    const Calls pulse = scope.take();
    EXPECT_EQ(pulse[pulse.size() - 10] + pulse[pulse.size() - 6], "setColor(200,30,40,127)scale(150,150,1)");
    PixelFont font;
    font.setup(1);
    ofFixElapsedTimef(1);
    for (bool withShip : {true, false}) {
        for (const PixelFont* f : {&font, static_cast<PixelFont*>(nullptr)}) {
            r.token.attach(&r.walls, withShip ? &r.ship : nullptr, 1, false, f);
            r.token.draw();
            const Calls calls = scope.take();
            EXPECT_EQ(callsStartingWith(calls, "rotate(100)").size(), withShip ? 1u : 0u);
            EXPECT_EQ(callsStartingWith(calls, "translate(0,76.5,0)").size(), f ? 1u : 0u);  // 3 k below
        }
    }
}
