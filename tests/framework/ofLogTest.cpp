#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "CapturedOutput.h"
#include "KeptLogLevel.h"
#include "ofLog.h"

namespace {

// The modules' entries named here are the tests' own.
class LogTest : public testing::Test {
    KeptLogLevel threshold;
};

}  // namespace

TEST_F(LogTest, ThresholdsGlobalAndPerModuleLineFormsAndStreams) {
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

// A stream line with no text logs its module as the text; "OF" is the default
// module and is left out of the prefix, any other name (the empty one too) is shown.
TEST_F(LogTest, ModuleAloneIsTheTextAndEveryLevelHasItsName) {
    ofSetLogLevel(OF_LOG_VERBOSE);
    const struct {
        char form;  // v, w, e: the stream forms with a module
        const char* module;
        const char* text;
        const char* line;
    } streams[] = {
        {'e', "just a text", "", "[error] just a text\n"}, {'w', "OF", "default module", "[warning] default module\n"},
        {'w', "OFX", "a", "[OFX:warning] a\n"},             {'w', "", "c", "[:warning] c\n"},
        {'v', "m", "v", "[m:verbose] v\n"},                 {'v', "", "", "[verbose] \n"},
    };
    for (const auto& c : streams) {
        const CapturedOutput o = captureOutput([&] {
            if (c.form == 'v') ofLogVerbose(c.module) << c.text;
            if (c.form == 'w') ofLogWarning(c.module) << c.text;
            if (c.form == 'e') ofLogError(c.module) << c.text;
        });
        EXPECT_EQ((c.form == 'e' ? o.err : o.out), c.line) << c.line;
    }
    const std::pair<int, const char*> levels[] = {{OF_LOG_VERBOSE, "[verbose] x\n"},       {OF_LOG_NOTICE, "[notice] x\n"},
                                                  {OF_LOG_WARNING, "[warning] x\n"},       {OF_LOG_ERROR, "[error] x\n"},
                                                  {OF_LOG_FATAL_ERROR, "[fatal error] x\n"}, {OF_LOG_SILENT, "[silent] x\n"},
                                                  {7, "[] x\n"}};
    for (const auto& l : levels) {
        const CapturedOutput o = captureOutput([&] { ofLog(static_cast<ofLogLevel>(l.first), std::string("x")); });
        EXPECT_EQ((l.first >= OF_LOG_ERROR ? o.err : o.out), l.second) << l.first;
    }
}

TEST_F(LogTest, LinesFromManyThreadsArriveWholeAndNoneIsLost) {
    const int threads = 8, lines = 300;
    const std::string tail = "-abcdefghijklmnopqrstuvwxyz";
    const CapturedOutput o = captureOutput([&] {
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
    std::istringstream in(o.out);
    std::set<std::string> seen;
    int count = 0;
    for (std::string line; std::getline(in, line); ++count) {
        const bool whole = line.rfind("[t", 0) == 0 ? line.find(":warning] line-") != std::string::npos
                                                    : line.rfind("[notice] t", 0) == 0 && line.find(" line-") != std::string::npos;
        ASSERT_TRUE(whole && line.size() > tail.size() && line.compare(line.size() - tail.size(), tail.size(), tail) == 0)
            << line;
        seen.insert(line);
    }
    EXPECT_EQ(count, threads * lines);
    EXPECT_EQ(seen.size(), static_cast<size_t>(threads * lines));
    EXPECT_EQ(o.err, "");
}
