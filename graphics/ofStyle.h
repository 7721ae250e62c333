#pragma once

#include "ofColor.h"
#include "ofGraphicsConstants.h"

// The drawing style: every setting the drawing functions record.
class ofStyle {
public:
    ofStyle()
        : color(255, 255, 255, 255),
          bgColor(200, 200, 200, 255),
          polyMode(OF_POLY_WINDING_ODD),
          rectMode(OF_RECTMODE_CORNER),
          bFill(true),
          drawBitmapMode(OF_BITMAPMODE_MODEL_BILLBOARD),
          blendingMode(OF_BLENDMODE_DISABLED),
          smoothing(false),
          circleResolution(20),
          sphereResolution(20),
          curveResolution(20),
          lineWidth(1.0f) {}
    virtual ~ofStyle() {}

    ofColor color;
    ofColor bgColor;
    int polyMode;        // ofPolyWindingMode
    int rectMode;        // ofRectMode
    bool bFill;
    int drawBitmapMode;  // ofDrawBitmapMode
    int blendingMode;    // ofBlendMode
    bool smoothing;
    int circleResolution;
    int sphereResolution;
    int curveResolution;
    float lineWidth;
};
