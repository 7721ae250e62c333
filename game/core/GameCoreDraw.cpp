#include <algorithm>
#include <cmath>

#include "GameCore.h"
#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofMath.h"
#include "ofUtils.h"

namespace {

const float pi = 3.14159265f;

int menuAlpha(float menuTime, float fadeTime) {
    return static_cast<int>(ofMap(menuTime, 0, fadeTime, 0, 255, true));
}

// Blink phases: seven frames each.
bool oddPhase() {
    return (ofGetFrameNum() / 7) % 2 == 1;
}

void shake(float amount) {
    float dx = ofRandomSigned() * amount;
    float dy = ofRandomSigned() * amount;
    ofTranslate(dx, dy, 0);
}

}  // namespace

void GameCore::draw() {
    const bool playing = gameState == GameState::Playing;
    const bool shipSelectShown = gameState == GameState::ShipSelect;

    ofFill();
    ofSetColor(backgroundColor);
    ofRect(0, 0, static_cast<float>(screenWidth), static_cast<float>(screenHeight));

    ofPushMatrix();
    ofTranslate(static_cast<float>(screenWidth / 2), static_cast<float>(screenHeight / 2), 0);
    if (impactShake > 0 && !deathMatch) shake(static_cast<float>(impactShake));
    if (rockFlashTime > 0 && rockFlashLength > 0) shake(rockFlashTime / rockFlashLength * rockShakeMagnitude);
    if (deathFlashTime > 0) {
        float length = deathMatch ? deathMatchFlashLength : deathFlashLength;
        shake(ofMap(deathFlashTime, length, 0, 40 * uiScale, 0));
    }
    ofScale(zoom * uiScale, zoom * uiScale, 1);
    ofTranslate(-camera.x, -camera.y, 0);

    if (backgroundTiles) drawBackgroundTiles();
    ofEnableAlphaBlending();
    drawWorld();

    if (!shipSelectShown) {
        if (!playing && roundOverTimer <= 0)
            ofSetColor(255, 255, 255, 60);
        else
            ofSetColor(255);
        arenaWalls.draw(zoom);
    }
    ofPopMatrix();

    if (!deathMatch && (playing || (gameState == GameState::RoundOver && roundOverTimer > 0))) drawHud();

    if (playing) {
        if (gameMode == GameMode::Intro) tutorial.drawMessages();
        if (creditsScreen.creditsRun) creditsScreen.drawExitHint();
        if (endingActive) endingSequence.draw(screenWidth, screenHeight);
        if (deathMatch) drawDeathMatchHud();
        if (paused || missionBriefing) drawPauseOverlay();
        if (multikillTimer > -multikillFadeTime && !deathMatch && !creditsScreen.creditsRun) drawMultikillBanner();
    }

    if (!playing && roundOverTimer <= 0) {
        ofFill();
        ofSetColor(0, 0, 0, 200);
        ofRect(0, 0, static_cast<float>(screenWidth), static_cast<float>(screenHeight));
        ofSetColor(textColor);
        drawStateScreen();
    }

    if (missionRound) {
        missionList.drawRoundEvents(frameTime, !playing, paused);
        missionList.drawSparks();
    }

    // The round-over screen waits while unlock messages are read.
    float unlockBound = roundOverLength - deathFlashLength - 1;
    if (!shipSelect.unlockMessages.empty() && roundOverTimer <= unlockBound) {
        const int mode = static_cast<int>(gameMode);
        shipSelect.drawUnlockMessage(missionList, mode, bestScores[mode], touchBuild);
        unlockMessageTime += frameTime;
        roundOverTimer = unlockBound;
    }

    if (shipSelectShown && players[0].shipType >= 0 && players[0].shipType < 9 &&
        shipSelect.unlocked[players[0].shipType])
        drawPlayerWeapons(0, false, false);

    if (splashActive) drawSplashScreen();
    if (debugOverlay) drawDebugOverlay();
    ofDisableAlphaBlending();
}

// Everything in world units, between the background and the walls.
void GameCore::drawWorld() {
    const bool playing = gameState == GameState::Playing;
    const bool intro = gameMode == GameMode::Intro;

    if (playing && missionRound) missionList.drawComponents();
    if (blackHoleActive) blackHole.draw(frameTime);
    for (NoiseRing& ring : noiseRings) ring.draw();

    for (Foe* foe : foes) foe->drawGhostTrail();
    // The round may have restarted since the update counted the live rocks.
    size_t liveRocks = std::min(asteroids.size(), static_cast<size_t>(std::max(rocksTested, 0)));
    for (size_t i = 0; i < liveRocks; ++i) asteroids[i]->draw(255);

    updateFoePulse();
    for (Foe* foe : foes) {
        foe->pulseOffset = foePulseOffset;
        foe->pulseScale = foePulseScale;
        foe->draw();
        if (foe->sideSparks && ofRandomSigned() < 0) {
            float side = ofRandomSigned() < 0 ? pi / 2 : -pi / 2;
            float angle = foe->heading + side;
            Spark spark;
            spark.setup(foe->x + foe->size * std::cos(angle), foe->y + foe->size * std::sin(angle), foe->color);
            spark.sizeDivisor = 7;
            spark.big = false;
            float speed = ofRandomRange(3, 5);
            spark.vx = std::cos(angle) * speed;
            spark.vy = std::sin(angle) * speed;
            sparks.push_back(spark);
        }
    }

    if (gameState != GameState::ShipSelect) {
        for (int p = 0; p < playerCount && p < 4; ++p) {
            if (!playerShown(p)) continue;
            drawPlayerTrails(p);
        }
    }

    ofSetLineWidth(1);
    ofNoFill();
    for (Spark& spark : sparks) spark.stepAndDraw();
    for (PopupMessage& popup : popups) popup.draw();

    if ((playing || endingActive) && !missionBriefing) {
        for (int p = 0; p < playerCount && p < 4; ++p) {
            if (!playerShown(p) || weaponsHidden(p)) continue;
            drawPlayerWeapons(p, true, intro);
        }
    }

    if (intro) tutorial.drawTargets();
    if (playing || endingActive) {
        for (int p = 0; p < playerCount && p < 4; ++p) {
            if (players[p].frozen) continue;
            if (deathMatch) players[p].setHudScale(zoom);
            players[p].drawLives();
        }
        for (GoalPoint& goal : goalPoints) goal.draw();
        if (missionRound) missionList.drawComponentsOverlay(screenWidth);
        if (mouseGuide) drawMouseSteeringGuide();
    }
}

bool GameCore::weaponsHidden(int p) const {
    // A ship gliding to its respawn point has no weapons until it arrives.
    return players[p].gliding;
}

bool GameCore::playerShown(int p) const {
    if (players[p].frozen) return false;
    if (deathMatch && players[p].invulnerabilityTimer >= 0 && !oddPhase()) return false;
    return true;
}

int GameCore::weaponCount(int p) const {
    int type = players[p].shipType;
    int length = type >= 0 && type < 9 ? chainLength[type] : 0;
    return std::max(0, std::min(std::min(length, chainCap), 12));
}

void GameCore::drawPlayerTrails(int p) {
    ofSetLineWidth(1);
    ofNoFill();
    if (!weaponsHidden(p)) {
        float alpha = 130;
        if (gameMode == GameMode::Intro) alpha = ofMap(static_cast<float>(tutorialFade), 0, 255, 0, 130);
        int n = weaponCount(p);
        for (int i = 0; i < n; ++i)
            if (weaponPoints[p][i]) weaponPoints[p][i]->drawTrail(alpha);
    }
    if (gameState == GameState::Playing) players[p].drawTrail();
}

void GameCore::drawPlayerWeapons(int p, bool highlight, bool introFade) {
    const int n = weaponCount(p);
    const float fade = static_cast<float>(tutorialFade);

    ofSetLineWidth(5 * uiScale);
    ofNoFill();
    for (int i = 0; i < n; ++i) {
        WeaponParticle* weapon = weaponPoints[p][i];
        if (!weapon) continue;
        float speedSq = weapon->velocity.x * weapon->velocity.x + weapon->velocity.y * weapon->velocity.y;
        float alpha = 255;
        if (speedSq < hitSpeedSq) alpha = ofMap(speedSq, 0, hitSpeedSq, 0, 255);
        if (highlight && highlightWeapon && p == highlightPlayer && i == highlightIndex) {
            ofSetColor(highlightColor, static_cast<int>(alpha));
            weapon->particle::draw(weapon->radius * 2);
        } else {
            if (introFade) alpha = ofMap(fade, 0, 255, 0, alpha);
            ofSetColor(weapon->colour, static_cast<int>(alpha));
            weapon->draw();
        }
    }

    const ofVec2f& ship = players[p].point.position;
    ofSetLineWidth(weaponSprings[p][0].lineWidthFactor * uiScale);
    for (int i = 0; i < n; ++i) {
        WeaponParticle* weapon = weaponPoints[p][i];
        if (!weapon) continue;
        Spring& spring = weaponSprings[p][i];
        float distance = ofDist(ship.x, ship.y, weapon->position.x, weapon->position.y);
        float alpha = ofMap(distance, 0, 2.5f * spring.restLength, 150, 30, true);
        if (introFade) alpha = ofMap(fade, 0, 255, 0, alpha);
        spring.draw(alpha, ship.x, ship.y);
    }
}

void GameCore::drawBackgroundTiles() {
    ofFill();
    layerBatch->clear();

    const int c = tileSize;
    int hw = static_cast<int>(screenWidth / 2 / zoom);
    int hh = static_cast<int>(screenHeight / 2 / zoom);
    viewLeft = static_cast<int>(camera.x - hw - c);
    viewRight = static_cast<int>(camera.x + hw + c);
    viewTop = static_cast<int>(camera.y - hh - c);
    viewBottom = static_cast<int>(camera.y + hh + c);
    viewRight -= viewRight % c;
    viewTop -= viewTop % c;
    viewBottom -= viewBottom % c;
    int left = viewLeft - viewLeft % c;

    float t = ofGetElapsedTimef() * tileTimeRate;
    for (int gx = left; gx < viewRight; gx += c) {
        for (int gy = viewTop; gy < viewBottom; gy += c) {
            float n = ofNoise3D(std::fabs((backgroundNoiseOffset[0] + gx) * tileNoiseScale),
                                std::fabs((backgroundNoiseOffset[1] + gy) * tileNoiseScale), t);
            if (static_cast<int>(n * tileLevels) % tileModulus != 0) continue;
            layerBatch->setColor(static_cast<int>(backgroundColor.r * n), static_cast<int>(backgroundColor.g * n),
                                 static_cast<int>(backgroundColor.b * n), 255);
            layerBatch->addRect(static_cast<float>(gx), static_cast<float>(gy), 0, static_cast<float>(c),
                                static_cast<float>(c), 0);
        }
    }
    layerBatch->draw();
}

void GameCore::updateFoePulse() {
    foePulseOffset = 0;
    foePulseScale = 1;
    float phase = std::fmod(ofGetElapsedTimef(), 1.4f);
    if (phase > 1.0f) {
        float s = std::sin(pi * ofMap(phase, 1.0f, 1.4f, 0, 1));
        foePulseOffset = 50 * s;
        foePulseScale = 1 + 0.075f * s;
    }
}

void GameCore::drawMouseSteeringGuide() {
    ofNoFill();
    ofSetLineWidth(1);
    ofSetCircleResolution(20);
    if (gameMode == GameMode::Intro && steeringHint && oddPhase()) ofSetLineWidth(2);

    const ofVec2f& ship = players[0].point.position;
    const float step = 2 * pi / 34;
    for (int i = 0; i < 34; ++i) {
        float a0 = i * step;
        float a1 = (i + 1) * step;
        ofLine(ship.x + steeringRadius * std::cos(a0), ship.y + steeringRadius * std::sin(a0),
               ship.x + steeringRadius * std::cos(a1), ship.y + steeringRadius * std::sin(a1));
    }

    float tx = ship.x + mouseTarget.x;
    float ty = ship.y + mouseTarget.y;
    float length = ofDist(ship.x, ship.y, tx, ty);
    if (length > 0) {
        float ux = (tx - ship.x) / length;
        float uy = (ty - ship.y) / length;
        // Dashes of 12 units with gaps of 12.
        for (float d = 0; d < length; d += 24) {
            float e = std::min(d + 12, length);
            ofLine(ship.x + ux * d, ship.y + uy * d, ship.x + ux * e, ship.y + uy * e);
        }
    }
    ofCircle(tx, ty, 10);
    ofLine(tx - 5, ty - 5, tx + 5, ty + 5);
    ofLine(tx - 5, ty + 5, tx + 5, ty - 5);
}

void GameCore::drawPauseOverlay() {
    int alpha = menuAlpha(menuTime, menuFadeTime);
    int best = coop ? bestCoopScores[static_cast<int>(gameMode)] : bestScores[static_cast<int>(gameMode)];
    missionList.drawPauseScreen(missionRound, missionBriefing, static_cast<int>(gameMode), best, alpha);

    ofFill();
    ofSetColor(textColor, static_cast<int>(alpha * (optionsHighlighted ? 1.0f : 0.7f)));
    font.drawStringCentered("OPTIONS", 4, optionsButton.x + optionsButton.width / 2,
                            optionsButton.y + optionsButton.height / 2);
    if (!gamePad) return;
    // Beside each drawn button the pad button that does it: confirm resumes or
    // starts, select aborts, the options action opens the options.
    auto glyph = [&](const ofRectangle& box, int action) {
        drawPadButton(static_cast<int>(box.x - 40 * uiScale), static_cast<int>(box.y + box.height / 2), action, alpha,
                      0.6f);
    };
    if (missionBriefing) {
        glyph(holdResumeButton, 0);
    } else {
        glyph(resumeButton, 0);
        glyph(abortButton, 5);
    }
    glyph(optionsButton, 2);
}

void GameCore::drawStateScreen() {
    const int alpha = menuAlpha(menuTime, menuFadeTime);
    switch (gameState) {
        case GameState::RoundOver:
        case GameState::ScoreSubmit:
            if (deathMatch) {
                drawMatchSlide();
                break;
            }
            drawGameOver();
            if (gameState == GameState::ScoreSubmit) {
                scoreSubmitOverlay.draw(alpha);
                if (gamePad && !scoreSubmitOverlay.sending) {
                    drawPadButton(static_cast<int>(screenWidth / 2 - 150 * uiScale),
                                  static_cast<int>(screenHeight * 0.75f), 0, alpha, 0.6f);
                    drawPadButton(static_cast<int>(screenWidth / 2 + 150 * uiScale),
                                  static_cast<int>(screenHeight * 0.75f), 1, alpha, 0.6f);
                }
            }
            break;
        case GameState::MatchStats:
            drawMatchSlide();
            break;
        case GameState::ArcadeMenu:
            drawArcadeMenu();
            break;
        case GameState::ShipSelect:
            shipSelect.draw(alpha);
            break;
        case GameState::MainMenu:
            mainMenu.draw(alpha, missionList);
            break;
        case GameState::Stats:
            statsScreen.draw(alpha);
            break;
        case GameState::Options:
            optionsMenu.draw(alpha);
            break;
        case GameState::Leaderboards:
            leaderboardScreen.draw(alpha);
            break;
        case GameState::MultiplayerLobby:
            drawLobby();
            break;
        case GameState::MultiplayerSettings:
            drawMatchSettings();
            break;
        case GameState::LevelSelect:
            drawLevelSelect();
            break;
        case GameState::ArcadeNameEntry:
            arcadeScoreTable.drawNameEntry(alpha);
            break;
        default:
            break;
    }
    if (gameState == GameState::RoundOver && missionRound && missionList.showingResults)
        missionList.drawResults(frameTime);
}

// Death match: the awards come in from the left; the match stats take their
// place from the right, and give it back.
void GameCore::drawMatchSlide() {
    const float w = static_cast<float>(screenWidth);
    float p = slideLength > 0 ? std::min(slideTimer / slideLength, 1.0f) : 1.0f;
    p *= p;
    if (gameState == GameState::MatchStats) {
        ofPushMatrix();
        ofTranslate(-p * w, 0, 0);
        drawMatchAwards();
        ofPopMatrix();
        ofPushMatrix();
        ofTranslate((1 - p) * (w + 50), 0, 0);
        drawMatchStats();
        ofPopMatrix();
        return;
    }
    ofPushMatrix();
    ofTranslate((1 - p) * (-50 - w), 0, 0);
    drawMatchAwards();
    ofPopMatrix();
    if (p < 1) {
        ofPushMatrix();
        ofTranslate(p * w, 0, 0);
        drawMatchStats();
        ofPopMatrix();
    }
}

void GameCore::drawDebugOverlay() {
    ofFill();
    ofSetColor(0, 0, 0, 200);
    ofRect(0, 0, 170, 130);
    ofSetColor(255);
    std::string text = "rocks:  " + ofToString(static_cast<int>(asteroids.size())) + "\n";
    text += "complex rocks:  " + ofToString(rocksTested) + "\n";
    text += "foes:  " + ofToString(static_cast<int>(foes.size())) + "\n";
    text += "fps: " + ofToString(ofGetFrameRate()) + "\n";
    text += "connected: " + std::string(steamAvailable ? "1" : "0") + "\n";
    text += "size: " + ofToString(ofGetViewportWidth()) + "x" + ofToString(ofGetViewportHeight()) + "\n";
    text += "iPhone5: " + std::string(iPhone5Layout ? "1" : "0") + "\n";
    text += "iPhone6P: " + std::string(iPhone6PLayout ? "1" : "0") + "\n";
    ofDrawBitmapString(text, 5, 15);
}
