#include <algorithm>
#include <cmath>
#include <string>

#include "GameCore.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"

namespace {

const std::string& pick(const std::vector<std::string>& rows, int index) {
    static const std::string none;
    if (index < 0 || index >= static_cast<int>(rows.size())) return none;
    return rows[static_cast<size_t>(index)];
}

// Three lines: a shaft and a head pointing right, or left when mirrored.
void drawArrow(float x, float y, float sign) {
    ofLine(x - 20 * sign, y, x + 20 * sign, y);
    ofLine(x + 20 * sign, y, x, y - 10);
    ofLine(x + 20 * sign, y, x, y + 10);
}

}  // namespace

void GameCore::drawMatchAwards() {
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    const int alpha = static_cast<int>(ofMap(menuTime, 0, menuFadeTime, 0, 255, true));
    const int step = std::max(1, matchSettings.awardsValue);

    if (!awardsOpened) {
        if (!soundBank.soundMuted) soundBank.gameOver.play();
        awardsOpened = true;
        menuTime = 0;
    }

    const int reveal = ++awardReveal;
    const bool tick = reveal > 0 && reveal % step == 0 && !awardRevealDone;
    if (tick) soundBank.playRockSmash();

    ofFill();
    ofSetColor(textColor, alpha);
    const float y0 = 80 * uiScale - 20 * uiScale;
    ofPushMatrix();
    ofTranslate(w / 2 + 56, y0);
    ofScale(0.8f, 0.8f, 1);
    font.drawStringCenteredX("for menu", 6.5f, 0, 0);
    ofPopMatrix();
    drawPadButton(screenWidth / 2 - 110, static_cast<int>(y0 - 20), 5, 255, 1);

    int winner = -1;
    for (int i = 0; i < 4 && winner < 0; ++i)
        if (players[i].place == 0) winner = i;
    ofFill();
    if (winner >= 0) {
        ofSetColor(playerColors[winner], alpha);
        font.drawStringCenteredX(playerColorNames[winner] + " Player", 11, w / 2, 190);
    } else {
        ofSetColor(textColor, alpha);
        font.drawStringCenteredX("The Arena", 11, w / 2, 190);
    }
    ofSetColor(textColor, alpha);
    font.drawStringCenteredX(pick(winnerPhrases, phrasePicks[1]), 8.5f, w / 2, 300);
    font.drawStringCenteredX(pick(winnerPraise, phrasePicks[0]), 4, w / 2, 370);

    const int top = 395;
    const int bottom = static_cast<int>(h - 0.13f * h);
    const int rowW = std::max(800, static_cast<int>(0.7f * w));
    const float rowX = w / 2 - rowW / 2.0f;
    const int gap = (bottom - top - 376) / 5;
    const float iconStart = rowX + 200;
    const float iconEnd = rowX + rowW - 380;
    const int perLine = static_cast<int>((iconEnd - iconStart - 25) / 50);

    const int shown = awardRevealDone ? 1000 : (reveal > 0 ? reveal / step : 0);
    awardRevealDone = true;
    const float fade = ofMap(menuTime, 0, menuFadeTime, 0, 1, true);
    for (int i = 0; i < 4; ++i) {
        const PlayerShip& ship = players[i];
        const int kills = static_cast<int>(ship.matchStats.kills.size());
        if (kills > shown) awardRevealDone = false;
        const int k = std::min(shown, kills);
        const int place = std::max(0, std::min(ship.place, 3));
        const float rowY = static_cast<float>((place + 1) * gap + top + 94 * place);

        float joltX = 0, joltY = 0;
        if (tick && shown - 1 != kills) {
            joltX = static_cast<float>(static_cast<int>(ofRandomRange(-15, 15)));
            joltY = static_cast<float>(static_cast<int>(ofRandomRange(-15, 15)));
        }
        ofFill();
        ofSetColor(playerColors[i], static_cast<int>(fade * (ship.joined ? 100 : 20)));
        ofRect(rowX + joltX, rowY + joltY, static_cast<float>(rowW), 94);

        ofSetLineWidth(6.25f);
        ofNoFill();
        for (int j = 0; j < k; ++j) {
            float x = iconStart + 50 * j;
            float y = rowY + 47;
            if (k > perLine + 1) {
                if (j <= perLine) {
                    y -= 18;
                } else {
                    x -= 50 * perLine + 25;
                    y += 21;
                }
            }
            const int victim = ship.matchStats.kills[static_cast<size_t>(j)].victim;
            if (victim < 0 || victim > 3) continue;
            ofPushMatrix();
            ofTranslate(x, y);
            ofScale(1.25f, -1.25f, 1);
            players[victim].draw(1);
            ofPopMatrix();
        }

        ofFill();
        ofSetColor(textColor, ship.joined ? 255 : 100);
        font.drawString(std::to_string(place + 1) + ". ", 4, rowX + 15, rowY + 63);
        font.drawString(playerColorNames[i], 4, rowX + 50, rowY + 63);
        if (ship.joined) {
            font.drawString("Award:", 3, iconEnd + 15, rowY + 34);
            font.drawString("*" + ship.award + "*", 4, iconEnd, rowY + 78);
        }
    }

    ofFill();
    ofSetColor(textColor, alpha);
    font.drawStringCenteredX("Press       to Believe", 6.5f, w / 2, h - 50);
    drawPadButton(screenWidth / 2 - 58, screenHeight - 71, 0, 255, 1.5f);

    ofFill();
    ofSetColor(textColor, alpha);
    const char* letters = "STATS";
    const int startY = static_cast<int>(0.6f * h);
    for (int n = 0; n < 5; ++n) {
        const float x = w - 50 - (letters[n] == 'A' ? 3 : 0);
        font.drawString(std::string(1, letters[n]), 4, x, static_cast<float>(startY + 45 * n));
    }
    ofSetLineWidth(3);
    if ((ofGetFrameNum() / 7) % 2 == 1) {
        drawArrow(w - 40, startY - 70.0f, 1);
        drawArrow(w - 40, startY + 215.0f, 1);
    }
}

void GameCore::drawMatchStats() {
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);

    ofFill();
    ofSetColor(textColor, 255);
    font.drawStringCenteredX(pick(statsTitles, phrasePicks[2]), 8.5f, w / 2, 144);

    const float k = w < 1024 ? w / 1024 : 1;
    ofPushMatrix();
    ofTranslate(w / 2, h / 2);
    ofScale(k, k, 1);
    ofTranslate(-w / 2, -h / 2);

    const float labelX = w / 2 - 220;
    ofSetColor(textColor, 255);
    const char* labels[7] = {"Kills", "Deaths", "Asteroid Smashes", "Longest Life", "Most Targetted", "Avg Speed",
                             "Longest Kill Streak"};
    const float labelY[7] = {288, 360, 492, 564, 636, 708, 780};
    const float labelSize[7] = {6.5f, 6.5f, 3, 3, 3, 3, 3};
    for (int r = 0; r < 7; ++r) font.drawStringRight(labels[r], labelSize[r], labelX, labelY[r]);

    for (int i = 0; i < 4; ++i) {
        const PlayerShip& ship = players[i];
        const ShipMatchStats& st = ship.matchStats;
        const float x = w / 2 - 118 + 168 * i;
        ofFill();
        ofSetColor(playerColors[i], ship.joined ? 150 : 40);
        ofRect(x - 72, 192, 144, 636);
        if (!ship.joined) continue;
        ofSetColor(textColor, 255);
        // No samples or no kills leave the figure at its plain zero or empty.
        const int speed = st.samples.empty() || !std::isfinite(st.averageSpeed) ? 0 : static_cast<int>(st.averageSpeed);
        const bool targetKnown = !st.kills.empty() && st.favouriteVictim >= 0 && st.favouriteVictim < 4;
        const std::string values[7] = {std::to_string(st.kills.size()),
                                       std::to_string(st.deaths.size()),
                                       std::to_string(st.asteroidSmashes),
                                       std::to_string(static_cast<int>(st.longestLife)) + " sec",
                                       targetKnown ? playerColorNames[st.favouriteVictim] : std::string(),
                                       std::to_string(speed),
                                       std::to_string(st.bestStreak)};
        const float valueY[7] = {288, 360, 499, 564, 636, 715, 787};
        const float valueSize[7] = {6.5f, 6.5f, 6.5f, 4, 4, 6.5f, 6.5f};
        for (int r = 0; r < 7; ++r) font.drawStringCenteredX(values[r], valueSize[r], x, valueY[r]);
    }

    const float half = screenWidth == 960 ? 480.0f : 520.0f;
    ofSetLineWidth(4);
    ofSetColor(textColor, 255);
    for (float y : {222.0f, 378.0f, 798.0f}) ofLine(w / 2 - half, y, w / 2 + half, y);
    ofSetLineWidth(2);
    ofSetColor(textColor, 150);
    for (float y : {300.0f, 504.0f, 576.0f, 648.0f, 720.0f}) ofLine(w / 2 - half, y, w / 2 + half, y);
    ofPopMatrix();

    ofFill();
    ofSetColor(textColor, 255);
    font.drawString("Back", 4, 90, h - 30);
    ofSetLineWidth(3);
    if ((ofGetFrameNum() / 7) % 2 == 1) drawArrow(50, h - 45, -1);
}
