#pragma once

#include "ofBaseDraws.h"
#include "ofPoint.h"

class ofPixels;

// What an OpenGL texture holds and how to draw it.
struct ofTextureData {
    unsigned int textureName = 0;
    int target = 0x84F5;          // GL_TEXTURE_RECTANGLE_ARB or GL_TEXTURE_2D
    int internalFormat = 0x8051;  // GL_RGB8
    int format = 0x1907;          // GL_RGB
    int componentType = 0x1401;   // GL_UNSIGNED_BYTE
    float coordRight = 0;
    float coordBottom = 0;
    float storageWidth = 0;
    float storageHeight = 0;
    float width = 0;
    float height = 0;
    bool flipped = false;
    int compression = 0;  // 0 none, 1 sRGB, 2 generic
    bool allocated = false;
    bool externalName = false;  // somebody else deletes the name
};

// One OpenGL texture. Copies share the texture name; the name is deleted
// when its last holder lets go.
class ofTexture : public ofBaseDraws {
public:
    ofTexture();
    ofTexture(const ofTexture& other);
    ofTexture& operator=(const ofTexture& other);
    ~ofTexture() override;

    using ofBaseDraws::draw;
    void draw(float x, float y, float w, float h) override;
    void draw(float x, float y) override;
    float getHeight() override;
    float getWidth() override;
    void setAnchorPercent(float xPct, float yPct) override;
    void setAnchorPoint(float x, float y) override;
    void resetAnchor() override;

    virtual void allocate(const ofPixels& pix);
    virtual void allocate(int w, int h, int internalFormat, bool useRectangleTarget);
    virtual void allocate(int w, int h, int internalFormat);
    virtual void allocate(const ofTextureData& data);

    void loadData(const unsigned char* data, int w, int h, int pixelFormat);
    void loadData(const ofPixels& pix);
    void clear();
    bool isAllocated() const;
    ofTextureData& getTextureData();

    void bind();
    void unbind();
    void setTextureMinMagFilter(int minFilter, int magFilter);
    void drawArea(float x, float y, float z, float w, float h, float sx, float sy, float sw, float sh);

    ofTextureData texData;
    ofPoint anchor;
    bool bAnchorIsPct = false;

private:
    void createStorage();
};

void ofGetGlFormatAndType(int internalFormat, int& format, int& type);
void ofTextureRetain(unsigned int id);
void ofTextureRelease(unsigned int id);
// Holders of a texture name; 0 when it has none.
int ofTextureGetRetainCount(unsigned int id);

bool ofGetUsingRectangleTextures();
bool ofGetTextureEdgeCorrection();
bool ofGetUsingNormalizedTexCoords();
