#pragma once

#include <OISJoyStick.h>

#include "ofxGamepad.h"

namespace OIS {
class ForceFeedback;
}

// A pad bound to one OIS joystick. The joystick belongs to the input system
// that created it; the pad only listens to it.
class ofxGamepadOIS : public ofxGamepad, public OIS::JoyStickListener {
public:
    explicit ofxGamepadOIS(OIS::JoyStick* joystick);
    ~ofxGamepadOIS() override;

    // Binds to a joystick: counts, name and type are taken from it, states
    // are cleared; dead zones and listeners stay. Nothing that already
    // matches the joystick is written again.
    void setup(OIS::JoyStick* joystick);

    // Delivers the joystick's queued events on the calling thread.
    void update() override;
    void setFeedbackGain(float level) override;
    void exit() override {}

    bool buttonPressed(const OIS::JoyStickEvent& event, int button) override;
    bool buttonReleased(const OIS::JoyStickEvent& event, int button) override;
    bool axisMoved(const OIS::JoyStickEvent& event, int axis) override;
    bool povMoved(const OIS::JoyStickEvent& event, int pov) override;

    OIS::JoyStick* getJoystick() const { return joystick; }
    bool hasForceFeedback() const { return hasFeedback; }

private:
    OIS::JoyStick* joystick = nullptr;
    OIS::ForceFeedback* feedback = nullptr;
    bool hasFeedback = false;
};
