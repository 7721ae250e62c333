#pragma once

#include <map>
#include <string>

#include "AchievementAndStatsWrapper.h"
#include "StatRecord.h"

// The stat counters by name. Placeholder: no records, no fetches, no threads.
class StatsTracker {
public:
    void setup();
    void startGlobalStatGetters();
    void toggleGlobalStats();
    void readBackFromSteam();

    std::map<std::string, StatRecord> records;
    AchievementAndStatsWrapper statsWrapper;
    bool busy = false;
    bool sendGlobalStats = false;
};
