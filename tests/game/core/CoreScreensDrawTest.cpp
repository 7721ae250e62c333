#include <gtest/gtest.h>

#include "CoreFixture.h"
#include "DrawTestSupport.h"

// The HUD, the multikill banner, the arcade menu and the game-over screen.
class CoreScreens : public CoreFixture {
protected:
    void SetUp() override {
        CoreFixture::SetUp();
        setUpApp();
        core().splashActive = false;
        core().backgroundTiles = false;
    }
    GameCore& core() { return app->core; }
    Calls text(const std::string& s, float size, float x, float y) { return textCalls(core().font, s, size, x, y); }
    Calls centred(const std::string& s, float size, float x, float y) { return centredCalls(core().font, s, size, x, y); }
};

TEST_F(CoreScreens, HudBaselinesAndTheBeatenBestMark) {
    GameCore& c = core();
    const int easy = static_cast<int>(GameMode::Easy);
    const int mission = static_cast<int>(GameMode::Mission);
    const struct {
        GameMode mode;
        bool coop, missionRound;
        float score;
        int best, coopBest;
        const char* scoreText;
        const char* highText;  // "" when the high-score lines are left out
    } cases[] = {
        {GameMode::Easy, false, false, 150.7f, 100, 0, "150!", "150"},
        {GameMode::Easy, false, false, 100.0f, 100, 0, "100", "100"},
        {GameMode::Easy, true, false, 150.0f, 100, 500, "150", "500"},
        {GameMode::Mission, false, true, 150.0f, 100, 0, "150", ""},
    };
    for (const auto& k : cases) {
        c.gameMode = k.mode;
        c.coop = k.coop;
        c.missionRound = k.missionRound;
        c.players[0].score = k.score;
        c.bestScores[easy] = c.bestScores[mission] = k.best;
        c.bestCoopScores[easy] = k.coopBest;
        Calls calls = callsOf([&] { c.drawHud(); });
        int a = findRun(calls, text("score:", 4, 30, 780));
        int b = findRun(calls, text(k.scoreText, 6.5f, 30, 845));
        EXPECT_GE(a, 0) << k.scoreText;
        EXPECT_GT(b, a) << k.scoreText;
        int h = findRun(calls, text("High Score:", 3, 30, 895));
        if (*k.highText) {
            EXPECT_GT(h, b) << k.scoreText;
            EXPECT_GT(findRun(calls, text(k.highText, 3, 30, 935)), h) << k.scoreText;
        } else {
            EXPECT_EQ(h, -1) << k.scoreText;
        }
    }
    c.gameMode = GameMode::Intro;
    EXPECT_TRUE(callsOf([&] { c.drawHud(); }).empty());
}

TEST_F(CoreScreens, MultikillBannerBarTextAndEndFade) {
    GameCore& c = core();
    ofFixElapsedTimef(0);  // no wobble, pulse 175
    c.players[0].colour = ofColor(100, 200, 0, 255);
    c.players[0].shipType = 0;
    c.players[0].robotFactor = 0;
    // Channels: 0.55 x colour + 0.45 x 175.
    const std::string colour = "setColor(133,188,78,";
    const struct {
        float timer;
        int level;
        const char* bar;
        float scale;
        int alpha;
        const char* text;
    } cases[] = {
        {2.0f, 0, "drawRectangle(6,6,0,496,8)", 1.0f, 255, "Multikill"},
        {0.35f, 1, "drawRectangle(6,6,0,0,8)", 1.2f, 255, "Multikill X2"},
        {0.1f, 0, "drawRectangle(6,6,0,0,8)", 1.0f, 127, "Multikill"},
        {-0.25f, 2, "drawRectangle(6,6,0,0,8)", 1.4f * 1.5f, 127, "Multikill X3"},
        {1.0f, 9, "drawRectangle(6,6,0,195,8)", 2.8f, 255, "Multikill X10"},
    };
    for (const auto& k : cases) {
        c.multikillTimer = k.timer;
        c.multikillLevel = k.level;
        Calls calls = callsOf([&] { c.drawMultikillBanner(); });
        EXPECT_EQ(indexOf(calls, k.bar), 2) << k.timer;
        Calls label = callsOf([&] {
            ofPushMatrix();
            ofTranslate(6, 20, 0);
            ofScale(k.scale, k.scale, 1);
            c.font.drawString(k.text, 3, 0, 25);
            ofPopMatrix();
        });
        int at = findRun(calls, label);
        ASSERT_GE(at, 2) << k.text;
        // The end fade sets the colour again just before the text.
        EXPECT_EQ(calls[k.timer < 0 ? at - 1 : 1], colour + std::to_string(k.alpha) + ")") << k.timer;
        if (k.timer < 0) {
            EXPECT_EQ(calls[1], colour + "255)");
        }
    }

    // A Robot in play stretches the window to 5 s: the bar is fuller.
    c.players[0].robotFactor = 1.5f;
    c.multikillTimer = 2.0f;
    c.multikillLevel = 0;
    Calls calls = callsOf([&] { c.drawMultikillBanner(); });
    EXPECT_EQ(calls[2], "drawRectangle(6,6,0,316,8)");
}

TEST_F(CoreScreens, CyclingDifficultySkipsWhatCannotBeChosenAndWaitsForTheSlide) {
    GameCore& c = core();
    auto beep = record(c.soundBank.menuBeep);
    const struct {
        GameMode from;
        int step;
        bool coop;
        GameMode to;
    } cases[] = {
        {GameMode::Easy, -1, false, GameMode::Intro},         {GameMode::Easy, -1, true, GameMode::AsteroidField},
        {GameMode::Hard, 1, false, GameMode::AsteroidField},  {GameMode::AsteroidField, 1, false, GameMode::Intro},
        {GameMode::AsteroidField, 1, true, GameMode::Easy},
    };
    int plays = 0;
    for (const auto& k : cases) {
        c.gameMode = k.from;
        c.coop = k.coop;
        c.slideTimer = c.slideLength;
        c.cycleDifficulty(k.step, static_cast<int>(k.from));
        EXPECT_EQ(c.gameMode, k.to) << static_cast<int>(k.from) << " " << k.step;
        EXPECT_EQ(c.previousDifficulty, static_cast<int>(k.from));
        EXPECT_EQ(c.slideDirection, k.step);
        EXPECT_FLOAT_EQ(c.slideTimer, 0);
        EXPECT_EQ(beep->plays, ++plays);
        EXPECT_EQ(c.difficultyColor, c.modeColors[static_cast<int>(k.to)]);
    }

    // Mid-slide a press changes nothing; the update grows the timer.
    c.coop = false;
    c.gameMode = GameMode::Easy;
    c.slideTimer = 0.1f;
    c.cycleDifficulty(1, 1);
    EXPECT_EQ(c.gameMode, GameMode::Easy);
    EXPECT_EQ(beep->plays, plays);
    step(0.2f);
    EXPECT_NEAR(c.slideTimer, 0.3f, 1e-5);
    c.cycleDifficulty(1, 1);
    EXPECT_EQ(c.gameMode, GameMode::Hard);
}

TEST_F(CoreScreens, GameOverButtonsAreTheirLabelsGrownByTwentyOrEmpty) {
    GameCore& c = core();
    auto gameOver = record(c.soundBank.gameOver);
    c.layout(960);
    c.gameState = GameState::RoundOver;
    c.gameMode = GameMode::Easy;
    c.players[0].score = 77;
    c.bestScores[1] = 300;
    c.gameOverLine = 0;
    c.onlineScore = true;
    c.menuTime = 1;
    ofFixFrameNum(0);

    Calls calls = callsOf([&] { c.drawGameOver(); });
    EXPECT_EQ(gameOver->plays, 1);
    EXPECT_FLOAT_EQ(c.menuTime, 0) << "the fade restarts with the sound";
    c.menuTime = 1;
    calls = callsOf([&] { c.drawGameOver(); });
    EXPECT_EQ(gameOver->plays, 1) << "once per round";

    // Label column right of the wider number ("300" at size 8.5).
    float column = c.font.getStringWidth("300", 8.5f);
    float x = static_cast<float>(static_cast<int>(480 + column / 2 + 70));
    float y1 = 480 - 180 + 100;
    ofRectangle box = c.font.getStringBoundingBox("Submit Score!", 3, x, y1 + 30);
    EXPECT_EQ(rectText(c.submitButton), rectText(ofRectangle(box.x - 20, box.y - 20, box.width + 40, box.height + 40)));
    box = c.font.getStringBoundingBox("View Leaderboards", 3, x, y1 + 160 + 100 + 30);
    EXPECT_EQ(rectText(c.leaderboardButton), rectText(ofRectangle(box.x - 20, box.y - 20, box.width + 40, box.height + 40)));
    EXPECT_GE(findRun(calls, centred(c.gameOverLines[0], 4, 480, 96)), 0);
    EXPECT_GE(findRun(calls, centred("77", 8.5f, 480, 400)), 0);
    EXPECT_GE(findRun(calls, centred("300", 8.5f, 480, 660)), 0);

    // Sent: the submit button is gone and takes no clicks; not online: both.
    c.scoreSubmitOverlay.sent = true;
    callsOf([&] { c.drawGameOver(); });
    EXPECT_EQ(rectText(c.submitButton), rectText(ofRectangle()));
    EXPECT_NE(rectText(c.leaderboardButton), rectText(ofRectangle()));
    c.onlineScore = false;
    callsOf([&] { c.drawGameOver(); });
    EXPECT_EQ(rectText(c.leaderboardButton), rectText(ofRectangle()));
}

TEST_F(CoreScreens, GameOverSendingDotsBlinkingBestAndMissionTotals) {
    GameCore& c = core();
    c.layout(960);
    c.gameMode = GameMode::Easy;
    c.onlineScore = true;
    c.menuTime = 1;
    c.scoreSubmitOverlay.sending = true;
    c.players[0].score = 300;
    c.bestScores[1] = 300;
    const float x = static_cast<float>(static_cast<int>(480 + c.font.getStringWidth("300", 8.5f) / 2 + 70));
    for (int second : {0, 3, 4}) {
        ofFixElapsedTimef(second + 0.5f);
        const std::string label = "Sending" + std::string(static_cast<size_t>(second % 4), '.');
        EXPECT_GE(findRun(callsOf([&] { c.drawGameOver(); }), text(label, 3, x, 430)), 0) << label;
    }
    // A new best blinks with the score.
    ofFixFrameNum(7);
    EXPECT_EQ(findRun(callsOf([&] { c.drawGameOver(); }), centred("300", 8.5f, 480, 660)), -1);

    // Missions: totals only, "done/all" once every mission is done.
    c.gameMode = GameMode::Mission;
    c.gameOverLine = -1;
    c.missionList.current.clear();
    c.missionList.completed.resize(3);
    c.missionList.pool.resize(5);
    ofFixFrameNum(0);
    Calls calls = callsOf([&] { c.drawGameOver(); });
    EXPECT_GE(findRun(calls, centred("You did it all.", 4, 480, 96)), 0);
    const float y = 960 * 0.295f + 0.9f * c.font.getLineHeight(8.5f) + 175;
    EXPECT_GE(findRun(calls, centred("3", 8.5f, 480, y)), 0);
    const float lh = c.font.getLineHeight(4);
    EXPECT_GE(findRun(calls, centred("8", 8.5f, 480, y + 1.5f * lh + 1.5f * lh)), 0);
    EXPECT_EQ(rectText(c.submitButton), rectText(ofRectangle()));
    c.missionList.allMissions = true;
    EXPECT_GE(findRun(callsOf([&] { c.drawGameOver(); }), centred("3/8", 8.5f, 480, y)), 0);
}
