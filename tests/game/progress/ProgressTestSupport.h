#pragma once

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "AchievementTracker.h"
#include "ScoreServer.h"
#include "StatsTracker.h"
#include "SteamLayer.h"
#include "steam_api.h"

namespace progress_test {

using Lines = std::vector<std::string>;

inline bool waitFor(const std::function<bool()>& done, int millis = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(millis);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// A socket bound to a free loopback port; `address` gets its http:// form.
inline int bindLoopback(std::string& address) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof(addr);
    bind(fd, reinterpret_cast<sockaddr*>(&addr), len);
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    address = "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port));
    return fd;
}

inline std::string answer(const std::string& statusLine, const std::string& body) {
    return statusLine + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

inline std::string ok(const std::string& body) {
    return answer("HTTP/1.1 200 OK", body);
}

// While `holding` is set a request gets no answer.
class ScriptedServer {
public:
    explicit ScriptedServer(std::function<std::string(const std::string&)> script) : script(std::move(script)) {
        listener = bindLoopback(base);
        listen(listener, 32);
        worker = std::thread([this] { serve(); });
    }
    ~ScriptedServer() {
        stopping = true;
        worker.join();
        close(listener);
    }
    std::vector<std::string> requests() {
        std::lock_guard<std::mutex> l(mutex);
        return lines;
    }
    std::size_t requestCount() {
        std::lock_guard<std::mutex> l(mutex);
        return lines.size();
    }
    ScoreServer server(long timeoutMillis = 2000, long waitMillis = 20) const {
        ScoreServer s;
        s.address = base;
        s.timeoutMillis = timeoutMillis;
        s.retryWaitMillis = waitMillis;
        return s;
    }

    std::string base;
    std::atomic<bool> holding{false};

private:
    static bool readable(int fd) {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, 10) > 0;
    }
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
            const std::string line = head.substr(0, head.find("\r\n"));
            {
                std::lock_guard<std::mutex> l(mutex);
                lines.push_back(line);
            }
            while (holding && !stopping) std::this_thread::sleep_for(std::chrono::milliseconds(2));
            const std::string reply = script(line);
            send(conn, reply.data(), reply.size(), MSG_NOSIGNAL);
            close(conn);
        }
    }

    std::function<std::string(const std::string&)> script;
    int listener = -1;
    std::atomic<bool> stopping{false};
    std::thread worker;
    std::mutex mutex;
    std::vector<std::string> lines;
};

// A loopback address nobody listens on.
inline ScoreServer refusingServer(long waitMillis = 20) {
    ScoreServer s;
    const int fd = bindLoopback(s.address);
    s.timeoutMillis = 1000;
    s.retryWaitMillis = waitMillis;
    close(fd);
    return s;
}

class ScratchFolder {
public:
    ScratchFolder() {
        char name[] = "/tmp/vx_progress_XXXXXX";
        path = mkdtemp(name);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return path + "/" + name; }

    std::string path;
};

inline std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A tracker pair as the core holds them, with Steam on or off.
struct SteamTrackers {
    explicit SteamTrackers(bool steam, bool deliverStats = true) {
        SteamLayer::setRunning(steam);
        SteamLayer::clearUserData();
        SteamAPI_Init();
        achievements.setup(stats);
        achievements.setSteamAvailable(steam);
        if (deliverStats) SteamAPI_RunCallbacks();
        SteamLayer::takeCalls();
    }
    ~SteamTrackers() { SteamLayer::setRunning(false); }
    StatsTracker stats;
    AchievementTracker achievements;
};

}  // namespace progress_test
