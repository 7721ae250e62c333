#include "ArenaWalls.h"
#include "SnitchFoe.h"
#include "WorldTest.h"

namespace {

struct Chase {
    ArenaWalls walls;
    SnitchFoe snitch;
    explicit Chase(unsigned seed) {
        ofSeedRandom(seed);
        walls.setup(false, false, 0, 0);
        snitch.spawn(ofColor(10, 20, 30), 0.5f, 0, 0, true, false);
    }
};

// Seen from where the snitch stood (at), the spot (laid out from the arena centre, the origin) lies beyond a right
// angle from the point it flees.
bool away(float spotX, float spotY, float fromX, float fromY, float atX, float atY) {
    return spotX * (fromX - atX) + spotY * (fromY - atY) <= 1e-3f;
}

}  // namespace

TEST(SnitchFoe, HidesFarOutThenFliesEighteenAFrameAndFleesACloseChaserEveryFifteenFrames) {
    Chase c(6);
    const float spawnX = c.snitch.x, spawnY = c.snitch.y;
    c.snitch.setArena(&c.walls);  // moved to a first spot, a second picked: inside, 450 out, away from where it was
    for (const ofVec2f& p : {ofVec2f(c.snitch.x, c.snitch.y), ofVec2f(c.snitch.spotX, c.snitch.spotY)})
        EXPECT_TRUE(c.walls.isPointInside(p.x, p.y) && p.x * p.x + p.y * p.y > 202500);
    EXPECT_TRUE(away(c.snitch.x, c.snitch.y, 0, 0, spawnX, spawnY) &&
                away(c.snitch.spotX, c.snitch.spotY, 0, 0, c.snitch.x, c.snitch.y));
    std::vector<int> flees;
    for (int frame = 0; frame < 46; frame++) {
        const float x = c.snitch.x, y = c.snitch.y, spotX = c.snitch.spotX, spotY = c.snitch.spotY;
        c.snitch.update(x + 100, y);
        EXPECT_NEAR(ofDist(x, y, c.snitch.x, c.snitch.y), 18, 1e-3);
        EXPECT_FLOAT_EQ(c.snitch.trailHeading[0], std::atan2(spotY - y, spotX - x) + 1.5707964f);
        if (c.snitch.spotX == spotX && c.snitch.spotY == spotY) continue;
        flees.push_back(frame);
        EXPECT_GT(ofDistSquared(x + 100, y, c.snitch.spotX, c.snitch.spotY), 202500);
        EXPECT_TRUE(away(c.snitch.spotX, c.snitch.spotY, x + 100, y, c.snitch.x, c.snitch.y));
    }
    EXPECT_EQ(flees, (std::vector<int>{0, 15, 30, 45}));
    for (int frame = 0; frame < 300; frame++) c.snitch.update(5000, 5000);
    EXPECT_EQ(c.snitch.fleeCooldown, -300 + 14);  // falls every frame, below 0 too
}

TEST(SnitchFoe, GivesUpOnAnArenaWithNoInsideAndNeedsAnArena) {
    LogRecorder log;
    Chase c(2);
    c.walls.outer.clear();
    c.snitch.spotX = 7;
    c.snitch.setArena(&c.walls);
    EXPECT_EQ(c.snitch.x, 7);  // moved onto the spot it kept
    EXPECT_EQ(log.lines(), Calls(2, "[SnitchFoe:warning] no hiding spot found in 1000 tries, keeping the old one"));
    SnitchFoe lost;
    lost.spawn(ofColor::white, 0, 0, 0, false, false);
    lost.setArena(nullptr);
    lost.update(10000, 0);  // flies to the spot it has, the origin
    EXPECT_NEAR(ofDist(lost.x, lost.y, 0, 0), 900 - 18, 1e-3);
    ofSeedRandom(1);  // nothing inside 300 lies 450 out: from the 51st try each asks 500 less
    ArenaWalls small;
    small.setup(false, true, 3, 0);
    small.radiusOverride = 300;
    small.update(0);
    lost.spawn(ofColor::white, 0, 0, 0, false, false);
    lost.setArena(&small);
    EXPECT_XY(lost, 47.63427f, 278.6452f, 1e-3f);
    EXPECT_XY(ofVec2f(lost.spotX, lost.spotY), 261.9062f, 65.4174f, 1e-3f);
}

TEST(SnitchFoe, DrawsTheBellOfThirteenVertices) {
    RecorderScope scope;
    Chase c(1);
    c.snitch.pulseOffset = 40;
    c.snitch.heading = 0.5f;
    c.snitch.pulseScale = 1.25f;
    c.snitch.draw();
    const std::vector<ofPolyline> outlines = scope.renderer->drawnPolylines;
    const Calls calls = scope.take();
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 8),
              (Calls{"setCircleResolution(10)", "setLineWidth(2)", "pushMatrix()",
                     "translate(" + g(c.snitch.x) + "," + g(c.snitch.y) + ",0)",
                     "rotate(" + g(ofRadToDeg(0.5f + PI_F / 2)) + ")", "scale(1.25,1.25,1)", "setFillMode(1)",
                     "setColor(10,20,30,100)"}));
    EXPECT_EQ(callsStartingWith(calls, "setColor"), (Calls{"setColor(10,20,30,100)", "setColor(50,60,70,255)"}));
    EXPECT_EQ(callsStartingWith(calls, "drawMesh(vertices="),
              Calls{"drawMesh(vertices=13,indices=33,false,false,false)"});  // the filled bell
    EXPECT_EQ(calls.back(), "popMatrix()");
    ASSERT_TRUE(outlines.size() == 2u && outlines[0].size() == 13u && outlines[1].size() == 13u);
    // clang-format off
    const float expected[13][2] = {
        {-0.8660254f, -0.5f}, {-0.7071068f, -0.7071068f}, {-0.5f, -0.8660254f}, {-0.258819f, -0.9659258f}, {0, -1},
        {0.258819f, -0.9659258f}, {0.5f, -0.8660254f}, {0.7071068f, -0.7071068f}, {1, 0.25f}, {0.5f, 0.25f}, {0, 1},
        {-0.5f, 0.25f}, {-1, 0.25f}};
    // clang-format on
    for (int i = 0; i < 13; i++) {  // the outer outline 1.2 × 18, the inner 0.6 × 18
        EXPECT_XY(outlines[0][i], expected[i][0] * 21.6f, expected[i][1] * 21.6f, 1e-4f);
        EXPECT_XY(outlines[1][i], expected[i][0] * 10.8f, expected[i][1] * 10.8f, 1e-4f);
    }
    EXPECT_TRUE(outlines[0].isClosed() && outlines[1].isClosed());
}
