#pragma once

#include <string>

#include "ScoreServer.h"
#include "ofThread.h"
#include "ofURLFileLoader.h"

// Sends one global counter's increments to the score server on its own
// thread. Increments that arrive while a request is out add up and go with
// the next one, so none is lost.
class GlobalStatSender : public ofThread {
public:
    ~GlobalStatSender() override;

    // Adds value to what is still to be sent and makes sure the worker runs.
    void send(const std::string& name, int value, float version);
    // Forgets what has not gone out yet.
    void dropPending();
    void setServer(const ScoreServer& server);
    long long pendingSum();
    // Stops the worker for good and cancels its request in flight, so it
    // ends at once (what it carried stays pending); callable from any thread.
    void stop();

    std::string statName;
    int value = 0;
    float version = 0;
    std::string fromSteam = "0";

protected:
    void threadedFunction() override;

private:
    bool stopped() const;

    // Cancelled by stop().
    ofURLFileLoader loader;
    // All below under the thread's mutex.
    ScoreServer server;
    long long pending = 0;
    // Set by send when it starts the worker, cleared by the worker as it
    // finds nothing left to send.
    bool workerActive = false;
    // Counts drops, so a sum that failed after a drop is not put back.
    int generation = 0;
};
