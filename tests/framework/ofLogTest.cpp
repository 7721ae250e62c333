#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "ofLog.h"

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

struct Captured {
    std::string out, err;
};

template <class F>
Captured capture(F f) {
    CaptureStdout();
    CaptureStderr();
    f();
    std::fflush(stdout);
    std::fflush(stderr);
    Captured c;
    c.out = GetCapturedStdout();
    c.err = GetCapturedStderr();
    return c;
}

class LogTest : public testing::Test {
protected:
    void SetUp() override { ofSetLogLevel(OF_LOG_NOTICE); }
    void TearDown() override { ofSetLogLevel(OF_LOG_NOTICE); }
};

}  // namespace

TEST_F(LogTest, LevelNames) {
    EXPECT_EQ(ofGetLogLevelName(OF_LOG_VERBOSE), "verbose");
    EXPECT_EQ(ofGetLogLevelName(OF_LOG_NOTICE), "notice");
    EXPECT_EQ(ofGetLogLevelName(OF_LOG_WARNING), "warning");
    EXPECT_EQ(ofGetLogLevelName(OF_LOG_ERROR), "error");
    EXPECT_EQ(ofGetLogLevelName(OF_LOG_FATAL_ERROR), "fatal error");
    EXPECT_EQ(ofGetLogLevelName(OF_LOG_SILENT), "silent");
    EXPECT_EQ(ofGetLogLevelName(static_cast<ofLogLevel>(6)), "");
    EXPECT_EQ(ofGetLogLevelName(static_cast<ofLogLevel>(-1)), "");
}

TEST_F(LogTest, GlobalThresholdFiltersDefaultModule) {
    auto c = capture([] {
        ofLog(OF_LOG_VERBOSE, std::string("hidden"));
        ofLog(OF_LOG_NOTICE, std::string("shown"));
    });
    EXPECT_EQ(c.out, "[notice] shown\n");
    ofSetLogLevel(OF_LOG_VERBOSE);
    c = capture([] {
        ofLog(OF_LOG_VERBOSE, std::string("v"));
        ofLog(OF_LOG_NOTICE, std::string("n"));
    });
    EXPECT_EQ(c.out, "[verbose] v\n[notice] n\n");
}

TEST_F(LogTest, ModuleEntryOverridesGlobalThresholdBothWays) {
    ofSetLogLevel(OF_LOG_VERBOSE);
    ofSetLogLevel("worker-A", OF_LOG_NOTICE);
    auto c = capture([] {
        ofLogVerbose("worker-A") << "quiet";
        ofLogWarning("worker-A") << "loud";
    });
    EXPECT_EQ(c.out, "[worker-A:warning] loud\n");

    ofSetLogLevel(OF_LOG_ERROR);
    ofSetLogLevel("worker-B", OF_LOG_VERBOSE);
    c = capture([] { ofLogVerbose("worker-B") << "wide"; });
    EXPECT_EQ(c.out, "[worker-B:verbose] wide\n");
    EXPECT_TRUE(ofLog::checkLog(OF_LOG_VERBOSE, "worker-B"));
    EXPECT_FALSE(ofLog::checkLog(OF_LOG_WARNING, ""));
    EXPECT_FALSE(ofLog::checkLog(OF_LOG_WARNING, "unknown"));
    EXPECT_TRUE(ofLog::checkLog(OF_LOG_ERROR, "unknown"));
}

TEST_F(LogTest, StreamFormsModuleAndMessage) {
    auto c = capture([] {
        ofLogError("just a text");
        ofLogError("Module") << "inserted";
        ofLogWarning("x") << "count: " << 42 << 'c' << 1.5f;
        ofLogWarning("OF") << "default module";
    });
    EXPECT_EQ(c.err, "[error] just a text\n[Module:error] inserted\n");
    EXPECT_EQ(c.out, "[x:warning] count: 42c1.5\n[warning] default module\n");
}

TEST_F(LogTest, ModuleNamesThatOnlyResembleDefaultArePrinted) {
    auto c = capture([] {
        ofLogWarning("OFX") << "a";
        ofLogWarning("of") << "b";
        ofLogWarning("") << "c";
    });
    EXPECT_EQ(c.out, "[OFX:warning] a\n[of:warning] b\n[:warning] c\n");
}

TEST_F(LogTest, PrintfFormAlwaysAddsNewline) {
    auto c = capture([] {
        ofLog(OF_LOG_NOTICE, "value %d and %s", 7, "text");
        ofLog(OF_LOG_WARNING, "ends with newline\n");
        ofLog(OF_LOG_ERROR, "bad %.2f", 1.0);
    });
    EXPECT_EQ(c.out, "[notice] value 7 and text\n[warning] ends with newline\n\n");
    EXPECT_EQ(c.err, "[error] bad 1.00\n");
}

TEST_F(LogTest, OutOfRangeLevelsPickStreamByValue) {
    ofSetLogLevel(static_cast<ofLogLevel>(-5));
    auto c = capture([] {
        ofLog(static_cast<ofLogLevel>(9), std::string("high"));
        ofLog(static_cast<ofLogLevel>(-1), std::string("low"));
        ofLog(OF_LOG_SILENT, std::string("silent"));
    });
    EXPECT_EQ(c.err, "[] high\n[silent] silent\n");
    EXPECT_EQ(c.out, "[] low\n");
}

TEST_F(LogTest, SuppressedImmediateFormWritesNothingAtAll) {
    auto c = capture([] {
        ofLog(OF_LOG_VERBOSE, "format %d", 1);
        ofLog(OF_LOG_VERBOSE, std::string("string"));
    });
    EXPECT_EQ(c.out, "");
    EXPECT_EQ(c.err, "");
}

TEST_F(LogTest, LinesFromManyThreadsNeverInterleave) {
    const int threads = 8, lines = 200;
    auto c = capture([&] {
        std::vector<std::thread> pool;
        for (int t = 0; t < threads; ++t) {
            pool.emplace_back([t, lines] {
                for (int i = 0; i < lines; ++i) {
                    if (i % 2)
                        ofLogWarning("t" + std::to_string(t)) << "line-" << i << "-abcdefghijklmnopqrstuvwxyz";
                    else
                        ofLog(OF_LOG_NOTICE, "t%d line-%d-abcdefghijklmnopqrstuvwxyz", t, i);
                }
            });
        }
        for (auto& th : pool) th.join();
    });
    std::istringstream in(c.out);
    std::string line;
    int count = 0;
    std::set<std::string> seen;
    while (std::getline(in, line)) {
        ++count;
        ASSERT_TRUE(line.rfind("[", 0) == 0) << line;
        ASSERT_NE(line.find("-abcdefghijklmnopqrstuvwxyz"), std::string::npos) << line;
        ASSERT_EQ(line.find("-abcdefghijklmnopqrstuvwxyz"), line.size() - 27) << line;
        seen.insert(line);
    }
    EXPECT_EQ(count, threads * lines);
    EXPECT_EQ(seen.size(), static_cast<size_t>(threads * lines));
}
