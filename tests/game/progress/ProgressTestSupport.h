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
#include "LoopbackHttpServer.h"
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

inline std::string ok(const std::string& body) {
    return httpAnswer("HTTP/1.1 200 OK", body);
}

// The loopback server with a script on the request's first line.
class ScriptedServer : public LoopbackHttpServer {
public:
    explicit ScriptedServer(std::function<std::string(const std::string&)> script)
        : LoopbackHttpServer([script](const std::string& head) { return script(head.substr(0, head.find("\r\n"))); }) {}
    std::vector<std::string> requests() { return requestLines(); }
    ScoreServer server(long timeoutMillis = 2000, long waitMillis = 20) const {
        ScoreServer s;
        s.address = base;
        s.timeoutMillis = timeoutMillis;
        s.retryWaitMillis = waitMillis;
        return s;
    }
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
