#include <unistd.h>

#include "MissionTestSupport.h"
#include "ofUtils.h"
#include "ofxXmlConfig.h"

TEST_F(MissionFixture, FillKeepsResultsMovesCompletedOutAndSaves) {
    defineAndSetup();
    std::swap(list.pool[0], list.pool[5]);  // the fill sorts the pool by order
    list.update(0.033f);
    kills = 10;
    rocks = 3;
    playTime = 30;
    list.update(0.033f);
    list.fillCurrentMissions(false);

    ASSERT_EQ(list.results.size(), 3u);
    EXPECT_EQ(list.results[1].name + " " + list.results[1].progress, "Rock Breaker ROCKS 3/20");
    EXPECT_TRUE(list.results[0].complete && list.showingResults && list.restartRequest);
    EXPECT_EQ(names(list.completed), std::vector<std::string>({"First Blood"}));
    EXPECT_EQ(names(list.current), std::vector<std::string>({"Rock Breaker", "Catch the Snitch", "Short Chain"}));
    EXPECT_EQ(list.pool.front().name, "Tight Ring");

    ofxXmlConfig xml;
    ASSERT_TRUE(xml.loadFile("missions.xml"));
    EXPECT_EQ((std::vector<double>{xml.getValue("FULL_FINISHES", -1.0), xml.getValue("RUN_TIME", -1.0),
                                   xml.getValue("BEST_TOTAL_TIME", 0.0)}),
              (std::vector<double>{0, 30, -1}));

    for (bool died : {false, true}) {  // nothing new to fill, or a death: no restart; the run time adds up
        list.restartRequest = false;
        list.current.back().complete = died;
        list.fillCurrentMissions(died);
        EXPECT_TRUE(!list.restartRequest && list.runTime == 60) << died;
    }

    list = MissionList();  // the lists and time read back as last saved
    const CapturedOutput out = defineAndSetup();
    EXPECT_EQ(out.out + out.err, "");
    EXPECT_EQ(names(list.completed), std::vector<std::string>({"First Blood", "Short Chain"}));
    EXPECT_EQ(names(list.current), std::vector<std::string>({"Rock Breaker", "Catch the Snitch", "Tight Ring"}));
    EXPECT_EQ(list.runTime, 60);  // read back
}

// Each kind of skipped entry gives one warning, however many there are, and a
// long file is read in one walk rather than once per entry.
TEST_F(MissionFixture, UnknownRepeatedAndDoubleListedNamesAreSkipped) {
    std::string file =
        "<FULL_FINISHES>2</FULL_FINISHES><BEST_TOTAL_TIME>321.5</BEST_TOTAL_TIME>"
        "<CURRENT_0>Move Box</CURRENT_0><CURRENT_1>Nowhere</CURRENT_1><CURRENT_2>Waypoints</CURRENT_2>"
        "<CURRENT_3>Move Box</CURRENT_3><COMPLETED_0>Waypoints</COMPLETED_0>"
        "<COMPLETED_1>First Blood</COMPLETED_1><COMPLETED_2>First Blood</COMPLETED_2>";
    for (int i = 0; i < 20000; ++i)
        file += "<COMPLETED_" + std::to_string(i + 3) + ">Lost " + std::to_string(i) + "</COMPLETED_" +
                std::to_string(i + 3) + "><CURRENT_" + std::to_string(i + 4) + ">Gone</CURRENT_" +
                std::to_string(i + 4) + ">";
    dir.write("missions.xml", file);
    const CapturedOutput out = defineAndSetup();
    EXPECT_TRUE(list.fullFinishes == 2 && list.bestTotalTime == 321.5f);
    EXPECT_EQ(names(list.completed), std::vector<std::string>({"Waypoints", "First Blood"}));
    EXPECT_EQ(names(list.current), std::vector<std::string>({"Move Box", "Rock Breaker", "Catch the Snitch"}));
    EXPECT_EQ(out.out + out.err,
              "[MissionList:warning] skipping 1 mission entry (already completed), first \"Waypoints\"\n"
              "[MissionList:warning] skipping 2 mission entries (listed twice), first \"First Blood\"\n"
              "[MissionList:warning] skipping 40001 mission entries (unknown), first \"Lost 0\"\n");
}

// A damaged file that cannot be kept aside is not saved over, and the log
// says so instead of claiming it was kept.
TEST_F(MissionFixture, ADamagedFileThatCannotBeKeptAsideIsNotSavedOver) {
    // Its name leaves no room for a suffix: no copy can be made beside it.
    const std::string longName(252, 'm');
    dir.write(longName, "<CURRENT_0>Way");
    ASSERT_EQ(::symlink(longName.c_str(), "data/missions.xml"), 0);
    const CapturedOutput out = defineAndSetup();
    list.fillCurrentMissions(false);
    EXPECT_EQ(out.out + out.err, "[MissionList:error] missions.xml is unreadable and could not be kept aside (File "
                                 "name too long); starting the missions afresh, not saved\n");
    EXPECT_EQ(dir.read(longName), "<CURRENT_0>Way");
    EXPECT_EQ(std::filesystem::read_symlink("data/missions.xml"), longName);
    EXPECT_EQ(list.current.size(), 3u);
}

// Each damaged file is kept under a name of its own, beside the file the
// link leads to; the link stays and the next save reaches its target.
TEST_F(MissionFixture, DamagedFilesAreKeptOneByOneBesideTheFileALinkLeadsTo) {
    std::filesystem::create_directory("data/real");
    ASSERT_EQ(::symlink("real/progress.xml", "data/missions.xml"), 0);
    const std::pair<const char*, const char*> files[] = {{"<<garbage", ".bad"},
                                                         {"<FULL_FINISHES>2</FULL_FINISHES>\n<<x>", ".bad.1"}};
    for (const auto& [damaged, suffix] : files) {
        dir.write("real/progress.xml", damaged);
        list = MissionList();
        const CapturedOutput out = defineAndSetup();
        EXPECT_EQ(out.out + out.err, "[MissionList:error] missions.xml is unreadable, kept as " +
                                         ofToDataPath("real/progress.xml") + suffix + "; starting the missions afresh\n");
        EXPECT_EQ(list.fullFinishes, 0);
        list.fillCurrentMissions(false);
    }
    for (const auto& [damaged, suffix] : files) EXPECT_EQ(dir.read(std::string("real/progress.xml") + suffix), damaged);
    EXPECT_EQ(std::filesystem::read_symlink("data/missions.xml"), "real/progress.xml");
    ofxXmlConfig xml;
    EXPECT_TRUE(xml.loadFile("real/progress.xml") && xml.tagExists("CURRENT_2"));
}

TEST_F(MissionFixture, MissingCorruptOrBadFileIsAFirstStart) {
    const char* cases[][2] = {
        {nullptr, "missions.xml not found"},
        {"<FULL_FINISHES>3</FULL_FINISHES><CURRENT_0>Way Out", "missions.xml is unreadable"},
        {"<FULL_FINISHES>-4</FULL_FINISHES><BEST_TOTAL_TIME>nan</BEST_TOTAL_TIME><RUN_TIME>-3</RUN_TIME>", ""}};
    for (const auto& c : cases) {
        std::filesystem::remove("data/missions.xml");
        if (c[0]) dir.write("missions.xml", c[0]);
        list = MissionList();
        const CapturedOutput out = defineAndSetup();
        EXPECT_NE((out.out + out.err).find(c[1]), std::string::npos) << c[1];
        EXPECT_EQ(std::vector<float>({float(list.fullFinishes), list.bestTotalTime, list.runTime}),
                  std::vector<float>({0, -1, 0}));
        EXPECT_TRUE(list.completed.empty() && list.current.size() == 3u);
        ofxXmlConfig xml;
        EXPECT_TRUE(xml.loadFile("missions.xml")) << c[1];
    }
    EXPECT_EQ(dir.read("missions.xml.bad"), cases[1][0]);
}

TEST_F(MissionFixture, FullRunKeepsTheBestTimeAndCounts) {
    defineAndSetup();
    const float runs[3][2] = {{500, 500}, {700, 500}, {400, 400}};
    for (int i = 0; i < 3; ++i) {
        list.runTime = runs[i][0];
        list.finishFullRun();
        EXPECT_EQ(std::vector<float>({list.bestTotalTime, float(list.fullFinishes), list.runTime,
                                      float(list.countAllMissions())}),
                  std::vector<float>({runs[i][1], float(i + 1), 0, 0}));
        EXPECT_TRUE(list.allMissions);
        defineStandardMissions(list);
        list.fillCurrentMissions(false);
    }
    list.runStarted = false;
    list.update(0.033f);
    EXPECT_FALSE(list.allMissions);
}

// Run from a folder without the data folder: the save says it failed, and where.
TEST_F(MissionFixture, ASaveThatFailsNamesThePathAndTheReason) {
    defineAndSetup();
    std::filesystem::remove_all("data");
    const CapturedOutput out = captureOutput([&] { list.saveProgress(); });
    EXPECT_EQ(out.out + out.err,
              "[MissionList:error] could not save " + ofToDataPath("missions.xml") + " (No such file or directory)\n");
}
