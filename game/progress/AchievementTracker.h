#pragma once

#include "AchievementAndStatsWrapper.h"

// The achievements. Placeholder: nothing is ever awarded.
class AchievementTracker {
public:
    void setup();
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

    AchievementAndStatsWrapper statsWrapper;
    bool steamAvailable = false;
    bool pacifistFailed = false;
    // The frame on which the rare award is rolled; -1 never comes.
    int earnThisFrame = -1;
};
