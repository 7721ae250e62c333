#include "particle.h"

#include <cmath>

#include "ofGraphics.h"

void particle::draw(float r) {
    ofCircle(position.x, position.y, r);
}

void particle::draw() {
    ofCircle(position.x, position.y, radius);
}

void particle::resetForce() {
    force.set(0, 0);
}

void particle::addForce(float x, float y) {
    force.x += x;
    force.y += y;
}

void particle::addDampingForce() {
    force.x -= velocity.x * damping;
    force.y -= velocity.y * damping;
}

bool particle::pointForce(float x, float y, float r, float scale, ofVec2f& out) const {
    float dx = position.x - x;
    float dy = position.y - y;
    float length = std::sqrt(dx * dx + dy * dy);
    if (length >= r) return false;
    float pct = 1 - length / r;
    if (length > 0) {
        dx /= length;
        dy /= length;
    }
    out.set(dx * pct * scale, dy * pct * scale);
    return true;
}

bool particle::pairForce(const particle& other, float r, float scale, ofVec2f& out) const {
    float dx = position.x - other.position.x;
    float dy = position.y - other.position.y;
    float length = std::sqrt(dx * dx + dy * dy);
    if (length > r) return false;
    float pct = 1 - length / r;
    if (length > 0) {
        dx /= length;
        dy /= length;
    }
    out.set(dx * scale * pct, dy * scale * pct);
    return true;
}

void particle::addRepulsionForce(float x, float y, float r, float scale) {
    ofVec2f f;
    if (!pointForce(x, y, r, scale, f)) return;
    force.x += f.x;
    force.y += f.y;
}

void particle::addAttractionForce(float x, float y, float r, float scale) {
    ofVec2f f;
    if (!pointForce(x, y, r, scale, f)) return;
    force.x -= f.x;
    force.y -= f.y;
}

void particle::addRepulsionForce(particle& other, float r, float scale) {
    ofVec2f f;
    if (!pairForce(other, r, scale, f)) return;
    force.x += f.x;
    force.y += f.y;
    other.force.x -= f.x;
    other.force.y -= f.y;
}

void particle::addAttractionForce(particle& other, float r, float scale) {
    ofVec2f f;
    if (!pairForce(other, r, scale, f)) return;
    force.x -= f.x;
    force.y -= f.y;
    other.force.x += f.x;
    other.force.y += f.y;
}

void particle::setInitialCondition(float px, float py, float vx, float vy) {
    position.set(px, py);
    velocity.set(vx, vy);
    radius = 4.0f;
}

void particle::update() {
    velocity.x += force.x;
    velocity.y += force.y;
    position.x += velocity.x;
    position.y += velocity.y;
}
