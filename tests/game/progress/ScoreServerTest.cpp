#include <gtest/gtest.h>

#include "ProgressTestSupport.h"
#include "ScoreServer.h"

using namespace progress_test;

namespace {

ServerReply ask(ScoreServer& s, const std::string& url, std::string& log) {
    testing::internal::CaptureStdout();
    const ServerReply r = s.request("getscores.php", url);
    log = testing::internal::GetCapturedStdout();
    return r;
}

}  // namespace

TEST(ScoreServerTest, QueriesAreBuiltExactlyAndEncoded) {
    ScoreServer s;
    s.address = "http://h:1";
    EXPECT_EQ(ScoreServer::encode("A&B #1"), "A%26B%20%231");
    EXPECT_EQ(ScoreServer::encode("az-_.~09"), "az-_.~09");
    EXPECT_EQ(ScoreServer::encode("a/b?c=d+\xc3\xa9"), "a%2Fb%3Fc%3Dd%2B%C3%A9");
    EXPECT_EQ(s.sendScoreUrl("A&B #1", 1500, 2, true, {3, 6}, false),
              "http://h:1/extras/vantorix_db/sendscore.php?name=A%26B%20%231&score=1500&mode=2&coop=1&ships=3%2C6"
              "&build=0");
    EXPECT_EQ(s.getScoresUrl(4, false), "http://h:1/extras/vantorix_db/getscores.php?mode=4&coop=0");
    EXPECT_EQ(s.sendGlobalStatUrl("global_foes_killed", 7, 1.0f, "0"),
              "http://h:1/extras/vantorix_db/sendglobalstat.php?name=global_foes_killed&value=7&version=1&steam=0");
    EXPECT_EQ(s.getGlobalStatUrl("global_rocks_smashed", 1.0f),
              "http://h:1/extras/vantorix_db/getglobalstat.php?name=global_rocks_smashed&version=1");
    EXPECT_EQ(ScoreServer::shipList({8}), "8");
    EXPECT_FALSE(ScoreServer().enabled());
}

TEST(ScoreServerTest, OnlyStatus200WithSuccessAsTheFirstLineCounts) {
    struct Case {
        std::string path, reply;
        bool ok;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"/plain", ok("success\n"), true, ""},
        {"/spaced", ok("  success \r\n12\tANN\n"), true, ""},
        {"/unsuccessful", ok("unsuccessful\n"), false, "no success in the reply"},
        {"/html", ok("<html><body>success</body></html>\n"), false, "no success in the reply"},
        {"/later", ok("error\nsuccess\n"), false, "no success in the reply"},
        {"/empty", ok(""), false, "no success in the reply"},
        {"/status500", answer("HTTP/1.1 500 Internal Server Error", "success\n"), false, "status 500"},
        {"/cut", "HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nsuccess\n", false, ""},
        {"/garbage", "\x01\x02 not http at all\r\n\r\n", false, ""},
    };
    ScriptedServer server([&cases](const std::string& line) {
        for (const Case& c : cases)
            if (line.find(c.path + " ") != std::string::npos) return c.reply;
        return ok("success\n");
    });
    ScoreServer s = server.server();
    for (const Case& c : cases) {
        std::string log;
        const ServerReply r = ask(s, server.base + c.path, log);
        EXPECT_EQ(r.ok, c.ok) << c.path;
        if (c.ok) {
            EXPECT_EQ(log, "") << c.path;
        } else {
            EXPECT_EQ(log.rfind("[ScoreServer:warning] getscores.php failed: ", 0), 0u) << c.path << " " << log;
            EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << c.path;
            if (!c.reason.empty()) {
                EXPECT_NE(log.find(c.reason), std::string::npos) << log;
            }
        }
    }
    std::string log;
    EXPECT_EQ(ask(s, server.base + "/spaced", log).lines, (std::vector<std::string>{"12\tANN"}));
}

TEST(ScoreServerTest, RefusedAndSilentServersFailWithOneWarningEach) {
    ScoreServer refused = refusingServer();
    std::string log;
    EXPECT_FALSE(ask(refused, refused.getScoresUrl(1, false), log).ok);
    EXPECT_EQ(log.rfind("[ScoreServer:warning] getscores.php failed: ", 0), 0u) << log;

    ScriptedServer silent([](const std::string&) { return ok("success\n"); });
    silent.holding = true;
    ScoreServer s = silent.server(150);
    EXPECT_FALSE(ask(s, silent.base + "/x", log).ok);
    EXPECT_EQ(log.rfind("[ScoreServer:warning] getscores.php failed: ", 0), 0u) << log;
    silent.holding = false;
}

TEST(ScoreServerTest, RetriesUpToTheLimitAndStopsEarlyWhenAsked) {
    int calls = 0;
    ScriptedServer server([&calls](const std::string&) { return ++calls < 3 ? ok("nope\n") : ok("success\n"); });
    ScoreServer s = server.server();
    testing::internal::CaptureStdout();
    EXPECT_TRUE(s.requestWithRetries("sendscore.php", server.base + "/a", 3, [] { return false; }).ok);
    EXPECT_EQ(server.requestCount(), 3u);
    calls = -10;
    EXPECT_FALSE(s.requestWithRetries("sendscore.php", server.base + "/b", 3, [] { return false; }).ok);
    EXPECT_EQ(server.requestCount(), 6u);
    EXPECT_FALSE(s.requestWithRetries("sendscore.php", server.base + "/c", 3, [] { return true; }).ok);
    EXPECT_EQ(server.requestCount(), 6u);
    testing::internal::GetCapturedStdout();
}

TEST(ScoreServerTest, ScoreRowsAndTotalsAreParsedStrictly) {
    testing::internal::CaptureStdout();
    const std::vector<ScoreEntry> rows =
        ScoreServer::parseScores({"900\tZED", "x\tBAD", "800 NO TAB", "", "-5\tNEG", "700\tA B\tC", "99999999999\tBIG"});
    const std::string log = testing::internal::GetCapturedStdout();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].score, 900);
    EXPECT_EQ(rows[0].name, "ZED");
    EXPECT_EQ(rows[1].score, 700);
    EXPECT_EQ(rows[1].name, "A B\tC");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4) << log;
    EXPECT_NE(log.find("skipped a bad row \"x\tBAD\""), std::string::npos);

    std::vector<std::string> many;
    for (int i = 0; i < 150; ++i) many.push_back(std::to_string(1000 - i) + "\tP");
    EXPECT_EQ(ScoreServer::parseScores(many).size(), 100u);

    long long total = -1;
    EXPECT_TRUE(ScoreServer::parseTotal({" 123456789012 "}, total));
    EXPECT_EQ(total, 123456789012LL);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(ScoreServer::parseTotal({"12abc"}, total));
    EXPECT_FALSE(ScoreServer::parseTotal({}, total));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(total, 123456789012LL);
}
