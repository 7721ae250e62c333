#include "Spring.h"

#include <cmath>

#include "ShipType.h"
#include "VecMath.h"
#include "ofGraphics.h"
#include "particle.h"

void Spring::setupForShipType(int shipType, int segment) {
    restLength = 130.0f;
    strength = 0.01f;
    colour.set(255.0f, 255.0f);
    lineWidthFactor = 1.0f;

    switch (shipType) {
    case SHIP_HEAVY:
        restLength *= 0.65f;
        strength = 0.006f;
        lineWidthFactor = 1.5f;
        break;
    case SHIP_FAST:
        restLength *= 2.0f;
        lineWidthFactor = 0.5f;
        break;
    case SHIP_HARDY:
        restLength *= 1.2f;
        break;
    case SHIP_CASCADE:
        // Longer links further down the chain, growing more slowly past six.
        restLength = 40.0f * segment + (restLength - 50.0f);
        if (segment > 5) restLength -= 2.0f * (5 * segment - 25);
        break;
    default:
        break;
    }
}

void Spring::update() {
    if (weaponEnd == nullptr || shipEnd == nullptr) return;
    ofVec2f d(weaponEnd->position.x - shipEnd->position.x, weaponEnd->position.y - shipEnd->position.y);
    float length = std::sqrt(d.x * d.x + d.y * d.y);
    float f = (restLength - length) * strength;
    ofVec2f u = d.getNormalized();
    weaponEnd->addForce(u.x * f, u.y * f);
    shipEnd->addForce(-u.x * f, -u.y * f);
}

void Spring::draw(float alpha, float x, float y) {
    if (weaponEnd == nullptr || shipEnd == nullptr) return;
    ofSetColor(colour, truncInt(alpha));
    ofLine(weaponEnd->position.x, weaponEnd->position.y, x, y);
}
