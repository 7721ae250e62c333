#include "ofTexture.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <map>

#include "ofGraphics.h"
#include "ofLog.h"
#include "ofMath.h"
#include "ofPixels.h"

namespace {

// Never destroyed: textures held by objects that die at exit still release.
std::map<unsigned int, int>& retainCounts() {
    static std::map<unsigned int, int>* counts = new std::map<unsigned int, int>;
    return *counts;
}

int formatForChannels(int channels) {
    if (channels == 3) return GL_RGB;
    if (channels == 4) return GL_RGBA;
    return GL_LUMINANCE;
}

int compressedFormat(int compression, int format) {
    if (compression == 1) {
        switch (format) {
            case GL_RGBA:
            case GL_RGB:
            case GL_LUMINANCE_ALPHA:
            case GL_LUMINANCE: return GL_COMPRESSED_SRGB_ALPHA;
            default: return 0;
        }
    }
    switch (format) {
        case GL_RGBA: return GL_COMPRESSED_RGBA_ARB;
        case GL_RGB: return GL_COMPRESSED_RGB_ARB;
        case GL_LUMINANCE_ALPHA: return GL_COMPRESSED_LUMINANCE_ALPHA_ARB;
        case GL_LUMINANCE: return GL_COMPRESSED_LUMINANCE_ARB;
        default: return 0;
    }
}

}  // namespace

bool ofGetUsingRectangleTextures() {
    return true;
}

bool ofGetTextureEdgeCorrection() {
    return true;
}

bool ofGetUsingNormalizedTexCoords() {
    return false;
}

void ofTextureRetain(unsigned int id) {
    if (id == 0) return;
    ++retainCounts()[id];
}

void ofTextureRelease(unsigned int id) {
    if (id == 0) return;
    ofFlushDraws();
    std::map<unsigned int, int>& counts = retainCounts();
    auto it = counts.find(id);
    if (it == counts.end()) {
        ofLogError() << "trying to delete a non indexed texture, something weird is happening. Deleting anyway";
        glDeleteTextures(1, &id);
        return;
    }
    if (--it->second <= 0) {
        glDeleteTextures(1, &id);
        counts.erase(it);
    }
}

int ofTextureGetRetainCount(unsigned int id) {
    std::map<unsigned int, int>& counts = retainCounts();
    auto it = counts.find(id);
    return it == counts.end() ? 0 : it->second;
}

void ofGetGlFormatAndType(int internalFormat, int& format, int& type) {
    switch (internalFormat) {
        case GL_RGB:
        case GL_RGB8: format = GL_RGB; type = GL_UNSIGNED_BYTE; break;
        case GL_RGBA:
        case GL_RGBA8: format = GL_RGBA; type = GL_UNSIGNED_BYTE; break;
        case GL_LUMINANCE:
        case GL_LUMINANCE8: format = GL_LUMINANCE; type = GL_UNSIGNED_BYTE; break;
        case GL_LUMINANCE_ALPHA:
        case GL_LUMINANCE8_ALPHA8: format = GL_LUMINANCE_ALPHA; type = GL_UNSIGNED_BYTE; break;
        case GL_LUMINANCE16: format = GL_LUMINANCE; type = GL_UNSIGNED_SHORT; break;
        case GL_RGB16: format = GL_RGB; type = GL_UNSIGNED_SHORT; break;
        case GL_RGBA16: format = GL_RGBA; type = GL_UNSIGNED_SHORT; break;
        case GL_RGBA32F_ARB:
        case GL_RGBA16F_ARB: format = GL_RGBA; type = GL_FLOAT; break;
        case GL_RGB32F_ARB:
        case GL_RGB16F_ARB: format = GL_RGB; type = GL_FLOAT; break;
        case GL_LUMINANCE32F_ARB:
        case GL_LUMINANCE16F_ARB: format = GL_LUMINANCE; type = GL_FLOAT; break;
        default:
            ofLogError() << "ofGetGlFormatAndType(): glInternalFormat not recognized returning glFormat as "
                            "glInternalFormat";
            format = internalFormat;
            type = GL_UNSIGNED_BYTE;
            break;
    }
}

ofTexture::ofTexture() {}

ofTexture::ofTexture(const ofTexture& other)
    : ofBaseDraws(other), texData(other.texData), anchor(other.anchor), bAnchorIsPct(other.bAnchorIsPct) {
    if (!texData.externalName) ofTextureRetain(texData.textureName);
}

ofTexture& ofTexture::operator=(const ofTexture& other) {
    if (&other == this) return *this;
    // Retain first: the two may already share the name.
    if (!other.texData.externalName) ofTextureRetain(other.texData.textureName);
    if (!texData.externalName) ofTextureRelease(texData.textureName);
    texData = other.texData;
    anchor = other.anchor;
    bAnchorIsPct = other.bAnchorIsPct;
    return *this;
}

ofTexture::~ofTexture() {
    if (!texData.externalName) ofTextureRelease(texData.textureName);
}

bool ofTexture::isAllocated() const {
    return texData.allocated;
}

ofTextureData& ofTexture::getTextureData() {
    if (!texData.allocated) ofLogError() << "getTextureData() - texture has not been allocated";
    return texData;
}

float ofTexture::getWidth() {
    return texData.width;
}

float ofTexture::getHeight() {
    return texData.height;
}

void ofTexture::setAnchorPercent(float xPct, float yPct) {
    anchor.set(xPct, yPct);
    bAnchorIsPct = true;
}

void ofTexture::setAnchorPoint(float x, float y) {
    anchor.set(x, y);
    bAnchorIsPct = false;
}

void ofTexture::resetAnchor() {
    anchor.set(0, 0, 0);
    bAnchorIsPct = false;
}

void ofTexture::allocate(const ofPixels& pix) {
    allocate(pix.getWidth(), pix.getHeight(), formatForChannels(pix.getBytesPerPixel()),
             ofGetUsingRectangleTextures());
}

void ofTexture::allocate(int w, int h, int internalFormat) {
    allocate(w, h, internalFormat, ofGetUsingRectangleTextures());
}

void ofTexture::allocate(int w, int h, int internalFormat, bool useRectangleTarget) {
    if (useRectangleTarget) {
        texData.target = GL_TEXTURE_RECTANGLE_ARB;
        texData.storageWidth = static_cast<float>(w);
        texData.storageHeight = static_cast<float>(h);
        texData.coordRight = static_cast<float>(w);
        texData.coordBottom = static_cast<float>(h);
    } else {
        texData.storageWidth = static_cast<float>(ofNextPow2(w));
        texData.storageHeight = static_cast<float>(ofNextPow2(h));
        texData.target = GL_TEXTURE_2D;
        texData.coordRight = static_cast<float>(w) / texData.storageWidth;
        texData.coordBottom = static_cast<float>(h) / texData.storageHeight;
    }
    texData.internalFormat = internalFormat;
    ofGetGlFormatAndType(internalFormat, texData.format, texData.componentType);
    if (!texData.externalName) ofTextureRelease(texData.textureName);
    createStorage();
    texData.width = static_cast<float>(w);
    texData.height = static_cast<float>(h);
    texData.flipped = false;
    texData.allocated = true;
}

void ofTexture::allocate(const ofTextureData& data) {
    if (!(data.width > 0) || !(data.height > 0)) {
        ofLogError() << "ofTexture::allocate - the ofTextureData structure passed must be set with a width and "
                        "height.";
        return;
    }
    // The name this texture held is ours to release; the record's is not.
    unsigned int oldName = texData.textureName;
    bool oldExternal = texData.externalName;
    texData = data;
    if (texData.target != GL_TEXTURE_RECTANGLE_ARB) {
        texData.storageWidth = static_cast<float>(ofNextPow2(static_cast<int>(texData.width)));
        texData.storageHeight = static_cast<float>(ofNextPow2(static_cast<int>(texData.height)));
        texData.target = GL_TEXTURE_2D;
        texData.coordRight = texData.width / texData.storageWidth;
        texData.coordBottom = texData.height / texData.storageHeight;
    } else {
        texData.coordRight = texData.storageWidth = texData.width;
        texData.coordBottom = texData.storageHeight = texData.height;
    }
    if (!oldExternal) ofTextureRelease(oldName);
    createStorage();
    texData.allocated = true;
}

// A fresh name with empty storage of storageWidth x storageHeight.
void ofTexture::createStorage() {
    ofFlushDraws();
    texData.textureName = 0;
    texData.allocated = false;
    texData.externalName = false;
    GLuint name = 0;
    glGenTextures(1, &name);
    texData.textureName = name;
    ofTextureRetain(texData.textureName);

    GLenum target = static_cast<GLenum>(texData.target);
    glEnable(target);
    glBindTexture(target, texData.textureName);
    glTexImage2D(target, 0, texData.internalFormat, static_cast<GLsizei>(texData.storageWidth),
                 static_cast<GLsizei>(texData.storageHeight), 0, static_cast<GLenum>(texData.format),
                 static_cast<GLenum>(texData.componentType), nullptr);
    glTexParameterf(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterf(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameterf(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(target);
}

void ofTexture::loadData(const ofPixels& pix) {
    int format = formatForChannels(pix.getBytesPerPixel());
    int type = GL_UNSIGNED_BYTE;
    ofGetGlFormatAndType(format, format, type);
    loadData(pix.getPixels(), pix.getWidth(), pix.getHeight(), format);
}

void ofTexture::loadData(const unsigned char* data, int w, int h, int pixelFormat) {
    texData.format = pixelFormat;
    if (static_cast<float>(w) > texData.storageWidth || static_cast<float>(h) > texData.storageHeight) {
        ofLogError() << "ofTexture::loadData() failed to upload " << w << "x" << h << " data to "
                     << texData.storageWidth << "x" << texData.storageHeight << " texture";
        return;
    }
    // An unallocated texture has nothing to upload into.
    if (!texData.allocated || data == nullptr) return;
    texData.width = static_cast<float>(w);
    texData.height = static_cast<float>(h);
    bool rectangle = texData.target == GL_TEXTURE_RECTANGLE_ARB;
    if (rectangle) {
        texData.coordRight = static_cast<float>(w);
        texData.coordBottom = static_cast<float>(h);
    } else {
        texData.coordRight = static_cast<float>(w) / texData.storageWidth;
        texData.coordBottom = static_cast<float>(h) / texData.storageHeight;
    }

    ofFlushDraws();
    GLint oldAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLenum target = static_cast<GLenum>(texData.target);
    GLenum format = static_cast<GLenum>(texData.format);
    GLenum type = static_cast<GLenum>(texData.componentType);
    glEnable(target);
    glBindTexture(target, texData.textureName);
    // Mipmaps need normalised coordinates: rectangle textures upload plainly.
    if (texData.compression == 0 || rectangle) {
        glTexSubImage2D(target, 0, 0, 0, w, h, format, type, data);
    } else {
        glHint(GL_TEXTURE_COMPRESSION_HINT, GL_NICEST);
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexParameteri(target, GL_GENERATE_MIPMAP, GL_TRUE);
        glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        int compressed = compressedFormat(texData.compression, texData.format);
        if (compressed != 0) gluBuild2DMipmaps(target, compressed, w, h, format, type, data);
    }
    glDisable(target);
    glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
    texData.flipped = false;
}

void ofTexture::clear() {
    if (!texData.externalName) ofTextureRelease(texData.textureName);
    texData.textureName = 0;
    texData.allocated = false;
    texData.externalName = false;
}

void ofTexture::bind() {
    ofFlushDraws();
    GLenum target = static_cast<GLenum>(texData.target);
    glEnable(target);
    glBindTexture(target, texData.textureName);
    if (ofGetUsingNormalizedTexCoords()) {
        glMatrixMode(GL_TEXTURE);
        glPushMatrix();
        glLoadIdentity();
        if (texData.target == GL_TEXTURE_2D) {
            glScalef(texData.width / texData.storageWidth, texData.height / texData.storageHeight, 1.0f);
        } else {
            glScalef(texData.width, texData.height, 1.0f);
        }
        glMatrixMode(GL_MODELVIEW);
    }
}

void ofTexture::unbind() {
    ofFlushDraws();
    glDisable(static_cast<GLenum>(texData.target));
    if (ofGetUsingNormalizedTexCoords()) {
        glMatrixMode(GL_TEXTURE);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
    }
}

void ofTexture::setTextureMinMagFilter(int minFilter, int magFilter) {
    bind();
    glTexParameteri(static_cast<GLenum>(texData.target), GL_TEXTURE_MAG_FILTER, magFilter);
    glTexParameteri(static_cast<GLenum>(texData.target), GL_TEXTURE_MIN_FILTER, minFilter);
    unbind();
}

void ofTexture::draw(float x, float y, float w, float h) {
    drawArea(x, y, 0, w, h, 0, 0, getWidth(), getHeight());
}

void ofTexture::draw(float x, float y) {
    drawArea(x, y, 0, getWidth(), getHeight(), 0, 0, getWidth(), getHeight());
}

void ofTexture::drawArea(float x, float y, float z, float w, float h, float sx, float sy, float sw, float sh) {
    // Without storage the quad would only show the bound texture's garbage.
    if (!texData.allocated) return;
    ofFlushDraws();
    GLenum target = static_cast<GLenum>(texData.target);
    if (glActiveTexture != nullptr) glActiveTexture(GL_TEXTURE0);
    glEnable(target);
    glBindTexture(target, texData.textureName);

    float px0 = 0, py0 = 0, px1 = w, py1 = h;
    if (texData.flipped) {
        py0 = h;
        py1 = 0;
    }
    if (ofGetRectMode() == OF_RECTMODE_CENTER) {
        px0 = -w / 2;
        py0 = -h / 2;
        px1 = w / 2;
        py1 = h / 2;
    }
    float anchorX = bAnchorIsPct ? anchor.x * w : anchor.x;
    float anchorY = bAnchorIsPct ? anchor.y * h : anchor.y;
    px0 -= anchorX;
    px1 -= anchorX;
    py0 -= anchorY;
    py1 -= anchorY;

    float offw = 0, offh = 0;
    if (texData.target == GL_TEXTURE_2D && ofGetTextureEdgeCorrection()) {
        offw = 1.0f / texData.storageWidth;
        offh = 1.0f / texData.storageHeight;
    }
    float tx0, ty0, tx1, ty1;
    if (texData.target == GL_TEXTURE_RECTANGLE_ARB) {
        tx0 = sx;
        ty0 = sy;
        tx1 = sx + sw;
        ty1 = sy + sh;
    } else {
        tx0 = sx / texData.width * texData.coordRight;
        ty0 = sy / texData.height * texData.coordBottom;
        tx1 = (sx + sw) / texData.width * texData.coordRight;
        ty1 = (sy + sh) / texData.height * texData.coordBottom;
    }

    glPushMatrix();
    glTranslatef(x, y, z);
    const GLfloat coords[] = {tx0 + offw, ty0 + offh, tx1 - offw, ty0 + offh,
                              tx1 - offw, ty1 - offh, tx0 + offw, ty1 - offh};
    const GLfloat positions[] = {px0, py0, px1, py0, px1, py1, px0, py1};
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, coords);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, positions);
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glPopMatrix();
    glDisable(target);
}
