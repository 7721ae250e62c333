#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ScoreSender.h"
#include "ScoreServer.h"
#include "ofRectangle.h"

class PixelFont;

// Score submission after a round, with the player-name editor. It never
// waits on the network: a ScoreSender works in the background and the flags
// follow it each update.
class ScoreSubmitOverlay {
public:
    ScoreSubmitOverlay() = default;
    ~ScoreSubmitOverlay();
    ScoreSubmitOverlay(const ScoreSubmitOverlay&) = delete;
    ScoreSubmitOverlay& operator=(const ScoreSubmitOverlay&) = delete;

    // The font is the core's and outlives the overlay.
    void setup(PixelFont* font = nullptr);
    void setServer(const ScoreServer& server);
    void update(float frameTime);
    // Brings the flags up to date with the sender; run every frame in every
    // state, since the game-over screen reads them too.
    void poll();
    // Mode 1, 2 or 4; any other mode cannot be submitted and is done at once.
    void open(int score, int mode, const std::vector<int>& shipTypes, bool build);
    // Sends under the stored name; without force only from the 8th update
    // after open.
    void submit(bool force);
    // Ready for a new round; a sender still at work is left to finish on its
    // own and its answer ignored.
    void reset();
    void toggleAutoSubmit();
    void close();
    void keyPressed(int key);
    // The name editor, also behind the options' name entry: Backspace and
    // Delete take the last character off; a printable character is added
    // while the name is shorter than maxNameLength; other keys do nothing.
    void editName(int key);
    void handleInput(int dx, int dy, bool confirm, bool start, bool erase, bool select);
    void mouseInput(int x, int y, bool pressed, bool released);
    void layout(int width);
    void draw(int alpha);

    // The characters a pad cycles through.
    static const std::string& padCharacters();

    bool done = false;
    bool available = false;
    bool busy = false;
    bool sent = false;
    bool shown = false;
    bool sending = false;
    bool autoSubmit = false;
    std::string playerName;
    // What the status line says, e.g. "Could not send score".
    std::string message;
    int width = 960;
    int height = 960;
    int score = 0;
    int mode = 1;
    bool coop = false;
    std::vector<int> shipTypes;
    bool build = false;
    int updatesSinceOpen = 0;
    float sendingTime = 0;
    // Pad editing: the insertion point and the character offered.
    int cursor = 0;
    int padCharacter = 0;
    ofRectangle submitButton;
    ofRectangle closeButton;
    int hovered = -1;
    PixelFont* font = nullptr;
    ScoreServer server;

private:
    void retireSender();
    void reapRetired();

    std::unique_ptr<ScoreSender> sender;
    // Senders dropped by reset while at work; joined once they end.
    std::vector<std::unique_ptr<ScoreSender>> retired;
};
