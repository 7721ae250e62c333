#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "CoreFixture.h"
#include "DrawTestSupport.h"

namespace {

std::string rgb(const ofColor& c) {
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

}  // namespace

class GameCoreSetup : public CoreFixture {};

TEST_F(GameCoreSetup, TheColourBlindSwitchRecoloursPlayersRocksFoesAndCreditsAndBack) {
    setUpApp();
    GameCore& core = app->core;
    const std::string foe = rgb(core.foeColor);
    core.setColorBlindMode(true);
    EXPECT_EQ(core.playerColorNames[1], "Tan");
    EXPECT_EQ(rgb(core.playerColors[1]), "255,179,137");
    EXPECT_EQ(rgb(core.playerColors[0]), rgb(core.normalPlayerColors[2]));
    EXPECT_EQ(rgb(core.rockColors[4]), "190,190,190");
    EXPECT_EQ(rgb(core.creditsScreen.rockColors[0]), "150,150,150");
    EXPECT_EQ(rgb(core.foeColor), rgb(core.colorBlindFoeColor));
    core.setColorBlindMode(false);
    EXPECT_EQ(core.playerColorNames[2], "Purple");
    EXPECT_EQ(rgb(core.creditsScreen.rockColors[0]), "202,210,134");
    EXPECT_EQ(rgb(core.foeColor), foe);
}

TEST_F(GameCoreSetup, AFirstStartEndsInTheMainMenuInIntroAndABestScoreMeansEasy) {
    setUpApp();
    EXPECT_EQ(app->core.gameState, GameState::MainMenu);
    EXPECT_EQ(app->core.gameMode, GameMode::Intro);
    EXPECT_TRUE(app->core.splashActive);
    EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "rate 30"), 1);
    EXPECT_EQ(std::count(window.calls.begin(), window.calls.end(), "title VANTORIX"), 1);

    // The best score comes from the player file, in a folder of this test's own.
    app.reset(new vantorixPC);
    app->core.soundBank.makePlayer = [] { return std::make_shared<SoundCallCounter>(); };
    char scratch[] = "/tmp/vx_core_XXXXXX";
    ASSERT_NE(mkdtemp(scratch), nullptr);
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(scratch), 0);
    ASSERT_EQ(mkdir("data", 0755), 0);
    FILE* file = std::fopen("data/playerData.xml", "w");
    ASSERT_NE(file, nullptr);
    std::fputs("<BEST_SCORES><DIFFICULTY_4>40</DIFFICULTY_4></BEST_SCORES>", file);
    std::fclose(file);
    setUpApp();
    EXPECT_EQ(chdir(previous), 0);
    EXPECT_EQ(app->core.bestScores[static_cast<int>(GameMode::AsteroidField)], 40);
    EXPECT_EQ(app->core.gameMode, GameMode::Easy);
    EXPECT_EQ(std::system((std::string("rm -rf ") + scratch).c_str()), 0);
}

TEST_F(GameCoreSetup, TheSplashFadesFromFourSecondsAndEndsAtFive) {
    setUpApp();
    GameCore& core = app->core;
    for (auto [time, alpha] : {std::pair{0.0f, 255}, {4.0f, 255}, {4.5f, 127}, {5.0f, 0}}) {
        core.splashTime = time;
        std::vector<std::string> calls = callsOf([&] { core.drawSplashScreen(); });
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(calls[1], "setColor(0,0,0," + std::to_string(alpha) + ")") << time;
        EXPECT_EQ(calls[2], "drawRectangle(0,0,0,960,960)") << time;
        EXPECT_EQ(countOf(calls, "setColor(255,255,255," + std::to_string(alpha) + ")"), 1);
    }
    core.splashTime = 0;
    for (int i = 0; i < 49; ++i) step(0.1f);
    EXPECT_TRUE(core.splashActive);
    step(0.11f);
    EXPECT_FALSE(core.splashActive);
}
