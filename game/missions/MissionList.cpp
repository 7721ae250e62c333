#include "MissionList.h"

#include <algorithm>

#include "SoundBank.h"
#include "ofMath.h"

void MissionList::attach(const MissionCounters& newCounters, PixelFont* newFont, SoundBank* newSoundBank) {
    counters = newCounters;
    font = newFont;
    soundBank = newSoundBank;
}

void MissionList::addMission(Mission mission) {
    mission.goalKinds.clear();
    for (auto& component : mission.components) {
        if (!component) continue;
        component->counters = counters;
        component->soundBank = soundBank;
        if (component->isGoal()) mission.goalKinds.push_back(component->goalKind);
    }
    pool.push_back(std::move(mission));
}

void MissionList::setup() {
    loadProgress();
    fillCurrentMissions(true);
}

void MissionList::update(float frameTime) {
    if (!runStarted) {
        runStarted = true;
        allMissions = false;
        roundDecided = false;
        for (Mission& mission : current) {
            mission.complete = false;
            for (auto& component : mission.components)
                if (component) component->reset();
        }
    }
    for (Mission& mission : current) {
        if (mission.complete) continue;
        for (auto& component : mission.components)
            if (component) component->update(frameTime);
        if (mission.goalsMet()) completeMission(mission);
    }
    if (roundDecided || current.empty()) return;
    for (Mission& mission : current) {
        if (mission.complete || mission.timeValue == -1 || !(counters.time() > mission.timeValue)) continue;
        failMission(mission);
        roundDecided = true;
        killPlayerRequest = true;
        return;
    }
    for (const Mission& mission : current)
        if (!mission.complete) return;
    roundDecided = true;
    if (pool.empty())
        endingRequest = true;
    else
        killPlayerRequest = true;
}

void MissionList::completeMission(Mission& mission) {
    mission.complete = true;
    banners.push_back({"COMPLETE!", mission.name, 0});
    addSparks(width * 0.5f, 300);
    if (soundBank) soundBank->playMissionComplete();
}

void MissionList::failMission(Mission& mission) {
    banners.push_back({"FAILED", mission.name, 0});
    if (soundBank) soundBank->playMissionFailed();
}

void MissionList::addSparks(float x, float y) {
    for (int i = 0; i < 30; ++i) {
        Spark spark;
        spark.setup(x + ofRandomSigned() * 200, y + ofRandomSigned() * 40, ofColor(255, 215, 64));
        sparks.push_back(spark);
    }
}

void MissionList::updateSparks(float) {
    sparks.erase(std::remove_if(sparks.begin(), sparks.end(), [](const Spark& s) { return s.life < 1; }),
                 sparks.end());
}

void MissionList::fillCurrentMissions(bool atSetup) {
    if (!atSetup && !current.empty()) {
        results.clear();
        for (const Mission& mission : current)
            results.push_back({mission.name, mission.complete, mission.progressText()});
        const float played = counters.time();
        if (played > 0) runTime += played;
        showingResults = true;
        resultsTime = 0;
    }
    std::vector<Mission> stillOpen;
    for (Mission& mission : current) {
        if (mission.complete)
            completed.push_back(std::move(mission));
        else
            stillOpen.push_back(std::move(mission));
    }
    current.swap(stillOpen);
    std::stable_sort(pool.begin(), pool.end(), [](const Mission& a, const Mission& b) { return a.order < b.order; });
    bool added = false;
    while (static_cast<int>(current.size()) < wantedCount && !pool.empty()) {
        current.push_back(std::move(pool.front()));
        pool.erase(pool.begin());
        added = true;
    }
    if (added && !atSetup) restartRequest = true;
    saveProgress();
}

void MissionList::finishFullRun() {
    if (bestTotalTime < 0 || runTime < bestTotalTime) bestTotalTime = runTime;
    runTime = 0;
    ++fullFinishes;
    pool.clear();
    current.clear();
    completed.clear();
    allMissions = true;
}

int MissionList::countAllMissions() const {
    return static_cast<int>(pool.size() + current.size() + completed.size());
}

void MissionList::dismissResults() {
    if (resultsTime > 0.4f) showingResults = false;
}

void MissionList::pickEncouragement() {
    encouragementTop.clear();
    encouragementBottom.clear();
    if (encouragementLines.empty()) return;
    size_t i = static_cast<size_t>(ofRandom(static_cast<float>(encouragementLines.size())));
    if (i >= encouragementLines.size()) i = encouragementLines.size() - 1;
    const std::string& line = encouragementLines[i];
    const size_t mark = line.find('#');
    encouragementTop = line.substr(0, mark);
    if (mark != std::string::npos) encouragementBottom = line.substr(mark + 1);
}
