#include "EndingSequence.h"

#include <cmath>

#include "PixelFont.h"
#include "PlayerShip.h"
#include "ofGraphics.h"

const char* const EndingSequence::lines[EndingSequence::lineCount] = {
    "ALL MISSIONS COMPLETE", "YOUR FRIENDS CAME", "THANK YOU FOR PLAYING", "THE END"};

namespace {

const float twoPi = 6.2831855f;
const float halfPi = 1.5707964f;

}  // namespace

void EndingSequence::setup(PixelFont* f, PlayerShip& ship0, PlayerShip& ship1, PlayerShip& ship2, PlayerShip& ship3) {
    font = f;
    ships[0] = &ship0;
    ships[1] = &ship1;
    ships[2] = &ship2;
    ships[3] = &ship3;
    time = 0;
    done = false;
    doneReport = false;
    const float cx = ship0.point.position.x;
    const float cy = ship0.point.position.y;
    for (int k = 1; k < 4; ++k) {
        PlayerShip& ship = *ships[k];
        ship.reset(true);
        // The friends come without a count of lives: nothing is drawn under them.
        ship.lives = 0;
        ship.livesDisplayTimer = 0;
        const float a = (k - 1) * twoPi / 3 - halfPi;
        ship.point.position.set(cx + radius * std::cos(a), cy + radius * std::sin(a));
        ship.point.velocity.set(0, 0);
        ship.resetTrail();
    }
}

void EndingSequence::update(float timeStep) {
    if (!ships[0]) return;
    time += timeStep;
    for (int k = 1; k < 4; ++k) ships[k]->steerTowardNextShip(ships[0], ships[1], ships[2], ships[3], k);
    if (!done && time >= length) {
        done = true;
        doneReport = true;
    }
}

int EndingSequence::currentLine() const {
    if (time < 0) return 0;
    const int line = static_cast<int>(time / lineLength);
    return line < lineCount ? line : -1;
}

int EndingSequence::lineAlpha() const {
    const int line = currentLine();
    if (line < 0) return 0;
    const float t = time - line * lineLength;
    float a = 1;
    if (t < fadeLength) a = t / fadeLength;
    if (t > lineLength - fadeLength) a = (lineLength - t) / fadeLength;
    return static_cast<int>(255 * (a < 0 ? 0 : a));
}

void EndingSequence::draw(int screenWidth, int) {
    const int line = currentLine();
    const int alpha = lineAlpha();
    if (!font || line < 0 || alpha <= 0) return;
    ofFill();
    ofSetColor(255, 255, 255, alpha);
    font->drawStringCenteredX(lines[line], textSize, screenWidth * 0.5f, textY);
}
