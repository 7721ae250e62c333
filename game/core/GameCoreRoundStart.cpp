#include <algorithm>
#include <cmath>

#include "GameCore.h"
#include "NormFoe.h"
#include "SnitchFoe.h"
#include "ofLog.h"
#include "ofMath.h"

namespace {

const float kTwoPi = 6.2831855f;
const float kPi = 3.1415927f;

int modeIndex(GameMode mode) {
    return static_cast<int>(mode);
}

}  // namespace

void GameCore::startRound(bool withStartSound) {
    playTime = 0;
    matchClock = exhibition ? -1 : 0;

    gameState = GameState::Playing;
    roundKills = 0;
    for (int& k : roundKillsByKind) k = 0;
    missionRound = gameMode == GameMode::Mission;
    deathFlashTime = 0;
    multikillTimer = -100;
    multikillLevel = -1;
    multikillBannerDone = false;
    multikillCount = 0;
    rocksSmashed = 0;
    rocksCleared = 0;
    matchDeaths = 0;
    coopRevives = 0;
    gameOverSoundPlayed = false;
    endingActive = false;
    skyRound = false;
    for (bool& aborted : shipAborted) aborted = false;

    const int mode = modeIndex(gameMode);
    arenaWalls.setup(deathMatch || coop, missionRound, mode, deathMatch ? matchSettings.map : 0);
    blackHoleActive = false;

    for (Asteroid* rock : asteroids) delete rock;
    asteroids.clear();
    // The end of the kill sequence must not reach for a foe of the old round.
    killFoe = nullptr;
    while (!foes.empty()) destroyFoe(0, false, false);

    for (auto& slot : weaponPoints)
        for (WeaponParticle*& point : slot) {
            delete point;
            point = nullptr;
        }

    backgroundNoiseOffset[0] = static_cast<int>(ofRandomRange(2000, 50000));
    backgroundNoiseOffset[1] = static_cast<int>(ofRandomRange(2000, 50000));

    if (!coop && !deathMatch) playerCount = 1;
    playerCount = std::max(1, std::min(playerCount, 4));

    for (int i = 0; i < playerCount; ++i) {
        PlayerShip& ship = players[i];
        if ((coop || deathMatch) && !ship.joined) {
            // A slot that did not join is out: not drawn, moved, steered or revived.
            ship.lives = 0;
            ship.frozen = true;
            continue;
        }
        ship.setup(playerColors[i], boldOutline, deathMatch, &soundBank, &font);
        ship.frozen = false;
        ship.livesDisplayTimer = 0;
        if (!deathMatch) {
            ship.lives = 100;
        } else {
            ship.lives = matchSettings.matchType == MatchSettings::Stock ? matchSettings.value : 100;
            ship.textSize = 4.0f;
            ship.matchStats.sampleTimer.remaining += 0.25f * i * ship.matchStats.sampleTimer.start;
        }
        if (coop) {
            float a = i * kPi / 2 + kPi / 4;
            ship.point.position.x += 200 * std::cos(a);
            ship.point.position.y += 200 * std::sin(a);
        }
    }

    chainCap = 12;
    for (int p = 0; p < 4; ++p) {
        for (WeaponParticle*& point : weaponPoints[p]) point = new WeaponParticle;
        setupWeapons(p, missionRound ? 150 : 350);
    }

    spawnDirector.setup(mode, matchSettings.foeAmount, coop, creditsScreen.creditsRun);

    clearMargin = 0;
    if (missionRound) {
        spawnDirector.applyMissionSettings(missionList.current);
        missionTimeLimit = -1;
        bool snitchMade = false;
        for (Mission& mission : missionList.current) {
            if (mission.timeValue != -1) missionTimeLimit = std::max(missionTimeLimit, mission.timeValue);
            if (mission.wallShape != 0) arenaWalls.setup(false, true, mode, mission.wallShape);
            // A radius also holds for the usual shape 0, which is not set up again.
            if (mission.wallRadius != -1) {
                arenaWalls.radiusOverride = mission.wallRadius;
                arenaWalls.update(0);
            }
            if (!mission.goalKinds.empty() && mission.goalKinds[0] == 10 && !snitchMade) {
                snitchMade = true;
                SnitchFoe* snitch = new SnitchFoe;
                snitch->spawn(foeColor, ofRandom(kTwoPi), camera.x, camera.y, wideScreen, coop);
                snitch->setArena(&arenaWalls);
                foes.push_back(snitch);
                for (auto& component : mission.components)
                    if (component) component->snitchSpawned(snitch, &players[0], this);
            }
            if (mission.blackHole) {
                blackHoleActive = true;
                blackHole.setup(mission.blackHoleRadius);
                bool above = std::find(mission.goalKinds.begin(), mission.goalKinds.end(), 7) != mission.goalKinds.end();
                players[0].point.position.y = blackHole.centreY + (above ? -150 : 50);
            }
            // A cap outside 1..12 would step no weapon point or more than exist.
            if (mission.chainCap != -1) chainCap = std::max(1, std::min(mission.chainCap, 12));
            for (auto& component : mission.components) {
                if (!component) continue;
                if (component->usesDeathKnight()) {
                    NormFoe* knight = new NormFoe;
                    knight->spawn(foeColor, ofRandom(kTwoPi), camera.x, camera.y, wideScreen, coop);
                    knight->makeBig(component->values[0], component->values[1], component->values[2]);
                    foes.push_back(knight);
                }
                if (component->usesSpringEffect()) {
                    for (Spring& spring : weaponSprings[0]) spring.restLength *= component->values[0];
                    clearMargin = static_cast<int>(component->values[0] * 30);
                }
            }
            if (mission.exitOpen) {
                arenaWalls.openExit();
                skyRound = true;
            }
        }
    }

    if (creditsScreen.creditsRun) players[0].setShipType(0);

    shipStart = players[0].point.position;
    zoom = zoomDefault = zoomTarget = zoomBase;
    camera = cameraTarget = cameraFocus = players[0].point.position;
    // The pre-run field gathers round the new view, not the last round's.
    screenCentre = camera;
    backgroundTarget = modeColors[mode];

    rewardMeter = rewardMeterMax;
    killSequence = false;
    killSequenceRunning = false;
    killTextSize = 0;

    if (coop) {
        for (int p = 0; p < 4; ++p) {
            if (!players[p].joined) continue;
            players[p].reset(true);
            for (WeaponParticle* point : weaponPoints[p]) point->setColor(playerColors[p]);
        }
    }

    if (missionRound) {
        if (!missionList.runStarted || missionList.restartRequest) {
            startHold = true;
            holdTime = 0;
            // A held mission round shows its briefing until the player starts.
            missionBriefing = true;
            briefingTime = 0;
            missionList.restartRequest = false;
        }
        missionList.runStarted = false;
        missionList.showingResults = false;
    }

    if (withStartSound) {
        if (!soundBank.soundMuted) soundBank.startGame.play();
        if (!startHold && gameMode != GameMode::Multiplayer) {
            soundBank.restartMusic();
            soundBank.playMusic(true, mode);
        }
    }

    soundBank.resetWayPointStep();
    soundBank.updateGrind(0);

    prerunAsteroids();

    if (deathMatch) {
        for (int i = 0; i < playerCount; ++i) {
            players[i].reset(matchSettings.matchType == MatchSettings::Stock);
            placePlayerInArena(i, true);
            players[i].resetTrail();
            lifeClock[i] = 10;
        }
        for (int i = 0; i < playerCount; ++i) clearRocksAround(i, 0);
        phrasePicks[0] = static_cast<int>(ofRandom(static_cast<float>(winnerPraise.size())));
        phrasePicks[1] = static_cast<int>(ofRandom(static_cast<float>(winnerPhrases.size())));
        phrasePicks[2] = static_cast<int>(ofRandom(static_cast<float>(statsTitles.size())));
        awardReveal = -matchSettings.roundStartValue;
        awardRevealDone = false;
    }

    soundBank.setMultiThrust(deathMatch || coop);
    menuTime = 0;
    paused = false;
}

void GameCore::prerunAsteroids() {
    const int steps = deathMatch ? 650 : 1000;
    for (int s = 0; s < steps; ++s) {
        spawnDirector.update(static_cast<int>(asteroids.size()), static_cast<int>(foes.size()),
                             static_cast<int>(players[0].score), 0.033f);
        if (spawnDirector.spawnRock && !creditsScreen.creditsRun) {
            spawnDirector.spawnRock = false;
            Asteroid* rock = new Asteroid;
            ofColor colour = rockColors.empty() ? ofColor() : rockColors[static_cast<int>(ofRandom(5)) % rockColors.size()];
            rock->setup(colour, screenCentre.x, screenCentre.y, spawnDirector.rockSizeMin, spawnDirector.rockSizeMax,
                        spawnDirector.rockSpeedMin, spawnDirector.rockSpeedMax, deathMatch, wideScreen);
            asteroids.push_back(rock);
        }
        spawnDirector.spawnFoe = false;
        for (Asteroid* rock : asteroids) rock->move();
    }
    spawnDirector.time = 0;
    spawnDirector.nextFoeTime = static_cast<int>(ofRandomRange(0, spawnDirector.foeInterval));
    spawnDirector.nextRockTime = 0;
    clearRocksAround(0, clearMargin);
}

void GameCore::setupWeapons(int p, float distance) {
    PlayerShip& ship = players[p];
    for (int k = 0; k < 12; ++k) {
        WeaponParticle* point = weaponPoints[p][k];
        if (point == nullptr) continue;
        float a = ofRandom(kTwoPi);
        point->setInitialCondition(ship.point.position.x + distance * std::cos(a),
                                   ship.point.position.y + distance * std::sin(a), 0, 0);
        point->setupForShip(ship.shipType, uiScale, colorBlind);
        if (coop || deathMatch) {
            ofColor c;
            c.setHsb(playerColors[p].getHue(), std::max(0.0f, playerColors[p].getSaturation() - weaponSaturationOffset),
                     std::max(0.0f, playerColors[p].getBrightness() - weaponBrightnessOffset), 255);
            point->setColor(c);
            point->trailColour = playerColors[p];
        }
        Spring& spring = weaponSprings[p][k];
        spring.setupForShipType(ship.shipType, k);
        spring.shipEnd = &ship.point;
        spring.weaponEnd = point;
    }
}

void GameCore::placeWeapons(int player, bool near) {
    if (player < 0 || player > 3) {
        ofLogWarning("GameCore") << "placeWeapons: no player slot " << player;
        return;
    }
    setupWeapons(player, near ? 150 : 350);
}

void GameCore::clearRocksAround(int player, int margin) {
    if (player < 0 || player > 3) {
        ofLogWarning("GameCore") << "clearRocksAround: no player slot " << player;
        return;
    }
    const ofVec2f& at = players[player].point.position;
    const float reach = static_cast<float>(margin + 400);
    for (int i = static_cast<int>(asteroids.size()) - 1; i >= 0; --i) {
        const Asteroid* rock = asteroids[i];
        float dx = rock->x - at.x;
        float dy = rock->y - at.y;
        if (dx * dx + dy * dy < rock->size * rock->size + reach * reach) destroyAsteroid(i, true, player, -1);
    }
}

bool GameCore::freeSpot(int player, ofVec2f& spot) {
    arenaWalls.computeBounds();
    const float cx = arenaWalls.boundsX;
    const float cy = arenaWalls.boundsY;
    const float R = arenaWalls.boundsRadius;
    const int strictTries = 100;
    const int maxTries = 10000;
    // The candidate inside the walls farthest from every other ship, should none pass.
    float bestClearanceSq = -1;
    spot.set(cx, cy);
    for (int n = 1; n <= maxTries; ++n) {
        float d = ofRandom(0.9f * R);
        float a = ofRandom(kTwoPi);
        float x = cx + d * std::cos(a);
        float y = cy + d * std::sin(a);
        const bool strict = n <= strictTries;
        const float clearance = strict ? 500.0f : 200.0f;
        if (!arenaWalls.isPointInside(x, y)) continue;
        if (strict && !arenaWalls.isCircleInside(x, y, 200)) continue;
        float nearestSq = 1e30f;
        for (int q = 0; q < 4; ++q) {
            if (q == player && !strict) continue;
            if (q != player && (!players[q].joined || players[q].frozen)) continue;
            const ofVec2f& other = players[q].point.position;
            nearestSq = std::min(nearestSq, ofDistSquared(x, y, other.x, other.y));
        }
        if (nearestSq >= clearance * clearance) {
            spot.set(x, y);
            return true;
        }
        if (nearestSq > bestClearanceSq) {
            bestClearanceSq = nearestSq;
            spot.set(x, y);
        }
    }
    ofLogWarning("GameCore") << "no free spot for player " << player << " after " << maxTries << " tries";
    return false;
}

void GameCore::placePlayerInArena(int player, bool moveNow) {
    if (player < 0 || player > 3) {
        ofLogWarning("GameCore") << "placePlayerInArena: no player slot " << player;
        return;
    }
    ofVec2f spot;
    freeSpot(player, spot);
    if (moveNow) {
        players[player].point.position = spot;
        placeWeapons(player, true);
    } else {
        players[player].startLineEffect(spot.x, spot.y);
    }
}
