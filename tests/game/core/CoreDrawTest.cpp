#include <gtest/gtest.h>

#include <algorithm>

#include "CoreFixture.h"

// The frame of GameCore::draw in an Easy round, recorded after a real set-up.
class CoreDraw : public CoreFixture {
protected:
    Calls frame() {
        core().gameState = GameState::Playing;
        core().gameMode = GameMode::Easy;
        core().backgroundTiles = false;
        core().backgroundColor = core().modeColors[1];
        recorder->reset();
        core().draw();
        return recorder->take();
    }
};

TEST_F(CoreDraw, TheBackgroundComesFirstThenCentreShakesZoomAndCamera) {
    GameCore& c = core();
    c.camera.set(100, 50);
    c.zoom = 0.5f;
    c.rockFlashTime = 0.15f;  // half of 0.3: shake of 2.5
    c.deathFlashTime = 0.2f;  // half of 0.4: shake of 20
    c.impactShake = 3;
    c.screenWidth = 961;
    ofSeedRandom(11);
    const Calls calls = frame();
    ofSeedRandom(11);
    Calls expected = {"setFillMode(1)", "setColor(29,26,35,255)", "drawRectangle(0,0,0,961,960)", "pushMatrix()",
                      "translate(480,480,0)"};  // the centre in whole pixels
    for (float a : {3.0f, 2.5f, 20.0f}) {
        const float dx = ofRandomSigned() * a;
        const float dy = ofRandomSigned() * a;
        recorder->reset();
        ofTranslate(dx, dy, 0);
        expected.push_back(recorder->take().at(0));
    }
    for (const char* call : {"scale(0.5,0.5,1)", "translate(-100,-50,0)", "setBlendMode(1)"}) expected.push_back(call);
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + static_cast<long>(expected.size())), expected);
    EXPECT_EQ(ofGetStyle().blendingMode, OF_BLENDMODE_DISABLED);
}

TEST_F(CoreDraw, OnlyTheTestedAsteroidsDrawAndNeverPastTheList) {
    GameCore& c = core();
    for (Asteroid* a : c.asteroids) delete a;
    c.asteroids.clear();
    for (int i = 0; i < 3; ++i) c.asteroids.emplace_back(new Asteroid)->color = ofColor(200, 100, i, 255);
    for (auto [tested, drawn] : {std::pair{0, 0}, {2, 2}, {3, 3}, {10, 3}, {-4, 0}}) {
        c.rocksTested = tested;
        const Calls calls = frame();
        long n = 0;
        for (int i = 0; i < 3; ++i) n += std::count(calls.begin(), calls.end(), "setColor(200,100," + std::to_string(i) + ",255)");
        EXPECT_EQ(n, drawn) << tested;
    }
}
