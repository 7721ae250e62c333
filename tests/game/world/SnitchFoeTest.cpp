#include <gtest/gtest.h>

#include <cmath>

#include "ArenaTestSupport.h"
#include "ArenaWalls.h"
#include "RecorderScope.h"
#include "SnitchFoe.h"
#include "ofMath.h"

namespace {

ArenaWalls stillRing(int radiusOverride = -1) {
    ArenaWalls w;
    w.setup(false, radiusOverride != -1, 0, 0);
    w.radiusOverride = static_cast<float>(radiusOverride);
    w.update(0);
    return w;
}

// The snitch looks for a spot turned a quarter to three quarters of a turn
// from the direction toward `from`, measured round the arena centre.
void expectAwayFrom(const SnitchFoe& s, float fromX, float fromY, float beforeX, float beforeY) {
    float dot = (s.spotX - s.arena->centreX) * (fromX - beforeX) + (s.spotY - s.arena->centreY) * (fromY - beforeY);
    EXPECT_LE(dot, 1e-3f);
}

}  // namespace

TEST(SnitchFoe, ArenaMovesItToAFirstSpotThenPicksASecond) {
    for (unsigned seed = 1; seed <= 20; seed++) {
        ofSeedRandom(seed);
        ArenaWalls walls = stillRing();
        SnitchFoe snitch;
        snitch.spawn(ofColor(0, 200, 0), 0.5f, 0, 0, false, false);
        EXPECT_EQ(snitch.type, 5);
        EXPECT_EQ(snitch.speed, 18);
        EXPECT_EQ(snitch.heading, 0);
        EXPECT_EQ(snitch.arena, nullptr);
        float spawnX = snitch.x, spawnY = snitch.y;

        snitch.setArena(&walls);
        SCOPED_TRACE(seed);
        EXPECT_TRUE(walls.isPointInside(snitch.x, snitch.y));
        EXPECT_GT(ofDistSquared(snitch.x, snitch.y, 0, 0), 202500);
        // Seen from the spawn point, the first spot lies beyond the centre's
        // perpendicular: on the spawn point's own side.
        EXPECT_GE(snitch.x * spawnX + snitch.y * spawnY, -1e-3f);
        EXPECT_TRUE(walls.isPointInside(snitch.spotX, snitch.spotY));
        EXPECT_GT(ofDistSquared(snitch.spotX, snitch.spotY, 0, 0), 202500);
        EXPECT_LE(snitch.spotX * -snitch.x + snitch.spotY * -snitch.y, 1e-3f);
        // The trail still remembers the spawn point.
        EXPECT_EQ(snitch.trailPos[44], ofVec2f(spawnX, spawnY));
    }
}

TEST(SnitchFoe, FliesEighteenAFrameAndPicksAgainOnArrival) {
    ofSeedRandom(3);
    ArenaWalls walls = stillRing();
    SnitchFoe snitch;
    snitch.spawn(ofColor::white, 0, 0, 0, false, false);
    snitch.setArena(&walls);
    const float farX = 5000, farY = 5000;
    int picks = 0;
    for (int frame = 0; frame < 400; frame++) {
        float x = snitch.x, y = snitch.y, spotX = snitch.spotX, spotY = snitch.spotY;
        snitch.update(farX, farY);
        EXPECT_NEAR(ofDist(x, y, snitch.x, snitch.y), 18, 1e-3);
        EXPECT_FLOAT_EQ(snitch.heading, std::atan2(spotY - y, spotX - x));
        EXPECT_FLOAT_EQ(snitch.trailHeading[0], snitch.heading + 1.5707964f);
        bool arrived = ofDistSquared(snitch.x, snitch.y, spotX, spotY) < 400;
        EXPECT_EQ(snitch.spotX != spotX || snitch.spotY != spotY, arrived);
        if (arrived) {
            picks++;
            expectAwayFrom(snitch, farX, farY, snitch.x, snitch.y);
        }
    }
    EXPECT_GT(picks, 3);
    EXPECT_EQ(snitch.fleeCooldown, -400);  // falls every frame, below 0 too
}

TEST(SnitchFoe, CloseChaserMakesItFleeEveryFifteenFrames) {
    ofSeedRandom(6);
    ArenaWalls walls = stillRing();
    SnitchFoe snitch;
    snitch.spawn(ofColor::white, 0, 0, 0, false, false);
    snitch.setArena(&walls);
    std::vector<int> flees;
    for (int frame = 0; frame < 46; frame++) {
        float spotX = snitch.spotX, spotY = snitch.spotY;
        float chaserX = snitch.x + 100, chaserY = snitch.y;
        snitch.update(chaserX, chaserY);
        if (snitch.spotX != spotX || snitch.spotY != spotY) {
            flees.push_back(frame);
            EXPECT_EQ(snitch.fleeCooldown, 14);
            EXPECT_GT(ofDistSquared(chaserX, chaserY, snitch.spotX, snitch.spotY), 202500);
            expectAwayFrom(snitch, chaserX, chaserY, snitch.x, snitch.y);
        }
    }
    EXPECT_EQ(flees, (std::vector<int>{0, 15, 30, 45}));
}

TEST(SnitchFoe, DemandRelaxesBy500ATryFromThe51st) {
    ArenaWalls walls = stillRing(300);  // every spot lies within 300 of the centre
    ASSERT_EQ(walls.radius, 300);
    SnitchFoe snitch;
    ofSeedRandom(12);
    snitch.spawn(ofColor::white, 0, 0, 0, false, false);
    snitch.arena = &walls;
    snitch.x = 100;
    snitch.y = 0;
    ofSeedRandom(77);
    snitch.pickSpot(0, 0);
    int after[3] = {ofRandomNext(), ofRandomNext(), ofRandomNext()};
    // Count the draws it used, two a try, by finding where the sequence resumed.
    ofSeedRandom(77);
    std::vector<int> sequence;
    for (int i = 0; i < 2 * SnitchFoe::maxTries + 3; i++) sequence.push_back(ofRandomNext());
    int draws = 0;
    while (!(sequence[draws] == after[0] && sequence[draws + 1] == after[1] && sequence[draws + 2] == after[2])) draws++;
    int tries = draws / 2;
    EXPECT_EQ(draws % 2, 0);
    // 202500 - 500 x 226 = 89500 is the first demand a spot within 300 can beat.
    EXPECT_GE(tries, 276);
    EXPECT_LT(tries, SnitchFoe::maxTries);
    EXPECT_GT(ofDistSquared(0, 0, snitch.spotX, snitch.spotY), 202500 - 500.0f * (tries - 50));
    EXPECT_TRUE(walls.isPointInside(snitch.spotX, snitch.spotY));
}

TEST(SnitchFoe, GivesUpOnAnArenaWithNoInsideAndNeedsAnArena) {
    arena_test::LogLines log;
    ArenaWalls walls = stillRing();
    walls.outer.clear();
    SnitchFoe snitch;
    snitch.spawn(ofColor::white, 0, 0, 0, false, false);
    snitch.spotX = 7;
    snitch.spotY = 8;
    float x = snitch.x;
    snitch.setArena(&walls);
    EXPECT_EQ(snitch.spotX, 7);
    EXPECT_EQ(snitch.spotY, 8);
    EXPECT_EQ(snitch.x, 7);  // moved onto the spot it kept
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], "[SnitchFoe:warning] no hiding spot found in 1000 tries, keeping the old one");

    SnitchFoe lost;
    lost.spawn(ofColor::white, 0, 0, 0, false, false);
    x = lost.x;
    lost.setArena(nullptr);
    lost.pickSpot(0, 0);
    EXPECT_EQ(lost.x, x);
    EXPECT_EQ(lost.spotX, 0);
    lost.update(10000, 0);
    EXPECT_NEAR(ofDist(lost.x, lost.y, 0, 0), 900 - 18, 1e-3);
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST(SnitchFoe, DrawsTheBellShapeOfThirteenVertices) {
    RecorderScope scope;
    SnitchFoe snitch;
    snitch.spawn(ofColor(10, 20, 30), 0, 0, 0, true, false);
    ofNoFill();
    scope.take();
    snitch.drawShape(10);
    ASSERT_EQ(scope.renderer->drawnPolylines.size(), 1u);
    const ofPolyline& line = scope.renderer->drawnPolylines[0];
    ASSERT_EQ(line.size(), 13u);
    EXPECT_TRUE(line.isClosed());
    const float expected[13][2] = {{-8.660254f, -5},       {-7.071068f, -7.071068f}, {-5, -8.660254f}, {-2.588190f, -9.659258f},
                                   {0, -10},                {2.588190f, -9.659258f},  {5, -8.660254f},  {7.071068f, -7.071068f},
                                   {10, 2.5f},              {5, 2.5f},                {0, 10},          {-5, 2.5f},
                                   {-10, 2.5f}};
    for (int i = 0; i < 13; i++) {
        EXPECT_NEAR(line[i].x, expected[i][0], 1e-4) << i;
        EXPECT_NEAR(line[i].y, expected[i][1], 1e-4) << i;
    }

    snitch.x = 5;
    snitch.y = 6;
    snitch.heading = 0;
    snitch.pulseScale = 1.5f;
    snitch.pulseOffset = 40;
    scope.take();
    snitch.draw();
    Calls calls = scope.take();
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 7),
              (Calls{"setCircleResolution(10)", "setLineWidth(2)", "pushMatrix()", "translate(5,6,0)", "rotate(90)",
                     "scale(1.5,1.5,1)", "setFillMode(1)"}));
    EXPECT_EQ(callsStartingWith(calls, "setColor"),
              (Calls{"setColor(10,20,30,100)", "setColor(50,60,70,255)"}));
    EXPECT_EQ(callsStartingWith(calls, "drawPolyline"),
              (Calls{"drawPolyline(points=13,closed)", "drawPolyline(points=13,closed)"}));
    EXPECT_EQ(calls.back(), "popMatrix()");
}
