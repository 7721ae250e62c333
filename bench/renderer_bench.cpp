// The renderer's cost: the same thousands of small rectangles, circles and
// lines drawn through the drawing functions (which the renderer gathers into
// few draw calls) and sent straight to OpenGL, a client array and a draw call
// each. Needs an X display ($DISPLAY).
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "GLDrawCounter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"

namespace {

const int shapesPerKind = 2000;
const int circleResolution = 20;

struct Shape {
    float x, y;
};

std::vector<Shape> layout() {
    std::vector<Shape> shapes;
    for (int i = 0; i < shapesPerKind; ++i) shapes.push_back({static_cast<float>(i % 60) * 4.0f, static_cast<float>(i / 60) * 4.0f});
    return shapes;
}

void startFrame() {
    ofViewport(0, 0, 256, 256, true);
    ofClear(0, 0, 0, 255);
    ofSetupScreen();
}

void BM_DrawingFunctions(benchmark::State& state) {
    std::vector<Shape> shapes = layout();
    ofSetCircleResolution(circleResolution);
    long calls = 0;
    for (auto _ : state) {
        const long before = glDrawCalls;
        startFrame();
        ofSetColor(255, 0, 0);
        for (const Shape& s : shapes) ofRect(s.x, s.y, 2, 2);
        for (const Shape& s : shapes) ofCircle(s.x + 1, s.y + 1, 1.5f);
        for (const Shape& s : shapes) ofLine(s.x, s.y, s.x + 3, s.y + 3);
        ofFlushDraws();
        glFinish();
        calls = glDrawCalls - before;
    }
    state.counters["GL calls/frame"] = static_cast<double>(calls);
}

void BM_ClientArrays(benchmark::State& state) {
    std::vector<Shape> shapes = layout();
    std::vector<float> unit;
    for (int i = 0; i <= circleResolution; ++i) {
        double a = 2 * M_PI * i / circleResolution;
        unit.push_back(static_cast<float>(std::cos(a)));
        unit.push_back(static_cast<float>(std::sin(a)));
    }
    float rect[12], line[6], circle[3 * (circleResolution + 1)];
    for (auto _ : state) {
        startFrame();
        glColor4f(1, 0, 0, 1);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, rect);
        for (const Shape& s : shapes) {
            float r[12] = {s.x, s.y, 0, s.x + 2, s.y, 0, s.x + 2, s.y + 2, 0, s.x, s.y + 2, 0};
            std::copy(r, r + 12, rect);
            glVertexPointer(3, GL_FLOAT, 0, rect);
            glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
        }
        for (const Shape& s : shapes) {
            for (int i = 0; i <= circleResolution; ++i) {
                circle[3 * i] = s.x + 1 + 1.5f * unit[2 * i];
                circle[3 * i + 1] = s.y + 1 + 1.5f * unit[2 * i + 1];
                circle[3 * i + 2] = 0;
            }
            glVertexPointer(3, GL_FLOAT, 0, circle);
            glDrawArrays(GL_TRIANGLE_FAN, 0, circleResolution + 1);
        }
        for (const Shape& s : shapes) {
            float l[6] = {s.x, s.y, 0, s.x + 3, s.y + 3, 0};
            std::copy(l, l + 6, line);
            glVertexPointer(3, GL_FLOAT, 0, line);
            glDrawArrays(GL_LINES, 0, 2);
        }
        glFinish();
    }
    state.counters["GL calls/frame"] = 3 * shapesPerKind;
}

BENCHMARK(BM_DrawingFunctions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClientArrays)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!openBenchWindow("renderer_bench", 256, 256)) return 1;
    countGlewDraws();

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double through = reporter.times["BM_DrawingFunctions"];
    double raw = reporter.times["BM_ClientArrays"];
    if (through > 0 && raw > 0)
        std::printf("drawing functions / client arrays: %.3f\n", through / raw);
    return 0;
}
