#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "DrawTestSupport.h"

class AppOverlay : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        setUpApp();
        app->core.splashActive = false;
        app->core.backgroundTiles = false;
    }
};

TEST_F(AppOverlay, MusicDebugTextAfterTheScaledGame) {
    app->musicDebugVisible = true;
    app->core.soundBank.musicVolume = 0.5f;
    recorder->reset();
    app->draw();
    std::vector<std::string> calls = recorder->take();
    EXPECT_EQ(calls.front(), "pushMatrix()");
    int pop = static_cast<int>(calls.size()) - 6;
    std::vector<std::string> tail(calls.begin() + pop, calls.end());
    EXPECT_EQ(tail, std::vector<std::string>(
                        {"popMatrix()", "setFillMode(1)", "setColor(0,0,0,200)", "drawRectangle(0,0,0,960,45)",
                         "setColor(255,255,255,255)",
                         "drawString(\"Music Debug    vol: 0.5    pos: 0\n- reduce vol    + increase vol    0 - "
                         "pause/play\",10,15,0,4)"}));
}

TEST_F(AppOverlay, AutomaticShotsRunTheirTimerOnlyInPlay) {
    GameCore& c = app->core;
    c.festivalScreenshots = true;
    c.frameTime = 0.5f;
    app->festivalShotTimer = 1.2f;
    const struct {
        GameState state;
        float after;
    } cases[] = {{GameState::MainMenu, 1.2f}, {GameState::Playing, 0.7f}, {GameState::RoundOver, 0.2f},
                 {GameState::Options, 0.2f}, {GameState::MatchStats, -1}};
    for (const auto& k : cases) {
        c.gameState = k.state;
        app->draw();
        if (k.after >= 0) {
            EXPECT_FLOAT_EQ(app->festivalShotTimer, k.after);
        } else {
            // Ran out: a new wait of 2 to 35 s, and the shot was taken (and
            // cleared) in the same frame.
            EXPECT_GE(app->festivalShotTimer, 2.0f);
            EXPECT_LE(app->festivalShotTimer, 35.0f);
            EXPECT_FALSE(app->screenshotRequested);
        }
    }
    c.festivalScreenshots = false;
    c.gameState = GameState::Playing;
    float before = app->festivalShotTimer;
    app->draw();
    EXPECT_FLOAT_EQ(app->festivalShotTimer, before);
}
