#ifdef VANTORIX_ARCADE_CABINET

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "ofAppRunner.h"
#include "ofFileSave.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofUtils.h"
#include "vantorixPC.h"

namespace {

// The bars leave the picture at least one row, and the offset moves it by no
// more than that: it stays on the screen.
float letterBoxLimit() {
    return std::max(0.0f, static_cast<float>(ofGetHeight() / 2 - 1));
}

}  // namespace

void vantorixPC::loadArcadeSettings(const std::string& path) {
    arcadeSettingsPath = path;
    if (!arcadeSettings.loadFile(path)) {
        std::cout << "NO ARCADE SETTINGS" << std::endl;
        const ofxXmlConfig::LoadStatus status = arcadeSettings.getLoadStatus();
        if (status == ofxXmlConfig::Missing) return;
        const std::string why = arcadeSettings.getLoadErrorNote();
        if (status == ofxXmlConfig::Unreadable) {
            ofLogError("vantorixPC") << path << " cannot be read" << why << "; letter-box changes are not saved";
            arcadeSettingsPath.clear();
            return;
        }
        // A damaged file is kept for the operator to mend before the first
        // letter-box key writes a new one; one out of reach is not written.
        std::string error;
        const std::string kept = ofKeepDamagedFileAside(ofToDataPath(path), error);
        if (!kept.empty()) {
            ofLogError("vantorixPC") << path << " does not parse" << why << "; kept as " << kept;
        } else {
            ofLogError("vantorixPC") << path << " cannot be read" << why << " nor kept aside (" << error
                                     << "); letter-box changes are not saved";
            arcadeSettingsPath.clear();
        }
        return;
    }
    ofxXmlConfig& xml = arcadeSettings;
    auto getFloat = [&](const char* tag, float current) {
        return static_cast<float>(xml.getValue(tag, static_cast<double>(current)));
    };
    core.roundLimit = xml.getValue("ROUNDS_BEFORE_RESET", core.roundLimit);
    core.idleLimit = getFloat("IDLE_TIME", core.idleLimit);
    maxJoyValue = getFloat("MAX_JOY_VAL", maxJoyValue);
    // A zero or negative range would divide every stick value away.
    if (maxJoyValue <= 0) maxJoyValue = 1.0f;
    tapThreshold = getFloat("TAP_VAL", tapThreshold);
    tapDownThreshold = getFloat("TAP_DOWN_VAL", tapDownThreshold);
    tapUpThreshold = getFloat("TAP_UP_VAL", tapUpThreshold);
    tapResetThreshold = getFloat("TAP_RESET_VAL", tapResetThreshold);
    for (int n = 0; n < 4; ++n) {
        const std::string tag = "CONTROLLER_" + std::to_string(n);
        const std::string name = xml.getValue(tag, std::string("NONE"));
        controllerNames[n] = ControllerMapper::makeTagName(name);
    }
    core.attractTime = getFloat("ATTRACT_MODE_TIME", core.attractTime);
    const std::string first = xml.getValue("ATTRACT_MODE_MESSAGE_1", std::string("PRESS ANY BUTTON"));
    const std::string second = xml.getValue("ATTRACT_MODE_MESSAGE_2", std::string("TO PLAY"));
    core.attractPrompt.setMessages(first, second);
    xml.getValue("ATTRACT_MODE_VOL", 100);
    core.mainMenu.price = xml.getValue("PRICE", core.mainMenu.price);
    letterBoxH = static_cast<float>(xml.getValue("LETTER_BOX_H", static_cast<int>(letterBoxH)));
    letterBoxOffset = static_cast<float>(xml.getValue("LETTER_BOX_OFFSET", static_cast<int>(letterBoxOffset)));
    const float limit = letterBoxLimit();
    letterBoxH = std::min(std::max(letterBoxH, 0.0f), limit);
    letterBoxOffset = std::min(std::max(letterBoxOffset, -limit), limit);
    core.letterBoxH = letterBoxH;
    core.letterBoxOffset = letterBoxOffset;
    core.attractScoreOffset = xml.getValue("ATTRACT_MODE_SCORE_OFFSET", core.attractScoreOffset);
    core.attractScoreXStart = xml.getValue("ATTRACT_MODE_SCORE_X_START", core.attractScoreXStart);
    core.attractScoreXOffset = xml.getValue("ATTRACT_MODE_SCORE_X_OFFSET", core.attractScoreXOffset);
}

void vantorixPC::adjustLetterBox(float delta) {
    letterBoxH += delta;
    const float limit = letterBoxLimit();
    letterBoxH = std::min(std::max(letterBoxH, 0.0f), limit);
    letterBoxOffset = std::min(std::max(letterBoxOffset, -limit), limit);
    core.letterBoxOffset = letterBoxOffset;
    scale = (static_cast<float>(ofGetHeight()) - 2 * letterBoxH) / 960.0f;
    setVirtualWidth(static_cast<int>(static_cast<float>(ofGetWidth()) / scale));
    core.letterBoxH = letterBoxH;
    if (delta != 0) saveLetterBox();
}

void vantorixPC::saveLetterBox() {
    if (arcadeSettingsPath.empty()) return;
    arcadeSettings.setValue("LETTER_BOX_H", static_cast<int>(letterBoxH));
    arcadeSettings.setValue("LETTER_BOX_OFFSET", static_cast<int>(letterBoxOffset));
    arcadeSettings.saveFile(arcadeSettingsPath);
}

bool vantorixPC::handleServiceKey(int key) {
    switch (key) {
        case 'k':
            adjustLetterBox(5);
            return true;
        case 'm':
            adjustLetterBox(-5);
            return true;
        case '.':
            adjustLetterBox(0);
            return true;
        case 'l':
        case ',':
            letterBoxOffset = std::min(std::max(letterBoxOffset + (key == 'l' ? -2 : 2), -letterBoxLimit()),
                                       letterBoxLimit());
            core.letterBoxOffset = letterBoxOffset;
            saveLetterBox();
            return true;
        case 'n':
            letterBoxVisible = !letterBoxVisible;
            return true;
        case 'i':
            stickDebugPrint = !stickDebugPrint;
            return true;
        default:
            return false;
    }
}

float vantorixPC::mapStickValue(float value) const {
    const float mapped = std::min(1.0f, std::max(-1.0f, value / maxJoyValue));
    if (stickDebugPrint) std::cout << "stick " << value << " -> " << mapped << std::endl;
    return mapped;
}

int vantorixPC::slotOfPad(int pad) const {
    return pad >= 0 && pad < 4 ? padSlot[pad] : pad;
}

#endif
