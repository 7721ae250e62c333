#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "ofFileCalls.h"
#include "ofFileSave.h"

using namespace ofFileCalls;

namespace {

// Far more than any player keeps; past it something is wrong with the folder.
const int maxKeptCopies = 1000;

std::string keptName(const std::string& target, int n) {
    return target + ".bad" + (n == 0 ? std::string() : "." + std::to_string(n));
}

// Moved under the first free name, never over an earlier copy. False with
// errno set when the folder will not move it.
bool moveAside(const std::string& target, std::string& kept) {
    for (int n = 0; n < maxKeptCopies; ++n) {
        kept = keptName(target, n);
        if (renameFile(target, kept, RENAME_NOREPLACE) == 0) return true;
        if (errno == EEXIST) continue;
        // File systems without that rename still make a second name safely.
        if (errno != EINVAL && errno != ENOSYS) return false;
        if (::link(target.c_str(), kept.c_str()) == 0) {
            ::unlink(target.c_str());
            return true;
        }
        if (errno != EEXIST) return false;
    }
    errno = EEXIST;
    return false;
}

// The file stays where it is (a file mounted on its own cannot be moved), and
// the next save writes over it.
bool copyAside(const std::string& target, std::string& kept) {
    std::string bytes, error;
    if (ofReadWholeFile(target, bytes, error) != ofFileReadStatus::Read) {
        errno = EIO;
        return false;
    }
    struct stat info {};
    const mode_t mode = ::stat(target.c_str(), &info) == 0 ? (info.st_mode & 0777) : 0644;
    for (int n = 0; n < maxKeptCopies; ++n) {
        kept = keptName(target, n);
        const int fd = ::open(kept.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return false;
        int failure = 0;
        if (!writeAll(fd, bytes) || syncFd(fd) != 0) failure = errno;
        if (::close(fd) != 0 && failure == 0) failure = errno;
        if (failure == 0) return true;
        ::unlink(kept.c_str());
        errno = failure;
        return false;
    }
    errno = EEXIST;
    return false;
}

}  // namespace

std::string ofKeepDamagedFileAside(const std::string& path, std::string& error) {
    std::string target, kept;
    if (!followLinks(path, target)) {
        error = reason(ELOOP);
        return "";
    }
    if (!moveAside(target, kept)) {
        const int moveError = errno;
        if (!copyAside(target, kept)) {
            error = reason(errno == EIO ? moveError : errno);
            return "";
        }
    }
    // The copy must outlast a power loss before a new file takes the old place.
    syncFolder(target);
    return kept;
}
