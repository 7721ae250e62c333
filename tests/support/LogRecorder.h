#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ofLog.h"

// Takes the log's lines as "[module:level] message" while it lives; a hook
// sees each line first and may hold the logging thread.
struct LogRecorder : ofBaseLoggerChannel {
    LogRecorder() { ofGetLoggerChannel().reset(this, [](ofBaseLoggerChannel*) {}); }
    ~LogRecorder() override { ofGetLoggerChannel() = previous; }
    void log(ofLogLevel, const std::string&, const char*, va_list) override {}
    void log(ofLogLevel, const std::string&, const char*, ...) override {}
    void log(ofLogLevel level, const std::string& module, const std::string& message) override {
        const std::string line = "[" + module + ":" + ofGetLogLevelName(level) + "] " + message;
        if (hook) hook(line);
        std::lock_guard<std::mutex> l(mutex);
        all.push_back(line);
    }
    std::vector<std::string> lines() {
        std::lock_guard<std::mutex> l(mutex);
        return all;
    }

    std::function<void(const std::string&)> hook;

private:
    std::mutex mutex;
    std::vector<std::string> all;
    std::shared_ptr<ofBaseLoggerChannel> previous = ofGetLoggerChannel();
};
