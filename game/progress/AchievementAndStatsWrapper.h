#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "steam_api.h"

// The game's door to Steam user stats, achievements and leaderboards. It
// calls Steam only while Steam is available; stats and boards only once the
// user's stats have arrived (ready).
class AchievementAndStatsWrapper : public SteamListener {
public:
    AchievementAndStatsWrapper() = default;
    ~AchievementAndStatsWrapper() override;
    AchievementAndStatsWrapper(const AchievementAndStatsWrapper&) = delete;
    AchievementAndStatsWrapper& operator=(const AchievementAndStatsWrapper&) = delete;

    // Taken from the application at set-up; when true the user's stats are
    // requested.
    void setSteamAvailable(bool available);

    void setStatInt(const std::string& name, int value);
    void setStatFloat(const std::string& name, float value);
    // Steam's value of a stat, when Steam is ready and holds one.
    bool getStatInt(const std::string& name, int& value);
    bool getStatFloat(const std::string& name, float& value);
    void setAchievement(const std::string& name);
    void storeStats();
    // To the board of mode 1, 2 or 4 ("_coop" for co-op), keeping the best,
    // with the ship types as details. False when not ready or no such board.
    bool uploadScore(int score, int mode, bool coop, const std::vector<int>& shipTypes);

    static std::string boardName(int mode, bool coop);

    void onUserStatsReceived(bool ok) override;
    void onLeaderboardFound(SteamAPICall_t call, SteamLeaderboard_t board, bool found) override;

    bool steamAvailable = false;
    // Set when the user's stats arrive; the stats tracker reads them back and
    // clears it.
    bool statsReceived = false;
    bool ready = false;
    bool requestPending = false;

private:
    struct Upload {
        std::string board;
        SteamAPICall_t findCall = 0;
        int score = 0;
        std::vector<int32_t> details;
    };
    struct KnownBoard {
        std::string name;
        SteamLeaderboard_t handle = 0;
    };
    void upload(SteamLeaderboard_t handle, const Upload& upload);

    bool listening = false;
    std::vector<KnownBoard> boards;
    // Scores waiting for their board to be found.
    std::vector<Upload> waiting;
};
