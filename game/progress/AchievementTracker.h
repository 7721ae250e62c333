#pragma once

#include <set>
#include <string>

#include "AchievementAndStatsWrapper.h"

class StatsTracker;

// The achievements: thresholds and one-off awards, each set once and only
// while Steam's stats are ready.
class AchievementTracker {
public:
    // Hands the stats tracker this tracker's wrapper and draws the frame of
    // the rare award.
    void setup(StatsTracker& stats);
    void setSteamAvailable(bool available);

    void checkScore(int score, int mode, int shipType);
    void checkCoopScore(int score, int mode);
    void checkTeamPacifist(float playTime);
    void checkCoopRevives(int revives);
    void checkTotalKills(int total);
    void checkTotalDeaths(int total);
    void checkDeathmatchKills(int total);
    void checkXmlEdit(int value);
    void awardUnlockedAll();
    void awardKilledBySnitch();
    void awardLoopHardMusic();
    void awardPerfectCreditsRun();
    void rollEarnThis();

    // Sets the achievement unless already set in this run or Steam is not ready.
    void award(const std::string& name);
    bool awarded(const std::string& name) const;

    AchievementAndStatsWrapper wrapper;
    bool steamAvailable = false;
    // Set once the co-op pacifism goal is decided for the run.
    bool teamPacifistFailed = false;
    // The frame on which the rare award is rolled.
    int earnThisFrame = -1;

private:
    std::set<std::string> given;
};
