#include <gtest/gtest.h>

#include <cmath>

#include "JitterFoe.h"
#include "RecorderScope.h"
#include "ofMath.h"

namespace {

JitterFoe foeAt(float x, float y) {
    JitterFoe foe;
    foe.setup();
    foe.x = x;
    foe.y = y;
    return foe;
}

}  // namespace

TEST(JitterFoe, EngagesAtSixHundredAndChasesFromFarther) {
    ofSeedRandom(8);
    JitterFoe foe = foeAt(600, 0);
    EXPECT_EQ(foe.speed, 6);
    EXPECT_EQ(foe.type, 2);
    ofSeedRandom(8);
    const float angle = ofRandom(6.2831853f);
    ofSeedRandom(8);
    foe.update(0, 0);
    // Exactly 600 away: a way-point on the 200 circle round the target.
    EXPECT_FALSE(foe.needWaypoint);
    EXPECT_FLOAT_EQ(foe.waypointX, std::cos(angle) * 200);
    EXPECT_FLOAT_EQ(foe.waypointY, std::sin(angle) * 200);

    // Farther: straight at the target at speed plus boost, way-point reset.
    JitterFoe far = foeAt(700, 0);
    far.needWaypoint = false;
    far.update(0, 0);
    EXPECT_TRUE(far.needWaypoint);
    EXPECT_EQ(far.waypointX, 0);
    EXPECT_EQ(far.waypointY, 0);
    EXPECT_FLOAT_EQ(far.heading, 3.1415927f);
    EXPECT_NEAR(far.x, 700 - 7.6795289f, 1e-4);
    EXPECT_NEAR(far.y, 0, 1e-4);
    EXPECT_EQ(far.trailPos[0], ofVec2f(far.x, far.y));
}

TEST(JitterFoe, AWaypointIsReachedOnlyInsideTenAndSlowsItWithinFifty) {
    struct Row {
        const char* what;
        float waypointOffset;
        bool newWaypoint;
    };
    const Row rows[] = {{"exactly 10: not yet", 10, false}, {"inside 10: reached", 9.5f, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        JitterFoe foe = foeAt(300, 0);
        foe.needWaypoint = false;
        foe.waypointX = 300;
        foe.waypointY = row.waypointOffset;
        ofSeedRandom(4);
        const float angle = ofRandom(6.2831853f);
        ofSeedRandom(4);
        foe.update(0, 0);
        if (row.newWaypoint) {
            EXPECT_FLOAT_EQ(foe.waypointX, std::cos(angle) * 200);
            EXPECT_FLOAT_EQ(foe.waypointY, std::sin(angle) * 200);
        } else {
            // Kept, and approached at half of speed plus boost (300 from the target).
            EXPECT_EQ(foe.waypointY, 10);
            EXPECT_FLOAT_EQ(foe.heading, 1.5707964f);
            EXPECT_NEAR(foe.y, 3.0783109f, 1e-4);
            EXPECT_NEAR(foe.x, 300, 1e-4);
        }
    }
}

TEST(JitterFoe, FullStepBeyondFiftyFromTheWaypoint) {
    JitterFoe foe = foeAt(300, 0);
    foe.needWaypoint = false;
    foe.waypointX = 300;
    foe.waypointY = 50;
    foe.update(0, 0);
    EXPECT_NEAR(foe.y, 6.1566219f, 1e-4);
    EXPECT_EQ(foe.waypointY, 50);
}

TEST(JitterFoe, DrawsHexagons) {
    RecorderScope rec;
    JitterFoe foe = foeAt(1, 2);
    foe.color.set(0, 200, 255);
    foe.pulseOffset = 60;
    foe.draw();
    EXPECT_EQ(rec.take(), (Calls{"setLineWidth(1)", "pushMatrix()", "translate(1,2,0)", "rotate(0)",
                                 "scale(1,1,1)", "setCircleResolution(6)", "setFillMode(1)",
                                 "setColor(0,200,255,100)", "drawCircle(0,0,0,18)", "setFillMode(0)",
                                 "setColor(60,260,315,255)", "drawCircle(0,0,0,18)", "drawCircle(0,0,0,9)",
                                 "popMatrix()"}));
    foe.drawShape(3);
    EXPECT_EQ(rec.take(), (Calls{"setCircleResolution(6)", "drawCircle(0,0,0,3)"}));
}
