#include <gtest/gtest.h>

#include <algorithm>

#include "AchievementTracker.h"
#include "LeaderboardScreen.h"
#include "ProgressTestSupport.h"
#include "StatsScreen.h"
#include "StatsTracker.h"

using namespace progress_test;

namespace {

bool loaded(LeaderboardScreen& s) {
    return waitFor([&s] { return s.update(1.0f / 30), s.status != LeaderboardScreen::Loading; });
}

}  // namespace

TEST(LeaderboardScreenTest, TablesFollowTheDownloadsAndOneLeftBeforeItArrivesIsDropped) {
    ScriptedServer server([](const std::string& line) {
        if (line.find("mode=1&coop=0") != std::string::npos) return ok("success\n900\tANN\n50\tBOB\n");
        if (line.find("mode=2&coop=0") != std::string::npos) return ok("success\n");
        if (line.find("mode=2&coop=1") != std::string::npos) return ok("success\n777\tDUO\n");
        return ok("nope\n");
    });
    LeaderboardScreen s;
    s.setup();
    s.setServer(server.server(1000000));
    server.holding = true;
    s.difficulty = 3;  // other difficulties show Easy
    s.open(false, true);
    EXPECT_EQ(s.statusText(), "Loading...");
    ASSERT_TRUE(waitFor([&] { return server.requestCount() == 1; }));
    // right (Easy's table arrives only once left), co-op, right, right, co-op: title then the status or first row
    const struct {
        int dx;
        bool coop;
        std::string title, shown;
    } steps[] = {{1, false, "HARD", "No scores yet"},
                 {0, true, "HARD CO-OP", "DUO"},
                 {1, false, "ASTEROID FIELD CO-OP", "Could not load scores"},
                 {1, false, "EASY CO-OP", "Could not load scores"},
                 {0, true, "EASY", "ANN"}};
    for (const auto& step : steps) {
        s.handleInput(step.dx, 0, step.coop);
        EXPECT_EQ(s.tableTitle(), step.title);
        for (int i = 0; i < 5; ++i) s.update(0.03f);
        server.holding = false;
        quietly([&] { ASSERT_TRUE(loaded(s)); });
        for (int i = 0; i < 20; ++i) s.update(0.03f);
        EXPECT_EQ(s.rows.empty() ? s.statusText() : s.rowTexts(0)[1], step.shown) << step.title;
    }
    ASSERT_EQ(s.rows.size(), 2u);
    EXPECT_EQ(s.rowTexts(1)[1], "BOB");
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

TEST(LeaderboardScreenTest, AReleaseOverAnArrowOrTheCoopButtonChangesTheTable) {
    LeaderboardScreen s;
    s.setup();
    s.open(false, false);
    s.update(0.5f);
    // button released over (0 previous, 1 next, 2 co-op, 3 none), then the table shown
    const struct {
        int button;
        std::string title;
    } releases[] = {{1, "HARD"},           {1, "ASTEROID FIELD"}, {2, "ASTEROID FIELD CO-OP"}, {0, "HARD CO-OP"},
                    {3, "HARD CO-OP"},     {2, "HARD"},           {0, "EASY"},                 {0, "ASTEROID FIELD"},
                    {2, "ASTEROID FIELD CO-OP"}, {1, "EASY CO-OP"}};
    for (const auto& r : releases) {
        const ofRectangle box[] = {s.previousButton, s.nextButton, s.coopButton,
                                   ofRectangle(s.coopButton.x, s.coopButton.y + 45, 10, 10)};
        const ofRectangle& b = box[r.button];
        s.mousePressed(static_cast<int>(b.x + b.width - 1), static_cast<int>(b.y + 1));
        s.mouseReleased(static_cast<int>(b.x + b.width - 1), static_cast<int>(b.y + 1));
        EXPECT_EQ(s.tableTitle(), r.title) << &r - releases;
        EXPECT_EQ(s.statusText(), "Online scores are off");
        EXPECT_FALSE(s.backRequested);
    }
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
    quietly([&] {
        stats.startGlobalStatGetters();
        ASSERT_TRUE(waitFor([&] { return screen.rowTexts()[2].second == "4321" && server.requestCount() == 10; }));
    });
    EXPECT_EQ(screen.rowTexts()[0].second, "--");
}
