#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "CapturedOutput.h"
#include "ofLog.h"

TEST(LogTest, ThresholdsGlobalAndPerModule) {
    auto c = captureOutput([] {
        ofLog(OF_LOG_VERBOSE, std::string("hidden"));
        ofLog(OF_LOG_VERBOSE, "format %d", 1);
        ofLog(OF_LOG_NOTICE, std::string("shown"));
    });
    EXPECT_EQ(c.out, "[notice] shown\n");
    EXPECT_EQ(c.err, "");

    // A module's own entry overrides the global threshold both ways.
    ofSetLogLevel(OF_LOG_VERBOSE);
    ofSetLogLevel("worker-A", OF_LOG_NOTICE);
    c = captureOutput([] {
        ofLog(OF_LOG_VERBOSE, std::string("v"));
        ofLogVerbose("worker-A") << "quiet";
        ofLogWarning("worker-A") << "loud";
    });
    EXPECT_EQ(c.out, "[verbose] v\n[worker-A:warning] loud\n");
    ofSetLogLevel(OF_LOG_ERROR);
    ofSetLogLevel("worker-B", OF_LOG_VERBOSE);
    c = captureOutput([] { ofLogVerbose("worker-B") << "wide"; });
    EXPECT_EQ(c.out, "[worker-B:verbose] wide\n");
    EXPECT_FALSE(ofLog::checkLog(OF_LOG_WARNING, ""));
    EXPECT_FALSE(ofLog::checkLog(OF_LOG_WARNING, "unknown"));
    EXPECT_TRUE(ofLog::checkLog(OF_LOG_ERROR, "unknown"));
}

TEST(LogTest, LineFormsAndStreams) {
    auto c = captureOutput([] {
        ofLogError("Module") << "inserted " << 42 << 'c' << 1.5f;
        ofLogWarning("OF") << "default module";
        // The printf form always adds a line break.
        ofLog(OF_LOG_WARNING, "ends with newline %d\n", 7);
        ofLog(OF_LOG_FATAL_ERROR, std::string("end"));
    });
    EXPECT_EQ(c.err, "[Module:error] inserted 42c1.5\n[fatal error] end\n");
    EXPECT_EQ(c.out, "[warning] default module\n[warning] ends with newline 7\n\n");
}

TEST(LogTest, OutOfRangeLevelsPickStreamByValue) {
    ofSetLogLevel(static_cast<ofLogLevel>(-5));
    auto c = captureOutput([] {
        ofLog(static_cast<ofLogLevel>(9), std::string("high"));
        ofLog(static_cast<ofLogLevel>(-1), std::string("low"));
        ofLog(OF_LOG_SILENT, std::string("silent"));
    });
    EXPECT_EQ(c.err, "[] high\n[silent] silent\n");
    EXPECT_EQ(c.out, "[] low\n");
}

TEST(LogTest, LinesFromManyThreadsNeverInterleave) {
    const int threads = 8, lines = 200;
    const std::string tail = "-abcdefghijklmnopqrstuvwxyz";
    auto c = captureOutput([&] {
        std::vector<std::thread> pool;
        for (int t = 0; t < threads; ++t) {
            pool.emplace_back([&, t] {
                for (int i = 0; i < lines; ++i) {
                    if (i % 2)
                        ofLogWarning("t" + std::to_string(t)) << "line-" << i << tail;
                    else
                        ofLog(OF_LOG_NOTICE, "t%d line-%d%s", t, i, tail.c_str());
                }
            });
        }
        for (auto& th : pool) th.join();
    });
    std::istringstream in(c.out);
    std::set<std::string> seen;
    int count = 0;
    for (std::string line; std::getline(in, line); ++count) {
        ASSERT_EQ(line[0], '[') << line;
        ASSERT_EQ(line.find(tail), line.size() - tail.size()) << line;
        seen.insert(line);
    }
    EXPECT_EQ(count, threads * lines);
    EXPECT_EQ(seen.size(), static_cast<size_t>(threads * lines));
}
