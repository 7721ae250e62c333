#include <algorithm>
#include <cmath>

#include "../support/Journey.h"

namespace {

// The first start: the splash, the intro tutorial flown with the mouse from
// its first step to its last, and the menu with the intro kept as done.
class FirstStart : public Journey {
protected:
    // Points the mouse so that the first ship flies along (dx, dy) at full
    // speed, or stands when both are 0.
    void steer(float dx, float dy) {
        const GameCore& c = core();
        const float length = std::sqrt(dx * dx + dy * dy);
        const float reach = length > 0 ? c.steeringRadius * 1.5f / length : 0;
        const ofVec2f& p = c.players[0].point.position;
        moveMouse(c.screenWidth / 2.0f - c.camera.x + p.x + dx * reach,
                  c.screenHeight / 2.0f - c.camera.y + p.y + dy * reach);
    }
    // Circles (x, y) tightly enough for the trailing weapon to sweep it.
    void circle(float x, float y) {
        const ofVec2f& p = core().players[0].point.position;
        const float rx = p.x - x, ry = p.y - y;
        const float pull = 2 * (std::sqrt(rx * rx + ry * ry) - 100) / 100;
        steer(-ry - pull * rx, rx - pull * ry);
    }
    // One frame of a player who reads the tutorial's step and acts on it.
    void playTutorialFrame() {
        const Tutorial& t = core().tutorial;
        const ofVec2f& p = core().players[0].point.position;
        if (t.step == Tutorial::Flying) {
            steer(t.goal.x - p.x, t.goal.y - p.y);
        } else if (t.step == Tutorial::Smashing && !core().asteroids.empty()) {
            circle(core().asteroids[0]->x, core().asteroids[0]->y);
        } else if (t.step == Tutorial::Fighting) {
            for (const Foe* foe : core().foes)
                if (foe != nullptr && !foe->dying && !foe->expired) {
                    circle(foe->x, foe->y);
                    break;
                }
        } else {
            steer(0, 0);
        }
        frame();
    }
};

}  // namespace

TEST_F(FirstStart, TheIntroTutorialRunsToItsEndAndBackToTheMenu) {
    frame();
    EXPECT_TRUE(shows("Photosensitive warning: flashing colors"));
    ASSERT_TRUE(waitUntil([&] { return !core().splashActive; }));
    frame();
    clickText("Arcade");
    wait(0.5f);
    ASSERT_TRUE(waitFor("PLAY"));
    EXPECT_TRUE(shows("Intro") && shows("Learn to fly") && !shows("Best: 0")) << screen();
    clickText("PLAY");

    // The first line of each message the tutorial shows, in order.
    const std::vector<std::string> firstLines = {"FLY WITH THE MOUSE", "SWING YOUR WEAPON", "SMASH THE FOES",
                                                 "WELL DONE!", "TRY AGAIN!"};
    std::vector<std::string> seen;
    for (int f = 0; f < 30 * 120 && core().gameState != GameState::MainMenu; ++f) {
        for (const std::string& line : firstLines)
            if (shows(line) && (seen.empty() || seen.back() != line)) seen.push_back(line);
        playTutorialFrame();
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"FLY WITH THE MOUSE", "SWING YOUR WEAPON", "SMASH THE FOES",
                                              "WELL DONE!"}));
    ASSERT_EQ(core().gameState, GameState::MainMenu);
    EXPECT_EQ(std::count(sounds->begin(), sounds->end(), "wayPoint_MASTER.wav play"), 3);
    EXPECT_NE(file("playerData.xml").find("<DIFFICULTY_0>1</DIFFICULTY_0>"), std::string::npos);

    ASSERT_TRUE(waitFor("Arcade"));
    clickText("Arcade");
    wait(0.5f);
    ASSERT_TRUE(waitFor("PLAY"));
    EXPECT_TRUE(shows("Easy") && shows("Best: 0")) << screen();
}
