#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "MovingPoint.h"
#include "NoiseRing.h"
#include "RecorderScope.h"
#include "ofMath.h"

namespace {

struct Line {
    float x1, y1, x2, y2;
};

Line parseLine(const std::string& call) {
    Line l{};
    float z1, z2;
    EXPECT_EQ(std::sscanf(call.c_str(), "drawLine(%f,%f,%f,%f,%f,%f)", &l.x1, &l.y1, &z1, &l.x2, &l.y2, &z2), 6)
        << call;
    return l;
}

}  // namespace

TEST(NoiseRing, SetupTakesOneRandomPhase) {
    ofSeedRandom(5);
    const float phase = ofRandom(100);
    ofSeedRandom(5);
    NoiseRing ring;
    ring.radius = 9;
    ring.done = true;
    ring.segmentAlphas[3] = -1;
    ring.setup(12, 34, ofColor(1, 2, 3));
    EXPECT_EQ(ring.phase, phase);
    EXPECT_EQ(ring.centreX, 12);
    EXPECT_EQ(ring.centreY, 34);
    EXPECT_EQ(ring.colour, ofColor(1, 2, 3));
    EXPECT_EQ(ring.radius, 0);
    EXPECT_FALSE(ring.done);
    for (float a : ring.segmentAlphas) EXPECT_EQ(a, 160);
}

TEST(NoiseRing, FirstDrawHasStartingAlphasAndUnclampedWidths) {
    RecorderScope rec;
    ofFixElapsedTimef(2.5f);
    NoiseRing ring;
    ring.setup(500, 400, ofColor(200, 100, 50));
    ring.radius = 100;
    ring.segmentAlphas[14] = -20;
    ring.draw();
    const Calls calls = rec.take();
    ASSERT_EQ(calls.size(), 45u);
    for (int i = 0; i < 14; i++) {
        EXPECT_EQ(calls[i * 3], "setColor(200,100,50,160)") << i;
        EXPECT_EQ(calls[i * 3 + 1], "setLineWidth(" + g(11 - 160 / 255.0f * 10) + ")") << i;
    }
    // Faded past zero: the alpha is passed on negative, the line is wider than 11.
    EXPECT_EQ(calls[42], "setColor(200,100,50,-20)");
    EXPECT_EQ(calls[43], "setLineWidth(" + g(11 + 20 / 255.0f * 10) + ")");

    Line lines[15];
    for (int i = 0; i < 15; i++) lines[i] = parseLine(calls[i * 3 + 2]);
    for (int i = 0; i < 15; i++) {
        const Line& l = lines[i];
        const Line& next = lines[(i + 1) % 15];
        // Segment i runs from corner i to corner i + 1; segment 14 closes on corner 0.
        EXPECT_FLOAT_EQ(l.x2, next.x1) << i;
        EXPECT_FLOAT_EQ(l.y2, next.y1) << i;
        const float r = std::hypot(l.x1 - 500, l.y1 - 400);
        EXPECT_GE(r, 100 - 1e-3) << i;
        EXPECT_LE(r, 140 + 1e-3) << i;
        const float angle = std::atan2(l.y1 - 400, l.x1 - 500);
        EXPECT_NEAR(std::remainder(angle - i * 0.41887903f, 6.2831853f), 0, 1e-4) << i;
    }
}

TEST(NoiseRing, SegmentsFadeAtTheirOwnRatesAndTheRingEndsWithTheSlowest) {
    ofFixElapsedTimef(1.0f);
    NoiseRing ring;
    ring.setup(0, 0, ofColor(255, 255, 255));
    ring.phase = 0.3f;
    ring.update(0.5f);
    EXPECT_EQ(ring.radius, 200);
    float low = 1000, high = -1000;
    for (int i = 0; i < 15; i++) {
        const float lost = 160 - ring.segmentAlphas[i];
        EXPECT_NEAR(lost, ofNoise2D(1.0f + 0.3f, i) * 320 * 0.5f, 1e-3) << i;
        low = std::min(low, lost);
        high = std::max(high, lost);
    }
    EXPECT_GT(high - low, 1.0f);
    EXPECT_FALSE(ring.done);

    // Once only the slowest segment is left above 0 the ring goes on; after it, done.
    int slowest = 0;
    for (int i = 1; i < 15; i++) {
        if (ring.segmentAlphas[i] > ring.segmentAlphas[slowest]) slowest = i;
    }
    for (int i = 0; i < 15; i++) ring.segmentAlphas[i] = (i == slowest) ? 1e-3f : -5.0f;
    ring.fadeRate = 0;
    ring.update(0.1f);
    EXPECT_FALSE(ring.done);
    ring.segmentAlphas[slowest] = 0;
    ring.update(0.1f);
    EXPECT_TRUE(ring.done);
    ofReleaseFixedClock();
}

TEST(MovingPoint, VelocityFromAngleLeavesThePositionAlone) {
    const struct {
        float angle, speed, vx, vy;
    } rows[] = {{0, 5, 5, 0}, {1.5707964f, 2, 0, 2}, {3.1415927f, 3, -3, 0}, {-0.6435011f, 10, 8, -6}};
    for (const auto& row : rows) {
        MovingPoint p;
        p.x = 7;
        p.y = 8;
        p.setVelocityFromAngle(row.angle, row.speed);
        EXPECT_NEAR(p.vx, row.vx, 1e-5);
        EXPECT_NEAR(p.vy, row.vy, 1e-5);
        EXPECT_EQ(p.x, 7);
        EXPECT_EQ(p.y, 8);
    }
}
