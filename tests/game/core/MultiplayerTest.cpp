#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>

#include "CoreFixture.h"

// Death-match rules, the match stats, the settings page and the level select.
class Rules : public CoreFixture {
protected:
    // Joins the first count slots and starts a match of the given type.
    void startDeathMatch(int type, int value, int count = 2) {
        GameCore& c = core();
        c.deathMatch = true;
        c.gameMode = GameMode::Multiplayer;
        c.playerCount = count;
        for (int i = 0; i < count; ++i) c.players[i].joined = true;
        c.matchSettings.matchType = type;
        c.matchSettings.value = value;
        c.matchSettings.foeAmount = 0;
        c.startMatch();
        stillWorld();
    }
    // A weapon kill of victim by killer, as the weapon test reports it.
    void kill(int victim, int killer) {
        core().killSequence = false;
        core().players[victim].invulnerabilityTimer = -1;
        core().startKillSequence(victim, killer, 0, true);
        core().killSequence = false;
    }
};

TEST_F(Rules, RankingByLivesThenKillsOrByScoreThenDeaths) {
    struct Case {
        int type, lives[4];
        float score[4];
        int kills[4], deaths[4], joined[4], places[4];
    };
    const Case cases[] = {
        // Stock: more lives wins; equal lives, more kills; full tie, first slot.
        {MatchSettings::Stock, {2, 3, 3, 0}, {0, 0, 0, 0}, {5, 1, 2, 0}, {0, 0, 0, 0}, {true, true, true, true}, {2, 1, 0, 3}},
        {MatchSettings::Stock, {1, 1, 0, 0}, {0, 0, 0, 0}, {1, 1, 0, 0}, {0, 0, 0, 0}, {true, true, false, false}, {0, 1, 2, 3}},
        // Score and time: higher score; equal score, fewer deaths; a slot out of the match is last.
        {MatchSettings::Score, {0, 0, 0, 0}, {3, 3, 1, 9}, {0, 0, 0, 0}, {2, 1, 0, 0}, {true, true, true, false}, {1, 0, 2, 3}},
        {MatchSettings::Time, {0, 0, 0, 0}, {0, 4, 4, 0}, {0, 0, 0, 0}, {0, 3, 3, 0}, {true, true, true, true}, {2, 0, 1, 3}},
    };
    startDeathMatch(MatchSettings::Stock, 3, 4);
    GameCore& c = core();
    for (const Case& k : cases) {
        c.matchSettings.matchType = k.type;
        for (int i = 0; i < 4; ++i) {
            PlayerShip& s = c.players[i];
            s.joined = k.joined[i];
            s.lives = k.lives[i];
            s.score = k.score[i];
            s.matchStats.reset();
            for (int n = 0; n < k.kills[i]; ++n) s.matchStats.addKill((i + 1) % 4, 1);
            for (int n = 0; n < k.deaths[i]; ++n) s.matchStats.addDeath(-1, 1);
        }
        c.matchOver = true;
        c.matchEndTimer = 0.01f;
        c.gameState = GameState::Playing;
        tick(0.033f);
        ASSERT_EQ(c.gameState, GameState::RoundOver);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(c.players[i].place, k.places[i]) << "type " << k.type << " slot " << i;
            EXPECT_EQ(c.players[i].award.empty(), !k.joined[i]) << i;
        }
    }
}

// The last match's closing countdown must not carry over: until it is full
// again, pausing is refused.
TEST_F(Rules, ANewMatchCanBePausedBeforeItsFirstFrame) {
    startDeathMatch(MatchSettings::Score, 5);
    GameCore& c = core();
    c.matchOver = true;
    c.matchEndTimer = 1.0f;
    c.startMatch();
    ASSERT_EQ(c.gameState, GameState::Playing);
    c.setPaused(true);
    EXPECT_TRUE(c.paused);
}

TEST_F(Rules, NoLifeIsLostDuringTheCountdown) {
    startDeathMatch(MatchSettings::Stock, 3);
    GameCore& c = core();
    c.matchClock = 5.2f;
    kill(1, 0);
    EXPECT_EQ(c.players[1].lives, 3);
    c.matchClock = 5.25f;
    kill(1, 0);
    EXPECT_EQ(c.players[1].lives, 2);
    EXPECT_FALSE(c.players[1].frozen);
    EXPECT_GT(c.players[1].invulnerabilityTimer, 0);  // reset for the respawn glide
    c.players[1].lives = 1;
    kill(1, 0);
    EXPECT_TRUE(c.players[1].frozen);
    EXPECT_EQ(c.lifeClock[1], 0);
}

TEST_F(Rules, TimeKillsCostAPointAndTheMatchGoesOnWhileTheTopScoreIsSharedOrZero) {
    startDeathMatch(MatchSettings::Time, 5, 3);
    GameCore& c = core();
    c.matchSettings.minutes = 1;
    c.matchClock = c.matchStartDelay + 1;
    c.players[1].score = 2;
    kill(1, 0);
    EXPECT_FLOAT_EQ(c.players[1].score, 1);
    EXPECT_FLOAT_EQ(c.players[0].score, 1);
    // A death by the border still costs a point, and credits nobody.
    c.players[0].score = 3;
    c.startKillSequence(0, -1, -1, true);
    EXPECT_FLOAT_EQ(c.players[0].score, 2);
    EXPECT_FLOAT_EQ(c.players[1].score, 1);

    c.playTime = 61;
    for (auto [a, b, d, decided] : {std::tuple{0, 0, 0, false}, {2, 2, 0, false}, {2, 2, 2, false}, {2, 3, 3, false},
                                    {1, 3, 2, true}}) {
        c.players[0].score = a;
        c.players[1].score = b;
        c.players[2].score = d;
        c.matchOver = false;
        c.paused = true;
        c.updateDeathMatch(3, 0, 0);
        EXPECT_EQ(c.matchOver, decided) << a << b << d;
    }
}

// No speed samples (the average is NaN) read 0; no kills leave "Most Targetted" empty.
TEST_F(Rules, MatchStatsWithoutSamplesOrKillsShowPlainZerosAndNoTarget) {
    GameCore& c = core();
    c.players[0].joined = c.players[1].joined = true;
    for (PlayerShip& s : c.players) s.matchStats.reset();
    c.players[1].matchStats.averageSpeed = std::nanf("");
    c.players[1].matchStats.favouriteVictim = 0;
    c.players[0].matchStats.addKill(1, 2);
    c.players[0].matchStats.favouriteVictim = 1;
    c.players[0].matchStats.pushSample(9.7f, 100, 1);
    c.players[0].matchStats.averageSpeed = 9.7f;
    const std::vector<std::string> texts = textsOf([&] { c.drawMatchStats(); });
    ASSERT_GE(texts.size(), 15u);
    // The last two columns, then "Back": kills, deaths, smashes, life, target, speed, streak.
    EXPECT_EQ(std::vector<std::string>(texts.end() - 15, texts.end()),
              (std::vector<std::string>{"1", "0", "0", "0 sec", c.playerColorNames[1], "9", "0", "0", "0", "0",
                                        "0 sec", "", "0", "0", "Back"}));
}

// At a bound the count is held with the error sound; a Time match edits only
// its minutes (2 to 10; the cabinet keeps 2).
TEST_F(Rules, SettingsCountsAreHeldAtTheirBoundsWithAnError) {
    GameCore& c = core();
    c.deathMatch = true;
    c.gameState = GameState::MultiplayerSettings;
    c.stateTime = 1;
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
    // A slot outside the four changes nothing.
    c.arcadeCabinet = false;
    m.matchType = MatchSettings::Score;
    c.handleSettingsPad(4, 1, 1, true, true, true);
    c.handleSettingsPad(-1, 1, 1, true, true, true);
    EXPECT_TRUE(m.value == 5 && c.gameState == GameState::MultiplayerSettings);
}

TEST_F(Rules, TheRandomCellPicksAnArenaAndBackCountsUpToTheHighestJoinedSlot) {
    GameCore& c = core();
    c.deathMatch = true;
    c.players[0].joined = c.players[1].joined = true;
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

// The headline names the winner in its colour, or "The Arena" in white when
// no slot has first place; a kill list longer than a line and one breaks into
// a raised line and a lowered one, half an icon to the right.
TEST_F(Rules, AwardsHeadlineAndTheIconRowsOfOneOrTwoLines) {
    GameCore& c = core();
    c.deathMatch = true;
    c.gameState = GameState::RoundOver;
    // Half faded in: the headline's alpha tells its colour from the glyph's before it.
    c.menuTime = c.menuFadeTime / 2;
    const ofColor white = c.textColor;
    const struct {
        int places[4];
        int kills;
        std::string headline;
        ofColor colour;
        std::vector<std::string> icons;
    } rows[] = {
        {{1, 2, 3, 0}, 3, "Orange Player", c.playerColors[3],
         {"translate(280,560,0)", "translate(330,560,0)", "translate(380,560,0)"}},
        {{2, 2, 2, 2}, 9, "The Arena", white,
         {"translate(280,648,0)", "translate(330,648,0)", "translate(380,648,0)", "translate(430,648,0)",
          "translate(305,687,0)", "translate(355,687,0)", "translate(405,687,0)", "translate(455,687,0)",
          "translate(505,687,0)"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.headline);
        for (int i = 0; i < 4; ++i) {
            c.players[i].joined = true;
            c.players[i].place = row.places[i];
            c.players[i].matchStats.reset();
        }
        for (int n = 0; n < row.kills; ++n) c.players[0].matchStats.addKill(1, 2.0f + n);
        c.awardReveal = 300;
        c.awardRevealDone = false;
        c.awardsOpened = true;
        recorder->reset();
        PixelFont::textObserver = [&](const std::string& text, float, float, float) {
            recorder->calls.push_back("text " + text);
        };
        c.drawMatchAwards();
        PixelFont::textObserver = nullptr;
        const std::vector<std::string>& calls = recorder->calls;
        auto headline = std::find(calls.begin(), calls.end(), "text " + row.headline);
        ASSERT_NE(headline, calls.end());
        auto colour = std::find_if(std::make_reverse_iterator(headline), calls.rend(),
                                   [](const std::string& s) { return s.rfind("setColor(", 0) == 0; });
        ASSERT_NE(colour, calls.rend());
        const ofColor& k = row.colour;
        EXPECT_EQ(*colour, "setColor(" + std::to_string(k.r) + "," + std::to_string(k.g) + "," +
                               std::to_string(k.b) + ",127)");
        // Each icon: moved to its spot, then the victim's ship flipped upright.
        std::vector<std::string> icons;
        for (size_t i = 0; i + 1 < calls.size(); ++i)
            if (calls[i + 1] == "scale(1.25,-1.25,1)") icons.push_back(calls[i]);
        EXPECT_EQ(icons, row.icons);
    }
}

// A glide that arrives where the walls have since closed in goes on to a new
// free spot, with no ring and no crush; one that arrives inside lands.
TEST_F(Rules, ARespawnGlideLandsInsideTheWallsOrGoesOnToAFreeSpot) {
    startDeathMatch(MatchSettings::Score, 5);
    GameCore& c = core();
    c.arenaWalls.computeBounds();
    const ofVec2f centre(c.arenaWalls.centreX, c.arenaWalls.centreY);
    auto crush = record(c.soundBank.missionCrush);
    for (auto [dx, lands] : {std::pair{0.0f, true}, {100000.0f, false}}) {
        PlayerShip& ship = c.players[1];
        ship.point.position.set(centre.x + dx, centre.y);
        ship.gliding = false;
        ship.glideTimer = 0;
        ship.glideArrived = true;
        const size_t rings = c.noiseRings.size();
        const int crushes = crush->plays;
        c.paused = true;
        c.updateDeathMatch(2, 0, 0);
        EXPECT_FALSE(ship.glideArrived);
        EXPECT_EQ(c.noiseRings.size() - rings, lands ? 1u : 0u) << dx;
        EXPECT_EQ(crush->plays - crushes, lands ? 1 : 0) << dx;
        EXPECT_EQ(ship.gliding, !lands) << dx;
        if (!lands) {
            EXPECT_FLOAT_EQ(ship.glideTimer, ship.glideDuration);
            EXPECT_TRUE(c.arenaWalls.isCircleInside(ship.glideTarget.x, ship.glideTarget.y, 50));
        }
    }
}
