#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <thread>

#include "LogRecorder.h"
#include "WaitUntil.h"
#include "ofThread.h"

using namespace std::chrono_literals;

namespace {

using Lines = std::vector<std::string>;

class JobThread : public ofThread {
public:
    std::function<void(JobThread&)> job;
    std::atomic<int> runs{0};
    ~JobThread() override { waitForThread(); }
    void setStackSize(int bytes) { thread.setStackSize(bytes); }
    using ofThread::lock;
    using ofThread::unlock;

protected:
    void threadedFunction() override {
        ++runs;
        if (job) job(*this);
    }
};

long statusKb(const std::string& key) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.compare(0, key.size(), key) == 0) return std::stol(line.substr(key.size() + 1));
    return -1;
}

int taskCount() {
    int n = 0;
    DIR* d = opendir("/proc/self/task");
    while (dirent* e = readdir(d)) n += e->d_name[0] != '.';
    closedir(d);
    return n;
}

struct ThreadTest : testing::Test {
    void SetUp() override { ofSetLogLevel(OF_LOG_VERBOSE); }
};

}  // namespace

TEST_F(ThreadTest, StartIsRefusedWhileTheWorkerLivesAndWorksAgainAfterwards) {
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
        if (line == p + "verbose] stopped") {
            inStopped.set_value();
            leaveStopped.get_future().wait();
        }
    };
    t.startThread(true, true);
    inJob.get_future().wait();
    t.startThread(false, false);  // refused: the flags stay blocking and verbose
    EXPECT_TRUE(t.isThreadRunning());
    leaveJob.set_value();
    inStopped.get_future().wait();
    EXPECT_FALSE(t.isThreadRunning());
    t.startThread(true, true);
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

TEST_F(ThreadTest, MutexIsRecursiveAndNonBlockingLockFailsOnlyWhenAnotherThreadHoldsIt) {
    LogRecorder rec;
    JobThread t;
    std::promise<void> held, release;
    std::atomic<int> workerLocks{0};
    t.job = [&](JobThread& self) {
        workerLocks += self.lock();
        workerLocks += self.lock();
        self.unlock();
        held.set_value();
        release.get_future().wait();
        self.unlock();
    };
    t.startThread(false, false);
    held.get_future().wait();
    EXPECT_FALSE(t.lock());
    release.set_value();
    t.waitForThread(false);
    EXPECT_EQ(workerLocks.load(), 2);
    EXPECT_TRUE(t.lock());
    EXPECT_TRUE(t.lock());
    t.unlock();
    t.unlock();
    // Quiet thread: its module threshold hides even the busy line.
    EXPECT_EQ(rec.lines(), Lines{});
}

TEST_F(ThreadTest, StopAndDestructionWaitForTheLoopToEnd) {
    std::atomic<bool> finished{false};
    {
        JobThread t;
        t.stopThread();
        EXPECT_FALSE(t.isThreadRunning());
        t.job = [&](JobThread& self) {
            while (self.isThreadRunning()) std::this_thread::sleep_for(1ms);
            std::this_thread::sleep_for(50ms);
            finished = true;
        };
        t.startThread();
        EXPECT_TRUE(t.isThreadRunning());
    }
    EXPECT_TRUE(finished.load());
}

TEST_F(ThreadTest, HundredsOfRestartsLeaveNoThreadsOrMemoryBehind) {
    ofSetLogLevel(OF_LOG_ERROR);
    JobThread t;
    // Never joined by the test: each restart must clean up the ended worker.
    auto restart = [&] {
        const int before = t.runs.load();
        do t.startThread(true, false);
        while (!waitUntil([&] { return t.runs.load() > before && !t.isThreadRunning(); }, 20ms));
    };
    for (int i = 0; i < 5; ++i) restart();
    t.waitForThread(false);
    const int tasks = taskCount();
    const long vm = statusKb("VmSize"), rss = statusKb("VmRSS");
    for (int i = 0; i < 400; ++i) restart();
    t.waitForThread(false);
    EXPECT_EQ(t.runs.load(), 405);
    EXPECT_EQ(taskCount(), tasks);
    // An ended thread that is never joined keeps its stack mapped.
    EXPECT_LT(statusKb("VmSize") - vm, 32 * 1024);
    EXPECT_LT(statusKb("VmRSS") - rss, 8 * 1024);
}

TEST_F(ThreadTest, FailedStartIsLoggedAndLeavesTheThreadIdle) {
    LogRecorder rec;
    JobThread t;
    // Too little address space for a new stack; a large one, so no stack
    // cached from earlier threads can serve it.
    t.setStackSize(64 * 1024 * 1024);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &old), 0);
    rlimit tight = old;
    tight.rlim_cur = static_cast<rlim_t>(statusKb("VmSize") + 1024) * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    t.startThread();
    const bool running = t.isThreadRunning();
    ASSERT_EQ(setrlimit(RLIMIT_AS, &old), 0);
    EXPECT_FALSE(running);
    const Lines lines = rec.lines();
    const std::string prefix = "[" + t.getThreadName() + ":error] cannot start thread: ";
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, prefix.size()), prefix);
    t.setStackSize(0);
    t.startThread();
    t.waitForThread(false);
    EXPECT_EQ(t.runs.load(), 1);
}
