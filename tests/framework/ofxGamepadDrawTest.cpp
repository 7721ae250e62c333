#include <gtest/gtest.h>

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

using fakepads::FakeJoyStick;

namespace {

class GamepadDrawTest : public testing::Test {
protected:
    void SetUp() override {
        renderer = std::make_shared<RecordingRenderer>();
        ofSetCurrentRenderer(renderer);
    }
    // The handler is the process's single one and reads the devices: it goes first.
    void TearDown() override {
        ofNotifyExit();
        ofxGamepadSetInputSystemFactory(nullptr);
        vxRecordWindowTitle("");
        vxRecordWindow(0);
        ofSetCurrentRenderer(nullptr);
    }
    std::shared_ptr<RecordingRenderer> renderer;
    fakepads::FakeDevices devices;
};

}  // namespace

TEST_F(GamepadDrawTest, PadViewShowsAxesAndButtons) {
    FakeJoyStick stick({"Pad", 2, 3}, 5);
    const std::unique_ptr<ofxGamepadOIS> pad = fakepads::quietPad(stick);
    stick.queueAxis(0, 32767);
    stick.queueAxis(1, -16384);
    stick.queueButton(1, true);
    pad->update();
    renderer->calls.clear();

    pad->draw(10, 30);
    std::vector<std::string> expected = {
        "pushMatrix()", "translate(10,30,0)",
        "setColor(255,255,255,255)", "pushMatrix()", "rotate(90)", "drawString(\"Pad (5)\",0,0,0,4)", "popMatrix()",
        // axis 0 at 1, axis 1 at -0.4999924
        "setColor(70,70,70,255)", "drawRectangle(17,0,0,85,17)",
        "setColor(255,255,255,255)", "drawLine(102,0,0,102,17,0)",
        "setColor(20,20,20,255)", "drawString(\"0\",17,16,0,4)",
        "setColor(70,70,70,255)", "drawRectangle(17,20,0,85,17)",
        "setColor(255,255,255,255)", "drawLine(38.2503,20,0,38.2503,37,0)",
        "setColor(20,20,20,255)", "drawString(\"1\",17,36,0,4)",
        // buttons, the middle one pressed
        "setColor(70,70,70,255)", "drawRectangle(105,0,0,17,17)", "setColor(20,20,20,255)", "drawString(\"0\",105,16,0,4)",
        "setColor(255,255,255,255)", "drawRectangle(105,20,0,17,17)", "setColor(20,20,20,255)", "drawString(\"1\",105,36,0,4)",
        "setColor(70,70,70,255)", "drawRectangle(105,40,0,17,17)", "setColor(20,20,20,255)", "drawString(\"2\",105,56,0,4)",
        "popMatrix()"};
    EXPECT_EQ(renderer->calls, expected);
    EXPECT_EQ(pad->drawSize.x, 122.0f);
}

TEST_F(GamepadDrawTest, HandlerPlacesPadsSideBySideFromTwiceTheOffset) {
    vxRecordWindow(77);
    vxRecordWindowTitle("VANTORIX");
    ofxGamepadSetInputSystemFactory(devices.factory());
    devices.plug({{"Left", 1, 1}, {"Right", 0, 2}});
    ofxGamepadHandler* handler = nullptr;
    captureOutput([&] { handler = ofxGamepadHandler::get(); });
    renderer->calls.clear();

    handler->draw(10, 10);
    std::vector<std::string> frames;
    // Only the frame of each pad: its own drawing is checked above.
    for (const std::string& call : renderer->calls)
        if (call.find("Matrix") != std::string::npos || call.find("translate") == 0 || call.find("drawString") == 0)
            frames.push_back(call);
    std::vector<std::string> expected = {
        "pushMatrix()", "translate(10,10,0)",
        "pushMatrix()", "translate(10,10,0)", "pushMatrix()", "drawString(\"Left (0)\",0,0,0,4)", "popMatrix()",
        "drawString(\"0\",17,16,0,4)", "drawString(\"0\",105,16,0,4)", "popMatrix()",
        "pushMatrix()", "translate(152,10,0)", "pushMatrix()", "drawString(\"Right (1)\",0,0,0,4)", "popMatrix()",
        "drawString(\"0\",105,16,0,4)", "drawString(\"1\",105,36,0,4)", "popMatrix()",
        "popMatrix()"};
    EXPECT_EQ(frames, expected);
}
