#include <gtest/gtest.h>

#include <cmath>

#include "RoundsFixture.h"
#include "ShipType.h"

class EndOfRound : public RoundsFixture {
protected:
    void SetUp() override {
        RoundsFixture::SetUp();
        startIn(GameMode::Easy);
        stillWorld();
        takeStatNames();
        takeUploads();
    }
};

TEST_F(EndOfRound, TheBestIsStoredTruncatedAndTheStatsComeInTheirOrder) {
    GameCore& c = core();
    auto death = record(c.soundBank.playerDeath);
    c.players[0].score = 123.7f;
    c.playTime = 42.5f;
    c.players[0].setShipType(SHIP_FAST);
    c.playerDied(false, 0);
    EXPECT_EQ(c.gameState, GameState::RoundOver);
    EXPECT_EQ(c.bestScores[1], 123);
    EXPECT_TRUE(c.players[0].frozen);
    EXPECT_EQ(death->plays, 1);
    const std::vector<std::string> expected = {"player_deaths", "player_deaths_dif_1", "num_arcade_rounds_played",
                                               "num_arcade_rounds_played_dif_1", "time_in_game", "time_in_game_dif_1",
                                               "time_with_ship_2", "rounds_with_ship_2"};
    EXPECT_EQ(takeStatNames(), expected);
    EXPECT_FLOAT_EQ(stat("time_with_ship_2"), 42.5f);

    // A lower score keeps the best; a death outside play only picks a new line.
    c.startRound(false);
    c.players[0].score = 99;
    c.playerDied(false, 0);
    EXPECT_EQ(c.bestScores[1], 123);
    takeStatNames();
    c.playerDied(false, 0);
    EXPECT_TRUE(takeStatNames().empty());
    EXPECT_EQ(death->plays, 2);
}

TEST_F(EndOfRound, CoopEndsWithTheLastShipAndCountsEachJoinedShip) {
    GameCore& c = core();
    c.coop = true;
    c.playerCount = 3;
    c.players[0].joined = c.players[2].joined = true;
    c.players[1].joined = false;
    c.players[2].setShipType(SHIP_HEAVY);
    c.startRound(false);
    takeStatNames();
    c.players[0].score = 50.9f;
    c.playerDied(false, 2);
    EXPECT_EQ(c.gameState, GameState::Playing);
    EXPECT_TRUE(takeStatNames().empty());
    c.playerDied(false, 0);
    EXPECT_EQ(c.gameState, GameState::RoundOver);
    EXPECT_EQ(c.bestCoopScores[1], 50);
    EXPECT_EQ(c.bestScores[1], 0);
    const std::vector<std::string> expected = {"player_deaths",         "player_deaths_dif_1",
                                               "num_arcade_rounds_played", "num_arcade_rounds_played_dif_1",
                                               "coop_rounds_played",    "time_in_coop",
                                               "coop_rounds_with_ship_0", "coop_time_with_ship_0",
                                               "coop_rounds_with_ship_1", "coop_time_with_ship_1"};
    EXPECT_EQ(takeStatNames(), expected);
}

TEST_F(EndOfRound, OneUploadGoesToTheBoardOnlyWithTheWrapperReady) {
    const struct {
        const char* name;
        GameMode mode;
        bool ready, steam, credits;
        int uploads;
        bool pending, online;
    } rows[] = {
        {"ready", GameMode::Easy, true, true, false, 1, false, true},
        {"not ready", GameMode::Easy, false, true, false, 0, false, true},
        {"no Steam", GameMode::Easy, true, false, false, 0, true, false},
        {"mission", GameMode::Mission, true, true, false, 0, false, false},
        {"credits run", GameMode::Easy, true, true, true, 0, false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        GameCore& c = core();
        c.gameMode = row.mode;
        c.startRound(false);
        c.achievementTracker.wrapper.ready = row.ready;
        c.steamAvailable = row.steam;
        c.creditsScreen.creditsRun = row.credits;
        c.players[0].score = 123.9f;
        c.playerDied(false, 0);
        const std::vector<std::string> uploads = takeUploads();
        ASSERT_EQ(static_cast<int>(uploads.size()), row.uploads);
        if (row.uploads == 1) {
            EXPECT_EQ(uploads[0], "UploadLeaderboardScore arcade_easy 123 0");
        }
        EXPECT_EQ(c.scoreUploadPending, row.pending);
        EXPECT_EQ(c.onlineScore, row.online);
        c.creditsScreen.creditsRun = false;
    }
    // The credits run kept no best.
    EXPECT_EQ(core().bestScores[1], 123);
}

class Pausing : public RoundsFixture {};

TEST_F(Pausing, OnlyARunningRoundPausesAndOnlyPausingCounts) {
    startIn(GameMode::Easy);
    GameCore& c = core();
    auto beep = record(c.soundBank.menuBeep);
    c.gameState = GameState::RoundOver;
    c.setPaused(true);
    EXPECT_FALSE(c.paused);
    EXPECT_EQ(beep->plays, 0);

    c.gameState = GameState::Playing;
    c.setPaused(true);
    EXPECT_TRUE(c.paused);
    EXPECT_EQ(beep->plays, 1);
    EXPECT_FLOAT_EQ(stat("pause_count"), 1);
    const float play = c.playTime;
    const size_t rocks = c.asteroids.size();
    tick();
    EXPECT_FLOAT_EQ(c.playTime, play);
    EXPECT_EQ(c.asteroids.size(), rocks);
    c.setPaused(false);
    EXPECT_FALSE(c.paused);
    EXPECT_EQ(beep->plays, 2);
    EXPECT_FLOAT_EQ(stat("pause_count"), 1);

    // A held round stays paused whatever is asked.
    c.startHold = true;
    c.setPaused(false);
    tick();
    EXPECT_TRUE(c.paused);
    EXPECT_GT(c.holdTime, 0);

    // A right-button release keeps the thrust; the left one ends it.
    c.players[0].steering = true;
    c.mouseReleased(2, 10, 10);
    EXPECT_TRUE(c.players[0].steering);
    c.mouseReleased(0, 10, 10);
    EXPECT_FALSE(c.players[0].steering);
}

class SeededRound : public RoundsFixture {};

TEST_F(SeededRound, AnEasyRoundSteppedUntilADeath) {
    startIn(GameMode::Easy);
    GameCore& c = core();
    ofSeedRandom(3);
    const float stick = 0.8f;
    c.startRound(true);
    ASSERT_GT(c.asteroids.size(), 0u);
    size_t mostFoes = 0;
    int frames = 0;
    float t = 0;
    for (; frames < 30 * 240 && c.gameState == GameState::Playing; ++frames) {
        // Fly a wide circle so the chain swings through whatever comes.
        t += 0.05f;
        c.steerByStick(stick * std::cos(t), stick * std::sin(t), 0);
        tick();
        mostFoes = std::max(mostFoes, c.foes.size());
    }
    EXPECT_EQ(c.gameState, GameState::RoundOver);
    EXPECT_GT(mostFoes, 0u);
    EXPECT_GT(c.roundKills, 0);
    EXPECT_GT(c.rocksSmashed, 0);
    EXPECT_GE(c.players[0].score, 10);
    EXPECT_EQ(c.bestScores[1], static_cast<int>(c.players[0].score));
    EXPECT_FLOAT_EQ(stat("player_deaths"), 1);
}
