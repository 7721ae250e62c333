#pragma once

#include <memory>
#include <string>

#include "AchievementAndStatsWrapper.h"
#include "GlobalStatSender.h"


// One tracked counter.
class StatRecord {
public:
    // Placeholder hand-on: a plain counter's total goes to the wrapper.
    void submit(float amount) {
        if (wrapper == nullptr || isGlobal) return;
        if (isInt)
            wrapper->setStatInt(name, static_cast<int>(amount));
        else
            wrapper->setStatFloat(name, amount);
    }
    // value += amount, then submit the total (the amount for a global).
    void raise(float amount) {
        value += amount;
        submit(isGlobal ? amount : value);
    }
    void bump() { raise(1); }

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
