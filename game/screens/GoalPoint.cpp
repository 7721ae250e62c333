#include "GoalPoint.h"

#include <cmath>

#include "Foe.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofUtils.h"

void GoalPoint::setup(float px, float py, float r, Foe* follow) {
    x = px;
    y = py;
    radius = r;
    follows = follow;
}

bool GoalPoint::contains(float px, float py) const {
    const float dx = px - x;
    const float dy = py - y;
    return dx * dx + dy * dy < radius * radius;
}

void GoalPoint::draw() {
    if (follows) {
        x = follows->x;
        y = follows->y;
    }
    const float phase = std::fmod(ofGetElapsedTimef(), pulsePeriod) / pulsePeriod;
    ofSetCircleResolution(40);
    ofSetLineWidth(2);
    ofFill();
    ofSetColor(255, 255, 255, 40);
    ofCircle(x, y, radius);
    ofNoFill();
    ofSetColor(255, 255, 255, 255);
    ofCircle(x, y, radius);
    ofSetColor(255, 255, 255, static_cast<int>(255 * (1 - phase)));
    ofCircle(x, y, radius * (1 + 0.15f * phase));
}
