#pragma once

#include <string>
#include <vector>

#include "ShipMatchStats.h"

// Picks one end-of-match title per player from what that player's figures
// earn, plus one filler so there is always something to give.
class MatchAwards {
public:
    static constexpr int FILLER_COUNT = 10;
    static const char* const fillerTitles[FILLER_COUNT];

    // Fills the derived figures of the record from its lists.
    static void deriveFigures(ShipMatchStats& stats, float matchTime);

    // The earned titles in test order, three of them twice, without the
    // filler; derives the figures first. names is indexed by player; a
    // missing name reads as empty.
    static std::vector<std::string> candidateTitles(ShipMatchStats& stats, int place, float matchTime,
                                                    int mostDeaths, int mostKills, int mostAsteroidSmashes,
                                                    float topSpeed, const std::vector<std::string>& names);

    static std::string chooseAward(ShipMatchStats& stats, int place, float matchTime, int mostDeaths, int mostKills,
                                   int mostAsteroidSmashes, float topSpeed, const std::vector<std::string>& names);
};
