#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "CapturedOutput.h"
#include "PlayerData.h"
#include "ofFileSave.h"
#include "ProgressTestSupport.h"

using namespace progress_test;

static const Lines statNames = {"foe_kills", "time_in_game", "pause_count"};

TEST(PlayerDataTest, EverythingReadsBackExactly) {
    ScratchFolder dir;
    PlayerData d;
    d.playerName = "A&B <#1>";
    d.scoreServer = "http://127.0.0.1:8765";
    for (int i = 0; i < PlayerData::optionCount; ++i) d.options[i] = i % 2 == 1;
    for (int i = 0; i < PlayerData::modeCount; ++i) {
        d.bestScores[i] = 1000 * i + 7;
        d.bestCoopScores[i] = 2147483647 - i;
    }
    d.ships[0] = d.ships[8] = true;
    d.lastShip = 8;
    d.stats = {{"foe_kills", 1234567.0f}, {"time_in_game", 3723.25f}, {"pause_count", 0.0f}};
    d.debugEnabled = d.festivalScreenshots = d.exhibition = true;
    d.easterEgg = 42;
    d.frontText[0] = "  two  spaces ";
    d.frontText[3] = "last";
    ASSERT_TRUE(d.save(dir.file("playerData.xml")));
    const std::string text = readAll(dir.file("playerData.xml"));
    for (const char* tag : {"<SHIPS>", "<LAST_SHIP>8</LAST_SHIP>", "<STATS>", "<foe_kills>1234567</foe_kills>",
                            "<TAKE_FESTIVAL_SCREENSHOTS>1</TAKE_FESTIVAL_SCREENSHOTS>", "<LINE_3>last</LINE_3>"})
        EXPECT_NE(text.find(tag), std::string::npos) << tag;

    PlayerData r;
    ASSERT_EQ(r.load(dir.file("playerData.xml"), statNames), PlayerData::Read);
    EXPECT_EQ(r.playerName + "|" + r.scoreServer + "|" + r.frontText[0] + "|" + r.frontText[3],
              d.playerName + "|" + d.scoreServer + "|" + d.frontText[0] + "|last");
    EXPECT_TRUE(std::equal(r.options, r.options + PlayerData::optionCount, d.options));
    EXPECT_TRUE(std::equal(r.bestScores, r.bestScores + PlayerData::modeCount, d.bestScores));
    EXPECT_TRUE(std::equal(r.bestCoopScores, r.bestCoopScores + PlayerData::modeCount, d.bestCoopScores));
    EXPECT_TRUE(r.ships[8] && !r.ships[4] && r.lastShip == 8 && r.stats == d.stats && r.easterEgg == 42);
    EXPECT_TRUE(r.debugEnabled && r.festivalScreenshots && r.exhibition);
}

TEST(PlayerDataTest, AMissingFileIsWrittenWithTheDefaults) {
    ScratchFolder dir;
    PlayerData d, again;
    d.bestScores[1] = 99;
    quietly([&] { EXPECT_EQ(d.load(dir.file("playerData.xml"), statNames), PlayerData::Defaults); });
    EXPECT_EQ(again.load(dir.file("playerData.xml"), statNames), PlayerData::Read);
    for (const PlayerData* p : {&d, &again})  // only the sixth option starts on
        for (int i = 0; i < PlayerData::optionCount; ++i) EXPECT_EQ(p->options[i], i == 5) << i;
    EXPECT_EQ(d.bestScores[1] + again.bestScores[1], 0);
}

TEST(PlayerDataTest, AnUnparsableFileIsMovedAsideWithALogLineAndDefaultsAreWritten) {
    ScratchFolder dir;
    const std::string broken = "<BEST_SCORES><DIFFICULTY_1>500</DIFFICULTY_1>\n<OPTIONS><<<";
    std::ofstream(dir.file("playerData.xml")) << broken;
    PlayerData d;
    testing::internal::CaptureStderr();
    EXPECT_EQ(d.load(dir.file("playerData.xml"), statNames), PlayerData::Defaults);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("[PlayerData:error] " + dir.file("playerData.xml") + " could not be read; kept as " +
                       dir.file("playerData.xml.bad") + ", defaults written\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(readAll(dir.file("playerData.xml.bad")), broken);
    EXPECT_EQ(d.bestScores[1], 0);
    EXPECT_EQ(PlayerData().load(dir.file("playerData.xml"), statNames), PlayerData::Read);
}

TEST(PlayerDataTest, ValuesOutOfRangeTakeTheirDefaults) {
    ScratchFolder dir;
    std::ofstream(dir.file("playerData.xml"))
        << "<PLAYER_NAME>ThisNameIsFarTooLong</PLAYER_NAME><SCORE_SERVER>ftp://x</SCORE_SERVER>"
           "<OPTIONS><OPTION_0>2</OPTION_0><OPTION_5>zero</OPTION_5><OPTION_1>1</OPTION_1></OPTIONS>"
           "<BEST_SCORES><DIFFICULTY_0>-4</DIFFICULTY_0><DIFFICULTY_2>77</DIFFICULTY_2>"
           "<DIFFICULTY_3>99999999999</DIFFICULTY_3></BEST_SCORES>"
           "<SHIPS><SHIP_2>1</SHIP_2><SHIP_3>5</SHIP_3><LAST_SHIP>9</LAST_SHIP></SHIPS>"
           "<STATS><foe_kills>-3</foe_kills><time_in_game>nan</time_in_game><pause_count>12</pause_count>"
           "<made_up>5</made_up></STATS>"
           "<DEBUG_OPTIONS><ENABLED>yes</ENABLED><EASTER_EGG>7x</EASTER_EGG></DEBUG_OPTIONS>"
           "<FRONT_TEXT><LINE_0>" << std::string(100000, 'w') << "</LINE_0><LINE_2>" << std::string(255, 'e')
        << "\xc3\xa9</LINE_2><LINE_3>" << std::string(256, 'k') << "</LINE_3></FRONT_TEXT>";
    PlayerData d;
    const std::string log =
        quietly([&] { EXPECT_EQ(d.load(dir.file("playerData.xml"), statNames), PlayerData::Read); });
    EXPECT_NE(log.find("SCORE_SERVER \"ftp://x\" is not an http:// address"), std::string::npos);
    // Long lines are cut, between characters, with a warning each.
    EXPECT_NE(log.find("FRONT_TEXT:LINE_0 is 100000 bytes long; cut to 256\n[PlayerData:warning] "
                       "FRONT_TEXT:LINE_2 is 257 bytes long; cut to 256\n"),
              std::string::npos);
    EXPECT_EQ(d.frontText[0] + "|" + d.frontText[2] + "|" + d.frontText[3],
              std::string(256, 'w') + "|" + std::string(255, 'e') + "|" + std::string(256, 'k'));
    EXPECT_EQ(d.playerName + d.scoreServer, "");
    EXPECT_TRUE(!d.options[0] && d.options[1] && d.options[5]);
    EXPECT_EQ((std::vector<int>{d.bestScores[0], d.bestScores[2], d.bestScores[3], d.lastShip}),
              (std::vector<int>{0, 77, 0, 0}));
    EXPECT_TRUE(d.ships[2] && !d.ships[3] && !d.debugEnabled && d.easterEgg == 0);
    EXPECT_EQ(d.stats, (std::map<std::string, float>{{"foe_kills", 0}, {"time_in_game", 0}, {"pause_count", 12}}));
}

// The disk fills up part way through writing the new file: the save fails,
// says so, and the old file is left as it was, with no half-written file
// beside it.
TEST(PlayerDataTest, AFailedSaveIsLoggedAndLeavesTheOldFileWhole) {
    ScratchFolder dir;
    const std::string path = dir.file("playerData.xml");
    PlayerData d;
    ASSERT_TRUE(d.save(path));
    const std::string before = readAll(path);
    d.bestScores[2] = 999;
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    ASSERT_GT(before.size(), 400u);  // room for the log line, not for the file
    small.rlim_cur = 256;
    std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    testing::internal::CaptureStderr();
    const bool saved = d.save(path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_FALSE(saved);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "[PlayerData:error] could not save " + path + " (File too large); the previous file is kept\n");
    EXPECT_EQ(readAll(path), before);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path)) left.push_back(entry.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"playerData.xml"});
}

// Whatever is read and is no player file is kept before the defaults go over
// it, with one line each; a second damaged file never takes the first copy's
// name.
TEST(PlayerDataTest, EveryDamagedFileIsKeptUnderANewNameWithOneLineEach) {
    ScratchFolder dir;
    const std::string path = dir.file("playerData.xml");
    std::string deep;
    for (int i = 0; i < 257; ++i) deep += "<L>";
    const struct {
        std::string content, suffix, why;
    } files[] = {
        {"<<garbage", ".bad", ""},
        {"", ".bad.1", ""},
        {"<OPTIONS><OPTION_0>1</OPTION_0>", ".bad.2", ""},
        {"<!-- only a comment -->", ".bad.3", ""},
        {"<PLAYER_NAME>A</PLAYER_NAME><<junk", ".bad.4", ""},
        {deep, ".bad.5", " (nests elements deeper than 256 levels)"},
        // A line commented out by hand whose "-->" was forgotten.
        {"<PLAYER_NAME>ANN</PLAYER_NAME>\n<!-- <SCORE_SERVER>http://x</SCORE_SERVER>\n"
         "<BEST_SCORES><DIFFICULTY_0>4242</DIFFICULTY_0></BEST_SCORES>\n",
         ".bad.6", ""},
        // The same, closed by a later comment's "-->": the best scores between go with it.
        {"<PLAYER_NAME>ANN</PLAYER_NAME>\n<!-- <SCORE_SERVER>http://x</SCORE_SERVER>\n"
         "<BEST_SCORES><DIFFICULTY_0>4343</DIFFICULTY_0></BEST_SCORES>\n<!-- a note -->\n",
         ".bad.7", ""},
    };
    for (const auto& [content, suffix, why] : files) {
        std::ofstream(path) << content;
        PlayerData d;
        const CapturedOutput o = captureOutput([&] { EXPECT_EQ(d.load(path, statNames), PlayerData::Defaults); });
        EXPECT_EQ(o.out + o.err, "[PlayerData:error] " + path + " could not be read" + why + "; kept as " + path + suffix +
                                     ", defaults written\n");
        EXPECT_EQ(PlayerData().load(path, statNames), PlayerData::Read) << suffix;
    }
    for (const auto& f : files) EXPECT_EQ(readAll(path + f.suffix), f.content) << f.suffix;
}

// The damaged file at the end of a link is kept beside itself, and the
// defaults reach it through the link, which stays.
TEST(PlayerDataTest, ADamagedFileBehindALinkIsKeptBesideItselfAndTheLinkStays) {
    ScratchFolder dir;
    std::filesystem::create_directory(dir.file("real"));
    std::ofstream(dir.file("real/mine.xml")) << "<<garbage";
    std::filesystem::create_symlink("real/mine.xml", dir.file("playerData.xml"));
    PlayerData d;
    const CapturedOutput o = captureOutput([&] { EXPECT_EQ(d.load(dir.file("playerData.xml"), statNames), PlayerData::Defaults); });
    EXPECT_EQ(o.err, "[PlayerData:error] " + dir.file("playerData.xml") + " could not be read; kept as " +
                         dir.file("real/mine.xml.bad") + ", defaults written\n");
    EXPECT_EQ(readAll(dir.file("real/mine.xml.bad")), "<<garbage");
    EXPECT_EQ(std::filesystem::read_symlink(dir.file("playerData.xml")), "real/mine.xml");
    EXPECT_NE(readAll(dir.file("real/mine.xml")).find("<OPTION_5>1</OPTION_5>"), std::string::npos);
}

// Each save says what became of the file: none written when there is no
// folder (and no claim that defaults were), a read-only file left alone, a
// replaced file whose folder would not sync counted as saved.
TEST(PlayerDataTest, SaveFailuresNameThePathAndWhatBecameOfTheOldFile) {
    ScratchFolder dir;
    const std::string lost = dir.file("none/playerData.xml"), path = dir.file("playerData.xml");
    PlayerData d;
    CapturedOutput o = captureOutput([&] { EXPECT_EQ(d.load(lost, statNames), PlayerData::Defaults); });
    EXPECT_EQ(o.out + o.err, "[PlayerData:error] " + lost + " not found, and the defaults could not be written to " +
                                 lost + " (No such file or directory)\n");
    o = captureOutput([&] { EXPECT_FALSE(d.save(lost)); });
    EXPECT_EQ(o.out + o.err, "[PlayerData:error] could not save " + lost + " (No such file or directory)\n");

    ASSERT_TRUE(d.save(path));
    const std::string before = readAll(path);
    d.bestScores[0] = 5;
    const struct {
        mode_t mode;
        bool syncs, saved;
        std::string log;
    } cases[] = {
        {0444, true, false, "[PlayerData:error] could not save " + path + " (the file is read-only); the previous file is kept\n"},
        {0644, false, true, "[warning] ofSaveFileAtomically: " + path + " replaced, but its folder could not be synced "
                            "(Input/output error); the change may not survive a power loss\n"},
    };
    for (const auto& c : cases) {
        ::chmod(path.c_str(), c.mode);
        ofSetFileSyncFunction([&c](int fd) {
            struct stat st {};
            ::fstat(fd, &st);
            if (c.syncs || !S_ISDIR(st.st_mode)) return ::fsync(fd);
            errno = EIO;
            return -1;
        });
        o = captureOutput([&] { EXPECT_EQ(d.save(path), c.saved); });
        ofSetFileSyncFunction(nullptr);
        EXPECT_EQ(o.out + o.err, c.log);
        EXPECT_EQ(readAll(path) == before, !c.saved);
    }
}

// A file far larger than any player file is not read, not kept aside and
// not written over.
TEST(PlayerDataTest, AHugeFileIsOutOfReach) {
    ScratchFolder dir;
    const std::string path = dir.file("playerData.xml");
    std::ofstream(path) << "<PLAYER_NAME>BIG</PLAYER_NAME>";
    std::filesystem::resize_file(path, (16u << 20) + 1);
    PlayerData d;
    const CapturedOutput o = captureOutput([&] { EXPECT_EQ(d.load(path, statNames), PlayerData::OutOfReach); });
    EXPECT_EQ(o.err + o.out, "[PlayerData:warning] " + path + " cannot be read (larger than 16777216 bytes); playing "
                                                              "with defaults, and it is not written over\n");
    EXPECT_EQ(std::filesystem::file_size(path), (16u << 20) + 1);
    EXPECT_FALSE(std::filesystem::exists(path + ".bad"));
}

// Declarations are part of a good file: it is read, not reset.
TEST(PlayerDataTest, AFileWithADoctypeIsRead) {
    ScratchFolder dir;
    const std::string path = dir.file("playerData.xml");
    std::ofstream(path) << "<?xml version=\"1.0\" ?>\n<!DOCTYPE PLAYER_NAME>\n<?editor by=\"hand\"?>\n"
                           "<PLAYER_NAME>ZED</PLAYER_NAME>\n<SHIPS><LAST_SHIP>3</LAST_SHIP></SHIPS>\n";
    PlayerData d;
    const CapturedOutput o = captureOutput([&] { EXPECT_EQ(d.load(path, statNames), PlayerData::Read); });
    EXPECT_EQ(o.err + o.out + d.playerName + std::to_string(d.lastShip), "ZED3");
    EXPECT_FALSE(std::filesystem::exists(path + ".bad"));
}
