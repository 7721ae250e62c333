#include <gtest/gtest.h>

#include <cmath>

#include "JitterFoe.h"
#include "ofMath.h"

TEST(JitterFoe, EngagesAtSixHundredArrivesInsideTenAndHalvesItsStepWithinFifty) {
    struct Row {
        float x, waypointY;
        bool needWaypoint, picks;
        float movedY;
    } rows[] = {
        {600, 0, true, true, NAN},         // exactly 600: picks a way-point round the target
        {300, 10, false, false, 3.0783109f},  // exactly 10 away: not reached; half step
        {300, 9.5f, false, true, NAN},     // inside 10: a new way-point
        {300, 50, false, false, 6.1566219f},  // 50 away: full step of speed plus boost
    };
    for (const Row& row : rows) {
        JitterFoe foe;
        foe.setup();
        EXPECT_EQ(foe.speed, 6);
        foe.x = row.x;
        foe.needWaypoint = row.needWaypoint;
        foe.waypointX = row.x;
        foe.waypointY = row.waypointY;
        ofSeedRandom(4);
        const float angle = ofRandom(6.2831853f);
        ofSeedRandom(4);
        foe.update(0, 0);
        EXPECT_FALSE(foe.needWaypoint);
        if (row.picks) {
            EXPECT_FLOAT_EQ(foe.waypointX, std::cos(angle) * 200);
            EXPECT_FLOAT_EQ(foe.waypointY, std::sin(angle) * 200);
        } else {
            EXPECT_EQ(foe.waypointY, row.waypointY);
            EXPECT_NEAR(foe.y, row.movedY, 1e-4);
        }
    }
    // Beyond 600: straight at the target, the way-point reset.
    JitterFoe far;
    far.setup();
    far.x = 700;
    far.needWaypoint = false;
    far.update(0, 0);
    EXPECT_TRUE(far.needWaypoint);
    EXPECT_EQ(far.waypointX, 0);
    EXPECT_NEAR(far.x, 700 - 7.6795289f, 1e-4);
    EXPECT_EQ(far.trailPos[0], ofVec2f(far.x, far.y));
}
