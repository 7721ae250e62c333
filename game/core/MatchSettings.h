#pragma once

// The rules of a multiplayer match, chosen on the settings page and the
// level select.
struct MatchSettings {
    enum Type { Stock = 0, Score = 1, Time = 2 };

    int matchType = Stock;
    int map = 0;
    bool randomMap = false;
    // The lives were drawn at random for the last match.
    bool randomLives = false;
    // Lives (STOCK) or the score goal (SCORE).
    int value = 5;
    int minutes = 2;
    int foeAmount = 2;
    // Read by the awards screen.
    int awardsValue = 3;
    // Read by the round start.
    int roundStartValue = 25;
};
