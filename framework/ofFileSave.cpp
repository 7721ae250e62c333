#include "ofFileSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <set>
#include <system_error>
#include <vector>

namespace {

std::string reason(int error) {
    return std::generic_category().message(error);
}

struct SyncState {
    std::mutex mutex;
    std::function<int(int)> sync;
};

SyncState& syncState() {
    static SyncState* state = new SyncState;
    return *state;
}

int syncFd(int fd) {
    std::function<int(int)> sync;
    {
        SyncState& state = syncState();
        std::lock_guard<std::mutex> lock(state.mutex);
        sync = state.sync;
    }
    return sync ? sync(fd) : ::fsync(fd);
}

// The folder part with its closing "/", or "" for a bare name.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a save really replaces: symbolic links followed to their end, a
// dangling one included. False for a loop of links.
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

bool writeAll(int fd, const std::string& data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Some file systems cannot sync a folder at all; that is no failure.
bool syncFolder(const std::string& path) {
    const std::string folder = folderOf(path);
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = syncFd(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    ::close(fd);
    return ok;
}

// Temporaries this process is writing right now; every other one of ours is
// left from an earlier run whose process had the same id.
std::mutex tempMutex;
std::set<std::string> tempsInFlight;

// A save writes "<name>.tmp<pid>_<n>" beside the file and renames it. One
// killed in between leaves that temporary behind; it is stale when its process
// is gone, or is this one and no save of ours is writing it.
void removeStaleBeside(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string prefix = target.substr(folder.size()) + ".tmp";
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::size_t underscore = name.find('_', prefix.size());
        if (underscore == std::string::npos || underscore == prefix.size() || underscore + 1 == name.size() ||
            underscore - prefix.size() > 9)
            continue;
        const std::string pidText = name.substr(prefix.size(), underscore - prefix.size());
        const std::string countText = name.substr(underscore + 1);
        auto digits = [](const std::string& t) { return t.find_first_not_of("0123456789") == std::string::npos; };
        if (!digits(pidText) || !digits(countText)) continue;
        const pid_t pid = static_cast<pid_t>(std::stol(pidText));
        const std::string path = folder + name;
        bool gone;
        if (pid == ::getpid()) {
            std::lock_guard<std::mutex> lock(tempMutex);
            gone = tempsInFlight.count(path) == 0;
        } else {
            gone = pid <= 0 || (::kill(pid, 0) != 0 && errno == ESRCH);
        }
        if (gone) stale.push_back(path);
    }
    ::closedir(dir);
    for (const std::string& path : stale) ::unlink(path.c_str());
}

}  // namespace

ofFileReadStatus ofReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    // Not blocking: a pipe in the file's place must not hold the game up.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return ofFileReadStatus::Missing;
        error = reason(errno);
        return ofFileReadStatus::Unreadable;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? reason(EISDIR) : "not a regular file";
        ::close(fd);
        return ofFileReadStatus::Unreadable;
    }
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = reason(errno);
            bytes.clear();
            ::close(fd);
            return ofFileReadStatus::Unreadable;
        }
        if (n == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ofFileReadStatus::Read;
}

bool ofSaveFileAtomically(const std::string& path, const std::string& bytes) {
    std::string target;
    if (!followLinks(path, target)) return false;
    removeStaleBeside(target);
    struct stat old {};
    const bool keepMode = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temp = target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
        std::lock_guard<std::mutex> lock(tempMutex);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) tempsInFlight.insert(temp);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return false;

    bool ok = !keepMode || ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && writeAll(fd, bytes);
    ok = ok && syncFd(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    {
        std::lock_guard<std::mutex> lock(tempMutex);
        tempsInFlight.erase(temp);
    }
    // Until its folder is synced, the rename itself may not survive a power loss.
    return ok && syncFolder(target);
}

void ofRemoveStaleSaveTemporaries(const std::string& path) {
    std::string target;
    if (followLinks(path, target)) removeStaleBeside(target);
}

void ofSetFileSyncFunction(std::function<int(int fd)> sync) {
    SyncState& state = syncState();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.sync = std::move(sync);
}
