#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <tuple>

#include "CoreFixture.h"

// The window, the frame, the arcade menu's difficulty and the game-over screen.
class CoreDraw : public CoreFixture {
protected:
    // An Easy round just over, its screen showing and the scores online.
    GameCore& gameOverScreen() {
        GameCore& c = core();
        c.layout(960);
        c.gameMode = GameMode::Easy;
        c.startRound(false);
        c.gameState = GameState::RoundOver;
        c.roundOverTimer = -1;
        c.onlineScore = true;
        c.menuTime = 1;
        return c;
    }
};

TEST_F(CoreDraw, OnlyTheTestedAsteroidsDrawAndNeverPastTheList) {
    GameCore& c = core();
    startStill(GameMode::Easy);
    for (int i = 0; i < 3; ++i) c.asteroids.emplace_back(new Asteroid)->color = ofColor(200, 100, i, 255);
    for (auto [tested, drawn] : {std::pair{0, 0}, {2, 2}, {3, 3}, {10, 3}, {-4, 0}}) {
        c.rocksTested = tested;
        recorder->reset();
        c.draw();
        const Calls calls = recorder->take();
        long n = 0;
        for (int i = 0; i < 3; ++i)
            n += std::count(calls.begin(), calls.end(), "setColor(200,100," + std::to_string(i) + ",255)");
        EXPECT_EQ(n, drawn) << tested;
    }
}

// Intro only outside co-op; a step of 0 is no step.
TEST_F(CoreDraw, CyclingDifficultySkipsWhatCannotBeChosenAndWaitsForTheSlide) {
    GameCore& c = core();
    auto beep = record(c.soundBank.menuBeep);
    using M = GameMode;
    for (auto [from, step, coop, to] : {std::tuple{M::Easy, -1, false, M::Intro}, {M::Easy, -1, true, M::AsteroidField},
                                        {M::Hard, 1, false, M::AsteroidField}, {M::AsteroidField, 1, false, M::Intro},
                                        {M::AsteroidField, 1, true, M::Easy}, {M::Hard, 0, false, M::Hard}}) {
        c.gameMode = from;
        c.coop = coop;
        c.slideTimer = c.slideLength;
        const int before = beep->plays;
        c.cycleDifficulty(step, static_cast<int>(from));
        EXPECT_EQ(c.gameMode, to) << static_cast<int>(from) << " " << step;
        EXPECT_EQ(beep->plays - before, step != 0 ? 1 : 0);
    }
    // Mid-slide a press changes nothing; the update grows the timer.
    c.coop = false;
    c.gameMode = GameMode::Easy;
    c.cycleDifficulty(1, 1);
    ASSERT_EQ(c.gameMode, GameMode::Hard);
    c.slideTimer = 0.1f;
    c.cycleDifficulty(1, 1);
    EXPECT_EQ(c.gameMode, GameMode::Hard);
    step(0.2f);
    c.cycleDifficulty(1, 1);
    EXPECT_EQ(c.gameMode, GameMode::AsteroidField);
}

TEST_F(CoreDraw, GameOverSoundsOnceAndAButtonNotDrawnTakesNoClick) {
    GameCore& c = gameOverScreen();
    auto gameOver = record(c.soundBank.gameOver);
    c.drawGameOver();
    c.drawGameOver();
    EXPECT_EQ(gameOver->plays, 1);
    const float x = c.leaderboardButton.x + 5, y = c.leaderboardButton.y + 5;
    ASSERT_GT(c.leaderboardButton.width, 0);
    // Not online: no button is drawn, and a click where it stood is a click
    // anywhere else, a retry.
    c.onlineScore = false;
    c.drawGameOver();
    c.mousePressed(0, x, y);
    EXPECT_EQ(c.gameState, GameState::Playing);
    c.gameState = GameState::RoundOver;
    c.roundOverTimer = -1;
    c.onlineScore = true;
    c.drawGameOver();
    c.mousePressed(0, x, y);
    EXPECT_EQ(c.gameState, GameState::Leaderboards);
}

class AppWindow : public CoreFixture {};

// A window with no size leaves everything as it was.
TEST_F(AppWindow, ResizeKeepsVirtualWidthsUpTo1800AndIgnoresAWindowWithNoSize) {
    window.calls.clear();
    window.width = 1200;
    window.height = 900;
    app->windowResized(1200, 900);
    EXPECT_FLOAT_EQ(app->scale, 0.9375f);
    EXPECT_EQ(core().screenWidth, 1280);
    // Wider than 1800 virtual units: the window is set back.
    app->windowResized(1500, 750);
    app->windowResized(0, 900);
    app->windowResized(700, -3);
    EXPECT_FLOAT_EQ(app->scale, 750.0f / 960.0f);
    EXPECT_EQ(core().screenWidth, 1280);
    EXPECT_EQ(window.calls, (Calls{"shape 1200x900"}));
}

namespace {

std::string translateCall(float x, float y) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "translate(%g,%g,0)", x, y);
    return buf;
}

// Where the run starts in the calls, or -1.
long findRun(const Calls& calls, const Calls& run) {
    auto at = std::search(calls.begin(), calls.end(), run.begin(), run.end());
    return at == calls.end() ? -1 : at - calls.begin();
}

}  // namespace

// The world goes to the screen centre, then shakes (impact, rock flash,
// death), then zoom, then the camera.
TEST_F(CoreDraw, TheWorldTransformIsCentreShakesZoomThenCamera) {
    GameCore& c = core();
    startStill(GameMode::Easy);
    c.screenWidth = 1000;
    c.screenHeight = 800;
    c.uiScale = 1.5f;
    c.zoom = 0.8f;
    c.camera.set(100, -50);
    c.impactShake = 3;
    c.rockFlashTime = 0.15f;  // half the flash: a of 2.5
    c.deathFlashTime = 0.1f;  // a quarter of the death flash: a of 15
    ofSeedRandom(9);
    Calls expected = {"pushMatrix()", "translate(500,400,0)"};
    for (float a : {3.0f, 2.5f, 15.0f}) {
        const float dx = ofRandomSigned() * a;
        const float dy = ofRandomSigned() * a;
        expected.push_back(translateCall(dx, dy));
    }
    expected.push_back("scale(1.2,1.2,1)");
    expected.push_back("translate(-100,50,0)");
    ofSeedRandom(9);
    recorder->reset();
    c.draw();
    const Calls calls = recorder->take();
    EXPECT_GE(findRun(calls, expected), 0) << testing::PrintToString(Calls(calls.begin(), calls.begin() + 12));

    // A death match has no impact shake; no flash time, no shake.
    c.deathMatch = true;
    c.rockFlashTime = c.deathFlashTime = 0;
    recorder->reset();
    c.draw();
    EXPECT_GE(findRun(recorder->take(), {"pushMatrix()", "translate(500,400,0)", "scale(1.2,1.2,1)",
                                         "translate(-100,50,0)"}),
              0);
}

// Last of the frame, over everything: the counts, the rate, the flags.
TEST_F(CoreDraw, TheDebugOverlayListsTheCountsRateAndFlags) {
    GameCore& c = core();
    startStill(GameMode::Easy);
    for (int i = 0; i < 3; ++i) addRock(5000.0f + 200 * i, 5000, 2);
    addFoe(4000, 4000);
    c.rocksTested = 2;
    c.steamAvailable = true;
    c.iPhone6PLayout = true;
    window.frameRate = 31.5f;
    recorder->currentViewport.set(0, 0, 1024, 768);
    c.debugOverlay = true;
    recorder->reset();
    c.draw();
    const Calls calls = recorder->take();
    const Calls overlay = {"setFillMode(1)", "setColor(0,0,0,200)", "drawRectangle(0,0,0,170,130)",
                           "setColor(255,255,255,255)"};
    const long at = findRun(calls, overlay);
    ASSERT_GE(at, 0);
    // The viewport queries come between; the text is the next thing drawn.
    size_t text = static_cast<size_t>(at) + overlay.size();
    while (text < calls.size() && calls[text].rfind("get", 0) == 0) ++text;
    ASSERT_LT(text, calls.size());
    EXPECT_EQ(calls[text].substr(0, calls[text].find("\",") + 2),
              "drawString(\"rocks:  3\ncomplex rocks:  2\nfoes:  1\nfps: 31.5\nconnected: 1\nsize: 1024x768\n"
              "iPhone5: 0\niPhone6P: 1\n\",");
    EXPECT_EQ(calls[text].substr(calls[text].find("\",") + 2, 5), "5,15,");

    c.debugOverlay = false;
    recorder->reset();
    c.draw();
    EXPECT_EQ(findRun(recorder->take(), overlay), -1);
}

// While the score is being sent the button counts the seconds in dots, 0 to 3.
TEST_F(CoreDraw, TheSubmitButtonCountsSendingSecondsInDots) {
    GameCore& c = gameOverScreen();
    c.scoreSubmitOverlay.sending = true;
    for (auto [seconds, label] : {std::pair{0.5f, "Sending"}, {1.2f, "Sending."}, {2.9f, "Sending.."},
                                  {3.0f, "Sending..."}, {4.5f, "Sending"}, {7.99f, "Sending..."}}) {
        ofFixElapsedTimef(seconds);
        const std::vector<std::string> texts = textsOf([&] { c.drawGameOver(); });
        EXPECT_EQ(std::count(texts.begin(), texts.end(), label), 1) << seconds;
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Submit Score!"), 0) << seconds;
    }
    c.scoreSubmitOverlay.sending = false;
    std::vector<std::string> texts = textsOf([&] { c.drawGameOver(); });
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Submit Score!"), 1);
    // Sent: no button at all.
    c.scoreSubmitOverlay.sent = true;
    texts = textsOf([&] { c.drawGameOver(); });
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.rfind("Send", 0) == 0 || t == "Submit Score!"; }),
              0);
}

// The target rate acts on the nine measurements before this frame's: 35 once
// they average below 26, 30 once they average 34.8 or more.
TEST_F(AppWindow, TheFrameRateRuleActsOnTheNinePreviousMeasurements) {
    const struct {
        float measured;
        Calls expected;
        int firstChangeAt;
    } rows[] = {{20, {"rate 35"}, 5}, {35, {"rate 30"}, 10}, {34.8f, {"rate 30"}, 10}, {30, {}, -1},
                {26, {}, -1}, {34.7f, {}, -1}};
    for (const auto& row : rows) {
        for (float& r : app->frameRateHistory) r = 30;
        window.frameRate = row.measured;
        window.calls.clear();
        int changedAt = -1;
        for (int i = 1; i <= 30 && changedAt < 0; ++i) {
            step(0.033f);
            if (!window.calls.empty()) changedAt = i;
        }
        EXPECT_EQ(window.calls, row.expected) << row.measured;
        EXPECT_EQ(changedAt, row.firstChangeAt) << row.measured;
        EXPECT_FLOAT_EQ(app->frameRateHistory[0], row.measured) << row.measured;
    }
}

// Full screen scales the screen's height to 960 game units; leaving it brings
// back the windowed scale and the square 960 width. Each toggle clicks.
TEST_F(AppWindow, FullScreenScalesTheScreenAndLeavingItRestoresTheWindow) {
    auto beep = record(core().soundBank.menuBeep);
    std::vector<std::shared_ptr<SoundCallCounter>> smashes;
    for (ofSoundPlayer& player : core().soundBank.rockSmashes) smashes.push_back(record(player));
    const auto smashPlays = [&] {
        int n = 0;
        for (const auto& smash : smashes) n += smash->plays;
        return n;
    };
    window.screenW = 1920;
    window.screenH = 1080;
    app->windowedScale = 0.75f;
    window.calls.clear();
    app->toggleFullscreen();
    EXPECT_EQ(window.calls, (Calls{"fullscreen on"}));
    EXPECT_TRUE(app->fullScreen && core().fullScreen);
    EXPECT_FLOAT_EQ(app->scale, 1.125f);
    EXPECT_EQ(core().screenWidth, 1706);
    EXPECT_EQ(core().mainMenu.itemRects[0].x, 1706 / 2 - 250);
    EXPECT_TRUE(core().optionsMenu.rows[OptionsMenu::FullScreen]);
    EXPECT_EQ(beep->plays, 1);
    EXPECT_EQ(smashPlays(), 0);
    // The full screen's own resize changes nothing.
    app->windowResized(1920, 1080);
    EXPECT_EQ(core().screenWidth, 1706);
    EXPECT_FLOAT_EQ(app->scale, 1.125f);

    core().gameState = GameState::Options;
    window.calls.clear();
    app->toggleFullscreen();
    EXPECT_EQ(window.calls, (Calls{"fullscreen off"}));
    EXPECT_FALSE(app->fullScreen || core().fullScreen);
    EXPECT_FLOAT_EQ(app->scale, 0.75f);
    EXPECT_EQ(core().screenWidth, 960);
    EXPECT_EQ(core().mainMenu.itemRects[0].x, 230);
    EXPECT_FALSE(core().optionsMenu.rows[OptionsMenu::FullScreen]);
    EXPECT_EQ(beep->plays, 1);
    EXPECT_EQ(smashPlays(), 1);
}

// In window pixels, after the scaled game: a band across the window, then the
// volume and the track position.
TEST_F(AppWindow, TheMusicDebugTextComesAfterTheScaledGame) {
    app->musicDebugVisible = true;
    app->scale = 0.5f;
    core().soundBank.musicVolume = 0.7f;
    window.width = 1200;
    recorder->reset();
    app->draw();
    const Calls calls = recorder->take();
    ASSERT_GE(calls.size(), 7u);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 2), (Calls{"pushMatrix()", "scale(0.5,0.5,1)"}));
    EXPECT_EQ(Calls(calls.end() - 6, calls.end() - 1),
              (Calls{"popMatrix()", "setFillMode(1)", "setColor(0,0,0,200)", "drawRectangle(0,0,0,1200,45)",
                     "setColor(255,255,255,255)"}));
    EXPECT_EQ(calls.back().substr(0, calls.back().find("\",") + 8),
              "drawString(\"Music Debug    vol: 0.7    pos: 0\n- reduce vol    + increase vol    0 - "
              "pause/play\",10,15,");

    app->musicDebugVisible = false;
    recorder->reset();
    app->draw();
    EXPECT_EQ(recorder->take().back(), "popMatrix()");
}

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

}  // namespace

// The set-up greets on the console: "Welcome to" centred over the 57 columns
// of the block-letter name, one of the eleven lines centred in 56, then the
// loading line.
TEST_F(AppWindow, TheSetUpWritesTheBannerALineCentredIn56AndLoading) {
    // The log's notices follow once the core sets up.
    const std::string ending = "......loading......\n\n";
    const size_t end = startupText.find(ending);
    ASSERT_NE(end, std::string::npos) << startupText;
    const std::string banner = startupText.substr(0, end + ending.size());
    const std::vector<std::string> l = linesOf(banner);
    ASSERT_EQ(l.size(), 17u) << banner;
    EXPECT_EQ(l[0], std::string(23, ' ') + "Welcome to");
    EXPECT_EQ(l[1], "");
    // V, A, N and T, then O, R, I and X: each letter twelve columns, three between.
    EXPECT_EQ(l[2], "##        ##       ####       ##        ##   ############");
    EXPECT_EQ(l[12], "  ########     ##        ##   ############   ##        ##");
    for (int i : {2, 3, 4, 5, 6, 8, 9, 10, 11, 12}) EXPECT_LE(l[i].size(), 57u) << i;
    EXPECT_EQ(l[7], "");
    EXPECT_EQ(l[13], "");
    EXPECT_EQ(l[15], "                   ......loading......");
    EXPECT_EQ(l[16], "");

    // Every one of the eleven lines comes up, each centred in 56 columns.
    std::set<std::string> seen;
    ofSeedRandom(5);
    for (int start = 0; start < 400 && seen.size() < 11; ++start) {
        std::ostringstream out;
        app->writeStartupText(out);
        const std::string line = linesOf(out.str())[14];
        const size_t pad = line.find_first_not_of(' ');
        const std::string text = line.substr(pad);
        seen.insert(text);
        EXPECT_EQ(pad, text.size() < 56 ? (56 - text.size()) / 2 : 0u) << text;
    }
    EXPECT_EQ(seen.size(), 11u);
    EXPECT_TRUE(seen.count("A game about flying into things.") && seen.count("I just know you'll enjoy this game.") &&
                seen.count("Every second you spend playing will enrich your life."));
    EXPECT_TRUE(seen.count(l[14].substr(l[14].find_first_not_of(' '))));
}
