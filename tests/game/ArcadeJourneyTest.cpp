#include "Journey.h"

namespace {

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

// Arcade, as a player with keyboard and mouse plays it: the menus, a round
// flown into the wall, the game-over screen, a retry, pause, resume and abort.
class ArcadeJourney : public Journey {
protected:
    void beforeStart() override {
        writeFile("playerData.xml", "<BEST_SCORES><DIFFICULTY_1>40</DIFFICULTY_1></BEST_SCORES>");
    }
};

TEST_F(ArcadeJourney, ARoundToGameOverARetryPausedResumedAbortedAndTheMenu) {
    ASSERT_TRUE(waitUntil([&] { return !core().splashActive; }));
    frame();
    clickText("Arcade");
    ASSERT_TRUE(waitFor("DIFFICULTY"));
    EXPECT_TRUE(shows("Easy") && shows("Best: 40")) << screen();
    wait(0.5f);
    press(keyEnter);
    ASSERT_EQ(core().gameState, GameState::Playing);

    // The mouse far to the right: the ship flies straight into the wall.
    moveMouse(1500, 480);
    ASSERT_TRUE(waitFor("YOUR SCORE"));
    EXPECT_TRUE(shows("TOP SCORE:") && shows("40") && shows("Click To Believe") && shows("Menu")) << screen();
    EXPECT_TRUE(has(file("playerData.xml"), "<killed_by_border>1</killed_by_border>"));
    EXPECT_TRUE(has(file("playerData.xml"), "<num_arcade_rounds_played>1</num_arcade_rounds_played>"));

    // Retry; the mouse on the ship keeps it still.
    moveMouse(480, 480);
    wait(0.5f);
    press(keyEnter);
    ASSERT_EQ(core().gameState, GameState::Playing);
    wait(0.5f);
    press('p');
    ASSERT_TRUE(core().paused);
    EXPECT_TRUE(shows("PAUSED") && shows("RESUME") && shows("ABORT") && shows("OPTIONS") && shows("BEST: 40"))
        << screen();
    EXPECT_TRUE(glyphs.empty()) << "no pad, no pad glyphs";
    const float clock = core().playTime;
    wait(1);
    EXPECT_FLOAT_EQ(core().playTime, clock);
    press('p');
    EXPECT_FALSE(core().paused);
    EXPECT_FALSE(shows("RESUME"));
    wait(0.2f);
    EXPECT_GT(core().playTime, clock);
    // Enter does not pause a round, but resumes a paused one.
    press(keyEnter);
    EXPECT_FALSE(core().paused);
    press('P');
    press(keyEnter);
    EXPECT_FALSE(core().paused);

    press(keyEscape);
    ASSERT_TRUE(core().paused);
    clickText("ABORT");
    ASSERT_TRUE(waitFor("YOUR SCORE"));
    EXPECT_TRUE(has(file("playerData.xml"), "<num_arcade_rounds_played>2</num_arcade_rounds_played>"));
    wait(0.5f);
    clickText("Menu");
    EXPECT_EQ(core().gameState, GameState::MainMenu);
    EXPECT_TRUE(waitFor("Options/Config"));
}

// The tutorial of a first start: paused, resumed, and aborted to the menu
// with the tutorial still ahead.
TEST_F(Journey, TheTutorialPausedResumedAndAbortedToTheMenu) {
    ASSERT_TRUE(waitUntil([&] { return !core().splashActive; }));
    frame();
    clickText("Arcade");
    ASSERT_TRUE(waitFor("Intro"));
    wait(0.5f);
    press(keyEnter);
    ASSERT_EQ(core().gameState, GameState::Playing);
    ASSERT_EQ(core().gameMode, GameMode::Intro);
    wait(1);
    press(' ');
    ASSERT_TRUE(core().paused);
    EXPECT_TRUE(shows("RESUME") && shows("ABORT")) << screen();
    press(' ');
    EXPECT_FALSE(core().paused);
    press(' ');
    clickText("ABORT");
    EXPECT_EQ(core().gameState, GameState::MainMenu);
    EXPECT_EQ(core().gameMode, GameMode::Intro);
    EXPECT_TRUE(waitFor("Arcade"));
}
