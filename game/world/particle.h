#pragma once

#include "ofVec2f.h"

// A point mass of mass 1, stepped once per frame with no time factor:
// resetForce, any force calls, then update.
class particle {
public:
    particle() = default;
    virtual ~particle() = default;

    virtual void draw(float radius);
    virtual void draw();

    void resetForce();
    void addForce(float x, float y);
    void addDampingForce();
    void addRepulsionForce(float x, float y, float radius, float scale);
    void addRepulsionForce(particle& other, float radius, float scale);
    void addAttractionForce(float x, float y, float radius, float scale);
    void addAttractionForce(particle& other, float radius, float scale);
    void setInitialCondition(float px, float py, float vx, float vy);
    void update();

    ofVec2f position;
    ofVec2f velocity;
    ofVec2f force;
    float radius = 2.0f;
    float damping = 0.1f;

private:
    // The push of (x, y) on this point, scaled; zero at or beyond the radius.
    bool pointForce(float x, float y, float radius, float scale, ofVec2f& out) const;
    bool pairForce(const particle& other, float radius, float scale, ofVec2f& out) const;
};
