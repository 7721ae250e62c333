#include <gtest/gtest.h>

#include <OISException.h>

#include <string>

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

TEST(GamepadInputSystemTest, HandlerOpensOISWithTheRecordedWindow) {
    vxRecordWindow(4242);
    vxRecordWindowTitle("VANTORIX");
    OIS::ParamList params;
    params.insert(std::make_pair(std::string("WINDOW"), std::string("4242")));
    size_t present = ofxGamepadOpenOISInputSystem(params)->getJoysticks().size();

    testing::internal::CaptureStdout();
    ofxGamepadHandler* handler = ofxGamepadHandler::get();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(handler->getNumPads(), static_cast<int>(present));
    ofNotifyUpdate();
    ofNotifyExit();
}

