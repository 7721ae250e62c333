#pragma once

#include <chrono>
#include <string>

// File-system steps shared by the save routine and the keeping aside of
// damaged files, with the seams tests use in their place.
namespace ofFileCalls {

// The text of an errno value.
std::string reason(int error);

// The folder part with its closing "/", or "" for a bare name.
std::string folderOf(const std::string& path);

// The file a save really replaces: symbolic links followed to their end, a
// dangling one included. False for a loop of links.
bool followLinks(std::string path, std::string& target);

// fsync, or the test's function.
int syncFd(int fd);

// Syncs the folder holding path; false with errno set when it cannot be
// opened or synced. Some file systems cannot sync a folder at all; that is
// no failure.
bool syncFolder(const std::string& path);

// renameat2 in the working folder, or the test's function.
int renameFile(const std::string& from, const std::string& to, unsigned flags);

// Waits between tries for a lock another process holds: a sleep, or the
// test's function.
void pauseForLock(std::chrono::milliseconds length);

// Writes all of data at the file's position; false with errno set.
bool writeAll(int fd, const std::string& data);

}  // namespace ofFileCalls
