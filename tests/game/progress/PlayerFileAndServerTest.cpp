#include <gtest/gtest.h>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <fstream>

#include "GameCore.h"
#include "LeaderboardScreen.h"
#include "ProgressTestSupport.h"
#include "ScoreSubmitOverlay.h"
#include "StatsTracker.h"
#include "ofURLFileLoader.h"

using namespace progress_test;

namespace {

class CorePlayerFile : public testing::Test {
protected:
    void SetUp() override {
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        previous = cwd;
        ASSERT_EQ(chdir(dir.path.c_str()), 0);
        ::mkdir("data", 0755);
        core.reset(new GameCore);
        core->achievementTracker.setup(core->statsTracker);
    }
    void TearDown() override {
        core.reset();
        if (chdir(previous.c_str()) != 0) ADD_FAILURE() << "could not return to " << previous;
    }
    ScratchFolder dir;
    std::string previous;
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
    EXPECT_EQ(c.scoreSubmitOverlay.playerName + " " + c.statsTracker.server.address + " " +
                  c.leaderboardScreen.server.address + " " + c.mainMenu.frontTextLines[1],
              "ZED http://127.0.0.1:9 http://127.0.0.1:9 HELLO");
    EXPECT_TRUE(c.scoreSubmitOverlay.available && c.scoreSubmitOverlay.autoSubmit && c.optionsMenu.rows[0] &&
                c.soundBank.soundMuted && c.shipSelect.unlocked[3] && c.debugEnabled && c.exhibition);
    EXPECT_FALSE(c.statsTracker.sendGlobalStats || c.statsTracker.record("global_foes_killed").sendingEnabled);
    EXPECT_EQ((std::vector<float>{float(c.bestScores[2]), float(c.bestCoopScores[4]), float(c.shipSelect.lastShipType),
                                  float(c.xmlEditValue), c.statsTracker.record("foe_kills").value,
                                  c.statsTracker.record("time_in_game").value}),
              (std::vector<float>{640, 3100, 3, 5, 1234567, 3723.25f}));

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

TEST_F(CorePlayerFile, WithoutAnAddressOneNoticeAndNothingGoesOut) {
    testing::internal::CaptureStdout();
    core->loadPlayerData();
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_NE(log.find("[notice] no SCORE_SERVER in playerData.xml: web scores and global stats are off"),
              std::string::npos)
        << log;
    EXPECT_FALSE(core->scoreSubmitOverlay.available);
    core->statsTracker.startGlobalStatGetters();
    core->statsTracker.record("global_foes_killed").bump();
    EXPECT_FALSE(core->statsTracker.record("global_foes_killed").sender->isThreadRunning());
    EXPECT_TRUE(core->statsTracker.sendGlobalStats);
}

namespace {

// The stand-in score server from the source tree, on a free loopback port,
// ended with the object.
struct StandIn {
    explicit StandIn(const std::string& data, const char* idleSeconds = "10") {
        int out[2];
        if (pipe(out) != 0 || (pid = fork()) < 0) return;
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlives a test that dies
            dup2(out[1], 1);
            const std::string script = std::string(VX_SOURCE_DIR) + "/scripts/score_server.py";
            execlp("python3", "python3", script.c_str(), "--port", "0", "--data", data.c_str(), "--idle-timeout",
                   idleSeconds, static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        std::string line;
        for (char c = 0; read(out[0], &c, 1) == 1 && c != '\n';) line += c;
        close(out[0]);
        if (line.rfind("listening on http://127.0.0.1:", 0) == 0) address = line.substr(13);
    }
    ~StandIn() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    pid_t pid = -1;
    std::string address;
};

}  // namespace

TEST(ScoreServerScriptTest, ScoresAndTotalsMakeARoundTripThroughTheStandIn) {
    ScratchFolder dir;
    auto standIn = std::make_unique<StandIn>(dir.file("scores.json"));
    ASSERT_FALSE(standIn->address.empty());
    ScoreServer server;
    server.address = standIn->address;
    server.retryWaitMillis = 20;

    {
        ScoreSubmitOverlay overlay;
        overlay.setup();
        overlay.setServer(server);
        for (const auto& entry : std::vector<std::pair<std::string, int>>{{"LOW", 10}, {"A&B #1", 900}}) {
            overlay.reset();
            overlay.playerName = entry.first;
            overlay.open(entry.second, 2, {3, 6}, false);
            overlay.submit(true);
            ASSERT_TRUE(waitFor([&] {
                overlay.update(0.03f);
                return !overlay.sending;
            }));
            EXPECT_TRUE(overlay.sent) << entry.first;
        }
        LeaderboardScreen board;
        board.setup();
        board.setServer(server);
        board.difficulty = 2;
        board.coop = true;
        board.open(false, false);
        ASSERT_TRUE(waitFor([&] {
            board.update(0.03f);
            return board.status != LeaderboardScreen::Loading;
        }));
        ASSERT_EQ(board.rows.size(), 2u);
        EXPECT_EQ(board.rowTexts(0), (Lines{"1.", "A&B #1", "900"}));
        EXPECT_EQ(board.rowTexts(1), (Lines{"2.", "LOW", "10"}));

        StatsTracker stats;
        AchievementTracker achievements;
        achievements.setup(stats);
        stats.setServer(server);
        for (int i = 0; i < 3; ++i) stats.record("global_foes_killed").bump();
        GlobalStatSender& sender = *stats.record("global_foes_killed").sender;
        ASSERT_TRUE(waitFor([&] { return sender.pendingSum() == 0 && !sender.isThreadRunning(); }));
        stats.startGlobalStatGetters();
        ASSERT_TRUE(waitFor([&] { return stats.globalTotal("global_foes_killed") == 3; }));
    }
    standIn.reset();
    EXPECT_NE(readAll(dir.file("scores.json")).find("\"A&B #1\""), std::string::npos);
}

TEST(ScoreServerScriptTest, TheStandInKeepsOnlyWhatTheGameCanSendAndClosesIdleConnections) {
    ScratchFolder dir;
    StandIn standIn(dir.file("scores.json"), "1");
    ASSERT_FALSE(standIn.address.empty());
    const std::string db = standIn.address + "/extras/vantorix_db/", score = "&mode=1&coop=0&ships=0&build=0",
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
              "success\n2147483647\tOK\nsuccess\n2\n");
    std::string port = standIn.address.substr(standIn.address.rfind(':') + 1);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(std::stoi(port)));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int idle = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_EQ(connect(idle, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    pollfd p{idle, POLLIN, 0};
    char c = 0;
    EXPECT_TRUE(poll(&p, 1, 20000) == 1 && recv(idle, &c, 1, 0) == 0) << "an idle connection is closed";
    close(idle);
}
