#pragma once

#include <string>
#include <vector>

#include "ScoreServer.h"
#include "ServerWorker.h"

// Sends one score to the score server on its own thread, retrying a few
// times before it gives up.
class ScoreSender : public ServerWorker {
public:
    enum SendState { Idle, Sending, Sent, Failed };

    ~ScoreSender() override;

    void start(const ScoreServer& server, const std::string& name, int score, int mode, bool coop,
               const std::vector<int>& shipTypes, bool build);
    SendState status();

    // True once the worker has really returned (a stopped one may still be
    // waiting on its request).
    bool ended() const { return !thread.isRunning(); }

protected:
    void threadedFunction() override;

private:
    // All below under the thread's mutex.
    ScoreServer server;
    std::string url;
    SendState state = Idle;
};
