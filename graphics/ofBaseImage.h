#pragma once

#include "ofBaseDraws.h"
#include "ofPixels.h"

class ofTexture;

class ofBaseHasTexture {
public:
    virtual ~ofBaseHasTexture() {}
    virtual ofTexture& getTextureReference() = 0;
    virtual void setUseTexture(bool useTexture) = 0;
};

class ofAbstractHasPixels {
public:
    virtual ~ofAbstractHasPixels() {}
};

template <typename PixelType>
class ofBaseHasPixels_ : public ofAbstractHasPixels {
public:
    virtual ~ofBaseHasPixels_() {}
    virtual PixelType* getPixels() = 0;
    virtual ofPixels& getPixelsRef() = 0;
};

class ofAbstractImage : public ofBaseDraws, public ofBaseHasTexture {
public:
    virtual ~ofAbstractImage() {}
};

template <typename PixelType>
class ofBaseImage_ : public ofAbstractImage, virtual public ofBaseHasPixels_<PixelType> {
public:
    virtual ~ofBaseImage_() {}
};
