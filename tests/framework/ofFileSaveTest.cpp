#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/fs.h>
#include <linux/seccomp.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>
#include <thread>

#include "CapturedOutput.h"
#include "ScratchDir.h"
#include "WaitUntil.h"
#include "ofFileSave.h"
#include "ofxXmlConfig.h"

namespace {

using Names = std::vector<std::string>;

thread_local bool firstWriter = false;

// Makes this process's file systems unable to reserve room: fallocate
// answers EOPNOTSUPP. False where no filter can be set.
bool refuseReservations() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fallocate, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

struct FileSaveTest : testing::Test {
    void TearDown() override {
        ::chmod(dir.file("ro").c_str(), 0755);  // so the folders can be removed
        setAppendOnly(false);
        ofSetFileRenameFunction(nullptr);
        ofSetFileSyncFunction(nullptr);
        ofSetFileLockPauseFunction(nullptr);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(dir.file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void put(const std::string& name, const std::string& content) const {
        std::ofstream(dir.file(name), std::ios::binary) << content;
    }
    ino_t inode(const std::string& name) const {
        struct stat st {};
        return ::stat(dir.file(name).c_str(), &st) == 0 ? st.st_ino : 0;
    }
    // Sorted, so a temporary left behind shows.
    Names entries(const std::string& sub = "") const {
        Names names;
        for (const auto& e : std::filesystem::directory_iterator(dir.file(sub))) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Refuses every rename that replaces a file with the given errno.
    static void refuseRenames(int error) {
        ofSetFileRenameFunction([error](const char* from, const char* to, unsigned flags) {
            if (flags != 0) return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags);
            errno = error;
            return -1;
        });
    }
    // The "ao" folder's append-only flag; false where it cannot be set.
    bool setAppendOnly(bool on) const {
        const int fd = ::open(dir.file("ao").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL;
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }
    ScratchDir dir;
};

}  // namespace

// A refused rename of the kind a read-only folder or a file mounted on its own
// gives falls back to writing the same file over; anything else leaves the old
// file whole and says why.
TEST_F(FileSaveTest, ARefusedRenameWritesInPlaceOnlyForTheFolderKindsOfRefusal) {
    const struct {
        int error;
        ofFileSaveOutcome outcome;
        const char* after;
        const char* log;
    } cases[] = {
        {EXDEV, ofFileSaveOutcome::WrittenInPlace, "<NEW>1</NEW>\n", "Invalid cross-device link"},
        {EBUSY, ofFileSaveOutcome::WrittenInPlace, "<NEW>1</NEW>\n", "Device or resource busy"},
        {EACCES, ofFileSaveOutcome::WrittenInPlace, "<NEW>1</NEW>\n", "Permission denied"},
        {EROFS, ofFileSaveOutcome::WrittenInPlace, "<NEW>1</NEW>\n", "Read-only file system"},
        {ENOSPC, ofFileSaveOutcome::NotReplaced, "<OLD>a longer old file</OLD>\n", ""},
        {EIO, ofFileSaveOutcome::NotReplaced, "<OLD>a longer old file</OLD>\n", ""},
    };
    for (const auto& c : cases) {
        put("p.xml", "<OLD>a longer old file</OLD>\n");
        ::chmod(dir.file("p.xml").c_str(), 0640);
        const ino_t before = inode("p.xml");
        refuseRenames(c.error);
        ofFileSaveResult result;
        const CapturedOutput o = captureOutput([&] { result = ofSaveFileAtomically(dir.file("p.xml"), "<NEW>1</NEW>\n"); });
        EXPECT_EQ(result.outcome, c.outcome) << c.log;
        EXPECT_EQ(read("p.xml"), c.after) << c.log;
        EXPECT_EQ(inode("p.xml"), before) << c.log;
        EXPECT_EQ(entries(), Names{"p.xml"}) << c.log;
        const bool inPlace = c.outcome == ofFileSaveOutcome::WrittenInPlace;
        EXPECT_EQ(o.out + o.err, inPlace ? "[warning] ofSaveFileAtomically: " + dir.file("p.xml") +
                                               " written in place; its folder refused the rename (" + c.log + ")\n"
                                         : "")
            << c.log;
        EXPECT_EQ(result.error, inPlace ? "" : std::generic_category().message(c.error));
        EXPECT_EQ(std::filesystem::status(dir.file("p.xml")).permissions(), std::filesystem::perms(0640));
    }
    // With no file to write over, a refused rename is a failure.
    std::filesystem::remove(dir.file("p.xml"));
    refuseRenames(EXDEV);
    EXPECT_EQ(ofSaveFileAtomically(dir.file("p.xml"), "x").outcome, ofFileSaveOutcome::NotReplaced);
    EXPECT_EQ(entries(), Names{});
}

// A folder sync that fails after the rename does not undo it: the save says
// the file was replaced, with one warning, and the settings file counts it a
// success.
TEST_F(FileSaveTest, AFolderThatCannotBeSyncedStillLeavesTheFileReplaced) {
    put("p.xml", "<OLD />");
    ofSetFileSyncFunction([](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        if (!S_ISDIR(st.st_mode)) return ::fsync(fd);
        errno = EIO;
        return -1;
    });
    ofxXmlConfig xml;
    xml.setValue("N", 2);
    bool saved = false;
    const CapturedOutput o = captureOutput([&] { saved = xml.saveFile(dir.file("p.xml")); });
    EXPECT_TRUE(saved);
    EXPECT_EQ(xml.getSaveResult().outcome, ofFileSaveOutcome::ReplacedNotDurable);
    EXPECT_EQ(read("p.xml"), "<N>2</N>\n");
    EXPECT_EQ(o.out + o.err, "[warning] ofSaveFileAtomically: " + dir.file("p.xml") +
                                 " replaced, but its folder could not be synced (Input/output error); the change "
                                 "may not survive a power loss\n");
    ofSetFileSyncFunction(nullptr);
    EXPECT_EQ(ofSaveFileAtomically(dir.file("p.xml"), "<N>3</N>\n").outcome, ofFileSaveOutcome::Replaced);
}

// A file whose write bits are all clear is not replaced, for root too, and
// neither is one reached through a link; one write bit is enough.
TEST_F(FileSaveTest, AReadOnlyFileIsNotReplaced) {
    ASSERT_EQ(::symlink("ro.xml", dir.file("link.xml").c_str()), 0);
    const std::pair<mode_t, bool> modes[] = {{0444, false}, {0400, false}, {0000, false},
                                             {0644, true},  {0600, true},  {0664, true}};
    for (const auto& [mode, replaced] : modes) {
        for (const char* name : {"ro.xml", "link.xml"}) {
            ::chmod(dir.file("ro.xml").c_str(), 0644);
            put("ro.xml", "<MINE />");
            ::chmod(dir.file("ro.xml").c_str(), mode);
            ofFileSaveResult result;
            const CapturedOutput o = captureOutput([&] { result = ofSaveFileAtomically(dir.file(name), "<NEW />"); });
            EXPECT_EQ(result.saved(), replaced) << std::oct << mode << name;
            EXPECT_EQ(read("ro.xml"), replaced ? "<NEW />" : "<MINE />") << std::oct << mode << name;
            EXPECT_EQ(result.error, replaced ? "" : "the file is read-only") << std::oct << mode << name;
            EXPECT_EQ(o.out + o.err, "");
            EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.xml")));
            EXPECT_EQ(std::filesystem::status(dir.file("ro.xml")).permissions(), std::filesystem::perms(mode));
        }
    }
}

// A real read-only folder holding a writable file, saved as another user:
// no temporary can be made there, so the file is written in place, and so is
// one whose name leaves no room for a temporary name. Where the file system
// can reserve room, a text the file may not grow to fails before a byte is
// written over; where it cannot (played by a filter that refuses fallocate,
// as NFS before 4.2 and FUSE file systems do), every text is written as it
// comes, and one the limit cuts short leaves the file in part.
TEST_F(FileSaveTest, AReadOnlyFolderTakesTheSaveInPlace) {
    const uid_t nobody = 65534;
    const std::string longName(250, 'n'), old = "<OLD>0123456789</OLD>\n", big(4000, 'x');
    const std::string shorter = "<A />", equal = "<NEW>9876543210</NEW>\n", longer = "<NEW>longer than the old</NEW>\n";
    ASSERT_EQ(::chmod(dir.path.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.file("ro").c_str(), 0755), 0);
    for (const std::string& name : {std::string("p.xml"), longName}) {
        put("ro/" + name, old);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(dir.file("ro/" + name).c_str(), nobody, nobody), 0);
        }
        ASSERT_EQ(::chmod(dir.file("ro/" + name).c_str(), 0666), 0);
    }
    ASSERT_EQ(::chmod(dir.file("ro").c_str(), 0555), 0);
    const struct {
        std::string name;
        bool reserves;
        std::string bytes;
        rlim_t limit;
        ofFileSaveOutcome outcome;
        std::string after;
    } cases[] = {
        {"p.xml", true, longer, RLIM_INFINITY, ofFileSaveOutcome::WrittenInPlace, longer},
        {"p.xml", true, shorter, RLIM_INFINITY, ofFileSaveOutcome::WrittenInPlace, shorter},
        {"p.xml", true, big, 1024, ofFileSaveOutcome::NotReplaced, old},
        {"p.xml", false, shorter, RLIM_INFINITY, ofFileSaveOutcome::WrittenInPlace, shorter},
        {"p.xml", false, equal, RLIM_INFINITY, ofFileSaveOutcome::WrittenInPlace, equal},
        {"p.xml", false, longer, RLIM_INFINITY, ofFileSaveOutcome::WrittenInPlace, longer},
        {longName, false, shorter, RLIM_INFINITY, ofFileSaveOutcome::WrittenInPlace, shorter},
        {longName, false, equal, RLIM_INFINITY, ofFileSaveOutcome::WrittenInPlace, equal},
        {longName, false, longer, RLIM_INFINITY, ofFileSaveOutcome::WrittenInPlace, longer},
        {"p.xml", false, big, 1024, ofFileSaveOutcome::WrittenInPart, big.substr(0, 1024)},
    };
    for (const auto& c : cases) {
        const std::string label = c.name.substr(0, 5) + (c.reserves ? " reserves " : " cannot reserve ") + c.bytes.substr(0, 5);
        put("ro/" + c.name, old);
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = std::min(c.limit, limit.rlim_max);
            if ((::geteuid() == 0 && (::setgid(nobody) != 0 || ::setuid(nobody) != 0)) ||
                ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(100);
            if (!c.reserves && !refuseReservations()) ::_exit(102);
            // The warning is checked elsewhere.
            if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) ::_exit(101);
            ::_exit(static_cast<int>(ofSaveFileAtomically(dir.file("ro/" + c.name), c.bytes).outcome));
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 100 || WEXITSTATUS(status) == 102) {
            GTEST_SKIP() << (WEXITSTATUS(status) == 100 ? "cannot give up root here" : "cannot filter system calls here");
        }
        EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(c.outcome)) << label;
        EXPECT_EQ(read("ro/" + c.name), c.after) << label;
        EXPECT_EQ(entries("ro"), (Names{longName, "p.xml"})) << label;
    }
}

// A kill between writing over the file and cutting it to size leaves the new
// document followed by white space only, which loads as the new document;
// and a finished save leaves exactly the new bytes. The child dies at the
// sync of the file itself, the moment between writing and cutting.
TEST_F(FileSaveTest, AKillBeforeTheCutLeavesTheNewDocumentAndWhiteSpace) {
    const std::string longer = "<N>1</N>\n<PADDING>" + std::string(5000, 'p') + "</PADDING>\n";
    const struct {
        std::string before;
        bool kill;
        std::string after;
    } cases[] = {
        {longer, true, "<N>2</N>\n" + std::string(longer.size() - 9, ' ')},
        {"<N>1</N>\n<M>7</M>\n", true, "<N>2</N>\n         "},
        {"<N>1</N>\n<M>7</M>\n", false, "<N>2</N>\n"},
        // Nothing is left over to pad: the only sync comes after the cut.
        {"<N>1</N>", true, "<N>2</N>\n"},
    };
    for (const auto& c : cases) {
        put("p.xml", c.before);
        const ino_t file = inode("p.xml");
        const pid_t child = ::fork();
        if (child == 0) {
            refuseRenames(EXDEV);
            ofSetFileSyncFunction([&c, file](int fd) {
                struct stat st {};
                if (c.kill && ::fstat(fd, &st) == 0 && st.st_ino == file) ::raise(SIGKILL);
                return ::fsync(fd);
            });
            if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) ::_exit(101);
            ::_exit(static_cast<int>(ofSaveFileAtomically(dir.file("p.xml"), "<N>2</N>\n").outcome));
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (c.kill) {
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << c.before.size();
        } else {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == static_cast<int>(ofFileSaveOutcome::WrittenInPlace));
        }
        EXPECT_EQ(read("p.xml"), c.after) << c.before.size();
        ofxXmlConfig xml;
        EXPECT_TRUE(xml.loadFile(dir.file("p.xml"))) << c.before.size();
        EXPECT_EQ(xml.getValue("N", 0) * 10 + xml.getValue("M", 0), 20) << c.before.size();
        ofRemoveStaleSaveTemporaries(dir.file("p.xml"));
        EXPECT_EQ(entries(), Names{"p.xml"});
    }
}

// An append-only folder takes new files but neither renames nor removes
// them: saves go in place, a missing file is made there, and however many
// saves follow, one temporary at most is left. Where the flag cannot be set
// here, the refused rename is played by the hook.
TEST_F(FileSaveTest, AnAppendOnlyFolderTakesEverySaveInPlaceLeavingOneTemporaryAtMost) {
    ASSERT_EQ(::mkdir(dir.file("ao").c_str(), 0755), 0);
    put("ao/p.xml", "<OLD>a much longer old file</OLD>\n");
    const bool appendOnly = setAppendOnly(true);
    if (!appendOnly) refuseRenames(EPERM);
    std::set<std::string> saved;
    for (const char* name : {"p.xml", "p.xml", "p.xml", "new.xml", "new.xml"}) {
        for (const char* bytes : {"<NEW>1</NEW>\n", "<NEW>22</NEW>\n"}) {
            // The first save leaves the temporary the rename was refused; later ones find it.
            const bool leftover = appendOnly && !saved.insert(name).second;
            const std::string warning = std::string(" written in place; its folder refused ") +
                                        (leftover ? "the removal of a temporary" : "the rename") +
                                        " (Operation not permitted)\n";
            ofFileSaveResult result;
            const CapturedOutput o =
                captureOutput([&] { result = ofSaveFileAtomically(dir.file("ao/") + name, bytes); });
            EXPECT_EQ(result.outcome, ofFileSaveOutcome::WrittenInPlace) << name;
            EXPECT_EQ(read(std::string("ao/") + name), bytes) << name;
            EXPECT_EQ(o.out + o.err, "[warning] ofSaveFileAtomically: " + dir.file("ao/") + name + warning);
        }
    }
    Names names = entries("ao");
    const std::size_t temporaries = std::count_if(names.begin(), names.end(), [](const std::string& n) {
        return n.find(".tmp") != std::string::npos;
    });
    // One for each file whose first save found no leftover to go by.
    EXPECT_EQ(temporaries, appendOnly ? 2u : 0u);
    EXPECT_EQ(names.size(), 2 + temporaries);
    setAppendOnly(false);
}

// A name with no room left for a temporary name is still saved, in place,
// directly or through a link, and a missing one is made, or not left at all.
TEST_F(FileSaveTest, ANameTooLongForATemporaryIsSavedInPlace) {
    const std::string longName(250, 'n');
    ASSERT_EQ(::symlink(longName.c_str(), dir.file("link.xml").c_str()), 0);
    const std::string warning = " written in place; its name leaves no room for a temporary one\n";
    const struct {
        const char* path;
        const char* before;  // nullptr: no file yet
        const char* bytes;
    } cases[] = {
        {"link.xml", nullptr, "<A>1</A>\n"},
        {"link.xml", nullptr, "<A>longer</A>\n"},
        {"long", "<A>an old and longer file</A>\n", "<A>3</A>\n"},
    };
    for (const auto& c : cases) {
        const std::string path = std::string(c.path) == "long" ? longName : c.path;
        if (c.before != nullptr) put(longName, c.before);
        ofFileSaveResult result;
        const CapturedOutput o = captureOutput([&] { result = ofSaveFileAtomically(dir.file(path), c.bytes); });
        EXPECT_EQ(result.outcome, ofFileSaveOutcome::WrittenInPlace) << c.bytes;
        EXPECT_EQ(read(longName), c.bytes);
        EXPECT_EQ(o.out + o.err, "[warning] ofSaveFileAtomically: " + dir.file(longName) + warning);
        EXPECT_EQ(entries(), (Names{"link.xml", longName}));
    }
    // A file made in place that could not be finished is not left half made.
    std::filesystem::remove(dir.file(longName));
    ofSetFileSyncFunction([](int) {
        errno = EIO;
        return -1;
    });
    const ofFileSaveResult failed = ofSaveFileAtomically(dir.file("link.xml"), "<A>1</A>\n");
    EXPECT_EQ(failed.outcome, ofFileSaveOutcome::NotReplaced);
    EXPECT_EQ(failed.error, "Input/output error");
    EXPECT_EQ(entries(), Names{"link.xml"});
}

// Every damaged copy is kept: a second never takes an earlier one's name; the
// file at the end of a link goes beside itself and the link stays; a file
// that will not move is copied; and a name with no room for the suffix keeps
// nothing and says why.
TEST_F(FileSaveTest, DamagedFilesAreKeptAsideUnderNamesNoEarlierCopyHas) {
    ASSERT_EQ(::mkdir(dir.file("real").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("real/target.xml", dir.file("link.xml").c_str()), 0);
    put("p.xml.bad.1", "taken");
    std::string error;
    const struct {
        const char* path;
        const char* content;
        int refuse;  // errno for the move, 0 for none
        const char* kept;
        const char* left;
    } cases[] = {
        {"p.xml", "first", 0, "p.xml.bad", nullptr},
        {"p.xml", "second", 0, "p.xml.bad.2", nullptr},
        {"p.xml", "third", EBUSY, "p.xml.bad.3", "third"},
        {"link.xml", "linked", 0, "real/target.xml.bad", nullptr},
        {"link.xml", "again", EXDEV, "real/target.xml.bad.1", "again"},
    };
    for (const auto& c : cases) {
        put(std::string(c.path) == "link.xml" ? "real/target.xml" : c.path, c.content);
        ofSetFileRenameFunction([&c](const char* from, const char* to, unsigned flags) {
            if (c.refuse == 0) return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, flags);
            errno = c.refuse;
            return -1;
        });
        EXPECT_EQ(ofKeepDamagedFileAside(dir.file(c.path), error), dir.file(c.kept)) << c.content;
        EXPECT_EQ(read(c.kept), c.content);
        EXPECT_EQ(read(c.path), c.left ? c.left : "") << c.content;
    }
    EXPECT_EQ(read("p.xml.bad") + read("p.xml.bad.1") + read("p.xml.bad.2") + read("real/target.xml.bad"),
              "firsttakensecondlinked");
    EXPECT_EQ(std::filesystem::read_symlink(dir.file("link.xml")), "real/target.xml");
    ofSetFileRenameFunction(nullptr);
    const std::string longName(252, 'n');
    put(longName, "long");
    EXPECT_EQ(ofKeepDamagedFileAside(dir.file(longName), error), "");
    EXPECT_EQ(error + " " + read(longName), "File name too long long");
}

// Reads stop at the limit, and a settings file larger than any the game
// writes is refused unread, as out of reach, silently: its caller's one line
// gives the reason.
TEST_F(FileSaveTest, FilesOverTheLimitAreRefusedUnread) {
    put("f", std::string(100, 'a'));
    std::string bytes, error;
    const std::pair<std::size_t, ofFileReadStatus> limits[] = {
        {100, ofFileReadStatus::Read}, {99, ofFileReadStatus::Unreadable}, {0, ofFileReadStatus::Unreadable}};
    for (const auto& [limit, status] : limits) {
        EXPECT_EQ(ofReadWholeFile(dir.file("f"), bytes, error, limit), status) << limit;
        EXPECT_EQ(bytes.size(), status == ofFileReadStatus::Read ? 100u : 0u) << limit;
    }
    EXPECT_EQ(error, "larger than 0 bytes");
    put("huge.xml", "<A>1</A>");
    std::filesystem::resize_file(dir.file("huge.xml"), ofxXmlConfig::maxLoadBytes + 1);  // sparse: costs no disk
    ofxXmlConfig xml;
    const CapturedOutput o = captureOutput([&] { EXPECT_FALSE(xml.loadFile(dir.file("huge.xml"))); });
    EXPECT_EQ(xml.getLoadStatus(), ofxXmlConfig::Unreadable);
    EXPECT_EQ(o.out + o.err + xml.getLoadError(), "larger than 16777216 bytes");
}

// An in-place save on a full disk fails before a byte of the old file is
// written over; one that fits in the file's own room, or in the room left,
// is saved. The disk is a small file system mounted in a child's own mount
// namespace; a name too long for a temporary sends each save in place.
TEST_F(FileSaveTest, AFullDiskLeavesTheOldFileOfAnInPlaceSaveWhole) {
    const std::string name(250, 'f'), disk = dir.file("disk");
    const std::string old = "<OLD>" + std::string(3000, 'o') + "</OLD>\n";
    const std::string longer = "<NEW>" + std::string(12000, 'n') + "</NEW>\n";  // three pages
    const struct {
        std::string bytes;
        int freePages;
        ofFileSaveOutcome outcome;
        std::string after;
    } cases[] = {
        {"<N>2</N>\n", 0, ofFileSaveOutcome::WrittenInPlace, "<N>2</N>\n"},
        {longer, 0, ofFileSaveOutcome::NotReplaced, old},
        {longer, 1, ofFileSaveOutcome::NotReplaced, old},
        {longer, 2, ofFileSaveOutcome::WrittenInPlace, longer},
    };
    ASSERT_EQ(::mkdir(disk.c_str(), 0755), 0);
    for (const auto& c : cases) {
        const pid_t child = ::fork();
        if (child == 0) {
            if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
                ::_exit(100);
            std::ofstream(disk + "/" + name, std::ios::binary) << old;
            std::ofstream(disk + "/spare", std::ios::binary) << std::string(c.freePages * 4096, 's');
            const int fill = ::open((disk + "/fill").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
            const std::string page(4096, 'x');
            while (::write(fill, page.data(), page.size()) > 0) {
            }
            ::close(fill);
            ::unlink((disk + "/spare").c_str());
            ofFileSaveResult result;
            const CapturedOutput o = captureOutput([&] { result = ofSaveFileAtomically(disk + "/" + name, c.bytes); });
            std::ifstream in(disk + "/" + name, std::ios::binary);
            std::ofstream(dir.file("after"), std::ios::binary)
                << result.error << "|" << std::string(std::istreambuf_iterator<char>(in), {});
            const bool clean = std::filesystem::exists(disk + "/fill") &&
                               std::distance(std::filesystem::directory_iterator(disk), {}) == 2;
            ::_exit(clean ? static_cast<int>(result.outcome) : 101);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 100) {
            GTEST_SKIP() << "cannot mount a file system here";
        }
        EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(c.outcome)) << c.bytes.size() << " " << c.freePages;
        const bool saved = c.outcome == ofFileSaveOutcome::WrittenInPlace;
        EXPECT_EQ(read("after"), (saved ? "" : "No space left on device") + std::string("|") + c.after)
            << c.bytes.size() << " " << c.freePages;
    }
}

// A second in-place save of the file, made while the first is between its
// write and its cut, waits for the first to finish; else the first would cut
// the second's text to its own length. A save that finds the lock held too
// long gives up with the old file whole, and goes through once it is free.
TEST_F(FileSaveTest, TwoInPlaceSavesOfOneFileFollowOneAnother) {
    const std::string name(250, 'w');
    put(name, "<OLD>" + std::string(50, 'o') + "</OLD>\n");
    const std::string first = "<A />\n", second = "<B>" + std::string(100, 'b') + "</B>\n";
    std::mutex mutex;
    std::condition_variable changed;
    bool firstBeforeCut = false, released = false, firstDone = false, secondSynced = false, secondWaited = false;
    ofSetFileSyncFunction([&](int fd) {
        std::unique_lock<std::mutex> lock(mutex);
        if (firstWriter && !firstBeforeCut) {
            firstBeforeCut = true;
            changed.notify_all();
            changed.wait(lock, [&] { return released; });
        } else if (!firstWriter) {
            secondSynced = true;
        }
        return ::fsync(fd);
    });
    ofSetFileLockPauseFunction([&](std::chrono::milliseconds) {
        std::unique_lock<std::mutex> lock(mutex);
        secondWaited = true;
        changed.notify_all();
        changed.wait(lock, [&] { return firstDone; });
    });
    ofFileSaveOutcome outcomes[2] = {};
    bool met = false;
    const CapturedOutput o = captureOutput([&] {
        std::thread a([&] {
            firstWriter = true;
            outcomes[0] = ofSaveFileAtomically(dir.file(name), first).outcome;
        });
        {
            std::unique_lock<std::mutex> lock(mutex);
            changed.wait(lock, [&] { return firstBeforeCut; });
        }
        std::thread b([&] { outcomes[1] = ofSaveFileAtomically(dir.file(name), second).outcome; });
        // Unlocked, the second would get through its write and sync meanwhile.
        met = waitUntil([&] {
            std::lock_guard<std::mutex> lock(mutex);
            return secondSynced || secondWaited;
        });
        {
            std::lock_guard<std::mutex> lock(mutex);
            released = true;
        }
        changed.notify_all();
        a.join();
        {
            std::lock_guard<std::mutex> lock(mutex);
            firstDone = true;
        }
        changed.notify_all();
        b.join();
    });
    EXPECT_TRUE(met);
    EXPECT_EQ(read(name), second);
    EXPECT_EQ(outcomes[0], ofFileSaveOutcome::WrittenInPlace);
    EXPECT_EQ(outcomes[1], ofFileSaveOutcome::WrittenInPlace);
    const std::string warning =
        "[warning] ofSaveFileAtomically: " + dir.file(name) + " written in place; its name leaves no room for a temporary one\n";
    EXPECT_EQ(o.out + o.err, warning + warning);

    // A writer stopped while it holds the lock (played by an open file of the
    // test's own): two seconds of pauses, then the save is refused.
    std::chrono::milliseconds waited{0};
    ofSetFileLockPauseFunction([&](std::chrono::milliseconds length) { waited += length; });
    const int holder = ::open(dir.file(name).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    ofFileSaveResult result;
    captureOutput([&] { result = ofSaveFileAtomically(dir.file(name), first); });
    EXPECT_EQ(result.outcome, ofFileSaveOutcome::NotReplaced);
    EXPECT_EQ(result.error + " " + std::to_string(waited.count()), "another process is writing the file 2000");
    EXPECT_EQ(read(name), second);
    ::close(holder);
    captureOutput([&] { result = ofSaveFileAtomically(dir.file(name), first); });
    EXPECT_EQ(result.outcome, ofFileSaveOutcome::WrittenInPlace);
    EXPECT_EQ(read(name) + std::to_string(waited.count()), first + "2000");
}

// In a sticky folder, another user's leftover temporary cannot be removed,
// yet the folder takes new files and renames: saves go through a temporary
// as usual, and the leftover stays for its owner. The saving user is played
// by a child that gives up root.
TEST_F(FileSaveTest, AnotherUsersLeftoverInASharedFolderLeavesSavesAtomic) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "making another user's file needs root";
    }
    const uid_t owner = 65534, saver = 65533;
    pid_t gone = 4000000;  // surely not running
    while (::kill(gone, 0) == 0 || errno != ESRCH) ++gone;
    const std::string leftover = "p.xml.tmp" + std::to_string(gone) + "_1";
    ASSERT_EQ(::chmod(dir.path.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(dir.file("shared").c_str(), 0755), 0);
    ASSERT_EQ(::chmod(dir.file("shared").c_str(), 01777), 0);
    put("shared/" + leftover, "<HALF");
    put("shared/p.xml", "<OLD>a longer old file</OLD>\n");
    ASSERT_EQ(::chown(dir.file("shared/" + leftover).c_str(), owner, owner), 0);
    ASSERT_EQ(::chown(dir.file("shared/p.xml").c_str(), saver, saver), 0);
    for (const char* bytes : {"<NEW>1</NEW>\n", "<NEW>22</NEW>\n"}) {
        // Taken anew each time: the file a rename replaced frees its number.
        const ino_t before = inode("shared/p.xml");
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgid(saver) != 0 || ::setuid(saver) != 0) ::_exit(100);
            ofFileSaveResult result;
            const CapturedOutput o = captureOutput([&] { result = ofSaveFileAtomically(dir.file("shared/p.xml"), bytes); });
            const std::string said = o.out + o.err;
            if (::write(out[1], said.data(), said.size()) != static_cast<ssize_t>(said.size())) ::_exit(101);
            ::_exit(static_cast<int>(result.outcome));
        }
        ::close(out[1]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        char said[512];
        const ssize_t n = ::read(out[0], said, sizeof said);
        ::close(out[0]);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(ofFileSaveOutcome::Replaced)) << bytes;
        EXPECT_EQ(std::string(said, n > 0 ? static_cast<std::size_t>(n) : 0), "") << bytes;
        EXPECT_EQ(read("shared/p.xml"), bytes);
        EXPECT_NE(inode("shared/p.xml"), before) << bytes;
        EXPECT_EQ(entries("shared"), (Names{"p.xml", leftover}));
        EXPECT_EQ(read("shared/" + leftover), "<HALF");
    }
}
