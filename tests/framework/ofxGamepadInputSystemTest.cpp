#include <gtest/gtest.h>

#include <OISException.h>

#include <string>

#include "CapturedOutput.h"
#include "WindowLookup.h"
#include "ofEvents.h"
#include "ofxGamepadHandler.h"
#include "ofxGamepadInputSystem.h"

// The real OIS road. Machines running the tests may or may not have pads, so
// counts are compared with what OIS itself reports.

TEST(GamepadInputSystemTest, OISRefusesAParameterListWithoutTheWindow) {
    OIS::ParamList params;
    EXPECT_THROW(ofxGamepadOpenInputSystem(params), OIS::Exception);
}

// Without the recorded window in its parameters OIS refuses (above), and the
// handler would log that and have no input system at all.
TEST(GamepadInputSystemTest, HandlerOpensOISWithTheRecordedWindow) {
    vxRecordWindow(4242);
    vxRecordWindowTitle("VANTORIX");
    OIS::ParamList params;
    params.insert(std::make_pair(std::string("WINDOW"), std::string("4242")));
    size_t present = ofxGamepadOpenOISInputSystem(params)->getJoysticks().size();

    ofxGamepadHandler* handler = nullptr;
    const CapturedOutput log = captureOutput([&] { handler = ofxGamepadHandler::get(); });
    EXPECT_EQ(log.err.find("cannot open the input system"), std::string::npos) << log.err;
    EXPECT_EQ(handler->getNumPads(), static_cast<int>(present));
    ofNotifyUpdate();
    ofNotifyExit();
}
