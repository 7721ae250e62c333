#include <gtest/gtest.h>

#include <algorithm>

#include "ProgressTestSupport.h"

using namespace progress_test;

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
    // A total past int's range (the player file takes up to 3e38) is held at its top.
    t.stats.record("foe_kills").raise(3e38f);
    EXPECT_EQ(SteamLayer::takeCalls(), Lines{"SetStat foe_kills 2.14748365e+09"});
}

TEST(StatsTrackerTest, WithoutSteamGlobalsSendEachIncrementToTheServerWhileSendingIsOn) {
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
    t.stats.toggleGlobalStats();  // off: counted, not sent; on again: only what comes after
    EXPECT_FALSE(t.stats.record("global_foes_killed").sendingEnabled);
    t.stats.record("global_foes_killed").bump();
    t.stats.startGlobalStatGetters();
    t.stats.toggleGlobalStats();
    t.stats.record("global_foes_killed").bump();
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 5; }));
    std::string sent;
    for (const std::string& line : server.requests()) {
        const size_t from = line.find("name=");
        sent += line.substr(from, line.find("&version") - from) + "|";
    }
    EXPECT_EQ(sent, "name=global_rocks_smashed&value=1|name=global_rocks_smashed&value=1|"
                    "name=global_rocks_smashed&value=1|name=global_arcade_deaths&value=2|"
                    "name=global_foes_killed&value=1|");
    EXPECT_TRUE(SteamLayer::takeCalls().empty() && t.stats.record("global_foes_killed").value == 2.0f);
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
