#pragma once

#include "ofColor.h"

class particle;

// The tether between one weapon particle and its ship's moving point: pushes
// the ends apart below the rest length and pulls them together above it.
class Spring {
public:
    // Restores the defaults, then applies the type's tether; segment is the
    // index (0 to 11) of the weapon particle this spring holds.
    void setupForShipType(int shipType, int segment);
    void update();
    // A line from the weapon end to (x, y), the ship's drawn point.
    void draw(float alpha, float x, float y);

    // Both ends belong to the owner of the spring (the game core's weapon
    // particles and ship), which keeps them alive as long as the spring.
    particle* weaponEnd = nullptr;
    particle* shipEnd = nullptr;
    float restLength = 130.0f;
    float strength = 0.01f;
    float lineWidthFactor = 1.0f;
    ofColor colour;
};
