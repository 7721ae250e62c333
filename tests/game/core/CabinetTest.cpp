// Its tests exist only in test_core_cabinet, built with the cabinet switch.
#ifdef VANTORIX_ARCADE_CABINET

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "CoreFixture.h"
#include "PlayerData.h"
#include "ScratchDir.h"

class Cabinet : public CoreFixture {
protected:
    // The settings layer reads and writes inside the data folder.
    std::string file() const { return "data/" + path; }
    void write(const std::string& text) {
        mkdir("data", 0755);
        std::ofstream out(file());
        out << text;
    }
    std::string read() {
        std::ifstream in(file());
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    std::string load() {
        return captureOutput([&] { app->loadArcadeSettings(path); }).out;
    }
    // One file per test: ctest runs the tests side by side in one folder.
    std::string path = std::string("cabinet_") + testing::UnitTest::GetInstance()->current_test_info()->name() + ".xml";
};

TEST_F(Cabinet, ANonDefaultFileFillsEveryField) {
    write(
        "<ROUNDS_BEFORE_RESET>7</ROUNDS_BEFORE_RESET><IDLE_TIME>45.5</IDLE_TIME><MAX_JOY_VAL>0.8</MAX_JOY_VAL>"
        "<TAP_VAL>0.9</TAP_VAL><TAP_DOWN_VAL>0.85</TAP_DOWN_VAL><TAP_UP_VAL>0.8</TAP_UP_VAL>"
        "<TAP_RESET_VAL>0.3</TAP_RESET_VAL><CONTROLLER_0>Pad 1!</CONTROLLER_0><CONTROLLER_2>9 Stick</CONTROLLER_2>"
        "<ATTRACT_MODE_TIME>30</ATTRACT_MODE_TIME><ATTRACT_MODE_MESSAGE_1>INSERT</ATTRACT_MODE_MESSAGE_1>"
        "<ATTRACT_MODE_MESSAGE_2>COIN</ATTRACT_MODE_MESSAGE_2><ATTRACT_MODE_VOL>50</ATTRACT_MODE_VOL>"
        "<PRICE>2</PRICE><LETTER_BOX_H>40</LETTER_BOX_H><LETTER_BOX_OFFSET>6</LETTER_BOX_OFFSET>"
        "<ATTRACT_MODE_SCORE_OFFSET>11</ATTRACT_MODE_SCORE_OFFSET>"
        "<ATTRACT_MODE_SCORE_X_START>12</ATTRACT_MODE_SCORE_X_START>"
        "<ATTRACT_MODE_SCORE_X_OFFSET>13</ATTRACT_MODE_SCORE_X_OFFSET>\n");
    EXPECT_EQ(load(), "");
    EXPECT_EQ(core().roundLimit, 7);
    EXPECT_FLOAT_EQ(core().idleLimit, 45.5f);
    EXPECT_FLOAT_EQ(app->maxJoyValue, 0.8f);
    EXPECT_FLOAT_EQ(app->tapResetThreshold, 0.3f);
    EXPECT_EQ(app->controllerNames[0], "Pad1");
    EXPECT_EQ(app->controllerNames[1], "NONE");
    EXPECT_EQ(app->controllerNames[2], "A9Stick");
    EXPECT_FLOAT_EQ(core().attractTime, 30.0f);
    EXPECT_EQ(core().mainMenu.price, 2);
    EXPECT_FLOAT_EQ(core().letterBoxH, 40.0f);
    EXPECT_FLOAT_EQ(core().letterBoxOffset, 6.0f);
    EXPECT_EQ(core().attractScoreXOffset, 13);

    // Stick values are stretched from the joystick's range and clamped.
    EXPECT_FLOAT_EQ(app->mapStickValue(0.4f), 0.5f);
    EXPECT_FLOAT_EQ(app->mapStickValue(-0.9f), -1.0f);
}

TEST_F(Cabinet, AMissingOrBrokenFileKeepsTheDefaults) {
    std::remove(file().c_str());
    EXPECT_EQ(load(), "NO ARCADE SETTINGS\n");
    write("<ROUNDS_BEFORE_RESET>7</ROUNDS");
    EXPECT_EQ(load(), "NO ARCADE SETTINGS\n");
    EXPECT_EQ(core().roundLimit, 4);
    std::ifstream aside(file() + ".bad");  // kept for the operator, not written over
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(aside), {}), "<ROUNDS_BEFORE_RESET>7</ROUNDS");
    EXPECT_FLOAT_EQ(app->maxJoyValue, 1.0f);
    // A joystick range at or below zero counts as 1.
    write("<MAX_JOY_VAL>0</MAX_JOY_VAL><LETTER_BOX_H>5000</LETTER_BOX_H>\n");
    EXPECT_EQ(load(), "");
    EXPECT_FLOAT_EQ(app->maxJoyValue, 1.0f);
    EXPECT_FLOAT_EQ(app->letterBoxH, 479.0f);
}

// Whatever stands where a settings file should be and cannot be read, each
// file gives one line with its name, the reason and what the game does; the
// cabinet says besides that it has no settings. None is kept aside.
TEST_F(Cabinet, EachFileThatCannotBeReadGivesOneLine) {
    ScratchDir scratch;
    struct Back {
        std::filesystem::path to = std::filesystem::current_path();
        ~Back() { std::filesystem::current_path(to); }
    } back;
    ASSERT_EQ(chdir(scratch.path.c_str()) + mkdir("data", 0755), 0);
    const std::pair<const char*, std::function<void(const std::string&)>> kinds[] = {
        {"not a regular file", [](const std::string& f) { mkfifo(f.c_str(), 0644); }},
        {"Is a directory", [](const std::string& f) { mkdir(f.c_str(), 0755); }},
        {"larger than 16777216 bytes", [](const std::string& f) {
             std::ofstream(f) << "<A>1</A>";
             std::filesystem::resize_file(f, (16u << 20) + 1);
         }}};
    ControllerMapper& mapper = core().optionsMenu.controllerMapper;
    const struct {
        const char* file;
        std::function<void()> load;
        std::string before, after;  // the output around the reason
    } files[] = {
        {"playerData.xml", [] { PlayerData().load("playerData.xml", {}); },
         "[PlayerData:warning] playerData.xml cannot be read (", "); playing with defaults, and it is not written over\n"},
        {"missions.xml", [] { MissionList().loadProgress(); }, "[MissionList:warning] missions.xml cannot be read (",
         "); starting the missions afresh, not saved\n"},
        {"controllerMappings.xml", [&] { mapper.loadMapping("Pad", 4, 12); },
         "[ControllerMapper:warning] controllerMappings.xml unreadable (", "), default mapping for Pad\n"},
        {"controllerMappings.xml", [&] { mapper.saveMapping("Pad", PadMapping()); },
         "[ControllerMapper:error] controllerMappings.xml cannot be read (", "), not written\n"},
        {"cab.xml", [&] { app->loadArcadeSettings("cab.xml"); },
         "NO ARCADE SETTINGS\n[vantorixPC:error] cab.xml cannot be read (", "); letter-box changes are not saved\n"}};
    for (const auto& [reason, make] : kinds) {
        std::filesystem::remove_all("data");
        mkdir("data", 0755);
        for (const auto& f : files) make("data/" + std::string(f.file));
        for (const auto& f : files) {
            const CapturedOutput o = captureOutput(f.load);
            EXPECT_EQ(o.out + o.err, f.before + reason + f.after) << f.file;
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator("data"), {}), 4) << reason;
    }
}

TEST_F(Cabinet, TheLetterBoxScalesThePictureAndServiceKeysSaveIt) {
    write("<LETTER_BOX_H>30</LETTER_BOX_H>\n");
    load();
    app->adjustLetterBox(0);
    EXPECT_FLOAT_EQ(app->scale, 900.0f / 960.0f);
    EXPECT_EQ(core().screenWidth, static_cast<int>(960 / (900.0f / 960.0f)));
    app->keyPressed('k');
    EXPECT_FLOAT_EQ(app->letterBoxH, 35.0f);
    EXPECT_NE(read().find("<LETTER_BOX_H>35</LETTER_BOX_H>"), std::string::npos);
    app->keyPressed(',');
    EXPECT_NE(read().find("<LETTER_BOX_OFFSET>2</LETTER_BOX_OFFSET>"), std::string::npos);
    // "m" is a service key here, not the mute.
    app->keyPressed('m');
    EXPECT_FLOAT_EQ(app->letterBoxH, 30.0f);
    EXPECT_FALSE(core().soundBank.soundMuted);
    app->adjustLetterBox(10000);
    EXPECT_FLOAT_EQ(app->letterBoxH, 479.0f);
    app->adjustLetterBox(-10000);
    EXPECT_FLOAT_EQ(app->letterBoxH, 0.0f);
}

// An offset far off the screen is held within the height's bound and is
// saved back in range.
TEST_F(Cabinet, TheOffsetIsBoundedLikeTheHeight) {
    write("<LETTER_BOX_OFFSET>2147483647</LETTER_BOX_OFFSET>\n");
    load();
    EXPECT_FLOAT_EQ(core().letterBoxOffset, 479.0f);
    app->keyPressed(',');
    EXPECT_NE(read().find("<LETTER_BOX_OFFSET>479</LETTER_BOX_OFFSET>"), std::string::npos) << read();
}

TEST_F(Cabinet, ANamedPadLandsInItsSlot) {
    write("<CONTROLLER_2>Pad B</CONTROLLER_2>\n");
    load();
    plug({padNamed("Pad A"), padNamed("Pad B")});
    EXPECT_EQ(app->padSlot[0], 0);
    EXPECT_EQ(app->padSlot[1], 2);
    core().openLobby(false, true, false);
    press(1, vantorixPC::Confirm);
    EXPECT_TRUE(core().players[2].joined);
    EXPECT_FALSE(core().players[1].joined);
}

#endif
