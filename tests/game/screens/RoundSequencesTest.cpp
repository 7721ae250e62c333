#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Asteroid.h"
#include "CreditsScreen.h"
#include "DummyFoe.h"
#include "EndingSequence.h"
#include "NormFoe.h"
#include "PlayerShip.h"
#include "PopupMessage.h"
#include "ScreensTestSupport.h"
#include "Tutorial.h"

using namespace screens_test;

namespace {

class RoundSequences : public testing::Test {
protected:
    void SetUp() override {
        ofSeedRandom(3);
        ship.point.position.set(100, 200);
        foeColor = ofColor(232, 70, 70, 255);
        rockColors = {ofColor(1, 2, 3, 255), ofColor(4, 5, 6, 255)};
        wayPoint = services.record(services.sounds.wayPoint);
    }
    void TearDown() override {
        for (Foe* f : foes) delete f;
        for (Asteroid* a : asteroids) delete a;
    }
    void clearFoes() {
        for (Foe* f : foes) delete f;
        foes.clear();
    }

    Services services;
    PlayerShip ship;
    std::vector<Foe*> foes;
    std::vector<Asteroid*> asteroids;
    std::vector<PopupMessage> popups;
    ofColor foeColor;
    std::vector<ofColor> rockColors;
    std::shared_ptr<SoundCallCounter> wayPoint;
};

}  // namespace

TEST_F(RoundSequences, TutorialRunsItsStepsAndRetriesAfterADeath) {
    typedef std::vector<std::string> Texts;
    Tutorial tutorial;
    tutorial.setup(&services.font, &services.sounds, &ship, &foes, &asteroids, &foeColor, &rockColors);
    tutorial.gamePad = true;
    tutorial.restart();
    tutorial.update(0);
    EXPECT_EQ((Texts{"FLY WITH THE STICK", "THROUGH THE CIRCLES"}), tutorial.messages);
    EXPECT_TRUE(tutorial.steeringHint && tutorial.fade == 0);
    const float goals[3][2] = {{0, -500}, {500, 0}, {0, 500}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(tutorial.goal.x == goals[i][0] && tutorial.goal.y == goals[i][1] && tutorial.goal.radius == 60)
            << i;
        ship.point.position.set(goals[i][0] + 59, goals[i][1]);
        tutorial.update(0);
        EXPECT_EQ(i + 1, wayPoint->plays);
    }
    EXPECT_TRUE(tutorial.step == Tutorial::Smashing && tutorial.progress == 0);
    tutorial.update(0);
    EXPECT_EQ(1, tutorial.progress);
    EXPECT_EQ((Texts{"SWING YOUR WEAPON", "SMASH THE ROCKS"}), tutorial.messages);
    ASSERT_EQ(3u, asteroids.size());
    for (const Asteroid* rock : asteroids)  // resting, 450 from the ship
        EXPECT_TRUE(rock->level == 2 && rock->vx == 0 && rock->vy == 0 &&
                    std::fabs(std::hypot(rock->x - 59, rock->y - 500) - 450) < 0.01f);
    EXPECT_EQ(17, tutorial.fade);
    for (int i = 0; i < 20; ++i) tutorial.update(0);
    EXPECT_EQ(255, tutorial.fade);

    tutorial.onPlayerDead();
    for (int i = 0; i < 45; ++i) {
        tutorial.update(0);
        EXPECT_EQ((Texts{"TRY AGAIN!"}), tutorial.messages);
    }
    tutorial.update(0);
    EXPECT_TRUE(tutorial.step == Tutorial::Smashing && asteroids.size() == 6u);  // the step again, rocks added

    for (Asteroid* a : asteroids) delete a;
    asteroids.clear();
    tutorial.update(0);
    tutorial.update(0);
    EXPECT_TRUE(tutorial.step == Tutorial::Fighting && tutorial.progress == 2);
    ASSERT_EQ(3u, foes.size());
    for (Foe* f : foes)
        EXPECT_TRUE(f->type == 0 && dynamic_cast<NormFoe*>(f) && f->color == foeColor &&
                    std::fabs(std::hypot(f->x - 59, f->y - 500) - 900) < 0.01f);
    tutorial.update(3);
    EXPECT_EQ(Tutorial::Fighting, tutorial.step);  // the foes are still there
    tutorial.update(0);
    EXPECT_EQ(Tutorial::Done, tutorial.step);
    for (int i = 1; i < 60; ++i) tutorial.update(0);
    EXPECT_FALSE(tutorial.doneReport);
    tutorial.update(0);
    EXPECT_TRUE(tutorial.doneReport);
    EXPECT_EQ((Texts{"WELL DONE!"}), tutorial.messages);

    tutorial.gamePad = false;
    tutorial.restart();
    EXPECT_TRUE(!tutorial.doneReport && tutorial.progress == 0 && tutorial.messages[0] == "FLY WITH THE MOUSE");
}

TEST_F(RoundSequences, CreditsComeTwoAtATimeAndEndWithAVerdict) {
    CreditsScreen credits;
    credits.setup(&services.font, &services.sounds, &foes, &asteroids, &popups, rockColors, &ship);
    credits.start();
    ASSERT_TRUE(credits.creditsRun && popups.size() == 1u);
    EXPECT_EQ("CREDITS", popups[0].text);
    std::vector<std::string> shown;
    for (int pair = 0; pair < 7; ++pair) {
        credits.update(0.5f);
        ASSERT_TRUE(credits.targetRequest) << pair;
        for (int k = 0; k < 2; ++k) {
            shown.push_back(credits.targetText[k]);
            EXPECT_TRUE(credits.targetColor[k] == rockColors[0] || credits.targetColor[k] == rockColors[1]);
            foes.push_back(new DummyFoe);
            foes.back()->spawn(foeColor, 0, 0, 0, false, false);
        }
        credits.targetRequest = false;
        credits.update(0.5f);
        EXPECT_FALSE(credits.targetRequest) << "targets still on the field";
        clearFoes();
    }
    EXPECT_EQ((std::vector<std::string>{"VANTORIX", "Poco", "TinyXML", "OIS", "freeglut", "GLEW", "Mesa", "FreeImage",
                                        "FreeType", "libsndfile", "SDL2", "DejaVu Fonts", "GoogleTest", "You!"}),
              shown);
    EXPECT_FALSE(credits.finished);
    credits.update(0.5f);
    EXPECT_TRUE(credits.finished);
    EXPECT_EQ("PERFECT RUN!", popups.back().text);

    credits.start();  // rocks join after 3 s, and stop at 30
    credits.update(2.9f);
    EXPECT_FALSE(credits.allowRocks);
    credits.update(0.2f);
    EXPECT_TRUE(credits.allowRocks);
    for (int i = 0; i < 30; ++i) asteroids.push_back(new Asteroid);
    credits.update(0.1f);
    EXPECT_FALSE(credits.allowRocks);
    credits.wasHit = credits.hitNoted = true;
    credits.nextEntry = CreditsScreen::entries().size();
    credits.targetRequest = false;
    credits.update(0.1f);
    EXPECT_EQ("THANKS FOR PLAYING", popups.back().text);
    credits.close();
    EXPECT_FALSE(credits.active || credits.creditsRun);
}

TEST_F(RoundSequences, CreditNamesEmptyTheLibrariesFirstThenTheThanks) {
    CreditsScreen credits;
    credits.setup(&services.font, &services.sounds, &foes, &asteroids, &popups, rockColors, &ship);
    credits.start();
    std::vector<std::string> libraries, thanks, all = CreditsScreen::libraries();
    for (int i = 0; i < 12; ++i) libraries.push_back(credits.takeRandomName());
    for (int i = 0; i < 3; ++i) thanks.push_back(credits.takeRandomName());
    std::sort(libraries.begin(), libraries.end());
    std::sort(all.begin(), all.end());
    std::sort(thanks.begin(), thanks.end());
    EXPECT_EQ(all, libraries);
    EXPECT_EQ((std::vector<std::string>{"Made with", "Special thanks", "Thanks to"}), thanks);
    EXPECT_EQ("VANTORIX", credits.takeRandomName());
    credits.start();
    EXPECT_TRUE(credits.creditNames.size() == 12u && credits.thankedNames.size() == 3u);
}

TEST_F(RoundSequences, EndingPlacesTheFriendsAndEndsAtSixteenSeconds) {
    PlayerShip ships[4];
    ships[0].point.position.set(100, 200);
    for (int k = 1; k < 4; ++k) {
        ships[k].frozen = true;
        ships[k].invulnerabilityTimer = -5;
    }
    EndingSequence ending;
    ending.setup(&services.font, ships[0], ships[1], ships[2], ships[3]);
    const float expected[4][2] = {{0, 0}, {100, -550}, {100 + 649.519f, 575}, {100 - 649.519f, 575}};
    for (int k = 1; k < 4; ++k) {
        const PlayerShip& s = ships[k];
        EXPECT_TRUE(std::fabs(s.point.position.x - expected[k][0]) < 0.01f &&
                    std::fabs(s.point.position.y - expected[k][1]) < 0.01f) << k;
        EXPECT_TRUE(!s.frozen && s.invulnerabilityTimer == 2 && s.point.position == s.trail[0]) << k;
    }
    const struct {
        float t;
        int line, alpha;
    } table[] = {{0, 0, 0},       {0.25f, 0, 127}, {2, 0, 255},    {3.75f, 0, 127},
                 {4.5f, 1, 255},  {8.25f, 2, 127}, {15.9f, 3, 51}, {16, -1, 0}};
    float now = 0;
    for (const auto& row : table) {
        ending.update(row.t - now);
        now = row.t;
        EXPECT_EQ(row.line, ending.currentLine()) << row.t;
        EXPECT_NEAR(row.alpha, ending.lineAlpha(), 1) << row.t;
        EXPECT_EQ(row.t >= 16, ending.doneReport) << row.t;
    }
    EXPECT_TRUE(ships[1].steering);
    ending.doneReport = false;
    ending.update(0);
    EXPECT_FALSE(ending.doneReport) << "reported once";
}
