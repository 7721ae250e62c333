#include "steam_api.h"

#include <mutex>

#include "SteamLayer.h"

namespace {

struct SteamState {
    std::mutex lock;
    bool running = false;
    bool initialised = false;
    std::vector<std::string> calls;
};

// Never destroyed: exit handlers may still call into the layer.
SteamState& state() {
    static SteamState* s = new SteamState;
    return *s;
}

void record(SteamState& s, std::string call) {
    s.calls.push_back(std::move(call));
}

}  // namespace

bool SteamAPI_Init() {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.initialised = s.running;
    record(s, s.initialised ? "SteamAPI_Init() = 1" : "SteamAPI_Init() = 0");
    return s.initialised;
}

void SteamAPI_RunCallbacks() {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    // Nothing is ever pending yet; without a successful Init there is no client to ask.
    record(s, s.initialised ? "SteamAPI_RunCallbacks()" : "SteamAPI_RunCallbacks() without Init");
}

namespace SteamLayer {

void setRunning(bool running) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.running = running;
}

bool isRunning() {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.running;
}

std::vector<std::string> takeCalls() {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    std::vector<std::string> out;
    out.swap(s.calls);
    return out;
}

}  // namespace SteamLayer
