#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ofLog.h"

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
