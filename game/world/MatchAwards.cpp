#include "MatchAwards.h"

#include <algorithm>

#include "VecMath.h"
#include "ofMath.h"

const char* const MatchAwards::fillerTitles[FILLER_COUNT] = {
    "True Friend", "Satan's Carwash", "Audience Choice", "Punctuality",  "Dreamiest",
    "Lion Tamer",  "Spirit Of The Night", "You Are A Bear", "YOLO Savant", "Sweet & Sour",
};

namespace {

const int PLAYERS = 4;

bool isPlayer(int index) {
    return index >= 0 && index < PLAYERS;
}

// Lowest index among the largest counts; 0 when every count is 0.
int mostCounted(const int (&counts)[PLAYERS]) {
    int best = 0;
    for (int i = 1; i < PLAYERS; ++i)
        if (counts[i] > counts[best]) best = i;
    return best;
}

// Every index but the top one has at most a quarter of the total.
bool dominated(const int (&counts)[PLAYERS], int top, int total) {
    for (int i = 0; i < PLAYERS; ++i)
        if (i != top && counts[i] > 0.25f * total) return false;
    return true;
}

std::string nameOf(const std::vector<std::string>& names, int index) {
    if (index < 0 || index >= static_cast<int>(names.size())) return "";
    return names[index];
}

}  // namespace

void MatchAwards::deriveFigures(ShipMatchStats& stats, float matchTime) {
    stats.bestStreak = 0;
    int run = 0;
    for (size_t i = 0; i < stats.kills.size(); ++i) {
        if (i > 0 && stats.kills[i].time - stats.kills[i - 1].time < stats.streakWindow) ++run;
        else run = 1;
        stats.bestStreak = std::max(stats.bestStreak, run);
    }

    if (stats.deaths.empty()) {
        stats.longestLife = matchTime;
    } else {
        float longest = stats.deaths.front().time;
        longest = std::max(longest, matchTime - stats.deaths.back().time);
        for (size_t i = 1; i < stats.deaths.size(); ++i)
            longest = std::max(longest, stats.deaths[i].time - stats.deaths[i - 1].time);
        stats.longestLife = longest;
    }

    int victims[PLAYERS] = {};
    int killers[PLAYERS] = {};
    for (const MatchKill& k : stats.kills)
        if (isPlayer(k.victim)) ++victims[k.victim];
    for (const MatchDeath& d : stats.deaths)
        if (isPlayer(d.killer)) ++killers[d.killer];
    stats.favouriteVictim = mostCounted(victims);
    stats.nemesis = mostCounted(killers);

    float speed = 0, distance = 0;
    for (const MatchSample& s : stats.samples) {
        speed += s.speed;
        distance += s.distance;
    }
    if (!stats.samples.empty()) {
        stats.averageSpeed = speed / stats.samples.size();
        stats.averageDistance = distance / stats.samples.size();
    } else {
        stats.averageSpeed = 0;
        stats.averageDistance = 0;
    }
}

std::vector<std::string> MatchAwards::candidateTitles(ShipMatchStats& stats, int place, float matchTime,
                                                      int mostDeaths, int mostKills, int mostAsteroidSmashes,
                                                      float topSpeed, const std::vector<std::string>& names) {
    deriveFigures(stats, matchTime);
    const float T = matchTime;
    const int K = static_cast<int>(stats.kills.size());
    const int D = static_cast<int>(stats.deaths.size());
    int S = 0;
    float deathTimes = 0;
    int killers[PLAYERS] = {};
    for (const MatchDeath& d : stats.deaths) {
        if (d.killer == -1) ++S;
        else if (isPlayer(d.killer)) ++killers[d.killer];
        deathTimes += d.time;
    }
    float killTimes = 0;
    int victims[PLAYERS] = {};
    for (const MatchKill& k : stats.kills) {
        if (isPlayer(k.victim)) ++victims[k.victim];
        killTimes += k.time;
    }
    const bool sampled = !stats.samples.empty();
    const int smashes = stats.asteroidSmashes;

    std::vector<std::string> out;
    auto add = [&out](bool holds, const std::string& title, int weight = 1) {
        if (!holds) return;
        for (int i = 0; i < weight; ++i) out.push_back(title);
    };

    int differentVictims = 0;
    bool evenSpread = true;
    for (int count : victims) {
        if (count == 0) continue;
        ++differentVictims;
        if (count != victims[stats.favouriteVictim]) evenSpread = false;
    }

    add(S > D / 2, "Worst Driver");
    add(differentVictims >= 2 && evenSpread, "Equal Opportunity");
    add(K == D, "Equilibrium");
    add(D == 0, "Everlasting Life");
    add(D - S > 0.75f * mostDeaths && K < 0.25f * mostKills, "Target Practice");
    // The named player must have been hit at all: deaths with no killer (or
    // kills of unknown indexes) alone would otherwise name player 0.
    add(K > 3 && victims[stats.favouriteVictim] > 0 && dominated(victims, stats.favouriteVictim, K),
        "Hunter Of " + nameOf(names, stats.favouriteVictim), 2);
    add(D > 3 && killers[stats.nemesis] > 0 && dominated(killers, stats.nemesis, D),
        "Victim Of " + nameOf(names, stats.nemesis));
    add(K == 0 && D == S, "King Boring", 2);
    add(K == 0, "Pacifist");
    // A crown for the most kills needs a kill; a tie at none is no crown.
    add(K >= 1 && K == mostKills && D > 0.5f * mostDeaths, "Berserker");
    add(smashes < 2, "Tree Hugger", 2);
    add(smashes >= 1 && smashes == mostAsteroidSmashes, "Asteroid Smasher");
    add(sampled && stats.averageDistance < 500, "Fearless");
    add(sampled && stats.averageDistance > 800, "Cowardly");
    add(K > 0.5f * mostKills && smashes > 0.5f * mostAsteroidSmashes, "Destruction Magnet");
    add(sampled && stats.averageSpeed > 0.5f * topSpeed, "Most Moving");
    add(sampled && stats.averageSpeed < 3.0f, "Least Moving");
    add(K > 0 && killTimes / K > 0.6f * T, "Late Bloomer");
    add(K > 0 && killTimes / K < 0.3f * T, "Too Eager");
    add(D > 0 && deathTimes / D < 0.3f * T && place != 3, "Most Improved");
    add(stats.bestStreak > 4, "Non Stop Killin'");
    add(stats.longestLife > 0.3f * T, "Old Man");
    add(D == mostDeaths && D > 2 * mostKills, "Constantly Exploding");
    return out;
}

std::string MatchAwards::chooseAward(ShipMatchStats& stats, int place, float matchTime, int mostDeaths, int mostKills,
                                     int mostAsteroidSmashes, float topSpeed, const std::vector<std::string>& names) {
    std::vector<std::string> candidates =
        candidateTitles(stats, place, matchTime, mostDeaths, mostKills, mostAsteroidSmashes, topSpeed, names);
    int filler = std::min(std::max(truncInt(ofRandom(FILLER_COUNT)), 0), FILLER_COUNT - 1);
    candidates.push_back(fillerTitles[filler]);
    int n = static_cast<int>(candidates.size());
    int pick = std::min(std::max(truncInt(ofRandom(static_cast<float>(n))), 0), n - 1);
    return candidates[pick];
}
