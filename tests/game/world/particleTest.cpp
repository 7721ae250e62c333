#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "particle.h"

namespace {

particle at(float x, float y) {
    particle p;
    p.position.set(x, y);
    return p;
}

}  // namespace

TEST(Particle, StepMovesByTheNewVelocityAndKeepsTheForce) {
    particle p;
    EXPECT_EQ(p.radius, 2.0f);
    EXPECT_EQ(p.damping, 0.1f);
    p.addForce(1, 0);
    p.update();
    EXPECT_EQ(p.velocity, ofVec2f(1, 0));
    EXPECT_EQ(p.position, ofVec2f(1, 0));
    // The force stays until the owner clears it: a second step accelerates again.
    p.update();
    EXPECT_EQ(p.velocity, ofVec2f(2, 0));
    EXPECT_EQ(p.position, ofVec2f(3, 0));
    p.resetForce();
    EXPECT_EQ(p.force, ofVec2f(0, 0));

    p.velocity.set(10, -20);
    p.addDampingForce();
    EXPECT_FLOAT_EQ(p.force.x, -1.0f);
    EXPECT_FLOAT_EQ(p.force.y, 2.0f);
}

TEST(Particle, InitialConditionSetsRadiusFourAndLeavesForceAndDamping) {
    particle p;
    p.force.set(3, 4);
    p.damping = 0.5f;
    p.setInitialCondition(10, 20, -1, 2);
    EXPECT_EQ(p.position, ofVec2f(10, 20));
    EXPECT_EQ(p.velocity, ofVec2f(-1, 2));
    EXPECT_EQ(p.radius, 4.0f);
    EXPECT_EQ(p.force, ofVec2f(3, 4));
    EXPECT_EQ(p.damping, 0.5f);
}

TEST(Particle, PointForcesFallLinearlyAndStopAtTheRadius) {
    struct Case {
        float x, y;  // the particle; the point is the origin
        float radius, scale;
        float repelX, repelY;
    };
    const Case cases[] = {
        {30, 0, 100, 2, 1.4f, 0},           // p = 0.7 along +x
        {0, -50, 100, 1, 0, -0.5f},         // below the point: pushed further down
        {60, 80, 200, 4, 1.2f, 1.6f},       // L 100: p 0.5, unit (0.6, 0.8)
        {100, 0, 100, 5, 0, 0},             // exactly at the radius: nothing
        {150, 0, 100, 5, 0, 0},             // beyond
        {0, 0, 100, 5, 0, 0},               // on the point: no direction
    };
    for (const Case& c : cases) {
        particle rep = at(c.x, c.y);
        rep.addRepulsionForce(0, 0, c.radius, c.scale);
        EXPECT_NEAR(rep.force.x, c.repelX, 1e-5f) << c.x << "," << c.y;
        EXPECT_NEAR(rep.force.y, c.repelY, 1e-5f) << c.x << "," << c.y;
        particle att = at(c.x, c.y);
        att.addAttractionForce(0, 0, c.radius, c.scale);
        EXPECT_NEAR(att.force.x, -c.repelX, 1e-5f);
        EXPECT_NEAR(att.force.y, -c.repelY, 1e-5f);
    }
    // Just inside the radius the push is almost nothing, but not nothing.
    particle edge = at(99.99f, 0);
    edge.addRepulsionForce(0, 0, 100, 1);
    EXPECT_GT(edge.force.x, 0.0f);
    EXPECT_LT(edge.force.x, 1e-3f);
}

TEST(Particle, PairForcesAreEqualAndOpposite) {
    particle a = at(0, 0);
    particle b = at(0, 40);
    a.addRepulsionForce(b, 100, 2);  // p 0.6, d from b to a is −y
    EXPECT_NEAR(a.force.y, -1.2f, 1e-6f);
    EXPECT_NEAR(b.force.y, 1.2f, 1e-6f);
    EXPECT_EQ(a.force.x, 0.0f);

    particle c = at(0, 0);
    particle d = at(0, 40);
    c.addAttractionForce(d, 100, 2);
    EXPECT_NEAR(c.force.y, 1.2f, 1e-6f);
    EXPECT_NEAR(d.force.y, -1.2f, 1e-6f);

    // Coincident: nothing. At the radius: zero either way. Beyond: untouched.
    for (float gap : {0.0f, 100.0f, 100.5f}) {
        particle e = at(5, 5);
        particle f = at(5 + gap, 5);
        e.addRepulsionForce(f, 100, 3);
        e.addAttractionForce(f, 100, 3);
        EXPECT_EQ(e.force.x, 0.0f) << gap;
        EXPECT_EQ(f.force.x, 0.0f) << gap;
    }
}

TEST(Particle, DrawsCirclesWithoutTouchingTheStyle) {
    auto renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    renderer->reset();
    particle p = at(3, 4);
    p.draw();
    p.draw(7.5f);
    EXPECT_EQ(renderer->calls, (std::vector<std::string>{"drawCircle(3,4,0,2)", "drawCircle(3,4,0,7.5)"}));
}
