#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "CapturedOutput.h"
#include "ofDirectoryLister.h"
#include "ofFile.h"
#include "ofLog.h"

namespace {

std::string textOf(std::istream& in) {
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh folder below data/ per test process (tests run in parallel).
struct FileTest : testing::Test {
    void SetUp() override {
        mkdir("data", 0755);
        dir = "files_" + std::to_string(getpid());
        std::system(("rm -rf data/" + dir + " && mkdir data/" + dir).c_str());
    }
    void TearDown() override { std::system(("rm -rf data/" + dir).c_str()); }
    void put(const std::string& rel, const std::string& content) { std::ofstream("data/" + dir + "/" + rel) << content; }
    std::string read(const std::string& rel) {
        std::ifstream in("data/" + dir + "/" + rel);
        return textOf(in);
    }
    std::string dir;
};

}  // namespace

TEST_F(FileTest, ModesOpenTheStreamAsTheyShould) {
    const std::string p = dir + "/f.txt";
    EXPECT_FALSE(ofFile(p, ofFile::ReadWrite).is_open());
    ofFile f;
    EXPECT_TRUE(f.open(p, ofFile::Reference));
    EXPECT_EQ(f.path(), "data/" + p);
    EXPECT_FALSE(f.exists());
    EXPECT_FALSE(f.open(p, ofFile::ReadOnly));
    ASSERT_TRUE(f.open(p, ofFile::WriteOnly));
    f << "hello";
    EXPECT_TRUE(f.changeMode(ofFile::Append));
    f << " world";
    EXPECT_TRUE(f.changeMode(ofFile::ReadWrite));
    f << "HE";
    EXPECT_TRUE(f.changeMode(ofFile::ReadOnly));
    std::string word;
    f >> word;
    EXPECT_EQ(word, "HEllo");
    // The same mode again keeps the stream where it is.
    EXPECT_TRUE(f.changeMode(ofFile::ReadOnly, true));
    f >> word;
    EXPECT_EQ(word, "world");
    EXPECT_TRUE(f.open(p, ofFile::WriteOnly));
    f << "z";
    f.close();
    EXPECT_EQ(read("f.txt"), "z");
    EXPECT_FALSE(f.open(dir + "/no/such/f.txt", ofFile::WriteOnly));
    // A folder does not open for reading: its first read would throw.
    EXPECT_FALSE(f.open(dir, ofFile::ReadOnly));
    EXPECT_EQ(textOf(f), "");
    EXPECT_EQ(ofFile("sounds.v2/noext").getExtension(), "v2/noext");
    EXPECT_EQ(ofFile("a.b.mp3").getExtension(), "mp3");
}

TEST_F(FileTest, CopyOfAWritingFileIsReadOnlyWithOneWarning) {
    ofFile w(dir + "/c.txt", ofFile::WriteOnly);
    w << "abc" << std::flush;
    ofFile reader(dir + "/c.txt", ofFile::ReadOnly);
    testing::internal::CaptureStdout();
    ofFile copy(w), readerCopy(reader);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "[warning] ofFile: trying to copy a write file, opening copy as read only\n");
    std::string word;
    copy >> word;
    EXPECT_EQ(word, "abc");
    copy << "more";
    copy.close();
    w.close();
    EXPECT_EQ(read("c.txt"), "abc");
    EXPECT_TRUE(readerCopy.is_open());
}

TEST_F(FileTest, ListingSkipsHiddenEntriesAndChecksIndexes) {
    put("b.wav", "B");
    put("a.mp3", "A");
    put(".hidden.wav", "H");
    mkdir(("data/" + dir + "/sub").c_str(), 0755);
    mkdir(("data/" + dir + "/.git").c_str(), 0755);
    ofSetLogLevel(OF_LOG_VERBOSE);
    ofDirectoryLister lister;
    const std::string out = captureOutput([&] { EXPECT_EQ(lister.listDir(dir), 3); }).out;

    std::vector<std::string> names;
    std::string expected;
    for (int i = 0; i < lister.size(); ++i) {
        names.push_back(lister.getName(i));
        EXPECT_EQ(lister.getPath(i), dir + "/" + names.back());
        expected += "[verbose] \t" + names.back() + "\n";
    }
    EXPECT_EQ(out, expected + "[verbose] ofDirectoryLister::listDirectory() listed 3 files in " + dir + "/\n");
    const int a = static_cast<int>(std::find(names.begin(), names.end(), "a.mp3") - names.begin());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.mp3", "b.wav", "sub"}));

    ofFile in = lister.getFile(a, ofFile::ReadOnly);
    EXPECT_EQ(textOf(in), "A");
    lister.getFile(a, ofFile::WriteOnly) << "new";
    EXPECT_EQ(read("a.mp3"), "new");
    EXPECT_THROW(lister.getName(3), std::out_of_range);
    EXPECT_THROW(lister.getPath(3), std::out_of_range);
    EXPECT_THROW(lister.getFile(3), std::out_of_range);
}

TEST_F(FileTest, MissingEmptyAndUnreadableFolders) {
    ofSetLogLevel(OF_LOG_VERBOSE);
    mkdir(("data/" + dir + "/empty").c_str(), 0755);
    put("plain", "p");
    ofDirectoryLister lister;
    const CapturedOutput o = captureOutput([&] {
        EXPECT_EQ(lister.listDir(dir + "/nothere"), 0);
        EXPECT_EQ(lister.listDir(dir + "/empty"), 0);
        EXPECT_EQ(lister.listDir(dir + "/plain"), 0);  // a plain file fails while listing
    });
    const std::string listed = "[verbose] ofDirectoryLister::listDirectory() listed 0 files in " + dir;
    EXPECT_EQ(o.out, listed + "/empty/\n" + listed + "/plain/\n");
    const std::string prefix = "[error] ofDirectoryLister::listDirectory() error ";
    const std::string expected = prefix + "opening directory " + dir + "/nothere/\n" + prefix + "listing directory " +
                                 dir + "/plain/: ";
    EXPECT_EQ(o.err.substr(0, expected.size()), expected) << o.err;
}
