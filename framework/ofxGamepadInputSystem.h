#pragma once

#include <OISPrereqs.h>

#include <functional>
#include <memory>
#include <vector>

namespace OIS {
class JoyStick;
}

// One opened input system and the joysticks it created, in the order it
// listed them. Destroying it destroys those joysticks.
class ofxGamepadInputSystem {
public:
    virtual ~ofxGamepadInputSystem() = default;
    const std::vector<OIS::JoyStick*>& getJoysticks() const { return joysticks; }

protected:
    std::vector<OIS::JoyStick*> joysticks;
};

// Opens an input system from an OIS parameter list; may throw what OIS throws.
using ofxGamepadInputSystemFactory = std::function<std::unique_ptr<ofxGamepadInputSystem>(OIS::ParamList&)>;

// The real road: an OIS input manager with every joystick it finds, buffered.
std::unique_ptr<ofxGamepadInputSystem> ofxGamepadOpenOISInputSystem(OIS::ParamList& params);

// Tests swap in fake devices here; an empty function restores OIS.
void ofxGamepadSetInputSystemFactory(ofxGamepadInputSystemFactory factory);
std::unique_ptr<ofxGamepadInputSystem> ofxGamepadOpenInputSystem(OIS::ParamList& params);
