#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iomanip>

#include <Poco/Net/StreamSocket.h>

#include "CapturedOutput.h"

#include "GameCore.h"
#include "ProgressTestSupport.h"
#include "GlobalStatSender.h"
#include "StatsTracker.h"
#include "ofURLFileLoader.h"

using namespace progress_test;

namespace {

class CorePlayerFile : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(chdir(dir.path.c_str()), 0);
        ::mkdir("data", 0755);
        core.reset(new GameCore);
        core->achievementTracker.setup(core->statsTracker);
    }
    void TearDown() override {
        core.reset();
        std::filesystem::current_path(previous);
    }
    ScratchFolder dir;
    std::filesystem::path previous = std::filesystem::current_path();
    std::unique_ptr<GameCore> core;
};

}  // namespace

TEST_F(CorePlayerFile, LoadSpreadsTheFileOverTheCoreAndSaveGathersItBack) {
    std::ofstream("data/playerData.xml")
        << "<PLAYER_NAME>ZED</PLAYER_NAME><SCORE_SERVER>http://127.0.0.1:9/</SCORE_SERVER>"
           "<OPTIONS><OPTION_0>1</OPTION_0><OPTION_5>0</OPTION_5><OPTION_8>1</OPTION_8></OPTIONS>"
           "<BEST_SCORES><DIFFICULTY_2>640</DIFFICULTY_2></BEST_SCORES>"
           "<BEST_COOP_SCORES><DIFFICULTY_4>3100</DIFFICULTY_4></BEST_COOP_SCORES>"
           "<SHIPS><SHIP_3>1</SHIP_3><LAST_SHIP>3</LAST_SHIP></SHIPS>"
           "<STATS><foe_kills>1234567</foe_kills><time_in_game>3723.25</time_in_game><nope>4</nope></STATS>"
           "<DEBUG_OPTIONS><ENABLED>1</ENABLED><EXHIBITION>1</EXHIBITION><EASTER_EGG>5</EASTER_EGG></DEBUG_OPTIONS>"
           "<FRONT_TEXT><LINE_1>HELLO</LINE_1></FRONT_TEXT>";
    core->loadPlayerData();
    GameCore& c = *core;
    std::ostringstream got;
    got << std::setprecision(10) << c.scoreSubmitOverlay.playerName << ' ' << c.statsTracker.server.address << ' '
        << c.leaderboardScreen.server.address << ' ' << c.mainMenu.frontTextLines[1] << ' ' << c.bestScores[2] << ' '
        << c.bestCoopScores[4] << ' ' << c.shipSelect.lastShipType << ' ' << c.xmlEditValue << ' '
        << c.statsTracker.record("foe_kills").value << ' ' << c.statsTracker.record("time_in_game").value << ' '
        << c.scoreSubmitOverlay.available << c.scoreSubmitOverlay.autoSubmit << c.optionsMenu.rows[0]
        << c.soundBank.soundMuted << c.shipSelect.unlocked[3] << c.debugEnabled << c.exhibition
        << c.statsTracker.sendGlobalStats << c.statsTracker.record("global_foes_killed").sendingEnabled;
    EXPECT_EQ(got.str(), "ZED http://127.0.0.1:9 http://127.0.0.1:9 HELLO 640 3100 3 5 1234567 3723.25 111111100");

    c.bestScores[1] = 77;
    c.statsTracker.record("pause_count").raise(2);
    c.scoreSubmitOverlay.toggleAutoSubmit();
    c.savePlayerData();
    const std::string text = readAll("data/playerData.xml");
    for (const char* tag : {"<foe_kills>1234567</foe_kills>", "<pause_count>2</pause_count>", "<OPTION_8>0</OPTION_8>"})
        EXPECT_NE(text.find(tag), std::string::npos) << tag;
    EXPECT_EQ(text.find("nope"), std::string::npos) << "unknown stats are not kept";
    GameCore second;
    second.achievementTracker.setup(second.statsTracker);
    second.loadPlayerData();
    EXPECT_TRUE(second.bestScores[1] == 77 && second.statsTracker.record("time_in_game").value == 3723.25f &&
                !second.scoreSubmitOverlay.autoSubmit);
}

// A player file that is there but cannot be read (a pipe here: root reads a
// file without read permission) is not moved aside nor written over in that
// run: one warning, and the game plays with its defaults.
TEST_F(CorePlayerFile, AFileOutOfReachIsLeftAloneForTheWholeRun) {
    ASSERT_EQ(::mkfifo("data/playerData.xml", 0644), 0);
    const CapturedOutput o = captureOutput([&] {
        core->loadPlayerData();
        core->savePlayerData();
        core->savePlayerData();
    });
    EXPECT_EQ(o.err + o.out,
              "[PlayerData:warning] playerData.xml cannot be read (not a regular file); playing with defaults, and it "
              "is not written over\n[notice] no SCORE_SERVER in "
              "playerData.xml: web scores and global stats are off\n");
    struct stat st {};
    EXPECT_TRUE(::lstat("data/playerData.xml", &st) == 0 && S_ISFIFO(st.st_mode));
    EXPECT_TRUE(!std::filesystem::exists("data/playerData.xml.bad") && core->optionsMenu.rows[5]);
    // Without an address nothing goes out.
    EXPECT_FALSE(core->scoreSubmitOverlay.available);
    core->statsTracker.startGlobalStatGetters();
    core->statsTracker.record("global_foes_killed").bump();
    EXPECT_FALSE(core->statsTracker.record("global_foes_killed").sender->isThreadRunning());
}

TEST(ScoreServerScriptTest, ScoresAndTotalsMakeARoundTripThroughTheStandIn) {
    ScratchFolder dir;
    const std::string data = dir.file("scores.json");
    StandIn standIn(data);
    ASSERT_EQ(standIn.address.rfind("http://127.0.0.1:", 0), 0u) << standIn.address << standIn.errors;
    ScoreServer s;
    s.address = standIn.address;
    for (const auto& entry : std::vector<std::pair<std::string, int>>{{"LOW", 10}, {"A&B #1", 900}})
        EXPECT_TRUE(s.request("sendscore.php", s.sendScoreUrl(entry.first, entry.second, 2, true, {3, 6}, false)).ok);
    const auto rows = ScoreServer::parseScores(s.request("getscores.php", s.getScoresUrl(2, true)).lines);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name + " " + std::to_string(rows[0].score) + " " + rows[1].name, "A&B #1 900 LOW");
    GlobalStatSender sender;
    sender.setServer(s);
    sender.send("global_foes_killed", 3, 1.0f);
    ASSERT_TRUE(waitFor([&] { return sender.pendingSum() == 0 && !sender.isThreadRunning(); }));
    // Only what the game can send is kept, and idle connections are closed.
    const std::string db = s.address + "/extras/vantorix_db/", score = "&mode=1&coop=0&ships=0&build=0",
                      stat = "sendglobalstat.php?name=global_foes_killed&steam=0&value=";
    const std::pair<std::string, int> requests[] = {
        {"sendscore.php?name=EVIL%0A&score=5" + score, 400}, {"sendscore.php?name=OK&score=2147483648" + score, 400},
        {"sendscore.php?name=OK&score=2147483647" + score, 200}, {stat + "-5&version=1", 400},
        {stat + "1&version=1" + std::string(60000, '0'), 400}, {stat + "1&version=1%0A", 400},
        {"sendglobalstat.php?name=global_x%0A&steam=0&value=1&version=1", 400}, {stat + "2&version=1", 200}};
    for (const auto& r : requests) EXPECT_EQ(ofLoadURL(db + r.first).status, r.second) << r.first.substr(0, 80);
    for (int version = 2; version <= 64; ++version) ofLoadURL(db + stat + "1&version=" + std::to_string(version));
    EXPECT_EQ(ofLoadURL(db + stat + "1&version=65").status, 400) << "at most 64 counters are kept";
    EXPECT_EQ(ofLoadURL(db + "getscores.php?mode=1&coop=0").data.getText() +
                  ofLoadURL(db + "getglobalstat.php?name=global_foes_killed&version=1").data.getText(),
              "success\n2147483647\tOK\nsuccess\n5\n");
    Poco::Net::StreamSocket idle(Poco::Net::SocketAddress(s.address.substr(7)));
    idle.setReceiveTimeout(Poco::Timespan(20, 0));
    char c = 0;
    EXPECT_EQ(idle.receiveBytes(&c, 1), 0) << "an idle connection is closed";
    standIn.stop();
    EXPECT_NE(readAll(data).find("\"A&B #1\""), std::string::npos);
}
