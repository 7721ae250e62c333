#include "MatchAwards.h"
#include "ShipMatchStats.h"
#include "WorldTest.h"

namespace {

const Calls NAMES = {"Ann", "Bob", "Cy", "Di"};

ShipMatchStats withKills(std::vector<int> victims, float first = 10, float gap = 10) {
    ShipMatchStats s;
    for (int v : victims) s.addKill(v, first), first += gap;
    return s;
}

// The candidate titles joined by ", "; the award is drawn from them after the filler.
void expectTitles(ShipMatchStats stats, const int (&rank)[4], const std::string& titles) {
    ShipMatchStats copy = stats;
    Calls list = MatchAwards::candidateTitles(stats, rank[0], 100, rank[1], rank[2], rank[3], 17, NAMES);
    std::string joined;
    for (const std::string& t : list) joined += (joined.empty() ? "" : ", ") + t;
    EXPECT_EQ(joined, titles);
    const unsigned seed = static_cast<unsigned>(titles.size());
    ofSeedRandom(seed);
    list.push_back(MatchAwards::fillerTitles[static_cast<int>(ofRandom(10))]);
    const std::string expected = list[static_cast<int>(ofRandom(static_cast<float>(list.size())))];
    ofSeedRandom(seed);
    EXPECT_EQ(MatchAwards::chooseAward(copy, rank[0], 100, rank[1], rank[2], rank[3], 17, NAMES), expected) << titles;
}

}  // namespace

TEST(MatchStats, ResetClearsTheMatchAndASampleRestartsTheTimer) {
    ShipMatchStats s;
    s.addDeath(-1, 2);
    s.countAsteroidSmash();
    s.countAsteroidSmash();
    EXPECT_EQ(s.asteroidSmashes, 2);
    s.sampleTimer.start = 2;
    s.sampleTimer.update(2);
    s.pushSample(12, 300, 2);
    EXPECT_TRUE(!s.sampleTimer.done && s.sampleTimer.remaining == 2);
    s.reset();  // the start it was built with comes back; the time left is not touched
    EXPECT_TRUE(s.deaths.empty() && s.asteroidSmashes == 0 && s.sampleTimer.start == 0.5f &&
                s.sampleTimer.remaining == 2);
}

TEST(MatchAwards, DerivedFigures) {
    ShipMatchStats s = withKills({2, 1, 2, 1, 3, 0}, 10, 4.9f);
    s.kills.back().time = s.kills[4].time + 5;  // exactly 5 s later: a new run
    for (int killer : {1, 3, 3, -1}) s.addDeath(killer, 30.0f + 5 * s.deaths.size());
    s.pushSample(10, 400, 1);
    s.pushSample(20, 600, 2);
    MatchAwards::deriveFigures(s, 100);
    // best streak; longest life: 100 − 45 beats the first death at 30; victims 1 and 2 tie: the lower index
    EXPECT_EQ((std::vector<float>{float(s.bestStreak), s.longestLife, float(s.favouriteVictim), float(s.nemesis),
                                  s.averageSpeed, s.averageDistance}),
              (std::vector<float>{5, 55, 1, 3, 15, 500}));
}

TEST(MatchAwards, CandidateListsInOrderThenTheFillerIsDrawnFirst) {
    expectTitles(
        ShipMatchStats(), {1, 0, 0, 0},
        "Equilibrium, Everlasting Life, King Boring, King Boring, Pacifist, Tree Hugger, Tree Hugger, Old Man");
    ShipMatchStats hunter = withKills({2, 2, 2, 1});
    hunter.asteroidSmashes = 3;
    expectTitles(
        hunter, {0, 2, 4, 3},
        "Everlasting Life, Hunter Of Cy, Hunter Of Cy, Asteroid Smasher, Destruction Magnet, Too Eager, Old Man");
    ShipMatchStats victim = withKills({0}, 70);
    for (float t : {5.0f, 10.0f, 15.0f, 20.0f}) victim.addDeath(1, t);
    victim.asteroidSmashes = 5;
    victim.pushSample(12, 450, 1);
    expectTitles(victim, {2, 4, 5, 6},
                 "Target Practice, Victim Of Bob, Fearless, Most Moving, Late Bloomer, Most Improved, Old Man");
    ShipMatchStats spree = withKills({0, 1, 3, 0, 1}, 50, 2);
    spree.addDeath(0, 30);
    spree.addDeath(1, 70);
    spree.asteroidSmashes = 2;
    expectTitles(spree, {0, 3, 5, 2}, "Berserker, Asteroid Smasher, Destruction Magnet, Non Stop Killin', Old Man");
    ShipMatchStats stray = withKills({7, 7, -2, 9}, 40);  // unknown victims and crashes: no prey, no nemesis
    for (int i = 0; i < 4; ++i) stray.addDeath(-1, 90);
    expectTitles(stray, {1, 4, 9, 0}, "Worst Driver, Equilibrium, Tree Hugger, Tree Hugger, Old Man");
    ShipMatchStats far = withKills({3, 3, 3, 3});  // a missing name reads as empty
    EXPECT_EQ(MatchAwards::candidateTitles(far, 1, 100, 0, 4, 0, 17, {"Ann"})[1], "Hunter Of ");
}
