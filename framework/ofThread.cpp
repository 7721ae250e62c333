#include "ofThread.h"

#include <Poco/Exception.h>

#include "ofLog.h"

ofThread::ofThread()
    : threadRunning(false), blocking(true), verbose(false), joinPending(false) {
    name = "Thread " + std::to_string(thread.id());
    thread.setName(name);
}

ofThread::~ofThread() {
    // The owner never outlives its worker: stop it and wait for its end.
    waitForThread(true);
}

bool ofThread::isThreadRunning() const {
    return threadRunning.load();
}

const std::string& ofThread::getThreadName() const {
    return name;
}

void ofThread::startThread(bool block, bool verb) {
    std::lock_guard<std::mutex> control(controlMutex);
    if (thread.isRunning()) {
        ofLogWarning(name) << "cannot start, thread already running";
        return;
    }
    joinEndedWorker();

    threadRunning = true;
    blocking = block;
    verbose = verb;
    ofSetLogLevel(name, verb ? OF_LOG_VERBOSE : OF_LOG_NOTICE);
    try {
        thread.start(*this);
        joinPending = true;
    } catch (const Poco::Exception& e) {
        threadRunning = false;
        ofLogError(name) << "cannot start thread: " << e.displayText();
    } catch (const std::exception& e) {
        threadRunning = false;
        ofLogError(name) << "cannot start thread: " << e.what();
    }
}

void ofThread::stopThread() {
    if (thread.isRunning()) threadRunning = false;
}

void ofThread::waitForThread(bool callStopThread) {
    if (callStopThread) stopThread();
    if (isCalledFromWorker()) return;
    std::lock_guard<std::mutex> control(controlMutex);
    joinEndedWorker();
}

void ofThread::joinEndedWorker() {
    if (!joinPending) return;
    try {
        thread.join();
    } catch (const Poco::Exception& e) {
        ofLogError(name) << "cannot join thread: " << e.displayText();
    }
    joinPending = false;
}

void ofThread::run() {
    ofLogVerbose(name) << "started";
    threadedFunction();
    threadRunning = false;
    ofLogVerbose(name) << "stopped";
}

void ofThread::threadedFunction() {
    ofLogWarning(name) << "override threadedFunction with your own";
}

bool ofThread::isCalledFromWorker() const {
    return Poco::Thread::current() == &thread;
}

bool ofThread::lock() {
    const bool own = isCalledFromWorker();
    if (blocking) {
        if (verbose) {
            ofLogVerbose(name) << (own ? "thread waiting for own mutex to be unlocked"
                                       : "external waiting for thread mutex to be unlocked");
        }
        mutex.lock();
    } else if (!mutex.tryLock()) {
        ofLogVerbose(name) << "mutex is busy - already locked";
        return false;
    }
    if (verbose) ofLogVerbose(name) << (own ? "thread locked own mutex" : "external locked thread mutex");
    return true;
}

void ofThread::unlock() {
    mutex.unlock();
    if (verbose) {
        ofLogVerbose(name) << (isCalledFromWorker() ? "thread unlocked own mutex"
                                                    : "external unlocked thread mutex");
    }
}
