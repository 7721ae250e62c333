#include "Asteroid.h"
#include "BlackHole.h"
#include "Foe.h"
#include "WorldTest.h"

TEST(BlackHole, PullsWithinTheSquareTowardTheCentreByPosition) {
    // x, y, then x, y after, within: t = 0.75 gives 0.5 + 1.5 × 0.75; the edge and corner of the square count
    const float cases[][5] = {{60, 20, 58.375f, 20, 1},
                              {10, 120, 10, 119.5f, 1},
                              {110, 120, 109.646447f, 119.646447f, 0},
                              {110.01f, 20, 110.01f, 20, 0},
                              {10, 20, 10, 20, 1}};
    BlackHole hole;
    hole.setup(100);
    hole.centreX = 10;
    hole.centreY = 20;
    hole.edgePull = 0.5f;
    for (const auto& c : cases) {
        particle p;
        p.position.set(c[0], c[1]);
        EXPECT_EQ(hole.pullParticle(p), c[4] == 1) << c[0] << "," << c[1];
        EXPECT_XY(p.position, c[2], c[3], 1e-4f);
        EXPECT_EQ(p.velocity, ofVec2f());
    }
    Foe foe;  // foes and rocks the same way
    Asteroid rock;
    foe.x = rock.x = 60;
    foe.y = rock.y = 20;
    EXPECT_TRUE(hole.pullFoe(foe) && hole.pullAsteroid(rock) && foe.x == 58.375f && rock.x == 58.375f);
}

TEST(BlackHole, DefaultHoleGrowsAndPullsHarderAFixedOneKeepsItsSize) {
    RecorderScope scope;
    ofFixFrameNum(3);
    BlackHole hole;
    hole.setup(-1);
    for (int i = 0; i < 100; i++) hole.update(0.03f);  // 11 a second, pulling 0.02 per unit of radius
    EXPECT_NEAR(hole.radius, 63, 0.001);
    EXPECT_NEAR(hole.centrePull, 1.26, 0.0001);
    hole.setup(50);
    for (int i = 0; i < 100; i++) hole.update(0.03f);
    EXPECT_TRUE(hole.radius == 50 && hole.centrePull == 1);
}

TEST(BlackHole, FixedSmallHoleKeepsItsSwirlBoundedAGrowingOneKeepsEveryParticle) {
    RecorderScope scope;
    ofFixFrameNum(3);
    for (bool growing : {false, true}) {
        BlackHole hole;
        hole.setup(growing ? -1 : 40);
        hole.growth = 0;
        hole.radius = 40;
        hole.radiusSquared = 1600;
        for (int i = 0; i < 3000; i++) {
            hole.update(1 / 30.0f);
            hole.sparks.clear();  // drawing would retire them; this test never draws
        }
        EXPECT_TRUE(growing ? hole.swirl.size() > 1000u : hole.swirl.size() < 200u) << hole.swirl.size();
    }
}

TEST(BlackHole, StreaksComeOnTwoFramesOfThreeFadeInThenRaceInward) {
    RecorderScope scope;
    BlackHole hole;
    hole.setup(-1);
    for (int frame = 0; frame < 9; frame++) {
        ofFixFrameNum(frame);
        hole.update(0);
        EXPECT_EQ(hole.streaks.size(), static_cast<size_t>(frame - frame / 3)) << frame;
    }
    hole.setup(-1);
    ofFixFrameNum(1);
    ofSeedRandom(9);
    hole.update(0.15f);
    RingStreak& s = hole.streaks[0];
    ofSeedRandom(9);  // its draws: angle, length, distance out to the grown radius (30), speed
    const float angle = ofRandom(2 * PI_F), length = ofRandomRange(10, 70),
                distance = ofRandomRange(length, 30 + length), speed = ofRandomRange(200, 500);
    EXPECT_TRUE(s.angle == angle && s.length == length && s.distance == distance && s.speed == speed)
        << s.angle << " " << s.length << " " << s.distance << " " << s.speed;
    EXPECT_FLOAT_EQ(s.alpha, 125);
    s.distance = 80;
    s.length = 60;
    s.speed = 300;
    ofFixFrameNum(3);
    hole.update(0.15f);
    EXPECT_TRUE(s.alpha == 250 && s.distance == 80);  // not moved while fading in
    hole.update(0.15f);
    EXPECT_FLOAT_EQ(s.distance, 35);
    EXPECT_FLOAT_EQ(s.length, 35);
    hole.update(0.15f);
    EXPECT_TRUE(hole.streaks.empty());
}

TEST(BlackHole, DrawsCircleStreaksSparksThenSwirlOldestMostOpaque) {
    RecorderScope scope;
    ofFixFrameNum(1);
    ofSeedRandom(2);
    BlackHole hole;
    hole.setup(-1);
    hole.update(0.15f);
    ASSERT_EQ(hole.sparks.size(), 4u);
    const RingStreak s = hole.streaks[0];
    const particle* p = hole.swirl.data();
    hole.draw(12345);
    const Calls calls = scope.take();
    const float c = std::cos(s.angle), n = std::sin(s.angle), far = s.length + s.distance;
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 7),
              (Calls{"setFillMode(0)", "setCircleResolution(10)", "setColor(255,0,0,100)", "drawCircle(0,0,0,30)",
                     "setLineWidth(1)", "setColor(255,255,255,125)",
                     "drawLine(" + g(c * far) + "," + g(n * far) + ",0," + g(c * s.distance) + "," + g(n * s.distance) +
                         ",0)"}));
    EXPECT_EQ(callsStartingWith(calls, "drawCircle(0,0,0,").size(), 5u);  // the hole and four sparks
    Calls swirl;
    for (int i = 0; i < 3; i++) {
        swirl.push_back("setColor(250,250,250," + std::to_string(15 - 5 * i) + ")");
        swirl.push_back("drawRectangle(" + g(p[i].position.x) + "," + g(p[i].position.y) + ",0,5,5)");
    }
    EXPECT_EQ(Calls(calls.end() - 6, calls.end()), swirl);
}
