#pragma once

#include "GoalPoint.h"
#include "MissionComponent.h"

// Fly ship 0 to goal points: kind 4 visits a number of points, one at a time,
// each at random inside the walls near their centre; kind 5 is one point
// beyond the wall in the middle of the open exit, which moves with the walls.
class GoalPointMissionComponent : public MissionComponent {
public:
    GoalPointMissionComponent(int kind, int count);
    void update(float frameTime) override;
    void draw() override;
    void drawOverlay(int screenWidth) override;
    bool isComplete() const override;
    void reset() override;
    std::string progressText() const override;

    void placePoint();

    int count = 1;
    int reached = 0;
    GoalPoint point;
    float reachRadius = 60;
    float spread = 800;
    float beyondWall = 300;
};
