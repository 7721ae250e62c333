#include "steam_api.h"

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <sstream>

#include "SteamLayer.h"

namespace {

struct Board {
    std::string name;
    bool hasEntry = false;
    int score = 0;
    std::vector<int> details;
};

struct SteamState {
    std::mutex lock;
    bool running = false;
    bool initialised = false;
    bool statsReceived = false;
    std::vector<std::string> calls;
    std::map<std::string, double> stats;
    std::set<std::string> achievements;
    // Handles are indexes + 1; boards are made on first find.
    std::vector<Board> boards;
    SteamAPICall_t nextCall = 1;
    // Results waiting for the next SteamAPI_RunCallbacks.
    std::vector<std::function<void(SteamListener&)>> pending;
    std::vector<SteamListener*> listeners;
};

// Never destroyed: exit handlers may still call into the layer.
SteamState& state() {
    static SteamState* s = new SteamState;
    return *s;
}

void record(SteamState& s, std::string call) {
    s.calls.push_back(std::move(call));
}

std::string number(double value) {
    std::ostringstream out;
    out.precision(9);
    out << value;
    return out.str();
}

std::string text(const char* name) {
    return name == nullptr ? std::string() : std::string(name);
}

// The user's stats are readable and writable only once received.
bool statsUsable(SteamState& s) {
    return s.initialised && s.statsReceived;
}

bool getStat(const char* name, double& value) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    record(s, "GetStat " + text(name));
    if (!statsUsable(s) || name == nullptr) return false;
    const auto found = s.stats.find(name);
    value = found == s.stats.end() ? 0.0 : found->second;
    return true;
}

bool setStat(const char* name, double value) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    record(s, "SetStat " + text(name) + " " + number(value));
    if (!statsUsable(s) || name == nullptr) return false;
    s.stats[name] = value;
    return true;
}

}  // namespace

bool SteamAPI_Init() {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.initialised = s.running;
    if (!s.initialised) s.statsReceived = false;
    record(s, s.initialised ? "SteamAPI_Init() = 1" : "SteamAPI_Init() = 0");
    return s.initialised;
}

void SteamAPI_RunCallbacks() {
    SteamState& s = state();
    std::vector<std::function<void(SteamListener&)>> due;
    std::vector<SteamListener*> listeners;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        record(s, s.initialised ? "SteamAPI_RunCallbacks()" : "SteamAPI_RunCallbacks() without Init");
        if (!s.initialised) return;
        due.swap(s.pending);
        listeners = s.listeners;
    }
    // Listeners call back into the layer, so the lock is not held here.
    for (auto& deliver : due) {
        for (SteamListener* listener : listeners) {
            std::unique_lock<std::mutex> guard(s.lock);
            const bool stillThere = std::find(s.listeners.begin(), s.listeners.end(), listener) != s.listeners.end();
            guard.unlock();
            if (stillThere) deliver(*listener);
        }
    }
}

ISteamUserStats* SteamUserStats() {
    static ISteamUserStats* stats = new ISteamUserStats;
    return stats;
}

void SteamAPI_AddListener(SteamListener* listener) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (std::find(s.listeners.begin(), s.listeners.end(), listener) == s.listeners.end())
        s.listeners.push_back(listener);
}

void SteamAPI_RemoveListener(SteamListener* listener) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.listeners.erase(std::remove(s.listeners.begin(), s.listeners.end(), listener), s.listeners.end());
}

bool ISteamUserStats::RequestCurrentStats() {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    record(s, "RequestCurrentStats");
    if (!s.initialised) return false;
    s.pending.push_back([](SteamListener& l) {
        SteamState& st = state();
        {
            std::lock_guard<std::mutex> g(st.lock);
            st.statsReceived = st.initialised;
        }
        l.onUserStatsReceived(true);
    });
    return true;
}

bool ISteamUserStats::GetStat(const char* name, int32_t* value) {
    double v = 0;
    if (!getStat(name, v) || value == nullptr) return false;
    *value = static_cast<int32_t>(v);
    return true;
}

bool ISteamUserStats::GetStat(const char* name, float* value) {
    double v = 0;
    if (!getStat(name, v) || value == nullptr) return false;
    *value = static_cast<float>(v);
    return true;
}

bool ISteamUserStats::SetStat(const char* name, int32_t value) {
    return setStat(name, value);
}

bool ISteamUserStats::SetStat(const char* name, float value) {
    return setStat(name, value);
}

bool ISteamUserStats::GetAchievement(const char* name, bool* achieved) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    record(s, "GetAchievement " + text(name));
    if (!statsUsable(s) || name == nullptr || achieved == nullptr) return false;
    *achieved = s.achievements.count(name) > 0;
    return true;
}

bool ISteamUserStats::SetAchievement(const char* name) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    record(s, "SetAchievement " + text(name));
    if (!statsUsable(s) || name == nullptr) return false;
    s.achievements.insert(name);
    return true;
}

bool ISteamUserStats::StoreStats() {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    record(s, "StoreStats");
    if (!statsUsable(s)) return false;
    s.pending.push_back([](SteamListener& l) { l.onUserStatsStored(true); });
    return true;
}

SteamAPICall_t ISteamUserStats::FindLeaderboard(const char* name) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    record(s, "FindLeaderboard " + text(name));
    if (!s.initialised || name == nullptr) return 0;
    std::size_t index = 0;
    while (index < s.boards.size() && s.boards[index].name != name) ++index;
    if (index == s.boards.size()) {
        Board board;
        board.name = name;
        s.boards.push_back(board);
    }
    const SteamAPICall_t call = s.nextCall++;
    const SteamLeaderboard_t handle = index + 1;
    s.pending.push_back([call, handle](SteamListener& l) { l.onLeaderboardFound(call, handle, true); });
    return call;
}

SteamAPICall_t ISteamUserStats::UploadLeaderboardScore(SteamLeaderboard_t board, ELeaderboardUploadScoreMethod method,
                                                       int32_t score, const int32_t* details, int detailCount) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    std::vector<int> given;
    for (int i = 0; details != nullptr && i < detailCount; ++i) given.push_back(details[i]);
    std::string line = "UploadLeaderboardScore ";
    line += (board >= 1 && board <= s.boards.size()) ? s.boards[board - 1].name : "?";
    line += " " + std::to_string(score) + " ";
    for (std::size_t i = 0; i < given.size(); ++i) line += (i ? "," : "") + std::to_string(given[i]);
    record(s, line);
    if (!s.initialised || board < 1 || board > s.boards.size()) return 0;
    Board& entry = s.boards[board - 1];
    const bool better = !entry.hasEntry || method == k_ELeaderboardUploadScoreMethodForceUpdate || score > entry.score;
    if (better) {
        entry.hasEntry = true;
        entry.score = score;
        entry.details = given;
    }
    const SteamAPICall_t call = s.nextCall++;
    s.pending.push_back([call, score, better](SteamListener& l) { l.onScoreUploaded(call, true, score, better); });
    return call;
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

void clearUserData() {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.statsReceived = false;
    s.stats.clear();
    s.achievements.clear();
    s.boards.clear();
    s.pending.clear();
}

void seedStat(const std::string& name, float value) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.stats[name] = value;
}

float statValue(const std::string& name) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    const auto found = s.stats.find(name);
    return found == s.stats.end() ? -1.0f : static_cast<float>(found->second);
}

std::vector<std::string> achievements() {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    return std::vector<std::string>(s.achievements.begin(), s.achievements.end());
}

bool boardEntry(const std::string& board, int& score, std::vector<int>& details) {
    SteamState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    for (const Board& b : s.boards) {
        if (b.name != board || !b.hasEntry) continue;
        score = b.score;
        details = b.details;
        return true;
    }
    return false;
}

}  // namespace SteamLayer
