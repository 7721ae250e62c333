#pragma once

#include <string>
#include <vector>

// Controls of the Steam layer for tests.
namespace SteamLayer {

// Whether SteamAPI_Init reports Steam as running from now on (default false).
void setRunning(bool running);
bool isRunning();

// Every Steam call made since the last take, one line each, e.g.
// "SteamAPI_Init() = 1" or "UploadLeaderboardScore arcade_hard_coop 500 1,2".
std::vector<std::string> takeCalls();

// Forgets the user's stats, achievements, boards and pending callbacks.
void clearUserData();
// A value the Steam side already holds for the user, as if from another machine.
void seedStat(const std::string& name, float value);
// What Steam holds now; -1 when the stat was never set.
float statValue(const std::string& name);
std::vector<std::string> achievements();
// The user's entry on a board: score and details, or false when none.
bool boardEntry(const std::string& board, int& score, std::vector<int>& details);

}  // namespace SteamLayer
