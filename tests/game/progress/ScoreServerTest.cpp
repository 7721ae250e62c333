#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "GlobalStatGetter.h"
#include "ProgressTestSupport.h"
#include "ScoreServer.h"

using namespace progress_test;

namespace {

ServerReply ask(ScoreServer& s, const std::string& url, std::string& log) {
    ServerReply r;
    log = quietly([&] { r = s.request("getscores.php", url); });
    return r;
}

}  // namespace

TEST(ScoreServerTest, QueriesAreBuiltExactlyAndEncoded) {
    ScoreServer s;
    s.address = "http://h:1";
    EXPECT_EQ(ScoreServer::encode("a/b?c=d+\xc3\xa9 #&az-_.~09"), "a%2Fb%3Fc%3Dd%2B%C3%A9%20%23%26az-_.~09");
    const std::string db = "http://h:1/extras/vantorix_db/";
    EXPECT_EQ((Lines{s.sendScoreUrl("A&B #1", 1500, 2, true, {3, 6}, false), s.getScoresUrl(4, false),
                     s.getGlobalStatUrl("global_rocks_smashed", 1.0f), ScoreServer::shipList({8})}),
              (Lines{db + "sendscore.php?name=A%26B%20%231&score=1500&mode=2&coop=1&ships=3%2C6&build=0",
                     db + "getscores.php?mode=4&coop=0", db + "getglobalstat.php?name=global_rocks_smashed&version=1",
                     "8"}));
    EXPECT_FALSE(ScoreServer().enabled());
}

TEST(ScoreServerTest, OnlyStatus200WithSuccessAsTheFirstLineCounts) {
    const struct Case {
        std::string path, reply;
        bool ok;
        std::string reason;
    } cases[] = {
        {"/plain", ok("success\n"), true, ""},
        {"/spaced", ok(std::string("  success \r\n12\tANN\n9\tA\0B\n8\tOK\n", 30)), true, ""},
        {"/unsuccessful", ok("unsuccessful\n"), false, "no success in the reply"},
        {"/later", ok("error\nsuccess\n"), false, "no success in the reply"},
        {"/empty", ok(""), false, "no success in the reply"},
        {"/status500", httpAnswer("HTTP/1.1 500 Internal Server Error", "success\n"), false, "status 500"},
        {"/cut", "HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nsuccess\n", false, ""},
        {"/garbage", "\x01\x02 not http at all\r\n\r\n", false, ""},
        {"/big", ok("success\n" + std::string(ScoreServer::maxReplySize, 'x')), false, "body larger than 65536 bytes"},
    };
    ScriptedServer server([&cases](const std::string& line) {
        for (const Case& c : cases)
            if (line.find(c.path + " ") != std::string::npos) return c.reply;
        return ok("success\n");
    });
    ScoreServer s = server.server();
    std::string log;
    for (const Case& c : cases) {
        EXPECT_EQ(ask(s, server.base + c.path, log).ok, c.ok) << c.path;
        if (c.ok) {
            EXPECT_EQ(log, "") << c.path;
            continue;
        }
        EXPECT_EQ(log.rfind("[ScoreServer:warning] getscores.php failed: ", 0), 0u) << c.path << " " << log;
        EXPECT_TRUE(std::count(log.begin(), log.end(), '\n') == 1 && log.find(c.reason) != std::string::npos) << log;
    }
    // Every byte is read: a zero byte spoils only its own row.
    EXPECT_EQ(ask(s, server.base + "/spaced", log).lines, (Lines{"12\tANN", std::string("9\tA\0B", 5), "8\tOK"}));
    // Refused and silent servers fail the same way.
    ScoreServer refused = refusingServer();
    server.holding = true;
    ScoreServer silent = server.server(150);
    for (ScoreServer* dead : {&refused, &silent}) {
        EXPECT_FALSE(ask(*dead, dead->getScoresUrl(1, false), log).ok);
        EXPECT_EQ(log.rfind("[ScoreServer:warning] getscores.php failed: ", 0), 0u) << log;
    }
    server.holding = false;
}

TEST(ScoreServerTest, RetriesUpToTheLimitAndStopsEarlyWhenAsked) {
    int calls = 0;
    ScriptedServer server([&calls](const std::string&) { return ++calls < 3 ? ok("nope\n") : ok("success\n"); });
    ScoreServer s = server.server();
    const auto tries = [&](bool stop) {
        bool sent = false;
        quietly([&] { sent = s.requestWithRetries("sendscore.php", server.base + "/a", 3, [stop] { return stop; }).ok; });
        return std::to_string(sent) + std::to_string(server.requestCount());
    };
    EXPECT_EQ(tries(false), "13");
    calls = -10;
    EXPECT_EQ(tries(false), "06");
    EXPECT_EQ(tries(true), "06");
}

TEST(ScoreServerTest, ScoreRowsAndTotalsAreParsedStrictly) {
    // Names follow the game's own rule: printable, at most 12 characters.
    std::vector<std::string> lines = {"900\tZED",        std::string("400\tN\0\x1b[2J", 10), "x\tBAD",
                                      "800 NO TAB",       "",                 "-5\tNEG",
                                      "700\tA B\tC",      "99999999999\tBIG", "600\tTWELVE CHARS",
                                      "500\tTHIRTEEN CHRS"};
    std::vector<ScoreEntry> rows;
    const std::string log = quietly([&] { rows = ScoreServer::parseScores(lines); });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(std::to_string(rows[0].score) + rows[0].name + std::to_string(rows[1].score) + rows[1].name,
              "900ZED600TWELVE CHARS");
    // Five bad rows are shown, the other two counted.
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6) << log;
    EXPECT_NE(log.find("skipped a bad row \"400\\x09N\\x00\\x1B[2J\""), std::string::npos) << log;
    lines.clear();
    for (int i = 0; i < 150; ++i) lines.push_back(std::to_string(1000 - i) + "\tP");
    EXPECT_EQ(ScoreServer::parseScores(lines).size(), 100u);

    long long total = -1;
    EXPECT_TRUE(ScoreServer::parseTotal({" 123456789012 "}, total));
    quietly([&] { EXPECT_FALSE(ScoreServer::parseTotal({"12abc"}, total) || ScoreServer::parseTotal({}, total)); });
    EXPECT_EQ(total, 123456789012LL);
}

TEST(ScoreServerTest, FourEndlessRepliesAtOnceStayWithinTensOfMegabytes) {
    const auto peakKb = [] {
        std::ifstream status("/proc/self/status");
        std::string key;
        long kb = 0;
        while (status >> key && key != "VmHWM:") {}
        return status >> kb, kb;
    };
    // Announced as too long, running to the close, and one endless chunk.
    const std::string heads[] = {"Content-Length: 41943040\r\n\r\n", "\r\n",
                                 "Transfer-Encoding: chunked\r\n\r\nFFFFFFFF\r\n"};
    std::deque<ScriptedServer> servers;
    GlobalStatGetter getters[4];
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
    const long before = peakKb();
    testing::internal::CaptureStdout();
    for (int i = 0; i < 4; ++i) {
        servers.emplace_back([&, i](const std::string&) { return "HTTP/1.1 200 OK\r\n" + heads[i % 3] + "success\n"; })
            .padBytes = 40 << 20;
        ScoreServer s = servers.back().server();
        s.attempts = 1;
        getters[i].fetch(s, "global_foes_killed", 1);
    }
    EXPECT_TRUE(waitFor([&] { return std::none_of(getters, getters + 4, [](auto& g) { return g.isThreadRunning(); }); },
                        60000));
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4) << log;
    EXPECT_LT(peakKb() - before, 40 * 1024);
}
