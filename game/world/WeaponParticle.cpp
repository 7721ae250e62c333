#include "WeaponParticle.h"

#include "ShipType.h"
#include "VecMath.h"
#include "ofGraphics.h"
#include "ofMath.h"

WeaponParticle::WeaponParticle() {
    colour.setHsb(18, 223, 226, 255);
    trailColour = colour;
}

void WeaponParticle::setupForShip(int type, float screenScale, bool colourBlind) {
    scale = screenScale;
    shipType = type;

    colour.setHsb(18, 223, 226, 255);
    trailColour = colour;
    for (ofVec2f& p : trail) p = position;
    for (ofVec2f& p : history) p = position;

    radius = 2.0f;
    damping = 0.028f;
    repulsionRadius = 40.0f;
    attractionRadius = 150.0f;
    repulsionStrength = 1.6f;
    attractionStrength = 0.3f;
    trailWidth = scale;

    switch (type) {
    case SHIP_HEAVY:
        radius = 12.0f;
        repulsionRadius = 90.0f;
        repulsionStrength = 2.88f;
        trailWidth = scale * 8.0f;
        break;
    case SHIP_HYPER:
        damping = 0.0238f;
        repulsionRadius = 50.0f;
        repulsionStrength = 2.0f;
        trailWidth = scale * 0.5f;
        colour.set(246, 142, 51, 150);
        trailColour = colour;
        break;
    case SHIP_JELLY:
        radius = 6.0f;
        damping = 0.084f;
        repulsionRadius = 80.0f;
        repulsionStrength = 6.4f;
        trailWidth = scale * 4.0f;
        colour.set(179, 70, 16, 150);
        trailColour = colour;
        break;
    case SHIP_CASCADE:
        repulsionRadius *= 0.1f;
        attractionRadius *= 12.0f;
        attractionStrength *= 0.1f;
        break;
    case SHIP_SHOW_OFF:
        radius = 5.0f;
        break;
    default:
        break;
    }

    if (colourBlind) {
        colour.setHsb(206, 236, 242, 255);
        trailColour = colour;
    }
}

void WeaponParticle::setColor(ofColor c) {
    c.setSaturation(c.getSaturation() * 0.7f);
    c.setBrightness(c.getBrightness() * 0.75f);
    colour = c;
}

void WeaponParticle::pushTrail() {
    for (int i = HISTORY_LENGTH - 1; i > 0; --i) history[i] = history[i - 1];
    history[0] = position;
    recentTravel = vecDistance(history[0], history[HISTORY_LENGTH - 1]);

    for (int i = TRAIL_LENGTH - 1; i > 0; --i) trail[i] = trail[i - 1];
    trail[0] = position;
}

void WeaponParticle::drawTrail(float alpha) {
    float speedSq = velocity.x * velocity.x + velocity.y * velocity.y;
    ofSetLineWidth(ofMap(speedSq, 4, 1600, trailWidth * 0.1f, trailWidth * 3.0f, true));
    for (int k = 0; k < TRAIL_LENGTH - 1; ++k) {
        ofSetColor(trailColour, truncInt(alpha - k * (alpha / TRAIL_LENGTH)));
        ofLine(trail[k + 1].x, trail[k + 1].y, trail[k].x, trail[k].y);
    }
}

void WeaponParticle::draw() {
    float r = radius + 1;
    if (shipType == SHIP_HYPER) {
        for (int i = 0; i < 2; ++i) {
            // x before y: each offset draws its own two numbers in that order.
            float dx = ofRandomRange(-6, 6);
            float dy = ofRandomRange(-6, 6);
            ofCircle(position.x + dx, position.y + dy, r);
        }
        return;
    }
    ofCircle(position.x, position.y, r);
}
