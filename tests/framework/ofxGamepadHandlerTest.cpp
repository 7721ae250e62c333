#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "WaitUntil.h"
#include "WindowLookup.h"
#include "ofEvents.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"

using fakepads::FakeJoyStick;
using Lines = std::vector<std::string>;

namespace {

struct PressLog {
    Lines lines;
    void onPress(ofxGamepadButtonEvent& e) { lines.push_back(e.gamepad->getName() + " " + std::to_string(e.button)); }
    void attach(ofxGamepad* pad) { ofAddListener(pad->buttonPressedEvent, this, &PressLog::onPress); }
};

class GamepadHandlerTest : public testing::Test {
protected:
    void SetUp() override {
        vxRecordWindow(4242);
        vxRecordWindowTitle("VANTORIX");
        ofxGamepadSetInputSystemFactory(devices.factory());
    }
    void TearDown() override {
        ofNotifyExit();  // destroys the handler, when there is one
        ofxGamepadSetInputSystemFactory(nullptr);
        vxRecordWindowTitle("");
        vxRecordWindow(0);
        EXPECT_EQ(fakepads::useAfterDestroy(), 0);
    }
    ofxGamepadHandler* createQuietly() {
        ofxGamepadHandler* handler = nullptr;
        captureOutput([&] { handler = ofxGamepadHandler::get(); });
        return handler;
    }

    fakepads::FakeDevices devices;
};

}  // namespace

TEST_F(GamepadHandlerTest, WithoutTheGamesWindowThePadsAreLeftAloneAndAnEmptyListWarns) {
    devices.plug({{"Pad A"}});
    vxRecordWindowTitle("Some other window");
    ofxGamepadHandler* handler = createQuietly();
    EXPECT_EQ(devices.opens() + handler->getNumPads(), 0);
    EXPECT_EQ(captureOutput([&] { EXPECT_EQ(handler->getGamepad(0), nullptr); }).out,
              "[warning] ofxGamepad::getGamepad(): WARNING NO GAMEPAD CONNECTED. GAMEPAD IS NULL.\n");
}

TEST_F(GamepadHandlerTest, ARescanPutsPadsFoundAgainFirstThenNewOnes) {
    devices.plug({{"A"}, {"B"}, {"Gone"}});
    ofxGamepadHandler* handler = createQuietly();
    ofxGamepad *a = handler->getGamepad(0), *b = handler->getGamepad(1);
    PressLog log;
    log.attach(b);
    const std::vector<FakeJoyStick*> before = devices.latest();
    before[1]->queueButton(0, true);
    ofNotifyUpdate();  // b's button 0 down

    // A second device of a known name gets a pad of its own.
    devices.plug({{"New", 3, 1, 0}, {"B", 2, 6, 0}, {"A"}, {"B", 1, 1, 0}});
    captureOutput([&] { handler->updatePadList(); });
    for (FakeJoyStick* old : before) EXPECT_TRUE(old->destroyed);
    ASSERT_EQ(handler->getNumPads(), 4);
    EXPECT_TRUE(handler->getGamepad(0) == b && handler->getGamepad(1) == a);
    EXPECT_EQ(handler->getGamepad(2)->getName() + handler->getGamepad(3)->getName(), "NewB");
    const std::vector<FakeJoyStick*> after = devices.latest();
    const int padOf[] = {2, 0, 1, 3};  // each device feeds its own pad
    for (int i : {0, 1, 2, 3}) EXPECT_EQ(after[i]->listener(), dynamic_cast<OIS::JoyStickListener*>(handler->getGamepad(padOf[i])));
    EXPECT_TRUE(b->getNumButtons() == 6 && b->getId() == 1 && !b->getButtonValue(0));
    after[1]->queueButton(5, true);
    ofNotifyUpdate();
    EXPECT_EQ(log.lines, (Lines{"B 0", "B 5"}));
}

// A failed rescan keeps the pads as they are, the same objects.
TEST_F(GamepadHandlerTest, HotplugThreadSurvivesAFailedRescanAndFollowsPlugging) {
    devices.plug({{"Steady"}});
    ofxGamepadHandler* handler = createQuietly();
    ofxGamepad* steady = handler->getGamepad(0);
    devices.failNextOpen = true;
    devices.plug({{"Steady"}, {"Late"}});
    CapturedOutput o = captureOutput([&] {
        handler->enableHotplug(5);
        EXPECT_TRUE(waitUntil([&] { return handler->getNumPads() == 2; }));
    });
    EXPECT_EQ(o.err, "[error] ofxGamepadHandler: cannot open the input system: fake input system refused\n");
    EXPECT_EQ(handler->getGamepad(0), steady);
    FakeJoyStick* late = devices.latest()[1];
    devices.plug({});
    EXPECT_TRUE(waitUntil([&] { return handler->getNumPads() == 0; }) && late->destroyed);
}

// The fakes count every call on a destroyed joystick (checked in TearDown).
TEST_F(GamepadHandlerTest, MainThreadNeverPollsADestroyedJoystick) {
    devices.plug({{"P1"}, {"P2"}, {"P3"}});
    ofxGamepadHandler* handler = createQuietly();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);  // bounds a failing run only
    captureOutput([&] {
        handler->enableHotplug(0);
        for (int round = 1; devices.opens() < 40 && std::chrono::steady_clock::now() < limit; ++round) {
            // Devices come and go so that pads are both kept and dropped.
            if (round % 50 == 0) devices.plug({{(round / 50) % 2 ? "P4" : "P1"}, {"P2"}, {"P3"}});
            ofNotifyUpdate();
            for (int i = 0; i < handler->getNumPads(); ++i) handler->getGamepad(i);
        }
    });
    EXPECT_GE(devices.opens(), 40);
    EXPECT_EQ(fakepads::useAfterDestroy(), 0);
}

TEST_F(GamepadHandlerTest, EnablingAgainChangesTheIntervalDisablingStopsRescansAndExitIsPromptAndClean) {
    devices.plug({{"Pad"}});
    ofxGamepadHandler* handler = createQuietly();
    handler->enableHotplug(600000);
    ASSERT_TRUE(waitUntil([&] { return devices.opens() == 2; }));  // a rescan at once, then the long sleep
    captureOutput([&] { handler->enableHotplug(250); });
    EXPECT_EQ(handler->getHotplugInterval(), 250);
    handler->disableHotplug();
    EXPECT_FALSE(handler->isHotplugEnabled());
    ASSERT_TRUE(waitUntil([&] { return !handler->isThreadRunning(); }));
    EXPECT_EQ(devices.opens(), 2);
    handler->enableHotplug(600000);
    ASSERT_TRUE(waitUntil([&] { return devices.opens() == 3; }));
    FakeJoyStick* stick = devices.latest()[0];
    const auto start = std::chrono::steady_clock::now();
    ofNotifyExit();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));  // not the ten minutes' sleep
    EXPECT_TRUE(stick->destroyed);
    EXPECT_EQ(devices.opens(), 3);
    // The single handler is gone; a fresh one is made on the next call.
    EXPECT_FALSE(createQuietly()->isHotplugEnabled());
    EXPECT_EQ(devices.opens(), 4);
}
