#include "MissionTestSupport.h"

namespace {

std::string joined(const std::vector<ScreenText>& texts) {
    std::string out;
    for (const ScreenText& t : texts) out += t.text + "|";
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

TEST_F(MissionFixture, PauseShowsEachMissionsProgressAndResultsStayHalfASecond) {
    defineAndSetup();
    list.encouragementTop = "Don't let stress";
    list.encouragementBottom = "overcome you";
    kills = 4;
    list.update(0.033f);
    EXPECT_EQ(joined(list.pauseTexts(true, false, 0)),
              "PAUSED|Don't let stress|overcome you|First Blood: FOES 4/10|Rock Breaker: ROCKS 0/20|"
              "Catch the Snitch: SNITCH FREE|");
    EXPECT_EQ(list.pauseTexts(false, false, 1234).back().text, "BEST: 1234");
    kills = 10;
    list.update(0.033f);
    list.fillCurrentMissions(false);
    EXPECT_EQ(joined(list.resultTexts()), "RESULTS|First Blood|COMPLETE!|Rock Breaker|ROCKS 0/20|Catch the Snitch|"
                                          "SNITCH FREE|CLICK TO GO ON|");
    list.drawResults(0.3f);
    list.dismissResults();
    EXPECT_TRUE(list.showingResults);  // not within the first half second
    list.drawResults(0.2f);
    list.dismissResults();
    EXPECT_FALSE(list.showingResults);
}
