#include "ofFileCalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "ofFileSave.h"

namespace {

struct Seams {
    std::mutex mutex;
    std::function<int(int)> sync;
    std::function<int(const char*, const char*, unsigned)> rename;
    std::function<void(std::chrono::milliseconds)> lockPause;
};

Seams& seams() {
    static Seams* state = new Seams;
    return *state;
}

}  // namespace

namespace ofFileCalls {

std::string reason(int error) {
    return std::generic_category().message(error);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool followLinks(std::string path, std::string& target) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = path;
            return true;
        }
        std::vector<char> text(static_cast<std::size_t>(info.st_size) + 256);
        const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= text.size()) return false;
        const std::string to(text.data(), static_cast<std::size_t>(n));
        path = to[0] == '/' ? to : folderOf(path) + to;
    }
    return false;
}

int syncFd(int fd) {
    std::function<int(int)> sync;
    {
        Seams& state = seams();
        std::lock_guard<std::mutex> lock(state.mutex);
        sync = state.sync;
    }
    return sync ? sync(fd) : ::fsync(fd);
}

bool syncFolder(const std::string& path) {
    const std::string folder = folderOf(path);
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = syncFd(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

int renameFile(const std::string& from, const std::string& to, unsigned flags) {
    std::function<int(const char*, const char*, unsigned)> rename;
    {
        Seams& state = seams();
        std::lock_guard<std::mutex> lock(state.mutex);
        rename = state.rename;
    }
    if (rename) return rename(from.c_str(), to.c_str(), flags);
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags);
}

void pauseForLock(std::chrono::milliseconds length) {
    std::function<void(std::chrono::milliseconds)> pause;
    {
        Seams& state = seams();
        std::lock_guard<std::mutex> lock(state.mutex);
        pause = state.lockPause;
    }
    if (pause) pause(length);
    else std::this_thread::sleep_for(length);
}

bool writeAll(int fd, const std::string& data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace ofFileCalls

void ofSetFileSyncFunction(std::function<int(int fd)> sync) {
    Seams& state = seams();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.sync = std::move(sync);
}

void ofSetFileRenameFunction(std::function<int(const char* from, const char* to, unsigned flags)> rename) {
    Seams& state = seams();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.rename = std::move(rename);
}

void ofSetFileLockPauseFunction(std::function<void(std::chrono::milliseconds length)> pause) {
    Seams& state = seams();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.lockPause = std::move(pause);
}
