#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "LogRecorder.h"
#include "ofURLFileLoader.h"

namespace {

// A tiny HTTP server on 127.0.0.1 that answers each request with the raw
// bytes its script returns; it closes the connection after each answer.
// With hold true it reads the request and never answers.
class RawHttpServer {
public:
    explicit RawHttpServer(std::function<std::string(const std::string& head)> script, bool hold = false)
        : script(std::move(script)), hold(hold) {
        listener = socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &one, sizeof(one));
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
        listen(listener, 32);
        socklen_t len = sizeof(addr);
        getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len);
        portNumber = ntohs(addr.sin_port);
        worker = std::thread([this] { serve(); });
    }
    ~RawHttpServer() {
        stopping = true;
        worker.join();
        close(listener);
    }
    std::string base() const { return "http://127.0.0.1:" + std::to_string(portNumber); }
    // The first line of every request received, in order.
    std::vector<std::string> requestLines() {
        std::lock_guard<std::mutex> l(mutex);
        return lines;
    }
    std::vector<std::string> heads() {
        std::lock_guard<std::mutex> l(mutex);
        return requestHeads;
    }

private:
    bool readable(int fd) {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, 20) > 0;
    }
    void serve() {
        while (!stopping) {
            if (!readable(listener)) continue;
            int conn = accept(listener, nullptr, nullptr);
            if (conn < 0) continue;
            std::string head;
            char buf[4096];
            while (!stopping && head.find("\r\n\r\n") == std::string::npos) {
                if (!readable(conn)) continue;
                ssize_t n = recv(conn, buf, sizeof(buf), 0);
                if (n <= 0) break;
                head.append(buf, static_cast<std::size_t>(n));
            }
            {
                std::lock_guard<std::mutex> l(mutex);
                lines.push_back(head.substr(0, head.find("\r\n")));
                requestHeads.push_back(head);
            }
            if (hold) {
                while (!stopping) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            } else {
                const std::string answer = script(head);
                send(conn, answer.data(), answer.size(), MSG_NOSIGNAL);
                shutdown(conn, SHUT_WR);
            }
            close(conn);
        }
    }

    std::function<std::string(const std::string&)> script;
    bool hold;
    int listener = -1;
    int portNumber = 0;
    std::atomic<bool> stopping{false};
    std::thread worker;
    std::mutex mutex;
    std::vector<std::string> lines, requestHeads;
};

std::string answer(const std::string& statusLine, const std::string& body) {
    return statusLine + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// A port on 127.0.0.1 where nothing listens.
int closedPort() {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    socklen_t len = sizeof(addr);
    getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    close(s);
    return ntohs(addr.sin_port);
}

void expectFailure(const ofHttpResponse& r, const LogRecorder& rec) {
    EXPECT_EQ(r.status, -1);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(r.data.size(), 0u);
    EXPECT_EQ(r.data.getText(), "");
    EXPECT_TRUE(r.data.isLastLine());
    EXPECT_EQ(rec.lines(), std::vector<std::string>{"[error] ofURLFileLoader " + r.error});
}

}  // namespace

TEST(URLLoaderTest, OkAnswerBringsStatusReasonAndBody) {
    LogRecorder rec;
    RawHttpServer server([](const std::string&) { return answer("HTTP/1.1 200 OK", "line one\r\nline two\n"); });
    ofHttpResponse r = ofLoadURL(server.base() + "/extras/vantorix_db/getglobalstat.php");
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.error, "OK");
    EXPECT_EQ(r.data.getText(), "line one\r\nline two\n");
    EXPECT_EQ(r.data.getNextLine(), "line one");
    EXPECT_EQ(r.data.getNextLine(), "line two");
    EXPECT_TRUE(r.data.isLastLine());
    EXPECT_EQ(r.request.url, server.base() + "/extras/vantorix_db/getglobalstat.php");
    EXPECT_EQ(r.request.name, r.request.url);
    EXPECT_FALSE(r.request.saveTo);
    EXPECT_EQ(server.requestLines(), std::vector<std::string>{"GET /extras/vantorix_db/getglobalstat.php HTTP/1.1"});
    EXPECT_NE(server.heads()[0].find("\r\nHost: 127.0.0.1:"), std::string::npos);
    EXPECT_TRUE(rec.lines().empty());
}

TEST(URLLoaderTest, NotFoundIsAnAnswerNotAFailure) {
    LogRecorder rec;
    RawHttpServer server([](const std::string&) { return answer("HTTP/1.1 404 Not Found", "no such page"); });
    ofHttpResponse r = ofLoadURL(server.base() + "/missing.php");
    EXPECT_EQ(r.status, 404);
    EXPECT_EQ(r.error, "Not Found");
    EXPECT_EQ(r.data.getText(), "no such page");
    EXPECT_TRUE(rec.lines().empty());
}

TEST(URLLoaderTest, RequestTargetIsThePathAndQueryAsGiven) {
    RawHttpServer server([](const std::string&) { return answer("HTTP/1.1 200 OK", ""); });
    ofLoadURL(server.base());
    ofLoadURL(server.base() + "?only=query");
    ofLoadURL(server.base() + "/sendscore.php?name=A B&score=10&mode=hard coop");
    ofLoadURL(server.base() + "/a%41/b?q=%20x&t=\ty\x01");
    ofLoadURL(server.base() + "/caf\xc3\xa9?n=\xc3\xa9#fragment");
    ofLoadURL(server.base() + "/keep/+;,=!*'()~$@:?x=[]{}|^`\"<>\\");
    std::vector<std::string> expected = {
        "GET / HTTP/1.1",
        "GET /?only=query HTTP/1.1",
        "GET /sendscore.php?name=A%20B&score=10&mode=hard%20coop HTTP/1.1",
        "GET /a%41/b?q=%20x&t=%09y%01 HTTP/1.1",
        "GET /caf%C3%A9?n=%C3%A9 HTTP/1.1",
        "GET /keep/+;,=!*'()~$@:?x=[]{}|^`\"<>\\ HTTP/1.1",
    };
    EXPECT_EQ(server.requestLines(), expected);
}

TEST(URLLoaderTest, EmptyAndUnsizedBodies) {
    RawHttpServer server([](const std::string& head) {
        if (head.find("/empty") != std::string::npos) return answer("HTTP/1.1 200 OK", "");
        // No length: the body runs until the server closes.
        return std::string("HTTP/1.0 200 Fine\r\n\r\nall of it");
    });
    ofHttpResponse empty = ofLoadURL(server.base() + "/empty");
    EXPECT_EQ(empty.status, 200);
    EXPECT_EQ(empty.data.size(), 0u);
    EXPECT_TRUE(empty.data.isLastLine());
    ofHttpResponse unsized = ofLoadURL(server.base() + "/unsized");
    EXPECT_EQ(unsized.status, 200);
    EXPECT_EQ(unsized.error, "Fine");
    EXPECT_EQ(unsized.data.getText(), "all of it");
}

TEST(URLLoaderTest, LargeBodyArrivesWhole) {
    std::string body;
    for (int i = 0; i < 5000; ++i) body += std::to_string(i) + "\n";
    RawHttpServer server([&](const std::string&) { return answer("HTTP/1.1 200 OK", body); });
    ofHttpResponse r = ofLoadURL(server.base() + "/big");
    EXPECT_EQ(r.status, 200);
    ASSERT_EQ(r.data.size(), body.size());
    EXPECT_EQ(r.data.getText(), body);
}

TEST(URLLoaderTest, RefusedConnectionFailsWithOneErrorLine) {
    LogRecorder rec;
    ofHttpResponse r = ofLoadURL("http://127.0.0.1:" + std::to_string(closedPort()) + "/x");
    expectFailure(r, rec);
    EXPECT_NE(r.error.find("refused"), std::string::npos) << r.error;
}

TEST(URLLoaderTest, MalformedUrlFails) {
    LogRecorder rec;
    ofHttpResponse r = ofLoadURL("http://127.0.0.1:99999/x");
    expectFailure(r, rec);
}

TEST(URLLoaderTest, TimeOutIsTwentySecondsByDefault) {
    EXPECT_EQ(ofGetURLFileLoader().getTimeoutMillis(), 20000);
}

TEST(URLLoaderTest, ServerThatNeverAnswersTimesOut) {
    LogRecorder rec;
    RawHttpServer server([](const std::string&) { return std::string(); }, true);
    ofGetURLFileLoader().setTimeoutMillis(800);
    auto start = std::chrono::steady_clock::now();
    ofHttpResponse r = ofLoadURL(server.base() + "/slow");
    auto took = std::chrono::steady_clock::now() - start;
    ofGetURLFileLoader().setTimeoutMillis(20000);
    expectFailure(r, rec);
    EXPECT_EQ(r.error, "Timeout");
    EXPECT_GE(took, std::chrono::milliseconds(700));
    EXPECT_LT(took, std::chrono::milliseconds(5000));
}

TEST(URLLoaderTest, BodyCutShortIsAFailure) {
    RawHttpServer server([](const std::string& head) {
        if (head.find("/fixed") != std::string::npos)
            return std::string("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789");
        return std::string("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n10\r\nshort");
    });
    {
        LogRecorder rec;
        ofHttpResponse r = ofLoadURL(server.base() + "/fixed");
        expectFailure(r, rec);
        EXPECT_EQ(r.error, "Malformed message: body cut short: 10 of 100 bytes");
    }
    {
        LogRecorder rec;
        ofHttpResponse r = ofLoadURL(server.base() + "/chunked");
        expectFailure(r, rec);
        EXPECT_EQ(r.error, "Malformed message: body cut short inside a chunk");
    }
}

TEST(URLLoaderTest, ChunkedBodies) {
    std::string big(3000, 'b');
    RawHttpServer server([&](const std::string& head) {
        const std::string start = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        if (head.find("/whole") != std::string::npos)
            return start + "5;ext=1\r\nhello\r\nBB8\r\n" + big + "\r\n1\r\n!\r\n0\r\nX-Trailer: t\r\n\r\n";
        if (head.find("/noend") != std::string::npos) return start + "5\r\nhello\r\n0\r\n";
        // Cut at a chunk boundary: the last chunk never comes.
        return start + "5\r\nhello\r\n";
    });
    ofHttpResponse whole = ofLoadURL(server.base() + "/whole");
    EXPECT_EQ(whole.status, 200);
    EXPECT_EQ(whole.data.getText(), "hello" + big + "!");
    ofHttpResponse noEnd = ofLoadURL(server.base() + "/noend");
    EXPECT_EQ(noEnd.status, 200);
    EXPECT_EQ(noEnd.data.getText(), "hello");
    LogRecorder rec;
    ofHttpResponse cut = ofLoadURL(server.base() + "/cut");
    expectFailure(cut, rec);
    EXPECT_EQ(cut.error, "Malformed message: body cut short before its last chunk");
}

TEST(URLLoaderTest, SaveToWritesTheBodyToTheNamedFile) {
    RawHttpServer server([](const std::string&) { return answer("HTTP/1.1 200 OK", std::string("bin\0ary", 7)); });
    mkdir("data", 0755);
    const std::string name = "saved_" + std::to_string(getpid()) + ".bin";
    ofHttpRequest request(server.base() + "/file", name, true);
    ofHttpResponse r = ofGetURLFileLoader().handleRequest(request);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.data.size(), 0u);
    EXPECT_EQ(r.request.id, request.id);
    std::ifstream in("data/" + name, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              std::string("bin\0ary", 7));
    std::remove(("data/" + name).c_str());
}

TEST(URLLoaderTest, RequestIdsCountUpAndCopiesKeepThem) {
    RawHttpServer server([](const std::string&) { return answer("HTTP/1.1 200 OK", "x"); });
    ofHttpResponse a = ofLoadURL(server.base() + "/a");
    ofHttpResponse b = ofLoadURL(server.base() + "/b");
    EXPECT_EQ(b.request.id, a.request.id + 1);
    ofHttpRequest made;
    ofHttpRequest copy = made;
    EXPECT_EQ(copy.id, made.id);
    EXPECT_EQ(made.id, b.request.id + 1);
    ofHttpResponse response(made, 500, "Internal");
    ofHttpResponse responseCopy(response);
    EXPECT_EQ(responseCopy.request.id, made.id);
    EXPECT_EQ(responseCopy.status, 500);
}

TEST(URLLoaderTest, FirstUseFromManyThreadsAtOnce) {
    RawHttpServer server([](const std::string& head) { return answer("HTTP/1.1 200 OK", head.substr(4, 8)); });
    const int n = 8;
    std::vector<ofHttpResponse> responses(n);
    std::atomic<bool> go{false};
    std::vector<std::thread> threads;
    for (int i = 0; i < n; ++i) {
        threads.emplace_back([&, i] {
            while (!go) std::this_thread::yield();
            responses[i] = ofLoadURL(server.base() + "/req" + std::to_string(i) + "xyz");
        });
    }
    go = true;
    for (auto& t : threads) t.join();
    std::set<int> ids;
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(responses[i].status, 200);
        EXPECT_EQ(responses[i].data.getText(), "/req" + std::to_string(i) + "xyz");
        ids.insert(responses[i].request.id);
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(n));
    EXPECT_EQ(*ids.rbegin() - *ids.begin(), n - 1);
}
