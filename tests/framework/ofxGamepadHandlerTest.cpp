#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "WindowLookup.h"
#include "ofEvents.h"
#include "ofLog.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"

using fakepads::DeviceSpec;
using fakepads::FakeDevices;
using fakepads::FakeJoyStick;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

DeviceSpec device(const std::string& name, int axes = 2, int buttons = 4, int povs = 0) {
    DeviceSpec s;
    s.name = name;
    s.axes = axes;
    s.buttons = buttons;
    s.povs = povs;
    return s;
}

bool waitUntil(const std::function<bool()>& done, int millis = 5000) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(millis);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}

struct Output {
    std::string out, err;
};

template <class F>
Output capture(F f) {
    CaptureStdout();
    CaptureStderr();
    f();
    std::fflush(stdout);
    std::fflush(stderr);
    Output o;
    o.out = GetCapturedStdout();
    o.err = GetCapturedStderr();
    return o;
}

struct PressLog {
    std::vector<std::string> lines;
    void onPress(ofxGamepadButtonEvent& e) {
        lines.push_back(e.gamepad->getName() + " " + std::to_string(e.button));
    }
};

class GamepadHandlerTest : public testing::Test {
protected:
    void SetUp() override {
        ofSetLogLevel(OF_LOG_NOTICE);
        fakepads::useAfterDestroy() = 0;
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
        capture([&] { handler = ofxGamepadHandler::get(); });
        return handler;
    }

    FakeDevices devices;
};

}  // namespace

TEST_F(GamepadHandlerTest, CreationBindsEveryJoystickInOrderAndLogsEachOnce) {
    devices.plug({device("Pad A", 6, 14, 1), device("Pad B", 2, 4, 0)});
    ofxGamepadHandler* handler = nullptr;
    Output o = capture([&] { handler = ofxGamepadHandler::get(); });
    EXPECT_EQ(o.out, "[notice] Pad A: 6 axis, 14 buttons, 1 povs\n[notice] Pad B: 2 axis, 4 buttons, 0 povs\n");
    EXPECT_EQ(devices.opens(), 1);
    EXPECT_EQ(devices.lastWindowParam(), "4242");
    EXPECT_EQ(ofxGamepadHandler::get(), handler);
    EXPECT_EQ(devices.opens(), 1);
    ASSERT_EQ(handler->getNumPads(), 2);
    EXPECT_EQ(handler->getGamepad(0)->getName(), "Pad A");
    EXPECT_EQ(handler->getGamepad(1)->getName(), "Pad B");
    EXPECT_EQ(handler->getGamepad(0)->getId(), 0);
    EXPECT_EQ(handler->getGamepad(1)->getId(), 1);
    EXPECT_FALSE(handler->isHotplugEnabled());
    EXPECT_EQ(handler->getHotplugInterval(), 5000);

    o = capture([&] {
        EXPECT_EQ(handler->getGamepad(2), nullptr);
        EXPECT_EQ(handler->getGamepad(-1), nullptr);
    });
    EXPECT_EQ(o.out, "");  // only an empty list warns
}

TEST_F(GamepadHandlerTest, NoPadsWarnsAndReturnsNull) {
    ofxGamepadHandler* handler = createQuietly();
    EXPECT_EQ(handler->getNumPads(), 0);
    ofxGamepad* pad = reinterpret_cast<ofxGamepad*>(1);
    Output o = capture([&] { pad = handler->getGamepad(0); });
    EXPECT_EQ(pad, nullptr);
    EXPECT_EQ(o.out, "[warning] ofxGamepad::getGamepad(): WARNING NO GAMEPAD CONNECTED. GAMEPAD IS NULL.\n");
}

TEST_F(GamepadHandlerTest, MissingWindowLeavesThePadsAlone) {
    devices.plug({device("Pad A")});
    vxRecordWindowTitle("Some other window");
    ofxGamepadHandler* handler = nullptr;
    Output o = capture([&] { handler = ofxGamepadHandler::get(); });
    EXPECT_EQ(devices.opens(), 0);
    EXPECT_EQ(handler->getNumPads(), 0);
    EXPECT_EQ(o.out, "[warning] ofxGamepadHandler: window \"VANTORIX\" not found, pads not rescanned\n");
}

TEST_F(GamepadHandlerTest, UpdateEventPollsEveryPadInListOrder) {
    devices.plug({device("First"), device("Second")});
    ofxGamepadHandler* handler = createQuietly();
    PressLog log;
    ofAddListener(handler->getGamepad(0)->buttonPressedEvent, &log, &PressLog::onPress);
    ofAddListener(handler->getGamepad(1)->buttonPressedEvent, &log, &PressLog::onPress);
    std::vector<FakeJoyStick*> sticks = devices.latest();
    sticks[1]->queueButton(2, true);
    sticks[0]->queueButton(1, true);
    sticks[0]->queueButton(3, true);
    EXPECT_TRUE(log.lines.empty());
    ofNotifyUpdate();
    EXPECT_EQ(log.lines, (std::vector<std::string>{"First 1", "First 3", "Second 2"}));
    EXPECT_EQ(sticks[0]->captures, 1);
    EXPECT_EQ(sticks[1]->captures, 1);
}

TEST_F(GamepadHandlerTest, RebuildPutsPadsFoundAgainFirstThenNewOnes) {
    devices.plug({device("A"), device("B"), device("Gone")});
    ofxGamepadHandler* handler = createQuietly();
    ofxGamepad* a = handler->getGamepad(0);
    ofxGamepad* b = handler->getGamepad(1);
    PressLog log;
    ofAddListener(b->buttonPressedEvent, &log, &PressLog::onPress);
    std::vector<FakeJoyStick*> before = devices.latest();
    before[1]->queueButton(0, true);
    ofNotifyUpdate();
    ASSERT_TRUE(b->getButtonValue(0));

    devices.plug({device("New", 3, 1, 0), device("B", 2, 6, 0), device("A")});
    Output o = capture([&] { handler->updatePadList(); });
    EXPECT_EQ(o.out, "[notice] New: 3 axis, 1 buttons, 0 povs\n");
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
    EXPECT_EQ(log.lines, (std::vector<std::string>{"B 0", "B 5"}));
}

TEST_F(GamepadHandlerTest, SecondDeviceOfTheSameNameAddsAPadAfterTheKnownOne) {
    devices.plug({device("Twin")});
    ofxGamepadHandler* handler = createQuietly();
    ofxGamepad* known = handler->getGamepad(0);
    devices.plug({device("Twin", 4, 4, 0), device("Twin", 2, 2, 0)});
    Output o = capture([&] { handler->updatePadList(); });
    EXPECT_EQ(o.out, "[notice] Twin: 2 axis, 2 buttons, 0 povs\n");
    ASSERT_EQ(handler->getNumPads(), 2);
    EXPECT_EQ(handler->getGamepad(0), known);
    EXPECT_EQ(known->getNumAxis(), 4);
    EXPECT_NE(handler->getGamepad(1), known);
    EXPECT_EQ(devices.latest()[1]->listener(), dynamic_cast<OIS::JoyStickListener*>(handler->getGamepad(1)));
}

TEST_F(GamepadHandlerTest, FailedRescanKeepsTheCurrentPads) {
    devices.plug({device("Kept")});
    ofxGamepadHandler* handler = createQuietly();
    ofxGamepad* kept = handler->getGamepad(0);
    FakeJoyStick* stick = devices.latest()[0];
    devices.plug({device("Other")});
    devices.failNextOpen();
    Output o = capture([&] { handler->updatePadList(); });
    EXPECT_EQ(o.err, "[error] ofxGamepadHandler: cannot open the input system: fake input system refused\n");
    ASSERT_EQ(handler->getNumPads(), 1);
    EXPECT_EQ(handler->getGamepad(0), kept);
    EXPECT_FALSE(stick->destroyed);
    stick->queueButton(0, true);
    ofNotifyUpdate();
    EXPECT_TRUE(kept->getButtonValue(0));
}

TEST_F(GamepadHandlerTest, HotplugThreadFindsPluggedAndUnpluggedPads) {
    ofxGamepadHandler* handler = createQuietly();
    EXPECT_EQ(devices.opens(), 1);
    devices.plug({device("Late")});
    capture([&] {
        handler->enableHotplug(5);
        EXPECT_TRUE(handler->isHotplugEnabled());
        EXPECT_TRUE(waitUntil([&] { return handler->getNumPads() == 1; }));
    });
    EXPECT_EQ(handler->getHotplugInterval(), 5);
    FakeJoyStick* stick = devices.latest()[0];
    devices.plug({});
    EXPECT_TRUE(waitUntil([&] { return handler->getNumPads() == 0; }));
    EXPECT_TRUE(stick->destroyed);
    Output o = capture([&] { EXPECT_EQ(handler->getGamepad(0), nullptr); });
    EXPECT_EQ(o.out, "[warning] ofxGamepad::getGamepad(): WARNING NO GAMEPAD CONNECTED. GAMEPAD IS NULL.\n");
}

TEST_F(GamepadHandlerTest, HotplugThreadSurvivesAFailingRescan) {
    devices.plug({device("Steady")});
    ofxGamepadHandler* handler = createQuietly();
    ofxGamepad* steady = handler->getGamepad(0);
    devices.failNextOpen();
    Output o = capture([&] {
        handler->enableHotplug(5);
        EXPECT_TRUE(waitUntil([&] { return devices.opens() >= 4; }));
    });
    EXPECT_NE(o.err.find("[error] ofxGamepadHandler: cannot open the input system: fake input system refused\n"),
              std::string::npos);
    EXPECT_EQ(handler->getNumPads(), 1);
    EXPECT_EQ(handler->getGamepad(0), steady);
}

TEST_F(GamepadHandlerTest, MainThreadNeverPollsADestroyedJoystick) {
    devices.plug({device("P1"), device("P2"), device("P3")});
    ofxGamepadHandler* handler = createQuietly();
    capture([&] {
        handler->enableHotplug(0);
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(400);
        int round = 0;
        while (std::chrono::steady_clock::now() < end) {
            // Devices come and go so that pads are both kept and dropped.
            if (++round % 50 == 0) {
                if ((round / 50) % 2) devices.plug({device("P2"), device("P4")});
                else devices.plug({device("P1"), device("P2"), device("P3")});
            }
            ofNotifyUpdate();
            for (int i = 0; i < handler->getNumPads(); ++i) handler->getGamepad(i);
        }
    });
    EXPECT_GT(devices.opens(), 20);
    EXPECT_EQ(fakepads::useAfterDestroy(), 0);
}

TEST_F(GamepadHandlerTest, ExitWhileTheThreadSleepsIsPromptAndClean) {
    devices.plug({device("Pad")});
    ofxGamepadHandler* handler = createQuietly();
    handler->enableHotplug(60000);
    ASSERT_TRUE(waitUntil([&] { return devices.opens() == 2; }));
    FakeJoyStick* stick = devices.latest()[0];

    auto start = std::chrono::steady_clock::now();
    ofNotifyExit();
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_TRUE(stick->destroyed);
    EXPECT_EQ(devices.opens(), 2);

    // The single handler is gone; a fresh one is made on the next call.
    ofxGamepadHandler* again = createQuietly();
    EXPECT_EQ(devices.opens(), 3);
    EXPECT_FALSE(again->isHotplugEnabled());
    EXPECT_EQ(again->getNumPads(), 1);
}

TEST_F(GamepadHandlerTest, DisablingStopsRescansAndEnablingStartsThemAgain) {
    ofxGamepadHandler* handler = createQuietly();
    handler->enableHotplug(60000);
    ASSERT_TRUE(waitUntil([&] { return devices.opens() == 2; }));
    handler->disableHotplug();
    EXPECT_FALSE(handler->isHotplugEnabled());
    ASSERT_TRUE(waitUntil([&] { return !handler->isThreadRunning(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(devices.opens(), 2);

    handler->enableHotplug(5);
    EXPECT_TRUE(waitUntil([&] { return devices.opens() >= 5; }));
    EXPECT_TRUE(handler->isThreadRunning());
}

TEST_F(GamepadHandlerTest, EnablingAgainWhileRunningOnlyChangesTheInterval) {
    ofxGamepadHandler* handler = createQuietly();
    handler->enableHotplug(60000);
    ASSERT_TRUE(waitUntil([&] { return devices.opens() == 2; }));
    Output o = capture([&] { handler->enableHotplug(250); });
    EXPECT_NE(o.out.find("cannot start, thread already running"), std::string::npos) << o.out;
    EXPECT_EQ(handler->getHotplugInterval(), 250);
    EXPECT_TRUE(handler->isHotplugEnabled());
    EXPECT_EQ(devices.opens(), 2);
}
