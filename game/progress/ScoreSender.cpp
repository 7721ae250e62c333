#include "ScoreSender.h"

ScoreSender::~ScoreSender() {
    stop();
    waitForThread(false);
}

void ScoreSender::start(const ScoreServer& s, const std::string& name, int score, int mode, bool coop,
                        const std::vector<int>& shipTypes, bool build) {
    if (!readyToStart()) return;
    lock();
    server = s;
    url = s.sendScoreUrl(name, score, mode, coop, shipTypes, build);
    state = Sending;
    unlock();
    startThread(true, false);
}

ScoreSender::SendState ScoreSender::status() {
    lock();
    const SendState s = state;
    unlock();
    return s;
}

void ScoreSender::threadedFunction() {
    lock();
    const ScoreServer target = server;
    const std::string address = url;
    unlock();
    const ServerReply reply =
        target.requestWithRetries("sendscore.php", address, target.attempts, [this] { return !isThreadRunning(); }, &loader);
    lock();
    state = reply.ok ? Sent : Failed;
    unlock();
}
