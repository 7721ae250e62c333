#include "AchievementAndStatsWrapper.h"

#include "ofLog.h"

AchievementAndStatsWrapper::~AchievementAndStatsWrapper() {
    if (listening) SteamAPI_RemoveListener(this);
}

void AchievementAndStatsWrapper::setSteamAvailable(bool available) {
    steamAvailable = available;
    if (!available) {
        ready = false;
        requestPending = false;
        return;
    }
    if (!listening) {
        SteamAPI_AddListener(this);
        listening = true;
    }
    requestPending = SteamUserStats()->RequestCurrentStats();
}

void AchievementAndStatsWrapper::setStatInt(const std::string& name, int value) {
    if (!steamAvailable || !ready) return;
    SteamUserStats()->SetStat(name.c_str(), static_cast<int32_t>(value));
}

void AchievementAndStatsWrapper::setStatFloat(const std::string& name, float value) {
    if (!steamAvailable || !ready) return;
    SteamUserStats()->SetStat(name.c_str(), value);
}

bool AchievementAndStatsWrapper::getStatInt(const std::string& name, int& value) {
    if (!steamAvailable || !ready) return false;
    int32_t v = 0;
    if (!SteamUserStats()->GetStat(name.c_str(), &v)) return false;
    value = v;
    return true;
}

bool AchievementAndStatsWrapper::getStatFloat(const std::string& name, float& value) {
    if (!steamAvailable || !ready) return false;
    return SteamUserStats()->GetStat(name.c_str(), &value);
}

void AchievementAndStatsWrapper::setAchievement(const std::string& name) {
    if (!steamAvailable || !ready) return;
    SteamUserStats()->SetAchievement(name.c_str());
}

void AchievementAndStatsWrapper::storeStats() {
    if (!steamAvailable || !ready) return;
    SteamUserStats()->StoreStats();
}

std::string AchievementAndStatsWrapper::boardName(int mode, bool coop) {
    std::string name;
    if (mode == 1) name = "arcade_easy";
    else if (mode == 2) name = "arcade_hard";
    else if (mode == 4) name = "arcade_asteroid";
    else return std::string();
    return coop ? name + "_coop" : name;
}

bool AchievementAndStatsWrapper::uploadScore(int score, int mode, bool coop, const std::vector<int>& shipTypes) {
    if (!steamAvailable || !ready) return false;
    Upload job;
    job.board = boardName(mode, coop);
    if (job.board.empty()) return false;
    job.score = score;
    for (int type : shipTypes) job.details.push_back(static_cast<int32_t>(type));
    for (const KnownBoard& known : boards) {
        if (known.name == job.board) {
            upload(known.handle, job);
            return true;
        }
    }
    job.findCall = SteamUserStats()->FindLeaderboard(job.board.c_str());
    if (job.findCall == 0) return false;
    waiting.push_back(job);
    return true;
}

void AchievementAndStatsWrapper::upload(SteamLeaderboard_t handle, const Upload& job) {
    SteamUserStats()->UploadLeaderboardScore(handle, k_ELeaderboardUploadScoreMethodKeepBest, job.score,
                                             job.details.data(), static_cast<int>(job.details.size()));
}

void AchievementAndStatsWrapper::onUserStatsReceived(bool ok) {
    requestPending = false;
    if (!ok) {
        ofLogWarning("Steam") << "user stats did not arrive";
        return;
    }
    ready = true;
    statsReceived = true;
}

void AchievementAndStatsWrapper::onLeaderboardFound(SteamAPICall_t call, SteamLeaderboard_t board, bool found) {
    for (std::size_t i = 0; i < waiting.size(); ++i) {
        if (waiting[i].findCall != call) continue;
        const Upload job = waiting[i];
        waiting.erase(waiting.begin() + static_cast<long>(i));
        if (!found || board == 0) {
            ofLogWarning("Steam") << "leaderboard " << job.board << " not found";
            return;
        }
        boards.push_back(KnownBoard{job.board, board});
        upload(board, job);
        return;
    }
}
