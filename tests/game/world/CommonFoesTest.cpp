#include <sstream>

#include "JitterFoe.h"
#include "NormFoe.h"
#include "SpiralFoe.h"
#include "WorldTest.h"

namespace {
const float kTurn = 0.0418879f;
}

TEST(NormFoe, SpeedRuleGainsBeforeTheMoveAndCapsAfterItAndTurnsByTheRawAngleDifference) {
    // heading, speed, gain, target x, y; after: x, speed, gain, heading
    const float rows[][9] = {{0, 2, 0, 2000, 0, 19.1460803f, 2, 0.1460803f, 0},  // far: boost 17 plus this frame's gain
                             {0, 2, 0, 1600, 0, 19.0782066f, 2, 0.0782066f, 0},  // the boost has topped out at 1600
                             {0, 20, 0, 100, 0, 20.0072262f, 14, 0, 0},          // moves at 20, then capped at 14
                             {0, 10, 5, 800, 0, 17.440984f, 10, 5, 0},           // at the cap: no gain, none taken back
                             {0, 1.5f, 0.25f, 0.5f, 0, 1.75f, 1.5f, 0.25f, 0},   // next to the target: no boost
                             {0, 0, 0, 10, 0.45f, NAN, 0, 0, 0.045f},            // within 1.1 steps: snaps
                             {0, 0, 0, 5.4f, -8.41f, NAN, 0, 0, -kTurn},         // one step
                             {3, 0, 0, -9.9f, -1.41f, NAN, 0, 0, 3 + kTurn},     // the short way across pi
                             // 0.01 apart across pi, the raw difference turns a full step past
                             {-3.13f, 0, 0, -10, 0.0016f, NAN, 0, 0, -3.13f - kTurn + 6.2831853f}};
    for (const auto& row : rows) {
        NormFoe foe;
        foe.setup();
        foe.heading = row[0];
        foe.speed = row[1];
        foe.speedGain = row[2];
        foe.update(row[3], row[4]);
        EXPECT_NEAR(foe.heading, row[8], 1e-4) << row[0] << " " << row[3] << "," << row[4];
        if (std::isnan(row[5])) continue;
        EXPECT_NEAR(foe.x, row[5], 1e-4);
        EXPECT_EQ(foe.speed, row[6]);
        EXPECT_NEAR(foe.speedGain, row[7], 1e-5);
        EXPECT_EQ(foe.trailPos[0], ofVec2f(foe.x, 0));
    }
}

TEST(JitterFoe, EngagesAtSixHundredArrivesInsideTenAndHalvesItsStepWithinFifty) {
    // x, way-point y, needs one, picks a new one (else: y after the move)
    const float rows[][5] = {{600, 0, 1, 1, 0},             // exactly 600: picks a way-point round the target
                             {300, 10, 0, 0, 3.0783109f},   // exactly 10 away: not reached; half step
                             {300, 9.5f, 0, 1, 0},          // inside 10: a new way-point
                             {300, 50, 0, 0, 6.1566219f}};  // 50 away: full step of speed plus boost
    for (const auto& row : rows) {
        JitterFoe foe;
        foe.setup();
        foe.x = foe.waypointX = row[0];
        foe.needWaypoint = row[2] == 1;
        foe.waypointY = row[1];
        ofSeedRandom(4);
        const float angle = ofRandom(6.2831853f);
        ofSeedRandom(4);
        foe.update(0, 0);
        EXPECT_FALSE(foe.needWaypoint);
        if (row[3] == 1)
            EXPECT_XY(ofVec2f(foe.waypointX, foe.waypointY), std::cos(angle) * 200, std::sin(angle) * 200, 1e-4f);
        else
            EXPECT_TRUE(foe.waypointY == row[1] && std::fabs(foe.y - row[4]) < 1e-4) << foe.y;
    }
    JitterFoe far;  // beyond 600: straight at the target, the way-point reset
    far.setup();
    far.x = 700;
    far.needWaypoint = false;
    far.update(0, 0);
    EXPECT_TRUE(far.needWaypoint && far.waypointX == 0 && far.trailPos[0] == ofVec2f(far.x, far.y));
    EXPECT_NEAR(far.x, 700 - 7.6795289f, 1e-4);
}

TEST(SpiralFoe, StaysOnItsNestedOrbitsAndSpinsWithTheDistanceTravelled) {
    for (unsigned seed : {1u, 2u}) {
        ofSeedRandom(seed);
        SpiralFoe foe;
        foe.spawn(ofColor(1, 2, 3), 1.0f, 100, -100, false, false);
        EXPECT_TRUE(foe.outerRadius >= 120 && foe.outerRadius < 180 && foe.innerRadius >= 50 && foe.innerRadius < 100);
        EXPECT_EQ(foe.orbitCentre, ofVec2f(foe.x, foe.y));
        float lastX = 0, lastY = 0, spin = 0;  // the first frame counts from the origin
        for (int frame = 0; frame < 40; frame++) {
            const float outer = foe.outerAngle, inner = foe.innerAngle;
            foe.update(300, 200);
            EXPECT_NEAR(ofDist(foe.orbitPoint.x, foe.orbitPoint.y, foe.orbitCentre.x, foe.orbitCentre.y),
                        foe.outerRadius, 1e-2);
            EXPECT_NEAR(ofDist(foe.x, foe.y, foe.orbitPoint.x, foe.orbitPoint.y), foe.innerRadius, 1e-2);
            EXPECT_FLOAT_EQ(foe.outerAngle, outer + foe.outerDirection * foe.outerAngularSpeed);
            EXPECT_FLOAT_EQ(foe.innerAngle, inner + foe.innerDirection * foe.innerAngularSpeed);
            spin += ofDist(foe.x, foe.y, lastX, lastY) / 35 * foe.innerDirection;
            lastX = foe.x;
            lastY = foe.y;
            EXPECT_NEAR(foe.spin, spin, 1e-3 * (1 + std::fabs(spin)));
            EXPECT_EQ(foe.trailHeading[0], foe.spin);
        }
    }
}

TEST(NormFoe, BigVariantDrawsNoisyTrianglesAndShiversItsTrailInDraw) {
    RecorderScope rec;
    NormFoe foe;
    foe.spawn(ofColor(0, 255, 0), 0, 0, 0, false, false);
    foe.makeBig(9, 2, 20);
    EXPECT_TRUE(foe.isBig && foe.maxSpeed == 20 && foe.speed == 9 && foe.hitRadius == 25.2f);
    EXPECT_TRUE(std::fabs(foe.size - 28.8f) < 1e-4f && std::fabs(foe.turnRate - 2 * kTurn) < 1e-6f);
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
    const int fill = static_cast<int>(ofMap(ofNoise2D(0.7f * t, 100), 0, 1, 10, 90)),
              outline = static_cast<int>(ofMap(ofNoise2D(0.7f * t, 0), 0, 1, 70, 200));
    EXPECT_EQ(calls[6] + calls[10], "setColor(232,70,119," + std::to_string(fill) + ")setColor(272,110,159," +
                                        std::to_string(outline) + ")");
    EXPECT_TRUE(calls[7] == calls[11] && calls[8] == calls[12]);  // filled T1, T2; outlined T1, T2, half-size T3
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 6),
              (Calls{"setLineWidth(1)", "pushMatrix()", "translate(" + g(foe.x) + "," + g(foe.y) + ",0)",
                     "rotate(" + g(ofRadToDeg(foe.heading)) + ")", "scale(1,1,1)", "setFillMode(1)"}));
    EXPECT_EQ(calls[9] + calls[14], "setFillMode(0)popMatrix()");
    // T1, T2 and T3 each wobble by their own noise; the nose (vertex 1) is 1.3 times as far out, T3 at half size
    const struct {
        size_t call;
        float radiusNoise, angleNoise, scale;
    } triangles[] = {{7, 10, 0, 1}, {8, 30, 10, 1}, {13, 50, 20, 0.5f}};
    for (const auto& tri : triangles) {
        std::vector<float> drawn;
        std::stringstream in(calls[tri.call].substr(calls[tri.call].find('(') + 1));
        for (float v; in >> v; in.ignore()) drawn.push_back(v);
        ASSERT_EQ(drawn.size(), 9u) << calls[tri.call];
        for (int i = 0; i < 3; i++) {
            const float r =
                28.8f * (i == 1 ? 1.3f : 1) * ofMap(ofNoise3D(0.7f * t, i, tri.radiusNoise), 0, 1, 0.75f, 1.25f);
            const float a =
                i * 2 * PI_F / 3 + PI_F / 3 + PI_F - PI_F / 10 + 2 * ofNoise2D(t, tri.angleNoise) * PI_F / 10;
            EXPECT_NEAR(drawn[i * 3], std::cos(a) * r * tri.scale, 1e-3f) << tri.call << " " << i;
            EXPECT_NEAR(drawn[i * 3 + 1], std::sin(a) * r * tri.scale, 1e-3f) << tri.call << " " << i;
        }
    }
    for (int i = 0; i < Foe::trailLength; i++) EXPECT_XY(foe.trailPos[i], i + shiver[i * 2], shiver[i * 2 + 1], 1e-4f);
}
