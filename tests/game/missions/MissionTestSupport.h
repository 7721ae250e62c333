#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "../../framework/CapturedOutput.h"
#include "../core/CoreTestSupport.h"
#include "ArenaWalls.h"
#include "GoalPointMissionComponent.h"
#include "MissionList.h"
#include "PixelFont.h"
#include "PlayerShip.h"
#include "RecordingRenderer.h"
#include "SoundBank.h"
#include "ofGraphics.h"
#include "ofPath.h"
#include "ofMath.h"
#include "ofTestClock.h"

// A mission list wired to counters of the test's own, in a scratch working
// folder with an empty data folder, drawing into a recording renderer.
class MissionFixture : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vx_missions_XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr) abort();
        scratch = made;
        ASSERT_NE(nullptr, getcwd(home, sizeof home));
        ASSERT_EQ(0, chdir(scratch.c_str()));
        std::filesystem::create_directory("data");
        ofSetCurrentRenderer(recorder);
        ofFixElapsedTimef(0);
        ofFixFrameNum(0);
        ofSeedRandom(3);
        font.setup(1.0f);
        sounds.makePlayer = [] { return std::make_shared<SoundCallCounter>(); };
        sounds.loadSounds(false);
        completeSound = record(sounds.missionComplete);
        failedSound = record(sounds.missionFailed);
        wayPointSound = record(sounds.wayPoint);
        walls.setup(false, true, 3, 0);
        counters.roundKills = &kills;
        counters.rocksSmashed = &rocks;
        counters.multikillCount = &multikill;
        counters.playTime = &playTime;
        counters.ship0 = &ship;
        counters.arenaWalls = &walls;
    }
    void TearDown() override {
        ofReleaseFixedClock();
        ofSetCurrentRenderer(nullptr);
        ASSERT_EQ(0, chdir(home));
        std::filesystem::remove_all(scratch);
    }

    std::shared_ptr<SoundCallCounter> record(ofSoundPlayer& player) {
        auto counter = std::make_shared<SoundCallCounter>();
        player.setPlayer(counter);
        return counter;
    }

    // The twelve standard missions, the progress file read, three current.
    CapturedOutput defineAndSetup() {
        list.attach(counters, &font, &sounds);
        defineStandardMissions(list);
        return captureOutput([&] { list.setup(); });
    }

    std::string readData(const std::string& name) {
        std::ifstream in("data/" + name);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void writeData(const std::string& name, const std::string& text) { std::ofstream("data/" + name) << text; }

    std::string scratch;
    char home[4096] = {};
    std::shared_ptr<RecordingRenderer> recorder = std::make_shared<RecordingRenderer>();
    PixelFont font;
    SoundBank sounds;
    std::shared_ptr<SoundCallCounter> completeSound, failedSound, wayPointSound;
    ArenaWalls walls;
    PlayerShip ship;
    int kills = 0;
    int rocks = 0;
    int multikill = 0;
    float playTime = 0;
    MissionCounters counters;
    MissionList list;
};

inline std::vector<std::string> names(const std::vector<Mission>& missions) {
    std::vector<std::string> out;
    for (const Mission& m : missions) out.push_back(m.name);
    return out;
}
