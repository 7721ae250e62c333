#pragma once

#include "ofColor.h"
#include "ofVec2f.h"
#include "particle.h"

// One bead of a ship's weapon swarm: a point mass with the swarm's pair
// radii and strengths, its colours and a short trail.
class WeaponParticle : public particle {
public:
    static constexpr int TRAIL_LENGTH = 15;
    static constexpr int HISTORY_LENGTH = 5;

    WeaponParticle();

    // Called after the particle has been placed: the trail starts there.
    void setupForShip(int shipType, float scale, bool colourBlind);
    // Softens the colour: saturation × 0.7, then brightness × 0.75.
    void setColor(ofColor c);
    // Once per update of play, after the particle has moved.
    void pushTrail();
    void drawTrail(float alpha);

    using particle::draw;
    // In the current colour; the Hyper bead flickers as two offset circles.
    void draw() override;

    float repulsionRadius = 40.0f;
    float attractionRadius = 150.0f;
    float repulsionStrength = 1.6f;
    float attractionStrength = 0.3f;
    int shipType = 0;
    ofColor colour;
    float scale = 1.0f;
    ofVec2f trail[TRAIL_LENGTH];
    ofColor trailColour;
    float trailWidth = 1.0f;
    ofVec2f history[HISTORY_LENGTH];
    float recentTravel = 0.0f;
};
