#include <algorithm>
#include <cmath>
#include <cstdio>

#include "Journey.h"

// Score and Time death matches on two fake pads, each played to its end:
// the settings, the lobby's rules, the kills and their popups and bursts, the
// HUD, the clock, the respawn and the awards.
class DeathMatchJourney : public Journey {
protected:
    using A = vantorixPC;
    static constexpr const char* completeSound = "awkwardFail.wav play";
    static constexpr const char* beepSound = "UI3.wav play";
    static constexpr const char* crushSound = "pewpewZoom.wav play";

    int calls(const std::string& call) const {
        return static_cast<int>(std::count(recorder->calls.begin(), recorder->calls.end(), call));
    }
    int plays(const std::string& sound, size_t from = 0) const {
        return static_cast<int>(std::count(sounds->begin() + static_cast<long>(from), sounds->end(), sound));
    }
    bool saved(const std::string& tagAndValue) const {
        return file("playerData.xml").find(tagAndValue) != std::string::npos;
    }
    static std::string circle(float x, float y) {
        return "drawCircle(" + SoundCallCounter::num(x) + "," + SoundCallCounter::num(y) + ",0,20)";
    }
    // The texts drawn in the last frame joined by "|", in order, found whole.
    bool showsRun(const std::string& run) const {
        return ("|" + screen() + "|").find("|" + run + "|") != std::string::npos;
    }

    // Two pads join the death-match lobby; slot 0 readies and opens the settings.
    void toSettings() {
        ASSERT_TRUE(waitUntil([&] { return !core().splashActive; }));
        plug({fakepads::DeviceSpec("Pad A", 4, 12), fakepads::DeviceSpec("Pad B", 4, 12)});
        clickText("Death Match");
        ASSERT_TRUE(waitFor("DEATH MATCH"));
        padAction(0, A::Confirm);
        padAction(1, A::Confirm);
        openMatchSettings();
    }
    // Slot 1 readies; the first arena is chosen; the countdown runs out.
    void toPlay() {
        padAction(1, A::Start);
        ASSERT_TRUE(waitFor("LEVEL SELECT"));
        wait(1);
        padAction(1, A::Confirm);
        ASSERT_EQ(core().gameState, GameState::Playing);
        ASSERT_TRUE(waitUntil([&] { return core().matchClock > core().matchStartDelay + 0.5f; }));
    }
    // The killer's first weapon point is swung through the victim once both
    // are hittable: the kill the weapon test finds starts the sequence.
    void strike(int killer, int victim) {
        GameCore& c = core();
        ASSERT_TRUE(waitUntil([&] {
            return !c.killSequence && c.players[victim].invulnerabilityTimer < 0 &&
                   c.players[killer].invulnerabilityTimer < 0 && !c.players[victim].frozen;
        }));
        std::copy(std::begin(c.hudMarkers), std::end(c.hudMarkers), markers);
        for (int n = 0; n < 10 && !c.killSequence; ++n) {
            WeaponParticle* point = c.weaponPoints[killer][0];
            point->position = c.players[victim].point.position;
            point->velocity.set(8, 0);
            frame();
        }
        ASSERT_TRUE(c.killSequence);
        EXPECT_EQ(c.killKiller, killer);
        EXPECT_EQ(c.killVictim, victim);
    }
    // The HUD sparks born in the kill's frame (one step taken), by the slot
    // whose marker (as it stood before the kill) they came from and whose hue
    // they carry; -1 for neither.
    std::vector<int> newHudSparks() {
        std::vector<int> slots;
        for (const Spark& s : core().hudSparks) {
            if (s.life != 29) continue;
            int slot = -1;
            for (int i = 0; i < 4; ++i) {
                const ofVec2f& m = markers[i];
                const float hueGap = std::fabs(s.colour.getHue() - core().playerColors[i].getHue());
                if (ofDist(s.x - s.vx, s.y - s.vy, m.x, m.y) <= 60.01f && std::min(hueGap, 256 - hueGap) <= 9)
                    slot = i;
            }
            slots.push_back(slot);
        }
        std::sort(slots.begin(), slots.end());
        return slots;
    }
    // Per frame for n frames: whether the blink shows, and the given call's count.
    std::vector<std::pair<bool, int>> perFrame(int n, const std::string& call) {
        std::vector<std::pair<bool, int>> seen;
        for (int k = 0; k < n; ++k) {
            frame();
            seen.push_back({(frameNum / 7) % 2 == 1, calls(call)});
        }
        return seen;
    }
    // The clock's scale, read from the call after its move to the top centre.
    float clockScale() const {
        const float half = app->core.font.getLineHeight(11) / 2;
        const std::string origin =
            "translate(480," + SoundCallCounter::num(static_cast<float>(static_cast<int>(115 - half))) + ",0)";
        auto at = std::find(recorder->calls.begin(), recorder->calls.end(), origin);
        float k = -1, k2 = -1, one = -1;
        if (at == recorder->calls.end() || at + 1 == recorder->calls.end()) return k;
        if (std::sscanf((at + 1)->c_str(), "scale(%f,%f,%f)", &k, &k2, &one) != 3 || k != k2 || one != 1) return -1;
        return k;
    }

    ofVec2f markers[4];
};

TEST_F(DeathMatchJourney, AScoreMatchToThreeKills) {
    toSettings();
    GameCore& c = core();
    // The match type wraps both ways: STOCK back to TIME, then SCORE.
    padAction(0, A::Left);
    EXPECT_TRUE(shows("TIME") && shows("Minutes:")) << screen();
    padAction(0, A::Left);
    EXPECT_TRUE(shows("SCORE") && shows("Goal:")) << screen();
    padActions(0, {A::Down, A::Left, A::Left, A::Down, A::Left, A::Left});
    EXPECT_TRUE(shows("3") && shows("None")) << screen();
    padAction(0, A::Start);
    ASSERT_TRUE(waitFor("Score 3 kills to win"));
    EXPECT_TRUE(shows("Game Mode: SCORE") && shows("Goal: 3")) << screen();
    toPlay();
    ASSERT_EQ(c.matchSettings.matchType, MatchSettings::Score);

    // Before the goal is near nothing blinks: slot 0's outlines only.
    for (auto [blink, n] : perFrame(14, circle(40, 40))) EXPECT_EQ(n, 1) << blink;

    // The first kill: the sequence, the burst from the killer's marker, the popup.
    strike(0, 1);
    EXPECT_EQ(newHudSparks(), std::vector<int>(50, 0));
    EXPECT_FLOAT_EQ(c.players[0].score, 1);
    EXPECT_TRUE(waitFor("Blue Player: 1", 1)) << screen();
    // The screen takes the killer's colour mid-sequence, then the mode's again.
    ASSERT_TRUE(waitUntil([&] { return c.killStage >= 2; }, 1));
    EXPECT_EQ(c.backgroundTarget, c.playerColors[0]);
    ASSERT_TRUE(waitUntil([&] { return c.killStage >= 4; }, 1));
    EXPECT_EQ(c.backgroundTarget, c.modeColors[static_cast<int>(GameMode::Multiplayer)]);

    // The victim glides back: a ring and a crush where it arrives, then its
    // weapon is laid out again round it and the screen flashes.
    const size_t mark = sounds->size();
    const size_t rings = c.noiseRings.size();
    ASSERT_TRUE(waitUntil([&] { return plays(crushSound, mark) > 0; }, 3));
    EXPECT_EQ(plays(crushSound, mark), 1);
    EXPECT_EQ(c.noiseRings.size(), rings + 1);
    ASSERT_TRUE(waitUntil([&] { return c.players[1].glideTimer <= -c.players[1].glideEndDelay; }, 3));
    const ofVec2f ship = c.players[1].point.position;
    for (int k = 0; k < 12; ++k) {
        const ofVec2f& at = c.weaponPoints[1][k]->position;
        EXPECT_NEAR(ofDist(at.x, at.y, ship.x, ship.y), 150, 12) << k;
    }
    EXPECT_GT(c.deathFlashTime, c.deathMatchFlashLength / 2 - 0.1f);

    // One kill short of the goal: "!" and the filled circles blink 7 frames on, 7 off.
    strike(0, 1);
    EXPECT_EQ(newHudSparks(), std::vector<int>(50, 0));
    EXPECT_TRUE(waitFor("Blue Player: 2!", 1)) << screen();
    for (const std::string& at : {circle(40, 40), circle(90, 40)})
        for (auto [blink, n] : perFrame(14, at)) EXPECT_EQ(n, blink ? 2 : 1) << at;
    EXPECT_EQ(c.hudMarkers[0], ofVec2f(140, 40));

    // The goal: "!!!", the win sound once, the match over with slot 0 first.
    const size_t before = sounds->size();
    strike(0, 1);
    EXPECT_TRUE(waitFor("Blue Player: 3!!!", 1)) << screen();
    EXPECT_TRUE(c.matchOver);
    wait(1);
    EXPECT_EQ(plays(completeSound, before), 1);
    EXPECT_FLOAT_EQ(c.players[0].score, 3);

    // The awards: the winner's name, then one icon per kill counted up one
    // per three frames after the 25-frame delay, on the winner's row.
    ASSERT_TRUE(waitUntil([&] { return shows("Award:"); }, 8));
    EXPECT_TRUE(shows("Blue Player")) << screen();
    EXPECT_EQ(c.players[0].place, 0);
    std::vector<int> icons;
    icons.push_back(calls("scale(1.25,-1.25,1)"));
    for (int n = 1; n < 40; ++n) {
        frame();
        icons.push_back(calls("scale(1.25,-1.25,1)"));
    }
    std::vector<int> expected(27, 0);
    for (int n : {1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3}) expected.push_back(n);
    EXPECT_EQ(icons, expected);
    for (float x : {280.0f, 330.0f, 380.0f})
        EXPECT_EQ(calls("translate(" + SoundCallCounter::num(x) + ",454,0)"), 1) << x;
    EXPECT_TRUE(saved("<deathmatch_kills>3</deathmatch_kills>"));
    EXPECT_TRUE(saved("<deathmatch_rounds_type_1>1</deathmatch_rounds_type_1>"));

    wait(0.5f);
    padAction(0, A::Confirm);
    padAction(0, A::Confirm);
    ASSERT_EQ(c.gameState, GameState::MultiplayerLobby);
    EXPECT_TRUE(waitFor("Score 3 kills to win", 1));
}

TEST_F(DeathMatchJourney, ATimeMatchOfOneMinuteIntoSuddenDeath) {
    toSettings();
    GameCore& c = core();
    padActions(0, {A::Right, A::Right});
    EXPECT_TRUE(shows("TIME")) << screen();
    // TIME wraps on to STOCK and back.
    padAction(0, A::Right);
    EXPECT_TRUE(shows("STOCK") && shows("Lives:")) << screen();
    padAction(0, A::Left);
    EXPECT_TRUE(shows("TIME") && shows("Minutes:")) << screen();
    padActions(0, {A::Down, A::Left, A::Down, A::Left, A::Left, A::Start});
    ASSERT_TRUE(waitFor("High score after 1 min wins"));
    EXPECT_TRUE(shows("Game Mode: TIME") && shows("Minutes: 1")) << screen();
    toPlay();
    ASSERT_EQ(c.matchSettings.minutes, 1);

    // The clock counts down in whole seconds and keeps its size.
    ASSERT_TRUE(waitUntil([&] { return c.playTime > 15.2f; }, 20));
    frame();
    EXPECT_TRUE(showsRun("0|0|4|4|:")) << screen();
    EXPECT_EQ(clockScale(), 1);

    // The last ten seconds: one beep at each whole second, and each second
    // starts swollen (4 times at 0 left, 1 at 10) and shrinks back.
    ASSERT_TRUE(waitUntil([&] { return c.playTime > 49.5f; }, 40));
    const size_t mark = sounds->size();
    std::vector<int> beepSeconds;
    while (c.playTime < 59.5f) {
        const float last = c.playTime;
        const size_t at = sounds->size();
        frame();
        const int left = static_cast<int>(60 - c.playTime);
        if (plays(beepSound, at) > 0) beepSeconds.push_back(left);
        if (std::floor(c.playTime) != std::floor(last) && left < 10) {
            const float f = c.playTime - std::floor(c.playTime);
            const float swell = 4 - 0.3f * left;
            EXPECT_NEAR(clockScale(), f + (1 - f) * swell, 1e-4f) << left;
            EXPECT_GT(clockScale(), swell - 0.11f) << left;
        }
    }
    EXPECT_EQ(beepSeconds, (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(plays(beepSound, mark), 10);
    // Late in a second the clock is back near its size.
    while (c.playTime - std::floor(c.playTime) < 0.9f) frame();
    EXPECT_LT(clockScale(), 1.31f);

    // Time is up and nobody has scored: the match goes on in sudden death.
    ASSERT_TRUE(waitUntil([&] { return c.playTime > 60.1f; }, 2));
    frame();
    EXPECT_FALSE(c.matchOver);
    EXPECT_TRUE(shows("SUDDEN DEATH")) << screen();
    EXPECT_FALSE(shows(":")) << screen();
    // It beeps on at each second, every second swelling from three times.
    const size_t late = sounds->size();
    while (c.playTime < 61.6f) {
        const float last = c.playTime;
        frame();
        if (std::floor(c.playTime) == std::floor(last)) continue;
        const float f = c.playTime - std::floor(c.playTime);
        EXPECT_NEAR(clockScale(), f + (1 - f) * 3, 1e-4f);
    }
    EXPECT_EQ(plays(beepSound, late), 1);

    // A kill decides it: the burst from both markers, the win sound once,
    // and the clock, past its end, blinks zeros.
    const size_t before = sounds->size();
    strike(0, 1);
    std::vector<int> burst(50, 0);
    burst.insert(burst.end(), 50, 1);
    EXPECT_EQ(newHudSparks(), burst);
    EXPECT_TRUE(waitFor("Blue Player: 1", 1)) << screen();
    EXPECT_TRUE(c.matchOver);
    EXPECT_EQ(plays(completeSound, before), 1);
    for (int n = 0; n < 14; ++n) {
        frame();
        EXPECT_EQ(showsRun("0|0|0|0|:"), (frameNum / 7) % 2 == 1) << screen();
        EXPECT_FALSE(shows("SUDDEN DEATH"));
    }

    ASSERT_TRUE(waitUntil([&] { return shows("Award:"); }, 8));
    EXPECT_TRUE(shows("Blue Player")) << screen();
    EXPECT_TRUE(saved("<deathmatch_rounds_type_2>1</deathmatch_rounds_type_2>"));
}

// Exhibition play: the menu has a demo round of Hard behind it and sets a
// Score match to five; once the match limit is played, the way back to the
// lobby leads to the menu, which sets those rules again.
class ExhibitionJourney : public DeathMatchJourney {
protected:
    void beforeStart() override {
        writeFile("playerData.xml", "<DEBUG_OPTIONS><EXHIBITION>1</EXHIBITION></DEBUG_OPTIONS>");
    }
    void stick(int pad, float angle) {
        padAxis(pad, app->axisIds[pad][0], std::cos(angle) * app->axisSigns[pad][0]);
        padAxis(pad, app->axisIds[pad][1], std::sin(angle) * app->axisSigns[pad][1]);
    }
};

TEST_F(ExhibitionJourney, OneMatchThenBackToTheMenuWithItsRulesSetAgain) {
    GameCore& c = core();
    ASSERT_TRUE(c.exhibition);
    // A cabinet's file may set the limit; one match keeps the journey short.
    c.roundLimit = 1;
    ASSERT_TRUE(waitUntil([&] { return !c.splashActive; }));
    frame();
    EXPECT_TRUE(shows("Start Deathmatch")) << screen();
    EXPECT_EQ(c.gameMode, GameMode::Hard);
    EXPECT_EQ(c.gameState, GameState::MainMenu);
    plug({fakepads::DeviceSpec("Pad A", 4, 12), fakepads::DeviceSpec("Pad B", 4, 12)});
    wait(0.5f);
    clickText("Start Deathmatch");
    ASSERT_TRUE(waitFor("VANTORIX")) << screen();
    EXPECT_TRUE(shows("DEATH MATCH") && shows("Game Mode: SCORE") && shows("Goal: 5") &&
                shows("Score 5 kills to win"))
        << screen();

    // A stock match to one life with no rocks instead.
    padAction(0, A::Confirm);
    padAction(1, A::Confirm);
    ASSERT_NO_FATAL_FAILURE(openMatchSettings());
    padActions(0, {A::Right, A::Right, A::Down, A::Left, A::Left, A::Left, A::Left});
    padActions(0, {A::Down, A::Left, A::Left, A::Start});
    ASSERT_TRUE(waitFor("Each player will have 1 life"));
    toPlay();
    EXPECT_EQ(c.roundCount, 1);

    stick(1, 0);
    ASSERT_TRUE(waitUntil([&] { return c.matchOver; }, 20));
    ASSERT_TRUE(waitUntil([&] { return shows("Award:"); }, 8));
    wait(0.5f);
    padAction(0, A::Confirm);
    const size_t mark = sounds->size();
    padAction(0, A::Confirm);
    ASSERT_EQ(c.gameState, GameState::MainMenu);
    EXPECT_EQ(plays("UI.wav play", mark), 1);
    EXPECT_EQ(c.gameMode, GameMode::Hard);
    EXPECT_FALSE(c.deathMatch);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(c.players[i].joined) << i;
    const MatchSettings& m = c.matchSettings;
    EXPECT_TRUE(m.matchType == MatchSettings::Score && m.value == 5 && m.minutes == 2 && m.foeAmount == 2);
    EXPECT_TRUE(waitFor("Start Deathmatch", 1));
}
