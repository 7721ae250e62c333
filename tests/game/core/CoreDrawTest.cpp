#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "DrawTestSupport.h"

// The frame of GameCore::draw, recorded after a real set-up.
class CoreDraw : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        setUpApp();
        core().splashActive = false;
        core().backgroundTiles = false;
    }
    GameCore& core() { return app->core; }
    Calls frame() { return callsOf([&] { core().draw(); }); }
    // Gives slot p a weapon i at (x, y) moving by (vx, vy), tied by its spring.
    WeaponParticle* arm(int p, int i, float x, float y, float vx, float vy) {
        WeaponParticle*& weapon = core().weaponPoints[p][i];
        if (!weapon) weapon = new WeaponParticle;
        weapon->position.set(x, y);
        weapon->velocity.set(vx, vy);
        weapon->colour = ofColor(10, 20, 30 + i, 255);
        Spring& spring = core().weaponSprings[p][i];
        spring.weaponEnd = weapon;
        spring.shipEnd = &core().players[p].point;
        spring.restLength = 100;
        spring.colour = ofColor(40, 50, 60 + i, 255);
        return weapon;
    }
    void playing() {
        core().gameState = GameState::Playing;
        core().gameMode = GameMode::Easy;
        core().backgroundColor = core().modeColors[1];
        core().players[0].point.position.set(0, 0);
        core().players[0].shipType = 0;
    }
};

TEST_F(CoreDraw, TheWorldTransformIsCentreShakesZoomThenCamera) {
    playing();
    GameCore& c = core();
    c.camera.set(100, 50);
    c.zoom = 0.5f;
    c.rockFlashTime = 0.15f;   // half of 0.3: shake of 2.5
    c.deathFlashTime = 0.2f;   // half of 0.4: shake of 20
    c.impactShake = 3;
    c.screenWidth = 961;

    ofSeedRandom(11);
    Calls calls = frame();
    ofSeedRandom(11);
    Calls expected = callsOf([] {
        ofPushMatrix();
        ofTranslate(480, 480, 0);
        for (float a : {3.0f, 2.5f, 20.0f}) {
            float dx = ofRandomSigned() * a;
            float dy = ofRandomSigned() * a;
            ofTranslate(dx, dy, 0);
        }
        ofScale(0.5f, 0.5f, 1);
        ofTranslate(-100, -50, 0);
    });
    int at = findRun(calls, expected);
    EXPECT_EQ(at, 3) << "background fill first, then the world transform";
    EXPECT_EQ(calls[0], "setFillMode(1)");
    EXPECT_EQ(calls[1], "setColor(29,26,35,255)");
    EXPECT_EQ(calls[2], "drawRectangle(0,0,0,961,960)");
    // Blending comes on after the background and the style ends without it.
    EXPECT_EQ(indexOf(calls, "setBlendMode(1)"), at + static_cast<int>(expected.size()));
    EXPECT_EQ(ofGetStyle().blendingMode, OF_BLENDMODE_DISABLED);
}

TEST_F(CoreDraw, BackdropWallsAndHudFollowTheStateAndTheRoundOverTimer) {
    GameCore& c = core();
    c.players[0].score = 12;
    const Calls hud = callsOf([&] { c.font.drawString("score:", 4, 30, 780); });
    const Calls backdrop = {"setFillMode(1)", "setColor(0,0,0,200)", "drawRectangle(0,0,0,960,960)"};
    const struct {
        GameState state;
        float timer;
        bool hud, backdrop, dimWalls;
    } cases[] = {
        {GameState::Playing, 0, true, false, false},
        {GameState::RoundOver, 0.5f, true, false, false},
        {GameState::RoundOver, 0, false, true, true},
        {GameState::MainMenu, -1, false, true, true},
        {GameState::MainMenu, 0.5f, false, false, false},
        {GameState::ShipSelect, 0, false, true, false},
    };
    for (const auto& k : cases) {
        c.gameState = k.state;
        c.roundOverTimer = k.timer;
        c.gameMode = GameMode::Easy;
        Calls calls = frame();
        const int s = static_cast<int>(k.state);
        EXPECT_EQ(findRun(calls, hud) >= 0, k.hud) << s << " " << k.timer;
        EXPECT_EQ(findRun(calls, backdrop) >= 0, k.backdrop) << s << " " << k.timer;
        EXPECT_EQ(countOf(calls, "setColor(255,255,255,60)"), k.dimWalls ? 1 : 0) << s << " " << k.timer;
    }
}

TEST_F(CoreDraw, OnlyTheTestedAsteroidsDrawAndNeverPastTheList) {
    playing();
    GameCore& c = core();
    for (Asteroid* a : c.asteroids) delete a;
    c.asteroids.clear();
    for (int i = 0; i < 3; ++i) {
        c.asteroids.push_back(new Asteroid);
        c.asteroids.back()->color = ofColor(200, 100, static_cast<unsigned char>(i), 255);
    }
    const struct {
        int tested, drawn;
    } cases[] = {{0, 0}, {2, 2}, {3, 3}, {10, 3}, {-4, 0}};
    for (const auto& k : cases) {
        c.rocksTested = k.tested;
        Calls calls = frame();
        int drawn = 0;
        for (int i = 0; i < 3; ++i) drawn += countOf(calls, "setColor(200,100," + std::to_string(i) + ",255)");
        EXPECT_EQ(drawn, k.drawn) << k.tested;
    }
}

TEST_F(CoreDraw, WeaponAlphaFollowsSpeedAndTetherAlphaFollowsDistance) {
    playing();
    GameCore& c = core();
    c.chainCap = 5;
    // Speeds squared 0, 10, 20, 30 against the threshold 20; distances 0,
    // 125 (half of 2.5 x rest), 250 and 400 from the ship.
    arm(0, 0, 0, 0, 0, 0);
    arm(0, 1, 125, 0, 3, 1);
    arm(0, 2, 0, 250, 4, 2);
    arm(0, 3, 0, 400, 5, std::sqrt(5.0f));
    arm(0, 4, 0, 400, 5, std::sqrt(5.0f));
    c.chainCap = 4;
    Calls calls = frame();
    EXPECT_EQ(countOf(calls, "setColor(10,20,30,0)"), 1);
    EXPECT_EQ(countOf(calls, "setColor(10,20,31,127)"), 1);
    EXPECT_EQ(countOf(calls, "setColor(10,20,32,255)"), 1);
    EXPECT_EQ(countOf(calls, "setColor(10,20,33,255)"), 1);
    EXPECT_EQ(countOf(calls, "setColor(10,20,34,255)"), 0) << "past the cap";
    EXPECT_EQ(countOf(calls, "setColor(40,50,60,150)"), 1);
    EXPECT_EQ(countOf(calls, "setColor(40,50,61,90)"), 1);
    EXPECT_EQ(countOf(calls, "setColor(40,50,62,30)"), 1);
    EXPECT_EQ(countOf(calls, "setColor(40,50,63,30)"), 1);
    EXPECT_GE(indexOf(calls, "setLineWidth(5)"), 0);
}
