#include <cmath>
#include <cstdio>
#include <fstream>

#include "MissionList.h"
#include "ofLog.h"
#include "ofUtils.h"
#include "ofxXmlConfig.h"

namespace {

int findByName(const std::vector<Mission>& list, const std::string& name) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].name == name) return static_cast<int>(i);
    return -1;
}

float sane(double value, float fallback) {
    return std::isfinite(value) && value >= 0 ? static_cast<float>(value) : fallback;
}

}  // namespace

void MissionList::saveProgress() {
    ofxXmlConfig xml;
    xml.setValue("FULL_FINISHES", fullFinishes);
    xml.setValue("BEST_TOTAL_TIME", static_cast<double>(bestTotalTime));
    xml.setValue("RUN_TIME", static_cast<double>(runTime));
    for (size_t i = 0; i < current.size(); ++i) xml.setValue("CURRENT_" + ofToString(static_cast<int>(i)), current[i].name);
    for (size_t i = 0; i < completed.size(); ++i)
        xml.setValue("COMPLETED_" + ofToString(static_cast<int>(i)), completed[i].name);
    if (!xml.saveFile(fileName)) ofLogError("MissionList") << "could not save " << fileName;
}

bool MissionList::loadProgress() {
    const std::string path = ofToDataPath(fileName);
    if (!std::ifstream(path).good()) {
        ofLog(OF_LOG_NOTICE, "missions: " + fileName + " not found, starting the missions afresh");
        return false;
    }
    ofxXmlConfig xml;
    if (!xml.loadFile(fileName)) {
        // Kept beside, so the next save does not wipe what a player might mend.
        const std::string aside = path + ".unreadable";
        std::rename(path.c_str(), aside.c_str());
        ofLogError("MissionList") << fileName << " is unreadable, kept as " << aside
                                  << "; starting the missions afresh";
        return false;
    }
    const int finishes = xml.getValue("FULL_FINISHES", 0);
    fullFinishes = finishes > 0 ? finishes : 0;
    const double best = xml.getValue("BEST_TOTAL_TIME", -1.0);
    // No full run takes no time: anything but a positive time means none yet.
    bestTotalTime = std::isfinite(best) && best > 0 ? static_cast<float>(best) : -1;
    runTime = sane(xml.getValue("RUN_TIME", 0.0), 0);

    // Completed first: a name in both lists counts as completed.
    for (int i = 0; xml.tagExists("COMPLETED_" + ofToString(i)); ++i) {
        const std::string name = xml.getValue("COMPLETED_" + ofToString(i), std::string());
        const int at = findByName(pool, name);
        if (at < 0) {
            ofLogWarning("MissionList") << "skipping completed mission \"" << name << "\": "
                                        << (findByName(completed, name) >= 0 ? "listed twice" : "unknown");
            continue;
        }
        completed.push_back(std::move(pool[at]));
        pool.erase(pool.begin() + at);
    }
    for (int i = 0; xml.tagExists("CURRENT_" + ofToString(i)); ++i) {
        const std::string name = xml.getValue("CURRENT_" + ofToString(i), std::string());
        const int at = findByName(pool, name);
        if (at < 0) {
            const char* why = findByName(completed, name) >= 0 ? "already completed"
                              : findByName(current, name) >= 0 ? "listed twice"
                                                                : "unknown";
            ofLogWarning("MissionList") << "skipping current mission \"" << name << "\": " << why;
            continue;
        }
        if (static_cast<int>(current.size()) >= wantedCount) {
            ofLogWarning("MissionList") << "skipping current mission \"" << name << "\": too many current";
            continue;
        }
        current.push_back(std::move(pool[at]));
        pool.erase(pool.begin() + at);
    }
    return true;
}
