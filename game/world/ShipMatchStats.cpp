#include "ShipMatchStats.h"

void ShipMatchStats::reset() {
    samples.clear();
    kills.clear();
    deaths.clear();
    // The remaining time takes the start as it stood before this reset.
    sampleTimer.remaining = sampleTimer.start;
    sampleTimer.start = 0.5f;
    sampleTimer.done = false;
    asteroidSmashes = 0;
    streakWindow = 5.0f;
}

void ShipMatchStats::pushSample(float speed, float distance, float time) {
    sampleTimer.restart();
    samples.push_back(MatchSample{speed, distance, time});
}

void ShipMatchStats::addKill(int victim, float time) {
    kills.push_back(MatchKill{victim, time});
}

void ShipMatchStats::addDeath(int killer, float time) {
    deaths.push_back(MatchDeath{killer, time});
}

void ShipMatchStats::countAsteroidSmash() {
    ++asteroidSmashes;
}
