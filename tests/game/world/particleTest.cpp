#include <gtest/gtest.h>

#include "particle.h"

namespace {

particle at(float x, float y) {
    particle p;
    p.position.set(x, y);
    return p;
}

}  // namespace

TEST(Particle, StepsByTheNewVelocityKeepingTheForce) {
    particle p;
    p.addForce(1, 0);
    p.update();
    EXPECT_EQ(p.position, ofVec2f(1, 0));
    p.update();  // the force is still there
    EXPECT_EQ(p.velocity, ofVec2f(2, 0));
    EXPECT_EQ(p.position, ofVec2f(3, 0));

    p.resetForce();
    p.velocity.set(10, -20);
    p.addDampingForce();
    EXPECT_EQ(p.force, ofVec2f(-1, 2));

    p.damping = 0.5f;
    p.setInitialCondition(10, 20, -1, 2);
    EXPECT_EQ(p.radius, 4.0f);
    EXPECT_EQ(p.force, ofVec2f(-1, 2));
    EXPECT_EQ(p.damping, 0.5f);
}

TEST(Particle, PointForcesFallLinearlyToNothingAtTheRadius) {
    struct Case {
        float x, y, radius, scale, fx, fy;
    };
    const Case cases[] = {
        {30, 0, 100, 2, 1.4f, 0},      {60, 80, 200, 4, 1.2f, 1.6f}, {0, -50, 100, 1, 0, -0.5f},
        {100, 0, 100, 5, 0, 0},        {150, 0, 100, 5, 0, 0},       {0, 0, 100, 5, 0, 0},
    };
    for (const Case& c : cases) {
        particle rep = at(c.x, c.y), att = at(c.x, c.y);
        rep.addRepulsionForce(0, 0, c.radius, c.scale);
        att.addAttractionForce(0, 0, c.radius, c.scale);
        EXPECT_NEAR(rep.force.x, c.fx, 1e-5f) << c.x << "," << c.y;
        EXPECT_NEAR(rep.force.y, c.fy, 1e-5f) << c.x << "," << c.y;
        EXPECT_NEAR(att.force.x, -c.fx, 1e-5f);
        EXPECT_NEAR(att.force.y, -c.fy, 1e-5f);
    }
    particle edge = at(99.99f, 0);
    edge.addRepulsionForce(0, 0, 100, 1);
    EXPECT_GT(edge.force.x, 0.0f);
    EXPECT_LT(edge.force.x, 1e-3f);
}

TEST(Particle, PairForcesAreEqualAndOpposite) {
    particle a = at(0, 0), b = at(0, 40), c = at(0, 0), d = at(0, 40);
    a.addRepulsionForce(b, 100, 2);
    c.addAttractionForce(d, 100, 2);
    EXPECT_NEAR(a.force.y, -1.2f, 1e-6f);
    EXPECT_NEAR(b.force.y, 1.2f, 1e-6f);
    EXPECT_NEAR(c.force.y, 1.2f, 1e-6f);
    EXPECT_NEAR(d.force.y, -1.2f, 1e-6f);
    // Coincident, at the radius, beyond it: nothing.
    for (float gap : {0.0f, 100.0f, 100.5f}) {
        particle e = at(5, 5), f = at(5 + gap, 5);
        e.addRepulsionForce(f, 100, 3);
        e.addAttractionForce(f, 100, 3);
        EXPECT_EQ(e.force.x, 0.0f) << gap;
        EXPECT_EQ(f.force.x, 0.0f) << gap;
    }
}
