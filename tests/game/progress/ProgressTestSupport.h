#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "../../support/LoopbackHttpServer.h"
#include "../../support/ScratchDir.h"
#include "../../support/WaitUntil.h"
#include "AchievementTracker.h"
#include "ScoreServer.h"
#include "StatsTracker.h"
#include "SteamLayer.h"
#include "steam_api.h"

namespace progress_test {

using Lines = std::vector<std::string>;
using ScratchFolder = ScratchDir;

// The limit only bounds a failing test: a loaded machine may take its time.
inline bool waitFor(const std::function<bool()>& done, int millis = 20000) {
    return waitUntil(done, std::chrono::milliseconds(millis));
}

inline std::string ok(const std::string& body) { return httpAnswer("HTTP/1.1 200 OK", body); }

// The loopback server with a script on the request's first line.
struct ScriptedServer : LoopbackHttpServer {
    explicit ScriptedServer(std::function<std::string(const std::string&)> script)
        : LoopbackHttpServer([script](const std::string& head) { return script(head.substr(0, head.find("\r\n"))); }) {}
    Lines requests() { return requestLines(); }
    ScoreServer server(long timeoutMillis = 2000, long waitMillis = 20) const {
        ScoreServer s;
        s.address = base;
        s.timeoutMillis = timeoutMillis;
        s.retryWaitMillis = waitMillis;
        return s;
    }
};

// A loopback address nobody listens on.
inline ScoreServer refusingServer() {
    ScoreServer s;
    close(bindLoopback(s.address));
    s.timeoutMillis = 1000;
    s.retryWaitMillis = 20;
    return s;
}

inline std::string readAll(const std::string& path) {
    std::stringstream s;
    s << std::ifstream(path).rdbuf();
    return s.str();
}

// Runs `f` with standard output taken; returns what it printed.
template <class F>
std::string quietly(F&& f) {
    testing::internal::CaptureStdout();
    f();
    return testing::internal::GetCapturedStdout();
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
