#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "BenchSupport.h"
#include "CoreTestSupport.h"
#include "CountingRenderer.h"
#include "GLDrawCounter.h"
#include "ScratchDir.h"
#include "ofGraphics.h"
#include "ofTestClock.h"
#include "vantorixPC.h"

// A game set up with its sounds counted, not played; its start-up text is
// not printed.
inline std::unique_ptr<vantorixPC> setUpBenchGame() {
    std::unique_ptr<vantorixPC> app(new vantorixPC);
    app->core.soundBank.makePlayer = [] { return std::make_shared<SoundCallCounter>(); };
    std::ostringstream startUpText;
    std::streambuf* console = std::cout.rdbuf(startUpText.rdbuf());
    app->setup();
    std::cout.rdbuf(console);
    return app;
}

// The game saves its player and mission files as it plays: into the scratch
// folder's data/, made the working folder, never into the checkout's.
inline void playInScratchFolder(const ScratchDir& scratch) {
    std::filesystem::create_directory(scratch.file("data"));
    std::filesystem::current_path(scratch.path);
}

// The game set up in a 960 by 960 window.
inline std::unique_ptr<vantorixPC> startBenchGame(const char* program) {
    if (!openBenchWindow(program, 960, 960)) return nullptr;
    countGlewDraws();
    return setUpBenchGame();
}

// The game's clock as the window runs it, 30 frames a second: each tick is
// one frame later, so spawn, popup and banner timers move as in play. After a
// restart the next tick is the first frame again, so every clip sees the
// same times.
class BenchClock {
public:
    void restart() {
        seconds = 10;
        frame = 0;
    }
    void tick() {
        seconds += 1.0f / 30;
        ++frame;
        ofFixElapsedTimef(seconds);
        ofFixFrameNum(frame);
    }

private:
    float seconds = 10;
    int frame = 0;
};

// Per-frame figures, reported as their medians.
class FrameSamples {
public:
    static double cpuMs(clockid_t clock) {
        timespec ts{};
        clock_gettime(clock, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    }
    static double threadCpuMs() { return cpuMs(CLOCK_THREAD_CPUTIME_ID); }
    static double processCpuMs() { return cpuMs(CLOCK_PROCESS_CPUTIME_ID); }
    static double wallMs() {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
    void add(const char* name, double value) { series[name].push_back(value); }
    void report(benchmark::State& state) {
        for (auto& entry : series) {
            std::vector<double>& v = entry.second;
            if (v.empty()) continue;
            std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
            state.counters[entry.first + " median"] = v[v.size() / 2];
        }
    }

private:
    std::map<std::string, std::vector<double>> series;
};

// Runs clips of frames, each from its untimed start, through a counting
// renderer (whose draws are counted) or through OpenGL in the window, and
// reports the medians: main-thread CPU of the frame's update and draw, and
// either the renderer's draws or the OpenGL draw calls, the time to glFinish
// and the CPU the other threads (Mesa's rasterisers) spent on the frame.
// note adds the frame's own figures.
template <class Start, class Frame, class Note>
void runClips(benchmark::State& state, bool openGL, int clip, Start start, Frame frame, Note note) {
    std::shared_ptr<ofBaseRenderer> gl = ofGetCurrentRenderer();
    auto counter = std::make_shared<CountingRenderer>();
    ofSetCurrentRenderer(openGL ? gl : counter);
    FrameSamples samples;
    // The first frames build Mesa's shader variants: not frames of play.
    start();
    for (int i = 0; i < 3; ++i) frame();
    int inClip = clip;
    for (auto _ : state) {
        if (inClip == clip) {
            state.PauseTiming();
            start();
            inClip = 0;
            state.ResumeTiming();
        }
        ++inClip;
        const long calls = glDrawCalls, draws = counter->draws;
        const double wall = FrameSamples::wallMs(), cpu = FrameSamples::threadCpuMs();
        const double all = FrameSamples::processCpuMs();
        if (openGL) {
            ofViewport(0, 0, 960, 960, true);
            ofClear(0, 0, 0, 255);
            ofSetupScreen();
        }
        frame();
        samples.add("cpu ms", FrameSamples::threadCpuMs() - cpu);
        if (openGL) {
            ofFlushDraws();
            glFinish();
            samples.add("GL calls", static_cast<double>(glDrawCalls - calls));
            samples.add("frame ms", FrameSamples::wallMs() - wall);
            samples.add("raster cpu ms",
                        FrameSamples::processCpuMs() - all - (FrameSamples::threadCpuMs() - cpu));
        } else {
            samples.add("draws", static_cast<double>(counter->draws - draws));
        }
        note(samples);
    }
    samples.report(state);
    ofSetCurrentRenderer(gl);
}
