#include <gtest/gtest.h>

#include <cmath>

#include "RoundsFixture.h"
#include "ShipType.h"

class Rules : public RoundsFixture {
protected:
    std::vector<std::string> popupTexts() {
        std::vector<std::string> texts;
        for (const PopupMessage& p : core().popups) texts.push_back(p.text);
        return texts;
    }
};

TEST_F(Rules, CountdownPopupsInTheFramesCrossingWholeSecondsAndMusicAtTheEnd) {
    for (bool exhibition : {false, true}) {
        startDeathMatch(MatchSettings::Stock, 3);
        GameCore& c = core();
        c.exhibition = exhibition;
        c.matchClock = exhibition ? -1 : 0;
        auto m5 = record(c.soundBank.music[5]);
        auto m6 = record(c.soundBank.music[6]);
        c.popups.clear();
        const float start = now;
        const float late = exhibition ? 1.0f : 0.0f;
        std::vector<std::pair<std::string, int>> seen;
        float musicAt = -1;
        for (int frame = 0; frame < 150; ++frame) {
            const size_t before = c.popups.size();
            tick(0.05f);
            const float t = now - start;
            // The popup comes in the frame that crossed the whole second.
            if (c.popups.size() > before) seen.push_back({c.popups.back().text, static_cast<int>(t - late + 1e-4f)});
            if (musicAt < 0 && m5->plays + m6->plays > 0) musicAt = t;
            if (c.matchClock < c.matchStartDelay) {
                EXPECT_GT(c.players[0].invulnerabilityTimer, 0);
            }
        }
        const std::vector<std::pair<std::string, int>> expected = {{"3", 2}, {"2", 3}, {"1", 4}, {"GO!", 5}};
        EXPECT_EQ(seen, expected) << exhibition;
        EXPECT_NEAR(musicAt, 5.25f + late, 0.051f) << exhibition;
        EXPECT_GE(musicAt, 5.25f + late - 1e-3f) << exhibition;
        restart();
    }
}

TEST_F(Rules, ZoomFollowsTheSpreadAndClosesInOnTheDecidedMatch) {
    startDeathMatch(MatchSettings::Score, 5);
    GameCore& c = core();
    const struct {
        float apart;
        bool over;
        float endTimer;
        float zoom;
        float targetX;
    } cases[] = {
        {1000, false, 5, 0.6411f, 500},
        {150, false, 5, 1.0f, 75},
        {150, true, 1.0f, 2.0f, 0},
    };
    for (const auto& k : cases) {
        c.players[0].point.position.set(0, 0);
        c.players[1].point.position.set(k.apart, 0);
        c.players[0].score = 1;
        c.matchOver = k.over;
        c.frameTime = 0;
        c.matchEndTimer = k.endTimer;
        c.paused = true;
        c.updateMultiplayer();
        EXPECT_NEAR(c.zoomTarget, k.zoom, 1e-4f) << k.apart << " " << k.endTimer;
        // A decided score match looks at the leader, slot 0.
        EXPECT_FLOAT_EQ(c.cameraTarget.x, k.targetX) << k.apart;
    }
}

TEST_F(Rules, RankingByLivesThenKillsOrByScoreThenDeaths) {
    struct Case {
        int type;
        int lives[4];
        float score[4];
        int kills[4];
        int deaths[4];
        bool joined[4];
        int places[4];
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

TEST_F(Rules, KillPopupsCountTheScoreAndMarkTheGoal) {
    startDeathMatch(MatchSettings::Score, 8, 4);
    GameCore& c = core();
    pastCountdown();
    c.players[3].score = 6;
    kill(0, 3);
    c.players[3].score = 6;
    kill(1, 3);
    kill(2, 3);
    EXPECT_EQ(popupTexts(), (std::vector<std::string>{"Orange Player: 7!", "Orange Player: 7!", "Orange Player: 8!!!"}));
    EXPECT_EQ(c.popups.back().color, c.playerColors[3]);
    EXPECT_FLOAT_EQ(c.players[3].score, 8);
    EXPECT_EQ(c.players[3].matchStats.kills.size(), 3u);

    // After the goal the match is decided; a later death credits nobody.
    tick();
    EXPECT_TRUE(c.matchOver);
    kill(0, 3);
    EXPECT_FLOAT_EQ(c.players[3].score, 8);
    EXPECT_EQ(c.players[0].matchStats.deaths.back().killer, 3);

    // Stock and time popups carry no marks.
    restart();
    startDeathMatch(MatchSettings::Stock, 3, 4);
    pastCountdown();
    core().players[3].score = 6;
    core().popups.clear();
    kill(0, 3);
    EXPECT_EQ(popupTexts(), (std::vector<std::string>{"Orange Player: 7"}));
}

TEST_F(Rules, NoLifeLostDuringTheCountdownAndTimeKillsCostAPoint) {
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

    restart();
    startDeathMatch(MatchSettings::Time, 3);
    GameCore& t = core();
    pastCountdown();
    t.players[1].score = 2;
    kill(1, 0);
    EXPECT_FLOAT_EQ(t.players[1].score, 1);
    EXPECT_FLOAT_EQ(t.players[0].score, 1);
    // A death by the border still costs a point, and credits nobody.
    t.players[0].score = 3;
    t.startKillSequence(0, -1, -1, true);
    EXPECT_FLOAT_EQ(t.players[0].score, 2);
    EXPECT_FLOAT_EQ(t.players[1].score, 1);
}

TEST_F(Rules, TimeMatchGoesOnWhileTheTopScoreIsSharedOrZero) {
    startDeathMatch(MatchSettings::Time, 5, 3);
    GameCore& c = core();
    c.matchSettings.minutes = 1;
    pastCountdown();
    c.playTime = 61;
    const struct {
        float scores[3];
        bool decided;
    } cases[] = {{{0, 0, 0}, false}, {{2, 2, 0}, false}, {{2, 2, 2}, false}, {{2, 3, 3}, false}, {{1, 3, 2}, true}};
    for (const auto& k : cases) {
        for (int i = 0; i < 3; ++i) c.players[i].score = k.scores[i];
        c.matchOver = false;
        c.paused = true;
        c.updateDeathMatch(3, 0, 0);
        EXPECT_EQ(c.matchOver, k.decided) << k.scores[0] << k.scores[1] << k.scores[2];
    }
}

TEST_F(Rules, GrindHueIsTheCircularMeanAndHeavyShipsGrindHarder) {
    EXPECT_FLOAT_EQ(GameCore::meanHue(18, 206), 240);
    EXPECT_FLOAT_EQ(GameCore::meanHue(250, 10), 2);

    const struct {
        int typeI, typeJ;
        int level;
    } cases[] = {{SHIP_NORMAL, SHIP_NORMAL, 1}, {SHIP_HEAVY, SHIP_NORMAL, 5}, {SHIP_NORMAL, SHIP_HEAVY, 4}};
    for (const auto& k : cases) {
        startDeathMatch(MatchSettings::Stock, 3);
        GameCore& c = core();
        auto grind = record(c.soundBank.grind);
        c.chainCap = 1;
        c.players[0].setShipType(k.typeI);
        c.players[1].setShipType(k.typeJ);
        c.weaponPoints[0][0]->position.set(0, 0);
        c.weaponPoints[1][0]->position.set(20, 0);
        for (int p = 0; p < 2; ++p)
            for (int i = 1; i < 12; ++i) c.weaponPoints[p][i]->position.set(5000.0f + 100 * i + 2000 * p, 0);
        c.sparks.clear();
        c.paused = false;
        c.frameTime = 0;
        c.updateMultiplayer();
        EXPECT_NEAR(grind->volume, std::pow(k.level / 30.0f, 0.75f), 1e-5f) << k.typeI << k.typeJ;
        ASSERT_EQ(c.sparks.size(), 1u);
        EXPECT_EQ(c.sparks[0].life, 13);
        restart();
    }
}
