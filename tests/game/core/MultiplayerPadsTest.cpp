#include <gtest/gtest.h>

#include <tuple>

#include "CoreFixture.h"

// The settings page and the level select of a two-player death match, driven
// by one pad event at a time.
class Pads : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        core().deathMatch = true;
        core().gameState = GameState::MultiplayerSettings;
        core().stateTime = 1;
        core().players[0].joined = core().players[1].joined = true;
        core().playerCount = 2;
    }
};

// At a bound the count is held with the error sound; a Time match edits only
// its minutes (2 to 10; the cabinet keeps 2).
TEST_F(Pads, SettingsCountsAreHeldAtTheirBoundsWithAnErrorAndOtherRowsWrap) {
    GameCore& c = core();
    auto error = record(c.soundBank.error);
    MatchSettings& m = c.matchSettings;
    c.players[0].lobbyRow = 1;
    for (auto [type, value, minutes, dx, cabinet, value2, minutes2, errors] :
         {std::tuple{MatchSettings::Stock, 10, 2, +1, false, 10, 2, 1}, {MatchSettings::Score, 1, 2, -1, false, 1, 2, 1},
          {MatchSettings::Score, 4, 2, +1, false, 5, 2, 0}, {MatchSettings::Time, 5, 3, +1, false, 5, 4, 0},
          {MatchSettings::Time, 5, 10, +1, false, 5, 10, 1}, {MatchSettings::Time, 5, 2, +1, true, 5, 2, 1}}) {
        m.matchType = type;
        m.value = value;
        m.minutes = minutes;
        c.arcadeCabinet = cabinet;
        const int before = error->plays;
        c.handleSettingsPad(0, dx, 0, false, false, false);
        EXPECT_TRUE(m.value == value2 && m.minutes == minutes2) << type << " " << value << " " << minutes;
        EXPECT_EQ(error->plays - before, errors) << type;
    }
    c.arcadeCabinet = false;
    c.players[1].lobbyRow = 0;
    c.handleSettingsPad(1, 0, -1, false, false, false);
    EXPECT_EQ(c.players[1].lobbyRow, 3);
    c.players[1].lobbyRow = 2;
    m.foeAmount = 3;
    c.handleSettingsPad(1, 1, 0, false, false, false);
    EXPECT_EQ(m.foeAmount, 0);
    // A slot outside the four changes nothing.
    c.handleSettingsPad(4, 1, 1, true, true, true);
    c.handleSettingsPad(-1, 1, 1, true, true, true);
    EXPECT_TRUE(m.foeAmount == 0 && c.gameState == GameState::MultiplayerSettings);
}

TEST_F(Pads, TheRandomCellPicksAnArenaAndBackCountsUpToTheHighestJoinedSlot) {
    GameCore& c = core();
    for (int seed = 0; seed < 20; ++seed) {
        ofSeedRandom(static_cast<unsigned>(seed));
        c.gameState = GameState::LevelSelect;
        c.levelSelectTime = 0.9f;
        c.arenaWalls.farValue = 0;
        c.levelCell[0] = 5;
        c.handleSettingsPad(0, 0, 0, true, false, false);
        ASSERT_EQ(c.gameState, GameState::Playing);
        EXPECT_TRUE(c.matchSettings.map >= 0 && c.matchSettings.map <= 4 && c.matchSettings.randomMap);
    }
    c.gameState = GameState::LevelSelect;
    c.players[0].joined = c.players[1].joined = false;
    c.players[2].joined = true;
    c.playerCount = 4;
    c.handleSettingsPad(2, 0, 0, false, false, true);
    EXPECT_EQ(c.gameState, GameState::MultiplayerLobby);
    EXPECT_EQ(c.playerCount, 3);
}
