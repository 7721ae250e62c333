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
    EXPECT_EQ((std::vector<int>{mesh.getNumVertices(), mesh.getNumIndices(), mesh.getNumNormals(),
                                mesh.getNumTexCoords(), mesh.getNumColors()}),
              (std::vector<int>{2, 3, 1, 1, 1}));
    EXPECT_EQ(mesh.getNormalsPointer()[0], ofPoint(0, 0, 1));
    EXPECT_EQ(mesh.getVerticesPointer()[1], ofPoint(4, 5, 6));
    mesh.setMode(OF_PRIMITIVE_LINE_LOOP);
    mesh.disableNormals();
    mesh.disableIndices();
    mesh.clear();
    EXPECT_EQ(mesh.getNumVertices() + mesh.getNumColors() + mesh.getNumNormals() + mesh.getNumTexCoords() +
                  mesh.getNumIndices(),
              0);
    EXPECT_EQ(mesh.getMode(), OF_PRIMITIVE_LINE_LOOP);
    EXPECT_EQ((std::vector<bool>{mesh.usingColors(), mesh.usingTextures(), mesh.usingNormals(), mesh.usingIndices()}),
              (std::vector<bool>{true, true, false, false}));
}

// Each flag goes to the renderer as it stands, in its own place; the index
// flag is not passed on.
TEST(Mesh, DrawAsksTheRendererWithItsFlags) {
    auto renderer = std::make_shared<RecordingRenderer>();
    ofSetCurrentRenderer(renderer);
    renderer->reset();
    ofMesh mesh;
    mesh.addVertex(ofPoint());
    const struct {
        void (*change)(ofMesh&);
        void (*draw)(ofMesh&);
        const char* call;
    } steps[] = {
        {[](ofMesh&) {}, [](ofMesh& m) { m.draw(OF_MESH_POINTS); }, "drawMesh(0,vertices=1,indices=0,true,true,true)"},
        {[](ofMesh& m) { m.disableColors(); }, [](ofMesh& m) { m.drawWireframe(); },
         "drawMesh(1,vertices=1,indices=0,false,true,true)"},
        {[](ofMesh& m) { m.disableNormals(); }, [](ofMesh& m) { m.drawFaces(); },
         "drawMesh(2,vertices=1,indices=0,false,true,false)"},
        {[](ofMesh& m) { m.disableTextures(); }, [](ofMesh& m) { m.draw(OF_MESH_WIREFRAME); },
         "drawMesh(1,vertices=1,indices=0,false,false,false)"},
        {[](ofMesh& m) { m.disableIndices(); }, [](ofMesh& m) { m.drawFaces(); },
         "drawMesh(2,vertices=1,indices=0,false,false,false)"},
        {[](ofMesh& m) { m.enableColors(); }, [](ofMesh& m) { m.drawFaces(); },
         "drawMesh(2,vertices=1,indices=0,true,false,false)"},
        {[](ofMesh& m) { m.enableNormals(); }, [](ofMesh& m) { m.drawFaces(); },
         "drawMesh(2,vertices=1,indices=0,true,false,true)"},
        {[](ofMesh& m) { m.enableTextures(); }, [](ofMesh& m) { m.drawFaces(); },
         "drawMesh(2,vertices=1,indices=0,true,true,true)"},
    };
    for (const auto& s : steps) {
        s.change(mesh);
        s.draw(mesh);
        EXPECT_EQ(renderer->take(), std::vector<std::string>{s.call});
    }
    // Without a renderer nothing happens.
    ofSetCurrentRenderer(nullptr);
    mesh.drawFaces();
    EXPECT_TRUE(renderer->calls.empty());
}
