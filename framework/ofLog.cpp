#include "ofLog.h"

#include <atomic>
#include <cstdio>
#include <iostream>
#include <map>
#include <mutex>
#include <vector>

namespace {

struct LogState {
    std::atomic<int> threshold{OF_LOG_NOTICE};
    std::mutex modulesMutex;
    std::map<std::string, ofLogLevel> modules;
    // Every line is written whole under this lock so threads never interleave.
    std::mutex outputMutex;
};

// Never destroyed: logging must work from destructors and exit handlers.
LogState& state() {
    static LogState* s = new LogState;
    return *s;
}

// Constructed during static initialisation, before main.
[[maybe_unused]] const bool channelReady = (ofGetLoggerChannel(), true);

std::string linePrefix(ofLogLevel level, const std::string& module) {
    std::string prefix = "[";
    if (module != "OF") {
        prefix += module;
        prefix += ":";
    }
    prefix += ofGetLogLevelName(level);
    prefix += "] ";
    return prefix;
}

std::string formatArgs(const char* format, va_list args) {
    if (format == nullptr) return std::string();
    va_list copy;
    va_copy(copy, args);
    char small[512];
    int n = std::vsnprintf(small, sizeof(small), format, copy);
    va_end(copy);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof(small)) return std::string(small, static_cast<size_t>(n));
    std::vector<char> big(static_cast<size_t>(n) + 1);
    std::vsnprintf(big.data(), big.size(), format, args);
    return std::string(big.data(), static_cast<size_t>(n));
}

}  // namespace

void ofSetLogLevel(ofLogLevel level) {
    state().threshold.store(level);
}

void ofSetLogLevel(const std::string& module, ofLogLevel level) {
    LogState& s = state();
    std::lock_guard<std::mutex> lock(s.modulesMutex);
    s.modules[module] = level;
}

ofLogLevel ofGetLogLevel() {
    return static_cast<ofLogLevel>(state().threshold.load());
}

std::string ofGetLogLevelName(ofLogLevel level) {
    switch (static_cast<int>(level)) {
        case OF_LOG_VERBOSE: return "verbose";
        case OF_LOG_NOTICE: return "notice";
        case OF_LOG_WARNING: return "warning";
        case OF_LOG_ERROR: return "error";
        case OF_LOG_FATAL_ERROR: return "fatal error";
        case OF_LOG_SILENT: return "silent";
        default: return "";
    }
}

std::shared_ptr<ofBaseLoggerChannel>& ofGetLoggerChannel() {
    static auto* channel = new std::shared_ptr<ofBaseLoggerChannel>(
        new ofConsoleLoggerChannel, [](ofBaseLoggerChannel*) {});
    return *channel;
}

void ofConsoleLoggerChannel::log(ofLogLevel level, const std::string& module, const std::string& message) {
    std::string line = linePrefix(level, module);
    line += message;
    line += '\n';
    std::ostream& out = level < OF_LOG_ERROR ? std::cout : std::cerr;
    std::lock_guard<std::mutex> lock(state().outputMutex);
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.flush();
}

void ofConsoleLoggerChannel::log(ofLogLevel level, const std::string& module, const char* format, va_list args) {
    std::string line = linePrefix(level, module);
    line += formatArgs(format, args);
    line += '\n';
    FILE* out = level < OF_LOG_ERROR ? stdout : stderr;
    std::lock_guard<std::mutex> lock(state().outputMutex);
    std::fwrite(line.data(), 1, line.size(), out);
}

void ofConsoleLoggerChannel::log(ofLogLevel level, const std::string& module, const char* format, ...) {
    va_list args;
    va_start(args, format);
    static_cast<ofBaseLoggerChannel*>(this)->log(level, module, format, args);
    va_end(args);
}

const std::string& ofLog::getPadding() {
    static const std::string* padding = new std::string;
    return *padding;
}

bool ofLog::checkLog(ofLogLevel level, const std::string& module) {
    LogState& s = state();
    if (!module.empty()) {
        std::lock_guard<std::mutex> lock(s.modulesMutex);
        auto it = s.modules.find(module);
        if (it != s.modules.end()) return level >= it->second;
    }
    return level >= s.threshold.load();
}

ofLog::ofLog() : level(OF_LOG_NOTICE), printed(false), module("OF") {}

ofLog::ofLog(ofLogLevel lvl, const std::string& msg) : level(lvl), printed(false), module("OF") {
    if (checkLog(level, module)) ofGetLoggerChannel()->log(level, module, msg);
    printed = true;
}

ofLog::ofLog(ofLogLevel lvl, const char* format, ...) : level(lvl), printed(false), module("OF") {
    if (checkLog(level, module)) {
        va_list args;
        va_start(args, format);
        ofGetLoggerChannel()->log(level, module, format, args);
        va_end(args);
    }
    printed = true;
}

ofLog::~ofLog() {
    if (printed) return;
    std::string text = message.str();
    if (text.empty()) {
        text = module;
        module = "OF";
    }
    if (checkLog(level, module)) ofGetLoggerChannel()->log(level, module, text);
}

ofLogVerbose::ofLogVerbose(const std::string& m) {
    level = OF_LOG_VERBOSE;
    module = m;
    printed = false;
}

ofLogWarning::ofLogWarning(const std::string& m) {
    level = OF_LOG_WARNING;
    module = m;
    printed = false;
}

ofLogError::ofLogError(const std::string& m) {
    level = OF_LOG_ERROR;
    module = m;
    printed = false;
}
