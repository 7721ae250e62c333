#include <algorithm>
#include <cmath>

#include "Journey.h"

// Multiplayer with fake pads and the keyboard: the lobby, co-op from the
// arcade menu, a whole death match, and the debug join.
class MultiplayerJourney : public Journey {
protected:
    using A = vantorixPC;
    // Pushes the pad's left stick fully toward the angle (radians).
    void stick(int pad, float angle) {
        padAxis(pad, app->axisIds[pad][0], std::cos(angle) * app->axisSigns[pad][0]);
        padAxis(pad, app->axisIds[pad][1], std::sin(angle) * app->axisSigns[pad][1]);
    }
    void release(int pad) {
        padAxis(pad, app->axisIds[pad][0], 0);
        padAxis(pad, app->axisIds[pad][1], 0);
    }
    int count(const std::string& text) const {
        return static_cast<int>(
            std::count_if(drawn.begin(), drawn.end(), [&](const DrawnText& t) { return t.text == text; }));
    }
    bool saved(const std::string& tagAndValue) const {
        return file("playerData.xml").find(tagAndValue) != std::string::npos;
    }
    // Calls since the given entry that start, rewind or unpause a multiplayer track.
    int musicStarts(size_t from) const {
        int n = 0;
        for (size_t i = from; i < sounds->size(); ++i) {
            const std::string& s = (*sounds)[i];
            if (s.rfind("vs", 0) == 0 && (s.find(" play") != std::string::npos ||
                                          s.find(" position") != std::string::npos ||
                                          s.find(" paused 0") != std::string::npos))
                ++n;
        }
        return n;
    }
    void toMenu() { ASSERT_TRUE(waitUntil([&] { return !core().splashActive; })); }
};

// Co-op: the keyboard joins slot 0 with no pad, a pad joins slot 2; slot 1
// stays out of the round though below the player count.
TEST_F(MultiplayerJourney, CoopWithSlotsZeroAndTwoFromTheArcadeMenu) {
    toMenu();
    frame();
    clickText("Co-op Arcade");
    ASSERT_TRUE(waitFor("CO-OP ARCADE"));
    EXPECT_EQ(count("Insert"), 4);
    wait(0.5f);
    press(keyEnter);
    ASSERT_TRUE(core().players[0].joined);
    frame();
    // A joined slot shows its ship, never a plea for a controller.
    EXPECT_EQ(count("Insert"), 3) << screen();
    EXPECT_TRUE(shows("Ship:") && shows("READY"));

    plug({fakepads::DeviceSpec("Pad A", 4, 12), fakepads::DeviceSpec("Pad B", 4, 12),
          fakepads::DeviceSpec("Pad C", 4, 12)});
    ASSERT_NE(app->attachedPads[2], nullptr);
    EXPECT_EQ(count("Insert"), 1);
    EXPECT_EQ(count("JOIN"), 2);
    padAction(2, A::Confirm);
    ASSERT_TRUE(core().players[2].joined);
    EXPECT_EQ(core().playerCount, 3);
    press(keyEnter);
    padAction(2, A::Start);
    ASSERT_EQ(core().gameState, GameState::ArcadeMenu);
    wait(0.5f);
    press(keyEnter);
    ASSERT_EQ(core().gameState, GameState::Playing);
    ASSERT_TRUE(core().coop);

    // Slot 1 takes no part: out, unseen, and its pad steers nothing.
    const ofVec2f slot1 = core().players[1].point.position;
    stick(1, 0);
    wait(0.5f);
    EXPECT_TRUE(core().players[1].frozen);
    EXPECT_EQ(core().players[1].lives, 0);
    EXPECT_EQ(core().players[1].point.position, slot1);
    EXPECT_EQ(count("100 lives left"), 2) << screen();

    // Pad 2 pauses and resumes; then flies its ship into the wall.
    padAction(2, A::Start);
    ASSERT_TRUE(core().paused);
    EXPECT_TRUE(shows("RESUME") && shows("ABORT"));
    padAction(2, A::Confirm);
    ASSERT_FALSE(core().paused);
    stick(2, 0);
    ASSERT_TRUE(waitUntil([&] { return core().players[2].frozen; }));
    release(2);
    EXPECT_EQ(core().gameState, GameState::Playing);
    EXPECT_TRUE(saved("<killed_by_border>1</killed_by_border>"));

    // The lives text fades for co-op ships too: gone after 7 s of play.
    ASSERT_TRUE(waitUntil([&] { return core().playTime > 7.1f; }));
    ASSERT_FALSE(core().players[0].frozen);
    EXPECT_EQ(count("100 lives left"), 0) << screen();

    // Pad 0 pauses and aborts: the co-op game-over screen.
    padAction(0, A::Start);
    padAction(0, A::Select);
    ASSERT_TRUE(waitFor("TOP CO-OP SCORE:"));
    EXPECT_TRUE(saved("<coop_rounds_played>1</coop_rounds_played>"));
    wait(0.5f);
    padAction(0, A::Confirm);
    ASSERT_EQ(core().gameState, GameState::MultiplayerLobby);
    EXPECT_TRUE(core().players[0].joined && core().players[2].joined && !core().players[1].joined);
    wait(0.5f);
    press(keyEscape);
    EXPECT_EQ(core().gameState, GameState::MainMenu);
}

// A stock match to one life on two pads: settings, level select, the
// countdown paused twice, the match, the awards, the stats and back.
TEST_F(MultiplayerJourney, ADeathMatchFromTheLobbyToTheAwardsAndBack) {
    toMenu();
    plug({fakepads::DeviceSpec("Pad A", 4, 12), fakepads::DeviceSpec("Pad B", 4, 12)});
    clickText("Death Match");
    ASSERT_TRUE(waitFor("DEATH MATCH"));
    padAction(0, A::Confirm);
    padAction(1, A::Confirm);
    EXPECT_TRUE(core().players[0].joined && core().players[1].joined);
    EXPECT_EQ(count("Insert"), 2);

    // Slot 0 readies and opens the settings: one life, no asteroids.
    ASSERT_NO_FATAL_FAILURE(openMatchSettings());
    padAction(0, A::Down);
    for (int i = 0; i < 4; ++i) padAction(0, A::Left);
    padAction(0, A::Down);
    padAction(0, A::Left);
    padAction(0, A::Left);
    EXPECT_TRUE(shows("Lives:") && shows("1") && shows("None")) << screen();
    padAction(0, A::Start);
    ASSERT_TRUE(waitFor("Each player will have 1 life"));
    padAction(1, A::Start);
    ASSERT_TRUE(waitFor("LEVEL SELECT"));
    wait(1);
    padAction(1, A::Confirm);
    ASSERT_EQ(core().gameState, GameState::Playing);
    EXPECT_EQ(core().matchSettings.map, 0);

    // Paused on "3": one popup stays one popup.
    ASSERT_TRUE(waitUntil([&] { return core().matchClock >= 2; }));
    padAction(0, A::Start);
    ASSERT_TRUE(core().paused);
    wait(1);
    EXPECT_EQ(count("3"), 1) << screen();
    EXPECT_EQ(core().popups.size(), 1u);
    padAction(0, A::Confirm);
    // Paused just after the music came: it is not started again and again.
    ASSERT_TRUE(waitUntil([&] { return core().matchClock >= core().matchStartDelay; }));
    padAction(0, A::Start);
    const size_t mark = sounds->size();
    wait(1);
    EXPECT_EQ(musicStarts(mark), 0);
    padAction(0, A::Confirm);

    // Slot 1 flies into the wall and is out: slot 0 wins.
    stick(1, 0);
    ASSERT_TRUE(waitUntil([&] { return core().matchOver; }));
    release(1);
    ASSERT_TRUE(waitFor("Award:", 8));
    wait(0.5f);
    EXPECT_TRUE(shows("Blue Player") && shows("Press       to Believe") && shows("for menu") && shows("S")) << screen();
    EXPECT_TRUE(shows("*" + core().players[0].award + "*") && shows("*" + core().players[1].award + "*"));
    // The awards alone: the match stats have slid away.
    EXPECT_FALSE(shows("Longest Kill Streak")) << screen();
    EXPECT_TRUE(saved("<deathmatch_rounds>1</deathmatch_rounds>"));

    wait(1);
    padAction(0, A::Right);
    ASSERT_EQ(core().gameState, GameState::MatchStats);
    wait(0.5f);
    EXPECT_TRUE(shows("Longest Kill Streak") && shows("Most Targetted") && shows("Back")) << screen();
    padAction(0, A::Back);
    ASSERT_EQ(core().gameState, GameState::RoundOver);
    wait(0.5f);
    EXPECT_FALSE(shows("Longest Kill Streak"));
    padAction(0, A::Confirm);
    padAction(0, A::Confirm);
    ASSERT_EQ(core().gameState, GameState::MultiplayerLobby);
    EXPECT_TRUE(core().players[0].joined && core().players[1].joined);
    wait(0.5f);
    press(keyEscape);
    EXPECT_EQ(core().gameState, GameState::MainMenu);
}

// The debug join readies four ships; the level select still takes the keys;
// the match is paused and aborted by the mouse.
class DebugJourney : public MultiplayerJourney {
protected:
    void beforeStart() override { writeFile("playerData.xml", "<DEBUG_OPTIONS><ENABLED>1</ENABLED></DEBUG_OPTIONS>"); }
};

TEST_F(DebugJourney, TheDebugJoinLeavesTheLevelSelectToTheKeys) {
    toMenu();
    frame();
    clickText("Death Match");
    ASSERT_TRUE(waitFor("DEATH MATCH"));
    press('j');
    press(keyDown);
    press(keyEnter);
    ASSERT_EQ(core().gameState, GameState::LevelSelect);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(core().players[i].joined) << i;
    press(keyRight);
    wait(1);
    press(keyEnter);
    ASSERT_EQ(core().gameState, GameState::Playing);
    EXPECT_EQ(core().matchSettings.map, 1);

    // Paused and aborted: back to the lobby with the four still in.
    press('p');
    clickText("ABORT");
    EXPECT_EQ(core().gameState, GameState::MultiplayerLobby);
    EXPECT_TRUE(core().players[3].joined && core().deathMatch);
}
