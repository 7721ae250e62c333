#include <gtest/gtest.h>

#include <cmath>

#include "RecorderScope.h"
#include "SpiralFoe.h"
#include "ofMath.h"

namespace {
const float kTwoPi = 6.2831853f;
}

TEST(SpiralFoe, SetupDrawsItsOrbitsInOrder) {
    ofSeedRandom(21);
    ofRandomRange(2, 4);
    ofRandomRange(-1.5707964f, 1.5707964f);
    const float speed = ofRandomRange(0.8f, 1.8f) * 0.6f;
    const float outer = ofRandomRange(120, 180);
    const float inner = ofRandomRange(50, 100);
    const float outerSpeed = ofRandomRange(3.2f, 3.7f) / outer;
    const float innerSpeed = ofRandomRange(3.9f, 4.5f) / inner;
    const float outerAngle = ofRandom(kTwoPi);
    const float innerAngle = ofRandom(kTwoPi);
    const int outerDirection = ofRandom(1) < 0.5f ? 1 : -1;
    const int innerDirection = ofRandom(1) < 0.5f ? 1 : -1;

    ofSeedRandom(21);
    SpiralFoe foe;
    foe.spawn(ofColor(1, 2, 3), 0.5f, 0, 0, false, false);
    EXPECT_EQ(foe.type, 1);
    EXPECT_EQ(foe.size, 25);
    EXPECT_EQ(foe.hitRadius, 32.5f);
    EXPECT_EQ(foe.maxSpeed, 12);
    EXPECT_EQ(foe.boostMax, 14);
    EXPECT_EQ(foe.speed, speed);
    EXPECT_EQ(foe.outerRadius, outer);
    EXPECT_EQ(foe.innerRadius, inner);
    EXPECT_EQ(foe.outerAngularSpeed, outerSpeed);
    EXPECT_EQ(foe.innerAngularSpeed, innerSpeed);
    EXPECT_EQ(foe.outerAngle, outerAngle);
    EXPECT_EQ(foe.innerAngle, innerAngle);
    EXPECT_EQ(foe.outerDirection, outerDirection);
    EXPECT_EQ(foe.innerDirection, innerDirection);
    EXPECT_EQ(foe.orbitCentre, ofVec2f(foe.x, foe.y));
    EXPECT_EQ(foe.orbitPoint, ofVec2f(foe.x, foe.y));
    EXPECT_EQ(foe.spin, 0);
    EXPECT_EQ(foe.lastX, 0);
    EXPECT_EQ(foe.trailHeading[0], foe.heading);
}

TEST(SpiralFoe, StaysOnItsNestedOrbitsAndSpinsWithTheDistanceTravelled) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        ofSeedRandom(seed);
        SpiralFoe foe;
        foe.spawn(ofColor(1, 2, 3), 1.0f, 100, -100, false, seed % 2 == 0);
        const float spawnHeading = foe.heading;
        float lastX = 0, lastY = 0, spin = 0;
        for (int frame = 0; frame < 40; frame++) {
            const float outerAngle = foe.outerAngle;
            const float innerAngle = foe.innerAngle;
            foe.update(300, 200);
            EXPECT_NEAR(std::hypot(foe.orbitPoint.x - foe.orbitCentre.x, foe.orbitPoint.y - foe.orbitCentre.y),
                        foe.outerRadius, 1e-2);
            EXPECT_NEAR(std::hypot(foe.x - foe.orbitPoint.x, foe.y - foe.orbitPoint.y), foe.innerRadius, 1e-2);
            EXPECT_FLOAT_EQ(foe.outerAngle, outerAngle + foe.outerDirection * foe.outerAngularSpeed);
            EXPECT_FLOAT_EQ(foe.innerAngle, innerAngle + foe.innerDirection * foe.innerAngularSpeed);
            // The first frame counts its distance from the world origin.
            spin += std::hypot(foe.x - lastX, foe.y - lastY) / 35 * foe.innerDirection;
            lastX = foe.x;
            lastY = foe.y;
            EXPECT_NEAR(foe.spin, spin, 1e-3 * (1 + std::fabs(spin)));
            EXPECT_EQ(foe.trailHeading[0], foe.spin);
            EXPECT_EQ(foe.trailPos[0], ofVec2f(foe.x, foe.y));
            EXPECT_LE(foe.speed, foe.maxSpeed);
        }
        EXPECT_EQ(foe.heading, spawnHeading);
    }
}

TEST(SpiralFoe, CapsSpeedBeforeTheMoveAndOnlyDriftsWhenCentredOnTheTarget) {
    SpiralFoe foe;
    foe.setup();
    foe.x = foe.y = 50;
    foe.orbitCentre.set(50, 50);
    foe.heading = 0.5f;
    foe.speed = 20;
    foe.maxSpeed = 12;
    foe.outerRadius = foe.innerRadius = 0;
    foe.update(50, 50);
    // No pull toward the target; the drift uses the capped speed already.
    EXPECT_EQ(foe.speed, 12);
    EXPECT_FLOAT_EQ(foe.orbitCentre.x, 50 + std::cos(0.5f) * 12);
    EXPECT_FLOAT_EQ(foe.orbitCentre.y, 50 + std::sin(0.5f) * 12);

    // Off the target it also homes in, by the same step.
    foe.orbitCentre.set(0, 0);
    foe.x = foe.y = 0;
    foe.heading = 1.5707964f;
    foe.boostMax = 0;
    foe.gainMax = 0;
    foe.update(100, 0);
    EXPECT_NEAR(foe.orbitCentre.x, 12, 1e-4);
    EXPECT_NEAR(foe.orbitCentre.y, 12, 1e-4);
}

TEST(SpiralFoe, DrawsAPinwheelTwiceOutlinedAndTrianglesForGhosts) {
    RecorderScope rec;
    SpiralFoe foe;
    foe.setup();
    foe.x = 5;
    foe.y = 6;
    foe.spin = 3.1415927f;
    foe.color.set(255, 10, 20);
    foe.pulseOffset = 10;
    foe.draw();
    const std::vector<ofPolyline> stars = rec.renderer->drawnPolylines;
    const Calls calls = rec.take();
    const Calls head(calls.begin(), calls.begin() + 9);
    EXPECT_EQ(head, (Calls{"setLineWidth(1)", "pushMatrix()", "translate(5,6,0)", "rotate(180)", "scale(1,1,1)",
                           "setCircleResolution(16)", "setFillMode(1)", "setColor(255,10,20,100)",
                           "rendersPathDirectly()"}));
    EXPECT_EQ(callsStartingWith(calls, "setColor"), (Calls{"setColor(255,10,20,100)", "setColor(265,20,30,255)"}));
    EXPECT_EQ(callsStartingWith(calls, "drawPolyline"),
              (Calls{"drawPolyline(points=10,closed)", "drawPolyline(points=10,closed)"}));
    EXPECT_EQ(calls.back(), "popMatrix()");
    ASSERT_EQ(stars.size(), 2u);
    // Outer vertices at radius 1.3 size, inner ones a third of that and pi/10 on.
    const float radii[2] = {32.5f, 13.0f};
    for (int s = 0; s < 2; s++) {
        const ofPolyline& star = stars[s];
        for (int k = 0; k < 5; k++) {
            const float outer = k * kTwoPi / 5;
            EXPECT_NEAR(star[2 * k].x, std::cos(outer) * radii[s], 1e-4);
            EXPECT_NEAR(star[2 * k].y, std::sin(outer) * radii[s], 1e-4);
            EXPECT_NEAR(star[2 * k + 1].x, std::cos(outer + 0.31415927f) * radii[s] / 3, 1e-4);
            EXPECT_NEAR(star[2 * k + 1].y, std::sin(outer + 0.31415927f) * radii[s] / 3, 1e-4);
        }
    }
    foe.drawShape(4);
    EXPECT_EQ(rec.take(), (Calls{"setCircleResolution(3)", "drawCircle(0,0,0,4)"}));
}
