#include <gtest/gtest.h>

#include <vector>

#include "ofMatrix4x4.h"
#include "ofPoint.h"
#include "ofRectangle.h"
#include "ofVec2f.h"

TEST(Rectangle, InsideIsStrictAndNegativeSizesMirror) {
    ofRectangle r(0, 0, 10, 10);
    ofRectangle mirrored(10, 10, -10, -10);
    for (ofRectangle* box : {&r, &mirrored}) {
        EXPECT_TRUE(box->inside(5, 5));
        EXPECT_TRUE(box->inside(ofPoint(9.99f, 0.01f)));
        for (ofPoint edge : {ofPoint(0, 5), ofPoint(10, 5), ofPoint(5, 0), ofPoint(5, 10), ofPoint(11, 5)}) {
            EXPECT_FALSE(box->inside(edge)) << edge.x << "," << edge.y;
        }
    }
    EXPECT_FALSE(ofRectangle().inside(0, 0));
    EXPECT_FALSE(ofRectangle(0, 0, 10, 0).inside(5, 0));
    EXPECT_EQ(mirrored.getMaxY(), 10.0f);
    EXPECT_EQ(ofRectangle(0, 4, 3, 6).getMaxY(), 10.0f);
}

TEST(Rectangle, AliasesFollowOwnPositionOnly) {
    ofRectangle a(1, 2, 3, 4);
    a.x = 7;
    EXPECT_EQ(a.position.x, 7.0f);
    a.position.y = 9;
    EXPECT_EQ(a.y, 9.0f);

    ofRectangle copy(a);
    a.x = 100;
    copy.y = 50;
    EXPECT_EQ(copy.x, 7.0f);
    EXPECT_EQ(copy.position.y, 50.0f);
    EXPECT_EQ(a.y, 9.0f);

    ofRectangle assigned;
    assigned = a;
    a.x = -1;
    EXPECT_EQ(assigned.position.x, 100.0f);
    EXPECT_EQ(assigned.width, 3.0f);
    assigned.set(assigned);
    EXPECT_EQ(assigned.x, 100.0f);
    EXPECT_EQ(assigned.height, 4.0f);

    std::vector<ofRectangle> many(3, ofRectangle(1, 1, 1, 1));
    many.push_back(ofRectangle(2, 2, 2, 2));  // reallocation copies
    many[0].x = 42;
    EXPECT_EQ(many[0].position.x, 42.0f);
    EXPECT_EQ(many[1].x, 1.0f);
}

TEST(Vectors, NormalisingAndMatrixCopies) {
    ofPoint n = ofPoint(3, 4, 0).getNormalized();
    EXPECT_FLOAT_EQ(n.x, 0.6f);
    EXPECT_FLOAT_EQ(n.y, 0.8f);
    EXPECT_EQ(n.z, 0.0f);
    EXPECT_EQ(ofVec2f(0, -2).getNormalized(), ofVec2f(0, -1));
    // A zero vector stays zero rather than turning into NaN.
    EXPECT_EQ(ofPoint(0, 0, 0).getNormalized(), ofPoint(0, 0, 0));
    EXPECT_EQ(ofVec2f(0, 0).getNormalized(), ofVec2f(0, 0));

    ofMatrix4x4 m;
    for (int i = 0; i < 16; ++i) m.m[i] = static_cast<float>(i * i);
    ofMatrix4x4 c(m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(c.m[i], static_cast<float>(i * i));
}
