#include "ScoreLoader.h"

ScoreLoader::~ScoreLoader() {
    stop();
    waitForThread(false);
}

void ScoreLoader::start(const ScoreServer& s, int m, bool c) {
    if (!readyToStart()) return;
    lock();
    server = s;
    mode = m;
    coop = c;
    state = Loading;
    entries.clear();
    unlock();
    startThread(true, false);
}

ScoreLoader::LoadState ScoreLoader::status(std::vector<ScoreEntry>* rows) {
    lock();
    const LoadState s = state;
    if (rows != nullptr && s == Loaded) *rows = entries;
    unlock();
    return s;
}

void ScoreLoader::threadedFunction() {
    lock();
    const ScoreServer target = server;
    const int m = mode;
    const bool c = coop;
    unlock();
    const ServerReply reply = target.requestWithRetries("getscores.php", target.getScoresUrl(m, c), target.attempts,
                                                        [this] { return !isThreadRunning(); }, &loader);
    std::vector<ScoreEntry> rows;
    if (reply.ok) rows = ScoreServer::parseScores(reply.lines);
    lock();
    state = reply.ok ? Loaded : Failed;
    entries = rows;
    unlock();
}
