#include <memory>

#include "DeathKnightMissionComponent.h"
#include "GoalPointMissionComponent.h"
#include "MissionList.h"
#include "SingleFloatValueMissionComponent.h"
#include "SingleValueMissionComponent.h"
#include "SnitchMissionComponent.h"
#include "SpringEffectMissionComponent.h"

namespace {

Mission named(int order, const char* name, const char* description) {
    Mission mission;
    mission.order = order;
    mission.name = name;
    mission.description = description;
    return mission;
}

template <class T, class... A>
void add(Mission& mission, A... args) {
    mission.components.push_back(std::make_shared<T>(args...));
}

}  // namespace

void defineStandardMissions(MissionList& list) {
    Mission m = named(0, "First Blood", "Destroy 10 foes");
    add<SingleValueMissionComponent>(m, 0, 10);
    list.addMission(m);

    m = named(1, "Rock Breaker", "Smash 20 rocks");
    add<SingleValueMissionComponent>(m, 1, 20);
    m.rockInterval = 0.6f;
    m.rockSizeMax = 5;
    list.addMission(m);

    m = named(2, "Catch the Snitch", "Catch the snitch within 45 seconds");
    add<SnitchMissionComponent>(m);
    m.timeValue = 45;
    list.addMission(m);

    m = named(3, "Short Chain", "Destroy 10 foes with a four-link weapon");
    add<SingleValueMissionComponent>(m, 0, 10);
    m.chainCap = 4;
    list.addMission(m);

    m = named(4, "Tight Ring", "Survive 40 seconds in a small arena");
    add<SingleFloatValueMissionComponent>(m, 3, 40.0f);
    m.wallShape = 0;
    m.wallRadius = 700;
    list.addMission(m);

    m = named(5, "Event Horizon", "Survive 30 seconds by a growing black hole");
    add<SingleFloatValueMissionComponent>(m, 7, 30.0f);
    m.blackHole = true;
    m.blackHoleRadius = -1;
    list.addMission(m);

    m = named(6, "Death Knight", "Destroy 8 foes while the death knight hunts you");
    add<SingleValueMissionComponent>(m, 0, 8);
    add<DeathKnightMissionComponent>(m, 3.0f, 1.5f, 16.0f);
    list.addMission(m);

    m = named(7, "Long Leash", "Smash 15 rocks on a long tether");
    add<SingleValueMissionComponent>(m, 1, 15);
    add<SpringEffectMissionComponent>(m, 2.0f);
    list.addMission(m);

    m = named(8, "Waypoints", "Fly through 5 goal points");
    add<GoalPointMissionComponent>(m, 4, 5);
    list.addMission(m);

    m = named(9, "Move Box", "Smash 10 rocks in the moving box");
    add<SingleValueMissionComponent>(m, 1, 10);
    m.wallShape = 8;
    list.addMission(m);

    m = named(10, "Chain Reaction", "Reach a multikill of 4");
    add<SingleValueMissionComponent>(m, 2, 4);
    m.foeInterval = 2;
    m.spiralChance = 0.3f;
    list.addMission(m);

    m = named(11, "Way Out", "Fly out through the gap in the wall");
    add<GoalPointMissionComponent>(m, 5, 1);
    m.exitOpen = true;
    list.addMission(m);
}
