#pragma once

#include <vector>

#include "ScoreServer.h"
#include "ServerWorker.h"

// Downloads one high-score table on its own thread.
class ScoreLoader : public ServerWorker {
public:
    enum LoadState { Idle, Loading, Loaded, Failed };

    ~ScoreLoader() override;

    void start(const ScoreServer& server, int mode, bool coop);
    // The status, and the rows once loaded.
    LoadState status(std::vector<ScoreEntry>* rows = nullptr);

    int mode = 1;
    bool coop = false;

    // True once the worker has really returned (a stopped one may still be
    // waiting on its request).
    bool ended() const { return !thread.isRunning(); }

protected:
    void threadedFunction() override;

private:
    // All below under the thread's mutex.
    ScoreServer server;
    LoadState state = Idle;
    std::vector<ScoreEntry> entries;
};
