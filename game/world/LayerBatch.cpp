#include "LayerBatch.h"

#include <GL/glew.h>

#include <algorithm>
#include <iostream>

#include "ofGraphics.h"

void LayerBatch::setup(int perObject, int perLayer, int layerCount) {
    // Negative sizes hold nothing rather than fail to allocate.
    verticesPerObject = perObject;
    objectsPerLayer = std::max(perLayer, 0);
    layers = std::max(layerCount, 0);
    const size_t vertexCount =
        static_cast<size_t>(std::max(perObject, 0)) * static_cast<size_t>(objectsPerLayer) * static_cast<size_t>(layers);
    vertices.assign(vertexCount * 3, 0.0f);
    colours.assign(vertexCount * 4, 0);
    objectCounts.assign(layers, 0);
    lineWidths.assign(layers, 1);
    currentColour[0] = currentColour[1] = currentColour[2] = currentColour[3] = 255;
    clientArrays = true;
}

void LayerBatch::clear() {
    std::fill(objectCounts.begin(), objectCounts.end(), 0);
}

void LayerBatch::setColor(int r, int g, int b, int a) {
    currentColour[0] = r;
    currentColour[1] = g;
    currentColour[2] = b;
    currentColour[3] = a;
}

void LayerBatch::writeVertex(int index, float x, float y, float z) {
    float* v = &vertices[static_cast<size_t>(index) * 3];
    v[0] = x;
    v[1] = y;
    v[2] = z;
    unsigned char* c = &colours[static_cast<size_t>(index) * 4];
    for (int k = 0; k < 4; k++) c[k] = static_cast<unsigned char>(static_cast<long long>(currentColour[k]) & 0xFF);
}

bool LayerBatch::addRect(float x, float y, float z, float w, float h, int layer) {
    if (layer < 0 || layer >= layers) {
        std::cout << "RENDER ERROR: Bogus layer '" << layer << "'! Only " << layers << " layers compiled!"
                  << std::endl;
        return false;
    }
    if (verticesPerObject != 2 && verticesPerObject != 3) {
        std::cout << "RENDER ERROR: Cannot add a rect with " << verticesPerObject << " vertices per object!"
                  << std::endl;
        return false;
    }
    const int n = objectCounts[layer];
    const int objectsNeeded = verticesPerObject == 2 ? 4 : 2;
    // Refuses a rect that would exactly fill the layer, as the batch always has.
    if (n + objectsNeeded >= objectsPerLayer) {
        std::cout << "RENDER ERROR: Layer " << layer << " over allocated! Max " << objectsPerLayer
                  << " objects per layer! Ran out during rect addition" << std::endl;
        return false;
    }
    int v = (n + objectsPerLayer * layer) * verticesPerObject;
    if (verticesPerObject == 2) {
        const float edges[8][2] = {{x, y},     {x + w, y},     {x, y},         {x, y + h},
                                   {x + w, y}, {x + w, y + h}, {x, y + h}, {x + w, y + h}};
        for (const auto& p : edges) writeVertex(v++, p[0], p[1], z);
    } else {
        const float corners[6][2] = {{x, y}, {x + w, y}, {x, y + h}, {x + w, y}, {x, y + h}, {x + w, y + h}};
        for (const auto& p : corners) writeVertex(v++, p[0], p[1], z);
    }
    objectCounts[layer] = n + objectsNeeded;
    return true;
}

void LayerBatch::draw() {
    if (vertices.empty()) return;
    ofFlushDraws();
    if (clientArrays) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
    }
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, colours.data());
    const GLenum mode = verticesPerObject == 2 ? GL_LINES : GL_TRIANGLES;
    for (int layer = 0; layer < layers; layer++) {
        if (objectCounts[layer] <= 0) continue;
        glLineWidth(static_cast<GLfloat>(lineWidths[layer]));
        glDrawArrays(mode, objectsPerLayer * verticesPerObject * layer, objectCounts[layer] * verticesPerObject);
    }
    if (clientArrays) {
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
}
