#include "LogRecorder.h"

#include <cstdarg>
#include <cstdio>

LogRecorder::LogRecorder() : previous(ofGetLoggerChannel()) {
    ofGetLoggerChannel() = std::shared_ptr<ofBaseLoggerChannel>(this, [](ofBaseLoggerChannel*) {});
}

LogRecorder::~LogRecorder() {
    ofGetLoggerChannel() = previous;
}

void LogRecorder::record(ofLogLevel level, const std::string& module, const std::string& message) {
    std::string line = "[";
    if (module != "OF") line += module + ":";
    line += ofGetLogLevelName(level) + "] " + message;
    std::function<void(const std::string&)> h;
    {
        std::lock_guard<std::mutex> lock(mutex);
        h = hook;
    }
    if (h) h(line);
    std::lock_guard<std::mutex> lock(mutex);
    recorded.emplace_back(module, line);
}

void LogRecorder::log(ofLogLevel level, const std::string& module, const std::string& message) {
    record(level, module, message);
}

void LogRecorder::log(ofLogLevel level, const std::string& module, const char* format, va_list args) {
    char text[2048];
    std::vsnprintf(text, sizeof(text), format, args);
    record(level, module, text);
}

void LogRecorder::log(ofLogLevel level, const std::string& module, const char* format, ...) {
    va_list args;
    va_start(args, format);
    log(level, module, format, args);
    va_end(args);
}

std::vector<std::string> LogRecorder::lines() const {
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<std::string> out;
    for (const auto& r : recorded) out.push_back(r.second);
    return out;
}

std::vector<std::string> LogRecorder::linesOf(const std::string& module) const {
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<std::string> out;
    for (const auto& r : recorded)
        if (r.first == module) out.push_back(r.second);
    return out;
}

void LogRecorder::setHook(std::function<void(const std::string&)> h) {
    std::lock_guard<std::mutex> lock(mutex);
    hook = std::move(h);
}
