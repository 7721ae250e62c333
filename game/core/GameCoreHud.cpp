#include <algorithm>
#include <cmath>

#include "GameCore.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

void GameCore::drawHud() {
    const int mode = static_cast<int>(gameMode);
    if (modeNames[mode] == "Intro") return;

    ofFill();
    ofSetColor(255);
    const int best = coop ? bestCoopScores[mode] : bestScores[mode];
    const float score = players[0].score;
    const int whole = static_cast<int>(score);
    const bool beaten = static_cast<float>(best) < score;
    std::string scoreText = ofToString(whole);
    if (beaten && gameMode != GameMode::Mission) scoreText += "!";

    const float h = static_cast<float>(screenHeight);
    if (arcadeCabinet) {
        font.drawString("score:", 6.5f, 30, h - 110);
        font.drawString(scoreText, 8.5f, 30, h - 20);
        return;
    }
    const float b = h - 25;
    const float l = b - 40 * uiScale;
    const float v = static_cast<float>(static_cast<int>(l - 50));
    font.drawString("score:", 4, 30, v - 65);
    font.drawString(scoreText, 6.5f, 30, v);
    if (!deathMatch && !missionRound && !creditsScreen.creditsRun) {
        font.drawString("High Score:", 3, 30, l);
        font.drawString(ofToString(beaten ? whole : best), 3, 30, b);
    }
}

float GameCore::getMultikillTimeBonus() const {
    float bonus = 0;
    for (int p = 0; p < 4; ++p) {
        // In single play slot 0 takes part without joining.
        bool takesPart = players[p].joined || (p == 0 && !coop && !deathMatch);
        if (takesPart && !players[p].frozen) bonus = std::max(bonus, players[p].robotFactor);
    }
    return bonus;
}

void GameCore::drawMultikillBanner() {
    const float t = ofGetElapsedTimef();
    const float s = uiScale;
    const float timer = multikillTimer;
    const int level = multikillLevel;

    const int m1 = static_cast<int>(6 * s);
    const int m2 = static_cast<int>(8 * s);
    const float wobble = 1.5f * std::sin(5 * t);

    float alpha = 255;
    if (timer < 0.2f && level == 0) alpha = ofMap(timer, 0.2f, 0, 255, 0);

    float fraction = ofMap(timer / (multikillWindow + getMultikillTimeBonus()), 0.1f, 1.0f, 0, 1, true);
    int barWidth = std::max(0, static_cast<int>((screenWidth - 2 * m1) * fraction));

    const int pulse = static_cast<int>(175 + 75 * std::fabs(std::sin(2 * t)));
    const ofColor& base = players[0].colour;
    const int r = static_cast<int>(0.55f * base.r + 0.45f * pulse);
    const int g = static_cast<int>(0.55f * base.g + 0.45f * pulse);
    const int bl = static_cast<int>(0.55f * base.b + 0.45f * pulse);
    ofFill();
    ofSetColor(r, g, bl, static_cast<int>(alpha));
    ofRect(static_cast<float>(m1), static_cast<float>(m1), static_cast<float>(barWidth), m2 + wobble);

    float textScale = 1 + 0.2f * level;
    if (timer < 0) {
        float q = ofMap(timer, 0, -multikillFadeTime, 0, 1, true);
        textScale *= 1 + q;
        alpha *= 1 - q;
        ofSetColor(r, g, bl, static_cast<int>(alpha));
    }

    std::string text = level < 1 ? "Multikill" : "Multikill X" + ofToString(level + 1);
    ofPushMatrix();
    ofTranslate(static_cast<float>(m1), m1 + m2 + 6 * s, 0);
    ofScale(textScale, textScale, 1);
    font.drawString(text, 3.0f, 0, 25 * s);
    ofPopMatrix();
}
