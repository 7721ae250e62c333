#include "WorldTest.h"
#include "particle.h"

static particle at(float x, float y) {
    particle p;
    p.position.set(x, y);
    return p;
}

TEST(Particle, StepsByTheNewVelocityKeepingTheForceAndDamps) {
    particle p;
    p.addForce(1, 0);
    p.update();
    p.update();  // the force is still there
    EXPECT_TRUE(p.velocity == ofVec2f(2, 0) && p.position == ofVec2f(3, 0));
    p.resetForce();
    p.velocity.set(10, -20);
    p.addDampingForce();
    EXPECT_EQ(p.force, ofVec2f(-1, 2));
}

TEST(Particle, PointForcesFallLinearlyToNothingAtTheRadius) {
    // x, y, radius, scale, repulsion x, y; attraction is the opposite.
    const float cases[][6] = {{60, 80, 200, 4, 1.2f, 1.6f}, {99.99f, 0, 100, 1e4f, 1, 0}, {100, 0, 100, 5, 0, 0},
                              {0, 0, 100, 5, 0, 0}};
    for (const auto& c : cases) {
        particle rep = at(c[0], c[1]), att = at(c[0], c[1]);
        rep.addRepulsionForce(0, 0, c[2], c[3]);
        att.addAttractionForce(0, 0, c[2], c[3]);
        EXPECT_XY(rep.force, c[4], c[5], 1e-3f);
        EXPECT_XY(att.force, -c[4], -c[5], 1e-3f);
    }
}

TEST(Particle, PairForcesAreEqualAndOppositeWithinTheRadius) {
    particle a = at(0, 0), b = at(0, 40), c = at(0, 0), d = at(0, 40), e = at(0, 0), f = at(99.99f, 0);
    a.addRepulsionForce(b, 100, 2);
    c.addAttractionForce(d, 100, 2);
    EXPECT_XY(ofVec2f(a.force.y, b.force.y), -1.2f, 1.2f, 1e-6f);
    EXPECT_XY(ofVec2f(c.force.y, d.force.y), 1.2f, -1.2f, 1e-6f);
    e.addRepulsionForce(f, 100, 1e4f);  // just inside the radius
    EXPECT_NEAR(f.force.x, 1, 1e-3);
    for (float gap : {0.0f, 100.0f, 100.5f}) {  // coincident, at the radius, beyond: nothing
        e = at(5, 5), f = at(5 + gap, 5);
        e.addRepulsionForce(f, 100, 3);
        EXPECT_TRUE(e.force == ofVec2f() && f.force == ofVec2f()) << gap;
    }
}
