#include "ofMesh.h"

#include "ofGraphics.h"

ofMesh::ofMesh()
    : mode(OF_PRIMITIVE_TRIANGLES), useColors(true), useTextures(true), useNormals(true), useIndices(true) {}

void ofMesh::draw(ofPolyRenderMode renderType) {
    std::shared_ptr<ofBaseRenderer>& renderer = ofGetCurrentRenderer();
    if (renderer) renderer->draw(*this, static_cast<int>(renderType), usingColors(), usingTextures(), usingNormals());
}

void ofMesh::drawWireframe() {
    draw(OF_MESH_WIREFRAME);
}

void ofMesh::drawFaces() {
    draw(OF_MESH_FILL);
}

void ofMesh::addVertex(const ofPoint& v) {
    vertices.push_back(v);
}

void ofMesh::addVertices(const ofPoint* verts, int count) {
    if (count <= 0 || verts == nullptr) return;
    vertices.insert(vertices.end(), verts, verts + count);
}

void ofMesh::addColor(const ofFloatColor& c) {
    colors.push_back(c);
}

void ofMesh::addNormal(const ofPoint& n) {
    normals.push_back(n);
}

void ofMesh::addTexCoord(const ofVec2f& t) {
    texCoords.push_back(t);
}

void ofMesh::addIndices(const ofIndexType* inds, int count) {
    if (count <= 0 || inds == nullptr) return;
    indices.insert(indices.end(), inds, inds + count);
}

void ofMesh::clear() {
    vertices.clear();
    colors.clear();
    normals.clear();
    texCoords.clear();
    indices.clear();
}
