// One busy arena frame, update and draw: a seeded Easy round with 300
// asteroids, 30 foes of mixed kinds, a full weapon chain, 500 sparks, 10
// popups and the multikill banner over the background grid, at zoom 1 and
// 0.3. Drawn once through the recording renderer and once through OpenGL in a
// 960 by 960 window (glFinish every frame). Needs an X display ($DISPLAY).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include "GameBenchSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BaronFoe.h"
#include "CoreTestSupport.h"
#include "JitterFoe.h"
#include "NormFoe.h"
#include "RecordingRenderer.h"
#include "SpiralFoe.h"
#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "vantorixPC.h"

namespace {

std::unique_ptr<vantorixPC> app;
std::vector<Spark> sparkField;

void busyRound() {
    GameCore& core = app->core;
    ofSeedRandom(2024);
    core.splashActive = false;
    core.gameMode = GameMode::Easy;
    core.coop = core.deathMatch = false;
    core.startRound(false);
    core.gameState = GameState::Playing;
    core.backgroundColor = core.modeColors[static_cast<int>(GameMode::Easy)];
    core.backgroundTiles = true;

    for (Asteroid* a : core.asteroids) delete a;
    core.asteroids.clear();
    for (int i = 0; i < 300; ++i) {
        Asteroid* rock = new Asteroid;
        rock->setup(core.rockColors[static_cast<size_t>(i % 5)], 0, 0, 1, 4, 1, 3, i % 3 == 0, false);
        rock->x = ofRandomRange(-1500, 1500);
        rock->y = ofRandomRange(-1500, 1500);
        core.asteroids.push_back(rock);
    }
    core.rocksTested = 300;

    for (Foe* f : core.foes) delete f;
    core.foes.clear();
    for (int i = 0; i < 30; ++i) {
        Foe* foe = nullptr;
        switch (i % 4) {
            case 0: foe = new NormFoe; break;
            case 1: foe = new SpiralFoe; break;
            case 2: foe = new JitterFoe; break;
            default: foe = new BaronFoe; break;
        }
        foe->spawn(core.foeColor, ofRandom(6.28f), 0, 0, false, false);
        foe->x = ofRandomRange(-900, 900);
        foe->y = ofRandomRange(-900, 900);
        core.foes.push_back(foe);
    }

    PlayerShip& ship = core.players[0];
    ship.setup(core.playerColors[0], false, false, &core.soundBank, &core.font);
    ship.setShipType(0);
    ship.lives = 100;
    ship.point.position.set(0, 0);
    for (int i = 0; i < 12; ++i) {
        WeaponParticle*& weapon = core.weaponPoints[0][i];
        if (!weapon) weapon = new WeaponParticle;
        float a = i * 0.5236f;
        weapon->position.set(200 * std::cos(a), 200 * std::sin(a));
        weapon->velocity.set(6 * std::sin(a), -6 * std::cos(a));
        weapon->setupForShip(0, 1, false);
        weapon->setColor(core.playerColors[0]);
        Spring& spring = core.weaponSprings[0][i];
        spring.setupForShipType(0, i);
        spring.weaponEnd = weapon;
        spring.shipEnd = &ship.point;
        spring.colour = core.playerColors[0];
    }
    core.chainCap = 12;

    sparkField.clear();
    for (int i = 0; i < 500; ++i) {
        Spark spark;
        spark.setup(ofRandomRange(-800, 800), ofRandomRange(-800, 800), core.foeColor);
        sparkField.push_back(spark);
    }
    core.popups.clear();
    for (int i = 0; i < 10; ++i) {
        PopupMessage popup;
        popup.setup("+" + std::to_string(10 * (i + 1)), ofRandomRange(-400, 400), ofRandomRange(-400, 400), 2.0f,
                    &core.font, 2.0f);
        core.popups.push_back(popup);
    }
    core.multikillTimer = 2.0f;
    core.multikillLevel = 3;
}

// Sparks age as they are drawn; every frame starts from the same 500. The
// ship stays protected so the round keeps running.
void frame() {
    app->core.sparks = sparkField;
    app->core.multikillTimer = 2.0f;
    app->core.players[0].invulnerabilityTimer = 100;
    app->update();
    app->draw();
}

void BM_ArenaFrameRecorded(benchmark::State& state) {
    auto recorder = std::make_shared<RecordingRenderer>();
    std::shared_ptr<ofBaseRenderer> gl = ofGetCurrentRenderer();
    ofSetCurrentRenderer(recorder);
    busyRound();
    app->core.zoom = static_cast<float>(state.range(0)) / 10.0f;
    size_t calls = 0;
    for (auto _ : state) {
        recorder->reset();
        frame();
        calls = recorder->calls.size();
    }
    state.counters["calls/frame"] = static_cast<double>(calls);
    ofSetCurrentRenderer(gl);
}

void BM_ArenaFrameOpenGL(benchmark::State& state) {
    busyRound();
    app->core.zoom = static_cast<float>(state.range(0)) / 10.0f;
    for (auto _ : state) {
        ofViewport(0, 0, 960, 960, true);
        ofClear(0, 0, 0, 255);
        ofSetupScreen();
        frame();
        glFinish();
    }
}

// The argument is the zoom in tenths.
BENCHMARK(BM_ArenaFrameRecorded)->Arg(10)->Arg(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArenaFrameOpenGL)->Arg(10)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    app = startBenchGame("arena_frame_bench");
    if (!app) return 1;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("frame budget 33 ms; goal for update + draw 8 ms\n");
    app.reset();
    return 0;
}
