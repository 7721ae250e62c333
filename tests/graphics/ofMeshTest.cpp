#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingRenderer.h"
#include "ofGraphics.h"
#include "ofMesh.h"

TEST(Mesh, ClearEmptiesEveryListButKeepsModeAndFlags) {
    ofMesh mesh;
    EXPECT_EQ(mesh.getMode(), OF_PRIMITIVE_TRIANGLES);
    const ofPoint pts[] = {ofPoint(1, 2, 3), ofPoint(4, 5, 6)};
    const ofIndexType idx[] = {1, 0, 1};
    mesh.addVertices(pts, 2);
    mesh.addVertices(pts, 0);
    mesh.addIndices(idx, 3);
    mesh.addIndices(idx, 0);
    mesh.addNormal(ofPoint(0, 0, 1));
    mesh.addTexCoord(ofVec2f(0.5f, 1));
    mesh.addColor(ofFloatColor(ofColor::red));
    EXPECT_EQ(mesh.getNumVertices() + mesh.getNumIndices(), 5);
    mesh.setMode(OF_PRIMITIVE_LINE_LOOP);
    mesh.disableNormals();
    mesh.disableIndices();
    mesh.clear();
    EXPECT_EQ(mesh.getNumVertices() + mesh.getNumColors() + mesh.getNumNormals() + mesh.getNumTexCoords() +
                  mesh.getNumIndices(),
              0);
    EXPECT_EQ(mesh.getMode(), OF_PRIMITIVE_LINE_LOOP);
    EXPECT_FALSE(mesh.usingNormals());
    EXPECT_FALSE(mesh.usingIndices());
    EXPECT_TRUE(mesh.usingColors());
}

TEST(Mesh, DrawAsksTheRendererWithItsFlags) {
    auto renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    renderer->reset();
    ofMesh mesh;
    mesh.addVertex(ofPoint());
    mesh.draw(OF_MESH_POINTS);
    mesh.disableColors();
    mesh.disableNormals();
    mesh.disableIndices();  // not passed on
    mesh.drawWireframe();
    mesh.drawFaces();
    EXPECT_EQ(renderer->calls, (std::vector<std::string>{"drawMesh(0,vertices=1,indices=0,true,true,true)",
                                                        "drawMesh(1,vertices=1,indices=0,false,true,false)",
                                                        "drawMesh(2,vertices=1,indices=0,false,true,false)"}));
}
