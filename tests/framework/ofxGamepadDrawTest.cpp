#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "CapturedOutput.h"
#include "RecordingRenderer.h"
#include "WindowLookup.h"
#include "ofEvents.h"
#include "ofGraphics.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadHandler.h"

// The debug view: the pad's name, a bar per axis with a marker at its value,
// a box per button, white while pressed; pads side by side from the handler.
TEST(GamepadDraw, PadViewShowsAxesAndButtonsAndTheHandlerPlacesPadsSideBySide) {
    auto renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    fakepads::FakeDevices devices;
    vxRecordWindow(77);
    vxRecordWindowTitle("VANTORIX");
    ofxGamepadSetInputSystemFactory(devices.factory());
    devices.plug({{"Left", 1, 2}, {"Right", 0, 2}});
    ofxGamepadHandler* handler = nullptr;
    captureOutput([&] { handler = ofxGamepadHandler::get(); });
    devices.latest()[0]->queueAxis(0, 32767);
    devices.latest()[0]->queueButton(1, true);
    ofNotifyUpdate();
    renderer->calls.clear();
    handler->draw(10, 10);
    const std::vector<std::string>& calls = renderer->calls;
    auto at = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) - calls.begin(); };
    const long translate = at("translate(152,10,0)");  // the second pad, one view width further
    ASSERT_LT(translate, static_cast<long>(calls.size()));
    EXPECT_LT(at("drawString(\"Left (0)\",0,0,0,4)"), translate);
    EXPECT_LT(at("drawLine(102,0,0,102,17,0)"), translate);  // axis 0 at 1, the bar's right end
    EXPECT_EQ(calls[static_cast<size_t>(at("drawRectangle(105,20,0,17,17)") - 1)], "setColor(255,255,255,255)");
    EXPECT_EQ(calls[static_cast<size_t>(at("drawRectangle(105,0,0,17,17)") - 1)], "setColor(70,70,70,255)");
    ofNotifyExit();
    ofxGamepadSetInputSystemFactory(nullptr);
    ofSetCurrentRenderer(nullptr);
}
