#include <gtest/gtest.h>

#include <cmath>

#include "CoreFixture.h"

// The death-match clock and the match stats, as the texts they draw.
class Screens : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        core().deathMatch = true;
        core().players[0].joined = core().players[1].joined = true;
        core().playerCount = 2;
    }
};

TEST_F(Screens, TheMatchClockCountsDownBeepsEachOfItsLastSecondsAndEndsInSuddenDeath) {
    GameCore& c = core();
    c.matchSettings.matchType = MatchSettings::Time;
    c.matchSettings.minutes = 2;
    c.playTime = 45;
    EXPECT_EQ(textsOf([&] { c.drawDeathMatchHud(); }), (std::vector<std::string>{"0", "1", "1", "5", ":"}));
    auto beep = record(c.soundBank.menuBeep);
    c.frameTime = 0.5f;
    for (c.playTime = 105.5f; c.playTime < 119.9f; c.playTime += 0.5f) c.drawDeathMatchHud();
    EXPECT_EQ(beep->plays, 9);
    c.playTime = 121;
    EXPECT_EQ(textsOf([&] { c.drawDeathMatchHud(); }), (std::vector<std::string>{"SUDDEN DEATH"}));
}

// No speed samples (the average is NaN) read 0; no kills leave "Most Targetted" empty.
TEST_F(Screens, MatchStatsWithoutSamplesOrKillsShowPlainZerosAndNoTarget) {
    GameCore& c = core();
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
