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
    s.difficulty = 3;  // other difficulties show Easy
    s.open(false, true);
    EXPECT_EQ(s.statusText(), "Loading...");
    ASSERT_TRUE(loaded(s));
    EXPECT_EQ(s.tableTitle() + "|" + s.statusText(), "EASY|");
    EXPECT_EQ(s.rowTexts(0), (Lines{"1.", "ANN", "900"}));
    EXPECT_EQ(s.rowTexts(1), (Lines{"2.", "BOB", "50"}));
    EXPECT_TRUE(s.rowTexts(2).empty());
    // right, co-op, right, right: title then the status or first row it loads
    const struct {
        int dx;
        bool coop;
        std::string title, shown;
    } steps[] = {{1, false, "HARD", "No scores yet"},
                 {0, true, "HARD CO-OP", "DUO"},
                 {1, false, "ASTEROID FIELD CO-OP", "Could not load scores"}};
    testing::internal::CaptureStdout();
    for (const auto& step : steps) {
        s.handleInput(step.dx, 0, step.coop);
        EXPECT_EQ(s.tableTitle(), step.title);
        ASSERT_TRUE(loaded(s));
        EXPECT_EQ(s.rows.empty() ? s.statusText() : s.rowTexts(0)[1], step.shown);
    }
    testing::internal::GetCapturedStdout();
    s.handleInput(1, 0, false);
    EXPECT_EQ(s.difficulty, 1);
    LeaderboardScreen offline;
    offline.setup();
    offline.open(false, false);
    EXPECT_EQ(offline.statusText(), "Online scores are off");
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
    for (int i = 0; i < 20; ++i) s.update(0.03f);
    EXPECT_EQ(s.rows.size(), 1u);
    EXPECT_EQ(s.rowTexts(0), (Lines{"1.", "NEW", "2"}));
}

TEST(LeaderboardScreenTest, BackCountsOnReleaseOverTheButtonAfterTheFirstPointFourSeconds) {
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
    s.mouseReleased(x + 500, y);
    EXPECT_FALSE(s.backRequested);
    s.mousePressed(x, y);
    s.mouseReleased(x, y);
    EXPECT_TRUE(s.backRequested);
    s.open(false, false);  // a new visit starts without it
    EXPECT_FALSE(s.backRequested);
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
    stats.record("foe_kills").value = 3e38f;  // too large to show: the largest figure
    auto rows = screen.rowTexts();
    ASSERT_EQ(rows.size(), 4u + 123u);
    const auto row = [&rows](size_t i) { return rows[i].first + ": " + rows[i].second; };
    EXPECT_EQ((Lines{row(0), row(2), row(4), row(8)}),
              (Lines{"GLOBAL ARCADE DEATHS (WORLD): --", "GLOBAL FOES KILLED (WORLD): --",
                     "FOE KILLS: 9223372036854775807", "FOE KILLS TYPE 3: 12"}));
    for (const auto& time : {std::make_pair("TIME IN GAME", "1:02:03"), std::make_pair("DEATHMATCH TIME", "0:00:59")})
        EXPECT_NE(
            std::find(rows.begin(), rows.end(), std::make_pair(std::string(time.first), std::string(time.second))),
            rows.end());
    EXPECT_EQ(StatsScreen::formatTime(360000.0f) + " " + StatsScreen::formatTime(-5.0f) + " " +
                  StatsScreen::formatTime(3e38f),
              "100:00:00 0:00:00 2562047788015215:30:07");

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
    const Lines mine = recorder->take();
    s.playerName = nullptr;
    s.draw(200);
    const Lines nobody = recorder->take();
    ofSetCurrentRenderer(nullptr);
    EXPECT_EQ(std::count(mine.begin(), mine.end(), "setColor(10,20,30,200)"), 1);
    EXPECT_EQ(std::count_if(nobody.begin(), nobody.end(),
                            [](const std::string& c) { return c.find("setColor(10,20,30,") == 0; }),
              0);
}
