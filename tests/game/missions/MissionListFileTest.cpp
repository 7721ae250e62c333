#include "MissionTestSupport.h"
#include "ofxXmlConfig.h"

namespace {

std::vector<std::string> savedList(ofxXmlConfig& xml, const std::string& prefix) {
    std::vector<std::string> out;
    for (int i = 0; xml.tagExists(prefix + std::to_string(i)); ++i)
        out.push_back(xml.getValue(prefix + std::to_string(i), std::string()));
    return out;
}

}  // namespace

TEST_F(MissionFixture, FillKeepsResultsMovesCompletedOutAndSaves) {
    defineAndSetup();
    EXPECT_EQ(list.pool.size(), 9u);
    // Shuffled pool: the fill sorts it by order.
    std::swap(list.pool[0], list.pool[5]);
    list.update(0.033f);
    kills = 10;
    rocks = 3;
    playTime = 30;
    list.update(0.033f);
    list.fillCurrentMissions(false);

    ASSERT_EQ(list.results.size(), 3u);
    EXPECT_EQ(list.results[0].name, "First Blood");
    EXPECT_TRUE(list.results[0].complete);
    EXPECT_EQ(list.results[1].progress, "ROCKS 3/20");
    EXPECT_FALSE(list.results[1].complete);
    EXPECT_TRUE(list.showingResults);
    EXPECT_EQ(list.runTime, 30);
    EXPECT_TRUE(list.restartRequest);
    EXPECT_EQ(names(list.completed), std::vector<std::string>({"First Blood"}));
    EXPECT_EQ(names(list.current), std::vector<std::string>({"Rock Breaker", "Catch the Snitch", "Short Chain"}));
    EXPECT_EQ(list.pool.front().name, "Tight Ring");
    EXPECT_EQ(list.countAllMissions(), 12);

    ofxXmlConfig xml;
    ASSERT_TRUE(xml.loadFile("missions.xml"));
    EXPECT_EQ(xml.getValue("FULL_FINISHES", -1), 0);
    EXPECT_EQ(xml.getValue("RUN_TIME", -1.0), 30.0);
    EXPECT_EQ(xml.getValue("BEST_TOTAL_TIME", 0.0), -1.0);
    EXPECT_EQ(savedList(xml, "CURRENT_"), names(list.current));
    EXPECT_EQ(savedList(xml, "COMPLETED_"), std::vector<std::string>({"First Blood"}));

    // A fill that brings nothing new asks for no restart; at set-up never.
    list.restartRequest = false;
    list.fillCurrentMissions(false);
    EXPECT_FALSE(list.restartRequest);
    EXPECT_EQ(list.runTime, 60);
    list.current.pop_back();
    list.fillCurrentMissions(true);
    EXPECT_FALSE(list.restartRequest);
    EXPECT_EQ(list.runTime, 60);
}

TEST_F(MissionFixture, ProgressSurvivesARestart) {
    defineAndSetup();
    list.update(0.033f);
    kills = 10;
    list.update(0.033f);
    playTime = 12.5f;
    list.fillCurrentMissions(false);

    MissionList again;
    list = again;
    const CapturedOutput out = defineAndSetup();
    EXPECT_EQ(out.out + out.err, "");
    EXPECT_EQ(names(list.completed), std::vector<std::string>({"First Blood"}));
    EXPECT_EQ(names(list.current), std::vector<std::string>({"Rock Breaker", "Catch the Snitch", "Short Chain"}));
    EXPECT_EQ(list.runTime, 12.5f);
    EXPECT_EQ(list.pool.size(), 8u);
}

TEST_F(MissionFixture, UnknownRepeatedAndDoubleListedNamesAreSkipped) {
    writeData("missions.xml",
              "<FULL_FINISHES>2</FULL_FINISHES><BEST_TOTAL_TIME>321.5</BEST_TOTAL_TIME><RUN_TIME>7</RUN_TIME>"
              "<CURRENT_0>Move Box</CURRENT_0><CURRENT_1>Nowhere</CURRENT_1><CURRENT_2>Waypoints</CURRENT_2>"
              "<CURRENT_3>Move Box</CURRENT_3>"
              "<COMPLETED_0>Waypoints</COMPLETED_0><COMPLETED_1>First Blood</COMPLETED_1>"
              "<COMPLETED_2>First Blood</COMPLETED_2>");
    const CapturedOutput out = defineAndSetup();
    EXPECT_EQ(list.fullFinishes, 2);
    EXPECT_EQ(list.bestTotalTime, 321.5f);
    EXPECT_EQ(list.runTime, 7.0f);
    EXPECT_EQ(names(list.completed), std::vector<std::string>({"Waypoints", "First Blood"}));
    // Move Box kept, then the pool's first by order fill the rest.
    EXPECT_EQ(names(list.current), std::vector<std::string>({"Move Box", "Rock Breaker", "Catch the Snitch"}));
    const std::string log = out.out + out.err;
    for (const char* line : {"skipping completed mission \"First Blood\": listed twice",
                             "skipping current mission \"Nowhere\": unknown",
                             "skipping current mission \"Waypoints\": already completed",
                             "skipping current mission \"Move Box\": listed twice"})
        EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
}

TEST_F(MissionFixture, MissingOrCorruptFileIsAFirstStart) {
    struct Case {
        bool write;
        const char* text;
        const char* logged;
    } cases[] = {{false, "", "missions.xml not found"},
                 {true, "<FULL_FINISHES>3</FULL_FINISHES><CURRENT_0>Way Out", "missions.xml is unreadable"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.logged);
        std::filesystem::remove("data/missions.xml");
        if (c.write) writeData("missions.xml", c.text);
        list = MissionList();
        const CapturedOutput out = defineAndSetup();
        EXPECT_NE((out.out + out.err).find(c.logged), std::string::npos) << out.out << out.err;
        EXPECT_EQ(list.fullFinishes, 0);
        EXPECT_TRUE(list.completed.empty());
        EXPECT_EQ(names(list.current), std::vector<std::string>({"First Blood", "Rock Breaker", "Catch the Snitch"}));
        // The fresh start is saved; the unreadable file is kept beside it.
        ofxXmlConfig xml;
        EXPECT_TRUE(xml.loadFile("missions.xml"));
        if (c.write) {
            EXPECT_EQ(readData("missions.xml.unreadable"), c.text);
        }
    }
}

TEST_F(MissionFixture, BadNumbersInTheFileFallBack) {
    writeData("missions.xml",
              "<FULL_FINISHES>-4</FULL_FINISHES><BEST_TOTAL_TIME>nan</BEST_TOTAL_TIME><RUN_TIME>-3</RUN_TIME>");
    defineAndSetup();
    EXPECT_EQ(list.fullFinishes, 0);
    EXPECT_EQ(list.bestTotalTime, -1);
    EXPECT_EQ(list.runTime, 0);
}

TEST_F(MissionFixture, FullRunKeepsTheBestTimeAndCounts) {
    defineAndSetup();
    struct Case {
        float runTime;
        float best;
    } cases[] = {{500, 500}, {700, 500}, {400, 400}};
    int finishes = 0;
    for (const Case& c : cases) {
        list.runTime = c.runTime;
        list.finishFullRun();
        EXPECT_EQ(list.bestTotalTime, c.best);
        EXPECT_EQ(list.fullFinishes, ++finishes);
        EXPECT_EQ(list.runTime, 0);
        EXPECT_EQ(list.countAllMissions(), 0);
        EXPECT_TRUE(list.allMissions);
        defineStandardMissions(list);
        list.fillCurrentMissions(false);
    }
    // The next round's first update clears the all-missions flag.
    list.runStarted = false;
    list.update(0.033f);
    EXPECT_FALSE(list.allMissions);
}

TEST_F(MissionFixture, ResultsIgnoreInputForTheirFirstTenthsOfASecond) {
    defineAndSetup();
    list.fillCurrentMissions(false);
    ASSERT_TRUE(list.showingResults);
    list.drawResults(0.3f);
    list.dismissResults();
    EXPECT_TRUE(list.showingResults);
    list.drawResults(0.2f);
    list.dismissResults();
    EXPECT_FALSE(list.showingResults);
}
