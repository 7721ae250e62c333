#include <set>

#include "Asteroid.h"
#include "WorldTest.h"

TEST(Asteroid, SizeForEachLevelAndStartsOffOneSide) {
    EXPECT_EQ(Asteroid::sizeForLevel(-1), 16);  // the smallest fragment keeps the smallest size
    EXPECT_GE(Asteroid::sizeForLevel(100000), 1000000000);  // stops growing before it overflows
    std::set<char> sides;
    for (unsigned seed = 1; seed <= 600; seed++) {
        ofSeedRandom(seed);
        Asteroid rock;
        const bool complex = seed % 2 == 0;
        rock.setup(ofColor::red, 100, -50, 0, 3, 2, 6, complex, false);
        ASSERT_TRUE(rock.level >= 0 && rock.level <= 3 && rock.size == Asteroid::sizeForLevel(rock.level));
        const float rx = rock.x - 100, ry = rock.y + 50, speed = std::hypot(rock.vx, rock.vy);
        // The start sits D + size out on one axis, D a whole number; the other coordinate lies within D.
        const bool vertical = std::fabs(ry) > std::fabs(rx);
        const char side = vertical ? (ry > 0 ? 'B' : 'T') : (rx > 0 ? 'R' : 'L');
        const float d = std::fabs(vertical ? ry : rx) - rock.size, along = vertical ? rx : ry;
        EXPECT_TRUE(d == std::floor(d) && d >= (complex ? 2000 : 1000) && d < 3000 && std::fabs(along) <= d + 0.01f &&
                    speed > 1.999f && speed < 6)
            << seed;
        sides.insert(side);
    }
    EXPECT_EQ(sides.size(), 4u);
}

TEST(Asteroid, ArmsAfterThirtyMovesAndSplitsSmallerAndFaster) {
    ofSeedRandom(9);
    Asteroid parent;
    parent.setup(ofColor(10, 20, 30), 0, 0, 3, 3, 1, 1, false, true);
    parent.x = 500;
    parent.y = 400;
    parent.vx = 3;
    parent.vy = 4;
    for (int i = 0; i < 29; i++) parent.move();
    EXPECT_FALSE(parent.smashable);
    parent.move();
    EXPECT_TRUE(parent.smashable && parent.travelled == 150);
    for (int i = 0; i < 20; i++) {
        Asteroid piece;
        piece.split(parent, 1.0f);
        const float d = ofDist(piece.x, piece.y, 500 + 90, 400 + 120), angle = std::atan2(piece.vy, piece.vx);
        EXPECT_TRUE(piece.level == 2 && piece.size == 37 && piece.color == parent.color && piece.thickLines &&
                    !piece.smashable && piece.age == 0 && piece.alive == 1);
        EXPECT_TRUE(d >= 0.05f * 58 - 0.001f && d <= 0.4f * 58 + 0.001f && std::fabs(angle - 1.0f) <= 1.2f + 1e-5f);
        EXPECT_FLOAT_EQ(std::hypot(piece.vx, piece.vy), 6.5f);
    }
    parent.level = 0;
    parent.split(parent, 0);  // from a copy of itself; the smallest rock's fragment stays 16
    EXPECT_TRUE(parent.level == -1 && parent.size == 16);
}
