#include "ofPath.h"

#include "ofGraphics.h"
#include "ofLog.h"

namespace {

// The shared tessellator is connected here: these two are the default fill
// road of every path.
void sharedTessellateToMesh(const std::vector<ofPolyline>& /*src*/, ofPolyWindingMode /*winding*/, ofMesh& /*dst*/,
                            bool /*is2D*/) {
    static bool told = false;
    if (!told) ofLogError("ofPath") << "no tessellator connected: fills stay empty";
    told = true;
}

void sharedTessellateToPolylines(const std::vector<ofPolyline>& /*src*/, ofPolyWindingMode /*winding*/,
                                 std::vector<ofPolyline>& /*dst*/, bool /*is2D*/) {
    static bool told = false;
    if (!told) ofLogError("ofPath") << "no tessellator connected: contours stay empty";
    told = true;
}

ofPathTessellateToMesh tessellateToMesh = sharedTessellateToMesh;
ofPathTessellateToPolylines tessellateToPolylines = sharedTessellateToPolylines;

bool hasAnyPoint(const std::vector<ofPolyline>& outlines) {
    for (const ofPolyline& outline : outlines) {
        if (outline.size() > 0) return true;
    }
    return false;
}

}  // namespace

void ofSetPathTessellation(ofPathTessellateToMesh toMesh, ofPathTessellateToPolylines toPolylines) {
    tessellateToMesh = toMesh ? toMesh : sharedTessellateToMesh;
    tessellateToPolylines = toPolylines ? toPolylines : sharedTessellateToPolylines;
}

ofSubPath::Command::Command(Type kind, const ofPoint& p)
    : type(kind), to(p), radiusX(0), radiusY(0), angleBegin(0), angleEnd(0) {}

ofSubPath::Command::Command(Type kind, const ofPoint& p, const ofPoint& control1, const ofPoint& control2)
    : type(kind), to(p), cp1(control1), cp2(control2), radiusX(0), radiusY(0), angleBegin(0), angleEnd(0) {}

ofSubPath::Command::Command(Type kind, const ofPoint& centre, float rx, float ry, float begin, float end)
    : type(kind), to(centre), radiusX(rx), radiusY(ry), angleBegin(begin), angleEnd(end) {}

ofPath::ofPath()
    : windingMode(OF_POLY_WINDING_ODD),
      fillColor(255, 255, 255, 255),
      strokeColor(255, 255, 255, 255),
      strokeWidth(0),
      bFill(true),
      bUseShapeColor(true),
      cachedTessellationValid(false),
      bHasChanged(false),
      prevCurveRes(16),
      curveResolution(16),
      arcResolution(20),
      bNeedsTessellation(false),
      mode(COMMANDS) {
    clear();
}

void ofPath::flagShapeChanged() {
    bNeedsTessellation = true;
    cachedTessellationValid = false;
}

void ofPath::clear() {
    if (mode == COMMANDS) {
        subPaths.clear();
        bHasChanged = true;
    } else {
        polylines.resize(1);
        polylines[0].clear();
        flagShapeChanged();
    }
}

ofPolyline& ofPath::lastPolyline() {
    if (polylines.empty() || polylines.back().isClosed()) polylines.push_back(ofPolyline());
    return polylines.back();
}

void ofPath::addCommand(const ofSubPath::Command& command) {
    if (subPaths.empty() || subPaths.back().isClosed()) subPaths.push_back(ofSubPath());
    subPaths.back().addCommand(command);
    bHasChanged = true;
}

void ofPath::lineTo(const ofPoint& p) {
    if (mode == COMMANDS) {
        addCommand(ofSubPath::Command(ofSubPath::Command::lineTo, p));
    } else {
        lastPolyline().lineTo(p);
        flagShapeChanged();
    }
}

void ofPath::lineTo(float x, float y) {
    lineTo(ofPoint(x, y, 0));
}

void ofPath::bezierTo(const ofPoint& cp1, const ofPoint& cp2, const ofPoint& p) {
    if (mode == COMMANDS) {
        addCommand(ofSubPath::Command(ofSubPath::Command::bezierTo, p, cp1, cp2));
    } else {
        lastPolyline().bezierTo(cp1, cp2, p, curveResolution);
        flagShapeChanged();
    }
}

void ofPath::bezierTo(float cx1, float cy1, float cx2, float cy2, float x, float y) {
    bezierTo(ofPoint(cx1, cy1, 0), ofPoint(cx2, cy2, 0), ofPoint(x, y, 0));
}

void ofPath::quadBezierTo(const ofPoint& cp1, const ofPoint& cp2, const ofPoint& p) {
    if (mode == COMMANDS) {
        addCommand(ofSubPath::Command(ofSubPath::Command::quadBezierTo, p, cp1, cp2));
    } else {
        lastPolyline().quadBezierTo(cp1, cp2, p, curveResolution);
        flagShapeChanged();
    }
}

void ofPath::quadBezierTo(float cx1, float cy1, float cx2, float cy2, float x, float y) {
    quadBezierTo(ofPoint(cx1, cy1, 0), ofPoint(cx2, cy2, 0), ofPoint(x, y, 0));
}

void ofPath::close() {
    if (mode == COMMANDS) {
        if (subPaths.empty() || subPaths.back().isClosed()) subPaths.push_back(ofSubPath());
        subPaths.back().close();
        bHasChanged = true;
    } else {
        lastPolyline().setClosed(true);
        flagShapeChanged();
    }
}

void ofPath::setMode(int newMode) {
    mode = newMode;
}

void ofPath::setCurveResolution(int res) {
    curveResolution = res;
}

void ofPath::setUseShapeColor(bool useColor) {
    bUseShapeColor = useColor;
}

void ofPath::setPolyWindingMode(ofPolyWindingMode newMode) {
    if (newMode == windingMode) return;
    windingMode = newMode;
    flagShapeChanged();
}

void ofPath::setFilled(bool hasFill) {
    if (hasFill == bFill) return;
    bFill = hasFill;
    if (bFill) {
        strokeWidth = 0;
    } else if (strokeWidth == 0) {
        strokeWidth = 1;
    }
    if (!cachedTessellationValid) bNeedsTessellation = true;
}

void ofPath::setStrokeWidth(float width) {
    strokeWidth = width;
}

void ofPath::generatePolylinesFromCommands() {
    if (mode == POLYLINES) return;
    if (subPaths.empty()) {
        // All commands were cleared: the old outlines and fill go too, so an
        // empty path draws nothing.
        if (bHasChanged) {
            prevCurveRes = curveResolution;
            polylines.clear();
            flagShapeChanged();
            bHasChanged = false;
        }
        return;
    }
    if (!bHasChanged && curveResolution == prevCurveRes) return;

    prevCurveRes = curveResolution;
    polylines.clear();
    polylines.resize(subPaths.size());
    for (size_t j = 0; j < subPaths.size(); ++j) {
        ofPolyline& outline = polylines[j];
        for (const ofSubPath::Command& c : subPaths[j].getCommands()) {
            switch (c.type) {
                case ofSubPath::Command::lineTo:
                    outline.lineTo(c.to);
                    break;
                case ofSubPath::Command::curveTo:
                    outline.curveTo(c.to, curveResolution);
                    break;
                case ofSubPath::Command::bezierTo:
                    outline.bezierTo(c.cp1, c.cp2, c.to, curveResolution);
                    break;
                case ofSubPath::Command::quadBezierTo:
                    outline.quadBezierTo(c.cp1, c.cp2, c.to, curveResolution);
                    break;
                case ofSubPath::Command::arc:
                    outline.arc(c.to, c.radiusX, c.radiusY, c.angleBegin, c.angleEnd, true, arcResolution);
                    break;
                case ofSubPath::Command::arcNegative:
                    outline.arc(c.to, c.radiusX, c.radiusY, c.angleBegin, c.angleEnd, false, arcResolution);
                    break;
                default:
                    break;
            }
        }
        outline.setClosed(subPaths[j].isClosed());
    }
    flagShapeChanged();
    bHasChanged = false;
}

void ofPath::tessellate() {
    generatePolylinesFromCommands();
    if (!bNeedsTessellation) return;
    // Whatever the tessellator does, the old fill and contours are stale.
    const bool anyPoint = hasAnyPoint(polylines);
    if (bFill) {
        cachedTessellation.clear();
        if (anyPoint) tessellateToMesh(polylines, windingMode, cachedTessellation, false);
        cachedTessellationValid = true;
    }
    if (strokeWidth > 0 && windingMode != OF_POLY_WINDING_ODD) {
        tessellatedContour.clear();
        if (anyPoint) tessellateToPolylines(polylines, windingMode, tessellatedContour, false);
    }
    bNeedsTessellation = false;
}

std::vector<ofPolyline>& ofPath::getOutline() {
    if (windingMode == OF_POLY_WINDING_ODD) {
        generatePolylinesFromCommands();
        return polylines;
    }
    tessellate();
    return tessellatedContour;
}

ofMesh& ofPath::getTessellation() {
    tessellate();
    return cachedTessellation;
}

void ofPath::simplify(float tolerance) {
    if (mode == COMMANDS) generatePolylinesFromCommands();
    for (ofPolyline& outline : polylines) outline.simplify(tolerance);
}

void ofPath::draw() {
    std::shared_ptr<ofBaseRenderer>& renderer = ofGetCurrentRenderer();
    if (!renderer) return;
    if (renderer->rendersPathDirectly()) {
        renderer->draw(*this);
        return;
    }

    tessellate();
    ofColor previousColor;
    if (bUseShapeColor) previousColor = ofGetStyle().color;

    if (bFill) {
        if (bUseShapeColor) ofSetColor(fillColor);
        if (cachedTessellation.getNumVertices() > 0) renderer->draw(cachedTessellation, bUseShapeColor, false, false);
    }

    if (strokeWidth > 0) {
        const float previousLineWidth = ofGetStyle().lineWidth;
        if (bUseShapeColor) ofSetColor(strokeColor);
        ofSetLineWidth(strokeWidth);
        for (ofPolyline& outline : getOutline()) renderer->draw(outline);
        ofSetLineWidth(previousLineWidth);
    }

    if (bUseShapeColor) ofSetColor(previousColor);
}
