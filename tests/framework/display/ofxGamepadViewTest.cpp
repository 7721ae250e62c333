#include <gtest/gtest.h>

#include <memory>

#include "GLTestWindow.h"
#include "ofGraphics.h"
#include "ofxGamepadFakes.h"
#include "ofxGamepadOIS.h"

using fakepads::DeviceSpec;
using fakepads::FakeJoyStick;

namespace {

bool is(const ofColor& c, int r, int g, int b) {
    return c.r == r && c.g == g && c.b == b;
}

}  // namespace

// The pad view at (10, 30): axis bars from x 27 to 112 with the value's
// marker, button boxes from x 115 to 132, pressed buttons white.
TEST(GamepadView, AxesAndButtonsAtTheirPixels) {
    GLTestWindow::openScreen(320, 240);

    FakeJoyStick stick(DeviceSpec("Pad", 2, 3), 5);
    const std::unique_ptr<ofxGamepadOIS> made = fakepads::quietPad(stick);
    ofxGamepadOIS& pad = *made;
    stick.queueAxis(0, 32767);   // 1: marker at the bar's right end
    stick.queueAxis(1, -32768);  // -1: marker at the bar's left end
    stick.queueButton(1, true);
    pad.update();

    ofFill();
    pad.draw(10, 30);

    // Axis bars: grey inside, no marker in the middle.
    EXPECT_TRUE(is(GLTestWindow::pixel(70, 32), 70, 70, 70));
    EXPECT_TRUE(is(GLTestWindow::pixel(70, 52), 70, 70, 70));
    EXPECT_TRUE(is(GLTestWindow::pixel(27, 32), 70, 70, 70));
    EXPECT_TRUE(is(GLTestWindow::pixel(26, 32), 0, 0, 0));
    EXPECT_TRUE(is(GLTestWindow::pixel(113, 32), 0, 0, 0));
    // Buttons: 0 and 2 released (grey), 1 pressed (white).
    EXPECT_TRUE(is(GLTestWindow::pixel(130, 32), 70, 70, 70));
    EXPECT_TRUE(is(GLTestWindow::pixel(130, 52), 255, 255, 255));
    EXPECT_TRUE(is(GLTestWindow::pixel(130, 72), 70, 70, 70));
    EXPECT_TRUE(is(GLTestWindow::pixel(130, 48), 0, 0, 0));  // gap between boxes
    // Below the last button nothing is drawn.
    EXPECT_TRUE(is(GLTestWindow::pixel(130, 90), 0, 0, 0));

    // The value markers are white lines across each bar, at its ends.
    int whiteNearRight = 0, whiteNearLeft = 0;
    for (int x = 108; x <= 114; ++x) whiteNearRight += is(GLTestWindow::pixel(x, 38), 255, 255, 255);
    for (int x = 24; x <= 30; ++x) whiteNearLeft += is(GLTestWindow::pixel(x, 58), 255, 255, 255);
    EXPECT_EQ(whiteNearRight, 1);
    EXPECT_EQ(whiteNearLeft, 1);
}
