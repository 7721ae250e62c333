#include "AchievementAndStatsWrapper.h"

#include <sstream>

void AchievementAndStatsWrapper::setStatInt(const std::string& name, int value) {
    calls.push_back("setStatInt " + name + " " + std::to_string(value));
}

void AchievementAndStatsWrapper::setStatFloat(const std::string& name, float value) {
    std::ostringstream text;
    text << "setStatFloat " << name << " " << value;
    calls.push_back(text.str());
}

bool AchievementAndStatsWrapper::uploadScore(int score, int mode, bool coop, const std::vector<int>& shipTypes) {
    std::ostringstream text;
    text << "uploadScore " << score << " " << mode << " " << (coop ? "coop" : "single") << " [";
    for (size_t i = 0; i < shipTypes.size(); ++i) text << (i ? "," : "") << shipTypes[i];
    text << "]";
    calls.push_back(text.str());
    return ready;
}
