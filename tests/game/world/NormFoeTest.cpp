#include <gtest/gtest.h>

#include <cmath>

#include "NormFoe.h"
#include "RecorderScope.h"
#include "ofMath.h"

namespace {

const float kTurn = 0.0418879f;

// A foe at the origin facing +x, its target straight ahead so it needs no turn.
NormFoe straightFoe(float speed, float speedGain, float maxSpeed) {
    NormFoe foe;
    foe.setup();
    foe.speed = speed;
    foe.speedGain = speedGain;
    foe.maxSpeed = maxSpeed;
    foe.heading = 0;
    return foe;
}

}  // namespace

TEST(NormFoe, SpeedRuleGainsBeforeTheMoveAndCapsAfterIt) {
    struct Row {
        const char* what;
        float speed, speedGain, maxSpeed, targetX;
        float movedX, speedAfter, gainAfter;
    };
    const Row rows[] = {
        // Far: the full boost of 17 plus this frame's gain.
        {"far", 2, 0, 14, 2000, 19.1460803f, 2, 0.1460803f},
        // At the boost range the boost has reached 17.
        {"at the boost range", 2, 0, 14, 1600, 2 + 0.0782066f + 17, 2, 0.0782066f},
        // Over the cap: this frame still moves at the old speed, then it is cut.
        {"capped after", 20, 0, 14, 100, 20.0072262f, 14, 0},
        // At the cap the gain stops growing but is not cut back.
        {"gain kept", 10, 5, 14, 800, 17.440984f, 10, 5},
        // Next to the target: no boost, no gain.
        {"near", 1.5f, 0.25f, 14, 0.5f, 1.75f, 1.5f, 0.25f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NormFoe foe = straightFoe(row.speed, row.speedGain, row.maxSpeed);
        foe.update(row.targetX, 0);
        EXPECT_NEAR(foe.x, row.movedX, 1e-4);
        EXPECT_EQ(foe.y, 0);
        EXPECT_EQ(foe.speed, row.speedAfter);
        EXPECT_NEAR(foe.speedGain, row.gainAfter, 1e-5);
        EXPECT_EQ(foe.trailPos[0], ofVec2f(foe.x, foe.y));
    }
}

TEST(NormFoe, TurnsOneStepOrSnapsByTheRawAngleDifference) {
    struct Row {
        const char* what;
        float heading, targetAngle, expected;
    };
    const Row rows[] = {
        {"snaps within 1.1 steps", 0, 0.045f, 0.045f},
        {"turns up", 0, 1.0f, kTurn},
        {"turns down", 0, -1.0f, -kTurn},
        {"short way up across pi", 3.0f, -3.0f, 3.0f + kTurn},
        {"short way down across pi", -3.0f, 3.0f, -3.0f - kTurn},
        // Only 0.02 apart across +-pi, yet the raw difference is near 2 pi:
        // it turns a full step past the target, then wraps.
        {"overshoots across +pi", 3.13f, -3.14f, 3.13f + kTurn - 6.2831853f},
        {"overshoots across -pi", -3.13f, 3.14f, -3.13f - kTurn + 6.2831853f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        NormFoe foe = straightFoe(0, 0, 14);
        foe.boostMax = 0;
        foe.heading = row.heading;
        foe.update(std::cos(row.targetAngle) * 100, std::sin(row.targetAngle) * 100);
        EXPECT_NEAR(foe.heading, row.expected, 1e-5);
        EXPECT_EQ(foe.trailHeading[0], foe.heading);
    }
}

TEST(NormFoe, BodyIsATriangleWithOutlineChannelsPastByteRange) {
    RecorderScope rec;
    NormFoe foe;
    foe.setup();
    foe.x = 10;
    foe.y = 20;
    foe.heading = 1.5707964f;
    foe.color.set(250, 100, 0);
    foe.pulseOffset = 55.7f;
    foe.pulseScale = 1.5f;
    foe.thickLines = true;
    foe.draw();
    EXPECT_EQ(rec.take(), (Calls{"setLineWidth(2)", "pushMatrix()", "translate(10,20,0)", "rotate(90)",
                                 "scale(1.5,1.5,1)", "setCircleResolution(3)", "setFillMode(1)",
                                 "setColor(250,100,0,100)", "drawCircle(0,0,0,18)", "setFillMode(0)",
                                 "setColor(305,155,55,255)", "drawCircle(0,0,0,18)", "drawCircle(0,0,0,9)",
                                 "popMatrix()"}));
    foe.drawShape(7);
    EXPECT_EQ(rec.take(), (Calls{"setCircleResolution(3)", "drawCircle(0,0,0,7)"}));
}

TEST(NormFoe, BigVariantKeepsItsHitRadius) {
    ofSeedRandom(3);
    NormFoe foe;
    foe.spawn(ofColor(0, 255, 0), 0, 0, 0, false, false);
    foe.makeBig(9, 2.0f, 20);
    EXPECT_TRUE(foe.isBig);
    EXPECT_EQ(foe.type, 0);
    EXPECT_FLOAT_EQ(foe.turnRate, 2 * kTurn);
    EXPECT_EQ(foe.maxSpeed, 20);
    EXPECT_EQ(foe.speed, 9);
    EXPECT_EQ(foe.color, ofColor(0xE8, 0x46, 0x77, 255));
    EXPECT_FLOAT_EQ(foe.size, 28.8f);
    EXPECT_EQ(foe.hitRadius, 25.2f);
}

TEST(NormFoe, BigVariantDrawsThreeNoisyTrianglesAndShiversItsTrail) {
    RecorderScope rec;
    NormFoe foe;
    foe.setup();
    foe.makeBig(9, 1, 20);
    foe.x = 100;
    foe.y = 50;
    foe.pulseOffset = 40;
    for (int i = 0; i < Foe::trailLength; i++) foe.trailPos[i].set(i, 0);

    const float t = 12.25f;
    ofFixElapsedTimef(t);
    ofSeedRandom(11);
    float shiver[Foe::trailLength * 2];
    for (float& s : shiver) s = ofRandom(10);
    ofSeedRandom(11);
    foe.draw();
    const Calls calls = rec.take();
    const int fillAlpha = static_cast<int>(ofMap(ofNoise2D(0.7f * t, 100), 0, 1, 10, 90));
    const int outlineAlpha = static_cast<int>(ofMap(ofNoise2D(0.7f * t, 0), 0, 1, 70, 200));
    ASSERT_EQ(calls.size(), 15u);
    EXPECT_EQ(calls[0], "setLineWidth(1)");
    EXPECT_EQ(calls[4], "scale(1,1,1)");
    EXPECT_EQ(calls[5], "setFillMode(1)");
    EXPECT_EQ(calls[6], "setColor(232,70,119," + std::to_string(fillAlpha) + ")");
    EXPECT_EQ(calls[9], "setFillMode(0)");
    // The pulse lifts red past 255.
    EXPECT_EQ(calls[10], "setColor(272,110,159," + std::to_string(outlineAlpha) + ")");
    EXPECT_EQ(calls[14], "popMatrix()");

    // Two filled triangles, then T1, T2 and the half-size T3 outlined.
    float v[5][9];
    const int at[5] = {7, 8, 11, 12, 13};
    for (int k = 0; k < 5; k++) {
        ASSERT_EQ(std::sscanf(calls[at[k]].c_str(), "drawTriangle(%f,%f,%f,%f,%f,%f,%f,%f,%f)", &v[k][0], &v[k][1],
                              &v[k][2], &v[k][3], &v[k][4], &v[k][5], &v[k][6], &v[k][7], &v[k][8]),
                  9)
            << calls[at[k]];
    }
    for (int c = 0; c < 9; c++) {
        EXPECT_EQ(v[0][c], v[2][c]);
        EXPECT_EQ(v[1][c], v[3][c]);
    }
    const float bigSize = 28.8f;
    for (int k = 2; k < 5; k++) {
        const float half = k == 4 ? 0.5f : 1.0f;
        for (int i = 0; i < 3; i++) {
            const float px = v[k][i * 3], py = v[k][i * 3 + 1];
            const float r = std::hypot(px, py);
            const float base = bigSize * (i == 1 ? 1.3f : 1.0f) * half;
            EXPECT_GE(r, 0.75f * base - 1e-3) << k << " " << i;
            EXPECT_LE(r, 1.25f * base + 1e-3) << k << " " << i;
        }
        // Vertex 1 is the nose: ahead, within pi/10 of the heading.
        EXPECT_GT(v[k][3], 0);
        EXPECT_LE(std::fabs(std::atan2(v[k][4], v[k][3])), 0.3141593f + 1e-4);
    }
    for (int i = 0; i < Foe::trailLength; i++) {
        EXPECT_FLOAT_EQ(foe.trailPos[i].x, i + shiver[i * 2]) << i;
        EXPECT_FLOAT_EQ(foe.trailPos[i].y, shiver[i * 2 + 1]) << i;
    }

    // Another moment, another shape.
    ofFixElapsedTimef(t + 0.5f);
    foe.draw();
    EXPECT_NE(rec.take()[7], calls[7]);
}
