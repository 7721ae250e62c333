#include "GlobalStatSender.h"

GlobalStatSender::~GlobalStatSender() {
    stop();
    waitForThread(false);
}

void GlobalStatSender::send(const std::string& name, int amount, float ver) {
    bool start = false;
    lock();
    statName = name;
    value = amount;
    version = ver;
    fromSteam = "0";
    if (server.enabled()) {
        pending += amount;
        start = !workerActive;
        workerActive = true;
    }
    unlock();
    if (!start) return;
    // A worker that has just found nothing left is on its way out; it is
    // joined (it no longer waits on anything) before the new one starts.
    waitForThread(false);
    startThread(true, false);
}

void GlobalStatSender::dropPending() {
    lock();
    pending = 0;
    ++generation;
    unlock();
}

void GlobalStatSender::setServer(const ScoreServer& s) {
    lock();
    server = s;
    unlock();
}

long long GlobalStatSender::pendingSum() {
    lock();
    const long long sum = pending;
    unlock();
    return sum;
}

bool GlobalStatSender::stopped() const {
    return !isThreadRunning();
}

void GlobalStatSender::threadedFunction() {
    int failures = 0;
    while (true) {
        lock();
        const long long amount = pending;
        const ScoreServer target = server;
        const std::string name = statName;
        const float ver = version;
        const std::string steam = fromSteam;
        const int taken = generation;
        // A failed sum is retried a few times; after that it waits for the
        // next send, which restarts the worker with it included.
        if (amount == 0 || stopped() || failures >= target.attempts) {
            workerActive = false;
            unlock();
            return;
        }
        pending = 0;
        unlock();

        const ServerReply reply =
            target.request("sendglobalstat.php", target.sendGlobalStatUrl(name, amount, ver, steam), &loader);
        if (reply.ok) {
            failures = 0;
            continue;
        }
        lock();
        if (generation == taken) pending += amount;
        unlock();
        ++failures;
        if (failures < target.attempts) ScoreServer::waitUnlessStopped(target.retryWaitMillis, [this] { return stopped(); });
    }
}
