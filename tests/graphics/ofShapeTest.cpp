#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakeTessellator.h"
#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofPath.h"

namespace {

typedef std::vector<std::string> Calls;

class Shape : public testing::Test {
protected:
    void SetUp() override {
        ofSetCurrentRenderer(renderer);
        ofSetStyle(ofStyle());
    }
    // Draws the points given after a fresh record; close() after the first three when split.
    void shape(int points, bool close, bool split = false) {
        renderer->reset();
        FakeTessellator::requests.clear();
        ofBeginShape();
        for (int i = 0; i < points; ++i) {
            ofVertex(i % 3 ? 10.0f : 0.0f, i >= 2 ? 10.0f : 0.0f);
            if (split && i == 2) ofGetShapePath().close();
        }
        ofEndShape(close);
    }
    FakeTessellator tess;
    std::shared_ptr<RecordingRenderer> renderer = std::make_shared<RecordingRenderer>();
};

}  // namespace

TEST_F(Shape, FilledShapesAreTessellatedAnewAndAnEmptyOneDrawsNothing) {
    for (int round = 0; round < 2; ++round) {
        shape(4, true);
        EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "drawMesh(vertices=4,indices=6,false,false,false)"}));
        EXPECT_EQ(FakeTessellator::requests, (Calls{"mesh(winding=0,is2D=false,outlines=[4c])"}));
    }
    EXPECT_EQ(renderer->drawnMeshes[0].getVertices()[2], ofPoint(10, 10, 0));
    shape(0, true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()"}));
    EXPECT_TRUE(FakeTessellator::requests.empty());
    // A line width while filled adds an outline.
    ofSetLineWidth(3);
    shape(4, true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "drawMesh(vertices=4,indices=6,false,false,false)",
                                     "setLineWidth(3)", "drawPolyline(points=4,closed)", "setLineWidth(3)"}));
}

TEST_F(Shape, UnfilledShapesAreOutlinesAndClosingMidShapeStartsANewOne) {
    ofSetLineWidth(2);
    ofNoFill();
    shape(4, false);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "setLineWidth(2)", "drawPolyline(points=4,open)",
                                     "setLineWidth(2)"}));
    EXPECT_TRUE(FakeTessellator::requests.empty());
    shape(5, true, true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "setLineWidth(2)", "drawPolyline(points=3,closed)",
                                     "drawPolyline(points=2,closed)", "setLineWidth(2)"}));
}
