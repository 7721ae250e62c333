#pragma once

#include "ofPoint.h"

class ofRectangle {
public:
    ofRectangle();
    ofRectangle(float x, float y, float w, float h);
    // x and y alias this rectangle's own position, never the source's.
    ofRectangle(const ofRectangle& other);
    ofRectangle& operator=(const ofRectangle& other);
    virtual ~ofRectangle() {}

    void set(float x, float y, float w, float h);
    void set(const ofRectangle& other);

    float getMaxY() const;
    bool inside(const ofPoint& p) const;
    bool inside(float px, float py) const;

    ofPoint position;
    float& x;
    float& y;
    float width;
    float height;
};
