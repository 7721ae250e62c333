#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <string>

#include "LogRecorder.h"
#include "ofxXmlConfig.h"

namespace {

class XmlTest : public testing::Test {
protected:
    void SetUp() override {
        mkdir("data", 0755);
        dir = "xml_" + std::to_string(getpid());
        std::system(("rm -rf data/" + dir).c_str());
        ASSERT_EQ(mkdir(("data/" + dir).c_str(), 0755), 0);
    }
    void TearDown() override { std::system(("rm -rf data/" + dir).c_str()); }

    std::string read(const std::string& name) {
        std::ifstream in("data/" + dir + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void put(const std::string& name, const std::string& content) {
        std::ofstream out("data/" + dir + "/" + name, std::ios::binary);
        out << content;
    }
    // The document as the file shows it.
    std::string printed(ofxXmlConfig& xml) {
        EXPECT_TRUE(xml.saveFile(dir + "/printed.xml"));
        return read("printed.xml");
    }
    std::vector<std::string> folderEntries() {
        std::vector<std::string> names;
        DIR* d = opendir(("data/" + dir).c_str());
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        closedir(d);
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string dir;
};

}  // namespace

TEST_F(XmlTest, NestedWriteCreatesThePathThenReplacesItsText) {
    ofxXmlConfig xml;
    EXPECT_EQ(xml.setValue("A:B", 3), 0);
    EXPECT_EQ(printed(xml), "<A>\n    <B>3</B>\n</A>\n");
    EXPECT_EQ(xml.setValue("A:B", 4), 0);
    EXPECT_EQ(printed(xml), "<A>\n    <B>4</B>\n</A>\n");
    EXPECT_EQ(xml.getValue("A:B", 0), 4);
}

TEST_F(XmlTest, IndexPastTheEndAppendsAndReturnsTheCountLessOne) {
    ofxXmlConfig xml;
    EXPECT_EQ(xml.setValue("A", 0), 0);
    EXPECT_EQ(xml.setValue("A", 1, 1), 1);
    EXPECT_EQ(xml.setValue("A", 2, 5), 2);
    EXPECT_EQ(printed(xml), "<A>0</A>\n<A>1</A>\n<A>2</A>\n");
    // Rewriting the first of three reports 2, not the index written.
    EXPECT_EQ(xml.setValue("A", 9, 0), 2);
    EXPECT_EQ(xml.getValue("A", -1, 0), 9);
    EXPECT_EQ(xml.getValue("A", -1, 2), 2);
    // A negative index other than -1 means the first element.
    EXPECT_EQ(xml.setValue("A", 8, -3), 2);
    EXPECT_EQ(xml.getValue("A", -1, -7), 8);
}

TEST_F(XmlTest, MinusOneAppendsAWholeNewPath) {
    ofxXmlConfig xml;
    xml.setValue("S:X", 1);
    EXPECT_EQ(xml.setValue("S:X", 2, -1), 1);
    EXPECT_EQ(xml.setValue("S:Y", 3, 1), 1);
    EXPECT_EQ(printed(xml), "<S>\n    <X>1</X>\n</S>\n<S>\n    <X>2</X>\n    <Y>3</Y>\n</S>\n");
}

TEST_F(XmlTest, AddTagAppendsEmptyTextsThatReadAsZero) {
    ofxXmlConfig xml;
    EXPECT_EQ(xml.addTag("ITEM"), 0);
    EXPECT_EQ(xml.addTag("ITEM"), 1);
    EXPECT_EQ(xml.addTag("ITEM"), 2);
    EXPECT_EQ(xml.getNumTags("ITEM"), 3);
    EXPECT_EQ(xml.getValue("ITEM", 5, 1), 0);
    EXPECT_EQ(xml.getValue("ITEM", 5.5, 2), 0.0);
    EXPECT_EQ(xml.getValue("ITEM", std::string("dflt"), 0), "");
    EXPECT_EQ(xml.getValue("ITEM", 5, 3), 5);
    EXPECT_EQ(xml.addTag("LIST:ENTRY"), 0);
    EXPECT_EQ(xml.addTag("LIST:ENTRY"), 1);
    EXPECT_EQ(xml.getNumTags("LIST"), 2);
}

TEST_F(XmlTest, MissingTailIsAppendedAfterExistingChildren) {
    ofxXmlConfig xml;
    xml.setValue("A:B", 1);
    xml.setValue("A:C:D", 2);
    EXPECT_EQ(printed(xml), "<A>\n    <B>1</B>\n    <C>\n        <D>2</D>\n    </C>\n</A>\n");
    // The index chooses only among the first names; later names take the first.
    xml.setValue("A", std::string("second"), 1);
    EXPECT_EQ(xml.setValue("A:B", 7, 1), 1);
    EXPECT_EQ(xml.getValue("A:B", 0, 0), 1);
    EXPECT_EQ(xml.getValue("A:B", 0, 1), 7);
    EXPECT_TRUE(xml.tagExists("A:B", 1));
    EXPECT_EQ(xml.getValue("A", std::string(), 1), "second");
}

TEST_F(XmlTest, WriteOnAnElementWithChildrenLeavesOnlyTheText) {
    ofxXmlConfig xml;
    xml.setValue("A:B", 1);
    xml.setValue("A:C", 2);
    EXPECT_EQ(xml.getValue("A", 0), 0);
    EXPECT_EQ(xml.setValue("A", 7), 0);
    EXPECT_EQ(printed(xml), "<A>7</A>\n");
    EXPECT_FALSE(xml.tagExists("A:B"));
}

TEST_F(XmlTest, NumberText) {
    ofxXmlConfig xml;
    xml.setValue("D", 0.1, 0);
    xml.setValue("D", 2.0, 1);
    xml.setValue("D", 0.25, 2);
    xml.setValue("D", 1.0 / 3.0, 3);
    xml.setValue("D", 1234567.0, 4);
    xml.setValue("D", 0.00001, 5);
    xml.setValue("D", 0.1f, 6);
    xml.setValue("D", -123456.0, 7);
    xml.setValue("D", 1e100, 8);
    xml.setValue("I", -42, 0);
    xml.setValue("I", 0, 1);
    const char* expected[] = {"0.1", "2", "0.25", "0.333333", "1.23457e+06", "1e-05", "0.1", "-123456", "1e+100"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(xml.getValue("D", std::string(), i), expected[i]) << i;
    EXPECT_EQ(xml.getValue("I", std::string(), 0), "-42");
    EXPECT_EQ(xml.getValue("I", std::string(), 1), "0");
    // Doubles come back at single precision.
    EXPECT_EQ(xml.getValue("D", 0.0, 0), static_cast<double>(0.1f));
    EXPECT_EQ(xml.getValue("D", 0.0, 3), static_cast<double>(0.333333f));
}

TEST_F(XmlTest, ReadsFallBackOnlyWhenThereIsNoText) {
    put("mixed.xml",
        "<N>abc</N><F>2.5xyz</F><E></E><P><Q>1</Q></P><C><!-- note -->5</C><S>  12 </S>");
    ofxXmlConfig xml;
    ASSERT_TRUE(xml.loadFile(dir + "/mixed.xml"));
    EXPECT_EQ(xml.getValue("N", 5), 0);
    EXPECT_EQ(xml.getValue("N", 5.0), 0.0);
    EXPECT_EQ(xml.getValue("F", 0.0), 2.5);
    EXPECT_EQ(xml.getValue("F", 0), 2);
    EXPECT_EQ(xml.getValue("MISSING", 5), 5);
    EXPECT_EQ(xml.getValue("MISSING", 1.5), 1.5);
    EXPECT_EQ(xml.getValue("MISSING", std::string("d")), "d");
    // No text: an empty element, one that starts with an element or a comment.
    EXPECT_EQ(xml.getValue("E", 6), 6);
    EXPECT_EQ(xml.getValue("P", 7), 7);
    EXPECT_EQ(xml.getValue("C", 8), 8);
    EXPECT_EQ(xml.getValue("P:Q", 0), 1);
    EXPECT_EQ(xml.getValue("S", std::string()), "12");
    EXPECT_EQ(xml.getValue("S", 0), 12);
}

TEST_F(XmlTest, PathsIgnoreEmptyPieces) {
    ofxXmlConfig xml;
    xml.setValue("A::B", 1);
    EXPECT_EQ(xml.getValue(":A:B", 0), 1);
    EXPECT_EQ(xml.getValue("A:B:", 0), 1);
    EXPECT_EQ(xml.setValue("::A:::B::", 2), 0);
    EXPECT_EQ(printed(xml), "<A>\n    <B>2</B>\n</A>\n");
    // A path without names writes nothing.
    EXPECT_EQ(xml.setValue("", 5), -1);
    EXPECT_EQ(xml.setValue(":::", 5), -1);
    EXPECT_FALSE(xml.tagExists(""));
    EXPECT_EQ(printed(xml), "<A>\n    <B>2</B>\n</A>\n");
    EXPECT_EQ(xml.getValue("a:b", 9), 9);
}

TEST_F(XmlTest, CountingUsesTheFirstNameOnly) {
    ofxXmlConfig xml;
    xml.setValue("A:B", 1);
    xml.setValue("A:B", 2, -1);
    xml.setValue("A:B", 3, -1);
    xml.setValue("Z", 0);
    xml.setValue("A:X", 4, 1);
    EXPECT_EQ(xml.getNumTags("A:B"), 3);
    EXPECT_EQ(xml.getNumTags("A"), 3);
    EXPECT_EQ(xml.getNumTags("B"), 0);
    EXPECT_EQ(xml.getNumTags(":A"), 0);
    EXPECT_EQ(xml.getNumTags("Z"), 1);
}

TEST_F(XmlTest, TagExists) {
    ofxXmlConfig xml;
    xml.setValue("A:B", 1);
    xml.setValue("A", 2, 1);
    EXPECT_TRUE(xml.tagExists("A:B"));
    EXPECT_TRUE(xml.tagExists("A:B", -4));
    EXPECT_FALSE(xml.tagExists("A:B", 1));
    EXPECT_TRUE(xml.tagExists("A", 1));
    EXPECT_FALSE(xml.tagExists("A", 2));
    xml.setValue("A:B", 3, 1);
    EXPECT_TRUE(xml.tagExists("A:B", 1));
    EXPECT_FALSE(xml.tagExists("A:B:C"));
}

TEST_F(XmlTest, CursorMovesDownAndUpAndWritesBelowIt) {
    ofxXmlConfig xml;
    xml.setValue("P:V", 1);
    xml.setValue("P:V", 2, -1);
    EXPECT_TRUE(xml.pushTag("P:ignored", 1));
    EXPECT_EQ(xml.getValue("V", 0), 2);
    EXPECT_EQ(xml.setValue("W", 5), 0);
    EXPECT_EQ(xml.getNumTags("P"), 0);
    EXPECT_EQ(xml.popTag(), 0);
    EXPECT_EQ(xml.popTag(), 0);
    EXPECT_EQ(xml.getValue("P:W", 0, 1), 5);
    EXPECT_FALSE(xml.tagExists("P:W", 0));

    EXPECT_TRUE(xml.pushTag("P"));
    xml.setValue("Deep:Er", 3);
    EXPECT_TRUE(xml.pushTag("Deep"));
    EXPECT_EQ(xml.getValue("Er", 0), 3);
    EXPECT_EQ(xml.popTag(), 1);
    EXPECT_EQ(xml.getValue("V", 0), 1);
    EXPECT_EQ(xml.popTag(), 0);
}

TEST_F(XmlTest, PushTagOnAMissingTagLogsAndStays) {
    ofxXmlConfig xml;
    xml.setValue("A:B", 1);
    ASSERT_TRUE(xml.pushTag("A"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(xml.pushTag("NOPE:X", 0));
    EXPECT_FALSE(xml.pushTag("B", 1));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "[error] pushTag - <NOPE:X> tag not found\n[error] pushTag - <B> tag not found\n");
    EXPECT_EQ(xml.getValue("B", 0), 1);
    EXPECT_EQ(xml.popTag(), 0);
}

TEST_F(XmlTest, ClearEmptiesTheCurrentElement) {
    ofxXmlConfig xml;
    xml.setValue("A:B", 1);
    xml.setValue("A:C", 2);
    xml.setValue("Z", 3);
    ASSERT_TRUE(xml.pushTag("A"));
    xml.clear();
    EXPECT_EQ(xml.getNumTags("B"), 0);
    xml.popTag();
    EXPECT_EQ(printed(xml), "<A />\n<Z>3</Z>\n");
    xml.clear();
    EXPECT_EQ(xml.getNumTags("Z"), 0);
    EXPECT_EQ(xml.setValue("N", 1), 0);
    EXPECT_EQ(printed(xml), "<N>1</N>\n");
}

TEST_F(XmlTest, EveryWrittenValueReadsBackAfterSaveAndLoad) {
    const std::vector<std::string> texts = {"",         " ",          "   ",          " lead",      "trail ",
                                            "two  gaps", "tab\there",  "line\nbreak",  "a&b<c>\"'d", "caf\xc3\xa9",
                                            "&#x41;",   "ctrl\x01\x1f", "NONE",        "A B C",     "]]>x",
                                            "x]]>",
                                            "\t",       "trail\t",    "\n \n",        "cr\rhere",   "\nlead"};
    ofxXmlConfig xml;
    for (const auto& t : texts) xml.setValue("TEXT", t, -1);
    xml.addTag("ADDED");
    xml.setValue("NUM:I", -17);
    xml.setValue("NUM:D", 0.125);
    xml.setValue("NUM:D", 3.0, 1);
    ASSERT_TRUE(xml.saveFile(dir + "/round.xml"));

    ofxXmlConfig back;
    ASSERT_TRUE(back.loadFile(dir + "/round.xml"));
    ASSERT_EQ(back.getNumTags("TEXT"), static_cast<int>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(back.getValue("TEXT", std::string("<missing>"), static_cast<int>(i)), texts[i]) << i;
    EXPECT_EQ(back.getValue("ADDED", 5), 0);
    EXPECT_EQ(back.getValue("ADDED", std::string("<missing>")), "");
    EXPECT_EQ(back.getValue("NUM:I", 0), -17);
    EXPECT_EQ(back.getValue("NUM:D", 0.0), 0.125);
    EXPECT_EQ(back.getValue("NUM:D", 0.0, 1), 3.0);

    // And once more through a second save of the loaded document.
    ASSERT_TRUE(back.saveFile(dir + "/round2.xml"));
    EXPECT_EQ(read("round2.xml"), read("round.xml"));
}

TEST_F(XmlTest, FailedLoadLeavesAnEmptyDocumentAndResetsTheCursor) {
    ofxXmlConfig xml;
    xml.setValue("OLD:X", 1);
    ASSERT_TRUE(xml.pushTag("OLD"));
    EXPECT_FALSE(xml.loadFile(dir + "/missing.xml"));
    EXPECT_EQ(xml.getNumTags("OLD"), 0);
    EXPECT_EQ(xml.popTag(), 0);

    put("broken.xml", "<A>1</A>\n<B>2</B>\n<C><D>3</D>");
    xml.setValue("OLD:X", 1);
    ASSERT_TRUE(xml.pushTag("OLD"));
    EXPECT_FALSE(xml.loadFile(dir + "/broken.xml"));
    EXPECT_EQ(xml.getNumTags("A"), 0);
    EXPECT_EQ(xml.getValue("A", -1), -1);
    EXPECT_EQ(xml.getNumTags("OLD"), 0);
    // Defaults written after the failure make a clean file.
    xml.setValue("A", 5);
    EXPECT_EQ(printed(xml), "<A>5</A>\n");

    put("good.xml", "<A>1</A>\n<B>2</B>\n");
    xml.pushTag("A");
    EXPECT_TRUE(xml.loadFile(dir + "/good.xml"));
    EXPECT_EQ(xml.popTag(), 0);
    EXPECT_EQ(xml.getValue("B", 0), 2);
}

TEST_F(XmlTest, SaveReplacesTheFileAndLeavesNoTemporaryFile) {
    put("settings.xml", "<OLD>1</OLD>\n");
    ofxXmlConfig xml;
    xml.setValue("NEW", 2);
    ASSERT_TRUE(xml.saveFile(dir + "/settings.xml"));
    EXPECT_EQ(read("settings.xml"), "<NEW>2</NEW>\n");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"settings.xml"});

    ofxXmlConfig back;
    ASSERT_TRUE(back.loadFile(dir + "/settings.xml"));
    EXPECT_EQ(back.getValue("NEW", 0), 2);
    EXPECT_EQ(back.getNumTags("OLD"), 0);

    mode_t mask = umask(0);
    umask(mask);
    struct stat st {};
    ASSERT_EQ(stat(("data/" + dir + "/settings.xml").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST_F(XmlTest, SaveIntoAMissingFolderFails) {
    ofxXmlConfig xml;
    xml.setValue("A", 1);
    EXPECT_FALSE(xml.saveFile(dir + "/no/such/folder/a.xml"));
    // A folder in the way of the target: nothing is written over it.
    mkdir(("data/" + dir + "/taken.xml").c_str(), 0755);
    EXPECT_FALSE(xml.saveFile(dir + "/taken.xml"));
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"taken.xml"});
}

TEST_F(XmlTest, SaveThatFailsHalfwayKeepsTheOldFileWhole) {
    const std::string old = "<KEEP>me</KEEP>\n";
    put("player.xml", old);
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
    EXPECT_EQ(read("player.xml"), old);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"player.xml"});
    // The document is untouched and saves fine afterwards.
    ASSERT_TRUE(xml.saveFile(dir + "/player.xml"));
    ofxXmlConfig back;
    ASSERT_TRUE(back.loadFile(dir + "/player.xml"));
    EXPECT_EQ(back.getNumTags("STAT"), 200);
    EXPECT_EQ(back.getValue("STAT", -1, 199), 199);
}
