#include <gtest/gtest.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <dirent.h>
#include <fstream>
#include <future>
#include <mutex>
#include <string>
#include <thread>

#include "LogRecorder.h"
#include "ofThread.h"

using namespace std::chrono_literals;

namespace {

// A gate the test opens to let a worker go on.
class Gate {
public:
    void open() {
        std::lock_guard<std::mutex> l(m);
        isOpen = true;
        cv.notify_all();
    }
    void wait() {
        std::unique_lock<std::mutex> l(m);
        cv.wait(l, [this] { return isOpen; });
    }
    bool waitFor(std::chrono::milliseconds d) {
        std::unique_lock<std::mutex> l(m);
        return cv.wait_for(l, d, [this] { return isOpen; });
    }

private:
    std::mutex m;
    std::condition_variable cv;
    bool isOpen = false;
};

class BareThread : public ofThread {};

// Runs a job once; the job may wait on gates of the test.
class JobThread : public ofThread {
public:
    std::function<void(JobThread&)> job;
    std::atomic<int> runs{0};
    ~JobThread() override { waitForThread(); }
    bool callLock() { return lock(); }
    void callUnlock() { unlock(); }
    void setStackSize(int bytes) { thread.setStackSize(bytes); }

protected:
    void threadedFunction() override {
        ++runs;
        if (job) job(*this);
    }
};

// Loops until stopped, then lingers a little before it reports its end.
class LoopThread : public ofThread {
public:
    explicit LoopThread(std::atomic<bool>& finished) : finished(finished) {}
    ~LoopThread() override { waitForThread(); }
    std::atomic<int> rounds{0};

protected:
    void threadedFunction() override {
        while (isThreadRunning()) {
            ++rounds;
            std::this_thread::sleep_for(1ms);
        }
        std::this_thread::sleep_for(50ms);
        finished = true;
    }

private:
    std::atomic<bool>& finished;
};

// Uses nothing of its own, so the base destructor alone must wait for it.
class ExternalStateThread : public ofThread {
public:
    explicit ExternalStateThread(std::atomic<bool>& done) : done(done) {}

protected:
    void threadedFunction() override {
        while (isThreadRunning()) std::this_thread::sleep_for(1ms);
        std::this_thread::sleep_for(50ms);
        done = true;
    }

private:
    std::atomic<bool>& done;
};

template <class Pred>
bool eventually(Pred pred, std::chrono::milliseconds limit = 5000ms) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

long statusField(const std::string& key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0) return std::stol(line.substr(key.size() + 1));
    return -1;
}

int taskCount() {
    int n = 0;
    DIR* d = opendir("/proc/self/task");
    while (dirent* e = readdir(d))
        if (e->d_name[0] != '.') ++n;
    closedir(d);
    return n;
}

class ThreadTest : public testing::Test {
protected:
    void SetUp() override { ofSetLogLevel(OF_LOG_VERBOSE); }
    void TearDown() override { ofSetLogLevel(OF_LOG_NOTICE); }
};

}  // namespace

TEST_F(ThreadTest, NameIsThreadAndTheIdOfItsThreadObject) {
    BareThread a, b;
    const std::string prefix = "Thread ";
    ASSERT_EQ(a.getThreadName().compare(0, prefix.size(), prefix), 0);
    int idA = std::stoi(a.getThreadName().substr(prefix.size()));
    int idB = std::stoi(b.getThreadName().substr(prefix.size()));
    EXPECT_EQ(idB, idA + 1);
    EXPECT_FALSE(a.isThreadRunning());
}

TEST_F(ThreadTest, VerboseStartLogsStartedWarningStoppedUnderItsName) {
    LogRecorder rec;
    BareThread t;
    const std::string n = t.getThreadName();
    t.startThread(true, true);
    t.waitForThread(false);
    EXPECT_FALSE(t.isThreadRunning());
    std::vector<std::string> expected = {"[" + n + ":verbose] started",
                                         "[" + n + ":warning] override threadedFunction with your own",
                                         "[" + n + ":verbose] stopped"};
    EXPECT_EQ(rec.lines(), expected);
}

TEST_F(ThreadTest, QuietStartWritesNoStartedOrStoppedEvenAtVerboseThreshold) {
    LogRecorder rec;
    BareThread t;
    t.startThread(true, false);
    t.waitForThread(false);
    std::vector<std::string> expected = {"[" + t.getThreadName() + ":warning] override threadedFunction with your own"};
    EXPECT_EQ(rec.lines(), expected);
}

TEST_F(ThreadTest, LinesReachTheConsoleWithTheModulePrefix) {
    BareThread t;
    testing::internal::CaptureStdout();
    t.startThread(true, true);
    t.waitForThread(false);
    std::fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    const std::string n = t.getThreadName();
    EXPECT_EQ(out, "[" + n + ":verbose] started\n[" + n + ":warning] override threadedFunction with your own\n[" + n +
                       ":verbose] stopped\n");
}

TEST_F(ThreadTest, SecondStartWhileRunningIsRefusedAndKeepsTheFirstWorkerAndFlags) {
    LogRecorder rec;
    Gate gate;
    JobThread t;
    t.job = [&](JobThread&) { gate.wait(); };
    t.startThread(true, false);
    ASSERT_TRUE(eventually([&] { return t.runs.load() == 1; }));
    t.startThread(false, true);
    EXPECT_TRUE(t.isThreadRunning());
    // Still blocking and quiet: the main thread's lock takes the mutex silently.
    EXPECT_TRUE(t.callLock());
    t.callUnlock();
    gate.open();
    t.waitForThread(false);
    EXPECT_EQ(t.runs.load(), 1);
    std::vector<std::string> expected = {"[" + t.getThreadName() + ":warning] cannot start, thread already running"};
    EXPECT_EQ(rec.lines(), expected);
}

TEST_F(ThreadTest, StartIsRefusedUntilTheEndedWorkerHasReallyFinished) {
    LogRecorder rec;
    JobThread t;
    const std::string stoppedLine = "[" + t.getThreadName() + ":verbose] stopped";
    Gate reachedStopped, release;
    // Hold the worker inside its "stopped" line: the flag is already clear
    // but its thread has not ended yet.
    rec.setHook([&](const std::string& line) {
        if (line == stoppedLine) {
            reachedStopped.open();
            release.wait();
        }
    });
    t.startThread(true, true);
    ASSERT_TRUE(reachedStopped.waitFor(5000ms));
    EXPECT_FALSE(t.isThreadRunning());
    t.startThread(true, true);
    EXPECT_EQ(t.runs.load(), 1);
    release.open();
    t.waitForThread(false);
    rec.setHook(nullptr);

    t.startThread(true, false);
    t.waitForThread(false);
    EXPECT_EQ(t.runs.load(), 2);
    auto lines = rec.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "[" + t.getThreadName() + ":verbose] started");
    EXPECT_EQ(lines[1], "[" + t.getThreadName() + ":warning] cannot start, thread already running");
    EXPECT_EQ(lines[2], stoppedLine);
}

TEST_F(ThreadTest, StopThreadEndsALoopAndDoesNothingOnAnIdleThread) {
    std::atomic<bool> finished{false};
    LoopThread t(finished);
    t.stopThread();
    EXPECT_FALSE(t.isThreadRunning());
    t.startThread();
    EXPECT_TRUE(t.isThreadRunning());
    ASSERT_TRUE(eventually([&] { return t.rounds.load() > 2; }));
    t.stopThread();
    EXPECT_FALSE(t.isThreadRunning());
    t.waitForThread(false);
    EXPECT_TRUE(finished.load());
}

TEST_F(ThreadTest, DestructorWaitsForTheWorker) {
    std::atomic<bool> loopDone{false}, externalDone{false};
    {
        LoopThread t(loopDone);
        t.startThread();
        ASSERT_TRUE(eventually([&] { return t.rounds.load() > 0; }));
    }
    EXPECT_TRUE(loopDone.load());
    {
        ExternalStateThread t(externalDone);
        t.startThread();
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_TRUE(externalDone.load());
}

TEST_F(ThreadTest, LockLinesOfTheMainThreadAndOfTheWorker) {
    LogRecorder rec;
    Gate workerDone;
    JobThread t;
    t.job = [&](JobThread& self) {
        EXPECT_TRUE(self.callLock());
        self.callUnlock();
        workerDone.open();
    };
    t.startThread(true, true);
    ASSERT_TRUE(workerDone.waitFor(5000ms));
    t.waitForThread(false);
    EXPECT_TRUE(t.callLock());
    t.callUnlock();

    const std::string p = "[" + t.getThreadName() + ":verbose] ";
    std::vector<std::string> expected = {p + "started",
                                         p + "thread waiting for own mutex to be unlocked",
                                         p + "thread locked own mutex",
                                         p + "thread unlocked own mutex",
                                         p + "stopped",
                                         p + "external waiting for thread mutex to be unlocked",
                                         p + "external locked thread mutex",
                                         p + "external unlocked thread mutex"};
    EXPECT_EQ(rec.lines(), expected);
}

TEST_F(ThreadTest, QuietThreadLocksWithoutLines) {
    LogRecorder rec;
    JobThread t;
    t.startThread(true, false);
    t.waitForThread(false);
    EXPECT_TRUE(t.callLock());
    t.callUnlock();
    EXPECT_TRUE(rec.lines().empty());
}

TEST_F(ThreadTest, MutexIsRecursiveForItsHolder) {
    JobThread t;
    ASSERT_TRUE(t.callLock());
    ASSERT_TRUE(t.callLock());
    t.callUnlock();
    // Still held once by the main thread: the worker must wait for it.
    std::atomic<bool> workerHasLock{false};
    t.job = [&](JobThread& self) {
        self.callLock();
        workerHasLock = true;
        self.callUnlock();
    };
    t.startThread();
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(workerHasLock.load());
    t.callUnlock();
    ASSERT_TRUE(eventually([&] { return workerHasLock.load(); }));
}

TEST_F(ThreadTest, NonBlockingLockFailsOnlyWhileAnotherThreadHoldsIt) {
    LogRecorder rec;
    Gate held, release;
    std::atomic<int> workerResults{0};
    JobThread t;
    t.job = [&](JobThread& self) {
        // Free, then held by this very thread: both succeed.
        if (self.callLock()) ++workerResults;
        if (self.callLock()) ++workerResults;
        self.callUnlock();
        held.open();
        release.wait();
        self.callUnlock();
    };
    t.startThread(false, true);
    ASSERT_TRUE(held.waitFor(5000ms));
    auto before = rec.lines().size();
    EXPECT_FALSE(t.callLock());
    auto lines = rec.lines();
    ASSERT_EQ(lines.size(), before + 1);
    EXPECT_EQ(lines.back(), "[" + t.getThreadName() + ":verbose] mutex is busy - already locked");
    release.open();
    t.waitForThread(false);
    EXPECT_EQ(workerResults.load(), 2);
    EXPECT_TRUE(t.callLock());
    t.callUnlock();
}

TEST_F(ThreadTest, HundredsOfRestartsLeaveNoThreadsOrMemoryBehind) {
    LogRecorder rec;  // swallows the refusals of restarts made too early
    JobThread t;
    auto restart = [&] {
        const int before = t.runs.load();
        // Never joined here: the restart itself must clean up the ended worker.
        do {
            t.startThread();
        } while (!eventually([&] { return t.runs.load() > before && !t.isThreadRunning(); }, 20ms));
    };
    for (int i = 0; i < 5; ++i) restart();
    t.waitForThread(false);
    const int tasksBefore = taskCount();
    const long vmBefore = statusField("VmSize");
    const long rssBefore = statusField("VmRSS");
    for (int i = 0; i < 400; ++i) restart();
    t.waitForThread(false);
    EXPECT_EQ(t.runs.load(), 405);
    EXPECT_EQ(taskCount(), tasksBefore);
    // An ended thread that is never joined keeps its whole stack mapped.
    EXPECT_LT(statusField("VmSize") - vmBefore, 32 * 1024);
    EXPECT_LT(statusField("VmRSS") - rssBefore, 8 * 1024);
}

TEST_F(ThreadTest, FailedStartIsLoggedAndLeavesTheThreadIdle) {
    LogRecorder rec;
    JobThread t;
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    // Leave too little address space for a new thread's stack (a large one,
    // so no stack cached from earlier threads can serve it).
    t.setStackSize(64 * 1024 * 1024);
    const long vmKb = statusField("VmSize");
    rlimit tight = old;
    tight.rlim_cur = static_cast<rlim_t>(vmKb + 1024) * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    t.startThread();
    const bool runningAfterFailure = t.isThreadRunning();
    ASSERT_EQ(setrlimit(RLIMIT_AS, &old), 0);

    EXPECT_FALSE(runningAfterFailure);
    EXPECT_EQ(t.runs.load(), 0);
    auto lines = rec.lines();
    ASSERT_EQ(lines.size(), 1u);
    const std::string prefix = "[" + t.getThreadName() + ":error] cannot start thread: ";
    EXPECT_EQ(lines[0].compare(0, prefix.size(), prefix), 0) << lines[0];

    t.setStackSize(0);
    t.startThread();
    t.waitForThread(false);
    EXPECT_EQ(t.runs.load(), 1);
}
