#pragma once

#include <memory>
#include <string>

#include "GlobalStatSender.h"

class AchievementAndStatsWrapper;

// One tracked counter. A plain counter hands its total on to Steam; a global
// counter hands on only what it rose by, to Steam's linked stat or to the
// score server.
class StatRecord {
public:
    void submit(float amount);
    // value += amount, then submit the total (the amount for a global).
    void raise(float amount);
    void bump();

    std::string name;
    float value = 0;
    // The tracker's wrapper; it outlives the record. Null: nothing is sent.
    AchievementAndStatsWrapper* wrapper = nullptr;
    bool isInt = true;
    bool isGlobal = false;
    bool sendingEnabled = false;
    // Made for global counters only.
    std::shared_ptr<GlobalStatSender> sender;
    // The record whose value goes to Steam for a global counter; owned by the
    // same tracker.
    StatRecord* steamRecord = nullptr;
    float version = 0;
};
