#include "ofxGamepad.h"

#include <algorithm>
#include <atomic>

#include "ofGraphics.h"
#include "ofMath.h"
#include "ofRectangle.h"
#include "ofUtils.h"

namespace {

std::atomic<int> nextPadId{0};

// Shared by every pad; events fire on the main thread only.
ofxGamepadAxisEvent axisRecord;
ofxGamepadButtonEvent pressRecord;
ofxGamepadButtonEvent releaseRecord;
ofxGamepadPovEvent povRecord;

const float defaultDeadZone = 0.05f;

}  // namespace

ofxGamepad::ofxGamepad() : id(nextPadId++) {}

ofxGamepad::~ofxGamepad() = default;

void ofxGamepad::setNumAxis(int n) {
    // Storage first: a count never promises more values than there are.
    axisValues.assign(static_cast<size_t>(std::max(n, 0)), 0.0f);
    numAxis = std::max(n, 0);
}

void ofxGamepad::setNumButtons(int n) {
    buttonValues.assign(static_cast<size_t>(std::max(n, 0)), false);
    numButtons = std::max(n, 0);
}

void ofxGamepad::setNumPovs(int n) {
    povValues.assign(static_cast<size_t>(std::max(n, 0)), 0);
    numPovs = std::max(n, 0);
}

void ofxGamepad::setName(const std::string& padName) {
    name = padName;
    if (name == "Sony PLAYSTATION(R)3 Controller") {
        type = OFX_GAMEPAD_PS3;
    } else if (name == "Microsoft Wireless 360 Controller") {
        type = OFX_GAMEPAD_XBOX360_WIRELESS;
    } else {
        type = OFX_GAMEPAD_UNKNOWN;
    }
}

void ofxGamepad::rebindState(int axes, int buttons, int povs) {
    if (std::max(axes, 0) != numAxis) {
        setNumAxis(axes);
    } else {
        for (float& value : axisValues)
            if (value != 0.0f) value = 0.0f;
    }
    if (std::max(buttons, 0) != numButtons) {
        setNumButtons(buttons);
    } else {
        for (size_t i = 0; i < buttonValues.size(); ++i)
            if (buttonValues[i]) buttonValues[i] = false;
    }
    // POV values are never changed from 0.
    if (std::max(povs, 0) != numPovs) setNumPovs(povs);
}

void ofxGamepad::rebindName(const std::string& newName) {
    if (newName != name) setName(newName);
}

float ofxGamepad::getAxisValue(int axis) const {
    if (axis < 0 || axis >= numAxis) return 0;
    return axisValues[static_cast<size_t>(axis)];
}

bool ofxGamepad::getButtonValue(int button) const {
    if (button < 0 || button >= numButtons) return false;
    return buttonValues[static_cast<size_t>(button)];
}

int ofxGamepad::getPovValue(int pov) const {
    if (pov < 0 || pov >= numPovs) return 0;
    return povValues[static_cast<size_t>(pov)];
}

void ofxGamepad::axisChanged(int axis, int raw) {
    if (axis < 0 || axis >= numAxis) return;
    float value = ofMap(static_cast<float>(raw), static_cast<float>(axisMin), static_cast<float>(axisMax), -1, 1);
    auto zone = deadZones.find(axis);
    if (zone == deadZones.end()) {
        zone = deadZones.emplace(axis, std::make_pair(defaultDeadZone, defaultDeadZone)).first;
    }
    // Outside the zone the value is kept as it is, so it jumps from 0 to the edge.
    if (-zone->second.first < value && value < zone->second.second) value = 0;
    axisValues[static_cast<size_t>(axis)] = value;
    axisRecord.gamepad = this;
    axisRecord.axis = axis;
    axisRecord.value = value;
    ofNotifyEvent(axisEvent, axisRecord);
}

void ofxGamepad::setButton(int button, bool pressed) {
    if (button < 0 || button >= numButtons) return;
    buttonValues[static_cast<size_t>(button)] = pressed;
    ofxGamepadButtonEvent& record = pressed ? pressRecord : releaseRecord;
    record.gamepad = this;
    record.button = button;
    record.value = pressed;
    ofNotifyEvent(pressed ? buttonPressedEvent : buttonReleasedEvent, record);
}

void ofxGamepad::povChanged(int pov, int value) {
    if (pov < 0 || pov >= numPovs) return;
    povRecord.gamepad = this;
    povRecord.pov = pov;
    povRecord.value = value;
    ofNotifyEvent(povEvent, povRecord);
}

void ofxGamepad::draw(int x, int y) {
    ofPushMatrix();
    ofTranslate(static_cast<float>(x), static_cast<float>(y));

    ofSetColor(255);
    ofPushMatrix();
    ofRotate(90);
    ofDrawBitmapString(name + " (" + ofToString(id) + ")", 0, 0);
    ofPopMatrix();

    ofRectangle axisBox(17, 0, 85, 17);
    for (int i = 0; i < numAxis; ++i) {
        ofSetColor(70);
        ofRect(axisBox);
        ofSetColor(255);
        float lineX = ofMap(axisValues[static_cast<size_t>(i)], -1, 1, axisBox.x, axisBox.x + axisBox.width);
        ofLine(lineX, axisBox.y, lineX, axisBox.y + axisBox.height);
        ofSetColor(20);
        ofDrawBitmapString(ofToString(i), axisBox.x, axisBox.y + axisBox.height - 1);
        axisBox.y += axisBox.height + 3;
    }

    ofRectangle buttonBox(85 + 3 + 17, 0, 17, 17);
    for (int i = 0; i < numButtons; ++i) {
        ofSetColor(buttonValues[static_cast<size_t>(i)] ? 255 : 70);
        ofRect(buttonBox);
        buttonBox.y += buttonBox.height + 3;
        ofSetColor(20);
        ofDrawBitmapString(ofToString(i), buttonBox.x, buttonBox.y - 4);
    }

    ofPopMatrix();
    drawSize.x = buttonBox.x + buttonBox.width;
}
