#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstring>
#include <chrono>
#include <thread>

#include "ofUtils.h"

// The readings are bracketed by the steady clock read around them, so a
// preempted thread moves both sides and never fails the check.
TEST(ElapsedTime, CountsFromTheResetInMilliseconds) {
    using Clock = std::chrono::steady_clock;
    auto millisSince = [](Clock::time_point t) {
        return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
    };
    const Clock::time_point beforeReset = Clock::now();
    ofResetElapsedTimeCounter();
    const Clock::time_point afterReset = Clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));  // so a clock stuck at 0 fails
    const uint64_t least = millisSince(afterReset);
    const uint64_t ms = ofGetElapsedTimeMillis();
    const float seconds = ofGetElapsedTimef();
    const uint64_t most = millisSince(beforeReset) + 1;
    EXPECT_GE(ms, least);
    EXPECT_LE(ms, most);
    EXPECT_GE(seconds, least / 1000.0f - 0.001f);
    EXPECT_LE(seconds, most / 1000.0f);
}

TEST(DataPath, PrefixesRelativeNamesOnlyAndCanBeDisabled) {
    const char* cases[][2] = {{"sounds/hit.wav", "data/sounds/hit.wav"}, {"", "data/"}, {"data/x.xml", "data/x.xml"},
                              {"data\\x.xml", "data\\x.xml"}, {"/tmp/a", "/tmp/a"}, {"D:/a", "D:/a"},
                              {"dat", "data/dat"}, {"database.xml", "data/database.xml"}};
    for (const auto& c : cases) EXPECT_EQ(ofToDataPath(c[0]), c[1]) << c[0];

    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    const std::string base = std::string(cwd) + (cwd[std::strlen(cwd) - 1] == '/' ? "" : "/");
    EXPECT_EQ(ofToDataPath("img.png", true), base + "data/img.png");
    EXPECT_EQ(ofToDataPath("/abs/img.png", true), "/abs/img.png");

    ofDisableDataPath();
    EXPECT_EQ(ofToDataPath("sounds/hit.wav"), "sounds/hit.wav");
    EXPECT_EQ(ofToDataPath("x", true), "x");
}

TEST(TextConversions, NumbersFromMessyTextAndBack) {
    EXPECT_EQ(ofToInt("  42"), 42);
    EXPECT_EQ(ofToInt("-17abc"), -17);
    EXPECT_EQ(ofToInt("abc"), 0);
    EXPECT_EQ(ofToInt("3.9"), 3);
    EXPECT_EQ(ofToInt("\n\t 8 9"), 8);
    EXPECT_FLOAT_EQ(ofToFloat("2.5e1"), 25.0f);
    EXPECT_FLOAT_EQ(ofToFloat(" -0.125xyz"), -0.125f);
    EXPECT_FLOAT_EQ(ofToFloat("x1.5"), 0.0f);

    EXPECT_EQ(ofToString(INT_MIN), "-2147483648");
    EXPECT_EQ(ofToString(4000000000u), "4000000000");
    EXPECT_EQ(ofToString(true), "1");
    EXPECT_EQ(ofToString(1.02f), "1.02");
    EXPECT_EQ(ofToString(1234567.0f), "1.23457e+06");
    EXPECT_EQ(ofToString(int64_t(-9000000000LL)), "-9000000000");
    EXPECT_EQ(ofToString(uint64_t(18446744073709551615ULL)), "18446744073709551615");
}
