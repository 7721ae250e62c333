#pragma once

#include <string>
#include <vector>

// Controls of the Steam layer for tests.
namespace SteamLayer {

// Whether SteamAPI_Init reports Steam as running from now on (default false).
void setRunning(bool running);
bool isRunning();

// Every Steam call made since the last take, e.g. "SteamAPI_Init() = 1".
std::vector<std::string> takeCalls();

}  // namespace SteamLayer
