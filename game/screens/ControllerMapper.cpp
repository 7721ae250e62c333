#include "ControllerMapper.h"

#include <cmath>
#include <cstdio>

#include "PixelFont.h"
#include "ScreenLayout.h"
#include "SoundBank.h"
#include "ofLog.h"
#include "ofUtils.h"
#include "ofxXmlConfig.h"

const char* const ControllerMapper::fileName = "controllerMappings.xml";

namespace {

const char* const rootTag = "CONTROLLER_MAPPINGS";

const char* const stepNames[ControllerMapper::stepCount] = {
    "CONFIRM", "BACK",    "OPTIONS", "ERASE",   "START",           "SELECT",          "LEFT",
    "RIGHT",   "UP",      "DOWN",    "EXTRA 1", "EXTRA 2",         "LEFT STICK RIGHT", "LEFT STICK DOWN",
    "RIGHT STICK RIGHT", "RIGHT STICK DOWN"};

std::string indexed(const char* tag, int i) {
    return std::string(tag) + std::to_string(i);
}

void outOfRange(const std::string& tag, const std::string& entry, int value) {
    ofLogWarning("ControllerMapper") << tag + " " + entry + " " + std::to_string(value) + " out of range, default kept";
}

}  // namespace

void ControllerMapper::setup(PixelFont* f, SoundBank* s, ofColor color) {
    font = f;
    sounds = s;
    textColor = color;
}

void ControllerMapper::open() {
    isOpen = true;
    showingControllerList = true;
    leave = false;
    controllerListRequest = true;
    controllers.clear();
    selected = 0;
    mappingEntry = -1;
    mappingPad = -1;
}

void ControllerMapper::close() {
    isOpen = false;
    showingControllerList = false;
    leave = false;
    controllerListRequest = false;
    mappingEntry = -1;
    mappingPad = -1;
}

void ControllerMapper::showList() {
    showingControllerList = true;
    mappingEntry = -1;
    mappingPad = -1;
    heldAxis = -1;
    heldStrength = 0;
}

void ControllerMapper::addController(const std::string& name, int numAxes, int numButtons, int pad) {
    controllers.push_back({name, numAxes, numButtons, pad});
}

void ControllerMapper::choose(int index) {
    if (index < 0 || index >= static_cast<int>(controllers.size())) return;
    const Entry& e = controllers[index];
    if (index == static_cast<int>(controllers.size()) - 1 && e.name == "DONE") {
        leave = true;
        return;
    }
    mappingEntry = index;
    mappingPad = e.pad;
    showingControllerList = false;
    step = 0;
    heldAxis = -1;
    heldStrength = 0;
    // Start from what is stored, so a kept step keeps the pad's own value.
    mapping = loadMapping(e.name, e.axes, e.buttons);
    if (sounds) sounds->playMenuBeep();
}

void ControllerMapper::advance() {
    heldAxis = -1;
    heldStrength = 0;
    if (++step < stepCount) {
        if (sounds) sounds->playMenuBeep();
        return;
    }
    if (mappingEntry >= 0 && mappingEntry < static_cast<int>(controllers.size()))
        saveMapping(controllers[mappingEntry].name, mapping);
    reloadRequest = true;
    showingControllerList = true;
    mappingEntry = -1;
    mappingPad = -1;
    if (sounds) sounds->playMissionComplete();
}

void ControllerMapper::axisMoved(int axisId, float value, int pad) {
    if (!isOpen || showingControllerList || pad != mappingPad || step < buttonSteps) return;
    const float strength = std::fabs(value);
    if (strength > 0.5f && strength > heldStrength) {
        heldAxis = axisId;
        heldSign = value > 0 ? 1 : -1;
        heldStrength = strength;
    } else if (axisId == heldAxis && strength < 0.2f) {
        mapping.axes[step - buttonSteps] = heldAxis;
        mapping.axisSigns[step - buttonSteps] = heldSign;
        advance();
    }
}

void ControllerMapper::buttonPressed(int buttonId, int pad) {
    if (!isOpen || showingControllerList || pad != mappingPad || step >= buttonSteps) return;
    mapping.buttons[step] = buttonId;
    advance();
}

void ControllerMapper::skip() {
    if (!isOpen) return;
    if (showingControllerList)
        choose(selected);
    else
        advance();
}

void ControllerMapper::handleInput(int vertical, bool confirm, bool back) {
    if (!isOpen || !showingControllerList) return;
    const int n = static_cast<int>(controllers.size());
    if (vertical != 0 && n > 0) {
        selected = ((selected + vertical) % n + n) % n;
        if (sounds) sounds->playMenuBeep();
    }
    if (confirm) choose(selected);
    if (back) {
        if (sounds) sounds->playMenuReturn();
        leave = true;
    }
}

int ControllerMapper::entryAt(int x, int y) const {
    if (!font) return -1;
    for (int i = 0; i < static_cast<int>(controllers.size()); ++i) {
        const ofRectangle box = ScreenLayout::button(*font, controllers[i].name, ScreenLayout::entrySize,
                                                     width * 0.5f, ScreenLayout::entryY(i));
        if (box.inside(static_cast<float>(x), static_cast<float>(y))) return i;
    }
    return -1;
}

void ControllerMapper::mousePressed(int x, int y) {
    if (!isOpen || !showingControllerList) return;
    const int i = entryAt(x, y);
    if (i < 0) return;
    selected = i;
    choose(i);
}

void ControllerMapper::mouseMoved(int x, int y) {
    if (!isOpen || !showingControllerList) return;
    const int i = entryAt(x, y);
    if (i >= 0) selected = i;
}

void ControllerMapper::draw(int alpha) {
    if (!isOpen || !font) return;
    const float cx = width * 0.5f;
    if (showingControllerList) {
        ScreenLayout::drawCentred(*font, "REMAP", ScreenLayout::titleSize, cx, ScreenLayout::titleY, textColor,
                                  alpha);
        for (int i = 0; i < static_cast<int>(controllers.size()); ++i)
            ScreenLayout::drawCentred(*font, controllers[i].name, ScreenLayout::entrySize, cx, ScreenLayout::entryY(i),
                                      textColor, i == selected ? alpha : alpha / 2);
        return;
    }
    const bool known = mappingEntry >= 0 && mappingEntry < static_cast<int>(controllers.size());
    const std::string padName = known ? controllers[mappingEntry].name : "";
    ScreenLayout::drawCentred(*font, padName, ScreenLayout::entrySize, cx, ScreenLayout::titleY, textColor, alpha);
    const std::string prompt = step < buttonSteps ? "PRESS " + stepName(step) : "PUSH " + stepName(step) + ", LET GO";
    ScreenLayout::drawCentred(*font, prompt, ScreenLayout::entrySize, cx, ScreenLayout::entryY(2), textColor, alpha);
    ScreenLayout::drawCentred(*font, std::to_string(step + 1) + " / " + std::to_string(stepCount),
                              ScreenLayout::entrySize, cx, ScreenLayout::entryY(4), textColor, alpha / 2);
    if (ScreenLayout::blinkOn())
        ScreenLayout::drawCentred(*font, "ENTER KEEPS THIS ONE", ScreenLayout::hintSize, cx, ScreenLayout::hintY,
                                  textColor, alpha);
}

void ControllerMapper::layout(int w) {
    width = w;
}

std::string ControllerMapper::stepName(int s) {
    return s >= 0 && s < stepCount ? stepNames[s] : "";
}

PadMapping ControllerMapper::loadMapping(const std::string& padName, int numAxes, int numButtons) {
    PadMapping result;
    ofxXmlConfig xml;
    if (!xml.loadFile(fileName) || !xml.tagExists(rootTag)) {
        const std::string why = xml.getLoadErrorNote();
        if (xml.getLoadStatus() == ofxXmlConfig::Missing)
            ofLog(OF_LOG_NOTICE, std::string(fileName) + " not found, default mapping for " + padName);
        else
            ofLogWarning("ControllerMapper") << std::string(fileName) + " unreadable" + why + ", default mapping for " +
                                                    padName;
        return result;
    }
    const std::string tag = makeTagName(padName);
    xml.pushTag(rootTag);
    if (!xml.tagExists(tag)) return result;
    xml.pushTag(tag);
    const PadMapping defaults;
    for (int i = 0; i < 12; ++i) {
        const int id = xml.getValue(indexed("BUTTON_", i), defaults.buttons[i]);
        if (id >= 0 && id < numButtons) {
            result.buttons[i] = id;
        } else {
            outOfRange(tag, indexed("BUTTON_", i), id);
        }
    }
    for (int i = 0; i < 4; ++i) {
        const int id = xml.getValue(indexed("AXIS_", i), defaults.axes[i]);
        if (id >= 0 && id < numAxes) {
            result.axes[i] = id;
        } else {
            outOfRange(tag, indexed("AXIS_", i), id);
        }
        const int sign = xml.getValue(indexed("AXIS_SIGN_", i), defaults.axisSigns[i]);
        if (sign == 1 || sign == -1) {
            result.axisSigns[i] = sign;
        } else {
            outOfRange(tag, indexed("AXIS_SIGN_", i), sign);
        }
    }
    return result;
}

bool ControllerMapper::saveMapping(const std::string& padName, const PadMapping& m) {
    ofxXmlConfig xml;
    // Other pads' mappings stay. A file that is not ours is kept aside before
    // it is started afresh; one that cannot be read is not written over.
    if (!xml.loadFile(fileName) || !xml.tagExists(rootTag)) {
        const ofxXmlConfig::LoadStatus status = xml.getLoadStatus();
        const std::string why = xml.getLoadErrorNote();
        if (status == ofxXmlConfig::Unreadable) {
            ofLogError("ControllerMapper") << std::string(fileName) + " cannot be read" + why + ", not written";
            return false;
        }
        std::string kept, error;
        if (status != ofxXmlConfig::Missing) kept = ofKeepDamagedFileAside(ofToDataPath(fileName), error);
        if (status != ofxXmlConfig::Missing && kept.empty()) {
            ofLogError("ControllerMapper") << std::string(fileName) + " cannot be read" + why + " nor kept aside (" +
                                                  error + "), not written";
            return false;
        }
        if (status != ofxXmlConfig::Missing)
            ofLogWarning("ControllerMapper") << std::string(fileName) + " unreadable" + why + ", kept as " + kept +
                                                    " and written afresh";
        xml.clear();
    }
    if (!xml.tagExists(rootTag)) xml.addTag(rootTag);
    xml.pushTag(rootTag);
    const std::string tag = makeTagName(padName);
    if (!xml.tagExists(tag)) xml.addTag(tag);
    xml.pushTag(tag);
    for (int i = 0; i < 12; ++i) xml.setValue(indexed("BUTTON_", i), m.buttons[i]);
    for (int i = 0; i < 4; ++i) xml.setValue(indexed("AXIS_", i), m.axes[i]);
    for (int i = 0; i < 4; ++i) xml.setValue(indexed("AXIS_SIGN_", i), m.axisSigns[i]);
    xml.popTag();
    xml.popTag();
    if (xml.saveFile(fileName)) return true;
    ofLogError("ControllerMapper") << std::string("cannot write ") + fileName;
    return false;
}

std::string ControllerMapper::makeTagName(const std::string& name) {
    std::string tag;
    for (char c : name) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) tag += c;
    }
    if (tag.empty()) return "Pad";
    if (tag[0] >= '0' && tag[0] <= '9') tag = "A" + tag;
    return tag;
}
