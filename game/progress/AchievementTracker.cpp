#include "AchievementTracker.h"

void AchievementTracker::setup() {}
void AchievementTracker::checkScore(int, int, int) {}
void AchievementTracker::checkCoopScore(int, int) {}
void AchievementTracker::checkTeamPacifist(float) {}
void AchievementTracker::checkCoopRevives(int) {}
void AchievementTracker::checkTotalKills(int) {}
void AchievementTracker::checkTotalDeaths(int) {}
void AchievementTracker::checkDeathmatchKills(int) {}
void AchievementTracker::checkXmlEdit(int) {}
void AchievementTracker::awardUnlockedAll() {}
void AchievementTracker::awardKilledBySnitch() {}
void AchievementTracker::awardLoopHardMusic() {}
void AchievementTracker::awardPerfectCreditsRun() {}
void AchievementTracker::rollEarnThis() {}
