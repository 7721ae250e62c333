#pragma once

#include <memory>
#include <string>

#include "GlobalStatSender.h"

class AchievementAndStatsWrapper;

// One tracked counter.
class StatRecord {
public:
    std::string name;
    float value = 0;
    // The stats tracker's wrapper; it outlives the record.
    AchievementAndStatsWrapper* wrapper = nullptr;
    bool isInt = true;
    bool isGlobal = false;
    bool sendingEnabled = false;
    std::shared_ptr<GlobalStatSender> sender;
    // The record whose value goes to Steam for a global counter; owned by the
    // same tracker.
    StatRecord* steamRecord = nullptr;
    float version = 0;
};
