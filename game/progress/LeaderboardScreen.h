#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ScoreLoader.h"
#include "ScoreServer.h"
#include "ScrollPanel.h"
#include "ofColor.h"

class PixelFont;

// The web high-score tables, one per difficulty and play kind. Tables load
// in the background; a table left before it arrives is dropped.
class LeaderboardScreen {
public:
    LeaderboardScreen() = default;
    ~LeaderboardScreen();
    LeaderboardScreen(const LeaderboardScreen&) = delete;
    LeaderboardScreen& operator=(const LeaderboardScreen&) = delete;

    // The font and the name are the core's and outlive the screen.
    void setup(PixelFont* font = nullptr, const std::string* playerName = nullptr);
    void setServer(const ScoreServer& server);
    // Shows the table of `difficulty` (1, 2 or 4; anything else shows Easy)
    // and `coop`, set by the caller first.
    void open(bool padActive, bool fromGameOver);
    void update(float frameTime);
    void mousePressed(int x, int y);
    void mouseReleased(int x, int y);
    void mouseDragged(int x, int y);
    void mouseMoved(int x, int y);
    void scrollByAxis(float amount);
    void requestBack();
    void handleInput(int dx, int dy, bool confirm);
    void layout(int width);
    void draw(int alpha);

    // "Loading...", "Could not load scores", "Online scores are off" (no
    // server set), "No scores yet", or empty once rows are shown.
    std::string statusText() const;
    // "EASY", "HARD" or "ASTEROID FIELD", with " CO-OP" for co-op.
    std::string tableTitle() const;
    // Rank, name and score of a row, as drawn.
    std::vector<std::string> rowTexts(int row) const;

    enum TableState { Loading, Loaded, Failed, Off };

    int difficulty = 1;
    bool coop = false;
    bool fromGameOver = false;
    bool padActive = false;
    bool backRequested = false;
    ofColor highlightColor = ofColor(255, 220, 0, 255);
    ofColor textColor = ofColor(255, 255, 255, 255);
    TableState status = Loading;
    std::vector<ScoreEntry> rows;
    int width = 960;
    int height = 960;
    ScrollPanel panel;
    ofRectangle previousButton;
    ofRectangle nextButton;
    ofRectangle coopButton;
    PixelFont* font = nullptr;
    const std::string* playerName = nullptr;
    ScoreServer server;

private:
    void startLoad();
    void changeTable(int dx, bool toggleCoop);

    std::unique_ptr<ScoreLoader> loader;
    // Loaders of tables left before they arrived; joined once they end.
    std::vector<std::unique_ptr<ScoreLoader>> retired;
};
