#include "GlobalStatGetter.h"

GlobalStatGetter::~GlobalStatGetter() {
    stop();
    waitForThread(false);
}

void GlobalStatGetter::fetch(const ScoreServer& s, const std::string& name, float ver) {
    if (!s.enabled() || !readyToStart()) return;
    lock();
    server = s;
    statName = name;
    version = ver;
    unlock();
    startThread(true, false);
}

bool GlobalStatGetter::result(long long& out) {
    lock();
    const bool have = fetched;
    if (have) out = total;
    unlock();
    return have;
}

void GlobalStatGetter::threadedFunction() {
    lock();
    const ScoreServer target = server;
    const std::string name = statName;
    const float ver = version;
    unlock();
    const ServerReply reply = target.requestWithRetries("getglobalstat.php", target.getGlobalStatUrl(name, ver),
                                                        target.attempts, [this] { return !isThreadRunning(); }, &loader);
    long long value = 0;
    if (!reply.ok || !ScoreServer::parseTotal(reply.lines, value)) return;
    lock();
    fetched = true;
    total = value;
    unlock();
}
