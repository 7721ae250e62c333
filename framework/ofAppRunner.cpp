#include "ofAppRunner.h"

#include <chrono>
#include <thread>

#include "ofBaseApp.h"

namespace {
std::shared_ptr<ofBaseApp> currentApp;
}

ofBaseApp* ofGetAppPtr() {
    return currentApp.get();
}

void ofSetAppPtr(std::shared_ptr<ofBaseApp> app) {
    currentApp = std::move(app);
}

void ofSleepMillis(int millis) {
    if (millis > 0) std::this_thread::sleep_for(std::chrono::milliseconds(millis));
}
