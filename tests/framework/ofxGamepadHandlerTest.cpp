#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CapturedOutput.h"
#include "WaitUntil.h"
#include "WindowLookup.h"
#include "ofEvents.h"
#include "ofLog.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"

using fakepads::FakeJoyStick;
using Lines = std::vector<std::string>;

namespace {

const std::string noPadWarning = "[warning] ofxGamepad::getGamepad(): WARNING NO GAMEPAD CONNECTED. GAMEPAD IS NULL.\n";
const std::string refusedError = "[error] ofxGamepadHandler: cannot open the input system: fake input system refused\n";

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
        // The exit event destroys the handler, when there is one.
        ofNotifyExit();
        ofxGamepadSetInputSystemFactory(nullptr);
        EXPECT_EQ(fakepads::useAfterDestroy(), 0);
    }

    ofxGamepadHandler* createQuietly() {
        ofxGamepadHandler* handler = nullptr;
        captureOutput([&] { handler = ofxGamepadHandler::get(); });
        return handler;
    }
    CapturedOutput rescan(ofxGamepadHandler* handler) {
        return captureOutput([&] { handler->updatePadList(); });
    }

    fakepads::FakeDevices devices;
};

}  // namespace

TEST_F(GamepadHandlerTest, CreationBindsEveryJoystickInOrderAndLogsEachOnce) {
    devices.plug({{"Pad A", 6, 14, 1}, {"Pad B", 2, 4, 0}});
    ofxGamepadHandler* handler = nullptr;
    CapturedOutput o = captureOutput([&] { handler = ofxGamepadHandler::get(); });
    EXPECT_EQ(o.out, "[notice] Pad A: 6 axis, 14 buttons, 1 povs\n[notice] Pad B: 2 axis, 4 buttons, 0 povs\n");
    EXPECT_EQ(devices.windowParam, "4242");
    EXPECT_EQ(ofxGamepadHandler::get(), handler);
    EXPECT_EQ(devices.opens(), 1);
    ASSERT_EQ(handler->getNumPads(), 2);
    EXPECT_EQ(handler->getGamepad(0)->getName() + handler->getGamepad(1)->getName(), "Pad APad B");
    EXPECT_EQ(handler->getGamepad(1)->getId(), 1);
    EXPECT_FALSE(handler->isHotplugEnabled());
    EXPECT_EQ(handler->getHotplugInterval(), 5000);
    o = captureOutput([&] {
        EXPECT_EQ(handler->getGamepad(2), nullptr);
        EXPECT_EQ(handler->getGamepad(-1), nullptr);
    });
    EXPECT_EQ(o.out, "");  // only an empty list warns
}

TEST_F(GamepadHandlerTest, MissingWindowLeavesThePadsAloneAndAnEmptyListWarns) {
    devices.plug({{"Pad A"}});
    vxRecordWindowTitle("Some other window");
    ofxGamepadHandler* handler = nullptr;
    CapturedOutput o = captureOutput([&] { handler = ofxGamepadHandler::get(); });
    EXPECT_EQ(devices.opens(), 0);
    EXPECT_EQ(o.out, "[warning] ofxGamepadHandler: window \"VANTORIX\" not found, pads not rescanned\n");
    EXPECT_EQ(handler->getNumPads(), 0);
    o = captureOutput([&] { EXPECT_EQ(handler->getGamepad(0), nullptr); });
    EXPECT_EQ(o.out, noPadWarning);
}

TEST_F(GamepadHandlerTest, UpdateEventPollsEveryPadInListOrder) {
    devices.plug({{"First"}, {"Second"}});
    ofxGamepadHandler* handler = createQuietly();
    PressLog log;
    log.attach(handler->getGamepad(0));
    log.attach(handler->getGamepad(1));
    std::vector<FakeJoyStick*> sticks = devices.latest();
    sticks[1]->queueButton(2, true);
    sticks[0]->queueButton(1, true);
    sticks[0]->queueButton(3, true);
    ofNotifyUpdate();
    EXPECT_EQ(log.lines, (Lines{"First 1", "First 3", "Second 2"}));
    EXPECT_EQ(sticks[0]->captures + sticks[1]->captures, 2);
}

TEST_F(GamepadHandlerTest, RebuildPutsPadsFoundAgainFirstThenNewOnes) {
    devices.plug({{"A"}, {"B"}, {"Gone"}});
    ofxGamepadHandler* handler = createQuietly();
    ofxGamepad* a = handler->getGamepad(0);
    ofxGamepad* b = handler->getGamepad(1);
    PressLog log;
    log.attach(b);
    std::vector<FakeJoyStick*> before = devices.latest();
    before[1]->queueButton(0, true);
    ofNotifyUpdate();
    ASSERT_TRUE(b->getButtonValue(0));

    devices.plug({{"New", 3, 1, 0}, {"B", 2, 6, 0}, {"A"}});
    EXPECT_EQ(rescan(handler).out, "[notice] New: 3 axis, 1 buttons, 0 povs\n");
    for (FakeJoyStick* old : before) EXPECT_TRUE(old->destroyed);
    ASSERT_EQ(handler->getNumPads(), 3);
    EXPECT_EQ(handler->getGamepad(0), b);
    EXPECT_EQ(handler->getGamepad(1), a);
    EXPECT_EQ(handler->getGamepad(2)->getName(), "New");
    std::vector<FakeJoyStick*> after = devices.latest();
    EXPECT_EQ(after[1]->listener(), dynamic_cast<OIS::JoyStickListener*>(b));
    EXPECT_EQ(after[2]->listener(), dynamic_cast<OIS::JoyStickListener*>(a));
    EXPECT_EQ(b->getNumButtons(), 6);
    EXPECT_FALSE(b->getButtonValue(0));
    EXPECT_EQ(b->getId(), 1);
    after[1]->queueButton(5, true);
    ofNotifyUpdate();
    EXPECT_EQ(log.lines, (Lines{"B 0", "B 5"}));

    // A second device of a known name adds a pad after the known one.
    ofxGamepad* newPad = handler->getGamepad(2);
    devices.plug({{"New", 4, 4, 0}, {"New", 2, 2, 0}});
    EXPECT_EQ(rescan(handler).out, "[notice] New: 2 axis, 2 buttons, 0 povs\n");
    ASSERT_EQ(handler->getNumPads(), 2);
    EXPECT_EQ(handler->getGamepad(0), newPad);
    EXPECT_EQ(newPad->getNumAxis(), 4);
    EXPECT_EQ(devices.latest()[1]->listener(), dynamic_cast<OIS::JoyStickListener*>(handler->getGamepad(1)));
}

TEST_F(GamepadHandlerTest, FailedRescanKeepsTheCurrentPads) {
    devices.plug({{"Kept"}});
    ofxGamepadHandler* handler = createQuietly();
    ofxGamepad* kept = handler->getGamepad(0);
    FakeJoyStick* stick = devices.latest()[0];
    devices.plug({{"Other"}});
    devices.failNextOpen = true;
    EXPECT_EQ(rescan(handler).err, refusedError);
    ASSERT_EQ(handler->getNumPads(), 1);
    EXPECT_EQ(handler->getGamepad(0), kept);
    EXPECT_FALSE(stick->destroyed);
    stick->queueButton(0, true);
    ofNotifyUpdate();
    EXPECT_TRUE(kept->getButtonValue(0));
}

TEST_F(GamepadHandlerTest, HotplugThreadSurvivesAFailedRescanAndFollowsPlugging) {
    devices.plug({{"Steady"}});
    ofxGamepadHandler* handler = createQuietly();
    ofxGamepad* steady = handler->getGamepad(0);
    devices.failNextOpen = true;
    devices.plug({{"Steady"}, {"Late"}});
    CapturedOutput o = captureOutput([&] {
        handler->enableHotplug(5);
        EXPECT_TRUE(handler->isHotplugEnabled());
        EXPECT_TRUE(waitUntil([&] { return handler->getNumPads() == 2; }));
    });
    EXPECT_EQ(o.err, refusedError);
    EXPECT_EQ(handler->getGamepad(0), steady);
    EXPECT_EQ(handler->getHotplugInterval(), 5);
    FakeJoyStick* late = devices.latest()[1];
    devices.plug({});
    EXPECT_TRUE(waitUntil([&] { return handler->getNumPads() == 0; }));
    EXPECT_TRUE(late->destroyed);
}

TEST_F(GamepadHandlerTest, MainThreadNeverPollsADestroyedJoystick) {
    devices.plug({{"P1"}, {"P2"}, {"P3"}});
    ofxGamepadHandler* handler = createQuietly();
    captureOutput([&] {
        handler->enableHotplug(0);
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
        for (int round = 1; std::chrono::steady_clock::now() < end; ++round) {
            // Devices come and go so that pads are both kept and dropped.
            if (round % 50 == 0) {
                if ((round / 50) % 2) devices.plug({{"P2"}, {"P4"}});
                else devices.plug({{"P1"}, {"P2"}, {"P3"}});
            }
            ofNotifyUpdate();
            for (int i = 0; i < handler->getNumPads(); ++i) handler->getGamepad(i);
        }
    });
    EXPECT_GT(devices.opens(), 20);
}

TEST_F(GamepadHandlerTest, ExitWhileTheThreadSleepsIsPromptAndClean) {
    devices.plug({{"Pad"}});
    ofxGamepadHandler* handler = createQuietly();
    handler->enableHotplug(60000);
    ASSERT_TRUE(waitUntil([&] { return devices.opens() == 2; }));
    FakeJoyStick* stick = devices.latest()[0];
    const auto start = std::chrono::steady_clock::now();
    ofNotifyExit();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(stick->destroyed);
    EXPECT_EQ(devices.opens(), 2);

    // The single handler is gone; a fresh one is made on the next call.
    ofxGamepadHandler* again = createQuietly();
    EXPECT_EQ(devices.opens(), 3);
    EXPECT_FALSE(again->isHotplugEnabled());
    EXPECT_EQ(again->getNumPads(), 1);
}

TEST_F(GamepadHandlerTest, EnablingAgainChangesTheIntervalAndDisablingStopsRescans) {
    ofxGamepadHandler* handler = createQuietly();
    handler->enableHotplug(60000);
    ASSERT_TRUE(waitUntil([&] { return devices.opens() == 2; }));
    CapturedOutput o = captureOutput([&] { handler->enableHotplug(250); });
    EXPECT_NE(o.out.find("cannot start, thread already running"), std::string::npos) << o.out;
    EXPECT_EQ(handler->getHotplugInterval(), 250);
    EXPECT_EQ(devices.opens(), 2);

    handler->disableHotplug();
    EXPECT_FALSE(handler->isHotplugEnabled());
    ASSERT_TRUE(waitUntil([&] { return !handler->isThreadRunning(); }));
    EXPECT_EQ(devices.opens(), 2);
    handler->enableHotplug(5);
    EXPECT_TRUE(waitUntil([&] { return devices.opens() >= 5; }));
    EXPECT_TRUE(handler->isThreadRunning());
}
