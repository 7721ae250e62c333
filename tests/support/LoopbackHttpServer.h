#pragma once

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A socket bound to a free port on 127.0.0.1, listening when asked;
// `address` gets its http:// form.
inline int bindLoopback(std::string& address, bool listening = false) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof(addr);
    bind(fd, reinterpret_cast<sockaddr*>(&addr), len);
    if (listening) listen(fd, 32);
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    address = "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port));
    return fd;
}

inline std::string httpAnswer(const std::string& statusLine, const std::string& body) {
    return statusLine + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// An HTTP server on 127.0.0.1 that answers each request with the raw bytes
// its script gives for the request's head, then closes; with trickleMillis
// it sends them one byte at a time with that pause between, with padBytes
// it follows them with up to that many filler bytes while the client reads.
// While `holding` is set a request waits for its answer; one still waiting at
// the end gets none. With `keepOpen` the connection stays open and silent
// after the answer until the client closes it.
class LoopbackHttpServer {
public:
    explicit LoopbackHttpServer(std::function<std::string(const std::string& head)> script, int trickleMillis = 0)
        : script(std::move(script)), trickleMillis(trickleMillis) {
        listener = bindLoopback(base, true);
        worker = std::thread([this] { serve(); });
    }
    ~LoopbackHttpServer() { stopping = true, worker.join(), close(listener); }
    // The first line of every request so far.
    std::vector<std::string> requestLines() { std::lock_guard<std::mutex> l(mutex); return lines; }
    std::size_t requestCount() { return requestLines().size(); }

    std::string base;
    std::atomic<bool> holding{false};
    std::atomic<bool> keepOpen{false};
    std::atomic<int> answered{0};  // answers sent in full
    std::atomic<std::size_t> padBytes{0};

private:
    static bool readable(int fd) { pollfd p{fd, POLLIN, 0}; return poll(&p, 1, 10) > 0; }
    void serve() {
        while (!stopping) {
            if (!readable(listener)) continue;
            const int conn = accept(listener, nullptr, nullptr);
            std::string head;
            char buf[4096];
            while (!stopping && head.find("\r\n\r\n") == std::string::npos) {
                if (!readable(conn)) continue;
                const ssize_t n = recv(conn, buf, sizeof(buf), 0);
                if (n <= 0) break;
                head.append(buf, static_cast<std::size_t>(n));
            }
            { std::lock_guard<std::mutex> l(mutex); lines.push_back(head.substr(0, head.find("\r\n"))); }
            while (holding && !stopping) std::this_thread::sleep_for(std::chrono::milliseconds(2));
            const std::string answer = stopping ? std::string() : script(head);
            if (trickleMillis == 0) send(conn, answer.data(), answer.size(), MSG_NOSIGNAL);
            for (std::size_t i = 0; trickleMillis > 0 && i < answer.size() && !stopping; ++i) {
                if (send(conn, answer.data() + i, 1, MSG_NOSIGNAL) != 1) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(trickleMillis));
            }
            const std::string filler(65536, 'x');
            for (std::size_t sent = 0; sent < padBytes && !stopping; sent += filler.size())
                if (send(conn, filler.data(), filler.size(), MSG_NOSIGNAL) <= 0) break;
            ++answered;
            while (keepOpen && !stopping)
                if (readable(conn) && recv(conn, buf, sizeof(buf), 0) <= 0) break;
            close(conn);
        }
    }

    std::function<std::string(const std::string&)> script;
    int trickleMillis = 0;
    int listener = -1;
    std::atomic<bool> stopping{false};
    std::thread worker;
    std::mutex mutex;
    std::vector<std::string> lines;
};
