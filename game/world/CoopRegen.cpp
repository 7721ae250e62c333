#include "CoopRegen.h"

#include <cmath>

#include "ArenaWalls.h"
#include "PixelFont.h"
#include "PlayerShip.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {
const float PI_F = 3.1415927f;
const float TWO_PI_F = 6.2831855f;

const float beaconPlus[12][2] = {{-2, -1}, {-1, -1}, {-1, -2}, {1, -2}, {1, -1}, {2, -1},
                                 {2, 1},   {1, 1},   {1, 2},   {-1, 2}, {-1, 1}, {-2, 1}};
}  // namespace

void CoopRegen::setup() {
    type = 6;
    speed = ofRandomRange(7, 10);
    size = 30;
    outsideFrames = 100;
}

void CoopRegen::attach(ArenaWalls* walls, PlayerShip* deadShip, int deadPlayer, bool faster, const PixelFont* textFont) {
    arena = walls;
    ship = deadShip;
    player = deadPlayer;
    font = textFont;
    if (ship) color = ship->colour;
    if (faster) speed *= 1.35f;
    if (!arena) return;

    float reach = static_cast<float>(arena->radius);
    float r = ofRandom(0.8f * reach);
    float a = ofRandom(TWO_PI_F);
    float px = arena->centreX + std::cos(a) * r;
    float py = arena->centreY + std::sin(a) * r;
    float b = ofRandomUnit() < 0.5f ? a + PI_F / 2 : a - PI_F / 2;
    x = px + std::cos(b) * reach;
    y = py + std::sin(b) * reach;
    // Back across p, along a chord of the arena.
    heading = b + PI_F;
}

void CoopRegen::update(float, float) {
    color.set(255, 255, 255, 255);
    x += std::cos(heading) * speed;
    y += std::sin(heading) * speed;
    if (arena && arena->isPointInside(x, y)) return;
    // Never reset on re-entry: the token's time outside adds up.
    outsideFrames -= 1;
    if (outsideFrames < 1) expired = true;
}

void CoopRegen::draw() {
    float t = ofGetElapsedTimef();
    float k = 0.85f * size;
    ofSetCircleResolution(10);
    ofSetLineWidth(2 + 2 * thickLines);
    ofPushMatrix();
    ofTranslate(x, y);

    ofFill();
    ofSetColor(255, 255, 255, 100);
    ofCircle(0, 0, 2 * size);
    ofNoFill();
    ofSetColor(255, 255, 255);
    ofCircle(0, 0, 2 * k);
    ofCircle(0, 0, 1.7f * k);

    for (int j = 0; j <= 315; j += 35) {
        float fj = static_cast<float>(j);
        ofPushMatrix();
        ofTranslate((2 * ofNoise3D(t, fj, 1) - 1) * 2 * size, (2 * ofNoise3D(t, fj, 50) - 1) * 2 * size);
        ofRotate(ofNoise3D(t, fj, 100) * 360);
        ofSetColor(255, 255, 255, static_cast<int>(ofMap(ofNoise3D(t, fj, 150), 0.5f, 1, 0, 240, true)));
        ofFill();
        ofRect(-2.5f, -1.5f, 5, 3);
        ofRect(-1.5f, -2.5f, 3, 5);
        ofPopMatrix();
    }

    if (ship) {
        ofPushMatrix();
        ofRotate(100 * t);
        ofScale(1.2f, 1.2f);
        ship->draw(1.0f);
        ofPopMatrix();
    }

    if (font) {
        float s = ofMap(std::sin(t), -1, 1, 0.8f, 1.2f);
        ofFill();
        ofSetColor(255, 255, 255);
        ofPushMatrix();
        ofTranslate(0, 3 * k);
        ofScale(s, s);
        font->drawStringCentered("REVIVE", 3, 0, 0);
        ofPopMatrix();
    }
    ofPopMatrix();

    // Every 3 seconds a plus grows from nothing to 1200 across while it fades.
    float f = t;
    if (f > 3) {
        f = std::fmod(f, 3.0f);
        if (f == 0) f = 3;
    }
    f /= 3;
    ofSetColor(ship ? ship->colour : color, static_cast<int>((1 - f) * 255));
    ofNoFill();
    ofPushMatrix();
    ofTranslate(x, y);
    ofScale(300 * f, 300 * f);
    ofBeginShape();
    for (const auto& p : beaconPlus) ofVertex(p[0], p[1]);
    ofEndShape(true);
    ofPopMatrix();
}
