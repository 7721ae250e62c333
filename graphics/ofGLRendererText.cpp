// The renderer's bitmap strings: placement modes, line feeds and the batch.
#include <GL/glew.h>
#include <GL/glu.h>

#include "ofAppRunner.h"
#include "ofBitmapFont.h"
#include "ofGLRenderer.h"
#include "ofGraphics.h"

namespace {

// Pen positions far outside any window still convert without overflow.
int penToInt(float v) {
    if (!(v > -1e9f && v < 1e9f)) return 0;
    return static_cast<int>(v);
}

}  // namespace

void ofGLRenderer::drawString(std::string text, float x, float y, float z, int mode) {
    flushForDirectGL();
    GLint blendSrc = GL_ONE, blendDst = GL_ZERO;
    glGetIntegerv(GL_BLEND_SRC, &blendSrc);
    glGetIntegerv(GL_BLEND_DST, &blendDst);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    float penX = 0;
    float penY = -8;
    bool popView = false, popModelView = false, popProjection = false;

    switch (mode) {
        case OF_BITMAPMODE_SIMPLE:
            penX += x;
            penY += y;
            break;
        case OF_BITMAPMODE_SCREEN: {
            ofPushView();
            ofRectangle window = ofGetWindowRect();
            ofViewport(window);
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            glTranslatef(-1, 1, 0);
            glScalef(2 / window.width, -2 / window.height, 1);
            ofTranslate(x, y, 0);
            popView = true;
            break;
        }
        case OF_BITMAPMODE_VIEWPORT: {
            ofRectangle view = ofGetCurrentViewport();
            glMatrixMode(GL_PROJECTION);
            glPushMatrix();
            glLoadIdentity();
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            glLoadIdentity();
            glTranslatef(-1, 1, 0);
            glScalef(2 / view.width, -2 / view.height, 1);
            ofTranslate(x, y, 0);
            popModelView = popProjection = true;
            break;
        }
        case OF_BITMAPMODE_MODEL:
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            ofTranslate(x, y, z);
            ofScale(1, -1, 0);
            popModelView = true;
            break;
        case OF_BITMAPMODE_MODEL_BILLBOARD: {
            GLdouble modelview[16], projection[16];
            GLint view[4];
            glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
            glGetDoublev(GL_PROJECTION_MATRIX, projection);
            glGetIntegerv(GL_VIEWPORT, view);
            view[0] = 0;
            view[1] = 0;
            GLdouble dx = 0, dy = 0, dz = 0;
            bool projected = gluProject(x, y, z, modelview, projection, view, &dx, &dy, &dz) == GL_TRUE;
            // Behind the far plane, or not projectable at all: nothing to draw.
            if (!projected || !(dz < 1)) {
                glBlendFunc(static_cast<GLenum>(blendSrc), static_cast<GLenum>(blendDst));
                return;
            }
            glMatrixMode(GL_PROJECTION);
            glPushMatrix();
            glLoadIdentity();
            glMatrixMode(GL_MODELVIEW);
            glPushMatrix();
            glLoadIdentity();
            glTranslatef(-1, -1, 0);
            glScalef(2.0f / static_cast<float>(view[2]), 2.0f / static_cast<float>(view[3]), 1);
            glTranslatef(static_cast<GLfloat>(dx), static_cast<GLfloat>(dy), 0);
            glScalef(1, -1, 1);
            popModelView = popProjection = true;
            break;
        }
        default:
            break;
    }

    ofDrawBitmapCharacterStart(static_cast<int>(text.size()));
    for (char c : text) {
        if (c == '\n') {
            penY += 13.6f;
            penX = mode == OF_BITMAPMODE_SIMPLE ? x : 0;
        } else if (c >= 32) {
            ofDrawBitmapCharacter(static_cast<unsigned char>(c), penToInt(penX), penToInt(penY));
            penX += 8;
        }
    }
    ofDrawBitmapCharacterEnd();

    if (popModelView) {
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
    }
    if (popProjection) {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
    if (popView) ofPopView();
    glBlendFunc(static_cast<GLenum>(blendSrc), static_cast<GLenum>(blendDst));
}
