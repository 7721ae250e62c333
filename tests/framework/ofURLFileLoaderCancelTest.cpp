#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "CapturedOutput.h"
#include "LoopbackHttpServer.h"
#include "WaitUntil.h"
#include "ofURLFileLoader.h"

namespace {

const std::chrono::milliseconds bound(15000);  // far below the requests' minute

// A listener whose queue one finished handshake fills: the next connect gets
// no answer and waits in SYN-SENT.
struct FullListener {
    FullListener() {
        listener = bindLoopback(base);
        listen(listener, 0);
        filler = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        socklen_t len = sizeof(addr);
        getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
        connect(filler, reinterpret_cast<sockaddr*>(&addr), len);
        port = ntohs(addr.sin_port);
    }
    ~FullListener() { close(filler), close(listener); }
    // True while a socket of this process's namespace is connecting to us.
    bool connecting() const {
        std::ifstream tcp("/proc/net/tcp");
        std::string line;
        char remote[16];
        std::snprintf(remote, sizeof(remote), ":%04X", port);
        while (std::getline(tcp, line)) {
            std::istringstream fields(line);
            std::string slot, local, peer, state;
            fields >> slot >> local >> peer >> state;
            if (peer.size() > 5 && peer.compare(peer.size() - 5, 5, remote) == 0 && state == "02") return true;
        }
        return false;
    }
    std::string base;
    int listener = -1, filler = -1;
    unsigned port = 0;
};

}  // namespace

// A cancel from another thread ends a request at once in every phase, as a
// failure with status -1 and "cancelled", logging nothing; a body that runs
// to the close never passes as whole for having been cut by it.
TEST(URLLoaderCancelTest, ACancelEndsARequestInEveryPhaseAtOnce) {
    FullListener full;
    LoopbackHttpServer silent([](const std::string&) { return std::string(); });
    silent.holding = true;
    // These answer in part, then keep the connection open without a word.
    LoopbackHttpServer halfHead([](const std::string&) { return "HTTP/1.1 200 OK\r\nContent-Le"; });
    LoopbackHttpServer halfBody([](const std::string&) { return "HTTP/1.0 200 OK\r\n\r\nsuccess\n12\tAN"; });
    halfHead.keepOpen = halfBody.keepOpen = true;
    const struct {
        const char* phase;
        std::string url;
        std::function<bool()> inFlight;
    } cases[] = {
        {"connecting", full.base, [&] { return full.connecting(); }},
        {"waiting for the answer", silent.base, [&] { return silent.requestCount() == 1; }},
        {"reading the head", halfHead.base, [&] { return halfHead.answered == 1; }},
        {"reading a body that runs to the close", halfBody.base, [&] { return halfBody.answered == 1; }},
    };
    for (const auto& c : cases) {
        ofURLFileLoader loader;
        loader.setTimeoutMillis(60000);
        ofHttpResponse got;
        std::atomic<bool> done{false};
        const CapturedOutput log = captureOutput([&] {
            std::thread request([&] { got = loader.get(c.url + "/getscores.php"), done = true; });
            EXPECT_TRUE(waitUntil(c.inFlight, bound)) << c.phase;
            loader.cancel();
            EXPECT_TRUE(waitUntil([&] { return done.load(); }, bound)) << c.phase;
            request.join();
        });
        EXPECT_EQ(std::to_string(got.status) + " " + got.error + " " + std::to_string(got.data.size()),
                  "-1 cancelled 0")
            << c.phase;
        EXPECT_EQ(log.out + log.err, "") << c.phase;
        EXPECT_TRUE(loader.isCancelled());
    }
    silent.holding = false;
}

// Cancelled, a loader refuses new requests without connecting, until it is
// resumed; other loaders go on as before.
TEST(URLLoaderCancelTest, ACancelledLoaderRefusesNewRequestsUntilResumed) {
    LoopbackHttpServer server([](const std::string& head) { return httpAnswer("HTTP/1.1 200 OK", head.substr(0, head.find("\r\n"))); });
    ofURLFileLoader loader;
    loader.cancel();
    ofHttpResponse refused, other;
    EXPECT_EQ(captureOutput([&] { refused = loader.get(server.base + "/a"), other = ofLoadURL(server.base + "/b"); }).err,
              "");
    EXPECT_EQ(std::to_string(refused.status) + " " + refused.error, "-1 cancelled");
    EXPECT_EQ(std::to_string(other.status) + " " + other.data.getText(), "200 GET /b HTTP/1.1");
    EXPECT_EQ(server.requestLines(), std::vector<std::string>{"GET /b HTTP/1.1"}) << "the cancelled one never connected";
    loader.resume();
    const ofHttpResponse again = loader.get(server.base + "/c");
    EXPECT_EQ(std::to_string(again.status) + " " + again.error + " " + again.data.getText(), "200 OK GET /c HTTP/1.1");
    EXPECT_FALSE(loader.isCancelled());
}
