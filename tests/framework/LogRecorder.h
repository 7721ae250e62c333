#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ofLog.h"

// Installs a channel that records every line as "[module:level] message"
// (module left out for "OF") and restores the previous channel when destroyed.
class LogRecorder : public ofBaseLoggerChannel {
public:
    LogRecorder();
    ~LogRecorder() override;

    void log(ofLogLevel level, const std::string& module, const char* format, va_list args) override;
    void log(ofLogLevel level, const std::string& module, const char* format, ...) override;
    void log(ofLogLevel level, const std::string& module, const std::string& message) override;

    std::vector<std::string> lines() const;
    // Lines whose module is exactly the given one.
    std::vector<std::string> linesOf(const std::string& module) const;
    // Runs before a line is recorded, on the logging thread.
    void setHook(std::function<void(const std::string& line)> hook);

private:
    void record(ofLogLevel level, const std::string& module, const std::string& message);

    mutable std::mutex mutex;
    std::vector<std::pair<std::string, std::string>> recorded;
    std::function<void(const std::string&)> hook;
    std::shared_ptr<ofBaseLoggerChannel> previous;
};
