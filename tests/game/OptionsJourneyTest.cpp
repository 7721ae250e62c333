#include "../support/Journey.h"
#include "../support/LogRecorder.h"

namespace {

class Options : public Journey {
protected:
    void openOptions() {
        ASSERT_TRUE(waitUntil([&] { return !core().splashActive; }));
        frame();
        clickText("Options/Config");
    }
    bool fileHas(const std::string& name, const std::string& text) const {
        return file(name).find(text) != std::string::npos;
    }
};

// A player file that is no XML at all, beside a copy an earlier damage left.
class DamagedPlayerFile : public Options {
protected:
    void beforeStart() override {
        writeFile("playerData.xml.bad", "<PLAYER_NAME>OLDER</PLAYER_NAME>");
        writeFile("playerData.xml", "<<garbage");
    }
    std::vector<std::string> playerFileLines() {
        std::vector<std::string> lines;
        for (const std::string& line : log.lines())
            if (line.rfind("[PlayerData", 0) == 0) lines.push_back(line);
        return lines;
    }
    LogRecorder log;  // made before the game starts, so it hears the load
};

}  // namespace

TEST_F(DamagedPlayerFile, IsKeptAsideAndTheFirstOptionToggleLeavesBothCopies) {
    EXPECT_EQ(file("playerData.xml.bad.1"), "<<garbage");
    openOptions();
    press(keyRight);
    EXPECT_TRUE(shows("Mute Sound: ON")) << screen();
    wait(0.5f);
    clickText("Back");
    EXPECT_TRUE(fileHas("playerData.xml", "<OPTION_0>1<"));
    EXPECT_EQ(file("playerData.xml.bad") + "|" + file("playerData.xml.bad.1"), "<PLAYER_NAME>OLDER</PLAYER_NAME>|<<garbage");
    EXPECT_FALSE(std::filesystem::exists(home / "data" / "playerData.xml.bad.2"));
    EXPECT_EQ(playerFileLines(), std::vector<std::string>{"[PlayerData:error] playerData.xml could not be read; kept as "
                                                          "data/playerData.xml.bad.1, defaults written"});
}

TEST_F(Options, EveryEntryActsAndTheChoicesAreSaved) {
    openOptions();
    press(keyEnter);  // the page's first 0.4 s take no confirm,
    press(keyRight);  // but a sideways step toggles at once
    EXPECT_TRUE(shows("Mute Sound: ON") && shows("Remap Controllers")) << screen();
    wait(0.5f);
    for (const char* entry :
         {"Mute Music: OFF", "Full Screen: OFF", "Colour Blind: OFF", "Send Global Stats: ON", "Auto Submit: OFF"})
        clickText(entry);
    EXPECT_EQ(screen(),
              "OPTIONS|Mute Sound: ON|Mute Music: ON|Full Screen: ON|Remap Controllers|Colour Blind: ON|"
              "Send Global Stats: OFF|See Stats|Credits|Auto Submit: ON|Name: |Back");
    const GameCore& c = core();
    EXPECT_TRUE(c.soundBank.soundMuted && c.soundBank.musicMuted && app->fullScreen && c.colorBlind &&
                !c.statsTracker.sendGlobalStats && c.scoreSubmitOverlay.autoSubmit);

    clickText("Remap Controllers");
    EXPECT_EQ(screen(), "REMAP|DONE");  // no pad attached
    press(keyEscape);
    EXPECT_TRUE(shows("OPTIONS"));
    clickText("See Stats");
    wait(0.5f);
    EXPECT_TRUE(shows("STATS") && shows("FOE KILLS")) << screen();
    press(keyEscape);
    EXPECT_TRUE(shows("OPTIONS"));
    wait(0.5f);
    clickText("Back");
    EXPECT_EQ(c.gameState, GameState::MainMenu);
    for (const char* option : {"<OPTION_0>1<", "<OPTION_1>1<", "<OPTION_2>1<", "<OPTION_4>1<", "<OPTION_5>0<",
                               "<OPTION_8>1<"})
        EXPECT_TRUE(fileHas("playerData.xml", option)) << option;

    wait(0.5f);
    clickText("Options/Config");
    wait(0.5f);
    clickText("Credits");  // from the menu the credits run at once
    wait(1);
    EXPECT_TRUE(c.gameState == GameState::Playing && c.creditsScreen.active && shows("CREDITS")) << screen();
}

TEST_F(Options, TheNameIsTypedDrawnAndSavedOnEnter) {
    openOptions();
    wait(0.5f);
    clickText("Name: ");
    EXPECT_TRUE(shows("Name: _"));
    type("Ace m");  // "m" is a letter here, not the mute key
    EXPECT_TRUE(shows("Name: Ace m_") && !core().soundBank.soundMuted) << screen();
    type("ABCDEFGH");
    press(keyLeft);
    EXPECT_TRUE(shows("Name: Ace mABCDEFG_")) << screen();  // twelve at most, printable only
    press(8);
    press(keyEnter);
    EXPECT_TRUE(shows("Name: Ace mABCDEF")) << screen();
    EXPECT_TRUE(fileHas("playerData.xml", "<PLAYER_NAME>Ace mABCDEF</PLAYER_NAME>"));
    wait(0.5f);
    press(keyEscape);  // the edit is over: Escape leaves the options
    EXPECT_EQ(core().gameState, GameState::MainMenu);
}

// Pad A is unplugged after both pads attached: Pad B, the second pad, is now
// first in the remapper's list, and its own events must map it.
TEST_F(Options, TheRemapperMapsAPadThatIsNotAtItsListPosition) {
    ASSERT_TRUE(waitUntil([&] { return !core().splashActive; }));
    plug({fakepads::DeviceSpec("Pad A", 6, 14), fakepads::DeviceSpec("Pad B", 4, 12)});
    ASSERT_EQ(app->registeredPads, 2);
    plug({fakepads::DeviceSpec("Pad B", 4, 12)});
    openOptions();
    wait(0.5f);
    clickText("Remap Controllers");
    wait(0.5f);
    EXPECT_EQ(screen(), "REMAP|Pad B|DONE");

    padAction(1, vantorixPC::Confirm);
    EXPECT_TRUE(shows("Pad B") && shows("PRESS CONFIRM") && shows("1 / 16")) << screen();
    padButton(1, 7);
    press(keyEscape);  // back to the list: what was mapped is dropped
    EXPECT_EQ(file("controllerMappings.xml"), "");
    padAction(1, vantorixPC::Confirm);
    for (int step = 0; step < 12; ++step) {
        if (step == 5)
            press(keyEnter);  // keeps the stored (here the default) button
        else
            padButton(1, 11 - step);
    }
    EXPECT_TRUE(shows("PUSH LEFT STICK RIGHT, LET GO") && shows("13 / 16")) << screen();
    padAxis(1, 3, 0.6f);
    padAxis(1, 2, -1.0f);  // the strongest axis wins, counted when let go
    padAxis(1, 3, 0);
    padAxis(1, 2, 0);
    for (int axis : {0, 1, 3}) {
        padAxis(1, axis, 1.0f);
        padAxis(1, axis, 0);
    }
    frame();
    EXPECT_EQ(screen(), "REMAP|Pad B|DONE");
    EXPECT_TRUE(fileHas("controllerMappings.xml", "<BUTTON_0>11</BUTTON_0>") &&
                fileHas("controllerMappings.xml", "<BUTTON_5>5</BUTTON_5>") &&
                fileHas("controllerMappings.xml", "<AXIS_0>2</AXIS_0>") &&
                fileHas("controllerMappings.xml", "<AXIS_SIGN_0>-1</AXIS_SIGN_0>"));
    EXPECT_EQ(file("controllerMappings.xml").find("PadA"), std::string::npos);
    // Pad B now works by its new map: its BACK (button 10) leaves the remapper.
    EXPECT_EQ(app->buttonMap[1][vantorixPC::Back], 10);
    padButton(1, 10);
    wait(0.1f);
    EXPECT_TRUE(shows("OPTIONS")) << screen();
}
