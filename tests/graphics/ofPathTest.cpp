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

class Path : public testing::Test {
protected:
    void SetUp() override {
        ofSetCurrentRenderer(renderer);
        ofSetStyle(ofStyle());
        renderer->reset();
    }
    static void triangle(ofPath& path, float at = 0) {
        path.lineTo(at, at);
        path.lineTo(at + 10, at);
        path.lineTo(at, at + 10);
        path.close();
    }
    // Point count and closed flag of each outline, e.g. "3c 0o".
    static std::string outlines(ofPath& path) {
        std::string out;
        for (const ofPolyline& line : path.getOutline())
            out += (out.empty() ? "" : " ") + std::to_string(line.size()) + (line.isClosed() ? "c" : "o");
        return out;
    }
    FakeTessellator tess;
    std::shared_ptr<RecordingRenderer> renderer = std::make_shared<RecordingRenderer>();
};

TEST_F(Path, CommandsGroupIntoSubPathsAndCurvesFollowTheResolution) {
    ofPath path;
    path.close();  // no sub-path yet: an empty closed one
    triangle(path);
    path.bezierTo(1, 2, 3, 4, 5, 6);  // with nothing before it in its outline: no point
    EXPECT_EQ(path.getSubPaths()[2].getCommands()[0].cp2, ofPoint(3, 4));
    EXPECT_EQ(outlines(path), "0c 3c 0o");

    ofPath curves;
    curves.lineTo(0, 0);
    curves.quadBezierTo(0, 0, 10, 20, 20, 0);
    EXPECT_EQ(curves.getOutline()[0].size(), 1 + 17);
    curves.setCurveResolution(4);  // takes effect at the next generation
    ASSERT_EQ(curves.getOutline()[0].size(), 1 + 5);
    EXPECT_EQ(curves.getOutline()[0][3], ofPoint(10, 10));
    curves.setCurveResolution(0);  // taken as 2, no division by zero
    EXPECT_EQ(curves.getOutline()[0].size(), 1 + 3);
}

TEST_F(Path, TessellatesOnlyWhenTheShapeChanged) {
    ofPath path;
    triangle(path);
    EXPECT_EQ(path.getTessellation().getNumIndices(), 3);
    path.getOutline();
    path.setCurveResolution(16);  // unchanged
    path.draw();
    path.lineTo(5, 5);
    path.lineTo(6, 5);
    path.lineTo(5, 6);
    path.getTessellation();
    path.getTessellation();
    // Winding changes re-tessellate; with a stroke the contours are made too.
    path.setStrokeWidth(2);
    path.setPolyWindingMode(OF_POLY_WINDING_NONZERO);
    path.setPolyWindingMode(OF_POLY_WINDING_NONZERO);
    EXPECT_EQ(outlines(path), "3c 3c");
    EXPECT_EQ(FakeTessellator::requests,
              (Calls{"mesh(winding=0,is2D=false,outlines=[3c])", "mesh(winding=0,is2D=false,outlines=[3c,3o])",
                     "mesh(winding=1,is2D=false,outlines=[3c,3o])", "contours(winding=1,is2D=false,outlines=[3c,3o])"}));
    // Copies carry the fill along.
    EXPECT_EQ(ofPath(path).getTessellation().getNumVertices(), 6);
    EXPECT_EQ(FakeTessellator::requests.size(), 4u);
}

// Whenever the shape changed, the old fill is gone: filled again after an
// unfilled edit, after a clear (which draws nothing) or after a tessellation
// that failed.
TEST_F(Path, NoStaleFill) {
    ofPath outline;
    outline.setMode(ofPath::POLYLINES);
    triangle(outline);
    EXPECT_EQ(outline.getTessellation().getNumVertices(), 3);
    outline.setFilled(false);
    triangle(outline, 20);
    outline.tessellate();  // unfilled: no mesh made
    outline.setFilled(true);
    EXPECT_EQ(outline.getTessellation().getNumVertices(), 6);

    for (int mode : {ofPath::COMMANDS, ofPath::POLYLINES}) {
        ofPath path;
        path.setMode(mode);
        path.setStrokeWidth(1);
        triangle(path);
        path.draw();
        renderer->reset();
        FakeTessellator::requests.clear();
        path.clear();
        path.draw();
        for (const std::string& call : renderer->calls)
            EXPECT_TRUE(call.rfind("draw", 0) != 0 || call == "drawPolyline(points=0,open)") << call;
        EXPECT_TRUE(renderer->drawnMeshes.empty() && FakeTessellator::requests.empty());

        triangle(path);
        ASSERT_EQ(path.getTessellation().getNumVertices(), 3);
        // A tessellator that fails leaves its destination as it was.
        ofSetPathTessellation([](const std::vector<ofPolyline>&, ofPolyWindingMode, ofMesh&, bool) {}, nullptr);
        path.lineTo(1, 1);
        EXPECT_EQ(path.getTessellation().getNumVertices(), 0) << mode;
        FakeTessellator::install();
    }
}

TEST_F(Path, DrawWithShapeColoursRestoresStyle) {
    ofSetColor(10, 20, 30, 40);
    ofSetLineWidth(3);
    renderer->reset();
    ofPath path;
    triangle(path);
    path.setStrokeWidth(2);
    path.draw();
    EXPECT_EQ(renderer->calls,
              (Calls{"rendersPathDirectly()", "setColor(255,255,255,255)",
                     "drawMesh(vertices=3,indices=3,true,false,false)", "setColor(255,255,255,255)",
                     "setLineWidth(2)", "drawPolyline(points=3,closed)", "setLineWidth(3)", "setColor(10,20,30,40)"}));
    EXPECT_EQ(ofGetStyle().color, ofColor(10, 20, 30, 40));
}


// A renderer that draws paths itself gets the path as it is: nothing is
// tessellated for it and the style is left alone.
TEST_F(Path, ARendererThatDrawsPathsItselfGetsThePath) {
    renderer->drawsPathsDirectly = true;
    ofPath path;
    triangle(path);
    path.setStrokeWidth(2);
    path.draw();
    EXPECT_EQ(renderer->calls, (Calls{"rendersPathDirectly()", "drawPath()"}));
    EXPECT_TRUE(FakeTessellator::requests.empty());

    // Assignment takes every setting and the shape.
    ofPath copy;
    copy.setMode(ofPath::POLYLINES);
    copy.setFilled(false);
    copy.setUseShapeColor(false);
    copy = path;
    EXPECT_EQ((std::vector<float>{float(copy.getMode()), float(copy.isFilled()), float(copy.getUseShapeColor()),
                                  copy.getStrokeWidth()}),
              (std::vector<float>{ofPath::COMMANDS, 1, 1, 2}));
    EXPECT_EQ(copy.getStrokeColor(), ofColor(255, 255, 255, 255));
    EXPECT_EQ(outlines(copy), "3c");
}

// Simplify thins the outlines (made from the commands first) and nothing
// regenerates them afterwards.
TEST_F(Path, SimplifyThinsTheOutlinesInBothModes) {
    for (int mode : {ofPath::COMMANDS, ofPath::POLYLINES}) {
        ofPath flat;
        flat.setMode(mode);
        for (ofPoint p : {ofPoint(0, 0), ofPoint(1, 0.01f), ofPoint(2, 0), ofPoint(2.05f, 5), ofPoint(2, 10)})
            flat.lineTo(p);
        flat.close();
        flat.lineTo(20, 20);
        flat.simplify(0.1f);
        ASSERT_EQ(flat.getOutline().size(), 2u) << mode;
        EXPECT_EQ(flat.getOutline()[0].getVertices(), (std::vector<ofPoint>{ofPoint(0, 0), ofPoint(2, 0), ofPoint(2, 10)}))
            << mode;
        EXPECT_TRUE(flat.getOutline()[0].isClosed());
        EXPECT_EQ(flat.getOutline()[1].getVertices(), std::vector<ofPoint>{ofPoint(20, 20)}) << mode;
        flat.simplify(100);
        EXPECT_EQ(flat.getOutline()[0].getVertices(), (std::vector<ofPoint>{ofPoint(0, 0), ofPoint(2, 10)})) << mode;
    }
}

}  // namespace
