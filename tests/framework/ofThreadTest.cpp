#include <gtest/gtest.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>

#include "KeptLogLevel.h"
#include "LogRecorder.h"
#include "WaitUntil.h"
#include "ofThread.h"

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

namespace {

struct JobThread : ofThread {
    std::function<void(JobThread&)> job;
    std::atomic<int> runs{0};
    ~JobThread() override { waitForThread(); }
    void threadedFunction() override {
        ++runs;
        if (job) job(*this);
    }
    using ofThread::thread;
};

long vmSizeKb() {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, 7, "VmSize:") == 0) return std::stol(line.substr(8));
    return -1;
}

long taskCount() {
    const std::filesystem::directory_iterator tasks("/proc/self/task");
    return std::distance(begin(tasks), end(tasks));
}

class ThreadTest : public testing::Test {
    KeptLogLevel threshold;
};

}  // namespace

TEST_F(ThreadTest, StartIsRefusedWhileTheWorkerLivesAndWorksAgainAfterwards) {
    ofSetLogLevel(OF_LOG_VERBOSE);
    LogRecorder rec;
    JobThread t;
    const std::string p = "[" + t.getThreadName() + ":";
    std::promise<void> inJob, leaveJob, inStopped, leaveStopped;
    t.job = [&](JobThread&) {
        inJob.set_value();
        leaveJob.get_future().wait();
    };
    // Holds the worker after it cleared its flag but before its thread ends.
    rec.hook = [&](const std::string& line) {
        if (line != p + "verbose] stopped") return;
        inStopped.set_value();
        leaveStopped.get_future().wait();
    };
    t.startThread(true, true);
    inJob.get_future().wait();
    t.startThread(false, false);  // refused: the flags stay blocking and verbose
    EXPECT_TRUE(t.isThreadRunning());
    leaveJob.set_value();
    inStopped.get_future().wait();
    EXPECT_FALSE(t.isThreadRunning());
    t.startThread(true, true);  // refused: the thread has not ended yet
    leaveStopped.set_value();
    t.waitForThread(false);
    rec.hook = nullptr;
    t.job = nullptr;
    t.startThread(true, true);
    t.waitForThread(false);
    EXPECT_EQ(t.runs.load(), 2);
    const std::string refused = p + "warning] cannot start, thread already running";
    EXPECT_EQ(rec.lines(), (Lines{p + "verbose] started", refused, refused, p + "verbose] stopped",
                                  p + "verbose] started", p + "verbose] stopped"}));
}

TEST_F(ThreadTest, HundredsOfRestartsLeaveNoThreadsOrStacksBehind) {
    JobThread t;
    // Never joined by the test: each restart must clean up the ended worker.
    auto restart = [&] {
        const int before = t.runs.load();
        do t.startThread(true, false);
        while (!waitUntil([&] { return t.runs.load() > before && !t.isThreadRunning(); }, 20ms));
    };
    for (int i = 0; i < 5; ++i) restart();
    t.waitForThread(false);
    const long tasks = taskCount(), vm = vmSizeKb();
    for (int i = 0; i < 400; ++i) restart();
    t.waitForThread(false);
    EXPECT_EQ(t.runs.load(), 405);
    EXPECT_EQ(taskCount(), tasks);
    // An ended thread that is never joined keeps its stack (1 MiB or more) mapped.
    EXPECT_LT(vmSizeKb() - vm, 100 * 1024);
}

TEST_F(ThreadTest, FailedStartIsLoggedAndLeavesTheThreadIdle) {
    LogRecorder rec;
    JobThread t;
    // Too little address space for a new stack; a large one, so no stack
    // cached from earlier threads can serve it.
    t.thread.setStackSize(64 * 1024 * 1024);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    const rlimit tight{static_cast<rlim_t>(vmSizeKb() + 1024) * 1024, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    t.startThread();
    const bool running = t.isThreadRunning();
    ASSERT_EQ(setrlimit(RLIMIT_AS, &old), 0);
    EXPECT_FALSE(running);
    ASSERT_EQ(rec.lines().size(), 1u);
    EXPECT_EQ(rec.lines()[0].rfind("[" + t.getThreadName() + ":error] cannot start thread: ", 0), 0u);
    t.thread.setStackSize(0);
    t.startThread();
    t.waitForThread(false);
    EXPECT_EQ(t.runs.load(), 1);
}

// Names count up per thread object; only a verbose start logs the start and
// stop lines, and a thread that overrides nothing says so whatever it was told.
TEST_F(ThreadTest, StartedAndStoppedLinesOnlyWhenStartedVerboseAndTheBaseLoopWarns) {
    struct BareThread : ofThread {};
    LogRecorder rec;
    BareThread a, b;
    const std::string n = a.getThreadName();
    ASSERT_EQ(n.compare(0, 7, "Thread "), 0);
    EXPECT_EQ(b.getThreadName(), "Thread " + std::to_string(std::stoi(n.substr(7)) + 1));
    a.startThread(true, true);
    a.waitForThread(false);
    b.startThread(true, false);
    b.waitForThread(false);
    const std::string noOverride = ":warning] override threadedFunction with your own";
    EXPECT_EQ(rec.lines(), (Lines{"[" + n + ":verbose] started", "[" + n + noOverride, "[" + n + ":verbose] stopped",
                                  "[" + b.getThreadName() + noOverride}));
}

// A verbose blocking thread tells who waits for, takes and gives back its
// mutex: the worker itself ("thread ... own") or another thread ("external").
// A quiet one says nothing, and its non-blocking lock fails only while
// another thread holds the mutex.
TEST_F(ThreadTest, LockLinesNameTheHolderAndTheMutexIsRecursive) {
    LogRecorder rec;
    JobThread t;
    t.job = [](JobThread& self) {
        EXPECT_TRUE(self.lock());
        self.unlock();
    };
    t.startThread(true, true);
    t.waitForThread(false);
    EXPECT_TRUE(t.lock());
    t.unlock();
    const std::string p = "[" + t.getThreadName() + ":verbose] ";
    EXPECT_EQ(rec.lines(), (Lines{p + "started", p + "thread waiting for own mutex to be unlocked",
                                  p + "thread locked own mutex", p + "thread unlocked own mutex", p + "stopped",
                                  p + "external waiting for thread mutex to be unlocked",
                                  p + "external locked thread mutex", p + "external unlocked thread mutex"}));

    LogRecorder quiet;
    JobThread q;
    std::promise<void> held, release;
    std::atomic<int> workerLocks{0};
    q.job = [&](JobThread& self) {
        workerLocks += self.lock();
        workerLocks += self.lock();
        self.unlock();
        held.set_value();
        release.get_future().wait();
        self.unlock();
    };
    q.startThread(false, false);
    held.get_future().wait();
    EXPECT_FALSE(q.lock());
    release.set_value();
    q.waitForThread(false);
    EXPECT_EQ(workerLocks.load(), 2);
    EXPECT_TRUE(q.lock() && q.lock());
    q.unlock();
    q.unlock();
    EXPECT_EQ(quiet.lines(), Lines{});  // its module threshold hides even the busy line
}
