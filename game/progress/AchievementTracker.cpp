#include "AchievementTracker.h"

#include "StatsTracker.h"
#include "ofMath.h"

namespace {

// Difficulty flags 1, 2, 4 to the achievement's middle word.
const char* difficultyWord(int mode) {
    switch (mode) {
        case 1: return "easy";
        case 2: return "hard";
        case 4: return "asteroid";
        default: return nullptr;
    }
}

}  // namespace

void AchievementTracker::setup(StatsTracker& stats) {
    stats.setup(&wrapper);
    teamPacifistFailed = false;
    earnThisFrame = 1800 + static_cast<int>(ofRandom(52200));
}

void AchievementTracker::setSteamAvailable(bool available) {
    steamAvailable = available;
    wrapper.setSteamAvailable(available);
}

void AchievementTracker::award(const std::string& name) {
    if (!wrapper.steamAvailable || !wrapper.ready || given.count(name) > 0) return;
    given.insert(name);
    wrapper.setAchievement(name);
}

bool AchievementTracker::awarded(const std::string& name) const {
    return given.count(name) > 0;
}

void AchievementTracker::checkScore(int score, int mode, int) {
    const char* word = difficultyWord(mode);
    if (word == nullptr) return;
    if (score >= 1000) award(std::string("score_") + word);
    if (score >= 5000) award(std::string("score_") + word + "_high");
}

void AchievementTracker::checkCoopScore(int score, int mode) {
    const char* word = difficultyWord(mode);
    if (word != nullptr && score >= 3000) award(std::string("coop_score_") + word);
}

void AchievementTracker::checkTeamPacifist(float playTime) {
    if (teamPacifistFailed || playTime < 120.0f) return;
    award("team_pacifist");
    teamPacifistFailed = true;
}

void AchievementTracker::checkCoopRevives(int revives) {
    if (revives >= 15) award("coop_revive_one_round");
}

void AchievementTracker::checkTotalKills(int total) {
    if (total >= 10000) award("total_kills");
}

void AchievementTracker::checkTotalDeaths(int total) {
    if (total >= 5000) award("total_deaths");
}

void AchievementTracker::checkDeathmatchKills(int total) {
    if (total >= 1000) award("deathmatch_kill");
}

void AchievementTracker::checkXmlEdit(int value) {
    if (value != 0) award("xml_edit");
}

void AchievementTracker::awardUnlockedAll() {
    award("unlocked_all");
}

void AchievementTracker::awardKilledBySnitch() {
    award("killed_by_snitch");
}

void AchievementTracker::awardLoopHardMusic() {
    award("loop_hard_music");
}

void AchievementTracker::awardPerfectCreditsRun() {
    award("perfect_credits_run");
}

void AchievementTracker::rollEarnThis() {
    if (static_cast<int>(ofRandom(100)) == 0) award("earn_this");
}
