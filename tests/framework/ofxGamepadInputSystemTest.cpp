#include <gtest/gtest.h>

#include "CapturedOutput.h"
#include "WindowLookup.h"
#include "ofEvents.h"
#include "ofxGamepadHandler.h"
#include "ofxGamepadInputSystem.h"

// The real OIS road: OIS refuses a parameter list without the window, and the
// handler would log that and have no input system at all. Machines running
// the tests may or may not have pads, so counts are compared with OIS's own.
TEST(GamepadInputSystemTest, HandlerOpensOISWithTheRecordedWindow) {
    vxRecordWindow(4242);
    vxRecordWindowTitle("VANTORIX");
    OIS::ParamList params{{"WINDOW", "4242"}};
    const size_t present = ofxGamepadOpenOISInputSystem(params)->getJoysticks().size();
    ofxGamepadHandler* handler = nullptr;
    EXPECT_EQ(captureOutput([&] { handler = ofxGamepadHandler::get(); }).err.find("cannot open the input system"), std::string::npos);
    EXPECT_EQ(handler->getNumPads(), static_cast<int>(present));
    ofNotifyExit();
    vxRecordWindowTitle("");
    vxRecordWindow(0);
}
