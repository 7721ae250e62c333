#include <algorithm>
#include <cmath>
#include <memory>

#include "GameCore.h"
#include "ofLog.h"
#include "ofMath.h"

namespace {

const float kTwoPi = 6.2831855f;
const float kPi = 3.1415927f;
const int kSnitch = 5;
const int kReviveToken = 6;

}  // namespace

float GameCore::raiseStat(const std::string& name, float amount) {
    StatRecord& record = statsTracker.record(name);
    record.raise(amount);
    return record.value;
}

void GameCore::destroyFoe(int index, bool scored, bool smashSound) {
    if (index < 0 || index >= static_cast<int>(foes.size())) {
        ofLogWarning("GameCore") << "destroyFoe: no foe at " << index;
        return;
    }
    Foe* foe = foes[index];
    const int kind = foe->type;

    if (kind == kSnitch)
        for (Mission& mission : missionList.current)
            for (auto& component : mission.components)
                if (component) component->foeKilled(foe);

    if (scored) {
        if (!coop) {
            float total = raiseStat("foe_kills");
            raiseStat("foe_Kills_type_" + std::to_string(kind));
            achievementTracker.checkTotalKills(static_cast<int>(total));
        } else if (kind != kReviveToken) {
            raiseStat("coop_kills");
            raiseStat("coop_kill_type_" + std::to_string(kind));
        }
    }

    if (scored || smashSound) {
        for (int i = 0; i < sparksPerKill; ++i)
            sparks.push_back(Spark::scattered(foe->x, foe->y, foe->size, foe->color, true));
    }

    if (scored) {
        NoiseRing ring;
        ring.setup(foe->x, foe->y, foe->color);
        noiseRings.push_back(ring);
    }

    goalPoints.erase(std::remove_if(goalPoints.begin(), goalPoints.end(),
                                    [foe](const GoalPoint& g) { return g.follows == foe; }),
                     goalPoints.end());

    if (scored && gameState == GameState::Playing) {
        const int points = static_cast<int>(killPoints + multikillCount * multikillPoints);
        if (points == 100) raiseStat("x10_kills");
        players[0].score += points;
        if (kind != kReviveToken) ++roundKills;
        if (kind >= 0 && kind < 7) ++roundKillsByKind[kind];
        PopupMessage popup;
        popup.setup(creditsScreen.creditsRun ? foe->label() : "+" + std::to_string(points), foe->x, foe->y,
                    multikillWindow + getMultikillTimeBonus(), &font, 6.5f / uiScale);
        if (coop && lastKiller >= 0 && lastKiller < 4) popup.setColor(playerColors[lastKiller]);
        popups.push_back(popup);
    }

    rewardMeter = std::min(rewardMeter + foe->killValue, rewardMeterMax);

    if (smashSound && gameState == GameState::Playing) soundBank.playRockSmash();

    if (killFoe == foe) killFoe = nullptr;
    delete foe;
    foes.erase(foes.begin() + index);
}

void GameCore::destroyAsteroid(int index, bool quiet, int player, int weaponIndex) {
    if (index < 0 || index >= static_cast<int>(asteroids.size())) {
        ofLogWarning("GameCore") << "destroyAsteroid: no asteroid at " << index;
        return;
    }
    if (player < -1 || player > 3) player = -1;
    // Freed on every way out of here.
    std::unique_ptr<Asteroid> rock(asteroids[index]);
    asteroids.erase(asteroids.begin() + index);

    if (!quiet) raiseStat(coop ? "coop_asteroid_smashes" : "asteroid_smashes");
    if (quiet && !deathMatch) return;

    for (int i = 0; i < sparksPerKill / 2; ++i)
        sparks.push_back(Spark::scattered(rock->x, rock->y, rock->size, rock->color, true));
    if (quiet) return;

    float direction;
    const WeaponParticle* weapon =
        player >= 0 && weaponIndex >= 0 && weaponIndex < 12 ? weaponPoints[player][weaponIndex] : nullptr;
    if (weapon != nullptr)
        direction = std::atan2(weapon->position.y - rock->y, weapon->position.x - rock->x) + kPi;
    else
        direction = ofRandom(kTwoPi);

    if (rock->level > spawnDirector.rockSplitSize) {
        Asteroid* first = new Asteroid;
        first->split(*rock, direction - kPi / 3);
        asteroids.push_back(first);
        Asteroid* second = new Asteroid;
        second->split(*rock, direction + kPi / 3);
        asteroids.push_back(second);
    } else if (player >= 0) {
        ++rocksCleared;
    }

    if (!deathMatch && player >= 0) {
        const int points = (multikillCount + 1) * (rock->level + 1);
        players[0].score += points;
        PopupMessage popup;
        if (creditsScreen.creditsRun)
            popup.setup(creditsScreen.takeRandomName(), rock->x, rock->y, 3, &font, 4 / uiScale);
        else
            popup.setup("+" + std::to_string(points), rock->x, rock->y, 2, &font, 3 / uiScale);
        if (coop && lastKiller >= 0 && lastKiller < 4) popup.setColor(playerColors[lastKiller]);
        popups.push_back(popup);
    }
    if (deathMatch && player >= 0) players[player].matchStats.countAsteroidSmash();

    rockFlashTime = rockFlashLength * (deathMatch ? 0.75f : 1.0f);
    soundBank.playRockSmash();
    if (player >= 0) ++rocksSmashed;
}

bool GameCore::startKillSequence(int victim, int killer, int weaponIndex, bool victimIsPlayer) {
    if (killSequence) return false;
    Foe* foe = nullptr;
    if (victimIsPlayer) {
        if (victim < 0 || victim > 3) {
            ofLogWarning("GameCore") << "startKillSequence: no player slot " << victim;
            return false;
        }
    } else {
        if (victim < 0 || victim >= static_cast<int>(foes.size())) {
            ofLogWarning("GameCore") << "startKillSequence: no foe at " << victim;
            return false;
        }
        foe = foes[victim];
        if (foe->dying) return false;
    }

    killElapsed = 0;
    killVictim = victim;
    killFoe = foe;
    killKiller = killer;
    killWeapon = weaponIndex;
    killVictimIsPlayer = victimIsPlayer;
    killSequence = true;
    killSequenceRunning = true;
    killStage = 0;

    if (foe != nullptr) {
        killPoint.set(foe->x, foe->y);
        foe->dying = true;
    } else {
        killPoint = players[victim].point.position;
    }

    if (deathMatch && killer >= 0) multikillCount = static_cast<int>(ofRandom(5));
    if (!deathMatch || killer >= 0) soundBank.playFoeKill(multikillCount);

    if (!deathMatch && !coop) {
        zoomTarget = killZoom;
        cameraFocus = killPoint;
        killEase = ofMap(ofDist(killPoint.x, killPoint.y, camera.x, camera.y), killFocusNear, killFocusFar,
                         killSlowFactor, killFadeFactor, true);
    }

    if (victimIsPlayer) playerDied(false, victim);
    return true;
}

void GameCore::updateKillSequence() {
    killElapsed += frameTime;
    const float p = std::fabs(killElapsed / killDuration);

    if (killFoe != nullptr && p < 0.6f) killFoe->deathFraction = p / 0.6f;

    for (bool advanced = true; advanced;) {
        advanced = false;
        const int next = killStage + 1;
        const bool due = (next == 1 && p > 0.1f) || (next == 2 && p > 0.3f) || (next == 3 && p > 0.6f) ||
                         (next == 4 && p > 0.8f) || (next == 5 && p >= 0.9f) || (next == 6 && p >= 1.0f);
        if (!due) break;
        killStage = next;
        advanced = true;
        switch (next) {
        case 2:
            if (killVictimIsPlayer || coop) {
                if (killKiller >= 0 && killKiller < 4)
                    backgroundTarget = playerColors[killKiller];
                else if (killVictimIsPlayer && killVictim >= 0 && killVictim < 4)
                    backgroundTarget = playerColors[killVictim];
                else
                    backgroundTarget = foeColor;
            } else {
                backgroundTarget = foeColor;
            }
            killTextSize = static_cast<int>(15 * uiScale);
            break;
        case 3:
            if (killFoe != nullptr) {
                auto it = std::find(foes.begin(), foes.end(), killFoe);
                if (it != foes.end()) destroyFoe(static_cast<int>(it - foes.begin()), true, false);
                killFoe = nullptr;
            }
            break;
        case 4:
            backgroundTarget = modeColors[static_cast<int>(gameMode)];
            break;
        case 5:
            zoomTarget = 0.3f * killZoom + 0.7f * zoomDefault;
            cameraFocus.set(0.7f * cameraTarget.x + 0.3f * killPoint.x, 0.7f * cameraTarget.y + 0.3f * killPoint.y);
            killTextSize = static_cast<int>(8 * uiScale);
            break;
        case 6: {
            const float f = coop ? 1.0f : 1.05f;
            zoomTarget = (1 - f) * killZoom + f * zoomDefault;
            break;
        }
        default:
            break;
        }
    }

    const float grey = ofRandom(256);
    killFlashColor.set(grey, grey, grey, 255);

    if (killElapsed >= killDuration + killTail) {
        killSequence = false;
        killSequenceRunning = false;
        zoomTarget = zoomDefault;
        killTextSize = 0;
    }
}
