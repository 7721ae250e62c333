#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Asteroid.h"
#include "CreditsScreen.h"
#include "DummyFoe.h"
#include "EndingSequence.h"
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
    }
    void TearDown() override {
        clearFoes();
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
    ofColor foeColor{232, 70, 70, 255};
    std::vector<ofColor> rockColors{ofColor(1, 2, 3, 255), ofColor(4, 5, 6, 255)};
};

}  // namespace

TEST_F(RoundSequences, TutorialRetriesAStepAfterADeathAndEachStepFirstPlacesItsThings) {
    typedef std::vector<std::string> Texts;
    Tutorial tutorial;
    tutorial.setup(&services.font, &services.sounds, &ship, &foes, &asteroids, &foeColor, &rockColors);
    tutorial.gamePad = true;
    tutorial.restart();
    tutorial.update(0);
    EXPECT_EQ((Texts{"FLY WITH THE STICK", "THROUGH THE CIRCLES"}), tutorial.messages);
    for (int i = 0; i < 3; ++i) {
        ship.point.position.set(tutorial.goal.x + 59, tutorial.goal.y);
        tutorial.update(0);
    }
    tutorial.update(0);
    ASSERT_TRUE(tutorial.step == Tutorial::Smashing && asteroids.size() == 3u);
    tutorial.onPlayerDead();
    for (int i = 0; i < 45; ++i) tutorial.update(0);
    EXPECT_EQ((Texts{"TRY AGAIN!"}), tutorial.messages);
    tutorial.update(0);
    EXPECT_TRUE(tutorial.step == Tutorial::Smashing && asteroids.size() == 6u);  // the step again, rocks added
    for (Asteroid* a : asteroids) delete a;
    asteroids.clear();
    tutorial.update(0);
    tutorial.update(0);  // no foe counted yet: the fight has only begun
    EXPECT_TRUE(tutorial.step == Tutorial::Fighting && foes.size() == 3u);
    tutorial.update(3);
    tutorial.update(0);
    EXPECT_EQ(Tutorial::Done, tutorial.step);
    for (int i = 1; i < 60; ++i) tutorial.update(0);
    EXPECT_FALSE(tutorial.doneReport);
    tutorial.update(0);
    EXPECT_TRUE(tutorial.doneReport);
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
        shown.insert(shown.end(), {credits.targetText[0], credits.targetText[1]});
        EXPECT_TRUE(credits.targetColor[1] == rockColors[0] || credits.targetColor[1] == rockColors[1]);
        foes.push_back(new DummyFoe);
        foes.back()->spawn(foeColor, 0, 0, 0, false, false);
        credits.targetRequest = false;
        credits.update(0.5f);
        EXPECT_FALSE(credits.targetRequest) << "targets still on the field";
        clearFoes();
    }
    EXPECT_EQ(CreditsScreen::entries(), shown);
    credits.update(0.5f);
    EXPECT_TRUE(credits.finished && popups.back().text == "PERFECT RUN!");

    credits.start();  // a run with a hit ends with thanks
    credits.wasHit = credits.hitNoted = true;
    credits.nextEntry = CreditsScreen::entries().size();
    credits.targetRequest = false;
    credits.update(0.1f);
    EXPECT_EQ("THANKS FOR PLAYING", popups.back().text);
    credits.allowRocks = credits.targetRequest = true;
    const float time = credits.time;
    const size_t shownPopups = popups.size();
    credits.close();  // leaving mid-run stops the rocks and the next pair, and the screen stands still
    EXPECT_FALSE(credits.active || credits.creditsRun || credits.allowRocks || credits.targetRequest);
    credits.update(5);
    EXPECT_TRUE(credits.time == time && !credits.allowRocks && !credits.targetRequest && popups.size() == shownPopups);
}

TEST_F(RoundSequences, CreditNamesEmptyTheLibrariesFirstThenTheThanks) {
    CreditsScreen credits;
    credits.setup(&services.font, &services.sounds, &foes, &asteroids, &popups, rockColors, &ship);
    credits.start();
    std::vector<std::string> libraries, thanks, all = CreditsScreen::libraries();
    for (int i = 0; i < 12; ++i) libraries.push_back(credits.takeRandomName());
    for (int i = 0; i < 3; ++i) thanks.push_back(credits.takeRandomName());
    EXPECT_NE(libraries, all);  // drawn at random, not in the list's order
    std::sort(libraries.begin(), libraries.end());
    std::sort(all.begin(), all.end());
    std::sort(thanks.begin(), thanks.end());
    EXPECT_EQ(all, libraries);
    EXPECT_EQ((std::vector<std::string>{"Made with", "Special thanks", "Thanks to"}), thanks);
    EXPECT_EQ("VANTORIX", credits.takeRandomName());  // both emptied
    EXPECT_EQ("VANTORIX", credits.takeRandomName());
    credits.start();  // a new run fills both again
    EXPECT_TRUE(credits.creditNames.size() == 12u && credits.thankedNames.size() == 3u);
}

TEST_F(RoundSequences, EndingPlacesTheFriendsAndEndsAtSixteenSecondsReportingOnce) {
    PlayerShip ships[4];
    ships[0].point.position.set(100, 200);
    for (int k = 1; k < 4; ++k) ships[k].frozen = true, ships[k].invulnerabilityTimer = -5;
    EndingSequence ending;
    ending.setup(&services.font, ships[0], ships[1], ships[2], ships[3]);
    const float expected[4][2] = {{0, 0}, {100, -550}, {100 + 649.519f, 575}, {100 - 649.519f, 575}};
    for (int k = 1; k < 4; ++k) {  // shielded, their trails there too
        const ofVec2f& p = ships[k].point.position;
        EXPECT_TRUE(ofDist(p.x, p.y, expected[k][0], expected[k][1]) < 0.01f && p == ships[k].trail[0]) << k;
        EXPECT_TRUE(!ships[k].frozen && ships[k].invulnerabilityTimer == 2) << k;
    }
    // time, line shown and its alpha
    const float table[][3] = {{0.25f, 0, 127}, {2, 0, 255},    {4.5f, 1, 255},
                              {8.25f, 2, 127}, {15.9f, 3, 51}, {16, -1, 0}};
    float now = 0;
    for (const auto& row : table) {
        ending.update(row[0] - now);
        now = row[0];
        EXPECT_TRUE(ending.currentLine() == row[1] && std::fabs(ending.lineAlpha() - row[2]) <= 1) << row[0];
        EXPECT_EQ(row[0] >= 16, ending.doneReport) << row[0];
    }
    EXPECT_TRUE(ships[1].steering);
    ending.doneReport = false;
    ending.update(0);
    EXPECT_FALSE(ending.doneReport) << "reported once";
}
