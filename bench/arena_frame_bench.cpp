// Whole game frames, update and draw, with the clock moving 1/30 s a frame,
// in clips that each start in a fresh game:
// - a busy arena: a seeded Easy round with 300 asteroids, 30 foes of mixed
//   kinds, a full weapon chain, 500 sparks, 10 popups and the multikill
//   banner over the background grid, at zoom 1 and 0.3; every clip of 60
//   frames starts from the same set-up, and the sparks are renewed each frame;
// - a played Asteroid Field round: the mouse circles the ship, which cannot
//   die; each clip of 150 frames follows 40 s of untimed play.
// Drawn through a counting renderer (the game's own work; its draws are what
// a renderer without batching would send) and through OpenGL in a 960 by 960
// window, glFinish every frame. Medians per frame: draws or OpenGL draw
// calls, main-thread CPU of update and draw, and update + draw + glFinish.
// Needs an X display ($DISPLAY).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include "GameBenchSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BaronFoe.h"
#include "CountingRenderer.h"
#include "JitterFoe.h"
#include "NormFoe.h"
#include "SpiralFoe.h"
#include "ofGraphics.h"
#include "ofMath.h"

namespace {

// A fresh game for every clip, so that every clip plays the same.
std::unique_ptr<vantorixPC> app;
BenchClock gameClock;
std::vector<Spark> sparkField;

const int busyClip = 60;
const int fieldClip = 150;
const int fieldWarmUp = 40 * 30;

// A fresh game playing a single-player round of the mode from its start.
GameCore& startRound(GameMode mode, unsigned seed) {
    app = setUpBenchGame();
    GameCore& core = app->core;
    gameClock.restart();
    ofSeedRandom(seed);
    core.splashActive = false;
    core.gameMode = mode;
    core.coop = core.deathMatch = false;
    core.startRound(false);
    core.gameState = GameState::Playing;
    core.backgroundColor = core.backgroundTarget = core.modeColors[static_cast<int>(mode)];
    core.backgroundTiles = true;
    return core;
}

void busyRound(float zoom) {
    GameCore& core = startRound(GameMode::Easy, 2024);
    core.zoom = zoom;

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
void busyFrame() {
    gameClock.tick();
    app->core.sparks = sparkField;
    app->core.players[0].invulnerabilityTimer = 100;
    app->update();
    app->draw();
}

int fieldFrameIndex = 0;

void fieldFrame() {
    gameClock.tick();
    const float a = ++fieldFrameIndex * 0.04f;
    app->mouseX = static_cast<int>(480 + 300 * std::cos(a));
    app->mouseY = static_cast<int>(480 + 300 * std::sin(a));
    app->core.players[0].invulnerabilityTimer = 100;
    app->update();
    app->draw();
}

// The round's opening goes through a counting renderer, which costs little.
void fieldRound() {
    std::shared_ptr<ofBaseRenderer> renderer = ofGetCurrentRenderer();
    ofSetCurrentRenderer(std::make_shared<CountingRenderer>());
    startRound(GameMode::AsteroidField, 4040);
    fieldFrameIndex = 0;
    for (int i = 0; i < fieldWarmUp; ++i) fieldFrame();
    ofSetCurrentRenderer(renderer);
}

void rocks(FrameSamples& samples) {
    samples.add("rocks", app->core.rocksTested);
}

// The argument is the zoom in tenths.
void BM_ArenaFrameCounted(benchmark::State& state) {
    const float zoom = static_cast<float>(state.range(0)) / 10.0f;
    runClips(state, false, busyClip, [zoom] { busyRound(zoom); }, busyFrame, rocks);
}

void BM_ArenaFrameOpenGL(benchmark::State& state) {
    const float zoom = static_cast<float>(state.range(0)) / 10.0f;
    runClips(state, true, busyClip, [zoom] { busyRound(zoom); }, busyFrame, rocks);
}

void BM_AsteroidFieldCounted(benchmark::State& state) {
    runClips(state, false, fieldClip, fieldRound, fieldFrame, rocks);
}

void BM_AsteroidFieldOpenGL(benchmark::State& state) {
    runClips(state, true, fieldClip, fieldRound, fieldFrame, rocks);
}

// Whole clips, a fixed number of frames: medians of the same frames each run.
BENCHMARK(BM_ArenaFrameCounted)->Arg(10)->Arg(3)->Iterations(10 * busyClip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArenaFrameOpenGL)->Arg(10)->Arg(3)->Iterations(4 * busyClip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AsteroidFieldCounted)->Iterations(4 * fieldClip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AsteroidFieldOpenGL)->Iterations(2 * fieldClip)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const ScratchDir scratch;
    playInScratchFolder(scratch);
    app = startBenchGame("arena_frame_bench");
    if (!app) return 1;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("frame budget 33 ms; goals: busy frame 300 calls, 3 ms CPU, 8 ms with glFinish; "
                "Asteroid Field 150 calls, 1.5 ms CPU\n");
    app.reset();
    return 0;
}
