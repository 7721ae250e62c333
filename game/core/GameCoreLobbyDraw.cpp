#include <algorithm>
#include <cmath>
#include <string>

#include "GameCore.h"
#include "ShipSelect.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {

const char* const kAsteroidLevels[4] = {"None", "A Few", "Normal", "So Many"};
// Width the cabinet screens and the level select are laid out for.
const float kCabinetWidth = 936;

// Scales the page about the screen centre so a layout of the given width fits.
void scaleAboutCentre(float w, float h, float factor) {
    ofPushMatrix();
    ofTranslate(w / 2, h / 2);
    ofScale(factor, factor, 1);
    ofTranslate(-w / 2, -h / 2);
}

}  // namespace

void GameCore::drawLobbySlot(int i, float x, float a, int alpha) {
    PlayerShip& ship = players[i];
    const float t = ofGetElapsedTimef();
    ofPushMatrix();
    if (lifeClock[i] < 0.3f) {
        const float d = ofMap(lifeClock[i], 0, 0.3f, 30, 3);
        ofTranslate(ofRandomRange(-d, d), ofRandomRange(-d, d));
    }
    const int columnAlpha = static_cast<int>((ship.joined ? 150 : 50) * a);
    ofFill();
    if (i < padCount)
        ofSetColor(playerColors[i], columnAlpha);
    else
        ofSetColor(50, 50, 50, 130);
    ofRect(x - 102, 276, 204, 408);

    ofSetColor(textColor, columnAlpha);
    font.drawStringCenteredX(playerColorNames[i], 6.5f, x, 336);
    ofSetColor(textColor, alpha);

    const float breath = 0.6f + 0.1f * std::sin(t);
    if (!ship.joined && i >= padCount) {
        ofPushMatrix();
        ofTranslate(x, 480);
        ofScale(breath, breath, 1);
        font.drawStringCentered("Insert", 6.5f, 0, -36);
        font.drawStringCentered("Controller", 6.5f, 0, 36);
        ofPopMatrix();
    } else if (!ship.joined) {
        ofPushMatrix();
        ofTranslate(x, 480);
        ofScale(breath, breath, 1);
        if (!arcadeCabinet) {
            // Each pad shows its own button faces; the lobby puts the style back after the columns.
            symbolPad = playStationPads[i];
            drawPadButton(0, -72, 0, static_cast<int>(1.5f * columnAlpha), 1);
        }
        ofFill();
        ofSetColor(textColor, columnAlpha);
        if (arcadeCabinet) font.drawStringCentered("PRESS", 6.5f, 0, -72);
        font.drawStringCentered("TO", 6.5f, 0, 0);
        font.drawStringCentered("JOIN", 6.5f, 0, 72);
        ofPopMatrix();
    } else if (!ship.lobbyReady) {
        if (ship.randomShip) {
            const bool showOff = ship.unlockedShips != nullptr && ship.unlockedShips[8];
            int type = static_cast<int>(ofRandom(9));
            // Bounded: a locked Show-Off is drawn again at most a few times.
            for (int tries = 0; tries < 16 && (type >= 9 || (type == 8 && !showOff)); ++tries)
                type = static_cast<int>(ofRandom(9));
            if (type >= 8 && !showOff) type = 0;
            ship.setShipType(type);
        }
        const int shipAlpha = ship.lobbyRow == 0 ? alpha : 100;
        ofFill();
        ofSetColor(textColor, shipAlpha);
        font.drawStringCenteredX("Ship:", 4, x, 528);
        const int type = std::max(0, std::min(ship.shipType, 8));
        const std::string name = ship.randomShip ? "Random" : ShipSelect::shipName(type);
        font.drawStringCenteredX(name, (!ship.randomShip && type == 8) ? 3 : 4, x, 576);
        ofSetColor(textColor, ship.lobbyRow == 1 ? alpha : 100);
        font.drawStringCenteredX("READY", 4, x, 648);
        if (ship.lobbyRow == 0) {
            ofSetColor(textColor, alpha);
            font.drawStringCenteredX("<", 6.5f, x - 83, 581);
            font.drawStringCenteredX(">", 6.5f, x + 83, 581);
        }
    } else {
        ofFill();
        ofSetColor(textColor, columnAlpha);
        font.drawStringCenteredX("READY", 6.5f, x, 660);
    }
    if (ship.joined) {
        ofSetLineWidth(4 * uiScale);
        ofNoFill();
        ofPushMatrix();
        ofTranslate(x, ship.lobbyReady ? 480.0f : 420.0f);
        ofRotate(180);
        ofScale(2.5f, 2.5f, 1);
        ship.draw(1);
        ofPopMatrix();
    }
    ofPopMatrix();
}

void GameCore::drawLobby() {
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    const float a = ofMap(menuTime, 0, menuFadeTime, 0, 1, true);
    const int alpha = static_cast<int>(255 * a);

    for (int i = 0; i < playerCount && i < 4; ++i) lifeClock[i] += frameTime;

    ofSetLineWidth(1);
    ofNoFill();
    for (Spark& spark : hudSparks) spark.stepAndDraw();
    hudSparks.erase(std::remove_if(hudSparks.begin(), hudSparks.end(), [](const Spark& s) { return s.life < 1; }),
                    hudSparks.end());

    const int x0 = static_cast<int>(w / 2 - 444);
    const bool scaled = arcadeCabinet && x0 < 24;
    if (scaled) scaleAboutCentre(w, h, (w / 2 - 24) / 444);

    ofFill();
    ofSetColor(textColor, alpha);
    font.drawStringCenteredX(exhibition ? "VANTORIX" : "MULTIPLAYER", 11, w / 2, 120);
    font.drawStringCenteredX(deathMatch ? "DEATH MATCH" : "CO-OP ARCADE", 11, w / 2, 228);

    const bool style = symbolPad;
    for (int i = 0; i < 4; ++i) {
        const float x = static_cast<float>(x0 + 102 + 228 * i);
        drawLobbySlot(i, x, a, alpha);
        if (!joinBurst[i]) continue;
        joinBurst[i] = false;
        lifeClock[i] = 0;
        for (int n = 0; n < 300; ++n) {
            Spark spark;
            spark.setup(ofRandomRange(x - 152, x + 152), ofRandomRange(226, 734), playerColors[i]);
            hudSparks.push_back(spark);
        }
    }
    symbolPad = style;

    if (deathMatch) {
        ofNoFill();
        ofSetColor(textColor, static_cast<int>(150 * a));
        ofSetLineWidth(2);
        ofRect(static_cast<float>(x0), 732, 432, 192);
        ofFill();
        ofSetColor(textColor, alpha);
        const int type = std::max(0, std::min(matchSettings.matchType, 2));
        const int count = matchSettings.value;
        const int minutes = matchSettings.minutes;
        const float tx = static_cast<float>(x0 + 24);
        font.drawString("Game Mode: " + matchTypeNames[type], 4, tx, 795);
        font.drawString(matchValueLabels[type] + " " + std::to_string(type == MatchSettings::Time ? minutes : count), 4,
                        tx, 843);
        std::string rule;
        if (type == MatchSettings::Stock)
            rule = count == 1 ? "Each player will have 1 life"
                              : "Each player will have " + std::to_string(count) + " lives";
        else if (type == MatchSettings::Score)
            rule = count == 1 ? "Score 1 kill to win" : "Score " + std::to_string(count) + " kills to win";
        else
            rule = "High score after " + std::to_string(minutes) + " min wins";
        font.drawString(rule, 3, tx, 900);
    }

    const float itemX = deathMatch ? static_cast<float>(x0 + 672) : w / 2;
    for (int k = deathMatch ? 0 : 1; k < 2; ++k) {
        const float y = k == 0 ? 780.0f : (deathMatch ? 876.0f : 828.0f);
        for (int j = 0; j < 4; ++j) {
            if (!players[j].lobbyReady || players[j].lobbyRow != k) continue;
            const float d = 13.0f * j + (k == 0 ? 58 : 0);
            ofSetColor(playerColors[j], alpha);
            font.drawStringCentered("<", 6.5f, itemX - d - 130, y);
            font.drawStringCentered(">", 6.5f, itemX + d + 130, y);
        }
        ofSetColor(textColor, static_cast<int>(alpha * a));
        font.drawStringCentered(k == 0 ? "Switch Mode" : "Start", 6.5f, itemX, y);
    }

    if (scaled) ofPopMatrix();
}

void GameCore::drawMatchSettings() {
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    const int alpha = static_cast<int>(ofMap(menuTime, 0, menuFadeTime, 0, 255, true));
    const bool scaled = arcadeCabinet && w < kCabinetWidth;
    if (scaled) scaleAboutCentre(w, h, w / kCabinetWidth);

    ofFill();
    ofSetColor(textColor, alpha);
    font.drawStringCenteredX("SETTINGS", 11, w / 2, 144);

    const int type = std::max(0, std::min(matchSettings.matchType, 2));
    const int level = std::max(0, std::min(matchSettings.foeAmount, 3));
    const float labelX = w / 2 - 384;
    const float valueX = w / 2 + 84;
    const std::string values[3] = {
        matchTypeNames[type],
        std::to_string(type == MatchSettings::Time ? matchSettings.minutes : matchSettings.value),
        kAsteroidLevels[level]};
    const std::string labels[3] = {"Game Mode:", matchValueLabels[type], "Asteroids:"};
    for (int r = 0; r < 3; ++r) {
        font.drawString(labels[r], 6.5f, labelX, 380.0f + 132 * r);
        font.drawString(values[r], 6.5f, valueX, 380.0f + 132 * r);
    }
    font.drawStringCenteredX("DONE", 11, w / 2, h - 48);

    for (int j = 0; j < 4; ++j) {
        if (!players[j].joined) continue;
        ofSetColor(playerColors[j], alpha);
        const int r = players[j].lobbyRow;
        if (r >= 0 && r < 3) {
            const float y = 380.0f + 132 * r;
            font.drawStringCenteredX("<", 6.5f, valueX - 30 - 14 * j, y);
            font.drawStringCenteredX(">", 6.5f, valueX + font.getStringWidth(values[r], 6.5f) + 30 + 14 * j, y);
        } else if (r == 3) {
            font.drawStringCenteredX("<", 11, w / 2 - 210 - 22 * j, h - 48);
            font.drawStringCenteredX(">", 11, w / 2 + 210 + 22 * j, h - 48);
        }
    }

    if (scaled) ofPopMatrix();
}

void GameCore::drawLevelSelect() {
    const int w = screenWidth;
    const int h = screenHeight;
    levelSelectTime += frameTime;
    const int alpha = static_cast<int>(ofMap(menuTime, 0, menuFadeTime, 0, 255, true));
    const bool scaled = arcadeCabinet && kCabinetWidth > w;
    if (scaled) scaleAboutCentre(static_cast<float>(w), static_cast<float>(h), w / kCabinetWidth);

    ofFill();
    ofSetColor(textColor, alpha);
    font.drawStringCenteredX("LEVEL SELECT", 11, w / 2.0f, 144);

    const int cell = arcadeCabinet ? 290 : std::min(w / 3, 375);
    const int base = static_cast<int>(h * 0.59f);
    const int nudge[6] = {0, 20, 0, -10, 12, 0};
    for (int c = 0; c < 6; ++c) {
        const int column = c % 3;
        const int row = c / 3;
        const float cx = static_cast<float>(w / 2 + (column - 1) * cell);
        const float cy = static_cast<float>(base + row * 350 - 175 + nudge[c]);
        if (c < 5) {
            ArenaWalls& preview = levelPreviews[c];
            if (preview.outer.empty()) preview.setup(true, false, 5, c);
            ofSetColor(textColor, alpha);
            ofPushMatrix();
            ofTranslate(cx, cy);
            const float s = (c == 2 || c == 3) ? 0.065f : 0.08f;
            ofScale(s, s, 1);
            preview.draw(0.75f);
            ofPopMatrix();
        } else {
            ofFill();
            ofSetColor(textColor, alpha);
            font.drawStringCentered("?", 11, cx, cy);
        }
    }

    ofSetLineWidth(3);
    ofNoFill();
    for (int p = 0; p < 4; ++p) {
        if (!players[p].joined) continue;
        ofSetColor(playerColors[p], alpha);
        const int side = 220 + 9 * p;
        const int c = std::max(0, std::min(levelCell[p], 5));
        const int x = w / 2 + (c % 3 - 1) * cell - side / 2;
        const int y = base + (c / 3) * 350 - 175 - side / 2;
        ofRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(side), static_cast<float>(side));
    }

    if (scaled) ofPopMatrix();
}
