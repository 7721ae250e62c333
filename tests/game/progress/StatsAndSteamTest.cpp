#include <gtest/gtest.h>

#include <algorithm>

#include "ProgressTestSupport.h"

using namespace progress_test;


TEST(StatsTrackerTest, EveryCounterExistsByItsExactNameAndTimesAreFloats) {
    StatsTracker stats;
    AchievementTracker achievements;
    achievements.setup(stats);
    EXPECT_EQ(stats.order.size(), 123u);
    for (const char* name : {"foe_Kills_type_6", "x10_kills", "player_deaths_dif_5", "num_arcade_rounds_played_dif_0",
                             "rounds_with_ship_8", "killed_by_foe_6", "deathmatch_rounds_type_2",
                             "deathmatch_rounds_map_4", "deathmatch_rounds_with_ship_8", "coop_kill_type_6",
                             "coop_rounds_with_ship_0", "pause_count", "coop_revives", "global_rocks_smashed"}) {
        ASSERT_TRUE(stats.has(name)) << name;
        EXPECT_TRUE(stats.record(name).isInt) << name;
    }
    for (const char* name : {"time_in_game", "time_in_game_dif_5", "time_with_ship_8", "deathmatch_time",
                             "deathmatch_time_with_ship_0", "time_in_coop", "coop_time_with_ship_8"})
        EXPECT_FALSE(stats.record(name).isInt) << name;
    EXPECT_FALSE(stats.has("foe_kills_type_0"));
    EXPECT_EQ(stats.globalNames, (Lines{"global_arcade_deaths", "global_deathmatch_deaths", "global_foes_killed",
                                        "global_rocks_smashed"}));
    for (const Lines& link : {Lines{"global_arcade_deaths", "player_deaths"},
                              Lines{"global_deathmatch_deaths", "deathmatch_deaths"}, Lines{"global_foes_killed", "foe_kills"},
                              Lines{"global_rocks_smashed", "asteroid_smashes"}}) {
        const StatRecord& r = stats.record(link[0]);
        EXPECT_TRUE(r.isGlobal && r.sender != nullptr);
        EXPECT_EQ(r.version, 1.0f);
        EXPECT_EQ(r.steamRecord, &stats.record(link[1]));
    }
}

TEST(StatsTrackerTest, AnUnknownNameWarnsAndItsRecordGoesNowhere) {
    SteamTrackers t(true);
    testing::internal::CaptureStdout();
    StatRecord& r = t.stats.record("foe_kilz");
    r.bump();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "[StatsTracker:warning] no stat named \"foe_kilz\"\n");
    EXPECT_FALSE(t.stats.has("foe_kilz"));
    EXPECT_TRUE(SteamLayer::takeCalls().empty());
}

TEST(StatsTrackerTest, PlainCountersSendTheirTotalAndGlobalsTheLinkedTotalToSteam) {
    SteamTrackers t(true);
    ASSERT_TRUE(t.achievements.wrapper.ready);
    for (int i = 0; i < 3; ++i) t.stats.record("pause_count").bump();
    t.stats.record("time_in_game").raise(3723.25f);
    t.stats.record("foe_kills").raise(40);
    for (int i = 0; i < 3; ++i) t.stats.record("global_foes_killed").bump();
    EXPECT_EQ(SteamLayer::takeCalls(),
              (Lines{"SetStat pause_count 1", "SetStat pause_count 2", "SetStat pause_count 3",
                     "SetStat time_in_game 3723.25", "SetStat foe_kills 40", "SetStat global_foes_killed 40",
                     "SetStat global_foes_killed 40", "SetStat global_foes_killed 40"}));
    EXPECT_EQ(t.stats.record("global_foes_killed").value, 3.0f);
    EXPECT_EQ(SteamLayer::statValue("time_in_game"), 3723.25f);
}

TEST(StatsTrackerTest, WithoutSteamGlobalsSendEachIncrementToTheServer) {
    ScriptedServer server([](const std::string&) { return ok("success\n"); });
    SteamTrackers t(false);
    t.stats.setServer(server.server());
    for (int i = 0; i < 3; ++i) {
        t.stats.record("global_rocks_smashed").bump();
        ASSERT_TRUE(waitFor([&] { return server.requestCount() == static_cast<std::size_t>(i + 1); }));
    }
    t.stats.record("global_arcade_deaths").raise(2);
    t.stats.record("pause_count").bump();
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 4; }));
    const Lines lines = server.requests();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(i)],
                  "GET /extras/vantorix_db/sendglobalstat.php?name=global_rocks_smashed&value=1&version=1&steam=0 "
                  "HTTP/1.1");
    EXPECT_NE(lines[3].find("name=global_arcade_deaths&value=2&"), std::string::npos);
    EXPECT_TRUE(SteamLayer::takeCalls().empty());
}

TEST(StatsTrackerTest, TogglingOffStopsSendingAndOnStartsAgain) {
    ScriptedServer server([](const std::string&) { return ok("success\n"); });
    SteamTrackers t(false);
    t.stats.setServer(server.server());
    EXPECT_TRUE(t.stats.sendGlobalStats);
    t.stats.toggleGlobalStats();
    EXPECT_FALSE(t.stats.record("global_foes_killed").sendingEnabled);
    t.stats.record("global_foes_killed").bump();
    t.stats.startGlobalStatGetters();
    t.stats.toggleGlobalStats();
    t.stats.record("global_foes_killed").bump();
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
    EXPECT_NE(server.requests()[0].find("value=1&"), std::string::npos);
    EXPECT_EQ(t.stats.record("global_foes_killed").value, 2.0f);
}

TEST(StatsTrackerTest, GettersFetchTheFourTotalsOnlyWhileSendingIsOnAndAnAddressIsSet) {
    ScriptedServer server([](const std::string& line) {
        if (line.find("global_foes_killed") != std::string::npos) return ok("success\n98765\n");
        if (line.find("global_rocks_smashed") != std::string::npos) return ok("success\nlots\n");
        return ok("failure\n");
    });
    SteamTrackers t(false);
    t.stats.startGlobalStatGetters();
    EXPECT_EQ(t.stats.globalTotal("global_foes_killed"), -1);
    t.stats.setServer(server.server());
    testing::internal::CaptureStdout();
    t.stats.startGlobalStatGetters();
    ASSERT_TRUE(waitFor([&] { return t.stats.globalTotal("global_foes_killed") == 98765; }));
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1 + 1 + 3 + 3; }));
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("getglobalstat.php failed: no whole number in the reply"), std::string::npos) << log;
    EXPECT_EQ(t.stats.globalTotal("global_rocks_smashed"), -1);
}
