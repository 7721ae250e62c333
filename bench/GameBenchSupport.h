#pragma once

#include <memory>

#include "BenchSupport.h"
#include "CoreTestSupport.h"
#include "vantorixPC.h"

// The game set up in a 960 by 960 window, its sounds counted, not played.
inline std::unique_ptr<vantorixPC> startBenchGame(const char* program) {
    if (!openBenchWindow(program, 960, 960)) return nullptr;
    std::unique_ptr<vantorixPC> app(new vantorixPC);
    app->core.soundBank.makePlayer = [] { return std::make_shared<SoundCallCounter>(); };
    app->setup();
    return app;
}
