#include <gtest/gtest.h>

#include <cmath>

#include "RecorderScope.h"
#include "SpiralFoe.h"
#include "ofMath.h"

TEST(SpiralFoe, StaysOnItsNestedOrbitsAndSpinsWithTheDistanceTravelled) {
    for (unsigned seed : {1u, 2u, 3u}) {
        ofSeedRandom(seed);
        SpiralFoe foe;
        foe.spawn(ofColor(1, 2, 3), 1.0f, 100, -100, false, false);
        EXPECT_EQ(foe.type, 1);
        EXPECT_TRUE(foe.outerRadius >= 120 && foe.outerRadius < 180);
        EXPECT_TRUE(foe.innerRadius >= 50 && foe.innerRadius < 100);
        EXPECT_EQ(foe.orbitCentre, ofVec2f(foe.x, foe.y));
        const float heading = foe.heading;
        float lastX = 0, lastY = 0, spin = 0;  // the first frame counts from the origin
        for (int frame = 0; frame < 40; frame++) {
            const float outer = foe.outerAngle, inner = foe.innerAngle;
            foe.update(300, 200);
            EXPECT_NEAR(std::hypot(foe.orbitPoint.x - foe.orbitCentre.x, foe.orbitPoint.y - foe.orbitCentre.y),
                        foe.outerRadius, 1e-2);
            EXPECT_NEAR(std::hypot(foe.x - foe.orbitPoint.x, foe.y - foe.orbitPoint.y), foe.innerRadius, 1e-2);
            EXPECT_FLOAT_EQ(foe.outerAngle, outer + foe.outerDirection * foe.outerAngularSpeed);
            EXPECT_FLOAT_EQ(foe.innerAngle, inner + foe.innerDirection * foe.innerAngularSpeed);
            spin += std::hypot(foe.x - lastX, foe.y - lastY) / 35 * foe.innerDirection;
            lastX = foe.x;
            lastY = foe.y;
            EXPECT_NEAR(foe.spin, spin, 1e-3 * (1 + std::fabs(spin)));
            EXPECT_EQ(foe.trailHeading[0], foe.spin);
        }
        EXPECT_EQ(foe.heading, heading);
    }
}

TEST(SpiralFoe, CapsSpeedBeforeTheMoveAndOnlyDriftsWhenCentredOnTheTarget) {
    SpiralFoe foe;
    foe.setup();
    foe.x = foe.y = 50;
    foe.orbitCentre.set(50, 50);
    foe.heading = 0.5f;
    foe.speed = 20;
    foe.update(50, 50);
    EXPECT_EQ(foe.speed, 12);
    EXPECT_FLOAT_EQ(foe.orbitCentre.x, 50 + std::cos(0.5f) * 12);
    EXPECT_FLOAT_EQ(foe.orbitCentre.y, 50 + std::sin(0.5f) * 12);
    // Its ghosts are triangles.
    RecorderScope rec;
    foe.drawShape(4);
    EXPECT_EQ(rec.take(), (Calls{"setCircleResolution(3)", "drawCircle(0,0,0,4)"}));
}
