#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AchievementAndStatsWrapper.h"
#include "GlobalStatGetter.h"
#include "ScoreServer.h"
#include "StatRecord.h"

// The stat counters by name, and the fetches of the four global totals.
class StatsTracker {
public:
    StatsTracker() = default;
    ~StatsTracker();
    StatsTracker(const StatsTracker&) = delete;
    StatsTracker& operator=(const StatsTracker&) = delete;

    // Makes every record; wrapper is the achievement tracker's.
    void setup(AchievementAndStatsWrapper* wrapper);
    // The record of that name; an unknown name gets a warning and a scratch
    // record that is neither saved nor sent.
    StatRecord& record(const std::string& name);
    bool has(const std::string& name) const;

    void setServer(const ScoreServer& server);
    void startGlobalStatGetters();
    void toggleGlobalStats();
    void setSendGlobalStats(bool on);
    // Keeps the larger of the local and the Steam value of every counter.
    void readBackFromSteam();
    // The world-wide total of a global counter; -1 until fetched.
    long long globalTotal(const std::string& name);

    // Names in the order the stats screen lists them.
    std::vector<std::string> order;
    std::vector<std::string> globalNames;
    std::map<std::string, StatRecord> records;
    // The achievement tracker's wrapper; it outlives this tracker's use of it.
    AchievementAndStatsWrapper* wrapper = nullptr;
    bool busy = false;
    bool sendGlobalStats = true;
    ScoreServer server;

private:
    void add(const std::string& name, bool isInt);
    void addGlobal(const std::string& name, const std::string& linked);

    StatRecord unknown;
    // One per global counter, in the order of globalNames.
    std::vector<std::unique_ptr<GlobalStatGetter>> getters;
};
