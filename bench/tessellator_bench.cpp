#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "ofTessellator.h"
#include "tess/tesselator.h"

// The tessellator on the shapes the game fills each frame (8 to 32 points)
// and on large self-crossing outlines, through the C API and through the
// front-end; reports time per vertex and allocator calls per run.

namespace {

long allocCalls = 0;

void* countingAlloc(void*, size_t size) {
    ++allocCalls;
    return std::malloc(size);
}
void* countingRealloc(void*, void* p, size_t size) {
    ++allocCalls;
    return std::realloc(p, size);
}
void countingFree(void*, void* p) { std::free(p); }

// A ship-like outline: a star with alternating radii, no crossings.
std::vector<float> gameShape(int n) {
    std::vector<float> pts;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        const double r = (k % 2) ? 20.0 : 35.0;
        pts.push_back((float)(480 + r * std::cos(a)));
        pts.push_back((float)(480 + r * std::sin(a)));
    }
    return pts;
}

// An outline that runs along a strip and back, the two passes waving
// against each other: one crossing per four vertices, and a vertical line
// meets only a few edges wherever it stands.
std::vector<float> crossingStrip(int n) {
    std::vector<float> pts;
    const int half = n / 2;
    for (int k = 0; k < n; ++k) {
        const int i = k < half ? k : n - 1 - k;
        const double x = 10.0 * i;
        const double wave = std::sin(2 * M_PI * i / 8.0 + 0.3);
        const double y = k < half ? 20 * wave : -20 * wave + 1;
        pts.push_back((float)x);
        pts.push_back((float)y);
    }
    return pts;
}

// The same two waving passes round a ring: near the ring's sides a vertical
// line meets a number of edges that grows with the outline.
std::vector<float> crossingRing(int n) {
    std::vector<float> pts;
    const int half = n / 2;
    const int waves = n / 8;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * (k % half) / half;
        const double wave = (k < half) ? std::sin(waves * a) : -std::sin(waves * a);
        const double r = 400 + 10 * wave;
        pts.push_back((float)(480 + r * std::cos(a)));
        pts.push_back((float)(480 + r * std::sin(a)));
    }
    return pts;
}

void run(benchmark::State& state, const std::vector<float>& pts, int rule) {
    TESSalloc rec = {countingAlloc, countingRealloc, countingFree, nullptr, 0, 0, 0, 0, 0, 0};
    TESStesselator* tess = tessNewTess(&rec);
    const int n = (int)pts.size() / 2;
    allocCalls = 0;
    long runs = 0;
    int triangles = 0;
    for (auto _ : state) {
        tessAddContour(tess, 2, pts.data(), 2 * sizeof(float), n);
        tessTesselate(tess, rule, TESS_POLYGONS, 3, 2, nullptr);
        triangles = tessGetElementCount(tess);
        benchmark::DoNotOptimize(tessGetElements(tess));
        ++runs;
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["allocs/run"] = runs ? (double)allocCalls / runs : 0;
    state.counters["triangles"] = triangles;
    state.counters["time/vertex"] =
        benchmark::Counter((double)n * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    tessDeleteTess(tess);
}

void BM_GameShape(benchmark::State& state) { run(state, gameShape((int)state.range(0)), TESS_WINDING_ODD); }
BENCHMARK(BM_GameShape)->Arg(8)->Arg(16)->Arg(32);

// Large outlines of the same kind, without crossings.
BENCHMARK(BM_GameShape)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The fill road's way in: the shared front-end filling a mesh.
void BM_GameShapeMesh(benchmark::State& state) {
    const std::vector<float> pts = gameShape((int)state.range(0));
    ofPolyline line;
    for (size_t i = 0; i + 1 < pts.size(); i += 2) line.addVertex(ofPoint(pts[i], pts[i + 1], 0));
    line.setClosed(true);
    const std::vector<ofPolyline> outlines = {line};
    TESSalloc rec = {countingAlloc, countingRealloc, countingFree, nullptr, 0, 0, 0, 0, 0, 0};
    ofTessellator tess(rec);
    ofMesh mesh;
    allocCalls = 0;
    long runs = 0;
    for (auto _ : state) {
        tess.tessellateToMesh(outlines, OF_POLY_WINDING_ODD, mesh, false);
        benchmark::DoNotOptimize(mesh.getIndices().data());
        ++runs;
    }
    const int n = line.size();
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["allocs/run"] = runs ? (double)allocCalls / runs : 0;
    state.counters["triangles"] = (double)mesh.getNumIndices() / 3;
    state.counters["time/vertex"] =
        benchmark::Counter((double)n * state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_GameShapeMesh)->Arg(8)->Arg(16)->Arg(32);

void BM_CrossingStrip(benchmark::State& state) {
    run(state, crossingStrip((int)state.range(0)), TESS_WINDING_NONZERO);
}
BENCHMARK(BM_CrossingStrip)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_CrossingRing(benchmark::State& state) {
    run(state, crossingRing((int)state.range(0)), TESS_WINDING_NONZERO);
}
BENCHMARK(BM_CrossingRing)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
