#include <gtest/gtest.h>

#include <vector>

#include "ofPoint.h"
#include "ofRectangle.h"
#include "ofVec2f.h"

TEST(Rectangle, InsideIsStrictAndNegativeSizesMirror) {
    for (const ofRectangle& box : {ofRectangle(0, 0, 10, 10), ofRectangle(10, 10, -10, -10)}) {
        EXPECT_TRUE(box.inside(5, 5) && box.inside(ofPoint(9.99f, 0.01f)));
        for (ofPoint edge : {ofPoint(0, 5), ofPoint(10, 5), ofPoint(5, 0), ofPoint(5, 10), ofPoint(11, 5)})
            EXPECT_FALSE(box.inside(edge)) << edge.x << "," << edge.y;
        EXPECT_EQ(box.getMaxY(), 10.0f);
    }
    EXPECT_FALSE(ofRectangle().inside(0, 0));
}

// x and y alias the position of their own rectangle, through copies,
// assignments and a vector's reallocation.
TEST(Rectangle, AliasesFollowOwnPositionOnly) {
    ofRectangle a(1, 2, 3, 4);
    a.x = 7;
    a.position.y = 9;
    ofRectangle copy(a), assigned;
    assigned = a;
    a.x = 100;
    copy.y = 50;
    assigned.set(assigned);
    EXPECT_EQ((std::vector<float>{a.position.x, a.y, copy.x, copy.position.y, assigned.position.x, assigned.height}),
              (std::vector<float>{100, 9, 7, 50, 7, 4}));
    std::vector<ofRectangle> many(3, ofRectangle(1, 1, 1, 1));
    many.push_back(ofRectangle(2, 2, 2, 2));
    many[0].x = 42;
    EXPECT_EQ((std::vector<float>{many[0].position.x, many[1].x}), (std::vector<float>{42, 1}));
}

TEST(Vectors, AZeroVectorNormalisesToZeroNotNaN) {
    EXPECT_EQ(ofPoint(3, 4, 0).getNormalized(), ofPoint(0.6f, 0.8f, 0));
    EXPECT_EQ(ofPoint(0, 0, 0).getNormalized(), ofPoint(0, 0, 0));
    EXPECT_EQ(ofVec2f(0, 0).getNormalized(), ofVec2f(0, 0));
}
