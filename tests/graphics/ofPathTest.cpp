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
        renderer = std::make_shared<RecordingRenderer>();
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
        for (const ofPolyline& line : path.getOutline()) {
            out += (out.empty() ? "" : " ") + std::to_string(line.size()) + (line.isClosed() ? "c" : "o");
        }
        return out;
    }

    FakeTessellator tess;
    std::shared_ptr<RecordingRenderer> renderer;
};

// A tessellator that fails: it leaves its destination as it was.
void failingToMesh(const std::vector<ofPolyline>&, ofPolyWindingMode, ofMesh&, bool) {}

}  // namespace

TEST_F(Path, CommandsGroupIntoSubPaths) {
    ofPath path;
    path.close();  // no sub-path yet: an empty closed one
    triangle(path);
    path.bezierTo(1, 2, 3, 4, 5, 6);
    ASSERT_EQ(path.getSubPaths().size(), 3u);
    EXPECT_TRUE(path.getSubPaths()[0].getCommands().empty());
    const std::vector<ofSubPath::Command>& second = path.getSubPaths()[1].getCommands();
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[2].type, ofSubPath::Command::lineTo);
    EXPECT_EQ(second[2].to, ofPoint(0, 10));
    const ofSubPath::Command& curve = path.getSubPaths()[2].getCommands()[0];
    EXPECT_EQ(curve.type, ofSubPath::Command::bezierTo);
    EXPECT_EQ(curve.cp1, ofPoint(1, 2));
    EXPECT_EQ(curve.cp2, ofPoint(3, 4));
    EXPECT_EQ(curve.to, ofPoint(5, 6));
    // A Bezier with nothing before it in its outline adds no point.
    EXPECT_EQ(outlines(path), "0c 3c 0o");
}

TEST_F(Path, CurvesFollowTheCurveResolution) {
    ofPath path;
    path.lineTo(0, 0);
    path.quadBezierTo(0, 0, 10, 20, 20, 0);
    EXPECT_EQ(path.getOutline()[0].size(), 1 + 17);
    path.setCurveResolution(4);  // takes effect at the next generation
    ASSERT_EQ(path.getOutline()[0].size(), 1 + 5);
    EXPECT_EQ(path.getOutline()[0][3], ofPoint(10, 10));
    path.bezierTo(ofPoint(20, 10), ofPoint(30, 10), ofPoint(30, 0));
    EXPECT_EQ(path.getOutline()[0].size(), 6 + 4);
    path.setCurveResolution(0);  // taken as 2, no division by zero
    EXPECT_EQ(path.getOutline()[0].size(), 1 + 3 + 2);
}

TEST_F(Path, TessellatesOnlyWhenTheShapeChanged) {
    ofPath path;
    triangle(path);
    EXPECT_EQ(path.getTessellation().getNumIndices(), 3);
    path.getTessellation();
    path.getOutline();
    path.setCurveResolution(16);  // unchanged
    path.draw();
    EXPECT_EQ(FakeTessellator::requests, (Calls{"mesh(winding=0,is2D=false,outlines=[3c])"}));

    path.lineTo(5, 5);
    path.lineTo(6, 5);
    path.lineTo(5, 6);
    path.setCurveResolution(17);
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
    ofPath copy(path);
    EXPECT_EQ(copy.getTessellation().getNumVertices(), 6);
    EXPECT_EQ(FakeTessellator::requests.size(), 4u);
}

TEST_F(Path, FillIsRemadeWhenFilledAgainAfterAnUnfilledChange) {
    ofPath path;
    path.setMode(ofPath::POLYLINES);
    triangle(path);
    EXPECT_EQ(path.getTessellation().getNumVertices(), 3);
    path.setFilled(false);
    triangle(path, 20);
    path.tessellate();  // unfilled: no mesh made
    EXPECT_EQ(FakeTessellator::requests.size(), 1u);
    path.setFilled(true);
    EXPECT_EQ(path.getTessellation().getNumVertices(), 6);
    EXPECT_EQ(FakeTessellator::requests.size(), 2u);
}

TEST_F(Path, FailedTessellationLeavesNoStaleFill) {
    for (int mode : {ofPath::COMMANDS, ofPath::POLYLINES}) {
        ofPath path;
        path.setMode(mode);
        triangle(path);
        ASSERT_EQ(path.getTessellation().getNumVertices(), 3);
        ofSetPathTessellation(failingToMesh, nullptr);
        path.lineTo(1, 1);
        EXPECT_EQ(path.getTessellation().getNumVertices(), 0) << mode;
        FakeTessellator::install();
    }
}

TEST_F(Path, ClearedPathDrawsNothing) {
    for (int mode : {ofPath::COMMANDS, ofPath::POLYLINES}) {
        ofPath path;
        path.setMode(mode);
        path.setUseShapeColor(false);
        path.setStrokeWidth(1);
        triangle(path);
        path.draw();
        renderer->reset();
        FakeTessellator::requests.clear();
        path.clear();
        path.draw();
        // A cleared outline path keeps one empty outline, which draws no point.
        const Calls expected = mode == ofPath::COMMANDS
                                   ? Calls{"rendersPathDirectly()", "setLineWidth(1)", "setLineWidth(1)"}
                                   : Calls{"rendersPathDirectly()", "setLineWidth(1)", "drawPolyline(points=0,open)",
                                           "setLineWidth(1)"};
        EXPECT_EQ(renderer->calls, expected) << mode;
        EXPECT_TRUE(FakeTessellator::requests.empty());
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
    EXPECT_EQ(ofGetStyle().lineWidth, 3.0f);
}
