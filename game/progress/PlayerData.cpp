#include "PlayerData.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <sstream>

#include "ofFileSave.h"
#include "ofLog.h"
#include "ofUtils.h"
#include "ofxXmlConfig.h"

namespace {

const char* const module = "PlayerData";

// A whole number in [low, high], or the fallback for anything else.
long long readRange(ofxXmlConfig& xml, const std::string& tag, long long low, long long high, long long fallback) {
    const std::string text = xml.getValue(tag, std::string());
    if (text.empty()) return fallback;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    while (end != nullptr && (*end == ' ' || *end == '\t' || *end == '\n' || *end == '\r')) ++end;
    if (errno != 0 || end == text.c_str() || *end != '\0' || v < low || v > high) return fallback;
    return v;
}

bool readFlag(ofxXmlConfig& xml, const std::string& tag, bool fallback) {
    return readRange(xml, tag, 0, 1, fallback ? 1 : 0) == 1;
}

// Nine significant digits read back as the same float.
std::string exactText(float value) {
    std::ostringstream out;
    out.precision(9);
    out << value;
    return out.str();
}

bool isAddress(const std::string& text) {
    const std::string scheme = "http://";
    if (text.compare(0, scheme.size(), scheme) != 0 || text.size() == scheme.size()) return false;
    for (unsigned char c : text)
        if (c <= 0x20 || c >= 0x7F) return false;
    return true;
}

}  // namespace

bool PlayerData::validName(const std::string& name) {
    if (name.size() > static_cast<size_t>(maxNameLength)) return false;
    for (unsigned char c : name)
        if (!nameChar(c)) return false;
    return true;
}

PlayerData::LoadResult PlayerData::load(const std::string& fileName, const std::vector<std::string>& statNames) {
    *this = PlayerData();
    ofxXmlConfig xml;
    if (!xml.loadFile(fileName)) {
        const std::string path = ofToDataPath(fileName);
        switch (xml.getLoadStatus()) {
            case ofxXmlConfig::Unreadable:
                ofLogWarning(module) << fileName << " cannot be read" << xml.getLoadErrorNote()
                                     << "; playing with defaults, and it is not written over";
                return OutOfReach;
            case ofxXmlConfig::Missing: {
                // Said only once it is true: with no data folder nothing is written.
                const ofFileSaveResult written = write(fileName);
                if (written.saved())
                    ofLog(OF_LOG_NOTICE, fileName + " not found, written with defaults");
                else
                    ofLogError(module) << fileName << " not found, and the defaults could not be written to "
                                       << path << " (" << written.error << ")";
                return Defaults;
            }
            default: {
                std::string error;
                const std::string kept = ofKeepDamagedFileAside(path, error);
                if (kept.empty()) {
                    ofLogError(module) << fileName << " could not be read" << xml.getLoadErrorNote()
                                       << " nor kept aside (" << error
                                       << "); defaults used, and it is not written over";
                    return OutOfReach;
                }
                ofLogError(module) << fileName << " could not be read" << xml.getLoadErrorNote() << "; kept as " << kept
                                   << ", defaults written";
                save(fileName);
                return Defaults;
            }
        }
    }

    const std::string name = xml.getValue("PLAYER_NAME", std::string());
    playerName = validName(name) ? name : std::string();
    const std::string server = xml.getValue("SCORE_SERVER", std::string());
    if (isAddress(server)) {
        scoreServer = server;
        while (scoreServer.size() > 7 && scoreServer.back() == '/') scoreServer.pop_back();
    } else if (!server.empty()) {
        ofLogWarning(module) << "SCORE_SERVER \"" << server << "\" is not an http:// address; scores stay offline";
    }
    for (int i = 0; i < optionCount; ++i)
        options[i] = readFlag(xml, "OPTIONS:OPTION_" + std::to_string(i), options[i]);
    for (int i = 0; i < modeCount; ++i) {
        bestScores[i] = static_cast<int>(readRange(xml, "BEST_SCORES:DIFFICULTY_" + std::to_string(i), 0, 2147483647, 0));
        bestCoopScores[i] =
            static_cast<int>(readRange(xml, "BEST_COOP_SCORES:DIFFICULTY_" + std::to_string(i), 0, 2147483647, 0));
    }
    for (int i = 0; i < shipCount; ++i) ships[i] = readFlag(xml, "SHIPS:SHIP_" + std::to_string(i), false);
    lastShip = static_cast<int>(readRange(xml, "SHIPS:LAST_SHIP", 0, shipCount - 1, 0));
    for (const std::string& stat : statNames) {
        const std::string tag = "STATS:" + stat;
        if (!xml.tagExists(tag)) continue;
        const double v = xml.getValue(tag, 0.0);
        stats[stat] = (std::isfinite(v) && v >= 0 && v < 3.0e38) ? static_cast<float>(v) : 0.0f;
    }
    debugEnabled = readFlag(xml, "DEBUG_OPTIONS:ENABLED", false);
    festivalScreenshots = readFlag(xml, "DEBUG_OPTIONS:TAKE_FESTIVAL_SCREENSHOTS", false);
    exhibition = readFlag(xml, "DEBUG_OPTIONS:EXHIBITION", false);
    easterEgg = static_cast<int>(readRange(xml, "DEBUG_OPTIONS:EASTER_EGG", -2147483647, 2147483647, 0));
    for (int i = 0; i < 4; ++i) {
        const std::string tag = "FRONT_TEXT:LINE_" + std::to_string(i);
        frontText[i] = xml.getValue(tag, std::string());
        if (frontText[i].size() <= frontTextLimit) continue;
        ofLogWarning(module) << tag << " is " << frontText[i].size() << " bytes long; cut to " << frontTextLimit;
        // Cut before a character, not inside one.
        std::size_t cut = frontTextLimit;
        while (cut > 0 && (static_cast<unsigned char>(frontText[i][cut]) & 0xC0) == 0x80) --cut;
        frontText[i].resize(cut);
    }
    return Read;
}

bool PlayerData::save(const std::string& fileName) const {
    const ofFileSaveResult result = write(fileName);
    if (result.saved()) return true;
    const std::string path = ofToDataPath(fileName);
    struct stat info {};
    ofLogError log(module);
    log << "could not save " << path << " (" << result.error << ")";
    if (result.outcome == ofFileSaveOutcome::WrittenInPart)
        log << "; it was written only in part";
    else if (::stat(path.c_str(), &info) == 0)
        log << "; the previous file is kept";
    return false;
}

ofFileSaveResult PlayerData::write(const std::string& fileName) const {
    ofxXmlConfig xml;
    xml.setValue("PLAYER_NAME", playerName);
    xml.setValue("SCORE_SERVER", scoreServer);
    for (int i = 0; i < optionCount; ++i) xml.setValue("OPTIONS:OPTION_" + std::to_string(i), options[i] ? 1 : 0);
    for (int i = 0; i < modeCount; ++i) xml.setValue("BEST_SCORES:DIFFICULTY_" + std::to_string(i), bestScores[i]);
    for (int i = 0; i < modeCount; ++i)
        xml.setValue("BEST_COOP_SCORES:DIFFICULTY_" + std::to_string(i), bestCoopScores[i]);
    for (int i = 0; i < shipCount; ++i) xml.setValue("SHIPS:SHIP_" + std::to_string(i), ships[i] ? 1 : 0);
    xml.setValue("SHIPS:LAST_SHIP", lastShip);
    for (const auto& entry : stats) xml.setValue("STATS:" + entry.first, exactText(entry.second));
    xml.setValue("DEBUG_OPTIONS:ENABLED", debugEnabled ? 1 : 0);
    xml.setValue("DEBUG_OPTIONS:TAKE_FESTIVAL_SCREENSHOTS", festivalScreenshots ? 1 : 0);
    xml.setValue("DEBUG_OPTIONS:EXHIBITION", exhibition ? 1 : 0);
    xml.setValue("DEBUG_OPTIONS:EASTER_EGG", easterEgg);
    for (int i = 0; i < 4; ++i) xml.setValue("FRONT_TEXT:LINE_" + std::to_string(i), frontText[i]);
    xml.saveFile(fileName);
    return xml.getSaveResult();
}
