#pragma once

#include "ofThread.h"
#include "ofURLFileLoader.h"

// A worker thread that talks to the score server. Stopping it also cancels
// its request in flight, so it ends at once instead of at its time-out.
// Each subclass's destructor calls stop() and joins, before its own members
// that the worker reads go.
class ServerWorker : public ofThread {
public:
    // Callable from any thread.
    void stop() {
        stopThread();
        loader.cancel();
    }

protected:
    // Joins a run that has ended and readies the loader again; false while
    // one is still running.
    bool readyToStart() {
        if (isThreadRunning()) return false;
        waitForThread(false);
        loader.resume();
        return true;
    }

    ofURLFileLoader loader;
};
