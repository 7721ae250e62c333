#pragma once

#include <vector>

// Collects axis-aligned rectangles into client-side vertex and colour arrays
// and draws each layer with one OpenGL call. Refill it every frame: clear,
// then setColor and addRect per rectangle, then draw (with a current GL
// compatibility context).
class LayerBatch {
public:
    // x, y, z per vertex.
    std::vector<float> vertices;
    // r, g, b, a bytes per vertex.
    std::vector<unsigned char> colours;
    std::vector<int> objectCounts;
    std::vector<int> lineWidths;
    int layers = 0;
    int objectsPerLayer = 0;
    // draw enables and disables the vertex and colour arrays itself.
    bool clientArrays = false;
    // 2: each object is a line; 3: a triangle.
    int verticesPerObject = 0;
    // Given to every vertex added; stored as each channel's low byte.
    int currentColour[4] = {255, 255, 255, 255};

    void setup(int verticesPerObject, int objectsPerLayer, int layers);
    void clear();
    void setColor(int r, int g, int b, int a);
    // Adds the rectangle (x, y)-(x + w, y + h) at depth z. False, with one
    // line on standard output, when it does not fit or cannot be held.
    bool addRect(float x, float y, float z, float w, float h, int layer);
    void draw();

private:
    void writeVertex(int index, float x, float y, float z);
};
