#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <set>
#include <thread>

#include "CapturedOutput.h"
#include "LoopbackHttpServer.h"
#include "ofURLFileLoader.h"

namespace {

struct Reply {
    const char* path;
    std::string raw;       // what the server sends
    int status;            // -1: a failure, logged as one error line holding `reason`
    std::string reason, body;
};

const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
const std::string big(3000, 'b');
const Reply replies[] = {
    {"/stats.php", httpAnswer("HTTP/1.1 200 OK", "line one\r\nline two\n"), 200, "OK", "line one\r\nline two\n"},
    {"/missing", httpAnswer("HTTP/1.1 404 Not Found", "no page"), 404, "Not Found", "no page"},
    {"/unsized", "HTTP/1.0 200 Fine\r\n\r\nall of it", 200, "Fine", "all of it"},
    {"/continue", "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 201 Made\nContent-Length: 2\n\nok", 201, "Made", "ok"},
    {"/whole", chunked + "5;ext=1\r\nhello\r\nBB8\r\n" + big + "\r\n0\r\nX-Trailer: t\r\n\r\n", 200, "OK", "hello" + big},
    {"/fixed", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789", -1,
     "Malformed message: body cut short: 10 of 100 bytes", ""},
    {"/inside", chunked + "5\r\nhello\r\n10\r\nshort", -1, "Malformed message: body cut short inside a chunk", ""},
    {"/boundary", chunked + "5\r\nhello\r\n", -1, "Malformed message: body cut short before its last chunk", ""},
    {"/announced", "HTTP/1.1 200 OK\r\nContent-Length: 67108865\r\n\r\n0123456789", -1,
     "Out of range: body larger than 67108864 bytes", ""},
    {"/fields", "HTTP/1.1 200 OK\r\nContent-Le", -1, "Malformed message: header section cut off after 27 bytes", ""},
    {"/status", "HTTP/1.1 200 OK\r\n", -1, "Malformed message: header section cut off after 17 bytes", ""},
    {"/nothing", "", -1, "No message received", ""},
    {"/minus", httpAnswer("HTTP/1.1 -1 Fake", "body"), -1, "Malformed message: bad status code -1", ""},
};

std::string script(const std::string& head) {
    for (const Reply& r : replies)
        if (head.compare(4, std::strlen(r.path) + 1, std::string(r.path) + " ") == 0) return r.raw;
    return httpAnswer("HTTP/1.1 200 OK", head.substr(4, head.find(' ', 4) - 4));  // the request target
}

}  // namespace

TEST(URLLoaderTest, RepliesGiveStatusReasonAndBodyHostileOnesFailWithOneErrorLineAndTargetsAreEscaped) {
    LoopbackHttpServer server(script);
    for (const Reply& r : replies) {
        ofHttpResponse got;
        EXPECT_EQ(captureOutput([&] { got = ofLoadURL(server.base + r.path); }).err,
                  r.status < 0 ? "[error] ofURLFileLoader " + r.reason + "\n" : "");
        EXPECT_EQ(std::to_string(got.status) + " " + got.error + " " + got.data.getText(),
                  std::to_string(r.status) + " " + r.reason + " " + r.body);
        EXPECT_EQ(got.request.name, server.base + r.path);
    }
    std::string nobody;
    close(bindLoopback(nobody));  // nothing listens there now
    for (const std::string& url : {nobody + "/x", std::string("http://127.0.0.1:99999/x")}) {
        ofHttpResponse r;
        const std::string err = captureOutput([&] { r = ofLoadURL(url); }).err;
        EXPECT_EQ(err, "[error] ofURLFileLoader " + r.error + "\n");
        EXPECT_TRUE(r.status == -1 && !r.error.empty()) << url;
    }
    // The request target is the path and query as given, blanks and controls escaped, no fragment.
    for (const char* target : {"", "/sendscore.php?name=A B&score=10", "/a%41/b?t=\ty\x01\x7f", "/caf\xc3\xa9?n=\xc3\xa9#fragment"})
        ofLoadURL(server.base + target);
    const std::vector<std::string> lines = server.requestLines();
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"GET / HTTP/1.1", "GET /sendscore.php?name=A%20B&score=10 HTTP/1.1",
                                        "GET /a%41/b?t=%09y%01%7F HTTP/1.1", "GET /caf%C3%A9?n=%C3%A9 HTTP/1.1"}));
}

// Only a lower bound is exact: a busy machine may take longer, but never past
// the minute a trickled reply or the default time-out would take.
TEST(URLLoaderTest, ASilentServerTimesOutAndATricklingOneMeetsTheOverallDeadline) {
    LoopbackHttpServer silent([](const std::string&) { return std::string(); });
    silent.holding = true;
    // Every byte comes well within the time-out; the whole would take a minute.
    LoopbackHttpServer trickling([](const std::string&) { return httpAnswer("HTTP/1.1 200 OK", std::string(1200, 'x')); }, 50);
    const struct {
        std::string url;
        long timeout, deadline, expectedMillis;
    } cases[] = {{silent.base, 800, 0, 800}, {trickling.base, 800, 0, 800}, {trickling.base, 20000, 1500, 1500}};
    ofURLFileLoader& loader = ofGetURLFileLoader();
    for (const auto& c : cases) {
        loader.setTimeoutMillis(c.timeout);
        loader.setDeadlineMillis(c.deadline);
        const auto start = std::chrono::steady_clock::now();
        ofHttpResponse r;
        captureOutput([&] { r = ofLoadURL(c.url + "/slow"); });
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(std::to_string(r.status) + " " + r.error, "-1 Timeout");
        EXPECT_GE(took, std::chrono::milliseconds(c.expectedMillis - 100)) << c.expectedMillis;
        EXPECT_LT(took, std::chrono::milliseconds(c.expectedMillis + 12000)) << c.expectedMillis;
    }
}

TEST(URLLoaderTest, FirstUseFromManyThreadsGivesDistinctConsecutiveIds) {
    LoopbackHttpServer server(script);
    const int n = 8;
    std::vector<ofHttpResponse> responses(n);
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < n; ++i)
        threads.emplace_back([&, i] {
            while (!go) std::this_thread::yield();
            responses[i] = ofLoadURL(server.base + "/req_" + std::to_string(i));
        });
    go = true;
    for (auto& t : threads) t.join();
    std::set<int> ids;
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(responses[i].data.getText(), "/req_" + std::to_string(i));
        ids.insert(responses[i].request.id);
    }
    EXPECT_EQ(ids.size(), 8u);
    EXPECT_EQ(*ids.rbegin() - *ids.begin(), n - 1);
    EXPECT_EQ(ofLoadURL(server.base + "/next").request.id, *ids.rbegin() + 1);
}
