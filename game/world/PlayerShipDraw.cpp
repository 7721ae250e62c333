#include <cmath>
#include <string>

#include "PixelFont.h"
#include "PlayerShip.h"
#include "ShipType.h"
#include "VecMath.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {

const float PI = 3.14159265358979f;

void normalTriangle() {
    ofTriangle(0, 10, 10, -10, -10, -10);
}

void fins(float innerX, float innerY) {
    ofLine(-innerX, innerY, -14, -18);
    ofLine(innerX, innerY, 14, -18);
}

void noseLines() {
    ofLine(-5, 0, 0, 10);
    ofLine(5, 0, 0, 10);
}

// Seven on, seven off.
bool blinkShows() {
    return (ofGetFrameNum() / 7) % 2 != 0;
}

}  // namespace

void PlayerShip::drawShapeType0(bool grey, float f) {
    const ofColor c = grey ? ofColor(150.0f, 255.0f) : colour;
    ofPushMatrix();
    ofTranslate(0, 5);
    ofSetColor(c, truncInt(150 * f));
    normalTriangle();
    fins(10, -10);
    ofFill();
    normalTriangle();
    ofNoFill();
    ofSetColor(c, truncInt(255 * f));
    noseLines();
    ofPopMatrix();
}

void PlayerShip::drawHeavy(int fillAlpha, int highlightAlpha) {
    ofSetColor(colour, fillAlpha);
    ofFill();
    ofBeginShape();
    ofVertex(-14, -10);
    ofVertex(-8, 2);
    ofVertex(-8, 10);
    ofVertex(8, 10);
    ofVertex(8, 2);
    ofVertex(14, -10);
    ofEndShape(true);
    ofNoFill();
    ofRect(-8, 2, 16, 8);
    ofLine(-8, 2, -18, -18);
    ofLine(8, 2, 18, -18);
    ofLine(-14, -10, 14, -10);
    ofSetColor(colour, highlightAlpha);
    ofRect(-8, 2, 16, 8);
}

void PlayerShip::drawRobot(int fillAlpha, int highlightAlpha) {
    // Snapped to a few fixed orientations instead of turning with the ship.
    const float step = PI / 3;
    const float base = std::trunc(heading / step - 2) * step + PI / 6;
    float vx[6], vy[6];
    for (int k = 0; k < 6; ++k) {
        vx[k] = 15 * std::cos(base + k * step);
        vy[k] = 15 * std::sin(base + k * step);
    }
    ofSetColor(colour, fillAlpha);
    ofFill();
    ofBeginShape();
    for (int k = 0; k <= 3; ++k) ofVertex(vx[k], vy[k]);
    ofEndShape(true);
    ofNoFill();
    ofBeginShape();
    for (int k = 0; k < 6; ++k) ofVertex(vx[k], vy[k]);
    ofEndShape(true);
    ofSetColor(colour, highlightAlpha);
    ofBeginShape();
    for (int k = 0; k <= 3; ++k) ofVertex(vx[k], vy[k]);
    ofEndShape(false);
}

void PlayerShip::drawJelly(int fillAlpha, int highlightAlpha) {
    ofSetCircleResolution(20);
    ofSetColor(colour, fillAlpha);
    ofFill();
    ofCircle(0, 0, 10);
    ofNoFill();
    ofCircle(0, 0, 10);
    fins(8, -6);
    ofSetColor(colour, highlightAlpha);
    ofBeginShape();
    for (int k = 0; k < 8; ++k) ofVertex(10 * std::cos(k * PI / 8), 10 * std::sin(k * PI / 8));
    ofEndShape(false);
}

void PlayerShip::drawCascade(int fillAlpha, int highlightAlpha) {
    // The left flank is a quarter circle of radius 20 round (10, −10).
    float px[8], py[8];
    for (int k = 1; k <= 7; ++k) {
        px[k] = 10 - 20 * std::cos(k * PI / 16);
        py[k] = 20 * std::sin(k * PI / 16) - 10;
    }
    ofPushMatrix();
    ofTranslate(0, 5);
    ofSetColor(colour, fillAlpha);
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 0) ofFill();
        else ofNoFill();
        ofBeginShape();
        ofVertex(-10, -10);
        for (int k = 1; k <= 7; ++k) ofVertex(px[k], py[k]);
        ofVertex(10, 10);
        ofVertex(10, -10);
        ofEndShape(true);
    }
    fins(10, -10);
    ofSetColor(colour, highlightAlpha);
    ofLine(10, 10, px[7], py[7]);
    for (int k = 1; k <= 6; ++k) ofLine(px[k], py[k], px[k + 1], py[k + 1]);
    ofLine(-10, -10, px[1], py[1]);
    ofPopMatrix();
}

void PlayerShip::drawShowOff(int fillAlpha, int highlightAlpha) {
    ofPushMatrix();
    ofTranslate(0, 5);
    ofSetColor(colour, fillAlpha);
    normalTriangle();
    ofFill();
    normalTriangle();
    ofNoFill();
    ofSetColor(colour, highlightAlpha);
    noseLines();
    ofPopMatrix();
}

void PlayerShip::draw(float f) {
    const int fillAlpha = truncInt(150 * f);
    const int highlightAlpha = truncInt(255 * f);
    switch (shipType) {
    case SHIP_HEAVY:
        drawHeavy(fillAlpha, highlightAlpha);
        break;
    case SHIP_FAST:
        ofPushMatrix();
        ofScale(0.7f, 1.5f);
        drawShapeType0(false, f);
        ofPopMatrix();
        break;
    case SHIP_HARDY:
        ofPushMatrix();
        ofScale(1.3f, 0.9f);
        drawShapeType0(false, f);
        ofPopMatrix();
        if (!hardyHitTaken) {
            // The ring shows the extra hit is still there.
            ofSetCircleResolution(15);
            ofNoFill();
            ofSetColor(colour, fillAlpha);
            ofCircle(0, 0, 20);
        }
        break;
    case SHIP_HYPER:
        for (int i = 0; i < 2; ++i) {
            float dx = ofRandomRange(-9, 9);
            float dy = ofRandom(9);
            ofPushMatrix();
            ofTranslate(dx, dy);
            drawShapeType0(false, f * 0.5f);
            ofPopMatrix();
        }
        break;
    case SHIP_ROBOT:
        drawRobot(fillAlpha, highlightAlpha);
        break;
    case SHIP_JELLY:
        drawJelly(fillAlpha, highlightAlpha);
        break;
    case SHIP_CASCADE:
        drawCascade(fillAlpha, highlightAlpha);
        break;
    case SHIP_SHOW_OFF:
        drawShowOff(fillAlpha, highlightAlpha);
        break;
    default:
        drawShapeType0(false, f);
        break;
    }
}

void PlayerShip::drawLives() {
    if (gliding) return;
    if (invulnerabilityTimer < 0 || blinkShows()) {
        ofNoFill();
        ofSetLineWidth((boldOutline ? 2 : 1) * lineScale);
        ofPushMatrix();
        ofTranslate(point.position.x, point.position.y);
        ofScale(drawScale, drawScale);
        if (shipType != SHIP_ROBOT) ofRotate(ofRadToDeg(heading) - 90);
        draw(1.0f);
        ofPopMatrix();
    }
    drawLivesText();
}

void PlayerShip::drawLivesText() {
    if (font == nullptr) return;
    if (!(livesDisplayTimer > 0 || lives == 1)) return;
    if (lives <= 1 && !blinkShows()) return;

    float base = lives == 1 ? 210.0f : ofMap(livesDisplayTimer, 2.0f, 0, 210, 0, true);
    int alpha = truncInt(base + 30 * std::sin(3 * ofGetElapsedTimef()));
    // The swing dips below zero near the end of the fade: nothing to draw.
    if (alpha <= 0) return;

    std::string text = lives == 1 ? "Last life!" : std::to_string(lives) + " lives left";
    ofSetColor(colour, alpha);
    ofFill();
    font->drawStringCentered(text, textSize, point.position.x, point.position.y - 40);
}

void PlayerShip::drawTrail() {
    ofSetLineWidth(8);
    ofSetColor(colour, 100);
    ofLine(trail[0].x, trail[0].y, point.position.x, point.position.y);
    for (int k = 0; k < 24; ++k) {
        float width = 8 - 0.36f * k;
        // A width at or below 0 is not a line width: keep the one before.
        if (width > 0) ofSetLineWidth(width);
        ofSetColor(colour, truncInt(100 - 4.0f * k));
        ofLine(trail[k + 1].x, trail[k + 1].y, trail[k].x, trail[k].y);
    }
}
