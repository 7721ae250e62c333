#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "CapturedOutput.h"
#include "../screens/ScreensTestSupport.h"
#include "ArenaWalls.h"
#include "GoalPointMissionComponent.h"
#include "MissionList.h"
#include "PlayerShip.h"
#include "RecordingRenderer.h"
#include "ofGraphics.h"

// A mission list wired to counters of the test's own, in a scratch working
// folder with an empty data folder, drawing into a recording renderer.
class MissionFixture : public testing::Test {
protected:
    void SetUp() override {
        ofSetCurrentRenderer(recorder);
        ofFixElapsedTimef(0);
        ofFixFrameNum(0);
        ofSeedRandom(3);
        completeSound = services.record(services.sounds.missionComplete);
        failedSound = services.record(services.sounds.missionFailed);
        wayPointSound = services.record(services.sounds.wayPoint);
        walls.setup(false, true, 3, 0);
        counters = {&kills, &rocks, &multikill, &playTime, &ship, &walls};
    }
    void TearDown() override {
        ofReleaseFixedClock();
        ofSetCurrentRenderer(nullptr);
    }
    void attach() {
        list.attach(counters, &services.font, &services.sounds);
        defineStandardMissions(list);
    }
    // The twelve standard missions, the progress file read, three current.
    CapturedOutput defineAndSetup() {
        attach();
        return captureOutput([&] { list.setup(); });
    }

    screens_test::ScratchFolder dir;
    screens_test::Services services;
    std::shared_ptr<RecordingRenderer> recorder = std::make_shared<RecordingRenderer>();
    std::shared_ptr<SoundCallCounter> completeSound, failedSound, wayPointSound;
    ArenaWalls walls;
    PlayerShip ship;
    int kills = 0, rocks = 0, multikill = 0;
    float playTime = 0;
    MissionCounters counters;
    MissionList list;
};

inline std::vector<std::string> names(const std::vector<Mission>& missions) {
    std::vector<std::string> out;
    for (const Mission& m : missions) out.push_back(m.name);
    return out;
}
