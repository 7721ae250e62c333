#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "ArenaTestSupport.h"
#include "Asteroid.h"
#include "ofMath.h"

namespace {

const float PI_F = 3.1415927f;

// Direction of a velocity in degrees, 0 to 360.
float degreesOf(float vx, float vy) {
    float d = ofRadToDeg(std::atan2(vy, vx));
    return d < 0 ? d + 360 : d;
}

}  // namespace

TEST(Asteroid, SizeForEachLevel) {
    const int levels[] = {-3, -1, 0, 1, 2, 3, 4, 5};
    const int sizes[] = {16, 16, 16, 24, 37, 58, 89, 137};
    for (int i = 0; i < 8; i++) EXPECT_EQ(Asteroid::sizeForLevel(levels[i]), sizes[i]) << levels[i];
    EXPECT_GT(Asteroid::sizeForLevel(1000), 0);
}

TEST(Asteroid, SetupDrawsLevelSpeedDistanceSideCoordinateDirectionInOrder) {
    for (unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
        ofSeedRandom(seed);
        int level = static_cast<int>(ofRandomRange(1, 4));
        float speed = ofRandomRange(3, 5);
        float d = static_cast<int>(ofRandomRange(2000, 3000));
        bool vertical = ofRandom(100) <= 50;
        bool second = ofRandom(100) <= 50;
        float along = ofRandomRange(-d, d);
        float size = Asteroid::sizeForLevel(level);
        float x, y, dir;
        if (vertical) {
            x = along;
            y = second ? d + size : -d - size;
            dir = second ? ofRandomRange(3.6651914f, 5.7595863f) : ofRandomRange(0.5235988f, 2.6179938f);
        } else {
            y = along;
            x = second ? d + size : -d - size;
            dir = second ? ofRandomRange(2.0943952f, 4.1887903f) : ofRandomRange(4.1887903f, 7.330383f);
        }
        ofSeedRandom(seed);
        Asteroid rock;
        rock.setup(ofColor(1, 2, 3), 10, 20, 1, 3, 3, 5, true, true);
        SCOPED_TRACE(seed);
        EXPECT_EQ(rock.level, level);
        EXPECT_EQ(rock.size, size);
        EXPECT_FLOAT_EQ(rock.x, x + 10);
        EXPECT_FLOAT_EQ(rock.y, y + 20);
        EXPECT_FLOAT_EQ(rock.vx, std::cos(dir) * speed);
        EXPECT_FLOAT_EQ(rock.vy, std::sin(dir) * speed);
        EXPECT_EQ(rock.alive, 1);
        EXPECT_TRUE(rock.thickLines);
    }
}

TEST(Asteroid, StartsOffOneSideHeadingInwardOverManySeeds) {
    std::set<char> sides;
    int leftAway = 0;
    for (unsigned seed = 1; seed <= 600; seed++) {
        ofSeedRandom(seed);
        Asteroid rock;
        bool complex = seed % 2 == 0;
        rock.setup(ofColor::red, 100, -50, 0, 3, 2, 6, complex, false);
        SCOPED_TRACE(seed);
        ASSERT_GE(rock.level, 0);
        ASSERT_LE(rock.level, 3);
        ASSERT_EQ(rock.size, Asteroid::sizeForLevel(rock.level));
        float speed = std::hypot(rock.vx, rock.vy);
        EXPECT_GE(speed, 1.9999f);
        EXPECT_LT(speed, 6);
        float rx = rock.x - 100, ry = rock.y + 50, dir = degreesOf(rock.vx, rock.vy);
        float minD = complex ? 2000 : 1000;
        char side;
        float d, along, low, high;
        if (ry == std::floor(ry) && std::fabs(ry) - rock.size >= minD && std::fabs(ry) > std::fabs(rx) - 0.5f) {
            side = ry > 0 ? 'B' : 'T';
            d = std::fabs(ry) - rock.size;
            along = rx;
            low = ry > 0 ? 210 : 30;
            high = ry > 0 ? 330 : 150;
        } else {
            side = rx > 0 ? 'R' : 'L';
            d = std::fabs(rx) - rock.size;
            along = ry;
            low = rx > 0 ? 120 : 240;
            high = rx > 0 ? 240 : 420;
        }
        sides.insert(side);
        EXPECT_EQ(d, std::floor(d));
        EXPECT_GE(d, minD);
        EXPECT_LT(d, 3000);
        EXPECT_LE(std::fabs(along), d + 0.01f);
        if (side == 'L' && dir < low) dir += 360;
        EXPECT_GE(dir, low - 0.01f);
        EXPECT_LE(dir, high + 0.01f);
        if (side == 'L' && rock.vx < 0) leftAway++;
    }
    EXPECT_EQ(sides.size(), 4u);
    EXPECT_GT(leftAway, 0);  // the left side's wide range sends some away
}

TEST(Asteroid, ArmsAfterThirtyMovesAndCountsDistanceTravelled) {
    Asteroid rock;
    rock.setup(ofColor::red, 0, 0, 2, 2, 4, 4, false, false);
    rock.vx = 3;
    rock.vy = -4;
    float startX = rock.x;
    for (int i = 0; i < 29; i++) rock.move();
    EXPECT_FALSE(rock.smashable);
    rock.move();
    EXPECT_TRUE(rock.smashable);
    EXPECT_EQ(rock.age, 30);
    EXPECT_FLOAT_EQ(rock.travelled, 150);
    EXPECT_FLOAT_EQ(rock.x, startX + 90);
}

TEST(Asteroid, SplitMakesASmallerFasterFragmentNearItsParent) {
    ofSeedRandom(9);
    Asteroid parent;
    parent.setup(ofColor(10, 20, 30), 0, 0, 3, 3, 1, 1, false, true);
    parent.x = 500;
    parent.y = 400;
    parent.vx = 3;
    parent.vy = 4;
    for (int i = 0; i < 40; i++) parent.move();
    for (int i = 0; i < 50; i++) {
        Asteroid piece;
        piece.split(parent, 1.0f);
        EXPECT_EQ(piece.level, 2);
        EXPECT_EQ(piece.size, 37);
        EXPECT_EQ(piece.color, ofColor(10, 20, 30));
        EXPECT_TRUE(piece.thickLines);
        EXPECT_EQ(piece.age, 0);
        EXPECT_FALSE(piece.smashable);
        EXPECT_EQ(piece.alive, 1);
        float d = ofDist(piece.x, piece.y, parent.x, parent.y);
        EXPECT_GE(d, 0.05f * 58 - 0.001f);
        EXPECT_LE(d, 0.4f * 58 + 0.001f);
        EXPECT_FLOAT_EQ(std::hypot(piece.vx, piece.vy), 6.5f);
        float c = std::atan2(piece.vy, piece.vx);
        EXPECT_GE(c, 1.0f - 1.2f - 1e-5f);
        EXPECT_LE(c, 1.0f + 1.2f + 1e-5f);
    }
    // A rock may split from itself; a smallest rock's fragment keeps size 16.
    Asteroid self = parent;
    self.level = 0;
    self.split(self, PI_F);
    EXPECT_EQ(self.level, -1);
    EXPECT_EQ(self.size, 16);
    EXPECT_NEAR(ofDist(self.x, self.y, parent.x, parent.y), 13.05, 10.16);
}

TEST(Asteroid, DrawsAFaintFillAndTwoOutlinesTurnedByDistance) {
    arena_test::Recording rec;
    Asteroid rock;
    rock.setup(ofColor(200, 100, 50), 0, 0, 1, 1, 5, 5, false, true);
    rock.x = 10;
    rock.y = 20;
    rock.travelled = 45;
    for (int alpha : {255, 60}) {
        rock.draw(alpha);
        std::string a = std::to_string(alpha);
        EXPECT_EQ(rec.renderer->take(),
                  (std::vector<std::string>{"setCircleResolution(10)", "setLineWidth(4)", "pushMatrix()",
                                            "translate(10,20,0)", "rotate(45)", "setFillMode(1)",
                                            "setColor(200,100,50," + std::string(alpha > 100 ? "100" : a) + ")",
                                            "drawCircle(0,0,0,24)", "setFillMode(0)", "setColor(200,100,50," + a + ")",
                                            "drawCircle(0,0,0,24)", "drawCircle(0,0,0,16.8)", "popMatrix()"}));
    }
}
