#pragma once

#include <string>
#include <vector>

#include "ofBaseRenderer.h"

// A renderer that draws nothing and only counts the draws it is handed, so a
// frame through it costs the game's own work and little else. Each counted
// draw would be one OpenGL draw call for a renderer that batches nothing.
class CountingRenderer : public ofBaseRenderer {
public:
    long draws = 0;

    std::string getType() override { return "Counting"; }
    void update() override {}

    void draw(ofImage_<float>&, float, float, float, float, float, float, float, float, float) override { ++draws; }
    void draw(ofImage_<unsigned short>&, float, float, float, float, float, float, float, float, float) override {
        ++draws;
    }
    void draw(ofImage_<unsigned char>&, float, float, float, float, float, float, float, float, float) override {
        ++draws;
    }
    void draw(std::vector<ofPoint>&, int) override { ++draws; }
    void draw(ofMesh&, int, bool, bool, bool) override { ++draws; }
    void draw(ofMesh&, bool, bool, bool) override { ++draws; }
    void draw(ofPath&) override { ++draws; }
    void draw(ofPolyline&) override { ++draws; }

    void setRectMode(int mode) override { rectMode = mode; }
    int getRectMode() override { return rectMode; }
    void setFillMode(int fill) override { fillMode = fill; }
    int getFillMode() override { return fillMode; }
    void setLineWidth(float) override {}
    void setBlendMode(int) override {}
    void setLineSmoothing(bool) override {}
    ofFloatColor& getBgColor() override { return bgColor; }

    void drawLine(float, float, float, float, float, float) override { ++draws; }
    void drawRectangle(float, float, float, float, float) override { ++draws; }
    void drawTriangle(float, float, float, float, float, float, float, float, float) override { ++draws; }
    void drawCircle(float, float, float, float) override { ++draws; }
    void drawSphere(float, float, float, float) override { ++draws; }
    void drawEllipse(float, float, float, float, float) override { ++draws; }
    void drawString(std::string, float, float, float, int) override { ++draws; }

    bool rendersPathDirectly() override { return false; }

private:
    int rectMode = 0;
    int fillMode = 1;
    ofFloatColor bgColor;
};
