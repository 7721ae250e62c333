#pragma once

#include <vector>

#include "ofColor.h"
#include "ofGraphicsConstants.h"
#include "ofPoint.h"
#include "ofVec2f.h"

// Parallel lists of vertices, colours, normals and texture coordinates plus
// indices. Each list is contiguous: the renderer hands it to OpenGL in place.
class ofMesh {
public:
    ofMesh();
    virtual ~ofMesh() {}

    // Asks the current renderer to draw the mesh in this polygon mode.
    virtual void draw(ofPolyRenderMode renderType);

    virtual void enableColors() { useColors = true; }
    virtual void enableTextures() { useTextures = true; }
    virtual void enableNormals() { useNormals = true; }
    virtual void enableIndices() { useIndices = true; }
    virtual void disableColors() { useColors = false; }
    virtual void disableTextures() { useTextures = false; }
    virtual void disableNormals() { useNormals = false; }
    virtual void disableIndices() { useIndices = false; }
    virtual bool usingColors() const { return useColors; }
    virtual bool usingTextures() const { return useTextures; }
    virtual bool usingNormals() const { return useNormals; }
    virtual bool usingIndices() const { return useIndices; }

    void drawWireframe();
    void drawFaces();

    void addVertex(const ofPoint& v);
    void addVertices(const ofPoint* verts, int count);
    void addColor(const ofFloatColor& c);
    void addNormal(const ofPoint& n);
    void addTexCoord(const ofVec2f& t);
    void addIndices(const ofIndexType* inds, int count);

    // Empties all five lists; the mode and the use flags stay.
    void clear();

    void setMode(ofPrimitiveMode m) { mode = m; }
    ofPrimitiveMode getMode() const { return mode; }

    int getNumVertices() const { return static_cast<int>(vertices.size()); }
    int getNumColors() const { return static_cast<int>(colors.size()); }
    int getNumNormals() const { return static_cast<int>(normals.size()); }
    int getNumTexCoords() const { return static_cast<int>(texCoords.size()); }
    int getNumIndices() const { return static_cast<int>(indices.size()); }

    ofPoint* getVerticesPointer() { return vertices.data(); }
    ofFloatColor* getColorsPointer() { return colors.data(); }
    ofPoint* getNormalsPointer() { return normals.data(); }
    ofVec2f* getTexCoordsPointer() { return texCoords.data(); }
    ofIndexType* getIndexPointer() { return indices.data(); }

    const std::vector<ofPoint>& getVertices() const { return vertices; }
    const std::vector<ofIndexType>& getIndices() const { return indices; }

private:
    std::vector<ofPoint> vertices;
    std::vector<ofFloatColor> colors;
    std::vector<ofPoint> normals;
    std::vector<ofVec2f> texCoords;
    std::vector<ofIndexType> indices;
    ofPrimitiveMode mode;
    bool useColors, useTextures, useNormals, useIndices;
};
