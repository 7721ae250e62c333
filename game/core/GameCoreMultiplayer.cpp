#include <algorithm>
#include <cmath>

#include "GameCore.h"
#include "MatchAwards.h"
#include "ShipType.h"
#include "ofLog.h"
#include "ofMath.h"

namespace {

const float kHalfPi = 1.5707964f;
const float kGrindDistanceSq = 30.0f * 30.0f;

float speedSq(const ofVec2f& v) {
    return v.x * v.x + v.y * v.y;
}

Spark sparkAround(float x, float y, float reach, ofColor colour, int life) {
    Spark spark = Spark::scattered(x, y, reach, colour);
    spark.life = life;
    return spark;
}

}  // namespace

float GameCore::meanHue(float a, float b) {
    float mean = (a + b) / 2;
    // The short way round: two hues further apart than half the circle meet
    // on the far side of it.
    if (std::fabs(a - b) > 128) mean = std::fmod(mean + 128, 256.0f);
    return mean;
}

void GameCore::updateMultiplayer() {
    int shipsIn = 0;
    int leader = 0;
    int leaderScore = 0;
    for (int i = 0; i < playerCount && i < 4; ++i) {
        if (!players[i].frozen) ++shipsIn;
        const int score = static_cast<int>(players[i].score);
        if (players[i].joined && score > leaderScore) {
            leader = i;
            leaderScore = score;
        }
    }

    if (deathMatch) updateDeathMatch(shipsIn, leader, leaderScore);

    grindWeapons();

    if (shipsIn > 0) {
        float left = 0, right = 0, top = 0, bottom = 0;
        bool first = true;
        for (int i = 0; i < playerCount && i < 4; ++i) {
            if (players[i].frozen) continue;
            const ofVec2f& at = players[i].point.position;
            if (first || at.x < left) left = at.x;
            if (first || at.x > right) right = at.x;
            if (first || at.y < top) top = at.y;
            if (first || at.y > bottom) bottom = at.y;
            first = false;
        }
        cameraTarget.set((left + right) / 2, (top + bottom) / 2);
        if (deathMatch && matchOver && matchSettings.matchType != MatchSettings::Stock)
            cameraTarget = players[leader].point.position;
    }

    if (deathMatch || !killSequence) {
        float far = 0;
        for (int i = 0; i < playerCount && i < 4; ++i) {
            if (players[i].frozen) continue;
            far = std::max(far, ofDist(players[i].point.position.x, players[i].point.position.y, cameraTarget.x, cameraTarget.y));
        }
        const float t = std::min(ofMap(far, 280, 1100, 1, 0), 1.0f);
        zoomTarget = std::min(ofMap(t * t * t, 0, 1, 0.41f, 1), 1.0f);
        if (deathMatch && matchOver) zoomTarget = ofMap(matchEndTimer, 2, matchEndLength, 2, zoomTarget, true);
    }

    for (int i = 0; i < playerCount && i < 4; ++i) lifeClock[i] += frameTime;
}

void GameCore::grindWeapons() {
    int level = 0;
    if (gameState == GameState::Playing && !paused) {
        for (int i = 0; i < playerCount && i < 4; ++i) {
            if (!players[i].joined || players[i].frozen) continue;
            for (int j = i + 1; j < playerCount && j < 4; ++j) {
                if (!players[j].joined || players[j].frozen) continue;
                const int ni = weaponCount(i);
                const int nj = weaponCount(j);
                for (int a = 0; a < ni; ++a) {
                    const WeaponParticle* p = weaponPoints[i][a];
                    if (p == nullptr) continue;
                    for (int b = 0; b < nj; ++b) {
                        const WeaponParticle* q = weaponPoints[j][b];
                        if (q == nullptr) continue;
                        if (ofDistSquared(p->position.x, p->position.y, q->position.x, q->position.y) >= kGrindDistanceSq) continue;
                        ofColor colour = playerColors[i];
                        colour.setHue(meanHue(playerColors[i].getHue(), playerColors[j].getHue()));
                        Spark spark;
                        spark.setup((p->position.x + q->position.x) / 2, (p->position.y + q->position.y) / 2,
                                    colour);
                        spark.life = 13;
                        sparks.push_back(spark);
                        ++level;
                        if (players[i].shipType == SHIP_HEAVY) level += 4;
                        if (players[j].shipType == SHIP_HEAVY) level += 3;
                    }
                }
            }
        }
    }
    soundBank.updateGrind(level);
}

void GameCore::updateDeathMatch(int shipsIn, int leader, int leaderScore) {
    (void)leader;
    const int mode = static_cast<int>(gameMode);
    const float before = matchClock;
    if (!paused) matchClock += frameTime;
    // A paused frame leaves the clock where it was: no second popup, no music restart.
    const bool moved = matchClock != before;

    if (before < matchStartDelay) {
        for (PlayerShip& ship : players) ship.invulnerabilityTimer = 0.1f;
        if (moved && matchClock > 0.5f && std::floor(matchClock) != std::floor(before)) {
            const int n = static_cast<int>(matchStartDelay - std::floor(matchClock));
            if (n >= 0 && n <= 3) {
                PopupMessage popup;
                popup.setup(n == 0 ? "GO!" : std::to_string(n), camera.x, camera.y, 1.5f, &font, 11 / uiScale);
                popup.sizeFactor = 7.0f;
                popup.fadeTime = 0.25f;
                popup.soundBank = &soundBank;
                popup.useCompleteSound = n == 0;
                popups.push_back(popup);
            }
        }
        if (moved && matchClock >= matchStartDelay) {
            soundBank.restartMusic();
            soundBank.pickMultiplayerTrack();
            soundBank.playMusic(true, mode);
        }
    }

    if (!matchOver) {
        bool decided = false;
        switch (matchSettings.matchType) {
        case MatchSettings::Stock:
            decided = shipsIn <= 1;
            break;
        case MatchSettings::Score:
            decided = leaderScore >= matchSettings.value;
            if (decided) soundBank.playMultiplayerComplete();
            break;
        default:
            if (playTime >= matchSettings.minutes * 60.0f) {
                int top = 0;
                int holders = 0;
                for (int i = 0; i < playerCount && i < 4; ++i) {
                    const int score = static_cast<int>(players[i].score);
                    if (score > top) {
                        top = score;
                        holders = 1;
                    } else if (score == top) {
                        ++holders;
                    }
                }
                decided = top > 0 && holders == 1;
                if (decided) soundBank.playMultiplayerComplete();
            }
            break;
        }
        if (decided) {
            matchOver = true;
            raiseStat("global_rocks_smashed", static_cast<float>(rocksSmashed));
            raiseStat("global_deathmatch_deaths", static_cast<float>(matchDeaths));
            soundBank.playMusic(false, mode);
        } else {
            matchEndTimer = matchEndLength;
        }
    }

    if (matchOver) {
        matchEndTimer -= frameTime;
        if (matchEndTimer <= 0 && gameState == GameState::Playing) finishMatch();
    }

    if (matchSettings.matchType == MatchSettings::Stock && gameState == GameState::Playing) {
        for (int i = 0; i < playerCount && i < 4; ++i) {
            const PlayerShip& ship = players[i];
            if (!ship.joined || ship.frozen || ship.lives != 1) continue;
            for (int k = 0; k < 2; ++k) {
                Spark smoke;
                smoke.setup(ship.point.position.x, ship.point.position.y, ofColor(150, 150, 150, 200));
                smoke.colour = ofColor(150, 150, 150, 200);
                const float a = -kHalfPi + ofRandomRange(-0.4f, 0.4f);
                smoke.vx = std::cos(a) * 4;
                smoke.vy = std::sin(a) * 4;
                smoke.life = 50;
                smoke.big = false;
                sparks.push_back(smoke);
            }
        }
    }

    stepRespawns();
    if (!matchOver && !paused) takeMatchSamples();
}

void GameCore::stepRespawns() {
    for (int i = 0; i < 4; ++i) {
        PlayerShip& ship = players[i];
        if (ship.glideArrived) {
            ship.glideArrived = false;
            const ofVec2f& at = ship.point.position;
            if (!arenaWalls.isCircleInside(at.x, at.y, 50)) {
                // The walls moved over the spot during the glide.
                placePlayerInArena(i, false);
            } else {
                NoiseRing ring;
                ring.setup(at.x, at.y, playerColors[i]);
                noiseRings.push_back(ring);
                if (!soundBank.soundMuted) soundBank.missionCrush.play();
            }
        }
        if (ship.glideFinished) {
            ship.glideFinished = false;
            setupWeapons(i, 150);
            deathFlashTime = std::max(deathFlashTime, deathMatchFlashLength / 2);
        }
    }
}

void GameCore::takeMatchSamples() {
    for (int i = 0; i < 4; ++i) {
        PlayerShip& ship = players[i];
        if (!ship.joined) continue;
        ship.matchStats.sampleTimer.update(frameTime);
        if (!ship.matchStats.sampleTimer.done) continue;
        float nearest = 0;
        bool found = false;
        for (int j = 0; j < 4; ++j) {
            if (j == i || !players[j].joined) continue;
            const float d = ofDist(ship.point.position.x, ship.point.position.y, players[j].point.position.x,
                                  players[j].point.position.y);
            if (!found || d < nearest) nearest = d;
            found = true;
        }
        ship.matchStats.pushSample(std::sqrt(speedSq(ship.point.velocity)), nearest, playTime);
    }
}

void GameCore::finishMatch() {
    stateTime = 0;
    gameState = GameState::RoundOver;
    raiseStat("deathmatch_rounds");
    raiseStat("deathmatch_time", playTime);
    raiseStat("deathmatch_rounds_type_" + std::to_string(matchSettings.matchType));
    raiseStat("deathmatch_rounds_map_" + std::to_string(matchSettings.map));
    for (int i = 0; i < 4; ++i) {
        if (!players[i].joined) continue;
        const std::string type = std::to_string(players[i].shipType);
        raiseStat("deathmatch_rounds_with_ship_" + type);
        raiseStat("deathmatch_time_with_ship_" + type, playTime);
    }
    soundBank.playFoeKill(2);
    savePlayerData();
    rankMatch();
}

void GameCore::rankMatch() {
    const bool stock = matchSettings.matchType == MatchSettings::Stock;
    auto beats = [&](int a, int best) {
        if (!players[a].joined) return false;
        if (!players[best].joined) return true;
        const PlayerShip& s = players[a];
        const PlayerShip& b = players[best];
        if (stock)
            return s.lives > b.lives || (s.lives == b.lives && s.matchStats.kills.size() > b.matchStats.kills.size());
        return s.score > b.score || (s.score == b.score && s.matchStats.deaths.size() < b.matchStats.deaths.size());
    };
    bool placed[4] = {false, false, false, false};
    for (int place = 0; place < 4; ++place) {
        int best = -1;
        for (int i = 0; i < 4; ++i) {
            if (placed[i]) continue;
            if (best < 0 || beats(i, best)) best = i;
        }
        placed[best] = true;
        players[best].place = place;
    }

    int mostKills = 0, mostDeaths = 0, mostSmashes = 0;
    for (const PlayerShip& ship : players) {
        if (!ship.joined) continue;
        mostKills = std::max(mostKills, static_cast<int>(ship.matchStats.kills.size()));
        mostDeaths = std::max(mostDeaths, static_cast<int>(ship.matchStats.deaths.size()));
        mostSmashes = std::max(mostSmashes, ship.matchStats.asteroidSmashes);
    }
    const std::vector<std::string> names(playerColorNames, playerColorNames + 4);
    for (PlayerShip& ship : players) {
        ship.award.clear();
        if (!ship.joined) continue;
        ship.award = MatchAwards::chooseAward(ship.matchStats, ship.place, playTime, mostDeaths, mostKills,
                                              mostSmashes, ship.topSpeed, names);
    }
}

void GameCore::checkWeaponHits(int player) {
    if (player < 0 || player > 3) return;
    const PlayerShip& own = players[player];
    if (own.invulnerabilityTimer >= 0 || own.frozen) return;
    for (int j = 0; j < playerCount && j < 4; ++j) {
        if (j == player || coop) continue;
        const PlayerShip& target = players[j];
        if (target.frozen || target.invulnerabilityTimer >= 0) continue;
        if (endingActive && player != 0 && j != 0) continue;
        for (int k = weaponCount(player) - 1; k >= 0; --k) {
            const WeaponParticle* point = weaponPoints[player][k];
            if (point == nullptr || speedSq(point->velocity) <= hitSpeedSq) continue;
            const float reach = target.hitRadius + point->radius;
            if (ofDistSquared(point->position.x, point->position.y, target.point.position.x, target.point.position.y) >=
                reach * reach)
                continue;
            // A kill while another sequence runs is no kill and is not counted.
            if (startKillSequence(j, player, k, true))
                achievementTracker.checkDeathmatchKills(static_cast<int>(raiseStat("deathmatch_kills")));
            return;
        }
    }
}

void GameCore::deathMatchBurst(int victim, int killer) {
    auto burst = [&](int slot, int count) {
        for (int n = 0; n < count; ++n)
            hudSparks.push_back(sparkAround(hudMarkers[slot].x, hudMarkers[slot].y, 60, playerColors[slot], 30));
    };
    switch (matchSettings.matchType) {
    case MatchSettings::Stock:
        burst(victim, 50);
        break;
    case MatchSettings::Score:
        if (killer >= 0) burst(killer, 50);
        break;
    default:
        if (killer >= 0) {
            for (int n = 0; n < 100; ++n) {
                const int slot = n % 2 == 1 ? killer : victim;
                hudSparks.push_back(
                    sparkAround(hudMarkers[slot].x, hudMarkers[slot].y, 60, playerColors[slot], 30));
            }
        } else {
            burst(victim, 50);
        }
        break;
    }
}

void GameCore::deathMatchDeath(int victim) {
    if (victim < 0 || victim > 3) {
        ofLogWarning("GameCore") << "deathMatchDeath: no player slot " << victim;
        return;
    }
    PlayerShip& ship = players[victim];
    int killer = (killKiller >= 0 && killKiller < 4 && killKiller != victim) ? killKiller : -1;
    const int type = matchSettings.matchType;

    ship.matchStats.addDeath(killer, playTime);
    ++matchDeaths;
    achievementTracker.checkTotalDeaths(static_cast<int>(raiseStat("player_deaths")));

    for (int n = 0; n < 50; ++n)
        sparks.push_back(sparkAround(ship.point.position.x, ship.point.position.y, 60, ship.colour, 30));
    deathFlashTime = deathMatchFlashLength;

    if (ship.shipType == SHIP_HARDY && !ship.hardyHitTaken) {
        ship.hardyHitTaken = true;
        ship.invulnerabilityTimer = ship.invulnerabilityStart * 0.5f;
        soundBank.playMissionComplete();
        return;
    }

    deathMatchBurst(victim, killer);
    soundBank.updateThrust(0, victim);
    lifeClock[victim] = 0;

    if (type == MatchSettings::Score && matchOver) killer = -1;

    if (killer >= 0) {
        PlayerShip& winner = players[killer];
        winner.score += 1;
        winner.matchStats.addKill(victim, playTime);
        ++roundKills;
        multikillTimer = multikillWindow;
        const int score = static_cast<int>(winner.score);
        std::string text = playerColorNames[killer] + " Player: " + std::to_string(score);
        if (type == MatchSettings::Score) {
            if (score == matchSettings.value - 1) text += "!";
            if (score >= matchSettings.value) text += "!!!";
        }
        PopupMessage popup;
        popup.setup(text, ship.point.position.x, ship.point.position.y, multikillWindow, &font,
                    (type == MatchSettings::Score ? 6.5f : 4.0f) / uiScale);
        popup.setColor(playerColors[killer]);
        popups.push_back(popup);
    }

    if (type == MatchSettings::Stock) {
        if (matchClock >= matchStartDelay && ship.invulnerabilityTimer < 0) ship.lives -= 1;
    } else if (type == MatchSettings::Time) {
        if (ship.score > 0) ship.score -= 1;
    }

    if (ship.lives <= 0) {
        ship.frozen = true;
        int stillIn = 0;
        for (int i = 0; i < playerCount && i < 4; ++i)
            if (!players[i].frozen) ++stillIn;
        if (stillIn > 1) {
            soundBank.playMissionFailed();
        } else {
            soundBank.playMultiplayerComplete();
        }
    } else {
        ship.reset(type == MatchSettings::Stock);
        placePlayerInArena(victim, false);
        if (ship.shipType == SHIP_HARDY && killer < 0 && type != MatchSettings::Stock) ship.hardyHitTaken = true;
        soundBank.playMultiplayerDeath(killer < 0);
    }

    raiseStat("deathmatch_deaths");
}

void GameCore::startMatch() {
    MatchSettings& m = matchSettings;
    m.matchType = std::max(0, std::min(m.matchType, 2));
    // Death matches play on the arena shapes 0 to 4.
    m.map = std::max(0, std::min(m.map, 4));
    m.value = std::max(1, std::min(m.value, 10));
    m.minutes = std::max(1, std::min(m.minutes, 10));
    m.foeAmount = std::max(0, std::min(m.foeAmount, 3));

    startRound(true);
    ++roundCount;
    matchOver = false;
    matchEndTimer = matchEndLength;
    for (int i = 0; i < playerCount && i < 4; ++i) {
        if (players[i].joined) continue;
        players[i].lives = 0;
        players[i].frozen = true;
    }
    hudSparks.clear();
    awardsOpened = false;
}
