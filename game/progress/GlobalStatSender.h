#pragma once

#include <string>

#include "ScoreServer.h"
#include "ServerWorker.h"

// Sends one global counter's increments to the score server on its own
// thread. Increments that arrive while a request is out add up and go with
// the next one, so none is lost. Once stopped it stays stopped, and what it
// carried stays pending.
class GlobalStatSender : public ServerWorker {
public:
    ~GlobalStatSender() override;

    // Adds value to what is still to be sent and makes sure the worker runs.
    void send(const std::string& name, int value, float version);
    // Forgets what has not gone out yet.
    void dropPending();
    void setServer(const ScoreServer& server);
    long long pendingSum();

    std::string statName;
    int value = 0;
    float version = 0;
    std::string fromSteam = "0";

protected:
    void threadedFunction() override;

private:
    bool stopped() const;

    // All below under the thread's mutex.
    ScoreServer server;
    long long pending = 0;
    // Set by send when it starts the worker, cleared by the worker as it
    // finds nothing left to send.
    bool workerActive = false;
    // Counts drops, so a sum that failed after a drop is not put back.
    int generation = 0;
};
