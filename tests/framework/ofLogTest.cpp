#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <thread>
#include <vector>

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

TEST(LogTest, LinesFromManyThreadsNeverInterleave) {
    const int threads = 8, lines = 200;
    const std::string tail = "-abcdefghijklmnopqrstuvwxyz";
    auto c = captureOutput([&] {
        std::vector<std::thread> pool;
        for (int t = 0; t < threads; ++t)
            pool.emplace_back([&, t] {
                for (int i = 0; i < lines; ++i) {
                    if (i % 2) ofLogWarning("t" + std::to_string(t)) << "line-" << i << tail;
                    else ofLog(OF_LOG_NOTICE, "t%d line-%d%s", t, i, tail.c_str());
                }
            });
        for (auto& th : pool) th.join();
    });
    std::istringstream in(c.out);
    std::set<std::string> seen;
    for (std::string line; std::getline(in, line); seen.insert(line))
        ASSERT_TRUE(line[0] == '[' && line.find(tail) == line.size() - tail.size()) << line;
    EXPECT_EQ(seen.size(), static_cast<size_t>(threads * lines));
}
