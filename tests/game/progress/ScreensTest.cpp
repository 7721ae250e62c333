#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "AchievementTracker.h"
#include "LeaderboardScreen.h"
#include "PixelFont.h"
#include "ProgressTestSupport.h"
#include "RecordingRenderer.h"
#include "StatsScreen.h"
#include "StatsTracker.h"
#include "ofGraphics.h"

using namespace progress_test;

namespace {

bool loaded(LeaderboardScreen& s) {
    return waitFor([&s] {
        s.update(1.0f / 30);
        return s.status != LeaderboardScreen::Loading;
    });
}

}  // namespace

TEST(LeaderboardScreenTest, RowsStatusTextsAndTablesFollowTheDownloads) {
    ScriptedServer server([](const std::string& line) {
        if (line.find("mode=1&coop=0") != std::string::npos) return ok("success\n900\tANN\n50\tBOB\n");
        if (line.find("mode=2&coop=0") != std::string::npos) return ok("success\n");
        if (line.find("mode=2&coop=1") != std::string::npos) return ok("success\n777\tDUO\n");
        return ok("nope\n");
    });
    LeaderboardScreen s;
    s.setup();
    s.setServer(server.server());
    s.difficulty = 3;
    s.open(false, true);
    EXPECT_EQ(s.difficulty, 1) << "other difficulties show Easy";
    EXPECT_EQ(s.statusText(), "Loading...");
    ASSERT_TRUE(loaded(s));
    EXPECT_EQ(s.statusText(), "");
    EXPECT_EQ(s.tableTitle(), "EASY");
    EXPECT_EQ(s.rowTexts(0), (std::vector<std::string>{"1.", "ANN", "900"}));
    EXPECT_EQ(s.rowTexts(1), (std::vector<std::string>{"2.", "BOB", "50"}));
    EXPECT_TRUE(s.rowTexts(2).empty());

    s.handleInput(1, 0, false);
    EXPECT_EQ(s.tableTitle(), "HARD");
    ASSERT_TRUE(loaded(s));
    EXPECT_EQ(s.statusText(), "No scores yet");
    s.handleInput(0, 0, true);
    EXPECT_EQ(s.tableTitle(), "HARD CO-OP");
    ASSERT_TRUE(loaded(s));
    EXPECT_EQ(s.rowTexts(0), (std::vector<std::string>{"1.", "DUO", "777"}));
    testing::internal::CaptureStdout();
    s.handleInput(1, 0, false);
    EXPECT_EQ(s.tableTitle(), "ASTEROID FIELD CO-OP");
    ASSERT_TRUE(loaded(s));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(s.statusText(), "Could not load scores");
    s.handleInput(1, 0, false);
    EXPECT_EQ(s.difficulty, 1);

    LeaderboardScreen offline;
    offline.setup();
    offline.open(false, false);
    EXPECT_EQ(offline.statusText(), "Could not load scores");
}

TEST(LeaderboardScreenTest, ATableLeftBeforeItArrivesIsDroppedWithoutWaitingForIt) {
    LeaderboardScreen s;
    ScriptedServer server([](const std::string& line) {
        return line.find("mode=1&") != std::string::npos ? ok("success\n1\tOLD\n") : ok("success\n2\tNEW\n");
    });
    server.holding = true;
    s.setup();
    s.setServer(server.server(1000000));
    s.open(false, false);
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
    s.handleInput(1, 0, false);
    for (int i = 0; i < 5; ++i) s.update(0.03f);
    server.holding = false;
    ASSERT_TRUE(loaded(s));
    EXPECT_EQ(s.rowTexts(0), (std::vector<std::string>{"1.", "NEW", "2"}));
    for (int i = 0; i < 20; ++i) s.update(0.03f);
    EXPECT_EQ(s.rows.size(), 1u);
}

TEST(LeaderboardScreenTest, BackCountsOnReleaseAfterTheFirstPointFourSeconds) {
    LeaderboardScreen s;
    s.setup();
    s.open(false, false);
    const ofRectangle b = s.panel.backButton;
    const int x = static_cast<int>(b.x + 5), y = static_cast<int>(b.y + 5);
    s.update(0.3f);
    s.requestBack();
    s.mousePressed(x, y);
    s.mouseReleased(x, y);
    EXPECT_FALSE(s.backRequested);
    s.update(0.2f);
    s.mousePressed(x, y);
    EXPECT_FALSE(s.backRequested);
    s.mouseReleased(x + 500, y);
    EXPECT_FALSE(s.backRequested) << "released away from the button";
    s.mousePressed(x, y);
    s.mouseReleased(x, y);
    EXPECT_TRUE(s.backRequested);
    s.open(false, false);
    EXPECT_FALSE(s.backRequested);
    s.update(0.5f);
    s.requestBack();
    EXPECT_TRUE(s.backRequested);
}

TEST(StatsScreenTest, RowsListTheWorldTotalsThenEveryCounterWithTimesAsClock) {
    ScriptedServer server([](const std::string& line) {
        return line.find("global_foes_killed") != std::string::npos ? ok("success\n4321\n") : ok("no\n");
    });
    StatsTracker stats;
    AchievementTracker achievements;
    achievements.setup(stats);
    StatsScreen screen;
    screen.setup(nullptr, &stats);
    stats.record("foe_Kills_type_3").value = 12;
    stats.record("time_in_game").value = 3723.25f;
    stats.record("deathmatch_time").value = 59.9f;
    auto rows = screen.rowTexts();
    ASSERT_EQ(rows.size(), 4u + 123u);
    EXPECT_EQ(rows[0], std::make_pair(std::string("GLOBAL ARCADE DEATHS (WORLD)"), std::string("--")));
    EXPECT_EQ(rows[2].second, "--");
    EXPECT_EQ(rows[4], std::make_pair(std::string("FOE KILLS"), std::string("0")));
    EXPECT_EQ(rows[8], std::make_pair(std::string("FOE KILLS TYPE 3"), std::string("12")));
    const auto has = [&rows](const char* name, const char* value) {
        return std::find(rows.begin(), rows.end(), std::make_pair(std::string(name), std::string(value))) != rows.end();
    };
    EXPECT_TRUE(has("TIME IN GAME", "1:02:03"));
    EXPECT_TRUE(has("DEATHMATCH TIME", "0:00:59"));
    EXPECT_EQ(StatsScreen::formatTime(360000.0f), "100:00:00");
    EXPECT_EQ(StatsScreen::formatTime(-5.0f), "0:00:00");

    stats.setServer(server.server());
    testing::internal::CaptureStdout();
    stats.startGlobalStatGetters();
    ASSERT_TRUE(waitFor([&] { return screen.rowTexts()[2].second == "4321"; }));
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1 + 3 * 3; }));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(screen.rowTexts()[0].second, "--");
}

TEST(ScreensDrawTest, TheLeaderboardDrawsItsRowsWithThePlayersInTheHighlight) {
    ScriptedServer server([](const std::string&) { return ok("success\n900\tANN\n50\tME\n"); });
    PixelFont font;
    font.setup(1.0f);
    const std::string me = "ME";
    LeaderboardScreen s;
    s.setup(&font, &me);
    s.setServer(server.server());
    s.highlightColor = ofColor(10, 20, 30, 255);
    s.open(false, false);
    ASSERT_TRUE(loaded(s));

    auto recorder = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(recorder);
    s.draw(200);
    const std::vector<std::string> mine = recorder->take();
    s.playerName = nullptr;
    s.draw(200);
    const std::vector<std::string> nobody = recorder->take();
    ofSetCurrentRenderer(nullptr);
    EXPECT_EQ(std::count(mine.begin(), mine.end(), "setColor(10,20,30,200)"), 1);
    EXPECT_EQ(std::count_if(nobody.begin(), nobody.end(),
                            [](const std::string& c) { return c.find("setColor(10,20,30,") == 0; }), 0);
    EXPECT_NE(std::find_if(mine.begin(), mine.end(), [](const std::string& c) { return c.rfind("drawRectangle", 0) == 0; }),
              mine.end());
}
