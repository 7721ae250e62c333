#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <climits>
#include <thread>

#include "ofUtils.h"

// The reading is bracketed by the steady clock read around the reset and
// after it, so a preempted thread moves both sides and never fails the check.
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
    EXPECT_TRUE(ms >= least && ms <= most) << least << " " << ms << " " << most;
    EXPECT_TRUE(seconds >= least / 1000.0f - 0.001f && seconds <= most / 1000.0f) << seconds;
}

TEST(Utils, DataPathPrefixesRelativeNamesOnlyAndNumbersComeFromMessyText) {
    const char* cases[][2] = {{"sounds/hit.wav", "data/sounds/hit.wav"}, {"data/x.xml", "data/x.xml"},
                              {"/tmp/a", "/tmp/a"}, {"database.xml", "data/database.xml"}};
    for (const auto& c : cases) EXPECT_EQ(ofToDataPath(c[0]), c[1]) << c[0];
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    EXPECT_EQ(ofToDataPath("img.png", true), std::string(cwd) + "/data/img.png");
    ofDisableDataPath();
    EXPECT_EQ(ofToDataPath("sounds/hit.wav") + " " + ofToDataPath("x", true), "sounds/hit.wav x");

    const std::pair<const char*, int> ints[] = {{" \n 42", 42}, {"-17abc", -17}, {"abc", 0}, {"3.9", 3}};
    for (const auto& c : ints) EXPECT_EQ(ofToInt(c.first), c.second) << c.first;
    EXPECT_FLOAT_EQ(ofToFloat(" -0.125xyz") + ofToFloat("2.5e1") + ofToFloat("x1.5"), 24.875f);
    EXPECT_EQ(ofToString(INT_MIN) + ofToString(uint64_t(18446744073709551615ULL)), "-214748364818446744073709551615");
}
