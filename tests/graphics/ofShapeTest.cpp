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
        renderer = std::make_shared<RecordingRenderer>();
        ofSetCurrentRenderer(renderer);
        ofSetStyle(ofStyle());
    }

    // Draws a 10 x 10 square after a fresh record.
    void quad(bool close) {
        renderer->reset();
        FakeTessellator::requests.clear();
        ofBeginShape();
        ofVertex(0, 0);
        ofVertex(10, 0);
        ofVertex(10, 10);
        ofVertex(0, 10);
        ofEndShape(close);
    }

    FakeTessellator tess;
    std::shared_ptr<RecordingRenderer> renderer;
};

}  // namespace

TEST_F(Shape, FilledShapeDrawsOneTriangulatedFillInTheCurrentColour) {
    ofSetColor(10, 20, 30);
    quad(true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "drawMesh(vertices=4,indices=6,false,false,false)"}));
    EXPECT_EQ(FakeTessellator::requests, (Calls{"mesh(winding=0,is2D=false,outlines=[4c])"}));
    ASSERT_EQ(renderer->drawnMeshes.size(), 1u);
    EXPECT_EQ(renderer->drawnMeshes[0].getVertices()[2], ofPoint(10, 10, 0));
    EXPECT_EQ(renderer->drawnMeshes[0].getMode(), OF_PRIMITIVE_TRIANGLES);
    // Every shape is tessellated anew.
    quad(true);
    EXPECT_EQ(FakeTessellator::requests.size(), 1u);

    // An empty shape after a filled one draws nothing.
    renderer->reset();
    FakeTessellator::requests.clear();
    ofBeginShape();
    ofEndShape(true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()"}));
    EXPECT_TRUE(FakeTessellator::requests.empty());
    EXPECT_EQ(ofGetShapePath().getTessellation().getNumVertices(), 0);
}

TEST_F(Shape, UnfilledShapeIsOneOutlineAtTheStyleLineWidth) {
    ofSetLineWidth(2);
    ofNoFill();
    quad(true);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "setLineWidth(2)", "drawPolyline(points=4,closed)",
                                     "setLineWidth(2)"}));
    EXPECT_TRUE(FakeTessellator::requests.empty());
    ASSERT_EQ(renderer->drawnPolylines.size(), 1u);
    EXPECT_EQ(renderer->drawnPolylines[0][3], ofPoint(0, 10, 0));
    quad(false);
    EXPECT_EQ(renderer->calls[2], "drawPolyline(points=4,open)");

    // Closing mid-shape starts a new outline.
    ofBeginShape();
    ofVertex(0, 0);
    ofVertex(1, 0);
    ofVertex(1, 1);
    ofGetShapePath().close();
    ofVertex(5, 5);
    ofVertex(6, 5);
    renderer->reset();
    ofEndShape(false);
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "setLineWidth(2)", "drawPolyline(points=3,closed)",
                                     "drawPolyline(points=2,open)", "setLineWidth(2)"}));
}

TEST_F(Shape, LineWidthWhileFilledAddsAnOutline) {
    ofFill();
    ofSetLineWidth(3);
    quad(true);
    EXPECT_EQ(renderer->calls,
              (Calls{"rendersPathDirectly()", "drawMesh(vertices=4,indices=6,false,false,false)", "setLineWidth(3)",
                     "drawPolyline(points=4,closed)", "setLineWidth(3)"}));
}
