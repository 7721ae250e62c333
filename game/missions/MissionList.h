#pragma once

#include <string>
#include <vector>

#include "Mission.h"
#include "MissionCounters.h"
#include "Spark.h"
#include "ofRectangle.h"

class PixelFont;
class SoundBank;

// A line of a screen, centred on the virtual screen's width.
struct ScreenText {
    std::string text;
    float size = 4;
    float y = 0;
};

// How a mission stood when its round ended.
struct MissionResult {
    std::string name;
    bool complete = false;
    std::string progress;
};

// The banner of a mission completed or failed in this round.
struct MissionBanner {
    std::string title;
    std::string name;
    float age = 0;
};

// The pool, current and completed missions, the run's totals kept in
// "missions.xml", and the mission screens: briefing, pause and results.
class MissionList {
public:
    // The core's counters, font and bank; all outlive the list.
    void attach(const MissionCounters& counters, PixelFont* font, SoundBank* soundBank);
    // Appends a mission to the pool, wiring its components and listing its
    // goal kinds.
    void addMission(Mission mission);
    // Reads "missions.xml" and fills the current list.
    void setup();
    void update(float frameTime);
    void updateSparks(float frameTime);
    // atSetup: no round has ended, so there are no results to keep.
    void fillCurrentMissions(bool atSetup);
    void finishFullRun();
    void saveProgress();
    // False when the file was missing or unreadable (a first start); one walk
    // over the file, with one warning per kind of entry skipped.
    bool loadProgress();
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

    // What the screens show, for drawing and for checks.
    static std::string modeDescription(int mode);
    std::vector<ScreenText> pauseTexts(bool missionMode, bool briefing, int bestScore) const;
    std::vector<ScreenText> resultTexts() const;
    static std::vector<ofPoint> starPoints(float x, float y);

    std::vector<Mission> pool;
    std::vector<Mission> current;
    std::vector<Mission> completed;
    int wantedCount = 3;
    int fullFinishes = 0;
    // Seconds of play of the fastest full run; -1 before the first.
    float bestTotalTime = -1;
    // Seconds of play of the run so far.
    float runTime = 0;
    bool gamePad = false;
    bool showingResults = false;
    std::vector<MissionResult> results;
    float resultsTime = 0;
    // A full run has just ended; cleared by the next round's first update.
    bool allMissions = false;
    // Hover of the pause screen's buttons, set by the core; pausing clears them.
    bool resumeHover = false;
    bool abortHover = false;
    // Set by a round's first update; the round start clears it.
    bool runStarted = false;
    // A fill brought new missions: the next round waits for the player.
    bool restartRequest = false;
    bool endingRequest = false;
    bool killPlayerRequest = false;
    // This round has raised its request; no second one.
    bool roundDecided = false;
    std::vector<std::string> encouragementLines;
    std::string encouragementTop;
    std::string encouragementBottom;
    std::vector<MissionBanner> banners;
    float bannerLength = 3.0f;
    std::vector<Spark> sparks;
    int width = 960;
    ofRectangle resumeButton;
    ofRectangle abortButton;
    ofRectangle holdButton;
    std::string fileName = "missions.xml";
    // The file could be neither read nor kept aside: it is not saved over.
    bool fileOutOfReach = false;

    MissionCounters counters;
    // The core's, never null once attached.
    PixelFont* font = nullptr;
    SoundBank* soundBank = nullptr;

private:
    void completeMission(Mission& mission);
    void failMission(Mission& mission);
    void addSparks(float x, float y);
    ofRectangle buttonBox(const std::string& label, float y) const;
    void drawTexts(const std::vector<ScreenText>& texts) const;
    void drawButton(const std::string& label, const ofRectangle& box, bool hover, int alpha) const;
};

// The missions of the mission mode, appended to the list's pool in order.
void defineStandardMissions(MissionList& list);
