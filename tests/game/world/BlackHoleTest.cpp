#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Asteroid.h"
#include "BlackHole.h"
#include "Foe.h"
#include "RecorderScope.h"
#include "ofMath.h"

TEST(BlackHole, PullsWithinTheSquareTowardTheCentreByPosition) {
    struct Case {
        float x, y;      // start
        float ex, ey;    // after the pull
        bool within;
    } cases[] = {
        {60, 20, 58.375f, 20, true},                    // t = 0.75: 0.5 + 1.5 x 0.75
        {10, 120, 10, 119.5f, true},                    // on the square's edge, at the radius
        {110, 120, 109.646447f, 119.646447f, false},    // the square's corner is pulled too
        {110.01f, 20, 110.01f, 20, false},              // just outside on x only
        {10, 20, 10, 20, true},                         // the centre stays put
    };
    BlackHole hole;
    hole.setup(100);
    hole.centreX = 10;
    hole.centreY = 20;
    hole.edgePull = 0.5f;
    EXPECT_FLOAT_EQ(hole.centrePull, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        particle p;
        p.position.set(c.x, c.y);
        p.velocity.set(1, 1);
        Foe foe;
        foe.x = c.x;
        foe.y = c.y;
        Asteroid rock;
        rock.x = c.x;
        rock.y = c.y;
        EXPECT_EQ(hole.pullParticle(p), c.within);
        EXPECT_EQ(hole.pullFoe(foe), c.within);
        EXPECT_EQ(hole.pullAsteroid(rock), c.within);
        for (float x : {p.position.x, foe.x, rock.x}) EXPECT_FLOAT_EQ(x, c.ex);
        for (float y : {p.position.y, foe.y, rock.y}) EXPECT_FLOAT_EQ(y, c.ey);
        EXPECT_EQ(p.velocity, ofVec2f(1, 1));
    }
}

TEST(BlackHole, DefaultHoleGrowsAndPullsHarderAFixedOneKeepsItsSize) {
    RecorderScope scope;
    ofFixFrameNum(3);
    BlackHole hole;
    hole.setup(-1);
    EXPECT_TRUE(hole.growing);
    hole.update(0.03f);
    EXPECT_FLOAT_EQ(hole.radius, 30.33f);
    EXPECT_FLOAT_EQ(hole.centrePull, 0.02f * 30.33f);
    for (int i = 0; i < 99; i++) hole.update(0.03f);
    EXPECT_NEAR(hole.radius, 63, 0.001);
    EXPECT_NEAR(hole.radiusSquared, 63 * 63, 0.2);
    EXPECT_NEAR(hole.centrePull, 1.26, 0.0001);

    hole.setup(50);
    EXPECT_FALSE(hole.growing);
    EXPECT_TRUE(hole.swirl.empty() && hole.sparks.empty() && hole.streaks.empty());
    for (int i = 0; i < 100; i++) hole.update(0.03f);
    EXPECT_EQ(hole.radius, 50);
    EXPECT_EQ(hole.radiusSquared, 2500);
    EXPECT_EQ(hole.centrePull, 1);
}

TEST(BlackHole, StreaksComeOnTwoFramesOfThreeFadeInThenRaceInward) {
    RecorderScope scope;
    ofSeedRandom(4);
    BlackHole hole;
    hole.setup(-1);
    const size_t counts[9] = {0, 1, 2, 2, 3, 4, 4, 5, 6};
    for (int frame = 0; frame < 9; frame++) {
        ofFixFrameNum(frame);
        hole.update(0);
        EXPECT_EQ(hole.streaks.size(), counts[frame]) << frame;
    }
    for (const RingStreak& s : hole.streaks) {
        EXPECT_GE(s.length, 10);
        EXPECT_LT(s.length, 70);
        EXPECT_GE(s.distance, s.length);
        EXPECT_LE(s.distance, s.length + 32);  // radius truncated, 32.97 at the last frame
        EXPECT_TRUE(s.fadingIn);
    }

    hole.setup(-1);
    ofFixFrameNum(1);
    hole.update(0.15f);
    ASSERT_EQ(hole.streaks.size(), 1u);
    EXPECT_FLOAT_EQ(hole.streaks[0].alpha, 125);
    RingStreak& s = hole.streaks[0];
    s.distance = 80;
    s.length = 60;
    s.speed = 300;
    ofFixFrameNum(3);
    hole.update(0.15f);
    EXPECT_EQ(s.alpha, 250);
    EXPECT_FALSE(s.fadingIn);
    EXPECT_EQ(s.distance, 80);  // not moved while fading in
    hole.update(0.15f);
    EXPECT_FLOAT_EQ(s.distance, 35);
    EXPECT_FLOAT_EQ(s.length, 35);
    hole.update(0.15f);
    EXPECT_TRUE(hole.streaks.empty());
}

TEST(BlackHole, SparksAndSwirlAreAddedAroundTheCentre) {
    RecorderScope scope;
    ofFixFrameNum(3);
    ofSeedRandom(8);
    BlackHole hole;
    hole.setup(40);
    hole.centreX = 100;
    hole.centreY = -100;
    hole.update(0.03f);
    ASSERT_EQ(hole.sparks.size(), 4u);
    for (const Spark& s : hole.sparks) {
        EXPECT_LE(std::fabs(s.x - 100), 15);
        EXPECT_LE(std::fabs(s.y + 100), 15);
        EXPECT_GE(s.life, 10);
        EXPECT_LE(s.life, 14);
        EXPECT_EQ(s.colour.getBrightness(), 200);
    }
    ASSERT_EQ(hole.swirl.size(), 3u);
    for (const particle& p : hole.swirl) {
        float d = ofDist(p.position.x, p.position.y, 100, -100);
        EXPECT_GE(d, 40 - 4.5f);   // radius plus up to 75 on each axis, one step in
        EXPECT_LT(d, 170);
        EXPECT_EQ(p.radius, 4);
    }
}

TEST(BlackHole, DrawsCircleStreaksSparksThenSwirlOldestMostOpaque) {
    RecorderScope scope;
    ofFixFrameNum(1);
    ofSeedRandom(2);
    BlackHole hole;
    hole.setup(-1);
    hole.update(0.15f);
    const RingStreak s = hole.streaks[0];
    hole.draw(12345);
    Calls calls = scope.take();
    float c = std::cos(s.angle), n = std::sin(s.angle);
    Calls head(calls.begin(), calls.begin() + 7);
    EXPECT_EQ(head, (Calls{"setFillMode(0)", "setCircleResolution(10)", "setColor(255,0,0,100)",
                           "drawCircle(0,0,0,30)", "setLineWidth(1)", "setColor(255,255,255,125)",
                           "drawLine(" + g(c * (s.length + s.distance)) + "," + g(n * (s.length + s.distance)) +
                               ",0," + g(c * s.distance) + "," + g(n * s.distance) + ",0)"}));
    EXPECT_EQ(callsStartingWith(calls, "drawCircle(0,0,0,").size(), 5u);  // the hole and four sparks
    Calls tail(calls.end() - 7, calls.end());
    const particle* p = hole.swirl.data();
    EXPECT_EQ(tail, (Calls{"setFillMode(0)", "setColor(250,250,250,15)",
                           "drawRectangle(" + g(p[0].position.x) + "," + g(p[0].position.y) + ",0,5,5)",
                           "setColor(250,250,250,10)",
                           "drawRectangle(" + g(p[1].position.x) + "," + g(p[1].position.y) + ",0,5,5)",
                           "setColor(250,250,250,5)",
                           "drawRectangle(" + g(p[2].position.x) + "," + g(p[2].position.y) + ",0,5,5)"}));
    // Drawing aged the sparks by one frame.
    EXPECT_LE(hole.sparks[0].life, 13);
}

TEST(BlackHole, FixedSmallHoleKeepsItsSwirlBounded) {
    RecorderScope scope;
    ofFixFrameNum(3);
    ofSeedRandom(1);
    BlackHole hole;
    hole.setup(40);
    size_t most = 0;
    for (int i = 0; i < 3000; i++) {
        hole.update(1 / 30.0f);
        hole.sparks.clear();  // drawing would retire them; this test never draws
        most = std::max(most, hole.swirl.size());
    }
    EXPECT_LT(most, 200u);

    // A growing hole keeps every particle its pull has not reached.
    hole.setup(-1);
    hole.growth = 0;
    hole.radius = 40;
    hole.radiusSquared = 1600;
    for (int i = 0; i < 3000; i++) {
        hole.update(1 / 30.0f);
        hole.sparks.clear();
    }
    EXPECT_GT(hole.swirl.size(), 1000u);
}
