#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofPath.h"
#include "ofTessellator.h"
#include "tessTestSupport.h"

namespace {

ofPolyline outline(const std::vector<float>& xy) {
    ofPolyline line;
    for (size_t i = 0; i + 1 < xy.size(); i += 2) line.lineTo(ofPoint(xy[i], xy[i + 1]));
    line.setClosed(true);
    return line;
}

std::string errors(const std::function<void()>& f) {
    testing::internal::CaptureStderr();
    f();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

const std::vector<ofPolyline> kSquare = {outline(square(0, 0, 10))};
const std::vector<ofPolyline> kHoled = {outline(square(0, 0, 10)), ofPolyline(), outline(square(3, 3, 4))};
const std::string kFailed = "[error] ofTessellator: tessellation failed\n";

// What comes out is held by the digest test; here what a failure leaves.
TEST(ofTessellator, FailureIsLoggedOnceAndEmptiesTheDestination) {
    ofTessellator tess;
    ofMesh mesh;
    // An empty outline among the others is no failure.
    EXPECT_EQ("", errors([&] { tess.tessellateToMesh(kHoled, OF_POLY_WINDING_ODD, mesh, false); }));
    // No outline at all: the core has nothing to work on.
    EXPECT_EQ(kFailed, errors([&] { tess.tessellateToMesh({}, OF_POLY_WINDING_ODD, mesh, false); }));
    EXPECT_EQ(0, mesh.getNumVertices() + mesh.getNumIndices());
    std::vector<ofPolyline> lines = kSquare;
    EXPECT_EQ(kFailed, errors([&] { tess.tessellateToPolylines({}, OF_POLY_WINDING_NONZERO, lines, false); }));
    EXPECT_TRUE(lines.empty());
    tess.tessellateToMesh(kSquare, OF_POLY_WINDING_ODD, mesh, false);
    EXPECT_EQ(6, mesh.getNumIndices());
}

TEST(ofTessellator, OutOfMemoryDuringARunDrawsNothingThatTime) {
    CountingAllocator counter;
    ofMesh mesh;
    {
        ofTessellator tess(counter.record());
        tess.tessellateToMesh(kSquare, OF_POLY_WINDING_ODD, mesh, false);
        counter.failAt = counter.requests + 3;
        EXPECT_EQ(kFailed, errors([&] { tess.tessellateToMesh(kHoled, OF_POLY_WINDING_ODD, mesh, false); }));
        EXPECT_EQ(0, mesh.getNumIndices());
        tess.tessellateToMesh(kHoled, OF_POLY_WINDING_ODD, mesh, false);
        EXPECT_EQ(24, mesh.getNumIndices());
    }
    EXPECT_EQ(0, counter.live());
}

TEST(ofTessellator, WithoutACoreTessellatorNothingIsDrawnUntilOneCanBeMade) {
    CountingAllocator counter;
    counter.failAt = 1;
    counter.failAfter = true;
    ofMesh mesh;
    mesh.addVertex(ofPoint(1, 2, 3));
    std::vector<ofPolyline> lines = kSquare;
    EXPECT_EQ("[error] ofTessellator: could not create the tessellator\n"
              "[error] ofTessellator: no tessellator, nothing drawn\n"
              "[error] ofTessellator: no tessellator, nothing drawn\n",
              errors([&] {
                  ofTessellator tess(counter.record());
                  tess.tessellateToMesh(kSquare, OF_POLY_WINDING_ODD, mesh, false);
                  tess.tessellateToPolylines(kSquare, OF_POLY_WINDING_NONZERO, lines, false);
              }));
    EXPECT_EQ(0u, mesh.getNumVertices() + lines.size());
    EXPECT_EQ(0, counter.live());

    // Memory back: the next shape makes the core tessellator after all.
    counter.failAfter = false;
    counter.requests = 0;
    EXPECT_EQ("[error] ofTessellator: could not create the tessellator\n", errors([&] {
                  ofTessellator tess(counter.record());
                  tess.tessellateToMesh(kSquare, OF_POLY_WINDING_ODD, mesh, false);
              }));
    EXPECT_EQ(6, mesh.getNumIndices());
}

// The whole fill road: shape calls, the global shape path, the shared
// tessellator and the renderer.
TEST(FillRoad, CornersNearTheFloatLimitDrawNothingAndDoNotCrash) {
    auto renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    ofSetStyle(ofStyle());
    ofFill();
    auto shape = [](const std::vector<float>& xy) {
        ofBeginShape();
        for (size_t i = 0; i < xy.size(); i += 2) ofVertex(xy[i], xy[i + 1]);
        ofEndShape(true);
    };
    renderer->reset();
    EXPECT_EQ(kFailed, errors([&] { shape({-2e15f, -1.4345e38f, 1e-14f, 0, 0, -2e15f, 0, 0}); }));
    for (const ofMesh& m : renderer->drawnMeshes) EXPECT_EQ(0, m.getNumIndices());
    // The shared tessellator goes on filling.
    renderer->reset();
    shape({0, 0, 10, 0, 10, 10});
    ASSERT_EQ(1u, renderer->drawnMeshes.size());
    EXPECT_EQ(3, renderer->drawnMeshes[0].getNumIndices());
}


// A path's own fill and contours come from the shared tessellator by default.
TEST(FillRoad, PathWithHoleUnderTwoRules) {
    auto area = [](const ofMesh& mesh) {
        const std::vector<ofPoint>& v = mesh.getVertices();
        const std::vector<ofIndexType>& idx = mesh.getIndices();
        double total = 0;
        for (size_t i = 0; i + 2 < idx.size(); i += 3) {
            const ofPoint &a = v[idx[i]], &b = v[idx[i + 1]], &c = v[idx[i + 2]];
            total += 0.5 * ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
        }
        return total;
    };
    ofPath path;
    for (const ofPolyline& line : kHoled) {
        for (const ofPoint& p : line.getVertices()) path.lineTo(p);
        if (line.size()) path.close();
    }
    EXPECT_DOUBLE_EQ(84.0, area(path.getTessellation()));
    path.setPolyWindingMode(OF_POLY_WINDING_NONZERO);
    path.setStrokeWidth(1);
    EXPECT_DOUBLE_EQ(100.0, area(path.getTessellation()));
    // Its outline under nonzero is the outer square alone, closed.
    ASSERT_EQ(1u, path.getOutline().size());
    const ofPolyline& outer = path.getOutline()[0];
    EXPECT_TRUE(outer.isClosed());
    std::vector<ofPoint> corners = outer.getVertices();
    std::sort(corners.begin(), corners.end(),
              [](const ofPoint& a, const ofPoint& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    EXPECT_EQ(corners, (std::vector<ofPoint>{ofPoint(0, 0), ofPoint(0, 10), ofPoint(10, 0), ofPoint(10, 10)}));
}

} // namespace
