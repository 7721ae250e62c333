#include "ofRectangle.h"

ofRectangle::ofRectangle() : position(0, 0, 0), x(position.x), y(position.y), width(0), height(0) {}

ofRectangle::ofRectangle(float px, float py, float w, float h)
    : position(px, py, 0), x(position.x), y(position.y), width(w), height(h) {}

ofRectangle::ofRectangle(const ofRectangle& other)
    : position(other.x, other.y, 0), x(position.x), y(position.y), width(other.width), height(other.height) {}

ofRectangle& ofRectangle::operator=(const ofRectangle& other) {
    set(other);
    return *this;
}

void ofRectangle::set(float px, float py, float w, float h) {
    x = px;
    y = py;
    width = w;
    height = h;
}

void ofRectangle::set(const ofRectangle& other) {
    float ox = other.x, oy = other.y, ow = other.width, oh = other.height;
    set(ox, oy, ow, oh);
}

float ofRectangle::getMaxY() const {
    return y > y + height ? y : y + height;
}

bool ofRectangle::inside(const ofPoint& p) const {
    return inside(p.x, p.y);
}

bool ofRectangle::inside(float px, float py) const {
    float minX = x < x + width ? x : x + width;
    float maxX = x < x + width ? x + width : x;
    float minY = y < y + height ? y : y + height;
    float maxY = y < y + height ? y + height : y;
    return px > minX && px < maxX && py > minY && py < maxY;
}
