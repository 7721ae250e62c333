#pragma once

#include <string>
#include <vector>

// The Steam statistics wrapper. Placeholder: Steam stats never arrive, so
// every call does nothing.
class AchievementAndStatsWrapper {
public:
    void setStatInt(const std::string& name, int value);
    void setStatFloat(const std::string& name, float value);
    bool uploadScore(int score, int mode, bool coop, const std::vector<int>& shipTypes);

    bool steamAvailable = false;
    bool statsReceived = false;
    bool ready = false;
    bool requestPending = false;
    // Placeholder: every call is recorded here, e.g. "setStatInt foe_kills 3".
    std::vector<std::string> calls;
};
