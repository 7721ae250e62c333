#pragma once

#include <string>

#include "ScoreServer.h"
#include "ServerWorker.h"

// Fetches the world-wide total of one global counter once, on its own thread.
class GlobalStatGetter : public ServerWorker {
public:
    ~GlobalStatGetter() override;

    void fetch(const ScoreServer& server, const std::string& name, float version);
    // The total once it has arrived; false until then.
    bool result(long long& total);

protected:
    void threadedFunction() override;

private:
    // All below under the thread's mutex.
    ScoreServer server;
    std::string statName;
    float version = 0;
    bool fetched = false;
    long long total = 0;
};
