#include <gtest/gtest.h>

#include <numeric>

#include "GlobalStatSender.h"
#include "ProgressTestSupport.h"

using namespace progress_test;

namespace {

std::vector<long long> sentValues(ScriptedServer& server) {
    std::vector<long long> values;
    for (const std::string& line : server.requests()) {
        const std::size_t at = line.find("value=");
        if (at != std::string::npos) values.push_back(std::stoll(line.substr(at + 6)));
    }
    return values;
}

long long sentSum(ScriptedServer& server) {
    const auto v = sentValues(server);
    return std::accumulate(v.begin(), v.end(), 0LL);
}

}  // namespace

TEST(GlobalStatSenderTest, IncrementsArrivingDuringASlowRequestAllGoWithTheNext) {
    ScriptedServer server([](const std::string&) { return ok("success\n"); });
    GlobalStatSender sender;
    sender.setServer(server.server());
    server.holding = true;
    sender.send("global_foes_killed", 1, 1.0f);
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
    for (int i = 0; i < 4; ++i) sender.send("global_foes_killed", 1, 1.0f);
    EXPECT_EQ(sender.pendingSum(), 4);
    server.holding = false;
    ASSERT_TRUE(waitFor([&] { return sentSum(server) == 5 && sender.pendingSum() == 0 && !sender.isThreadRunning(); }));
    EXPECT_EQ(sentValues(server), (std::vector<long long>{1, 4}));
    EXPECT_EQ(server.requests()[0],
              "GET /extras/vantorix_db/sendglobalstat.php?name=global_foes_killed&value=1&version=1&steam=0 HTTP/1.1");
    sender.send("global_foes_killed", 2, 1.0f);  // a new worker once the last has ended
    ASSERT_TRUE(waitFor([&] { return sentSum(server) == 7; }));
}

TEST(GlobalStatSenderTest, AFailedSumStaysPendingAndGoesOutWithTheNextIncrement) {
    std::atomic<bool> refuse{true};
    ScriptedServer server(
        [&](const std::string&) { return refuse ? httpAnswer("HTTP/1.1 503 Busy", "") : ok("success\n"); });
    GlobalStatSender sender;
    sender.setServer(server.server());
    const std::string log = quietly([&] {
        sender.send("global_arcade_deaths", 3, 1.0f);
        ASSERT_TRUE(waitFor([&] { return !sender.isThreadRunning() && server.requestCount() == 3; }));
    });
    EXPECT_EQ(sentValues(server), (std::vector<long long>{3, 3, 3}));
    EXPECT_NE(log.find("[ScoreServer:warning] sendglobalstat.php failed: status 503"), std::string::npos) << log;
    EXPECT_EQ(sender.pendingSum(), 3);
    refuse = false;
    sender.send("global_arcade_deaths", 2, 1.0f);
    ASSERT_TRUE(waitFor([&] { return sender.pendingSum() == 0 && !sender.isThreadRunning(); }));
    EXPECT_EQ(sentValues(server).back(), 5);
}

TEST(GlobalStatSenderTest, DroppedSumsAreNotSentAndAFailedOneIsNotPutBack) {
    ScriptedServer server([](const std::string&) { return httpAnswer("HTTP/1.1 500 No", ""); });
    GlobalStatSender sender;
    sender.setServer(server.server());
    server.holding = true;
    quietly([&] {
        sender.send("global_foes_killed", 4, 1.0f);
        ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
        sender.send("global_foes_killed", 1, 1.0f);
        sender.dropPending();
        server.holding = false;
        ASSERT_TRUE(waitFor([&] { return !sender.isThreadRunning(); }));
    });
    EXPECT_TRUE(sender.pendingSum() == 0 && server.requestCount() == 1u);
}

TEST(GlobalStatSenderTest, DestructionWhileARequestHangsWaitsNoLongerThanTheTimeout) {
    ScriptedServer server([](const std::string&) { return ok("success\n"); });
    server.holding = true;
    quietly([&] {
        GlobalStatSender sender;
        sender.setServer(server.server(300, 5000));
        sender.send("global_foes_killed", 1, 1.0f);
        ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
    });
    EXPECT_EQ(server.requestCount(), 1u);  // no retry after the wait
    server.holding = false;
}
