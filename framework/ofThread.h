#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include <Poco/Mutex.h>
#include <Poco/Runnable.h>
#include <Poco/Thread.h>

// Base of every worker thread. A subclass overrides threadedFunction; a
// subclass whose loop reads its own members must call waitForThread() in its
// own destructor, since the base destructor runs after those are gone.
class ofThread : protected Poco::Runnable {
public:
    ofThread();
    virtual ~ofThread();

    bool isThreadRunning() const;
    void startThread(bool blocking = true, bool verbose = false);
    void stopThread();

    // Optionally stops the worker, then waits until it has ended. Does
    // nothing when called from the worker itself.
    void waitForThread(bool callStopThread = true);

    bool lock();
    void unlock();

    // "Thread " + the id of the underlying thread object; also the log module.
    const std::string& getThreadName() const;

protected:
    void run() override;
    virtual void threadedFunction();

    // Recursive for its holder, like a critical section.
    Poco::Mutex mutex;
    std::atomic<bool> threadRunning;
    std::atomic<bool> blocking;
    std::atomic<bool> verbose;
    Poco::Thread thread;

private:
    bool isCalledFromWorker() const;
    // Joins an ended worker so its resources go back before a restart.
    void joinEndedWorker();

    std::string name;
    // Serialises start, join and destruction; never held while the worker runs.
    std::mutex controlMutex;
    bool joinPending;

    ofThread(const ofThread&) = delete;
    ofThread& operator=(const ofThread&) = delete;
};
