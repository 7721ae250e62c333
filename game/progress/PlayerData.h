#pragma once

#include <map>
#include <string>
#include <vector>

// Everything "playerData.xml" keeps, with its defaults.
struct PlayerData {
    static const int optionCount = 9;
    static const int modeCount = 6;
    static const int shipCount = 9;

    // Reads the file; a missing file is written with the defaults, an
    // unparsable one is moved aside to <file>.bad first. Values out of range
    // take their defaults; stats are read for the given names only. False
    // when the file was not read as it stood.
    bool load(const std::string& fileName, const std::vector<std::string>& statNames);
    // Through the framework's safe save: the old file stays whole on failure.
    bool save(const std::string& fileName) const;

    // Up to 12 printable ASCII characters.
    static bool validName(const std::string& name);

    std::string playerName;
    // Base address of the score server; empty keeps scores offline.
    std::string scoreServer;
    bool options[optionCount] = {false, false, false, false, false, true, false, false, false};
    int bestScores[modeCount] = {};
    int bestCoopScores[modeCount] = {};
    bool ships[shipCount] = {};
    int lastShip = 0;
    // Stat name to value; only names the stats tracker knows are kept.
    std::map<std::string, float> stats;
    bool debugEnabled = false;
    bool festivalScreenshots = false;
    bool exhibition = false;
    int easterEgg = 0;
    std::string frontText[4];
};
