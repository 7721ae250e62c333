#pragma once

#include <vector>

#include "ofColor.h"
#include "ofGraphicsConstants.h"
#include "ofMesh.h"
#include "ofPoint.h"
#include "ofPolyline.h"

// One sub-path of a path: its commands and whether it is closed.
class ofSubPath {
public:
    struct Command {
        enum Type { lineTo = 0, curveTo = 1, bezierTo = 2, quadBezierTo = 3, arc = 4, arcNegative = 5 };

        // lineTo and curveTo
        Command(Type type, const ofPoint& to);
        // bezierTo and quadBezierTo
        Command(Type type, const ofPoint& to, const ofPoint& cp1, const ofPoint& cp2);
        // arc and arcNegative: to is the centre
        Command(Type type, const ofPoint& centre, float radiusX, float radiusY, float angleBegin, float angleEnd);

        int type;
        ofPoint to;
        ofPoint cp1, cp2;
        float radiusX, radiusY, angleBegin, angleEnd;
    };

    ofSubPath() : closed(false) {}

    void addCommand(const Command& command) { commands.push_back(command); }
    std::vector<Command>& getCommands() { return commands; }
    const std::vector<Command>& getCommands() const { return commands; }
    void close() { closed = true; }
    bool isClosed() const { return closed; }

private:
    std::vector<Command> commands;
    bool closed;
};

// A 2-D shape held as commands (COMMANDS) or directly as outlines
// (POLYLINES), with its fill and stroke settings. Its outlines and fill mesh
// are caches, rebuilt only when the shape or the curve resolution changes.
class ofPath {
public:
    enum Mode { COMMANDS = 0, POLYLINES = 1 };

    ofPath();
    ofPath(const ofPath& other) = default;
    ofPath& operator=(const ofPath& other) = default;

    void clear();
    void lineTo(const ofPoint& p);
    void lineTo(float x, float y);
    void bezierTo(const ofPoint& cp1, const ofPoint& cp2, const ofPoint& p);
    void bezierTo(float cx1, float cy1, float cx2, float cy2, float x, float y);
    void quadBezierTo(const ofPoint& cp1, const ofPoint& cp2, const ofPoint& p);
    void quadBezierTo(float cx1, float cy1, float cx2, float cy2, float x, float y);
    void close();

    void setMode(int mode);
    int getMode() const { return mode; }
    void setCurveResolution(int curveResolution);
    int getCurveResolution() const { return curveResolution; }
    void setUseShapeColor(bool useColor);
    bool getUseShapeColor() const { return bUseShapeColor; }
    void setPolyWindingMode(ofPolyWindingMode newMode);
    ofPolyWindingMode getWindingMode() const { return windingMode; }
    void setFilled(bool hasFill);
    bool isFilled() const { return bFill; }
    void setStrokeWidth(float width);
    float getStrokeWidth() const { return strokeWidth; }
    ofColor getFillColor() const { return fillColor; }
    ofColor getStrokeColor() const { return strokeColor; }

    void simplify(float tolerance = 0.3f);
    void generatePolylinesFromCommands();
    void tessellate();
    std::vector<ofPolyline>& getOutline();
    ofMesh& getTessellation();
    const std::vector<ofSubPath>& getSubPaths() const { return subPaths; }

    void draw();

private:
    ofPolyline& lastPolyline();
    void addCommand(const ofSubPath::Command& command);
    // The shape changed: the fill and the contours must be made again.
    void flagShapeChanged();

    std::vector<ofSubPath> subPaths;
    ofPolyWindingMode windingMode;
    ofColor fillColor;
    ofColor strokeColor;
    float strokeWidth;
    bool bFill;
    bool bUseShapeColor;
    std::vector<ofPolyline> polylines;
    std::vector<ofPolyline> tessellatedContour;
    ofMesh cachedTessellation;
    bool cachedTessellationValid;
    bool bHasChanged;
    int prevCurveRes;
    int curveResolution;
    int arcResolution;
    bool bNeedsTessellation;
    int mode;
};

// The fill road: how every path turns its outlines into a fill mesh and into
// boundary contours. By default the shared tessellator does it; a test may
// install its own pair, and null arguments restore the default.
typedef void (*ofPathTessellateToMesh)(const std::vector<ofPolyline>& src, ofPolyWindingMode winding, ofMesh& dst,
                                       bool is2D);
typedef void (*ofPathTessellateToPolylines)(const std::vector<ofPolyline>& src, ofPolyWindingMode winding,
                                            std::vector<ofPolyline>& dst, bool is2D);
void ofSetPathTessellation(ofPathTessellateToMesh toMesh, ofPathTessellateToPolylines toPolylines);
