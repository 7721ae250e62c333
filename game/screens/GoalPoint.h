#pragma once

// A glowing target marker of the tutorial and the goal-point missions.
// Placeholder: it keeps its place and draws nothing yet.
class GoalPoint {
public:
    void setup(float x, float y);
    void draw();

    float x = 0;
    float y = 0;
    // The foe this marker sits on; the core drops the marker with the foe.
    // Only compared, never followed.
    const void* follows = nullptr;
};
