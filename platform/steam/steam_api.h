#pragma once

#include <cstdint>

// Our Steam-shaped layer. Steam is never running on this platform unless a
// test switches it on through SteamLayer.h; every call is harmless either way.
// Only the calls the game makes are here. Results arrive as callbacks, and
// only inside SteamAPI_RunCallbacks, on the thread that calls it.

typedef uint64_t SteamAPICall_t;
typedef uint64_t SteamLeaderboard_t;

enum ELeaderboardUploadScoreMethod {
    k_ELeaderboardUploadScoreMethodNone = 0,
    k_ELeaderboardUploadScoreMethodKeepBest = 1,
    k_ELeaderboardUploadScoreMethodForceUpdate = 2
};

// Receives callbacks and call results. A listener must be removed before it
// is destroyed.
class SteamListener {
public:
    virtual ~SteamListener() = default;
    virtual void onUserStatsReceived(bool ok) { (void)ok; }
    virtual void onUserStatsStored(bool ok) { (void)ok; }
    virtual void onLeaderboardFound(SteamAPICall_t call, SteamLeaderboard_t board, bool found) {
        (void)call, (void)board, (void)found;
    }
    virtual void onScoreUploaded(SteamAPICall_t call, bool ok, int score, bool changed) {
        (void)call, (void)ok, (void)score, (void)changed;
    }
};

// The user stats, achievements and leaderboards of the signed-in user. Every
// call fails (false or 0) without a successful SteamAPI_Init; stats can be
// read and set only once they have been received.
class ISteamUserStats {
public:
    bool RequestCurrentStats();
    bool GetStat(const char* name, int32_t* value);
    bool GetStat(const char* name, float* value);
    bool SetStat(const char* name, int32_t value);
    bool SetStat(const char* name, float value);
    bool GetAchievement(const char* name, bool* achieved);
    bool SetAchievement(const char* name);
    bool StoreStats();
    SteamAPICall_t FindLeaderboard(const char* name);
    SteamAPICall_t UploadLeaderboardScore(SteamLeaderboard_t board, ELeaderboardUploadScoreMethod method,
                                          int32_t score, const int32_t* details, int detailCount);
};

// True when Steam is running and the client could be reached.
bool SteamAPI_Init();
// Dispatches pending callbacks and call results on the calling thread.
void SteamAPI_RunCallbacks();
// The one user-stats interface of the process.
ISteamUserStats* SteamUserStats();

void SteamAPI_AddListener(SteamListener* listener);
void SteamAPI_RemoveListener(SteamListener* listener);
