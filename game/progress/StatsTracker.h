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
    // The record of that name, made on first use (placeholder: every name is a
    // plain int counter on this tracker's wrapper).
    StatRecord& record(const std::string& name) {
        StatRecord& r = records[name];
        if (r.name.empty()) {
            r.name = name;
            r.wrapper = &statsWrapper;
        }
        return r;
    }

    std::map<std::string, StatRecord> records;
    AchievementAndStatsWrapper statsWrapper;
    bool busy = false;
    bool sendGlobalStats = false;
};
