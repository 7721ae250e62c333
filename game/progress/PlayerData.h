#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "ofFileSave.h"

// Everything "playerData.xml" keeps, with its defaults.
struct PlayerData {
    static const int optionCount = 9;
    static const int modeCount = 6;
    static const int shipCount = 9;

    static constexpr std::size_t frontTextLimit = 256;

    // Read: the file as it stood; values out of range take their defaults,
    // stats are read for the given names only, front-text lines are cut to
    // frontTextLimit. Defaults: the file was missing, or was read and was no
    // settings document and is kept aside (see ofKeepDamagedFileAside); either
    // way the defaults are written. OutOfReach: the file is there but cannot
    // be read, or is damaged and cannot be kept aside; it is left alone, and
    // must not be saved over while it may hold the player's data.
    enum LoadResult { Read, Defaults, OutOfReach };
    LoadResult load(const std::string& fileName, const std::vector<std::string>& statNames);
    // Through the framework's safe save; a failure is logged with the path
    // and what became of the old file.
    bool save(const std::string& fileName) const;

    // The one rule for names, typed or read: up to maxNameLength printable
    // ASCII characters.
    static const int maxNameLength = 12;
    static bool nameChar(int c) { return c >= 0x20 && c <= 0x7E; }
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

private:
    ofFileSaveResult write(const std::string& fileName) const;
};
