#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "DrawTestSupport.h"
#include "RoundsFixture.h"

// The lobby, the settings page, the level select, the death-match HUD and the
// awards and match stats screens, as drawing calls at 960 by 960.
class Screens : public RoundsFixture {
protected:
    void SetUp() override {
        RoundsFixture::SetUp();
        setUpApp();
        GameCore& c = core();
        c.splashActive = false;
        c.backgroundTiles = false;
        c.menuTime = 5;
        c.padCount = 4;
        for (float& t : c.lifeClock) t = 10;
    }
    Calls left(const std::string& s, float size, float x, float y) { return textCalls(core().font, s, size, x, y); }
    Calls on(const std::string& s, float size, float x, float y) { return centredCalls(core().font, s, size, x, y); }
    Calls at(const std::string& s, float size, float x, float y) { return centredXCalls(core().font, s, size, x, y); }
    static std::string circle(float x, float y) { return "drawCircle(" + num(x) + "," + num(y) + ",0,20)"; }
};

TEST_F(Screens, LobbyRuleSentencesCursorsAndTheCoopFace) {
    GameCore& c = core();
    c.deathMatch = true;
    c.gameState = GameState::MultiplayerLobby;
    for (int i = 0; i < 2; ++i) {
        c.players[i].joined = true;
        c.players[i].lobbyReady = true;
        c.players[i].lobbyRow = 1;
    }
    c.playerCount = 2;
    const struct {
        int type, value, minutes;
        const char* rule;
    } rules[] = {
        {MatchSettings::Stock, 1, 2, "Each player will have 1 life"},
        {MatchSettings::Stock, 4, 2, "Each player will have 4 lives"},
        {MatchSettings::Score, 1, 2, "Score 1 kill to win"},
        {MatchSettings::Time, 7, 3, "High score after 3 min wins"},
    };
    for (const auto& k : rules) {
        c.matchSettings.matchType = k.type;
        c.matchSettings.value = k.value;
        c.matchSettings.minutes = k.minutes;
        Calls calls = callsOf([&] { c.drawLobby(); });
        EXPECT_GE(indexOf(calls, rectCall(720, 276, 204, 408)), 0);
        EXPECT_GE(findRun(calls, left(k.rule, 3, 60, 900)), 0) << k.rule;
    }
    // Item "Start" at x0 + 672 = 708; slot 1's arrows sit 13 further out than slot 0's.
    Calls calls = callsOf([&] { c.drawLobby(); });
    const int a0 = findRun(calls, on("<", 6.5f, 578, 876));
    const int a1 = findRun(calls, on("<", 6.5f, 565, 876), a0);
    EXPECT_GE(a0, 0);
    EXPECT_GT(findRun(calls, on(">", 6.5f, 851, 876), a1), a1);
    EXPECT_GE(findRun(calls, on("Start", 6.5f, 708, 876)), 0);

    c.deathMatch = false;
    c.coop = true;
    calls = callsOf([&] { c.drawLobby(); });
    EXPECT_GE(findRun(calls, on("Start", 6.5f, 480, 828)), 0);
    EXPECT_LT(findRun(calls, on("Switch Mode", 6.5f, 708, 780)), 0);
    EXPECT_LT(findRun(calls, left("Each player will have 1 life", 3, 60, 900)), 0);
}

TEST_F(Screens, HudCirclesMarkersAndBlinking) {
    GameCore& c = core();
    c.deathMatch = true;
    c.playerCount = 3;
    for (int i = 0; i < 3; ++i) c.players[i].joined = true;
    c.matchSettings.matchType = MatchSettings::Stock;
    c.matchSettings.value = 5;
    c.players[0].lives = 3;
    c.players[1].lives = 1;
    for (int frame : {7, 14}) {
        ofFixFrameNum(frame);
        Calls calls = callsOf([&] { c.drawDeathMatchHud(); });
        EXPECT_EQ(countOf(calls, circle(140, 40)), 2);
        EXPECT_EQ(countOf(calls, circle(190, 40)), 1);
        EXPECT_EQ(countOf(calls, circle(920, 40)), frame == 7 ? 2 : 1);
        EXPECT_EQ(countOf(calls, circle(920, 240)), 1);
    }
    EXPECT_EQ(c.hudMarkers[0], ofVec2f(140, 40));
    EXPECT_EQ(c.hudMarkers[1], ofVec2f(920, 40));

    c.matchSettings.matchType = MatchSettings::Score;
    c.matchSettings.value = 10;
    c.players[2].score = 9;
    c.players[2].frozen = true;
    ofFixFrameNum(7);
    Calls calls = callsOf([&] { c.drawDeathMatchHud(); });
    EXPECT_EQ(countOf(calls, circle(40, 520)), 2);
    EXPECT_EQ(countOf(calls, circle(40, 470)), 1);
    EXPECT_EQ(c.hudMarkers[2], ofVec2f(40, 470));
    // A player out of the match keeps faint circles.
    const ofColor& out = c.playerColors[2];
    const std::string faint = "setColor(" + std::to_string(out.r) + "," + std::to_string(out.g) + "," +
                              std::to_string(out.b) + ",100)";
    const int fill = indexOf(calls, faint);
    ASSERT_GE(fill, 0);
    EXPECT_EQ(indexOf(calls, circle(40, 920), fill), fill + 1);
}

TEST_F(Screens, HudClockDigitsPulseAndBeeps) {
    GameCore& c = core();
    c.deathMatch = true;
    c.playerCount = 2;
    c.matchSettings.matchType = MatchSettings::Time;
    c.matchSettings.minutes = 2;
    const float h = c.font.getLineHeight(11) / 2;
    const float originY = static_cast<float>(static_cast<int>(115 - h));
    const struct {
        float playTime;
        const char* digits[4];
        float scale;
    } cases[] = {{45, {"0", "1", "1", "5"}, 1}, {115, {"0", "0", "0", "5"}, 2.5f}};
    for (const auto& k : cases) {
        c.playTime = k.playTime;
        c.frameTime = 0;
        Calls calls = callsOf([&] { c.drawDeathMatchHud(); });
        const int t = indexOf(calls, call3("translate", 480, originY, 0));
        ASSERT_GE(t, 0);
        EXPECT_EQ(calls[t + 1], call3("scale", k.scale, k.scale, 1)) << k.playTime;
        const float xs[4] = {-120, -60, 60, 120};
        int from = t;
        for (int d = 0; d < 4; ++d) {
            from = findRun(calls, at(k.digits[d], 11, xs[d], h), from);
            EXPECT_GE(from, 0) << k.playTime << " digit " << d;
        }
        EXPECT_GE(findRun(calls, at(":", 11, 0, h - 15)), 0);
    }
    auto beep = record(c.soundBank.menuBeep);
    c.frameTime = 0.5f;
    for (c.playTime = 105.5f; c.playTime < 119.9f; c.playTime += 0.5f) callsOf([&] { c.drawDeathMatchHud(); });
    EXPECT_EQ(beep->plays, 9);

    c.playTime = 121;
    Calls calls = callsOf([&] { c.drawDeathMatchHud(); });
    EXPECT_GE(findRun(calls, at("SUDDEN DEATH", 8.5f, 0, h)), 0);
    c.matchOver = true;
    EXPECT_LT(findRun(callsOf([&] { c.drawDeathMatchHud(); }), at("SUDDEN DEATH", 8.5f, 0, h)), 0);
}

TEST_F(Screens, AwardsHeadlineAndIconReveal) {
    GameCore& c = core();
    c.deathMatch = true;
    c.gameState = GameState::RoundOver;
    for (int i = 0; i < 4; ++i) {
        c.players[i].joined = true;
        c.players[i].place = (i + 1) % 4;
        c.players[i].matchStats.reset();
    }
    c.awardReveal = -25;
    c.awardRevealDone = false;
    c.awardsOpened = false;
    c.players[0].matchStats.addKill(1, 3);
    int firstIconFrame = -1;
    for (int frame = 1; frame <= 30 && firstIconFrame < 0; ++frame) {
        Calls calls = callsOf([&] { c.drawMatchAwards(); });
        if (indexOf(calls, call3("scale", 1.25f, -1.25f, 1)) >= 0) firstIconFrame = frame;
        if (frame == 1) {
            EXPECT_GE(findRun(calls, at("Orange Player", 11, 480, 190)), 0);
            EXPECT_GE(findRun(calls, at("Press       to Believe", 6.5f, 480, 910)), 0);
        }
    }
    EXPECT_EQ(firstIconFrame, 28);
    for (PlayerShip& s : c.players) s.place = 2;
    EXPECT_GE(findRun(callsOf([&] { c.drawMatchAwards(); }), at("The Arena", 11, 480, 190)), 0);
}

TEST_F(Screens, MatchStatsScaledAndPlainFiguresWithoutSamples) {
    GameCore& c = core();
    c.gameState = GameState::MatchStats;
    for (PlayerShip& s : c.players) s.matchStats.reset();
    c.players[0].joined = true;
    c.players[1].joined = true;
    c.players[1].matchStats.averageSpeed = std::nanf("");
    c.players[1].matchStats.favouriteVictim = 0;
    c.players[0].matchStats.addKill(1, 2);
    c.players[0].matchStats.favouriteVictim = 1;
    c.players[0].matchStats.pushSample(9.7f, 100, 1);
    c.players[0].matchStats.averageSpeed = 9.7f;
    Calls calls = callsOf([&] { c.drawMatchStats(); });
    EXPECT_GE(indexOf(calls, call3("scale", 0.9375f, 0.9375f, 1)), 0);
    const float x0 = 480 - 118;
    const float x1 = x0 + 168;
    EXPECT_GE(findRun(calls, at("Green", 4, x0, 636)), 0);
    EXPECT_GE(findRun(calls, at("9", 6.5f, x0, 715)), 0);
    EXPECT_GE(findRun(calls, at("0", 6.5f, x1, 715)), 0);
    EXPECT_LT(findRun(calls, at("Blue", 4, x1, 636)), 0);
    EXPECT_GE(indexOf(calls, rectCall(x1 + 168 - 72, 192, 144, 636)), 0);
}
