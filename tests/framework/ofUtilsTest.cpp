#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "ofUtils.h"

// The reading is bracketed by the steady clock read before the reset and
// after it, so a preempted thread moves both sides and never fails the check.
TEST(Utils, ElapsedTimeCountsFromTheResetDataPathPrefixesRelativeNamesAndNumbersComeFromMessyText) {
    using namespace std::chrono;
    const auto beforeReset = steady_clock::now();
    ofResetElapsedTimeCounter();
    const auto afterReset = steady_clock::now();
    std::this_thread::sleep_for(milliseconds(30));  // so a clock stuck at 0 fails
    const auto least = duration_cast<milliseconds>(steady_clock::now() - afterReset).count();
    const uint64_t ms = ofGetElapsedTimeMillis();
    const float seconds = ofGetElapsedTimef();
    const auto most = duration_cast<milliseconds>(steady_clock::now() - beforeReset).count() + 1;
    EXPECT_TRUE(ms >= uint64_t(least) && ms <= uint64_t(most) && seconds >= least / 1000.0f - 0.001f && seconds <= most / 1000.0f)
        << least << " " << ms << " " << seconds << " " << most;

    const char* paths[][2] = {{"sounds/hit.wav", "data/sounds/hit.wav"}, {"data/x.xml", "data/x.xml"}, {"/tmp/a", "/tmp/a"},
                              {"database.xml", "data/database.xml"}};
    for (const auto& p : paths) EXPECT_EQ(ofToDataPath(p[0]), p[1]) << p[0];
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    EXPECT_EQ(ofToDataPath("img.png", true), std::string(cwd) + "/data/img.png");
    // Nothing turns the data path back on, so it is turned off in a child
    // only, which leaves without running the exit handlers it inherited.
    EXPECT_EXIT(
        {
            ofDisableDataPath();
            std::fprintf(stderr, "%s %s", ofToDataPath("sounds/hit.wav").c_str(), ofToDataPath("x", true).c_str());
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "^sounds/hit.wav x$");

    const std::pair<const char*, int> ints[] = {{" \n 42", 42}, {"-17abc", -17}, {"abc", 0}, {"3.9", 3}};
    for (const auto& c : ints) EXPECT_EQ(ofToInt(c.first), c.second) << c.first;
    EXPECT_FLOAT_EQ(ofToFloat(" -0.125xyz") + ofToFloat("2.5e1") + ofToFloat("x1.5"), 24.875f);
    EXPECT_EQ(ofToString(INT_MIN) + ofToString(uint64_t(18446744073709551615ULL)), "-214748364818446744073709551615");
}

// Numbers become text in the classic locale's shortest form, whatever their width.
TEST(Utils, NumbersOfEveryWidthBecomeTheirShortestText) {
    const std::pair<std::string, const char*> texts[] = {
        {ofToString(true), "1"},
        {ofToString(false), "0"},
        {ofToString(4000000000u), "4000000000"},
        {ofToString(-9000000000L), "-9000000000"},
        {ofToString(int64_t(-1)), "-1"},
        {ofToString(1.02f), "1.02"},
        {ofToString(30.0f), "30"},
        {ofToString(1234567.0f), "1.23457e+06"},
        {ofToString(0.00005f), "5e-05"},
    };
    for (const auto& t : texts) EXPECT_EQ(t.first, t.second);
}
