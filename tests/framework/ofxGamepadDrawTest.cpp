#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "CapturedOutput.h"
#include "RecordingRenderer.h"
#include "WindowLookup.h"
#include "ofEvents.h"
#include "ofGraphics.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"
#include "ofxGamepadOIS.h"

namespace {

using Calls = std::vector<std::string>;

Calls only(const Calls& calls, const std::string& prefix) {
    Calls out;
    for (const std::string& c : calls)
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
}

}  // namespace

// The debug view: the pad's name, a bar per axis with a marker at its value,
// a box per button, white while pressed; pads side by side from the handler.
TEST(GamepadDraw, PadViewShowsAxesAndButtonsAndTheHandlerPlacesPadsSideBySide) {
    auto renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    fakepads::FakeJoyStick stick({"Pad", 2, 3}, 5);
    std::unique_ptr<ofxGamepadOIS> pad;
    captureOutput([&] { pad.reset(new ofxGamepadOIS(&stick)); });
    stick.queueAxis(0, 32767);
    stick.queueAxis(1, -16384);
    stick.queueButton(1, true);
    pad->update();
    renderer->calls.clear();
    pad->draw(10, 30);
    const Calls& calls = renderer->calls;
    EXPECT_EQ(only(calls, "drawString(\"Pad"), (Calls{"drawString(\"Pad (5)\",0,0,0,4)"}));
    // Axis 0 at 1 (the bar's right end), axis 1 at -0.4999924.
    EXPECT_EQ(only(calls, "drawLine"), (Calls{"drawLine(102,0,0,102,17,0)", "drawLine(38.2503,20,0,38.2503,37,0)"}));
    auto pressed = std::find(calls.begin(), calls.end(), "drawRectangle(105,20,0,17,17)");
    ASSERT_NE(pressed, calls.end());
    EXPECT_EQ(*(pressed - 1), "setColor(255,255,255,255)");
    auto released = std::find(calls.begin(), calls.end(), "drawRectangle(105,40,0,17,17)");
    ASSERT_NE(released, calls.end());
    EXPECT_EQ(*(released - 1), "setColor(70,70,70,255)");
    EXPECT_EQ(pad->drawSize.x, 122.0f);

    fakepads::FakeDevices devices;
    vxRecordWindow(77);
    vxRecordWindowTitle("VANTORIX");
    ofxGamepadSetInputSystemFactory(devices.factory());
    devices.plug({{"Left", 1, 1}, {"Right", 0, 2}});
    ofxGamepadHandler* handler = nullptr;
    captureOutput([&] { handler = ofxGamepadHandler::get(); });
    renderer->calls.clear();
    handler->draw(10, 10);
    EXPECT_EQ(only(renderer->calls, "translate"),
              (Calls{"translate(10,10,0)", "translate(10,10,0)", "translate(152,10,0)"}));
    ofNotifyExit();
    ofxGamepadSetInputSystemFactory(nullptr);
    ofSetCurrentRenderer(nullptr);
}
