#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "ofxGamepad.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadOIS.h"

using fakepads::DeviceSpec;
using fakepads::FakeJoyStick;
using Lines = std::vector<std::string>;

namespace {

// Writes every pad event as one line, so order and payload are checked together.
struct Journal {
    explicit Journal(ofxGamepad& pad) {
        ofAddListener(pad.axisEvent, this, &Journal::onAxis);
        ofAddListener(pad.buttonPressedEvent, this, &Journal::onPress);
        ofAddListener(pad.buttonReleasedEvent, this, &Journal::onRelease);
        ofAddListener(pad.povEvent, this, &Journal::onPov);
    }
    void onAxis(ofxGamepadAxisEvent& e) {
        char value[32];
        std::snprintf(value, sizeof(value), "%.7f", e.value);
        add(e.gamepad, "axis", e.axis, value);
    }
    void onPress(ofxGamepadButtonEvent& e) { add(e.gamepad, "pressed", e.button, e.value ? "true" : "false"); }
    void onRelease(ofxGamepadButtonEvent& e) { add(e.gamepad, "released", e.button, e.value ? "true" : "false"); }
    void onPov(ofxGamepadPovEvent& e) { add(e.gamepad, "pov", e.pov, std::to_string(e.value)); }
    void add(ofxGamepad* pad, const std::string& what, int index, const std::string& value) {
        lines.push_back(pad->getName() + " " + what + " " + std::to_string(index) + " " + value);
    }
    Lines lines;
};

std::unique_ptr<ofxGamepadOIS> quietPad(FakeJoyStick& stick) {
    std::unique_ptr<ofxGamepadOIS> pad;
    captureOutput([&] { pad.reset(new ofxGamepadOIS(&stick)); });
    return pad;
}

}  // namespace

TEST(GamepadTest, TypeComesFromTheExactNameAndAxesFromRawReadingsWithTheDeadZone) {
    ofxGamepad pad;
    const std::pair<const char*, int> types[] = {{"Sony PLAYSTATION(R)3 Controller", 1}, {"Microsoft Wireless 360 Controller", 2},
                                                 {"Sony PLAYSTATION(R)3 Controller ", 0}, {"microsoft Wireless 360 Controller", 0}};
    for (const auto& t : types) {
        pad.setName(t.first);
        EXPECT_EQ(pad.getType(), t.second) << t.first;
    }
    pad.setNumAxis(2);
    Journal journal(pad);
    // Inside the zone a reading is 0 (and announced as 0); outside it is kept as it is.
    const std::pair<int, float> cases[] = {{-32768, -1.0f}, {32767, 1.0f}, {1637, 0.0f}, {1638, 0.050003815f}, {-1638, 0.0f}};
    for (const auto& c : cases) {
        pad.axisChanged(1, c.first);
        EXPECT_FLOAT_EQ(pad.getAxisValue(1), c.second) << c.first;
    }
    EXPECT_EQ(pad.getAxisValue(0), 0.0f);
    EXPECT_EQ(journal.lines.size(), 5u);
    EXPECT_EQ(journal.lines[4], "microsoft Wireless 360 Controller axis 1 0.0000000");
}

TEST(GamepadTest, OneCaptureDeliversQueuedEventsInOrderIgnoringBadIndexesAndARebindKeepsListeners) {
    FakeJoyStick stick({"P", 2, 4, 1}, 0), second({"Q", 3, 6, 1}, 9);
    auto pad = quietPad(stick);
    Journal journal(*pad);
    stick.queueAxis(0, 32767);
    stick.queueButton(3, true);
    stick.queuePov(0, OIS::Pov::West);
    stick.queueAxis(1, -32768);
    stick.queueButton(3, false);
    stick.queueButton(9, true);  // beyond the pad's counts
    stick.queueButton(-1, true);
    stick.queueAxis(5, 100);
    stick.queuePov(2, OIS::Pov::North);
    stick.queueButton(1, true);
    pad->update();
    EXPECT_EQ(journal.lines, (Lines{"P axis 0 1.0000000", "P pressed 3 true", "P pov 0 4096", "P axis 1 -1.0000000",
                                    "P released 3 false", "P pressed 1 true"}));
    EXPECT_TRUE(pad->getButtonValue(1));
    EXPECT_EQ(pad->getPovValue(0), 0);  // announced, not stored

    captureOutput([&] { pad->setup(&second); });
    EXPECT_EQ(pad->getName() + " " + std::to_string(pad->getId()), "Q 9");
    EXPECT_EQ(std::to_string(pad->getNumAxis()) + std::to_string(pad->getNumButtons()) + std::to_string(pad->getNumPovs()), "361");
    EXPECT_FALSE(pad->getButtonValue(1));
    EXPECT_EQ(pad->getAxisValue(0), 0.0f);
    journal.lines.clear();
    second.queueButton(5, true);
    stick.queueButton(0, true);
    pad->update();
    EXPECT_EQ(journal.lines, Lines{"Q pressed 5 true"});
    EXPECT_EQ(stick.captures + second.captures, 2);
}

TEST(GamepadTest, ForceFeedbackIsProbedAndGainForwarded) {
    DeviceSpec rumble("Rumble", 2, 2), bare("Bare", 1, 1), none("None", 1, 1);
    rumble.feedback = bare.feedback = true;
    rumble.effects = {OIS::Effect::Constant, OIS::Effect::Sine};
    FakeJoyStick stick(rumble, 1), bareStick(bare, 2), noneStick(none, 3);
    auto pad = quietPad(stick);
    pad->setFeedbackGain(0.25f);
    pad->setFeedbackGain(1.0f);
    EXPECT_EQ(stick.forceFeedback()->gains, (std::vector<float>{0.25f, 1.0f}));
    EXPECT_TRUE(quietPad(bareStick)->hasForceFeedback());  // without effects, with a warning
    auto nonePad = quietPad(noneStick);
    EXPECT_FALSE(nonePad->hasForceFeedback());
    nonePad->setFeedbackGain(0.5f);  // nothing to set, and nothing breaks
}
