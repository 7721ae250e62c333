#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

// The score server's stand-in script started on a free port with its data
// file; `address` is set once it listens, `exitCode` once it has refused to start.
struct StandIn {
    explicit StandIn(const std::string& data) {
        int out[2], err[2];
        if (pipe(out) != 0 || pipe(err) != 0) return;
        const std::string script = std::string(VX_SOURCE_DIR) + "/scripts/score_server.py";
        pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives a test that dies
            umask(027);
            dup2(out[1], 1);
            dup2(err[1], 2);
            execlp("python3", "python3", script.c_str(), "--port", "0", "--data", data.c_str(), "--idle-timeout", "1",
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        close(err[1]);
        std::string line;
        char c = 0;
        while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
        close(out[0]);
        if (line.rfind("listening on ", 0) == 0) {
            address = line.substr(13);
            close(err[0]);
            return;
        }
        while (read(err[0], &c, 1) == 1) errors += c;
        close(err[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    StandIn(const StandIn&) = delete;
    StandIn& operator=(const StandIn&) = delete;
    ~StandIn() { stop(); }
    void stop() {
        if (pid > 0) kill(pid, SIGTERM), waitpid(pid, nullptr, 0);
        pid = -1;
    }
    pid_t pid = -1;
    std::string address, errors;
    int exitCode = -1;
};

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
