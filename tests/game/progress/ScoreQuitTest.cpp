#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "GameCore.h"
#include "ProgressTestSupport.h"

using namespace progress_test;

// The player quits while every kind of score and stat request hangs on a
// server that takes them and never answers: a score being sent, one retired
// by the next round and still going, two table loads, the four world totals
// and a counter's increment.
TEST(ScoreQuitTest, QuittingEndsEveryHangingRequestAtOnceAndJoinsItsWorker) {
    LoopbackHttpServer server([](const std::string&) { return ok("success\n"); });
    server.holding = true;
    ScoreServer s;
    s.address = server.base;
    s.timeoutMillis = 60000;  // only a cancel can end them within the test's bound
    auto core = std::make_unique<GameCore>();
    core->achievementTracker.setup(core->statsTracker);
    core->statsTracker.setServer(s);
    core->scoreSubmitOverlay.setServer(s);
    core->leaderboardScreen.setServer(s);
    core->scoreSubmitOverlay.playerName = "ZED";
    long long quitMillis = -1;
    const std::string log = quietly([&] {
        core->statsTracker.startGlobalStatGetters();
        core->statsTracker.record("global_foes_killed").bump();
        for (int round = 0; round < 2; ++round) {
            core->scoreSubmitOverlay.reset();
            core->scoreSubmitOverlay.open(1500 + round, 2, {3}, false);
            core->scoreSubmitOverlay.submit(true);
            core->leaderboardScreen.open(false, round == 1);
        }
        ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
        const auto start = std::chrono::steady_clock::now();
        core.reset();
        quitMillis =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    });
    // A request's own time-out would take a minute; a loaded machine still
    // shuts sockets and joins threads in far less than this.
    EXPECT_TRUE(quitMillis >= 0 && quitMillis < 15000) << quitMillis;
    EXPECT_EQ(log, "") << "quitting is no failure to report";
    RecordProperty("quit_millis", static_cast<int>(quitMillis));
}
