#include <gtest/gtest.h>

#include <algorithm>

#include "ProgressTestSupport.h"

using namespace progress_test;

TEST(StatsTrackerTest, AnUnknownNameWarnsAndItsRecordGoesNowhere) {
    SteamTrackers t(true);
    EXPECT_EQ(quietly([&] { t.stats.record("foe_kilz").bump(); }), "[StatsTracker:warning] no stat named \"foe_kilz\"\n");
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
    t.stats.record("global_rocks_smashed").bump();
    t.stats.record("global_arcade_deaths").raise(2);
    t.stats.record("pause_count").bump();
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 2; }));
    t.stats.toggleGlobalStats();  // off: counted, not sent; on again: only what comes after
    EXPECT_FALSE(t.stats.record("global_foes_killed").sendingEnabled);
    t.stats.record("global_foes_killed").bump();
    t.stats.startGlobalStatGetters();
    t.stats.toggleGlobalStats();
    t.stats.record("global_foes_killed").bump();
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 3; }));
    Lines sent;  // each stat has its own worker: the first two may arrive in either order
    for (const std::string& l : server.requests()) sent.push_back(l.substr(l.find("name="), l.find("&ver") - l.find("name=")));
    std::sort(sent.begin(), sent.begin() + 2);
    EXPECT_EQ(sent, (Lines{"name=global_arcade_deaths&value=2", "name=global_rocks_smashed&value=1",
                           "name=global_foes_killed&value=1"}));
    EXPECT_TRUE(SteamLayer::takeCalls().empty() && t.stats.record("global_foes_killed").value == 2.0f);
}
