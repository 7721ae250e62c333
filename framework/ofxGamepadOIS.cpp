#include "ofxGamepadOIS.h"

#include <OISEffect.h>
#include <OISForceFeedback.h>

#include <exception>

#include "ofLog.h"

ofxGamepadOIS::ofxGamepadOIS(OIS::JoyStick* stick) {
    setup(stick);
    ofLog() << name << ": " << getNumAxis() << " axis" << ", " << getNumButtons() << " buttons" << ", " << getNumPovs()
            << " povs";
}

ofxGamepadOIS::~ofxGamepadOIS() = default;

void ofxGamepadOIS::setup(OIS::JoyStick* stick) {
    joystick = stick;
    feedback = nullptr;
    hasFeedback = false;
    if (joystick == nullptr) {
        rebindState(0, 0, 0);
        rebindName("");
        ofLogWarning() << "ofxGamepadOIS: no joystick to bind";
        return;
    }
    // Re-bound to the same device at each rescan: what is alike stays as it
    // is, since the main thread may be reading it.
    rebindState(joystick->getNumberOfComponents(OIS::OIS_Axis), joystick->getNumberOfComponents(OIS::OIS_Button),
                joystick->getNumberOfComponents(OIS::OIS_POV));
    rebindName(joystick->vendor());
    joystick->setEventCallback(this);
    if (id != joystick->getID()) id = joystick->getID();

    feedback = dynamic_cast<OIS::ForceFeedback*>(joystick->queryInterface(OIS::Interface::ForceFeedback));
    if (feedback != nullptr) {
        hasFeedback = true;
        const OIS::ForceFeedback::SupportedEffectList& effects = feedback->getSupportedEffects();
        if (effects.empty()) {
            ofLogWarning() << "No supported effect found!\n";
        } else {
            ofLogVerbose() << " * Supported effects :\n";
            for (const auto& effect : effects) {
                ofLogVerbose() << OIS::Effect::getEffectTypeName(effect.second) << "\n";
            }
        }
    } else {
        ofLogVerbose() << "No force feedback support detected!\n";
    }
}

void ofxGamepadOIS::update() {
    if (joystick == nullptr) return;
    // A device that vanished mid-read makes OIS throw; the pad just stays quiet.
    try {
        joystick->capture();
    } catch (const std::exception& e) {
        ofLogWarning() << "ofxGamepadOIS: " << name << ": " << e.what();
    }
}

void ofxGamepadOIS::setFeedbackGain(float level) {
    if (hasFeedback && feedback != nullptr) feedback->setMasterGain(level);
}

bool ofxGamepadOIS::buttonPressed(const OIS::JoyStickEvent&, int button) {
    setButton(button, true);
    return true;
}

bool ofxGamepadOIS::buttonReleased(const OIS::JoyStickEvent&, int button) {
    setButton(button, false);
    return true;
}

bool ofxGamepadOIS::axisMoved(const OIS::JoyStickEvent& event, int axis) {
    if (axis < 0 || static_cast<size_t>(axis) >= event.state.mAxes.size()) return true;
    axisChanged(axis, event.state.mAxes[static_cast<size_t>(axis)].abs);
    return true;
}

bool ofxGamepadOIS::povMoved(const OIS::JoyStickEvent& event, int pov) {
    if (pov < 0 || pov >= 4) return true;
    povChanged(pov, event.state.mPOV[pov].direction);
    return true;
}
