// The arena background's cost: 10,000 small coloured rectangles a frame,
// cleared, added and drawn through LayerBatch, against the same rectangles
// drawn one by one with ofRect (which the renderer gathers). Needs an X
// display ($DISPLAY).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "GLDrawCounter.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "LayerBatch.h"
#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"

namespace {

const int columns = 100;
const int rects = columns * columns;

struct Cell {
    float x, y;
    int r, g, b;
};

std::vector<Cell> grid() {
    std::vector<Cell> cells;
    for (int i = 0; i < rects; ++i) {
        const int cx = i % columns, cy = i / columns;
        cells.push_back({cx * 2.5f, cy * 2.5f, (cx * 5) % 256, (cy * 7) % 256, (i * 3) % 256});
    }
    return cells;
}

void startFrame() {
    ofViewport(0, 0, 256, 256, true);
    ofClear(0, 0, 0, 255);
    ofSetupScreen();
}

void BM_LayerBatch(benchmark::State& state) {
    const std::vector<Cell> cells = grid();
    LayerBatch batch;
    // One slot more than the rects need: a rect may not fill the layer exactly.
    batch.setup(3, rects * 2 + 1, 1);
    for (auto _ : state) {
        startFrame();
        batch.clear();
        for (const Cell& c : cells) {
            batch.setColor(c.r, c.g, c.b, 255);
            if (!batch.addRect(c.x, c.y, 0, 2, 2, 0)) {
                state.SkipWithError("batch full");
                return;
            }
        }
        batch.draw();
        glFinish();
    }
    state.counters["rects/frame"] = rects;
}

void BM_OfRect(benchmark::State& state) {
    const std::vector<Cell> cells = grid();
    ofFill();
    long calls = 0;
    for (auto _ : state) {
        const long before = glDrawCalls;
        startFrame();
        for (const Cell& c : cells) {
            ofSetColor(c.r, c.g, c.b, 255);
            ofRect(c.x, c.y, 2, 2);
        }
        ofFlushDraws();
        glFinish();
        calls = glDrawCalls - before;
    }
    state.counters["rects/frame"] = rects;
    state.counters["GL calls/frame"] = static_cast<double>(calls);
}

BENCHMARK(BM_LayerBatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OfRect)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!openBenchWindow("layer_batch_bench", 256, 256)) return 1;
    countGlewDraws();

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double batched = reporter.times["BM_LayerBatch"];
    const double single = reporter.times["BM_OfRect"];
    if (batched > 0 && single > 0) std::printf("ofRect / LayerBatch: %.1f\n", single / batched);
    return 0;
}
