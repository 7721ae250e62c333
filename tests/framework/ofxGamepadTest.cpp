#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "CapturedOutput.h"
#include "ofLog.h"
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

}  // namespace

TEST(GamepadTest, TypeComesFromTheExactName) {
    ofxGamepad pad;
    EXPECT_EQ(pad.getType(), 0);
    pad.setName("Sony PLAYSTATION(R)3 Controller");
    EXPECT_EQ(pad.getType(), 1);
    for (const char* near : {"Sony PLAYSTATION(R)3 Controller ", "sony PLAYSTATION(R)3 Controller",
                             "Sony PLAYSTATION(R)3 Controlle", "Microsoft Wireless 360 Controller\n",
                             "Microsoft X-Box 360 pad", ""}) {
        pad.setName("Microsoft Wireless 360 Controller");
        EXPECT_EQ(pad.getType(), 2);
        pad.setName(near);
        EXPECT_EQ(pad.getType(), 0) << '"' << near << '"';
    }
}

TEST(GamepadTest, AxisMapsRawReadingsWithTheDeadZone) {
    ofxGamepad pad;
    pad.setNumAxis(2);
    Journal journal(pad);
    const std::pair<int, float> cases[] = {
        {-32768, -1.0f}, {32767, 1.0f}, {0, 0.0f},  // 1/65535 lies inside the zone
        {1000, 0.0f},    {2000, 0.061051346f},
        {1637, 0.0f},  // 0.04997 just inside
        {1638, 0.050003815f}, {-1638, 0.0f}, {-1639, -0.050003815f},
    };
    for (const auto& c : cases) {
        pad.axisChanged(1, c.first);
        EXPECT_FLOAT_EQ(pad.getAxisValue(1), c.second) << c.first;
    }
    EXPECT_EQ(pad.getAxisValue(0), 0.0f);
    // Readings inside the zone are announced too, as 0.
    ASSERT_EQ(journal.lines.size(), 9u);
    EXPECT_EQ(journal.lines[3], " axis 1 0.0000000");
    EXPECT_EQ(journal.lines[4], " axis 1 0.0610513");
}

TEST(GamepadTest, OneCaptureDeliversQueuedEventsInOrderAndIgnoresBadIndexes) {
    FakeJoyStick stick({"P", 2, 4, 1}, 0);
    std::unique_ptr<ofxGamepadOIS> pad;
    captureOutput([&] { pad.reset(new ofxGamepadOIS(&stick)); }).out;
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
    pad->update();
    EXPECT_EQ(journal.lines, (Lines{"P axis 0 1.0000000", "P pressed 3 true", "P pov 0 4096", "P axis 1 -1.0000000",
                                    "P released 3 false"}));
    EXPECT_FLOAT_EQ(pad->getAxisValue(1), -1.0f);
    EXPECT_FALSE(pad->getButtonValue(3));
    EXPECT_EQ(pad->getPovValue(0), 0);  // announced, not stored
    EXPECT_EQ(stick.captures, 1);
}

TEST(GamepadTest, BindingAndRebindingTakeTheDeviceAndKeepListeners) {
    FakeJoyStick first({"Old name", 2, 4, 0}, 3);
    FakeJoyStick second({"Microsoft Wireless 360 Controller", 3, 6, 1}, 9);
    std::unique_ptr<ofxGamepadOIS> pad;
    EXPECT_EQ(captureOutput([&] { pad.reset(new ofxGamepadOIS(&first)); }).out,
              "[notice] Old name: 2 axis, 4 buttons, 0 povs\n");
    EXPECT_EQ(pad->getId(), 3);
    EXPECT_FALSE(pad->hasForceFeedback());
    pad->setFeedbackGain(0.5f);  // nothing to set, and nothing breaks
    Journal journal(*pad);
    first.queueButton(1, true);
    first.queueAxis(0, 32767);
    pad->update();
    ASSERT_TRUE(pad->getButtonValue(1));

    captureOutput([&] { pad->setup(&second); }).out;
    EXPECT_EQ(pad->getName(), "Microsoft Wireless 360 Controller");
    EXPECT_EQ(pad->getType(), 2);
    EXPECT_EQ(pad->getId(), 9);
    EXPECT_EQ(std::make_tuple(pad->getNumAxis(), pad->getNumButtons(), pad->getNumPovs()), std::make_tuple(3, 6, 1));
    EXPECT_FALSE(pad->getButtonValue(1));
    EXPECT_EQ(pad->getAxisValue(0), 0.0f);
    EXPECT_EQ(second.listener(), static_cast<OIS::JoyStickListener*>(pad.get()));
    journal.lines.clear();
    second.queueButton(5, true);
    pad->update();
    EXPECT_EQ(journal.lines, Lines{"Microsoft Wireless 360 Controller pressed 5 true"});
    EXPECT_EQ(first.captures, 1);
}

TEST(GamepadTest, ForceFeedbackIsProbedAndGainForwarded) {
    DeviceSpec rumble("Rumble", 2, 2), bare("Bare", 1, 1);
    rumble.feedback = bare.feedback = true;
    rumble.effects = {OIS::Effect::Constant, OIS::Effect::Sine};
    FakeJoyStick stick(rumble, 1), bareStick(bare, 2);
    std::unique_ptr<ofxGamepadOIS> pad, barePad;
    captureOutput([&] { pad.reset(new ofxGamepadOIS(&stick)); });
    EXPECT_TRUE(pad->hasForceFeedback());
    pad->setFeedbackGain(0.25f);
    pad->setFeedbackGain(1.0f);
    EXPECT_EQ(stick.forceFeedback()->gains, (std::vector<float>{0.25f, 1.0f}));

    EXPECT_EQ(captureOutput([&] { barePad.reset(new ofxGamepadOIS(&bareStick)); }).out.find("[warning] No supported effect found!\n"), 0u);
    EXPECT_TRUE(barePad->hasForceFeedback());
}
