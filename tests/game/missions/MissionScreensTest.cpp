#include "MissionTestSupport.h"

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

TEST_F(MissionFixture, ResultsTakeNoDismissalInTheirFirstPointFourSeconds) {
    defineAndSetup();
    list.update(0.033f);
    list.fillCurrentMissions(false);
    list.drawResults(0.39f);
    list.dismissResults();
    EXPECT_TRUE(list.showingResults);
    list.drawResults(0.02f);
    list.dismissResults();
    EXPECT_FALSE(list.showingResults);
}
