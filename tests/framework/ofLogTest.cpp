#include <gtest/gtest.h>

#include "CapturedOutput.h"
#include "ofLog.h"

TEST(LogTest, ThresholdsGlobalAndPerModuleLineFormsAndStreams) {
    ofSetLogLevel("worker-A", OF_LOG_NOTICE);
    ofSetLogLevel("worker-B", OF_LOG_VERBOSE);
    auto c = captureOutput([] {
        ofLog(OF_LOG_VERBOSE, "hidden %d", 1);
        ofLogVerbose("worker-B") << "wide";  // a module's own entry overrides the global threshold both ways
        ofSetLogLevel(OF_LOG_VERBOSE);
        ofLogVerbose("worker-A") << "quiet";
        ofLogError("Module") << "inserted " << 42 << 'c' << 1.5f;
        ofLog(OF_LOG_WARNING, "ends with newline %d\n", 7);  // the printf form always adds a line break
        ofLog(OF_LOG_FATAL_ERROR, std::string("end"));
        ofSetLogLevel(static_cast<ofLogLevel>(-5));  // levels out of range pick the stream by value
        ofLog(static_cast<ofLogLevel>(9), std::string("high"));
        ofLog(static_cast<ofLogLevel>(-1), std::string("low"));
    });
    EXPECT_EQ(c.out, "[worker-B:verbose] wide\n[warning] ends with newline 7\n\n[] low\n");
    EXPECT_EQ(c.err, "[Module:error] inserted 42c1.5\n[fatal error] end\n[] high\n");
    ofSetLogLevel(OF_LOG_ERROR);
    EXPECT_FALSE(ofLog::checkLog(OF_LOG_WARNING, "unknown"));
    EXPECT_TRUE(ofLog::checkLog(OF_LOG_VERBOSE, "worker-B"));
}
