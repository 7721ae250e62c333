// One death-match frame, update and draw: four joined ships past the
// countdown in a seeded score match on "So Many" asteroids, every weapon chain
// bunched in the middle so that all six pairs grind, with the corner HUD. The
// clock moves 1/30 s a frame; every clip of 60 frames starts from the same
// set-up. Drawn through a counting renderer and in a 960 by 960 window through
// OpenGL (glFinish every frame); medians per frame. Needs an X display
// ($DISPLAY).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include "GameBenchSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "CoreTestSupport.h"
#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "vantorixPC.h"

namespace {

// A fresh game for every clip, so that every clip plays the same.
std::unique_ptr<vantorixPC> app;
BenchClock gameClock;
const int clip = 60;

void busyMatch() {
    app = setUpBenchGame();
    GameCore& core = app->core;
    gameClock.restart();
    ofSeedRandom(2026);
    core.splashActive = false;
    core.backgroundTiles = true;
    core.deathMatch = true;
    core.coop = false;
    core.gameMode = GameMode::Multiplayer;
    core.playerCount = 4;
    for (int i = 0; i < 4; ++i) core.players[i].joined = true;
    core.matchSettings.matchType = MatchSettings::Score;
    core.matchSettings.value = 10;
    core.matchSettings.foeAmount = 3;
    core.matchSettings.map = 0;
    core.startMatch();
    core.matchClock = core.matchStartDelay + 1;
    core.players[1].setShipType(1);
}

// The ships sit round the centre with their chains crossing; nobody can be
// hit, so every frame is the same busy frame.
void frame() {
    gameClock.tick();
    GameCore& core = app->core;
    for (int p = 0; p < 4; ++p) {
        PlayerShip& ship = core.players[p];
        const float a = p * 1.5708f;
        ship.point.position.set(80 * std::cos(a), 80 * std::sin(a));
        ship.invulnerabilityTimer = 100;
        for (int i = 0; i < 12; ++i) {
            WeaponParticle* w = core.weaponPoints[p][i];
            if (w == nullptr) continue;
            w->position.set(ofRandomRange(-60, 60), ofRandomRange(-60, 60));
        }
    }
    core.killSequence = false;
    core.gameState = GameState::Playing;
    app->update();
    app->draw();
}

void note(FrameSamples& samples) {
    samples.add("rocks", static_cast<double>(app->core.asteroids.size()));
    samples.add("sparks", static_cast<double>(app->core.sparks.size()));
}

void BM_DeathMatchFrameOpenGL(benchmark::State& state) {
    runClips(state, true, clip, busyMatch, frame, note);
}

void BM_DeathMatchFrameCounted(benchmark::State& state) {
    runClips(state, false, clip, busyMatch, frame, note);
}

BENCHMARK(BM_DeathMatchFrameOpenGL)->Iterations(4 * clip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeathMatchFrameCounted)->Iterations(10 * clip)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const ScratchDir scratch;
    playInScratchFolder(scratch);
    app = startBenchGame("deathmatch_frame_bench");
    if (!app) return 1;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("frame budget 33 ms\n");
    app.reset();
    return 0;
}
