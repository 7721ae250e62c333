#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MatchAwards.h"
#include "ShipMatchStats.h"
#include "ofMath.h"

namespace {

typedef std::vector<std::string> Titles;

const std::vector<std::string> NAMES = {"Ann", "Bob", "Cy", "Di"};

struct Match {
    int place = 1;
    float time = 100;
    int mostDeaths = 0, mostKills = 0, mostSmashes = 0;
    float topSpeed = 17;
};

Titles candidates(ShipMatchStats& s, const Match& m) {
    return MatchAwards::candidateTitles(s, m.place, m.time, m.mostDeaths, m.mostKills, m.mostSmashes, m.topSpeed,
                                        NAMES);
}

ShipMatchStats withKills(std::vector<int> victims, float first = 10, float gap = 10) {
    ShipMatchStats s;
    float t = first;
    for (int v : victims) {
        s.addKill(v, t);
        t += gap;
    }
    return s;
}

}  // namespace

TEST(MatchStats, ResetCopiesTheOldStartAndEmptiesTheLists) {
    ShipMatchStats s;
    EXPECT_EQ(s.sampleTimer.start, 0.5f);
    EXPECT_EQ(s.sampleTimer.remaining, 0.5f);
    s.sampleTimer.start = 2;
    s.sampleTimer.done = true;
    s.streakWindow = 1;
    s.addKill(1, 1);
    s.addDeath(-1, 2);
    s.pushSample(1, 2, 3);
    s.countAsteroidSmash();
    s.countAsteroidSmash();
    EXPECT_EQ(s.asteroidSmashes, 2);
    s.reset();
    EXPECT_EQ(s.sampleTimer.start, 0.5f);
    EXPECT_EQ(s.sampleTimer.remaining, 2.0f);
    EXPECT_FALSE(s.sampleTimer.done);
    EXPECT_TRUE(s.kills.empty() && s.deaths.empty() && s.samples.empty());
    EXPECT_EQ(s.asteroidSmashes, 0);
    EXPECT_EQ(s.streakWindow, 5.0f);

    // A sample restarts the timer.
    s.sampleTimer.update(2.0f);
    EXPECT_TRUE(s.sampleTimer.done);
    s.pushSample(12, 300, 0.6f);
    EXPECT_FALSE(s.sampleTimer.done);
    EXPECT_EQ(s.sampleTimer.remaining, 0.5f);
    ASSERT_EQ(s.samples.size(), 1u);
    EXPECT_EQ(s.samples[0].distance, 300.0f);
}

TEST(MatchAwards, DerivedFigures) {
    ShipMatchStats s = withKills({2, 1, 2, 1, 3}, 10, 4.9f);
    s.addKill(0, 40);  // 5.0 s after a kill would also break the run
    s.addDeath(1, 30);
    s.addDeath(3, 45);
    s.addDeath(3, 50);
    s.addDeath(-1, 52);
    s.pushSample(10, 400, 1);
    s.pushSample(20, 600, 2);
    MatchAwards::deriveFigures(s, 100);
    EXPECT_EQ(s.bestStreak, 5);
    EXPECT_FLOAT_EQ(s.longestLife, 48);  // 100 − 52 beats the first 30
    EXPECT_EQ(s.favouriteVictim, 1);     // 1 and 2 tie: the lower index
    EXPECT_EQ(s.nemesis, 3);
    EXPECT_FLOAT_EQ(s.averageSpeed, 15);
    EXPECT_FLOAT_EQ(s.averageDistance, 500);

    struct Case {
        std::vector<float> times;
        int streak;
    };
    const Case streaks[] = {
        {{}, 0}, {{10, 14.9f}, 2}, {{10, 15}, 1}, {{10, 11, 20, 21, 22}, 3}, {{10, 12, 14, 30}, 3},
    };
    for (const Case& c : streaks) {
        ShipMatchStats k;
        for (float t : c.times) k.addKill(1, t);
        MatchAwards::deriveFigures(k, 60);
        EXPECT_EQ(k.bestStreak, c.streak) << c.times.size();
    }

    ShipMatchStats lives;
    lives.addDeath(0, 70);
    lives.addDeath(0, 75);
    MatchAwards::deriveFigures(lives, 100);
    EXPECT_FLOAT_EQ(lives.longestLife, 70);
    lives.deaths.clear();
    MatchAwards::deriveFigures(lives, 100);
    EXPECT_FLOAT_EQ(lives.longestLife, 100);
}

TEST(MatchAwards, CandidateListsInOrder) {
    // Nothing done at all.
    ShipMatchStats idle;
    EXPECT_EQ(candidates(idle, Match()), (Titles{"Equilibrium", "Everlasting Life", "King Boring", "King Boring",
                                                 "Pacifist", "Tree Hugger", "Tree Hugger", "Old Man"}));

    // Four kills of one player, never died, smashed the most rocks.
    Match m;
    m.mostKills = 4;
    m.mostDeaths = 2;
    m.mostSmashes = 3;
    ShipMatchStats hunter = withKills({2, 2, 2, 2});
    hunter.asteroidSmashes = 3;
    EXPECT_EQ(candidates(hunter, m), (Titles{"Everlasting Life", "Hunter Of Cy", "Hunter Of Cy", "Asteroid Smasher",
                                             "Destruction Magnet", "Too Eager", "Old Man"}));

    // Two self-inflicted deaths and no kills.
    ShipMatchStats crasher;
    crasher.addDeath(-1, 10);
    crasher.addDeath(-1, 52);  // mean 31: not early enough to have improved
    m = Match();
    m.mostDeaths = 2;
    EXPECT_EQ(candidates(crasher, m), (Titles{"Worst Driver", "King Boring", "King Boring", "Pacifist", "Tree Hugger",
                                              "Tree Hugger", "Old Man", "Constantly Exploding"}));

    // Picked on by Bob, late kills, moving fast and close.
    ShipMatchStats victim = withKills({0}, 70);
    for (float t : {5.0f, 10.0f, 15.0f, 20.0f}) victim.addDeath(1, t);
    victim.asteroidSmashes = 5;
    victim.pushSample(12, 450, 1);
    m = Match();
    m.mostDeaths = 4;
    m.mostKills = 5;
    m.mostSmashes = 6;
    m.place = 2;
    EXPECT_EQ(candidates(victim, m), (Titles{"Target Practice", "Victim Of Bob", "Fearless", "Most Moving",
                                             "Late Bloomer", "Most Improved", "Old Man"}));
    // Last place is never "Most Improved"; slow and far away reads otherwise.
    m.place = 3;
    victim.samples.clear();
    victim.pushSample(2, 900, 1);
    EXPECT_EQ(candidates(victim, m),
              (Titles{"Target Practice", "Victim Of Bob", "Cowardly", "Least Moving", "Late Bloomer", "Old Man"}));

    // Five quick kills, most of the match, Berserker with deaths.
    ShipMatchStats spree = withKills({0, 1, 3, 0, 1}, 50, 2);
    spree.addDeath(0, 30);
    spree.addDeath(1, 70);
    spree.asteroidSmashes = 2;
    m = Match();
    m.mostKills = 5;
    m.mostDeaths = 3;
    m.mostSmashes = 2;
    EXPECT_EQ(candidates(spree, m), (Titles{"Berserker", "Asteroid Smasher", "Destruction Magnet", "Non Stop Killin'",
                                            "Old Man"}));
}

TEST(MatchAwards, HunterEqualOpportunityAndDriverEdges) {
    auto has = [](const Titles& t, const std::string& title) {
        return static_cast<int>(std::count(t.begin(), t.end(), title));
    };
    Match m;
    m.mostKills = 4;
    ShipMatchStats split31 = withKills({2, 2, 2, 1});
    EXPECT_EQ(has(candidates(split31, m), "Hunter Of Cy"), 2);  // 1 is exactly a quarter of 4
    EXPECT_EQ(has(candidates(split31, m), "Equal Opportunity"), 0);
    ShipMatchStats split22 = withKills({3, 1, 3, 1});
    Titles t22 = candidates(split22, m);
    EXPECT_EQ(has(t22, "Hunter Of Bob"), 0);
    EXPECT_EQ(has(t22, "Equal Opportunity"), 1);
    ShipMatchStats one = withKills({1});
    EXPECT_EQ(has(candidates(one, m), "Equal Opportunity"), 0);  // one victim is no spread
    ShipMatchStats uneven = withKills({0, 1, 1, 2});
    EXPECT_EQ(has(candidates(uneven, m), "Equal Opportunity"), 0);
    ShipMatchStats even3 = withKills({0, 1, 2});
    EXPECT_EQ(has(candidates(even3, m), "Equal Opportunity"), 1);

    // Unknown indexes are not counted, and name nobody.
    ShipMatchStats stray = withKills({7, 7, -2, 9});
    for (int i = 0; i < 4; ++i) stray.addDeath(-1, 10.0f + i);
    Titles strayTitles = candidates(stray, m);
    EXPECT_EQ(has(strayTitles, "Hunter Of Ann"), 0);
    EXPECT_EQ(has(strayTitles, "Victim Of Ann"), 0);
    EXPECT_EQ(has(strayTitles, "Worst Driver"), 1);

    ShipMatchStats once;
    once.addDeath(-1, 3);
    EXPECT_EQ(has(candidates(once, Match()), "Worst Driver"), 1);  // 1 > 1 / 2
    ShipMatchStats mixed;
    mixed.addDeath(-1, 3);
    mixed.addDeath(2, 4);
    EXPECT_EQ(has(candidates(mixed, Match()), "Worst Driver"), 0);  // 1 is not above 2 / 2

    // A missing name reads as empty.
    ShipMatchStats far = withKills({3, 3, 3, 3});
    Titles t = MatchAwards::candidateTitles(far, 1, 100, 0, 4, 0, 17, {"Ann"});
    EXPECT_EQ(has(t, "Hunter Of "), 2);
}

TEST(MatchAwards, ChooseDrawsTheFillerFirstThenTheAward) {
    for (unsigned seed = 1; seed <= 50; ++seed) {
        ShipMatchStats s = withKills({1, 2});
        Titles list = candidates(s, Match());
        ofSeedRandom(seed);
        int filler = static_cast<int>(ofRandom(10));
        list.push_back(MatchAwards::fillerTitles[filler]);
        int pick = static_cast<int>(ofRandom(static_cast<float>(list.size())));
        ofSeedRandom(seed);
        ShipMatchStats fresh = withKills({1, 2});
        EXPECT_EQ(MatchAwards::chooseAward(fresh, 1, 100, 0, 0, 0, 17, NAMES), list[pick]) << seed;
        EXPECT_EQ(fresh.favouriteVictim, 1);  // figures are stored
    }
    const Titles fillers(MatchAwards::fillerTitles, MatchAwards::fillerTitles + MatchAwards::FILLER_COUNT);
    EXPECT_EQ(fillers, (Titles{"True Friend", "Satan's Carwash", "Audience Choice", "Punctuality", "Dreamiest",
                               "Lion Tamer", "Spirit Of The Night", "You Are A Bear", "YOLO Savant", "Sweet & Sour"}));
}
