#include <algorithm>
#include <cmath>
#include <set>

#include "GoalPointMissionComponent.h"
#include "Journey.h"

// Missions with a pad: eleven of twelve are done and "Waypoints" is the last.
// Its briefing, a round aborted to its results, a round flown through the
// five points, the ending it brings, and the full run it counts.
class MissionJourney : public Journey {
protected:
    void beforeStart() override {
        // Every ship unlocked already: no unlock message holds the results back.
        std::string ships;
        for (int i = 0; i < 9; ++i) ships += "<SHIP_" + std::to_string(i) + ">1</SHIP_" + std::to_string(i) + ">";
        writeFile("playerData.xml", "<SHIPS>" + ships + "</SHIPS>");
        const char* done[] = {"First Blood",   "Rock Breaker", "Catch the Snitch", "Short Chain",
                              "Tight Ring",    "Event Horizon", "Death Knight",    "Long Leash",
                              "Move Box",      "Chain Reaction", "Way Out"};
        std::string missions = "<FULL_FINISHES>0</FULL_FINISHES>";
        for (int i = 0; i < 11; ++i)
            missions += "<COMPLETED_" + std::to_string(i) + ">" + done[i] + "</COMPLETED_" + std::to_string(i) + ">";
        writeFile("missions.xml", missions + "<CURRENT_0>Waypoints</CURRENT_0>");
    }
    // Pushes pad 0's left stick fully toward a point of the world.
    void steerToward(float x, float y) {
        const ofVec2f& ship = core().players[0].point.position;
        const float a = std::atan2(y - ship.y, x - ship.x);
        padAxis(0, app->axisIds[0][0], std::cos(a) * app->axisSigns[0][0]);
        padAxis(0, app->axisIds[0][1], std::sin(a) * app->axisSigns[0][1]);
    }
    void releaseStick() {
        padAxis(0, app->axisIds[0][0], 0);
        padAxis(0, app->axisIds[0][1], 0);
    }
    // The actions of the glyphs drawn last frame.
    std::set<int> glyphActions() const {
        std::set<int> actions;
        for (const DrawnGlyph& g : glyphs) actions.insert(g.button);
        return actions;
    }
    // Whether a glyph of the action sits left of the text, on its line.
    bool glyphBeside(int action, const std::string& text) const {
        const DrawnText* t = find(text);
        if (t == nullptr) return false;
        for (const DrawnGlyph& g : glyphs)
            if (g.button == action && g.x < t->x && g.x > t->x - 120 && std::fabs(g.y - (t->y - 4 * t->size)) < 30)
                return true;
        return false;
    }
};

TEST_F(MissionJourney, TheLastMissionBringsTheEndingAndAFullRun) {
    ASSERT_TRUE(waitUntil([&] { return !core().splashActive; }));
    plug({fakepads::DeviceSpec("Pad A", 4, 12)});
    ASSERT_TRUE(core().gamePad);
    EXPECT_TRUE(shows("11/12")) << screen();
    clickText("Mission");
    ASSERT_EQ(core().gameState, GameState::ShipSelect);
    wait(0.5f);
    padAction(0, vantorixPC::Confirm);

    // The briefing: only START is drawn, and the confirm glyph stands by it.
    ASSERT_TRUE(waitFor("Fly through 5 goal points"));
    EXPECT_TRUE(shows("START") && !shows("RESUME") && !shows("ABORT")) << screen();
    EXPECT_EQ(glyphActions(), (std::set<int>{0, 2}));
    EXPECT_TRUE(glyphBeside(0, "START") && glyphBeside(2, "OPTIONS"));
    wait(0.5f);
    padAction(0, vantorixPC::Start);
    ASSERT_FALSE(core().paused);

    // Paused: resume by confirm, abort by select; each glyph is its button.
    wait(0.5f);
    padAction(0, vantorixPC::Start);
    ASSERT_TRUE(core().paused);
    EXPECT_TRUE(shows("Waypoints: POINTS 0/5")) << screen();
    EXPECT_TRUE(glyphBeside(0, "RESUME") && glyphBeside(5, "ABORT") && glyphBeside(2, "OPTIONS"));
    EXPECT_EQ(glyphActions(), (std::set<int>{0, 2, 5}));
    padAction(0, vantorixPC::Confirm);
    EXPECT_FALSE(core().paused);
    padAction(0, vantorixPC::Start);
    padAction(0, vantorixPC::Select);
    ASSERT_EQ(core().gameState, GameState::RoundOver);
    ASSERT_TRUE(waitFor("RESULTS"));
    EXPECT_TRUE(shows("Waypoints") && shows("POINTS 0/5") && shows("PRESS ANY BUTTON")) << screen();
    wait(0.5f);
    padAction(0, vantorixPC::Confirm);
    ASSERT_TRUE(waitFor("OUT OF"));
    EXPECT_TRUE(shows("COMPLETED:") && shows("12")) << screen();

    // Again, through ship select and the briefing, and the five points this time.
    wait(0.5f);
    padAction(0, vantorixPC::Confirm);
    ASSERT_EQ(core().gameState, GameState::ShipSelect);
    wait(0.5f);
    padAction(0, vantorixPC::Confirm);
    ASSERT_TRUE(core().missionBriefing);
    wait(0.5f);
    padAction(0, vantorixPC::Confirm);
    ASSERT_EQ(core().gameState, GameState::Playing);
    ASSERT_FALSE(core().missionBriefing);
    auto& goal = dynamic_cast<GoalPointMissionComponent&>(*core().missionList.current.at(0).components.at(0));
    ASSERT_TRUE(waitUntil(
        [&] {
            steerToward(goal.point.x, goal.point.y);
            return core().endingActive || core().gameState != GameState::Playing;
        },
        30));
    releaseStick();
    ASSERT_TRUE(core().endingActive) << "the ship died on the way";
    EXPECT_EQ(goal.reached, 5);
    // The field is cleared for the three friends.
    EXPECT_EQ(core().playerCount, 4);
    EXPECT_TRUE(core().foes.empty() && core().asteroids.empty());
    for (const char* line : {"ALL MISSIONS COMPLETE", "YOUR FRIENDS CAME", "THANK YOU FOR PLAYING", "THE END"}) {
        EXPECT_TRUE(waitFor(line, 6)) << line;
        // No count of lives under the friends.
        EXPECT_EQ(screen().find("lives left"), std::string::npos) << screen();
    }
    ASSERT_TRUE(waitUntil([&] { return core().gameState == GameState::RoundOver; }, 6));
    EXPECT_FALSE(core().endingActive);

    // The results, then the full run: counted, saved, and the missions anew.
    ASSERT_TRUE(waitFor("RESULTS"));
    EXPECT_TRUE(shows("Waypoints") && shows("COMPLETE!")) << screen();
    const std::string saved = file("missions.xml");
    EXPECT_NE(saved.find("<FULL_FINISHES>1</FULL_FINISHES>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<CURRENT_0>First Blood</CURRENT_0>"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("COMPLETED_"), std::string::npos) << saved;
    wait(0.5f);
    padAction(0, vantorixPC::Confirm);
    ASSERT_TRUE(waitFor("You did it all."));
    wait(0.5f);
    padAction(0, vantorixPC::Select);
    EXPECT_EQ(core().gameState, GameState::MainMenu);
    EXPECT_TRUE(waitFor("0/12"));
}
