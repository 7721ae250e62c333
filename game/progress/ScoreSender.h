#pragma once

#include <string>
#include <vector>

#include "ScoreServer.h"
#include "ofThread.h"
#include "ofURLFileLoader.h"

// Sends one score to the score server on its own thread, retrying a few
// times before it gives up.
class ScoreSender : public ofThread {
public:
    enum SendState { Idle, Sending, Sent, Failed };

    ~ScoreSender() override;

    void start(const ScoreServer& server, const std::string& name, int score, int mode, bool coop,
               const std::vector<int>& shipTypes, bool build);
    SendState status();
    // Stops the worker and cancels its request in flight, so it ends at
    // once; callable from any thread.
    void stop();

    // True once the worker has really returned (a stopped one may still be
    // waiting on its request).
    bool ended() const { return !thread.isRunning(); }

protected:
    void threadedFunction() override;

private:
    // Cancelled by stop(); ready again for the next start.
    ofURLFileLoader loader;
    // All below under the thread's mutex.
    ScoreServer server;
    std::string url;
    SendState state = Idle;
};
