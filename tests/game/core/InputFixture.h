#pragma once

#include <vector>

#include "CoreFixture.h"
#include "WindowLookup.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"

// Fake pads behind the pad handler: plugging pads and running one menu frame
// attaches them.
class InputFixture : public CoreFixture {
protected:
    void SetUp() override {
        vxRecordWindow(4242);
        vxRecordWindowTitle("VANTORIX");
        ofxGamepadSetInputSystemFactory(devices.factory());
        CoreFixture::SetUp();
        // The mouse rests at the middle, so mouse steering holds ships still.
        app->mouseX = 480;
        app->mouseY = 480;
    }
    void TearDown() override {
        CoreFixture::TearDown();
        ofxGamepadSetInputSystemFactory(nullptr);
        vxRecordWindowTitle("");
        vxRecordWindow(0);
    }

    void plug(const std::vector<fakepads::DeviceSpec>& specs) {
        devices.plug(specs);
        captureOutput([&] { step(0.033f); });
    }
    static fakepads::DeviceSpec padNamed(const std::string& name, int axes = 4, int buttons = 12) {
        return fakepads::DeviceSpec(name, axes, buttons);
    }
    // A press through the pad's own event, as a real pad delivers it.
    void press(int pad, int button) {
        ASSERT_NE(app->attachedPads[pad], nullptr);
        app->attachedPads[pad]->setButton(button, true);
        app->attachedPads[pad]->setButton(button, false);
    }
    void axis(int pad, int id, float value) {
        ofxGamepadAxisEvent event;
        event.axis = id;
        event.value = value;
        app->handlePadAxis(pad, event);
    }
    // One input action of a pad, as its button map names it.
    void action(int which, int pad = 0) {
        ofxGamepadButtonEvent event;
        event.button = app->buttonMap[pad][which];
        event.value = true;
        app->handlePadButton(pad, event, false, app->buttonMap[pad]);
    }

    fakepads::FakeDevices devices;
};
