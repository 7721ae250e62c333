#include <gtest/gtest.h>

#include "ofAppRunner.h"
#include "ofTestClock.h"
#include "ofUtils.h"

TEST(ofTestClock, FixesTimeAndFrameUntilReleased) {
    ofFixElapsedTimef(12.5f);
    ofFixFrameNum(77);
    EXPECT_EQ(ofGetElapsedTimef(), 12.5f);
    EXPECT_EQ(ofGetFrameNum(), 77);
    ofFixFrameNum(78);
    EXPECT_EQ(ofGetFrameNum(), 78);
    EXPECT_EQ(ofGetElapsedTimef(), 12.5f);

    ofReleaseFixedClock();
    ofResetElapsedTimeCounter();
    EXPECT_LT(ofGetElapsedTimef(), 1.0f);
    EXPECT_EQ(ofGetFrameNum(), 0);  // no window: nothing drawn
}
