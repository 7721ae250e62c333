#include <tuple>

#include "MissionTestSupport.h"
#include "NormFoe.h"

TEST_F(MissionFixture, GoalsCompleteOnceFromTheCountersAlone) {
    defineAndSetup();
    ASSERT_EQ(names(list.current), std::vector<std::string>({"First Blood", "Rock Breaker", "Catch the Snitch"}));
    kills = 9;
    rocks = 20;
    list.update(0.033f);
    EXPECT_TRUE(!list.current[0].complete && list.current[1].complete);
    EXPECT_EQ(list.current[0].progressText(), "FOES 9/10");
    kills = 10;
    list.update(0.033f);
    list.update(0.033f);  // twice in one frame: nothing counted twice
    EXPECT_TRUE(list.current[0].complete && completeSound->plays == 2 && list.banners.size() == 2u);
    EXPECT_EQ(list.banners[0].title + " " + list.banners[0].name, "COMPLETE! Rock Breaker");
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
    EXPECT_TRUE(list.killPlayerRequest && failedSound->plays == 1 && list.banners.back().title == "FAILED");
    list.killPlayerRequest = list.runStarted = false;  // the next round: all complete bring the round after
    playTime = 10;
    list.update(0.033f);
    NormFoe snitch;
    snitch.dying = true;
    list.current[2].components[0]->snitchSpawned(&snitch, &ship, nullptr);
    list.current[2].components[0]->foeKilled(&snitch);
    kills = 10;
    rocks = 20;
    list.update(0.033f);
    EXPECT_TRUE(list.killPlayerRequest && !list.endingRequest);
}

TEST_F(MissionFixture, OnlyAWeaponKillCatchesTheSnitch) {
    defineAndSetup();
    MissionComponent& goal = *list.current[2].components[0];
    NormFoe snitch, other;
    // spawned, killed, killed by the weapon (dying); only the last is a catch
    const std::tuple<Foe*, Foe*, bool> cases[] = {
        {&snitch, &snitch, false}, {&snitch, &other, true}, {nullptr, &snitch, true}, {&snitch, &snitch, true}};
    for (const auto& c : cases) {
        goal.reset();
        goal.snitchSpawned(std::get<0>(c), &ship, nullptr);
        std::get<1>(c)->dying = std::get<2>(c);
        goal.foeKilled(std::get<1>(c));
        EXPECT_EQ(goal.progressText(), &c == &cases[3] ? "SNITCH CAUGHT" : "SNITCH FREE");
    }
}

TEST_F(MissionFixture, AGoalPointCountsWithinSixtyAndTheWayOutLiesBeyondTheGap) {
    attach();
    auto& points = static_cast<GoalPointMissionComponent&>(*list.pool[8].components[0]);
    points.reset();
    EXPECT_TRUE(ofDist(points.point.x, points.point.y, walls.centreX, walls.centreY) <= 800 &&
                walls.isPointInside(points.point.x, points.point.y));
    for (float off : {60.5f, 59.5f}) {
        ship.point.position.set(points.point.x + off, points.point.y);
        points.update(0.033f);
    }
    EXPECT_TRUE(points.reached == 1 && points.progressText() == "POINTS 1/5" && wayPointSound->plays == 1);
    walls.openExit();
    walls.update(1.0f);
    auto& exit = static_cast<GoalPointMissionComponent&>(*list.pool[11].components[0]);
    exit.reset();
    const float a = walls.rotation - walls.exitWidth / 2, r = walls.radius + 300.0f;
    EXPECT_LT(ofDist(exit.point.x, exit.point.y, walls.centreX + std::cos(a) * r, walls.centreY + std::sin(a) * r),
              1e-3);
    ship.point.position.set(exit.point.x, exit.point.y);
    exit.update(0.033f);
    EXPECT_EQ(exit.progressText(), "OUT!");
}
