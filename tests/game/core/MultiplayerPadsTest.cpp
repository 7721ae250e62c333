#include <gtest/gtest.h>

#include "RoundsFixture.h"

// The settings page and the level select, driven by one pad event at a time.
class Pads : public RoundsFixture {
protected:
    void openSettings() {
        setUpApp();
        GameCore& c = core();
        c.deathMatch = true;
        c.gameState = GameState::MultiplayerSettings;
        c.stateTime = 1;
        for (int i = 0; i < 2; ++i) c.players[i].joined = true;
        c.playerCount = 2;
        error = record(c.soundBank.error);
    }
    std::shared_ptr<SoundCallCounter> error;
};

TEST_F(Pads, SettingsRowsWrapAndTheCountIsHeldAtItsBounds) {
    openSettings();
    GameCore& c = core();
    MatchSettings& m = c.matchSettings;
    const struct {
        int row, type, value, minutes, dx;
        bool cabinet;
        int value2, minutes2, errors;
    } cases[] = {
        {1, MatchSettings::Stock, 10, 2, +1, false, 10, 2, 1},
        {1, MatchSettings::Score, 1, 2, -1, false, 1, 2, 1},
        {1, MatchSettings::Score, 4, 2, +1, false, 5, 2, 0},
        {1, MatchSettings::Time, 5, 3, +1, false, 5, 4, 0},
        {1, MatchSettings::Time, 5, 10, +1, false, 5, 10, 1},
        {1, MatchSettings::Time, 5, 2, +1, true, 5, 2, 1},
        {1, MatchSettings::Stock, 2, 2, +1, true, 3, 2, 0},
    };
    for (const auto& k : cases) {
        c.players[0].lobbyRow = k.row;
        m.matchType = k.type;
        m.value = k.value;
        m.minutes = k.minutes;
        c.arcadeCabinet = k.cabinet;
        const int before = error->plays;
        c.handleSettingsPad(0, k.dx, 0, false, false, false);
        EXPECT_EQ(m.value, k.value2) << k.type << " " << k.value;
        EXPECT_EQ(m.minutes, k.minutes2) << k.type << " " << k.minutes;
        EXPECT_EQ(error->plays - before, k.errors) << k.type;
        EXPECT_EQ(c.gameState, GameState::MultiplayerSettings);
    }
    c.arcadeCabinet = false;

    // Row and type and asteroid level wrap.
    c.players[1].lobbyRow = 0;
    c.handleSettingsPad(1, 0, -1, false, false, false);
    EXPECT_EQ(c.players[1].lobbyRow, 3);
    c.handleSettingsPad(1, 0, 1, false, false, false);
    EXPECT_EQ(c.players[1].lobbyRow, 0);
    m.matchType = MatchSettings::Time;
    c.handleSettingsPad(1, 1, 0, false, false, false);
    EXPECT_EQ(m.matchType, MatchSettings::Stock);
    c.players[1].lobbyRow = 2;
    m.foeAmount = 3;
    c.handleSettingsPad(1, 1, 0, false, false, false);
    EXPECT_EQ(m.foeAmount, 0);
    c.handleSettingsPad(1, -1, 0, false, false, false);
    EXPECT_EQ(m.foeAmount, 3);
    // A slot outside the four changes nothing.
    c.handleSettingsPad(4, 1, 1, true, true, true);
    c.handleSettingsPad(-1, 1, 1, true, true, true);
    EXPECT_EQ(m.foeAmount, 3);
    EXPECT_EQ(c.gameState, GameState::MultiplayerSettings);
}

TEST_F(Pads, DoneWaitsForTheGuardAndPutsEveryCursorOnStart) {
    openSettings();
    GameCore& c = core();
    auto back = record(c.soundBank.menuReturn);
    const struct {
        float stateTime;
        int row;
        bool confirm, start, back;
        bool leaves;
    } cases[] = {
        {0.39f, 3, true, false, false, false}, {0.5f, 2, true, false, false, false},
        {0.5f, 3, true, false, false, true},   {0.5f, 1, false, false, true, true},
    };
    for (const auto& k : cases) {
        c.gameState = GameState::MultiplayerSettings;
        c.stateTime = k.stateTime;
        c.menuTime = 3;
        for (PlayerShip& s : c.players) s.lobbyRow = 2;
        c.players[0].lobbyRow = k.row;
        const int returns = back->plays;
        c.handleSettingsPad(0, 0, 0, k.confirm, k.start, k.back);
        EXPECT_EQ(c.gameState == GameState::MultiplayerLobby, k.leaves) << k.stateTime << " row " << k.row;
        EXPECT_EQ(back->plays - returns, k.leaves ? 1 : 0);
        if (k.leaves) {
            for (const PlayerShip& s : c.players) EXPECT_EQ(s.lobbyRow, 1);
            EXPECT_EQ(c.menuTime, 0);
        }
    }
}

TEST_F(Pads, LevelSelectCursorChoosesTheMapOrGoesBack) {
    openSettings();
    GameCore& c = core();
    c.gameState = GameState::LevelSelect;
    c.levelSelectTime = 0.5f;
    // Moves wrap within the row, then by rows.
    const struct {
        int from, dx, dy, to;
    } moves[] = {{2, 1, 0, 0}, {0, -1, 0, 2}, {3, -1, 0, 5}, {5, 1, 0, 3}, {1, 0, 1, 4}, {4, 0, 1, 1}, {0, 0, -1, 3}};
    for (const auto& k : moves) {
        c.levelCell[1] = k.from;
        c.handleSettingsPad(1, k.dx, k.dy, false, false, false);
        EXPECT_EQ(c.levelCell[1], k.to) << k.from << " " << k.dx << " " << k.dy;
    }
    // Confirm before 0.8 s does nothing; the pressing slot's cell is chosen.
    c.levelCell[0] = 0;
    c.levelCell[1] = 3;
    c.handleSettingsPad(1, 0, 0, true, false, false);
    EXPECT_EQ(c.gameState, GameState::LevelSelect);
    c.levelSelectTime = 0.9f;
    c.handleSettingsPad(1, 0, 0, false, true, false);
    EXPECT_EQ(c.gameState, GameState::Playing);
    EXPECT_EQ(c.matchSettings.map, 3);
    EXPECT_FALSE(c.matchSettings.randomMap);

    // Cell 5 always picks one of the five arenas.
    for (int seed = 0; seed < 20; ++seed) {
        ofSeedRandom(static_cast<unsigned>(seed));
        c.gameState = GameState::LevelSelect;
        c.arenaWalls.farValue = 0;
        c.levelCell[0] = 5;
        c.handleSettingsPad(0, 0, 0, true, false, false);
        EXPECT_GE(c.matchSettings.map, 0);
        EXPECT_LE(c.matchSettings.map, 4);
        EXPECT_TRUE(c.matchSettings.randomMap);
    }

    // Back: the lobby, with the highest joined slot setting the player count.
    c.gameState = GameState::LevelSelect;
    c.levelSelectTime = 0.5f;
    c.players[0].joined = false;
    c.players[1].joined = false;
    c.players[2].joined = true;
    c.players[2].lobbyReady = true;
    c.players[2].lobbyRow = 0;
    c.playerCount = 4;
    c.coop = true;
    c.handleSettingsPad(2, 0, 0, false, false, true);
    EXPECT_EQ(c.gameState, GameState::MultiplayerLobby);
    EXPECT_EQ(c.playerCount, 3);
    EXPECT_EQ(c.players[2].lobbyRow, 1);
    EXPECT_TRUE(c.deathMatch);
    EXPECT_FALSE(c.coop);
    EXPECT_EQ(c.gameMode, GameMode::Multiplayer);
    for (float t : c.lifeClock) EXPECT_EQ(t, 10);
}
