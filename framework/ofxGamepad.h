#pragma once

#include <atomic>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ofEvent.h"
#include "ofPoint.h"

class ofxGamepad;

// Payload records. Each kind has one process-wide record that is filled and
// passed to the listeners, so a listener copies what it keeps.
class ofxGamepadAxisEvent {
public:
    ofxGamepad* gamepad = nullptr;
    int axis = 0;
    float value = 0;
};

class ofxGamepadButtonEvent {
public:
    ofxGamepad* gamepad = nullptr;
    int button = 0;
    bool value = false;
};

class ofxGamepadPovEvent {
public:
    ofxGamepad* gamepad = nullptr;
    int pov = 0;
    int value = 0;
};

class ofxGamepadEvent {
public:
    ofxGamepad* gamepad = nullptr;
};

enum ofxGamepadType {
    OFX_GAMEPAD_UNKNOWN = 0,
    OFX_GAMEPAD_PS3 = 1,
    OFX_GAMEPAD_XBOX360_WIRELESS = 2
};

// A device-neutral game pad: its name, model, counts and current state, with
// an event for every change. The counts may be read from any thread, and a
// re-bind writes the name only when it differs; the states belong to whoever
// binds and polls the pad (the pad handler, under its lock).
class ofxGamepad {
public:
    ofxGamepad();
    virtual ~ofxGamepad();

    virtual void update() {}
    virtual void setFeedbackGain(float level) { (void)level; }
    virtual void exit() {}

    int getNumAxis() const { return numAxis.load(); }
    int getNumButtons() const { return numButtons.load(); }
    int getNumPovs() const { return numPovs.load(); }
    void setNumAxis(int n);
    void setNumButtons(int n);
    void setNumPovs(int n);

    void setName(const std::string& name);
    const std::string& getName() const { return name; }
    int getType() const { return type; }
    int getId() const { return id; }

    // Out-of-range indices give 0 / false.
    float getAxisValue(int axis) const;
    bool getButtonValue(int button) const;
    int getPovValue(int pov) const;

    // Events for indices outside the pad's counts are ignored.
    void axisChanged(int axis, int raw);
    void setButton(int button, bool pressed);
    void povChanged(int pov, int value);

    void draw(int x, int y);

    ofEvent<ofxGamepadAxisEvent> axisEvent;
    ofEvent<ofxGamepadButtonEvent> buttonPressedEvent;
    ofEvent<ofxGamepadButtonEvent> buttonReleasedEvent;
    ofEvent<ofxGamepadPovEvent> povEvent;
    ofEvent<ofxGamepadEvent> padEvent;  // never fired

    // x: the width of the last debug view.
    ofPoint drawSize;

protected:
    // Counts as given, every state at rest. Unlike the setters it writes
    // nothing that already holds, so a re-bind to an alike device leaves
    // what readers may hold untouched.
    void rebindState(int axes, int buttons, int povs);
    // The name (and so the type) only when it differs.
    void rebindName(const std::string& newName);

    std::string name;
    int id = 0;
    int type = OFX_GAMEPAD_UNKNOWN;
    int axisMin = -32768;
    int axisMax = 32767;
    std::atomic<int> numAxis{0};
    std::atomic<int> numButtons{0};
    std::atomic<int> numPovs{0};
    std::vector<bool> buttonValues;
    std::vector<float> axisValues;
    std::vector<int> povValues;
    std::map<int, std::pair<float, float>> deadZones;

private:
    ofxGamepad(const ofxGamepad&) = delete;
    ofxGamepad& operator=(const ofxGamepad&) = delete;
};
