#include <chrono>
#include <thread>

#include "../support/Journey.h"
#include "../support/LoopbackHttpServer.h"
#include "SteamLayer.h"

namespace {

// Steam is on, so the round-over screen offers "Submit Score!" and "View
// Leaderboards"; the score server runs on 127.0.0.1.
class SteamRound : public Journey {
protected:
    void beforeStart() override {
        SteamLayer::setRunning(true);
        // The intro is done: the arcade menu opens on Easy.
        writeFile("playerData.xml", "<PLAYER_NAME>BOB</PLAYER_NAME><SCORE_SERVER>" + server.base +
                                        "</SCORE_SERVER><BEST_SCORES><DIFFICULTY_0>1</DIFFICULTY_0></BEST_SCORES>");
    }
    void TearDown() override {
        Journey::TearDown();
        SteamLayer::setRunning(false);
    }
    // The answer comes from the server's thread: frames until the text shows,
    // on the real clock for 5 s at most.
    bool waitForServer(const std::string& text) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < end) {
            frame();
            if (shows(text)) return true;
            std::this_thread::yield();
        }
        return false;
    }
    // The pad glyph drawn just left of a text: its action, or -1.
    int glyphBeside(const std::string& text) const {
        const DrawnText* t = find(text);
        for (const DrawnGlyph& g : glyphs)
            if (t != nullptr && g.x < t->x && g.x > t->x - 60 && std::abs(g.y - t->y) < 30) return g.button;
        return -1;
    }

    LoopbackHttpServer server{[](const std::string& head) {
        std::string body = "success\n";
        if (head.find("getscores.php?mode=1&coop=0") != std::string::npos) body += "900\tANN\n50\tBOB\n";
        return httpAnswer("HTTP/1.1 200 OK", body);
    }};
};

}  // namespace

TEST_F(Journey, LeaderboardsWithoutAServerSayOnlineScoresAreOff) {
    ASSERT_TRUE(waitUntil([&] { return !core().splashActive; }));
    frame();
    clickText("Leaderboards");
    EXPECT_TRUE(shows("LEADERBOARDS") && shows("EASY") && shows("Online scores are off")) << screen();
    clickText(">");
    EXPECT_TRUE(shows("HARD") && shows("Online scores are off")) << screen();
    wait(0.5f);
    clickText("Back");
    EXPECT_EQ(core().gameState, GameState::MainMenu);
}

// With a pad the arcade menu's "Back" is hidden and takes no clicks; the
// round-over glyphs are the buttons that do each thing; the leaderboards of
// the round's difficulty come from the server and lead back.
TEST_F(SteamRound, ARoundOverWithAPadLeadsToTheLeaderboardsAndScoreSubmission) {
    ASSERT_TRUE(waitUntil([&] { return !core().splashActive; }));
    frame();
    clickText("Arcade");
    wait(0.5f);
    ASSERT_TRUE(shows("Back"));
    const DrawnText back = *find("Back");
    press(keyEscape);
    plug({fakepads::DeviceSpec("Pad", 4, 12)});
    wait(0.5f);
    padAction(0, vantorixPC::Confirm);  // "Arcade", the first entry
    wait(0.5f);
    EXPECT_TRUE(core().gameState == GameState::ArcadeMenu && shows("Easy") && !shows("Back")) << screen();
    click(back.x + 10, back.y - 5);
    EXPECT_EQ(core().gameState, GameState::ArcadeMenu);

    padAction(0, vantorixPC::Start);
    ASSERT_EQ(core().gameState, GameState::Playing);
    padAxis(0, 0, 1.0f);  // straight into the border
    ASSERT_TRUE(waitUntil([&] { return core().gameState == GameState::RoundOver; }, 30));
    padAxis(0, 0, 0);
    ASSERT_TRUE(waitFor("View Leaderboards"));
    wait(1);
    EXPECT_EQ(glyphBeside("Submit Score!"), vantorixPC::Start);
    EXPECT_EQ(glyphBeside("View Leaderboards"), vantorixPC::Options);

    padAction(0, vantorixPC::Options);
    ASSERT_EQ(core().gameState, GameState::Leaderboards);
    ASSERT_TRUE(waitForServer("ANN")) << screen();
    EXPECT_TRUE(shows("EASY") && shows("1.") && shows("900") && shows("2.") && shows("BOB")) << screen();
    wait(0.5f);
    padAction(0, vantorixPC::Back);
    EXPECT_EQ(core().gameState, GameState::RoundOver);

    padAction(0, vantorixPC::Start);
    EXPECT_EQ(core().gameState, GameState::ScoreSubmit);
    EXPECT_TRUE(shows("SUBMIT SCORE")) << screen();
}
