#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofTestClock.h"

namespace arena_test {

// Keeps "[module:level] message" lines while it lives.
struct LogLines : ofBaseLoggerChannel {
    LogLines() { ofGetLoggerChannel().reset(this, [](ofBaseLoggerChannel*) {}); }
    ~LogLines() override { ofGetLoggerChannel() = previous; }
    void log(ofLogLevel, const std::string&, const char*, va_list) override {}
    void log(ofLogLevel, const std::string&, const char*, ...) override {}
    void log(ofLogLevel level, const std::string& module, const std::string& message) override {
        lines.push_back("[" + module + ":" + ofGetLogLevelName(level) + "] " + message);
    }
    std::vector<std::string> lines;
    std::shared_ptr<ofBaseLoggerChannel> previous = ofGetLoggerChannel();
};

// A recording renderer made current, a fresh style, and the clock released
// again after each test.
struct Recording {
    Recording() {
        ofSetCurrentRenderer(renderer);
        ofSetStyle(ofStyle());
        renderer->reset();
    }
    ~Recording() { ofReleaseFixedClock(); }
    std::shared_ptr<RecordingRenderer> renderer = std::make_shared<RecordingRenderer>();
};

}  // namespace arena_test
