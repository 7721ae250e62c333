#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

#include "LoopbackHttpServer.h"
#include "ofLog.h"
#include "ofURLFileLoader.h"

namespace {

// Loads the URL and returns what went to standard error.
std::string loadCapturingErrors(const std::string& url, ofHttpResponse& r) {
    testing::internal::CaptureStderr();
    r = ofLoadURL(url);
    return testing::internal::GetCapturedStderr();
}

void expectFailure(const std::string& url, const std::string& error) {
    ofHttpResponse r;
    const std::string err = loadCapturingErrors(url, r);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.error, error);
    EXPECT_EQ(r.data.size(), 0u);
    EXPECT_EQ(err, "[error] ofURLFileLoader " + error + "\n");
}

}  // namespace

TEST(URLLoaderTest, AnswersComeBackWithStatusReasonAndBody) {
    LoopbackHttpServer server([](const std::string& head) {
        if (head.find("/missing") != std::string::npos) return httpAnswer("HTTP/1.1 404 Not Found", "no page");
        if (head.find("/unsized") != std::string::npos) return std::string("HTTP/1.0 200 Fine\r\n\r\nall of it");
        return httpAnswer("HTTP/1.1 200 OK", "line one\r\nline two\n");
    });
    ofHttpResponse ok, missing, unsized;
    const std::string err = loadCapturingErrors(server.base + "/stats.php", ok) +
                            loadCapturingErrors(server.base + "/missing", missing) +
                            loadCapturingErrors(server.base + "/unsized", unsized);
    EXPECT_EQ(err, "");
    EXPECT_EQ(ok.status, 200);
    EXPECT_EQ(ok.error, "OK");
    EXPECT_EQ(ok.data.getText(), "line one\r\nline two\n");
    EXPECT_EQ(ok.request.name, server.base + "/stats.php");
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.error, "Not Found");
    EXPECT_EQ(missing.data.getText(), "no page");
    EXPECT_EQ(unsized.error, "Fine");
    EXPECT_EQ(unsized.data.getText(), "all of it");
}

TEST(URLLoaderTest, RequestTargetIsThePathAndQueryAsGivenWithBlanksEscaped) {
    LoopbackHttpServer server([](const std::string&) { return httpAnswer("HTTP/1.1 200 OK", ""); });
    ofLoadURL(server.base);
    ofLoadURL(server.base + "?only=query");
    ofLoadURL(server.base + "/sendscore.php?name=A B&score=10");
    ofLoadURL(server.base + "/a%41/b?t=\ty\x01\x7f");
    ofLoadURL(server.base + "/caf\xc3\xa9?n=\xc3\xa9#fragment");
    ofLoadURL(server.base + "/k+;,=!*'()~$@:?x=[]{}|^`\"<>\\");
    EXPECT_EQ(server.requestLines(), (std::vector<std::string>{
                                         "GET / HTTP/1.1", "GET /?only=query HTTP/1.1",
                                         "GET /sendscore.php?name=A%20B&score=10 HTTP/1.1",
                                         "GET /a%41/b?t=%09y%01%7F HTTP/1.1", "GET /caf%C3%A9?n=%C3%A9 HTTP/1.1",
                                         "GET /k+;,=!*'()~$@:?x=[]{}|^`\"<>\\ HTTP/1.1"}));
}

TEST(URLLoaderTest, RefusedConnectionAndBadUrlFail) {
    std::string nobody;
    close(bindLoopback(nobody));  // nothing listens there now
    expectFailure(nobody + "/x", "Connection refused");
    ofHttpResponse r;
    const std::string err = loadCapturingErrors("http://127.0.0.1:99999/x", r);
    EXPECT_EQ(r.status, -1);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(err, "[error] ofURLFileLoader " + r.error + "\n");
}

TEST(URLLoaderTest, ServerThatNeverAnswersTimesOut) {
    EXPECT_EQ(ofGetURLFileLoader().getTimeoutMillis(), 20000);
    LoopbackHttpServer server([](const std::string&) { return std::string(); });
    server.holding = true;
    ofGetURLFileLoader().setTimeoutMillis(800);
    auto start = std::chrono::steady_clock::now();
    expectFailure(server.base + "/slow", "Timeout");
    auto took = std::chrono::steady_clock::now() - start;
    ofGetURLFileLoader().setTimeoutMillis(20000);
    EXPECT_GE(took, std::chrono::milliseconds(700));
    EXPECT_LT(took, std::chrono::milliseconds(5000));
}

TEST(URLLoaderTest, BodyCutShortOrAnnouncedPastTheLimitIsAFailure) {
    const std::string big(3000, 'b');
    LoopbackHttpServer server([&](const std::string& head) {
        const std::string chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        if (head.find("/fixed") != std::string::npos)
            return std::string("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789");
        if (head.find("/whole") != std::string::npos)
            return chunked + "5;ext=1\r\nhello\r\nBB8\r\n" + big + "\r\n0\r\nX-Trailer: t\r\n\r\n";
        if (head.find("/inside") != std::string::npos) return chunked + "5\r\nhello\r\n10\r\nshort";
        if (head.find("/announced") != std::string::npos)
            return std::string("HTTP/1.1 200 OK\r\nContent-Length: 67108865\r\n\r\n0123456789");
        return chunked + "5\r\nhello\r\n";  // the last chunk never comes
    });
    expectFailure(server.base + "/fixed", "Malformed message: body cut short: 10 of 100 bytes");
    expectFailure(server.base + "/inside", "Malformed message: body cut short inside a chunk");
    expectFailure(server.base + "/boundary", "Malformed message: body cut short before its last chunk");
    expectFailure(server.base + "/announced", "Out of range: body larger than 67108864 bytes");
    ofHttpResponse whole = ofLoadURL(server.base + "/whole");
    EXPECT_EQ(whole.status, 200);
    EXPECT_EQ(whole.data.getText(), "hello" + big);
}

TEST(URLLoaderTest, SaveToWritesTheBodyToTheNamedFile) {
    LoopbackHttpServer server([](const std::string&) { return httpAnswer("HTTP/1.1 200 OK", std::string("bin\0ary", 7)); });
    std::system("mkdir -p data");
    const std::string name = "saved_" + std::to_string(getpid()) + ".bin";
    ofHttpResponse r = ofGetURLFileLoader().handleRequest(ofHttpRequest(server.base + "/f", name, true));
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.data.size(), 0u);
    std::ifstream in("data/" + name);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              std::string("bin\0ary", 7));
    std::remove(("data/" + name).c_str());
}

TEST(URLLoaderTest, FirstUseFromManyThreadsGivesDistinctConsecutiveIds) {
    LoopbackHttpServer server([](const std::string& head) { return httpAnswer("HTTP/1.1 200 OK", head.substr(4, 6)); });
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
    ofHttpResponse next = ofLoadURL(server.base + "/next_");
    EXPECT_EQ(next.request.id, *ids.rbegin() + 1);
    ofHttpResponse copy(next);
    EXPECT_EQ(copy.request.id, next.request.id);
}

TEST(URLLoaderTest, HeaderSectionCutOffByTheCloseOrWithoutAStatusIsAFailure) {
    LoopbackHttpServer server([](const std::string& head) {
        if (head.find("/fields") != std::string::npos) return std::string("HTTP/1.1 200 OK\r\nContent-Le");
        if (head.find("/status") != std::string::npos) return std::string("HTTP/1.1 200 OK\r\n");
        if (head.find("/nothing") != std::string::npos) return std::string();
        if (head.find("/minus") != std::string::npos) return httpAnswer("HTTP/1.1 -1 Fake", "body");
        if (head.find("/continue") != std::string::npos)
            return std::string("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 201 Made\nContent-Length: 2\n\nok");
        return std::string("HTTP/1.1 200 OK\n\nbare line feeds");
    });
    expectFailure(server.base + "/fields", "Malformed message: header section cut off after 27 bytes");
    expectFailure(server.base + "/status", "Malformed message: header section cut off after 17 bytes");
    expectFailure(server.base + "/nothing", "No message received");
    expectFailure(server.base + "/minus", "Malformed message: bad status code -1");
    ofHttpResponse r;
    EXPECT_EQ(loadCapturingErrors(server.base + "/continue", r), "");
    EXPECT_EQ(r.status, 201);
    EXPECT_EQ(r.error, "Made");
    EXPECT_EQ(r.data.getText(), "ok");
    EXPECT_EQ(loadCapturingErrors(server.base + "/lf", r), "");
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.data.getText(), "bare line feeds");
}

TEST(URLLoaderTest, ServerTricklingBytesIsCutOffAtTheOverallDeadline) {
    ofURLFileLoader& loader = ofGetURLFileLoader();
    EXPECT_EQ(loader.getDeadlineMillis(), 20000);
    // Every byte comes well within the time-out; the whole would take a minute.
    LoopbackHttpServer server([](const std::string&) { return httpAnswer("HTTP/1.1 200 OK", std::string(1200, 'x')); },
                              50);
    const struct {
        long timeout, deadline, expectedMillis;
    } cases[] = {{800, 0, 800}, {20000, 1500, 1500}};
    for (const auto& c : cases) {
        loader.setTimeoutMillis(c.timeout);
        loader.setDeadlineMillis(c.deadline);
        EXPECT_EQ(loader.getDeadlineMillis(), c.expectedMillis);
        const auto start = std::chrono::steady_clock::now();
        expectFailure(server.base + "/slow", "Timeout");
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_GE(took, std::chrono::milliseconds(c.expectedMillis - 100));
        EXPECT_LT(took, std::chrono::milliseconds(c.expectedMillis + 3000));
    }
    loader.setTimeoutMillis(20000);
    loader.setDeadlineMillis(0);
}
