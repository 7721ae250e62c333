#include <gtest/gtest.h>

#include <cmath>

#include "JitterFoe.h"
#include "NormFoe.h"
#include "RecorderScope.h"
#include "ofMath.h"

namespace {
const float kTurn = 0.0418879f;
}

TEST(NormFoe, SpeedRuleGainsBeforeTheMoveAndCapsAfterIt) {
    struct Row {
        float speed, speedGain, targetX, movedX, speedAfter, gainAfter;
    } rows[] = {
        {2, 0, 2000, 19.1460803f, 2, 0.1460803f},                // far: boost 17 plus this frame's gain
        {2, 0, 1600, 19.0782066f, 2, 0.0782066f},                // the boost has topped out at 1600
        {20, 0, 100, 20.0072262f, 14, 0},                        // moves at 20, then capped at 14
        {10, 5, 800, 17.440984f, 10, 5},                         // at the cap: no gain, none taken back
        {1.5f, 0.25f, 0.5f, 1.75f, 1.5f, 0.25f},                 // next to the target: no boost
    };
    for (const Row& row : rows) {
        NormFoe foe;
        foe.setup();
        foe.speed = row.speed;
        foe.speedGain = row.speedGain;
        foe.update(row.targetX, 0);
        EXPECT_NEAR(foe.x, row.movedX, 1e-4);
        EXPECT_EQ(foe.speed, row.speedAfter);
        EXPECT_NEAR(foe.speedGain, row.gainAfter, 1e-5);
        EXPECT_EQ(foe.trailPos[0], ofVec2f(foe.x, 0));
    }
}

TEST(NormFoe, TurnsOneStepOrSnapsByTheRawAngleDifference) {
    struct Row {
        float heading, target, expected;
    } rows[] = {
        {0, 0.045f, 0.045f},                                   // within 1.1 steps: snaps
        {0, 1, kTurn}, {0, -1, -kTurn},                        // one step either way
        {3, -3, 3 + kTurn}, {-3, 3, -3 - kTurn},               // the short way across pi
        // 0.02 apart across pi, but the raw difference says turn: a full step past.
        {3.13f, -3.14f, 3.13f + kTurn - 6.2831853f}, {-3.13f, 3.14f, -3.13f - kTurn + 6.2831853f},
    };
    for (const Row& row : rows) {
        NormFoe foe;
        foe.setup();
        foe.heading = row.heading;
        foe.update(std::cos(row.target) * 10, std::sin(row.target) * 10);
        EXPECT_NEAR(foe.heading, row.expected, 1e-5) << row.heading << " " << row.target;
    }
}

TEST(NormFoe, TriangleAndHexagonBodiesPassOutlineChannelsAbove255) {
    NormFoe norm;
    JitterFoe jitter;
    Foe* foes[] = {&norm, &jitter};
    for (int k = 0; k < 2; k++) {
        RecorderScope rec;
        Foe& foe = *foes[k];
        foe.x = 10;
        foe.y = 20;
        foe.heading = 1.5707964f;
        foe.color.set(250, 100, 0);
        foe.pulseOffset = 55.7f;
        foe.pulseScale = 1.5f;
        foe.thickLines = true;
        foe.draw();
        const std::string res = k == 0 ? "setCircleResolution(3)" : "setCircleResolution(6)";
        EXPECT_EQ(rec.take(), (Calls{"setLineWidth(2)", "pushMatrix()", "translate(10,20,0)", "rotate(90)",
                                     "scale(1.5,1.5,1)", res, "setFillMode(1)", "setColor(250,100,0,100)",
                                     "drawCircle(0,0,0,18)", "setFillMode(0)", "setColor(305,155,55,255)",
                                     "drawCircle(0,0,0,18)", "drawCircle(0,0,0,9)", "popMatrix()"}));
        foe.drawShape(7);
        EXPECT_EQ(rec.take(), (Calls{res, "drawCircle(0,0,0,7)"}));
    }
}

TEST(NormFoe, BigVariantDrawsThreeNoisyTrianglesAndShiversItsTrail) {
    RecorderScope rec;
    NormFoe foe;
    foe.spawn(ofColor(0, 255, 0), 0, 0, 0, false, false);
    foe.makeBig(9, 2, 20);
    EXPECT_TRUE(foe.isBig);
    EXPECT_FLOAT_EQ(foe.turnRate, 2 * kTurn);
    EXPECT_EQ(foe.maxSpeed, 20);
    EXPECT_EQ(foe.speed, 9);
    EXPECT_FLOAT_EQ(foe.size, 28.8f);
    EXPECT_EQ(foe.hitRadius, 25.2f);
    foe.pulseOffset = 40;
    for (int i = 0; i < Foe::trailLength; i++) foe.trailPos[i].set(i, 0);
    const float t = 12.25f;
    ofFixElapsedTimef(t);
    ofSeedRandom(11);
    float shiver[Foe::trailLength * 2];
    for (float& s : shiver) s = ofRandom(10);
    ofSeedRandom(11);
    rec.take();
    foe.draw();
    const Calls calls = rec.take();
    ASSERT_EQ(calls.size(), 15u);
    const int fillAlpha = static_cast<int>(ofMap(ofNoise2D(0.7f * t, 100), 0, 1, 10, 90));
    const int outlineAlpha = static_cast<int>(ofMap(ofNoise2D(0.7f * t, 0), 0, 1, 70, 200));
    EXPECT_EQ(calls[6], "setColor(232,70,119," + std::to_string(fillAlpha) + ")");
    EXPECT_EQ(calls[10], "setColor(272,110,159," + std::to_string(outlineAlpha) + ")");
    // Filled T1, T2; outlined T1, T2 and the half-size T3.
    EXPECT_EQ(calls[7], calls[11]);
    EXPECT_EQ(calls[8], calls[12]);
    for (int k : {11, 12, 13}) {
        // Vertex 1 is the nose: 1.3 times as far out (T3 at half size), within pi/10 of the heading.
        const std::vector<float> v = triangleOf(calls[k]);
        const float r = std::hypot(v[3], v[4]) / (k == 13 ? 0.5f : 1);
        EXPECT_TRUE(r >= 0.75f * 1.3f * 28.8f - 1e-3 && r <= 1.25f * 1.3f * 28.8f + 1e-3) << k;
        EXPECT_LE(std::fabs(std::atan2(v[4], v[3])), 0.3141593f + 1e-4);
    }
    for (int i = 0; i < Foe::trailLength; i++) {
        EXPECT_FLOAT_EQ(foe.trailPos[i].x, i + shiver[i * 2]);
        EXPECT_FLOAT_EQ(foe.trailPos[i].y, shiver[i * 2 + 1]);
    }
}
