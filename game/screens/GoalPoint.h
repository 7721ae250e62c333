#pragma once

class Foe;

// A glowing target marker of the tutorial, the credits run and the
// goal-point missions: a white ring with a faint fill and a pulse.
class GoalPoint {
public:
    // follow: the foe the marker sits on, or null for a fixed place.
    void setup(float x, float y, float radius, Foe* follow);
    // Moves onto the followed foe first.
    void draw();
    bool contains(float px, float py) const;

    float x = 0;
    float y = 0;
    float radius = 60;
    // The core's foe, compared when a foe dies and followed while it lives;
    // whoever removes the foe removes this marker with it.
    Foe* follows = nullptr;
    // Pulse period in seconds of the elapsed-time clock.
    float pulsePeriod = 1.0f;
};
