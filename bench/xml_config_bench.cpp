// A settings file the size of a full player file: 30 sections of 100 values
// each (ints, doubles and texts), loaded, read, written and saved, in a
// scratch folder of its own.
#include <benchmark/benchmark.h>

#include <string>

#include "ScratchDir.h"
#include "ofxXmlConfig.h"

namespace {

const int sections = 30;
const int valuesPerSection = 100;
const ScratchDir scratch;
// An absolute path, which the data path leaves as it is.
const std::string fileName = scratch.file("bench_player.xml");

std::string sectionTag(int s) { return "SECTION_" + std::to_string(s); }
std::string valueTag(int v) { return "VALUE_" + std::to_string(v); }

void writeAll(ofxXmlConfig& xml, int seed) {
    for (int s = 0; s < sections; ++s) {
        if (!xml.tagExists(sectionTag(s))) xml.addTag(sectionTag(s));
        xml.pushTag(sectionTag(s));
        for (int v = 0; v < valuesPerSection; ++v) {
            switch (v % 3) {
                case 0: xml.setValue(valueTag(v), s * 1000 + v + seed); break;
                case 1: xml.setValue(valueTag(v), (s + v + seed) * 0.125); break;
                default: xml.setValue(valueTag(v), std::string("NAME ") + std::to_string(v + seed)); break;
            }
        }
        xml.popTag();
    }
}

double readAll(ofxXmlConfig& xml) {
    double sum = 0;
    for (int s = 0; s < sections; ++s) {
        xml.pushTag(sectionTag(s));
        for (int v = 0; v < valuesPerSection; ++v) {
            switch (v % 3) {
                case 0: sum += xml.getValue(valueTag(v), 0); break;
                case 1: sum += xml.getValue(valueTag(v), 0.0); break;
                default: sum += static_cast<double>(xml.getValue(valueTag(v), std::string()).size()); break;
            }
        }
        xml.popTag();
    }
    return sum;
}

void prepareFile() {
    ofxXmlConfig xml;
    writeAll(xml, 0);
    xml.saveFile(fileName);
}

void BM_Load(benchmark::State& state) {
    prepareFile();
    ofxXmlConfig xml;
    for (auto _ : state) benchmark::DoNotOptimize(xml.loadFile(fileName));
}
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond);

void BM_ReadEveryValue(benchmark::State& state) {
    prepareFile();
    ofxXmlConfig xml;
    xml.loadFile(fileName);
    for (auto _ : state) benchmark::DoNotOptimize(readAll(xml));
    state.SetItemsProcessed(state.iterations() * sections * valuesPerSection);
}
BENCHMARK(BM_ReadEveryValue)->Unit(benchmark::kMicrosecond);

void BM_WriteEveryValue(benchmark::State& state) {
    prepareFile();
    ofxXmlConfig xml;
    xml.loadFile(fileName);
    int seed = 0;
    for (auto _ : state) writeAll(xml, ++seed);
    state.SetItemsProcessed(state.iterations() * sections * valuesPerSection);
}
BENCHMARK(BM_WriteEveryValue)->Unit(benchmark::kMicrosecond);

void BM_Save(benchmark::State& state) {
    prepareFile();
    ofxXmlConfig xml;
    xml.loadFile(fileName);
    for (auto _ : state) benchmark::DoNotOptimize(xml.saveFile(fileName));
}
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond);

void BM_LoadReadWriteSave(benchmark::State& state) {
    prepareFile();
    int seed = 0;
    for (auto _ : state) {
        ofxXmlConfig xml;
        xml.loadFile(fileName);
        benchmark::DoNotOptimize(readAll(xml));
        writeAll(xml, ++seed);
        benchmark::DoNotOptimize(xml.saveFile(fileName));
    }
}
BENCHMARK(BM_LoadReadWriteSave)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
