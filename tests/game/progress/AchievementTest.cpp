#include <gtest/gtest.h>

#include "ProgressTestSupport.h"
#include "ofMath.h"

using namespace progress_test;

TEST(AchievementTest, ThresholdsAwardWhenReachedOrPassedAndEachOnlyOnce) {
    typedef std::function<void(AchievementTracker&, float)> Check;
    // a check, a value just short of its threshold (no award; -1: none tried), one that reaches it and its awards
    const struct {
        Check check;
        float below, at;
        Lines names;
    } cases[] = {
        {[](AchievementTracker& a, float v) { a.checkScore(int(v), 1, 5); }, 999, 1000, {"score_easy"}},
        {[](AchievementTracker& a, float v) { a.checkScore(int(v), 2, 0); }, -1, 4999, {"score_hard"}},
        {[](AchievementTracker& a, float v) { a.checkScore(int(v), 4, 0); }, -1, 5000,
         {"score_asteroid", "score_asteroid_high"}},
        {[](AchievementTracker& a, float v) { a.checkScore(int(v), 3, 0); }, 90000, -1, {}},
        {[](AchievementTracker& a, float v) { a.checkCoopScore(int(v), 2); }, 2999, 3000, {"coop_score_hard"}},
        {[](AchievementTracker& a, float v) { a.checkCoopScore(int(v), 5); }, 3000, -1, {}},
        {[](AchievementTracker& a, float v) { a.checkTeamPacifist(v); }, 119.9f, 120, {"team_pacifist"}},
        {[](AchievementTracker& a, float v) { a.checkCoopRevives(int(v)); }, 14, 15, {"coop_revive_one_round"}},
        {[](AchievementTracker& a, float v) { a.checkTotalKills(int(v)); }, 9999, 10001, {"total_kills"}},
        {[](AchievementTracker& a, float v) { a.checkTotalDeaths(int(v)); }, 4999, 5000, {"total_deaths"}},
        {[](AchievementTracker& a, float v) { a.checkDeathmatchKills(int(v)); }, 999, 1000, {"deathmatch_kill"}},
        {[](AchievementTracker& a, float v) { a.checkXmlEdit(int(v)); }, 0, -3, {"xml_edit"}},
        {[](AchievementTracker& a, float) { a.awardKilledBySnitch(); }, -1, 0, {"killed_by_snitch"}},
        {[](AchievementTracker& a, float) { a.awardLoopHardMusic(); }, -1, 0, {"loop_hard_music"}},
        {[](AchievementTracker& a, float) { a.awardPerfectCreditsRun(); }, -1, 0, {"perfect_credits_run"}},
    };
    for (const auto& c : cases) {
        SteamTrackers t(true);
        if (c.below != -1) c.check(t.achievements, c.below);
        EXPECT_TRUE(SteamLayer::takeCalls().empty()) << c.names.size() << " " << c.below;
        if (c.at == -1 && c.names.empty()) continue;
        c.check(t.achievements, c.at);
        Lines expected;
        for (const std::string& name : c.names) expected.push_back("SetAchievement " + name);
        EXPECT_EQ(SteamLayer::takeCalls(), expected);
        c.check(t.achievements, c.at);
        EXPECT_TRUE(SteamLayer::takeCalls().empty()) << c.at << " set twice";
    }
    SteamTrackers t(true);  // a co-op round already marked failed earns nothing
    t.achievements.teamPacifistFailed = true;
    t.achievements.checkTeamPacifist(500);
    EXPECT_TRUE(SteamLayer::takeCalls().empty());
}

TEST(AchievementTest, NothingIsSetBeforeTheStatsArriveOrWithoutSteam) {
    for (bool steam : {false, true}) {
        SteamTrackers t(steam, false);
        t.achievements.checkTotalKills(20000);
        t.achievements.awardUnlockedAll();
        t.stats.record("foe_kills").bump();
        EXPECT_FALSE(t.achievements.wrapper.uploadScore(10, 1, false, {0}));
        t.achievements.wrapper.storeStats();
        EXPECT_TRUE(SteamLayer::takeCalls().empty()) << steam;
        EXPECT_FALSE(t.achievements.awarded("total_kills"));
    }
    SteamTrackers late(true, false);
    EXPECT_TRUE(late.achievements.wrapper.requestPending);
    SteamAPI_RunCallbacks();
    EXPECT_TRUE(late.achievements.wrapper.ready && !late.achievements.wrapper.requestPending);
    SteamLayer::takeCalls();
    late.achievements.checkTotalKills(20000);
    EXPECT_EQ(SteamLayer::takeCalls(), (Lines{"SetAchievement total_kills"}));
}

TEST(AchievementTest, TheRareAwardFrameAndRollFollowTheRandomNumbers) {
    StatsTracker stats;
    AchievementTracker a;
    ofSeedRandom(7);
    a.setup(stats);
    ofSeedRandom(7);
    EXPECT_EQ(a.earnThisFrame, 1800 + static_cast<int>(ofRandom(52200)));

    SteamTrackers t(true);
    // Seeds whose first draw of 100 is 0 (the award) and is not.
    int hit = -1, miss = -1;
    for (int seed = 0; seed < 2000 && (hit < 0 || miss < 0); ++seed) {
        ofSeedRandom(seed);
        (static_cast<int>(ofRandom(100)) == 0 ? hit : miss) = seed;
    }
    ASSERT_GE(hit, 0);
    ofSeedRandom(miss);
    t.achievements.rollEarnThis();
    EXPECT_TRUE(SteamLayer::takeCalls().empty());
    ofSeedRandom(hit);
    t.achievements.rollEarnThis();
    EXPECT_EQ(SteamLayer::takeCalls(), (Lines{"SetAchievement earn_this"}));
    ofSeedRandom(hit);
    t.achievements.rollEarnThis();  // once only
    EXPECT_TRUE(SteamLayer::takeCalls().empty());
}

TEST(AchievementTest, ScoresGoToTheBoardOfTheModeKeepingTheBest) {
    SteamTrackers t(true);
    AchievementAndStatsWrapper& w = t.achievements.wrapper;
    EXPECT_TRUE(w.uploadScore(500, 2, true, {1, 2}));
    EXPECT_TRUE(w.uploadScore(700, 1, false, {3}));
    EXPECT_FALSE(w.uploadScore(700, 3, false, {3}));
    EXPECT_EQ(SteamLayer::takeCalls(), (Lines{"FindLeaderboard arcade_hard_coop", "FindLeaderboard arcade_easy"}));
    SteamAPI_RunCallbacks();
    EXPECT_EQ(SteamLayer::takeCalls(),
              (Lines{"SteamAPI_RunCallbacks()", "UploadLeaderboardScore arcade_hard_coop 500 1,2",
                     "UploadLeaderboardScore arcade_easy 700 3"}));
    EXPECT_TRUE(w.uploadScore(300, 2, true, {4, 5}));
    EXPECT_TRUE(w.uploadScore(900, 4, false, {8}));
    SteamAPI_RunCallbacks();
    const Lines calls = SteamLayer::takeCalls();
    EXPECT_TRUE(calls.front() == "UploadLeaderboardScore arcade_hard_coop 300 4,5" &&
                std::count(calls.begin(), calls.end(), "UploadLeaderboardScore arcade_asteroid 900 8") == 1);
    int score = 0;
    std::vector<int> details;
    ASSERT_TRUE(SteamLayer::boardEntry("arcade_hard_coop", score, details));
    EXPECT_TRUE(score == 500 && details == (std::vector<int>{1, 2}));  // the lower score does not replace it
}

TEST(AchievementTest, ReadingBackKeepsTheLargerValueAndClearsTheArrivalMark) {
    SteamTrackers t(true);
    SteamLayer::seedStat("foe_kills", 50);
    SteamLayer::seedStat("player_deaths", 2);
    SteamLayer::seedStat("time_in_game", 100.5f);
    t.stats.record("player_deaths").value = 9;
    t.stats.record("time_in_game").value = 10;
    ASSERT_TRUE(t.achievements.wrapper.statsReceived);
    t.stats.readBackFromSteam();
    EXPECT_EQ((std::vector<float>{t.stats.record("foe_kills").value, t.stats.record("player_deaths").value,
                                  t.stats.record("time_in_game").value}),
              (std::vector<float>{50, 9, 100.5f}));
    EXPECT_FALSE(t.achievements.wrapper.statsReceived || t.stats.busy);
}
