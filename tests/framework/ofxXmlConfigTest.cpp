#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "CapturedOutput.h"
#include "ofFileSave.h"
#include "ofxXmlConfig.h"

namespace {

struct XmlTest : testing::Test {
    void SetUp() override {
        mkdir("data", 0755);
        dir = "xml_" + std::to_string(getpid());
        std::system(("rm -rf data/" + dir + " && mkdir data/" + dir).c_str());
    }
    void TearDown() override { std::system(("rm -rf data/" + dir).c_str()); }
    std::string read(const std::string& name) {
        std::ifstream in("data/" + dir + "/" + name);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void put(const std::string& name, const std::string& content) { std::ofstream("data/" + dir + "/" + name) << content; }
    std::string printed(ofxXmlConfig& xml) {
        EXPECT_TRUE(xml.saveFile(dir + "/printed.xml"));
        return read("printed.xml");
    }
    // Hidden names too, so a temporary file left behind shows.
    std::vector<std::string> entries() {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator("data/" + dir)) names.push_back(e.path().filename());
        return names;
    }
    std::string dir;
};

}  // namespace

TEST_F(XmlTest, WritesCreateReplaceAndAppendWithTheirReturnValues) {
    ofxXmlConfig xml;
    EXPECT_EQ(xml.setValue("A:B", 3), 0);
    EXPECT_EQ(xml.setValue("A:B", 4), 0);
    EXPECT_EQ(printed(xml), "<A>\n    <B>4</B>\n</A>\n");
    EXPECT_EQ(xml.setValue("A:C:D", 2), 0);  // the missing tail goes after B
    EXPECT_EQ(xml.setValue("A", 1, 1), 1);   // past the end: appended
    EXPECT_EQ(xml.setValue("A", 2, 5), 2);
    EXPECT_EQ(xml.setValue("A", 9, 1), 2);   // rewrite: count less one, not the index
    EXPECT_EQ(xml.setValue("A:B", 5, -1), 3);
    EXPECT_EQ(xml.setValue("::A:::B::", 6), 3);  // empty pieces are dropped
    EXPECT_EQ(printed(xml), "<A>\n    <B>6</B>\n    <C>\n        <D>2</D>\n    </C>\n</A>\n<A>9</A>\n<A>2</A>\n"
                            "<A>\n    <B>5</B>\n</A>\n");
    EXPECT_EQ(xml.getNumTags("A:B"), 4);
    EXPECT_TRUE(xml.tagExists("A:B", 3));
    EXPECT_FALSE(xml.tagExists("A:B", 1));
    EXPECT_TRUE(xml.tagExists("A:C:D", -2));
    // A write on an element with children leaves only its text.
    EXPECT_EQ(xml.setValue("A", std::string("flat"), 0), 3);
    EXPECT_EQ(xml.getValue("A", std::string(), 0), "flat");
    EXPECT_FALSE(xml.tagExists("A:B"));
    // Paths without names write nothing.
    EXPECT_EQ(xml.setValue(":::", 1), -1);
    EXPECT_EQ(xml.getNumTags("A"), 4);
}

TEST_F(XmlTest, AddedTagsReadAsZeroAndNumberText) {
    ofxXmlConfig xml;
    EXPECT_EQ(xml.addTag("ITEM"), 0);
    EXPECT_EQ(xml.addTag("ITEM"), 1);
    EXPECT_EQ(xml.getValue("ITEM", 5, 1), 0);
    EXPECT_EQ(xml.getValue("ITEM", std::string("d"), 1), "");
    EXPECT_EQ(xml.getValue("ITEM", 5, 2), 5);
    // Doubles are written with six digits and come back at single precision.
    xml.setValue("D", 1.0 / 3.0);
    EXPECT_EQ(xml.getValue("D", std::string()), "0.333333");
    EXPECT_EQ(xml.getValue("D", 0.0), static_cast<double>(0.333333f));
}

TEST_F(XmlTest, ValuesThatAreNotText) {
    put("mixed.xml", "<N>abc</N><F>2.5xyz</F><E></E><P><Q>1</Q></P><C><!-- note -->5</C>");
    ofxXmlConfig xml;
    ASSERT_TRUE(xml.loadFile(dir + "/mixed.xml"));
    EXPECT_EQ(xml.getValue("N", 5), 0);
    EXPECT_EQ(xml.getValue("F", 0.0), 2.5);
    EXPECT_EQ(xml.getValue("F", 0), 2);
    EXPECT_EQ(xml.getValue("MISSING", 1.5), 1.5);
    EXPECT_EQ(xml.getValue("E", 6), 6);
    EXPECT_EQ(xml.getValue("P", 7), 7);
    EXPECT_EQ(xml.getValue("C", std::string("8")), "8");
}

TEST_F(XmlTest, CursorMovesDownAndUp) {
    ofxXmlConfig xml;
    xml.setValue("P:V", 1);
    xml.setValue("P:V", 2, -1);
    EXPECT_TRUE(xml.pushTag("P:ignored", 1));
    EXPECT_EQ(xml.getValue("V", 0), 2);
    EXPECT_EQ(xml.setValue("W:X", 5), 0);
    EXPECT_EQ(captureOutput([&] { EXPECT_FALSE(xml.pushTag("NOPE:X")); }).err,
              "[error] pushTag - <NOPE:X> tag not found\n");
    EXPECT_TRUE(xml.pushTag("W"));
    EXPECT_EQ(xml.getValue("X", 0), 5);
    EXPECT_EQ(xml.popTag(), 1);
    xml.clear();
    EXPECT_EQ(xml.popTag(), 0);
    EXPECT_EQ(xml.popTag(), 0);
    EXPECT_EQ(printed(xml), "<P>\n    <V>1</V>\n</P>\n<P />\n");
}

TEST_F(XmlTest, EveryWrittenValueReadsBackAfterSaveAndLoad) {
    const std::vector<std::string> texts = {"",        " ",          "   ",        " lead",       "trail ",
                                            "two  gaps", "line\nbreak", "a&b<c>\"'", "caf\xc3\xa9", "&#x41;",
                                            "\x01\x1f", "A B",        "x]]>",       "\t",          "cr\rhere"};
    ofxXmlConfig xml;
    for (const auto& t : texts) xml.setValue("T", t, -1);
    xml.addTag("ADDED");
    xml.setValue("D", 0.125);
    ASSERT_TRUE(xml.saveFile(dir + "/round.xml"));
    ofxXmlConfig back;
    ASSERT_TRUE(back.loadFile(dir + "/round.xml"));
    ASSERT_EQ(back.getNumTags("T"), static_cast<int>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(back.getValue("T", std::string("?"), static_cast<int>(i)), texts[i]) << i;
    EXPECT_EQ(back.getValue("ADDED", 5), 0);
    EXPECT_EQ(back.getValue("D", 0.0), 0.125);
    ASSERT_TRUE(back.saveFile(dir + "/again.xml"));
    EXPECT_EQ(read("again.xml"), read("round.xml"));
}

TEST_F(XmlTest, FailedLoadLeavesAnEmptyDocument) {
    put("broken.xml", "<A>1</A>\n<B>2</B>\n<C><D>3</D>");
    ofxXmlConfig xml;
    xml.setValue("OLD:X", 1);
    ASSERT_TRUE(xml.pushTag("OLD"));
    EXPECT_FALSE(xml.loadFile(dir + "/broken.xml"));
    EXPECT_EQ(xml.popTag(), 0);
    EXPECT_EQ(xml.getNumTags("A") + xml.getNumTags("OLD"), 0);
    EXPECT_FALSE(xml.loadFile(dir + "/missing.xml"));
    xml.setValue("A", 5);
    EXPECT_EQ(printed(xml), "<A>5</A>\n");
}

TEST_F(XmlTest, SaveThatFailsHalfwayKeepsTheOldFileWhole) {
    put("player.xml", "<KEEP>me</KEEP>\n");
    ofxXmlConfig xml;
    for (int i = 0; i < 200; ++i) xml.setValue("STAT", i, -1);
    // Files may grow to 512 bytes only: the write stops partway.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = xml.saveFile(dir + "/player.xml");
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &before), 0);
    EXPECT_FALSE(saved);
    EXPECT_EQ(read("player.xml"), "<KEEP>me</KEEP>\n");
    EXPECT_EQ(entries(), std::vector<std::string>{"player.xml"});
    EXPECT_FALSE(xml.saveFile(dir + "/no/folder/player.xml"));

    ASSERT_TRUE(xml.saveFile(dir + "/player.xml"));
    EXPECT_EQ(entries(), std::vector<std::string>{"player.xml"});
    struct stat st {};
    ASSERT_EQ(stat(("data/" + dir + "/player.xml").c_str(), &st), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
    ofxXmlConfig back;
    ASSERT_TRUE(back.loadFile(dir + "/player.xml"));
    EXPECT_EQ(back.getValue("STAT", -1, 199), 199);
}

// Whatever stands in a settings file's place, a load fails with its reason
// and throws nothing; a save cannot replace a folder and says so.
TEST_F(XmlTest, WhatIsNoFileFailsToLoadWithItsReason) {
    const std::string d = "data/" + dir + "/";
    mkdir((d + "folder.xml").c_str(), 0755);
    mkfifo((d + "pipe.xml").c_str(), 0644);
    put("broken.xml", "<A>");
    ofxXmlConfig xml;
    std::string log;
    for (const char* name : {"folder.xml", "pipe.xml", "missing.xml", "broken.xml"}) {
        const CapturedOutput o = captureOutput([&] { EXPECT_FALSE(xml.loadFile(dir + "/" + name)); });
        log += std::to_string(xml.getLoadStatus()) + " " + o.out + o.err;
    }
    const std::string cannot = "3 [error] ofxXmlConfig: cannot read " + dir;
    EXPECT_EQ(log, cannot + "/folder.xml: Is a directory\n" + cannot + "/pipe.xml: not a regular file\n2 4 ");
    xml.setValue("A", 1);
    EXPECT_FALSE(xml.saveFile(dir + "/folder.xml"));
    EXPECT_TRUE(std::filesystem::is_directory(d + "folder.xml"));
}

// A save through a link replaces the link's target, beside it, and leaves the
// link; the file keeps its permission bits; the folder holding the new file
// is synced once the file is in it.
TEST_F(XmlTest, SavesFollowLinksKeepPermissionBitsAndSyncTheFolderLast) {
    const std::string d = "data/" + dir + "/";
    mkdir((d + "real").c_str(), 0755);
    put("real/target.xml", "<OLD />");
    chmod((d + "real/target.xml").c_str(), 0640);
    ASSERT_EQ(symlink("real/target.xml", (d + "link.xml").c_str()), 0);
    ASSERT_EQ(symlink("real/new.xml", (d + "dangling.xml").c_str()), 0);
    std::vector<std::string> syncs;  // the folder and what it holds when synced
    ofSetFileSyncFunction([&](int fd) {
        struct stat st {};
        fstat(fd, &st);
        if (S_ISDIR(st.st_mode)) syncs.push_back(std::to_string(st.st_ino) + read("real/target.xml") + read("real/new.xml"));
        return ::fsync(fd);
    });
    ofxXmlConfig xml;
    xml.setValue("N", 0);
    EXPECT_TRUE(xml.saveFile(dir + "/link.xml"));
    xml.setValue("N", 1);
    EXPECT_TRUE(xml.saveFile(dir + "/dangling.xml"));
    ofSetFileSyncFunction(nullptr);
    struct stat real {}, target {};
    ASSERT_EQ(stat((d + "real").c_str(), &real) + stat((d + "real/target.xml").c_str(), &target), 0);
    const std::string folder = std::to_string(real.st_ino) + "<N>0</N>\n";
    EXPECT_EQ(syncs, (std::vector<std::string>{folder, folder + "<N>1</N>\n"}));
    EXPECT_EQ(target.st_mode & 07777, 0640u);
    EXPECT_EQ(std::filesystem::read_symlink(d + "link.xml").string() + " " +
                  std::filesystem::read_symlink(d + "dangling.xml").string(),
              "real/target.xml real/new.xml");
}

TEST_F(XmlTest, OnlyAWholeParsedFileCountsAsLoaded) {
    const std::string big(3000, 'v');
    const struct {
        const char* name;
        std::string content;
        bool loads;
    } files[] = {
        {"dtd.xml", "<!DOCTYPE x [ <!ENTITY e \"v\"> ]>\n<A>" + big + "</A>\n", false},
        {"junk.xml", "<A>1</A>\njunk", false},
        {"zero_inside.xml", std::string("<A>1</A>\0<B>2</B>", 17), false},
        {"padded.xml", std::string("<A>1</A>\n \r\n\t\0\0", 15), true},
        {"exact.xml", "<A>1</A>", true},
    };
    for (const auto& f : files) {
        put(f.name, f.content);
        ofxXmlConfig xml;
        xml.setValue("OLD", 1);
        EXPECT_EQ(xml.loadFile(dir + "/" + f.name), f.loads) << f.name;
        EXPECT_EQ(xml.getNumTags("A"), f.loads ? 1 : 0) << f.name;
        EXPECT_EQ(xml.getNumTags("OLD"), 0) << f.name;
    }
}

TEST_F(XmlTest, BytesThatAreNotUtf8ReadBackAsReplacementCharacters) {
    const char* const fffd = "\xEF\xBF\xBD";
    const struct {
        std::string in, out;
    } values[] = {
        {"Jos\xE9", std::string("Jos") + fffd},                          // Latin-1
        {"\xFF\xFE", std::string(fffd) + fffd},                          // never UTF-8
        {"ab\xC3", std::string("ab") + fffd},                            // cut short
        {"\xC0\xAF", std::string(fffd) + fffd},                          // overlong
        {"\xED\xA0\x80", std::string(fffd) + fffd + fffd},               // surrogate
        {"\xF4\x90\x80\x80", std::string(fffd) + fffd + fffd + fffd},    // above U+10FFFF
        {"\xE9</A>", std::string(fffd) + "</A>"},
        {"caf\xC3\xA9 \xF0\x9F\x99\x82", "caf\xC3\xA9 \xF0\x9F\x99\x82"},  // well formed: kept
    };
    for (const char* declaration : {"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>", "<?xml version=\"1.0\" ?>", ""}) {
        put("names.xml", std::string(declaration) + "\n<NAME>x</NAME>\n");
        ofxXmlConfig xml;
        ASSERT_TRUE(xml.loadFile(dir + "/names.xml"));
        for (std::size_t i = 0; i < std::size(values); ++i) {
            xml.setValue("V", values[i].in, static_cast<int>(i));
            EXPECT_EQ(xml.getValue("V", std::string(), static_cast<int>(i)), values[i].out) << i;
        }
        ASSERT_TRUE(xml.saveFile(dir + "/names.xml"));
        ofxXmlConfig back;
        ASSERT_TRUE(back.loadFile(dir + "/names.xml")) << declaration;
        EXPECT_EQ(back.getValue("NAME", std::string()), "x");
        for (std::size_t i = 0; i < std::size(values); ++i)
            EXPECT_EQ(back.getValue("V", std::string(), static_cast<int>(i)), values[i].out) << declaration << i;
    }
}

TEST_F(XmlTest, SpacesAroundCDataEndsAndCarriageReturnsReadBackByteForByte) {
    const std::vector<std::string> texts = {" x]]> ",  "  ]]>  ", "a]]>  b", "\r",          " \r\n ",
                                            " a\rb ",  "\r\n",    "\t\r",    "]]>",         " ]]]]><![CDATA[ ",
                                            "\xEF\xBB\xBFx",       "\xEF\xBF\xBE", " \xEF\xBB\xBF ", "a &#x20; b",
                                            std::string(" \0 ", 3), "x\v\f y"};
    for (const char* declaration : {"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>", ""}) {
        put("values.xml", std::string(declaration) + "<KEEP>1</KEEP>");
        ofxXmlConfig xml;
        ASSERT_TRUE(xml.loadFile(dir + "/values.xml"));
        for (const auto& t : texts) xml.setValue("T", t, -1);
        ASSERT_TRUE(xml.saveFile(dir + "/values.xml"));
        ofxXmlConfig back;
        ASSERT_TRUE(back.loadFile(dir + "/values.xml"));
        ASSERT_EQ(back.getNumTags("T"), static_cast<int>(texts.size()));
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(back.getValue("T", std::string("?"), static_cast<int>(i)), texts[i]) << declaration << i;
    }
    // Plain values keep their plain look.
    ofxXmlConfig xml;
    xml.setValue("A", std::string("one two"));
    xml.setValue("B", std::string(" "));
    EXPECT_EQ(printed(xml), "<A>one two</A>\n<B><![CDATA[ ]]></B>\n");
}

TEST_F(XmlTest, DocumentsNestedTooDeeplyAreRefusedUnparsed) {
    auto nested = [](int levels, const std::string& inner) {
        std::string text;
        for (int i = 0; i < levels; ++i) text += "<L>";
        text += inner;
        for (int i = 0; i < levels; ++i) text += "</L>";
        return text;
    };
    const struct {
        std::string content;
        bool loads;
    } files[] = {
        {nested(40000, "1"), false},
        {nested(256, "1"), true},
        {nested(255, "<E a=\"x\" /><E/>"), true},
        {nested(257, "1"), false},
        // End tags the parser takes for text do not lower the count.
        {"<!-- " + nested(0, "</L></L></L>") + " -->" + nested(257, "1"), false},
        {"<![CDATA[</L></L>]]>" + nested(257, ""), false},
        {"<L a=\"</L></L>\">" + nested(256, "") + "</L>", false},
    };
    for (std::size_t i = 0; i < std::size(files); ++i) {
        put("deep.xml", files[i].content);
        ofxXmlConfig xml;
        bool loaded = true;
        const std::string err = captureOutput([&] { loaded = xml.loadFile(dir + "/deep.xml"); }).err;
        EXPECT_EQ(loaded, files[i].loads) << i;
        EXPECT_EQ(err, files[i].loads ? std::string()
                                       : "[error] ofxXmlConfig: " + dir + "/deep.xml nests elements deeper than 256 levels, "
                                         "not loaded\n")
            << i;
    }
}

TEST_F(XmlTest, SaveAndLoadRemoveTemporariesLeftByAnInterruptedSave) {
    // A process id that is surely not running.
    pid_t gone = 4000000;
    while (kill(gone, 0) == 0 || errno != ESRCH) ++gone;
    const std::string mine = std::to_string(getpid());
    const std::string stale[] = {"player.xml.tmp" + std::to_string(gone) + "_3", "player.xml.tmp" + mine + "_900"};
    const std::string kept[] = {"other.xml.tmp" + std::to_string(gone) + "_1", "player.xml.tmpx_1",
                                "player.xml.tmp1_1",  // pid 1 is alive: its save may still be running
                                "player.xml.tmp" + std::to_string(gone) + "_", "player.xml"};
    auto plant = [&] {
        for (const auto& n : stale) put(n, "<A>half");
        for (const auto& n : kept) put(n, "<A>1</A>");
    };
    auto expectOnlyKept = [&](const char* step) {
        std::vector<std::string> names = entries();
        std::sort(names.begin(), names.end());
        std::vector<std::string> want(std::begin(kept), std::end(kept));
        std::sort(want.begin(), want.end());
        EXPECT_EQ(names, want) << step;
    };
    plant();
    ofxXmlConfig xml;
    EXPECT_TRUE(xml.loadFile(dir + "/player.xml"));
    expectOnlyKept("load");
    plant();
    EXPECT_TRUE(xml.saveFile(dir + "/player.xml"));
    expectOnlyKept("save");
}
