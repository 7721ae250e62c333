#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "ofxGamepad.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadOIS.h"

using fakepads::FakeJoyStick;
using Lines = std::vector<std::string>;

namespace {

// Writes every pad event as one line, so order and payload are checked together.
struct Journal {
    explicit Journal(ofxGamepad& pad) {
        ofAddListener(pad.axisEvent, this, &Journal::onAxis);
        ofAddListener(pad.buttonPressedEvent, this, &Journal::onButton);
        ofAddListener(pad.buttonReleasedEvent, this, &Journal::onButton);
        ofAddListener(pad.povEvent, this, &Journal::onPov);
    }
    void onAxis(ofxGamepadAxisEvent& e) { add(e.gamepad, "axis " + std::to_string(e.axis) + " " + std::to_string(e.value)); }
    void onButton(ofxGamepadButtonEvent& e) { add(e.gamepad, "button " + std::to_string(e.button) + (e.value ? " down" : " up")); }
    void onPov(ofxGamepadPovEvent& e) { add(e.gamepad, "pov " + std::to_string(e.pov) + " " + std::to_string(e.value)); }
    void add(ofxGamepad* pad, const std::string& what) { lines.push_back(pad->getName() + " " + what); }
    Lines lines;
};

std::unique_ptr<ofxGamepadOIS> quietPad(FakeJoyStick& stick) {
    std::unique_ptr<ofxGamepadOIS> pad;
    captureOutput([&] { pad.reset(new ofxGamepadOIS(&stick)); });
    return pad;
}

}  // namespace

TEST(GamepadTest, AxesComeFromRawReadingsWithTheDeadZone) {
    ofxGamepad pad;
    pad.setName("P");
    pad.setNumAxis(2);
    Journal journal(pad);
    // Inside the zone a reading is 0 (and announced as 0); outside it is kept as it is.
    const std::pair<int, float> cases[] = {{-32768, -1.0f}, {32767, 1.0f}, {1637, 0.0f}, {1638, 0.050003815f}, {-1638, 0.0f}};
    for (const auto& c : cases) {
        pad.axisChanged(1, c.first);
        EXPECT_FLOAT_EQ(pad.getAxisValue(1), c.second) << c.first;
    }
    EXPECT_EQ(pad.getAxisValue(0), 0.0f);
    EXPECT_EQ(journal.lines.back() + " " + std::to_string(journal.lines.size()), "P axis 1 0.000000 5");
}

TEST(GamepadTest, OneCaptureDeliversQueuedEventsInOrderIgnoringBadIndexesAndARebindKeepsListeners) {
    FakeJoyStick stick({"P", 2, 4, 1}, 0), second({"Q", 3, 6, 1}, 9);
    auto pad = quietPad(stick);
    Journal journal(*pad);
    stick.queueAxis(0, 32767);
    stick.queueButton(3, true);
    stick.queuePov(0, OIS::Pov::West);
    stick.queueButton(3, false);
    for (int bad : {9, -1}) stick.queueButton(bad, true);  // beyond the pad's counts
    stick.queueAxis(5, 100), stick.queuePov(2, OIS::Pov::North);
    stick.queueButton(1, true);
    pad->update();
    EXPECT_EQ(journal.lines, (Lines{"P axis 0 1.000000", "P button 3 down", "P pov 0 4096", "P button 3 up", "P button 1 down"}));
    EXPECT_EQ(pad->getPovValue(0), 0);  // announced, not stored

    captureOutput([&] { pad->setup(&second); });
    EXPECT_EQ(pad->getName() + " " + std::to_string(pad->getId()), "Q 9");
    EXPECT_EQ(pad->getNumAxis() * 100 + pad->getNumButtons() * 10 + pad->getNumPovs(), 361);
    EXPECT_FALSE(pad->getButtonValue(1) || pad->getAxisValue(0) != 0.0f);
    journal.lines.clear();
    second.queueButton(5, true);
    stick.queueButton(0, true);
    pad->update();
    EXPECT_EQ(journal.lines, Lines{"Q button 5 down"});
    EXPECT_EQ(stick.captures + second.captures, 2);
}
