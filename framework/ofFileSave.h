#pragma once

#include <functional>
#include <string>

// Whole-file reads and crash-safe replacement of the game's own files. Paths
// are file-system paths (already past ofToDataPath).

enum class ofFileReadStatus { Read, Missing, Unreadable };

// Reads a whole regular file. Anything else in its place (a folder, a pipe, a
// device) and any read error give Unreadable, with the reason in error.
ofFileReadStatus ofReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Replaces the file with bytes so that a crash or power loss leaves either the
// old or the new file whole: written beside it, synced, renamed over it, and
// its folder synced. A symbolic link is followed and stays as it was; a file
// that exists keeps its permission bits. False, with nothing replaced, when a
// step before the rename fails; false too when the folder cannot be synced.
bool ofSaveFileAtomically(const std::string& path, const std::string& bytes);

// Deletes what a save of this path that was cut off left beside it.
void ofRemoveStaleSaveTemporaries(const std::string& path);

// Tests watch or fail the syncs of saves here; an empty function restores
// fsync.
void ofSetFileSyncFunction(std::function<int(int fd)> sync);
