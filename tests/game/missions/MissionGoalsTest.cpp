#include "MissionTestSupport.h"
#include "NormFoe.h"

namespace {

struct Expected {
    const char* name;
    std::vector<int> goalKinds;
    float timeValue;
    int wallShape;
    float wallRadius;
    int chainCap;
    bool blackHole;
    bool exitOpen;
};

}  // namespace

TEST_F(MissionFixture, StandardMissionsInOrderWithTheirSettings) {
    list.attach(counters, &font, &sounds);
    defineStandardMissions(list);
    const Expected expected[12] = {
        {"First Blood", {0}, -1, 0, -1, -1, false, false},   {"Rock Breaker", {1}, -1, 0, -1, -1, false, false},
        {"Catch the Snitch", {10}, 45, 0, -1, -1, false, false}, {"Short Chain", {0}, -1, 0, -1, 4, false, false},
        {"Tight Ring", {3}, -1, 0, 700, -1, false, false},   {"Event Horizon", {7}, -1, 0, -1, -1, true, false},
        {"Death Knight", {0}, -1, 0, -1, -1, false, false},  {"Long Leash", {1}, -1, 0, -1, -1, false, false},
        {"Waypoints", {4}, -1, 0, -1, -1, false, false},     {"Move Box", {1}, -1, 8, -1, -1, false, false},
        {"Chain Reaction", {2}, -1, 0, -1, -1, false, false}, {"Way Out", {5}, -1, 0, -1, -1, false, true},
    };
    ASSERT_EQ(list.pool.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        const Mission& m = list.pool[i];
        SCOPED_TRACE(m.name);
        EXPECT_EQ(m.name, expected[i].name);
        EXPECT_EQ(m.order, i);
        EXPECT_FALSE(m.description.empty());
        EXPECT_EQ(m.goalKinds, expected[i].goalKinds);
        EXPECT_EQ(m.timeValue, expected[i].timeValue);
        EXPECT_EQ(m.wallShape, expected[i].wallShape);
        EXPECT_EQ(m.wallRadius, expected[i].wallRadius);
        EXPECT_EQ(m.chainCap, expected[i].chainCap);
        EXPECT_EQ(m.blackHole, expected[i].blackHole);
        EXPECT_EQ(m.exitOpen, expected[i].exitOpen);
        int knights = 0, springs = 0;
        for (const auto& c : m.components) {
            knights += c->usesDeathKnight();
            springs += c->usesSpringEffect();
        }
        EXPECT_EQ(knights, i == 6 ? 1 : 0);
        EXPECT_EQ(springs, i == 7 ? 1 : 0);
    }
    EXPECT_EQ(list.pool[5].blackHoleRadius, -1);
    const float* knight = list.pool[6].components[1]->values;
    EXPECT_EQ(std::vector<float>(knight, knight + 3), std::vector<float>({3.0f, 1.5f, 16.0f}));
    EXPECT_EQ(list.pool[7].components[1]->values[0], 2.0f);
    EXPECT_EQ(list.pool[1].rockInterval, 0.6f);
    EXPECT_EQ(list.pool[1].rockSizeMax, 5.0f);
    EXPECT_EQ(list.pool[10].foeInterval, 2.0f);
    EXPECT_EQ(list.pool[10].spiralChance, 0.3f);
    EXPECT_EQ(list.pool[0].rockInterval, -1.0f);
}

TEST_F(MissionFixture, GoalsCompleteOnceFromTheCountersAlone) {
    defineAndSetup();
    ASSERT_EQ(names(list.current), std::vector<std::string>({"First Blood", "Rock Breaker", "Catch the Snitch"}));
    kills = 9;
    rocks = 20;
    list.update(0.033f);
    EXPECT_FALSE(list.current[0].complete);
    EXPECT_TRUE(list.current[1].complete);
    EXPECT_EQ(list.current[0].progressText(), "FOES 9/10");
    EXPECT_EQ(list.current[1].progressText(), "ROCKS 20/20");
    kills = 10;
    list.update(0.033f);
    list.update(0.033f);  // twice in one frame: nothing counted twice
    EXPECT_TRUE(list.current[0].complete);
    EXPECT_EQ(completeSound->plays, 2);
    ASSERT_EQ(list.banners.size(), 2u);
    EXPECT_EQ(list.banners[0].title + " " + list.banners[0].name, "COMPLETE! Rock Breaker");
    EXPECT_EQ(list.banners[1].name, "First Blood");
    EXPECT_EQ(list.sparks.size(), 60u);
    // The snitch mission is still open: no request yet.
    EXPECT_FALSE(list.killPlayerRequest || list.endingRequest);
}

TEST_F(MissionFixture, PassedLimitFailsTheRoundOnce) {
    defineAndSetup();
    playTime = 45;
    list.update(0.033f);
    EXPECT_FALSE(list.killPlayerRequest);
    playTime = 45.01f;
    list.update(0.033f);
    EXPECT_TRUE(list.killPlayerRequest);
    EXPECT_EQ(failedSound->plays, 1);
    list.killPlayerRequest = false;
    list.update(0.033f);
    EXPECT_FALSE(list.killPlayerRequest);
    EXPECT_EQ(failedSound->plays, 1);
    EXPECT_EQ(list.banners.back().title, "FAILED");
}

TEST_F(MissionFixture, AllCurrentCompleteEndsTheRoundOrTheRun) {
    defineAndSetup();
    list.update(0.033f);
    NormFoe snitch;
    list.current[2].components[0]->snitchSpawned(&snitch, &ship, nullptr);
    snitch.dying = true;
    list.current[2].components[0]->foeKilled(&snitch);
    kills = 10;
    rocks = 20;
    list.update(0.033f);
    EXPECT_TRUE(list.killPlayerRequest);
    EXPECT_FALSE(list.endingRequest);

    // With the pool empty these were the last missions.
    list.killPlayerRequest = false;
    list.pool.clear();
    list.runStarted = false;
    list.update(0.033f);  // a new round resets the goals...
    EXPECT_FALSE(list.current[2].complete);
    list.current[2].components[0]->snitchSpawned(&snitch, &ship, nullptr);
    list.current[2].components[0]->foeKilled(&snitch);
    list.update(0.033f);
    EXPECT_TRUE(list.endingRequest);
    EXPECT_FALSE(list.killPlayerRequest);
}

TEST_F(MissionFixture, OnlyAWeaponKillCatchesTheSnitch) {
    defineAndSetup();
    MissionComponent& goal = *list.current[2].components[0];
    NormFoe snitch, other;
    struct Case {
        Foe* spawned;
        Foe* killed;
        bool dying;
        bool caught;
    } cases[] = {{&snitch, &snitch, false, false}, {&snitch, &other, true, false}, {nullptr, &snitch, true, false},
                 {&snitch, &snitch, true, true}};
    for (const Case& c : cases) {
        goal.reset();
        goal.snitchSpawned(c.spawned, &ship, nullptr);
        c.killed->dying = c.dying;
        goal.foeKilled(c.killed);
        EXPECT_EQ(goal.isComplete(), c.caught);
        EXPECT_EQ(goal.progressText(), c.caught ? "SNITCH CAUGHT" : "SNITCH FREE");
    }
    // Once gone, a later kill of the same address is not the snitch.
    goal.reset();
    goal.snitchSpawned(&snitch, &ship, nullptr);
    snitch.dying = false;
    goal.foeKilled(&snitch);
    snitch.dying = true;
    goal.foeKilled(&snitch);
    EXPECT_FALSE(goal.isComplete());
}

TEST_F(MissionFixture, MultikillIsKeptAndSurvivalReadsPlayTime) {
    list.attach(counters, &font, &sounds);
    defineStandardMissions(list);
    MissionComponent& chain = *list.pool[10].components[0];
    MissionComponent& ring = *list.pool[4].components[0];
    multikill = 3;
    chain.update(0.033f);
    multikill = 4;
    chain.update(0.033f);
    multikill = 0;
    chain.update(0.033f);
    EXPECT_TRUE(chain.isComplete());
    EXPECT_EQ(chain.progressText(), "MULTIKILL 4/4");
    chain.reset();
    EXPECT_EQ(chain.progressText(), "MULTIKILL 0/4");

    playTime = 39.9f;
    EXPECT_FALSE(ring.isComplete());
    EXPECT_EQ(ring.progressText(), "SURVIVE 39/40");
    playTime = 40;
    EXPECT_TRUE(ring.isComplete());
    playTime = 75;
    EXPECT_EQ(ring.progressText(), "SURVIVE 40/40");
}

TEST_F(MissionFixture, GoalPointsOneAtATimeInsideTheWalls) {
    list.attach(counters, &font, &sounds);
    defineStandardMissions(list);
    auto& goal = static_cast<GoalPointMissionComponent&>(*list.pool[8].components[0]);
    goal.reset();
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(goal.isComplete());
        EXPECT_EQ(goal.progressText(), "POINTS " + std::to_string(i) + "/5");
        const float dx = goal.point.x - walls.centreX, dy = goal.point.y - walls.centreY;
        EXPECT_LE(dx * dx + dy * dy, 800.0f * 800.0f);
        EXPECT_TRUE(walls.isPointInside(goal.point.x, goal.point.y));
        // Just outside the reach radius, then just inside.
        ship.point.position.set(goal.point.x + 60.5f, goal.point.y);
        goal.update(0.033f);
        EXPECT_EQ(goal.reached, i);
        ship.point.position.set(goal.point.x + 59.5f, goal.point.y);
        goal.update(0.033f);
        EXPECT_EQ(goal.reached, i + 1);
    }
    EXPECT_TRUE(goal.isComplete());
    EXPECT_EQ(wayPointSound->plays, 5);
}

TEST_F(MissionFixture, WayOutPointSitsBeyondTheMiddleOfTheGap) {
    list.attach(counters, &font, &sounds);
    defineStandardMissions(list);
    walls.openExit();
    walls.update(1.0f);
    auto& goal = static_cast<GoalPointMissionComponent&>(*list.pool[11].components[0]);
    goal.reset();
    ship.point.position.set(walls.centreX, walls.centreY);
    goal.update(0.033f);
    const float a = walls.rotation - walls.exitWidth / 2;
    const float r = walls.radius + 300.0f;
    EXPECT_NEAR(goal.point.x, walls.centreX + std::cos(a) * r, 1e-3);
    EXPECT_NEAR(goal.point.y, walls.centreY + std::sin(a) * r, 1e-3);
    EXPECT_EQ(goal.progressText(), "FIND THE WAY OUT");
    ship.point.position.set(goal.point.x, goal.point.y);
    goal.update(0.033f);
    EXPECT_TRUE(goal.isComplete());
    EXPECT_EQ(goal.progressText(), "OUT!");
}
