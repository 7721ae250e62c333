#pragma once

#include <vector>

#include "Spark.h"
#include "particle.h"

class Asteroid;
class Foe;

// A white line racing in toward the hole.
struct RingStreak {
    float age = 0;
    float angle = 0;
    // From the centre to the streak's inner end.
    float distance = 0;
    float length = 0;
    bool fadingIn = true;
    float fadeTime = 0.3f;
    float alpha = 0;
    float speed = 0;
    bool done = false;
};

// A hazard that sucks in ships, weapons, foes and rocks. Set up with -1 it
// grows without limit, and its pull grows with it.
class BlackHole {
public:
    void setup(float radius = -1);
    void update(float dt);

    // Each moves the object's position (not its velocity) toward the centre
    // and tells whether it ended within the radius.
    bool pullParticle(particle& p) const;
    bool pullFoe(Foe& foe) const;
    bool pullAsteroid(Asteroid& rock) const;

    void draw(float unused);

    float radius = 30;
    float radiusSquared = 900;
    float baseRadius = 30;
    float baseRadiusSquared = 900;
    float edgePull = 0;
    float centrePull = 0.6f;
    float centreX = 0;
    float centreY = 0;
    bool growing = true;
    float growth = 0.33f;
    std::vector<particle> swirl;
    std::vector<Spark> sparks;
    std::vector<RingStreak> streaks;

private:
    bool pull(float& x, float& y) const;
    void addStreak();
    void stepStreaks(float dt);
    void addSparks();
    void stepSwirl();
};
