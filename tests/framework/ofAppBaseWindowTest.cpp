#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ofAppBaseWindow.h"
#include "ofAppRunner.h"
#include "ofBaseApp.h"
#include "ofEvents.h"

namespace {

struct ExitListener {
    void onExit(ofEventArgs&) { heard.push_back("exit event"); }
    std::vector<std::string> heard;
};

}  // namespace

// Before a window exists the forwarders talk to the interface's own
// defaults: harmless zeros, the upright orientation, and no effect.
TEST(AppBaseWindow, ForwardersWithoutAWindowAnswerTheInterfaceDefaults) {
    ASSERT_EQ(ofGetWindowPtr(), nullptr);
    ofSetFrameRate(30);
    ofSetWindowTitle("nothing");
    ofSetFullscreen(true);
    ofSetWindowShape(640, 480);
    ofHideCursor();
    auto number = [](double v) { return v; };
    const struct {
        const char* name;
        double value, expected;
    } answers[] = {
        {"frame number", number(ofGetFrameNum()), 0},       {"frame rate", ofGetFrameRate(), 0},
        {"width", number(ofGetWidth()), 0},                 {"height", number(ofGetHeight()), 0},
        {"window width", number(ofGetWindowWidth()), 0},    {"window height", number(ofGetWindowHeight()), 0},
        {"screen width", number(ofGetScreenWidth()), 0},    {"screen height", number(ofGetScreenHeight()), 0},
        {"orientation", number(ofGetOrientation()), 1},     {"rect width", ofGetWindowRect().width, 0},
        {"hardware turn", number(ofDoesHWOrientation()), 0},
    };
    for (const auto& a : answers) EXPECT_EQ(a.value, a.expected) << a.name;
    ofAppBaseWindow bare;
    EXPECT_EQ(bare.getWindowMode() + bare.getLastFrameTime() + bare.getWindowPosition().x, 0.0);
}

// An application that overrides nothing still lets the exit event be heard.
TEST(AppBaseWindow, AnApplicationWithNoOverridesTakesTheExitAndListenersStillHearIt) {
    ExitListener listener;
    ofAddListener(ofEvents().exit, &listener, &ExitListener::onExit);
    ofSetAppPtr(std::make_shared<ofBaseApp>());
    ofNotifyMouseMoved(12, 34);
    ofNotifyExit();
    ofRemoveListener(ofEvents().exit, &listener, &ExitListener::onExit);
    EXPECT_EQ(std::to_string(ofGetAppPtr()->mouseX) + " " + std::to_string(ofGetAppPtr()->mouseY), "12 34");
    ofSetAppPtr(nullptr);
    EXPECT_EQ(listener.heard, std::vector<std::string>{"exit event"});
}
