#pragma once

#include <string>

#include "ControllerMapper.h"
#include "ofColor.h"

class PixelFont;
class SoundBank;

// The options screen: nine rows whose values the core reads and applies
// (rows 3, 6 and 7 are requests the core clears), the player's name, Back,
// and the controller remapper and credits warning that open over it.
class OptionsMenu {
public:
    enum Row {
        SoundMute = 0,
        MusicMute = 1,
        FullScreen = 2,
        Remap = 3,
        ColorBlind = 4,
        SendGlobalStats = 5,
        SeeStats = 6,
        Credits = 7,
        AutoSubmit = 8,
        RowCount = 9
    };
    // The entries below the rows.
    static constexpr int NameEntry = RowCount;
    static constexpr int BackEntry = RowCount + 1;
    static constexpr int EntryCount = RowCount + 2;

    // font, sounds and playerName (the score overlay's stored name) belong to
    // the core and live as long as it does; a null name shows as empty.
    void setup(PixelFont* font, SoundBank* sounds, int width, int height, ofColor textColor, std::string* playerName);
    void open(bool padActive, bool fromRound);
    void update(float frameTime);
    void mousePressed(int x, int y);
    void handleInput(int vertical, int horizontal, bool confirm, bool back);
    void mouseMoved(int x, int y);
    void finishNameEdit();
    void back();
    void openRemap();
    void openCreditsWarning();
    void closeCreditsWarning();
    void clearButtonRows();
    void draw(int alpha);
    void layout(int width);

    static bool isToggle(int row);
    // The entry's text as drawn, such as "Mute Sound: OFF".
    std::string entryText(int entry) const;

    bool rows[RowCount] = {};
    ControllerMapper controllerMapper;
    bool backReport = false;
    // The credits warning's answer: leave the round for the credits.
    bool creditsConfirmed = false;
    bool fromRound = false;
    bool padActive = false;
    bool editingName = false;
    // Raised when a name edit ends; the core saves the name and clears it.
    bool nameReport = false;
    bool creditsWarningOpen = false;
    // 0 "Back", 1 "Credits" on the warning.
    int warningChoice = 0;
    int cursor = 0;
    float time = 0;
    int width = 960;
    int height = 960;
    ofColor textColor;
    PixelFont* font = nullptr;
    SoundBank* sounds = nullptr;
    std::string* playerName = nullptr;

private:
    bool guardPassed() const;
    void activate(int entry);
    void moveCursor(int step);
    int entryAt(int x, int y) const;
    void handleWarning(int step, bool confirm, bool back);
    void drawWarning(int alpha);
};
