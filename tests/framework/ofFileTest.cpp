#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "LogRecorder.h"
#include "ofDirectoryLister.h"
#include "ofFile.h"

namespace {

// A fresh folder below data/ for each test process (tests run in parallel).
class FileTest : public testing::Test {
protected:
    void SetUp() override {
        mkdir("data", 0755);
        dir = "files_" + std::to_string(getpid());
        std::system(("rm -rf data/" + dir).c_str());
        ASSERT_EQ(mkdir(("data/" + dir).c_str(), 0755), 0);
    }
    void TearDown() override {
        std::system(("rm -rf data/" + dir).c_str());
        ofSetLogLevel(OF_LOG_NOTICE);
    }
    // Writes straight to the file system, bypassing the classes under test.
    void put(const std::string& rel, const std::string& content) {
        std::ofstream out("data/" + dir + "/" + rel, std::ios::binary);
        out << content;
    }
    std::string read(const std::string& rel) {
        std::ifstream in("data/" + dir + "/" + rel, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string dir;
};

}  // namespace

TEST_F(FileTest, PathsGoBelowTheDataFolder) {
    ofFile f(dir + "/a.txt");
    EXPECT_EQ(f.path(), "data/" + dir + "/a.txt");
    EXPECT_FALSE(f.exists());
    EXPECT_FALSE(f.is_open());
    put("a.txt", "x");
    EXPECT_TRUE(f.exists());
    EXPECT_FALSE(ofFile().exists());
}

TEST_F(FileTest, ExtensionIsTheTextAfterTheLastFullStop) {
    EXPECT_EQ(ofFile(dir + "/song.final.mp3").getExtension(), "mp3");
    EXPECT_EQ(ofFile(dir + "/noext").getExtension(), "");
    EXPECT_EQ(ofFile("sounds.v2/noext").getExtension(), "v2/noext");
}

TEST_F(FileTest, ModesOpenTheStreamAsTheyShould) {
    // Read-only on a missing file opens nothing.
    ofFile missing(dir + "/new.txt", ofFile::ReadOnly);
    EXPECT_FALSE(missing.is_open());

    {
        ofFile w(dir + "/new.txt", ofFile::WriteOnly);
        ASSERT_TRUE(w.is_open());
        w << "hello";
    }
    EXPECT_EQ(read("new.txt"), "hello");

    {
        ofFile a(dir + "/new.txt", ofFile::Append);
        ASSERT_TRUE(a.is_open());
        a << " world";
    }
    EXPECT_EQ(read("new.txt"), "hello world");

    {
        ofFile r(dir + "/new.txt", ofFile::ReadOnly);
        ASSERT_TRUE(r.is_open());
        std::string word;
        r >> word;
        EXPECT_EQ(word, "hello");
        r << "ignored";
    }
    EXPECT_EQ(read("new.txt"), "hello world");

    {
        ofFile rw(dir + "/new.txt", ofFile::ReadWrite);
        ASSERT_TRUE(rw.is_open());
        rw << "HELLO";
        rw.seekg(6);
        std::string word;
        rw >> word;
        EXPECT_EQ(word, "world");
    }
    EXPECT_EQ(read("new.txt"), "HELLO world");

    {
        // Write-only truncates what was there.
        ofFile w(dir + "/new.txt", ofFile::WriteOnly);
        w << "z";
    }
    EXPECT_EQ(read("new.txt"), "z");

    ofFile rwMissing(dir + "/absent.txt", ofFile::ReadWrite);
    EXPECT_FALSE(rwMissing.is_open());
    EXPECT_FALSE(ofFile(dir + "/absent.txt").exists());
}

TEST_F(FileTest, OpenReportsWhetherTheStreamOpened) {
    ofFile f;
    EXPECT_TRUE(f.open(dir + "/x.txt", ofFile::Reference));
    EXPECT_FALSE(f.open(dir + "/x.txt", ofFile::ReadOnly));
    EXPECT_TRUE(f.open(dir + "/x.txt", ofFile::WriteOnly));
    EXPECT_TRUE(f.open(dir + "/x.txt", ofFile::ReadOnly));
    EXPECT_FALSE(f.open(dir + "/no/such/folder/x.txt", ofFile::WriteOnly));
}

TEST_F(FileTest, ChangeModeKeepsThePathAndSkipsTheSameMode) {
    put("c.bin", std::string("\x01\x02\r\n", 4));
    ofFile f(dir + "/c.bin", ofFile::Reference);
    EXPECT_FALSE(f.is_open());
    ASSERT_TRUE(f.changeMode(ofFile::ReadOnly, true));
    EXPECT_EQ(f.path(), "data/" + dir + "/c.bin");
    std::string content((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, std::string("\x01\x02\r\n", 4));
    // Same mode: nothing reopens, the stream stays where it is.
    EXPECT_TRUE(f.changeMode(ofFile::ReadOnly, false));
    EXPECT_EQ(f.get(), std::char_traits<char>::eof());

    ASSERT_TRUE(f.changeMode(ofFile::Append));
    f << "!";
    f.close();
    EXPECT_EQ(read("c.bin"), std::string("\x01\x02\r\n!", 5));
}

TEST_F(FileTest, CopyOfAWritingFileIsReadOnlyWithOneWarning) {
    LogRecorder rec;
    ofFile w(dir + "/copy.txt", ofFile::WriteOnly);
    w << "abc" << std::flush;
    ofFile copy(w);
    EXPECT_EQ(rec.lines(), std::vector<std::string>{"[warning] ofFile: trying to copy a write file, opening copy as read only"});
    ASSERT_TRUE(copy.is_open());
    EXPECT_EQ(copy.path(), w.path());
    std::string word;
    copy >> word;
    EXPECT_EQ(word, "abc");
    copy << "more";
    w.close();
    copy.close();
    EXPECT_EQ(read("copy.txt"), "abc");

    // Reference and read-only files copy silently and keep their mode.
    ofFile ref(dir + "/copy.txt");
    ofFile refCopy = ref;
    EXPECT_FALSE(refCopy.is_open());
    ofFile reader(dir + "/copy.txt", ofFile::ReadOnly);
    ofFile readerCopy;
    readerCopy = reader;
    readerCopy = readerCopy;
    EXPECT_TRUE(readerCopy.is_open());
    EXPECT_EQ(rec.lines().size(), 1u);
}

TEST_F(FileTest, ListingSkipsHiddenEntriesAndGivesNamesAndPaths) {
    LogRecorder rec;
    ofSetLogLevel(OF_LOG_VERBOSE);
    put("b.wav", "B");
    put("a.mp3", "A");
    put(".hidden.wav", "H");
    mkdir(("data/" + dir + "/sub").c_str(), 0755);
    mkdir(("data/" + dir + "/.git").c_str(), 0755);

    ofDirectoryLister lister;
    ASSERT_EQ(lister.listDir(dir), 3);
    EXPECT_EQ(lister.size(), 3);
    std::vector<std::string> names;
    for (int i = 0; i < lister.size(); ++i) {
        names.push_back(lister.getName(i));
        EXPECT_EQ(lister.getPath(i), dir + "/" + lister.getName(i));
    }
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"a.mp3", "b.wav", "sub"}));

    // One tab line per entry in listing order, then the summary.
    std::vector<std::string> expected;
    for (const auto& n : names) expected.push_back("[verbose] \t" + n);
    expected.push_back("[verbose] ofDirectoryLister::listDirectory() listed 3 files in " + dir + "/");
    EXPECT_EQ(rec.lines(), expected);

    // The entries work as files of their own.
    for (int i = 0; i < lister.size(); ++i) {
        if (lister.getName(i) != "a.mp3") continue;
        ofFile f = lister.getFile(i, ofFile::ReadOnly);
        ASSERT_TRUE(f.is_open());
        EXPECT_EQ(f.getExtension(), "mp3");
        std::string content;
        f >> content;
        EXPECT_EQ(content, "A");
        ofFile ref = lister.getFile(i);
        EXPECT_FALSE(ref.is_open());
        EXPECT_TRUE(ref.exists());
    }
}

TEST_F(FileTest, WriteModeFromTheListingIsKept) {
    put("w.txt", "old");
    ofDirectoryLister lister;
    ASSERT_EQ(lister.listDir(dir + "/"), 1);
    {
        ofFile f = lister.getFile(0, ofFile::WriteOnly);
        ASSERT_TRUE(f.is_open());
        f << "new";
    }
    EXPECT_EQ(read("w.txt"), "new");
}

TEST_F(FileTest, IndexPastTheEndRaisesOutOfRange) {
    put("only.txt", "1");
    ofDirectoryLister lister;
    ASSERT_EQ(lister.listDir(dir), 1);
    EXPECT_NO_THROW(lister.getName(0));
    EXPECT_THROW(lister.getName(1), std::out_of_range);
    EXPECT_THROW(lister.getPath(1), std::out_of_range);
    EXPECT_THROW(lister.getFile(1), std::out_of_range);
    EXPECT_THROW(lister.getFile(static_cast<std::size_t>(-1)), std::out_of_range);
}

TEST_F(FileTest, MissingEmptyAndUnreadableFolders) {
    LogRecorder rec;
    ofSetLogLevel(OF_LOG_VERBOSE);
    ofDirectoryLister lister;
    EXPECT_EQ(lister.listDir(dir + "/nothere"), 0);
    mkdir(("data/" + dir + "/empty").c_str(), 0755);
    EXPECT_EQ(lister.listDir(dir + "/empty"), 0);
    // A plain file where a folder is expected fails while listing.
    put("plain", "p");
    EXPECT_EQ(lister.listDir(dir + "/plain"), 0);

    auto lines = rec.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "[error] ofDirectoryLister::listDirectory() error opening directory " + dir + "/nothere/");
    EXPECT_EQ(lines[1], "[verbose] ofDirectoryLister::listDirectory() listed 0 files in " + dir + "/empty/");
    const std::string failure = "[error] ofDirectoryLister::listDirectory() error listing directory " + dir + "/plain/: ";
    EXPECT_EQ(lines[2].compare(0, failure.size(), failure), 0) << lines[2];
    EXPECT_EQ(lines[3], "[verbose] ofDirectoryLister::listDirectory() listed 0 files in " + dir + "/plain/");
}

TEST_F(FileTest, OpenForgetsThePreviousListing) {
    put("one", "1");
    ofDirectoryLister lister;
    ASSERT_EQ(lister.listDir(dir), 1);
    lister.open(dir + "/nothere");
    EXPECT_EQ(lister.size(), 0);
    // Listing twice without open adds the entries again.
    lister.open(dir);
    EXPECT_EQ(lister.listDirectory(), 1);
    EXPECT_EQ(lister.listDirectory(), 2);
}
