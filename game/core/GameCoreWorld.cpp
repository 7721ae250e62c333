#include <algorithm>
#include <cmath>

#include "BaronFoe.h"
#include "CoopRegen.h"
#include "DummyFoe.h"
#include "GameCore.h"
#include "JitterFoe.h"
#include "NormFoe.h"
#include "ShipType.h"
#include "SpiralFoe.h"
#include "ofLog.h"
#include "ofMath.h"

namespace {

const float kTwoPi = 6.2831855f;
const float kPi = 3.1415927f;
const int kNormFoe = 0;
const int kSnitch = 5;
const int kReviveToken = 6;

float surfaceDistanceSq(const Asteroid& rock, const ofVec2f& from) {
    return ofDistSquared(rock.x, rock.y, from.x, from.y) - rock.size * rock.size;
}

float speedSq(const particle& p) {
    return p.velocity.x * p.velocity.x + p.velocity.y * p.velocity.y;
}

}  // namespace

bool GameCore::takesPart(int slot) const {
    if (slot < 0 || slot >= playerCount || slot > 3) return false;
    if (coop) return players[slot].joined && !players[slot].frozen;
    if (deathMatch) return players[slot].joined;
    return slot == 0;
}

void GameCore::spawnCoopRegen() {
    std::vector<int> out;
    for (int i = 0; i < 4; ++i)
        if (players[i].joined && players[i].frozen) out.push_back(i);
    if (out.empty()) {
        // Nothing came, so nothing is on the field to wait for.
        spawnDirector.reviveOnField = false;
        return;
    }
    const int pick = out[static_cast<int>(ofRandom(static_cast<float>(out.size()))) % out.size()];
    CoopRegen* token = new CoopRegen;
    token->spawn(ofColor(255, 255, 255, 255), ofRandom(kTwoPi), arenaWalls.centreX, arenaWalls.centreY, wideScreen,
                 coop);
    token->attach(&arenaWalls, &players[pick], pick, players[0].score >= spawnDirector.reviveScore, &font);
    foes.push_back(token);
    spawnDirector.reviveOnField = true;
}

void GameCore::killShipByHit(int player) {
    if (!deathMatch) {
        playerDied(introRound, player);
    } else {
        startKillSequence(player, -1, -1, true);
    }
}

void GameCore::updateWorld() {
    const int mode = static_cast<int>(gameMode);
    const bool playing = gameState == GameState::Playing;
    introRound = modeNames[mode] == "Intro";

    if (!killSequence || deathMatch) {
        spawnDirector.update(static_cast<int>(asteroids.size()), static_cast<int>(foes.size()),
                             static_cast<int>(players[0].score), frameTime);
        if (coop) {
            int out = 0;
            for (const PlayerShip& ship : players)
                if (ship.joined && ship.frozen) ++out;
            spawnDirector.updateRevive(out, static_cast<int>(players[0].score), frameTime);
            if (spawnDirector.spawnRevive) {
                spawnDirector.spawnRevive = false;
                spawnCoopRegen();
            }
        }
    }
    spawnRequested();

    if (playing) {
        spawnDirector.demoKill = false;
        spawnDirector.nextDemoKill = spawnDirector.time + 10;
    } else if (spawnDirector.demoKill && !foes.empty()) {
        spawnDirector.demoKill = false;
        destroyFoe(0, false, true);
    }

    stepShips();
    stepWeaponChains();

    sparks.erase(std::remove_if(sparks.begin(), sparks.end(), [](const Spark& s) { return s.life < 1; }),
                 sparks.end());
    for (NoiseRing& ring : noiseRings) ring.update(frameTime);
    if (!noiseRings.empty() && noiseRings.front().done) noiseRings.erase(noiseRings.begin());

    screenCentre = camera;
    stepAsteroids();
    stepFoes();
    stepShipsAgainstFoes();

    if (multikillCount > 0 && multikillTimer <= 0) {
        multikillCount = 0;
        if (gameState == GameState::Playing && !deathMatch && !soundBank.soundMuted) soundBank.multikillEnd.play();
    }
    if (multikillLevel != -1 && multikillTimer < 0) multikillBannerDone = true;
    multikillTimer -= frameTime;

    stepWalls();
    stepMissionHooks();

    if (blackHoleActive) blackHole.update(frameTime);

    if (gameMode == GameMode::Hard && !coop && !deathMatch && playTime > 120) {
        const float position = soundBank.music[soundBank.currentTrack].getPosition();
        if (position < lastHardMusicPosition) achievementTracker.awardLoopHardMusic();
        lastHardMusicPosition = position;
    }
}

void GameCore::spawnRequested() {
    if (spawnDirector.spawnRock && !endingActive && (!creditsScreen.active || creditsScreen.allowRocks)) {
        spawnDirector.spawnRock = false;
        Asteroid* rock = new Asteroid;
        ofColor colour;
        if (!rockColors.empty()) colour = rockColors[static_cast<size_t>(ofRandom(5)) % rockColors.size()];
        rock->setup(colour, screenCentre.x, screenCentre.y, spawnDirector.rockSizeMin, spawnDirector.rockSizeMax,
                    spawnDirector.rockSpeedMin, spawnDirector.rockSpeedMax, deathMatch, wideScreen);
        asteroids.push_back(rock);
    }

    if (spawnDirector.spawnFoe && !endingActive && gameState != GameState::ShipSelect) {
        spawnDirector.spawnFoe = false;
        const float r = ofRandomUnit();
        Foe* foe;
        if (r < spawnDirector.spiralChance)
            foe = new SpiralFoe;
        else if (r < spawnDirector.spiralChance + spawnDirector.jitterChance)
            foe = new JitterFoe;
        else
            foe = new NormFoe;
        foe->spawn(foeColor, ofRandom(kTwoPi), camera.x, camera.y, wideScreen, coop);
        foes.push_back(foe);
    }

    if (spawnDirector.spawnBaron) {
        spawnDirector.spawnBaron = false;
        spawnDirector.spawnFoe = false;
        BaronFoe* baron = new BaronFoe;
        baron->spawn(foeColor, ofRandom(kTwoPi), camera.x, camera.y, wideScreen, coop);
        for (int p = 0; p < 4; ++p) {
            if (!takesPart(p)) continue;
            const int n = std::min(chainLength[players[p].shipType % 9], chainCap);
            for (int k = 0; k < n; ++k) baron->addTarget(weaponPoints[p][k]);
        }
        foes.push_back(baron);
    }

    if (creditsScreen.targetRequest) {
        for (int k = 0; k < 2; ++k) {
            DummyFoe* target = new DummyFoe;
            target->spawn(foeColor, ofRandom(kTwoPi), camera.x, camera.y, wideScreen, coop);
            const float a = k * kPi / 4 + kPi;
            target->x = players[0].point.position.x + 300 * std::cos(a);
            target->y = players[0].point.position.y + 300 * std::sin(a);
            const std::string& name = creditsScreen.targetText[k];
            target->setText(&font, 4, name, name, creditsScreen.targetColor[k]);
            foes.push_back(target);
            GoalPoint goal;
            goal.setup(target->x, target->y, 35, target);
            goalPoints.push_back(goal);
        }
        creditsScreen.targetRequest = false;
    }
}

void GameCore::stepShips() {
    const int mode = static_cast<int>(gameMode);
    if (gameState == GameState::Playing || endingActive) {
        for (int i = 0; i < playerCount && i < 4; ++i) {
            PlayerShip& ship = players[i];
            if (blackHoleActive && !ship.frozen && blackHole.pullParticle(ship.point)) playerDied(introRound, i);
            ship.update(frameTime);
        }
        if (coop && gameMode == GameMode::Hard && !achievementTracker.teamPacifistFailed && roundKills == 0)
            achievementTracker.checkTeamPacifist(playTime);
        if (!coop && !deathMatch)
            achievementTracker.checkScore(static_cast<int>(players[0].score), mode, players[0].shipType);
        else if (coop)
            achievementTracker.checkCoopScore(static_cast<int>(players[0].score), mode);
        if (!coop && !deathMatch) {
            soundBank.updateThrust(std::sqrt(speedSq(players[0].point)), 0);
        } else {
            for (int i = 0; i < 4; ++i)
                if (players[i].joined)
                    soundBank.updateThrust(players[i].frozen ? 0 : std::sqrt(speedSq(players[i].point)), i);
        }
        return;
    }

    roundOverTimer -= frameTime;
    if (roundOverTimer <= 0 && introRestart && gameState == GameState::RoundOver) {
        introRestart = false;
        startRound(true);
        tutorial.onPlayerDead();
    }
    if (roundOverTimer <= 0 && creditsScreen.active) {
        creditsScreen.close();
        returnToMenu(false);
        optionsMenu.open(gamePad, false);
        gameState = GameState::Options;
        soundBank.playMenuBeep();
        menuTime = 0;
    }
}

void GameCore::stepWeaponChains() {
    const bool playing = gameState == GameState::Playing;
    const bool flyOut = !playing && gameState != GameState::ShipSelect && !endingActive;
    for (int p = 0; p < std::max(playerCount, 1) && p < 4; ++p) {
        PlayerShip& ship = players[p];
        const int n = std::min(chainLength[ship.shipType % 9], chainCap);
        if (weaponPoints[p][0] == nullptr) continue;
        for (int i = 0; i < n; ++i) weaponPoints[p][i]->resetForce();
        for (int i = 0; i < n; ++i) weaponSprings[p][i].update();
        for (int i = 0; i < n; ++i) {
            WeaponParticle& point = *weaponPoints[p][i];
            for (int j = i - 1; j >= 0; --j) {
                WeaponParticle& other = *weaponPoints[p][j];
                if (other.recentTravel > other.attractionRadius) break;
                point.addRepulsionForce(other, other.repulsionRadius, other.repulsionStrength);
                if (playing) point.addAttractionForce(other, other.attractionRadius, other.attractionStrength);
            }
        }
        const ofVec2f& at = ship.point.position;
        for (int i = 0; i < n; ++i) {
            WeaponParticle& point = *weaponPoints[p][i];
            if (flyOut) point.addRepulsionForce(at.x, at.y, 1000, 10);
            point.addRepulsionForce(at.x, at.y, weaponSprings[p][i].restLength, ship.weaponPushStrength);
            point.addDampingForce();
            point.update();
            point.pushTrail();
        }
        if (deathMatch || coop || endingActive) checkWeaponHits(p);
    }
}

void GameCore::stepAsteroids() {
    const ofVec2f centre = screenCentre;
    std::sort(asteroids.begin(), asteroids.end(), [&centre](const Asteroid* a, const Asteroid* b) {
        return surfaceDistanceSq(*a, centre) < surfaceDistanceSq(*b, centre);
    });
    for (Asteroid* rock : asteroids) rock->move();

    const float range = (deathMatch || coop) ? ofMap(zoom, 1, zoomMin, 1000, 4000)
                                             : static_cast<float>(spawnDirector.rockCullRadius + 150);
    rocksTested = static_cast<int>(asteroids.size());
    for (size_t i = 0; i < asteroids.size(); ++i) {
        if (surfaceDistanceSq(*asteroids[i], centre) > range * range) {
            rocksTested = static_cast<int>(i);
            break;
        }
    }

    const bool weaponsCount =
        (gameMode != GameMode::Intro || tutorial.progress > 0) && playTime > hitGraceTime;
    for (int i = 0; i < rocksTested && i < static_cast<int>(asteroids.size());) {
        bool removed = false;
        Asteroid* const tested = asteroids[i];
        for (int s = 0; s < playerCount && s < 4 && !removed; ++s) {
            PlayerShip& ship = players[s];
            if (ship.frozen || ((coop || deathMatch) && !ship.joined)) continue;
            Asteroid& rock = *tested;
            if (ship.invulnerabilityTimer <= 0 && gameState == GameState::Playing &&
                ofDistSquared(rock.x, rock.y, ship.point.position.x, ship.point.position.y) < rock.size * rock.size) {
                if (missionRound) missionList.update(frameTime);
                if (creditsScreen.creditsRun) {
                    creditsRunHit();
                } else {
                    if (ship.shipType == SHIP_HARDY && !shipAborted[s]) {
                        destroyAsteroid(i, false, s, -1);
                        removed = true;
                    }
                    if (!deathMatch && !coop) raiseStat("killed_by_asteroid");
                    killShipByHit(s);
                    // A death that starts over clears the list under the walk.
                    if (i >= static_cast<int>(asteroids.size()) || asteroids[i] != tested) removed = true;
                }
                if (removed) break;
            }
            if (weaponsCount && weaponPoints[s][0] != nullptr) {
                const int n = std::min(chainLength[ship.shipType % 9], chainCap);
                for (int k = n - 1; k >= 0; --k) {
                    const WeaponParticle& point = *weaponPoints[s][k];
                    const float reach = point.radius + rock.size;
                    if (speedSq(point) > hitSpeedSq &&
                        ofDistSquared(point.position.x, point.position.y, rock.x, rock.y) < reach * reach &&
                        gameState == GameState::Playing && rock.smashable) {
                        destroyAsteroid(i, false, s, k);
                        removed = true;
                        break;
                    }
                }
            }
        }
        if (!removed && blackHoleActive && blackHole.pullAsteroid(*asteroids[i])) {
            destroyAsteroid(i, false, -1, -1);
            removed = true;
        }
        if (removed) {
            // The list closed up: the next rock now sits at i.
            --rocksTested;
            continue;
        }
        ++i;
    }

    if (!asteroids.empty()) {
        const Asteroid& last = *asteroids.back();
        const float refX = deathMatch ? arenaWalls.centreX : players[0].point.position.x;
        const float refY = deathMatch ? arenaWalls.centreY : players[0].point.position.y;
        if (ofDistSquared(last.x, last.y, refX, refY) > rockCullDistanceSq) {
            delete asteroids.back();
            asteroids.pop_back();
        }
    }
}

void GameCore::stepFoes() {
    const bool playing = gameState == GameState::Playing;
    for (int f = static_cast<int>(foes.size()) - 1; f >= 0; --f) {
        if (f >= static_cast<int>(foes.size())) continue;
        Foe* foe = foes[f];

        ofVec2f target = players[0].point.position;
        if (coop) {
            float best = 100000000.0f;
            for (int i = 0; i < 4; ++i) {
                if (!players[i].joined || players[i].frozen) continue;
                const ofVec2f& at = players[i].point.position;
                float d = ofDistSquared(at.x, at.y, foe->x, foe->y);
                if (d < best) {
                    best = d;
                    target = at;
                }
            }
        }
        foe->update(target.x, target.y);

        bool gone = false;
        if (playTime > hitGraceTime) {
            for (int s = 0; s < 4 && !gone; ++s) {
                if (!takesPart(s) || weaponPoints[s][0] == nullptr) continue;
                const int n = std::min(chainLength[players[s].shipType % 9], chainCap);
                for (int k = n - 1; k >= 0; --k) {
                    const WeaponParticle& point = *weaponPoints[s][k];
                    const float reach = point.radius + foe->hitRadius;
                    if (!(speedSq(point) > hitSpeedSq &&
                          ofDistSquared(point.position.x, point.position.y, foe->x, foe->y) < reach * reach &&
                          !foe->isBig && playing))
                        continue;
                    // Only the first hitting point of a slot counts, and only if its kill can start.
                    if (killSequence || foe->dying) break;
                    if (multikillTimer > 0) {
                        multikillCount = std::min(multikillCount + 1, multikillMax);
                        multikillLevel = multikillCount;
                    } else {
                        multikillLevel = 0;
                    }
                    lastKiller = s;
                    multikillTimer = getMultikillTimeBonus() + multikillWindow;
                    // The revive reads the token, which the kill may remove.
                    CoopRegen* token = foe->type == kReviveToken ? dynamic_cast<CoopRegen*>(foe) : nullptr;
                    if (token != nullptr) {
                        spawnDirector.reviveOnField = false;
                        revivePlayer(*token);
                    }
                    startKillSequence(f, s, k, false);
                    break;
                }
            }
        }

        if (blackHoleActive && blackHole.pullFoe(*foe)) {
            destroyFoe(f, false, true);
            gone = true;
        }
        if (gone || !playing || foe->type != kNormFoe) continue;

        for (size_t j = static_cast<size_t>(f) + 1; j < foes.size(); ++j) {
            Foe* other = foes[j];
            if (other->type != kNormFoe) continue;
            const float dx = foe->x - other->x;
            const float dy = foe->y - other->y;
            const float d2 = dx * dx + dy * dy;
            // Coincident foes have no line to be pushed apart along.
            if (d2 >= 10000 || d2 <= 0) continue;
            const float push = ofMap(d2, 10000, 0, 0, 5);
            const float d = std::sqrt(d2);
            foe->x += dx / d * push;
            foe->y += dy / d * push;
            other->x -= dx / d * push;
            other->y -= dy / d * push;
        }
    }
}

void GameCore::stepShipsAgainstFoes() {
    const bool playing = gameState == GameState::Playing;
    for (int f = static_cast<int>(foes.size()) - 1; f >= 0; --f) {
        if (f >= static_cast<int>(foes.size())) continue;
        Foe* foe = foes[f];
        bool gone = false;
        for (int s = 0; s < 4 && !gone; ++s) {
            if (!takesPart(s)) continue;
            PlayerShip& ship = players[s];
            if (ship.frozen || !playing || foe->type == kReviveToken) continue;
            if (ofDistSquared(foe->x, foe->y, ship.point.position.x, ship.point.position.y) >= foe->size * foe->size)
                continue;
            if (missionRound) missionList.update(frameTime);
            if (ship.invulnerabilityTimer > 0) continue;
            if (creditsScreen.creditsRun) {
                creditsRunHit();
                continue;
            }
            const int kind = foe->type;
            if (ship.shipType == SHIP_HARDY && !shipAborted[s]) {
                destroyFoe(f, true, false);
                gone = true;
            }
            if (!coop && !deathMatch) raiseStat("killed_by_foe_" + std::to_string(kind));
            if (kind == kSnitch) achievementTracker.awardKilledBySnitch();
            killShipByHit(s);
            if (f >= static_cast<int>(foes.size()) || foes[f] != foe) gone = true;
        }
        if (!gone && foe->expired) {
            if (foe->type == kReviveToken) spawnDirector.reviveOnField = false;
            destroyFoe(f, false, false);
        }
    }
}

void GameCore::stepWalls() {
    arenaWalls.update(frameTime);
    if (gameState != GameState::Playing) return;
    for (int s = 0; s < 4; ++s) {
        if (!takesPart(s) || players[s].frozen) continue;
        // Tested on a copy, so the test cannot move the ship.
        const PlayerShip copy = players[s];
        if (arenaWalls.isShipInside(copy)) continue;
        if (!deathMatch) {
            raiseStat("killed_by_border");
            playerDied(introRound, s);
        } else {
            startKillSequence(s, -1, -1, true);
        }
        if (gameState != GameState::Playing) return;
    }
}

void GameCore::stepMissionHooks() {
    if (gameState != GameState::Playing || !missionRound) return;
    missionList.update(frameTime);
    if (missionList.endingRequest) {
        missionList.endingRequest = false;
        startEnding();
    }
    if (missionList.killPlayerRequest) {
        missionList.killPlayerRequest = false;
        PlayerShip& ship = players[0];
        ship.kill();
        NoiseRing ring;
        ring.setup(ship.point.position.x, ship.point.position.y, ship.colour);
        ring.radius = 430;
        noiseRings.push_back(ring);
        for (int i = 0; i < 10; ++i)
            sparks.push_back(Spark::scattered(ship.point.position.x, ship.point.position.y, 10, ship.colour));
        // The mission ends the round now; a Hardy's spare life does not hold it open.
        ship.hardyHitTaken = true;
        playerDied(false, 0);
    }
}

void GameCore::updateView() {
    if (gameState != GameState::ShipSelect) {
        if (!killSequence) {
            cameraFocus = cameraTarget;
            camera.set(cameraSmoothing * camera.x + (1 - cameraSmoothing) * cameraFocus.x,
                       cameraSmoothing * camera.y + (1 - cameraSmoothing) * cameraFocus.y);
        } else {
            camera.set(killEase * camera.x + (1 - killEase) * cameraFocus.x,
                       killEase * camera.y + (1 - killEase) * cameraFocus.y);
        }
    }

    if (!deathMatch) {
        zoom = zoom * cameraSmoothing + zoomTarget * (1 - cameraSmoothing);
    } else {
        const float f = zoom < zoomTarget ? 0.93f : cameraSmoothing;
        zoom = std::max(zoomMin, zoom * f + zoomTarget * (1 - f));
    }

    if (!deathMatch && !coop) {
        const ofVec2f& at = players[0].point.position;
        if (at.x > cameraTarget.x + deadZoneHalfWidth) cameraTarget.x += at.x - (cameraTarget.x + deadZoneHalfWidth);
        if (at.x < cameraTarget.x - deadZoneHalfWidth) cameraTarget.x += at.x - (cameraTarget.x - deadZoneHalfWidth);
        if (at.y > cameraTarget.y + deadZoneHalfHeight) cameraTarget.y += at.y - (cameraTarget.y + deadZoneHalfHeight);
        if (at.y < cameraTarget.y - deadZoneHalfHeight) cameraTarget.y += at.y - (cameraTarget.y - deadZoneHalfHeight);
    }
}
