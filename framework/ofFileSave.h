#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

// Whole-file reads and crash-safe replacement of the game's own files. Paths
// are file-system paths (already past ofToDataPath).

enum class ofFileReadStatus { Read, Missing, Unreadable };

// Reads a whole regular file. Anything else in its place (a folder, a pipe, a
// device), a file larger than maxBytes and any read error give Unreadable,
// with the reason in error; nothing is read of a file that is too large.
ofFileReadStatus ofReadWholeFile(const std::string& path, std::string& bytes, std::string& error,
                                 std::size_t maxBytes = static_cast<std::size_t>(-1));

// What a save did to the file.
enum class ofFileSaveOutcome {
    Replaced,            // the new file is in place, and so is its folder entry
    ReplacedNotDurable,  // in place, but its folder could not be synced
    WrittenInPlace,      // the folder took no new file: written over in place
    NotReplaced,         // nothing changed; the old file, if any, is whole
    WrittenInPart,       // writing in place failed part way: the old file is lost
};

struct ofFileSaveResult {
    ofFileSaveOutcome outcome = ofFileSaveOutcome::NotReplaced;
    // Why it failed, or why it was not durable.
    std::string error;
    bool saved() const {
        return outcome == ofFileSaveOutcome::Replaced || outcome == ofFileSaveOutcome::ReplacedNotDurable ||
               outcome == ofFileSaveOutcome::WrittenInPlace;
    }
};

// Replaces the file with bytes so that a crash or power loss leaves either the
// old or the new file whole: written beside it, synced, renamed over it, and
// its folder synced. A symbolic link is followed and stays as it was; a file
// that exists keeps its permission bits. A file without write permission (its
// own write bits, for root too) is not replaced. Where the folder refuses the
// temporary file or the rename (no write access, a read-only file system, a
// file mounted on its own, an append-only folder), an existing file is written
// over in place instead; so is a file whose name leaves no room for a
// temporary name, and a missing one in those last two cases is made in place.
// Writing in place takes the room first, so that on a file system that can
// reserve room a full disk leaves the old file whole (a copy-on-write one may
// still need fresh room to write over, and fail part way); it waits up to two
// seconds for another process writing the same file in place, then fails
// with the old file whole.
// Warnings are logged for a save that succeeded in a weaker way; failures
// only go back to the caller.
ofFileSaveResult ofSaveFileAtomically(const std::string& path, const std::string& bytes);

// Deletes what a save of this path that was cut off left beside it.
void ofRemoveStaleSaveTemporaries(const std::string& path);

// Keeps a damaged file for the player to mend before anything writes over
// it: the file itself, at the end of any symbolic links, goes beside itself
// as "<name>.bad", or "<name>.bad.1", "<name>.bad.2"... when that is taken, so
// no earlier copy is ever written over; the links stay as they are. Where
// the file cannot be moved it is copied. Returns the copy's path, or "" with
// the reason in error.
std::string ofKeepDamagedFileAside(const std::string& path, std::string& error);

// Tests watch or fail the syncs of saves here; an empty function restores
// fsync.
void ofSetFileSyncFunction(std::function<int(int fd)> sync);
// Tests refuse renames here, as a read-only folder or a file mounted on its
// own would (return -1 with errno set); flags as for renameat2. An empty
// function restores the real call.
void ofSetFileRenameFunction(std::function<int(const char* from, const char* to, unsigned flags)> rename);
// Tests stand in for the pauses of a save waiting for a file another
// process is writing; an empty function restores the sleep.
void ofSetFileLockPauseFunction(std::function<void(std::chrono::milliseconds length)> pause);
