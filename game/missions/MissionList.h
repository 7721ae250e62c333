#pragma once

#include <string>
#include <vector>

#include "Mission.h"

// The pool, current and completed missions. Placeholder: the lists stay
// empty, nothing is saved and nothing is drawn.
class MissionList {
public:
    void setup();
    void update(float frameTime);
    void updateSparks(float frameTime);
    void fillCurrentMissions(bool refill);
    void finishFullRun();
    void saveProgress();
    int countAllMissions() const;
    void dismissResults();
    void layout(int width);
    // Picks one encouragement line and splits it at '#' into the two lines
    // the pause screen shows.
    void pickEncouragement();
    void drawComponents();
    void drawComponentsOverlay(int screenWidth);
    void drawModeDescription(int mode, float x, float y, int alpha);
    void drawPauseScreen(bool missionMode, bool briefing, int mode, int bestScore, int alpha);
    void drawResults(float frameTime);
    void drawRoundEvents(float frameTime, bool notPlaying, bool paused);
    void drawSparks();
    void drawStar(float x, float y) const;

    std::vector<Mission> pool;
    std::vector<Mission> current;
    std::vector<Mission> completed;
    int fullFinishes = 0;
    bool gamePad = false;
    bool showingResults = false;
    // Every mission of the run is done: progress reads as done over all.
    bool allMissions = false;
    // Pausing clears these two.
    bool newCompletion = false;
    bool newFailure = false;
    // The round start holds a round that begins a run or restarts it.
    bool runStarted = false;
    bool restartRequest = false;
    bool endingRequest = false;
    bool killPlayerRequest = false;
    std::vector<std::string> encouragementLines;
    std::string encouragementTop;
    std::string encouragementBottom;
    int width = 960;
};
