#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ofLog.h"
#include "ofxGamepad.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadOIS.h"

using fakepads::DeviceSpec;
using fakepads::FakeJoyStick;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

// Writes every pad event as one line, so order and payload are checked together.
struct Journal {
    std::vector<std::string> lines;
    void attach(ofxGamepad& pad) {
        ofAddListener(pad.axisEvent, this, &Journal::onAxis);
        ofAddListener(pad.buttonPressedEvent, this, &Journal::onPress);
        ofAddListener(pad.buttonReleasedEvent, this, &Journal::onRelease);
        ofAddListener(pad.povEvent, this, &Journal::onPov);
    }
    void onAxis(ofxGamepadAxisEvent& e) {
        char value[32];
        std::snprintf(value, sizeof(value), "%.7f", e.value);
        lines.push_back(tag(e.gamepad) + " axis " + std::to_string(e.axis) + " " + value);
    }
    void onPress(ofxGamepadButtonEvent& e) {
        lines.push_back(tag(e.gamepad) + " pressed " + std::to_string(e.button) + (e.value ? " true" : " false"));
    }
    void onRelease(ofxGamepadButtonEvent& e) {
        lines.push_back(tag(e.gamepad) + " released " + std::to_string(e.button) + (e.value ? " true" : " false"));
    }
    void onPov(ofxGamepadPovEvent& e) {
        lines.push_back(tag(e.gamepad) + " pov " + std::to_string(e.pov) + " " + std::to_string(e.value));
    }
    static std::string tag(ofxGamepad* pad) { return pad == nullptr ? "null" : pad->getName(); }
};

DeviceSpec deviceDesc(const std::string& name, int axes, int buttons, int povs) {
    DeviceSpec s;
    s.name = name;
    s.axes = axes;
    s.buttons = buttons;
    s.povs = povs;
    return s;
}

template <class F>
std::string captureOut(F f) {
    CaptureStdout();
    f();
    std::fflush(stdout);
    return GetCapturedStdout();
}

class GamepadTest : public testing::Test {
protected:
    void SetUp() override { ofSetLogLevel(OF_LOG_NOTICE); }
    void TearDown() override { ofSetLogLevel(OF_LOG_NOTICE); }
};

}  // namespace

TEST_F(GamepadTest, TypeComesFromTheExactName) {
    ofxGamepad pad;
    EXPECT_EQ(pad.getType(), 0);
    pad.setName("Sony PLAYSTATION(R)3 Controller");
    EXPECT_EQ(pad.getType(), 1);
    pad.setName("Microsoft Wireless 360 Controller");
    EXPECT_EQ(pad.getType(), 2);
    for (const char* near : {"Sony PLAYSTATION(R)3 Controller ", "sony PLAYSTATION(R)3 Controller",
                             "Sony PLAYSTATION(R)3 Controlle", "Microsoft Wireless 360 Controller\n",
                             "Microsoft X-Box 360 pad", ""}) {
        pad.setName("Microsoft Wireless 360 Controller");
        pad.setName(near);
        EXPECT_EQ(pad.getType(), 0) << '"' << near << '"';
        EXPECT_EQ(pad.getName(), near);
    }
}

TEST_F(GamepadTest, CountsResizeAndClearTheState) {
    ofxGamepad pad;
    pad.setNumAxis(3);
    pad.setNumButtons(2);
    pad.setNumPovs(1);
    pad.axisChanged(2, 32767);
    pad.setButton(1, true);
    EXPECT_FLOAT_EQ(pad.getAxisValue(2), 1.0f);
    EXPECT_TRUE(pad.getButtonValue(1));

    pad.setNumAxis(4);
    pad.setNumButtons(2);
    EXPECT_EQ(pad.getNumAxis(), 4);
    EXPECT_EQ(pad.getNumButtons(), 2);
    EXPECT_EQ(pad.getNumPovs(), 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pad.getAxisValue(i), 0.0f) << i;
    EXPECT_FALSE(pad.getButtonValue(1));
}

TEST_F(GamepadTest, AxisMapsRawReadingsWithTheDeadZone) {
    ofxGamepad pad;
    pad.setNumAxis(2);
    Journal journal;
    journal.attach(pad);
    struct Case {
        int raw;
        float expected;
    } cases[] = {
        {-32768, -1.0f},
        {32767, 1.0f},
        {0, 0.0f},  // 1/65535 lies inside the zone
        {1000, 0.0f},
        {2000, 0.061051346f},
        {1637, 0.0f},  // 0.04997 just inside
        {1638, 0.050003815f},
        {-1638, 0.0f},
        {-1639, -0.050003815f},
    };
    for (const Case& c : cases) {
        pad.axisChanged(1, c.raw);
        EXPECT_FLOAT_EQ(pad.getAxisValue(1), c.expected) << c.raw;
        EXPECT_EQ(pad.getAxisValue(0), 0.0f);
    }
    ASSERT_EQ(journal.lines.size(), 9u);
    EXPECT_EQ(journal.lines[0], " axis 1 -1.0000000");
    EXPECT_EQ(journal.lines[2], " axis 1 0.0000000");
    EXPECT_EQ(journal.lines[4], " axis 1 0.0610513");
}

TEST_F(GamepadTest, BindingTakesCountsNameIdAndListener) {
    FakeJoyStick stick(deviceDesc("Sony PLAYSTATION(R)3 Controller", 6, 14, 1), 7);
    std::string out;
    std::unique_ptr<ofxGamepadOIS> pad;
    out = captureOut([&] { pad.reset(new ofxGamepadOIS(&stick)); });
    EXPECT_EQ(out, "[notice] Sony PLAYSTATION(R)3 Controller: 6 axis, 14 buttons, 1 povs\n");
    EXPECT_EQ(pad->getNumAxis(), 6);
    EXPECT_EQ(pad->getNumButtons(), 14);
    EXPECT_EQ(pad->getNumPovs(), 1);
    EXPECT_EQ(pad->getType(), 1);
    EXPECT_EQ(pad->getId(), 7);
    EXPECT_EQ(stick.listener(), static_cast<OIS::JoyStickListener*>(pad.get()));
    EXPECT_EQ(pad->getJoystick(), &stick);
    EXPECT_FALSE(pad->hasForceFeedback());
    pad->setFeedbackGain(0.5f);  // nothing to set, and nothing breaks
}

TEST_F(GamepadTest, OneCaptureDeliversQueuedEventsInOrder) {
    FakeJoyStick stick(deviceDesc("P", 2, 4, 1), 0);
    ofxGamepadOIS pad(&stick);
    Journal journal;
    journal.attach(pad);
    stick.queueAxis(0, 32767);
    stick.queueButton(3, true);
    stick.queuePov(0, OIS::Pov::West);
    stick.queueAxis(1, -32768);
    stick.queueButton(3, false);
    stick.queueButton(9, true);  // beyond the pad's counts
    stick.queueButton(-1, true);
    stick.queueAxis(5, 100);
    stick.queuePov(2, OIS::Pov::North);
    EXPECT_TRUE(journal.lines.empty());
    pad.update();
    EXPECT_EQ(journal.lines, (std::vector<std::string>{"P axis 0 1.0000000", "P pressed 3 true", "P pov 0 4096",
                                                       "P axis 1 -1.0000000", "P released 3 false"}));
    EXPECT_FLOAT_EQ(pad.getAxisValue(0), 1.0f);
    EXPECT_FLOAT_EQ(pad.getAxisValue(1), -1.0f);
    EXPECT_FALSE(pad.getButtonValue(3));
    EXPECT_EQ(pad.getPovValue(0), 0);  // announced, not stored
    EXPECT_EQ(stick.captures, 1);
}

TEST_F(GamepadTest, RebindingResetsStateButKeepsListeners) {
    FakeJoyStick first(deviceDesc("Old name", 2, 4, 0), 3);
    FakeJoyStick second(deviceDesc("Microsoft Wireless 360 Controller", 3, 6, 1), 9);
    ofxGamepadOIS pad(&first);
    Journal journal;
    journal.attach(pad);
    first.queueButton(1, true);
    first.queueAxis(0, 32767);
    pad.update();
    ASSERT_TRUE(pad.getButtonValue(1));

    pad.setup(&second);
    EXPECT_EQ(pad.getName(), "Microsoft Wireless 360 Controller");
    EXPECT_EQ(pad.getType(), 2);
    EXPECT_EQ(pad.getId(), 9);
    EXPECT_EQ(pad.getNumAxis(), 3);
    EXPECT_EQ(pad.getNumButtons(), 6);
    EXPECT_EQ(pad.getNumPovs(), 1);
    EXPECT_FALSE(pad.getButtonValue(1));
    EXPECT_EQ(pad.getAxisValue(0), 0.0f);
    EXPECT_EQ(second.listener(), static_cast<OIS::JoyStickListener*>(&pad));

    journal.lines.clear();
    second.queueButton(5, true);
    pad.update();
    EXPECT_EQ(journal.lines, std::vector<std::string>{"Microsoft Wireless 360 Controller pressed 5 true"});
    EXPECT_EQ(first.captures, 1);
}

TEST_F(GamepadTest, ForceFeedbackIsProbedAndGainForwarded) {
    DeviceSpec rumble = deviceDesc("Rumble", 2, 2, 0);
    rumble.feedback = true;
    rumble.effects = {OIS::Effect::Constant, OIS::Effect::Sine};
    FakeJoyStick stick(rumble, 1);

    ofSetLogLevel(OF_LOG_VERBOSE);
    std::unique_ptr<ofxGamepadOIS> pad;
    std::string out = captureOut([&] { pad.reset(new ofxGamepadOIS(&stick)); });
    EXPECT_EQ(out,
              "[verbose]  * Supported effects :\n\n"
              "[verbose] Constant\n\n"
              "[verbose] Sine\n\n"
              "[notice] Rumble: 2 axis, 2 buttons, 0 povs\n");
    EXPECT_TRUE(pad->hasForceFeedback());
    pad->setFeedbackGain(0.25f);
    pad->setFeedbackGain(1.0f);
    EXPECT_EQ(stick.forceFeedback()->gains, (std::vector<float>{0.25f, 1.0f}));
}

TEST_F(GamepadTest, ForceFeedbackWithoutEffectsWarns) {
    DeviceSpec bare = deviceDesc("Bare", 1, 1, 0);
    bare.feedback = true;
    FakeJoyStick stick(bare, 2);
    std::unique_ptr<ofxGamepadOIS> pad;
    std::string out = captureOut([&] { pad.reset(new ofxGamepadOIS(&stick)); });
    EXPECT_EQ(out, "[warning] No supported effect found!\n\n[notice] Bare: 1 axis, 1 buttons, 0 povs\n");
    EXPECT_TRUE(pad->hasForceFeedback());
}
