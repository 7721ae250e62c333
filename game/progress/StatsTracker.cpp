#include "StatsTracker.h"

#include "ofLog.h"

namespace {

const float globalVersion = 1.0f;

}  // namespace

StatsTracker::~StatsTracker() {
    // Workers first: they are joined before the records they serve go. Every
    // request in flight ends now, so the joins do not wait on the network.
    for (auto& getter : getters) getter->stop();
    for (auto& entry : records)
        if (entry.second.sender) entry.second.sender->stop();
    getters.clear();
    for (auto& entry : records) entry.second.sender.reset();
}

void StatsTracker::add(const std::string& name, bool isInt) {
    StatRecord& r = records[name];
    r.name = name;
    r.isInt = isInt;
    r.wrapper = wrapper;
    order.push_back(name);
}

void StatsTracker::addGlobal(const std::string& name, const std::string& linked) {
    add(name, true);
    StatRecord& r = records[name];
    r.isGlobal = true;
    r.sendingEnabled = sendGlobalStats;
    r.version = globalVersion;
    r.sender = std::make_shared<GlobalStatSender>();
    r.sender->setServer(server);
    r.steamRecord = &records[linked];
    globalNames.push_back(name);
}

void StatsTracker::setup(AchievementAndStatsWrapper* w) {
    wrapper = w;
    if (!records.empty()) return;
    const int foeKinds = 7, modes = 6, ships = 9, matchTypes = 3, maps = 5;
    auto series = [this](const std::string& prefix, int count, bool isInt) {
        for (int i = 0; i < count; ++i) add(prefix + std::to_string(i), isInt);
    };
    add("foe_kills", true);
    series("foe_Kills_type_", foeKinds, true);
    add("x10_kills", true);
    add("asteroid_smashes", true);
    add("player_deaths", true);
    series("player_deaths_dif_", modes, true);
    add("time_in_game", false);
    series("time_in_game_dif_", modes, false);
    add("num_arcade_rounds_played", true);
    series("num_arcade_rounds_played_dif_", modes, true);
    series("time_with_ship_", ships, false);
    series("rounds_with_ship_", ships, true);
    add("killed_by_border", true);
    add("killed_by_asteroid", true);
    series("killed_by_foe_", foeKinds, true);
    add("deathmatch_rounds", true);
    add("deathmatch_time", false);
    add("deathmatch_kills", true);
    add("deathmatch_deaths", true);
    series("deathmatch_rounds_type_", matchTypes, true);
    series("deathmatch_rounds_map_", maps, true);
    series("deathmatch_time_with_ship_", ships, false);
    series("deathmatch_rounds_with_ship_", ships, true);
    add("coop_rounds_played", true);
    add("time_in_coop", false);
    add("coop_kills", true);
    series("coop_kill_type_", foeKinds, true);
    add("coop_asteroid_smashes", true);
    series("coop_time_with_ship_", ships, false);
    series("coop_rounds_with_ship_", ships, true);
    add("pause_count", true);
    add("coop_revives", true);
    addGlobal("global_arcade_deaths", "player_deaths");
    addGlobal("global_deathmatch_deaths", "deathmatch_deaths");
    addGlobal("global_foes_killed", "foe_kills");
    addGlobal("global_rocks_smashed", "asteroid_smashes");
    getters.clear();
    for (std::size_t i = 0; i < globalNames.size(); ++i) getters.emplace_back(new GlobalStatGetter);
}

StatRecord& StatsTracker::record(const std::string& name) {
    const auto found = records.find(name);
    if (found != records.end()) return found->second;
    ofLogWarning("StatsTracker") << "no stat named \"" << name << "\"";
    unknown = StatRecord();
    unknown.name = name;
    return unknown;
}

bool StatsTracker::has(const std::string& name) const {
    return records.count(name) > 0;
}

void StatsTracker::setServer(const ScoreServer& s) {
    server = s;
    for (auto& entry : records)
        if (entry.second.sender) entry.second.sender->setServer(s);
}

void StatsTracker::startGlobalStatGetters() {
    if (!sendGlobalStats || !server.enabled()) return;
    for (std::size_t i = 0; i < globalNames.size() && i < getters.size(); ++i)
        getters[i]->fetch(server, globalNames[i], globalVersion);
}

void StatsTracker::setSendGlobalStats(bool on) {
    sendGlobalStats = on;
    for (auto& entry : records) {
        StatRecord& r = entry.second;
        if (!r.isGlobal) continue;
        r.sendingEnabled = on;
        if (!on && r.sender) r.sender->dropPending();
    }
}

void StatsTracker::toggleGlobalStats() {
    setSendGlobalStats(!sendGlobalStats);
}

void StatsTracker::readBackFromSteam() {
    if (wrapper == nullptr) return;
    busy = true;
    for (auto& entry : records) {
        StatRecord& r = entry.second;
        if (r.isGlobal) continue;
        if (r.isInt) {
            int steam = 0;
            if (wrapper->getStatInt(r.name, steam) && static_cast<float>(steam) > r.value) r.value = static_cast<float>(steam);
        } else {
            float steam = 0;
            if (wrapper->getStatFloat(r.name, steam) && steam > r.value) r.value = steam;
        }
    }
    wrapper->statsReceived = false;
    busy = false;
}

long long StatsTracker::globalTotal(const std::string& name) {
    long long total = -1;
    for (std::size_t i = 0; i < globalNames.size() && i < getters.size(); ++i)
        if (globalNames[i] == name && getters[i]->result(total)) return total;
    return -1;
}
