#include "ofGLRenderer.h"

#include <algorithm>
#include <cmath>

#include "ofAppRunner.h"
#include "ofGraphics.h"
#include "ofLog.h"
#include "ofPath.h"
#include "ofUtils.h"

namespace {

const double pi = 3.14159265358979323846;

// Every renderer alive, for ofFlushDraws; reached at exit, so never freed.
std::vector<ofGLRenderer*>& liveRenderers() {
    static std::vector<ofGLRenderer*>* renderers = new std::vector<ofGLRenderer*>;
    return *renderers;
}

// The batch takes every primitive but points.
bool batchShape(GLenum primitive, ofGLRendererBatch::Shape& shape) {
    switch (primitive) {
        case GL_TRIANGLES: shape = ofGLRendererBatch::TRIANGLES; return true;
        case GL_TRIANGLE_STRIP: shape = ofGLRendererBatch::TRIANGLE_STRIP; return true;
        case GL_TRIANGLE_FAN: shape = ofGLRendererBatch::TRIANGLE_FAN; return true;
        case GL_LINES: shape = ofGLRendererBatch::LINES; return true;
        case GL_LINE_STRIP: shape = ofGLRendererBatch::LINE_STRIP; return true;
        case GL_LINE_LOOP: shape = ofGLRendererBatch::LINE_LOOP; return true;
        default: return false;
    }
}

ofMatrix4x4 frustumMatrix(double left, double right, double bottom, double top, double nearDist, double farDist) {
    ofMatrix4x4 m;
    for (float& v : m.m) v = 0;
    m.m[0] = static_cast<float>(2 * nearDist / (right - left));
    m.m[5] = static_cast<float>(2 * nearDist / (top - bottom));
    m.m[8] = static_cast<float>((right + left) / (right - left));
    m.m[9] = static_cast<float>((top + bottom) / (top - bottom));
    m.m[10] = static_cast<float>(-(farDist + nearDist) / (farDist - nearDist));
    m.m[11] = -1;
    m.m[14] = static_cast<float>(-2 * farDist * nearDist / (farDist - nearDist));
    return m;
}

ofMatrix4x4 orthoMatrix(double left, double right, double bottom, double top, double nearDist, double farDist) {
    ofMatrix4x4 m;
    m.m[0] = static_cast<float>(2 / (right - left));
    m.m[5] = static_cast<float>(2 / (top - bottom));
    m.m[10] = static_cast<float>(-2 / (farDist - nearDist));
    m.m[12] = static_cast<float>(-(right + left) / (right - left));
    m.m[13] = static_cast<float>(-(top + bottom) / (top - bottom));
    m.m[14] = static_cast<float>(-(farDist + nearDist) / (farDist - nearDist));
    return m;
}

ofMatrix4x4 lookAtMatrix(const ofPoint& eye, const ofPoint& centre, const ofPoint& up) {
    ofPoint f(centre.x - eye.x, centre.y - eye.y, centre.z - eye.z);
    f = f.getNormalized();
    ofPoint u = up.getNormalized();
    ofPoint s(f.y * u.z - f.z * u.y, f.z * u.x - f.x * u.z, f.x * u.y - f.y * u.x);
    s = s.getNormalized();
    u = ofPoint(s.y * f.z - s.z * f.y, s.z * f.x - s.x * f.z, s.x * f.y - s.y * f.x);
    ofMatrix4x4 m;
    m.m[0] = s.x;
    m.m[4] = s.y;
    m.m[8] = s.z;
    m.m[1] = u.x;
    m.m[5] = u.y;
    m.m[9] = u.z;
    m.m[2] = -f.x;
    m.m[6] = -f.y;
    m.m[10] = -f.z;
    m.m[12] = -(s.x * eye.x + s.y * eye.y + s.z * eye.z);
    m.m[13] = -(u.x * eye.x + u.y * eye.y + u.z * eye.z);
    m.m[14] = f.x * eye.x + f.y * eye.y + f.z * eye.z;
    return m;
}

// Turns and flips the model-view so that y grows downwards from the top.
void orientScreen(float width, float height, int orientation, bool vFlip) {
    if (ofDoesHWOrientation()) {
        if (vFlip) {
            glScalef(1, -1, 1);
            glTranslatef(0, -height, 0);
        }
        return;
    }
    if (orientation == OF_ORIENTATION_UNKNOWN) orientation = ofGetOrientation();
    switch (orientation) {
        case OF_ORIENTATION_180:
            glRotatef(-180, 0, 0, 1);
            if (vFlip) {
                glScalef(1, -1, 1);
                glTranslatef(-width, 0, 0);
            } else {
                glTranslatef(-width, -height, 0);
            }
            break;
        case OF_ORIENTATION_90_LEFT:
            glRotatef(90, 0, 0, 1);
            if (vFlip) {
                glScalef(-1, 1, 1);
                glTranslatef(-width, -height, 0);
            } else {
                glScalef(-1, -1, 1);
                glTranslatef(-width, 0, 0);
            }
            break;
        case OF_ORIENTATION_90_RIGHT:
            glRotatef(-90, 0, 0, 1);
            if (vFlip) {
                glScalef(-1, 1, 1);
            } else {
                glScalef(-1, -1, 1);
                glTranslatef(0, -height, 0);
            }
            break;
        default:
            if (vFlip) {
                glScalef(1, -1, 1);
                glTranslatef(0, -height, 0);
            }
            break;
    }
}

// A shorter attribute list would make OpenGL read past its end.
bool attributeFits(int count, int vertexCount, const char* what) {
    if (count >= vertexCount) return true;
    static bool warned = false;
    if (!warned) {
        warned = true;
        ofLog(OF_LOG_WARNING, std::string("ofGLRenderer::draw(): mesh has fewer ") + what +
                                  " than vertices; they are not drawn");
    }
    return false;
}

bool indicesFit(const ofMesh& mesh) {
    const std::vector<ofIndexType>& indices = mesh.getIndices();
    const ofIndexType count = static_cast<ofIndexType>(mesh.getNumVertices());
    for (ofIndexType i : indices)
        if (i >= count) {
            ofLog(OF_LOG_WARNING, "ofGLRenderer::draw(): mesh index " + ofToString(static_cast<unsigned int>(i)) +
                                      " is past its last vertex; mesh not drawn");
            return false;
        }
    return true;
}

}  // namespace

GLenum ofGetGLPrimitiveMode(int mode) {
    switch (mode) {
        case OF_PRIMITIVE_TRIANGLES: return GL_TRIANGLES;
        case OF_PRIMITIVE_TRIANGLE_STRIP: return GL_TRIANGLE_STRIP;
        case OF_PRIMITIVE_TRIANGLE_FAN: return GL_TRIANGLE_FAN;
        case OF_PRIMITIVE_LINES: return GL_LINES;
        case OF_PRIMITIVE_LINE_STRIP: return GL_LINE_STRIP;
        case OF_PRIMITIVE_LINE_LOOP: return GL_LINE_LOOP;
        case OF_PRIMITIVE_POINTS: return GL_POINTS;
        default:
            ofLog(OF_LOG_ERROR, "asked for unsupported or non existant primitive mode " + ofToString(mode) +
                                    " returning GL_TRIANGLES");
            return GL_TRIANGLES;
    }
}

GLenum ofGetGLPolyMode(int mode) {
    switch (mode) {
        case OF_MESH_POINTS: return GL_POINT;
        case OF_MESH_WIREFRAME: return GL_LINE;
        case OF_MESH_FILL: return GL_FILL;
        default:
            ofLog(OF_LOG_ERROR,
                  "asked for unsupported or non existant poly mode " + ofToString(mode) + " returning GL_FILL");
            return GL_FILL;
    }
}

void ofFlushDraws() {
    for (ofGLRenderer* renderer : liveRenderers()) renderer->flushForDirectGL();
}

ofGLRenderer::ofGLRenderer()
    : coordHandedness(0),
      bBackgroundAuto(true),
      bgColor(1, 1, 1, 1),
      linePoints(2),
      rectPoints(4),
      triPoints(3),
      fillFlag(OF_FILLED),
      bSmoothHinted(false),
      rectMode(OF_RECTMODE_CORNER) {
    liveRenderers().push_back(this);
}

ofGLRenderer::~ofGLRenderer() {
    std::vector<ofGLRenderer*>& live = liveRenderers();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void ofGLRenderer::update() {}

void ofGLRenderer::setBatching(bool on) {
    flush();
    batching = on;
}

void ofGLRenderer::flush() {
    if (batch.empty()) return;
    // The held vertices are already in clip space.
    GLfloat modelView[16], projection[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    batch.draw();
    glLoadMatrixf(modelView);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(static_cast<GLenum>(glMatrixModeNow));
    // Colour arrays leave the current colour undefined.
    glColor4f(colourNow.r, colourNow.g, colourNow.b, colourNow.a);
}

void ofGLRenderer::flushForDirectGL() {
    flush();
    stateKnown = false;
    modelViewKnown = false;
}

// Reads what the batch needs of OpenGL's state, where it is not known.
void ofGLRenderer::learnState() {
    if (!stateKnown) {
        GLfloat projection[16], colour[4];
        GLint view[4];
        glGetIntegerv(GL_MATRIX_MODE, &glMatrixModeNow);
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, view);
        batch.setView(projection, view);
        glGetFloatv(GL_LINE_WIDTH, &lineWidthNow);
        glGetFloatv(GL_CURRENT_COLOR, colour);
        colourNow.set(colour[0], colour[1], colour[2], colour[3]);
        stateKnown = true;
    }
    if (!modelViewKnown) {
        GLfloat modelView[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
        batch.setModelView(modelView);
        modelViewKnown = true;
    }
}

bool ofGLRenderer::hold(const ofPoint* points, int count, const ofIndexType* indices, int indexCount,
                        ofGLRendererBatch::Shape shape, bool smooth, const ofFloatColor* colours) {
    if (!batching) return false;
    learnState();
    batch.add(points, count, indices, indexCount, shape, smooth, lineWidthNow, colourNow, colours);
    if (batch.full()) flush();
    return true;
}

// Held vertices are in clip space already. The batch reads the model-view
// again at its next draw; the other matrices only with the rest of the state,
// which it learns afresh once drawn out.
void ofGLRenderer::matrixChanging() {
    modelViewKnown = false;
    if (stateKnown && glMatrixModeNow != GL_MODELVIEW) {
        flush();
        stateKnown = false;
    }
}

void ofGLRenderer::drawVertices(std::vector<ofPoint>& points, GLenum primitive, bool smooth) {
    if (points.empty()) return;
    ofGLSmoothScope smoothing(smooth);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ofPoint), &points[0].x);
    glDrawArrays(primitive, 0, static_cast<GLsizei>(points.size()));
}

void ofGLRenderer::drawShape(std::vector<ofPoint>& points, ofGLRendererBatch::Shape shape, GLenum primitive,
                             bool smooth) {
    if (points.empty() || hold(points.data(), static_cast<int>(points.size()), nullptr, 0, shape, smooth, nullptr))
        return;
    flush();
    drawVertices(points, primitive, smooth);
}

void ofGLRenderer::draw(std::vector<ofPoint>& vertexData, int drawMode) {
    if (vertexData.empty()) return;
    const GLenum primitive = ofGetGLPrimitiveMode(drawMode);
    ofGLRendererBatch::Shape shape;
    if (batchShape(primitive, shape)) {
        drawShape(vertexData, shape, primitive, bSmoothHinted);
        return;
    }
    flush();
    drawVertices(vertexData, primitive, bSmoothHinted);
}

void ofGLRenderer::draw(ofMesh& mesh, int renderType, bool useColors, bool useTextures, bool useNormals) {
    flush();
    ofGLSmoothScope smoothing(bSmoothHinted);
    glPushAttrib(GL_POLYGON_BIT);
    glPolygonMode(GL_FRONT_AND_BACK, ofGetGLPolyMode(renderType));
    drawMeshDirect(mesh, useColors, useTextures, useNormals);
    glPopAttrib();
}

void ofGLRenderer::draw(ofMesh& mesh, bool useColors, bool useTextures, bool useNormals) {
    // Normals and texture coordinates stay with the direct draw.
    const int vertexCount = mesh.getNumVertices();
    ofGLRendererBatch::Shape shape;
    if (batching && vertexCount > 0 && !(useTextures && mesh.getNumTexCoords() > 0) &&
        !(useNormals && mesh.getNumNormals() > 0) && batchShape(ofGetGLPrimitiveMode(mesh.getMode()), shape)) {
        const bool ownColours = mesh.getNumColors() > 0 && useColors &&
                                attributeFits(mesh.getNumColors(), vertexCount, "colours");
        const bool indexed = mesh.getNumIndices() > 0;
        if (indexed && !indicesFit(mesh)) return;
        if (hold(mesh.getVerticesPointer(), vertexCount, indexed ? mesh.getIndexPointer() : nullptr,
                 mesh.getNumIndices(), shape, false, ownColours ? mesh.getColorsPointer() : nullptr))
            return;
    }
    flush();
    drawMeshDirect(mesh, useColors, useTextures, useNormals);
}

void ofGLRenderer::drawMeshDirect(ofMesh& mesh, bool useColors, bool useTextures, bool useNormals) {
    const int vertexCount = mesh.getNumVertices();
    if (vertexCount > 0) {
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, sizeof(ofPoint), mesh.getVerticesPointer());
    }
    if (mesh.getNumNormals() > 0 && useNormals && attributeFits(mesh.getNumNormals(), vertexCount, "normals")) {
        glEnableClientState(GL_NORMAL_ARRAY);
        glNormalPointer(GL_FLOAT, sizeof(ofPoint), mesh.getNormalsPointer());
    }
    if (mesh.getNumColors() > 0 && useColors && attributeFits(mesh.getNumColors(), vertexCount, "colours")) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_FLOAT, sizeof(ofFloatColor), mesh.getColorsPointer());
    }
    if (mesh.getNumTexCoords() > 0 && useTextures &&
        attributeFits(mesh.getNumTexCoords(), vertexCount, "texture coordinates")) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, sizeof(ofVec2f), mesh.getTexCoordsPointer());
    }

    if (mesh.getNumIndices() > 0) {
        if (indicesFit(mesh))
            glDrawElements(ofGetGLPrimitiveMode(mesh.getMode()), mesh.getNumIndices(), GL_UNSIGNED_INT,
                           mesh.getIndexPointer());
    } else if (vertexCount > 0) {
        glDrawArrays(ofGetGLPrimitiveMode(mesh.getMode()), 0, vertexCount);
    }

    if (mesh.getNumColors() > 0) glDisableClientState(GL_COLOR_ARRAY);
    if (mesh.getNumNormals() > 0) glDisableClientState(GL_NORMAL_ARRAY);
    if (mesh.getNumTexCoords() > 0) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void ofGLRenderer::draw(ofPath& path) {
    ofColor previous;
    const bool ownColors = path.getUseShapeColor();
    if (ownColors) previous = ofGetStyle().color;

    // The path's colour tinted by the style colour, on the renderer only.
    auto tint = [&](const ofColor& c) {
        ofColor style = ofGetStyle().color;
        ofColor mixed(c.r * style.r / 255, c.g * style.g / 255, c.b * style.b / 255, 255);
        setColor(mixed, static_cast<int>(c.a / 255.0f * style.a));
    };

    if (path.isFilled()) {
        if (ownColors) tint(path.getFillColor());
        draw(path.getTessellation(), true, true, true);
    }
    if (path.getStrokeWidth() > 0) {
        float previousWidth = ofGetStyle().lineWidth;
        if (ownColors) tint(path.getStrokeColor());
        setLineWidth(path.getStrokeWidth());
        std::vector<ofPolyline>& outlines = path.getOutline();
        for (ofPolyline& line : outlines) draw(line);
        setLineWidth(previousWidth);
    }
    if (ownColors) setColor(previous);
}

void ofGLRenderer::draw(ofPolyline& poly) {
    if (poly.size() == 0) return;
    const bool closed = poly.isClosed();
    drawShape(poly.getVertices(), closed ? ofGLRendererBatch::LINE_LOOP : ofGLRendererBatch::LINE_STRIP,
              closed ? GL_LINE_LOOP : GL_LINE_STRIP, bSmoothHinted);
}

void ofGLRenderer::pushView() {
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    viewportHistory.push_back(ofRectangle(vp[0], vp[1], vp[2], vp[3]));
    ofMatrix4x4 projection, modelView;
    glGetFloatv(GL_PROJECTION_MATRIX, projection.getPtr());
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.getPtr());
    projectionStack.push_back(projection);
    modelViewStack.push_back(modelView);
}

void ofGLRenderer::popView() {
    flushForDirectGL();
    if (!viewportHistory.empty()) {
        ofRectangle vp = viewportHistory.back();
        viewport(vp.x, vp.y, vp.width, vp.height, false);
        viewportHistory.pop_back();
    }
    glMatrixMode(GL_PROJECTION);
    if (!projectionStack.empty()) {
        glLoadMatrixf(projectionStack.back().getPtr());
        projectionStack.pop_back();
    } else {
        ofLog(OF_LOG_ERROR,
              "popView: couldn't pop projection matrix, stack empty. probably wrong anidated push/popView");
    }
    glMatrixMode(GL_MODELVIEW);
    if (!modelViewStack.empty()) {
        glLoadMatrixf(modelViewStack.back().getPtr());
        modelViewStack.pop_back();
    } else {
        ofLog(OF_LOG_ERROR,
              "popView: couldn't pop modelView matrix, stack empty. probably wrong anidated push/popView");
    }
}

void ofGLRenderer::viewport(float x, float y, float width, float height, bool invertY) {
    flushForDirectGL();
    if (width == 0) width = static_cast<float>(ofGetWindowWidth());
    if (height == 0) height = static_cast<float>(ofGetWindowHeight());
    if (invertY) y = ofGetWindowHeight() - (y + height);
    glViewport(static_cast<GLint>(x), static_cast<GLint>(y), static_cast<GLsizei>(width),
               static_cast<GLsizei>(height));
}

void ofGLRenderer::viewport(ofRectangle vp) {
    viewport(vp.x, vp.y, vp.width, vp.height, true);
}

void ofGLRenderer::setupScreenPerspective(float width, float height, int orientation, bool vFlip, float fov,
                                          float nearDist, float farDist) {
    flushForDirectGL();
    if (width == 0) width = static_cast<float>(ofGetWidth());
    if (height == 0) height = static_cast<float>(ofGetHeight());
    float viewW = static_cast<float>(getViewportWidth());
    float viewH = static_cast<float>(getViewportHeight());

    float eyeX = viewW / 2;
    float eyeY = viewH / 2;
    float halfFov = static_cast<float>(pi * fov / 360);
    float dist = eyeY / std::tan(halfFov);
    float aspect = viewW / viewH;
    if (nearDist == 0) nearDist = dist / 10.0f;
    if (farDist == 0) farDist = dist * 10.0f;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double top = nearDist * std::tan(fov * pi / 360);
    double right = top * aspect;
    loadMatrix(frustumMatrix(-right, right, -top, top, nearDist, farDist));

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    loadMatrix(lookAtMatrix(ofPoint(eyeX, eyeY, dist), ofPoint(eyeX, eyeY, 0), ofPoint(0, 1, 0)));

    orientScreen(width, height, orientation, vFlip);
    flushForDirectGL();
}

void ofGLRenderer::setupScreenOrtho(float width, float height, int orientation, bool vFlip, float nearDist,
                                    float farDist) {
    flushForDirectGL();
    if (width == 0) width = static_cast<float>(ofGetWidth());
    if (height == 0) height = static_cast<float>(ofGetHeight());
    float viewW = static_cast<float>(getViewportWidth());
    float viewH = static_cast<float>(getViewportHeight());

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    setCoordHandedness(vFlip ? 0 : 1);
    ofMatrix4x4 ortho = orthoMatrix(0, viewW, 0, viewH, nearDist, farDist);
    glMultMatrixf(ortho.getPtr());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    orientScreen(width, height, orientation, vFlip);
    flushForDirectGL();
}

ofRectangle ofGLRenderer::getCurrentViewport() {
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    return ofRectangle(vp[0], vp[1], vp[2], vp[3]);
}

int ofGLRenderer::getViewportWidth() {
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    return vp[2];
}

int ofGLRenderer::getViewportHeight() {
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    return vp[3];
}

void ofGLRenderer::setCoordHandedness(int handedness) {
    coordHandedness = handedness;
}

int ofGLRenderer::getCoordHandedness() {
    return coordHandedness;
}

void ofGLRenderer::pushMatrix() {
    matrixChanging();
    glPushMatrix();
}

void ofGLRenderer::popMatrix() {
    matrixChanging();
    glPopMatrix();
}

void ofGLRenderer::translate(const ofPoint& p) {
    matrixChanging();
    glTranslatef(p.x, p.y, p.z);
}

void ofGLRenderer::translate(float x, float y, float z) {
    matrixChanging();
    glTranslatef(x, y, z);
}

void ofGLRenderer::scale(float xAmnt, float yAmnt, float zAmnt) {
    matrixChanging();
    glScalef(xAmnt, yAmnt, zAmnt);
}

void ofGLRenderer::rotate(float degrees) {
    matrixChanging();
    glRotatef(degrees, 0, 0, 1);
}

void ofGLRenderer::rotate(float degrees, float axisX, float axisY, float axisZ) {
    matrixChanging();
    glRotatef(degrees, axisX, axisY, axisZ);
}

void ofGLRenderer::rotateX(float degrees) {
    matrixChanging();
    glRotatef(degrees, 1, 0, 0);
}

void ofGLRenderer::rotateY(float degrees) {
    matrixChanging();
    glRotatef(degrees, 0, 1, 0);
}

void ofGLRenderer::rotateZ(float degrees) {
    matrixChanging();
    glRotatef(degrees, 0, 0, 1);
}

void ofGLRenderer::matrixMode(int mode) {
    glMatrixMode(GL_MODELVIEW + mode);
    if (stateKnown && mode >= 0 && mode <= 2) {
        glMatrixModeNow = GL_MODELVIEW + mode;
    } else {
        flushForDirectGL();
    }
}

void ofGLRenderer::loadIdentityMatrix() {
    matrixChanging();
    glLoadIdentity();
}

void ofGLRenderer::loadMatrix(const float* m) {
    matrixChanging();
    glLoadMatrixf(m);
}

void ofGLRenderer::loadMatrix(const ofMatrix4x4& m) {
    matrixChanging();
    glLoadMatrixf(m.getPtr());
}

void ofGLRenderer::multMatrix(const float* m) {
    matrixChanging();
    glMultMatrixf(m);
}

void ofGLRenderer::multMatrix(const ofMatrix4x4& m) {
    matrixChanging();
    glMultMatrixf(m.getPtr());
}

void ofGLRenderer::setupGraphicDefaults() {
    flushForDirectGL();
    glEnableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void ofGLRenderer::setupScreen() {
    setupScreenPerspective(0, 0, OF_ORIENTATION_UNKNOWN, true, 60, 0, 0);
}

void ofGLRenderer::setRectMode(int mode) {
    rectMode = mode;
}

int ofGLRenderer::getRectMode() {
    return rectMode;
}

void ofGLRenderer::setFillMode(int fill) {
    fillFlag = fill;
}

int ofGLRenderer::getFillMode() {
    return fillFlag;
}

void ofGLRenderer::setLineWidth(float lineWidth) {
    // OpenGL refuses widths that are not positive and keeps its own.
    const bool valid = lineWidth > 0;
    if (stateKnown && valid && lineWidth != lineWidthNow && batch.holdsLines()) flush();
    glLineWidth(lineWidth);
    if (valid) lineWidthNow = lineWidth;
}

void ofGLRenderer::setBlendMode(int blendMode) {
    GLenum equation = GL_FUNC_ADD, source = GL_SRC_ALPHA, destination = GL_ONE_MINUS_SRC_ALPHA;
    switch (blendMode) {
        case OF_BLENDMODE_ALPHA:
            break;
        case OF_BLENDMODE_ADD:
            destination = GL_ONE;
            break;
        case OF_BLENDMODE_SUBTRACT:
            equation = GL_FUNC_REVERSE_SUBTRACT;
            destination = GL_ONE;
            break;
        case OF_BLENDMODE_MULTIPLY:
            source = GL_DST_COLOR;
            break;
        case OF_BLENDMODE_SCREEN:
            source = GL_ONE_MINUS_DST_COLOR;
            destination = GL_ONE;
            break;
        default:
            return;  // blending stays as it is
    }
    flush();
    glEnable(GL_BLEND);
    if (glBlendEquation) glBlendEquation(equation);
    glBlendFunc(source, destination);
}

void ofGLRenderer::setLineSmoothing(bool smooth) {
    bSmoothHinted = smooth;
}

void ofGLRenderer::setCircleResolution(int res) {
    if (circlePolyline.size() == res + 1) return;
    // Sparks and foes change the resolution draw after draw: each unit circle
    // they use is worked out once.
    const bool kept = res >= 0 && res < 64;
    if (kept && static_cast<int>(unitCircles.size()) <= res) unitCircles.resize(static_cast<size_t>(res) + 1);
    ofPolyline& circle = kept ? unitCircles[static_cast<size_t>(res)] : circlePolyline;
    if (!kept || circle.size() == 0) {
        circle.clear();
        circle.arc(ofPoint(0, 0, 0), 1, 1, 0, 360, true, res);
    }
    if (kept) circlePolyline = circle;
    circlePoints.resize(circlePolyline.size());
}

void ofGLRenderer::setSphereResolution(int res) {
    if (sphereMesh.getNumVertices() != 0 && res == ofGetStyle().sphereResolution) return;
    sphereMesh.clear();
    sphereMesh.setMode(OF_PRIMITIVE_TRIANGLE_STRIP);

    const int slices = res * 2;
    const int bands = res;
    const float dTheta = static_cast<float>(2 * pi / slices);
    const float dPhi = static_cast<float>(pi / bands);
    const float dS = 1.0f / slices;
    const float dT = 2.0f / slices;

    float phi = static_cast<float>(-pi / 2);
    float r1 = std::cos(phi);
    float t = 0;
    for (int i = 0; i < bands; ++i) {
        float phi0 = phi;
        phi += dPhi;
        float r0 = r1;
        r1 = std::cos(phi);
        float y0 = std::sin(phi0);
        float y1 = std::sin(phi);
        float t0 = t;
        t += dT;
        float s = 0;
        for (int j = 0; j <= slices; ++j) {
            float theta = j * dTheta;
            ofPoint p0(std::cos(theta) * r0, y0, std::sin(theta) * r0);
            ofPoint p1(std::cos(theta) * r1, y1, std::sin(theta) * r1);
            sphereMesh.addNormal(p0);
            sphereMesh.addTexCoord(ofVec2f(s, t0));
            sphereMesh.addVertex(p0);
            sphereMesh.addNormal(p1);
            sphereMesh.addTexCoord(ofVec2f(s, t));
            sphereMesh.addVertex(p1);
            s += dS;
        }
    }
}

void ofGLRenderer::enablePointSprites() {
    flush();
    glEnable(GL_POINT_SPRITE);
    glTexEnvi(GL_POINT_SPRITE, GL_COORD_REPLACE, GL_TRUE);
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
}

void ofGLRenderer::disablePointSprites() {
    flush();
    glDisable(GL_POINT_SPRITE);
}

void ofGLRenderer::setColor(int gray) {
    setColor(gray, gray, gray);
}

void ofGLRenderer::setColor(const ofColor& color, int alpha) {
    setColor(color.r, color.g, color.b, alpha);
}

void ofGLRenderer::setColor(const ofColor& color) {
    setColor(color.r, color.g, color.b, color.a);
}

void ofGLRenderer::setColor(int r, int g, int b, int a) {
    colourNow.set(r / 255.f, g / 255.f, b / 255.f, a / 255.f);
    glColor4f(colourNow.r, colourNow.g, colourNow.b, colourNow.a);
}

void ofGLRenderer::setColor(int r, int g, int b) {
    setColor(r, g, b, 255);
}

void ofGLRenderer::setHexColor(int hexColor) {
    setColor((hexColor >> 16) & 0xff, (hexColor >> 8) & 0xff, hexColor & 0xff);
}

ofFloatColor& ofGLRenderer::getBgColor() {
    return bgColor;
}

bool ofGLRenderer::bClearBg() {
    return bBackgroundAuto;
}

void ofGLRenderer::background(int r, int g, int b, int a) {
    background(ofColor(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), static_cast<float>(a)));
}

void ofGLRenderer::background(int hexColor, float alpha) {
    background((hexColor >> 16) & 0xff, (hexColor >> 8) & 0xff, hexColor & 0xff, static_cast<int>(alpha));
}

void ofGLRenderer::background(float brightness) {
    background(ofColor(brightness, brightness, brightness, 255.0f));
}

void ofGLRenderer::background(const ofColor& c) {
    flush();
    bgColor.r = c.r / 255.0f;
    bgColor.g = c.g / 255.0f;
    bgColor.b = c.b / 255.0f;
    bgColor.a = c.a / 255.0f;
    glClearColor(bgColor.r, bgColor.g, bgColor.b, bgColor.a);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ofGLRenderer::setBackgroundAuto(bool bAuto) {
    bBackgroundAuto = bAuto;
}

void ofGLRenderer::clear(float brightness, float alpha) {
    clear(brightness, brightness, brightness, alpha);
}

void ofGLRenderer::clear(float r, float g, float b, float a) {
    flush();
    glClearColor(r / 255.f, g / 255.f, b / 255.f, a / 255.f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ofGLRenderer::clearAlpha() {
    flush();
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void ofGLRenderer::drawLine(float x1, float y1, float z1, float x2, float y2, float z2) {
    linePoints[0].set(x1, y1, z1);
    linePoints[1].set(x2, y2, z2);
    drawShape(linePoints, ofGLRendererBatch::LINES, GL_LINES, bSmoothHinted);
}

void ofGLRenderer::drawRectangle(float x, float y, float z, float w, float h) {
    if (rectMode == OF_RECTMODE_CORNER) {
        rectPoints[0].set(x, y, z);
        rectPoints[1].set(x + w, y, z);
        rectPoints[2].set(x + w, y + h, z);
        rectPoints[3].set(x, y + h, z);
    } else {
        rectPoints[0].set(x - w / 2.0f, y - h / 2.0f, z);
        rectPoints[1].set(x + w / 2.0f, y - h / 2.0f, z);
        rectPoints[2].set(x + w / 2.0f, y + h / 2.0f, z);
        rectPoints[3].set(x - w / 2.0f, y + h / 2.0f, z);
    }
    drawOutlineOrFill(rectPoints, GL_LINE_LOOP);
}

void ofGLRenderer::drawTriangle(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                                float z3) {
    triPoints[0].set(x1, y1, z1);
    triPoints[1].set(x2, y2, z2);
    triPoints[2].set(x3, y3, z3);
    drawOutlineOrFill(triPoints, GL_LINE_LOOP);
}

void ofGLRenderer::drawCircle(float x, float y, float z, float radius) {
    const std::vector<ofPoint>& unit = circlePolyline.getVertices();
    if (circlePoints.size() != unit.size()) circlePoints.resize(unit.size());
    for (size_t i = 0; i < unit.size(); ++i)
        circlePoints[i].set(x + radius * unit[i].x, y + radius * unit[i].y, z);
    drawOutlineOrFill(circlePoints, GL_LINE_STRIP);
}

void ofGLRenderer::drawEllipse(float x, float y, float z, float width, float height) {
    const std::vector<ofPoint>& unit = circlePolyline.getVertices();
    if (circlePoints.size() != unit.size()) circlePoints.resize(unit.size());
    for (size_t i = 0; i < unit.size(); ++i)
        circlePoints[i].set(x + unit[i].x * width / 2, y + unit[i].y * height / 2, z);
    drawOutlineOrFill(circlePoints, GL_LINE_STRIP);
}

void ofGLRenderer::drawSphere(float x, float y, float z, float radius) {
    flushForDirectGL();
    glEnable(GL_NORMALIZE);
    glPushMatrix();
    glTranslatef(x, y, z);
    glScalef(radius, radius, radius);
    sphereMesh.draw(fillFlag ? OF_MESH_FILL : OF_MESH_WIREFRAME);
    glPopMatrix();
    glDisable(GL_NORMALIZE);
}

// Filled shapes are triangle fans; outlines the given line primitive, with
// smoothing when it is on.
void ofGLRenderer::drawOutlineOrFill(std::vector<ofPoint>& points, GLenum outline) {
    if (fillFlag == OF_FILLED) {
        drawShape(points, ofGLRendererBatch::TRIANGLE_FAN, GL_TRIANGLE_FAN, false);
    } else {
        drawShape(points, outline == GL_LINE_LOOP ? ofGLRendererBatch::LINE_LOOP : ofGLRendererBatch::LINE_STRIP,
                  outline, bSmoothHinted && fillFlag == OF_OUTLINE);
    }
}
