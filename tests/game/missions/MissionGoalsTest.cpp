#include "MissionTestSupport.h"
#include "NormFoe.h"

TEST_F(MissionFixture, GoalKindsFollowTheGoalComponents) {
    list.attach(counters, &font, &sounds);
    defineStandardMissions(list);
    const std::vector<std::vector<int>> kinds = {{0}, {1}, {10}, {0}, {3}, {7}, {0}, {1}, {4}, {1}, {2}, {5}};
    ASSERT_EQ(list.pool.size(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(list.pool[i].goalKinds, kinds[i]) << list.pool[i].name;
    EXPECT_EQ(list.pool[6].components.size(), 2u);
    EXPECT_EQ(list.pool[7].components.size(), 2u);
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
    kills = 10;
    list.update(0.033f);
    list.update(0.033f);  // twice in one frame: nothing counted twice
    EXPECT_TRUE(list.current[0].complete);
    EXPECT_EQ(completeSound->plays, 2);
    ASSERT_EQ(list.banners.size(), 2u);
    EXPECT_EQ(list.banners[0].title + " " + list.banners[0].name, "COMPLETE! Rock Breaker");
    EXPECT_EQ(list.sparks.size(), 60u);
    EXPECT_FALSE(list.killPlayerRequest || list.endingRequest);

    multikill = 4;
    list.pool[7].components[0]->update(0.033f);
    multikill = 0;
    list.pool[7].components[0]->update(0.033f);
    EXPECT_EQ(list.pool[7].progressText(), "MULTIKILL 4/4");
}

TEST_F(MissionFixture, LimitOrAllCompleteRaiseOneRequestARound) {
    defineAndSetup();
    list.update(0.033f);
    playTime = 45;
    list.update(0.033f);
    EXPECT_FALSE(list.killPlayerRequest);
    playTime = 45.01f;
    list.update(0.033f);
    list.update(0.033f);
    EXPECT_TRUE(list.killPlayerRequest);
    EXPECT_EQ(failedSound->plays, 1);
    EXPECT_EQ(list.banners.back().title, "FAILED");

    struct Case {
        bool poolEmpty;
        bool kill;
        bool ending;
    } cases[] = {{false, true, false}, {true, false, true}};
    for (const Case& c : cases) {
        if (c.poolEmpty) list.pool.clear();
        list.killPlayerRequest = list.endingRequest = list.runStarted = false;
        playTime = 10;
        list.update(0.033f);
        NormFoe snitch;
        snitch.dying = true;
        list.current[2].components[0]->snitchSpawned(&snitch, &ship, nullptr);
        list.current[2].components[0]->foeKilled(&snitch);
        kills = 10;
        rocks = 20;
        list.update(0.033f);
        EXPECT_EQ(list.killPlayerRequest, c.kill);
        EXPECT_EQ(list.endingRequest, c.ending);
    }
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
        EXPECT_EQ(goal.progressText(), c.caught ? "SNITCH CAUGHT" : "SNITCH FREE");
    }
}

TEST_F(MissionFixture, GoalPointsOneAtATimeThenTheWayOut) {
    list.attach(counters, &font, &sounds);
    defineStandardMissions(list);
    auto& points = static_cast<GoalPointMissionComponent&>(*list.pool[8].components[0]);
    points.reset();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(points.progressText(), "POINTS " + std::to_string(i) + "/5");
        EXPECT_LE(ofDist(points.point.x, points.point.y, walls.centreX, walls.centreY), 800.0f);
        EXPECT_TRUE(walls.isPointInside(points.point.x, points.point.y));
        for (float off : {60.5f, 59.5f}) {
            ship.point.position.set(points.point.x + off, points.point.y);
            points.update(0.033f);
        }
        EXPECT_EQ(points.reached, i + 1);
    }
    EXPECT_TRUE(points.isComplete());
    EXPECT_EQ(wayPointSound->plays, 5);

    walls.openExit();
    walls.update(1.0f);
    auto& exit = static_cast<GoalPointMissionComponent&>(*list.pool[11].components[0]);
    exit.reset();
    const float a = walls.rotation - walls.exitWidth / 2, r = walls.radius + 300.0f;
    EXPECT_NEAR(exit.point.x, walls.centreX + std::cos(a) * r, 1e-3);
    EXPECT_NEAR(exit.point.y, walls.centreY + std::sin(a) * r, 1e-3);
    ship.point.position.set(exit.point.x, exit.point.y);
    exit.update(0.033f);
    EXPECT_EQ(exit.progressText(), "OUT!");
}
