#include "AchievementAndStatsWrapper.h"

void AchievementAndStatsWrapper::setStatInt(const std::string&, int) {}

void AchievementAndStatsWrapper::setStatFloat(const std::string&, float) {}

bool AchievementAndStatsWrapper::uploadScore(int, int, bool, const std::vector<int>&) {
    return false;
}
