#pragma once

#include <cstdint>

// Codes handed as int between the drawing functions, the style and the
// renderer.

enum ofFillFlag : int {
    OF_OUTLINE = 0,
    OF_FILLED = 1
};

enum ofRectMode : int {
    OF_RECTMODE_CORNER = 0,
    OF_RECTMODE_CENTER = 1
};

enum ofBlendMode : int {
    OF_BLENDMODE_DISABLED = 0,
    OF_BLENDMODE_ALPHA = 1,
    OF_BLENDMODE_ADD = 2,
    OF_BLENDMODE_SUBTRACT = 3,
    OF_BLENDMODE_MULTIPLY = 4,
    OF_BLENDMODE_SCREEN = 5
};

enum ofDrawBitmapMode : int {
    OF_BITMAPMODE_SIMPLE = 0,
    OF_BITMAPMODE_SCREEN = 1,
    OF_BITMAPMODE_VIEWPORT = 2,
    OF_BITMAPMODE_MODEL = 3,
    OF_BITMAPMODE_MODEL_BILLBOARD = 4
};

enum ofMatrixMode : int {
    OF_MATRIX_MODELVIEW = 0,
    OF_MATRIX_PROJECTION = 1,
    OF_MATRIX_TEXTURE = 2
};

enum ofOrientation : int {
    OF_ORIENTATION_DEFAULT = 1,
    OF_ORIENTATION_180 = 2,
    OF_ORIENTATION_90_LEFT = 3,   // turned by +90 degrees
    OF_ORIENTATION_90_RIGHT = 4,  // turned by -90 degrees
    OF_ORIENTATION_UNKNOWN = 5    // use the window's orientation
};

// How a mesh's vertices form primitives.
enum ofPrimitiveMode : int {
    OF_PRIMITIVE_TRIANGLES = 0,
    OF_PRIMITIVE_TRIANGLE_STRIP = 1,
    OF_PRIMITIVE_TRIANGLE_FAN = 2,
    OF_PRIMITIVE_LINES = 3,
    OF_PRIMITIVE_LINE_STRIP = 4,
    OF_PRIMITIVE_LINE_LOOP = 5,
    OF_PRIMITIVE_POINTS = 6
};

// Polygon mode of a mesh draw: points, lines or filled faces.
enum ofPolyRenderMode : int {
    OF_MESH_POINTS = 0,
    OF_MESH_WIREFRAME = 1,
    OF_MESH_FILL = 2
};

// Winding rules; the numbers are those of the tessellation core.
enum ofPolyWindingMode : int {
    OF_POLY_WINDING_ODD = 0,
    OF_POLY_WINDING_NONZERO = 1,
    OF_POLY_WINDING_POSITIVE = 2,
    OF_POLY_WINDING_NEGATIVE = 3,
    OF_POLY_WINDING_ABS_GEQ_TWO = 4
};

typedef uint32_t ofIndexType;
