#include "MissionTestSupport.h"

namespace {

std::vector<std::string> lines(const std::vector<ScreenText>& texts) {
    std::vector<std::string> out;
    for (const ScreenText& t : texts) {
        std::ostringstream s;
        s << t.text << " @" << t.size << "," << t.y;
        out.push_back(s.str());
    }
    return out;
}

}  // namespace

TEST_F(MissionFixture, EncouragementSplitsAtTheMark) {
    struct Case {
        std::vector<std::string> list;
        const char* top;
        const char* bottom;
    } cases[] = {{{"Don't let stress#overcome you"}, "Don't let stress", "overcome you"},
                 {{"You are OK."}, "You are OK.", ""},
                 {{"#"}, "", ""},
                 {{}, "", ""}};
    for (const Case& c : cases) {
        list.encouragementTop = list.encouragementBottom = "old";
        list.encouragementLines = c.list;
        list.pickEncouragement();
        EXPECT_EQ(list.encouragementTop, c.top);
        EXPECT_EQ(list.encouragementBottom, c.bottom);
    }
    // A pick covers the whole list: every row comes up.
    list.encouragementLines = {"a", "b", "c"};
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        list.pickEncouragement();
        seen.insert(list.encouragementTop);
    }
    EXPECT_EQ(seen.size(), 3u);
}

TEST_F(MissionFixture, StarHasTenFilledPointsFirstUp) {
    const std::vector<ofPoint> p = MissionList::starPoints(100, 50);
    ASSERT_EQ(p.size(), 10u);
    for (int k = 0; k < 10; ++k) {
        const float r = k % 2 == 0 ? 20.0f : 8.0f;
        const float a = -1.5707964f + k * 0.62831855f;
        EXPECT_NEAR(p[k].x, 100 + r * std::cos(a), 1e-4) << k;
        EXPECT_NEAR(p[k].y, 50 + r * std::sin(a), 1e-4) << k;
    }
    EXPECT_NEAR(p[0].x, 100, 1e-4);
    EXPECT_NEAR(p[0].y, 30, 1e-4);
    EXPECT_NEAR(p[5].y, 58, 1e-4);

    recorder->drawsPathsDirectly = true;
    list.drawStar(100, 50);
    const ofPath& path = ofGetShapePath();
    EXPECT_TRUE(path.isFilled());
    ofPath copy = path;
    ASSERT_EQ(copy.getOutline().size(), 1u);
    const auto& drawn = copy.getOutline()[0].getVertices();
    ASSERT_GE(drawn.size(), 10u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_NEAR(drawn[k].x, p[k].x, 1e-4);
        EXPECT_NEAR(drawn[k].y, p[k].y, 1e-4);
    }
}

TEST_F(MissionFixture, PauseBriefingAndResultsTexts) {
    defineAndSetup();
    list.layout(1200);
    list.encouragementTop = "Don't let stress";
    list.encouragementBottom = "overcome you";
    kills = 4;
    list.update(0.033f);
    EXPECT_EQ(lines(list.pauseTexts(true, false, 0)),
              std::vector<std::string>({"PAUSED @8.5,150", "Don't let stress @4,300", "overcome you @4,360",
                                        "First Blood: FOES 4/10 @3,450", "Rock Breaker: ROCKS 0/20 @3,510",
                                        "Catch the Snitch: SNITCH FREE @3,570"}));
    EXPECT_EQ(lines(list.pauseTexts(false, false, 1234)),
              std::vector<std::string>({"PAUSED @8.5,150", "Don't let stress @4,300", "overcome you @4,360",
                                        "BEST: 1234 @4,450"}));
    EXPECT_EQ(lines(list.pauseTexts(true, true, 0)),
              std::vector<std::string>({"MISSIONS @8.5,150", "First Blood @4,300", "Destroy 10 foes @3,360",
                                        "Rock Breaker @4,420", "Smash 20 rocks @3,480", "Catch the Snitch @4,540",
                                        "Catch the snitch within 45 seconds @3,600"}));
    kills = 10;
    list.update(0.033f);
    EXPECT_EQ(list.pauseTexts(true, false, 0)[3].text, "First Blood: COMPLETE!");

    list.fillCurrentMissions(false);
    EXPECT_EQ(lines(list.resultTexts()),
              std::vector<std::string>({"RESULTS @8.5,150", "First Blood @4,300", "COMPLETE! @3,360",
                                        "Rock Breaker @4,420", "ROCKS 0/20 @3,480", "Catch the Snitch @4,540",
                                        "SNITCH FREE @3,600", "CLICK TO GO ON @3,900"}));
    list.gamePad = true;
    EXPECT_EQ(list.resultTexts().back().text, "PRESS ANY BUTTON");
}

TEST_F(MissionFixture, ButtonsAreTheirLabelsGrownByTwenty) {
    list.attach(counters, &font, &sounds);
    list.layout(1200);
    struct Case {
        const ofRectangle& box;
        const char* label;
        float y;
    } cases[] = {{list.resumeButton, "RESUME", 720}, {list.abortButton, "ABORT", 800}, {list.holdButton, "START", 780}};
    for (const Case& c : cases) {
        const float w = font.getStringWidth(c.label, 4), h = font.getCharHeight(4);
        EXPECT_EQ(std::vector<float>({c.box.x, c.box.y, c.box.width, c.box.height}),
                  std::vector<float>({600 - w / 2 - 20, c.y - h / 2 - 20, w + 40, h + 40}))
            << c.label;
    }
}

TEST_F(MissionFixture, ModeDescriptionsAndTheirDrawing) {
    const char* expected[7] = {"Learn to fly", "Foes and rocks", "Faster foes, bigger rocks", "", "Only rocks", "",
                               ""};
    for (int mode = 0; mode < 7; ++mode) EXPECT_EQ(MissionList::modeDescription(mode), expected[mode]) << mode;
    list.attach(counters, &font, &sounds);
    recorder->reset();
    list.drawModeDescription(3, 480, 600, 255);
    EXPECT_TRUE(recorder->calls.empty());
    list.drawModeDescription(1, 480, 600, 255);
    EXPECT_FALSE(recorder->calls.empty());
}

TEST_F(MissionFixture, BannersAgeOnlyWhileRunning) {
    defineAndSetup();
    rocks = 20;
    list.update(0.033f);
    ASSERT_EQ(list.banners.size(), 1u);
    list.drawRoundEvents(1.0f, false, true);
    EXPECT_EQ(list.banners[0].age, 0);
    list.drawRoundEvents(2.9f, false, false);
    EXPECT_EQ(list.banners.size(), 1u);
    list.drawRoundEvents(0.2f, false, false);
    EXPECT_TRUE(list.banners.empty());
    // Sparks draw themselves down and are dropped once spent.
    for (int i = 0; i < 200 && !list.sparks.empty(); ++i) {
        list.drawSparks();
        list.updateSparks(0.033f);
    }
    EXPECT_TRUE(list.sparks.empty());
}
