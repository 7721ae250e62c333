#pragma once

#include <cstdarg>
#include <memory>
#include <sstream>
#include <string>

enum ofLogLevel : int {
    OF_LOG_VERBOSE = 0,
    OF_LOG_NOTICE = 1,
    OF_LOG_WARNING = 2,
    OF_LOG_ERROR = 3,
    OF_LOG_FATAL_ERROR = 4,
    OF_LOG_SILENT = 5
};

void ofSetLogLevel(ofLogLevel level);
void ofSetLogLevel(const std::string& module, ofLogLevel level);
ofLogLevel ofGetLogLevel();
std::string ofGetLogLevelName(ofLogLevel level);

class ofBaseLoggerChannel {
public:
    virtual ~ofBaseLoggerChannel() {}
    virtual void log(ofLogLevel level, const std::string& module, const char* format, va_list args) = 0;
    virtual void log(ofLogLevel level, const std::string& module, const char* format, ...) = 0;
    virtual void log(ofLogLevel level, const std::string& module, const std::string& message) = 0;
};

class ofConsoleLoggerChannel : public ofBaseLoggerChannel {
public:
    void log(ofLogLevel level, const std::string& module, const char* format, va_list args) override;
    void log(ofLogLevel level, const std::string& module, const char* format, ...) override;
    void log(ofLogLevel level, const std::string& module, const std::string& message) override;
};

// The one channel of the process; it lives until the process ends, so
// destructors and exit handlers can always log.
std::shared_ptr<ofBaseLoggerChannel>& ofGetLoggerChannel();

class ofLog {
public:
    ofLog();
    ofLog(ofLogLevel level, const std::string& message);
    ofLog(ofLogLevel level, const char* format, ...);
    virtual ~ofLog();

    template <class T>
    ofLog& operator<<(const T& value) {
        message << value << getPadding();
        return *this;
    }
    ofLog& operator<<(std::ostream& (*manipulator)(std::ostream&)) {
        message << manipulator;
        return *this;
    }

    static bool checkLog(ofLogLevel level, const std::string& module);

protected:
    ofLogLevel level;
    bool printed;
    std::string module;
    std::ostringstream message;

private:
    static const std::string& getPadding();
    ofLog(const ofLog&) = delete;
    ofLog& operator=(const ofLog&) = delete;
};

class ofLogVerbose : public ofLog {
public:
    explicit ofLogVerbose(const std::string& module = "OF");
};

class ofLogWarning : public ofLog {
public:
    explicit ofLogWarning(const std::string& module = "OF");
};

class ofLogError : public ofLog {
public:
    explicit ofLogError(const std::string& module = "OF");
};
