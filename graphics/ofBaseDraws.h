#pragma once

#include "ofPoint.h"
#include "ofRectangle.h"

// Something that can draw itself at a place and size.
class ofBaseDraws {
public:
    virtual ~ofBaseDraws() {}
    virtual void draw(const ofPoint& p, float w, float h) { draw(p.x, p.y, w, h); }
    virtual void draw(const ofRectangle& r) { draw(r.x, r.y, r.width, r.height); }
    virtual void draw(const ofPoint& p) { draw(p.x, p.y); }
    virtual void draw(float x, float y, float w, float h) = 0;
    virtual void draw(float x, float y) = 0;
    virtual float getHeight() = 0;
    virtual float getWidth() = 0;
    virtual void setAnchorPercent(float /*xPct*/, float /*yPct*/) {}
    virtual void setAnchorPoint(float /*x*/, float /*y*/) {}
    virtual void resetAnchor() {}
};
