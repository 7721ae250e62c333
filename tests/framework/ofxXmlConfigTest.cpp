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

using Names = std::vector<std::string>;

struct XmlTest : testing::Test {
    void SetUp() override { std::system(("mkdir -p data && rm -rf data/" + dir + " && mkdir data/" + dir).c_str()); }
    void TearDown() override { std::system(("rm -rf data/" + dir).c_str()); }
    std::string read(const std::string& name) {
        std::ifstream in(d + name);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void put(const std::string& name, const std::string& content) { std::ofstream(d + name) << content; }
    std::string printed(ofxXmlConfig& xml) { return xml.saveFile(dir + "/printed.xml") ? read("printed.xml") : "<unsaved>"; }
    // Sorted, hidden names too, so a temporary file left behind shows.
    Names entries() {
        Names names;
        for (const auto& e : std::filesystem::directory_iterator(d)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Writes `texts` as values beside a kept tag under `declaration`, saves, loads and reads them back.
    void expectReadBack(const char* declaration, const Names& texts, const Names& expected) {
        put("values.xml", std::string(declaration) + "\n<KEEP>1</KEEP>\n");
        ofxXmlConfig xml;
        ASSERT_TRUE(xml.loadFile(dir + "/values.xml"));
        for (std::size_t i = 0; i < texts.size(); ++i) {
            xml.setValue("T", texts[i], -1);
            EXPECT_EQ(xml.getValue("T", std::string(), static_cast<int>(i)), expected[i]) << declaration << i;
        }
        ASSERT_TRUE(xml.saveFile(dir + "/values.xml"));
        ofxXmlConfig back;
        ASSERT_TRUE(back.loadFile(dir + "/values.xml")) << declaration;
        ASSERT_EQ(back.getValue("KEEP", 0) * 100 + back.getNumTags("T"), 100 + static_cast<int>(texts.size()));
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(back.getValue("T", std::string("?"), static_cast<int>(i)), expected[i]) << declaration << i;
    }
    const std::string dir = "xml_" + std::to_string(getpid()), d = "data/" + dir + "/";
};

const char* const declarations[] = {"<?xml version=\"1.0\" encoding=\"UTF-8\" ?>", "<?xml version=\"1.0\" ?>", ""};

}  // namespace

TEST_F(XmlTest, OnlyAWholeParsedFileCountsAsLoadedAndAFailedLoadLeavesAnEmptyDocument) {
    const struct {
        const char* name;
        std::string content;
        bool loads;
    } files[] = {
        {"broken.xml", "<A>1</A>\n<B>2</B>\n<C><D>3</D>", false},
        {"dtd.xml", "<!DOCTYPE x [ <!ENTITY e \"v\"> ]>\n<A>" + std::string(3000, 'v') + "</A>\n", false},
        {"junk.xml", "<A>1</A>\njunk", false},
        {"zero_inside.xml", std::string("<A>1</A>\0<B>2</B>", 17), false},
        {"padded.xml", std::string("<A>1</A>\n \r\n\t\0\0", 15), true},
        // Parsed without an error, yet no settings document.
        {"garbage.xml", "<<garbage", false},
        {"junk_after.xml", "<A>1</A>\n<<junk", false},
        {"junk_inside.xml", "<A><B>x<!junk>y</B></A>", false},
        {"comment_only.xml", "<!-- none -->\n", false},
        {"declaration_only.xml", "<?xml version=\"1.0\" ?>\n", false},
    };
    for (const auto& f : files) put(f.name, f.content);
    for (const auto& f : files) {
        ofxXmlConfig xml;
        xml.setValue("OLD:X", 1);
        ASSERT_TRUE(xml.pushTag("OLD"));
        EXPECT_EQ(xml.loadFile(dir + "/" + f.name), f.loads) << f.name;
        EXPECT_EQ(xml.getLoadStatus(), f.loads ? ofxXmlConfig::Loaded : ofxXmlConfig::Unparsed) << f.name;
        EXPECT_EQ(xml.popTag(), 0) << f.name;
        EXPECT_EQ(printed(xml), f.loads ? "<A>1</A>\n" : "") << f.name;
    }
}

// A DOCTYPE ahead of the first element and processing instructions load and
// are saved back; any other node the parser could not place, or read to the
// end of the text for want of a ">", makes the file damaged.
TEST_F(XmlTest, DeclarationsLoadAndSaveBackWhileUnplacedNodesAreRefused) {
    const struct {
        std::string text;
        int value;            // of S:A once loaded, 0 if refused
        const char* printed;  // once saved
    } files[] = {
        {"<!DOCTYPE S>\n<S><A>1</A></S>\n", 1, "<!DOCTYPE S>\n<S>\n    <A>1</A>\n</S>\n"},
        {"<?xml version=\"1.0\" ?>\n<!DOCTYPE S SYSTEM \"s.dtd\">\n<S><A>2</A></S>", 2,
         "<?xml version=\"1.0\" ?>\n<!DOCTYPE S SYSTEM \"s.dtd\">\n<S>\n    <A>2</A>\n</S>\n"},
        {"<?app mode=\"x\"?>\n<S><?app-2.b?><A>3</A><?app\tz ?></S>", 3,
         "<?app mode=\"x\"?>\n<S>\n    <?app-2.b?>\n    <A>3</A>\n    <?app\tz ?>\n</S>\n"},
        {"<!-- c --><!DOCTYPE S []><S><A>4</A></S><?end?>\r\n", 4,
         "<!-- c -->\n<!DOCTYPE S []>\n<S>\n    <A>4</A>\n</S>\n<?end?>\n"},
        {"<<garbage", 0, ""}, {"<S><A>1</A></S>\n<<garbage", 0, ""}, {"<S><A>1</A></S>\njunk", 0, ""},
        {"<!DOCTYPE S>\n<?app x?>\n", 0, ""}, {"<!DOCTYPE S", 0, ""}, {"<S><A>1</A></S><?app x", 0, ""},
        {"<S><A>1</A></S><?app x?", 0, ""}, {"<S><A>1</A><?app x?", 0, ""}, {"<!DOCTYPE S [ <!ENTITY e \"v\"> ]>\n<S><A>1</A></S>", 0, ""},
        {"<S><A>1</A></S><!DOCTYPE S>", 0, ""}, {"<S><!DOCTYPE S><A>1</A></S>", 0, ""},
        {"<!DOCTYPE S><!DOCTYPE S><S><A>1</A></S>", 0, ""}, {"<!doctype S><S><A>1</A></S>", 0, ""},
        {"<!ELEMENT S ANY><S><A>1</A></S>", 0, ""}, {"<? app?><S><A>1</A></S>", 0, ""},
        {"<?1app?><S><A>1</A></S>", 0, ""}, {"<?app?x?><S><A>1</A></S>", 0, ""},
        {"<S><?app a > b ?><A>1</A></S>", 0, ""},
        // Comments closed anywhere load; one that no "-->" closes swallows the rest of the file.
        {"<!-- c --><S><!-- d --><A>5</A><!-- e --></S><!---->\r\n\t ", 5,
         "<!-- c -->\n<S>\n    <!-- d -->\n    <A>5</A>\n    <!-- e -->\n</S>\n<!---->\n"},
        {"<S><A>1</A></S>\n<!-- <B>2</B>\n", 0, ""}, {"<S><A>1</A></S><!--", 0, ""},
        {"<S><A>1</A></S><!--->", 0, ""}, {"<S><A>1</A></S><!-- x --\n", 0, ""},
        {"<S><A>1</A></S>\n<!-- <B>2</B>\n<T>3</T>\n", 0, ""}, {"<S><A>1</A><!-- <B>2</B></S>", 0, ""},
        {"<!-- <B>2</B>\n<S><A>1</A></S>", 0, ""}, {"<!DOCTYPE S\n<E/>\n<S><A>1</A></S>", 0, ""},
        // White space as the parser counts it, in UTF-8 the marks U+FEFF, U+FFFE and U+FFFF too; "<" in quotes.
        {"<?xml version=\"1.0\" ?>\n<S><A>6</A></S>\n<!-- c -->\xEF\xBB\xBF\n\xEF\xBF\xBE \xEF\xBF\xBF", 6,
         "<?xml version=\"1.0\" ?>\n<S>\n    <A>6</A>\n</S>\n<!-- c -->\n"},
        {"\xEF\xBB\xBF<S><A>7</A></S><!-- a -- b -->\xEF\xBB\xBF", 7, "<S>\n    <A>7</A>\n</S>\n<!-- a -- b -->\n"},
        {"<!DOCTYPE S SYSTEM 'a<b.dtd'>\n<S><A>8</A></S>", 8, "<!DOCTYPE S SYSTEM 'a<b.dtd'>\n<S>\n    <A>8</A>\n</S>\n"},
        {"<?xml version=\"1.0\"?>\n<S><!-- <?xml --><A b=\"<?xml\">9</A><![CDATA[<?xml]]></S>", 9,
         "<?xml version=\"1.0\" ?>\n<S>\n    <!-- <?xml -->\n    <A b=\"&lt;?xml\">9</A>\n    &lt;?xml\n</S>\n"},
        // A comment, CDATA section or declaration that lost its end swallows what follows, to a later end or the last byte.
        {"<!DOCTYPE S SYSTEM \"s.dtd\n<E/>\n<S><A>1</A></S>", 0, ""},
        {"<P>A</P>\n<!-- <Q>x</Q>\n<S><A>1</A></S>\n<!-- a note -->\n", 0, ""},
        {"<S><!-- <B>2</B>\n<A>1</A><!-- n --></S>", 0, ""}, {"<S><A>1</A></S>\n<![CDATA[ <B>2</B>\n", 0, ""},
        {"<?xml version=\"1.0\"\n<A/>\n<S><A>1</A></S>", 0, ""}, {"<?xml-stylesheet href=\"s.xsl\"\n<A/>\n<S><A>1</A></S>", 0, ""},
        {"<S><?xml version=\"1.0\"\n<B/><A>1</A></S>", 0, ""}, {"<S><A>1</A></S><?XML version=\"1.0\"", 0, ""},
    };
    for (const auto& f : files) {
        put("f.xml", f.text);
        ofxXmlConfig xml;
        const CapturedOutput o = captureOutput([&] { EXPECT_EQ(xml.loadFile(dir + "/f.xml"), f.value != 0) << f.text; });
        EXPECT_EQ(o.out + o.err + xml.getLoadError(), "") << f.text;
        EXPECT_EQ(xml.getValue("S:A", 0), f.value) << f.text;
        EXPECT_EQ(printed(xml), f.printed) << f.text;
        ofxXmlConfig back;
        EXPECT_TRUE(back.loadFile(dir + "/printed.xml") == (f.value != 0) && back.getValue("S:A", 0) == f.value) << f.text;
    }
}

TEST_F(XmlTest, SaveThatFailsHalfwayKeepsTheOldFileWhole) {
    put("player.xml", "<KEEP>me</KEEP>\n");
    ofxXmlConfig xml;
    for (int i = 0; i < 200; ++i) xml.setValue("STAT", i, -1);
    // Files may grow to 512 bytes only: the write stops partway.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const rlimit small{512, before.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = xml.saveFile(dir + "/player.xml");
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &before), 0);
    EXPECT_FALSE(saved || xml.saveFile(dir + "/no/folder/player.xml"));
    EXPECT_EQ(read("player.xml") + entries().at(0) + std::to_string(entries().size()), "<KEEP>me</KEEP>\nplayer.xml1");
    ASSERT_TRUE(xml.saveFile(dir + "/player.xml") && xml.loadFile(dir + "/player.xml"));
    EXPECT_EQ(xml.getValue("STAT", -1, 199) * 10 + static_cast<int>(entries().size()), 1991);
}

// Whatever stands in a settings file's place, a load fails with its reason
// and throws nothing; a save cannot replace a folder and says so.
TEST_F(XmlTest, WhatIsNoFileFailsToLoadWithItsReason) {
    mkdir((d + "folder.xml").c_str(), 0755);
    mkfifo((d + "pipe.xml").c_str(), 0644);
    put("broken.xml", "<A>");
    ofxXmlConfig xml;
    std::string log;
    for (const char* name : {"folder.xml", "pipe.xml", "missing.xml", "broken.xml"}) {
        const CapturedOutput o = captureOutput([&] { EXPECT_FALSE(xml.loadFile(dir + "/" + name)); });
        log += std::to_string(xml.getLoadStatus()) + " " + xml.getLoadError() + "|" + o.out + o.err;
    }
    // The caller logs the reason, once.
    EXPECT_EQ(log, "3 Is a directory|3 not a regular file|2 |4 |");
    xml.setValue("A", 1);
    EXPECT_FALSE(xml.saveFile(dir + "/folder.xml"));
    EXPECT_TRUE(std::filesystem::is_directory(d + "folder.xml"));
}

// A save through a link replaces the link's target, beside it, and leaves the
// link; the file keeps its permission bits; the folder holding the new file
// is synced once the file is in it.
TEST_F(XmlTest, SavesFollowLinksKeepPermissionBitsAndSyncTheFolderLast) {
    mkdir((d + "real").c_str(), 0755);
    put("real/target.xml", "<OLD />");
    chmod((d + "real/target.xml").c_str(), 0640);
    ASSERT_EQ(symlink("real/target.xml", (d + "link.xml").c_str()), 0);
    ASSERT_EQ(symlink("real/new.xml", (d + "dangling.xml").c_str()), 0);
    Names syncs;  // the folder and what it holds when synced
    ofSetFileSyncFunction([&](int fd) {
        struct stat st {};
        fstat(fd, &st);
        if (S_ISDIR(st.st_mode)) syncs.push_back(std::to_string(st.st_ino) + read("real/target.xml") + read("real/new.xml"));
        return ::fsync(fd);
    });
    ofxXmlConfig xml;
    for (const char* name : {"link.xml", "dangling.xml"}) {
        xml.setValue("N", name[0] == 'd' ? 1 : 0);
        EXPECT_TRUE(xml.saveFile(dir + "/" + name));
    }
    ofSetFileSyncFunction(nullptr);
    struct stat real {}, target {};
    ASSERT_EQ(stat((d + "real").c_str(), &real) + stat((d + "real/target.xml").c_str(), &target), 0);
    const std::string folder = std::to_string(real.st_ino) + "<N>0</N>\n";
    EXPECT_EQ(syncs, (Names{folder, folder + "<N>1</N>\n"}));
    EXPECT_EQ(target.st_mode & 07777, 0640u);
    EXPECT_EQ(std::filesystem::read_symlink(d + "link.xml").string() + " " +
                  std::filesystem::read_symlink(d + "dangling.xml").string(),
              "real/target.xml real/new.xml");
}

TEST_F(XmlTest, EveryValueReadsBackByteForByteAndBytesThatAreNotUtf8AsReplacementCharacters) {
    const Names texts = {"",          " ",      " lead",   "trail ", "line\nbreak", "a&b<c>\"'", "&#x41;",
                         "\x01\x1f", "x]]>",   "  ]]>  ", "a]]>  b", "\r",         " \r\n ",    " a\rb ",
                         "\t\r",     "]]>",    " ]]]]><![CDATA[ ",   "\xEF\xBB\xBFx",        "\xEF\xBF\xBE",
                         " \xEF\xBB\xBF ",     "a &#x20; b",         std::string(" \0 ", 3), "x\v\f y"};
    for (const char* declaration : {declarations[0], declarations[2]}) expectReadBack(declaration, texts, texts);
    // Plain values keep their plain look.
    ofxXmlConfig xml;
    xml.setValue("A", std::string("one two"));
    xml.setValue("B", std::string(" "));
    EXPECT_EQ(printed(xml), "<A>one two</A>\n<B><![CDATA[ ]]></B>\n");
    // Bytes that are not UTF-8 read back as replacement characters: Latin-1, never UTF-8, cut short, overlong, a surrogate, above U+10FFFF; well formed: kept.
    const std::string f = "\xEF\xBF\xBD";
    const Names in = {"Jos\xE9", "\xFF\xFE", "ab\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE9</A>", "caf\xC3\xA9 \xF0\x9F\x99\x82"};
    const Names out = {"Jos" + f, f + f, "ab" + f, f + f, f + f + f, f + f + f + f, f + "</A>", "caf\xC3\xA9 \xF0\x9F\x99\x82"};
    for (const char* declaration : declarations) expectReadBack(declaration, in, out);
}

TEST_F(XmlTest, DocumentsNestedTooDeeplyAreRefusedUnparsed) {
    auto nested = [](int levels, const std::string& inner) {
        std::string open, close;
        for (int i = 0; i < levels; ++i) open += "<L>", close += "</L>";
        return open + inner + close;
    };
    const std::pair<std::string, bool> files[] = {
        {nested(40000, "1"), false}, {nested(256, "1"), true}, {nested(255, "<E a=\"x\" /><E/>"), true}, {nested(257, "1"), false},
        // End tags the parser takes for text do not lower the count.
        {"<!-- </L></L></L> -->" + nested(257, "1"), false},
        {"<![CDATA[</L></L>]]>" + nested(257, ""), false},
        {"<L a=\"</L></L>\">" + nested(256, "") + "</L>", false},
    };
    for (std::size_t i = 0; i < std::size(files); ++i) {
        put("deep.xml", files[i].first);
        ofxXmlConfig xml;
        const std::string err = captureOutput([&] { EXPECT_EQ(xml.loadFile(dir + "/deep.xml"), files[i].second) << i; }).err;
        EXPECT_EQ(err + xml.getLoadError(), files[i].second ? "" : "nests elements deeper than 256 levels") << i;
    }
}

TEST_F(XmlTest, SaveAndLoadRemoveTemporariesLeftByAnInterruptedSave) {
    pid_t gone = 4000000;  // a process id that is surely not running
    while (kill(gone, 0) == 0 || errno != ESRCH) ++gone;
    const std::string dead = std::to_string(gone);
    const Names stale = {"player.xml.tmp" + dead + "_3", "player.xml.tmp" + std::to_string(getpid()) + "_900"};
    Names kept = {"other.xml.tmp" + dead + "_1", "player.xml", "player.xml.tmp" + dead + "_",
                  "player.xml.tmp1_1",  // pid 1 is alive: its save may still be running
                  "player.xml.tmpx_1"};
    std::sort(kept.begin(), kept.end());
    ofxXmlConfig xml;
    for (bool save : {false, true}) {
        for (const auto& n : stale) put(n, "<A>half");
        for (const auto& n : kept) put(n, "<A>1</A>");
        EXPECT_TRUE(save ? xml.saveFile(dir + "/player.xml") : xml.loadFile(dir + "/player.xml"));
        EXPECT_EQ(entries(), kept) << save;
    }
}
