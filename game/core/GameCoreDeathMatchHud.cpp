#include <algorithm>
#include <cmath>
#include <string>

#include "GameCore.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"

void GameCore::drawDeathMatchHud() {
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    const int type = matchSettings.matchType;
    const int count = matchSettings.value;
    const bool blinkOn = (ofGetFrameNum() / 7) % 2 == 1;

    if (exhibition) drawTitleLogo(screenWidth / 2, screenHeight / 2, 1.5f, ofMap(matchClock, 1.5f, 2.0f, 1, 0, true));

    // Corner and running direction of each slot's row of circles.
    const float corner[4][2] = {{40, 40}, {w - 40, 40}, {40, h - 40}, {w - 40, h - 40}};
    const float step[4][2] = {{50, 0}, {0, 50}, {0, -50}, {-50, 0}};
    for (int i = 0; i < playerCount && i < 4; ++i) {
        const PlayerShip& ship = players[i];
        if (!ship.joined) continue;
        ofPushMatrix();
        if (lifeClock[i] < 1.0f) {
            const float d = ofMap(lifeClock[i], 0, 1, 15, 3);
            ofTranslate(ofRandomRange(-d, d), ofRandomRange(-d, d));
        }
        const bool out = ship.frozen;
        ofSetLineWidth(2);
        ofSetCircleResolution(20);
        ofEnableSmoothing();

        const int filled = type == MatchSettings::Stock ? ship.lives : static_cast<int>(ship.score);
        const bool blinking = (type == MatchSettings::Stock && ship.lives == 1) ||
                              (type == MatchSettings::Score && static_cast<int>(ship.score) == count - 1);
        if (!blinking || blinkOn) {
            ofFill();
            ofSetColor(playerColors[i], out ? 100 : 255);
            for (int k = 0; k < filled; ++k) ofCircle(corner[i][0] + step[i][0] * k, corner[i][1] + step[i][1] * k, 20);
        }
        const int marker = type == MatchSettings::Stock ? filled - 1 : filled;
        hudMarkers[i].set(corner[i][0] + step[i][0] * marker, corner[i][1] + step[i][1] * marker);

        if (type != MatchSettings::Time) {
            ofNoFill();
            ofSetColor(playerColors[i], out ? 100 : 230);
            for (int k = 0; k < count; ++k) ofCircle(corner[i][0] + step[i][0] * k, corner[i][1] + step[i][1] * k, 20);
        }
        ofPopMatrix();
    }

    ofSetLineWidth(1);
    ofNoFill();
    for (Spark& spark : hudSparks) spark.stepAndDraw();
    hudSparks.erase(std::remove_if(hudSparks.begin(), hudSparks.end(), [](const Spark& s) { return s.life < 1; }),
                    hudSparks.end());

    if (type != MatchSettings::Time) return;

    ofSetColor(255, 255, 255, 240);
    const float left = matchSettings.minutes * 60.0f - playTime;
    const int remaining = static_cast<int>(left);
    const int m = remaining >= 60 ? remaining / 60 : 0;
    const int s = remaining >= 60 ? remaining % 60 : remaining;
    int digits[4] = {m / 10, m % 10, s / 10, s % 10};
    if (matchOver)
        for (int& d : digits) d = 0;
    const float half = font.getLineHeight(11) / 2;
    const float originY = static_cast<float>(static_cast<int>(115 - half));

    float k = 1;
    if (m == 0 && s <= 10 && !matchOver) {
        const float f = playTime - std::floor(playTime);
        const float c = left < 0 ? 3.0f : ofMap(static_cast<float>(s), 0, 10, 4, 1, true);
        k = f + (1 - f) * c;
        if (s <= 9 && std::floor(playTime) != std::floor(playTime - frameTime)) soundBank.playMenuBeep();
    }

    if (matchOver && !blinkOn) return;
    ofPushMatrix();
    ofTranslate(w / 2, originY);
    ofScale(k, k, 1);
    ofFill();
    if (left > 0 || matchOver) {
        const float xs[4] = {-120, -60, 60, 120};
        for (int d = 0; d < 4; ++d) font.drawStringCenteredX(std::to_string(digits[d]), 11, xs[d], half);
        font.drawStringCenteredX(":", 11, 0, half - 15);
    } else {
        font.drawStringCenteredX("SUDDEN DEATH", 8.5f, 0, half);
    }
    ofPopMatrix();
}
