#include <gtest/gtest.h>

#include <tuple>

#include "CoreFixture.h"
#include "ShipType.h"
#include "SteamLayer.h"
#include "steam_api.h"

// An Easy round with Steam running and its stats arrived.
class EndOfRound : public CoreFixture {
protected:
    void SetUp() override {
        SteamLayer::setRunning(true);
        SteamLayer::clearUserData();
        CoreFixture::SetUp();
        sent("");
        startStill(GameMode::Easy);
    }
    void TearDown() override {
        CoreFixture::TearDown();
        SteamLayer::setRunning(false);
    }
    // What went to Steam under the verb since the last call: the names of the
    // plain stats, or the whole upload calls.
    std::vector<std::string> sent(const std::string& verb) {
        SteamAPI_RunCallbacks();
        std::vector<std::string> out;
        const size_t name = verb.size() + 1;
        for (const std::string& call : SteamLayer::takeCalls()) {
            if (call.rfind(verb + " ", 0) != 0 || call.compare(name, 7, "global_") == 0) continue;
            out.push_back(verb == "SetStat" ? call.substr(name, call.find(' ', name) - name) : call);
        }
        return out;
    }
};

TEST_F(EndOfRound, TheBestIsStoredTruncatedAndTheStatsComeInTheirOrder) {
    GameCore& c = core();
    c.players[0].score = 123.7f;
    c.playTime = 42.5f;
    c.players[0].setShipType(SHIP_FAST);
    c.playerDied(false, 0);
    EXPECT_EQ(c.gameState, GameState::RoundOver);
    EXPECT_EQ(c.bestScores[1], 123);
    EXPECT_TRUE(c.players[0].frozen);
    const std::vector<std::string> expected = {"player_deaths", "player_deaths_dif_1", "num_arcade_rounds_played",
                                               "num_arcade_rounds_played_dif_1", "time_in_game", "time_in_game_dif_1",
                                               "time_with_ship_2", "rounds_with_ship_2"};
    EXPECT_EQ(sent("SetStat"), expected);
    EXPECT_FLOAT_EQ(stat("time_with_ship_2"), 42.5f);

    // A lower score keeps the best; a death outside play only picks a new line.
    c.startRound(false);
    c.players[0].score = 99;
    c.playerDied(false, 0);
    EXPECT_EQ(c.bestScores[1], 123);
    sent("SetStat");
    c.playerDied(false, 0);
    EXPECT_TRUE(sent("SetStat").empty());
    // Only a running round pauses.
    c.setPaused(true);
    EXPECT_FALSE(c.paused);
}

// No Steam: the upload waits. A credits run keeps no best and sends none.
TEST_F(EndOfRound, OneUploadGoesToTheBoardOnlyWithTheWrapperReady) {
    for (auto [ready, steam, credits, upload, pending] :
         {std::tuple{true, true, false, true, false}, {false, true, false, false, false},
          {true, false, false, false, true}, {true, true, true, false, false}}) {
        GameCore& c = core();
        c.startRound(false);
        c.achievementTracker.wrapper.ready = ready;
        c.steamAvailable = steam;
        c.creditsScreen.creditsRun = credits;
        c.players[0].score = credits ? 500.0f : 123.9f;
        c.playerDied(false, 0);
        const std::vector<std::string> one = {"UploadLeaderboardScore arcade_easy 123 0"};
        EXPECT_EQ(sent("UploadLeaderboardScore"), upload ? one : std::vector<std::string>{}) << ready << steam;
        EXPECT_EQ(c.scoreUploadPending, pending) << ready << steam << credits;
        c.creditsScreen.creditsRun = false;
    }
    EXPECT_EQ(core().bestScores[1], 123);
}

// The board upload carries the round's ship types: the solo ship alone, or in
// co-op each joined slot below the player count, in slot order. A co-op round
// ends only with its last ship.
TEST_F(EndOfRound, TheUploadCarriesTheShipTypesOfTheRound) {
    const struct {
        bool coop;
        int playerCount;
        bool joined[4];
        int types[4];
        const char* upload;
    } rows[] = {
        {false, 1, {true, false, false, false}, {SHIP_FAST, SHIP_HEAVY, 0, 0}, "arcade_easy 50 2"},
        {true, 3, {true, false, true, false}, {SHIP_NORMAL, SHIP_HYPER, SHIP_HEAVY, 0}, "arcade_easy_coop 50 0,1"},
        {true, 3, {true, true, true, true}, {SHIP_ROBOT, SHIP_FAST, SHIP_HEAVY, SHIP_JELLY},
         "arcade_easy_coop 50 5,2,1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.upload);
        GameCore& c = core();
        c.coop = row.coop;
        c.playerCount = row.playerCount;
        for (int i = 0; i < 4; ++i) {
            c.players[i].joined = row.joined[i];
            c.players[i].setShipType(row.types[i]);
        }
        c.startRound(false);
        c.achievementTracker.wrapper.ready = true;
        c.steamAvailable = true;
        sent("");
        c.players[0].score = 50.5f;
        // The joined slots die from the last to the first.
        for (int i = 3; i >= 0; --i) {
            if (!c.players[i].joined || c.players[i].frozen) continue;
            EXPECT_EQ(c.gameState, GameState::Playing) << i;
            c.playerDied(false, i);
        }
        ASSERT_EQ(c.gameState, GameState::RoundOver);
        const std::vector<std::string> upload = {"UploadLeaderboardScore " + std::string(row.upload)};
        EXPECT_EQ(sent("UploadLeaderboardScore"), upload);
    }
}
