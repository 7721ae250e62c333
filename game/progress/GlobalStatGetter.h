#pragma once

#include <string>

#include "ScoreServer.h"
#include "ofThread.h"
#include "ofURLFileLoader.h"

// Fetches the world-wide total of one global counter once, on its own thread.
class GlobalStatGetter : public ofThread {
public:
    ~GlobalStatGetter() override;

    void fetch(const ScoreServer& server, const std::string& name, float version);
    // The total once it has arrived; false until then.
    bool result(long long& total);
    // Stops the worker and cancels its request in flight, so it ends at
    // once; callable from any thread.
    void stop();

protected:
    void threadedFunction() override;

private:
    // Cancelled by stop(); ready again for the next fetch.
    ofURLFileLoader loader;
    // All below under the thread's mutex.
    ScoreServer server;
    std::string statName;
    float version = 0;
    bool fetched = false;
    long long total = 0;
};
