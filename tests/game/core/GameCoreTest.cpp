#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
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

TEST_F(GameCoreSetup, PalettesOfModesPlayersFoesAndRocks) {
    setUpApp();
    GameCore& core = app->core;
    const char* modes[6] = {"41,41,41", "29,26,35", "34,24,24", "29,26,35", "35,23,38", "29,26,35"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(rgb(core.modeColors[i]), modes[i]) << core.modeNames[i];
    EXPECT_EQ(core.modeNames[4], "Asteroid Field");
    EXPECT_EQ(rgb(core.foeColor), "232,70,70");
    EXPECT_EQ(rgb(core.rockColors[2]), "199,193,16");
    EXPECT_EQ(core.playerColorNames[1], "Green");
    EXPECT_EQ(core.matchTypeNames[2], "TIME");
    EXPECT_EQ(core.matchValueLabels[0], "Lives:");

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
}

TEST_F(GameCoreSetup, AFirstStartEndsInTheMainMenuInIntroWithTheSplashUp) {
    setUpApp();
    GameCore& core = app->core;
    EXPECT_EQ(core.gameState, GameState::MainMenu);
    EXPECT_EQ(core.gameMode, GameMode::Intro);
    EXPECT_TRUE(core.splashActive);
    EXPECT_FLOAT_EQ(core.splashLength, 5.0f);
    EXPECT_FLOAT_EQ(core.totalTime, 0.25f);
    EXPECT_EQ(core.playerCount, 1);
    EXPECT_EQ(core.mainMenu.selected, 0);
    EXPECT_EQ(core.mainMenu.soundBank, &core.soundBank);
    EXPECT_EQ(core.layerBatch->verticesPerObject, 3);
    EXPECT_EQ(core.layerBatch->objectsPerLayer, 65536);
    EXPECT_TRUE(core.cursorShown);
    // Set-up asks for 30 frames a second and names the window.
    EXPECT_NE(std::find(window.calls.begin(), window.calls.end(), "rate 30"), window.calls.end());
    EXPECT_NE(std::find(window.calls.begin(), window.calls.end(), "title VANTORIX"), window.calls.end());
}

TEST_F(GameCoreSetup, AnyArcadeBestScoreMeansEasy) {
    // The best score comes from the player file, in a folder of this test's own.
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
    EXPECT_EQ(app->core.gameState, GameState::MainMenu);
    EXPECT_EQ(std::system((std::string("rm -rf ") + scratch).c_str()), 0);
}

TEST_F(GameCoreSetup, TheSplashFadesFromFourSecondsAndEndsAtFive) {
    setUpApp();
    GameCore& core = app->core;
    const struct {
        float time;
        int alpha;
    } cases[] = {{0.0f, 255}, {4.0f, 255}, {4.5f, 127}, {5.0f, 0}};
    for (const auto& c : cases) {
        core.splashTime = c.time;
        recorder->reset();
        core.drawSplashScreen();
        std::vector<std::string> calls = recorder->take();
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls[1], "setColor(0,0,0," + std::to_string(c.alpha) + ")") << c.time;
        EXPECT_EQ(calls[2], "drawRectangle(0,0,0,960,960)") << c.time;
        EXPECT_EQ(countOf(calls, "setColor(255,255,255," + std::to_string(c.alpha) + ")"), 1);
    }

    // The update ends it once five seconds have passed.
    core.splashTime = 0;
    for (int i = 0; i < 49; ++i) step(0.1f);
    EXPECT_TRUE(core.splashActive);
    step(0.11f);
    EXPECT_FALSE(core.splashActive);
}
