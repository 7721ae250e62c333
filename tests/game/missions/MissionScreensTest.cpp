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
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"Don't let stress#overcome you"}, "Don't let stress|overcome you"},
        {{"You are OK."}, "You are OK.|"},
        {{}, "|"}};
    for (const auto& c : cases) {
        list.encouragementTop = list.encouragementBottom = "old";
        list.encouragementLines = c.first;
        list.pickEncouragement();
        EXPECT_EQ(list.encouragementTop + "|" + list.encouragementBottom, c.second);
    }
}

TEST_F(MissionFixture, StarHasTenFilledPointsFirstUp) {
    recorder->drawsPathsDirectly = true;
    list.drawStar(100, 50);
    ofPath path = ofGetShapePath();
    ASSERT_TRUE(path.isFilled() && path.getOutline().size() == 1u);
    const auto& drawn = path.getOutline()[0].getVertices();
    ASSERT_GE(drawn.size(), 10u);
    for (int k = 0; k < 10; ++k) {  // the first point straight up, 20 out; the inner ones 8
        const float r = k % 2 == 0 ? 20.0f : 8.0f, a = -1.5707964f + k * 0.62831855f;
        EXPECT_TRUE(std::fabs(drawn[k].x - 100 - r * std::cos(a)) < 1e-4f &&
                    std::fabs(drawn[k].y - 50 - r * std::sin(a)) < 1e-4f)
            << k;
    }
}

TEST_F(MissionFixture, PauseBriefingAndResultsTexts) {
    defineAndSetup();
    list.encouragementTop = "Don't let stress";
    list.encouragementBottom = "overcome you";
    kills = 4;
    list.update(0.033f);
    EXPECT_EQ(lines(list.pauseTexts(true, false, 0)),
              std::vector<std::string>({"PAUSED @8.5,150", "Don't let stress @4,300", "overcome you @4,360",
                                        "First Blood: FOES 4/10 @3,450", "Rock Breaker: ROCKS 0/20 @3,510",
                                        "Catch the Snitch: SNITCH FREE @3,570"}));
    EXPECT_EQ(lines(list.pauseTexts(false, false, 1234)).back(), "BEST: 1234 @4,450");
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
    list.drawResults(0.3f);
    list.dismissResults();
    EXPECT_TRUE(list.showingResults);  // not within the first half second
    list.drawResults(0.2f);
    list.dismissResults();
    EXPECT_FALSE(list.showingResults);
}
