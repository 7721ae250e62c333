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
