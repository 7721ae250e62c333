#include <cmath>
#include <map>
#include <unordered_map>

#include "MissionList.h"
#include "ofFileSave.h"
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

// Entries skipped while reading, counted by reason, each with its first name.
struct Skipped {
    std::map<std::string, std::pair<int, std::string>> byReason;
    void add(const char* why, const std::string& name) {
        auto& entry = byReason[why];
        if (entry.first++ == 0) entry.second = name;
    }
    void report() const {
        for (const auto& r : byReason)
            ofLogWarning("MissionList") << "skipping " << r.second.first << " mission "
                                        << (r.second.first == 1 ? "entry" : "entries") << " (" << r.first
                                        << "), first \"" << r.second.second << "\"";
    }
};

}  // namespace

void MissionList::saveProgress() {
    if (fileOutOfReach) return;
    ofxXmlConfig xml;
    xml.setValue("FULL_FINISHES", fullFinishes);
    xml.setValue("BEST_TOTAL_TIME", static_cast<double>(bestTotalTime));
    xml.setValue("RUN_TIME", static_cast<double>(runTime));
    for (size_t i = 0; i < current.size(); ++i) xml.setValue("CURRENT_" + ofToString(static_cast<int>(i)), current[i].name);
    for (size_t i = 0; i < completed.size(); ++i)
        xml.setValue("COMPLETED_" + ofToString(static_cast<int>(i)), completed[i].name);
    if (!xml.saveFile(fileName))
        ofLogError("MissionList") << "could not save " << ofToDataPath(fileName) << " (" << xml.getSaveResult().error
                                  << ")";
}

bool MissionList::loadProgress() {
    ofxXmlConfig xml;
    if (!xml.loadFile(fileName)) {
        const ofxXmlConfig::LoadStatus status = xml.getLoadStatus();
        if (status == ofxXmlConfig::Missing) {
            ofLog(OF_LOG_NOTICE, "missions: " + fileName + " not found, starting the missions afresh");
            return false;
        }
        if (status == ofxXmlConfig::Unreadable) {
            fileOutOfReach = true;
            ofLogWarning("MissionList") << fileName << " cannot be read" << xml.getLoadErrorNote()
                                        << "; starting the missions afresh, not saved";
            return false;
        }
        // Kept beside, so the next save does not wipe what a player might mend.
        const std::string why = xml.getLoadErrorNote();
        std::string error;
        const std::string kept = ofKeepDamagedFileAside(ofToDataPath(fileName), error);
        if (!kept.empty()) {
            ofLogError("MissionList") << fileName << " is unreadable" << why << ", kept as " << kept
                                      << "; starting the missions afresh";
        } else {
            fileOutOfReach = true;
            ofLogError("MissionList") << fileName << " is unreadable" << why << " and could not be kept aside ("
                                      << error << "); starting the missions afresh, not saved";
        }
        return false;
    }
    const int finishes = xml.getValue("FULL_FINISHES", 0);
    fullFinishes = finishes > 0 ? finishes : 0;
    const double best = xml.getValue("BEST_TOTAL_TIME", -1.0);
    // No full run takes no time: anything but a positive time means none yet.
    bestTotalTime = std::isfinite(best) && best > 0 ? static_cast<float>(best) : -1;
    runTime = sane(xml.getValue("RUN_TIME", 0.0), 0);

    // One walk: asking for each numbered tag in turn would scan the file once
    // per entry. The first of two equal tags counts.
    std::unordered_map<std::string, std::string> values;
    for (auto& child : xml.getChildValues()) values.emplace(std::move(child.first), std::move(child.second));
    auto entry = [&values](const char* prefix, int i) {
        auto it = values.find(prefix + ofToString(i));
        return it != values.end() ? &it->second : nullptr;
    };

    Skipped skipped;
    // Completed first: a name in both lists counts as completed.
    for (int i = 0; const std::string* name = entry("COMPLETED_", i); ++i) {
        const int at = findByName(pool, *name);
        if (at < 0) {
            skipped.add(findByName(completed, *name) >= 0 ? "listed twice" : "unknown", *name);
            continue;
        }
        completed.push_back(std::move(pool[at]));
        pool.erase(pool.begin() + at);
    }
    for (int i = 0; const std::string* name = entry("CURRENT_", i); ++i) {
        const int at = findByName(pool, *name);
        if (at < 0) {
            skipped.add(findByName(completed, *name) >= 0 ? "already completed"
                        : findByName(current, *name) >= 0 ? "listed twice"
                                                          : "unknown",
                        *name);
            continue;
        }
        if (static_cast<int>(current.size()) >= wantedCount) {
            skipped.add("too many current", *name);
            continue;
        }
        current.push_back(std::move(pool[at]));
        pool.erase(pool.begin() + at);
    }
    skipped.report();
    return true;
}
