#include "ofGLRenderer.h"

#include "ofImage.h"
#include "ofLog.h"

// Only byte images exist; the other two pixel types are never made, so
// there is nothing of theirs to draw.
void ofGLRenderer::draw(ofImage_<float>&, float, float, float, float, float, float, float, float, float) {}

void ofGLRenderer::draw(ofImage_<unsigned short>&, float, float, float, float, float, float, float, float, float) {}

void ofGLRenderer::draw(ofImage_<unsigned char>& image, float x, float y, float z, float w, float h, float sx,
                        float sy, float sw, float sh) {
    if (!image.isUsingTexture()) return;
    flushForDirectGL();
    ofTexture& texture = image.getTextureReference();
    if (!texture.isAllocated()) {
        ofLogWarning("OF") << "ofGLRenderer::draw(): texture is not allocated";
        return;
    }
    texture.drawArea(x, y, z, w, h, sx, sy, sw, sh);
}
