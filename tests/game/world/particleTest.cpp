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

TEST(Particle, ForcesFallLinearlyToNothingAtTheRadiusAndPairsAreEqualAndOpposite) {
    // x, y, radius, scale, repulsion x, y from a point at the origin; attraction is the opposite, and a particle
    // there takes the opposite of each; coincident, at the radius or beyond: nothing
    const float cases[][6] = {{60, 80, 200, 4, 1.2f, 1.6f}, {0, 40, 100, 2, 0, 1.2f}, {99.99f, 0, 100, 1e4f, 1, 0},
                              {100, 0, 100, 5, 0, 0},        {100.5f, 0, 100, 5, 0, 0}, {0, 0, 100, 5, 0, 0}};
    for (const auto& c : cases) {
        particle rep = at(c[0], c[1]), att = at(c[0], c[1]), a = at(0, 0), b = at(0, 0);
        rep.addRepulsionForce(0, 0, c[2], c[3]);
        att.addAttractionForce(0, 0, c[2], c[3]);
        EXPECT_XY(rep.force, c[4], c[5], 1e-3f);
        EXPECT_XY(att.force, -c[4], -c[5], 1e-3f);
        particle p = at(c[0], c[1]), q = at(c[0], c[1]);
        a.addRepulsionForce(p, c[2], c[3]);
        b.addAttractionForce(q, c[2], c[3]);
        EXPECT_TRUE(p.force == rep.force && a.force == att.force && q.force == att.force && b.force == rep.force)
            << c[0] << "," << c[1];
    }
}
