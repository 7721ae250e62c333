#include "BlackHole.h"

#include <algorithm>
#include <cmath>

#include "Asteroid.h"
#include "Foe.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"

namespace {
const float PI_F = 3.1415927f;
const float TWO_PI_F = 6.2831855f;
}  // namespace

void BlackHole::setup(float radius_) {
    growing = radius_ == -1;
    radius = growing ? 30 : radius_;
    radiusSquared = radius * radius;
    baseRadius = 30;
    baseRadiusSquared = 900;
    edgePull = 0;
    centrePull = 0.02f * radius;
    growth = 0.33f;
    swirl.clear();
    sparks.clear();
    streaks.clear();
}

bool BlackHole::pull(float& x, float& y) const {
    if (x < centreX - radius || x > centreX + radius || y < centreY - radius || y > centreY + radius) return false;
    float d2 = ofDistSquared(x, y, centreX, centreY);
    float t = ofMap(d2, 0, radiusSquared, 1, 0, true);
    float step = edgePull + (centrePull - edgePull) * t;
    float dx = centreX - x, dy = centreY - y;
    float length = std::sqrt(dx * dx + dy * dy);
    if (length > 0) {
        x += dx / length * step;
        y += dy / length * step;
    }
    return ofDistSquared(x, y, centreX, centreY) < radiusSquared;
}

bool BlackHole::pullParticle(particle& p) const {
    return pull(p.position.x, p.position.y);
}

bool BlackHole::pullFoe(Foe& foe) const {
    return pull(foe.x, foe.y);
}

bool BlackHole::pullAsteroid(Asteroid& rock) const {
    return pull(rock.x, rock.y);
}

void BlackHole::update(float dt) {
    if (growing) {
        radius += growth;
        radiusSquared = radius * radius;
        centrePull = radius * 0.02f;
    }
    if (ofGetFrameNum() % 3 != 0) addStreak();
    stepStreaks(dt);
    addSparks();
    for (size_t i = sparks.size(); i-- > 0;) {
        if (sparks[i].life < 1) sparks.erase(sparks.begin() + i);
    }
    stepSwirl();
}

void BlackHole::addStreak() {
    RingStreak s;
    s.angle = ofRandom(TWO_PI_F);
    s.length = ofRandomRange(10, 70);
    s.distance = ofRandomRange(s.length, static_cast<int>(radius) + s.length);
    s.speed = ofRandomRange(200, 500);
    streaks.push_back(s);
}

void BlackHole::stepStreaks(float dt) {
    for (size_t i = streaks.size(); i-- > 0;) {
        RingStreak& s = streaks[i];
        s.age += dt;
        if (s.fadingIn) {
            s.alpha = s.age / s.fadeTime * 250;
            if (s.age / s.fadeTime >= 1) {
                s.alpha = 250;
                s.fadingIn = false;
            }
        } else {
            s.distance -= dt * s.speed;
            s.length = std::min(s.length, s.distance);
            if (s.distance < 0) {
                s.distance = 0;
                s.done = true;
            }
        }
        if (s.done) streaks.erase(streaks.begin() + i);
    }
}

void BlackHole::addSparks() {
    for (int k = 0; k < 4; k++) {
        float a = ofRandom(TWO_PI_F);
        float x = centreX + std::cos(a) * ofRandom(0.5f * baseRadius);
        float y = centreY + std::sin(a) * ofRandom(0.5f * baseRadius);
        ofColor colour;
        colour.setHsb(ofRandom(256), 200, 200, 255);
        Spark spark;
        spark.setup(x, y, colour);
        spark.life = static_cast<int>(ofRandomRange(10, 15));
        sparks.push_back(spark);
    }
}

void BlackHole::stepSwirl() {
    for (int k = 0; k < 3; k++) {
        float a = ofRandom(TWO_PI_F);
        float x = centreX + std::cos(a) * (ofRandom(75) + radius);
        float y = centreY + std::sin(a) * (ofRandom(75) + radius);
        float s = ofRandomRange(0, 0.1f * radius);
        float direction = a + PI_F + PI_F / 3;
        particle p;
        p.setInitialCondition(x, y, std::cos(direction) * s, std::sin(direction) * s);
        swirl.push_back(p);
    }
    float reach = 2 * radius;
    for (size_t i = swirl.size(); i-- > 0;) {
        particle& p = swirl[i];
        p.resetForce();
        p.addDampingForce();
        p.addAttractionForce(centreX, centreY, reach, 1.0f);
        p.update();
        float d2 = ofDistSquared(p.position.x, p.position.y, centreX, centreY);
        // A fixed hole's pull never reaches a particle that came to rest
        // beyond it; left alone, such particles would pile up all round.
        bool stranded = !growing && d2 > reach * reach &&
                        p.velocity.x * p.velocity.x + p.velocity.y * p.velocity.y < 0.01f * 0.01f;
        if (d2 < baseRadiusSquared || stranded) swirl.erase(swirl.begin() + i);
    }
}

void BlackHole::draw(float) {
    ofNoFill();
    ofSetCircleResolution(10);
    ofSetColor(255, 0, 0, 100);
    ofCircle(centreX, centreY, baseRadius);
    for (const RingStreak& s : streaks) {
        ofSetLineWidth(1);
        ofSetColor(255, 255, 255, static_cast<int>(s.alpha));
        float c = std::cos(s.angle), n = std::sin(s.angle);
        ofLine(centreX + c * (s.length + s.distance), centreY + n * (s.length + s.distance), centreX + c * s.distance,
               centreY + n * s.distance);
    }
    for (Spark& spark : sparks) spark.stepAndDraw();
    ofNoFill();
    int n = static_cast<int>(swirl.size());
    for (int i = 0; i < n; i++) {
        ofSetColor(250, 250, 250, std::min(5 * (n - i), 220));
        ofRect(swirl[i].position.x, swirl[i].position.y, 5, 5);
    }
}
