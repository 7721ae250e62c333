#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "ofAppGlutWindow.h"
#include "ofAppRunner.h"

// Opens the one real window a drawing benchmark measures in; false, with a
// line saying why, when there is no X display to open it on.
inline bool openBenchWindow(const char* program, int width, int height) {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "%s needs an X display\n", program);
        return false;
    }
    static ofAppGlutWindow window;
    ofSetupOpenGL(&window, width, height, OF_WINDOW);
    return true;
}

// Prints what the console reporter prints, and keeps each run's time.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};
