#include "ofFileSave.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <set>
#include <vector>

#include "ofFileCalls.h"
#include "ofLog.h"

using namespace ofFileCalls;

namespace {

// Temporaries this process is writing right now; every other one of ours is
// left from an earlier run whose process had the same id.
std::mutex tempMutex;
std::set<std::string> tempsInFlight;

bool appendOnlyFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    const bool appendOnly = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_APPEND_FL) != 0;
    ::close(fd);
    return appendOnly;
}

// A save writes "<name>.tmp<pid>_<n>" beside the file and renames it. One
// killed in between leaves that temporary behind; it is stale when its process
// is gone, or is this one and no save of ours is writing it. Returns the errno
// of a stale one the folder would not let go of, else 0. Another user's
// leftover in a sticky folder stays for its owner, and says nothing of what
// the folder refuses us.
int removeStaleBeside(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string prefix = target.substr(folder.size()) + ".tmp";
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return 0;
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
    int kept = 0;
    for (const std::string& path : stale) {
        if (::unlink(path.c_str()) == 0 || errno == ENOENT) continue;
        const int error = errno;
        struct stat info {};
        if ((::lstat(path.c_str(), &info) == 0 && info.st_uid == ::geteuid()) || appendOnlyFolder(folder)) kept = error;
    }
    return kept;
}

// Root may write any file, but a file whose write bits are all clear was
// made read-only on purpose, as an in-place write would respect for anyone
// else.
bool mayWrite(const std::string& target, const struct stat& info, std::string& error) {
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        error = "the file is read-only";
        return false;
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        error = reason(errno);
        return false;
    }
    return true;
}

// What sent a save in place.
enum class Refused { NewFile, Rename, Removal };

// Where no temporary can stand in. A folder that takes no new file, or a
// rename it will not do, still lets a writable file be written over; an
// append-only folder (renames refused with EPERM) and a name with no room
// left for a temporary name take a missing file made in place too.
bool inPlaceInstead(int error, bool existing) {
    if (error == EPERM || error == ENAMETOOLONG) return true;
    return existing && (error == EACCES || error == EROFS || error == EBUSY || error == EXDEV);
}

// The room the text needs, taken before a byte of the old file is written
// over, so that a full disk fails the save with the old file whole. A file
// system that cannot reserve is written as before: posix_fallocate would
// emulate it there by reading from this write-only descriptor, and fail.
// Returns an errno, or 0.
int reserve(int fd, std::size_t size, std::size_t oldSize) {
    if (size == 0) return 0;
    int error = 0;
    while ((error = ::fallocate(fd, 0, 0, static_cast<off_t>(size)) == 0 ? 0 : errno) == EINTR) continue;
    if (error == 0 || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL) return 0;
    // What a failed reservation took stands past the old end; it goes.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && static_cast<std::size_t>(info.st_size) != oldSize)
        (void)::ftruncate(fd, static_cast<off_t>(oldSize));
    return error;
}

// Another process saving in place between this write and this cut would
// have its text cut to this one's length. A save holds the lock for
// milliseconds, so one held for seconds belongs to a process that is stopped
// or stalled, which must not freeze this one: false then. The lock goes with
// the close; a file system without locks is written unlocked.
bool lockAgainstOtherWriters(int fd) {
    constexpr std::chrono::milliseconds pause{10};
    constexpr int pauses = 200;
    for (int paused = 0;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return true;
        if (paused++ == pauses) return false;
        pauseForLock(pause);
    }
}

// A kill between writing and cutting to size must not leave the new text
// followed by the old one's tail: a shorter text goes down padded with spaces
// to the old length, made durable, then cut; the loader takes trailing white
// space. What this path still cannot promise: a kill in the middle of a write
// larger than a page, or a power loss before the padded text is synced, can
// leave a mix of the old and the new.
ofFileSaveResult writeInPlace(const std::string& target, const std::string& bytes, bool existing, Refused refused,
                              int refusal) {
    ofFileSaveResult result;
    const int fd = ::open(target.c_str(), existing ? O_WRONLY | O_CLOEXEC : O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          0666);
    if (fd < 0) {
        result.error = reason(errno);
        return result;
    }
    if (!lockAgainstOtherWriters(fd)) {
        // Not even a file of our own making goes: the holder is writing it.
        ::close(fd);
        result.error = "another process is writing the file";
        return result;
    }
    struct stat info {};
    const std::size_t oldSize = ::fstat(fd, &info) == 0 ? static_cast<std::size_t>(info.st_size) : 0;
    // In one write, so that no kill falls between the text and its padding.
    std::string padded = bytes;
    if (oldSize > bytes.size()) padded.append(oldSize - bytes.size(), ' ');
    int error = reserve(fd, padded.size(), oldSize);
    bool touched = false;
    if (error == 0) {
        if (!writeAll(fd, padded)) {
            error = errno;
            touched = ::lseek(fd, 0, SEEK_CUR) > 0;
        } else {
            touched = !padded.empty();
            if (padded.size() != bytes.size() && syncFd(fd) != 0) error = errno;
            else if (::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) error = errno;
            else if (syncFd(fd) != 0) error = errno;
        }
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    // A file of our own making that holds half a save is worse than none.
    if (error != 0 && !existing && ::unlink(target.c_str()) == 0) touched = false;
    if (error != 0) {
        result.outcome = touched ? ofFileSaveOutcome::WrittenInPart : ofFileSaveOutcome::NotReplaced;
        result.error = reason(error);
        return result;
    }
    const std::string what = refused == Refused::NewFile  ? "a new file"
                             : refused == Refused::Rename ? "the rename"
                                                          : "the removal of a temporary";
    ofLogWarning() << "ofSaveFileAtomically: " << target << " written in place; "
                   << (refusal == ENAMETOOLONG ? "its name leaves no room for a temporary one"
                                               : "its folder refused " + what + " (" + reason(refusal) + ")");
    result.outcome = ofFileSaveOutcome::WrittenInPlace;
    return result;
}

}  // namespace

ofFileReadStatus ofReadWholeFile(const std::string& path, std::string& bytes, std::string& error,
                                 std::size_t maxBytes) {
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
    auto tooLarge = [maxBytes] { return "larger than " + std::to_string(maxBytes) + " bytes"; };
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        error = tooLarge();
        ::close(fd);
        return ofFileReadStatus::Unreadable;
    }
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        // It may grow while it is read.
        const bool over = n > 0 && static_cast<std::size_t>(n) > maxBytes - bytes.size();
        if (n < 0 || over) {
            error = over ? tooLarge() : reason(errno);
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

ofFileSaveResult ofSaveFileAtomically(const std::string& path, const std::string& bytes) {
    ofFileSaveResult result;
    std::string target;
    if (!followLinks(path, target)) {
        result.error = reason(ELOOP);
        return result;
    }
    const int staleKept = removeStaleBeside(target);
    struct stat old {};
    const bool existing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    if (existing && !mayWrite(target, old, result.error)) return result;
    // A folder that keeps every temporary (append-only) would gain one more
    // with each save.
    if (staleKept != 0 && inPlaceInstead(staleKept, existing))
        return writeInPlace(target, bytes, existing, Refused::Removal, staleKept);

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
    if (fd < 0) {
        const int error = errno;
        if (inPlaceInstead(error, existing)) return writeInPlace(target, bytes, existing, Refused::NewFile, error);
        result.error = reason(error);
        return result;
    }

    bool ok = !existing || ::fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && writeAll(fd, bytes);
    ok = ok && syncFd(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    bool renameRefused = false;
    if (ok && renameFile(temp, target, 0) != 0) {
        ok = false;
        renameRefused = true;
        error = errno;
    }
    if (!ok) ::unlink(temp.c_str());
    {
        std::lock_guard<std::mutex> lock(tempMutex);
        tempsInFlight.erase(temp);
    }
    if (!ok) {
        if (inPlaceInstead(error, existing))
            return writeInPlace(target, bytes, existing, renameRefused ? Refused::Rename : Refused::NewFile, error);
        result.error = reason(error);
        return result;
    }
    // Until its folder is synced, the rename itself may not survive a power
    // loss; the file is replaced all the same.
    if (!syncFolder(target)) {
        result.outcome = ofFileSaveOutcome::ReplacedNotDurable;
        result.error = reason(errno);
        ofLogWarning() << "ofSaveFileAtomically: " << target << " replaced, but its folder could not be synced ("
                       << result.error << "); the change may not survive a power loss";
        return result;
    }
    result.outcome = ofFileSaveOutcome::Replaced;
    return result;
}

void ofRemoveStaleSaveTemporaries(const std::string& path) {
    std::string target;
    if (followLinks(path, target)) removeStaleBeside(target);
}
