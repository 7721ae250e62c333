#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofPath.h"
#include "ofTessellator.h"
#include "tessTestSupport.h"

namespace {

ofPolyline outline(const std::vector<float>& xy, float z = 0) {
    ofPolyline line;
    for (size_t i = 0; i + 1 < xy.size(); i += 2) line.lineTo(ofPoint(xy[i], xy[i + 1], z));
    line.setClosed(true);
    return line;
}

double meshArea(const ofMesh& mesh) {
    const std::vector<ofPoint>& v = mesh.getVertices();
    const std::vector<ofIndexType>& idx = mesh.getIndices();
    double total = 0;
    for (size_t i = 0; i + 2 < idx.size(); i += 3) {
        const ofPoint &a = v[idx[i]], &b = v[idx[i + 1]], &c = v[idx[i + 2]];
        total += 0.5 * ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
    }
    return total;
}

double polylineArea(const ofPolyline& line) {
    double a = 0;
    for (int i = 0; i < line.size(); ++i) {
        const ofPoint& p = line[i];
        const ofPoint& q = line[(i + 1) % line.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return a / 2;
}

std::string captureErrors(const std::function<void()>& f) {
    testing::internal::CaptureStderr();
    f();
    fflush(stderr);
    return testing::internal::GetCapturedStderr();
}

const std::vector<float> kSquare = {0, 0, 10, 0, 10, 10, 0, 10};
const std::vector<float> kHole = {3, 3, 7, 3, 7, 7, 3, 7};

TEST(ofTessellator, MeshHoldsTrianglesOfTheFilledArea) {
    ofTessellator tess;
    ofMesh mesh;
    mesh.setMode(OF_PRIMITIVE_LINES);
    tess.tessellateToMesh({outline(kSquare)}, OF_POLY_WINDING_ODD, mesh, false);
    EXPECT_EQ(4, mesh.getNumVertices());
    EXPECT_EQ(6, mesh.getNumIndices());
    EXPECT_EQ(OF_PRIMITIVE_TRIANGLES, mesh.getMode());
    EXPECT_DOUBLE_EQ(100.0, meshArea(mesh));

    // The mesh is replaced, not added to.
    tess.tessellateToMesh({outline(kSquare), outline(kHole)}, OF_POLY_WINDING_ODD, mesh, false);
    EXPECT_EQ(8, mesh.getNumVertices());
    EXPECT_EQ(24, mesh.getNumIndices());
    EXPECT_DOUBLE_EQ(84.0, meshArea(mesh));
}

TEST(ofTessellator, PolylinesAreTheClosedBoundary) {
    ofTessellator tess;
    std::vector<ofPolyline> dst(5, outline({1, 1, 2, 2, 3, 1}));
    dst[3].setClosed(false);
    tess.tessellateToPolylines({outline(kSquare), outline(kHole)}, OF_POLY_WINDING_ODD, dst, false);
    ASSERT_EQ(2u, dst.size());
    for (const ofPolyline& line : dst) {
        EXPECT_TRUE(line.isClosed());
        EXPECT_EQ(4, line.size());
    }
    EXPECT_DOUBLE_EQ(84.0, polylineArea(dst[0]) + polylineArea(dst[1]));

    tess.tessellateToPolylines({outline(kSquare), outline({5, 5, 15, 5, 15, 15, 5, 15})}, OF_POLY_WINDING_NONZERO,
                               dst, false);
    ASSERT_EQ(1u, dst.size());
    EXPECT_EQ(8, dst[0].size());
    EXPECT_DOUBLE_EQ(175.0, polylineArea(dst[0]));
}

TEST(ofTessellator, EmptyOutlinesAreContoursToo) {
    ofTessellator tess;
    ofMesh mesh;
    const std::string err = captureErrors([&] {
        tess.tessellateToMesh({outline(kSquare), ofPolyline()}, OF_POLY_WINDING_ODD, mesh, false);
    });
    EXPECT_EQ("", err);
    EXPECT_EQ(6, mesh.getNumIndices());
}

TEST(ofTessellator, FailureIsLoggedOnceAndEmptiesTheDestination) {
    ofTessellator tess;
    ofMesh mesh;
    tess.tessellateToMesh({outline(kSquare)}, OF_POLY_WINDING_ODD, mesh, false);
    ASSERT_EQ(6, mesh.getNumIndices());
    // No outline at all: the core has nothing to work on.
    std::string err = captureErrors([&] { tess.tessellateToMesh({}, OF_POLY_WINDING_ODD, mesh, false); });
    EXPECT_EQ("[error] ofTessellator: tessellation failed\n", err);
    EXPECT_EQ(0, mesh.getNumVertices());
    EXPECT_EQ(0, mesh.getNumIndices());

    std::vector<ofPolyline> lines(2, outline(kSquare));
    err = captureErrors([&] { tess.tessellateToPolylines({}, OF_POLY_WINDING_NONZERO, lines, false); });
    EXPECT_EQ("[error] ofTessellator: tessellation failed\n", err);
    EXPECT_TRUE(lines.empty());

    // Nothing of the failure stays behind.
    tess.tessellateToMesh({outline(kSquare)}, OF_POLY_WINDING_ODD, mesh, false);
    EXPECT_EQ(6, mesh.getNumIndices());
}

TEST(ofTessellator, OutOfMemoryDuringARunDrawsNothingThatTime) {
    CountingAllocator counter;
    ofMesh mesh;
    {
        ofTessellator tess(counter.record());
        tess.tessellateToMesh({outline(kSquare)}, OF_POLY_WINDING_ODD, mesh, false);
        ASSERT_EQ(6, mesh.getNumIndices());
        counter.failAt = counter.requests + 3;
        const std::string err = captureErrors(
            [&] { tess.tessellateToMesh({outline(kSquare), outline(kHole)}, OF_POLY_WINDING_ODD, mesh, false); });
        EXPECT_EQ("[error] ofTessellator: tessellation failed\n", err);
        EXPECT_EQ(0, mesh.getNumIndices());
        tess.tessellateToMesh({outline(kSquare), outline(kHole)}, OF_POLY_WINDING_ODD, mesh, false);
        EXPECT_EQ(24, mesh.getNumIndices());
    }
    EXPECT_EQ(0, counter.live());
}

TEST(ofTessellator, WithoutACoreTessellatorNothingIsDrawn) {
    CountingAllocator counter;
    counter.failAt = 1;
    counter.failAfter = true;
    ofMesh mesh;
    {
        std::string err;
        err = captureErrors([&] {
            ofTessellator tess(counter.record());
            mesh.addVertex(ofPoint(1, 2, 3));
            tess.tessellateToMesh({outline(kSquare)}, OF_POLY_WINDING_ODD, mesh, false);
            std::vector<ofPolyline> lines(1, outline(kSquare));
            tess.tessellateToPolylines({outline(kSquare)}, OF_POLY_WINDING_NONZERO, lines, false);
            EXPECT_TRUE(lines.empty());
        });
        EXPECT_EQ("[error] ofTessellator: could not create the tessellator\n"
                  "[error] ofTessellator: no tessellator, nothing drawn\n"
                  "[error] ofTessellator: no tessellator, nothing drawn\n",
                  err);
    }
    EXPECT_EQ(0, mesh.getNumVertices());
    EXPECT_EQ(0, counter.live());

    // Memory back: the next shape makes the core tessellator after all.
    counter.failAt = 1;
    counter.failAfter = false;
    counter.requests = 0;
    const std::string err = captureErrors([&] {
        ofTessellator tess(counter.record());
        tess.tessellateToMesh({outline(kSquare)}, OF_POLY_WINDING_ODD, mesh, false);
    });
    EXPECT_EQ("[error] ofTessellator: could not create the tessellator\n", err);
    EXPECT_EQ(6, mesh.getNumIndices());
}

// The whole fill road: shape calls, the global shape path, the shared
// tessellator and the renderer.
class FillRoad : public testing::Test {
protected:
    void SetUp() override {
        renderer = std::make_shared<RecordingRenderer>();
        ofSetCurrentRenderer(renderer);
        ofSetStyle(ofStyle());
        ofFill();
        renderer->reset();
    }
    std::shared_ptr<RecordingRenderer> renderer;
};

TEST_F(FillRoad, CornersNearTheFloatLimitDrawNothingAndDoNotCrash) {
    const std::string err = captureErrors([] {
        ofBeginShape();
        ofVertex(-2e15f, -1.4345e38f);
        ofVertex(1e-14f, 0);
        ofVertex(0, -2e15f);
        ofVertex(0, 0);
        ofEndShape(true);
    });
    EXPECT_EQ("[error] ofTessellator: tessellation failed\n", err);
    for (const ofMesh& m : renderer->drawnMeshes) EXPECT_EQ(0, m.getNumIndices());

    // The shared tessellator goes on filling.
    renderer->reset();
    ofBeginShape();
    ofVertex(0, 0);
    ofVertex(10, 0);
    ofVertex(10, 10);
    ofEndShape(true);
    ASSERT_EQ(1u, renderer->drawnMeshes.size());
    EXPECT_DOUBLE_EQ(50.0, std::abs(meshArea(renderer->drawnMeshes[0])));
}

} // namespace
