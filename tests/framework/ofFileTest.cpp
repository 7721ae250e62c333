#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "CapturedOutput.h"
#include "ofDirectoryLister.h"
#include "ofFile.h"

namespace {

std::string textOf(std::istream& in) { return std::string(std::istreambuf_iterator<char>(in), {}); }

// A fresh folder below data/ per test process (tests run in parallel).
struct FileTest : testing::Test {
    void SetUp() override { std::system(("mkdir -p data && rm -rf data/" + dir + " && mkdir data/" + dir).c_str()); }
    void TearDown() override { std::system(("rm -rf data/" + dir).c_str()); }
    std::string read(const std::string& rel) {
        std::ifstream in("data/" + dir + "/" + rel);
        return textOf(in);
    }
    const std::string dir = "files_" + std::to_string(getpid());
};

}  // namespace

TEST_F(FileTest, ModesOpenTheStreamAsTheyShouldAndACopyOfAWritingFileReadsOnly) {
    const std::string p = dir + "/f.txt";
    ofFile f;
    EXPECT_TRUE(f.open(p, ofFile::Reference) && f.path() == "data/" + p);
    EXPECT_FALSE(f.exists() || f.open(p, ofFile::ReadOnly));
    ASSERT_TRUE(f.open(p, ofFile::WriteOnly));
    f << "hello";
    ofFile copy;
    captureOutput([&] { copy = f; });
    copy << "lost";
    f.close();
    copy.close();
    EXPECT_TRUE(f.open(p, ofFile::ReadOnly));
    EXPECT_EQ(textOf(f), "hello");
    EXPECT_FALSE(f.open(dir + "/no/such/f.txt", ofFile::WriteOnly));
    EXPECT_FALSE(f.open(dir, ofFile::ReadOnly));  // a folder: its first read would throw
    EXPECT_EQ(textOf(f), "");
}

TEST_F(FileTest, ListingSkipsHiddenEntriesChecksIndexesAndFailsOnWhatIsNoFolder) {
    for (const char* name : {"b.wav", "a.mp3", ".hidden.wav", "plain"}) std::ofstream("data/" + dir + "/" + name) << name;
    for (const char* name : {"/sub", "/.git", "/sub/empty"}) mkdir(("data/" + dir + name).c_str(), 0755);
    ofDirectoryLister lister;
    EXPECT_EQ(lister.listDir(dir), 4);
    std::vector<std::string> names;
    for (int i = 0; i < lister.size(); ++i) names.push_back(lister.getPath(i).substr(dir.size() + 1) + "=" + lister.getName(i));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.mp3=a.mp3", "b.wav=b.wav", "plain=plain", "sub=sub"}));
    for (int i = 0; i < lister.size(); ++i) {
        if (lister.getName(i) != "a.mp3") continue;
        ofFile in = lister.getFile(i, ofFile::ReadOnly);
        EXPECT_EQ(textOf(in), "a.mp3");
        lister.getFile(i, ofFile::WriteOnly) << "new";
    }
    EXPECT_EQ(read("a.mp3"), "new");
    EXPECT_THROW(lister.getFile(4), std::out_of_range);
    const CapturedOutput o = captureOutput([&] {
        for (const char* name : {"/nothere", "/sub/empty", "/plain"}) EXPECT_EQ(lister.listDir(dir + name), 0) << name;
    });
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 2) << o.err;  // no folder, and a plain file
}

TEST_F(FileTest, ReadWriteOverwritesInPlaceAppendAddsAtTheEndAndTheExtensionFollowsTheLastFullStop) {
    const std::string p = dir + "/f.txt";
    EXPECT_FALSE(ofFile(p, ofFile::ReadWrite).is_open() || ofFile(p).exists());  // read-write never creates
    ofFile f(p, ofFile::WriteOnly);
    f << "hello";
    EXPECT_TRUE(f.changeMode(ofFile::Append));
    f << " world";
    EXPECT_TRUE(f.changeMode(ofFile::ReadWrite));
    f << "HE";
    EXPECT_TRUE(f.changeMode(ofFile::ReadOnly));
    std::string word;
    f >> word;
    EXPECT_EQ(word, "HEllo");
    EXPECT_TRUE(f.changeMode(ofFile::ReadOnly, true));  // the same mode keeps the stream where it is
    f >> word;
    EXPECT_EQ(word, "world");
    f.close();
    ASSERT_TRUE(f.open(p, ofFile::Append));
    f << "!";
    f.close();
    EXPECT_EQ(read("f.txt"), "HEllo world!");
    ASSERT_TRUE(f.open(p, ofFile::WriteOnly));  // writing starts the file again
    f << "z";
    f.close();
    EXPECT_EQ(read("f.txt"), "z");

    const std::pair<const char*, const char*> extensions[] = {
        {"a.b.mp3", "mp3"}, {"sounds/hit.WAV", "WAV"}, {"noext", ""}, {"trailing.", ""},
        {"sounds.v2/noext", "v2/noext"},  // the last full stop of the whole path
    };
    for (const auto& e : extensions) EXPECT_EQ(ofFile(e.first).getExtension(), e.second) << e.first;
}
