#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "KeptLogLevel.h"
#include "ofLog.h"
#include "ofxGamepad.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadOIS.h"

using fakepads::DeviceSpec;
using fakepads::FakeJoyStick;
using fakepads::quietPad;
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

// Only the exact names of the two known pads give them their types.
TEST(GamepadTest, TypeComesFromTheExactName) {
    const std::pair<const char*, int> names[] = {
        {"Sony PLAYSTATION(R)3 Controller", OFX_GAMEPAD_PS3},
        {"Microsoft Wireless 360 Controller", OFX_GAMEPAD_XBOX360_WIRELESS},
        {"Sony PLAYSTATION(R)3 Controller ", OFX_GAMEPAD_UNKNOWN},
        {"sony PLAYSTATION(R)3 Controller", OFX_GAMEPAD_UNKNOWN},
        {"Sony PLAYSTATION(R)3 Controlle", OFX_GAMEPAD_UNKNOWN},
        {"Microsoft Wireless 360 Controller\n", OFX_GAMEPAD_UNKNOWN},
        {"Microsoft X-Box 360 pad", OFX_GAMEPAD_UNKNOWN},
        {"", OFX_GAMEPAD_UNKNOWN},
    };
    ofxGamepad pad;
    EXPECT_EQ(pad.getType(), OFX_GAMEPAD_UNKNOWN);
    for (const auto& n : names) {
        pad.setName("Microsoft Wireless 360 Controller");  // a known type first, so each name must reset it
        pad.setName(n.first);
        EXPECT_EQ(pad.getType(), n.second) << '"' << n.first << '"';
    }
    FakeJoyStick stick({"Sony PLAYSTATION(R)3 Controller", 1, 1}, 4);
    EXPECT_EQ(quietPad(stick)->getType(), OFX_GAMEPAD_PS3);  // the device's vendor name is the pad's name
}

// Binding probes the device for force feedback and lists its effects in
// verbose lines; the gain goes to the device only when it has feedback.
TEST(GamepadTest, ForceFeedbackIsProbedAndGainForwarded) {
    DeviceSpec rumble("Rumble", 2, 2), bare("Bare", 1, 1), none("None", 1, 1);
    rumble.feedback = bare.feedback = true;
    rumble.effects = {OIS::Effect::Constant, OIS::Effect::Sine};
    FakeJoyStick rumbleStick(rumble, 1), bareStick(bare, 2), noneStick(none, 3);
    const struct {
        FakeJoyStick* stick;
        bool feedback;
        std::string lines;
    } cases[] = {
        {&rumbleStick, true,
         "[verbose]  * Supported effects :\n\n[verbose] Constant\n\n[verbose] Sine\n\n"
         "[notice] Rumble: 2 axis, 2 buttons, 0 povs\n"},
        {&bareStick, true, "[warning] No supported effect found!\n\n[notice] Bare: 1 axis, 1 buttons, 0 povs\n"},
        {&noneStick, false, "[verbose] No force feedback support detected!\n\n[notice] None: 1 axis, 1 buttons, 0 povs\n"},
    };
    const KeptLogLevel threshold;
    ofSetLogLevel(OF_LOG_VERBOSE);
    for (const auto& c : cases) {
        std::unique_ptr<ofxGamepadOIS> pad;
        EXPECT_EQ(captureOutput([&] { pad.reset(new ofxGamepadOIS(c.stick)); }).out, c.lines);
        EXPECT_EQ(pad->hasForceFeedback(), c.feedback);
        pad->setFeedbackGain(0.25f);
        pad->setFeedbackGain(1.0f);
        if (c.stick->forceFeedback()) {
            EXPECT_EQ(c.stick->forceFeedback()->gains, (std::vector<float>{0.25f, 1.0f}));
        }
    }
    ofSetLogLevel(OF_LOG_NOTICE);
    std::unique_ptr<ofxGamepadOIS> unbound;
    EXPECT_EQ(captureOutput([&] { unbound.reset(new ofxGamepadOIS(nullptr)); }).out,
              "[warning] ofxGamepadOIS: no joystick to bind\n[notice] : 0 axis, 0 buttons, 0 povs\n");
    unbound->setFeedbackGain(0.5f);  // nothing to set, and nothing breaks
    EXPECT_FALSE(unbound->hasForceFeedback());
}
